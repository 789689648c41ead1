#pragma once

#include "iscriptengine.h"
#include "scriptcodeandlangstruct.h"
#include "scriptpersistentstate.h"

#include "supportlib/iframeworkentriesmanager.h"
#include "supportlib/runsummary.h"

#include <QCoreApplication>
#include <QHash>
#include <QMutex>

#include <memory>

class Connection;
class Environment;
class Job;
class QSAScripting;
class Tavrix;

namespace SRCore {
class Flow;
}

// Runs the entry points of scripts (docs/scripting-api.md lists them with their arguments and
// results) and serves the scripting objects while they run: the flow, the user global data,
// timer intervals, temporary folders and the message log. Every entry point runs in a fresh
// engine of the script's language (ScriptRun) on the caller's thread. A script error ends the
// entry point with a level-3 message naming its line and column; at the end of every entry
// point the run summary is logged, one message per output and per changed data tag, and kept
// for lastRunSummary().
//
// The first manager made is the process's one (instance()) until it is destroyed. Threads: an
// entry point runs on one thread at a time; stopScript(), lastRunSummary() and the accessors may
// be called from any thread meanwhile.
class BaseEntriesManager : public IFrameworkEntriesManager
{
    Q_DECLARE_TR_FUNCTIONS(BaseEntriesManager)

public:
    static constexpr int kDefaultTimerInterval = 10;

    // Temporary folders of runs go below `tempFolder`. `log` is not owned and must outlive the
    // manager.
    BaseEntriesManager(const QString &tempFolder, SRCore::ILogInterface *log);
    ~BaseEntriesManager() override;
    BaseEntriesManager(const BaseEntriesManager &) = delete;
    BaseEntriesManager &operator=(const BaseEntriesManager &) = delete;

    // The registered manager; null while there is none.
    static BaseEntriesManager *instance();

    int getTimerInterval(const QString &flowId, const QString &elementId) override;
    void setTimerInterval(const QString &flowId, const QString &elementId, int seconds) override;
    UserGlobalData *getUserGlobalData() override;
    QString getTempFolderForJob(SRCore::IJT *ticket, const QString &name,
                                IFrameworkEnvironment *environment) override;
    // Without a flow of its own, an empty flow that the manager keeps.
    SRCore::Flow *getFlow(const QString &id) override;
    // The base name of the program's executable.
    QString getApplicationName() override;
    void finishEntryPoint(IFrameworkEnvironment *environment, const SRCore::Flow *flow,
                          SRCore::ILogInterface *log) override;
    // Logs with the names of the flow that getFlow() gives and of its element "1".
    void logMessage(int level, const QString &message, const QStringList &arguments,
                    const QString &jobName = QString()) override;

    // The entry points. Each binds the objects it is given to this manager and runs the script
    // function of the same name; the texts returned by jobArrived and timerFired are the error
    // that ended the run, empty when it ran to its end. A script without the function, or whose
    // language can't run, logs why and gives the empty result.
    virtual QString jobArrived(Tavrix *tavrix, Job *job, const ScriptCodeAndLangStruct &script,
                               ScriptPersistentState *state);
    virtual QString timerFired(Tavrix *tavrix, const ScriptCodeAndLangStruct &script,
                               ScriptPersistentState *state);
    virtual QStringList getLibraryForProperty(const ScriptCodeAndLangStruct &script, Tavrix *tavrix,
                                              const QString &tag);
    virtual QString findApplicationPath(const ScriptCodeAndLangStruct &script,
                                        Environment *environment, bool startup);
    virtual QString getApplicationLicensing(const ScriptCodeAndLangStruct &script,
                                            Environment *environment);
    virtual void cleanupAfterAbort(Environment *environment, const ScriptCodeAndLangStruct &script,
                                   ScriptPersistentState *state);
    virtual void licenseApplication(const ScriptCodeAndLangStruct &script, Environment *environment,
                                    const QString &key);
    virtual bool isPropertyValid(const ScriptCodeAndLangStruct &script, Tavrix *tavrix,
                                 const QString &tag, const QString &value);
    virtual QStringList getLibraryForConnectionProperty(const ScriptCodeAndLangStruct &script,
                                                        Tavrix *tavrix, Connection *connection,
                                                        const QString &tag);
    virtual bool isConnectionPropertyValid(const ScriptCodeAndLangStruct &script, Tavrix *tavrix,
                                           Connection *connection, const QString &tag,
                                           const QString &value);
    virtual bool initializeProcessing(Environment *environment,
                                      const ScriptCodeAndLangStruct &script,
                                      ScriptPersistentState *state);
    virtual void finalizeProcessing(Environment *environment, const ScriptCodeAndLangStruct &script,
                                    ScriptPersistentState *state);
    // Mode 1 stops the script that runs now (within a few milliseconds for JavaScript), and the
    // script expressions being evaluated; the run then ends with "The script was stopped".
    // Other modes do nothing.
    virtual void stopScript(int mode);

    // What the last entry point that ended did; empty before the first.
    RunSummary lastRunSummary() const;
    // A script that makes the program grow by more than this is stopped.
    void setMemoryLimit(qint64 bytes);

protected:
    SRCore::ILogInterface *logInterface() const { return m_log; }
    // Replaces the user global data; reports a damaged file that it found.
    void setUserGlobalData(std::unique_ptr<UserGlobalData> data);

private:
    struct RunFolders
    {
        QString root;
        QHash<const SRCore::IJT *, QString> jobs;
    };

    // Runs `function` of `script` with `arguments`, with every message and the summary.
    ScriptResult runEntryPoint(const QString &function, const ScriptCodeAndLangStruct &script,
                               IFrameworkEnvironment *environment, const QVariantList &arguments,
                               const QString &jobName = QString());
    void setRunningEngine(IScriptEngine *engine);
    void logScriptError(const QString &function, const ScriptError &error, const QString &jobName);
    void finishRun(const QString &function, IFrameworkEnvironment *environment,
                   const QString &errorMessage);
    static QStringList listResult(const ScriptResult &result);

    const QString m_tempFolder;
    SRCore::ILogInterface *m_log;
    std::unique_ptr<SRCore::Flow> m_emptyFlow;

    mutable QMutex m_mutex; // guards every member below
    std::unique_ptr<UserGlobalData> m_userGlobalData;
    QHash<QString, int> m_timerIntervals;
    QHash<IFrameworkEnvironment *, RunFolders> m_runFolders;
    int m_runFolderCount = 0;
    std::unique_ptr<QSAScripting> m_scriptEngine; // of the run in progress
    bool m_stopRequested = false;
    RunSummary m_lastSummary;
    qint64 m_memoryLimit;
};
