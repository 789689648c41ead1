#pragma once

#include "ipropertygroup.h"

#include <QList>
#include <QMap>

namespace GuiLib {

template<typename T>
class AbstractProperty;

// A property with a string value whose children are the properties that depend on it. A child
// is shown (count(true), child(i, true)) according to its dependency on this property's value:
// an "equals" dependent when its dependency values (";"-separated) hold the current value, a
// "not equals" dependent when they do not. Children that are not dependent are never shown,
// except that all children are shown while the value is a non-empty script expression or text
// with variables, which is only known when the flow runs.
template<>
class AbstractProperty<QString> : public IPropertyGroup
{
public:
    AbstractProperty(const QString &value, const QString &name, const QString &tag,
                     IPropertyParent *parent);
    ~AbstractProperty() override;

    QVariant value() const override;
    QVariant previousValue() const override;
    QVariant dependencyValue() const override;
    void setDependencyValue(const QVariant &value) override;
    QString valueText() const override;
    bool isGroup() const override;

    int indexOf(IProperty *child) const override;
    void insert(int index, IProperty *child) override;
    int count(bool visibleOnly) const override;
    IProperty *child(int index, bool visibleOnly) const override;
    void append(IProperty *child) override;
    void remove(IProperty *child) override;
    void clear() override;

protected:
    QString stringValue() const { return m_value; }
    // Makes `value` the current value and the current one the previous value.
    void replaceValue(const QString &value);

private:
    void indexDependent(IProperty *child);
    QList<IProperty *> visibleChildren() const;

    QString m_value;
    QString m_previousValue;
    QVariant m_dependencyValue;
    QList<IProperty *> m_children;
    // The "equals" dependents shown for each master value, in the order they were added.
    QMap<QString, QList<IProperty *>> m_valueIndex;
};

} // namespace GuiLib
