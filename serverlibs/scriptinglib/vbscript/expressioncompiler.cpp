#include "expressioncompiler.h"

#include "codebuilder.h"
#include "object.h"
#include "operators.h"
#include "serialdate.h"

namespace VBScript {

namespace {

Value literalValue(const LiteralExpression &literal)
{
    using Type = LiteralExpression::Type;
    switch (literal.type) {
    case Type::Integer:
        return Value::integer(short(literal.value.toInt()));
    case Type::Long:
        return Value::longValue(literal.value.toInt());
    case Type::Double:
        return Value::real(literal.value.toDouble());
    case Type::String:
        return Value::string(literal.value.toString());
    case Type::Date: {
        const QDateTime date = literal.value.toDateTime();
        return Value::date(SerialDate::fromDateTime(date.date(), date.time()));
    }
    case Type::Boolean:
        return Value::boolean(literal.value.toBool());
    case Type::Empty:
        return Value();
    case Type::Null:
        return Value::null();
    case Type::Nothing:
        return Value::object(nullptr);
    }
    return Value();
}

Opcode opcodeOf(BinaryExpression::Operator op)
{
    using Operator = BinaryExpression::Operator;
    switch (op) {
    case Operator::Power:
        return Opcode::Power;
    case Operator::Multiply:
        return Opcode::Multiply;
    case Operator::Divide:
        return Opcode::Divide;
    case Operator::IntegerDivide:
        return Opcode::IntegerDivide;
    case Operator::Modulo:
        return Opcode::Modulo;
    case Operator::Add:
        return Opcode::Add;
    case Operator::Subtract:
        return Opcode::Subtract;
    case Operator::Concatenate:
        return Opcode::Concatenate;
    case Operator::Is:
        return Opcode::Is;
    case Operator::And:
        return Opcode::And;
    case Operator::Or:
        return Opcode::Or;
    case Operator::Xor:
        return Opcode::Xor;
    case Operator::Eqv:
        return Opcode::Eqv;
    case Operator::Imp:
        return Opcode::Imp;
    default:
        return Opcode::Compare;
    }
}

Operators::Comparison comparisonOf(BinaryExpression::Operator op)
{
    using Operator = BinaryExpression::Operator;
    switch (op) {
    case Operator::NotEqual:
        return Operators::Comparison::NotEqual;
    case Operator::Less:
        return Operators::Comparison::Less;
    case Operator::Greater:
        return Operators::Comparison::Greater;
    case Operator::LessEqual:
        return Operators::Comparison::LessEqual;
    case Operator::GreaterEqual:
        return Operators::Comparison::GreaterEqual;
    default:
        return Operators::Comparison::Equal;
    }
}

} // namespace

ExpressionCompiler::ExpressionCompiler(CodeBuilder &builder, Scope &scope,
                                       const std::vector<int> &withSlots)
    : m_builder(builder)
    , m_scope(scope)
    , m_withSlots(withSlots)
{}

bool ExpressionCompiler::constantValue(const Expression &expression, Value *value)
{
    if (const auto *literal = expression.as<LiteralExpression>()) {
        *value = literalValue(*literal);
        return true;
    }
    const auto *unary = expression.as<UnaryExpression>();
    if (!unary || unary->op == UnaryExpression::Operator::Not) {
        return false;
    }
    const auto *literal = unary->operand->as<LiteralExpression>();
    if (!literal
        || (literal->type != LiteralExpression::Type::Integer
            && literal->type != LiteralExpression::Type::Long
            && literal->type != LiteralExpression::Type::Double)) {
        return false;
    }
    *value = literalValue(*literal);
    if (unary->op == UnaryExpression::Operator::Negate) {
        Value negated;
        Operators::negate(*value, &negated);
        *value = negated;
    }
    return true;
}

Instruction ExpressionCompiler::variableInstruction(Opcode opcode, const NameMeaning &meaning)
{
    Instruction instruction;
    instruction.opcode = opcode;
    instruction.kind = meaning.variable;
    instruction.a = meaning.index;
    instruction.pointer = meaning.pointer;
    return instruction;
}

void ExpressionCompiler::compile(const Expression &expression)
{
    switch (expression.kind) {
    case Expression::Kind::Literal:
    case Expression::Kind::Unary: {
        Value value;
        if (constantValue(expression, &value)) {
            Instruction instruction;
            instruction.opcode = Opcode::PushConstant;
            instruction.a = m_builder.constant(value);
            m_builder.append(instruction, 0, 1);
        } else {
            compileUnary(*expression.as<UnaryExpression>());
        }
        return;
    }
    case Expression::Kind::Name:
        compileName(*expression.as<NameExpression>());
        return;
    case Expression::Kind::Me:
        m_builder.append(Opcode::PushMe, 0, 1);
        return;
    case Expression::Kind::Member: {
        const auto &member = *expression.as<MemberExpression>();
        compileObject(member);
        emitMember(member.member, 0, InvokeKind::Get, false);
        return;
    }
    case Expression::Kind::Call: {
        const auto &call = *expression.as<CallExpression>();
        compileCall(*call.callee, call.arguments, false);
        return;
    }
    case Expression::Kind::Binary:
        compileBinary(*expression.as<BinaryExpression>());
        return;
    case Expression::Kind::Parenthesized:
        compile(*expression.as<ParenthesizedExpression>()->inner);
        return;
    case Expression::Kind::New: {
        Instruction instruction;
        instruction.opcode = Opcode::NewObject;
        instruction.b = m_builder.nameCache(expression.as<NewExpression>()->className);
        m_builder.append(instruction, 0, 1);
        return;
    }
    }
}

void ExpressionCompiler::compileName(const NameExpression &name)
{
    const NameMeaning meaning = m_scope.resolve(name.name, false);
    switch (meaning.kind) {
    case NameMeaning::Kind::Variable:
    case NameMeaning::Kind::Unknown: {
        const Opcode opcode = meaning.variable == VariableKind::Local     ? Opcode::LoadLocal
                              : meaning.variable == VariableKind::Pointer ? Opcode::LoadPointer
                                                                          : Opcode::LoadVariable;
        m_builder.append(variableInstruction(opcode, meaning), 0, 1);
        return;
    }
    case NameMeaning::Kind::Constant: {
        Instruction instruction;
        instruction.opcode = Opcode::PushConstant;
        instruction.a = m_builder.constant(meaning.constant);
        m_builder.append(instruction, 0, 1);
        return;
    }
    default:
        compileCall(name, ExpressionList(), false);
        return;
    }
}

void ExpressionCompiler::compileCall(const Expression &callee, const ExpressionList &arguments,
                                     bool dropResult)
{
    const int count = int(arguments.size());
    Instruction instruction;
    instruction.c = count;
    instruction.flags = dropResult ? Instruction::dropResult : 0;
    const int pushes = dropResult ? 0 : 1;
    if (const auto *member = callee.as<MemberExpression>()) {
        compileObject(*member);
        compileArguments(arguments, true);
        emitMember(member->member, count, dropResult ? InvokeKind::Call : InvokeKind::Get,
                   dropResult);
        return;
    }
    const auto *name = callee.as<NameExpression>();
    if (!name) {
        compile(callee);
        compileArguments(arguments, false);
        instruction.opcode = Opcode::CallValue;
        instruction.flags = 0;
        m_builder.append(instruction, count + 1, 1);
        if (dropResult) {
            m_builder.append(Opcode::Pop, 1, 0);
        }
        return;
    }
    const NameMeaning meaning = m_scope.resolve(name->name, true);
    switch (meaning.kind) {
    case NameMeaning::Kind::Procedure:
        compileArguments(arguments, true);
        instruction.opcode = Opcode::CallProcedure;
        instruction.pointer = meaning.procedure;
        m_builder.append(instruction, count, pushes);
        return;
    case NameMeaning::Kind::Builtin:
        compileArguments(arguments, false);
        instruction.opcode = Opcode::CallBuiltin;
        instruction.pointer = const_cast<Builtin *>(meaning.builtin);
        m_builder.append(instruction, count, pushes);
        return;
    case NameMeaning::Kind::ClassMember:
        m_builder.append(Opcode::PushMe, 0, 1);
        compileArguments(arguments, true);
        emitMember(name->name, count, dropResult ? InvokeKind::Call : InvokeKind::Get, dropResult);
        return;
    case NameMeaning::Kind::Constant:
        compileName(*name);
        compileArguments(arguments, false);
        instruction.opcode = Opcode::CallValue;
        instruction.flags = 0;
        m_builder.append(instruction, count + 1, 1);
        break;
    case NameMeaning::Kind::Variable:
    case NameMeaning::Kind::Unknown:
        // A name unknown now may turn out to be a procedure: its arguments go by reference.
        compileArguments(arguments, meaning.kind == NameMeaning::Kind::Unknown);
        instruction = variableInstruction(Opcode::IndexVariable, meaning);
        instruction.c = count;
        m_builder.append(instruction, count, 1);
        break;
    }
    if (dropResult) {
        m_builder.append(Opcode::Pop, 1, 0);
    }
}

void ExpressionCompiler::compileObject(const MemberExpression &member)
{
    if (member.object) {
        compile(*member.object);
        return;
    }
    Instruction instruction;
    instruction.opcode = Opcode::LoadLocal;
    instruction.a = m_withSlots.back();
    m_builder.append(instruction, 0, 1);
}

void ExpressionCompiler::emitMember(const QString &name, int argumentCount, InvokeKind kind,
                                    bool dropResult)
{
    Instruction instruction;
    instruction.opcode = Opcode::Member;
    instruction.b = m_builder.memberName(name);
    instruction.c = argumentCount;
    instruction.invokeKind = std::uint8_t(kind);
    instruction.flags = dropResult ? Instruction::dropResult : 0;
    const bool assigning = kind == InvokeKind::Let || kind == InvokeKind::Set;
    const int pops = argumentCount + 1 + (assigning ? 1 : 0);
    m_builder.append(instruction, pops, assigning || dropResult ? 0 : 1);
}

void ExpressionCompiler::compileArguments(const ExpressionList &arguments, bool byReference)
{
    for (const ExpressionPointer &argument : arguments) {
        if (!argument) {
            Instruction instruction;
            instruction.opcode = Opcode::PushConstant;
            instruction.a = m_builder.constant(missingArgument());
            m_builder.append(instruction, 0, 1);
        } else if (byReference) {
            compileArgument(argument.get());
        } else {
            compile(*argument);
        }
    }
}

void ExpressionCompiler::compileArgument(const Expression *argument)
{
    if (const auto *name = argument->as<NameExpression>()) {
        const NameMeaning meaning = m_scope.resolve(name->name, false);
        if (meaning.isVariable()) {
            m_builder.append(variableInstruction(Opcode::PushReference, meaning), 0, 1);
            return;
        }
    } else if (const auto *call = argument->as<CallExpression>()) {
        if (const auto *callee = call->callee->as<NameExpression>()) {
            const NameMeaning meaning = m_scope.resolve(callee->name, true);
            if (meaning.isVariable()) {
                const int count = int(call->arguments.size());
                compileArguments(call->arguments, meaning.kind == NameMeaning::Kind::Unknown);
                Instruction instruction =
                    variableInstruction(Opcode::PushElementReference, meaning);
                instruction.c = count;
                m_builder.append(instruction, count, 1);
                return;
            }
        }
    }
    compile(*argument);
}

bool ExpressionCompiler::isLiteral(const Expression &expression)
{
    Value value;
    if (constantValue(expression, &value)) {
        return true;
    }
    if (const auto *parenthesized = expression.as<ParenthesizedExpression>()) {
        return isLiteral(*parenthesized->inner);
    }
    if (const auto *name = expression.as<NameExpression>()) {
        return m_scope.resolve(name->name, false).kind == NameMeaning::Kind::Constant;
    }
    return false;
}

void ExpressionCompiler::compileBinary(const BinaryExpression &binary)
{
    compile(*binary.left);
    compile(*binary.right);
    Instruction instruction;
    instruction.opcode = opcodeOf(binary.op);
    if (instruction.opcode == Opcode::Compare) {
        instruction.b = int(comparisonOf(binary.op));
        instruction.flags = (isLiteral(*binary.left) ? Instruction::leftLiteral : 0)
                            | (isLiteral(*binary.right) ? Instruction::rightLiteral : 0);
    }
    m_builder.append(instruction, 2, 1);
}

void ExpressionCompiler::compileUnary(const UnaryExpression &unary)
{
    compile(*unary.operand);
    switch (unary.op) {
    case UnaryExpression::Operator::Negate:
        m_builder.append(Opcode::Negate, 1, 1);
        break;
    case UnaryExpression::Operator::Not:
        m_builder.append(Opcode::Not, 1, 1);
        break;
    case UnaryExpression::Operator::Plus:
        break;
    }
}

} // namespace VBScript
