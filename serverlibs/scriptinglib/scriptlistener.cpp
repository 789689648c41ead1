#include "scriptlistener.h"

#include "corelib/common/corelogging.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"

ScriptListener::ScriptListener(SRCore::ILogInterface *log, QObject *parent)
    : QObject(parent)
    , m_log(log)
{}

void ScriptListener::onError(const QString &message, const QString &scriptName, int lineNumber)
{
    const QString text = lineNumber > 0 ? tr("Error in script '%1', line %2: %3")
                                              .arg(scriptName, QString::number(lineNumber), message)
                                        : tr("Error in script '%1': %2").arg(scriptName, message);
    if (!m_log) {
        qCWarning(lcCoreLib).noquote() << "Script error with no log to report it to:" << text;
        return;
    }
    m_log->log(SRCore::LogRecord(SRCore::LogLevel::Error, text));
}
