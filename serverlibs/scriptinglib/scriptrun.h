#pragma once

#include "iscriptengine.h"
#include "scriptcodeandlangstruct.h"

#include <QCoreApplication>
#include <QObject>

#include <memory>

class IFrameworkEnvironment;
class MemoryGuard;

namespace SRCore {
class ILogInterface;
}

// One run of a script in its engine, as entry points and script expressions need it: the engine
// of the language, the helper objects bound (File, Dir, Process, console), the engine made the
// environment's script host, and a memory guard. Messages of the run are the caller's business;
// results and errors come back as data.
//
// Threads: made, used and destroyed on the thread that runs the script; engine() may be
// interrupted from any thread.
class ScriptRun
{
    Q_DECLARE_TR_FUNCTIONS(ScriptRun)

public:
    static constexpr qint64 kDefaultMemoryLimit = qint64(512) * 1024 * 1024;

    // `environment` must outlive the run; `log` may be null.
    ScriptRun(const ScriptCodeAndLangStruct &script, IFrameworkEnvironment *environment,
              SRCore::ILogInterface *log, qint64 memoryLimit = kDefaultMemoryLimit);
    ~ScriptRun();
    ScriptRun(const ScriptRun &) = delete;
    ScriptRun &operator=(const ScriptRun &) = delete;

    // Null when the language can't run; start() then says why.
    IScriptEngine *engine() const { return m_engine.get(); }

    // Binds `object` (not owned) under `name`, before start().
    void addObject(const QString &name, QObject *object);
    // Loads the program and runs its top level; the error says why when it fails.
    ScriptResult start();
    bool hasFunction(const QString &name) const;
    ScriptResult call(const QString &name, const QVariantList &arguments);

private:
    ScriptResult guarded(ScriptResult result) const;

    ScriptCodeAndLangStruct m_script;
    IFrameworkEnvironment *m_environment;
    QString m_engineError;
    QObject m_helpers;
    std::unique_ptr<IScriptEngine> m_engine;
    std::unique_ptr<MemoryGuard> m_guard;
};
