#include "baseentriesmanager.h"

#include "qsascripting.h"
#include "scriptrun.h"

#include "supportlib/connection.h"
#include "supportlib/environment.h"
#include "supportlib/iframeworkenvironment.h"
#include "supportlib/job.h"
#include "supportlib/runrecorder.h"
#include "supportlib/tavrix.h"
#include "supportlib/userglobaldata.h"

#include "corelib/files/filehandler.h"
#include "corelib/flow/flow.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"
#include "corelib/scripting/iscriptexpressionevaluator.h"

#include <QDir>
#include <QFileInfo>

#include <atomic>

namespace {

std::atomic<BaseEntriesManager *> g_instance{nullptr};

QVariant object(QObject *object)
{
    return QVariant::fromValue(object);
}

} // namespace

BaseEntriesManager::BaseEntriesManager(const QString &tempFolder, SRCore::ILogInterface *log)
    : m_tempFolder(tempFolder)
    , m_log(log)
    , m_emptyFlow(SRCore::Flow::createEmptyFlow(QStringLiteral("1")))
    , m_memoryLimit(ScriptRun::kDefaultMemoryLimit)
{
    BaseEntriesManager *expected = nullptr;
    g_instance.compare_exchange_strong(expected, this);
}

BaseEntriesManager::~BaseEntriesManager()
{
    BaseEntriesManager *expected = this;
    g_instance.compare_exchange_strong(expected, nullptr);
    for (const RunFolders &folders : std::as_const(m_runFolders)) {
        SRCore::FileHandler::remove(folders.root);
    }
}

BaseEntriesManager *BaseEntriesManager::instance()
{
    return g_instance.load();
}

int BaseEntriesManager::getTimerInterval(const QString &flowId, const QString &elementId)
{
    const QMutexLocker locker(&m_mutex);
    return m_timerIntervals.value(flowId + QLatin1Char('/') + elementId, kDefaultTimerInterval);
}

void BaseEntriesManager::setTimerInterval(const QString &flowId, const QString &elementId,
                                          int seconds)
{
    const QMutexLocker locker(&m_mutex);
    m_timerIntervals.insert(flowId + QLatin1Char('/') + elementId, seconds);
}

UserGlobalData *BaseEntriesManager::getUserGlobalData()
{
    const QMutexLocker locker(&m_mutex);
    return m_userGlobalData.get();
}

void BaseEntriesManager::setUserGlobalData(std::unique_ptr<UserGlobalData> data)
{
    const QString problem = data ? data->loadError() : QString();
    {
        const QMutexLocker locker(&m_mutex);
        m_userGlobalData = std::move(data);
    }
    if (!problem.isEmpty()) {
        logMessage(SRCore::LogLevel::Error,
                   QStringLiteral(QT_TRANSLATE_NOOP("LogMessages", "Damaged global data: %1")),
                   {problem});
    }
}

QString BaseEntriesManager::getTempFolderForJob(SRCore::IJT *ticket, const QString & /*name*/,
                                                IFrameworkEnvironment *environment)
{
    // Every job of a run gets a folder of its own below the run's folder, whatever it is
    // named; the run's folder goes in finishEntryPoint().
    const QMutexLocker locker(&m_mutex);
    RunFolders &folders = m_runFolders[environment];
    if (folders.root.isEmpty()) {
        folders.root = m_tempFolder + QStringLiteral("/run%1").arg(++m_runFolderCount);
    }
    QString &folder = folders.jobs[ticket];
    if (folder.isEmpty()) {
        folder = folders.root
                 + (ticket ? QStringLiteral("/job%1").arg(folders.jobs.size())
                           : QStringLiteral("/temp"));
    }
    return QDir().mkpath(folder) ? folder : QString();
}

SRCore::Flow *BaseEntriesManager::getFlow(const QString & /*id*/)
{
    return m_emptyFlow.get();
}

QString BaseEntriesManager::getApplicationName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).baseName();
}

void BaseEntriesManager::finishEntryPoint(IFrameworkEnvironment *environment,
                                          const SRCore::Flow * /*flow*/, SRCore::ILogInterface *log)
{
    RunFolders folders;
    {
        const QMutexLocker locker(&m_mutex);
        folders = m_runFolders.take(environment);
    }
    QString error;
    if (!folders.root.isEmpty() && !SRCore::FileHandler::remove(folders.root, true, &error)
        && log) {
        log->log(SRCore::LogRecord(
            SRCore::LogLevel::Warning,
            QStringLiteral(QT_TRANSLATE_NOOP("LogMessages",
                                             "Can't remove the temporary folder of the run: %1")),
            QString(), QString(), QString(), error));
    }
}

