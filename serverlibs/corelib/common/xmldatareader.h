#pragma once

#include "corelib/common/xmlerror.h"

#include <QCoreApplication>
#include <QStringList>
#include <QXmlStreamReader>

class QByteArray;

namespace SRCore {

// Strict reader of the program's own XML documents: customization, data folder layout, counters,
// job tickets, variable catalogue, structured property values and package manifests. It accepts
// what XmlDataWriter writes plus what a person may add by hand (white space, comments and
// processing instructions between elements, CDATA sections and character references in texts)
// and refuses anything else with a reason and its position. A document type declaration is
// refused (no entity tricks), and so are elements nested deeper than XmlDepthLimit::MaxDepth;
// names are compared as written, prefix included. The first
// error wins and stops reading; error() gives its position in the document.
class XmlDataReader
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::XmlDataReader)

public:
    // Whether a text may come encoded (XmlText with the marker XMLKey::ENCODING). Formats that
    // other programs read as well, such as the package manifest, hold plain texts only.
    enum class EncodedTexts { Accepted, Refused };

    // Bytes are decoded as their XML declaration says (UTF-8 without one); invalid bytes fail.
    explicit XmlDataReader(const QByteArray &data,
                           EncodedTexts encodedTexts = EncodedTexts::Accepted);
    explicit XmlDataReader(const QString &text, EncodedTexts encodedTexts = EncodedTexts::Accepted);

    XmlDataReader(const XmlDataReader &) = delete;
    XmlDataReader &operator=(const XmlDataReader &) = delete;

    // Reads a whole data file. False, with a reason naming the file, when it is missing, a
    // folder or unreadable.
    static bool readFile(const QString &path, QByteArray *data, QString *errorMessage);
    // The text that tells the user which file is damaged, where and why.
    static QString describeError(const QString &path, const XmlError &error);

    // Moves to the root element, which must be `rootName`.
    bool readRoot(const QString &rootName);
    // The same for a root that must carry a "FormatVersion" from 1 to `newestVersion`. A newer
    // version is refused but still reported by formatVersion().
    bool readRoot(const QString &rootName, int newestVersion);
    // The root's format version; 0 before readRoot() or when the root has no valid one.
    int formatVersion() const { return m_formatVersion; }

    // Moves to the next child element of the current element. False at the current element's
    // end, where the reader then stands, or on an error (text between child elements is one).
    bool readNextChildElement();
    // Moves to the next child element, which must be `name`: for records whose elements come in
    // a fixed order.
    bool readChildElement(const QString &name);
    // Moves to the current element's end, which must come before any further child element.
    bool readEndElement();

    // The name of the element where the reader stands, as written.
    QStringView name() const { return m_reader.qualifiedName(); }
    // An attribute of the current element; a null view when it has none of that name.
    QStringView attribute(const QString &name) const { return m_reader.attributes().value(name); }
    // False, with an error, when the current element has an attribute that `allowed` does not
    // name. Namespace declarations are attributes here.
    bool checkAttributes(const QStringList &allowed);

    // Reads the current element's text and moves to its end. The element must hold no element,
    // and no attribute but `allowedAttributes` and, when encoded texts are accepted, the
    // encoding marker, whose text is decoded.
    bool readText(QString *text, const QStringList &allowedAttributes = {});
    // Reads the current element's text as a whole number within [minimum, maximum].
    bool readInteger(qint64 *value, qint64 minimum, qint64 maximum);

    // Records `message` at the current position unless an error is already recorded; returns
    // false so that callers can write `return reader.raiseError(...)`.
    bool raiseError(const QString &message);
    bool raiseUnexpectedElement();
    bool raiseDuplicateElement();
    // The element where the reader stands (or whose end it stands on) lacks a child.
    bool raiseMissingElement(const QString &elementName);
    // The element where the reader stands lacks an attribute.
    bool raiseMissingAttribute(const QString &attributeName);

    // Reads past the root element's end to the end of the document; false when anything but
    // comments or white space follows, or when the document is incomplete.
    bool finish();

    bool hasError() const { return m_reader.hasError(); }
    XmlError error() const;

private:
    QString parentName() const;

    QXmlStreamReader m_reader;
    // The elements entered and not yet left, the current one last.
    QStringList m_openElements;
    EncodedTexts m_encodedTexts;
    int m_formatVersion = 0;
};

} // namespace SRCore
