#pragma once

// A log interface that keeps what it is given, for tests of what the code under test reports.

#include "corelib/logging/iloginterface.h"
#include "corelib/logging/localizemanager.h"
#include "corelib/logging/logrecord.h"

#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

namespace TestLog {

// Safe to log into from any thread, as real log interfaces are.
class RecordingLog : public SRCore::ILogInterface
{
public:
    void log(const SRCore::LogRecord &record, int) override
    {
        const QMutexLocker locker(&m_mutex);
        m_records.append(record);
    }

    QList<SRCore::LogRecord> records() const
    {
        const QMutexLocker locker(&m_mutex);
        return m_records;
    }
    void clear()
    {
        const QMutexLocker locker(&m_mutex);
        m_records.clear();
    }
    // "operation|argument" of every record, in order.
    QStringList messages() const
    {
        QStringList result;
        for (const SRCore::LogRecord &record : records()) {
            result << record.operation + QLatin1Char('|') + record.argument;
        }
        return result;
    }
    // "level|operation|argument" of every record, in order.
    QStringList entries() const
    {
        QStringList result;
        for (const SRCore::LogRecord &record : records()) {
            result << QString::number(record.level) + QLatin1Char('|') + record.operation
                          + QLatin1Char('|') + record.argument;
        }
        return result;
    }
    // The messages as the message pane shows them: "level|text".
    QStringList lines() const
    {
        QStringList result;
        for (const SRCore::LogRecord &record : records()) {
            result << QStringLiteral("%1|%2")
                          .arg(record.level)
                          .arg(SRCore::LocalizeManager::getMessage(record));
        }
        return result;
    }
    // The lines that contain `part`.
    QStringList linesWith(const QString &part) const { return lines().filter(part); }

private:
    mutable QMutex m_mutex;
    QList<SRCore::LogRecord> m_records;
};

} // namespace TestLog

using TestLog::RecordingLog;
