#include "arrayfunctions.h"

#include "array.h"
#include "builtinsupport.h"
#include "interpreter.h"
#include "runtimeerror.h"

#include <iterator>

namespace VBScript {

namespace {

using Support = BuiltinSupport;

bool array(Interpreter &, const Arguments &arguments, Value &result)
{
    std::vector<Value> values;
    values.reserve(size_t(arguments.count));
    for (int i = 0; i < arguments.count; ++i) {
        values.push_back(arguments[i]);
    }
    result = Value::adoptArray(Array::fromValues(std::move(values)));
    return true;
}

// UBound and LBound: the array and the dimension (from 1) asked for.
bool dimensionOf(Interpreter &interpreter, const Arguments &arguments, const Array **array,
                 int *dimension)
{
    const Value &value = arguments[0];
    if (!value.isArray()) {
        return interpreter.raise(RuntimeError::TypeMismatch);
    }
    if (!Support::optionalLong(interpreter, arguments, 1, 1, dimension)) {
        return false;
    }
    *array = value.asArray();
    if (*dimension < 1 || *dimension > (*array)->dimensionCount()) {
        return interpreter.raise(RuntimeError::SubscriptOutOfRange);
    }
    return true;
}

bool uBound(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    const Array *values = nullptr;
    int dimension = 0;
    if (!dimensionOf(interpreter, arguments, &values, &dimension)) {
        return false;
    }
    result = Value::longValue(values->upperBound(dimension - 1));
    return true;
}

bool lBound(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    const Array *values = nullptr;
    int dimension = 0;
    if (!dimensionOf(interpreter, arguments, &values, &dimension)) {
        return false;
    }
    result = Value::longValue(0);
    return true;
}

Value stringArray(const QStringList &texts)
{
    std::vector<Value> values;
    values.reserve(size_t(texts.size()));
    for (const QString &text : texts) {
        values.push_back(Value::string(text));
    }
    return Value::adoptArray(Array::fromValues(std::move(values), Array::ElementType::String));
}

// Split(expression[, delimiter[, count[, compare]]]): an array of texts.
bool split(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    if (arguments[0].isNull()) {
        return interpreter.raise(RuntimeError::InvalidUseOfNull);
    }
    QString text;
    QString delimiter = QStringLiteral(" ");
    int count = -1;
    bool ignoreCase = false;
    if (!interpreter.toString(arguments[0], &text)
        || (!arguments.isMissing(1) && !interpreter.toString(arguments[1], &delimiter))
        || (!arguments.isMissing(2) && !Support::boundedLong(interpreter, arguments[2], -1, &count))
        || !Support::compareMode(interpreter, arguments, 3, &ignoreCase)) {
        return false;
    }
    QStringList parts;
    if (text.isEmpty() || count == 0) {
        result = stringArray(parts);
        return true;
    }
    if (delimiter.isEmpty()) {
        result = stringArray({text});
        return true;
    }
    const Qt::CaseSensitivity sensitivity = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    qsizetype from = 0;
    while (count < 0 || parts.size() + 1 < count) {
        const qsizetype found = text.indexOf(delimiter, from, sensitivity);
        if (found < 0) {
            break;
        }
        parts.append(text.mid(from, found - from));
        from = found + delimiter.size();
        if (parts.size() > Array::maxElements) {
            return interpreter.raise(RuntimeError::OutOfMemory);
        }
    }
    parts.append(text.mid(from));
    result = stringArray(parts);
    return true;
}

// The elements of a one-dimensional array argument as texts.
bool texts(Interpreter &interpreter, const Value &value, QStringList *result)
{
    if (!value.isArray() || value.asArray()->dimensionCount() != 1) {
        return interpreter.raise(RuntimeError::TypeMismatch);
    }
    for (const Value &element : value.asArray()->values()) {
        QString text;
        if (!element.isNull() && !interpreter.toString(element, &text)) {
            return false;
        }
        result->append(text);
    }
    return true;
}

bool join(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    QStringList parts;
    QString delimiter = QStringLiteral(" ");
    if (!texts(interpreter, arguments[0], &parts)
        || (!arguments.isMissing(1) && !interpreter.toString(arguments[1], &delimiter))) {
        return false;
    }
    return Support::textResult(interpreter, parts.join(delimiter), result);
}

// Filter(InputStrings, Value[, Include[, Compare]])
bool filter(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    QStringList parts;
    QString part;
    bool include = true;
    bool ignoreCase = false;
    if (arguments[0].isNull() || arguments[1].isNull()) {
        return interpreter.raise(RuntimeError::InvalidUseOfNull);
    }
    if (!texts(interpreter, arguments[0], &parts) || !interpreter.toString(arguments[1], &part)
        || (!arguments.isMissing(2) && !interpreter.toBoolean(arguments[2], &include))
        || !Support::compareMode(interpreter, arguments, 3, &ignoreCase)) {
        return false;
    }
    QStringList kept;
    for (const QString &text : parts) {
        if (text.contains(part, ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive) == include) {
            kept.append(text);
        }
    }
    result = stringArray(kept);
    return true;
}

constexpr Builtin functions[] = {
    {"Array", array, 0, 1 << 16}, {"UBound", uBound, 1, 2}, {"LBound", lBound, 1, 2},
    {"Split", split, 1, 4},       {"Join", join, 1, 2},     {"Filter", filter, 2, 4},
};

} // namespace

void ArrayFunctions::addTo(QHash<QString, const Builtin *> *table)
{
    BuiltinSupport::add(functions, int(std::size(functions)), table);
}

} // namespace VBScript
