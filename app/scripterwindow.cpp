#include "scripterwindow.h"

#include "coreactions.h"
#include "scripteractions.h"
#include "scriptercore.h"
#include "scriptermessagepane.h"
#include "settingskeys.h"

#include "package/declaration.h"
#include "package/packageprocessor.h"
#include "testing/entrypointscombo.h"
#include "testing/entrypointsrunner.h"
#include "testing/fixture.h"
#include "testing/fixturetree.h"

#include "editors/applescripteditor.h"
#include "editors/javascripteditor.h"
#include "editors/scrtextedit.h"
#include "editors/searchcontroller.h"
#include "editors/vbscripteditor.h"

#include "guilib/images/deferrediconengine.h"
#include "guilib/log/logtableview.h"
#include "guilib/property/propertiesexplorer.h"

#include "corelib/env/envmanager.h"
#include "corelib/files/filehandler.h"
#include "corelib/logging/logmanager.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QDockWidget>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <Qsci/qsciscintilla.h>

namespace Scripter {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

namespace {

// Numbers the windows of a run of the program, the first one 0.
int nextWindowNumber = 0;

constexpr int TestRunPollMs = 300;
// The message pane shows what a running script logs at every third poll, within a second.
constexpr int PollsPerMessageRefresh = 3;
constexpr int PaneMinimumWidth = 150;
constexpr int PaneMinimumHeight = 100;
constexpr int InitialPaneWidth = 330;
constexpr int InitialMessagesHeight = 160;

QDockWidget *createPane(const QString &title, const QString &objectName, QMainWindow *window)
{
    auto *pane = new QDockWidget(title, window);
    pane->setObjectName(objectName);
    pane->setMinimumSize(PaneMinimumWidth, PaneMinimumHeight);
    return pane;
}

void openDroppedFile(const QString &path)
{
    ScripterCore::instance()->packageProcessor()->open(path);
}

QString removeMarker(QString text)
{
    return text.remove(QLatin1Char('*'));
}

} // namespace

ScripterWindow::ScripterWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_core(ScripterCore::instance())
    , m_windowNumber(nextWindowNumber++)
{
    Q_ASSERT_X(m_core, "ScripterWindow", "the core must exist before any window");
    m_declarationPane = createPane(tr("Declaration pane"), QStringLiteral("DeclarationPane"), this);
    m_fixturePane = createPane(tr("Fixture pane"), QStringLiteral("FixturePane"), this);
    m_propertiesPane = createPane(tr("Properties pane"), QStringLiteral("PropertiesPane"), this);
    m_messagesPane = createPane(tr("Messages pane"), QStringLiteral("MessagesPane"), this);
    m_scriptTabs = new QTabWidget(this);
    m_scriptTabs->setObjectName(QStringLiteral("scriptTabs"));
    setCentralWidget(m_scriptTabs);

    connect(m_core, &ScripterCore::preferensesChanged, this, &ScripterWindow::applyPreferences);

    m_actions = new ScripterActions(this);

    setMinimumSize(800, 600);
    createEditors();

    m_explorer = new GuiLib::PropertiesExplorer(m_propertiesPane);
    m_declaration = new Declaration(this, m_declarationPane);
    m_fixture = new Fixture(this, m_fixturePane);
    m_propertiesPane->setWidget(m_explorer);
    m_declarationPane->setWidget(m_declaration);
    m_fixturePane->setWidget(m_fixture);

    connect(m_scriptTabs, &QTabWidget::currentChanged, m_actions,
            qOverload<int>(&ScripterActions::updateEditActions));
    for (QAction *action : m_actions->editActions()) {
        connect(action, &QAction::triggered, this, &ScripterWindow::editActionClicked);
    }
    // The edit shortcuts belong to the editors (see ScripterActions).
    m_scriptTabs->addActions(m_actions->editActions());
    EntryPointsCombo *selector = m_actions->entryPointSelector();
    connect(m_fixturePane->toggleViewAction(), &QAction::toggled, m_actions->testToolBar(),
            &QWidget::setEnabled);
    connect(m_fixturePane->toggleViewAction(), &QAction::toggled, selector,
            &EntryPointsCombo::setEnabledActions);
    // The fixture and the language change seldom and are followed at once; typing is followed
    // by the selector's timer.
    connect(m_fixture->tree(), &FixtureTree::usableItemsChanged, selector,
            [selector] { selector->updateAvailability(true); });
    connect(m_scriptTabs, &QTabWidget::currentChanged, selector,
            [selector] { selector->updateAvailability(true); });
    connect(m_javaScriptEditor, &QSEditor::textChanged, selector,
            &EntryPointsCombo::setUpdateItemEnabled);

    // The declaration and the fixture start empty; only the script needs its template.
    m_javaScriptEditor->setEmptyScript();
    updateLanguageTabs();
    setCurrentFile(QString(), false);
    createMessagePane();
    arrangePanes(QSettings().value(SettingsKey::WindowLayout, true).toBool());
    restoreLayout();
    activateShownPanel();

    connect(m_javaScriptEditor, &JavaScriptEditor::scriptChanged, this,
            [this] { editorChanged(JavaScriptTab); });

    m_searchController = new SearchController([this] { return currentEditor(); }, this);
    m_actions->updateEditActions();
}

ScripterWindow::~ScripterWindow()
{
    // The panes are hidden as the window goes; what follows the fixture pane must not hear of
    // it from a window that is no longer one.
    disconnect(m_fixturePane->toggleViewAction(), &QAction::toggled, nullptr, nullptr);
    // The panels leave the explorer before it goes.
    delete m_fixture;
    m_fixture = nullptr;
    delete m_declaration;
    m_declaration = nullptr;
}

void ScripterWindow::createEditors()
{
    m_javaScriptEditor = new JavaScriptEditor(m_scriptTabs);
    m_scriptTabs->addTab(
        m_javaScriptEditor,
        GuiLib::DeferredIconEngine::icon(QStringLiteral(":/Images/Ui_scripter/img_JavaScript.png")),
        tr("JavaScript"));
    // The pages of the other languages get their editor when it is made.
    const std::pair<QString, QString> plainTabs[] = {
        {QStringLiteral(":/Images/Ui_scripter/img_VBScript.png"), tr("VBScript")},
        {QStringLiteral(":/Images/Ui_scripter/img_AppleScript.png"), tr("AppleScript")},
    };
    for (const auto &[icon, title] : plainTabs) {
        auto *page = new QWidget(m_scriptTabs);
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        m_scriptTabs->addTab(page, GuiLib::DeferredIconEngine::icon(icon), title);
    }
    connect(m_scriptTabs, &QTabWidget::currentChanged, this, [this](int tab) { plainEditor(tab); });

    const auto updateEditActions = qOverload<>(&ScripterActions::updateEditActions);
    connect(m_javaScriptEditor, &QSEditor::undoAvailable, m_actions, updateEditActions);
    connect(m_javaScriptEditor, &QSEditor::redoAvailable, m_actions, updateEditActions);
    connect(m_javaScriptEditor, &JavaScriptEditor::openFileRequested, this, &openDroppedFile);
}

ScriptEditor *ScripterWindow::createPlainEditor(int tab)
{
    ScriptEditor *editor = nullptr;
    if (tab == VBScriptTab) {
        m_vbScriptEditor = new VBScriptEditor(m_core->controlLogInterface());
        m_vbScriptEditor->setEmptyScript();
        editor = m_vbScriptEditor;
    } else {
        m_appleScriptEditor = new AppleScriptEditor;
        m_appleScriptEditor->setEmptyScript();
        editor = m_appleScriptEditor;
    }
    ScrTextEdit *text = editor->textEdit();
    text->document()->setModified(false);
    m_scriptTabs->widget(tab)->layout()->addWidget(editor);
    if (!m_statusText.isEmpty()) {
        editor->statusBar()->showMessage(m_statusText);
    }

    const auto updateEditActions = qOverload<>(&ScripterActions::updateEditActions);
    connect(text, &QTextEdit::undoAvailable, m_actions, updateEditActions);
    connect(text, &QTextEdit::redoAvailable, m_actions, updateEditActions);
    connect(text, &QTextEdit::copyAvailable, m_actions, updateEditActions);
    connect(text, &QTextEdit::textChanged, m_actions->entryPointSelector(),
            &EntryPointsCombo::setUpdateItemEnabled);
    connect(editor, &ScriptEditor::scriptChanged, this, [this, tab] { editorChanged(tab); });
    connect(editor, &ScriptEditor::openFileRequested, this, &openDroppedFile);
    return editor;
}

ScriptEditor *ScripterWindow::plainEditor(int tab)
{
    if (tab == VBScriptTab) {
        return m_vbScriptEditor ? m_vbScriptEditor : createPlainEditor(tab);
    }
    if (tab == AppleScriptTab) {
        return m_appleScriptEditor ? m_appleScriptEditor : createPlainEditor(tab);
    }
    return nullptr;
}

ScriptEditor *ScripterWindow::plainEditor(int tab) const
{
    return const_cast<ScripterWindow *>(this)->plainEditor(tab);
}

QList<ScriptEditor *> ScripterWindow::createdPlainEditors() const
{
    QList<ScriptEditor *> editors;
    for (ScriptEditor *editor : {static_cast<ScriptEditor *>(m_vbScriptEditor),
                                 static_cast<ScriptEditor *>(m_appleScriptEditor)}) {
        if (editor) {
            editors.append(editor);
        }
    }
    return editors;
}

VBScriptEditor *ScripterWindow::vbScriptEditor() const
{
    return static_cast<VBScriptEditor *>(plainEditor(VBScriptTab));
}

AppleScriptEditor *ScripterWindow::appleScriptEditor() const
{
    return static_cast<AppleScriptEditor *>(plainEditor(AppleScriptTab));
}

QWidget *ScripterWindow::currentEditor() const
{
    const int tab = m_scriptTabs->currentIndex();
    if (tab == JavaScriptTab) {
        return m_javaScriptEditor;
    }
    return plainEditor(tab);
}

void ScripterWindow::createMessagePane()
{
    const QString databaseFile = SRCore::LogManager::instance()->getDatabaseFile();
    if (databaseFile.isEmpty()) {
        QMessageBox::warning(this, tr("Database error"),
                             tr("Failed to connect to the logs database: empty database info"));
        m_actions->exportLogsAction()->setEnabled(false);
        m_actions->clearLogsAction()->setEnabled(false);
        return;
    }
    m_messagePane = new ScripterMessagePane(databaseFile, m_messagesPane);
    // The message text is what the user reads; it takes the room the other columns leave.
    m_messagePane->tableView()->horizontalHeader()->setStretchLastSection(true);
    m_messagePane->setClearMessagesAction(m_actions->clearLogsAction());
    m_messagePane->setExportMessagesAction(m_actions->exportLogsAction());
    m_messagesPane->setWidget(m_messagePane);
}

void ScripterWindow::setWindowLayout(bool panesLeft)
{
    arrangePanes(panesLeft);
    QSettings().setValue(SettingsKey::WindowLayout, panesLeft);
}

void ScripterWindow::arrangePanes(bool panesLeft)
{
    // No saved state is restored afterwards: it would put the panes back where they were.
    setDockNestingEnabled(true);
    setCorner(Qt::TopLeftCorner, Qt::LeftDockWidgetArea);
    setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
    setCorner(Qt::TopRightCorner, Qt::RightDockWidgetArea);
    setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);

