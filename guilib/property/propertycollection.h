#pragma once

#include "ipropertygroup.h"

namespace SRCore {
class FlowObject;
}

namespace GuiLib {

// A plain ordered list of properties: the root of every property set. It has no value, no
// editor and no dependency rules; all its children count as visible.
class PropertyCollection : public IPropertyGroup
{
    Q_OBJECT

public:
    explicit PropertyCollection(const QString &name);
    // The property set of the fields of `object`, each property with `parent` as its property
    // parent. Fields without editors or with the editor "hide" get no property. A field with a
    // Dependency attribute is attached to its master, whatever the order of the fields; one
    // whose master is never found is dropped.
    PropertyCollection(const SRCore::FlowObject &object, const QString &name,
                       IPropertyParent *parent);
    ~PropertyCollection() override;

    QVariant value() const override;
    void setValue(const QVariant &value, bool silent, bool force) override;
    bool isGroup() const override;
    QWidget *createEditor(QWidget *parent, QObject *receiver, const char *member) override;
    void connectEditor(QWidget *editor, QObject *sender, const char *signal) override;
    QString valueText() const override;

    int indexOf(IProperty *child) const override;
    void insert(int index, IProperty *child) override;
    int count(bool visibleOnly) const override;
    IProperty *child(int index, bool visibleOnly) const override;
    void append(IProperty *child) override;
    void remove(IProperty *child) override;
    void clear() override;

private:
    void build(const SRCore::FlowObject &object, IPropertyParent *parent);

    QList<IProperty *> m_children;
};

} // namespace GuiLib
