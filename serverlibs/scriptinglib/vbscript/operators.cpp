#include "operators.h"

#include "conversion.h"
#include "numbertext.h"
#include "runtimeerror.h"
#include "serialdate.h"

#include <cfloat>
#include <cmath>

namespace VBScript {

namespace {

// The numeric subtypes in the order in which the wider one decides the result.
enum class Kind { Byte, Integer, Long, Single, Double, Currency, Date };

struct Number
{
    Kind kind = Kind::Integer;
    qint64 whole = 0; // Byte, Integer, Long; Currency in ten-thousandths
    double real = 0;  // Single, Double, Date
};

constexpr double currencyScale = 10000.0;

bool isWhole(Kind kind)
{
    return kind == Kind::Byte || kind == Kind::Integer || kind == Kind::Long;
}

double realOf(const Number &number)
{
    if (isWhole(number.kind)) {
        return double(number.whole);
    }
    if (number.kind == Kind::Currency) {
        return double(number.whole) / currencyScale;
    }
    return number.real;
}

// An operand of arithmetic: Empty and Booleans count as Integers, texts as Doubles.
int numberOf(const Value &value, Number *number)
{
    switch (value.type()) {
    case ValueType::Empty:
        *number = {Kind::Integer, 0, 0};
        return RuntimeError::None;
    case ValueType::Boolean:
        *number = {Kind::Integer, value.asBoolean() ? -1 : 0, 0};
        return RuntimeError::None;
    case ValueType::Byte:
        *number = {Kind::Byte, value.asByte(), 0};
        return RuntimeError::None;
    case ValueType::Integer:
        *number = {Kind::Integer, value.asInteger(), 0};
        return RuntimeError::None;
    case ValueType::Long:
        *number = {Kind::Long, value.asLong(), 0};
        return RuntimeError::None;
    case ValueType::Single:
        *number = {Kind::Single, 0, double(value.asSingle())};
        return RuntimeError::None;
    case ValueType::Double:
        *number = {Kind::Double, 0, value.asDouble()};
        return RuntimeError::None;
    case ValueType::Currency:
        *number = {Kind::Currency, value.asCurrency(), 0};
        return RuntimeError::None;
    case ValueType::Date:
        *number = {Kind::Date, 0, value.asDate()};
        return RuntimeError::None;
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

qint64 currencyOf(const Number &number)
{
    if (number.kind == Kind::Currency) {
        return number.whole;
    }
    if (isWhole(number.kind)) {
        return number.whole * 10000;
    }
    return qint64(std::nearbyint(number.real * currencyScale));
}

Kind widerKind(Kind left, Kind right)
{
    if (left == Kind::Currency || right == Kind::Currency) {
        return Kind::Currency;
    }
    if (left == Kind::Double || right == Kind::Double) {
        return Kind::Double;
    }
    if (left == Kind::Single || right == Kind::Single) {
        // A Long does not fit a Single's digits.
        return left == Kind::Long || right == Kind::Long ? Kind::Double : Kind::Single;
    }
    if (left == Kind::Long || right == Kind::Long) {
        return Kind::Long;
    }
    if (left == Kind::Integer || right == Kind::Integer) {
        return Kind::Integer;
    }
    return Kind::Byte;
}

// The operand of \, Mod and the logical operators: a whole number. Booleans, Empty and
// Integers are Integers; other numbers and texts are rounded to a Long.
int wholeOf(const Value &value, Kind *kind, qint64 *whole)
{
    switch (value.type()) {
    case ValueType::Empty:
        *kind = Kind::Integer;
        *whole = 0;
        return RuntimeError::None;
    case ValueType::Boolean:
        *kind = Kind::Integer;
        *whole = value.asBoolean() ? -1 : 0;
        return RuntimeError::None;
    case ValueType::Byte:
        *kind = Kind::Byte;
        *whole = value.asByte();
        return RuntimeError::None;
    case ValueType::Integer:
        *kind = Kind::Integer;
        *whole = value.asInteger();
        return RuntimeError::None;
    default: {
        int number = 0;
        if (const int error = Conversion::toLong(value, &number)) {
            return error;
        }
        *kind = Kind::Long;
        *whole = number;
        return RuntimeError::None;
    }
    }
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
    Kind leftKind = Kind::Integer;
    Kind rightKind = Kind::Integer;
    qint64 x = 0;
    qint64 y = 0;
    if (const int error = wholeOf(left, &leftKind, &x)) {
        return error;
    }
    if (const int error = wholeOf(right, &rightKind, &y)) {
        return error;
    }
    if (y == 0) {
        return RuntimeError::DivisionByZero;
    }
    const qint64 value = remainder ? x % y : x / y;
    if (value > 2147483647LL) {
        return RuntimeError::Overflow; // the smallest Long divided by -1
    }
    return wholeResult(value, wholeResultKind(leftKind, rightKind), result);
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

bool isTrueBits(const Value &value)
{
    switch (value.type()) {
    case ValueType::Boolean:
        return value.asBoolean();
    case ValueType::Byte:
        return value.asByte() == 0xFF;
    case ValueType::Integer:
        return value.asInteger() == -1;
    case ValueType::Long:
        return value.asLong() == -1;
    default:
        return false;
    }
}

bool isFalseBits(const Value &value)
{
    switch (value.type()) {
    case ValueType::Boolean:
        return !value.asBoolean();
    case ValueType::Byte:
        return value.asByte() == 0;
    case ValueType::Integer:
        return value.asInteger() == 0;
    case ValueType::Long:
        return value.asLong() == 0;
    default:
        return false;
    }
}

// The operand of a logical operator as a Boolean or a whole number of its subtype.
int logicalOperand(const Value &value, Value *operand)
{
    if (value.type() == ValueType::Boolean) {
        *operand = value;
        return RuntimeError::None;
    }
    if (value.isString()) {
        bool flag = false;
        double number = 0;
        if (!NumberText::parse(value.asString(), &number)) {
            if (const int error = Conversion::toBoolean(value, &flag)) {
                return error;
            }
            *operand = Value::boolean(flag);
            return RuntimeError::None;
        }
    }
    Kind kind = Kind::Integer;
    qint64 whole = 0;
    if (const int error = wholeOf(value, &kind, &whole)) {
        return error;
    }
    *operand = wholeBits(whole, kind);
    return RuntimeError::None;
}

Kind kindOfBits(const Value &value)
{
    switch (value.type()) {
    case ValueType::Byte:
        return Kind::Byte;
    case ValueType::Long:
        return Kind::Long;
    default:
        return Kind::Integer;
    }
}

qint64 bitsOf(const Value &value)
{
    switch (value.type()) {
    case ValueType::Boolean:
        return value.asBoolean() ? -1 : 0;
    case ValueType::Byte:
        return value.asByte();
    case ValueType::Integer:
        return value.asInteger();
    default:
        return value.asLong();
    }
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
    if (isWhole(a.kind) && isWhole(b.kind)) {
        return a.whole < b.whole ? -1 : a.whole > b.whole ? 1 : 0;
    }
    if ((a.kind == Kind::Currency || isWhole(a.kind))
        && (b.kind == Kind::Currency || isWhole(b.kind))) {
        const qint64 x = currencyOf(a);
        const qint64 y = currencyOf(b);
        return x < y ? -1 : x > y ? 1 : 0;
    }
    return sign(realOf(a) - realOf(b));
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
        const double x = realOf(a);
        const double y = realOf(b);
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
    const Kind kind = widerKind(a.kind, b.kind);
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
        const long double x = currencyOf(a);
        const long double y = currencyOf(b);
        return currencyResult(op == Arithmetic::Add        ? x + y
                              : op == Arithmetic::Subtract ? x - y
                                                           : x * y / 10000.0L,
                              result);
    }
    default: {
        const double x = realOf(a);
        const double y = realOf(b);
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
    const double x = realOf(a);
    const double y = realOf(b);
    if (y == 0) {
        return x == 0 ? RuntimeError::Overflow : RuntimeError::DivisionByZero;
    }
    const bool small = (a.kind == Kind::Single || b.kind == Kind::Single)
                       && widerKind(a.kind, b.kind) == Kind::Single;
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
        Value other;
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
            if (isFalseBits(other)) {
                *result = other; // Null And False is False
            }
            break;
        case Logical::Or:
            if (isTrueBits(other)) {
                *result = other; // Null Or True is True
            }
            break;
        case Logical::Imp:
            // True whatever the premise when the conclusion is true; True when the premise is
            // false whatever the conclusion.
            if (right.isNull() ? isFalseBits(other) : isTrueBits(other)) {
                *result = other.type() == ValueType::Boolean ? Value::boolean(true)
                                                             : wholeBits(-1, kindOfBits(other));
            }
            break;
        default:
            break;
        }
        return RuntimeError::None;
    }
    Value a;
    Value b;
    if (const int error = logicalOperand(left, &a)) {
        return error;
    }
    if (const int error = logicalOperand(right, &b)) {
        return error;
    }
    const qint64 x = bitsOf(a);
    const qint64 y = bitsOf(b);
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
    if (a.type() == ValueType::Boolean && b.type() == ValueType::Boolean) {
        *result = Value::boolean(bits & 1);
    } else {
        *result = wholeBits(bits, wholeResultKind(kindOfBits(a), kindOfBits(b)));
    }
    return RuntimeError::None;
}

int Operators::logicalNot(const Value &operand, Value *result)
{
    if (operand.isNull()) {
        *result = Value::null();
        return RuntimeError::None;
    }
    Value value;
    if (const int error = logicalOperand(operand, &value)) {
        return error;
    }
    *result = value.type() == ValueType::Boolean ? Value::boolean(!value.asBoolean())
                                                 : wholeBits(~bitsOf(value), kindOfBits(value));
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
