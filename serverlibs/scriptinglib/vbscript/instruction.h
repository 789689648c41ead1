#pragma once

#include <cstdint>

namespace VBScript {

// The operations of the interpreter's stack machine. Operands: `a`, `b` and `c` are numbers
// (slot, constant, name, count or jump target, as given per operation), `pointer` a stable
// address bound at compile time. Where an operation reaches a variable, `kind` tells how, and
// `a` (or `pointer`) which.
enum class Opcode : std::uint8_t {
    PushConstant, // constants[a]
    PushEmpty,
    PushMe,
    Pop,

    // Variables. `a` is the slot (Local), the field (Field) or the name (Dynamic); Pointer
    // variables are at `pointer`. The variable kind is in `b` for the generic forms.
    LoadLocal,
    StoreLocal, // Let: an object is replaced by its default value
    LoadPointer,
    StorePointer,
    LoadVariable,
    StoreVariable,
    SetVariable,   // Set: an object (or Nothing) is required
    PushReference, // a ByRef argument: the variable itself (or the value of a non-variable)
    StoreRaw,      // into a hidden local, as it is (With, Select, For)
    ClearLocal,    // hidden locals a .. a + b - 1 back to Empty

    // Indexing and calls. `c` arguments lie on the stack above what they apply to.
    IndexVariable,        // v(args): an array element, or the default member of an object
    StoreIndexed,         // v(args) = value (Let); flags: Set
    PushElementReference, // v(args) as a ByRef argument
    CallValue,            // value(args)
    CallProcedure,        // pointer: ProcedureCell; flags: result dropped
    CallBuiltin,          // pointer: Builtin
    CallName,             // a: name; a procedure, array or object found at run time
    Member,               // object.name(args); b: name and member cache; flags: Set; invokeKind
    NewObject,            // b: name
    ReDim,                // c bounds on the stack; flags: Preserve
    Erase,

    // Operators.
    Add,
    Subtract,
    Multiply,
    Divide,
    IntegerDivide,
    Modulo,
    Power,
    Concatenate,
    Compare, // b: Operators::Comparison; flags: which operands are literals
    Is,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
    Not,
    Negate,
    AppendToVariable, // [v, e1 .. ec]: v = v & e1 & ... & ec, in place when v is not shared

    // Control. Jumps go to c; a jump backwards checks the interrupt flag.
    Jump,
    JumpIfFalse,
    JumpIfTrue,
    ForInit,     // [start, limit, step]: counter = start; hidden b, b + 1 = limit, step; out to c
    ForNext,     // counter += step; back to c while within the limit
    ForEachInit, // [collection] into hidden b (the items) and b + 1 (the position)
    ForEachNext, // the next item into the variable, or out to c when there is none
    Return,
    ExitProcedure,
    OnErrorResumeNext,
    OnErrorGoToZero,
    Raise, // raises error b
};

// How a variable is reached.
enum class VariableKind : std::uint8_t {
    Local,   // a slot of the running procedure
    Pointer, // a global, or a variable that Execute made in a procedure
    Field,   // a variable of the object whose method runs
    Dynamic, // a name not known when compiling: looked up when it runs
};

struct Instruction
{
    static constexpr std::uint8_t dropResult = 1;    // CallProcedure, CallBuiltin, CallName, Member
    static constexpr std::uint8_t setAssignment = 2; // StoreIndexed
    static constexpr std::uint8_t preserve = 4;      // ReDim
    static constexpr std::uint8_t leftLiteral = 8;   // Compare
    static constexpr std::uint8_t rightLiteral = 16;

    Opcode opcode = Opcode::PushEmpty;
    VariableKind kind = VariableKind::Local;
    std::uint8_t flags = 0;
    std::uint8_t invokeKind = 0; // Member: InvokeKind
    std::int32_t a = 0;
    std::int32_t b = 0;
    std::int32_t c = 0;
    void *pointer = nullptr;
};

} // namespace VBScript
