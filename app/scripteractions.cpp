#include "scripteractions.h"

#include "coreactions.h"
#include "helpmenuactions.h"
#include "scriptercore.h"
#include "scriptermessagepane.h"
#include "scripterwindow.h"
#include "settingskeys.h"

#include "package/declaration.h"
#include "package/declarationtree.h"
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

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QTabWidget>
#include <QToolBar>
#include <QUrl>

namespace Scripter {

namespace {

QIcon scripterIcon(const QString &fileName)
{
    return GuiLib::DeferredIconEngine::icon(QStringLiteral(":/Images/Ui_scripter/") + fileName);
}

} // namespace

ScripterActions::ScripterActions(ScripterWindow *window)
    : QObject(window)
    , m_window(window)
    , m_menuBar(window->menuBar())
{
    CoreActions *coreActions = ScripterCore::instance()->coreActions();

    m_fileMenu = m_menuBar->addMenu(tr("&File"));
    m_editMenu = m_menuBar->addMenu(tr("&Edit"));
    m_viewMenu = m_menuBar->addMenu(tr("&View"));
    m_searchMenu = m_menuBar->addMenu(tr("&Search"));
    m_testMenu = m_menuBar->addMenu(tr("&Test"));
    m_menuBar->addMenu(coreActions->windowMenu());
    m_menuBar->addMenu(coreActions->helpMenu()->menu());

    m_saveAction = createAction(QStringLiteral("img_Save.png"), tr("&Save"), tr("Ctrl+S"),
                                tr("Saves the current script package"));
    m_saveAction->setData(PackageProcessor::Save);
    m_saveAsAction = createAction(QStringLiteral("img_SaveAs.png"), tr("Save &as..."), QString(),
                                  tr("Saves the current script package as..."));
    m_saveAsAction->setData(PackageProcessor::SaveAs);
    m_closeWindowAction = createAction(QString(), QString(), tr("Ctrl+W"), QString());
    m_viewDeclarFixtureAction =
        createAction(QStringLiteral("img_DeclarFixture.png"), tr("&View Declaration/Fixture pane"),
                     QString(), QString());
    m_togglePropertiesAction = createAction(QStringLiteral("img_Properties.png"),
                                            tr("Toggle &Properties pane"), QString(), QString());
    m_toggleMessagesAction = createAction(QStringLiteral("img_Message.png"),
                                          tr("Toggle &Messages pane"), QString(), QString());
    m_toolbarAction = createAction(QString(), tr("&Toolbar"), QString(), QString());
    m_toolbarAction->setCheckable(true);
    m_panesRightAction = createAction(QString(), tr("Panes on the &Right"), QString(),
                                      tr("Places the declaration, fixture and properties panes "
                                         "right of the scripts"));
    m_panesRightAction->setCheckable(true);
    m_undoAction =
        createAction(QStringLiteral("img_Undo.png"), tr("&Undo"), tr("Ctrl+Z"), QString());
    m_undoAction->setData(QStringLiteral("EDIT_UNDO"));
    m_redoAction =
        createAction(QStringLiteral("img_Redo.png"), tr("&Redo"), tr("Ctrl+Y"), QString());
    m_redoAction->setData(QStringLiteral("EDIT_REDO"));
    m_copyAction =
        createAction(QStringLiteral("img_Copy.png"), tr("&Copy"), tr("Ctrl+C"), QString());
    m_copyAction->setData(QStringLiteral("EDIT_COPY"));
    m_pasteAction =
        createAction(QStringLiteral("img_Paste.png"), tr("&Paste"), tr("Ctrl+V"), QString());
    m_pasteAction->setData(QStringLiteral("EDIT_PASTE"));
    m_deleteAction =
        createAction(QStringLiteral("img_Delete.png"), tr("&Delete"), tr("Del"), QString());
    m_deleteAction->setData(QStringLiteral("EDIT_DELETE"));
    // The edit shortcuts act on the script editors only: pressed in a tree or in the
    // properties explorer they must not change the script behind the user's back.
    for (QAction *action : editActions()) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    }
    m_preferencesAction = createAction(QString(), tr("&Preferences..."), QString(), QString());
    m_findAction = createAction(QString(), tr("&Find"), tr("Ctrl+F"), QString());
    m_findNextAction = createAction(QString(), tr("Find &next"), tr("F3"), QString());
    m_findPreviousAction = createAction(QString(), tr("Find &previous"), tr("Shift+F3"), QString());
    m_replaceAction = createAction(QString(), tr("&Replace"), tr("Ctrl+H"), QString());
    m_gotoLineAction = createAction(QString(), tr("&Goto line"), tr("Ctrl+G"), QString());
    m_invokeAction = createAction(QStringLiteral("img_RunTest.png"), tr("&Invoke entry point"),
                                  tr("F5"), tr("Invoke entry point with the test fixture"));
    m_abortAction = createAction(QStringLiteral("img_Abort.png"), tr("&Abort"), tr("Shift+F5"),
                                 tr("Aborts the current test run"));
    m_abortAction->setEnabled(false);
    m_openTestFolderAction =
        createAction(QString(), tr("Open Test &Folder"), QString(),
                     tr("Shows the folder of the last test run in the file manager"));
    m_exportLogsAction =
        createAction(QStringLiteral("img_SaveAs.png"), tr("&Export log messages..."), QString(),
                     tr("Export log messages"));
    m_clearLogsAction = createAction(QStringLiteral("img_ClearLogs.png"), tr("&Clear log messages"),
                                     QString(), tr("Clear log messages"));

