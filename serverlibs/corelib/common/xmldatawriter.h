#pragma once

#include <QCoreApplication>
#include <QString>
#include <QXmlStreamWriter>

class QByteArray;

namespace SRCore {

// Writes one of the program's own XML documents, which XmlDataReader reads back: a root element
// with a "FormatVersion" attribute, one element a line indented by four spaces, and texts that
// come back exactly whatever they hold (XmlText with the marker XMLKey::ENCODING). So no text
// can make a document that does not read back.
class XmlDataWriter
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::XmlDataWriter)

public:
    XmlDataWriter(const QString &rootName, int formatVersion);

    XmlDataWriter(const XmlDataWriter &) = delete;
    XmlDataWriter &operator=(const XmlDataWriter &) = delete;

    // An attribute of the element started last, before anything is written into it. Attributes
    // hold names and keywords: `value` must not need encoding (XmlText::needsEncoding).
    void writeAttribute(const QString &name, const QString &value);
    void writeStartElement(const QString &name);
    void writeEndElement();
    void writeTextElement(const QString &name, const QString &text);
    void writeIntegerElement(const QString &name, qint64 value);

    // Each of the following closes the document; call one of them once, as the last call.
    // The document as UTF-8 with an XML declaration, ready for a file.
    QByteArray finish();
    // The root element alone, without a declaration, for a document that is stored as the text
    // of another one (structured property values).
    QString finishElement();
    // Replaces `path` with the document in one step: a failure leaves any previous file as it
    // was and no partial file behind.
    bool save(const QString &path, QString *errorMessage = nullptr);

private:
    QString m_text;
    QXmlStreamWriter m_writer;
};

} // namespace SRCore
