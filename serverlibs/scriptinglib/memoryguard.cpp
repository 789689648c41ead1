#include "memoryguard.h"

#include "iscriptengine.h"

#include <QFile>

#include <unistd.h>

namespace {

// Often enough to stop a growing script long before the machine suffers, rarely enough to cost
// nothing.
constexpr std::chrono::milliseconds kPollInterval{20};

} // namespace

MemoryGuard::MemoryGuard(IScriptEngine &engine, qint64 limitBytes)
    : m_engine(engine)
    , m_limit(limitBytes)
{
    const qint64 baseline = residentBytes();
    if (baseline > 0) {
        m_watcher = std::thread([this, baseline] { watch(baseline); });
    }
}

MemoryGuard::~MemoryGuard()
{
    {
        const std::lock_guard<std::mutex> locker(m_mutex);
        m_stopping = true;
    }
    m_stop.notify_all();
    if (m_watcher.joinable()) {
        m_watcher.join();
    }
}

void MemoryGuard::watch(qint64 baseline)
{
    std::unique_lock<std::mutex> locker(m_mutex);
    while (!m_stop.wait_for(locker, kPollInterval, [this] { return m_stopping; })) {
        if (residentBytes() - baseline > m_limit) {
            m_tripped = true;
            m_engine.interrupt();
            return;
        }
    }
}

qint64 MemoryGuard::residentBytes()
{
    // The second number of /proc/self/statm is the resident set in pages.
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}
