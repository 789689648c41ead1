#include "logdatabasesearch.h"

#include "logprovider.h"

#include <QTimer>

namespace GuiLib {

LogDatabaseSearch::LogDatabaseSearch(LogProvider *provider, QObject *parent)
    : QObject(parent)
    , m_provider(provider)
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &LogDatabaseSearch::readNextChunk);
}

LogDatabaseSearch::~LogDatabaseSearch() = default;

bool LogDatabaseSearch::start(qint64 fromId, qint64 toId, const Predicate &wanted, int maxFound)
{
    if (m_state != State::Idle || fromId > toId || maxFound <= 0 || !wanted) {
        return false;
    }
    m_state = State::Searching;
    m_wanted = wanted;
    m_maxFound = maxFound;
    m_fromId = fromId;
    m_nextId = toId;
    m_total = -1;
    m_checked = 0;
    m_found.clear();
    m_timer->start(FirstChunkDelayMs);
    return true;
}

void LogDatabaseSearch::abort()
{
    if (m_state != State::Searching) {
        return;
    }
    m_state = State::Aborting;
    // A search waiting to retry a failed chunk stops as soon as a normal one would.
    if (m_timer->remainingTime() > NextChunkDelayMs) {
        m_timer->start(NextChunkDelayMs);
    }
}

void LogDatabaseSearch::cancel()
{
    m_timer->stop();
    m_state = State::Idle;
    m_wanted = nullptr;
    m_found.clear();
}

int LogDatabaseSearch::chunkSize(qint64 total)
{
    return int(qMax<qint64>(MinimumChunkSize, (total + MaximumChunks - 1) / MaximumChunks));
}

void LogDatabaseSearch::readNextChunk()
{
    if (m_state == State::Aborting) {
        emit terminating();
        finish(Outcome::Aborted);
        return;
    }
    if (m_state != State::Searching) {
        return;
    }
    LogProvider::Error error;
    QList<SRCore::LogRecord> chunk;
    if ((m_total < 0 && !m_provider->countMessages(m_fromId, m_nextId, &m_total, &error))
        || !m_provider->readRange(m_fromId, m_nextId, chunkSize(m_total), &chunk, &error)) {
        emit chunkFailed(error.number.isEmpty() ? error.text : error.number);
        m_timer->start(m_retryDelayMs);
        return;
    }
    bool bounded = false;
    for (const SRCore::LogRecord &record : std::as_const(chunk)) {
        ++m_checked;
        if (m_wanted(record)) {
            m_found << record;
            if (m_found.size() >= m_maxFound) {
                bounded = true;
                break;
            }
        }
    }
    if (!chunk.isEmpty()) {
        m_nextId = chunk.constLast().id - 1;
    }
    const int percent = m_total > 0 ? int(qMin<qint64>(100, m_checked * 100 / m_total)) : 100;
    emit progressChanged(percent, m_checked, qMax(m_total, m_checked));

    if (bounded) {
        finish(Outcome::Bounded);
    } else if (chunk.size() < chunkSize(m_total) || m_nextId < m_fromId) {
        finish(Outcome::Completed);
    } else {
        m_timer->start(NextChunkDelayMs);
    }
}

void LogDatabaseSearch::finish(Outcome outcome)
{
    m_timer->stop();
    m_state = State::Idle;
    m_wanted = nullptr;
    const QList<SRCore::LogRecord> found = std::move(m_found);
    m_found.clear();
    emit finished(outcome, found);
}

} // namespace GuiLib
