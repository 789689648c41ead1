#include "xmldatawriter.h"

#include "xmltext.h"

#include "corelib/files/safefilewriter.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QByteArray>

namespace SRCore {

XmlDataWriter::XmlDataWriter(const QString &rootName, int formatVersion)
    : m_writer(&m_text)
{
    m_writer.setAutoFormatting(true);
    m_writer.setAutoFormattingIndent(4);
    m_writer.writeStartElement(rootName);
    m_writer.writeAttribute(XMLKey::FORMATVERSION, QString::number(formatVersion));
}

void XmlDataWriter::writeAttribute(const QString &name, const QString &value)
{
    Q_ASSERT(!XmlText::needsEncoding(value));
    m_writer.writeAttribute(name, value);
}

void XmlDataWriter::writeStartElement(const QString &name)
{
    m_writer.writeStartElement(name);
}

void XmlDataWriter::writeEndElement()
{
    m_writer.writeEndElement();
}

void XmlDataWriter::writeTextElement(const QString &name, const QString &text)
{
    m_writer.writeStartElement(name);
    XmlText::write(m_writer, text, XMLKey::ENCODING);
    m_writer.writeEndElement();
}

void XmlDataWriter::writeIntegerElement(const QString &name, qint64 value)
{
    writeTextElement(name, QString::number(value));
}

QByteArray XmlDataWriter::finish()
{
    return (QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") + finishElement()
            + QLatin1Char('\n'))
        .toUtf8();
}

QString XmlDataWriter::finishElement()
{
    m_writer.writeEndDocument();
    // Automatic formatting puts line breaks before and after the root element; the root itself
    // starts with "<" and ends with ">", so trimming takes nothing else.
    return m_text.trimmed();
}

bool XmlDataWriter::save(const QString &path, QString *errorMessage)
{
    return SafeFileWriter::writeFile(path, finish(), errorMessage);
}

} // namespace SRCore
