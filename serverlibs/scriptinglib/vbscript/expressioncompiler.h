#pragma once

#include "expression.h"
#include "instruction.h"
#include "object.h"
#include "scope.h"

#include <vector>

namespace VBScript {

class CodeBuilder;

// Compiles expressions to instructions that leave their value on the stack, and the pieces
// that statements share with them: arguments (ByRef where the engine passes by reference),
// calls, and the variable instructions for a name.
class ExpressionCompiler
{
public:
    // `withSlots` are the hidden variables of the open With blocks, innermost last; all three must
    // outlive the compiler.
    ExpressionCompiler(CodeBuilder &builder, Scope &scope, const std::vector<int> &withSlots);

    void compile(const Expression &expression);
    // callee(arguments) as an expression or, with `dropResult`, as a statement.
    void compileCall(const Expression &callee, const ExpressionList &arguments, bool dropResult);
    // The object of `member`: the With object for `.name`.
    void compileObject(const MemberExpression &member);
    // Arguments as a procedure gets them: variables and array elements by reference, so that
    // a ByRef parameter reaches them; other expressions by value.
    void compileArguments(const ExpressionList &arguments, bool byReference);

    // An instruction that reaches the variable `meaning` stands for.
    static Instruction variableInstruction(Opcode opcode, const NameMeaning &meaning);
    // The value of a literal, or of a literal number with a sign: what Const accepts.
    static bool constantValue(const Expression &expression, Value *value);
    // Written as a literal or a constant: compared as its own type (see Operators::compare).
    bool isLiteral(const Expression &expression);

private:
    void compileName(const NameExpression &name);
    void compileArgument(const Expression *argument);
    void compileBinary(const BinaryExpression &binary);
    void compileUnary(const UnaryExpression &unary);
    void emitMember(const QString &name, int argumentCount, InvokeKind kind, bool dropResult);
    CodeBuilder &m_builder;
    Scope &m_scope;
    const std::vector<int> &m_withSlots;
};

} // namespace VBScript
