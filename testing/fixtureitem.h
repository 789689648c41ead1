#pragma once

#include "guilib/property/ipropertyparent.h"

#include "corelib/flow/flowobject.h"

#include <QCoreApplication>
#include <QIcon>
#include <QObject>
#include <QTreeWidgetItem>

#include <memory>

class QFileIconProvider;
class QFileInfo;

namespace GuiLib {
class IProperty;
class PropertyCollection;
} // namespace GuiLib

namespace Scripter {

class Fixture;

// A node of the fixture tree. The kind is the tree item's type: the basic test settings, the two
// groups, an incoming job or an outgoing connection. Every kind but the groups holds a flow
// object with its fields and the property set built from it, which the properties explorer
// edits; the object follows every change of the properties, so it is what gets saved.
//
// The property set is built from the template of the kind merged with the declaration's
// current definitions, and rebuilt when those change, keeping the values entered. GUI thread
// only; the item belongs to its tree.
class FixtureItem
    : public QObject
    , public QTreeWidgetItem
    , public IPropertyParent
{
    Q_OBJECT

public:
    enum Kind {
        BasicSettings = 0,
        IncomingGroup = 1,
        OutgoingGroup = 2,
        IncomingJob = 3,
        OutgoingConnection = 4,
    };

    // A new item of `kind`. A new job or connection takes the fixture's next item number for its
    // name. `fixture` must outlive the item.
    FixtureItem(Fixture *fixture, int kind, QTreeWidgetItem *parent = nullptr);
    // A job or connection read from a fixture file, with the values of `object`.
    FixtureItem(Fixture *fixture, const SRCore::FlowObject &object, int kind,
                QTreeWidgetItem *parent = nullptr);
    ~FixtureItem() override;
    FixtureItem(const FixtureItem &) = delete;
    FixtureItem &operator=(const FixtureItem &) = delete;

    int kind() const { return type(); }
    // The object type of the kind (XMLKey::SCR_BASICTESTPROPERTIES, ...); empty for groups.
    static QString objectTypeOfKind(int kind);
    // The look of a job's file or folder: the system's icon, or ours where the system has
    // none (a desktop without an icon theme).
    static QIcon pathIcon(const QFileIconProvider *provider, const QFileInfo &info);

    // Null for groups.
    GuiLib::PropertyCollection *properties() const { return m_properties.get(); }
    // The item's object with the values entered; null for groups. A handle: change it only
    // through the properties.
    SRCore::FlowObject object() const { return m_object; }
    // The value of the field `tag`; empty when there is none.
    QString value(const QString &tag) const;
    // Sets the property `tag` as an edit would, with everything that follows from the change.
    // False when the item has no such property.
    bool setPropertyValue(const QString &tag, const QString &value);
    bool isJobOrConnection() const;
    // Jobs and connections: whether "Enabled" is "Yes".
    bool isEnabledForTest() const;

    // Replaces the item's values by those of `object` (the basic settings read from a fixture
    // file).
    void setObject(const SRCore::FlowObject &object);
    // Rebuilds the property set from the templates and the declaration's current definitions,
    // keeping the values and editors chosen (a declaration change or a new traffic type).
    void refreshProperties();
    // Jobs and connections look disabled (greyed, the "unchecked" icon) when they take no part
    // in the test.
    void setEnabledLook(bool enabled);
    // The item's own icon, shown while it is enabled.
    void setItemIcon(const QIcon &icon);

    // IPropertyParent
    QString ownerLabel() const override;
    QObject *owner() const override;
    bool validateProperty(const QString &tag, QString &message) const override;
    QString objectType() const override;
    QString fieldAttribute(const QString &fieldTag, const QString &attribute) const override;
    QStringList libraryForProperty(const QString &tag) override;
    QString presetDescription() const override;

public slots:
    // Shows the item's properties in the properties explorer.
    void itemSelected();
    void propertyChangedHandler();

private:
    SRCore::FlowObject composeObject() const;
    void adaptToConnectionType(SRCore::FlowObject &object) const;
    void buildProperties();
    // Moves the properties of the expected results into a group of their own, after the rest.
    void groupExpectations(GuiLib::PropertyCollection &properties) const;
    void connectChanges(GuiLib::IProperty *property);
    void showPathLook(const QString &path);

    Fixture *m_fixture;
    std::unique_ptr<GuiLib::PropertyCollection> m_properties;
    SRCore::FlowObject m_object;
    QIcon m_icon;
    bool m_refreshQueued = false;
};

} // namespace Scripter
