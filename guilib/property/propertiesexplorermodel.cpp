#include "propertiesexplorermodel.h"

#include "ipropertygroup.h"
#include "propertycollection.h"
#include "propertytexts.h"

#include "corelib/vocabulary/xmlvalues.h"

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

PropertiesExplorerModel::~PropertiesExplorerModel() = default;

IProperty *PropertiesExplorerModel::propertyAt(const QModelIndex &index)
{
    return static_cast<IProperty *>(index.internalPointer());
}

bool PropertiesExplorerModel::isShown(const IProperty *property) const
{
    for (const IProperty *p = property; p; p = p->parent()) {
        if (p == m_root) {
            return true;
        }
    }
    return false;
}

QModelIndex PropertiesExplorerModel::indexOfProperty(IProperty *property, int column) const
{
    if (!property || column < 0 || column > 1 || !isShown(property)) {
        return {};
    }
    if (property == m_root) {
        return createIndex(0, column, m_root);
    }
    const IPropertyGroup *group = asGroup(property->parent());
    if (!group) {
        return {};
    }
    const int count = group->count(true);
    for (int row = 0; row < count; ++row) {
        if (group->child(row, true) == property) {
            return createIndex(row, column, property);
        }
    }
    return {};
}

QModelIndex PropertiesExplorerModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent)) {
        return {};
    }
    if (!parent.isValid()) {
        return createIndex(row, column, m_root);
    }
    const IPropertyGroup *group = asGroup(propertyAt(parent));
    IProperty *child = group ? group->visibleChild(row) : nullptr;
    return child ? createIndex(row, column, child) : QModelIndex();
}

QModelIndex PropertiesExplorerModel::parent(const QModelIndex &index) const
{
    IProperty *property = propertyAt(index);
    if (!index.isValid() || !property || property == m_root) {
        return {};
    }
    return indexOfProperty(property->parent(), 0);
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
    const IPropertyGroup *group = asGroup(propertyAt(parent));
    return group ? group->count(true) : 0;
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
    endResetModel();
    refresh(m_root);
}

void PropertiesExplorerModel::refresh()
{
    refresh(m_root);
}

void PropertiesExplorerModel::refresh(IProperty *property)
{
    if (!indexOfProperty(property, 0).isValid()) {
        return;
    }
    relayout();
    for (IProperty *row = property; row; row = row->parent()) {
        announceRow(row);
        if (row == m_root) {
            break;
        }
    }
    refreshDescendants(property);
}

// Rows of dependents come and go with values, and owners replace the properties of a set.
// A layout change makes the view read its rows afresh, and moves every persistent index (the
// selection, the current row, an open editor) to where its property is now, or drops it when
// the property is no longer shown.
void PropertiesExplorerModel::relayout()
{
    emit layoutAboutToBeChanged();
    QHash<const void *, QModelIndex> shown;
    QList<IProperty *> pending = {m_root};
    shown.insert(m_root, createIndex(0, 0, m_root));
    while (!pending.isEmpty()) {
        const IPropertyGroup *group = asGroup(pending.takeLast());
        const int count = group ? group->count(true) : 0;
        for (int row = 0; row < count; ++row) {
            IProperty *child = group->child(row, true);
            if (!shown.contains(child)) {
                shown.insert(child, createIndex(row, 0, child));
                pending.append(child);
            }
        }
    }
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before) {
        const QModelIndex now = shown.value(index.internalPointer());
        after.append(now.isValid() ? now.siblingAtColumn(index.column()) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged();
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
    IPropertyGroup *group = asGroup(property);
    if (!group) {
        return;
    }
    const int count = group->count(true);
    if (m_view) {
        const QModelIndex row = indexOfProperty(property, 0);
        if (count == 0) {
            m_view->collapse(row);
        } else {
            m_view->expand(row);
        }
    }
    for (int i = 0; i < count; ++i) {
        IProperty *child = group->child(i, true);
        announceRow(child);
        refreshDescendants(child);
    }
}

} // namespace GuiLib
