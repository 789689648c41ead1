#include "flowobject.h"

#include "flowdata_p.h"
#include "flowxml.h"

#include "corelib/common/validation.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QXmlStreamWriter>

namespace SRCore {

FlowObject::FlowObject() = default;
FlowObject::~FlowObject() = default;
FlowObject::FlowObject(const FlowObject &other) = default;
FlowObject &FlowObject::operator=(const FlowObject &other) = default;

FlowObject::FlowObject(ObjectData *data)
    : d(data)
{}

FlowObject FlowObject::fromXml(const QString &xml, XmlError *error)
{
    return FlowXml::parseObject(xml, error);
}

FlowObject FlowObject::create()
{
    return FlowObject(new ObjectData);
}

bool FlowObject::isNull() const
{
    return !d;
}

QString FlowObject::getProperty(const QString &name) const
{
    return d ? d->properties.value(name) : QString();
}

void FlowObject::setProperty(const QString &name, const QString &value)
{
    if (d) {
        d->properties.setValue(name, value);
    }
}

bool FlowObject::hasProperty(const QString &name) const
{
    return d && d->properties.contains(name);
}

QStringList FlowObject::propertyNames() const
{
    return d ? d->properties.names() : QStringList();
}

QString FlowObject::getId() const
{
    return getProperty(XMLKey::ID_);
}

QString FlowObject::getName() const
{
    return getField(XMLKey::NAME).getValue();
}

QString FlowObject::getType() const
{
    return getField(XMLKey::TYPE).getValue();
}

FlowObjectField FlowObject::createField(const QString &name)
{
    if (!d || !Validation::isValidXmlName(name)) {
        return FlowObjectField();
    }
    FlowObjectField field = getField(name);
    if (field.isNull()) {
        auto *data = new FieldData;
        data->name = name;
        field = FlowObjectField(data);
        d->fields.append(field);
    }
    return field;
}

FlowObjectField FlowObject::getField(const QString &name) const
{
    if (d) {
        for (const FlowObjectField &field : std::as_const(d->fields)) {
            if (field.getName() == name) {
                return field;
            }
        }
    }
    return FlowObjectField();
}

QList<FlowObjectField> FlowObject::getFields() const
{
    return d ? d->fields : QList<FlowObjectField>();
}

bool FlowObject::hasField(const QString &name) const
{
    return !getField(name).isNull();
}

bool FlowObject::removeField(const QString &name)
{
    const FlowObjectField field = getField(name);
    return !field.isNull() && d->fields.removeOne(field);
}

FlowObject FlowObject::clone() const
{
    if (!d) {
        return FlowObject();
    }
    FlowObject copy = create();
    copy.d->properties = d->properties;
    for (const FlowObjectField &field : std::as_const(d->fields)) {
        copy.d->fields.append(FlowObjectField(new FieldData(*field.d)));
    }
    return copy;
}

FlowObject FlowObject::clone2() const
{
    FlowObject copy = clone();
    if (!copy.isNull()) {
        copy.d->properties.remove(XMLKey::ID_);
    }
    return copy;
}

bool FlowObject::injectPropertiesFromXML(const QString &xml, XmlError *error)
{
    QList<FlowObjectField> injected;
    if (!d || !FlowXml::parseFields(xml, injected, error)) {
        return false;
    }
    for (const FlowObjectField &source : std::as_const(injected)) {
        FlowObjectField target = getField(source.getName());
        if (target.isNull()) {
            d->fields.append(source);
            continue;
        }
        target.setValue(source.getValue());
        for (const QString &name : source.propertyNames()) {
            target.setProperty(name, source.getProperty(name));
        }
    }
    return true;
}

QString FlowObject::toXml() const
{
    QString xml;
    if (d) {
        QXmlStreamWriter writer(&xml);
        writer.setAutoFormatting(true);
        writer.setAutoFormattingIndent(4);
        FlowXml::writeObject(writer, *this, XMLKey::OBJECT);
    }
    return xml;
}

} // namespace SRCore
