#pragma once

#include "iscriptengine.h"

#include <QJSEngine>
#include <QMutex>

#include <atomic>
#include <memory>

// The JavaScript engine (IScriptEngine) on QJSEngine. The program may carry QSA type annotations
// ("function jobArrived( s : Tavrix, job : Job )"); they are blanked out before the engine sees
// the text, keeping every line and column. Each engine is fresh: nothing carries over from
// another run. An engine made while another runs on the same thread (a script expression
// evaluated for a property read by a running script) is stopped together with it.
class JavaScriptEngine final : public IScriptEngine
{
    Q_DECLARE_TR_FUNCTIONS(JavaScriptEngine)

public:
    JavaScriptEngine();
    ~JavaScriptEngine() override;
    JavaScriptEngine(const JavaScriptEngine &) = delete;
    JavaScriptEngine &operator=(const JavaScriptEngine &) = delete;

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
    class ActiveScope;
    class ScriptHostOutput;

    QJSValue toScriptValue(const QVariant &value);
    // The outcome of an evaluation that filled `stackTrace` when it threw.
    ScriptResult outcome(const QJSValue &value, const QStringList &stackTrace);
    QString describeThrown(const QJSValue &value);
    void setInner(JavaScriptEngine *inner);

    QJSEngine m_engine;
    std::unique_ptr<ScriptHostOutput> m_scriptHost;
    std::atomic<bool> m_interrupted{false};
    QMutex m_innerMutex;
    JavaScriptEngine *m_inner = nullptr; // guarded by m_innerMutex
};
