#include "conversionfunctions.h"

#include "builtinsupport.h"
#include "conversion.h"
#include "interpreter.h"
#include "number.h"
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

// The C... functions: the argument converted to one subtype.
template<typename T, int (*Convert)(const Value &, T *), Value (*Make)(T)>
bool converted(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    Value plain;
    T value{};
    if (!plainArgument(interpreter, arguments, &plain)
        || !interpreter.check(Convert(plain, &value))) {
        return false;
    }
    result = Make(value);
    return true;
}

Value text(QString value)
{
    return Value::string(std::move(value));
}

// Hex and Oct: the bits of a Byte (8), an Integer (16) or a Long (32); other numbers are rounded
// to a Long first.
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
    Number whole;
    if (!interpreter.check(Conversion::toWhole(plain, &whole))) {
        return false;
    }
    const quint32 bits =
        whole.kind == Number::Kind::Integer ? quint16(whole.whole) : quint32(whole.whole);
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

// clang-format off
constexpr Builtin functions[] = {
    {"CBool", converted<bool, Conversion::toBoolean, Value::boolean>, 1, 1},
    {"CByte", converted<unsigned char, Conversion::toByte, Value::byte>, 1, 1},
    {"CCur", converted<qint64, Conversion::toCurrency, Value::currency>, 1, 1},
    {"CDate", converted<double, Conversion::toDate, Value::date>, 1, 1},
    {"CDbl", converted<double, Conversion::toDouble, Value::real>, 1, 1},
    {"CInt", converted<short, Conversion::toInteger, Value::integer>, 1, 1},
    {"CLng", converted<int, Conversion::toLong, Value::longValue>, 1, 1},
    {"CSng", converted<float, Conversion::toSingle, Value::single>, 1, 1},
    {"CStr", converted<QString, Conversion::toString, text>, 1, 1},
    {"Hex", hex, 1, 1},
    {"Oct", oct, 1, 1},
};
// clang-format on

} // namespace

void ConversionFunctions::addTo(QHash<QString, const Builtin *> *table)
{
    BuiltinSupport::add(functions, int(std::size(functions)), table);
}

} // namespace VBScript
