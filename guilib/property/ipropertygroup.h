#pragma once

#include "iproperty.h"

#include <QList>

namespace GuiLib {

// A property that holds other properties. A group owns its children: it destroys each of them
// once when it is destroyed, while remove() and clear() hand them back to the caller.
//
// Adding a child that another group holds moves it here. Adding null, the group itself or one
// of its ancestors is refused (the tree would stop being a tree).
class IPropertyGroup : public IProperty
{
    Q_OBJECT

public:
    using IProperty::IProperty;

    // Index in the list of all children; -1 when absent.
    virtual int indexOf(IProperty *child) const = 0;
    // Inserts before `index`, which must be a position of an existing child (0 <= index <
    // count(false)); any other index leaves the group unchanged and `child` with the caller.
    virtual void insert(int index, IProperty *child) = 0;
    // All children, or with `visibleOnly` those shown for the current value.
    virtual int count(bool visibleOnly) const = 0;
    // Null when `index` is out of range.
    virtual IProperty *child(int index, bool visibleOnly) const = 0;
    virtual void append(IProperty *child) = 0;
    virtual void remove(IProperty *child) = 0;
    virtual void clear() = 0;

    IProperty *visibleChild(int index) const override;
    // With `recursive`, also connects every child, visible or not, and their children.
    void connectPropertyChanged(QObject *receiver, const char *member, bool recursive) override;

protected:
    // Checks that `child` may join this group and takes it out of any other group; false, with
    // a diagnostic, when it may not. The caller adds it to its list.
    bool adoptChild(IProperty *child);
    // Destroys each distinct property of `children` once; the caller has emptied its lists.
    static void destroyChildren(const QList<IProperty *> &children);
};

} // namespace GuiLib
