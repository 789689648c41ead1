#pragma once

// A log interface that keeps what it is given, for tests of what the code under test reports.

#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"

#include <QList>
#include <QStringList>

class RecordingLog : public SRCore::ILogInterface
{
public:
    void log(const SRCore::LogRecord &record, int flags = NoFlags) override
    {
        Q_UNUSED(flags)
        records.append(record);
    }

    // "operation|argument" of every record, in order.
    QStringList messages() const
    {
        QStringList result;
        for (const SRCore::LogRecord &record : records) {
            result << record.operation + QLatin1Char('|') + record.argument;
        }
        return result;
    }

    // "level|operation|argument" of every record, in order.
    QStringList lines() const
    {
        QStringList result;
        for (const SRCore::LogRecord &record : records) {
            result << QString::number(record.level) + QLatin1Char('|') + record.operation
                          + QLatin1Char('|') + record.argument;
        }
        return result;
    }

    QList<SRCore::LogRecord> records;
};
