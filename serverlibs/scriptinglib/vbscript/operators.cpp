#include "operators.h"

#include "conversion.h"
#include "number.h"
#include "numbertext.h"
#include "runtimeerror.h"
#include "serialdate.h"

#include <cfloat>
#include <cmath>

namespace VBScript {

namespace {

using Kind = Number::Kind;

// An operand of arithmetic: Empty and Booleans count as Integers, texts as Doubles.
int numberOf(const Value &value, Number *number)
{
    if (Number::read(value, number)) {
        return RuntimeError::None;
    }
    switch (value.type()) {
    case ValueType::String: {
        double real = 0;
        if (!NumberText::parse(value.asString(), &real)) {
            return RuntimeError::TypeMismatch;
        }
        *number = {Kind::Double, 0, real};
        return RuntimeError::None;
    }
    case ValueType::Null:
        return RuntimeError::InvalidUseOfNull;
    default:
        return RuntimeError::TypeMismatch;
    }
}

int realResult(double value, Value *result)
{
    if (!std::isfinite(value)) {
        return RuntimeError::Overflow;
    }
    *result = Value::real(value);
    return RuntimeError::None;
}

// A whole result in the smallest subtype from `kind` up that holds it: Byte, Integer, Long,
// then Double.
int wholeResult(qint64 value, Kind kind, Value *result)
{
    if (kind == Kind::Byte && value >= 0 && value <= 255) {
        *result = Value::byte((unsigned char)value);
    } else if (kind != Kind::Long && value >= -32768 && value <= 32767) {
        *result = Value::integer(short(value));
    } else if (value >= -2147483648LL && value <= 2147483647LL) {
        *result = Value::longValue(int(value));
    } else {
        *result = Value::real(double(value));
    }
    return RuntimeError::None;
}

int singleResult(double value, Value *result)
{
    if (std::fabs(value) > FLT_MAX) {
        return realResult(value, result);
    }
    *result = Value::single(float(value));
    return RuntimeError::None;
}

int currencyResult(long double tenThousandths, Value *result)
{
    tenThousandths = std::nearbyint(tenThousandths);
    if (!(std::fabs(tenThousandths) <= 9223372036854775807.0L)) {
        return RuntimeError::Overflow;
    }
    *result = Value::currency(qint64(tenThousandths));
    return RuntimeError::None;
}

Kind wholeResultKind(Kind left, Kind right)
{
    if (left == Kind::Byte && right == Kind::Byte) {
        return Kind::Byte;
    }
    return left == Kind::Long || right == Kind::Long ? Kind::Long : Kind::Integer;
}

// \ and Mod: both operands rounded to whole numbers first; the quotient (truncated towards
// zero) or the remainder (with the sign of the dividend).
int wholeDivision(const Value &left, const Value &right, bool remainder, Value *result)
{
    if (left.isNull() || right.isNull()) {
        *result = Value::null();
        return RuntimeError::None;
    }
    Number x;
    Number y;
    if (const int error = Conversion::toWhole(left, &x)) {
        return error;
    }
    if (const int error = Conversion::toWhole(right, &y)) {
        return error;
    }
    if (y.whole == 0) {
        return RuntimeError::DivisionByZero;
    }
    const qint64 value = remainder ? x.whole % y.whole : x.whole / y.whole;
    if (value > 2147483647LL) {
        return RuntimeError::Overflow; // the smallest Long divided by -1
    }
    return wholeResult(value, wholeResultKind(x.kind, y.kind), result);
}

// The bits of a whole result in its subtype: a Byte keeps 8 bits, an Integer 16, a Long 32.
Value wholeBits(qint64 bits, Kind kind)
{
    switch (kind) {
    case Kind::Byte:
        return Value::byte((unsigned char)(bits & 0xFF));
    case Kind::Integer:
        return Value::integer(short(bits));
    default:
        return Value::longValue(int(bits));
    }
}

// The operand of a logical operator: a Boolean (its bits all set or all clear), or a whole
// number of its subtype.
struct LogicalOperand
{
    bool isBoolean = false;
    Kind kind = Kind::Integer;
    qint64 bits = 0;

