#include "xmldatawriter.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QSaveFile>

namespace SRCore {

namespace {

bool isXmlCharacter(char16_t unit)
{
    if (unit < 0x20) {
        return unit == u'\t' || unit == u'\n' || unit == u'\r';
    }
    return unit != 0xFFFE && unit != 0xFFFF;
}

// True when some character of `text` cannot appear in an XML 1.0 document, even escaped.
bool needsEncoding(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate() || !isXmlCharacter(c.unicode())) {
            return true;
        }
    }
    return false;
}

QByteArray base64Utf16(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes.toBase64();
}

} // namespace

XmlDataWriter::XmlDataWriter(const QString &rootName, int formatVersion)
    : m_writer(&m_data)
{
    m_writer.setAutoFormatting(true);
    m_writer.setAutoFormattingIndent(2);
    m_writer.writeStartDocument();
    m_writer.writeStartElement(rootName);
    m_writer.writeAttribute(XMLKey::FORMATVERSION, QString::number(formatVersion));
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
    if (needsEncoding(text)) {
        m_writer.writeAttribute(XMLKey::ENCODING, XMLValues::ENCODING_BASE64UTF16);
        m_writer.writeCharacters(QString::fromLatin1(base64Utf16(text)));
    } else {
        const QStringList lines = text.split(QLatin1Char('\r'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                m_writer.writeEntityReference(QStringLiteral("#13"));
            }
            m_writer.writeCharacters(lines.at(i));
        }
    }
    m_writer.writeEndElement();
}

void XmlDataWriter::writeIntegerElement(const QString &name, qint64 value)
{
    writeTextElement(name, QString::number(value));
}

QByteArray XmlDataWriter::finish()
{
    m_writer.writeEndDocument();
    return m_data;
}

bool XmlDataWriter::save(const QString &path, QString *errorMessage)
{
    const QByteArray data = finish();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        if (errorMessage) {
            *errorMessage =
                tr("Can't write '%1': %2").arg(QDir::toNativeSeparators(path), file.errorString());
        }
        return false;
    }
    return true;
}

} // namespace SRCore
