#include "xmldepthlimit.h"

#include <QByteArray>
#include <QXmlStreamReader>

namespace SRCore {

bool XmlDepthLimit::check(const QByteArray &data, XmlError *error)
{
    QXmlStreamReader reader(data);
    return check(reader, error);
}

bool XmlDepthLimit::check(const QString &text, XmlError *error)
{
    QXmlStreamReader reader(text);
    return check(reader, error);
}

QString XmlDepthLimit::tooDeepMessage()
{
    return tr("The elements are nested more than %1 levels deep").arg(MaxDepth);
}

bool XmlDepthLimit::check(QXmlStreamReader &reader, XmlError *error)
{
    // Namespaces play no part in the depth; without them the scan is quicker.
    reader.setNamespaceProcessing(false);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++depth > MaxDepth) {
                if (error) {
                    // The stream reader counts columns from 0.
                    *error = XmlError{tooDeepMessage(), int(reader.lineNumber()),
                                      int(reader.columnNumber()) + 1};
                }
                return false;
            }
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    return true;
}

} // namespace SRCore
