#include "builtinsupport.h"

#include "interpreter.h"
#include "runtimeerror.h"

namespace VBScript {

void BuiltinSupport::add(const Builtin *functions, int count,
                         QHash<QString, const Builtin *> *table)
{
    for (int i = 0; i < count; ++i) {
        table->insert(QString::fromLatin1(functions[i].name).toLower(), &functions[i]);
    }
}

bool BuiltinSupport::compareMode(Interpreter &interpreter, const Arguments &arguments, int index,
                                 bool *ignoreCase)
{
    int mode = 0;
    if (!optionalLong(interpreter, arguments, index, 0, &mode)) {
        return false;
    }
    if (mode < 0 || mode > 2) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    *ignoreCase = mode != 0;
    return true;
}

bool BuiltinSupport::optionalLong(Interpreter &interpreter, const Arguments &arguments, int index,
                                  int fallback, int *result)
{
    if (arguments.isMissing(index)) {
        *result = fallback;
        return true;
    }
    return interpreter.toLong(arguments[index], result);
}

bool BuiltinSupport::optionalBoolean(Interpreter &interpreter, const Arguments &arguments,
                                     int index, bool fallback, bool *result)
{
    *result = fallback;
    return arguments.isMissing(index) || interpreter.toBoolean(arguments[index], result);
}

bool BuiltinSupport::boundedLong(Interpreter &interpreter, const Value &value, int minimum,
                                 int *result)
{
    if (!interpreter.toLong(value, result)) {
        return false;
    }
    return *result >= minimum || interpreter.raise(RuntimeError::InvalidProcedureCall);
}

bool BuiltinSupport::textResult(Interpreter &interpreter, QString text, Value &result)
{
    if (text.size() > maxTextLength) {
        return interpreter.raise(RuntimeError::OutOfStringSpace);
    }
    result = Value::string(std::move(text));
    return true;
}

} // namespace VBScript
