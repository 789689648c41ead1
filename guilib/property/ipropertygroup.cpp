#include "ipropertygroup.h"

#include "propertylogging.h"

#include <QSet>

namespace GuiLib {

IProperty *IPropertyGroup::visibleChild(int index) const
{
    return child(index, true);
}

void IPropertyGroup::connectPropertyChanged(QObject *receiver, const char *member, bool recursive)
{
    IProperty::connectPropertyChanged(receiver, member, recursive);
    if (!recursive) {
        return;
    }
    const int children = count(false);
    for (int i = 0; i < children; ++i) {
        child(i, false)->connectPropertyChanged(receiver, member, true);
    }
}

bool IPropertyGroup::adoptChild(IProperty *child)
{
    if (!child) {
        qCWarning(lcGuiLibProperty) << "Refusing to add a null property to" << tag();
        return false;
    }
    for (const IProperty *ancestor = this; ancestor; ancestor = ancestor->parent()) {
        if (ancestor == child) {
            qCWarning(lcGuiLibProperty)
                << "Refusing to add property" << child->tag() << "below itself";
            return false;
        }
    }
    auto *previousGroup = qobject_cast<IPropertyGroup *>(child->parent());
    if (previousGroup && previousGroup != this) {
        previousGroup->remove(child);
    }
    child->setParent(this);
    return true;
}

void IPropertyGroup::destroyChildren(const QList<IProperty *> &children)
{
    QSet<IProperty *> destroyed;
    for (IProperty *child : children) {
        if (destroyed.contains(child)) {
            continue;
        }
        destroyed.insert(child);
        child->setParent(nullptr);
        delete child;
    }
}

} // namespace GuiLib
