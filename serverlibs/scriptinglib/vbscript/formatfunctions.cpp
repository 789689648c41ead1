#include "formatfunctions.h"

#include "builtinsupport.h"
#include "datetext.h"
#include "interpreter.h"
#include "numbertext.h"
#include "runtimeerror.h"

#include <iterator>

namespace VBScript {

namespace {

// The engine's tristate arguments: -1 true, 0 false, -2 (or missing) the locale's default.
bool tristate(Interpreter &interpreter, const Arguments &arguments, int index, bool fallback,
              bool *result)
{
    int value = -2;
    if (!BuiltinSupport::optionalLong(interpreter, arguments, index, -2, &value)) {
        return false;
    }
    *result = value == -2 ? fallback : value != 0;
    return true;
}

// The number and the layout of FormatNumber, FormatCurrency and FormatPercent, whose
// arguments after the number are the same; `parentheses` is the locale's default for negative
// values.
bool numberAndLayout(Interpreter &interpreter, const Arguments &arguments, bool parentheses,
                     double *number, NumberText::Layout *layout)
{
    int decimals = -1;
    if (!interpreter.toDouble(arguments[0], number)
        || !BuiltinSupport::optionalLong(interpreter, arguments, 1, -1, &decimals)
        || !tristate(interpreter, arguments, 2, true, &layout->leadingDigit)
        || !tristate(interpreter, arguments, 3, parentheses, &layout->parentheses)
        || !tristate(interpreter, arguments, 4, true, &layout->groupDigits)) {
        return false;
    }
    if (decimals < -1 || decimals > 255) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    layout->decimals = decimals == -1 ? 2 : decimals;
    return true;
}

bool formatNumber(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    double number = 0;
    NumberText::Layout layout;
    if (!numberAndLayout(interpreter, arguments, false, &number, &layout)) {
        return false;
    }
    result = Value::string(NumberText::format(number, layout));
    return true;
}

bool formatCurrency(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    double number = 0;
    NumberText::Layout layout;
    if (!numberAndLayout(interpreter, arguments, true, &number, &layout)) {
        return false;
    }
    QString text = NumberText::format(number, layout);
    // The sign or the parentheses go around the currency symbol: ($1.00), -$1.00.
    if (text.startsWith(QLatin1Char('('))) {
        text.insert(1, QLatin1Char('$'));
    } else if (text.startsWith(QLatin1Char('-'))) {
        text.insert(1, QLatin1Char('$'));
    } else {
        text.prepend(QLatin1Char('$'));
    }
    result = Value::string(text);
    return true;
}

bool formatPercent(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    double number = 0;
    NumberText::Layout layout;
    if (!numberAndLayout(interpreter, arguments, false, &number, &layout)) {
        return false;
    }
    QString text = NumberText::format(number * 100, layout);
    if (text.endsWith(QLatin1Char(')'))) {
        text.insert(text.size() - 1, QLatin1Char('%'));
    } else {
        text.append(QLatin1Char('%'));
    }
    result = Value::string(text);
    return true;
}

bool formatDateTime(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    double serial = 0;
    int format = 0;
    if (!interpreter.toDate(arguments[0], &serial)
        || !BuiltinSupport::optionalLong(interpreter, arguments, 1, 0, &format)) {
        return false;
    }
    if (format < 0 || format > 4) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    result = Value::string(DateText::format(serial, DateText::Format(format)));
    return true;
}

constexpr Builtin functions[] = {
    {"FormatNumber", formatNumber, 1, 5},
    {"FormatCurrency", formatCurrency, 1, 5},
    {"FormatPercent", formatPercent, 1, 5},
    {"FormatDateTime", formatDateTime, 1, 2},
};

} // namespace

void FormatFunctions::addTo(QHash<QString, const Builtin *> *table)
{
    BuiltinSupport::add(functions, int(std::size(functions)), table);
}

} // namespace VBScript
