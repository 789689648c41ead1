#include "jdfmetadata.h"

#include "corelib/vocabulary/xmlvalues.h"

namespace SRCore {

QString JDFMetadata::getModel() const
{
    return XMLValues::MODEL_JDF;
}

XMLMetadata::NamespaceList JDFMetadata::predefinedNamespaces() const
{
    return {{QStringLiteral("jdf"), kNamespace}};
}

QString JDFMetadata::checkDocumentKind(const QString &, const QString &rootName) const
{
    if (rootName == QLatin1String("JDF") || rootName == QLatin1String("JMF")) {
        return QString();
    }
    return tr("its root element is <%1>, where a job definition has <JDF> or <JMF>").arg(rootName);
}

} // namespace SRCore
