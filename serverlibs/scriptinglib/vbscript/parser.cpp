#include "parser.h"

#include <algorithm>
#include <optional>

namespace VBScript {

Parser::Parser(const QString &source)
    : m_state(source)
    , m_expressions(m_state)
    , m_blocks(m_state)
{}

std::unique_ptr<Script> Parser::parse(const QString &source, SyntaxError *error)
{
    Parser parser(source);
    std::unique_ptr<Script> script = parser.parseScript();
    if (!script || parser.m_state.failed()) {
        if (error) {
            *error = parser.m_state.error();
        }
        return nullptr;
    }
    return script;
}

ExpressionPointer Parser::parseExpression(const QString &source, SyntaxError *error)
{
    Parser parser(source);
    ParserState &state = parser.m_state;
    while (state.at(TokenKind::EndOfLine)) {
        state.advance();
    }
    ExpressionPointer expression = parser.m_expressions.parseExpression();
    while (expression && state.at(TokenKind::EndOfLine)) {
        state.advance();
    }
    if (expression && !state.at(TokenKind::EndOfScript)) {
        state.failExpected(tr("the end of the expression"));
    }
    if (!expression || state.failed()) {
        if (error) {
            *error = state.error();
        }
        return nullptr;
    }
    return expression;
}

std::unique_ptr<Script> Parser::parseScript()
{
    const BlockStack::Guard block(m_blocks, BlockStack::Kind::Script, SourcePosition{1, 1});
    auto script = std::make_unique<Script>();
    if (!parseStatements(&script->statements)) {
        return nullptr;
    }
    return script;
}

// --- Blocks ----------------------------------------------------------------------------------

bool Parser::parseStatements(StatementList *statements)
{
    for (;;) {
        skipSeparators();
        if (m_state.at(TokenKind::EndOfScript)) {
            if (m_blocks.innermost() == BlockStack::Kind::Script) {
                return true;
            }
            m_blocks.failUnclosed();
            return false;
        }
        const BlockStack::Closer closer = m_blocks.closerAtCurrent();
        if (closer != BlockStack::Closer::None) {
            if (m_blocks.innermostAccepts(closer)) {
                return true;
            }
            m_blocks.failMisplaced(closer);
            return false;
        }
        StatementPointer statement = parseStatement();
        if (!statement || !m_state.expectSeparator()) {
            return false;
        }
        statements->push_back(std::move(statement));
    }
}

void Parser::skipSeparators()
{
    while (m_state.at(TokenKind::EndOfLine) || m_state.at(TokenKind::Colon)) {
        m_state.advance();
    }
}

// --- Statements ------------------------------------------------------------------------------

StatementPointer Parser::parseStatement()
{
    const ParserState::NestingGuard nesting(m_state);
    if (!nesting.isValid()) {
        return nullptr;
    }
    ++m_statementCount;
    const Token &token = m_state.current();
    if (m_blocks.innermost() == BlockStack::Kind::Class) {
        static const Keyword members[] = {Keyword::Dim, Keyword::Public,   Keyword::Private,
                                          Keyword::Sub, Keyword::Function, Keyword::Property};
        if (std::none_of(std::begin(members), std::end(members),
                         [&token](Keyword keyword) { return token.isKeyword(keyword); })) {
            m_state.failExpected(tr("a variable or procedure declaration, or %1")
                                     .arg(BlockStack::describe(BlockStack::Closer::EndClass)));
            return nullptr;
        }
    }
    return token.kind == TokenKind::Keyword && !token.isKeyword(Keyword::Me)
               ? parseKeywordStatement()
               : parseAssignmentOrCall();
}

StatementPointer Parser::parseKeywordStatement()
{
    const Token &token = m_state.current();
    switch (token.keyword) {
    case Keyword::Dim:
        return parseDim();
    case Keyword::Public:
    case Keyword::Private:
        return parseModifiedDeclaration();
    case Keyword::Const:
        return parseConst(Visibility::Implicit, token.position);
    case Keyword::ReDim:
        return parseReDim();
    case Keyword::Erase:
        return parseErase();
    case Keyword::Set:
        return parseSet();
    case Keyword::Call:
        return parseCall();
    case Keyword::If:
        return parseIf();
    case Keyword::For:
        return parseFor();
    case Keyword::Do:
        return parseDo();
    case Keyword::While:
        return parseWhile();
    case Keyword::Select:
        return parseSelect();
    case Keyword::With:
        return parseWith();
    case Keyword::Exit:
        return parseExit();
    case Keyword::On:
        return parseOnError();
    case Keyword::Option:
        return parseOptionExplicit();
    case Keyword::Sub:
    case Keyword::Function:
    case Keyword::Property:
        return parseProcedure(Visibility::Implicit, false, token.position);
    case Keyword::Class:
        return parseClass();
    case Keyword::Stop: {
        auto statement = std::make_unique<StopStatement>(token.position);
        m_state.advance();
        return statement;
    }
    case Keyword::End:
        m_state.advance();
        m_state.failExpected(tr("'If', 'Sub', 'Function', 'Property', 'Class', 'Select' or "
                                "'With' after 'End'"));
        return nullptr;
    default:
        m_state.failExpected(tr("a statement"));
        return nullptr;
    }
}

StatementPointer Parser::parseAssignmentOrCall()
{
    const SourcePosition position = m_state.current().position;
    if (!m_expressions.atReference()) {
        m_state.failExpected(tr("a statement"));
        return nullptr;
    }
    const int start = m_state.index();
    int argumentList = -1;
    ExpressionPointer reference = m_expressions.parseReference(-1, &argumentList);
    if (!reference) {
        return nullptr;
    }
    if (m_state.accept(TokenKind::Equal)) {
        auto statement = std::make_unique<AssignmentStatement>(position);
        statement->target = std::move(reference);
        statement->value = m_expressions.parseExpression();
        return statement->value ? std::move(statement) : nullptr;
    }
    auto statement = std::make_unique<CallStatement>(position);
    if (m_state.atStatementEnd()) {
        // Without Call, parentheses right after the name hold one argument in parentheses, as
        // in `f (x)`, which the engine passes by value; more than one is refused.
        if (CallExpression *call = reference->as<CallExpression>()) {
            if (call->arguments.size() > 1) {
                m_state.fail(m_state.token(argumentList).position,
                             tr("Cannot use parentheses when calling a Sub: write the arguments "
                                "without them, or use 'Call'"));
                return nullptr;
            }
            if (call->arguments.size() == 1) {
                ExpressionPointer &argument = call->arguments.front();
                argument = std::make_unique<ParenthesizedExpression>(
                    m_state.token(argumentList).position, std::move(argument));
            }
            splitCall(std::move(reference), statement.get());
        } else {
            statement->callee = std::move(reference);
        }
        return statement;
    }
    // Arguments without parentheses follow. If the reference ended in an argument list, that
    // list was the first argument, in parentheses: `MsgBox ("a") & "b"`. Read it again so.
    if (argumentList >= 0) {
        m_state.rewind(start);
        reference = m_expressions.parseReference(argumentList);
    }
    statement->callee = std::move(reference);
    if (!statement->callee
        || !m_expressions.parseArgumentsWithoutParentheses(&statement->arguments)) {
        return nullptr;
    }
    return statement;
}

void Parser::splitCall(ExpressionPointer reference, CallStatement *statement)
{
    if (CallExpression *call = reference->as<CallExpression>()) {
        statement->callee = std::move(call->callee);
        statement->arguments = std::move(call->arguments);
    } else {
        statement->callee = std::move(reference);
    }
}

StatementPointer Parser::parseSet()
{
    auto statement = std::make_unique<AssignmentStatement>(m_state.current().position);
    statement->isSet = true;
    m_state.advance();
    if (!m_expressions.atReference()) {
        m_state.failExpected(tr("a variable or property to set"));
        return nullptr;
    }
    statement->target = m_expressions.parseReference();
    if (!statement->target
        || !m_state.expect(TokenKind::Equal, ParserState::quoted(QStringLiteral("=")))) {
        return nullptr;
    }
    statement->value = m_expressions.parseExpression();
    return statement->value ? std::move(statement) : nullptr;
}

StatementPointer Parser::parseCall()
{
    auto statement = std::make_unique<CallStatement>(m_state.current().position);
    statement->explicitCall = true;
    m_state.advance();
    if (!m_expressions.atReference()) {
        m_state.failExpected(tr("the name of a procedure or method to call"));
        return nullptr;
    }
    ExpressionPointer reference = m_expressions.parseReference();
    if (!reference) {
        return nullptr;
    }
    splitCall(std::move(reference), statement.get());
    return statement;
}

// --- Declarations ----------------------------------------------------------------------------

bool Parser::expectName(const QString &what, NameReference *name)
{
    const Token &token = m_state.current();
    if (token.kind != TokenKind::Identifier) {
        m_state.failExpected(what);
        return false;
    }
    name->text = token.text;
    name->position = token.position;
    m_state.advance();
    return true;
}

StatementPointer Parser::parseDim()
{
    auto statement = std::make_unique<DimStatement>(m_state.current().position);
    m_state.advance();
    return parseVariables(statement.get()) ? std::move(statement) : nullptr;
}

bool Parser::parseVariables(DimStatement *statement)
{
    do {
        VariableDeclarator variable;
        if (!expectName(tr("a variable name"), &variable.name)
            || !m_blocks.declare(variable.name, BlockStack::VariableName)) {
            return false;
        }
        if (m_state.accept(TokenKind::LeftParenthesis)) {
            variable.isArray = true;
            if (!m_state.accept(TokenKind::RightParenthesis)) {
                do {
                    const Token &bound = m_state.current();
                    if (bound.kind != TokenKind::IntegerLiteral
                        && bound.kind != TokenKind::LongLiteral) {
                        m_state.failExpected(tr("a whole number as the upper bound (use 'ReDim' "
                                                "for sizes computed at run time)"));
                        return false;
                    }
                    variable.upperBounds.push_back(bound.value.toInt());
                    m_state.advance();
                } while (m_state.accept(TokenKind::Comma));
                if (!m_state.expectListEnd()) {
                    return false;
                }
            }
        }
        statement->variables.push_back(std::move(variable));
    } while (m_state.accept(TokenKind::Comma));
    return true;
}

StatementPointer Parser::parseModifiedDeclaration()
{
    const Token &first = m_state.current();
    const SourcePosition position = first.position;
    const Visibility visibility =
        first.isKeyword(Keyword::Public) ? Visibility::Public : Visibility::Private;
    const QString modifier = ParserState::quoted(first.keyword);
    const BlockStack::Kind innermost = m_blocks.innermost();
    if (innermost != BlockStack::Kind::Script && innermost != BlockStack::Kind::Class) {
        // Before a procedure, the block around is most likely missing its end.
        const Token &next = m_state.next();
        if (next.isKeyword(Keyword::Sub) || next.isKeyword(Keyword::Function)
            || next.isKeyword(Keyword::Property) || next.isWord(QLatin1String("default"))) {
            m_blocks.failUnclosed();
        } else {
            m_state.fail(position, tr("%1 can only be used at the top level of the script or in a "
                                      "class; use 'Dim' inside procedures")
                                       .arg(modifier));
        }
        return nullptr;
    }
    m_state.advance();
    bool isDefault = false;
    if (m_state.atWord(QLatin1String("default"))) {
        if (visibility != Visibility::Public || innermost != BlockStack::Kind::Class) {
            m_state.fail(m_state.current().position,
                         tr("'Default' can only be used as 'Public Default' in a class"));
            return nullptr;
        }
        isDefault = true;
        m_state.advance();
        if (!m_state.at(Keyword::Sub) && !m_state.at(Keyword::Function)
            && !m_state.at(Keyword::Property)) {
            m_state.failExpected(tr("'Function', 'Sub' or 'Property Get'"));
            return nullptr;
        }
    }
    if (m_state.at(Keyword::Sub) || m_state.at(Keyword::Function)
        || m_state.at(Keyword::Property)) {
        return parseProcedure(visibility, isDefault, position);
    }
    if (m_state.at(Keyword::Const) && innermost != BlockStack::Kind::Class) {
        return parseConst(visibility, position);
    }
    if (!m_state.at(TokenKind::Identifier)) {
        m_state.failExpected(innermost == BlockStack::Kind::Class
                                 ? tr("a variable name, 'Sub', 'Function' or 'Property'")
                                 : tr("a variable name, 'Const', 'Sub' or 'Function'"));
        return nullptr;
    }
    auto statement = std::make_unique<DimStatement>(position);
    statement->visibility = visibility;
    return parseVariables(statement.get()) ? std::move(statement) : nullptr;
}

StatementPointer Parser::parseConst(Visibility visibility, SourcePosition position)
{
    auto statement = std::make_unique<ConstStatement>(position);
    statement->visibility = visibility;
    m_state.advance(); // Const
    do {
        ConstStatement::Constant constant;
        if (!expectName(tr("a constant name"), &constant.name)
            || !m_state.expect(TokenKind::Equal, ParserState::quoted(QStringLiteral("=")))) {
            return nullptr;
        }
        constant.value = m_expressions.parseConstantValue();
        if (!constant.value || !m_blocks.declare(constant.name, BlockStack::ConstantName)) {
            return nullptr;
        }
        statement->constants.push_back(std::move(constant));
    } while (m_state.accept(TokenKind::Comma));
    return statement;
}

StatementPointer Parser::parseReDim()
{
    auto statement = std::make_unique<ReDimStatement>(m_state.current().position);
    m_state.advance();
    // "Preserve" is a keyword only here: ReDim preserve(3) sizes an array named preserve.
    if (m_state.atWord(QLatin1String("preserve")) && m_state.next().kind == TokenKind::Identifier) {
        statement->preserve = true;
        m_state.advance();
    }
    do {
        ReDimStatement::Target target;
        if (!expectName(tr("an array name"), &target.name)
            || !m_state.expect(TokenKind::LeftParenthesis,
                               ParserState::quoted(QStringLiteral("(")))) {
            return nullptr;
        }
        do {
            ExpressionPointer bound = m_expressions.parseExpression();
            if (!bound) {
                return nullptr;
            }
            target.upperBounds.push_back(std::move(bound));
        } while (m_state.accept(TokenKind::Comma));
        if (!m_state.expectListEnd()) {
            return nullptr;
        }
        statement->targets.push_back(std::move(target));
    } while (m_state.accept(TokenKind::Comma));
    return statement;
}

StatementPointer Parser::parseErase()
{
    auto statement = std::make_unique<EraseStatement>(m_state.current().position);
    m_state.advance();
    do {
        NameReference name;
        if (!expectName(tr("an array name"), &name)) {
            return nullptr;
        }
        statement->arrays.push_back(name);
    } while (m_state.accept(TokenKind::Comma));
    return statement;
}

// --- Control flow ----------------------------------------------------------------------------

StatementPointer Parser::parseIf()
{
    auto statement = std::make_unique<IfStatement>(m_state.current().position);
    IfStatement::Branch branch;
    branch.position = m_state.current().position;
    m_state.advance();
    branch.condition = m_expressions.parseExpression();
    if (!branch.condition || !m_state.expect(Keyword::Then)) {
        return nullptr;
    }
    statement->branches.push_back(std::move(branch));
    // Then at the end of its line opens a block; anything after it makes the single-line form.
    const bool block = m_state.at(TokenKind::EndOfLine) || m_state.at(TokenKind::EndOfScript);
    const bool parsed = block ? parseBlockIf(statement.get()) : parseSingleLineIf(statement.get());
    return parsed ? std::move(statement) : nullptr;
}

bool Parser::parseBlockIf(IfStatement *statement)
{
    const BlockStack::Guard block(m_blocks, BlockStack::Kind::If, statement->position);
    if (!parseStatements(&statement->branches.back().body)) {
        return false;
    }
    for (;;) {
        const BlockStack::Closer closer = m_blocks.closerAtCurrent();
        if (closer == BlockStack::Closer::EndIf) {
            m_blocks.skipCloser();
            return true;
        }
        if (statement->hasElse) {
            // ElseIf or a second Else after Else.
            m_blocks.failUnclosed();
            return false;
        }
        if (closer == BlockStack::Closer::Else) {
            m_state.advance();
            statement->hasElse = true;
            if (!parseStatements(&statement->elseBody)) {
                return false;
            }
            continue;
        }
        IfStatement::Branch branch;
        branch.position = m_state.current().position;
        m_state.advance(); // ElseIf
        branch.condition = m_expressions.parseExpression();
        if (!branch.condition || !m_state.expect(Keyword::Then)) {
            return false;
        }
        statement->branches.push_back(std::move(branch));
        if (!parseStatements(&statement->branches.back().body)) {
            return false;
        }
    }
}

bool Parser::parseSingleLineIf(IfStatement *statement)
{
    statement->singleLine = true;
    m_state.enterSingleLineIf();
    bool parsed = parseLineStatements(&statement->branches.back().body, true);
    if (parsed && m_state.accept(Keyword::Else)) {
        statement->hasElse = true;
        parsed = parseLineStatements(&statement->elseBody, false);
    }
    m_state.leaveSingleLineIf();
    // The engine accepts an End If closing a single-line If.
    if (parsed && m_state.at(Keyword::End) && m_state.next().isKeyword(Keyword::If)) {
        m_blocks.skipCloser();
    }
    return parsed;
}

bool Parser::parseLineStatements(StatementList *statements, bool elseMayFollow)
{
    for (;;) {
        if (m_state.accept(TokenKind::Colon)) {
            continue;
        }
        if (m_state.at(TokenKind::EndOfLine) || m_state.at(TokenKind::EndOfScript)
            || (elseMayFollow && m_state.at(Keyword::Else))
            || (m_state.at(Keyword::End) && m_state.next().isKeyword(Keyword::If))) {
            return true;
        }
        const BlockStack::Closer closer = m_blocks.closerAtCurrent();
        if (closer != BlockStack::Closer::None) {
            m_state.fail(
                m_state.current().position,
                tr("%1 cannot stand in a single-line 'If'").arg(BlockStack::describe(closer)));
            return false;
        }
        StatementPointer statement = parseStatement();
        if (!statement) {
            return false;
        }
        statements->push_back(std::move(statement));
        if (!m_state.atStatementEnd() || (!elseMayFollow && m_state.at(Keyword::Else))) {
            m_state.failExpected(tr("the end of the statement"));
            return false;
        }
    }
}

StatementPointer Parser::parseFor()
{
    const SourcePosition position = m_state.current().position;
    m_state.advance();
    StatementPointer result;
    StatementList *body = nullptr;
    BlockStack::Kind kind = BlockStack::Kind::For;
    if (m_state.accept(Keyword::Each)) {
        kind = BlockStack::Kind::ForEach;
        auto statement = std::make_unique<ForEachStatement>(position);
        if (!expectName(tr("a loop variable"), &statement->variable)
            || !m_state.expect(Keyword::In)) {
            return nullptr;
        }
        statement->collection = m_expressions.parseExpression();
        if (!statement->collection) {
            return nullptr;
        }
        body = &statement->body;
        result = std::move(statement);
    } else {
        auto statement = std::make_unique<ForStatement>(position);
        if (!expectName(tr("a loop variable or 'Each'"), &statement->variable)
            || !m_state.expect(TokenKind::Equal, ParserState::quoted(QStringLiteral("=")))) {
            return nullptr;
        }
        statement->from = m_expressions.parseExpression();
        if (!statement->from || !m_state.expect(Keyword::To)) {
            return nullptr;
        }
        statement->to = m_expressions.parseExpression();
        if (!statement->to) {
            return nullptr;
        }
        if (m_state.atWord(QLatin1String("step"))) {
            m_state.advance();
            statement->step = m_expressions.parseExpression();
            if (!statement->step) {
                return nullptr;
            }
        }
        body = &statement->body;
        result = std::move(statement);
    }
    if (!m_state.expectSeparator()) {
        return nullptr;
    }
    const BlockStack::Guard block(m_blocks, kind, position);
    if (!parseStatements(body)) {
        return nullptr;
    }
    m_blocks.skipCloser(); // Next
    if (m_state.at(TokenKind::Identifier)) {
        m_state.fail(m_state.current().position,
                     tr("Expected the end of the statement after 'Next'; found %1 (VBScript "
                        "does not allow a loop variable after 'Next')")
                         .arg(m_state.describeCurrent()));
        return nullptr;
    }
    return result;
}

StatementPointer Parser::parseDo()
{
    auto statement = std::make_unique<DoStatement>(m_state.current().position);
    m_state.advance();
    if (m_state.at(Keyword::While) || m_state.at(Keyword::Until)) {
        statement->test = m_state.at(Keyword::While) ? DoStatement::Test::WhileBefore
                                                     : DoStatement::Test::UntilBefore;
        m_state.advance();
        statement->condition = m_expressions.parseExpression();
        if (!statement->condition) {
            return nullptr;
        }
    }
    if (!m_state.expectSeparator()) {
        return nullptr;
    }
    {
        const BlockStack::Guard block(m_blocks, BlockStack::Kind::Do, statement->position);
        if (!parseStatements(&statement->body)) {
            return nullptr;
        }
    }
    m_blocks.skipCloser(); // Loop
    if (m_state.at(Keyword::While) || m_state.at(Keyword::Until)) {
        if (statement->test != DoStatement::Test::None) {
            m_state.fail(m_state.current().position,
                         tr("A 'Do' loop can test its condition at 'Do' or at 'Loop', not at "
                            "both"));
            return nullptr;
        }
        statement->test = m_state.at(Keyword::While) ? DoStatement::Test::WhileAfter
                                                     : DoStatement::Test::UntilAfter;
        m_state.advance();
        statement->condition = m_expressions.parseExpression();
        if (!statement->condition) {
            return nullptr;
        }
    }
    return statement;
}

StatementPointer Parser::parseWhile()
{
    auto statement = std::make_unique<WhileStatement>(m_state.current().position);
    m_state.advance();
    statement->condition = m_expressions.parseExpression();
    if (!statement->condition || !m_state.expectSeparator()) {
        return nullptr;
    }
    const BlockStack::Guard block(m_blocks, BlockStack::Kind::While, statement->position);
    if (!parseStatements(&statement->body)) {
        return nullptr;
    }
    m_blocks.skipCloser(); // Wend
    return statement;
}

StatementPointer Parser::parseSelect()
{
    auto statement = std::make_unique<SelectStatement>(m_state.current().position);
    m_state.advance();
    if (!m_state.expect(Keyword::Case)) {
        return nullptr;
    }
    statement->subject = m_expressions.parseExpression();
    if (!statement->subject || !m_state.expectSeparator()) {
        return nullptr;
    }
    const BlockStack::Guard block(m_blocks, BlockStack::Kind::Select, statement->position);
    skipSeparators();
    BlockStack::Closer closer = m_blocks.closerAtCurrent();
    if (closer != BlockStack::Closer::Case && closer != BlockStack::Closer::EndSelect) {
        if (m_state.at(TokenKind::EndOfScript)) {
            m_blocks.failUnclosed();
        } else if (closer != BlockStack::Closer::None) {
            m_blocks.failMisplaced(closer);
        } else {
            m_state.failExpected(tr("'Case' or 'End Select'"));
        }
        return nullptr;
    }
    while (closer == BlockStack::Closer::Case) {
        if (statement->hasElse) {
            m_blocks.failUnclosed(); // a Case after Case Else
            return nullptr;
        }
        const SourcePosition position = m_state.current().position;
        m_state.advance();
        StatementList *body = &statement->elseBody;
        if (m_state.accept(Keyword::Else)) {
            statement->hasElse = true;
        } else {
            SelectStatement::Case clause;
            clause.position = position;
            do {
                ExpressionPointer value = m_expressions.parseExpression();
                if (!value) {
                    return nullptr;
                }
                clause.values.push_back(std::move(value));
            } while (m_state.accept(TokenKind::Comma));
            statement->cases.push_back(std::move(clause));
            body = &statement->cases.back().body;
        }
        if (!m_state.expectSeparator() || !parseStatements(body)) {
            return nullptr;
        }
        closer = m_blocks.closerAtCurrent();
    }
    m_blocks.skipCloser(); // End Select
    return statement;
}

StatementPointer Parser::parseWith()
{
    auto statement = std::make_unique<WithStatement>(m_state.current().position);
    m_state.advance();
    statement->object = m_expressions.parseExpression();
    if (!statement->object || !m_state.expectSeparator()) {
        return nullptr;
    }
    const BlockStack::Guard block(m_blocks, BlockStack::Kind::With, statement->position);
    if (!parseStatements(&statement->body)) {
        return nullptr;
    }
    m_blocks.skipCloser(); // End With
    return statement;
}

StatementPointer Parser::parseExit()
{
    const SourcePosition position = m_state.current().position;
    m_state.advance();
    using Target = ExitStatement::Target;
    std::optional<Target> target;
    switch (m_state.current().kind == TokenKind::Keyword ? m_state.current().keyword
                                                         : Keyword::None) {
    case Keyword::Do:
        target = Target::Do;
        break;
    case Keyword::For:
        target = Target::For;
        break;
    case Keyword::Function:
        target = Target::Function;
        break;
    case Keyword::Property:
        target = Target::Property;
        break;
    case Keyword::Sub:
        target = Target::Sub;
        break;
    default:
        m_state.failExpected(tr("'Do', 'For', 'Function', 'Property' or 'Sub' after 'Exit'"));
        return nullptr;
    }
    m_state.advance();
    if (!m_blocks.checkExit(*target, position)) {
        return nullptr;
    }
    return std::make_unique<ExitStatement>(position, *target);
}

StatementPointer Parser::parseOnError()
{
    const SourcePosition position = m_state.current().position;
    m_state.advance();
    if (!m_state.atWord(QLatin1String("error"))) {
        m_state.failExpected(ParserState::quoted(QStringLiteral("Error")));
        return nullptr;
    }
    m_state.advance();
    if (m_state.atWord(QLatin1String("resume"))) {
        m_state.advance();
        if (!m_state.expect(Keyword::Next)) {
            return nullptr;
        }
        return std::make_unique<OnErrorStatement>(position, OnErrorStatement::Action::ResumeNext);
    }
    if (m_state.atWord(QLatin1String("goto"))) {
        m_state.advance();
        const Token &target = m_state.current();
        if (target.kind != TokenKind::IntegerLiteral || target.value.toInt() != 0) {
            m_state.failExpected(tr("'0' (VBScript has no line labels)"));
            return nullptr;
        }
        m_state.advance();
        return std::make_unique<OnErrorStatement>(position, OnErrorStatement::Action::GoToZero);
    }
    m_state.failExpected(tr("'Resume Next' or 'GoTo 0'"));
    return nullptr;
}

StatementPointer Parser::parseOptionExplicit()
{
    const SourcePosition position = m_state.current().position;
    m_state.advance();
    if (!m_state.atWord(QLatin1String("explicit"))) {
        m_state.failExpected(ParserState::quoted(QStringLiteral("Explicit")));
        return nullptr;
    }
    if (m_statementCount > 1) {
        m_state.fail(position, tr("'Option Explicit' must come before any other statement"));
        return nullptr;
    }
    m_state.advance();
    return std::make_unique<OptionExplicitStatement>(position);
}

// --- Procedures and classes ------------------------------------------------------------------

StatementPointer Parser::parseProcedure(Visibility visibility, bool isDefault,
                                        SourcePosition position)
{
    using Type = ProcedureDeclaration::Type;
    auto procedure = std::make_unique<ProcedureDeclaration>(position);
    procedure->visibility = visibility;
    procedure->isDefault = isDefault;
    const Token &keyword = m_state.current();
    const BlockStack::Kind innermost = m_blocks.innermost();
    BlockStack::Kind kind = BlockStack::Kind::Sub;
    BlockStack::NameKind nameKind = BlockStack::ProcedureName;
    if (keyword.isKeyword(Keyword::Property)) {
        if (innermost == BlockStack::Kind::Script) {
            m_state.fail(keyword.position, tr("A 'Property' can only be defined in a class"));
            return nullptr;
        }
        if (innermost != BlockStack::Kind::Class) {
            m_blocks.failUnclosed();
            return nullptr;
        }
        kind = BlockStack::Kind::Property;
        m_state.advance();
        if (m_state.atWord(QLatin1String("get"))) {
            procedure->type = Type::PropertyGet;
            nameKind = BlockStack::PropertyGetName;
        } else if (m_state.atWord(QLatin1String("let"))) {
            procedure->type = Type::PropertyLet;
            nameKind = BlockStack::PropertyLetName;
        } else if (m_state.at(Keyword::Set)) {
            procedure->type = Type::PropertySet;
            nameKind = BlockStack::PropertySetName;
        } else {
            m_state.failExpected(tr("'Get', 'Let' or 'Set' after 'Property'"));
            return nullptr;
        }
        if (isDefault && procedure->type != Type::PropertyGet) {
            m_state.fail(m_state.current().position,
                         tr("'Default' can only be used with 'Function', 'Sub' or "
                            "'Property Get'"));
            return nullptr;
        }
    } else {
        // Procedures stand at the top level or in a class: anywhere else, the block around
        // them is most likely missing its end.
        if (innermost != BlockStack::Kind::Script && innermost != BlockStack::Kind::Class) {
            m_blocks.failUnclosed();
            return nullptr;
        }
        const bool isSub = keyword.isKeyword(Keyword::Sub);
        kind = isSub ? BlockStack::Kind::Sub : BlockStack::Kind::Function;
        procedure->type = isSub ? Type::Sub : Type::Function;
    }
    m_state.advance();
    if (isDefault) {
        if (!m_blocks.claimDefaultMember(position)) {
            return nullptr;
        }
    }
    if (!expectName(tr("a procedure name"), &procedure->name)
        || !m_blocks.declare(procedure->name, nameKind)) {
        return nullptr;
    }
    const BlockStack::Guard block(m_blocks, kind, position);
    if (!parseParameters(procedure.get()) || !m_state.expectSeparator()) {
        return nullptr;
    }
    if ((procedure->type == Type::PropertyLet || procedure->type == Type::PropertySet)
        && procedure->parameters.empty()) {
        m_state.fail(procedure->name.position,
                     tr("'Property %1' needs at least one parameter: the value assigned")
                         .arg(procedure->type == Type::PropertyLet ? QStringLiteral("Let")
                                                                   : QStringLiteral("Set")));
        return nullptr;
    }
    if (!parseStatements(&procedure->body)) {
        return nullptr;
    }
    procedure->endPosition = m_state.current().position;
    m_blocks.skipCloser();
    return procedure;
}

bool Parser::parseParameters(ProcedureDeclaration *procedure)
{
    if (!m_state.accept(TokenKind::LeftParenthesis)
        || m_state.accept(TokenKind::RightParenthesis)) {
        return true;
    }
    do {
        ProcedureDeclaration::Parameter parameter;
        if (m_state.at(Keyword::ByVal) || m_state.at(Keyword::ByRef)) {
            parameter.byValue = m_state.at(Keyword::ByVal);
            m_state.advance();
        }
        if (!expectName(tr("a parameter name"), &parameter.name)
            || !m_blocks.declare(parameter.name, BlockStack::VariableName)) {
            return false;
        }
        if (m_state.accept(TokenKind::LeftParenthesis)) {
            parameter.isArray = true;
            if (!m_state.expect(TokenKind::RightParenthesis,
                                ParserState::quoted(QStringLiteral(")")))) {
                return false;
            }
        }
        procedure->parameters.push_back(parameter);
    } while (m_state.accept(TokenKind::Comma));
    return m_state.expectListEnd();
}

StatementPointer Parser::parseClass()
{
    auto declaration = std::make_unique<ClassDeclaration>(m_state.current().position);
    if (m_blocks.innermost() != BlockStack::Kind::Script) {
        m_blocks.failUnclosed();
        return nullptr;
    }
    m_state.advance();
    if (!expectName(tr("a class name"), &declaration->name)
        || !m_blocks.declare(declaration->name, BlockStack::ClassName)
        || !m_state.expectSeparator()) {
        return nullptr;
    }
    const BlockStack::Guard block(m_blocks, BlockStack::Kind::Class, declaration->position);
    if (!parseStatements(&declaration->members)) {
        return nullptr;
    }
    declaration->endPosition = m_state.current().position;
    m_blocks.skipCloser();
    return declaration;
}

} // namespace VBScript
