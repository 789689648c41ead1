#pragma once

#include "corelib/common/xmlerror.h"

#include <QCoreApplication>
#include <QXmlStreamReader>

class QByteArray;

namespace SRCore {

// Strict reader for the program's own small XML data files (customization, data folder layout,
// counters, job tickets, variable catalogue). Every file has a root element with a
// "FormatVersion" attribute; text elements may be written with an encoding (see XmlDataWriter).
// The first error wins and stops reading; error() gives its position in the document.
class XmlDataReader
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::XmlDataReader)

public:
    explicit XmlDataReader(const QByteArray &data);

    XmlDataReader(const XmlDataReader &) = delete;
    XmlDataReader &operator=(const XmlDataReader &) = delete;

    // Reads a whole data file. False, with a reason naming the file, when it is missing, a
    // folder or unreadable.
    static bool readFile(const QString &path, QByteArray *data, QString *errorMessage);
    // The text that tells the user which file is damaged, where and why.
    static QString describeError(const QString &path, const XmlError &error);

    // Moves to the root element, which must be `rootName` with a "FormatVersion" from 1 to
    // `newestVersion`. A newer version is refused but still reported by formatVersion().
    bool readRoot(const QString &rootName, int newestVersion);
    // The root's format version; 0 before readRoot() or when the root has no valid one.
    int formatVersion() const { return m_formatVersion; }

    // Moves to the next child element of the current element. False at the current element's
    // end or on an error (text between child elements is an error).
    bool readNextChildElement();
    QStringView name() const { return m_reader.name(); }
    // An attribute of the current element; a null view when it has none of that name.
    QStringView attribute(const QString &name) const { return m_reader.attributes().value(name); }

    // Reads the current element's text, decoding it when it carries an "Encoding"; the
    // element must not have child elements. Afterwards the reader stands on its end.
    bool readText(QString *text);
    // Reads the current element's text as a whole number within [minimum, maximum].
    bool readInteger(qint64 *value, qint64 minimum, qint64 maximum);
    // Skips the current element with everything inside it.
    void skipElement() { m_reader.skipCurrentElement(); }

    // Records `message` at the current position unless an error is already recorded; returns
    // false so that callers can write `return reader.raiseError(...)`.
    bool raiseError(const QString &message);
    bool raiseUnexpectedElement();
    bool raiseDuplicateElement();
    bool raiseMissingElement(const QString &elementName);

    // Reads past the root element's end to the end of the document; false when anything but
    // comments or white space follows, or when the document is incomplete.
    bool finish();

    bool hasError() const { return m_reader.hasError(); }
    XmlError error() const;

private:
    QXmlStreamReader m_reader;
    int m_formatVersion = 0;
};

} // namespace SRCore
