#include "propertycollection.h"

#include "genericproperty.h"
#include "propertylogging.h"
#include "propertytexts.h"

#include "corelib/flow/flowobject.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <memory>
#include <utility>
#include <vector>

namespace GuiLib {

PropertyCollection::PropertyCollection(const QString &name)
    : IPropertyGroup(name, QString(), nullptr)
{}

PropertyCollection::PropertyCollection(const SRCore::FlowObject &object, const QString &name,
                                       IPropertyParent *parent)
    : IPropertyGroup(name, QString(), parent)
{
    build(object, parent);
}

PropertyCollection::~PropertyCollection()
{
    const QList<IProperty *> children = std::exchange(m_children, {});
    destroyChildren(children);
}

void PropertyCollection::build(const SRCore::FlowObject &object, IPropertyParent *parent)
{
    namespace XMLKey = SRCore::XMLKey;

    struct Pending
    {
        std::unique_ptr<GenericProperty> property;
        QString masterTag;
    };
    std::vector<Pending> pending;

    const QList<SRCore::FlowObjectField> fields = object.getFields();
    for (const SRCore::FlowObjectField &field : fields) {
        const QString editors = field.getProperty(XMLKey::EDITOR);
        if (editors.isEmpty() || editors.toLower() == SRCore::XMLValues::HIDE) {
            continue;
        }
        const QString tag = field.getName();
        QString name = field.getProperty(XMLKey::LOCALIZEDTAGNAME);
        if (name.isEmpty()) {
            name = translatePropertyText(PropertyTagNameContext, tag);
        }
        auto property = std::unique_ptr<GenericProperty>(createGenericProperty(
            editors, field.getProperty(XMLKey::TYPE), field.getValue(), name, tag,
            field.getProperty(XMLKey::TOOLTIP), field.getSubType(), parent));

        const QString masterTag = field.getProperty(XMLKey::DEPENDENCY);
        if (masterTag.isEmpty()) {
            append(property.release());
            continue;
        }
        property->setDependent(true);
        property->setDependencyValue(QVariant(field.getProperty(XMLKey::DEPENDENCYVALUE)));
        const QString condition = field.getProperty(XMLKey::DEPENDENCYCONDITION);
        if (!condition.isEmpty()) {
            property->setDependencyCondition(condition);
        }
        pending.push_back({std::move(property), masterTag});
    }

    // A dependent may come before its master, and masters may themselves be dependents, so
    // attach in passes until a pass attaches nothing more.
    bool attached = true;
    while (!pending.empty() && attached) {
        attached = false;
        for (auto it = pending.begin(); it != pending.end();) {
            auto *master = qobject_cast<IPropertyGroup *>(findProperty(this, it->masterTag));
            if (!master) {
                ++it;
                continue;
            }
            master->append(it->property.release());
            it = pending.erase(it);
            attached = true;
        }
    }
    for (const Pending &orphan : pending) {
        qCWarning(lcGuiLibProperty)
            << "Dropping property" << orphan.property->tag() << "of" << object.getType()
            << "whose master" << orphan.masterTag << "does not exist";
    }
}

QVariant PropertyCollection::value() const
{
    return {};
}

void PropertyCollection::setValue(const QVariant &, bool, bool)
{}

bool PropertyCollection::isGroup() const
{
    return true;
}

QWidget *PropertyCollection::createEditor(QWidget *, QObject *, const char *)
{
    return nullptr;
}

void PropertyCollection::connectEditor(QWidget *, QObject *, const char *)
{}

QString PropertyCollection::valueText() const
{
    return {};
}

int PropertyCollection::indexOf(IProperty *child) const
{
    return m_children.indexOf(child);
}

void PropertyCollection::insert(int index, IProperty *child)
{
    if (index < 0 || index >= m_children.size() || !adoptChild(child)) {
        return;
    }
    m_children.insert(index, child);
}

int PropertyCollection::count(bool) const
{
    return m_children.size();
}

IProperty *PropertyCollection::child(int index, bool) const
{
    return m_children.value(index, nullptr);
}

void PropertyCollection::append(IProperty *child)
{
    if (adoptChild(child)) {
        m_children.append(child);
    }
}

void PropertyCollection::remove(IProperty *child)
{
    if (m_children.removeAll(child) > 0) {
        child->setParent(nullptr);
    }
}

void PropertyCollection::clear()
{
    const QList<IProperty *> children = std::exchange(m_children, {});
    for (IProperty *child : children) {
        child->setParent(nullptr);
    }
}

} // namespace GuiLib
