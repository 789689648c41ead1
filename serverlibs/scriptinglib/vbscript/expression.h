#pragma once

#include "sourceposition.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

namespace VBScript {

struct Expression;
using ExpressionPointer = std::unique_ptr<Expression>;
// Argument lists hold null entries for omitted arguments, as in `obj.Method a, , c`.
using ExpressionList = std::vector<ExpressionPointer>;

// Base of the expression nodes of the syntax tree. A node owns its operands. Walk the tree by
// switching on `kind`, or try `as<LiteralExpression>()` and the like.
struct Expression
{
    enum class Kind { Literal, Name, Me, Member, Call, Unary, Binary, Parenthesized, New };

    virtual ~Expression();

    template<typename T>
    const T *as() const
    {
        return kind == T::staticKind ? static_cast<const T *>(this) : nullptr;
    }
    template<typename T>
    T *as()
    {
        return kind == T::staticKind ? static_cast<T *>(this) : nullptr;
    }

    const Kind kind;
    const SourcePosition position; // where the expression starts
    // Nodes on the longest path down to a leaf, this one included, as built by the parser
    // (which refuses trees too tall to walk recursively).
    const int height;

protected:
    Expression(Kind kind, SourcePosition position, int height);
    Expression(const Expression &) = delete;
    Expression &operator=(const Expression &) = delete;
};

// 12, 1.5, &HFF, "text", #1/2/2003#, True, False, Empty, Null, Nothing.
struct LiteralExpression final : Expression
{
    static constexpr Kind staticKind = Kind::Literal;
    // Integer and Long are the 16- and 32-bit subtypes: a decimal number takes the smallest
    // that holds it, else Double; &H and &O numbers are Integer up to four (six octal) digits
    // unless they end in '&'.
    enum class Type { Integer, Long, Double, String, Date, Boolean, Empty, Null, Nothing };

    LiteralExpression(SourcePosition position, Type type, const QVariant &value = QVariant());

    Type type;
    // Integer, Long: int; Double: double; String: QString; Boolean: bool; Date: QDateTime in
    // UTC standing for the wall-clock value (a time alone falls on 30 December 1899); Empty,
    // Null, Nothing: an invalid QVariant.
    QVariant value;
};

// A variable, constant, procedure, class or host object, found by name ignoring case.
struct NameExpression final : Expression
{
    static constexpr Kind staticKind = Kind::Name;
    NameExpression(SourcePosition position, const QString &name);

    QString name; // as written, without brackets
};

// The object of the class whose member runs.
struct MeExpression final : Expression
{
    static constexpr Kind staticKind = Kind::Me;
    explicit MeExpression(SourcePosition position);
};

// object.member. A null object stands for the object of the innermost With block (.member).
struct MemberExpression final : Expression
{
    static constexpr Kind staticKind = Kind::Member;
    MemberExpression(SourcePosition position, ExpressionPointer object, const QString &member);

    ExpressionPointer object;
    QString member;
};

// callee(arguments): calls a procedure or method, or indexes an array or a default member;
// which one is known only at run time.
struct CallExpression final : Expression
{
    static constexpr Kind staticKind = Kind::Call;
    CallExpression(SourcePosition position, ExpressionPointer callee, ExpressionList arguments);

    ExpressionPointer callee;
    ExpressionList arguments;
};

struct UnaryExpression final : Expression
{
    static constexpr Kind staticKind = Kind::Unary;
    enum class Operator { Negate, Plus, Not };

    UnaryExpression(SourcePosition position, Operator op, ExpressionPointer operand);

    Operator op;
    ExpressionPointer operand;
};

struct BinaryExpression final : Expression
{
    static constexpr Kind staticKind = Kind::Binary;
    // From the tightest binding to the loosest, with equal ranks grouped (see the parser).
    enum class Operator {
        Power,
        Multiply,
        Divide,
        IntegerDivide,
        Modulo,
        Add,
        Subtract,
        Concatenate,
        Equal,
        NotEqual,
        Less,
        Greater,
        LessEqual,
        GreaterEqual,
        Is,
        And,
        Or,
        Xor,
        Eqv,
        Imp,
    };

    BinaryExpression(SourcePosition position, Operator op, ExpressionPointer left,
                     ExpressionPointer right);

    Operator op;
    ExpressionPointer left;
    ExpressionPointer right;
};

// (inner). Kept in the tree because a variable in parentheses is passed by value, not by
// reference: `f (x)` and `Call f((x))` leave x untouched.
struct ParenthesizedExpression final : Expression
{
    static constexpr Kind staticKind = Kind::Parenthesized;
    ParenthesizedExpression(SourcePosition position, ExpressionPointer inner);

    ExpressionPointer inner;
};

// New ClassName: a new object of a class of the script or of the run time (RegExp).
struct NewExpression final : Expression
{
    static constexpr Kind staticKind = Kind::New;
    NewExpression(SourcePosition position, const QString &className);

    QString className;
};

} // namespace VBScript
