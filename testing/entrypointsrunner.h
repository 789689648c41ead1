#pragma once

#include "expectationresult.h"

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

class RunSummary;

namespace SRCore {
class ILogInterface;
class LogCapture;
} // namespace SRCore

namespace Scripter {

class EntryPointThread;
class Fixture;
class ITestWindow;
class PackageProcessor;

// Runs one entry point of the script of a main window against the window's fixture: saves the
// package, checks what the entry point needs, builds the test flow, asks for an argument where
// the entry point takes one, and runs it on the one worker thread of the program
// (EntryPointThread). The window is disabled and polls the thread until the run is over.
//
// Only one run goes on at a time in the whole program. A run is stopped cooperatively through
// the entries manager (the script ends with "The script was stopped", its end message and
// clean-up still logged), by the user, by closing the window, or by the optional run time-out
// ("General/TestRunTimeout", seconds, 0 for none). Languages that can't run here are refused
// before anything is prepared.
//
// GUI thread only; the core owns the runner. Destroying it stops a run in progress and waits
// for it.
class EntryPointsRunner : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EntryPointsRunner)

public:
    // How long a property editor waits for the script's library before it is stopped.
    static constexpr int kLibraryTimeoutMs = 5000;
    // How often a stop is repeated while the script has not ended yet.
    static constexpr int kStopRepeatMs = 100;
    // The setting of the run time-out in seconds; 0 or none: runs are never stopped for time.
    static inline const QString kTimeoutKey = QStringLiteral("General/TestRunTimeout");

    // Gives the argument of entry point `entryPoint` in place of its dialog: `key` names it
    // ("tag", "startup", "license"), `choices` are what the dialog would offer (none for a
    // license key). A null answer declines, as Cancel does.
    using ArgumentSource =
        std::function<QString(int entryPoint, const QString &key, const QStringList &choices)>;

    // `processor` saves the packages; `log` takes the runner's messages. Neither is owned.
    EntryPointsRunner(PackageProcessor *processor, SRCore::ILogInterface *log,
                      QObject *parent = nullptr);
    ~EntryPointsRunner() override;

    // Starts entry point `entryPoint` (EntryPoints::Number) of `window`'s script; returns at
    // once. False when it was refused or stopped before the thread started; the reason was
    // shown or logged.
    bool run(int entryPoint, ITestWindow *window);
    // A run is in progress (also while it is being prepared).
    bool isRunning() const;
    // Stops the run in progress, logging "Test was aborted by the user"; nothing happens
    // without one.
    void abort();
    // The library that the script's getLibraryForProperty (getLibraryForConnectionProperty for
    // a connection property) gives for `tag`, run synchronously with a time-out of
    // kLibraryTimeoutMs. Empty, with the reason logged, when it can't be had.
    QStringList libraryForProperty(ITestWindow *window, const QString &tag,
                                   bool connectionProperty = false);
    // Replaces kLibraryTimeoutMs, for tests that can't wait that long.
    void setLibraryTimeout(int milliseconds);
    // Stops a run in progress without a message and waits until it has ended.
    void stopAndWait();
    // The window of the last run; null when it is gone.
    ITestWindow *window() const;
    // The file name of the package of the window that runs now.
    QString runningPackageName() const;
    // How the fixture's expected results fared in the last run that ended; empty before.
    const ExpectationResults &expectationResults() const { return m_expectationResults; }

    EntryPointThread *thread() const { return m_thread; }

    // For runs without a user: the arguments come from `source` and no dialog asks.
    void setArgumentSource(ArgumentSource source) { m_argumentSource = std::move(source); }
    // The time-out of this runner's runs in seconds, in place of the setting; 0 for none,
    // negative to use the setting again.
    void setRunTimeout(int seconds) { m_runTimeout = seconds; }

signals:
    // The run in progress took longer than the time-out and is being stopped.
    void runTimedOut();

private:
    // The checks that every run makes before the test flow is built; the script to run when
    // they pass, with the language.
    bool prepareScript(ITestWindow *window, int entryPoint, QString *language, QString *text);
    // What the argument dialog of `entryPoint` offers and the key of its answer (empty: no
    // dialog). False, after saying so, when the declaration has no property to offer.
    bool argumentChoices(int entryPoint, ITestWindow *window, QStringList *choices, QString *key);
    // Asks for the argument; false, after saying so, when the user cancels.
    bool askArgument(int entryPoint, ITestWindow *window, const QStringList &choices,
                     const QString &key, QMap<QString, QString> *arguments);
    void refuseWithBox(ITestWindow *window, const QString &text) const;
    void stopScript();
    void runFinished();
    // Holds the fixture's expected results against what the run left and logs each outcome.
    void checkExpectations(const Fixture &fixture, const RunSummary &summary);
    void timedOut();
    int runTimeoutSeconds() const;
    void log(int level, const char *message, const QString &argument = QString(),
             const QString &flow = QString(), const QString &element = QString(),
             const QString &job = QString()) const;
    void savePackage(ITestWindow *window);
    static void bindFixture(Fixture *fixture);

    PackageProcessor *m_processor;
    SRCore::ILogInterface *m_log;
    EntryPointThread *m_thread;
    ITestWindow *m_window = nullptr;
    QPointer<QWidget> m_windowWidget;
    // Set while a run is being prepared: its dialogs may let another request in.
    bool m_preparing = false;
    bool m_stopping = false;
    QTimer m_stopRepeat;
    QTimer m_timeout;
    int m_libraryTimeoutMs = kLibraryTimeoutMs;
    ExpectationResults m_expectationResults;
    // What is logged from the start of a run until it has ended, for the expected messages.
    std::unique_ptr<SRCore::LogCapture> m_runMessages;
    ArgumentSource m_argumentSource;
    int m_runTimeout = -1;
};

} // namespace Scripter
