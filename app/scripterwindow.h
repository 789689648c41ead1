#pragma once

#include "testing/itestwindow.h"

#include <QBasicTimer>
#include <QMainWindow>
#include <QPointer>
#include <QThread>

#include <functional>

class QDockWidget;
class QTabWidget;

namespace Scripter {

class AppleScriptEditor;
class Fixture;
class JavaScriptEditor;
class ScripterActions;
class ScripterCore;
class ScripterMessagePane;
class ScriptEditor;
class SearchController;
class VBScriptEditor;

// The main window of one script package: the declaration, fixture, properties and messages
// panes around the three script editors (JavaScript, VBScript, AppleScript, one tab each). It
// keeps the package's path, title and modified state, its layout in the settings, and asks
// before it closes with unsaved changes. Reading and writing the package is the package
// processor's work; the window offers it what it needs (IPackageWindow).
//
// Windows are made, listed and deleted by the core's package processor. GUI thread only; the
// core must exist for the window's lifetime.
class ScripterWindow
    : public QMainWindow
    , public ITestWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScripterWindow)

public:
    // The editor tabs, in their order.
    enum ScriptTab { JavaScriptTab = 0, VBScriptTab = 1, AppleScriptTab = 2 };

    explicit ScripterWindow(QWidget *parent = nullptr);
    ~ScripterWindow() override;

    QDockWidget *declarationPane() const { return m_declarationPane; }
    QDockWidget *fixturePane() const { return m_fixturePane; }
    QDockWidget *propertiesPane() const { return m_propertiesPane; }
    QDockWidget *messagesPane() const { return m_messagesPane; }
    QTabWidget *scriptTabs() const { return m_scriptTabs; }
    Fixture *fixture() const override { return m_fixture; }
    JavaScriptEditor *javaScriptEditor() const { return m_javaScriptEditor; }
    // The editors of the other languages are made when first needed: when the declaration
    // includes their language, their tab is made current, or their program is asked for.
    VBScriptEditor *vbScriptEditor() const;
    AppleScriptEditor *appleScriptEditor() const;
    // Null when the log manager has no message database.
    ScripterMessagePane *messagePane() const { return m_messagePane; }
    ScripterActions *actions() const { return m_actions; }
    SearchController *searchController() const { return m_searchController; }

    // The language of the current tab (XMLValues::JAVASCRIPT, VBSCRIPT, APPLESCRIPT).
    QString currentLanguage() const override;
    // What the "&Window" menu shows: the element name of an untitled package, else the file
    // name of the visible path.
    QString displayName() const;

    // Starts a new, empty package in this window.
    void resetPackage();
    // Puts the declaration, fixture and properties panes on the left (true) or right side; the
    // messages pane stays at the bottom. The choice goes to "General/WindowLayout".
    void setWindowLayout(bool panesLeft);
    // Enables the editor tab of every language that the declaration includes.
    void updateLanguageTabs();

    // How long a close waits for a run it stopped to end before it gives up and keeps the
    // window open.
    static constexpr int kRunStopWaitMs = 5000;
    // Replaces kRunStopWaitMs, for tests that can't wait that long.
    void setRunStopWait(int milliseconds) { m_runStopWaitMs = milliseconds; }

    // ITestWindow: while `runThread` runs the window is disabled but for Abort, polled every
    // 300 ms and refreshes its messages about once a second; when it is asked to close, it
    // offers to stop the run with `abort` and waits at most the run stop wait for the thread.
    // `finished` is called when the run is found over.
    void monitorTestRun(QThread *runThread, std::function<void()> abort,
                        std::function<void()> finished = {}) override;
    void refreshMessages() override;
    bool isTestRunning() const;
    // Asks the monitored run to stop; nothing happens without one.
    void abortTestRun();

    // The context menu of the dock and tool bar areas: the dock toggles; none while a test runs.
    QMenu *createPopupMenu() override;

    // IDocumentWindow
    QWidget *widget() override { return this; }
    Declaration *declaration() const override { return m_declaration; }
    GuiLib::PropertiesExplorer *propertiesExplorer() const override { return m_explorer; }
    void markModified() override;
    int documentNumber() const override { return m_windowNumber; }
    QString packageFilePath() const override { return m_filePath; }
    // A package opened from its unarchived folder is kept in that folder, not where the
    // archive made of it lives.
    QString packageFolder() const override;
    QStringList scriptFunctions(const QString &language) const override;
    void setLanguageIncluded(const QString &language, bool included) override;
    void elementNameChanged(const QString &name) override;
    void elementIconChanged(const QString &iconPath) override;
    void refreshFixtureProperties(bool elementProperties, bool connectionProperties) override;
    void activatePanel(Panel panel) override;
    // The script's library entry point, run by the core's runner.
    QStringList libraryForProperty(const QString &tag, bool connectionProperty) override;
    SRCore::ILogInterface *logInterface() const override;
    QFileIconProvider *fileIconProvider() const override;

    // IPackageWindow
    QString scriptText(const QString &language) const override;
    void setScriptText(const QString &language, const QString &text) override;
    QString displayPath() const override { return m_displayPath; }
    bool isAlternatePath() const override { return m_alternatePath; }
    void setAlternatePath(bool alternatePath) override { m_alternatePath = alternatePath; }
    bool isUntitled() const override { return m_untitled; }
    void setCurrentFile(const QString &path, bool remember) override;
    void setUnmodified() override;
    void showStatusMessage(const QString &text, int timeout = 0) override;
    bool saveFixture(const QString &path, QString *errorMessage = nullptr) override;
    bool loadFixture(const QString &path) override;

