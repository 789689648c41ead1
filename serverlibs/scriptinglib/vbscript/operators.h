#pragma once

#include "value.h"

namespace VBScript {

// The operators on values, with the engine's coercions, result subtypes and overflow
// promotion (Byte to Integer to Long to Double). Each returns RuntimeError::None or the number
// of the error. Objects must have been replaced by their default value before; Is, which
// compares objects themselves, belongs to the interpreter.
class Operators
{
public:
    Operators() = delete;

    enum class Arithmetic { Add, Subtract, Multiply };

    // + of two texts joins them; + with Empty gives the other operand; Null gives Null.
    static int add(const Value &left, const Value &right, Value *result);
    static int arithmetic(Arithmetic op, const Value &left, const Value &right, Value *result);
    static int divide(const Value &left, const Value &right, Value *result);
    static int integerDivide(const Value &left, const Value &right, Value *result);
    static int modulo(const Value &left, const Value &right, Value *result);
    static int power(const Value &left, const Value &right, Value *result);
    static int concatenate(const Value &left, const Value &right, Value *result);
    static int negate(const Value &operand, Value *result);

    enum class Logical { And, Or, Xor, Eqv, Imp };
    // Booleans give a Boolean, numbers their bits combined.
    static int logical(Logical op, const Value &left, const Value &right, Value *result);
    static int logicalNot(const Value &operand, Value *result);

    enum class Comparison { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };
    // A Boolean, or Null when an operand is Null. A number and a text compare as numbers when
    // the text was written as a literal, as texts when the number was, and the number is the
    // smaller otherwise.
    static int compare(Comparison op, const Value &left, const Value &right, bool leftIsLiteral,
                       bool rightIsLiteral, Value *result);
    // The order of two values for comparisons: -1, 0 or 1; `isNull` is set when either is Null.
    static int order(const Value &left, const Value &right, bool leftIsLiteral, bool rightIsLiteral,
                     int *result, bool *isNull);
    // StrComp and the text comparisons of InStr, Replace, Split, Filter and Dictionary:
    // binary (0) or ignoring case (1).
    static int compareText(const QString &left, const QString &right, bool ignoreCase);
};

} // namespace VBScript
