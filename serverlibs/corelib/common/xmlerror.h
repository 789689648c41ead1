#pragma once

#include <QString>

class QByteArray;
class QDomDocument;

namespace SRCore {

// Why an XML text could not be read, and where. Line and column are 1-based; 0 when unknown.
struct XmlError
{
    QString message;
    int line = 0;
    int column = 0;

    // "line 3, column 7: unexpected end of file"
    QString toString() const;
};

// Parses `data` into `document`; on failure fills `error` (when given) and returns false. A
// document nested deeper than XmlDepthLimit::MaxDepth is refused.
bool parseXmlDocument(const QByteArray &data, QDomDocument &document, XmlError *error = nullptr);

} // namespace SRCore
