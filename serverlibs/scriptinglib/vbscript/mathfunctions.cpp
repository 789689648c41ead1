#include "mathfunctions.h"

#include "builtinsupport.h"
#include "conversion.h"
#include "interpreter.h"
#include "operators.h"
#include "randomnumbers.h"
#include "runtimeerror.h"

#include <QTime>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace VBScript {

namespace {

// The argument as a number of its own subtype: texts become Doubles, Empty and Booleans
// Integers. Null stays Null.
bool numberArgument(Interpreter &interpreter, const Arguments &arguments, Value *number)
{
    Value plain;
    if (!interpreter.defaultValue(arguments[0], &plain)) {
        return false;
    }
    switch (plain.type()) {
    case ValueType::Null:
    case ValueType::Byte:
    case ValueType::Integer:
    case ValueType::Long:
    case ValueType::Single:
    case ValueType::Double:
    case ValueType::Currency:
    case ValueType::Date:
        *number = plain;
        return true;
    case ValueType::Empty:
        *number = Value::integer(0);
        return true;
    case ValueType::Boolean:
        *number = Value::integer(plain.asBoolean() ? -1 : 0);
        return true;
    default: {
        double value = 0;
        if (!interpreter.check(Conversion::toDouble(plain, &value))) {
            return false;
        }
        *number = Value::real(value);
        return true;
    }
    }
}

bool abs(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    Value number;
    if (!numberArgument(interpreter, arguments, &number)) {
        return false;
    }
    int order = 0;
    bool isNull = false;
    Operators::order(number, Value::integer(0), false, false, &order, &isNull);
    if (isNull || order >= 0) {
        result = number;
        return true;
    }
    return interpreter.check(Operators::negate(number, &result));
}

// Int (towards minus infinity) and Fix (towards zero) keep the subtype of their argument.
bool wholePart(Interpreter &interpreter, const Arguments &arguments, Value &result, bool floor)
{
    Value number;
    if (!numberArgument(interpreter, arguments, &number)) {
        return false;
    }
    const auto cut = [floor](double value) {
        return floor ? std::floor(value) : std::trunc(value);
    };
    switch (number.type()) {
    case ValueType::Single:
        result = Value::single(float(cut(double(number.asSingle()))));
        break;
    case ValueType::Double:
        result = Value::real(cut(number.asDouble()));
        break;
    case ValueType::Date:
        result = Value::date(cut(number.asDate()));
        break;
    case ValueType::Currency: {
        const qint64 value = number.asCurrency();
        qint64 whole = value / 10000 * 10000;
        if (floor && value < 0 && whole != value) {
            whole -= 10000;
        }
        result = Value::currency(whole);
        break;
    }
    default:
        result = number;
        break;
    }
    return true;
}

bool intFunction(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    return wholePart(interpreter, arguments, result, true);
}

bool fix(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    return wholePart(interpreter, arguments, result, false);
}

// Round(number[, places]): half to even, keeping the subtype.
bool round(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    Value number;
    int places = 0;
    if (!numberArgument(interpreter, arguments, &number)
        || !BuiltinSupport::optionalLong(interpreter, arguments, 1, 0, &places)) {
        return false;
    }
    if (places < 0) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    const auto rounded = [places](double value) {
        if (places == 0) {
            return Conversion::roundHalfEven(value);
        }
        const double scale = std::pow(10.0, places);
        const double scaled = value * scale;
        return std::isfinite(scaled) ? Conversion::roundHalfEven(scaled) / scale : value;
    };
    switch (number.type()) {
    case ValueType::Single:
        result = Value::single(float(rounded(double(number.asSingle()))));
        break;
    case ValueType::Double:
        result = Value::real(rounded(number.asDouble()));
        break;
    case ValueType::Date:
        result = Value::date(rounded(number.asDate()));
        break;
    case ValueType::Currency: {
        double value = 0;
        Conversion::toDouble(number, &value);
        qint64 currency = 0;
        if (!interpreter.check(Conversion::toCurrency(Value::real(rounded(value)), &currency))) {
            return false;
        }
        result = Value::currency(currency);
        break;
    }
    default:
        result = number;
        break;
    }
    return true;
}

bool sgn(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    double value = 0;
    if (!interpreter.toDouble(arguments[0], &value)) {
        return false;
    }
    result = Value::integer(short(value < 0 ? -1 : value > 0 ? 1 : 0));
    return true;
}

// Sqr, Log, Exp and the trigonometric functions: a Double from a Double.
template<double (*Function)(double), bool (*Valid)(double)>
bool real(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    double value = 0;
    if (!interpreter.toDouble(arguments[0], &value)) {
        return false;
    }
    if (!Valid(value)) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    const double computed = Function(value);
    if (!std::isfinite(computed)) {
        return interpreter.raise(RuntimeError::Overflow);
    }
    result = Value::real(computed);
    return true;
}

bool anyNumber(double)
{
    return true;
}

bool notNegative(double value)
{
    return value >= 0;
}

bool positive(double value)
{
    return value > 0;
}

double sqrt(double value)
{
    return std::sqrt(value);
}

double log(double value)
{
    return std::log(value);
}

double exp(double value)
{
    return std::exp(value);
}

double sin(double value)
{
    return std::sin(value);
}

double cos(double value)
{
    return std::cos(value);
}

double tan(double value)
{
    return std::tan(value);
}

double atan(double value)
{
    return std::atan(value);
}

bool rnd(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    RandomNumbers &random = interpreter.random();
    if (arguments.isMissing(0)) {
        result = Value::single(random.next());
        return true;
    }
    double value = 0;
    if (!interpreter.toDouble(arguments[0], &value)) {
        return false;
    }
    result = Value::single(value < 0    ? random.reseed(float(value))
                           : value == 0 ? random.repeat()
                                        : random.next());
    return true;
}

bool randomize(Interpreter &interpreter, const Arguments &arguments, Value &)
{
    double seed = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    if (!arguments.isMissing(0) && !interpreter.toDouble(arguments[0], &seed)) {
        return false;
    }
    interpreter.random().randomize(seed);
    return true;
}

bool rgb(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    int color = 0;
    for (int i = 0; i < 3; ++i) {
        int component = 0;
        if (!BuiltinSupport::boundedLong(interpreter, arguments[i], 0, &component)) {
            return false;
        }
        color |= std::min(component, 255) << (8 * i);
    }
    result = Value::longValue(color);
    return true;
}

constexpr Builtin functions[] = {
    {"Abs", abs, 1, 1},
    {"Int", intFunction, 1, 1},
    {"Fix", fix, 1, 1},
    {"Round", round, 1, 2},
    {"Sgn", sgn, 1, 1},
    {"Sqr", real<sqrt, notNegative>, 1, 1},
    {"Log", real<log, positive>, 1, 1},
    {"Exp", real<exp, anyNumber>, 1, 1},
    {"Sin", real<sin, anyNumber>, 1, 1},
    {"Cos", real<cos, anyNumber>, 1, 1},
    {"Tan", real<tan, anyNumber>, 1, 1},
    {"Atn", real<atan, anyNumber>, 1, 1},
    {"Rnd", rnd, 0, 1},
    {"Randomize", randomize, 0, 1},
    {"RGB", rgb, 3, 3},
};

} // namespace

void MathFunctions::addTo(QHash<QString, const Builtin *> *table)
{
    BuiltinSupport::add(functions, int(std::size(functions)), table);
}

} // namespace VBScript
