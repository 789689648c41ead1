#pragma once

#include "declarationxml.h"

#include "guilib/property/ipropertyparent.h"

#include "corelib/flow/flowobject.h"

#include <QObject>
#include <QTreeWidgetItem>

#include <memory>

namespace GuiLib {
class IProperty;
class PropertyCollection;
} // namespace GuiLib

namespace Scripter {

class Declaration;

// One node of the declaration tree: the script item with the basic script properties, one of
// the two groups, or a property definition. The item owns the flow object its fields come from
// and the property set built from it, and applies every change of its properties. GUI thread
// only.
class DeclarationItem
    : public QObject
    , public QTreeWidgetItem
    , public IPropertyParent
{
    Q_OBJECT

public:
    // The item type numbers of the tree.
    enum Kind {
        ScriptKind = 0,
        ElementGroupKind = 1,
        ConnectionGroupKind = 2,
        ElementDefinitionKind = 3,
        ConnectionDefinitionKind = 4,
    };

    // A new item of `kind`: the script item with the template values, a group, or a new
    // definition tagged "Argument" + the declaration's next number.
    DeclarationItem(Declaration *declaration, int kind);
    // A script item or a definition with the fields of `object` (a copy of a template object);
    // `defaultEditor` is the current editor of a definition's Default value.
    DeclarationItem(Declaration *declaration, int kind, const SRCore::FlowObject &object,
                    const QString &defaultEditor = QString());
    ~DeclarationItem() override;

    DeclarationItem(const DeclarationItem &) = delete;
    DeclarationItem &operator=(const DeclarationItem &) = delete;

    // Items have no QObject parent; "parent" always means the tree item above.
    using QTreeWidgetItem::parent;

    static bool isDefinitionKind(int kind);
    bool isDefinition() const;
    // The group kind that a definition of `kind` belongs to, and back.
    static int definitionKindOf(int groupKind);

    Declaration *declaration() const;
    // Null for the group items.
    GuiLib::PropertyCollection *properties() const;

    // The value of a field: its property's value, or the object's value for a hidden field.
    QString value(const QString &tag) const;
    // Every field's value, for writing and exporting.
    DefinitionEditors::Values values() const;
    // A copy of the item's object holding the current values and editors.
    SRCore::FlowObject currentObject() const;
    // The definition as the declaration XML writes it; its master is the parent definition.
    DefinitionRecord record() const;
    // Sets a property as the user would, with the change handling, or `silent`ly without it.
    // False for an unknown tag.
    bool setPropertyValue(const QString &tag, const QString &value, bool silent = false);

    // IPropertyParent
    QString ownerLabel() const override;
    QObject *owner() const override;
    bool validateProperty(const QString &tag, QString &message) const override;
    QString objectType() const override;
    QString fieldAttribute(const QString &fieldTag, const QString &attribute) const override;
    QStringList libraryForProperty(const QString &tag) override;
    QString presetDescription() const override;

public slots:
    void propertyChangedHandler();

private:
    void initialize(int kind);
    void buildProperties(const SRCore::FlowObject &object);
    // Connects propertyChangedHandler() to `property` and every property below it.
    void connectChanges(GuiLib::IProperty *property);
    GuiLib::IProperty *property(const QString &tag) const;
    // Sets a value without change handling and shows it.
    void restoreValue(GuiLib::IProperty *property, const QString &value);

    void tagChanged(GuiLib::IProperty *property);
    void rebuildDefault(const QString &currentEditor);
    void dependsOnMasterChanged(GuiLib::IProperty *property);
    void iconChanged(GuiLib::IProperty *property);
    void verifyPassword(GuiLib::IProperty *property);
    void refreshFixture();

    Declaration *m_declaration;
    SRCore::FlowObject m_object;
    std::unique_ptr<GuiLib::PropertyCollection> m_properties;
    QString m_refusedTag;             // the name refused last, until a name is accepted
    bool m_warningOfPassword = false; // while the mismatch warning is up
    QString m_refusedVerification;    // the verification refused last, until one matches
};

} // namespace Scripter
