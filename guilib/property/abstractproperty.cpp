#include "abstractproperty.h"

#include "corelib/vocabulary/xmlvalues.h"

#include <utility>

namespace GuiLib {

namespace {

QStringList dependencyValues(const IProperty *child)
{
    return child->dependencyValue().toString().split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

} // namespace

AbstractProperty<QString>::AbstractProperty(const QString &value, const QString &name,
                                            const QString &tag, IPropertyParent *parent)
    : IPropertyGroup(name, tag, parent)
    , m_value(value)
{}

AbstractProperty<QString>::~AbstractProperty()
{
    m_valueIndex.clear();
    const QList<IProperty *> children = std::exchange(m_children, {});
    destroyChildren(children);
}

QVariant AbstractProperty<QString>::value() const
{
    return m_value;
}

QVariant AbstractProperty<QString>::previousValue() const
{
    return m_previousValue;
}

QVariant AbstractProperty<QString>::dependencyValue() const
{
    return m_dependencyValue;
}

void AbstractProperty<QString>::setDependencyValue(const QVariant &value)
{
    m_dependencyValue = value;
}

QString AbstractProperty<QString>::valueText() const
{
    return value().toString();
}

bool AbstractProperty<QString>::isGroup() const
{
    return true;
}

void AbstractProperty<QString>::replaceValue(const QString &value)
{
    m_previousValue = std::exchange(m_value, value);
}

int AbstractProperty<QString>::indexOf(IProperty *child) const
{
    return m_children.indexOf(child);
}

void AbstractProperty<QString>::insert(int index, IProperty *child)
{
    if (index < 0 || index >= m_children.size() || !adoptChild(child)) {
        return;
    }
    m_children.insert(index, child);
    indexDependent(child);
}

void AbstractProperty<QString>::append(IProperty *child)
{
    if (!adoptChild(child)) {
        return;
    }
    m_children.append(child);
    indexDependent(child);
}

void AbstractProperty<QString>::indexDependent(IProperty *child)
{
    if (!child->isDependent()
        || child->dependencyCondition() != SRCore::XMLValues::CONDITION_EQUALS) {
        return;
    }
    const QStringList values = dependencyValues(child);
    for (const QString &value : values) {
        QList<IProperty *> &shown = m_valueIndex[value];
        if (!shown.contains(child)) {
            shown.append(child);
        }
    }
}

void AbstractProperty<QString>::remove(IProperty *child)
{
    if (m_children.removeAll(child) == 0) {
        return;
    }
    child->setParent(nullptr);
    for (auto it = m_valueIndex.begin(); it != m_valueIndex.end();) {
        it->removeAll(child);
        it = it->isEmpty() ? m_valueIndex.erase(it) : std::next(it);
    }
}

void AbstractProperty<QString>::clear()
{
    m_valueIndex.clear();
    const QList<IProperty *> children = std::exchange(m_children, {});
    for (IProperty *child : children) {
        child->setParent(nullptr);
    }
}

QList<IProperty *> AbstractProperty<QString>::visibleChildren() const
{
    namespace XMLValues = SRCore::XMLValues;
    const QString currentEditor = editor();
    if (!m_value.isEmpty()
        && (currentEditor == XMLValues::EDITOR_SCRIPTEXP
            || currentEditor == XMLValues::EDITOR_SLTEXTWITHVAR)) {
        return m_children;
    }
    QList<IProperty *> visible = m_valueIndex.value(m_value);
    for (IProperty *child : m_children) {
        if (child->isDependent() && child->dependencyCondition() == XMLValues::CONDITION_NOTEQUALS
            && !dependencyValues(child).contains(m_value)) {
            visible.append(child);
        }
    }
    return visible;
}

int AbstractProperty<QString>::count(bool visibleOnly) const
{
    return visibleOnly ? visibleChildren().size() : m_children.size();
}

IProperty *AbstractProperty<QString>::child(int index, bool visibleOnly) const
{
    // Not through a ternary: that would copy the list of all children on every call.
    if (!visibleOnly) {
        return m_children.value(index, nullptr);
    }
    return visibleChildren().value(index, nullptr);
}

} // namespace GuiLib
