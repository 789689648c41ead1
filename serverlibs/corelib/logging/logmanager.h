#pragma once

#include "logdatabase.h"

#include <QCoreApplication>
#include <QList>
#include <QMutex>
#include <QString>
#include <QWaitCondition>

#include <atomic>
#include <memory>

class QThread;

namespace SRCore {

class Flow;
class IJT;
class ILogInterface;
struct LogRecord;

// The process's message log. Log interfaces hand records to its queue (post()), which never
// waits for the database; a writer thread drains the queue into the message database in
// batched transactions. Records logged before a database is set or the thread is started are
// held until both are there, and records that cannot be written (database locked, file or
// folder gone, read-only) stay queued and are written when the database is writable again.
// While records cannot be stored the queue is bounded: past queueLimit() the oldest records
// are dropped, and the number dropped is reported once. While the writer runs with a database
// that it can write, a burst is never dropped, however long the queue grows.
//
// Threads: post() and the log interfaces may be used from any thread at any time, also during
// finalize(). The other operations belong to the thread that controls the program (normally
// the GUI thread) and must not be called concurrently with each other.
class LogManager
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::LogManager)

public:
    enum Messaging {
        DatabaseOnly = 0,
        DatabaseAndConsole = 1, // every record is also printed on stderr as one line
    };

    static constexpr int DefaultQueueLimit = 100000;

    // The process's log manager, created on first use. The pointer stays valid until finalize().
    static LogManager *instance();
    // Stops the writer (draining the queue first), closes the database and destroys the
    // instance. Records that still could not be written are reported on lcCoreLib. Does
    // nothing when there is no instance; instance() afterwards makes a fresh one.
    static void finalize();
    // Queues `record` on the current instance, creating it when needed. `record.time` must be
    // valid (the log interfaces stamp it). Debug and assert records are dropped unless
    // storeDebugMessages is set. `flags` are ILogInterface::Flag values.
    static void post(const LogRecord &record, int flags);

    // Opens the message database LogDatabase::fileName() in `folder` (which must exist),
    // creating the file when it is missing. Returns 0 on success, 1 on failure, keeping the
    // reason in lastError() and the database that was set before, if any. A file that is not
    // a message database is never changed. A database that another connection keeps locked
    // is accepted: records wait in the queue until the lock is released.
    int setDatabaseFiles(const QString &folder);
    // The absolute path of the database file; empty while none is set.
    QString getDatabaseFile() const;
    // Closes the database; records logged from now on are held until a database is set again.
    // Returns once the writer thread has released the file.
    void closeDatabase();

    // Starts the writer thread; does nothing while it runs.
    void startThread();
    // Writes everything queued, then stops the writer thread. When the database cannot be
    // written, gives up after a few seconds and keeps the rest queued. Starts the writer for
    // the purpose when records and a database are there but the thread was never started.
    void stopServerLog();

    // A Messaging value.
    void setLogMessaging(int mode);
    int logMessaging() const { return m_messaging; }

    // The last failure to open or write the database, or to keep a record; empty when there
    // was none. Not cleared by later successes.
    QString lastError() const;

    // The most bytes that the stored messages may take; when a write makes them take more,
    // and when the writer opens a database, the oldest messages are removed. Applies from the
    // writer's next write.
    void setDatabaseSizeLimit(qint64 bytes);
    qint64 databaseSizeLimit() const;

    // The most records held while they cannot be written (at least 1).
    void setQueueLimit(int limit);
    int queueLimit() const;
    // Records logged and not stored yet, including those the writer is storing right now.
    int queuedCount() const;
    // The longest pause between tries at a database that refuses, and how long stopServerLog()
    // keeps trying (ms; at least 1).
    void setRetryTimes(int longestRetryDelay, int stopTimeout);

    // A log interface named `name` that fills the records' flow and job fields from `flow` and
    // `ticket` (either may be null).
    std::unique_ptr<ILogInterface> createLogInterface(const QString &name, const IJT *ticket,
                                                      const Flow *flow);

    // Whether debug and assert records are stored; false until the application sets it.
    std::atomic<bool> storeDebugMessages{false};

private:
    LogManager();
    ~LogManager();

    LogManager(const LogManager &) = delete;
    LogManager &operator=(const LogManager &) = delete;

    void enqueue(const LogRecord &record);
    void runWriter();
    // Requires m_mutex. Drops the oldest records beyond the limit unless m_storing is set.
    void trimQueue();

    mutable QMutex m_mutex;
    QWaitCondition m_workAvailable;  // the writer waits on it for records or commands
    QWaitCondition m_writerProgress; // closeDatabase() waits on it for the writer's switch
    QList<LogRecord> m_queue;
    qsizetype m_inFlight = 0; // taken from the queue by the writer, not yet stored
    int m_queueLimit = DefaultQueueLimit;
    int m_longestRetryDelay;
    int m_stopTimeout;
    qint64 m_databaseSizeLimit = LogDatabase::DefaultSizeLimit;
    qint64 m_droppedCount = 0; // dropped since the last report
    QString m_databaseFile;
    // Incremented by every change of m_databaseFile; the writer reopens when it differs from
    // the generation it has taken over.
    quint64 m_databaseGeneration = 0;
    quint64 m_writerGeneration = 0;
    bool m_writerRunning = false;
    // Set while the writer runs with a database and its last write, if any, succeeded; the
    // queue is only bounded while it is clear.
    bool m_storing = false;
    bool m_writerIdle = false;
    bool m_stopRequested = false;
    QString m_lastError;

    std::unique_ptr<QThread> m_thread;
    std::atomic<int> m_messaging{DatabaseOnly};
};

} // namespace SRCore
