#pragma once

#include <QCoreApplication>
#include <QString>

namespace SRCore {

// Hands out job arrival stamps: whole numbers that only grow, also across program runs and
// across processes (the program and the command-line tool) sharing one "CountSettings.xml"
// (docs/counters.md). Every stamp is written to the file before it is handed out, under a lock
// file ("<file>.lock") held for the read-increment-write. Safe to use from several threads.
class CountManager
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::CountManager)

public:
    static constexpr int kFormatVersion = 1;

    CountManager() = default;

    CountManager(const CountManager &) = delete;
    CountManager &operator=(const CountManager &) = delete;

    // Uses the counter file `path`, creating it when it is missing. False, with the reason, when
    // it exists but is damaged or unreadable (the file is left as it is, and so is the file
    // used before), or when it can't be created.
    bool setFileName(const QString &path, QString *errorMessage = nullptr);
    QString fileName() const;

    // The next stamp (1 for a new file). 0, with the reason, when there is no file, when it can't
    // be locked in time, read or written, or when it became damaged; the file is then left as
    // it is and no stamp is used up.
    qint64 getNextArrivalStamp(QString *errorMessage = nullptr);

    // How long getNextArrivalStamp() and setFileName() wait for another user of the file.
    void setLockTimeout(int milliseconds);
    int lockTimeout() const;

private:
    QString m_fileName;
    // The last stamp handed out here; stamps continue above it even if the file is deleted.
    qint64 m_lastStamp = 0;
    int m_lockTimeoutMs = 10000;
};

} // namespace SRCore
