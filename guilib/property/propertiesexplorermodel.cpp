#include "propertiesexplorermodel.h"

#include "ipropertygroup.h"
#include "propertycollection.h"
#include "propertytexts.h"

#include "corelib/vocabulary/xmlvalues.h"

#include <QAbstractItemDelegate>
#include <QColor>
#include <QHash>
#include <QTreeView>

namespace GuiLib {

namespace {

IPropertyGroup *asGroup(IProperty *property)
{
    return property && property->isGroup() ? qobject_cast<IPropertyGroup *>(property) : nullptr;
}

} // namespace

PropertiesExplorerModel::PropertiesExplorerModel(QTreeView *view, QObject *parent)
    : QAbstractItemModel(parent)
    , m_emptyRoot(std::make_unique<PropertyCollection>(QString()))
    , m_view(view)
{
    loadProperties(nullptr);
}

PropertiesExplorerModel::~PropertiesExplorerModel()
{
    // The empty set goes with the members, after the rows it would report to.
    m_emptyRoot->disconnect(this);
}

IProperty *PropertiesExplorerModel::propertyAt(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this || index.internalPointer() == m_destroyed
        || !m_rows.contains(index.internalPointer())) {
        return nullptr;
    }
    return static_cast<IProperty *>(index.internalPointer());
}

IProperty *PropertiesExplorerModel::shownProperty(const QModelIndex &index)
{
    const auto *model = qobject_cast<const PropertiesExplorerModel *>(index.model());
    return model ? model->propertyAt(index) : nullptr;
}

QModelIndex PropertiesExplorerModel::indexOfProperty(IProperty *property, int column) const
{
    const auto row = m_rows.constFind(property);
    if (row == m_rows.cend() || column < 0 || column > 1) {
        return {};
    }
    return createIndex(row->row, column, property);
}

QModelIndex PropertiesExplorerModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent)) {
        return {};
    }
    if (!parent.isValid()) {
        return createIndex(row, column, m_root);
    }
    return createIndex(row, column, m_shownChildren.value(parent.internalPointer()).at(row));
}

QModelIndex PropertiesExplorerModel::parent(const QModelIndex &index) const
{
    if (!index.isValid()) {
        return {};
    }
    const Row row = m_rows.value(index.internalPointer());
    return row.parent ? indexOfProperty(row.parent, 0) : QModelIndex();
}

int PropertiesExplorerModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid()) {
        return 1;
    }
    // Only the name column has children, as in every tree model.
    if (parent.column() != 0) {
        return 0;
    }
    return m_shownChildren.value(parent.internalPointer()).size();
}

int PropertiesExplorerModel::columnCount(const QModelIndex &) const
{
    return 2;
}

bool PropertiesExplorerModel::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) > 0;
}

QVariant PropertiesExplorerModel::data(const QModelIndex &index, int role) const
{
    const IProperty *property = propertyAt(index);
    if (!index.isValid() || !property) {
        return {};
    }
    if (role == Qt::ForegroundRole) {
        return property->isEditable() ? QVariant() : QVariant(QColor(Qt::gray));
    }
    if (role == Qt::ToolTipRole) {
        return property->tooltip();
    }
    if (index.column() == 0) {
        if (role != Qt::DisplayRole && role != Qt::EditRole) {
            return {};
        }
        const QString name = property->name();
        return name.isEmpty() ? tr("<noname>")
                              : translatePropertyText(PropertyTagNameContext, name);
    }
    switch (role) {
    case Qt::DisplayRole:
        if ((property->isBool() || property->isEnum())
            && property->editor() == SRCore::XMLValues::EDITOR_INLINE
            && property->tag() != SRCore::XMLValues::UP_UI_LANGUAGE) {
            return translatePropertyText(PropertyEnumsContext, property->valueText());
        }
        return property->hasDisplayText() ? property->displayText() : property->valueText();
    case Qt::DecorationRole:
        return property->decoration();
    case Qt::EditRole:
        return property->value();
    default:
        return {};
    }
}

bool PropertiesExplorerModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    IProperty *property = propertyAt(index);
    if (!index.isValid() || !property || (role != Qt::EditRole && role != Qt::UserRole)) {
        return false;
    }
    if (role == Qt::EditRole) {
        property->setValue(value, false, false);
    }
    const QModelIndex row = indexOfProperty(property, 0);
    if (m_view && property->isGroup() && row.isValid()) {
        m_view->collapse(row);
    }
    refresh(property);
    return true;
}

QVariant PropertiesExplorerModel::headerData(int section, Qt::Orientation orientation,
                                             int role) const
{
    if (orientation != Qt::Horizontal) {
        return QAbstractItemModel::headerData(section, orientation, role);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case 0:
        return tr("Property");
    case 1:
        return tr("Value");
    default:
        return {};
    }
}

Qt::ItemFlags PropertiesExplorerModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractItemModel::flags(index);
    if (index.isValid() && isEditable(index)) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