    const QList<QDockWidget *> panes = {m_declarationPane, m_fixturePane, m_propertiesPane,
                                        m_messagesPane};
    QList<QDockWidget *> shown;
    for (QDockWidget *pane : panes) {
        if (!pane->isHidden()) {
            shown.append(pane);
        }
    }
    const Qt::DockWidgetArea side = panesLeft ? Qt::LeftDockWidgetArea : Qt::RightDockWidgetArea;
    addDockWidget(side, m_declarationPane);
    addDockWidget(side, m_fixturePane);
    addDockWidget(side, m_propertiesPane);
    addDockWidget(Qt::BottomDockWidgetArea, m_messagesPane);
    for (QDockWidget *pane : std::as_const(shown)) {
        pane->show();
    }
}

void ScripterWindow::restoreLayout()
{
    QSettings settings;
    const bool declarationVisible =
        settings.value(SettingsKey::DeclarationPaneVisible, true).toBool();
    const bool fixtureVisible = settings.value(SettingsKey::FixturePaneVisible, false).toBool();
    const bool propertiesVisible = settings.value(SettingsKey::PropsPaneVisible, true).toBool();
    const bool messagesVisible = settings.value(SettingsKey::MessagesPaneVisible, true).toBool();
    const QByteArray state = settings.value(SettingsKey::ScripterLayout).toByteArray();
    if (!state.isEmpty()) {
        restoreState(state, 0);
    }
    m_declarationPane->setVisible(declarationVisible);
    m_fixturePane->setVisible(fixtureVisible);
    m_actions->testToolBar()->setEnabled(fixtureVisible);
    m_actions->entryPointSelector()->setEnabledActions(fixtureVisible);
    m_actions->entryPointSelector()->setCurrentIndex(1);
    if (!propertiesVisible) {
        m_propertiesPane->hide();
    }
    if (!messagesVisible) {
        m_messagesPane->hide();
    }

    m_explorer->setNameColumnWidth(settings.value(SettingsKey::PropertiesPaneNameWidth).toInt());
    if (m_messagePane) {
        const QByteArray header = settings.value(SettingsKey::MessagesPaneHeader).toByteArray();
        if (!header.isEmpty()) {
            m_messagePane->restoreHeaderState(header);
        }
        const QString history = settings.value(SettingsKey::MessagesPaneHeaderHistory).toString();
        if (!history.isEmpty()) {
            m_messagePane->restoreFilterHistory(history);
        }
    }

    const QPoint position = settings.value(SettingsKey::WindowPosition, QPoint(50, 50)).toPoint();
    const QSize size = settings.value(SettingsKey::WindowSize, QSize(800, 600)).toSize();
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen && screen->geometry().contains(position)) {
        move(position);
        resize(size);
    } else {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    if (state.isEmpty()) {
        // A first start: room for the property values beside the editors, and the editors
        // taller than the message list.
        resizeDocks({m_declarationPane, m_propertiesPane}, {InitialPaneWidth, InitialPaneWidth},
                    Qt::Horizontal);
        resizeDocks({m_messagesPane}, {InitialMessagesHeight}, Qt::Vertical);
    }
}