    connect(m_saveAction, &QAction::triggered, this, &ScripterActions::fileSaveClick);
    connect(m_saveAsAction, &QAction::triggered, this, &ScripterActions::fileSaveClick);
    connect(m_closeWindowAction, &QAction::triggered, this, &ScripterActions::windowCloseClick);
    connect(m_viewDeclarFixtureAction, &QAction::triggered, this,
            &ScripterActions::viewDeclarFixtureClick);
    connect(m_togglePropertiesAction, &QAction::triggered, this,
            &ScripterActions::viewPropertiesClick);
    connect(m_toggleMessagesAction, &QAction::triggered, this, &ScripterActions::viewMessagesClick);
    connect(m_toolbarAction, &QAction::triggered, this, &ScripterActions::viewToolbarClick);
    connect(m_panesRightAction, &QAction::triggered, m_window,
            [this](bool right) { m_window->setWindowLayout(!right); });
    connect(m_preferencesAction, &QAction::triggered, this, &ScripterActions::editPreferencesClick);
    connect(m_findAction, &QAction::triggered, window, &ScripterWindow::showFindDlg);
    connect(m_findNextAction, &QAction::triggered, this, &ScripterActions::searchFindAgainClick);
    connect(m_findPreviousAction, &QAction::triggered, this,
            &ScripterActions::searchFindAgainBWClick);
    connect(m_replaceAction, &QAction::triggered, this,
            [window] { window->searchController()->showReplaceDlg(); });
    connect(m_gotoLineAction, &QAction::triggered, this,
            [window] { window->searchController()->showGotoLineDlg(); });
    connect(m_invokeAction, &QAction::triggered, this, &ScripterActions::testInvokeEntryPointClick);
    connect(m_abortAction, &QAction::triggered, this, &ScripterActions::testAbortClick);
    connect(m_openTestFolderAction, &QAction::triggered, this,
            &ScripterActions::testOpenFolderClick);
    connect(m_exportLogsAction, &QAction::triggered, this, &ScripterActions::testExportLogsClick);
    connect(m_clearLogsAction, &QAction::triggered, this, &ScripterActions::testClearLogsClick);

