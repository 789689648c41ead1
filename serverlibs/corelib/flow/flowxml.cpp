#include "flowxml.h"

#include "flowdata_p.h"

#include "corelib/common/xmlerror.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QCoreApplication>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace SRCore {

namespace {

// A field value that XML 1.0 cannot hold (control characters) is stored in base64 and marked
// with this attribute, so that no value is lost on the way through a file.
const QString valueEncodingAttribute = QStringLiteral("ValueEncoding");
const QString base64Encoding = QStringLiteral("base64");

QString tr(const char *text)
{
    return QCoreApplication::translate("SRCore::Flow", text);
}

bool isXmlCharacter(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
           || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

bool holdsOnlyXmlCharacters(const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate() || !isXmlCharacter(c.unicode())) {
            return false;
        }
    }
    return true;
}

// Attribute values are descriptive texts (tool tips, names, editor lists); characters that XML
// cannot hold are dropped from them.
QString withoutNonXmlCharacters(const QString &text)
{
    if (holdsOnlyXmlCharacters(text)) {
        return text;
    }
    QString result;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            result += c;
            result += text.at(++i);
        } else if (!c.isSurrogate() && isXmlCharacter(c.unicode())) {
            result += c;
        }
    }
    return result;
}

void writeValue(QXmlStreamWriter &writer, const QString &value)
{
    // Parsers turn a literal carriage return into a line feed; a character reference keeps it.
    const QStringList lines = value.split(QLatin1Char('\r'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            writer.writeEntityReference(QStringLiteral("#13"));
        }
        if (!lines.at(i).isEmpty()) {
            writer.writeCharacters(lines.at(i));
        }
    }
}

void writeField(QXmlStreamWriter &writer, const FlowObjectField &field)
{
    writer.writeStartElement(field.getName());
    for (const QString &name : field.propertyNames()) {
        writer.writeAttribute(name, withoutNonXmlCharacters(field.getProperty(name)));
    }
    const QString value = field.getValue();
    if (holdsOnlyXmlCharacters(value)) {
        writeValue(writer, value);
    } else {
        writer.writeAttribute(valueEncodingAttribute, base64Encoding);
        writer.writeCharacters(QString::fromLatin1(value.toUtf8().toBase64()));
    }
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
        reader.raiseError(tr("The text holds no XML element"));
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
    for (const QXmlStreamAttribute &attribute : reader.attributes()) {
        if (attribute.name() == valueEncodingAttribute) {
            encoding = attribute.value().toString();
        } else {
            data->properties.setValue(attribute.name().toString(), attribute.value().toString());
        }
    }
    const QString text = reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    if (encoding.isEmpty()) {
        data->value = text;
    } else if (encoding == base64Encoding) {
        data->value = QString::fromUtf8(QByteArray::fromBase64(text.toLatin1()));
    } else {
        reader.raiseError(
            tr("Field '%1' has an unknown value encoding '%2'").arg(data->name, encoding));
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
            reader.raiseError(tr("Field '%1' appears twice").arg(name));
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
        writer.writeAttribute(name, withoutNonXmlCharacters(object.getProperty(name)));
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
    QXmlStreamReader reader(xml);
    if (readToFirstElement(reader) && reader.name() != XMLKey::OBJECT) {
        reader.raiseError(tr("Expected an '%1' element, found '%2'")
                              .arg(XMLKey::OBJECT, reader.name().toString()));
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

bool FlowXml::isValidElementName(const QString &name)
{
    if (name.isEmpty() || !(name.at(0).isLetter() || name.at(0) == QLatin1Char('_'))) {
        return false;
    }
    for (const QChar c : name) {
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-')
              || c == QLatin1Char('.'))) {
            return false;
        }
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
