#include "scriptercore.h"

#include "corelib/common/validation.h"
#include "corelib/env/envmanager.h"
#include "corelib/files/filehandler.h"
#include "corelib/jobs/countmanager.h"
#include "corelib/jobs/filemanager.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logging.h"
#include "corelib/logging/logmanager.h"
#include "corelib/logging/logrecord.h"
#include "corelib/variables/variablemanager.h"

#include <QDir>
#include <QFileInfo>

namespace Scripter {

namespace {

ScripterCore *theCore = nullptr;

} // namespace

ScripterCore::ScripterCore(QObject *parent)
    : QObject(parent)
{
    Q_ASSERT_X(!theCore, "ScripterCore", "only one core may exist");
    theCore = this;
    setupFolders();
}

ScripterCore::~ScripterCore()
{
    // Everything logged until now reaches the database before the log closes.
    m_logManager->stopServerLog();
    m_logManager->closeDatabase();
    SRCore::FileManager::setCountManager(nullptr);
    m_controlLog.reset();
    SRCore::LogManager::finalize();
    SRCore::Validation::finalize();
    SRCore::VariableManager::finalize();
    theCore = nullptr;
}

ScripterCore *ScripterCore::instance()
{
    return theCore;
}

SRCore::ILogInterface *ScripterCore::controlLogInterface() const
{
    return m_controlLog ? m_controlLog.get() : SRCore::Logging::instance();
}

void ScripterCore::sendLogMessage(int level, const QString &operation, const QString &flow,
                                  const QString &element, const QString &job,
                                  const QString &argument)
{
    controlLogInterface()->log(SRCore::LogRecord(level, operation, flow, element, job, argument),
                               SRCore::ILogInterface::NoFlags);
}

QString ScripterCore::prepareFolder(const QString &name)
{
    const QString path = SRCore::EnvManager::applicationDataPath() + QLatin1Char('/') + name;
    QDir().mkpath(path);
    return QFileInfo(path).absoluteFilePath();
}

void ScripterCore::setupFolders()
{
    m_logsFolder = prepareFolder(QStringLiteral("logs"));
    // Temporary files of an earlier run are of no use any more.
    const QString temp = SRCore::EnvManager::applicationDataPath() + QStringLiteral("/temp");
    if (QFileInfo(temp).isDir()) {
        SRCore::FileHandler::cleanupFolder(temp);
    }
    m_tempFolder = prepareFolder(QStringLiteral("temp"));
    SRCore::FileHandler::setTempFolder(m_tempFolder);
    m_settingsFolder = prepareFolder(QStringLiteral("settings"));
    m_problemFilesFolder = prepareFolder(QStringLiteral("ProblemFiles"));

    m_logManager = SRCore::LogManager::instance();
    m_logManager->startThread();
    m_controlLog =
        m_logManager->createLogInterface(QStringLiteral("Scripter control"), nullptr, nullptr);

    const QString counterFile = m_settingsFolder + QStringLiteral("/CountSettings.xml");
    m_countManager = std::make_unique<SRCore::CountManager>();
    if (m_countManager->setFileName(counterFile)) {
        SRCore::FileManager::setCountManager(m_countManager.get());
    } else {
        m_countManager.reset();
        SRCore::FileHandler::remove(counterFile, true);
        sendLogMessage(SRCore::LogLevel::Error,
                       QStringLiteral(QT_TRANSLATE_NOOP(
                           "LogMessages", "Can't load counter settings from file '%1'")),
                       QString(), QString(), QString(), counterFile);
    }

    if (m_logManager->setDatabaseFiles(m_logsFolder) == 1) {
        sendLogMessage(SRCore::LogLevel::Warning,
                       QStringLiteral(QT_TRANSLATE_NOOP(
                           "LogMessages", "Can't initialize log database in folder '%1'")),
                       QString(), QString(), QString(), m_logsFolder);
    }
    m_logManager->setLogMessaging(SRCore::LogManager::DatabaseOnly);
    m_logManager->storeDebugMessages = true;
    sendLogMessage(SRCore::LogLevel::Information,
                   QStringLiteral(QT_TRANSLATE_NOOP("LogMessages", "Scripter started")));
}

} // namespace Scripter
