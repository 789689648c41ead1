#include "strictxmlreader.h"

#include "corelib/vocabulary/xmlkey.h"

#include <QByteArray>

namespace SRCore {

StrictXmlReader::StrictXmlReader(const QString &text)
    : m_xml(text)
{
    // Namespace declarations then arrive as attributes, which our layouts never have.
    m_xml.setNamespaceProcessing(false);
}

StrictXmlReader::StrictXmlReader(const QByteArray &data)
    : m_xml(data)
{
    m_xml.setNamespaceProcessing(false);
}

bool StrictXmlReader::fail(const QString &message)
{
    if (m_error.message.isEmpty()) {
        m_error = XmlError{message, int(m_xml.lineNumber()), int(m_xml.columnNumber()) + 1};
    }
    return false;
}

bool StrictXmlReader::failUnexpectedElement()
{
    return fail(tr("Unexpected element '%1' in '%2'").arg(elementName(), parentName()));
}

QString StrictXmlReader::currentName() const
{
    return m_openElements.isEmpty() ? QString() : m_openElements.last();
}

QString StrictXmlReader::parentName() const
{
    // The element just met is already on the stack.
    return m_openElements.size() > 1 ? m_openElements.at(m_openElements.size() - 2) : QString();
}

bool StrictXmlReader::readRootElement(const QString &name)
{
    for (;;) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement:
            m_openElements.append(elementName());
            if (elementName() != name) {
                return fail(
                    tr("The root element is '%1' instead of '%2'").arg(elementName(), name));
            }
            return true;
        case QXmlStreamReader::StartDocument:
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
            break;
        case QXmlStreamReader::Characters:
            if (!m_xml.isWhitespace()) {
                return fail(tr("Text before the root element"));
            }
            break;
        case QXmlStreamReader::DTD:
            return fail(tr("Document type declarations are not allowed"));
        case QXmlStreamReader::Invalid:
            return fail(m_xml.errorString());
        default:
            return fail(tr("Expected the element '%1'").arg(name));
        }
    }
}

StrictXmlReader::Step StrictXmlReader::nextChild()
{
    if (!m_error.message.isEmpty()) {
        return Step::Failed;
    }
    for (;;) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement:
            m_openElements.append(elementName());
            return Step::Child;
        case QXmlStreamReader::EndElement:
            m_openElements.removeLast();
            return Step::End;
        case QXmlStreamReader::Characters:
            if (!m_xml.isWhitespace()) {
                fail(tr("Unexpected text in '%1'").arg(currentName()));
                return Step::Failed;
            }
            break;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
            break;
        case QXmlStreamReader::Invalid:
            fail(m_xml.errorString());
            return Step::Failed;
        default:
            fail(tr("Unexpected content in '%1'").arg(currentName()));
            return Step::Failed;
        }
    }
}

bool StrictXmlReader::expectChild(const QString &name)
{
    const QString parent = currentName();
    switch (nextChild()) {
    case Step::Child:
        return elementName() == name || failUnexpectedElement();
    case Step::End:
        return fail(tr("The element '%1' is missing in '%2'").arg(name, parent));
    case Step::Failed:
        break;
    }
    return false;
}

bool StrictXmlReader::expectEnd()
{
    switch (nextChild()) {
    case Step::Child:
        return failUnexpectedElement();
    case Step::End:
        return true;
    case Step::Failed:
        break;
    }
    return false;
}

bool StrictXmlReader::readText(QString *text, CharElements charElements)
{
    return checkNoAttributes() && readContent(text, charElements);
}

bool StrictXmlReader::readContent(QString *text, CharElements charElements)
{
    QString content;
    for (;;) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::Characters:
            content += m_xml.text();
            break;
        case QXmlStreamReader::StartElement:
            m_openElements.append(elementName());
            if (charElements == CharElements::Refused || elementName() != XMLKey::VALUECHAR) {
                return failUnexpectedElement();
            }
            if (!readCharElement(&content)) {
                return false;
            }
            break;
        case QXmlStreamReader::EndElement:
            m_openElements.removeLast();
            *text = content;
            return true;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
            break;
        case QXmlStreamReader::Invalid:
            return fail(m_xml.errorString());
        default:
            return fail(tr("Unexpected content in '%1'").arg(currentName()));
        }
    }
}

bool StrictXmlReader::readCharElement(QString *text)
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    if (attributes.size() != 1 || attributes.first().qualifiedName() != XMLKey::VALUECHARCODE) {
        return fail(tr("The element '%1' needs exactly the attribute '%2'")
                        .arg(XMLKey::VALUECHAR, XMLKey::VALUECHARCODE));
    }
    const QString code = attributes.first().value().toString();
    bool isHex = !code.isEmpty() && code.size() <= 4;
    for (const QChar c : code) {
        isHex = isHex
                && ((c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                    || (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
                    || (c >= QLatin1Char('a') && c <= QLatin1Char('f')));
    }
    if (!isHex) {
        return fail(tr("'%1' is not a character code").arg(code));
    }
    QString inner;
    if (!readContent(&inner, CharElements::Refused)) {
        return false;
    }
    if (!inner.isEmpty()) {
        return fail(tr("The element '%1' must be empty").arg(XMLKey::VALUECHAR));
    }
    *text += QChar(char16_t(code.toUInt(nullptr, 16)));
    return true;
}

bool StrictXmlReader::checkNoAttributes()
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    return attributes.isEmpty()
           || fail(tr("Unexpected attribute '%1' in '%2'")
                       .arg(attributes.first().qualifiedName().toString(), elementName()));
}

bool StrictXmlReader::readEndOfDocument()
{
    if (!m_error.message.isEmpty()) {
        return false;
    }
    while (!m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::Invalid:
            return fail(m_xml.errorString());
        case QXmlStreamReader::Characters:
            if (!m_xml.isWhitespace()) {
                return fail(tr("Text after the root element"));
            }
            break;
        default:
            break;
        }
    }
    return true;
}

} // namespace SRCore
