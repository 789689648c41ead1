#pragma once

#include "metadata.h"

namespace SRCore {

// A dataset of the Opaque model: a file of any kind that travels with the job. It has a path
// only; its queries fail with a reason.
class OpaqueMetadata final : public Metadata
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::OpaqueMetadata)

public:
    QString getModel() const override;
    // Any existing file will do; a missing one or a folder is refused.
    bool loadFromFile(const QString &path, QString *errorMessage = nullptr) override;
};

} // namespace SRCore
