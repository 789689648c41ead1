#pragma once

// Helpers shared by the property tests: an owner whose answers the test sets and a property tree
// that reads as tags; with the application proxy and the dialog answerer of tests/common.

#include "common/dialoganswerer.h"
#include "common/fakeappproxy.h"

#include "guilib/property/ipropertygroup.h"
#include "guilib/property/ipropertyparent.h"

#include "corelib/vocabulary/xmlkey.h"

#include <QMap>
#include <QObject>
#include <QStringList>

// An owner that refuses the tags listed in `refusals` (tag -> message), answers field
// attributes from `fieldAttributes` (keyed "tag/attribute") and offers the library items of
// `library` (tag -> items).
class TestOwner : public IPropertyParent
{
public:
    QString ownerLabel() const override { return {}; }
    QObject *owner() const override { return nullptr; }
    bool validateProperty(const QString &tag, QString &message) const override
    {
        const auto refusal = refusals.constFind(tag);
        if (refusal == refusals.cend()) {
            return true;
        }
        message = *refusal;
        return false;
    }
    QString objectType() const override { return type; }
    QString fieldAttribute(const QString &fieldTag, const QString &attribute) const override
    {
        return fieldAttributes.value(fieldTag + QLatin1Char('/') + attribute);
    }
    QStringList libraryForProperty(const QString &tag) override { return library.value(tag); }
    QString presetDescription() const override { return preset; }

    QMap<QString, QString> refusals;
    QMap<QString, QString> fieldAttributes;
    QMap<QString, QStringList> library;
    QString type = SRCore::XMLKey::SCRIPTFIXTURE;
    QString preset;
};

// The tags of the children of `group`, all or the visible ones.
inline QStringList childTags(const GuiLib::IPropertyGroup *group, bool visibleOnly)
{
    QStringList tags;
    const int count = group->count(visibleOnly);
    for (int i = 0; i < count; ++i) {
        tags.append(group->child(i, visibleOnly)->tag());
    }
    return tags;
}
