#pragma once

#include "instruction.h"
#include "sourceposition.h"
#include "value.h"

#include <QString>

#include <vector>

namespace VBScript {

struct GlobalEntry;

// Remembers what a name not known at compile time turned out to be, until the global names
// change.
struct NameCache
{
    QString name;     // lower case
    QString spelling; // as written, for messages
    // The local slot that the name becomes in a procedure when it is nothing else (a variable
    // used without Dim); -1 elsewhere.
    int implicitSlot = -1;
    int version = -1; // GlobalScope::version() when `entry` was looked up
    const GlobalEntry *entry = nullptr;
};

// Remembers the member id that an object's dispatch class gave a name at one call site.
struct MemberCache
{
    const void *dispatchClass = nullptr;
    int member = -1;
};

// The compiled form of one procedure, of the top-level code of a script, or of a text given to
// Execute: instructions with the place and the resume point of each, and the tables they use.
// The caches change as the code runs; a unit belongs to one engine and its thread.
struct CodeUnit
{
    // Where a name that is found nowhere comes to exist when a statement assigns it.
    enum class ImplicitScope { Global, Slot, FrameExtras };

    std::vector<Instruction> instructions;
    std::vector<SourcePosition> positions;
    // Per instruction: where On Error Resume Next continues after an error in it.
    std::vector<int> resumeTargets;
    std::vector<Value> constants;
    std::vector<QString> memberNames;              // lower case
    std::vector<QString> memberSpellings;          // as the script writes them, for errors
    mutable std::vector<MemberCache> memberCaches; // one per member name
    mutable std::vector<NameCache> nameCaches;
    int localCount = 0;
    int maxStack = 0;
    bool optionExplicit = false;
    ImplicitScope implicitScope = ImplicitScope::Global;
};

} // namespace VBScript
