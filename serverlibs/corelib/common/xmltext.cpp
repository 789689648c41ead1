#include "xmltext.h"

#include "textexcerpt.h"

#include "corelib/common/validation.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QByteArray>
#include <QStringList>
#include <QXmlStreamWriter>

namespace SRCore {

namespace {

QString encodeBase64Utf16(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return QString::fromLatin1(bytes.toBase64());
}

bool decodeBase64Utf16(QStringView encoded, QString *text)
{
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
    QString result;
    result.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        const auto low = static_cast<uchar>(bytes.at(i));
        const auto high = static_cast<uchar>(bytes.at(i + 1));
        result.append(QChar(static_cast<char16_t>(low | (high << 8))));
    }
    *text = result;
    return true;
}

} // namespace

bool XmlText::needsEncoding(QStringView text)
{
    return !Validation::isValidXmlText(text);
}

void XmlText::write(QXmlStreamWriter &writer, const QString &text, const QString &markerAttribute)
{
    if (needsEncoding(text)) {
        writer.writeAttribute(markerAttribute, XMLValues::ENCODING_BASE64UTF16);
        writer.writeCharacters(encodeBase64Utf16(text));
        return;
    }
    const QStringList lines = text.split(QLatin1Char('\r'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            writer.writeEntityReference(QStringLiteral("#13"));
        }
        if (!lines.at(i).isEmpty()) {
            writer.writeCharacters(lines.at(i));
        }
    }
}

bool XmlText::decode(const QString &markerAttribute, QStringView encoding, QStringView content,
                     QString *text, QString *errorMessage)
{
    if (encoding != XMLValues::ENCODING_BASE64UTF16) {
        *errorMessage = tr("Unknown %1 '%2'").arg(markerAttribute, TextExcerpt::of(encoding));
        return false;
    }
    if (!decodeBase64Utf16(content, text)) {
        *errorMessage = tr("Invalid %1 text").arg(XMLValues::ENCODING_BASE64UTF16);
        return false;
    }
    return true;
}

QString XmlText::withoutUnstorableCharacters(const QString &text)
{
    qsizetype position = 0;
    if (Validation::isValidXmlText(text, &position)) {
        return text;
    }
    // Each character that XML cannot carry is one UTF-16 unit: a surrogate that belongs to a
    // pair makes a valid character.
    QString result;
    QStringView rest(text);
    do {
        result += rest.first(position);
        rest = rest.sliced(position + 1);
    } while (!Validation::isValidXmlText(rest, &position));
    result += rest;
    return result;
}

} // namespace SRCore
