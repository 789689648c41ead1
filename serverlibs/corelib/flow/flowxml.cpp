#include "flowxml.h"

#include "flow.h"

#include "flowdata_p.h"

#include "corelib/common/textexcerpt.h"
#include "corelib/common/xmldepthlimit.h"
#include "corelib/common/xmlerror.h"
#include "corelib/common/xmltext.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QCoreApplication>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace SRCore {

namespace {

void writeField(QXmlStreamWriter &writer, const FlowObjectField &field)
{
    writer.writeStartElement(field.getName());
    for (const QString &name : field.propertyNames()) {
        writer.writeAttribute(name, XmlText::withoutUnstorableCharacters(field.getProperty(name)));
    }
    XmlText::write(writer, field.getValue(), XMLKey::VALUEENCODING);
    writer.writeEndElement();
}

bool readToFirstElement(QXmlStreamReader &reader)
{
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement) {
            return true;
        }
    }
    if (!reader.hasError()) {
        reader.raiseError(Flow::tr("The text holds no XML element"));
    }
    return false;
}

} // namespace

FlowObjectField FlowXml::readField(QXmlStreamReader &reader)
{
    auto *data = new FieldData;
    const FlowObjectField field(data);
    data->name = reader.name().toString();
    QString encoding;
    bool encoded = false;
    for (const QXmlStreamAttribute &attribute : reader.attributes()) {
        if (attribute.name() == XMLKey::VALUEENCODING) {
            encoding = attribute.value().toString();
            encoded = true;
        } else {
            data->properties.setValue(attribute.name().toString(), attribute.value().toString());
        }
    }
    const QString text = reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    QString error;
    if (!encoded) {
        data->value = text;
    } else if (!reader.hasError()
               && !XmlText::decode(XMLKey::VALUEENCODING, encoding, text, &data->value, &error)) {
        reader.raiseError(Flow::tr("Field '%1': %2").arg(TextExcerpt::of(data->name), error));
    }
    return field;
}

QList<FlowObjectField> FlowXml::readFields(QXmlStreamReader &reader)
{
    QList<FlowObjectField> fields;
    QSet<QString> names;
    while (reader.readNextStartElement()) {
        const QString name = reader.name().toString();
        if (names.contains(name)) {
            reader.raiseError(Flow::tr("Field '%1' appears twice").arg(TextExcerpt::of(name)));
            break;
        }
        names.insert(name);
        fields.append(readField(reader));
    }
    return fields;
}

FlowObject FlowXml::readObject(QXmlStreamReader &reader)
{
    auto *data = new ObjectData;
    const FlowObject object(data);
    for (const QXmlStreamAttribute &attribute : reader.attributes()) {
        data->properties.setValue(attribute.name().toString(), attribute.value().toString());
    }
    while (reader.readNextStartElement()) {
        if (reader.name() == XMLKey::FIELDS) {
            data->fields = readFields(reader);
        } else {
            reader.skipCurrentElement();
        }
    }
    return object;
}

void FlowXml::writeObject(QXmlStreamWriter &writer, const FlowObject &object,
                          const QString &elementName)
{
    writer.writeStartElement(elementName);
    for (const QString &name : object.propertyNames()) {
        writer.writeAttribute(name, XmlText::withoutUnstorableCharacters(object.getProperty(name)));
    }
    writer.writeStartElement(XMLKey::FIELDS);
    for (const FlowObjectField &field : object.getFields()) {
        writeField(writer, field);
    }
    writer.writeEndElement();
    writer.writeEndElement();
}

FlowObject FlowXml::parseObject(const QString &xml, XmlError *error)
{
    if (!XmlDepthLimit::check(xml, error)) {
        return FlowObject();
    }
    QXmlStreamReader reader(xml);
    if (readToFirstElement(reader) && reader.name() != XMLKey::OBJECT) {
        reader.raiseError(Flow::tr("Expected an '%1' element, found '%2'")
                              .arg(XMLKey::OBJECT, TextExcerpt::of(reader.name())));
    }
    if (reader.hasError()) {
        reportError(reader, error);
        return FlowObject();
    }
    const FlowObject object = readObject(reader);
    if (reader.hasError()) {
        reportError(reader, error);
        return FlowObject();
    }
    return object;
}

bool FlowXml::parseFields(const QString &xml, QList<FlowObjectField> &fields, XmlError *error)
{
    if (!XmlDepthLimit::check(xml, error)) {
        return false;
    }
    QXmlStreamReader reader(xml);
    if (readToFirstElement(reader)) {
        fields =
            reader.name() == XMLKey::OBJECT ? readObject(reader).getFields() : readFields(reader);
    }
    if (reader.hasError()) {
        reportError(reader, error);
        return false;
    }
    return true;
}

void FlowXml::reportError(const QXmlStreamReader &reader, XmlError *error)
{
    if (error) {
        *error =
            XmlError{reader.errorString(), int(reader.lineNumber()), int(reader.columnNumber())};
    }
}

} // namespace SRCore
