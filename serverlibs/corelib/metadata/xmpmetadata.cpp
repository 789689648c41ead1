#include "xmpmetadata.h"

#include "corelib/vocabulary/xmlvalues.h"

namespace SRCore {

namespace {

const QString kMetaNamespace = QStringLiteral("adobe:ns:meta/");
const QString kRdfNamespace = QStringLiteral("http://www.w3.org/1999/02/22-rdf-syntax-ns#");

} // namespace

QString XMPMetadata::getModel() const
{
    return XMLValues::MODEL_XMP;
}

XMLMetadata::NamespaceList XMPMetadata::predefinedNamespaces() const
{
    return {
        {QStringLiteral("x"), kMetaNamespace},
        {QStringLiteral("rdf"), kRdfNamespace},
        {QStringLiteral("dc"), QStringLiteral("http://purl.org/dc/elements/1.1/")},
        {QStringLiteral("xmp"), QStringLiteral("http://ns.adobe.com/xap/1.0/")},
        {QStringLiteral("xmpMM"), QStringLiteral("http://ns.adobe.com/xap/1.0/mm/")},
        {QStringLiteral("xmpRights"), QStringLiteral("http://ns.adobe.com/xap/1.0/rights/")},
        {QStringLiteral("xmpTPg"), QStringLiteral("http://ns.adobe.com/xap/1.0/t/pg/")},
        {QStringLiteral("pdf"), QStringLiteral("http://ns.adobe.com/pdf/1.3/")},
        {QStringLiteral("photoshop"), QStringLiteral("http://ns.adobe.com/photoshop/1.0/")},
        {QStringLiteral("tiff"), QStringLiteral("http://ns.adobe.com/tiff/1.0/")},
        {QStringLiteral("exif"), QStringLiteral("http://ns.adobe.com/exif/1.0/")},
        {QStringLiteral("stEvt"),
         QStringLiteral("http://ns.adobe.com/xap/1.0/sType/ResourceEvent#")},
        {QStringLiteral("stRef"), QStringLiteral("http://ns.adobe.com/xap/1.0/sType/ResourceRef#")},
    };
}

QString XMPMetadata::checkDocumentKind(const QString &rootNamespace, const QString &rootName) const
{
    const bool packet =
        rootNamespace == kMetaNamespace
        && (rootName == QLatin1String("xmpmeta") || rootName == QLatin1String("xapmeta"));
    const bool rdf = rootNamespace == kRdfNamespace && rootName == QLatin1String("RDF");
    if (packet || rdf) {
        return QString();
    }
    return tr("its root element is <%1>, where XMP has <x:xmpmeta> or <rdf:RDF>").arg(rootName);
}

} // namespace SRCore
