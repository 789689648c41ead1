#pragma once

#include "xmlmetadata.h"

namespace SRCore {

// A dataset of the JDF model: a job definition (root JDF or JMF). The prefix "jdf" is bound to
// the JDF namespace, so that `/jdf:JDF/@JobID` works on documents whose default namespace it is.
class JDFMetadata final : public XMLMetadata
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::JDFMetadata)

public:
    static inline const QString kNamespace = QStringLiteral("http://www.CIP4.org/JDFSchema_1_1");

    QString getModel() const override;

protected:
    NamespaceList predefinedNamespaces() const override;
    QString checkDocumentKind(const QString &rootNamespace, const QString &rootName) const override;
};

} // namespace SRCore