    // Every bit of the subtype set: True, or -1 of an Integer or a Long, 255 of a Byte.
    bool isAllOnes() const { return bits == (!isBoolean && kind == Kind::Byte ? 0xFF : -1); }
    Value toValue() const { return isBoolean ? Value::boolean(bits != 0) : wholeBits(bits, kind); }
};

int logicalOperand(const Value &value, LogicalOperand *operand)
{
    if (value.type() == ValueType::Boolean) {
        *operand = {true, Kind::Integer, value.asBoolean() ? -1 : 0};
        return RuntimeError::None;
    }
    if (value.isString()) {
        bool flag = false;
        double number = 0;
        if (!NumberText::parse(value.asString(), &number)) {
            if (const int error = Conversion::toBoolean(value, &flag)) {
                return error;
            }
            *operand = {true, Kind::Integer, flag ? -1 : 0};
            return RuntimeError::None;
        }
    }
    Number whole;
    if (const int error = Conversion::toWhole(value, &whole)) {
        return error;
    }
    *operand = {false, whole.kind, whole.whole};
    return RuntimeError::None;
}

bool isComparedAsNumber(ValueType type)
{
    return type == ValueType::Boolean || type == ValueType::Date
           || (type >= ValueType::Byte && type <= ValueType::Currency);
}

int sign(double value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

int compareNumbers(const Value &left, const Value &right)
{
    Number a;
    Number b;
    numberOf(left, &a);
    numberOf(right, &b);
    if (a.isWhole() && b.isWhole()) {
        return a.whole < b.whole ? -1 : a.whole > b.whole ? 1 : 0;
    }
    if ((a.kind == Kind::Currency || a.isWhole()) && (b.kind == Kind::Currency || b.isWhole())) {
        const qint64 x = a.toCurrency();
        const qint64 y = b.toCurrency();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    return sign(a.toDouble() - b.toDouble());
}

// A text compared with a number written as a literal, or the other way round: the text as
// the number's kind, when it reads as one.
bool textAsNumber(const Value &number, const QString &text, Value *converted)
{
    if (number.type() == ValueType::Boolean) {
        bool flag = false;
        if (Conversion::toBoolean(Value::string(text), &flag) != RuntimeError::None) {
            return false;
        }
        *converted = Value::boolean(flag);
        return true;
    }
    double real = 0;
    if (!NumberText::parse(text, &real)) {
        return false;
    }
    *converted = Value::real(real);
    return true;
}

} // namespace

int Operators::add(const Value &left, const Value &right, Value *result)
{
    if (left.isNull() || right.isNull()) {
        *result = Value::null();
        return RuntimeError::None;
    }
    if (left.isString() && right.isString()) {
        *result = Value::string(left.asString() + right.asString());
        return RuntimeError::None;
    }
    if (left.isEmpty() && right.isEmpty()) {
        *result = Value::integer(0);
        return RuntimeError::None;
    }
    if (left.isEmpty() || right.isEmpty()) {
        const Value &other = left.isEmpty() ? right : left;
        if (other.isString() || other.isNumber() || other.type() == ValueType::Date
            || other.type() == ValueType::Boolean) {
            *result = other;
            return RuntimeError::None;
        }
    }
    return arithmetic(Arithmetic::Add, left, right, result);
}

int Operators::arithmetic(Arithmetic op, const Value &left, const Value &right, Value *result)
{
    if (left.isNull() || right.isNull()) {
        *result = Value::null();
        return RuntimeError::None;
    }
    Number a;
    Number b;
    if (const int error = numberOf(left, &a)) {
        return error;
    }
    if (const int error = numberOf(right, &b)) {
        return error;
    }
    if (a.kind == Kind::Date || b.kind == Kind::Date) {
        const double x = a.toDouble();
        const double y = b.toDouble();
        if (op == Arithmetic::Multiply) {
            return realResult(x * y, result);
        }
        const double value = op == Arithmetic::Add ? x + y : x - y;
        if (op == Arithmetic::Subtract && a.kind == Kind::Date && b.kind == Kind::Date) {
            return realResult(value, result);
        }
        if (!SerialDate::isValid(value)) {
            return RuntimeError::Overflow;
        }
        *result = Value::date(value);
        return RuntimeError::None;
    }
    const Kind kind = Number::wider(a.kind, b.kind);
    switch (kind) {
    case Kind::Byte:
    case Kind::Integer:
    case Kind::Long: {
        const qint64 value = op == Arithmetic::Add        ? a.whole + b.whole
                             : op == Arithmetic::Subtract ? a.whole - b.whole
                                                          : a.whole * b.whole;
        return wholeResult(value, kind, result);
    }
    case Kind::Currency: {
        const long double x = a.toCurrency();
        const long double y = b.toCurrency();
        return currencyResult(op == Arithmetic::Add        ? x + y
                              : op == Arithmetic::Subtract ? x - y
                                                           : x * y / 10000.0L,
                              result);
    }
    default: {
        const double x = a.toDouble();
        const double y = b.toDouble();
        const double value = op == Arithmetic::Add        ? x + y
                             : op == Arithmetic::Subtract ? x - y
                                                          : x * y;
        return kind == Kind::Single ? singleResult(value, result) : realResult(value, result);
    }
    }
}

int Operators::divide(const Value &left, const Value &right, Value *result)
{
    if (left.isNull() || right.isNull()) {
        *result = Value::null();
        return RuntimeError::None;
    }
    Number a;
    Number b;
    if (const int error = numberOf(left, &a)) {
        return error;
    }
    if (const int error = numberOf(right, &b)) {
        return error;
    }
    const double x = a.toDouble();
    const double y = b.toDouble();
    if (y == 0) {
        return x == 0 ? RuntimeError::Overflow : RuntimeError::DivisionByZero;
    }
    const bool small = (a.kind == Kind::Single || b.kind == Kind::Single)
                       && Number::wider(a.kind, b.kind) == Kind::Single;
    return small ? singleResult(x / y, result) : realResult(x / y, result);
}

int Operators::integerDivide(const Value &left, const Value &right, Value *result)
{
    return wholeDivision(left, right, false, result);
}

int Operators::modulo(const Value &left, const Value &right, Value *result)
{
    return wholeDivision(left, right, true, result);
}

int Operators::power(const Value &left, const Value &right, Value *result)
{
    if (left.isNull() || right.isNull()) {
        *result = Value::null();
        return RuntimeError::None;
    }
    double x = 0;
    double y = 0;
    if (const int error = Conversion::toDouble(left, &x)) {
        return error;
    }
    if (const int error = Conversion::toDouble(right, &y)) {
        return error;
    }
    if ((x < 0 && y != std::trunc(y)) || (x == 0 && y < 0)) {
        return RuntimeError::InvalidProcedureCall;
    }
    return realResult(std::pow(x, y), result);
}

int Operators::concatenate(const Value &left, const Value &right, Value *result)
{
    if (left.isNull() && right.isNull()) {
        *result = Value::null();
        return RuntimeError::None;
    }
    QString a;
    QString b;
    if (!left.isNull()) {
        if (const int error = Conversion::toString(left, &a)) {
            return error;
        }
    }
    if (!right.isNull()) {
        if (const int error = Conversion::toString(right, &b)) {
            return error;
        }
    }
    *result = Value::string(a + b);
    return RuntimeError::None;
}

int Operators::negate(const Value &operand, Value *result)
{
    if (operand.isNull()) {
        *result = Value::null();
        return RuntimeError::None;
    }
    Number number;
    if (const int error = numberOf(operand, &number)) {
        return error;
    }
    switch (number.kind) {
    case Kind::Byte:
    case Kind::Integer:
    case Kind::Long:
        return wholeResult(-number.whole, number.kind == Kind::Long ? Kind::Long : Kind::Integer,
                           result);
    case Kind::Currency:
        return currencyResult(-static_cast<long double>(number.whole), result);
    case Kind::Single:
        *result = Value::single(-float(number.real));
        return RuntimeError::None;
    case Kind::Date:
        if (!SerialDate::isValid(-number.real)) {
            return RuntimeError::Overflow;
        }
        *result = Value::date(-number.real);
        return RuntimeError::None;
    default:
        *result = Value::real(-number.real);
        return RuntimeError::None;
    }
}

int Operators::logical(Logical op, const Value &left, const Value &right, Value *result)
{
    if (left.isNull() || right.isNull()) {
        LogicalOperand other;
        const bool bothNull = left.isNull() && right.isNull();
        if (!bothNull) {
            if (const int error = logicalOperand(left.isNull() ? right : left, &other)) {
                return error;
            }
        }
        *result = Value::null();
        if (bothNull) {
            return RuntimeError::None;
        }
        switch (op) {
        case Logical::And:
            if (other.bits == 0) {
                *result = other.toValue(); // Null And False is False
            }
            break;
        case Logical::Or:
            if (other.isAllOnes()) {
                *result = other.toValue(); // Null Or True is True
            }
            break;
        case Logical::Imp:
            // True whatever the premise when the conclusion is true; True when the premise is
            // false whatever the conclusion.
            if (right.isNull() ? other.bits == 0 : other.isAllOnes()) {
                *result = LogicalOperand{other.isBoolean, other.kind, -1}.toValue();
            }
            break;
        default:
            break;
        }
        return RuntimeError::None;
    }
    LogicalOperand a;
    LogicalOperand b;
    if (const int error = logicalOperand(left, &a)) {
        return error;
    }
    if (const int error = logicalOperand(right, &b)) {
        return error;
    }
    const qint64 x = a.bits;
    const qint64 y = b.bits;
    qint64 bits = 0;
    switch (op) {
    case Logical::And:
        bits = x & y;
        break;
    case Logical::Or:
        bits = x | y;
        break;
    case Logical::Xor:
        bits = x ^ y;
        break;
    case Logical::Eqv:
        bits = ~(x ^ y);
        break;
    case Logical::Imp:
        bits = ~x | y;
        break;
    }
    if (a.isBoolean && b.isBoolean) {
        *result = Value::boolean(bits & 1);
    } else {
        *result = wholeBits(bits, wholeResultKind(a.kind, b.kind));
    }
    return RuntimeError::None;
}

int Operators::logicalNot(const Value &operand, Value *result)
{
    if (operand.isNull()) {
        *result = Value::null();
        return RuntimeError::None;
    }
    LogicalOperand value;
    if (const int error = logicalOperand(operand, &value)) {
        return error;
    }
    *result = LogicalOperand{value.isBoolean, value.kind, ~value.bits}.toValue();
    return RuntimeError::None;
}

int Operators::compareText(const QString &left, const QString &right, bool ignoreCase)
{
    const int order = left.compare(right, ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

int Operators::order(const Value &left, const Value &right, bool leftIsLiteral, bool rightIsLiteral,
                     int *result, bool *isNull)
{
    *isNull = left.isNull() || right.isNull();
    if (*isNull) {
        return RuntimeError::None;
    }
    const ValueType a = left.type();
    const ValueType b = right.type();
    const bool aNumber = isComparedAsNumber(a);
    const bool bNumber = isComparedAsNumber(b);
    if (a == ValueType::Empty && b == ValueType::Empty) {
        *result = 0;
    } else if (a == ValueType::String && b == ValueType::String) {
        *result = compareText(left.asString(), right.asString(), false);
    } else if (a == ValueType::Empty && b == ValueType::String) {
        *result = right.asString().isEmpty() ? 0 : -1;
    } else if (a == ValueType::String && b == ValueType::Empty) {
        *result = left.asString().isEmpty() ? 0 : 1;
    } else if ((aNumber || a == ValueType::Empty) && (bNumber || b == ValueType::Empty)) {
        *result = compareNumbers(left, right);
    } else if (aNumber && b == ValueType::String) {
        Value converted;
        if (rightIsLiteral && textAsNumber(left, right.asString(), &converted)) {
            *result = compareNumbers(left, converted);
        } else if (leftIsLiteral && !rightIsLiteral) {
            QString text;
            Conversion::toString(left, &text);
            *result = compareText(text, right.asString(), false);
        } else {
            *result = -1;
        }
    } else if (a == ValueType::String && bNumber) {
        int reversed = 0;
        bool unused = false;
        order(right, left, rightIsLiteral, leftIsLiteral, &reversed, &unused);
        *result = -reversed;
    } else {
        return RuntimeError::TypeMismatch;
    }
    return RuntimeError::None;
}

int Operators::compare(Comparison op, const Value &left, const Value &right, bool leftIsLiteral,
                       bool rightIsLiteral, Value *result)
{
    int order = 0;
    bool isNull = false;
    if (const int error =
            Operators::order(left, right, leftIsLiteral, rightIsLiteral, &order, &isNull)) {
        return error;
    }
    if (isNull) {
        *result = Value::null();
        return RuntimeError::None;
    }
    bool truth = false;
    switch (op) {
    case Comparison::Equal:
        truth = order == 0;
        break;
    case Comparison::NotEqual:
        truth = order != 0;
        break;
    case Comparison::Less:
        truth = order < 0;
        break;
    case Comparison::Greater:
        truth = order > 0;
        break;
    case Comparison::LessEqual:
        truth = order <= 0;
        break;
    case Comparison::GreaterEqual:
        truth = order >= 0;
        break;
    }
    *result = Value::boolean(truth);
    return RuntimeError::None;
}

} // namespace VBScript
