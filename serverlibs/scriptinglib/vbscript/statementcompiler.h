#pragma once

#include "expressioncompiler.h"
#include "statement.h"

#include <vector>

namespace VBScript {

class CodeBuilder;
class Scope;

// Compiles the statements of a procedure body, of top-level code or of an executed text.
// Declarations (Dim, Const, procedures, classes) were handled before; here they make no code.
// Loops, With and Select keep their state in hidden variables, so that the evaluation stack is
// empty between statements and an error can resume at the next one.
class StatementCompiler
{
public:
    // `builder` and `scope` must outlive the compiler.
    StatementCompiler(CodeBuilder &builder, Scope &scope);

    void compile(const StatementList &statements);

private:
    // An open block that Exit leaves or that holds hidden variables to clear on the way out.
    struct Block
    {
        enum class Kind { For, Do, With, Select } kind;
        int hiddenSlot = -1; // With and Select: cleared when Exit leaves them
        std::vector<int> exitJumps;
    };

    void compile(const Statement &statement);
    void compileAssignment(const AssignmentStatement &statement);
    bool compileAppend(const AssignmentStatement &statement);
    void compileCallStatement(const CallStatement &statement);
    void compileReDim(const ReDimStatement &statement);
    void compileErase(const EraseStatement &statement);
    void compileIf(const IfStatement &statement);
    void compileFor(const ForStatement &statement);
    void compileForEach(const ForEachStatement &statement);
    void compileDo(const DoStatement &statement);
    void compileWhile(const WhileStatement &statement);
    void compileSelect(const SelectStatement &statement);
    void compileWith(const WithStatement &statement);
    void compileExit(const ExitStatement &statement);

    // Evaluates `expression`, as a statement of its own, into a new hidden slot: the subject
    // of a Select or the object of a With. Returns the slot.
    int compileIntoHiddenSlot(const Expression &expression);
    void emitRaise(int number);
    // The instruction of a loop over `variable` (For and For Each).
    Instruction loopInstruction(Opcode opcode, const NameReference &variable, int hiddenSlot);
    int emitJump(Opcode opcode, int target = -1);
    void emitClear(int slot, int count);
    // Compiles `body` as the inside of a block; returns the jumps that Exit made out of it.
    std::vector<int> compileBlock(Block::Kind kind, const StatementList &body, int hiddenSlot = -1);

    CodeBuilder &m_builder;
    Scope &m_scope;
    std::vector<int> m_withSlots;
    ExpressionCompiler m_expressions;
    std::vector<Block> m_blocks;
};

} // namespace VBScript
