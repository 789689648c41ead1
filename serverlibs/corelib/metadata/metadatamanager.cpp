#include "metadatamanager.h"

#include "jdfmetadata.h"
#include "opaquemetadata.h"
#include "xmlmetadata.h"
#include "xmpmetadata.h"

#include "corelib/jobs/ijt.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>

namespace SRCore {

MetadataManager *MetadataManager::instance()
{
    static MetadataManager manager;
    return &manager;
}

void MetadataManager::setDatasetFolder(const QString &folder)
{
    const QMutexLocker locker(&m_mutex);
    m_datasetFolder = folder;
}

QString MetadataManager::datasetFolder() const
{
    const QMutexLocker locker(&m_mutex);
    return m_datasetFolder;
}

bool MetadataManager::isModel(const QString &model)
{
    return model == XMLValues::MODEL_XML || model == XMLValues::MODEL_JDF
           || model == XMLValues::MODEL_XMP || model == XMLValues::MODEL_OPAQUE;
}

std::unique_ptr<Metadata> MetadataManager::create(const QString &model)
{
    if (model == XMLValues::MODEL_XML) {
        return std::make_unique<XMLMetadata>();
    }
    if (model == XMLValues::MODEL_JDF) {
        return std::make_unique<JDFMetadata>();
    }
    if (model == XMLValues::MODEL_XMP) {
        return std::make_unique<XMPMetadata>();
    }
    if (model == XMLValues::MODEL_OPAQUE) {
        return std::make_unique<OpaqueMetadata>();
    }
    return nullptr;
}

std::unique_ptr<Metadata> MetadataManager::open(const QString &model, const QString &path,
                                                QString *errorMessage) const
{
    std::unique_ptr<Metadata> metadata = create(model);
    if (!metadata) {
        if (errorMessage) {
            *errorMessage = tr("'%1' is not a metadata model; the models are XML, JDF, XMP and "
                               "Opaque")
                                .arg(model);
        }
        return nullptr;
    }
    const QString folder = datasetFolder();
    const QString file =
        QDir::isRelativePath(path) && !folder.isEmpty() ? QDir(folder).filePath(path) : path;
    if (!metadata->loadFromFile(file, errorMessage)) {
        return nullptr;
    }
    return metadata;
}

std::unique_ptr<Metadata> MetadataManager::openDataset(const IJT &ticket, const QString &name,
                                                       QString *errorMessage) const
{
    IJT::Dataset dataset;
    if (!ticket.getJobDataset(name, &dataset)) {
        if (errorMessage) {
            *errorMessage = tr("The job has no dataset '%1'").arg(name);
        }
        return nullptr;
    }
    return open(dataset.model, dataset.backingFile, errorMessage);
}

} // namespace SRCore
