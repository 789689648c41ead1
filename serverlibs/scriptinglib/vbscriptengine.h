#pragma once

#include "iscriptengine.h"

#include "vbscript/engine.h"
#include "vbscript/outputsink.h"

#include <QPointer>

#include <atomic>

class ScriptConsole;

// The VBScript engine (IScriptEngine) on the engine of vbscript/. The scripting objects are bound
// by name in any letter case and called with VBScript's conventions (`s.log 1, "text"`,
// `job.sendToSingle job.getPath`); lists come and go as VBScript arrays. A method of theirs that
// fails raises a run-time error in the script (Err.Number -2147467259, Err.Source the object's
// class, Err.Description why), which On Error Resume Next may handle. A run stops at the next
// loop iteration or call after interrupt(). What MsgBox shows goes to the script host's echo
// when there is one, else to `console`, when bound.
class VBScriptEngine final
    : public IScriptEngine
    , private VBScript::OutputSink
{
public:
    VBScriptEngine();
    ~VBScriptEngine() override;
    VBScriptEngine(const VBScriptEngine &) = delete;
    VBScriptEngine &operator=(const VBScriptEngine &) = delete;

    QString language() const override;
    void addObject(const QString &name, QObject *object) override;
    void addScriptHost(std::function<void(const QString &line)> echo) override;
    ScriptResult runProgram(const QString &program) override;
    bool hasFunction(const QString &name) const override;
    ScriptResult call(const QString &name, const QVariantList &arguments) override;
    void interrupt() override;

    void raiseScriptError(const QString &message) override;
    bool isInterrupted() const override;

private:
    void echo(const QString &text) override;
    // Errors come back as results; the entries manager logs them.
    void log(int, const QString &) override {}

    static ScriptResult outcome(bool ok, QVariant value, VBScript::ScriptError error);

    std::atomic<bool> m_interrupted{false};
    QPointer<ScriptConsole> m_console;
    std::function<void(const QString &line)> m_scriptHostEcho;
    // Last, so that it goes first: Class_Terminate of the objects it still holds may echo.
    VBScript::Engine m_engine;
};
