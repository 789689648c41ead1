#include "expression.h"

#include <algorithm>

namespace VBScript {

namespace {

int heightOf(const ExpressionPointer &expression)
{
    return expression ? expression->height : 0;
}

int heightOf(const ExpressionPointer &callee, const ExpressionList &arguments)
{
    int height = heightOf(callee);
    for (const ExpressionPointer &argument : arguments) {
        height = std::max(height, heightOf(argument));
    }
    return height;
}

} // namespace

Expression::Expression(Kind kind, SourcePosition position, int height)
    : kind(kind)
    , position(position)
    , height(height)
{}

Expression::~Expression() = default;

LiteralExpression::LiteralExpression(SourcePosition position, Type type, const QVariant &value)
    : Expression(staticKind, position, 1)
    , type(type)
    , value(value)
{}

NameExpression::NameExpression(SourcePosition position, const QString &name)
    : Expression(staticKind, position, 1)
    , name(name)
{}

MeExpression::MeExpression(SourcePosition position)
    : Expression(staticKind, position, 1)
{}

MemberExpression::MemberExpression(SourcePosition position, ExpressionPointer object,
                                   const QString &member)
    : Expression(staticKind, position, heightOf(object) + 1)
    , object(std::move(object))
    , member(member)
{}

CallExpression::CallExpression(SourcePosition position, ExpressionPointer callee,
                               ExpressionList arguments)
    : Expression(staticKind, position, heightOf(callee, arguments) + 1)
    , callee(std::move(callee))
    , arguments(std::move(arguments))
{}

UnaryExpression::UnaryExpression(SourcePosition position, Operator op, ExpressionPointer operand)
    : Expression(staticKind, position, heightOf(operand) + 1)
    , op(op)
    , operand(std::move(operand))
{}

BinaryExpression::BinaryExpression(SourcePosition position, Operator op, ExpressionPointer left,
                                   ExpressionPointer right)
    : Expression(staticKind, position, std::max(heightOf(left), heightOf(right)) + 1)
    , op(op)
    , left(std::move(left))
    , right(std::move(right))
{}

ParenthesizedExpression::ParenthesizedExpression(SourcePosition position, ExpressionPointer inner)
    : Expression(staticKind, position, heightOf(inner) + 1)
    , inner(std::move(inner))
{}

NewExpression::NewExpression(SourcePosition position, const QString &className)
    : Expression(staticKind, position, 1)
    , className(className)
{}

} // namespace VBScript
