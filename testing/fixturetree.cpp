#include "fixturetree.h"

#include "fixture.h"
#include "fixtureitem.h"
#include "runoutputsdelegate.h"

#include "testinglogging.h"

#include "package/idocumentwindow.h"

#include "guilib/images/deferrediconengine.h"
#include "guilib/property/iappproxy.h"
#include "guilib/property/ivalueeditor.h"
#include "guilib/property/propertiesexplorer.h"
#include "guilib/property/valueeditorrequest.h"

#include "supportlib/runsummary.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace Scripter {

namespace {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

FixtureItem *fixtureItem(QTreeWidgetItem *item)
{
    return static_cast<FixtureItem *>(item);
}

} // namespace

FixtureTree::FixtureTree(Fixture *fixture, QWidget *parent)
    : QTreeWidget(parent)
    , m_fixture(fixture)
    , m_contextMenu(new QMenu(this))
{
    setAcceptDrops(true);
    setDragEnabled(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setRootIsDecorated(false);
    setColumnCount(1);
    setHeaderLabel(tr("Properties"));
    header()->hide();
    setItemDelegate(new RunOutputsDelegate(this));

    m_addAction = createAction(QStringLiteral("img_Add.png"), tr("Add"),
                               tr("Adds a new item right after the selected item"));
    m_addFileAction = createAction(QStringLiteral("img_AddFile.png"), QString(),
                                   tr("Adds file to 'Incoming jobs'"));
    m_addFolderAction = createAction(QStringLiteral("img_AddFolder.png"), QString(),
                                     tr("Adds folder to 'Incoming jobs'"));
    m_removeAction =
        createAction(QStringLiteral("img_Remove.png"), tr("Remove"), tr("Remove selected item"));
    m_upAction = createAction(QStringLiteral("img_Up.png"), tr("Up"), tr("Move up selected item"));
    m_downAction =
        createAction(QStringLiteral("img_Down.png"), tr("Down"), tr("Move down selected item"));
    m_contextMenu->addAction(m_addAction);
    m_contextMenu->addAction(m_removeAction);
    m_contextMenu->addAction(m_upAction);
    m_contextMenu->addAction(m_downAction);

    connect(this, &QTreeWidget::itemDoubleClicked, this, &FixtureTree::itemDoubleClickedHandler);
    reset();
}

FixtureTree::~FixtureTree() = default;

void FixtureTree::showRunOutputs(const RunSummary &summary)
{
    for (int i = 0; i < m_outgoingGroup->childCount(); ++i) {
        QTreeWidgetItem *connection = m_outgoingGroup->child(i);
        QStringList files;
        for (const RunSummary::Output &output : summary.outputs()) {
            if (output.connection == connection->text(0)) {
                files.append(output.fileName);
            }
        }
        connection->setData(0, RunOutputsDelegate::RunOutputRole,
                            tr("%n file(s)", nullptr, int(files.size())));
        connection->setToolTip(0, files.join(QLatin1Char('\n')));
    }
}

QAction *FixtureTree::createAction(const QString &icon, const QString &text, const QString &toolTip)
{
    auto *action = new QAction(
        GuiLib::DeferredIconEngine::icon(QStringLiteral(":/Images/Ui_scripter/") + icon), text,
        this);
    action->setToolTip(toolTip);
    connect(action, &QAction::triggered, this, &FixtureTree::contextActionClicked);
    return action;
}

FixtureItem *FixtureTree::currentFixtureItem() const
{
    return fixtureItem(currentItem());
}

void FixtureTree::reset()
{
    // The view calls reset() itself only when its model is reset, which QTreeWidget's model
    // does only in clear(), which this tree never calls. Nothing may reach the old items while
    // they go.
    FixtureItem *old = m_basicItem;
    m_basicItem = m_incomingGroup = m_outgoingGroup = nullptr;
    delete old;
    m_basicItem = new FixtureItem(m_fixture, FixtureItem::BasicSettings);
    addTopLevelItem(m_basicItem);
    m_incomingGroup = new FixtureItem(m_fixture, FixtureItem::IncomingGroup, m_basicItem);
    m_outgoingGroup = new FixtureItem(m_fixture, FixtureItem::OutgoingGroup, m_basicItem);
    // Item by item: expandAll() would lay the whole view out at once.
    for (FixtureItem *item : {m_basicItem, m_incomingGroup, m_outgoingGroup}) {
        item->setExpanded(true);
    }
    setCurrentItem(m_basicItem);
    updateActions();
}

bool FixtureTree::hasUsableItem(int kind) const
{
    const FixtureItem *current = currentFixtureItem();
    if (!current || !isEnabled() || !m_incomingGroup) {
        return false;
    }
    const FixtureItem *group = nullptr;
    if (kind == FixtureItem::IncomingGroup || kind == FixtureItem::IncomingJob) {
        group = m_incomingGroup;
    } else if (kind == FixtureItem::OutgoingGroup || kind == FixtureItem::OutgoingConnection) {
        group = m_outgoingGroup;
    } else {
        return false;
    }
    if (current->QTreeWidgetItem::parent() == group && current->isEnabledForTest()) {
        return true;
    }
    int enabled = 0;
    for (int i = 0; i < group->childCount(); ++i) {
        enabled += fixtureItem(group->child(i))->isEnabledForTest() ? 1 : 0;
    }
    // One child that is enabled, or several of which exactly one is: that one is meant.
    return enabled == 1;
}

void FixtureTree::updateActions()
{
    FixtureItem *current = currentFixtureItem();
    m_addAction->setEnabled(current && current != m_basicItem);
    // The current item may be one that no longer looks selected (after a click on empty space):
    // only what the user sees selected is moved or removed.
    // (The item's own isSelected() lags behind while the selection changes.)
    const bool member = current && current->isJobOrConnection()
                        && selectionModel()->isSelected(indexFromItem(current));
    m_removeAction->setEnabled(member);
    const QTreeWidgetItem *group = member ? current->QTreeWidgetItem::parent() : nullptr;
    const int index = group ? group->indexOfChild(current) : -1;
    m_upAction->setEnabled(member && index > 0);
    m_downAction->setEnabled(member && index >= 0 && index < group->childCount() - 1);
}

void FixtureTree::updateSelections()
{
    const QList<QTreeWidgetItem *> items = selectedItems();
    if (items.size() == 1) {
        fixtureItem(items.first())->itemSelected();
    } else if (GuiLib::PropertiesExplorer *explorer = m_fixture->window()->propertiesExplorer()) {
        explorer->loadProperties(nullptr);
    }
}

void FixtureTree::itemDoubleClickedHandler(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(column)
    if (!item) {
        return;
    }
    FixtureItem *fixtureItem = Scripter::fixtureItem(item);
    fixtureItem->itemSelected();
    if (fixtureItem->isJobOrConnection()) {
        fixtureItem->setPropertyValue(
            XMLKey::ENABLED, fixtureItem->isEnabledForTest() ? XMLValues::NO : XMLValues::YES);
    }
}

void FixtureTree::contextActionClicked()
{
    const QObject *action = sender();
    if (action == m_addAction) {
        addItem();
    } else if (action == m_addFileAction || action == m_addFolderAction) {
        addChosenPath(action == m_addFolderAction);
    } else if (action == m_removeAction) {
        removeCurrentItem();
    } else if (action == m_upAction || action == m_downAction) {
        moveCurrentItem(action == m_upAction ? -1 : 1);
    }
    updateActions();
}

void FixtureTree::addItem()
{
    const FixtureItem *current = currentFixtureItem();
    if (!current) {
        return;
    }
    FixtureItem *item = nullptr;
    if (current->kind() == FixtureItem::IncomingGroup
        || current->kind() == FixtureItem::IncomingJob) {
        item = new FixtureItem(m_fixture, FixtureItem::IncomingJob);
        insertAfterCurrent(item, m_incomingGroup);
    } else if (current->kind() == FixtureItem::OutgoingGroup
               || current->kind() == FixtureItem::OutgoingConnection) {
        item = new FixtureItem(m_fixture, FixtureItem::OutgoingConnection);
        insertAfterCurrent(item, m_outgoingGroup);
    } else {
        return;
    }
    setCurrentItem(item);
    m_fixture->window()->markModified();
}

void FixtureTree::addChosenPath(bool folder)
{
    GuiLib::IAppProxy *proxy = GuiLib::IAppProxy::instance();
    if (!proxy) {
        qCWarning(lcTesting) << "No application proxy to choose a job with";
        return;
    }
    GuiLib::ValueEditorRequest request;
    request.editorType = folder ? XMLValues::EDITOR_CHOOSEFOLDER : XMLValues::EDITOR_CHOOSEFILE;
    request.caption =
        folder ? tr("Choose Folder: Folder for job") : tr("Choose File: File for job");
    request.propertyType = XMLValues::EDITORTYPE_PATH;
    request.tag = XMLKey::FILEORFOLDER;
    request.ownerType = XMLKey::SCRIPTFIXTURE;
    request.editors = QStringList{request.editorType};
    request.currentEditor = request.editorType;
    request.parent = m_fixture->window()->widget();
    QString error;
    const std::unique_ptr<GuiLib::IValueEditor> editor = proxy->createValueEditor(request, &error);
    if (!editor) {
        qCWarning(lcTesting).noquote() << "No editor to choose a job with:" << error;
        return;
    }
    if (!editor->exec()) {
        return;
    }
    const QString path = editor->value();
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        return;
    }
    setCurrentItem(addJobForPath(path));
    m_fixture->window()->markModified();
}

