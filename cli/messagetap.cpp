#include "messagetap.h"

#include "corelib/logging/logmanager.h"

namespace Scripter {

MessageTap::MessageTap()
{
    SRCore::LogManager::instance()->setObserver([this](const SRCore::LogRecord &record) {
        const QMutexLocker locker(&m_mutex);
        m_records.append(record);
    });
}

MessageTap::~MessageTap()
{
    SRCore::LogManager::instance()->setObserver(nullptr);
}

QList<SRCore::LogRecord> MessageTap::take()
{
    const QMutexLocker locker(&m_mutex);
    return std::exchange(m_records, {});
}

} // namespace Scripter
