#include "entrypointsrunner.h"

#include "entrypointdialog.h"
#include "entrypoints.h"
#include "entrypointthread.h"
#include "expectationchecker.h"
#include "fixture.h"
#include "itestwindow.h"
#include "scripterentriesmanager.h"

#include "package/declaration.h"
#include "package/packageprocessor.h"

#include "scriptinglib/baseentriesmanager.h"
#include "scriptinglib/scriptengines.h"

#include "corelib/jobs/ijt.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logcapture.h"
#include "corelib/logging/logrecord.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QSettings>
#include <QWidget>

namespace Scripter {

namespace XMLValues = SRCore::XMLValues;

namespace {

const QString tagArgument = QStringLiteral("tag");

// Building the test flow records the test folder in the fixture, which is no change of the
// user's: a window that had no unsaved changes when the run was asked for has none afterwards,
// while one with unsaved changes (an untitled package) keeps them marked.
class KeepUnmodified
{
public:
    explicit KeepUnmodified(ITestWindow *window)
        : m_window(window)
        , m_widget(window->widget())
        , m_keep(!m_widget->isWindowModified())
    {}
    ~KeepUnmodified()
    {
        if (m_keep && m_widget) {
            m_window->setUnmodified();
        }
    }
    KeepUnmodified(const KeepUnmodified &) = delete;
    KeepUnmodified &operator=(const KeepUnmodified &) = delete;

private:
    ITestWindow *m_window;
    QPointer<QWidget> m_widget;
    bool m_keep;
};

} // namespace

EntryPointsRunner::EntryPointsRunner(PackageProcessor *processor, SRCore::ILogInterface *log,
                                     QObject *parent)
    : QObject(parent)
    , m_processor(processor)
    , m_log(log)
    , m_thread(new EntryPointThread(log, this))
{
    m_stopRepeat.setInterval(kStopRepeatMs);
    connect(&m_stopRepeat, &QTimer::timeout, this, &EntryPointsRunner::stopScript);
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, &EntryPointsRunner::timedOut);
}

EntryPointsRunner::~EntryPointsRunner()
{
    stopAndWait();
}

void EntryPointsRunner::stopAndWait()
{
    m_timeout.stop();
    while (m_thread->isRunning()) {
        stopScript();
        m_thread->wait(kStopRepeatMs);
    }
    m_stopRepeat.stop();
}

bool EntryPointsRunner::isRunning() const
{
    return m_preparing || m_thread->isRunning();
}

ITestWindow *EntryPointsRunner::window() const
{
    return m_windowWidget ? m_window : nullptr;
}

QString EntryPointsRunner::runningPackageName() const
{
    const ITestWindow *running = window();
    return running ? QFileInfo(running->visiblePath()).fileName() : QString();
}

void EntryPointsRunner::log(int level, const char *message, const QString &argument,
                            const QString &flow, const QString &element, const QString &job) const
{
    m_log->log(
        SRCore::LogRecord(level, QString::fromLatin1(message), flow, element, job, argument));
}

void EntryPointsRunner::bindFixture(Fixture *fixture)
{
    // The scripts' messages carry the names of the flow under test.
    if (ScripterEntriesManager *manager = ScripterEntriesManager::instance()) {
        manager->bindFixture(fixture);
    }
}

void EntryPointsRunner::savePackage(ITestWindow *window)
{
    // An untitled package has no file to save into; asking for one at every run would be in
    // the way, and its changes stay marked as unsaved. A package without changes is on disk
    // as it is.
    if (!window->isUntitled() && window->widget()->isWindowModified()) {
        m_processor->save(PackageProcessor::SaveWithoutChecks, window);
    }
}

