#pragma once

#include <QList>
#include <QObject>

#include <memory>

class QAction;
class QMenu;

namespace Scripter {

class HelpMenuActions;
class ScripterCore;

// The commands that do not depend on a main window: new, open, the recent packages, quit, the
// style editor, and the "&Window" and "&Help" menus. One set, owned by the core, is shared by
// all windows: each window puts the same actions and menus into its own menu bar.
class CoreActions : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CoreActions)

public:
    static constexpr int MaxRecentPackages = 5;

    // `core` must outlive the actions.
    explicit CoreActions(ScripterCore *core);
    ~CoreActions() override;

    QMenu *windowMenu() const { return m_windowMenu.get(); }
    HelpMenuActions *helpMenu() const { return m_helpMenu; }
    QAction *newAction() const { return m_newAction; }
    QAction *openAction() const { return m_openAction; }
    QAction *quitAction() const { return m_quitAction; }
    QAction *recentSeparator() const { return m_recentSeparator; }
    QList<QAction *> recentPackageActions() const { return m_recentActions; }
    QAction *editStyleAction() const { return m_editStyleAction; }

    // Puts New and Open before the first action of a window's file menu, and the recent
    // packages, a separator and Quit after its last one.
    void addFileActions(QMenu *menu);
    // Shows the recent packages list of the settings ("General/RecentPackagesList") as the
    // entries "&1 <path>" to "&5 <path>".
    void updateRecentFileActions();

public slots:
    void fileCreateNewClick();
    void fileOpenClick();
    // The sender is a recent package entry; its data is the package's path.
    void fileRecentFileClick();
    void editStyleSheetClick();

private:
    ScripterCore *m_core;
    std::unique_ptr<QMenu> m_windowMenu;
    HelpMenuActions *m_helpMenu;
    QAction *m_newAction;
    QAction *m_openAction;
    QAction *m_quitAction;
    QAction *m_recentSeparator;
    QList<QAction *> m_recentActions;
    QAction *m_editStyleAction;
};

} // namespace Scripter
