#pragma once

#include <QTreeWidget>

class QAction;
class QMenu;
class RunSummary;

namespace Scripter {

class Fixture;
class FixtureItem;

// The tree of the fixture panel: the basic test settings with the groups "Incoming jobs" and
// "Outgoing connections" below it, and the jobs and connections in them. Jobs are added empty,
// through a file or folder chooser, or by dropping files and folders on the tree; double-clicking
// a job or connection takes it in or out of the test. Selecting an item shows its properties.
//
// The tree always holds exactly the basic item at the top and the two groups, in that order.
class FixtureTree : public QTreeWidget
{
    Q_OBJECT

public:
    // `fixture` must outlive the tree.
    explicit FixtureTree(Fixture *fixture, QWidget *parent = nullptr);
    ~FixtureTree() override;
    FixtureTree(const FixtureTree &) = delete;
    FixtureTree &operator=(const FixtureTree &) = delete;

    FixtureItem *basicItem() const { return m_basicItem; }
    FixtureItem *incomingGroup() const { return m_incomingGroup; }
    FixtureItem *outgoingGroup() const { return m_outgoingGroup; }
    FixtureItem *currentFixtureItem() const;

    QAction *addItemAction() const { return m_addAction; }
    QAction *addFileAction() const { return m_addFileAction; }
    QAction *addFolderAction() const { return m_addFolderAction; }
    QAction *removeItemAction() const { return m_removeAction; }
    QAction *moveUpAction() const { return m_upAction; }
    QAction *moveDownAction() const { return m_downAction; }
    QMenu *contextMenu() const { return m_contextMenu; }

    // Whether an entry point that needs a job (kind 1 or 3) or a connection (kind 2 or 4) has
    // one to work on: the current item when it is an enabled member of that group, or else the
    // group's only enabled member.
    bool hasUsableItem(int kind) const;

    void updateActions();
    // Marks every outgoing connection with the number of files it received in the run of
    // `summary`, their names in its tool tip.
    void showRunOutputs(const RunSummary &summary);

public slots:
    // Deletes every item and makes the three initial ones, the basic item selected and current.
    void reset() override;
    void updateSelections();
    void itemDoubleClickedHandler(QTreeWidgetItem *item, int column);
    void contextActionClicked();

signals:
    // The jobs or connections that entry points can use may have changed; the entry point
    // chooser re-evaluates them at once.
    void usableItemsChanged();

protected slots:
    void selectionChanged(const QItemSelection &selected,
                          const QItemSelection &deselected) override;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QAction *createAction(const QString &icon, const QString &text, const QString &toolTip);
    void addItem();
    void addChosenPath(bool folder);
    void removeCurrentItem();
    void moveCurrentItem(int offset);
    // A new job for `path`, placed after the current item when that is a job or the group.
    FixtureItem *addJobForPath(const QString &path);
    void insertAfterCurrent(FixtureItem *item, FixtureItem *group);

    Fixture *m_fixture;
    FixtureItem *m_basicItem = nullptr;
    FixtureItem *m_incomingGroup = nullptr;
    FixtureItem *m_outgoingGroup = nullptr;
    QMenu *m_contextMenu;
    QAction *m_addAction;
    QAction *m_addFileAction;
    QAction *m_addFolderAction;
    QAction *m_removeAction;
    QAction *m_upAction;
    QAction *m_downAction;
};

} // namespace Scripter