bool EntryPointsRunner::prepareScript(ITestWindow *window, int entryPoint, QString *language,
                                      QString *text)
{
    *language = window->currentLanguage();
    if (language->isEmpty()) {
        log(SRCore::LogLevel::Error,
            QT_TRANSLATE_NOOP("LogMessages", "Can't find script for test"));
        return false;
    }
    if (entryPoint == EntryPoints::ScriptExpression && *language != XMLValues::JAVASCRIPT) {
        log(SRCore::LogLevel::Error, QT_TRANSLATE_NOOP("LogMessages", "Can't evaluate script %1"),
            *language);
        return false;
    }
    QString why;
    if (!ScriptEngines::isSupported(*language, &why)) {
        log(SRCore::LogLevel::Error, QT_TRANSLATE_NOOP("LogMessages", "Can't run the script: %1"),
            why);
        return false;
    }
    *text = window->scriptText(*language);
    if (text->isEmpty()) {
        log(SRCore::LogLevel::Error,
            QT_TRANSLATE_NOOP("LogMessages", "Text of the script is empty"));
        return false;
    }
    return true;
}

bool EntryPointsRunner::run(int entryPoint, ITestWindow *window)
{
    if (isRunning()) {
        log(SRCore::LogLevel::Warning, QT_TRANSLATE_NOOP("LogMessages", "'%1' is in progress now"),
            runningPackageName());
        return false;
    }
    const QScopedValueRollback<bool> preparing(m_preparing, true);
    m_expectationResults.clear();
    m_runMessages.reset();
    auto runMessages = std::make_unique<SRCore::LogCapture>();
    m_window = window;
    m_windowWidget = window->widget();
    savePackage(window);
    const KeepUnmodified keepUnmodified(window);
    QString language;
    QString text;
    if (!prepareScript(window, entryPoint, &language, &text)) {
        return false;
    }
    if (!EntryPoints::isKnown(entryPoint)) {
        log(SRCore::LogLevel::Error,
            QT_TRANSLATE_NOOP("LogMessages", "This entry point is currently not supported (%1)"),
            QString::number(entryPoint));
        return false;
    }
    Fixture *fixture = window->fixture();
    bindFixture(fixture);
    if (!fixture->buildTestFlow()) {
        return false;
    }
    if (EntryPoints::needsJob(entryPoint) && !fixture->currentJobTicket()) {
        log(SRCore::LogLevel::Error,
            QT_TRANSLATE_NOOP("LogMessages", "No file or folder selected to serve as current job"));
        return false;
    }
    QStringList choices;
    QString argumentKey;
    if (!argumentChoices(entryPoint, window, &choices, &argumentKey)) {
        return false;
    }
    if (EntryPoints::usesConnection(entryPoint) && fixture->currentConnection().isNull()) {
        log(SRCore::LogLevel::Error,
            QT_TRANSLATE_NOOP("LogMessages",
                              "No outgoing connection selected to serve as current connection"));
        return false;
    }
    EntryPointThread::Request request;
    if (!argumentKey.isEmpty()
        && !askArgument(entryPoint, window, choices, argumentKey, &request.arguments)) {
        return false;
    }
    // The dialogs let events in: the window may have gone meanwhile.
    if (!m_windowWidget) {
        return false;
    }

    request.flow = fixture->testFlow();
    request.ticket = fixture->currentJobTicket();
    request.entryPoint = entryPoint;
    request.packageKey = window->visiblePath();
    request.script = {text, language};
    if (EntryPoints::usesConnection(entryPoint)) {
        request.connection = fixture->currentConnection();
    }
    request.testFolder = fixture->testFolder();
    m_thread->setup(request);
    log(SRCore::LogLevel::Information,
        QT_TRANSLATE_NOOP("LogMessages", "Starting evaluating script: %11 (%12)"),
        EntryPoints::startText(entryPoint) + QLatin1Char(',') + language, m_thread->flowName(),
        m_thread->elementName(), fixture->currentJobName(false));

    window->showStatusMessage(EntryPoints::statusText(entryPoint));
    m_stopping = false;
    m_runMessages = std::move(runMessages);
    // Started first: the window offers Abort while the thread runs.
    m_thread->start();
    window->monitorTestRun(
        m_thread, [this] { abort(); }, [this] { runFinished(); });
    const int timeoutSeconds = runTimeoutSeconds();
    if (timeoutSeconds > 0) {
        m_timeout.start(timeoutSeconds * 1000);
    }
    window->refreshMessages();
    return true;
}

