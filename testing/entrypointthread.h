#pragma once

#include "scriptinglib/scriptcodeandlangstruct.h"

#include "corelib/flow/flowobject.h"

#include <QCoreApplication>
#include <QHash>
#include <QMap>
#include <QMutex>
#include <QStringList>
#include <QThread>

namespace SRCore {
class Flow;
class IJT;
class ILogInterface;
} // namespace SRCore

namespace Scripter {

// The worker thread that runs one entry point of a script at a time through the process's
// entries manager (BaseEntriesManager::instance()), reused for every run. setup() takes what the
// run needs; run() makes the scripting objects of the run (s, job, c, e and their environment)
// on this thread, calls the entry point, logs its result and end message and throws the objects
// away again. The application path and licensing that findApplicationPath and
// getApplicationLicensing give are kept per package for the later runs of the program.
//
// Threads: setup() and the accessors on the GUI thread while the thread does not run; the
// application data and the library result may be read at any time. The flow and the ticket
// stay owned by the fixture, which must not rebuild them while the thread runs.
class EntryPointThread : public QThread
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EntryPointThread)

public:
    struct Request
    {
        SRCore::Flow *flow = nullptr;
        SRCore::IJT *ticket = nullptr; // the current job; null without one
        int entryPoint = 0;            // EntryPoints::Number
        QString packageKey;            // the package file path
        ScriptCodeAndLangStruct script;
        SRCore::FlowObject connection;    // for the connection property entry points
        QMap<QString, QString> arguments; // "tag", "startup", "license"
        QString testFolder;
        // A design-time call for a property editor: no run messages, only the library.
        bool libraryOnly = false;
    };

    struct ApplicationData
    {
        QString path;
        QString licensing;
    };

    // `log` receives the run's own messages; not owned, must outlive the thread.
    explicit EntryPointThread(SRCore::ILogInterface *log, QObject *parent = nullptr);
    // Waits for a run in progress to end.
    ~EntryPointThread() override;

    void setup(const Request &request);
    const Request &request() const { return m_request; }
    // The element name of object "1" of the run's flow, the flow's name; empty without a flow.
    QString elementName() const;
    QString flowName() const;

    ApplicationData applicationData(const QString &packageKey) const;
    // What the last getLibraryForProperty or getLibraryForConnectionProperty gave.
    QStringList libraryResult() const;

protected:
    void run() override;

private:
    class RunObjects;

    // Calls the entry point; the result text, empty for none.
    QString invoke(RunObjects &objects);
    QString validateProperty(RunObjects &objects);
    // The script body's value as a script expression, formatted for the result message.
    QString evaluateScriptBody() const;
    void logRun(const char *message, const QString &argument) const;
    void setLibraryResult(const QStringList &library);
    void rememberApplicationData(const QString &path, const QString *licensing);

    SRCore::ILogInterface *m_log;
    Request m_request;
    QString m_jobName;
    mutable QMutex m_mutex;
    QHash<QString, ApplicationData> m_applicationData; // guarded by m_mutex
    QStringList m_libraryResult;                       // guarded by m_mutex
};

} // namespace Scripter
