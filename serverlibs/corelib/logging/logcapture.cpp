#include "logcapture.h"

#include <atomic>
#include <utility>

namespace SRCore {

namespace {

// The living captures. Lock order: registryMutex before a capture's own mutex.
QMutex registryMutex;
QList<LogCapture *> registry;
// Spares every record the registry's lock while nothing captures, which is nearly always.
std::atomic<int> captureCount{0};

} // namespace

LogCapture::LogCapture()
{
    const QMutexLocker lock(&registryMutex);
    registry.append(this);
    ++captureCount;
}

LogCapture::~LogCapture()
{
    const QMutexLocker lock(&registryMutex);
    registry.removeOne(this);
    --captureCount;
}

QList<LogRecord> LogCapture::records() const
{
    const QMutexLocker lock(&m_mutex);
    return m_records;
}

QList<LogRecord> LogCapture::take()
{
    const QMutexLocker lock(&m_mutex);
    return std::exchange(m_records, {});
}

void LogCapture::offer(const LogRecord &record)
{
    if (captureCount.load() == 0) {
        return;
    }
    const QMutexLocker lock(&registryMutex);
    for (LogCapture *capture : std::as_const(registry)) {
        const QMutexLocker recordsLock(&capture->m_mutex);
        capture->m_records.append(record);
    }
}

} // namespace SRCore