    m_entryPointSelector = new EntryPointsCombo(window, window);
    m_entryPointSelector->setObjectName(QStringLiteral("entryPointSelector"));
    m_entryPointSelector->setMinimumSize(180, 32);
    m_entryPointSelector->setToolTip(tr("Select entry point to be invoked"));
    m_entryPointSelector->setRunAction(m_invokeAction);

    createMenus();
    coreActions->addFileActions(m_fileMenu);
    // The close shortcut works without a menu entry.
    window->addAction(m_closeWindowAction);
    createToolBars();

    const bool showToolBars = QSettings().value(SettingsKey::Toolbar, true).toBool();
    m_toolbarAction->setChecked(showToolBars);
    m_panesRightAction->setChecked(!QSettings().value(SettingsKey::WindowLayout, true).toBool());
    if (!showToolBars) {
        for (QToolBar *toolBar : toolBars()) {
            toolBar->hide();
        }
    }
}

ScripterActions::~ScripterActions() = default;

QList<QToolBar *> ScripterActions::toolBars() const
{
    return {m_fileToolBar, m_viewToolBar, m_editToolBar, m_testToolBar};
}

QList<QAction *> ScripterActions::entryPointActions() const
{
    return m_entryPointSelector->entryPointActions();
}

QList<QAction *> ScripterActions::editActions() const
{
    return {m_undoAction, m_redoAction, m_copyAction, m_pasteAction, m_deleteAction};
}

QAction *ScripterActions::createAction(const QString &icon, const QString &text,
                                       const QString &shortcut, const QString &toolTip)
{
    auto *action = new QAction(text, this);
    if (!icon.isEmpty()) {
        action->setIcon(scripterIcon(icon));
    }
    if (!shortcut.isEmpty()) {
        action->setShortcut(QKeySequence(shortcut));
    }
    if (!toolTip.isEmpty()) {
        action->setToolTip(toolTip);
    }
    return action;
}

void ScripterActions::createMenus()
{
    m_fileMenu->addAction(m_saveAction);
    m_fileMenu->addAction(m_saveAsAction);

    m_editMenu->addAction(m_undoAction);
    m_editMenu->addAction(m_redoAction);
    m_editMenu->addSeparator();
    m_editMenu->addAction(m_copyAction);
    m_editMenu->addAction(m_pasteAction);
    m_editMenu->addAction(m_deleteAction);
    m_editMenu->addSeparator();
    m_editMenu->addAction(m_preferencesAction);
    m_editMenu->addAction(ScripterCore::instance()->coreActions()->editStyleAction());

    m_viewMenu->addAction(m_viewDeclarFixtureAction);
    m_viewMenu->addAction(m_togglePropertiesAction);
    m_viewMenu->addAction(m_toggleMessagesAction);
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(m_toolbarAction);
    m_viewMenu->addAction(m_panesRightAction);
    for (QDockWidget *pane : {m_window->declarationPane(), m_window->fixturePane(),
                              m_window->propertiesPane(), m_window->messagesPane()}) {
        m_viewMenu->addAction(pane->toggleViewAction());
    }
    m_viewMenu->addSeparator();

    m_searchMenu->addAction(m_findAction);
    m_searchMenu->addAction(m_findNextAction);
    m_searchMenu->addAction(m_findPreviousAction);
    m_searchMenu->addAction(m_replaceAction);
    m_searchMenu->addSeparator();
    m_searchMenu->addAction(m_gotoLineAction);

    m_entryPointSelector->populate(m_testMenu);
    for (QAction *action : entryPointActions()) {
        connect(action, &QAction::triggered, this, &ScripterActions::testInvokeEntryPointClick);
    }
    m_testMenu->addAction(m_abortAction);
    m_testMenu->addAction(m_openTestFolderAction);
    m_testMenu->addSeparator();
    m_testMenu->addAction(m_exportLogsAction);
    m_testMenu->addAction(m_clearLogsAction);
}

