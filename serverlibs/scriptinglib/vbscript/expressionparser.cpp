#include "expressionparser.h"

#include "parserstate.h"

#include <optional>

namespace VBScript {

namespace {

using Operator = BinaryExpression::Operator;

// Binding ranks, loosest first. Not and the unary signs have a rank of their own: the operand
// of Not takes in comparisons (Not a = b is Not (a = b)), that of - only ^ (-2 ^ 2 is -4).
enum Rank {
    RankImp = 1,
    RankEqv,
    RankXor,
    RankOr,
    RankAnd,
    RankNot,
    RankComparison,
    RankConcatenation,
    RankAddition,
    RankModulo,
    RankIntegerDivision,
    RankMultiplication,
    RankSign,
    RankPower,
};

struct BinaryOperator
{
    Operator op;
    int rank;
};

std::optional<BinaryOperator> binaryOperator(const Token &token)
{
    switch (token.kind) {
    case TokenKind::Power:
        return BinaryOperator{Operator::Power, RankPower};
    case TokenKind::Multiply:
        return BinaryOperator{Operator::Multiply, RankMultiplication};
    case TokenKind::Divide:
        return BinaryOperator{Operator::Divide, RankMultiplication};
    case TokenKind::IntegerDivide:
        return BinaryOperator{Operator::IntegerDivide, RankIntegerDivision};
    case TokenKind::Plus:
        return BinaryOperator{Operator::Add, RankAddition};
    case TokenKind::Minus:
        return BinaryOperator{Operator::Subtract, RankAddition};
    case TokenKind::Concatenate:
        return BinaryOperator{Operator::Concatenate, RankConcatenation};
    case TokenKind::Equal:
        return BinaryOperator{Operator::Equal, RankComparison};
    case TokenKind::NotEqual:
        return BinaryOperator{Operator::NotEqual, RankComparison};
    case TokenKind::Less:
        return BinaryOperator{Operator::Less, RankComparison};
    case TokenKind::Greater:
        return BinaryOperator{Operator::Greater, RankComparison};
    case TokenKind::LessEqual:
        return BinaryOperator{Operator::LessEqual, RankComparison};
    case TokenKind::GreaterEqual:
        return BinaryOperator{Operator::GreaterEqual, RankComparison};
    case TokenKind::Keyword:
        switch (token.keyword) {
        case Keyword::Mod:
            return BinaryOperator{Operator::Modulo, RankModulo};
        case Keyword::Is:
            return BinaryOperator{Operator::Is, RankComparison};
        case Keyword::And:
            return BinaryOperator{Operator::And, RankAnd};
        case Keyword::Or:
            return BinaryOperator{Operator::Or, RankOr};
        case Keyword::Xor:
            return BinaryOperator{Operator::Xor, RankXor};
        case Keyword::Eqv:
            return BinaryOperator{Operator::Eqv, RankEqv};
        case Keyword::Imp:
            return BinaryOperator{Operator::Imp, RankImp};
        default:
            return std::nullopt;
        }
    default:
        return std::nullopt;
    }
}

} // namespace

ExpressionParser::ExpressionParser(ParserState &state)
    : m_state(state)
{}

bool ExpressionParser::atReference() const
{
    return m_state.at(TokenKind::Identifier) || m_state.at(Keyword::Me)
           || m_state.at(TokenKind::Dot);
}

ExpressionPointer ExpressionParser::parseExpression()
{
    const ParserState::NestingGuard nesting(m_state);
    if (!nesting.isValid()) {
        return nullptr;
    }
    return parseBinary(RankImp);
}

// Precedence climbing: one loop per rank instead of one function per rank keeps the stack
// shallow, and left grouping falls out of the loop.
ExpressionPointer ExpressionParser::parseBinary(int minimumRank)
{
    ExpressionPointer left = parseOperand();
    while (left) {
        const std::optional<BinaryOperator> op = binaryOperator(m_state.current());
        if (!op || op->rank < minimumRank) {
            break;
        }
        m_state.advance();
        ExpressionPointer right = parseBinary(op->rank + 1);
        if (!right) {
            return nullptr;
        }
        const SourcePosition position = left->position;
        left = limitHeight(std::make_unique<BinaryExpression>(position, op->op, std::move(left),
                                                              std::move(right)));
    }
    return left;
}

ExpressionPointer ExpressionParser::parseOperand()
{
    const Token &token = m_state.current();
    const bool isNot = token.isKeyword(Keyword::Not);
    if (!isNot && token.kind != TokenKind::Minus && token.kind != TokenKind::Plus) {
        return parsePrimary();
    }
    const ParserState::NestingGuard nesting(m_state);
    if (!nesting.isValid()) {
        return nullptr;
    }
    const SourcePosition position = token.position;
    const UnaryExpression::Operator op = isNot ? UnaryExpression::Operator::Not
                                         : token.kind == TokenKind::Minus
                                             ? UnaryExpression::Operator::Negate
                                             : UnaryExpression::Operator::Plus;
    m_state.advance();
    ExpressionPointer operand = parseBinary(isNot ? RankComparison : RankPower);
    if (!operand) {
        return nullptr;
    }
    return limitHeight(std::make_unique<UnaryExpression>(position, op, std::move(operand)));
}

ExpressionPointer ExpressionParser::parsePrimary()
{
    const Token &token = m_state.current();
    if (atReference()) {
        return parseReference();
    }
    if (token.isKeyword(Keyword::New)) {
        const SourcePosition position = token.position;
        m_state.advance();
        if (!m_state.at(TokenKind::Identifier)) {
            m_state.failExpected(tr("a class name"));
            return nullptr;
        }
        auto expression = std::make_unique<NewExpression>(position, m_state.current().text);
        m_state.advance();
        return expression;
    }
    if (token.kind == TokenKind::LeftParenthesis) {
        const SourcePosition position = token.position;
        m_state.advance();
        ExpressionPointer inner = parseExpression();
        if (!inner
            || !m_state.expect(TokenKind::RightParenthesis,
                               ParserState::quoted(QStringLiteral(")")))) {
            return nullptr;
        }
        return limitHeight(std::make_unique<ParenthesizedExpression>(position, std::move(inner)));
    }
    if (ExpressionPointer literal = parseLiteral()) {
        return literal;
    }
    m_state.failExpected(tr("an expression"));
    return nullptr;
}

// Moves past a literal and returns it, or returns null without an error when the current token
// is none.
ExpressionPointer ExpressionParser::parseLiteral()
{
    using Type = LiteralExpression::Type;
    const Token &token = m_state.current();
    std::optional<Type> type;
    QVariant value = token.value;
    switch (token.kind) {
    case TokenKind::IntegerLiteral:
        type = Type::Integer;
        break;
    case TokenKind::LongLiteral:
        type = Type::Long;
        break;
    case TokenKind::DoubleLiteral:
        type = Type::Double;
        break;
    case TokenKind::DateLiteral:
        type = Type::Date;
        break;
    case TokenKind::StringLiteral:
        type = Type::String;
        value = token.text;
        break;
    case TokenKind::Keyword:
        switch (token.keyword) {
        case Keyword::True:
        case Keyword::False:
            type = Type::Boolean;
            value = token.keyword == Keyword::True;
            break;
        case Keyword::Empty:
            type = Type::Empty;
            break;
        case Keyword::Null:
            type = Type::Null;
            break;
        case Keyword::Nothing:
            type = Type::Nothing;
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
    if (!type) {
        return nullptr;
    }
    auto literal = std::make_unique<LiteralExpression>(token.position, *type, value);
    m_state.advance();
    return literal;
}

ExpressionPointer ExpressionParser::parseConstantValue()
{
    const Token &first = m_state.current();
    const SourcePosition position = first.position;
    if (first.kind == TokenKind::Minus || first.kind == TokenKind::Plus) {
        const UnaryExpression::Operator op = first.kind == TokenKind::Minus
                                                 ? UnaryExpression::Operator::Negate
                                                 : UnaryExpression::Operator::Plus;
        m_state.advance();
        const TokenKind kind = m_state.current().kind;
        if (kind != TokenKind::IntegerLiteral && kind != TokenKind::LongLiteral
            && kind != TokenKind::DoubleLiteral) {
            m_state.failExpected(tr("a number"));
            return nullptr;
        }
        return std::make_unique<UnaryExpression>(position, op, parseLiteral());
    }
    ExpressionPointer literal = first.isKeyword(Keyword::Nothing) ? nullptr : parseLiteral();
    if (!literal) {
        m_state.failExpected(tr("a literal constant (a number, string, date, True, False, Empty "
                                "or Null)"));
        return nullptr;
    }
    // Only a lone literal is a constant value: Const x = 1 + 2 is refused by the engine too.
    if (!m_state.atStatementEnd() && !m_state.at(TokenKind::Comma)) {
        m_state.failExpected(tr("the end of the statement after the literal constant"));
        return nullptr;
    }
    return literal;
}

ExpressionPointer ExpressionParser::parseReference(int stopIndex, int *lastArgumentList)
{
    const Token &first = m_state.current();
    const SourcePosition position = first.position;
    int argumentList = -1;
    ExpressionPointer reference;
    if (first.kind == TokenKind::Identifier) {
        reference = std::make_unique<NameExpression>(position, first.text);
        m_state.advance();
    } else if (first.isKeyword(Keyword::Me)) {
        reference = std::make_unique<MeExpression>(position);
        m_state.advance();
    } else if (first.kind == TokenKind::Dot) {
        m_state.advance();
        if (!m_state.current().isWordLike()) {
            m_state.failExpected(tr("a member name"));
            return nullptr;
        }
        if (!m_state.insideWith()) {
            m_state.fail(position, tr("'.%1' refers to the object of a 'With' block, but there is "
                                      "no 'With' block around it")
                                       .arg(m_state.current().text));
            return nullptr;
        }
        reference = std::make_unique<MemberExpression>(position, nullptr, m_state.current().text);
        m_state.advance();
    } else {
        m_state.failExpected(tr("a name"));
        return nullptr;
    }
    while (reference && m_state.index() != stopIndex) {
        // A '.' after white space starts the next argument, `.member` of a With block, as in
        // `obj.Show .Name`.
        if (m_state.at(TokenKind::Dot) && !m_state.current().spaceBefore) {
            m_state.advance();
            if (!m_state.current().isWordLike()) {
                m_state.failExpected(tr("a member name"));
                return nullptr;
            }
            reference = limitHeight(std::make_unique<MemberExpression>(
                position, std::move(reference), m_state.current().text));
            m_state.advance();
            argumentList = -1;
        } else if (m_state.at(TokenKind::LeftParenthesis)) {
            argumentList = m_state.index();
            ExpressionList arguments;
            if (!parseArgumentList(&arguments)) {
                return nullptr;
            }
            reference = limitHeight(std::make_unique<CallExpression>(position, std::move(reference),
                                                                     std::move(arguments)));
        } else {
            break;
        }
    }
    if (lastArgumentList) {
        *lastArgumentList = argumentList;
    }
    return reference;
}

bool ExpressionParser::parseArgumentList(ExpressionList *arguments)
{
    m_state.advance(); // (
    if (m_state.accept(TokenKind::RightParenthesis)) {
        return true;
    }
    for (;;) {
        if (m_state.at(TokenKind::Comma) || m_state.at(TokenKind::RightParenthesis)) {
            arguments->push_back(nullptr);
        } else {
            ExpressionPointer argument = parseExpression();
            if (!argument) {
                return false;
            }
            arguments->push_back(std::move(argument));
        }
        if (!m_state.accept(TokenKind::Comma)) {
            return m_state.expectListEnd();
        }
    }
}

bool ExpressionParser::parseArgumentsWithoutParentheses(ExpressionList *arguments)
{
    for (;;) {
        if (m_state.at(TokenKind::Comma) || m_state.atStatementEnd()) {
            arguments->push_back(nullptr);
        } else {
            ExpressionPointer argument = parseExpression();
            if (!argument) {
                return false;
            }
            arguments->push_back(std::move(argument));
        }
        if (!m_state.accept(TokenKind::Comma)) {
            return true;
        }
    }
}

ExpressionPointer ExpressionParser::limitHeight(ExpressionPointer expression)
{
    if (expression->height <= ParserState::maxExpressionHeight) {
        return expression;
    }
    m_state.fail(expression->position,
                 tr("Expression too complex: more than %1 operations nested in one another")
                     .arg(ParserState::maxExpressionHeight));
    return nullptr;
}

} // namespace VBScript
