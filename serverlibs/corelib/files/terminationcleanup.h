#pragma once

#include <QStringList>

#include <csignal>
#include <mutex>
#include <thread>

namespace SRCore {

// Removes files and folders when the process is asked to end with SIGINT (Ctrl-C) or SIGTERM,
// then ends the process as the signal would have.
//
// The signal handler only writes the signal's number into a pipe; a thread waiting on the pipe
// does the removal, so that nothing unsafe runs inside the handler, and it works as well while
// the process is busy outside an event loop (the command-line tool). At most one exists at a
// time; the previous handlers come back when it goes.
class TerminationCleanup
{
public:
    // While one exists, a termination signal waits before it removes anything and ends the
    // process, so that work which must not be cut in two (swapping a package's files) ends first.
    // Usable from any thread, also nested.
    class Postponement
    {
    public:
        Postponement();
        Postponement(const Postponement &) = delete;
        Postponement &operator=(const Postponement &) = delete;

    private:
        std::lock_guard<std::recursive_mutex> m_lock;
    };

    // While one exists, a termination signal removes `path` as well: work that a save keeps
    // beside the files it replaces, outside the run's temporary folder. Usable from any thread.
    class Removal
    {
    public:
        explicit Removal(const QString &path);
        ~Removal();
        Removal(const Removal &) = delete;
        Removal &operator=(const Removal &) = delete;

    private:
        QString m_path;
    };

    explicit TerminationCleanup(const QStringList &paths);
    ~TerminationCleanup();
    TerminationCleanup(const TerminationCleanup &) = delete;
    TerminationCleanup &operator=(const TerminationCleanup &) = delete;

    // False when the handlers could not be installed (another cleanup is active, or the system
    // refused the pipe or the thread).
    bool isActive() const { return m_active; }

private:
    void waitForSignal();

    QStringList m_paths;
    int m_pipe[2] = {-1, -1};
    struct sigaction m_previousInterrupt = {};
    struct sigaction m_previousTerminate = {};
    std::thread m_watcher;
    bool m_active = false;
};

} // namespace SRCore
