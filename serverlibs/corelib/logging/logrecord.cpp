#include "logrecord.h"

#include <QHash>

namespace SRCore {

LogRecord::LogRecord(int level, const QString &operation, const QString &flow,
                     const QString &element, const QString &job, const QString &argument)
    : level(level)
    , flow(flow)
    , element(element)
    , file(job)
    , operation(operation)
    , argument(argument)
{}

QString LogRecord::typeWord(int level)
{
    switch (level) {
    case LogLevel::Assert:
        return QStringLiteral("assert");
    case LogLevel::Debug:
        return QStringLiteral("debug");
    case LogLevel::Warning:
        return QStringLiteral("warning");
    case LogLevel::Error:
        return QStringLiteral("error");
    case LogLevel::Start:
        return QStringLiteral("start");
    case LogLevel::Progress:
        return QStringLiteral("progress");
    case LogLevel::End:
        return QStringLiteral("end");
    default:
        return QStringLiteral("info");
    }
}

int LogRecord::levelOfTypeWord(const QString &word)
{
    static const QHash<QString, int> levels = {
        {QStringLiteral("assert"), LogLevel::Assert},
        {QStringLiteral("debug"), LogLevel::Debug},
        {QStringLiteral("info"), LogLevel::Information},
        {QStringLiteral("warning"), LogLevel::Warning},
        {QStringLiteral("error"), LogLevel::Error},
        {QStringLiteral("start"), LogLevel::Start},
        {QStringLiteral("progress"), LogLevel::Progress},
        {QStringLiteral("end"), LogLevel::End},
    };
    return levels.value(word, LogLevel::Information);
}

} // namespace SRCore