void ScripterWindow::saveLayout() const
{
    QSettings settings;
    settings.setValue(SettingsKey::WindowPosition, pos());
    settings.setValue(SettingsKey::WindowSize, size());
    settings.setValue(SettingsKey::ScripterLayout, saveState(0));
    settings.setValue(SettingsKey::DeclarationPaneVisible, m_declarationPane->isVisibleTo(this));
    settings.setValue(SettingsKey::FixturePaneVisible, m_fixturePane->isVisibleTo(this));
    settings.setValue(SettingsKey::PropsPaneVisible, m_propertiesPane->isVisibleTo(this));
    settings.setValue(SettingsKey::MessagesPaneVisible, m_messagesPane->isVisibleTo(this));
    settings.setValue(SettingsKey::LastEditedPackage, m_filePath);
    if (const int nameWidth = m_explorer->nameColumnWidth(); nameWidth > 0) {
        settings.setValue(SettingsKey::PropertiesPaneNameWidth, nameWidth);
    }
    if (m_messagePane) {
        settings.setValue(SettingsKey::MessagesPaneHeader, m_messagePane->headerState());
        settings.setValue(SettingsKey::MessagesPaneHeaderHistory, m_messagePane->filterHistory());
    }
}

QString ScripterWindow::currentLanguage() const
{
    switch (m_scriptTabs->currentIndex()) {
    case JavaScriptTab:
        return XMLValues::JAVASCRIPT;
    case VBScriptTab:
        return XMLValues::VBSCRIPT;
    case AppleScriptTab:
        return XMLValues::APPLESCRIPT;
    default:
        return QString();
    }
}

