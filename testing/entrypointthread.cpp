#include "entrypointthread.h"

#include "entrypoints.h"

#include "scriptinglib/baseentriesmanager.h"

#include "supportlib/baseframeworkenvironment.h"
#include "supportlib/connection.h"
#include "supportlib/environment.h"
#include "supportlib/job.h"
#include "supportlib/tavrix.h"

#include "corelib/env/envmanager.h"
#include "corelib/flow/flow.h"
#include "corelib/jobs/ijt.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logging.h"
#include "corelib/logging/logmanager.h"
#include "corelib/logging/logrecord.h"
#include "corelib/scripting/iscriptexpressionevaluator.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace Scripter {

namespace {

const QString elementId = QStringLiteral("1");

} // namespace

// The scripting objects of one run, made and destroyed on the thread that runs the script, in
// the order the script's objects depend on each other.
class EntryPointThread::RunObjects
{
public:
    RunObjects(const Request &request, const ApplicationData &application)
    {
        IFrameworkEnvironment::AdditionalServerData serverData;
        serverData.testFolder = request.testFolder;
        serverData.applicationPath = application.path;
        serverData.applicationLicensing = application.licensing;
        serverData.packageFolder = QFileInfo(request.packageKey).absolutePath();
        IFrameworkEnvironment::GlobalUserPreferences preferences;
        preferences.applicationName = SRCore::EnvManager::appName();
        environment = std::make_unique<BaseFrameworkEnvironment>(serverData, preferences,
                                                                 IFrameworkEnvironment::TestMode);
        log = SRCore::LogManager::instance()->createLogInterface(QStringLiteral("Scripter test"),
                                                                 request.ticket, request.flow);
        tavrix = std::make_unique<Tavrix>(request.flow, elementId, environment.get(),
                                          request.ticket, log.get());
        if (request.ticket) {
            job = std::make_unique<Job>(request.ticket, environment.get(), log.get());
        }
        if (EntryPoints::usesConnection(request.entryPoint) && !request.connection.isNull()) {
            connection = std::make_unique<Connection>(request.connection, tavrix.get());
        }
        environmentObject = std::make_unique<Environment>(environment.get(), log.get());
    }
    ~RunObjects()
    {
        environmentObject.reset();
        connection.reset();
        job.reset();
        tavrix.reset();
        log.reset();
        environment.reset();
    }
    RunObjects(const RunObjects &) = delete;
    RunObjects &operator=(const RunObjects &) = delete;

    std::unique_ptr<BaseFrameworkEnvironment> environment;
    std::unique_ptr<SRCore::ILogInterface> log;
    std::unique_ptr<Tavrix> tavrix;
    std::unique_ptr<Job> job;
    std::unique_ptr<Connection> connection;
    std::unique_ptr<Environment> environmentObject;
};

EntryPointThread::EntryPointThread(SRCore::ILogInterface *log, QObject *parent)
    : QThread(parent)
    , m_log(log)
{}

EntryPointThread::~EntryPointThread()
{
    wait();
}

void EntryPointThread::setup(const Request &request)
{
    Q_ASSERT_X(!isRunning(), "EntryPointThread::setup", "a run is in progress");
    m_request = request;
    m_jobName = request.ticket ? request.ticket->getActiveFileName() : QString();
    const QMutexLocker locker(&m_mutex);
    // Every package that was run has its application data, empty at first.
    m_applicationData[request.packageKey];
    m_libraryResult.clear();
}

QString EntryPointThread::elementName() const
{
    return m_request.flow ? m_request.flow->getFlowObject(elementId).getName() : QString();
}

QString EntryPointThread::flowName() const
{
    return m_request.flow ? m_request.flow->getFlowName() : QString();
}

EntryPointThread::ApplicationData EntryPointThread::applicationData(const QString &packageKey) const
{
    const QMutexLocker locker(&m_mutex);
    return m_applicationData.value(packageKey);
}

QStringList EntryPointThread::libraryResult() const
{
    const QMutexLocker locker(&m_mutex);
    return m_libraryResult;
}

void EntryPointThread::setLibraryResult(const QStringList &library)
{
    const QMutexLocker locker(&m_mutex);
    m_libraryResult = library;
}

void EntryPointThread::rememberApplicationData(const QString &path, const QString *licensing)
{
    const QMutexLocker locker(&m_mutex);
    ApplicationData &data = m_applicationData[m_request.packageKey];
    if (licensing) {
        data.licensing = *licensing;
    } else {
        data.path = path;
    }
}

void EntryPointThread::logRun(const char *message, const QString &argument) const
{
    m_log->log(SRCore::LogRecord(SRCore::LogLevel::Information, QString::fromLatin1(message),
                                 flowName(), elementName(), m_jobName, argument));
}