bool EntryPointsRunner::argumentChoices(int entryPoint, ITestWindow *window, QStringList *choices,
                                        QString *key)
{
    bool connection = false;
    if (EntryPoints::asksForProperty(entryPoint, &connection)) {
        const Declaration *declaration = window->declaration();
        *choices =
            connection ? declaration->connectionPropertyTags() : declaration->elementPropertyTags();
        if (choices->isEmpty()) {
            refuseWithBox(window, tr("Entry point %1 can not be started.\nAdd flow element "
                                     "property in Declaration pane.")
                                      .arg(EntryPoints::functionName(entryPoint)));
            return false;
        }
        *key = tagArgument;
    } else if (entryPoint == EntryPoints::FindApplicationPath) {
        *choices = QStringList{XMLValues::VAL_TRUE, XMLValues::VAL_FALSE};
        *key = QStringLiteral("startup");
    } else if (entryPoint == EntryPoints::LicenseApplication) {
        *key = QStringLiteral("license");
    }
    return true;
}

bool EntryPointsRunner::askArgument(int entryPoint, ITestWindow *window, const QStringList &choices,
                                    const QString &key, QMap<QString, QString> *arguments)
{
    QString value;
    if (m_argumentSource) {
        value = m_argumentSource(entryPoint, key, choices);
    } else {
        EntryPointDialog dialog(window->widget(), choices, entryPoint);
        if (dialog.exec() == QDialog::Accepted) {
            value = dialog.value();
        }
    }
    if (value.isNull()) {
        refuseWithBox(
            window,
            tr("Entry point %1 can not be started.").arg(EntryPoints::functionName(entryPoint)));
        return false;
    }
    arguments->insert(key, value);
    return true;
}

void EntryPointsRunner::refuseWithBox(ITestWindow *window, const QString &text) const
{
    QMessageBox::warning(window->widget(), tr("Entry point error"), text, QMessageBox::Ok);
}

void EntryPointsRunner::abort()
{
    if (!m_thread->isRunning()) {
        return;
    }
    // A stop that reaches the entries manager before the script started would be forgotten
    // when the run begins; it is repeated until the thread has ended, and so may abort().
    stopScript();
    m_stopRepeat.start();
    if (m_stopping) {
        return;
    }
    m_stopping = true;
    const Fixture *fixture = window() ? window()->fixture() : nullptr;
    log(SRCore::LogLevel::Information,
        QT_TRANSLATE_NOOP("LogMessages", "Test was aborted by the user"), QString(),
        m_thread->flowName(), m_thread->elementName(),
        fixture ? fixture->currentJobName(false) : QString());
}

void EntryPointsRunner::stopScript()
{
    if (!m_thread->isRunning()) {
        m_stopRepeat.stop();
        return;
    }
    if (BaseEntriesManager *manager = BaseEntriesManager::instance()) {
        manager->stopScript(1);
    }
}

void EntryPointsRunner::timedOut()
{
    if (!m_thread->isRunning() || m_stopping) {
        return;
    }
    m_stopping = true;
    stopScript();
    m_stopRepeat.start();
    log(SRCore::LogLevel::Warning,
        QT_TRANSLATE_NOOP("LogMessages",
                          "The test run took longer than %1 seconds and was stopped"),
        QString::number(runTimeoutSeconds()), m_thread->flowName(), m_thread->elementName());
    emit runTimedOut();
}

int EntryPointsRunner::runTimeoutSeconds() const
{
    return m_runTimeout >= 0 ? m_runTimeout : QSettings().value(kTimeoutKey, 0).toInt();
}

void EntryPointsRunner::runFinished()
{
    m_timeout.stop();
    m_stopRepeat.stop();
    m_stopping = false;
    if (ITestWindow *finished = window()) {
        if (const BaseEntriesManager *manager = BaseEntriesManager::instance()) {
            const RunSummary summary = manager->lastRunSummary();
            finished->fixture()->showRunOutputs(summary);
            checkExpectations(*finished->fixture(), summary);
        }
        finished->refreshMessages();
    }
    m_runMessages.reset();
}

