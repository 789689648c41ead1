#include "scriptlistener.h"

#include "corelib/common/corelogging.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/localizemanager.h"
#include "corelib/logging/logrecord.h"

ScriptListener::ScriptListener(SRCore::ILogInterface *log, QObject *parent)
    : QObject(parent)
    , m_log(log)
{}

void ScriptListener::onError(const QString &message, const QString &scriptName, int lineNumber)
{
    // The text stays a translatable template; the message goes last in the argument, where the
    // message pane keeps its commas.
    SRCore::LogRecord record(SRCore::LogLevel::Error, QString());
    if (lineNumber > 0) {
        record.operation = QStringLiteral(
            QT_TRANSLATE_NOOP("LogMessages", "Error in script '%11', line %12: %13"));
        record.argument = scriptName + QLatin1Char(',') + QString::number(lineNumber)
                          + QLatin1Char(',') + message;
    } else {
        record.operation =
            QStringLiteral(QT_TRANSLATE_NOOP("LogMessages", "Error in script '%11': %12"));
        record.argument = scriptName + QLatin1Char(',') + message;
    }
    if (!m_log) {
        qCWarning(lcCoreLib).noquote() << "Script error with no log to report it to:"
                                       << SRCore::LocalizeManager::getMessage(record);
        return;
    }
    m_log->log(record);
}
