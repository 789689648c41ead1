#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringView>

class QXmlStreamWriter;

namespace SRCore {

// Carries any text exactly through the program's own XML formats. A parser turns a literal
// carriage return into a line feed, so one is written as the reference "&#13;". Some characters
// XML 1.0 cannot carry at all, not even as references: C0 controls other than tab, line feed
// and carriage return, U+FFFE, U+FFFF and unpaired surrogates (they come from damaged file names
// and pasted binary data). A text holding any of them is written whole as base-64 of its UTF-16
// code units, little-endian, and its element gets a marker attribute with the value
// XMLValues::ENCODING_BASE64UTF16. The marker is XMLKey::ENCODING, or XMLKey::VALUEENCODING where
// the other attributes of the element are free names (the fields of flow objects).
class XmlText
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::XmlText)

public:
    XmlText() = delete;

    // True when `text` holds a character that XML 1.0 cannot carry.
    static bool needsEncoding(QStringView text);

    // Writes `text` as the content of the element whose start tag `writer` has just written, and
    // the marker attribute `markerAttribute` on that element when the text needs encoding. An
    // empty text writes nothing, which leaves an empty element.
    static void write(QXmlStreamWriter &writer, const QString &text,
                      const QString &markerAttribute);

    // Decodes `content`, the text of an element whose marker attribute `markerAttribute` has the
    // value `encoding`. White space inside the base-64 text is ignored (line breaks added by
    // hand). False, with the reason in `errorMessage`, for an unknown encoding and for content
    // that is not base-64 of whole UTF-16 code units.
    static bool decode(const QString &markerAttribute, QStringView encoding, QStringView content,
                       QString *text, QString *errorMessage);

    // `text` without the characters that XML 1.0 cannot carry. Attribute values have no encoded
    // form; they hold descriptive texts (names, tool tips), where dropping a stray control
    // character is better than refusing the whole text.
    static QString withoutUnstorableCharacters(const QString &text);
};

} // namespace SRCore