FixtureItem *FixtureTree::addJobForPath(const QString &path)
{
    auto *item = new FixtureItem(m_fixture, FixtureItem::IncomingJob);
    const FixtureItem *current = currentFixtureItem();
    if (current
        && (current->kind() == FixtureItem::IncomingGroup
            || current->kind() == FixtureItem::IncomingJob)) {
        insertAfterCurrent(item, m_incomingGroup);
    } else {
        m_incomingGroup->addChild(item);
    }
    // Through the property, so that the text, the icon and the object follow.
    item->setPropertyValue(XMLKey::FILEORFOLDER, QFileInfo(path).absoluteFilePath());
    return item;
}

void FixtureTree::insertAfterCurrent(FixtureItem *item, FixtureItem *group)
{
    QTreeWidgetItem *current = currentItem();
    group->insertChild(current == group ? 0 : group->indexOfChild(current) + 1, item);
}

void FixtureTree::removeCurrentItem()
{
    FixtureItem *current = currentFixtureItem();
    if (!current || !current->isJobOrConnection()) {
        return;
    }
    QTreeWidgetItem *group = current->QTreeWidgetItem::parent();
    const int index = group->indexOfChild(current);
    delete group->takeChild(index);
    if (index > 0) {
        scrollToItem(group->child(index - 1));
    }
    emit usableItemsChanged();
    m_fixture->window()->markModified();
}