void BaseEntriesManager::logMessage(int level, const QString &message, const QStringList &arguments,
                                    const QString &jobName)
{
    const SRCore::Flow *flow = getFlow(QString());
    const QString flowName = flow ? flow->getFlowName() : QString();
    const QString elementName =
        flow ? flow->getFlowObject(QStringLiteral("1")).getName() : QString();
    m_log->log(SRCore::LogRecord(level, message, flowName, elementName, jobName,
                                 arguments.join(QLatin1Char(','))));
}

void BaseEntriesManager::setRunningEngine(IScriptEngine *engine)
{
    const QMutexLocker locker(&m_mutex);
    m_scriptEngine = engine ? std::make_unique<QSAScripting>(engine) : nullptr;
    // A stop that came while the run was still preparing stops it now.
    if (m_scriptEngine && m_stopRequested) {
        m_scriptEngine->stopExecution();
    }
}

void BaseEntriesManager::stopScript(int mode)
{
    if (mode != 1) {
        return;
    }
    {
        const QMutexLocker locker(&m_mutex);
        m_stopRequested = true;
        if (m_scriptEngine) {
            m_scriptEngine->stopExecution();
        }
    }
    // A test run may evaluate the script body as an expression instead of an entry point.
    if (SRCore::IScriptExpressionEvaluator *evaluator =
            SRCore::IScriptExpressionEvaluator::instance()) {
        evaluator->stopEvaluations();
    }
}

void BaseEntriesManager::setMemoryLimit(qint64 bytes)
{
    const QMutexLocker locker(&m_mutex);
    m_memoryLimit = bytes;
}

RunSummary BaseEntriesManager::lastRunSummary() const
{
    const QMutexLocker locker(&m_mutex);
    return m_lastSummary;
}

ScriptResult BaseEntriesManager::runEntryPoint(const QString &function,
                                               const ScriptCodeAndLangStruct &script,
                                               IFrameworkEnvironment *environment,
                                               const QVariantList &arguments,
                                               const QString &jobName)
{
    qint64 memoryLimit = 0;
    {
        const QMutexLocker locker(&m_mutex);
        m_stopRequested = false;
        memoryLimit = m_memoryLimit;
    }
    environment->setEntriesManager(this);
    ScriptRun run(script, environment, m_log, memoryLimit);
    setRunningEngine(run.engine());
    ScriptResult result = run.start();
    if (result.ok()) {
        if (run.hasFunction(function)) {
            result = run.call(function, arguments);
        } else {
            result.error.message = tr("The script has no function %1").arg(function);
        }
    }
    setRunningEngine(nullptr);
    if (!result.ok()) {
        logScriptError(function, result.error, jobName);
    }
    finishRun(function, environment, result.error.message);
    return result;
}

void BaseEntriesManager::logScriptError(const QString &function, const ScriptError &error,
                                        const QString &jobName)
{
    if (error.line > 0 && error.column > 0) {
        logMessage(
            SRCore::LogLevel::Error,
            QStringLiteral(
                QT_TRANSLATE_NOOP("LogMessages", "Error in %11 at line %12, column %13: %14")),
            {function, QString::number(error.line), QString::number(error.column), error.message},
            jobName);
    } else if (error.line > 0) {
        logMessage(
            SRCore::LogLevel::Error,
            QStringLiteral(QT_TRANSLATE_NOOP("LogMessages", "Error in %11 at line %12: %13")),
            {function, QString::number(error.line), error.message}, jobName);
    } else {
        logMessage(SRCore::LogLevel::Error,
                   QStringLiteral(QT_TRANSLATE_NOOP("LogMessages", "Error in %11: %12")),
                   {function, error.message}, jobName);
    }
}

void BaseEntriesManager::finishRun(const QString &function, IFrameworkEnvironment *environment,
                                   const QString &errorMessage)
{
    const RunSummary summary = environment->recorder().takeSummary(function, errorMessage);
    // One line each, with the details rendered now: file names and values may hold the commas
    // that separate the parts of a message's argument.
    const QString summaryMessage =
        QStringLiteral(QT_TRANSLATE_NOOP("LogMessages", "Run summary: %1"));
    for (const RunSummary::Output &output : summary.outputs()) {
        logMessage(SRCore::LogLevel::Information, summaryMessage,
                   {tr("'%1' (%2 bytes) in connection '%3'")
                        .arg(output.fileName)
                        .arg(output.size)
                        .arg(output.connection)});
    }
    for (const RunSummary::DataChange &change : summary.changes()) {
        const QString text = change.scope == RunSummary::DataChange::Scope::PrivateData
                                 ? tr("private data '%1' of job '%2': '%3' \u2192 '%4'")
                                 : tr("global data '%1' of scope '%2': '%3' \u2192 '%4'");
        logMessage(SRCore::LogLevel::Information, summaryMessage,
                   {text.arg(change.tag, change.owner, change.oldValue, change.newValue)});
    }
    const QMutexLocker locker(&m_mutex);
    m_lastSummary = summary;
}

