#include "xmldatareader.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace SRCore {

namespace {

bool fail(QString *errorMessage, const QString &message)
{
    if (errorMessage) {
        *errorMessage = message;
    }
    return false;
}

// Decodes the base-64 form of UTF-16 code units written by XmlDataWriter.
bool decodeBase64Utf16(QStringView encoded, QString *text)
{
    // Line breaks and indentation may have been added by hand.
    QByteArray compact;
    compact.reserve(encoded.size());
    for (const QChar c : encoded) {
        if (c.unicode() > 0x7F) {
            return false;
        }
        if (!c.isSpace()) {
            compact.append(static_cast<char>(c.unicode()));
        }
    }
    const auto decoded =
        QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() % 2 != 0) {
        return false;
    }
    const QByteArray &bytes = decoded.decoded;
    text->clear();
    text->reserve(bytes.size() / 2);
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        const auto low = static_cast<uchar>(bytes.at(i));
        const auto high = static_cast<uchar>(bytes.at(i + 1));
        text->append(QChar(static_cast<char16_t>(low | (high << 8))));
    }
    return true;
}

} // namespace

XmlDataReader::XmlDataReader(const QByteArray &data)
    : m_reader(data)
{}

bool XmlDataReader::readFile(const QString &path, QByteArray *data, QString *errorMessage)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        return fail(errorMessage,
                    tr("The file '%1' does not exist").arg(QDir::toNativeSeparators(path)));
    }
    if (info.isDir()) {
        return fail(errorMessage,
                    tr("'%1' is a folder, not a file").arg(QDir::toNativeSeparators(path)));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(
            errorMessage,
            tr("Can't read '%1': %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    *data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return fail(
            errorMessage,
            tr("Can't read '%1': %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    return true;
}

QString XmlDataReader::describeError(const QString &path, const XmlError &error)
{
    return tr("Error in '%1' at %2").arg(QDir::toNativeSeparators(path), error.toString());
}

bool XmlDataReader::readRoot(const QString &rootName, int newestVersion)
{
    if (!m_reader.readNextStartElement()) {
        if (!m_reader.hasError()) {
            raiseError(tr("The document has no root element"));
        }
        return false;
    }
    if (m_reader.name() != rootName) {
        return raiseError(
            tr("The root element is <%1>, expected <%2>").arg(m_reader.name(), rootName));
    }
    const QStringView versionText = m_reader.attributes().value(XMLKey::FORMATVERSION);
    if (versionText.isNull()) {
        return raiseError(tr("The root element has no %1 attribute").arg(XMLKey::FORMATVERSION));
    }
    bool ok = false;
    const int version = versionText.toInt(&ok);
    if (!ok || version < 1) {
        return raiseError(tr("Invalid %1 '%2'").arg(XMLKey::FORMATVERSION, versionText));
    }
    m_formatVersion = version;
    if (version > newestVersion) {
        return raiseError(tr("Format version %1 was written by a newer program; this program "
                             "reads format versions up to %2")
                              .arg(version)
                              .arg(newestVersion));
    }
    return true;
}

bool XmlDataReader::readNextChildElement()
{
    while (!m_reader.atEnd()) {
        switch (m_reader.readNext()) {
        case QXmlStreamReader::StartElement:
            return true;
        case QXmlStreamReader::EndElement:
            return false;
        case QXmlStreamReader::Characters:
            if (!m_reader.isWhitespace()) {
                return raiseError(tr("Unexpected text '%1'").arg(m_reader.text().trimmed()));
            }
            break;
        default:
            break; // comments and processing instructions
        }
    }
    return false;
}

bool XmlDataReader::readText(QString *text)
{
    const QString encoding = m_reader.attributes().value(XMLKey::ENCODING).toString();
    const QString raw = m_reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    if (m_reader.hasError()) {
        return false;
    }
    if (encoding.isEmpty()) {
        *text = raw;
        return true;
    }
    if (encoding != XMLValues::ENCODING_BASE64UTF16) {
        return raiseError(tr("Unknown %1 '%2'").arg(XMLKey::ENCODING, encoding));
    }
    if (!decodeBase64Utf16(raw, text)) {
        return raiseError(tr("Invalid %1 text").arg(XMLValues::ENCODING_BASE64UTF16));
    }
    return true;
}

bool XmlDataReader::readInteger(qint64 *value, qint64 minimum, qint64 maximum)
{
    QString text;
    if (!readText(&text)) {
        return false;
    }
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    if (!ok || number < minimum || number > maximum) {
        return raiseError(
            tr("'%1' is not a whole number from %2 to %3").arg(text).arg(minimum).arg(maximum));
    }
    *value = number;
    return true;
}

bool XmlDataReader::raiseError(const QString &message)
{
    if (!m_reader.hasError()) {
        m_reader.raiseError(message);
    }
    return false;
}

bool XmlDataReader::raiseUnexpectedElement()
{
    return raiseError(tr("Unexpected element <%1>").arg(m_reader.name()));
}

bool XmlDataReader::raiseDuplicateElement()
{
    return raiseError(tr("Element <%1> appears more than once").arg(m_reader.name()));
}

bool XmlDataReader::raiseMissingElement(const QString &elementName)
{
    return raiseError(tr("Element <%1> is missing").arg(elementName));
}

bool XmlDataReader::finish()
{
    while (!m_reader.atEnd() && !m_reader.hasError()) {
        m_reader.readNext();
    }
    return !m_reader.hasError();
}

XmlError XmlDataReader::error() const
{
    return XmlError{m_reader.errorString(), static_cast<int>(m_reader.lineNumber()),
                    static_cast<int>(m_reader.columnNumber())};
}

} // namespace SRCore
