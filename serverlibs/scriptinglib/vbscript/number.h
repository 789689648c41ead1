#pragma once

#include "value.h"

namespace VBScript {

// A value of one of the numeric subtypes as the operators and conversions compute with it: the
// subtype and the value, whole (Byte, Integer, Long; Currency in ten-thousandths) or real
// (Single, Double, Date).
struct Number
{
    // The numeric subtypes in the order in which the wider one decides a result.
    enum class Kind { Byte, Integer, Long, Single, Double, Currency, Date };

    static constexpr double currencyScale = 10000.0;

    // The number `value` holds; Empty and Booleans count as Integers (0, -1). False for every
    // other subtype, texts included. Inline, as wider(): every operator goes through them.
    static bool read(const Value &value, Number *number)
    {
        switch (value.type()) {
        case ValueType::Empty:
            *number = {Kind::Integer, 0, 0};
            return true;
        case ValueType::Boolean:
            *number = {Kind::Integer, value.asBoolean() ? -1 : 0, 0};
            return true;
        case ValueType::Byte:
            *number = {Kind::Byte, value.asByte(), 0};
            return true;
        case ValueType::Integer:
            *number = {Kind::Integer, value.asInteger(), 0};
            return true;
        case ValueType::Long:
            *number = {Kind::Long, value.asLong(), 0};
            return true;
        case ValueType::Single:
            *number = {Kind::Single, 0, double(value.asSingle())};
            return true;
        case ValueType::Double:
            *number = {Kind::Double, 0, value.asDouble()};
            return true;
        case ValueType::Currency:
            *number = {Kind::Currency, value.asCurrency(), 0};
            return true;
        case ValueType::Date:
            *number = {Kind::Date, 0, value.asDate()};
            return true;
        default:
            return false;
        }
    }

    // The subtype of + - * with operands of `left` and `right`, Dates aside: Currency over
    // Double over Single over Long over Integer over Byte, but a Long with a Single gives a
    // Double, whose digits hold it.
    static Kind wider(Kind left, Kind right)
    {
        if (left == Kind::Currency || right == Kind::Currency) {
            return Kind::Currency;
        }
        if (left == Kind::Double || right == Kind::Double) {
            return Kind::Double;
        }
        if (left == Kind::Single || right == Kind::Single) {
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

    bool isWhole() const
    {
        return kind == Kind::Byte || kind == Kind::Integer || kind == Kind::Long;
    }
    double toDouble() const
    {
        if (isWhole()) {
            return double(whole);
        }
        return kind == Kind::Currency ? double(whole) / currencyScale : real;
    }
    // In ten-thousandths; a real rounded half to even.
    qint64 toCurrency() const;
    // As CStr writes the subtype: dates in the general format, numbers in en-US.
    QString toText() const;

    Kind kind = Kind::Integer;
    qint64 whole = 0;
    double real = 0;
};

} // namespace VBScript
