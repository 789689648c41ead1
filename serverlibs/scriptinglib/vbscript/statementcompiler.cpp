#include "statementcompiler.h"

#include "codebuilder.h"
#include "operators.h"
#include "runtimeerror.h"
#include "scope.h"

namespace VBScript {

namespace {

// The right operands of `value` when it is `name & a & b ...` (in any letter case), left to
// right; empty otherwise.
std::vector<const Expression *> appendedParts(const QString &name, const Expression &value)
{
    std::vector<const Expression *> parts;
    const Expression *left = &value;
    while (const auto *binary = left->as<BinaryExpression>()) {
        if (binary->op != BinaryExpression::Operator::Concatenate) {
            return {};
        }
        parts.insert(parts.begin(), binary->right.get());
        left = binary->left.get();
    }
    const auto *first = left->as<NameExpression>();
    if (!first || first->name.compare(name, Qt::CaseInsensitive) != 0) {
        return {};
    }
    return parts;
}

} // namespace

StatementCompiler::StatementCompiler(CodeBuilder &builder, Scope &scope)
    : m_builder(builder)
    , m_scope(scope)
    , m_expressions(builder, scope, m_withSlots)
{}

void StatementCompiler::compile(const StatementList &statements)
{
    for (const StatementPointer &statement : statements) {
        compile(*statement);
    }
}

void StatementCompiler::compile(const Statement &statement)
{
    m_builder.setPosition(statement.position);
    const int segment = m_builder.beginSegment();
    switch (statement.kind) {
    case Statement::Kind::Assignment:
        compileAssignment(*statement.as<AssignmentStatement>());
        break;
    case Statement::Kind::Call:
        compileCallStatement(*statement.as<CallStatement>());
        break;
    case Statement::Kind::ReDim:
        compileReDim(*statement.as<ReDimStatement>());
        break;
    case Statement::Kind::Erase:
        compileErase(*statement.as<EraseStatement>());
        break;
    case Statement::Kind::If:
        compileIf(*statement.as<IfStatement>());
        return;
    case Statement::Kind::For:
        compileFor(*statement.as<ForStatement>());
        return;
    case Statement::Kind::ForEach:
        compileForEach(*statement.as<ForEachStatement>());
        return;
    case Statement::Kind::Do:
        compileDo(*statement.as<DoStatement>());
        return;
    case Statement::Kind::While:
        compileWhile(*statement.as<WhileStatement>());
        return;
    case Statement::Kind::Select:
        compileSelect(*statement.as<SelectStatement>());
        return;
    case Statement::Kind::With:
        compileWith(*statement.as<WithStatement>());
        return;
    case Statement::Kind::Exit:
        compileExit(*statement.as<ExitStatement>());
        break;
    case Statement::Kind::OnError:
        m_builder.append(statement.as<OnErrorStatement>()->action
                                 == OnErrorStatement::Action::ResumeNext
                             ? Opcode::OnErrorResumeNext
                             : Opcode::OnErrorGoToZero,
                         0, 0);
        break;
    case Statement::Kind::OptionExplicit:
    case Statement::Kind::Dim:
    case Statement::Kind::Const:
    case Statement::Kind::Stop:
    case Statement::Kind::Procedure:
    case Statement::Kind::Class:
        break;
    }
    m_builder.endSegment(segment);
}

void StatementCompiler::emitRaise(int number)
{
    Instruction instruction;
    instruction.opcode = Opcode::Raise;
    instruction.b = number;
    m_builder.append(instruction, 0, 0);
}

int StatementCompiler::emitJump(Opcode opcode, int target)
{
    Instruction instruction;
    instruction.opcode = opcode;
    instruction.c = target;
    return m_builder.append(instruction, opcode == Opcode::Jump ? 0 : 1, 0);
}

void StatementCompiler::emitClear(int slot, int count)
{
    Instruction instruction;
    instruction.opcode = Opcode::ClearLocal;
    instruction.a = slot;
    instruction.c = count;
    m_builder.append(instruction, 0, 0);
}

// --- Assignments and calls ---------------------------------------------------------------------

void StatementCompiler::compileAssignment(const AssignmentStatement &statement)
{
    const Expression &target = *statement.target;
    if (!statement.isSet && compileAppend(statement)) {
        return;
    }
    const InvokeKind kind = statement.isSet ? InvokeKind::Set : InvokeKind::Let;
    if (const auto *name = target.as<NameExpression>()) {
        const NameMeaning meaning = m_scope.resolve(name->name, false);
        if (meaning.isVariable()) {
            m_expressions.compile(*statement.value);
            Opcode opcode = statement.isSet ? Opcode::SetVariable : Opcode::StoreVariable;
            if (!statement.isSet && meaning.variable == VariableKind::Local) {
                opcode = Opcode::StoreLocal;
            } else if (!statement.isSet && meaning.variable == VariableKind::Pointer) {
                opcode = Opcode::StorePointer;
            }
            m_builder.append(ExpressionCompiler::variableInstruction(opcode, meaning), 1, 0);
        } else if (meaning.kind == NameMeaning::Kind::ClassMember) {
            m_builder.append(Opcode::PushMe, 0, 1);
            m_expressions.compile(*statement.value);
            Instruction instruction;
            instruction.opcode = Opcode::Member;
            instruction.b = m_builder.memberName(name->name);
            instruction.invokeKind = std::uint8_t(kind);
            m_builder.append(instruction, 2, 0);
        } else {
            emitRaise(RuntimeError::IllegalAssignment);
        }
        return;
    }
    if (const auto *member = target.as<MemberExpression>()) {
        m_expressions.compileObject(*member);
        m_expressions.compile(*statement.value);
        Instruction instruction;
        instruction.opcode = Opcode::Member;
        instruction.b = m_builder.memberName(member->member);
        instruction.invokeKind = std::uint8_t(kind);
        m_builder.append(instruction, 2, 0);
        return;
    }
    const auto *call = target.as<CallExpression>();
    if (!call) {
        emitRaise(RuntimeError::IllegalAssignment);
        return;
    }
    const int count = int(call->arguments.size());
    Instruction instruction;
    instruction.c = count;
    instruction.invokeKind = std::uint8_t(kind);
    if (const auto *member = call->callee->as<MemberExpression>()) {
        m_expressions.compileObject(*member);
        m_expressions.compileArguments(call->arguments, false);
        m_expressions.compile(*statement.value);
        instruction.opcode = Opcode::Member;
        instruction.b = m_builder.memberName(member->member);
        m_builder.append(instruction, count + 2, 0);
        return;
    }
    const auto *name = call->callee->as<NameExpression>();
    NameMeaning meaning;
    meaning.kind = NameMeaning::Kind::Constant; // neither a variable nor a member: refused
    if (name) {
        meaning = m_scope.resolve(name->name, false);
    }
    if (meaning.isVariable()) {
        m_expressions.compileArguments(call->arguments, false);
        m_expressions.compile(*statement.value);
        instruction = ExpressionCompiler::variableInstruction(Opcode::StoreIndexed, meaning);
        instruction.c = count;
        instruction.flags = statement.isSet ? Instruction::setAssignment : 0;
        m_builder.append(instruction, count + 1, 0);
    } else if (meaning.kind == NameMeaning::Kind::ClassMember) {
        m_builder.append(Opcode::PushMe, 0, 1);
        m_expressions.compileArguments(call->arguments, false);
        m_expressions.compile(*statement.value);
        instruction.opcode = Opcode::Member;
        instruction.b = m_builder.memberName(name->name);
        m_builder.append(instruction, count + 2, 0);
    } else {
        emitRaise(RuntimeError::IllegalAssignment);
    }
}

// `s = s & a & b`: appended in place, so that building a text in a loop takes linear time.
bool StatementCompiler::compileAppend(const AssignmentStatement &statement)
{
    const auto *name = statement.target->as<NameExpression>();
    if (!name) {
        return false;
    }
    const std::vector<const Expression *> parts = appendedParts(name->name, *statement.value);
    if (parts.empty()) {
        return false;
    }
    const NameMeaning meaning = m_scope.resolve(name->name, false);
    if (!meaning.isVariable()) {
        return false;
    }
    m_builder.append(ExpressionCompiler::variableInstruction(Opcode::LoadVariable, meaning), 0, 1);
    for (const Expression *part : parts) {
        m_expressions.compile(*part);
    }
    Instruction instruction =
        ExpressionCompiler::variableInstruction(Opcode::AppendToVariable, meaning);
    instruction.c = int(parts.size());
    m_builder.append(instruction, int(parts.size()) + 1, 0);
    return true;
}

void StatementCompiler::compileCallStatement(const CallStatement &statement)
{
    m_expressions.compileCall(*statement.callee, statement.arguments, true);
}

void StatementCompiler::compileReDim(const ReDimStatement &statement)
{
    for (const ReDimStatement::Target &target : statement.targets) {
        const int count = int(target.upperBounds.size());
        for (const ExpressionPointer &bound : target.upperBounds) {
            m_expressions.compile(*bound);
        }
        const NameMeaning meaning = m_scope.resolve(target.name.text, false);
        if (!meaning.isVariable()) {
            emitRaise(RuntimeError::IllegalAssignment);
            continue;
        }
        Instruction instruction = ExpressionCompiler::variableInstruction(Opcode::ReDim, meaning);
        instruction.c = count;
        instruction.flags = statement.preserve ? Instruction::preserve : 0;
        m_builder.append(instruction, count, 0);
    }
}

void StatementCompiler::compileErase(const EraseStatement &statement)
{
    for (const NameReference &array : statement.arrays) {
        const NameMeaning meaning = m_scope.resolve(array.text, false);
        if (meaning.isVariable()) {
            m_builder.append(ExpressionCompiler::variableInstruction(Opcode::Erase, meaning), 0, 0);
        } else {
            emitRaise(RuntimeError::TypeMismatch);
        }
    }
}

// --- Blocks ------------------------------------------------------------------------------------

std::vector<int> StatementCompiler::compileBlock(Block::Kind kind, const StatementList &body,
                                                 int hiddenSlot)
{
    m_blocks.push_back(Block{kind, hiddenSlot, {}});
    compile(body);
    std::vector<int> exits = std::move(m_blocks.back().exitJumps);
    m_blocks.pop_back();
    return exits;
}

void StatementCompiler::compileIf(const IfStatement &statement)
{
    std::vector<int> endJumps;
    for (size_t i = 0; i < statement.branches.size(); ++i) {
        const IfStatement::Branch &branch = statement.branches[i];
        m_builder.setPosition(branch.position);
        // An error in the condition goes on into the branch, as the engine does.
        const int segment = m_builder.beginSegment();
        m_expressions.compile(*branch.condition);
        const int skip = emitJump(Opcode::JumpIfFalse);
        m_builder.endSegment(segment);
        compile(branch.body);
        if (i + 1 < statement.branches.size() || statement.hasElse) {
            endJumps.push_back(emitJump(Opcode::Jump));
        }
        m_builder.patch(skip, m_builder.here());
    }
    compile(statement.elseBody);
    for (const int jump : endJumps) {
        m_builder.patch(jump, m_builder.here());
    }
}

Instruction StatementCompiler::loopInstruction(Opcode opcode, const NameReference &variable,
                                               int hiddenSlot)
{
    Instruction instruction =
        ExpressionCompiler::variableInstruction(opcode, m_scope.resolve(variable.text, false));
    instruction.b = hiddenSlot;
    return instruction;
}

void StatementCompiler::compileFor(const ForStatement &statement)
{
    const int segment = m_builder.beginSegment();
    m_expressions.compile(*statement.from);
    m_expressions.compile(*statement.to);
    if (statement.step) {
        m_expressions.compile(*statement.step);
    } else {
        Instruction one;
        one.opcode = Opcode::PushConstant;
        one.a = m_builder.constant(Value::integer(1));
        m_builder.append(one, 0, 1);
    }
    const int hidden = m_builder.newSlot();
    m_builder.newSlot();
    const int init =
        m_builder.append(loopInstruction(Opcode::ForInit, statement.variable, hidden), 3, 0);
    const int body = m_builder.here();
    const std::vector<int> exits = compileBlock(Block::Kind::For, statement.body);
    m_builder.setPosition(statement.position);
    Instruction next = loopInstruction(Opcode::ForNext, statement.variable, hidden);
    next.c = body;
    const int nextIndex = m_builder.append(next, 0, 0);
    const int exit = m_builder.here();
    emitClear(hidden, 2);
    m_builder.patch(init, exit);
    for (const int jump : exits) {
        m_builder.patch(jump, exit);
    }
    // An error in the head or in the step leaves the loop.
    m_builder.setResumeTarget(segment, init + 1, exit);
    m_builder.setResumeTarget(nextIndex, nextIndex + 1, exit);
}

void StatementCompiler::compileForEach(const ForEachStatement &statement)
{
    const int segment = m_builder.beginSegment();
    m_expressions.compile(*statement.collection);
    const int hidden = m_builder.newSlot();
    m_builder.newSlot();
    Instruction init;
    init.opcode = Opcode::ForEachInit;
    init.b = hidden;
    m_builder.append(init, 1, 0);
    const int top = m_builder.here();
    const int next =
        m_builder.append(loopInstruction(Opcode::ForEachNext, statement.variable, hidden), 0, 0);
    const std::vector<int> exits = compileBlock(Block::Kind::For, statement.body);
    emitJump(Opcode::Jump, top);
    const int exit = m_builder.here();
    emitClear(hidden, 2);
    m_builder.patch(next, exit);
    for (const int jump : exits) {
        m_builder.patch(jump, exit);
    }
    // An error in the collection or in taking the next item leaves the loop.
    m_builder.setResumeTarget(segment, next + 1, exit);
}

void StatementCompiler::compileDo(const DoStatement &statement)
{
    using Test = DoStatement::Test;
    const int top = m_builder.here();
    int leave = -1;
    if (statement.test == Test::WhileBefore || statement.test == Test::UntilBefore) {
        const int segment = m_builder.beginSegment();
        m_expressions.compile(*statement.condition);
        leave = emitJump(statement.test == Test::WhileBefore ? Opcode::JumpIfFalse
                                                             : Opcode::JumpIfTrue);
        m_builder.endSegment(segment);
    }
    std::vector<int> exits = compileBlock(Block::Kind::Do, statement.body);
    if (statement.test == Test::WhileAfter || statement.test == Test::UntilAfter) {
        const int segment = m_builder.beginSegment();
        m_expressions.compile(*statement.condition);
        emitJump(statement.test == Test::WhileAfter ? Opcode::JumpIfTrue : Opcode::JumpIfFalse,
                 top);
        m_builder.endSegment(segment);
    } else {
        emitJump(Opcode::Jump, top);
    }
    if (leave >= 0) {
        exits.push_back(leave);
    }
    for (const int jump : exits) {
        m_builder.patch(jump, m_builder.here());
    }
}

void StatementCompiler::compileWhile(const WhileStatement &statement)
{
    const int top = m_builder.here();
    const int segment = m_builder.beginSegment();
    m_expressions.compile(*statement.condition);
    const int leave = emitJump(Opcode::JumpIfFalse);
    m_builder.endSegment(segment);
    // While ... Wend has no Exit of its own: an Exit Do inside belongs to an outer Do.
    compile(statement.body);
    emitJump(Opcode::Jump, top);
    m_builder.patch(leave, m_builder.here());
}

int StatementCompiler::compileIntoHiddenSlot(const Expression &expression)
{
    const int hidden = m_builder.newSlot();
    const int segment = m_builder.beginSegment();
    m_expressions.compile(expression);
    Instruction store;
    store.opcode = Opcode::StoreRaw;
    store.a = hidden;
    m_builder.append(store, 1, 0);
    m_builder.endSegment(segment);
    return hidden;
}

void StatementCompiler::compileSelect(const SelectStatement &statement)
{
    const int hidden = compileIntoHiddenSlot(*statement.subject);
    std::vector<int> endJumps;
    m_blocks.push_back(Block{Block::Kind::Select, hidden, {}});
    for (const SelectStatement::Case &clause : statement.cases) {
        m_builder.setPosition(clause.position);
        std::vector<int> matches;
        int skip = -1;
        for (size_t i = 0; i < clause.values.size(); ++i) {
            const int test = m_builder.beginSegment();
            Instruction load;
            load.opcode = Opcode::LoadLocal;
            load.a = hidden;
            m_builder.append(load, 0, 1);
            m_expressions.compile(*clause.values[i]);
            Instruction compare;
            compare.opcode = Opcode::Compare;
            compare.b = int(Operators::Comparison::Equal);
            if (m_expressions.isLiteral(*clause.values[i])) {
                compare.flags = Instruction::rightLiteral;
            }
            m_builder.append(compare, 2, 1);
            if (i + 1 < clause.values.size()) {
                matches.push_back(emitJump(Opcode::JumpIfTrue));
            } else {
                skip = emitJump(Opcode::JumpIfFalse);
            }
            m_builder.endSegment(test);
        }
        for (const int match : matches) {
            m_builder.patch(match, m_builder.here());
        }
        compile(clause.body);
        endJumps.push_back(emitJump(Opcode::Jump));
        m_builder.patch(skip, m_builder.here());
    }
    compile(statement.elseBody);
    m_blocks.pop_back();
    for (const int jump : endJumps) {
        m_builder.patch(jump, m_builder.here());
    }
    emitClear(hidden, 1);
}

void StatementCompiler::compileWith(const WithStatement &statement)
{
    const int hidden = compileIntoHiddenSlot(*statement.object);
    m_withSlots.push_back(hidden);
    m_blocks.push_back(Block{Block::Kind::With, hidden, {}});
    compile(statement.body);
    m_blocks.pop_back();
    m_withSlots.pop_back();
    emitClear(hidden, 1);
}

void StatementCompiler::compileExit(const ExitStatement &statement)
{
    using Target = ExitStatement::Target;
    if (statement.target != Target::Do && statement.target != Target::For) {
        m_builder.append(Opcode::ExitProcedure, 0, 0);
        return;
    }
    const Block::Kind loop = statement.target == Target::Do ? Block::Kind::Do : Block::Kind::For;
    for (auto block = m_blocks.rbegin(); block != m_blocks.rend(); ++block) {
        if (block->kind == loop) {
            block->exitJumps.push_back(emitJump(Opcode::Jump));
            return;
        }
        // The With objects and Select subjects left on the way go now.
        if (block->hiddenSlot >= 0) {
            emitClear(block->hiddenSlot, 1);
        }
    }
}

} // namespace VBScript
