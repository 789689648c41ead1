#pragma once

#include "object.h"

#include <vector>

namespace VBScript {

class Interpreter;

// Storing into variables and array elements with the engine's rules: `=` (Let) stores an
// object's default value, Set requires an object; ReDim, Erase and ByRef references to
// elements. Each returns false with the error raised in the interpreter.
class Assignment
{
public:
    Assignment() = delete;

    static bool let(Interpreter &interpreter, Value &target, const Value &value);
    static bool set(Interpreter &interpreter, Value &target, const Value &value);
    // variable(indices) = value: an element of the array in `variable`, or the default member
    // of the object in it.
    static bool storeElement(Interpreter &interpreter, Value &variable, const Arguments &indices,
                             const Value &value, bool isSet);
    // A ByRef argument written variable(indices): a reference to the element, which locks
    // the array while the call lasts, or for an object the value of its default member.
    static bool elementReference(Interpreter &interpreter, Value &variable,
                                 const Arguments &indices, Value *result);
    static bool redim(Interpreter &interpreter, Value &variable, const Arguments &bounds,
                      bool preserve);
    // Erase: a fixed array's elements back to Empty, a dynamic array dropped.
    static bool erase(Interpreter &interpreter, Value &variable);

private:
    // The position of the element, -1 with the error raised.
    static qint64 elementIndex(Interpreter &interpreter, const Value &arrayValue,
                               const Arguments &indices);
};

} // namespace VBScript
