#pragma once

#include "instruction.h"
#include "object.h"

namespace VBScript {

class Interpreter;
struct CodeUnit;
struct Frame;

// Runs the instructions of one frame until its code returns or an error leaves it: the loop
// of the stack machine, with fast paths for the common cases of the operators and loops and
// the rest delegated. Lives for one run of one frame.
class FrameRunner
{
public:
    FrameRunner(Interpreter &interpreter, Frame &frame);

    bool run();

private:
    // The variable an instruction names, for Local, Pointer and Field kinds; null otherwise.
    Value *fixedVariable(const Instruction &instruction) const;
    // The variable to assign, for every kind; null with the error raised (or for a name that
    // is a constant or procedure, with "Illegal assignment").
    Value *assignableVariable(const Instruction &instruction);

    bool load(const Instruction &instruction, Value *result);
    bool store(const Instruction &instruction, const Value &value, bool isSet);
    bool pushReference(const Instruction &instruction, Value *result);
    bool index(const Instruction &instruction, const Arguments &arguments, Value *result);
    bool storeIndexed(const Instruction &instruction, const Arguments &arguments,
                      const Value &value);
    bool elementReference(const Instruction &instruction, const Arguments &arguments,
                          Value *result);
    bool callName(const Instruction &instruction, const Arguments &arguments, Value *result);
    bool callBuiltin(const Instruction &instruction, const Arguments &arguments, Value *result);
    bool member(const Instruction &instruction, const Value &object, const Arguments &arguments,
                Value *result);
    bool newObject(const Instruction &instruction, Value *result);
    bool redim(const Instruction &instruction, const Arguments &bounds);
    bool erase(const Instruction &instruction);

    bool binary(Opcode opcode, Value &left, const Value &right);
    bool compare(const Instruction &instruction, Value &left, const Value &right);
    bool unary(Opcode opcode, Value &operand);
    bool isSame(Value &left, const Value &right);
    bool condition(const Value &value, bool *truth);
    bool appendToVariable(const Instruction &instruction, Value *parts);

    bool forInit(const Instruction &instruction, Value *values, bool *enter);
    bool forNext(const Instruction &instruction, bool *repeat);
    bool forEachInit(const Instruction &instruction, const Value &collection);
    bool forEachNext(const Instruction &instruction, bool *more);

    Interpreter &m_interpreter;
    Frame &m_frame;
    const CodeUnit &m_unit;
};

} // namespace VBScript
