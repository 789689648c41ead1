#pragma once

namespace VBScript {

class Interpreter;
class Value;
struct Arguments;

// A function of the run time's library: Len, Mid, DateAdd ... Its arguments arrive checked
// against the counts; on failure it raises the error in the interpreter and returns false.
struct Builtin
{
    using Function = bool (*)(Interpreter &interpreter, const Arguments &arguments, Value &result);

    const char *name; // as documented, e.g. "DateAdd"
    Function function;
    int minimumArguments;
    int maximumArguments;
};

} // namespace VBScript