int ScripterWindow::tabOfLanguage(const QString &language) const
{
    if (language == XMLValues::JAVASCRIPT) {
        return JavaScriptTab;
    }
    if (language == XMLValues::VBSCRIPT) {
        return VBScriptTab;
    }
    if (language == XMLValues::APPLESCRIPT) {
        return AppleScriptTab;
    }
    return -1;
}

QString ScripterWindow::packageFolder() const
{
    const QString path = visiblePath();
    return path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
}

QString ScripterWindow::displayName() const
{
    if (m_untitled) {
        return m_declaration->elementName();
    }
    return QFileInfo(visiblePath()).fileName();
}

void ScripterWindow::updateTitle()
{
    const QString name =
        m_untitled ? m_declaration->elementName() : QFileInfo(visiblePath()).fileName();
    setWindowTitle(tr("%1[*] - %2").arg(SRCore::EnvManager::appName(), name));
}

void ScripterWindow::resetPackage()
{
    m_explorer->loadProperties(nullptr);
    m_declaration->reset();
    m_fixture->clear();
    m_javaScriptEditor->setEmptyScript();
    if (m_vbScriptEditor) {
        m_vbScriptEditor->setEmptyScript();
    }
    if (m_appleScriptEditor) {
        m_appleScriptEditor->setEmptyScript();
    }
    scriptChangedHandler();
    updateLanguageTabs();
    setCurrentFile(QString(), false);
    activateShownPanel();
}