void FixtureTree::moveCurrentItem(int offset)
{
    FixtureItem *current = currentFixtureItem();
    if (!current || !current->isJobOrConnection()) {
        return;
    }
    QTreeWidgetItem *group = current->QTreeWidgetItem::parent();
    const int index = group->indexOfChild(current);
    const int target = index + offset;
    if (target < 0 || target >= group->childCount()) {
        return;
    }
    group->takeChild(index);
    group->insertChild(target, current);
    setCurrentItem(current);
    m_fixture->window()->markModified();
}

void FixtureTree::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QTreeWidget::selectionChanged(selected, deselected);
    updateSelections();
    if (!deselected.isEmpty()) {
        emit usableItemsChanged();
    }
    updateActions();
    viewport()->update();
}

void FixtureTree::contextMenuEvent(QContextMenuEvent *event)
{
    updateActions();
    if (itemAt(event->pos())) {
        m_contextMenu->popup(event->globalPos());
    }
}

void FixtureTree::focusInEvent(QFocusEvent *event)
{
    QTreeWidget::focusInEvent(event);
    if (event->reason() == Qt::MouseFocusReason) {
        m_fixture->activate();
    }
}

void FixtureTree::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void FixtureTree::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void FixtureTree::dropEvent(QDropEvent *event)
{
    if (!event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    bool added = false;
    for (const QUrl &url : event->mimeData()->urls()) {
        const QString path = url.toLocalFile();
        if (!path.isEmpty() && QFileInfo::exists(path)) {
            addJobForPath(path);
            added = true;
        }
    }
    event->acceptProposedAction();
    if (added) {
        updateActions();
        m_fixture->window()->markModified();
    }
}

} // namespace Scripter
