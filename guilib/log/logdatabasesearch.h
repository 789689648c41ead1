#pragma once

#include "corelib/logging/logrecord.h"

#include <QList>
#include <QObject>

#include <functional>

class QTimer;

namespace GuiLib {

class LogProvider;

// Searches a range of the message database, newest first, in chunks read from single-shot timers,
// so that the event loop runs between chunks and the search can be aborted there. A chunk that
// fails is tried again after a pause.
//
// Thread: GUI thread, like the provider it reads through.
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
    // no search takes more than MaximumChunks chunks (and their pauses).
    static constexpr int MinimumChunkSize = 5000;
    static constexpr int MaximumChunks = 30;
    static int chunkSize(qint64 total);
    static constexpr int FirstChunkDelayMs = 100;
    static constexpr int NextChunkDelayMs = 200;
    static constexpr int RetryDelayMs = 5000;

    using Predicate = std::function<bool(const SRCore::LogRecord &)>;

    // `provider` must outlive the search.
    explicit LogDatabaseSearch(LogProvider *provider, QObject *parent = nullptr);
    ~LogDatabaseSearch() override;

    State state() const { return m_state; }
    // The pause before a failed chunk is tried again; RetryDelayMs unless set.
    void setRetryDelay(int milliseconds) { m_retryDelayMs = milliseconds; }

    // Starts searching the messages with ids from `fromId` to `toId` for those `wanted`
    // accepts, stopping when `maxFound` are found. The first chunk is read FirstChunkDelayMs
    // later. False, and nothing started, while a search runs or when the range is empty.
    bool start(qint64 fromId, qint64 toId, const Predicate &wanted, int maxFound);
    // Stops before the next chunk; finished() reports Aborted with what was found so far.
    void abort();
    // Stops at once without reporting, dropping what was found.
    void cancel();

signals:
    void progressChanged(int percent, qint64 checked, qint64 total);
    // A chunk could not be read; `error` is SQLite's error number, or the reason when there is
    // none. The chunk is tried again after the retry delay.
    void chunkFailed(const QString &error);
    // The search has taken note of abort() and stops now.
    void terminating();
    // The search has ended; state() is Idle again. `found` is newest first.
    void finished(GuiLib::LogDatabaseSearch::Outcome outcome,
                  const QList<SRCore::LogRecord> &found);

private:
    void readNextChunk();
    void finish(Outcome outcome);

    LogProvider *const m_provider;
    QTimer *m_timer;
    int m_retryDelayMs = RetryDelayMs;
    State m_state = State::Idle;
    Predicate m_wanted;
    int m_maxFound = 0;
    qint64 m_fromId = 0;
    qint64 m_nextId = 0; // the highest id not read yet
    qint64 m_total = -1; // messages in the range; -1 until counted
    qint64 m_checked = 0;
    QList<SRCore::LogRecord> m_found;
};

} // namespace GuiLib
