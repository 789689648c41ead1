#pragma once

#include "codeunit.h"

namespace VBScript {

class Interpreter;
struct Frame;
struct GlobalEntry;

// Finds, while the code runs, what a name means that was nothing known when it was compiled:
// a variable that Execute declared in the procedure, a global defined since (by ExecuteGlobal
// or by an assignment at the script level), or a variable that comes to exist by being used
// (unless Option Explicit forbids it).
class NameLookup
{
public:
    struct Target
    {
        enum class Kind {
            Variable,
            Constant,
            Procedure,
            Class,
            Undefined, // read before anything assigned it: Empty
        };
        Kind kind = Kind::Undefined;
        Value *variable = nullptr;
        const GlobalEntry *entry = nullptr;
    };

    NameLookup() = delete;

    // `create`: the name is about to be assigned, so an unknown name becomes a variable.
    // False with "Variable is undefined" when Option Explicit is on and the name is unknown.
    static bool find(Interpreter &interpreter, Frame &frame, NameCache &cache, bool create,
                     Target *target);
};

} // namespace VBScript