void ScripterWindow::activateShownPanel()
{
    if (m_fixturePane->isVisibleTo(this) && !m_declarationPane->isVisibleTo(this)) {
        m_fixture->activate();
    } else {
        m_declaration->activate();
    }
}

void ScripterWindow::updateLanguageTabs()
{
    const std::pair<int, const QString &> flags[] = {
        {JavaScriptTab, XMLKey::INCLUDEJAVASCRIPT},
        {VBScriptTab, XMLKey::INCLUDEVBSCRIPT},
        {AppleScriptTab, XMLKey::INCLUDEAPPLESCRIPT},
    };
    for (const auto &[tab, key] : flags) {
        setTabIncluded(tab, m_declaration->basicValue(key) == XMLValues::YES);
    }
}

void ScripterWindow::setTabIncluded(int tab, bool included)
{
    // An enabled tab may be clicked: its editor is there before it shows.
    if (included) {
        plainEditor(tab);
    }
    m_scriptTabs->setTabEnabled(tab, included);
}

void ScripterWindow::setCurrentFile(const QString &path, bool remember)
{
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        m_untitled = true;
        m_filePath = SRCore::FileHandler::getTempFilePath(QStringLiteral("TavrixScript"),
                                                          QStringLiteral(".tscript"));
    } else {
        m_untitled = false;
        if (m_alternatePath) {
            m_displayPath = QDir::toNativeSeparators(path);
        } else {
            m_filePath = QDir::toNativeSeparators(path);
            m_displayPath.clear();
        }
        // The fixture's top item is named and drawn after the package it tests.
        m_fixture->setBasicItemText(m_declaration->elementName());
        m_fixture->setBasicItemIcon(m_declaration->iconPath());
    }
    updateTitle();

    if (remember) {
        QSettings settings;
        QStringList packages = settings.value(SettingsKey::RecentPackagesList).toStringList();
        const QString shown = visiblePath();
        packages.removeAll(shown);
        packages.prepend(shown);
        while (packages.size() > CoreActions::MaxRecentPackages) {
            packages.removeLast();
        }
        settings.setValue(SettingsKey::RecentPackagesList, packages);
        settings.sync();
        m_core->coreActions()->updateRecentFileActions();
    }
}

void ScripterWindow::editorChanged(int tab)
{
    // A plain editor reports every change of its document's modified flag, also while a program
    // is set and when it goes back to unmodified; only an edit marks the window.
    if (m_settingScriptText) {
        return;
    }
    if (const ScriptEditor *editor = plainEditor(tab);
        editor && !editor->textEdit()->document()->isModified()) {
        return;
    }
    setWindowModified(true);
    const QString text = m_scriptTabs->tabText(tab);
    if (!text.contains(QLatin1Char('*'))) {
        m_scriptTabs->setTabText(tab, text + QLatin1Char('*'));
    }
}

