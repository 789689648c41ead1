#include "declarationtree.h"

#include "declaration.h"
#include "declarationitem.h"
#include "idocumentwindow.h"

#include "guilib/images/deferrediconengine.h"
#include "guilib/property/propertycollection.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>

namespace Scripter {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

DeclarationItem *declarationItem(QTreeWidgetItem *item)
{
    return dynamic_cast<DeclarationItem *>(item);
}

bool isDefinitionItem(const QTreeWidgetItem *item)
{
    return item && DeclarationItem::isDefinitionKind(item->type());
}

// The group (a child of the script item) that `item` lies in; null for the script item.
QTreeWidgetItem *groupOf(QTreeWidgetItem *item)
{
    while (item && item->parent() && item->parent()->parent()) {
        item = item->parent();
    }
    return item && item->parent() ? item : nullptr;
}

void setDescendantsSelected(QTreeWidgetItem *item, bool selected)
{
    for (int i = 0; i < item->childCount(); ++i) {
        item->child(i)->setSelected(selected);
        setDescendantsSelected(item->child(i), selected);
    }
}

void collectDefinitions(QTreeWidgetItem *item, QList<DeclarationItem *> &result)
{
    for (int i = 0; i < item->childCount(); ++i) {
        if (DeclarationItem *child = declarationItem(item->child(i))) {
            result.append(child);
        }
        collectDefinitions(item->child(i), result);
    }
}

} // namespace

QString DeclarationTree::mimeType()
{
    return QStringLiteral("tavrix.scripter/declproperties");
}

DeclarationTree::DeclarationTree(Declaration *declaration)
    : QTreeWidget(declaration)
    , m_declaration(declaration)
    , m_contextMenu(new QMenu(this))
{
    setColumnCount(1);
    setHeaderLabel(tr("Properties"));
    header()->hide();
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMinimumSize(1, 1);
    setAcceptDrops(true);

    QPalette own = palette();
    own.setColor(QPalette::Highlight, QColor(230, 230, 255));
    own.setColor(QPalette::HighlightedText, own.color(QPalette::ButtonText));
    setPalette(own);

    m_addAction = createAction(QStringLiteral("img_Add.png"), tr("Add"),
                               tr("Adds a new item right after the selected item"));
    m_removeAction =
        createAction(QStringLiteral("img_Remove.png"), tr("Remove"), tr("Remove selected item"));
    m_upAction = createAction(QStringLiteral("img_Up.png"), tr("Up"), tr("Move up selected item"));
    m_downAction =
        createAction(QStringLiteral("img_Down.png"), tr("Down"), tr("Move down selected item"));
    m_cutAction = createAction(QStringLiteral("img_Cut.png"), tr("Cut"), QString());
    m_copyAction = createAction(QStringLiteral("img_Copy2.png"), tr("Copy"), QString());
    m_pasteAction = createAction(QStringLiteral("img_Paste2.png"), tr("Paste"), QString());

    connect(this, &QTreeWidget::itemExpanded, this, &DeclarationTree::itemExpandedHandler);
}

DeclarationTree::~DeclarationTree() = default;

QAction *DeclarationTree::createAction(const QString &icon, const QString &text,
                                       const QString &toolTip)
{
    auto *action = new QAction(
        GuiLib::DeferredIconEngine::icon(QStringLiteral(":/Images/Ui_scripter/") + icon), text,
        this);
    if (!toolTip.isEmpty()) {
        action->setToolTip(toolTip);
    }
    connect(action, &QAction::triggered, this, &DeclarationTree::contextActionClicked);
    m_contextMenu->addAction(action);
    return action;
}

DeclarationItem *DeclarationTree::scriptItem() const
{
    return declarationItem(topLevelItem(0));
}

DeclarationItem *DeclarationTree::groupItem(int kind) const
{
    DeclarationItem *script = scriptItem();
    if (!script) {
        return nullptr;
    }
    for (int i = 0; i < script->childCount(); ++i) {
        if (script->child(i)->type() == kind) {
            return declarationItem(script->child(i));
        }
    }
    return nullptr;
}

