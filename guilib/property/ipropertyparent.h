#pragma once

#include <QString>
#include <QStringList>

class QObject;

// The owner of a property set, a declaration item or a fixture item. Its properties consult it
// to validate their values, to read attributes of the field they were built from and to ask for
// the library lists of "select from library" editors. The properties never own it; the owner
// outlives the property set it built.
class IPropertyParent
{
public:
    // A label for the owner in messages; may be empty.
    virtual QString ownerLabel() const = 0;
    // The context through which the owner reaches its document and window.
    virtual QObject *owner() const = 0;
    // False when the value of the property `tag` is not acceptable, with the reason in `message`.
    virtual bool validateProperty(const QString &tag, QString &message) const = 0;
    // SRCore::XMLKey::SCRIPTDECLARATION or SRCore::XMLKey::SCRIPTFIXTURE: names the settings
    // that value editors keep per owner type and property.
    virtual QString objectType() const = 0;
    // An attribute of the field `fieldTag` (messages, external editor settings); empty when
    // the field or the attribute is missing.
    virtual QString fieldAttribute(const QString &fieldTag, const QString &attribute) const = 0;
    // The items that the script offers for the property `tag` (its library entry point).
    virtual QStringList libraryForProperty(const QString &tag) = 0;
    // A description of the preset chosen for a preset property; may be empty.
    virtual QString presetDescription() const = 0;

    virtual ~IPropertyParent() = default;
};