void ScripterWindow::scriptChangedHandler()
{
    setWindowModified(false);
    for (int tab = 0; tab < m_scriptTabs->count(); ++tab) {
        m_scriptTabs->setTabText(tab, removeMarker(m_scriptTabs->tabText(tab)));
    }
    for (const ScriptEditor *editor : createdPlainEditors()) {
        editor->textEdit()->document()->setModified(false);
    }
}

void ScripterWindow::editActionClicked()
{
    const auto *action = qobject_cast<const QAction *>(sender());
    if (!action) {
        return;
    }
    const QString operation = action->data().toString();
    if (m_scriptTabs->currentWidget() == m_javaScriptEditor) {
        if (operation == QLatin1String("EDIT_UNDO")) {
            m_javaScriptEditor->undo();
        } else if (operation == QLatin1String("EDIT_REDO")) {
            m_javaScriptEditor->redo();
        } else if (operation == QLatin1String("EDIT_COPY")) {
            m_javaScriptEditor->copy();
        } else if (operation == QLatin1String("EDIT_PASTE")) {
            m_javaScriptEditor->paste();
        } else if (operation == QLatin1String("EDIT_DELETE")) {
            m_javaScriptEditor->textEdit()->removeSelectedText();
        }
        return;
    }
    const ScriptEditor *editor = plainEditor(m_scriptTabs->currentIndex());
    if (!editor) {
        return;
    }
    ScrTextEdit *text = editor->textEdit();
    if (operation == QLatin1String("EDIT_UNDO")) {
        text->document()->undo(); // keeps the cursor where the change was
        text->ensureCursorVisible();
    } else if (operation == QLatin1String("EDIT_REDO")) {
        text->document()->redo();
        text->ensureCursorVisible();
    } else if (operation == QLatin1String("EDIT_COPY")) {
        text->copy();
    } else if (operation == QLatin1String("EDIT_PASTE")) {
        text->paste();
    } else if (operation == QLatin1String("EDIT_DELETE")) {
        text->textCursor().removeSelectedText();
    }
}

void ScripterWindow::applyPreferences()
{
    m_javaScriptEditor->readSettings();
    for (ScriptEditor *editor : createdPlainEditors()) {
        editor->readSettings();
    }
}

void ScripterWindow::setWindowEnabled(bool enable)
{
    m_declaration->setEnabled(enable);
    m_fixture->setEnabled(enable);
    m_scriptTabs->setEnabled(enable);
    m_explorer->setEnabled(enable);
    if (m_messagePane) {
        m_messagePane->setEnabled(enable);
    }
    m_actions->setActionsEnabled(enable);
}

void ScripterWindow::setWindowEnabled()
{
    setWindowEnabled(true);
}

void ScripterWindow::monitorTestRun(QThread *runThread, std::function<void()> abort,
                                    std::function<void()> finished)
{
    m_testRunThread = runThread;
    m_abortTestRun = std::move(abort);
    m_testRunFinished = std::move(finished);
    m_testRunPolls = 0;
    setWindowEnabled(false);
    m_testRunPoll.start(TestRunPollMs, this);
}

bool ScripterWindow::isTestRunning() const
{
    return m_testRunThread && m_testRunThread->isRunning();
}

void ScripterWindow::abortTestRun()
{
    if (isTestRunning() && m_abortTestRun) {
        m_abortTestRun();
    }
}

void ScripterWindow::refreshMessages()
{
    if (m_messagePane) {
        m_messagePane->refresh();
    }
}

void ScripterWindow::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_testRunPoll.timerId()) {
        QMainWindow::timerEvent(event);
        return;
    }
    if (isTestRunning()) {
        if (++m_testRunPolls % PollsPerMessageRefresh == 0) {
            refreshMessages();
        }
        return;
    }
    endTestRunMonitoring();
}