QList<DeclarationItem *> DeclarationTree::definitions(int groupKind) const
{
    QList<DeclarationItem *> result;
    if (QTreeWidgetItem *group = groupItem(groupKind)) {
        collectDefinitions(group, result);
    }
    return result;
}

QTreeWidgetItem *DeclarationTree::findItemWithText(const QString &text) const
{
    const QList<QTreeWidgetItem *> found =
        findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive | Qt::MatchRecursive, 0);
    return found.value(0);
}

DeclarationItem *DeclarationTree::currentDeclarationItem() const
{
    return declarationItem(currentItem());
}

QList<DeclarationItem *> DeclarationTree::selectedDefinitions() const
{
    // In tree order, so that copies keep the order the user sees.
    QList<DeclarationItem *> result;
    for (int kind :
         {int(DeclarationItem::ElementGroupKind), int(DeclarationItem::ConnectionGroupKind)}) {
        for (DeclarationItem *item : definitions(kind)) {
            if (item->isSelected()) {
                result.append(item);
            }
        }
    }
    return result;
}

void DeclarationTree::removeAllItems()
{
    m_suppressSelection = true;
    clear();
    m_suppressSelection = false;
}

void DeclarationTree::expandItems(const QList<QTreeWidgetItem *> &items)
{
    // While a layout is pending, expanding only records the item; otherwise each expansion
    // would search the laid-out rows for it.
    scheduleDelayedItemsLayout();
    for (QTreeWidgetItem *item : items) {
        item->setExpanded(true);
    }
}

void DeclarationTree::updateActions()
{
    QTreeWidgetItem *current = currentItem();
    // After a click on empty space the current item no longer looks selected: only what the
    // user sees selected is moved or removed.
    // (The item's own isSelected() lags behind while the selection changes.)
    const bool definition =
        isDefinitionItem(current) && selectionModel()->isSelected(indexFromItem(current));
    bool anyDefinitionSelected = false;
    for (const QModelIndex &index : selectionModel()->selectedIndexes()) {
        anyDefinitionSelected = anyDefinitionSelected || isDefinitionItem(itemFromIndex(index));
    }
    m_addAction->setEnabled(current && current->type() != DeclarationItem::ScriptKind);
    m_removeAction->setEnabled(anyDefinitionSelected);
    m_upAction->setEnabled(definition && current->parent()->indexOfChild(current) > 0);
    m_downAction->setEnabled(definition
                             && current->parent()->indexOfChild(current)
                                    < current->parent()->childCount() - 1);
    m_cutAction->setEnabled(anyDefinitionSelected);
    m_copyAction->setEnabled(anyDefinitionSelected);
    m_pasteAction->setEnabled(!m_clipboard.isEmpty() && current);
}

void DeclarationTree::showSelectedProperties()
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    DeclarationItem *item = selected.size() == 1 ? declarationItem(selected.first()) : nullptr;
    m_declaration->showProperties(item ? item->properties() : nullptr);
}

void DeclarationTree::selectionChanged(const QItemSelection &selected,
                                       const QItemSelection &deselected)
{
    QTreeWidget::selectionChanged(selected, deselected);
    if (m_suppressSelection) {
        return;
    }
    emit updateSelections();
    showSelectedProperties();
    updateActions();
    viewport()->update();
}

void DeclarationTree::itemExpandedHandler(QTreeWidgetItem *item)
{
    if (selectedItems().size() > 1) {
        for (int i = 0; i < item->childCount(); ++i) {
            item->child(i)->setSelected(item->isSelected());
        }
    }
}

void DeclarationTree::contextActionClicked()
{
    const QObject *action = sender();
    if (action == m_addAction) {
        addDefinition();
    } else if (action == m_removeAction) {
        removeSelected();
    } else if (action == m_upAction) {
        moveCurrent(-1);
    } else if (action == m_downAction) {
        moveCurrent(1);
    } else if (action == m_copyAction) {
        copySelected();
    } else if (action == m_cutAction) {
        copySelected();
        removeSelected();
    } else if (action == m_pasteAction) {
        paste();
    }
    updateActions();
}

