#include "scriptercore.h"

#include "coreactions.h"
#include "scrappproxy.h"
#include "scripterlogging.h"
#include "scripterwindow.h"
#include "settingskeys.h"
#include "singleapplication.h"
#include "stylesheeteditor.h"

#include "package/packageprocessor.h"

#include "testing/entrypointsrunner.h"
#include "testing/scripterentriesmanager.h"

#include "scriptinglib/scriptexpressionevaluator.h"

#include "editors/preferencesdialog.h"

#include "corelib/common/validation.h"
#include "corelib/env/envmanager.h"
#include "corelib/files/filehandler.h"
#include "corelib/files/processtempfolder.h"
#include "corelib/jobs/countmanager.h"
#include "corelib/jobs/filemanager.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logdatabase.h"
#include "corelib/logging/logging.h"
#include "corelib/logging/logmanager.h"
#include "corelib/logging/logrecord.h"
#include "corelib/variables/variableevaluator.h"
#include "corelib/variables/variablemanager.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMenu>
#include <QMutexLocker>
#include <QPushButton>
#include <QSettings>
#include <QSignalMapper>

namespace Scripter {

namespace {

ScripterCore *theCore = nullptr;
bool startingUp = false;

const QString startImportMessage = QStringLiteral("message.startimportsequence");
const QString endImportMessage = QStringLiteral("message.endimportsequence");

ScripterWindow *scripterWindow(IPackageWindow *window)
{
    return window ? qobject_cast<ScripterWindow *>(window->widget()) : nullptr;
}

} // namespace

ScripterCore::ScripterCore(QObject *parent)
    : QObject(parent)
{
    Q_ASSERT_X(!theCore, "ScripterCore", "only one core may exist");
    theCore = this;
    m_packageProcessor =
        std::make_unique<PackageProcessor>([]() -> IPackageWindow * { return new ScripterWindow; });
    setupFolders();

    m_coreActions = std::make_unique<CoreActions>(this);
    connect(m_coreActions->windowMenu(), &QMenu::aboutToShow, this,
            &ScripterCore::updateWindowMenu);
    m_windowMapper = new QSignalMapper(this);
    connect(m_windowMapper, &QSignalMapper::mappedObject, this,
            [this](QObject *window) { setActiveWindow(qobject_cast<QWidget *>(window)); });

    m_appProxy = std::make_unique<ScrAppProxy>();
    m_fileIconProvider = std::make_unique<QFileIconProvider>();
    m_packageProcessor->newWindow();

    m_entriesManager =
        std::make_unique<ScripterEntriesManager>(m_tempFolder, SRCore::Logging::instance());
    m_entryPointsRunner =
        std::make_unique<EntryPointsRunner>(m_packageProcessor.get(), controlLogInterface());
    {
        const QMutexLocker locker(&SRCore::FileHandler::mMutex);
        SRCore::FileHandler::m_sProblemFolder = m_problemFilesFolder;
    }
    m_scriptExpressionEvaluator =
        std::make_unique<ScriptExpressionEvaluator>(controlLogInterface());
    m_variableEvaluator = std::make_unique<SRCore::VariableEvaluator>(controlLogInterface());
}

ScripterCore::~ScripterCore()
{
    // A test run ends before the windows whose fixture it runs against go; the windows go
    // next: they write their layout and release the message database.
    m_entryPointsRunner->stopAndWait();
    m_packageProcessor.reset();
    m_entryPointsRunner.reset();
    m_variableEvaluator.reset();
    m_scriptExpressionEvaluator.reset();
    m_entriesManager.reset();
    delete m_preferencesDialog;
    delete m_styleSheetEditor;

    // Everything logged until now reaches the database before the log closes.
    m_logManager->stopServerLog();
    m_logManager->closeDatabase();
    SRCore::FileManager::setCountManager(nullptr);
    m_controlLog.reset();
    SRCore::LogManager::finalize();
    m_coreActions.reset();
    m_fileIconProvider.reset();
    SRCore::Validation::finalize();
    SRCore::VariableManager::finalize();
    m_appProxy.reset();
    theCore = nullptr;
}

ScripterCore *ScripterCore::instance()
{
    return theCore;
}

QString ScripterCore::importSeparator()
{
    return QStringLiteral("|/:\\::/:\\|");
}

void ScripterCore::setStartingUp(bool starting)
{
    startingUp = starting;
}

bool ScripterCore::isStartingUp()
{
    return startingUp;
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
    // Temporary files of earlier runs are of no use any more; those of the command-line tool
    // running now are still in use.
    const QString temp = prepareFolder(QStringLiteral("temp"));
    m_processTempFolder = std::make_unique<SRCore::ProcessTempFolder>(temp);
    m_tempFolder = m_processTempFolder->isValid() ? m_processTempFolder->path() : temp;
    SRCore::FileHandler::setTempFolder(m_tempFolder);
    m_settingsFolder = prepareFolder(QStringLiteral("settings"));
    m_problemFilesFolder = prepareFolder(QStringLiteral("ProblemFiles"));

    m_logManager = SRCore::LogManager::instance();
    m_logManager->setDatabaseSizeLimit(messageDatabaseSizeLimit());
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

qint64 ScripterCore::messageDatabaseSizeLimit()
{
    constexpr qint64 Megabyte = 1024 * 1024;
    bool ok = false;
    const qint64 megabytes = QSettings()
                                 .value(SettingsKey::MessageDatabaseSizeMB,
                                        SRCore::LogDatabase::DefaultSizeLimit / Megabyte)
                                 .toLongLong(&ok);
    // A setting that is no positive number keeps the default rather than removing everything.
    return ok && megabytes > 0 ? megabytes * Megabyte : SRCore::LogDatabase::DefaultSizeLimit;
}

ScripterWindow *ScripterCore::activeScripterWindow()
{
    for (QWidget *widget = QApplication::activeWindow(); widget; widget = widget->parentWidget()) {
        if (auto *window = qobject_cast<ScripterWindow *>(widget)) {
            return window;
        }
    }
    return nullptr;
}

void ScripterCore::showPreferences(ScripterWindow *window)
{
    if (!m_preferencesDialog) {
        m_preferencesDialog = new PreferencesDialog(window);
        if (auto *okButton =
                m_preferencesDialog->findChild<QPushButton *>(QStringLiteral("okButton"))) {
            connect(okButton, &QPushButton::clicked, this, &ScripterCore::savePreferences);
        }
    }
    m_preferencesDialog->reInit(window ? window->currentLanguage() : QString());
    m_preferencesDialog->setRunTimeout(
        QSettings().value(EntryPointsRunner::kTimeoutKey, 0).toInt());
    m_preferencesDialog->show();
    m_preferencesDialog->raise();
    m_preferencesDialog->activateWindow();
}

PreferencesDialog *ScripterCore::preferencesDialog() const
{
    return m_preferencesDialog;
}

StyleSheetEditor *ScripterCore::styleSheetEditor() const
{
    return m_styleSheetEditor;
}

void ScripterCore::showStyleSheetEditor()
{
    if (!m_styleSheetEditor) {
        m_styleSheetEditor = new StyleSheetEditor(activeScripterWindow());
        m_styleSheetEditor->setModal(true);
    }
    m_styleSheetEditor->show();
    m_styleSheetEditor->activateWindow();
}

void ScripterCore::savePreferences()
{
    if (m_preferencesDialog) {
        m_preferencesDialog->save();
        QSettings().setValue(EntryPointsRunner::kTimeoutKey, m_preferencesDialog->runTimeout());
    }
    emit preferensesChanged();
}

void ScripterCore::updateWindowMenu()
{
    QMenu *menu = m_coreActions->windowMenu();
    menu->clear();
    const ScripterWindow *active = activeScripterWindow();
    const QList<IPackageWindow *> windows = m_packageProcessor->windows();
    for (int i = 0; i < windows.size(); ++i) {
        ScripterWindow *window = scripterWindow(windows.at(i));
        if (!window) {
            continue;
        }
        const QString text = i < 9 ? tr("&%1 %2") : tr("%1 %2");
        QAction *action = menu->addAction(text.arg(i + 1).arg(window->displayName()));
        action->setCheckable(true);
        action->setChecked(window == active);
        connect(action, &QAction::triggered, m_windowMapper, qOverload<>(&QSignalMapper::map));
        m_windowMapper->setMapping(action, window);
    }
}

void ScripterCore::setActiveWindow(QWidget *window)
{
    if (!window) {
        return;
    }
    if (window->isMinimized()) {
        window->showNormal();
    }
    window->raise();
    window->activateWindow();
}

void ScripterCore::processMessage(const QString &msg)
{
    if (msg == QLatin1String("act")) {
        ScripterWindow *window = scripterWindow(m_packageProcessor->newWindow());
        if (!window) {
            return;
        }
        window->showMaximized();
        if (activeScripterWindow() != window) {
            window->raise();
            window->activateWindow();
        }
        return;
    }
    if (msg.isEmpty() || msg == QLatin1String("ctrl")) {
        return;
    }

    if (msg == startImportMessage) {
        ++m_importStarts;
    } else if (msg == endImportMessage) {
        ++m_importEnds;
    } else {
        const QStringList parts = msg.split(importSeparator(), Qt::SkipEmptyParts);
        for (const QString &part : parts) {
            const QFileInfo file(part);
            // The sender's own program path and anything else but packages and fixtures are
            // ignored; the suffixes are compared as the program writes them.
            if (file.isFile()
                && (file.suffix() == QLatin1String("tscript")
                    || file.suffix() == QLatin1String("tfixture"))) {
                m_pendingImports.append(file.absoluteFilePath());
            }
        }
    }

    if (m_importStarts == m_importEnds && !startingUp) {
        if (auto *application = qobject_cast<SingleApplication *>(qApp)) {
            application->activateWindow();
        }
        importPendingFiles();
    }
}

void ScripterCore::importPendingFiles()
{
    if (m_importing) {
        return;
    }
    m_importing = true;
    const QStringList batch = m_pendingImports;
    m_pendingImports.clear();
    m_importStarts = 0;
    m_importEnds = 0;
    // Opening may ask for passwords and show message boxes, whose event loops deliver further
    // messages; those only queue their files while this batch runs.
    for (const QString &path : batch) {
        m_packageProcessor->open(path);
    }
    m_importing = false;
    // Files handed over while this batch opened wait for no further message, unless a sequence
    // is still delivering its own.
    if (m_importStarts == m_importEnds && !m_pendingImports.isEmpty()) {
        importPendingFiles();
    }
}

QStringList ScripterCore::getVariableValue(const QStringList &names, const QString &job,
                                           const QString &second, const QString &third,
                                           const QString &fourth, bool /*flag*/)
{
    if (!activeScripterWindow()) {
        reportVariableFailure(QT_TRANSLATE_NOOP("LogMessages", "No active window"));
        return {};
    }
    if (names.isEmpty() || job.isEmpty() || second.isEmpty() || third.isEmpty()
        || fourth.isEmpty()) {
        reportVariableFailure(QT_TRANSLATE_NOOP("LogMessages", "Empty variable data"));
        return {};
    }
    // Variables are evaluated against the test flow of a run, which the test machinery of a
    // later version builds; until then there is none.
    reportVariableFailure(QT_TRANSLATE_NOOP("LogMessages", "Flow pointer is null"));
    return {};
}

void ScripterCore::reportVariableFailure(const char *message)
{
    const QString location = QStringLiteral("Scripter::getVariableValue");
    qCDebug(lcScripter) << location << message;
    sendLogMessage(SRCore::LogLevel::Assert, QString::fromLatin1(message), QString(), QString(),
                   QString(), location);
}

} // namespace Scripter
