#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;

namespace Scripter {

class EntryPointsCombo;
class ScripterWindow;

// The commands of one main window (save, view, edit, search, test), its menu bar and its four
// tool bars. The menus also carry the core's shared actions and menus (CoreActions).
//
// The Test menu and tool bar run the script's entry points through the core's runner: the entry
// point chooser (EntryPointsCombo) offers those that the script defines and the fixture can
// feed; one run goes on at a time in the whole program, and a request while it runs is refused
// with a message.
//
// Created by the window with the window as parent, before the window builds its content; the
// slots reach the window's panes and editors when they are triggered.
class ScripterActions : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScripterActions)

public:
    explicit ScripterActions(ScripterWindow *window);
    ~ScripterActions() override;

    QMenuBar *menuBar() const { return m_menuBar; }
    QMenu *fileMenu() const { return m_fileMenu; }
    QMenu *editMenu() const { return m_editMenu; }
    QMenu *viewMenu() const { return m_viewMenu; }
    QMenu *searchMenu() const { return m_searchMenu; }
    QMenu *testMenu() const { return m_testMenu; }
    QList<QToolBar *> toolBars() const;
    QToolBar *fileToolBar() const { return m_fileToolBar; }
    QToolBar *viewToolBar() const { return m_viewToolBar; }
    QToolBar *editToolBar() const { return m_editToolBar; }
    QToolBar *testToolBar() const { return m_testToolBar; }

    QAction *saveAction() const { return m_saveAction; }
    QAction *saveAsAction() const { return m_saveAsAction; }
    QAction *closeWindowAction() const { return m_closeWindowAction; }
    QAction *viewDeclarFixtureAction() const { return m_viewDeclarFixtureAction; }
    QAction *togglePropertiesAction() const { return m_togglePropertiesAction; }
    QAction *toggleMessagesAction() const { return m_toggleMessagesAction; }
    QAction *toolbarAction() const { return m_toolbarAction; }
    QAction *panesRightAction() const { return m_panesRightAction; }
    QAction *undoAction() const { return m_undoAction; }
    QAction *redoAction() const { return m_redoAction; }
    QAction *copyAction() const { return m_copyAction; }
    QAction *pasteAction() const { return m_pasteAction; }
    QAction *deleteAction() const { return m_deleteAction; }
    QAction *preferencesAction() const { return m_preferencesAction; }
    QAction *findAction() const { return m_findAction; }
    QAction *findNextAction() const { return m_findNextAction; }
    QAction *findPreviousAction() const { return m_findPreviousAction; }
    QAction *replaceAction() const { return m_replaceAction; }
    QAction *gotoLineAction() const { return m_gotoLineAction; }
    EntryPointsCombo *entryPointSelector() const { return m_entryPointSelector; }
    // One per row of the entry point table, in the Test menu.
    QList<QAction *> entryPointActions() const;
    QAction *invokeEntryPointAction() const { return m_invokeAction; }
    QAction *abortAction() const { return m_abortAction; }
    QAction *openTestFolderAction() const { return m_openTestFolderAction; }
    QAction *exportLogsAction() const { return m_exportLogsAction; }
    QAction *clearLogsAction() const { return m_clearLogsAction; }
    // Undo, redo, copy, paste and delete, which the window applies to the current editor.
    QList<QAction *> editActions() const;

    // While a test runs (`enable` false) only Abort and Quit stay usable.
    void setActionsEnabled(bool enable);

public slots:
    // The sender's data is the save mode (0 save, 1 save as).
    void fileSaveClick();
    void windowCloseClick();
    void viewDeclarFixtureClick();
    void viewPropertiesClick();
    void viewMessagesClick();
    void viewToolbarClick();
    void editPreferencesClick();
    void searchFindAgainClick();
    void searchFindAgainBWClick();
    // Runs the entry point chosen in the selector (the sender is the invoke action) or the one
    // whose number the sending action carries.
    void testInvokeEntryPointClick();
    void testAbortClick();
    // Shows the window's test folder in the desktop's file manager.
    void testOpenFolderClick();
    void testExportLogsClick();
    void testClearLogsClick();
    // Undo, redo, copy and delete follow the editor of the current tab; `index` is the tab that
    // just became current.
    void updateEditActions(int index);
    void updateEditActions();

private:
    QAction *createAction(const QString &icon, const QString &text, const QString &shortcut,
                          const QString &toolTip);
    void createMenus();
    void createToolBars();

    ScripterWindow *m_window;
    QMenuBar *m_menuBar;
    QMenu *m_fileMenu;
    QMenu *m_editMenu;
    QMenu *m_viewMenu;
    QMenu *m_searchMenu;
    QMenu *m_testMenu;
    QToolBar *m_fileToolBar = nullptr;
    QToolBar *m_viewToolBar = nullptr;
    QToolBar *m_editToolBar = nullptr;
    QToolBar *m_testToolBar = nullptr;

    QAction *m_saveAction;
    QAction *m_saveAsAction;
    QAction *m_closeWindowAction;
    QAction *m_viewDeclarFixtureAction;
    QAction *m_togglePropertiesAction;
    QAction *m_toggleMessagesAction;
    QAction *m_toolbarAction;
    QAction *m_panesRightAction;
    QAction *m_undoAction;
    QAction *m_redoAction;
    QAction *m_copyAction;
    QAction *m_pasteAction;
    QAction *m_deleteAction;
    QAction *m_preferencesAction;
    QAction *m_findAction;
    QAction *m_findNextAction;
    QAction *m_findPreviousAction;
    QAction *m_replaceAction;
    QAction *m_gotoLineAction;
    EntryPointsCombo *m_entryPointSelector;
    QAction *m_invokeAction;
    QAction *m_abortAction;
    QAction *m_openTestFolderAction;
    QAction *m_exportLogsAction;
    QAction *m_clearLogsAction;
};

} // namespace Scripter