QModelIndex PropertiesExplorerModel::buddy(const QModelIndex &index) const
{
    return index.isValid() && index.column() == 0 ? index.siblingAtColumn(1) : index;
}

bool PropertiesExplorerModel::isEditable(const QModelIndex &index) const
{
    if (index.column() != 1) {
        return false;
    }
    const IProperty *property = propertyAt(index);
    return !property || property->isEditable();
}

void PropertiesExplorerModel::loadProperties(IProperty *properties)
{
    beginResetModel();
    m_root = properties ? properties : m_emptyRoot.get();
    m_rows.clear();
    m_shownChildren.clear();
    layOutRows(m_rows, m_shownChildren);
    endResetModel();
    refresh(m_root);
}

void PropertiesExplorerModel::refresh()
{
    refresh(m_root);
}

void PropertiesExplorerModel::refresh(IProperty *property)
{
    relayout();
    if (!indexOfProperty(property, 0).isValid()) {
        return;
    }
    for (IProperty *row = property; row; row = row->parent()) {
        announceRow(row);
        if (row == m_root) {
            break;
        }
    }
    refreshDescendants(property);
}

// Walks the visible tree from the root, the only place where the model reads the structure
// of the properties.
void PropertiesExplorerModel::layOutRows(QHash<const void *, Row> &rows,
                                         QHash<const void *, QList<IProperty *>> &shownChildren)
{
    rows.insert(m_root, {});
    QList<IProperty *> pending = {m_root};
    while (!pending.isEmpty()) {
        IProperty *property = pending.takeFirst();
        connect(property, &QObject::destroyed, this, &PropertiesExplorerModel::propertyDestroyed,
                Qt::UniqueConnection);
        const IPropertyGroup *group = asGroup(property);
        const int count = group ? group->count(true) : 0;
        QList<IProperty *> children;
        for (int i = 0; i < count; ++i) {
            IProperty *child = group->child(i, true);
            // A property shows once, however often it is listed.
            if (child && !rows.contains(child)) {
                rows.insert(child, {property, int(children.size())});
                children.append(child);
                pending.append(child);
            }
        }
        if (!children.isEmpty()) {
            shownChildren.insert(property, children);
        }
    }
}

// Rows of dependents come and go with values, and owners replace the properties of a set. A
// layout change makes the view read its rows afresh, and moves every persistent index (the
// selection, the current row, an open editor) to where its property is now, or drops it when
// the property is no longer shown.
void PropertiesExplorerModel::relayout()
{
    QHash<const void *, Row> rows;
    QHash<const void *, QList<IProperty *>> shownChildren;
    layOutRows(rows, shownChildren);
    closeEditorOfVanishingRow(rows);

    emit layoutAboutToBeChanged();
    m_rows = std::move(rows);
    m_shownChildren = std::move(shownChildren);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before) {
        const auto row = m_rows.constFind(index.internalPointer());
        after.append(row == m_rows.cend()
                         ? QModelIndex()
                         : createIndex(row->row, index.column(), index.internalPointer()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

// The view can close an editor only while its row exists; an editor that outlives its row
// would leave the view unable to open another one.
void PropertiesExplorerModel::closeEditorOfVanishingRow(const QHash<const void *, Row> &rows)
{
    if (!m_view) {
        return;
    }
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid() || rows.contains(current.internalPointer())) {
        return;
    }
    if (QWidget *editor = m_view->indexWidget(current.siblingAtColumn(1))) {
        QMetaObject::invokeMethod(
            m_view, "closeEditor", Qt::DirectConnection, Q_ARG(QWidget *, editor),
            Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
    }
}

// A shown property that goes leaves its rows at once, before anything can read it. Its
// address is only compared here, as the object is already being destroyed; an IProperty
// derives from QObject alone, so both share their address.
void PropertiesExplorerModel::propertyDestroyed(QObject *object)
{
    const void *address = object;
    if (!m_rows.contains(address)) {
        return;
    }
    m_destroyed = address;
    if (address == static_cast<const QObject *>(m_root)) {
        loadProperties(nullptr);
        if (m_view) {
            m_view->setRootIndex(index(0, 0));
        }
    } else {
        relayout();
    }
    m_destroyed = nullptr;
}

void PropertiesExplorerModel::announceRow(IProperty *property)
{
    const QModelIndex name = indexOfProperty(property, 0);
    if (name.isValid()) {
        emit dataChanged(name, name.siblingAtColumn(1));
    }
}

void PropertiesExplorerModel::refreshDescendants(IProperty *property)
{
    if (!property->isGroup()) {
        return;
    }
    const QList<IProperty *> children = m_shownChildren.value(property);
    if (m_view) {
        const QModelIndex row = indexOfProperty(property, 0);
        if (children.isEmpty()) {
            m_view->collapse(row);
        } else {
            m_view->expand(row);
        }
    }
    for (IProperty *child : children) {
        announceRow(child);
        refreshDescendants(child);
    }
}

} // namespace GuiLib
