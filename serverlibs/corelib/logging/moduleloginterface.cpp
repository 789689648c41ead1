#include "moduleloginterface.h"

#include "logmanager.h"
#include "logrecord.h"

#include "corelib/jobs/filemanager.h"

#include <QCoreApplication>

namespace SRCore {

ModuleLogInterface::ModuleLogInterface(const QString &module, const QString &flowName,
                                       const QString &jobName)
    : m_module(module)
    , m_flowName(flowName)
    , m_jobName(jobName)
{}

void ModuleLogInterface::log(const LogRecord &record, int flags)
{
    LogRecord stamped = record;
    if (stamped.level == LogLevel::Refused) {
        // Stored untranslated, like every operation; the message pane translates it.
        stamped.level = LogLevel::Error;
        stamped.argument = record.operation;
        stamped.operation = QString::fromLatin1(QT_TRANSLATE_NOOP(
            "LogMessages", "Log message of level 0 is not allowed; message '%1' is not logged"));
    }
    if (stamped.module.isEmpty()) {
        stamped.module = m_module;
    }
    if (stamped.flow.isEmpty()) {
        stamped.flow = m_flowName;
    }
    if (stamped.file.isEmpty()) {
        stamped.file = m_jobName;
    }
    if (stamped.ticket.isEmpty()) {
        stamped.ticket = FileManager::getPrefix(stamped.file);
    }
    if (!stamped.time.isValid()) {
        stamped.time = QDateTime::currentDateTimeUtc();
    }
    LogManager::post(stamped, flags);
}

} // namespace SRCore
