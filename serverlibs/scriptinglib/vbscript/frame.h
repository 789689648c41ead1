#pragma once

#include "codeunit.h"

#include <QHash>
#include <QString>

#include <memory>

namespace VBScript {

class ClassInstance;
struct Procedure;

// Variables and constants that Execute declared inside a procedure: they live as long as the
// procedure's run.
struct FrameExtras
{
    QHash<QString, std::shared_ptr<Value>> variables; // by lower-case name
    QHash<QString, Value> constants;
};

// One running code unit: a procedure, the top-level code of a script, or a text given to
// Execute, ExecuteGlobal or Eval.
struct Frame
{
    const CodeUnit *unit = nullptr;
    const Procedure *procedure = nullptr; // null for top-level code and executed texts
    Value **variables = nullptr;          // the unit's local variables
    Value *stackBase = nullptr;           // the first value of its evaluation stack
    ClassInstance *me = nullptr;          // the object whose method runs
    Frame *caller = nullptr;
    // The procedure frame whose variables an executed text reaches; null at the script level.
    Frame *scope = nullptr;
    std::unique_ptr<FrameExtras> extras; // of a procedure frame, made by Execute
    Value *result = nullptr;             // where Eval's code leaves its value
    int pc = 0;
    bool resumeNext = false; // On Error Resume Next
};

} // namespace VBScript
