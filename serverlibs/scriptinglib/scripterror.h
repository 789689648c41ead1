#pragma once

#include <QCoreApplication>
#include <QString>

// Why a script did not give a value: a compile error, an uncaught exception, an error raised by a
// call of the scripting objects, or a stop. `line` and `column` are 1-based places in the
// script's own text; 0 where the engine does not tell (runtime errors of the JavaScript engine
// carry a line but no column).
struct ScriptError
{
    Q_DECLARE_TR_FUNCTIONS(ScriptError)

public:
    QString message;
    int line = 0;
    int column = 0;
    bool interrupted = false; // the run was asked to stop (IScriptEngine::interrupt)

    bool isEmpty() const { return message.isEmpty(); }
    // "Line 3, column 7: ReferenceError: x is not defined", the place as far as known.
    QString describe() const;
};