void ScripterWindow::endTestRunMonitoring()
{
    if (!m_testRunPoll.isActive()) {
        return;
    }
    m_testRunPoll.stop();
    const std::function<void()> finished = std::move(m_testRunFinished);
    m_testRunThread = nullptr;
    m_abortTestRun = nullptr;
    m_testRunFinished = nullptr;
    setWindowEnabled(true);
    showStatusMessage(QString());
    if (finished) {
        finished();
    }
}

QMenu *ScripterWindow::createPopupMenu()
{
    if (isTestRunning()) {
        return nullptr;
    }
    auto *menu = new QMenu(this);
    for (QDockWidget *pane : {m_declarationPane, m_fixturePane, m_propertiesPane, m_messagesPane}) {
        menu->addAction(pane->toggleViewAction());
    }
    return menu;
}

bool ScripterWindow::event(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange) {
        update();
    }
    return QMainWindow::event(event);
}

bool ScripterWindow::stopTestRunForClose()
{
    if (m_waitingForTestRunEnd) {
        // Closed again while the first close waits for the run.
        return false;
    }
    if (!isTestRunning()) {
        return true;
    }
    const auto answer =
        QMessageBox::question(this, tr("Terminate entry point"),
                              tr("Entry point are in operation.\nDo you want terminate it?"),
                              QMessageBox::Yes | QMessageBox::Cancel);
    if (answer != QMessageBox::Yes) {
        return false;
    }
    abortTestRun();
    if (!waitForTestRunEnd()) {
        // The thread can't be killed safely, and the window is what it reports to.
        QMessageBox::warning(this, tr("Terminate entry point"),
                             tr("The entry point did not stop within %n second(s), so the window "
                                "stays open.\nClose it again when the test has ended.",
                                nullptr, m_runStopWaitMs / 1000));
        return false;
    }
    endTestRunMonitoring();
    return true;
}

bool ScripterWindow::waitForTestRunEnd()
{
    // The run may have ended while the question was open.
    const QPointer<QThread> thread = m_testRunThread;
    if (!thread) {
        return true;
    }
    const QScopedValueRollback<bool> waiting(m_waitingForTestRunEnd, true);
    const QDeadlineTimer deadline(m_runStopWaitMs);
    QEventLoop loop;
    connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(deadline.remainingTime(), &loop, &QEventLoop::quit);
    // Connected first, so a thread that ends from now on is not missed.
    if (thread->isRunning()) {
        loop.exec();
    }
    // `finished` is sent just before the thread stops running.
    return !thread || thread->wait(deadline);
}

bool ScripterWindow::confirmClose()
{
    if (!stopTestRunForClose()) {
        return false;
    }

    saveLayout();

    if (isWindowModified()) {
        QString name = m_declaration->elementName();
        if (name.isEmpty()) {
            name = QStringLiteral("TavrixScript") + QString::number(m_windowNumber);
        }
        const QString question = m_untitled ? tr("Save changes to %1.tscript ?").arg(name)
                                            : tr("Save changes to %1 ?").arg(visiblePath());
        const auto answer = QMessageBox::question(
            this, tr("Save"), question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Yes) {
            // A cancelled or failed save keeps the window, and the work in it, open.
            return m_core->packageProcessor()->save(PackageProcessor::Save, this);
        }
        if (answer != QMessageBox::No) {
            return false;
        }
    }
    return true;
}

void ScripterWindow::closeEvent(QCloseEvent *event)
{
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    if (m_messagePane) {
        m_messagePane->releaseModel();
    }
    disconnect(m_javaScriptEditor, &JavaScriptEditor::scriptChanged, this, nullptr);
    for (const ScriptEditor *editor : createdPlainEditors()) {
        disconnect(editor, &ScriptEditor::scriptChanged, this, nullptr);
    }
    event->accept();
    m_core->packageProcessor()->removeWindow(this);
}

void ScripterWindow::showFindDlg()
{
    m_searchController->showFindDlg();
}

void ScripterWindow::searchFind()
{
    m_searchController->searchFind();
}

void ScripterWindow::searchFindNext()
{
    m_searchController->searchFindNext();
}