void EntryPointsRunner::checkExpectations(const Fixture &fixture, const RunSummary &summary)
{
    const std::unique_ptr<SRCore::LogCapture> capture = std::move(m_runMessages);
    ExpectationChecker::Run run;
    run.summary = summary;
    run.outgoingFolders = fixture.outgoingFolders();
    run.privateData = fixture.jobPrivateData();
    if (capture) {
        run.messages = capture->records();
    }
    m_expectationResults = ExpectationChecker::check(fixture.expectations(), run);
    const QString job = fixture.currentJobName(false);
    for (const ExpectationResult &result : std::as_const(m_expectationResults)) {
        // Rendered now: the texts hold the commas that would split a message's argument.
        if (result.passed) {
            log(SRCore::LogLevel::Information,
                QT_TRANSLATE_NOOP("LogMessages", "Expected result held: %1"), result.expectation,
                m_thread->flowName(), m_thread->elementName(), job);
        } else {
            log(SRCore::LogLevel::Error,
                QT_TRANSLATE_NOOP("LogMessages", "Expected result failed: %1"),
                tr("%1 (got %2)").arg(result.expectation, result.detail), m_thread->flowName(),
                m_thread->elementName(), job);
        }
    }
}

QStringList EntryPointsRunner::libraryForProperty(ITestWindow *window, const QString &tag,
                                                  bool connectionProperty)
{
    const int entryPoint = connectionProperty ? EntryPoints::GetLibraryForConnectionProperty
                                              : EntryPoints::GetLibraryForProperty;
    const QString function = EntryPoints::functionName(entryPoint);
    if (isRunning()) {
        log(SRCore::LogLevel::Warning,
            QT_TRANSLATE_NOOP("LogMessages",
                              "%11 can't run while '%12' is tested; try again when the test ends"),
            function + QLatin1Char(',') + runningPackageName());
        return {};
    }
    const QScopedValueRollback<bool> preparing(m_preparing, true);
    savePackage(window);
    const KeepUnmodified keepUnmodified(window);
    QString language;
    QString text;
    if (!prepareScript(window, entryPoint, &language, &text)) {
        return {};
    }
    if (!window->scriptFunctions(language).contains(function)) {
        log(SRCore::LogLevel::Error,
            QT_TRANSLATE_NOOP("LogMessages", "%1 entry point is not present"), function);
        return {};
    }
    Fixture *fixture = window->fixture();
    bindFixture(fixture);
    if (!fixture->buildTestFlow()) {
        return {};
    }
    EntryPointThread::Request request;
    request.flow = fixture->testFlow();
    request.entryPoint = entryPoint;
    request.packageKey = window->visiblePath();
    request.script = {text, language};
    request.connection = connectionProperty ? fixture->currentConnection() : SRCore::FlowObject();
    request.arguments.insert(tagArgument, tag);
    request.testFolder = fixture->testFolder();
    request.libraryOnly = true;
    m_thread->setup(request);
    m_thread->start();
    // The property editor waits for the library, so the window waits; never for long.
    if (!m_thread->wait(QDeadlineTimer(m_libraryTimeoutMs))) {
        stopScript();
        while (!m_thread->wait(kStopRepeatMs)) {
            stopScript();
        }
        log(SRCore::LogLevel::Error,
            QT_TRANSLATE_NOOP("LogMessages", "%11 took longer than %12 seconds and was stopped"),
            function + QLatin1Char(',') + QString::number(m_libraryTimeoutMs / 1000.0));
        window->refreshMessages();
        return {};
    }
    window->refreshMessages();
    return m_thread->libraryResult();
}

void EntryPointsRunner::setLibraryTimeout(int milliseconds)
{
    m_libraryTimeoutMs = milliseconds;
}

} // namespace Scripter