void ScripterActions::createToolBars()
{
    const auto addToolBar = [this](const QString &title, Qt::FocusPolicy focusPolicy) {
        QToolBar *toolBar = m_window->addToolBar(title);
        // One name for all four: the saved window layout identifies them by it.
        toolBar->setObjectName(QStringLiteral("FileToolset"));
        toolBar->setMovable(false);
        toolBar->setIconSize(QSize(32, 32));
        toolBar->setFocusPolicy(focusPolicy);
        return toolBar;
    };
    m_fileToolBar = addToolBar(tr("File toolset"), Qt::StrongFocus);
    m_fileToolBar->addAction(ScripterCore::instance()->coreActions()->newAction());
    m_fileToolBar->addAction(ScripterCore::instance()->coreActions()->openAction());
    m_fileToolBar->addAction(m_saveAction);

    m_viewToolBar = addToolBar(tr("View toolset"), Qt::NoFocus);
    m_viewToolBar->addAction(m_viewDeclarFixtureAction);
    m_viewToolBar->addAction(m_togglePropertiesAction);
    m_viewToolBar->addAction(m_toggleMessagesAction);

    m_editToolBar = addToolBar(tr("Edit toolset"), Qt::NoFocus);
    m_editToolBar->addAction(m_undoAction);
    m_editToolBar->addAction(m_redoAction);
    m_editToolBar->addSeparator();
    m_editToolBar->addAction(m_copyAction);
    m_editToolBar->addAction(m_pasteAction);
    m_editToolBar->addAction(m_deleteAction);

    m_testToolBar = addToolBar(tr("Test toolset"), Qt::StrongFocus);
    m_testToolBar->addWidget(m_entryPointSelector);
    m_testToolBar->addAction(m_invokeAction);
    m_testToolBar->addAction(m_abortAction);
}

void ScripterActions::setActionsEnabled(bool enable)
{
    for (QAction *action :
         {m_saveAction, m_saveAsAction, m_viewDeclarFixtureAction, m_togglePropertiesAction,
          m_toggleMessagesAction, m_pasteAction, m_findAction, m_findNextAction,
          m_findPreviousAction, m_replaceAction, m_gotoLineAction, m_exportLogsAction,
          m_clearLogsAction, m_preferencesAction, m_toolbarAction, m_panesRightAction,
          m_openTestFolderAction}) {
        action->setEnabled(enable);
    }
    m_entryPointSelector->setEnabled(enable);
    if (enable) {
        updateEditActions();
    } else {
        for (QAction *action :
             {m_undoAction, m_redoAction, m_copyAction, m_deleteAction, m_invokeAction}) {
            action->setEnabled(false);
        }
    }
    // Entry points are offered while the fixture they run against is shown.
    m_entryPointSelector->setEnabledActions(enable
                                            && m_window->fixturePane()->isVisibleTo(m_window));
    // Abort is the one command that a running test offers.
    m_abortAction->setEnabled(!enable && m_window->isTestRunning());
    if (!m_window->messagePane()) {
        m_exportLogsAction->setEnabled(false);
        m_clearLogsAction->setEnabled(false);
    }
}

void ScripterActions::fileSaveClick()
{
    const auto *action = qobject_cast<const QAction *>(sender());
    if (!action) {
        return;
    }
    const auto mode = action->data().toInt() == PackageProcessor::SaveAs ? PackageProcessor::SaveAs
                                                                         : PackageProcessor::Save;
    ScripterCore::instance()->packageProcessor()->save(mode, m_window);
}

void ScripterActions::windowCloseClick()
{
    m_window->close();
}

void ScripterActions::viewDeclarFixtureClick()
{
    QDockWidget *declarationPane = m_window->declarationPane();
    QDockWidget *fixturePane = m_window->fixturePane();
    if (!declarationPane->isVisibleTo(m_window) && fixturePane->isVisibleTo(m_window)) {
        fixturePane->hide();
        declarationPane->show();
        // The shown panel becomes the active one even when its window has no focus to give.
        m_window->declaration()->activate();
        m_window->declaration()->tree()->setFocus(Qt::OtherFocusReason);
    } else {
        declarationPane->hide();
        fixturePane->show();
        m_window->fixture()->activate();
        m_window->fixture()->tree()->setFocus(Qt::OtherFocusReason);
    }
}

