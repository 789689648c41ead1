#pragma once

#include "scripterror.h"

#include "supportlib/iscripthost.h"

#include <QVariant>
#include <QVariantList>

#include <functional>

class QObject;

// What a script gave: a value, or the error that ended it.
struct ScriptResult
{
    QVariant value;
    ScriptError error;

    bool ok() const { return error.isEmpty(); }
};

// A script engine for one run of one program, in any language. The entries manager runs every
// entry point through this interface and chooses the engine by language (ScriptEngines):
//   1. addObject() for the objects the program finds by name (File, Dir, Process, console);
//   2. runProgram() compiles the program and runs its top level;
//   3. hasFunction() and call() run an entry point with the scripting objects as arguments.
// The scripting objects (Tavrix, Job, ...) are bound through their Q_INVOKABLE methods, by name
// (case-insensitively in languages that are), and raise their errors through the engine as its
// IScriptHost: raiseScriptError() during a call from the script makes that call fail in the
// script, with the script's line where the engine knows it.
//
// Threads: made, used and destroyed on one thread (the caller's); interrupt() and
// isInterrupted() may be called from any thread while it runs.
class IScriptEngine : public IScriptHost
{
public:
    ~IScriptEngine() override = default;

    // XMLValues::JAVASCRIPT, VBSCRIPT, ...
    virtual QString language() const = 0;
    // `object` is not owned and must outlive the engine; null binds the language's null.
    virtual void addObject(const QString &name, QObject *object) = 0;
    // For programs run from the command line, as Windows Script Host runs them: binds its object
    // WScript, whose Echo hands `echo` one line, its arguments shown as the language shows
    // values and separated by blanks. What the language's message boxes show goes there too.
    virtual void addScriptHost(std::function<void(const QString &line)> echo) = 0;
    // Compiles and runs `program`; a compile error gives its line and column. The value is
    // that of the last statement where the language has one (a JavaScript expression).
    virtual ScriptResult runProgram(const QString &program) = 0;
    virtual bool hasFunction(const QString &name) const = 0;
    // Calls the function `name`. Arguments are plain values (strings, numbers, booleans, lists,
    // maps) or scripting objects as QVariant::fromValue<QObject *>(object); the result is the
    // function's return value as a plain value.
    virtual ScriptResult call(const QString &name, const QVariantList &arguments) = 0;
    // Asks the running script to stop as soon as it can; it ends with an error marked
    // interrupted. It stays stopped: later calls fail at once.
    virtual void interrupt() = 0;
};
