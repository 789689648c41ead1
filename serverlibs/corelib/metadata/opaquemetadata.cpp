#include "opaquemetadata.h"

#include "corelib/vocabulary/xmlvalues.h"

#include <QFileInfo>

namespace SRCore {

QString OpaqueMetadata::getModel() const
{
    return XMLValues::MODEL_OPAQUE;
}

bool OpaqueMetadata::loadFromFile(const QString &path, QString *errorMessage)
{
    const QString problem = backingFileProblem(path);
    if (!problem.isEmpty()) {
        if (errorMessage) {
            *errorMessage = problem;
        }
        return false;
    }
    setPath(QFileInfo(path).absoluteFilePath());
    return true;
}

} // namespace SRCore