public slots:
    void showFindDlg();
    void searchFind();
    void searchFindNext();
    void searchFindPrev();
    void searchReplace();
    void searchReplaceAll();
    void searchGotoLine();
    // Called directly after a load or a save: the window, its tabs and its editors' documents
    // become unmodified.
    void scriptChangedHandler();
    // The sender is an edit action; its data names the operation ("EDIT_UNDO", ...).
    void editActionClicked();
    void applyPreferences();
    void setWindowEnabled(bool enable);
    void setWindowEnabled();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void createEditors();
    // The editor of the VBScript or AppleScript tab, made on first call; null for other tabs.
    ScriptEditor *plainEditor(int tab);
    // Making an editor changes nothing that a reader of the window can tell.
    ScriptEditor *plainEditor(int tab) const;
    ScriptEditor *createPlainEditor(int tab);
    // The plain editors made so far.
    QList<ScriptEditor *> createdPlainEditors() const;
    QWidget *currentEditor() const;
    void setTabIncluded(int tab, bool included);
    void createMessagePane();
    void arrangePanes(bool panesLeft);
    void restoreLayout();
    void saveLayout() const;
    // An editor reported an edit: the window and that editor's tab show it.
    void editorChanged(int tab);
    void updateTitle();
    // The properties explorer shows the selection of the declaration, or of the fixture when
    // only that is shown.
    void activateShownPanel();
    // False when the window stays open: a running test, Cancel to saving, or a save that was
    // cancelled or failed.
    bool confirmClose();
    // Offers to stop a running test and waits for it; false when it goes on.
    bool stopTestRunForClose();
    // Handles events until the monitored run's thread has ended, at most the run stop wait; true
    // when it has.
    bool waitForTestRunEnd();
    // The window comes back as it was before the run; nothing happens when none is monitored.
    void endTestRunMonitoring();
    int tabOfLanguage(const QString &language) const;

    ScripterCore *m_core;
    int m_runStopWaitMs = kRunStopWaitMs;
    QString m_filePath;
    QString m_displayPath;
    bool m_untitled = true;
    bool m_alternatePath = false;
    const int m_windowNumber;
    bool m_settingScriptText = false;

    QDockWidget *m_declarationPane;
    QDockWidget *m_fixturePane;
    QDockWidget *m_propertiesPane;
    QDockWidget *m_messagesPane;
    QTabWidget *m_scriptTabs;
    Declaration *m_declaration = nullptr;
    Fixture *m_fixture = nullptr;
    JavaScriptEditor *m_javaScriptEditor = nullptr;
    VBScriptEditor *m_vbScriptEditor = nullptr;
    AppleScriptEditor *m_appleScriptEditor = nullptr;
    // What showStatusMessage() shows until further notice; an editor made later shows it too.
    QString m_statusText;
    GuiLib::PropertiesExplorer *m_explorer = nullptr;
    ScripterMessagePane *m_messagePane = nullptr;
    ScripterActions *m_actions = nullptr;
    SearchController *m_searchController = nullptr;

    // The monitored test run, and the 300 ms poll that notices its end.
    QPointer<QThread> m_testRunThread;
    std::function<void()> m_abortTestRun;
    std::function<void()> m_testRunFinished;
    QBasicTimer m_testRunPoll;
    int m_testRunPolls = 0;
    bool m_waitingForTestRunEnd = false;
};

} // namespace Scripter