void EntryPointThread::run()
{
    BaseEntriesManager *manager = BaseEntriesManager::instance();
    if (!manager || !m_request.flow) {
        m_log->log(SRCore::LogRecord(
            SRCore::LogLevel::Error,
            QStringLiteral(QT_TRANSLATE_NOOP("LogMessages", "No script run time to run %1")),
            flowName(), elementName(), m_jobName, EntryPoints::startText(m_request.entryPoint)));
        return;
    }
    RunObjects objects(m_request, applicationData(m_request.packageKey));
    const QString result = invoke(objects);
    if (!m_request.libraryOnly) {
        if (!result.isEmpty()) {
            logRun(QT_TRANSLATE_NOOP("LogMessages", "Script evaluation result: %1"), result);
        }
        logRun(QT_TRANSLATE_NOOP("LogMessages", "Script evaluation message: %1"),
               EntryPoints::endText(m_request.entryPoint));
    }
    manager->finishEntryPoint(objects.environment.get(), m_request.flow,
                              objects.tavrix->getLogInterface());
}

QString EntryPointThread::invoke(RunObjects &objects)
{
    BaseEntriesManager &manager = *BaseEntriesManager::instance();
    const ScriptCodeAndLangStruct &script = m_request.script;
    const QString tag = m_request.arguments.value(QStringLiteral("tag"));
    Tavrix *tavrix = objects.tavrix.get();
    Environment *environment = objects.environmentObject.get();
    switch (m_request.entryPoint) {
    case EntryPoints::JobArrived:
        if (objects.job) {
            manager.jobArrived(tavrix, objects.job.get(), script, nullptr);
        }
        return QString();
    case EntryPoints::ScriptExpression:
        if (!m_request.ticket) {
            return QString();
        }
        return evaluateScriptBody();
    case EntryPoints::TimerFired:
        manager.timerFired(tavrix, script, nullptr);
        return QString();
    case EntryPoints::InitializeProcessing:
        return manager.initializeProcessing(environment, script, nullptr)
                   ? QStringLiteral("Processing was initialized")
                   : QStringLiteral("Failed to initialize processing");
    case EntryPoints::FinalizeProcessing:
        manager.finalizeProcessing(environment, script, nullptr);
        return QString();
    case EntryPoints::CleanupAfterAbort:
        manager.cleanupAfterAbort(environment, script, nullptr);
        return QString();
    case EntryPoints::IsPropertyValid:
    case EntryPoints::IsConnectionPropertyValid:
        objects.environment->setRunMode(IFrameworkEnvironment::DesignMode);
        return validateProperty(objects);
    case EntryPoints::GetLibraryForProperty:
    case EntryPoints::GetLibraryForConnectionProperty: {
        objects.environment->setRunMode(IFrameworkEnvironment::DesignMode);
        const QStringList library = objects.connection
                                        ? manager.getLibraryForConnectionProperty(
                                            script, tavrix, objects.connection.get(), tag)
                                        : manager.getLibraryForProperty(script, tavrix, tag);
        setLibraryResult(library);
        return library.join(QLatin1Char(';'));
    }
    case EntryPoints::FindApplicationPath: {
        const bool startup = m_request.arguments.value(QStringLiteral("startup")).toLower()
                             == SRCore::XMLValues::VAL_TRUE;
        const QString path = manager.findApplicationPath(script, environment, startup);
        rememberApplicationData(path, nullptr);
        return path;
    }
    case EntryPoints::GetApplicationLicensing: {
        const QString licensing = manager.getApplicationLicensing(script, environment);
        rememberApplicationData(QString(), &licensing);
        return licensing;
    }
    case EntryPoints::LicenseApplication:
        manager.licenseApplication(script, environment,
                                   m_request.arguments.value(QStringLiteral("license")));
        return QString();
    default:
        return QString();
    }
}

QString EntryPointThread::evaluateScriptBody() const
{
    const SRCore::IScriptExpressionEvaluator *evaluator =
        SRCore::IScriptExpressionEvaluator::instance();
    if (!evaluator) {
        return QString();
    }
    return SRCore::IScriptExpressionEvaluator::formatValue(
        evaluator->evaluate(m_request.script.code, m_request.flow, elementId, m_request.ticket,
                            elementName(), SRCore::Logging::instance()));
}

QString EntryPointThread::validateProperty(RunObjects &objects)
{
    const QString tag = m_request.arguments.value(QStringLiteral("tag"));
    Connection *connection = objects.connection.get();
    // The value of the object whose property it is; a value that depends on a job can't be
    // known at design time.
    const bool isStatic = connection ? connection->isPropertyValueStatic(tag)
                                     : objects.tavrix->isPropertyValueStatic(tag);
    if (!isStatic) {
        m_log->log(SRCore::LogRecord(
            SRCore::LogLevel::Error,
            QStringLiteral(QT_TRANSLATE_NOOP("LogMessages",
                                             "Dynamic value can not be validated in design mode")),
            flowName(), elementName(), m_jobName));
        return QString();
    }
    BaseEntriesManager &manager = *BaseEntriesManager::instance();
    const QString value =
        connection ? connection->getPropertyValue(tag) : objects.tavrix->getPropertyValue(tag);
    const bool valid =
        connection ? manager.isConnectionPropertyValid(m_request.script, objects.tavrix.get(),
                                                       connection, tag, value)
                   : manager.isPropertyValid(m_request.script, objects.tavrix.get(), tag, value);
    return (valid ? tr("Valid property '%1' with value '%2'")
                  : tr("Invalid property '%1' with value '%2'"))
        .arg(tag, value);
}

} // namespace Scripter
