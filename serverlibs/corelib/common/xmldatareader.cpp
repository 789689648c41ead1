#include "xmldatareader.h"

#include "textexcerpt.h"
#include "xmldepthlimit.h"
#include "xmltext.h"

#include "corelib/vocabulary/xmlkey.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace SRCore {

namespace {

bool fail(QString *errorMessage, const QString &message)
{
    if (errorMessage) {
        *errorMessage = message;
    }
    return false;
}

bool isAsciiNumber(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

} // namespace

XmlDataReader::XmlDataReader(const QByteArray &data, EncodedTexts encodedTexts)
    : m_reader(data)
    , m_encodedTexts(encodedTexts)
{
    // Namespace declarations then arrive as attributes, which checkAttributes() refuses.
    m_reader.setNamespaceProcessing(false);
}

XmlDataReader::XmlDataReader(const QString &text, EncodedTexts encodedTexts)
    : m_reader(text)
    , m_encodedTexts(encodedTexts)
{
    m_reader.setNamespaceProcessing(false);
}

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

bool XmlDataReader::readRoot(const QString &rootName)
{
    while (!m_reader.atEnd()) {
        switch (m_reader.readNext()) {
        case QXmlStreamReader::StartElement:
            m_openElements.append(name().toString());
            return name() == rootName
                   || raiseError(tr("The root element is <%1>, expected <%2>")
                                     .arg(TextExcerpt::of(name()), rootName));
        case QXmlStreamReader::DTD:
            return raiseError(tr("Document type declarations are not allowed"));
        default:
            break; // the XML declaration, comments, processing instructions, white space
        }
    }
    return raiseError(tr("The document has no root element"));
}

bool XmlDataReader::readRoot(const QString &rootName, int newestVersion)
{
    if (!readRoot(rootName)) {
        return false;
    }
    const QStringView versionText = attribute(XMLKey::FORMATVERSION);
    if (versionText.isNull()) {
        return raiseMissingAttribute(XMLKey::FORMATVERSION);
    }
    bool ok = isAsciiNumber(versionText);
    const int version = ok ? versionText.toInt(&ok) : 0;
    if (!ok || version < 1) {
        return raiseError(
            tr("Invalid %1 '%2'").arg(XMLKey::FORMATVERSION, TextExcerpt::of(versionText)));
    }
    m_formatVersion = version;
    if (version > newestVersion) {
        return raiseError(tr("The document is in format version %1, written by a newer program; "
                             "this program reads format versions up to %2")
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
            m_openElements.append(name().toString());
            return m_openElements.size() <= XmlDepthLimit::MaxDepth
                   || raiseError(XmlDepthLimit::tooDeepMessage());
        case QXmlStreamReader::EndElement:
            m_openElements.removeLast();
            return false;
        case QXmlStreamReader::Characters:
            if (!m_reader.isWhitespace()) {
                return raiseError(tr("Unexpected text '%1' in <%2>")
                                      .arg(TextExcerpt::of(m_reader.text().trimmed()),
                                           TextExcerpt::of(m_openElements.last())));
            }
            break;
        default:
            break; // comments and processing instructions
        }
    }
    return false;
}

bool XmlDataReader::readChildElement(const QString &name)
{
    if (!readNextChildElement()) {
        return !hasError() && raiseMissingElement(name);
    }
    return this->name() == name || raiseUnexpectedElement();
}

bool XmlDataReader::readEndElement()
{
    if (readNextChildElement()) {
        return raiseUnexpectedElement();
    }
    return !hasError();
}

bool XmlDataReader::checkAttributes(const QStringList &allowed)
{
    for (const QXmlStreamAttribute &attribute : m_reader.attributes()) {
        if (!allowed.contains(attribute.qualifiedName())) {
            return raiseError(
                tr("Unexpected attribute '%1' in <%2>")
                    .arg(TextExcerpt::of(attribute.qualifiedName()), TextExcerpt::of(name())));
        }
    }
    return true;
}

bool XmlDataReader::readText(QString *text, const QStringList &allowedAttributes)
{
    const bool acceptsEncoded = m_encodedTexts == EncodedTexts::Accepted;
    if (!checkAttributes(acceptsEncoded ? allowedAttributes + QStringList{XMLKey::ENCODING}
                                        : allowedAttributes)) {
        return false;
    }
    const bool encoded = acceptsEncoded && m_reader.attributes().hasAttribute(XMLKey::ENCODING);
    const QString encoding = attribute(XMLKey::ENCODING).toString();
    const QString content = m_reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    if (hasError()) {
        return false;
    }
    m_openElements.removeLast();
    if (!encoded) {
        *text = content;
        return true;
    }
    QString message;
    return XmlText::decode(XMLKey::ENCODING, encoding, content, text, &message)
           || raiseError(message);
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
        return raiseError(tr("'%1' is not a whole number from %2 to %3")
                              .arg(TextExcerpt::of(text))
                              .arg(minimum)
                              .arg(maximum));
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
    return raiseError(tr("Unexpected element <%1> in <%2>")
                          .arg(TextExcerpt::of(name()), TextExcerpt::of(parentName())));
}

bool XmlDataReader::raiseDuplicateElement()
{
    return raiseError(tr("Element <%1> appears more than once in <%2>")
                          .arg(TextExcerpt::of(name()), TextExcerpt::of(parentName())));
}

bool XmlDataReader::raiseMissingElement(const QString &elementName)
{
    return raiseError(
        tr("Element <%1> is missing in <%2>").arg(elementName, TextExcerpt::of(name())));
}

bool XmlDataReader::raiseMissingAttribute(const QString &attributeName)
{
    return raiseError(
        tr("The attribute '%1' is missing in <%2>").arg(attributeName, TextExcerpt::of(name())));
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
    // The stream reader counts columns from 0.
    return XmlError{m_reader.errorString(), static_cast<int>(m_reader.lineNumber()),
                    static_cast<int>(m_reader.columnNumber()) + 1};
}

QString XmlDataReader::parentName() const
{
    return m_openElements.size() > 1 ? m_openElements.at(m_openElements.size() - 2) : QString();
}

} // namespace SRCore
