#pragma once

#include "metadata.h"

#include <QCoreApplication>
#include <QMutex>
#include <QString>

#include <memory>

namespace SRCore {

class IJT;

// Opens metadata datasets: makes the metadata object of a model and loads its backing file. The
// test flow sets the datasets folder, where relative backing file paths are looked up.
//
// Threads: every operation may be called from any thread; the datasets folder is guarded by a
// lock, and each call returns an object of its own.
class MetadataManager
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::MetadataManager)

public:
    MetadataManager() = default;
    MetadataManager(const MetadataManager &) = delete;
    MetadataManager &operator=(const MetadataManager &) = delete;

    // The process-wide manager, made on first use; lives until the process ends.
    static MetadataManager *instance();

    void setDatasetFolder(const QString &folder);
    QString datasetFolder() const;

    // True for "XML", "JDF", "XMP" and "Opaque" (XMLValues::MODEL_...), compared exactly.
    static bool isModel(const QString &model);
    // An empty metadata object of `model`; null for an unknown model.
    static std::unique_ptr<Metadata> create(const QString &model);

    // The dataset of `model` backed by `path` (relative paths are taken in the datasets
    // folder). Null, with the reason, for an unknown model or a file that does not load.
    std::unique_ptr<Metadata> open(const QString &model, const QString &path,
                                   QString *errorMessage = nullptr) const;
    // The dataset `name` of the job's ticket. Null, with the reason, when the ticket has no
    // dataset of that name or its file does not load.
    std::unique_ptr<Metadata> openDataset(const IJT &ticket, const QString &name,
                                          QString *errorMessage = nullptr) const;

private:
    mutable QMutex m_mutex;
    QString m_datasetFolder; // guarded by m_mutex
};

} // namespace SRCore
