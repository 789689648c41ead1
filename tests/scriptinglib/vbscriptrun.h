#pragma once

// Runs a VBScript program through the engine and gives what it wrote: its echo lines, then
// "error N: description" when a run-time error ended it.

#include "scriptinglib/vbscript/engine.h"
#include "scriptinglib/vbscript/outputsink.h"

#include <QStringList>

inline QStringList runVBScript(const QString &script)
{
    class EchoLines : public VBScript::OutputSink
    {
    public:
        void echo(const QString &text) override { lines += text.split(QLatin1Char('\n')); }
        void log(int, const QString &) override {}
        QStringList lines;
    };

    EchoLines output;
    VBScript::Engine engine;
    engine.setOutput(&output);
    engine.addWScript();
    VBScript::ScriptError error;
    if (!engine.load(script, &error)) {
        output.lines.append(
            QStringLiteral("error %1: %2").arg(error.number).arg(error.description));
    }
    engine.close();
    return output.lines;
}

// The subtype and value of `expression` as "Subtype value", or "error N: description" when it
// raises one.
inline QString subtypeAndValue(const QString &expression)
{
    return runVBScript(
               QStringLiteral("x = %1\nWScript.Echo TypeName(x) & \" \" & x\n").arg(expression))
        .join(QLatin1Char('|'));
}
