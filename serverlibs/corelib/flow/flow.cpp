#include "flow.h"

#include "flowxml.h"

#include "corelib/common/textexcerpt.h"
#include "corelib/common/xmldepthlimit.h"
#include "corelib/common/xmlerror.h"
#include "corelib/files/safefilewriter.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace SRCore {

namespace {

// Version of the flow document layout written by save(); documents of a higher version are
// refused rather than read half.
const QString formatVersion = QStringLiteral("1");

QString nextFreeId(const QList<FlowObject> &objects)
{
    qlonglong highest = 0;
    for (const FlowObject &object : objects) {
        bool isNumber = false;
        const qlonglong id = object.getId().toLongLong(&isNumber);
        if (isNumber) {
            highest = std::max(highest, id);
        }
    }
    return QString::number(highest + 1);
}

} // namespace

Flow::Flow(const QString &id)
    : m_id(id)
    , m_header(FlowObject::create())
{}

Flow::~Flow() = default;

std::unique_ptr<Flow> Flow::createEmptyFlow(const QString &id)
{
    return std::make_unique<Flow>(id);
}

QString Flow::getId() const
{
    return m_id;
}

FlowObject Flow::getHeader() const
{
    return m_header;
}

QString Flow::getFlowName() const
{
    return m_header.getName();
}

QString Flow::getFolderName() const
{
    return m_folderName;
}

void Flow::setFolderName(const QString &name)
{
    m_folderName = name;
}

FlowObject Flow::createFromXml(const QString &xml, XmlError *error)
{
    FlowObject object = FlowXml::parseObject(xml, error);
    if (!object.isNull()) {
        object.setProperty(XMLKey::ID_, nextFreeId(m_objects));
        m_objects.append(object);
    }
    return object;
}

FlowObject Flow::createFlowObject(const FlowObject &object)
{
    if (object.isNull()) {
        return FlowObject();
    }
    FlowObject copy = object.clone();
    const QString id = copy.getId();
    if (id.isEmpty() || !getFlowObject(id).isNull()) {
        copy.setProperty(XMLKey::ID_, nextFreeId(m_objects));
    }
    m_objects.append(copy);
    return copy;
}

FlowObject Flow::getFlowObject(const QString &id) const
{
    for (const FlowObject &object : m_objects) {
        if (object.getId() == id) {
            return object;
        }
    }
    return FlowObject();
}

QList<FlowObject> Flow::getFlowObjects(const QString &type) const
{
    if (type.isEmpty()) {
        return m_objects;
    }
    QList<FlowObject> objects;
    for (const FlowObject &object : m_objects) {
        if (object.getType() == type) {
            objects.append(object);
        }
    }
    return objects;
}

bool Flow::removeFlowObject(const QString &id)
{
    const FlowObject object = getFlowObject(id);
    return !object.isNull() && m_objects.removeOne(object);
}

bool Flow::save(const QString &path, bool overwrite, QString *errorMessage) const
{
    if (!overwrite && QFileInfo::exists(path)) {
        if (errorMessage) {
            *errorMessage = tr("'%1' already exists").arg(path);
        }
        return false;
    }
    return SafeFileWriter::writeFile(path, toXml().toUtf8(), errorMessage);
}

QString Flow::toXml() const
{
    // The writer appends to the declaration; save() writes the text as UTF-8.
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(4);
    writer.writeStartElement(XMLKey::FLOW);
    writer.writeAttribute(XMLKey::FORMATVERSION, formatVersion);
    writer.writeAttribute(XMLKey::ID_, m_id);
    writer.writeAttribute(XMLKey::FOLDERNAME, m_folderName);
    FlowXml::writeObject(writer, m_header, XMLKey::HEADER);
    writer.writeStartElement(XMLKey::OBJECTS);
    for (const FlowObject &object : m_objects) {
        FlowXml::writeObject(writer, object, XMLKey::OBJECT);
    }
    writer.writeEndElement();
    writer.writeEndElement();
    writer.writeEndDocument();
    return xml;
}

bool Flow::openFromString(const QString &xml, XmlError *error)
{
    if (!XmlDepthLimit::check(xml, error)) {
        return false;
    }
    QXmlStreamReader reader(xml);
    if (!reader.readNextStartElement() || reader.name() != XMLKey::FLOW) {
        if (!reader.hasError()) {
            reader.raiseError(
                tr("Not a flow document: the root element is not '%1'").arg(XMLKey::FLOW));
        }
        FlowXml::reportError(reader, error);
        return false;
    }
    const QXmlStreamAttributes attributes = reader.attributes();
    const QString version = attributes.value(XMLKey::FORMATVERSION).toString();
    if (version != formatVersion) {
        reader.raiseError(version.isEmpty()
                              ? tr("Not a flow document: it has no format version")
                              : tr("Flow document format %1 is not supported; this program "
                                   "reads format %2")
                                    .arg(TextExcerpt::of(version), formatVersion));
        FlowXml::reportError(reader, error);
        return false;
    }

    FlowObject header = FlowObject::create();
    QList<FlowObject> objects;
    while (reader.readNextStartElement()) {
        if (reader.name() == XMLKey::HEADER) {
            header = FlowXml::readObject(reader);
        } else if (reader.name() == XMLKey::OBJECTS) {
            while (reader.readNextStartElement()) {
                if (reader.name() == XMLKey::OBJECT) {
                    objects.append(FlowXml::readObject(reader));
                } else {
                    reader.skipCurrentElement();
                }
            }
        } else {
            reader.skipCurrentElement();
        }
    }
    // Trailing content after the root element is an error too.
    while (!reader.atEnd() && !reader.hasError()) {
        reader.readNext();
    }
    if (reader.hasError()) {
        FlowXml::reportError(reader, error);
        return false;
    }

    m_id = attributes.value(XMLKey::ID_).toString();
    m_folderName = attributes.value(XMLKey::FOLDERNAME).toString();
    m_header = header;
    m_objects = objects;
    return true;
}

} // namespace SRCore
