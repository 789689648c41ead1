#pragma once

#include "corelib/logging/logrecord.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QThread;

namespace GuiLib {

// Searches a range of the message database, newest first, on a worker thread with a connection
// of its own, so that the window stays responsive however large the database is. The range is
// read in chunks, each reported with progressChanged(); abort() is noticed within a few hundred
// messages. A chunk that fails is tried again after a pause.
//
// Thread: the object lives on the GUI thread and reports there; the predicate runs on the worker
// thread and must only read what it holds itself.
class LogDatabaseSearch : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(LogDatabaseSearch)

public:
    enum class State { Idle, Searching, Aborting };
    enum class Outcome {
        Completed, // the whole range was read
        Aborted,   // stopped by abort() before the end of the range
        Bounded,   // stopped because the most messages asked for were found
    };

    // Messages read per chunk: at least MinimumChunkSize, and more in a large range, so that
    // no search takes more than MaximumChunks chunks.
    static constexpr int MinimumChunkSize = 5000;
    static constexpr int MaximumChunks = 30;
    static int chunkSize(qint64 total);
    static constexpr int RetryDelayMs = 5000;

    using Predicate = std::function<bool(const SRCore::LogRecord &)>;

    explicit LogDatabaseSearch(const QString &databaseFile, QObject *parent = nullptr);
    // Stops a running search without reporting and waits for its thread.
    ~LogDatabaseSearch() override;

    State state() const { return m_state; }
    // The pause before a failed chunk is tried again, for the searches started from now on;
    // RetryDelayMs unless set.
    void setRetryDelay(int milliseconds) { m_retryDelayMs = milliseconds; }

    // Starts searching the messages with ids from `fromId` to `toId` for those `wanted`
    // accepts, stopping when `maxFound` are found. False, and nothing started, while a search
    // runs or when the range is empty.
    bool start(qint64 fromId, qint64 toId, const Predicate &wanted, int maxFound);
    // Stops soon; finished() reports Aborted with what was found so far.
    void abort();
    // Stops at once without reporting, dropping what was found.
    void cancel();

signals:
    void progressChanged(int percent, qint64 checked, qint64 total);
    // A chunk could not be read; `error` is SQLite's error number, or the reason when there is
    // none. The chunk is tried again RetryDelayMs later.
    void chunkFailed(const QString &error);
    // The search has taken note of abort() and stops now.
    void terminating();
    // The search has ended; state() is Idle again. `found` is newest first.
    void finished(GuiLib::LogDatabaseSearch::Outcome outcome,
                  const QList<SRCore::LogRecord> &found);

private:
    struct Run;

    // The worker thread's loop.
    void search(const std::shared_ptr<Run> &run);
    // Hands `report` to the GUI thread, where it runs unless its search was cancelled since.
    void report(const std::shared_ptr<Run> &run, std::function<void()> report);
    void waitForWorker();

    const QString m_databaseFile;
    State m_state = State::Idle;
    int m_retryDelayMs = RetryDelayMs;
    std::shared_ptr<Run> m_run;
    std::unique_ptr<QThread> m_worker;
};

} // namespace GuiLib
