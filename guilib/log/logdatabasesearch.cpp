#include "logdatabasesearch.h"

#include "logprovider.h"

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

namespace GuiLib {

// What the GUI thread and one search's worker share.
struct LogDatabaseSearch::Run
{
    qint64 fromId = 0;
    qint64 toId = 0;
    Predicate wanted;
    int maxFound = 0;
    int retryDelayMs = RetryDelayMs;
    std::atomic<bool> stop{false};      // abort() or cancel() asked the worker to stop
    std::atomic<bool> cancelled{false}; // nothing more is reported
    QMutex mutex;
    QWaitCondition stopped; // wakes the worker from the pause after a failed chunk

    void requestStop()
    {
        QMutexLocker lock(&mutex);
        stop = true;
        stopped.wakeAll();
    }
};

LogDatabaseSearch::LogDatabaseSearch(const QString &databaseFile, QObject *parent)
    : QObject(parent)
    , m_databaseFile(databaseFile)
{}

LogDatabaseSearch::~LogDatabaseSearch()
{
    cancel();
    waitForWorker();
}

int LogDatabaseSearch::chunkSize(qint64 total)
{
    return int(qMax<qint64>(MinimumChunkSize, (total + MaximumChunks - 1) / MaximumChunks));
}

bool LogDatabaseSearch::start(qint64 fromId, qint64 toId, const Predicate &wanted, int maxFound)
{
    if (m_state != State::Idle || fromId > toId || maxFound <= 0 || !wanted) {
        return false;
    }
    // A cancelled search may still be ending; it stops within a few hundred messages.
    waitForWorker();
    auto run = std::make_shared<Run>();
    run->fromId = fromId;
    run->toId = toId;
    run->wanted = wanted;
    run->maxFound = maxFound;
    run->retryDelayMs = m_retryDelayMs;
    m_run = run;
    m_state = State::Searching;
    m_worker.reset(QThread::create([this, run]() { search(run); }));
    m_worker->setObjectName(QStringLiteral("GuiLib message search"));
    m_worker->start();
    return true;
}

void LogDatabaseSearch::abort()
{
    if (m_state != State::Searching) {
        return;
    }
    m_state = State::Aborting;
    m_run->requestStop();
}

void LogDatabaseSearch::cancel()
{
    if (m_run) {
        m_run->cancelled = true;
        m_run->requestStop();
        m_run.reset();
    }
    m_state = State::Idle;
}

void LogDatabaseSearch::waitForWorker()
{
    if (m_worker) {
        m_worker->wait();
        m_worker.reset();
    }
}

void LogDatabaseSearch::report(const std::shared_ptr<Run> &run, std::function<void()> report)
{
    QMetaObject::invokeMethod(
        this,
        [this, run, report = std::move(report)]() {
            if (!run->cancelled && run == m_run) {
                report();
            }
        },
        Qt::QueuedConnection);
}

void LogDatabaseSearch::search(const std::shared_ptr<Run> &run)
{
    // A connection of the worker's own: SQL connections belong to the thread that made them.
    LogProvider provider(m_databaseFile);
    qint64 total = -1;
    qint64 nextId = run->toId; // the highest id not read yet
    qint64 checked = 0;
    QList<SRCore::LogRecord> found;
    Outcome outcome = Outcome::Completed;
    for (;;) {
        if (run->stop) {
            outcome = Outcome::Aborted;
            break;
        }
        LogProvider::Error error;
        QList<SRCore::LogRecord> chunk;
        if ((total < 0 && !provider.countMessages(run->fromId, nextId, &total, &error))
            || !provider.readRange(run->fromId, nextId, chunkSize(total), &chunk, &error,
                                   &run->stop)) {
            if (run->stop) {
                continue;
            }
            const QString reason = error.number.isEmpty() ? error.text : error.number;
            report(run, [this, reason]() { emit chunkFailed(reason); });
            QMutexLocker lock(&run->mutex);
            if (!run->stop) {
                run->stopped.wait(&run->mutex, run->retryDelayMs);
            }
            continue;
        }
        bool bounded = false;
        for (const SRCore::LogRecord &record : std::as_const(chunk)) {
            ++checked;
            if (run->wanted(record)) {
                found << record;
                if (found.size() >= run->maxFound) {
                    bounded = true;
                    break;
                }
            }
        }
        if (!chunk.isEmpty()) {
            nextId = chunk.constLast().id - 1;
        }
        const int percent = total > 0 ? int(qMin<qint64>(100, checked * 100 / total)) : 100;
        const qint64 reportedTotal = qMax(total, checked);
        report(run, [this, percent, checked, reportedTotal]() {
            emit progressChanged(percent, checked, reportedTotal);
        });
        if (bounded) {
            outcome = Outcome::Bounded;
            break;
        }
        if (chunk.size() < chunkSize(total) || nextId < run->fromId) {
            break;
        }
    }
    provider.close();
    report(run, [this, outcome, found]() {
        if (outcome == Outcome::Aborted) {
            emit terminating();
        }
        m_state = State::Idle;
        emit finished(outcome, found);
    });
}

} // namespace GuiLib
