#pragma once

#include "corelib/common/xmlerror.h"

#include <QCoreApplication>
#include <QStringList>
#include <QXmlStreamReader>

class QByteArray;

namespace SRCore {

// Walks an XML text that must have exactly the layout that we write ourselves: elements, text
// inside the elements that hold text, and nothing else but white space, comments and processing
// instructions between elements. A document type declaration is refused (no entity tricks).
// The first error is kept with its position; after it every call fails.
class StrictXmlReader
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::StrictXmlReader)

public:
    enum class Step { Child, End, Failed };
    // Whether text may hold XMLKey::VALUECHAR elements standing for characters that XML
    // cannot hold (the structured value format).
    enum class CharElements { Refused, Decoded };

    explicit StrictXmlReader(const QString &text);
    // Bytes are decoded as their XML declaration says (UTF-8 without one); invalid bytes fail.
    explicit StrictXmlReader(const QByteArray &data);

    // Moves onto the root element; fails when it is not called `name`.
    bool readRootElement(const QString &name);
    // Moves onto the next child element of the current element (Child) or past the current
    // element's end (End).
    Step nextChild();
    // The next child must be `name`.
    bool expectChild(const QString &name);
    // The current element must have no further children.
    bool expectEnd();
    // Reads the text of the current element, which must have no attributes, and moves past its
    // end. readContent() does the same for an element whose attributes the caller has checked.
    bool readText(QString *text, CharElements charElements = CharElements::Refused);
    bool readContent(QString *text, CharElements charElements = CharElements::Refused);
    // Everything after the root element must be white space, comments or instructions.
    bool readEndOfDocument();

    // Name and attributes of the element that the last step moved onto.
    QString elementName() const { return m_xml.qualifiedName().toString(); }
    QXmlStreamAttributes attributes() const { return m_xml.attributes(); }
    bool checkNoAttributes();

    // Records `message` at the current position (unless an error was recorded before); false.
    bool fail(const QString &message);
    bool failUnexpectedElement();
    XmlError error() const { return m_error; }

private:
    bool readCharElement(QString *text);
    QString currentName() const;
    QString parentName() const;

    QXmlStreamReader m_xml;
    QStringList m_openElements;
    XmlError m_error;
};

} // namespace SRCore
