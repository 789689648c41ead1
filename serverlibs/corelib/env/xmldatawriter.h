#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QXmlStreamWriter>

namespace SRCore {

// Writes one of the program's small XML data files (read back by XmlDataReader). Every text
// round-trips exactly: a carriage return is written as a character reference (XML would turn it
// into a line feed), and a text holding characters that XML 1.0 cannot carry (control
// characters other than tab, line feed and carriage return, U+FFFE, U+FFFF, unpaired
// surrogates) is written whole as base-64 of its UTF-16 code units, marked
// Encoding="Base64UTF16". So no text can make a file that does not read back.
class XmlDataWriter
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::XmlDataWriter)

public:
    XmlDataWriter(const QString &rootName, int formatVersion);

    XmlDataWriter(const XmlDataWriter &) = delete;
    XmlDataWriter &operator=(const XmlDataWriter &) = delete;

    void writeStartElement(const QString &name);
    void writeEndElement();
    void writeTextElement(const QString &name, const QString &text);
    void writeIntegerElement(const QString &name, qint64 value);

    // Closes the document and returns its bytes (UTF-8).
    QByteArray finish();
    // Closes the document and replaces `path` with it in one step: a failure leaves any
    // previous file as it was and no partial file behind.
    bool save(const QString &path, QString *errorMessage = nullptr);

private:
    QByteArray m_data;
    QXmlStreamWriter m_writer;
};

} // namespace SRCore
