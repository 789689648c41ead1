#pragma once

#include <QString>
#include <QStringList>

class IFrameworkEnvironment;
class UserGlobalData;

namespace SRCore {
class Flow;
class IJT;
class ILogInterface;
} // namespace SRCore

// What the scripting objects ask of the entries manager that runs them: the flow, the user global
// data, timer intervals, temporary folders and the message log. The scripting library's
// BaseEntriesManager implements it; the manager hands itself to the environment of each run
// (IFrameworkEnvironment::setEntriesManager).
//
// Threads: called on the thread that runs the script, while the program's GUI thread may use
// the manager too; implementations guard their state.
class IFrameworkEntriesManager
{
public:
    virtual ~IFrameworkEntriesManager() = default;

    // Seconds between two timerFired calls of the element `elementId` of flow `flowId`.
    virtual int getTimerInterval(const QString &flowId, const QString &elementId) = 0;
    virtual void setTimerInterval(const QString &flowId, const QString &elementId, int seconds) = 0;
    // Null while there is none.
    virtual UserGlobalData *getUserGlobalData() = 0;
    // A folder for the files that a script makes for the job of `ticket` (null: for no job),
    // created on first use and removed when the run of `environment` ends; empty on failure.
    virtual QString getTempFolderForJob(SRCore::IJT *ticket, const QString &name,
                                        IFrameworkEnvironment *environment) = 0;
    // The flow that runs the scripts; the caller does not own it. `id` may be ignored.
    virtual SRCore::Flow *getFlow(const QString &id) = 0;
    virtual QString getApplicationName() = 0;
    // The end of a run: its temporary folders go.
    virtual void finishEntryPoint(IFrameworkEnvironment *environment, const SRCore::Flow *flow,
                                  SRCore::ILogInterface *log) = 0;
    // A message of a script. `message` may refer to the arguments as "%1" (all, joined by
    // commas) or "%11", "%12", ...; `jobName` names the job it concerns, when it does.
    virtual void logMessage(int level, const QString &message, const QStringList &arguments,
                            const QString &jobName = QString()) = 0;
};
