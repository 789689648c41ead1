#include "flowobjectfield.h"

#include "flowdata_p.h"

#include "corelib/common/corelogging.h"
#include "corelib/vocabulary/xmlkey.h"

namespace SRCore {

FlowObjectField::FlowObjectField() = default;
FlowObjectField::~FlowObjectField() = default;
FlowObjectField::FlowObjectField(const FlowObjectField &other) = default;
FlowObjectField &FlowObjectField::operator=(const FlowObjectField &other) = default;

FlowObjectField::FlowObjectField(FieldData *data)
    : d(data)
{}

bool FlowObjectField::isNull() const
{
    return !d;
}

QString FlowObjectField::getName() const
{
    return d ? d->name : QString();
}

QString FlowObjectField::getValue() const
{
    return d ? d->value : QString();
}

void FlowObjectField::setValue(const QString &value)
{
    if (d) {
        d->value = value;
    }
}

QString FlowObjectField::getProperty(const QString &name) const
{
    return d ? d->properties.value(name) : QString();
}

void FlowObjectField::setProperty(const QString &name, const QString &value)
{
    // The flow document marks encoded values with this attribute; a property of the same name
    // would make the document unreadable.
    if (name == XMLKey::VALUEENCODING) {
        qCWarning(lcCoreLib) << "Refused the reserved field property" << name;
        return;
    }
    if (d) {
        d->properties.setValue(name, value);
    }
}

bool FlowObjectField::hasProperty(const QString &name) const
{
    return d && d->properties.contains(name);
}

void FlowObjectField::removeProperty(const QString &name)
{
    if (d) {
        d->properties.remove(name);
    }
}

QStringList FlowObjectField::propertyNames() const
{
    return d ? d->properties.names() : QStringList();
}

QString FlowObjectField::getSubType() const
{
    return getProperty(XMLKey::SUBTYPE);
}

} // namespace SRCore
