#include "typefunctions.h"

#include "array.h"
#include "builtinsupport.h"
#include "conversion.h"
#include "datetext.h"
#include "interpreter.h"
#include "runtimeerror.h"

#include <iterator>

namespace VBScript {

namespace {

// The VarType numbers of the subtypes (vbEmpty ... vbByte).
int varTypeOf(ValueType type)
{
    switch (type) {
    case ValueType::Empty:
        return 0;
    case ValueType::Null:
        return 1;
    case ValueType::Integer:
        return 2;
    case ValueType::Long:
        return 3;
    case ValueType::Single:
        return 4;
    case ValueType::Double:
        return 5;
    case ValueType::Currency:
        return 6;
    case ValueType::Date:
        return 7;
    case ValueType::String:
        return 8;
    case ValueType::Object:
        return 9;
    case ValueType::Error:
        return 10;
    case ValueType::Boolean:
        return 11;
    case ValueType::Byte:
        return 17;
    default:
        return 12;
    }
}

constexpr int arrayFlag = 8192;

bool varType(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    const Value &value = arguments[0];
    int type = varTypeOf(value.type());
    if (value.isArray()) {
        type = arrayFlag + (value.asArray()->elementType() == Array::ElementType::String ? 8 : 12);
    } else if (value.isObject() && value.asObject()) {
        // An object with a default property reports the type of that property's value.
        Value plain;
        if (interpreter.defaultValue(value, &plain)) {
            type = varTypeOf(plain.type());
        } else {
            interpreter.discardError();
        }
    }
    result = Value::integer(short(type));
    return true;
}

bool typeName(Interpreter &, const Arguments &arguments, Value &result)
{
    static const char *const names[] = {"Empty",    "Null", "Boolean", "Byte",
                                        "Integer",  "Long", "Single",  "Double",
                                        "Currency", "Date", "Error",   "String"};
    const Value &value = arguments[0];
    switch (value.type()) {
    case ValueType::Object:
        result = Value::string(value.asObject() ? value.asObject()->typeName()
                                                : QStringLiteral("Nothing"));
        break;
    case ValueType::Array:
        result = Value::string(value.asArray()->elementType() == Array::ElementType::String
                                   ? QStringLiteral("String()")
                                   : QStringLiteral("Variant()"));
        break;
    default:
        result = Value::string(QString::fromLatin1(names[int(value.type())]));
        break;
    }
    return true;
}

bool isArray(Interpreter &, const Arguments &arguments, Value &result)
{
    result = Value::boolean(arguments[0].isArray());
    return true;
}

bool isEmpty(Interpreter &, const Arguments &arguments, Value &result)
{
    result = Value::boolean(arguments[0].isEmpty());
    return true;
}

bool isNull(Interpreter &, const Arguments &arguments, Value &result)
{
    result = Value::boolean(arguments[0].isNull());
    return true;
}

bool isObject(Interpreter &, const Arguments &arguments, Value &result)
{
    result = Value::boolean(arguments[0].isObject());
    return true;
}

bool isNumeric(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    Value plain;
    if (arguments[0].isObject()) {
        if (!interpreter.defaultValue(arguments[0], &plain)) {
            interpreter.discardError();
            result = Value::boolean(false);
            return true;
        }
    } else {
        plain = arguments[0];
    }
    result = Value::boolean(Conversion::isNumeric(plain));
    return true;
}

bool isDate(Interpreter &, const Arguments &arguments, Value &result)
{
    const Value &value = arguments[0];
    double serial = 0;
    result =
        Value::boolean(value.type() == ValueType::Date
                       || (value.isString() && DateText::parseSerial(value.asString(), &serial)));
    return true;
}

bool scriptEngine(Interpreter &, const Arguments &, Value &result)
{
    result = Value::string(QStringLiteral("VBScript"));
    return true;
}

bool majorVersion(Interpreter &, const Arguments &, Value &result)
{
    result = Value::longValue(5);
    return true;
}

bool minorVersion(Interpreter &, const Arguments &, Value &result)
{
    result = Value::longValue(8);
    return true;
}

bool buildVersion(Interpreter &, const Arguments &, Value &result)
{
    result = Value::longValue(16384);
    return true;
}

constexpr Builtin functions[] = {
    {"VarType", varType, 1, 1},
    {"TypeName", typeName, 1, 1},
    {"IsArray", isArray, 1, 1},
    {"IsEmpty", isEmpty, 1, 1},
    {"IsNull", isNull, 1, 1},
    {"IsObject", isObject, 1, 1},
    {"IsNumeric", isNumeric, 1, 1},
    {"IsDate", isDate, 1, 1},
    {"ScriptEngine", scriptEngine, 0, 0},
    {"ScriptEngineMajorVersion", majorVersion, 0, 0},
    {"ScriptEngineMinorVersion", minorVersion, 0, 0},
    {"ScriptEngineBuildVersion", buildVersion, 0, 0},
};

} // namespace

void TypeFunctions::addTo(QHash<QString, const Builtin *> *table)
{
    BuiltinSupport::add(functions, int(std::size(functions)), table);
}

} // namespace VBScript
