#include "conversionfunctions.h"

#include "builtinsupport.h"
#include "conversion.h"
#include "interpreter.h"
#include "runtimeerror.h"

#include <iterator>

namespace VBScript {

namespace {

// The C... functions refuse Null; objects give their default value.
bool plainArgument(Interpreter &interpreter, const Arguments &arguments, Value *plain)
{
    if (!interpreter.defaultValue(arguments[0], plain)) {
        return false;
    }
    return !plain->isNull() || interpreter.raise(RuntimeError::InvalidUseOfNull);
}

bool cBool(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    Value plain;
    bool value = false;
    if (!plainArgument(interpreter, arguments, &plain)
        || !interpreter.check(Conversion::toBoolean(plain, &value))) {
        return false;
    }
    result = Value::boolean(value);
    return true;
}

bool cByte(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    Value plain;
    unsigned char value = 0;
    if (!plainArgument(interpreter, arguments, &plain)
        || !interpreter.check(Conversion::toByte(plain, &value))) {
        return false;
    }
    result = Value::byte(value);
    return true;
}

bool cCur(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    Value plain;
    qint64 value = 0;
    if (!plainArgument(interpreter, arguments, &plain)
        || !interpreter.check(Conversion::toCurrency(plain, &value))) {
        return false;
    }
    result = Value::currency(value);
    return true;
}

bool cDate(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    Value plain;
    double value = 0;
    if (!plainArgument(interpreter, arguments, &plain)
        || !interpreter.check(Conversion::toDate(plain, &value))) {
        return false;
    }
    result = Value::date(value);
    return true;
}

bool cDbl(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    Value plain;
    double value = 0;
    if (!plainArgument(interpreter, arguments, &plain)
        || !interpreter.check(Conversion::toDouble(plain, &value))) {
        return false;
    }
    result = Value::real(value);
    return true;
}

bool cInt(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    Value plain;
    short value = 0;
    if (!plainArgument(interpreter, arguments, &plain)
        || !interpreter.check(Conversion::toInteger(plain, &value))) {
        return false;
    }
    result = Value::integer(value);
    return true;
}

bool cLng(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    Value plain;
    int value = 0;
    if (!plainArgument(interpreter, arguments, &plain)
        || !interpreter.check(Conversion::toLong(plain, &value))) {
        return false;
    }
    result = Value::longValue(value);
    return true;
}

bool cSng(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    Value plain;
    float value = 0;
    if (!plainArgument(interpreter, arguments, &plain)
        || !interpreter.check(Conversion::toSingle(plain, &value))) {
        return false;
    }
    result = Value::single(value);
    return true;
}

bool cStr(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    Value plain;
    QString value;
    if (!plainArgument(interpreter, arguments, &plain)
        || !interpreter.check(Conversion::toString(plain, &value))) {
        return false;
    }
    result = Value::string(std::move(value));
    return true;
}

// Hex and Oct: the bits of an Integer (16) or of a Long (32); other numbers are rounded to a
// Long first.
bool radixText(Interpreter &interpreter, const Arguments &arguments, Value &result, int radix)
{
    Value plain;
    if (!interpreter.defaultValue(arguments[0], &plain)) {
        return false;
    }
    if (plain.isNull()) {
        result = Value::null();
        return true;
    }
    quint32 bits = 0;
    switch (plain.type()) {
    case ValueType::Empty:
        break;
    case ValueType::Byte:
        bits = plain.asByte();
        break;
    case ValueType::Integer:
    case ValueType::Boolean: {
        short value = 0;
        Conversion::toInteger(plain, &value);
        bits = quint16(value);
        break;
    }
    default: {
        int value = 0;
        if (!interpreter.check(Conversion::toLong(plain, &value))) {
            return false;
        }
        bits = quint32(value);
        break;
    }
    }
    result = Value::string(QString::number(bits, radix).toUpper());
    return true;
}

bool hex(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    return radixText(interpreter, arguments, result, 16);
}

bool oct(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    return radixText(interpreter, arguments, result, 8);
}

constexpr Builtin functions[] = {
    {"CBool", cBool, 1, 1}, {"CByte", cByte, 1, 1}, {"CCur", cCur, 1, 1}, {"CDate", cDate, 1, 1},
    {"CDbl", cDbl, 1, 1},   {"CInt", cInt, 1, 1},   {"CLng", cLng, 1, 1}, {"CSng", cSng, 1, 1},
    {"CStr", cStr, 1, 1},   {"Hex", hex, 1, 1},     {"Oct", oct, 1, 1},
};

} // namespace

void ConversionFunctions::addTo(QHash<QString, const Builtin *> *table)
{
    BuiltinSupport::add(functions, int(std::size(functions)), table);
}

} // namespace VBScript
