#include "fileautocleaner.h"

#include "filehandler.h"

#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"

namespace SRCore {

FileAutoCleaner::FileAutoCleaner(const QString &folder, ILogInterface *log)
    : m_folder(folder)
    , m_log(log)
{}

FileAutoCleaner::~FileAutoCleaner()
{
    if (m_folder.isEmpty()) {
        return;
    }
    QString error;
    if (!FileHandler::remove(m_folder, true, &error) && m_log) {
        m_log->log(LogRecord(LogLevel::Warning,
                             FileHandler::tr("Can't remove temporary folder: %1"), QString(),
                             QString(), QString(), error));
    }
}

} // namespace SRCore