void ScripterActions::viewPropertiesClick()
{
    QDockWidget *pane = m_window->propertiesPane();
    pane->setVisible(!pane->isVisibleTo(m_window));
}

void ScripterActions::viewMessagesClick()
{
    QDockWidget *pane = m_window->messagesPane();
    pane->setVisible(!pane->isVisibleTo(m_window));
}

void ScripterActions::viewToolbarClick()
{
    QSettings settings;
    const bool show = !settings.value(SettingsKey::Toolbar, true).toBool();
    settings.setValue(SettingsKey::Toolbar, show);
    m_toolbarAction->setChecked(show);
    for (QToolBar *toolBar : toolBars()) {
        toolBar->setVisible(show);
    }
}

void ScripterActions::editPreferencesClick()
{
    ScripterCore::instance()->showPreferences(m_window);
}

void ScripterActions::searchFindAgainClick()
{
    m_window->searchFindNext();
}

void ScripterActions::searchFindAgainBWClick()
{
    m_window->searchFindPrev();
}

void ScripterActions::testInvokeEntryPointClick()
{
    const auto *action = qobject_cast<const QAction *>(sender());
    if (!action) {
        return;
    }
    const int entryPoint = action == m_invokeAction ? m_entryPointSelector->currentEntryPoint()
                                                    : action->data().toInt();
    // The runner refuses while a run goes on anywhere, and says so.
    ScripterCore::instance()->entryPointsRunner()->run(entryPoint, m_window);
}

void ScripterActions::testAbortClick()
{
    m_window->abortTestRun();
}

void ScripterActions::testOpenFolderClick()
{
    const QString folder = m_window->fixture()->testFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        QMessageBox::information(m_window, tr("Open Test Folder"),
                                 tr("No test has run in this window yet, so there is no test "
                                    "folder to show."));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder))) {
        QMessageBox::warning(m_window, tr("Open Test Folder"),
                             tr("The file manager could not be started for '%1'.")
                                 .arg(QDir::toNativeSeparators(folder)));
    }
}

void ScripterActions::testExportLogsClick()
{
    if (ScripterMessagePane *pane = m_window->messagePane()) {
        pane->exportMessages();
    }
}

void ScripterActions::testClearLogsClick()
{
    if (ScripterMessagePane *pane = m_window->messagePane()) {
        pane->clearMessages();
    }
}

void ScripterActions::updateEditActions(int index)
{
    bool undo = false;
    bool redo = false;
    bool copyAndDelete = false;
    if (index == ScripterWindow::JavaScriptTab) {
        const JavaScriptEditor *editor = m_window->javaScriptEditor();
        undo = editor->isUndoAvailable();
        redo = editor->isRedoAvailable();
        copyAndDelete = true;
    } else if (index == ScripterWindow::VBScriptTab || index == ScripterWindow::AppleScriptTab) {
        const ScriptEditor *editor = index == ScripterWindow::VBScriptTab
                                         ? static_cast<ScriptEditor *>(m_window->vbScriptEditor())
                                         : m_window->appleScriptEditor();
        const QTextDocument *document = editor->textEdit()->document();
        undo = document->isUndoAvailable();
        redo = document->isRedoAvailable();
        copyAndDelete = editor->hasSelectedText();
    }
    // While a test runs the edit actions stay off whatever the editor could do.
    const bool usable = m_saveAction->isEnabled();
    m_undoAction->setEnabled(usable && undo);
    m_redoAction->setEnabled(usable && redo);
    m_copyAction->setEnabled(usable && copyAndDelete);
    m_deleteAction->setEnabled(usable && copyAndDelete);
}

void ScripterActions::updateEditActions()
{
    updateEditActions(m_window->scriptTabs()->currentIndex());
}

} // namespace Scripter