QStringList BaseEntriesManager::listResult(const ScriptResult &result)
{
    const int type = result.value.metaType().id();
    if (type == QMetaType::QVariantList || type == QMetaType::QStringList) {
        return result.value.toStringList();
    }
    const QString text = result.value.toString();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char(';'));
}

QString BaseEntriesManager::jobArrived(Tavrix *tavrix, Job *job,
                                       const ScriptCodeAndLangStruct &script,
                                       ScriptPersistentState * /*state*/)
{
    const QString jobName = job->jobName();
    if (!QFileInfo::exists(job->getPath())) {
        const QString message =
            tr("The job '%1' is gone since the test flow was built; nothing was run")
                .arg(job->getPath());
        logMessage(SRCore::LogLevel::Error, QStringLiteral("%1"), {message}, jobName);
        finishRun(QStringLiteral("jobArrived"), tavrix->environment(), message);
        return message;
    }
    job->setElement(tavrix);
    const ScriptResult result =
        runEntryPoint(QStringLiteral("jobArrived"), script, tavrix->environment(),
                      {object(tavrix), object(job)}, jobName);
    if (result.ok() && job->outcome() == Job::Outcome::None) {
        logMessage(
            SRCore::LogLevel::Warning,
            QStringLiteral(QT_TRANSLATE_NOOP(
                "LogMessages", "jobArrived neither sent, discarded nor failed the job '%1'")),
            {jobName}, jobName);
    }
    return result.error.message;
}

QString BaseEntriesManager::timerFired(Tavrix *tavrix, const ScriptCodeAndLangStruct &script,
                                       ScriptPersistentState * /*state*/)
{
    return runEntryPoint(QStringLiteral("timerFired"), script, tavrix->environment(),
                         {object(tavrix)})
        .error.message;
}

QStringList BaseEntriesManager::getLibraryForProperty(const ScriptCodeAndLangStruct &script,
                                                      Tavrix *tavrix, const QString &tag)
{
    return listResult(runEntryPoint(QStringLiteral("getLibraryForProperty"), script,
                                    tavrix->environment(), {object(tavrix), tag}));
}

QString BaseEntriesManager::findApplicationPath(const ScriptCodeAndLangStruct &script,
                                                Environment *environment, bool startup)
{
    return runEntryPoint(QStringLiteral("findApplicationPath"), script, environment->environment(),
                         {object(environment), startup})
        .value.toString();
}

QString BaseEntriesManager::getApplicationLicensing(const ScriptCodeAndLangStruct &script,
                                                    Environment *environment)
{
    return runEntryPoint(QStringLiteral("getApplicationLicensing"), script,
                         environment->environment(), {object(environment)})
        .value.toString();
}

void BaseEntriesManager::cleanupAfterAbort(Environment *environment,
                                           const ScriptCodeAndLangStruct &script,
                                           ScriptPersistentState * /*state*/)
{
    runEntryPoint(QStringLiteral("cleanupAfterAbort"), script, environment->environment(),
                  {object(environment)});
}

void BaseEntriesManager::licenseApplication(const ScriptCodeAndLangStruct &script,
                                            Environment *environment, const QString &key)
{
    runEntryPoint(QStringLiteral("licenseApplication"), script, environment->environment(),
                  {object(environment), key});
}

bool BaseEntriesManager::isPropertyValid(const ScriptCodeAndLangStruct &script, Tavrix *tavrix,
                                         const QString &tag, const QString &value)
{
    return runEntryPoint(QStringLiteral("isPropertyValid"), script, tavrix->environment(),
                         {object(tavrix), tag, value})
        .value.toBool();
}

QStringList
BaseEntriesManager::getLibraryForConnectionProperty(const ScriptCodeAndLangStruct &script,
                                                    Tavrix *tavrix, Connection *connection,
                                                    const QString &tag)
{
    return listResult(runEntryPoint(QStringLiteral("getLibraryForConnectionProperty"), script,
                                    tavrix->environment(),
                                    {object(tavrix), object(connection), tag}));
}

bool BaseEntriesManager::isConnectionPropertyValid(const ScriptCodeAndLangStruct &script,
                                                   Tavrix *tavrix, Connection *connection,
                                                   const QString &tag, const QString &value)
{
    return runEntryPoint(QStringLiteral("isConnectionPropertyValid"), script, tavrix->environment(),
                         {object(tavrix), object(connection), tag, value})
        .value.toBool();
}

bool BaseEntriesManager::initializeProcessing(Environment *environment,
                                              const ScriptCodeAndLangStruct &script,
                                              ScriptPersistentState * /*state*/)
{
    return runEntryPoint(QStringLiteral("initializeProcessing"), script, environment->environment(),
                         {object(environment)})
        .value.toBool();
}

void BaseEntriesManager::finalizeProcessing(Environment *environment,
                                            const ScriptCodeAndLangStruct &script,
                                            ScriptPersistentState * /*state*/)
{
    runEntryPoint(QStringLiteral("finalizeProcessing"), script, environment->environment(),
                  {object(environment)});
}
