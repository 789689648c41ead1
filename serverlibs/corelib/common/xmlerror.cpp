#include "xmlerror.h"

#include "xmldepthlimit.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDomDocument>

namespace SRCore {

QString XmlError::toString() const
{
    return QCoreApplication::translate("SRCore::XmlError", "line %1, column %2: %3")
        .arg(line)
        .arg(column)
        .arg(message);
}

bool parseXmlDocument(const QByteArray &data, QDomDocument &document, XmlError *error)
{
    if (!XmlDepthLimit::check(data, error)) {
        return false;
    }
    QString message;
    int line = 0;
    int column = 0;
    if (document.setContent(data, false, &message, &line, &column)) {
        return true;
    }
    if (error) {
        *error = XmlError{message, line, column};
    }
    return false;
}

} // namespace SRCore
