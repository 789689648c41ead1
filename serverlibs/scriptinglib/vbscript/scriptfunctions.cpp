#include "scriptfunctions.h"

#include "builtinsupport.h"
#include "globalscope.h"
#include "interpreter.h"
#include "objectfactory.h"
#include "outputsink.h"
#include "procedurereference.h"
#include "runtimeerror.h"

#include <iterator>

namespace VBScript {

namespace {

// The en-US locale, the only one scripts here run in.
constexpr int englishUnitedStates = 1033;

bool eval(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    QString text;
    return interpreter.toString(arguments[0], &text) && interpreter.evaluateText(text, &result);
}

bool execute(Interpreter &interpreter, const Arguments &arguments, Value &)
{
    QString text;
    return interpreter.toString(arguments[0], &text) && interpreter.executeText(text, false);
}

bool executeGlobal(Interpreter &interpreter, const Arguments &arguments, Value &)
{
    QString text;
    return interpreter.toString(arguments[0], &text) && interpreter.executeText(text, true);
}

bool getRef(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    QString name;
    if (!interpreter.toString(arguments[0], &name)) {
        return false;
    }
    const GlobalEntry *entry = interpreter.globals().find(name.toLower());
    if (!entry || entry->kind != GlobalEntry::Kind::Procedure) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    result = Value::object(new ProcedureReference(*entry->procedure));
    return true;
}

bool createObject(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    QString progId;
    if (!interpreter.toString(arguments[0], &progId)) {
        return false;
    }
    Object *object = ObjectFactory::createProgId(interpreter, progId);
    if (!object) {
        return interpreter.raise(RuntimeError::CannotCreateObject, progId);
    }
    result = Value::object(object);
    return true;
}

bool getObject(Interpreter &interpreter, const Arguments &arguments, Value &)
{
    QString name;
    if (!arguments.isMissing(0) && !interpreter.toString(arguments[0], &name)) {
        return false;
    }
    return interpreter.raise(RuntimeError::CannotCreateObject, name);
}

// No one is there to answer a message box: its prompt goes to the output, and OK is taken.
bool msgBox(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    QString prompt;
    if (!interpreter.toString(arguments[0], &prompt)) {
        return false;
    }
    if (OutputSink *output = interpreter.output()) {
        output->echo(prompt);
    }
    result = Value::integer(1); // vbOK
    return true;
}

bool inputBox(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    if (!msgBox(interpreter, arguments, result)) {
        return false;
    }
    result = Value::string(QString());
    return true;
}

bool getLocale(Interpreter &, const Arguments &, Value &result)
{
    result = Value::longValue(englishUnitedStates);
    return true;
}

bool setLocale(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    if (!arguments.isMissing(0)) {
        const Value &locale = arguments[0];
        QString name;
        int id = englishUnitedStates;
        const bool english =
            locale.isString()
                ? (interpreter.toString(locale, &name)
                   && (name.compare(QLatin1String("en-us"), Qt::CaseInsensitive) == 0
                       || name.isEmpty()))
                : (interpreter.toLong(locale, &id) && (id == englishUnitedStates || id == 0));
        if (!english) {
            return interpreter.raise(RuntimeError::InvalidProcedureCall);
        }
    }
    result = Value::longValue(englishUnitedStates);
    return true;
}

constexpr Builtin functions[] = {
    {"Eval", eval, 1, 1},
    {"Execute", execute, 1, 1},
    {"ExecuteGlobal", executeGlobal, 1, 1},
    {"GetRef", getRef, 1, 1},
    {"CreateObject", createObject, 1, 2},
    {"GetObject", getObject, 0, 2},
    {"MsgBox", msgBox, 1, 5},
    {"InputBox", inputBox, 1, 7},
    {"GetLocale", getLocale, 0, 0},
    {"SetLocale", setLocale, 0, 1},
};

} // namespace

void ScriptFunctions::addTo(QHash<QString, const Builtin *> *table)
{
    BuiltinSupport::add(functions, int(std::size(functions)), table);
}

} // namespace VBScript
