#pragma once

#include <QAbstractItemModel>
#include <QHash>
#include <QList>
#include <QPointer>

#include <memory>

class QTreeView;

namespace GuiLib {

class IProperty;
class PropertyCollection;

// An item model over a property tree: row (0, 0) of the invalid parent is the root, and below
// each property come its visible children, the dependents shown for its current value. Column 0
// is the name, column 1 the value; every index carries its property as internal pointer.
//
// The model never owns the properties it shows: an owner loads another set, or null, before it
// destroys the one shown, and refreshes after it replaced properties of the set. Changing a
// value in the value column stores it in the property and refreshes the rows, so that
// dependents appear and disappear.
class PropertiesExplorerModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    // `view` (not owned, may be null) is kept expanded as rows come and go.
    explicit PropertiesExplorerModel(QTreeView *view, QObject *parent = nullptr);
    ~PropertiesExplorerModel() override;

    IProperty *root() const { return m_root; }
    // The property of a row; null for the invalid index and for an index of a property that
    // is no longer shown (a persistent index kept from before a property was destroyed).
    IProperty *propertyAt(const QModelIndex &index) const;
    // The same for an index of any model: null unless it is an explorer model's.
    static IProperty *shownProperty(const QModelIndex &index);
    // The index of `property` in `column`; invalid when it is not shown.
    QModelIndex indexOfProperty(IProperty *property, int column = 0) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    // Qt::EditRole stores the value in the property; Qt::UserRole only refreshes, for a
    // property that has already taken its value from an editor.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Editing always happens in the value column.
    QModelIndex buddy(const QModelIndex &index) const override;

    virtual bool isEditable(const QModelIndex &index) const;

public slots:
    // Shows the set under `properties`; null shows an empty set.
    void loadProperties(GuiLib::IProperty *properties);
    // Lays the rows out again and re-reads those of `property`, its ancestors and its visible
    // descendants after values, visibility or the properties of the set changed.
    void refresh(GuiLib::IProperty *property);
    void refresh();

private:
    // Where a shown property was laid out: the property above it and its row there.
    struct Row
    {
        IProperty *parent = nullptr;
        int row = 0;
    };

    void layOutRows(QHash<const void *, Row> &rows,
                    QHash<const void *, QList<IProperty *>> &shownChildren);
    void relayout();
    void closeEditorOfVanishingRow(const QHash<const void *, Row> &rows);
    void announceRow(IProperty *property);
    void refreshDescendants(IProperty *property);
    void propertyDestroyed(QObject *object);

    IProperty *m_root = nullptr;
    std::unique_ptr<PropertyCollection> m_emptyRoot;
    QPointer<QTreeView> m_view;
    // The rows as last laid out, keyed by property address. The structure that the model
    // reports changes only when it lays the rows out again (loading, refreshing), so views and
    // persistent indexes never see a property that was changed or destroyed meanwhile.
    QHash<const void *, Row> m_rows;
    QHash<const void *, QList<IProperty *>> m_shownChildren;
    // The shown property being destroyed while the rows are laid out without it.
    const void *m_destroyed = nullptr;
};

} // namespace GuiLib