bool DeclarationTree::insertionPoint(QTreeWidgetItem **parent, int *index) const
{
    QTreeWidgetItem *current = currentItem();
    if (!current) {
        return false;
    }
    if (current->type() == DeclarationItem::ScriptKind) {
        // Below the script item there are only the groups: take the first one.
        current = groupItem(DeclarationItem::ElementGroupKind);
        if (!current) {
            return false;
        }
    }
    if (!current->parent() || !current->parent()->parent()) {
        *parent = current; // a group: its first definition
        *index = 0;
    } else {
        *parent = current->parent();
        *index = current->parent()->indexOfChild(current) + 1;
    }
    return true;
}

DeclarationItem *DeclarationTree::insertDefinition(DeclarationItem *item, QTreeWidgetItem *parent,
                                                   int index)
{
    parent->insertChild(index, item);
    parent->setExpanded(true);
    clearSelection();
    setCurrentItem(item);
    return item;
}

void DeclarationTree::refreshFixture(bool element, bool connection)
{
    m_declaration->window()->refreshFixtureProperties(element, connection);
    m_declaration->window()->markModified();
}

void DeclarationTree::addDefinition()
{
    QTreeWidgetItem *parent = nullptr;
    int index = 0;
    if (!insertionPoint(&parent, &index)) {
        return;
    }
    const int kind = DeclarationItem::definitionKindOf(groupOf(parent)->type());
    auto *item = new DeclarationItem(m_declaration, kind);
    if (isDefinitionItem(parent)) {
        item->setPropertyValue(XMLKey::DEF_DEPENDSONMASTER, XMLValues::YES, true);
    }
    insertDefinition(item, parent, index);
    const bool connection = kind == DeclarationItem::ConnectionDefinitionKind;
    refreshFixture(!connection, connection);
}

void DeclarationTree::removeSelected()
{
    const QList<DeclarationItem *> selected = selectedDefinitions();
    if (selected.isEmpty()) {
        return;
    }
    m_suppressSelection = true;
    for (DeclarationItem *item : selected) {
        // A dependent goes with its selected master.
        bool underSelectedMaster = false;
        for (QTreeWidgetItem *p = item->parent(); p; p = p->parent()) {
            underSelectedMaster = underSelectedMaster || selected.contains(declarationItem(p));
        }
        if (!underSelectedMaster) {
            delete item->parent()->takeChild(item->parent()->indexOfChild(item));
        }
    }
    m_suppressSelection = false;
    emit updateSelections();
    showSelectedProperties();
    refreshFixture(true, true);
}

void DeclarationTree::moveCurrent(int offset)
{
    DeclarationItem *item = currentDeclarationItem();
    if (!item || !item->isDefinition()) {
        return;
    }
    QTreeWidgetItem *parent = item->parent();
    const int index = parent->indexOfChild(item) + offset;
    if (index < 0 || index >= parent->childCount()) {
        return;
    }
    moveItem(item, parent, index);
    const bool connection = item->type() == DeclarationItem::ConnectionDefinitionKind;
    refreshFixture(!connection, connection);
}

void DeclarationTree::moveItem(DeclarationItem *item, QTreeWidgetItem *newParent, int index)
{
    // The item keeps its property set, which the explorer may be showing: leave it there.
    m_suppressSelection = true;
    const bool expanded = item->isExpanded();
    item->parent()->removeChild(item);
    newParent->insertChild(qMin(index, newParent->childCount()), item);
    newParent->setExpanded(true);
    item->setExpanded(expanded || item->childCount() > 0);
    clearSelection();
    setCurrentItem(item);
    item->setSelected(true);
    m_suppressSelection = false;
    emit updateSelections();
    updateActions();
}

void DeclarationTree::copySelected()
{
    QList<SRCore::FlowObject> copies;
    for (const DeclarationItem *item : selectedDefinitions()) {
        copies.append(item->currentObject());
    }
    if (!copies.isEmpty()) {
        m_clipboard = copies;
    }
}

