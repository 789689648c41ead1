#pragma once

#include "corelib/flow/flowobject.h"

#include <QItemSelection>
#include <QList>
#include <QTreeWidget>

class QAction;
class QMenu;

namespace Scripter {

class Declaration;
class DeclarationItem;

// The tree in which the author edits the declaration: the script item, the two groups and the
// property definitions. It adds, removes, moves, cuts, copies and pastes definitions, keeps a
// multi-selection to definitions of one group and parent, and shows the property set of the
// selected item in the window's properties explorer. GUI thread only.
class DeclarationTree : public QTreeWidget
{
    Q_OBJECT

public:
    // The drag format that the tree accepts.
    static QString mimeType();

    explicit DeclarationTree(Declaration *declaration);
    ~DeclarationTree() override;

    QAction *addItemAction() const { return m_addAction; }
    QAction *removeItemAction() const { return m_removeAction; }
    QAction *upAction() const { return m_upAction; }
    QAction *downAction() const { return m_downAction; }
    QAction *cutAction() const { return m_cutAction; }
    QAction *copyAction() const { return m_copyAction; }
    QAction *pasteAction() const { return m_pasteAction; }
    QMenu *contextMenu() const { return m_contextMenu; }

    DeclarationItem *scriptItem() const;
    DeclarationItem *groupItem(int kind) const;
    // The definitions of a group in pre-order (masters before their dependents).
    QList<DeclarationItem *> definitions(int groupKind) const;
    // The item that shows `text` in column 0, anywhere in the tree; null when none does.
    QTreeWidgetItem *findItemWithText(const QString &text) const;

    // Moves `item` with its dependents under `newParent` at `index`, keeping it selected,
    // expanded and current.
    void moveItem(DeclarationItem *item, QTreeWidgetItem *newParent, int index);
    // Empties the tree without selection handling. The clipboard stays: it lives as long as the
    // tree.
    void removeAllItems();
    // Expands `items` in one go: the rows are laid out once, after the last.
    void expandItems(const QList<QTreeWidgetItem *> &items);
    void updateActions();

signals:
    void updateSelections();

public slots:
    void selectionChanged(const QItemSelection &selected,
                          const QItemSelection &deselected) override;
    void itemExpandedHandler(QTreeWidgetItem *item);
    void contextActionClicked();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void focusInEvent(QFocusEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;

private:
    QAction *createAction(const QString &icon, const QString &text, const QString &toolTip);
    DeclarationItem *currentDeclarationItem() const;
    QList<DeclarationItem *> selectedDefinitions() const;
    // Where a new or pasted definition goes for the current item: its parent and index.
    bool insertionPoint(QTreeWidgetItem **parent, int *index) const;
    DeclarationItem *insertDefinition(DeclarationItem *item, QTreeWidgetItem *parent, int index);
    void refreshFixture(bool element, bool connection);
    void showSelectedProperties();

    void addDefinition();
    void removeSelected();
    void moveCurrent(int offset);
    void copySelected();
    void paste();
    enum class ModifierClick { Ignored, Toggle, Extend };
    ModifierClick handleModifierClick(DeclarationItem *clicked, Qt::KeyboardModifiers modifiers);

    Declaration *m_declaration;
    QMenu *m_contextMenu;
    QAction *m_addAction;
    QAction *m_removeAction;
    QAction *m_upAction;
    QAction *m_downAction;
    QAction *m_cutAction;
    QAction *m_copyAction;
    QAction *m_pasteAction;
    // Copies of the copied definitions, in order: their fields with the current values.
    QList<SRCore::FlowObject> m_clipboard;
    bool m_suppressSelection = false;
};

} // namespace Scripter
