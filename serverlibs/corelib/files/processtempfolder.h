#pragma once

#include <QCoreApplication>
#include <QString>

#include <memory>

class QLockFile;

namespace SRCore {

class TerminationCleanup;

// The folder that holds every temporary file of this process, below a root that all runs of the
// program and of its command-line tool share (the "temp" folder in the per-user data folder).
//
// Each run's folder is named "run-<pid>-<random>", readable by its owner only, and held by a
// lock file of the same name with ".lock" beside it for as long as the run lasts. The folder is
// removed when the object goes and when the process gets SIGINT or SIGTERM; what a crash leaves
// behind goes at the next start, which sweeps away every entry of the root that no running
// process holds.
class ProcessTempFolder
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::ProcessTempFolder)

public:
    // Sweeps `root` (created when missing) and makes this run's folder in it.
    explicit ProcessTempFolder(const QString &root);
    ~ProcessTempFolder();
    ProcessTempFolder(const ProcessTempFolder &) = delete;
    ProcessTempFolder &operator=(const ProcessTempFolder &) = delete;

    bool isValid() const { return !m_path.isEmpty(); }
    // Absolute; empty when the folder could not be made.
    QString path() const { return m_path; }
    // Why the folder could not be made.
    QString errorString() const { return m_error; }

    // Removes every entry of `root` whose run has ended: run folders whose lock no running
    // process holds, and anything else that is not a lock.
    static void sweep(const QString &root);

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<TerminationCleanup> m_cleanup;
    QString m_error;
};

} // namespace SRCore