void DeclarationTree::paste()
{
    if (m_clipboard.isEmpty()) {
        return;
    }
    bool element = false;
    bool connection = false;
    for (const SRCore::FlowObject &copied : std::as_const(m_clipboard)) {
        QTreeWidgetItem *parent = nullptr;
        int index = 0;
        if (!insertionPoint(&parent, &index)) {
            return;
        }
        SRCore::FlowObject object = copied.clone2();
        const QString tag =
            m_declaration->uniqueCopyTag(object.getField(XMLKey::DEF_TAG).getValue());
        object.getField(XMLKey::DEF_TAG).setValue(tag);
        // The fixture lists definitions by name; a copy named like its original would show twice.
        object.getField(XMLKey::NAME).setValue(tag);
        // Where the copy lands decides whether it depends on a master.
        object.getField(XMLKey::DEF_DEPENDSONMASTER)
            .setValue(isDefinitionItem(parent) ? XMLValues::YES : XMLValues::NO);

        const int kind = DeclarationItem::definitionKindOf(groupOf(parent)->type());
        auto *item = new DeclarationItem(m_declaration, kind, object,
                                         object.getField(XMLKey::DEFAULT).getSubType());
        insertDefinition(item, parent, index);
        item->setSelected(true);
        (kind == DeclarationItem::ConnectionDefinitionKind ? connection : element) = true;
    }
    refreshFixture(element, connection);
}

void DeclarationTree::contextMenuEvent(QContextMenuEvent *event)
{
    updateActions();
    if (itemAt(event->pos())) {
        m_contextMenu->exec(event->globalPos());
    }
}

DeclarationTree::ModifierClick DeclarationTree::handleModifierClick(DeclarationItem *clicked,
                                                                    Qt::KeyboardModifiers modifiers)
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    for (const QTreeWidgetItem *item : selected) {
        if (!isDefinitionItem(item)) {
            return ModifierClick::Ignored;
        }
    }
    const DeclarationItem *topMost = selectedDefinitions().value(0);
    if (topMost && (topMost->type() != clicked->type() || topMost->parent() != clicked->parent())) {
        return ModifierClick::Ignored;
    }
    if (selected.size() == 1 && selected.first()->isExpanded()) {
        setDescendantsSelected(selected.first(), true);
    }
    if (clicked->isExpanded()) {
        setDescendantsSelected(clicked, !clicked->isSelected());
    }
    if (!(modifiers & Qt::ShiftModifier)) {
        return ModifierClick::Toggle;
    }
    clicked->setSelected(true);
    selectionModel()->setCurrentIndex(indexFromItem(clicked), QItemSelectionModel::NoUpdate);
    return ModifierClick::Extend;
}

void DeclarationTree::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    QTreeWidgetItem *item = itemAt(event->position().toPoint());
    if (!item) {
        clearSelection();
        m_declaration->showProperties(nullptr);
        QTreeWidget::mousePressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers modifiers =
        event->modifiers()
        & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (modifiers == Qt::NoModifier) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    DeclarationItem *clicked = declarationItem(item);
    if (!clicked || !clicked->isDefinition()) {
        clearSelection();
        QTreeWidget::mousePressEvent(event);
        return;
    }
    const ModifierClick click = handleModifierClick(clicked, modifiers);
    if (click == ModifierClick::Ignored) {
        return; // it would mix definitions of different groups or parents
    }
    // The tree is single-selection for plain clicks. A modifier click toggles the clicked
    // definition, or with Shift keeps it selected, like an extended selection that stays within
    // one group and parent; the standard handling then does the rest of the click.
    setSelectionMode(click == ModifierClick::Toggle ? QAbstractItemView::MultiSelection
                                                    : QAbstractItemView::NoSelection);
    // The release belongs to the same click; the mode is restored after it.
    QTreeWidget::mousePressEvent(event);
}

void DeclarationTree::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeWidget::mouseReleaseEvent(event);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void DeclarationTree::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTreeWidget::currentChanged(current, previous);
    if (!m_suppressSelection) {
        updateActions();
    }
}

void DeclarationTree::focusInEvent(QFocusEvent *event)
{
    if (event->reason() == Qt::MouseFocusReason) {
        m_declaration->activate();
    }
    QTreeWidget::focusInEvent(event);
}

void DeclarationTree::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(mimeType())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void DeclarationTree::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasFormat(mimeType())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

} // namespace Scripter
