#pragma once

#include "xmlmetadata.h"

namespace SRCore {

// A dataset of the XMP model: an XMP packet or sidecar file (root x:xmpmeta or rdf:RDF). The
// usual XMP prefixes are predefined: x, rdf, dc, xmp, xmpMM, xmpRights, xmpTPg, pdf, photoshop,
// tiff, exif, stEvt, stRef (docs/metadata.md).
class XMPMetadata final : public XMLMetadata
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::XMPMetadata)

public:
    QString getModel() const override;

protected:
    NamespaceList predefinedNamespaces() const override;
    QString checkDocumentKind(const QString &rootNamespace, const QString &rootName) const override;
};

} // namespace SRCore