void ScripterWindow::searchFindPrev()
{
    m_searchController->searchFindPrev();
}

void ScripterWindow::searchReplace()
{
    m_searchController->searchReplace();
}

void ScripterWindow::searchReplaceAll()
{
    m_searchController->searchReplaceAll();
}

void ScripterWindow::searchGotoLine()
{
    m_searchController->searchGotoLine();
}

void ScripterWindow::markModified()
{
    setWindowModified(true);
}

QStringList ScripterWindow::scriptFunctions(const QString &language) const
{
    switch (tabOfLanguage(language)) {
    case JavaScriptTab:
        return m_javaScriptEditor->functions();
    case VBScriptTab:
    case AppleScriptTab:
        return plainEditor(tabOfLanguage(language))->functions();
    default:
        return {};
    }
}

void ScripterWindow::setLanguageIncluded(const QString &language, bool included)
{
    if (const int tab = tabOfLanguage(language); tab >= 0) {
        setTabIncluded(tab, included);
    }
}

void ScripterWindow::elementNameChanged(const QString &name)
{
    m_fixture->setBasicItemText(name);
    if (m_untitled) {
        updateTitle();
    }
}

void ScripterWindow::elementIconChanged(const QString &iconPath)
{
    m_fixture->setBasicItemIcon(iconPath);
}

void ScripterWindow::refreshFixtureProperties(bool elementProperties, bool connectionProperties)
{
    if (elementProperties) {
        m_fixture->refreshBasicProperties();
    }
    if (connectionProperties) {
        m_fixture->refreshConnectionProperties();
    }
}

void ScripterWindow::activatePanel(Panel panel)
{
    m_declaration->updatePreview(panel == Panel::Declaration);
    m_fixture->updatePreview(panel == Panel::Fixture);
}

QStringList ScripterWindow::libraryForProperty(const QString &tag, bool connectionProperty)
{
    return m_core->entryPointsRunner()->libraryForProperty(this, tag, connectionProperty);
}

SRCore::ILogInterface *ScripterWindow::logInterface() const
{
    return m_core->controlLogInterface();
}

QFileIconProvider *ScripterWindow::fileIconProvider() const
{
    return m_core->fileIconProvider();
}

QString ScripterWindow::scriptText(const QString &language) const
{
    switch (tabOfLanguage(language)) {
    case JavaScriptTab:
        return m_javaScriptEditor->text();
    case VBScriptTab:
    case AppleScriptTab:
        return plainEditor(tabOfLanguage(language))->text();
    default:
        return QString();
    }
}

void ScripterWindow::setScriptText(const QString &language, const QString &text)
{
    const int tab = tabOfLanguage(language);
    if (tab == JavaScriptTab) {
        // Setting the text leaves nothing to undo, which is no edit to the JavaScript editor.
        m_javaScriptEditor->setText(text);
    } else if (ScriptEditor *editor = plainEditor(tab)) {
        const QScopedValueRollback<bool> settingText(m_settingScriptText, true);
        editor->setText(text);
        editor->textEdit()->document()->setModified(false);
    }
}

void ScripterWindow::setUnmodified()
{
    scriptChangedHandler();
}

void ScripterWindow::showStatusMessage(const QString &text, int timeout)
{
    m_statusText = timeout == 0 ? text : QString();
    QList<QStatusBar *> statusBars = {m_javaScriptEditor->statusBar()};
    for (const ScriptEditor *editor : createdPlainEditors()) {
        statusBars.append(editor->statusBar());
    }
    for (QStatusBar *statusBar : std::as_const(statusBars)) {
        if (text.isEmpty()) {
            statusBar->clearMessage();
        } else {
            statusBar->showMessage(text, timeout);
        }
    }
}

bool ScripterWindow::saveFixture(const QString &path, QString *errorMessage)
{
    return m_fixture->saveToFile(path, errorMessage);
}

bool ScripterWindow::loadFixture(const QString &path)
{
    const bool loaded = m_fixture->loadFromFile(path);
    // The new fixture tree selects its top item; the explorer stays with the active panel.
    activateShownPanel();
    return loaded;
}

} // namespace Scripter
