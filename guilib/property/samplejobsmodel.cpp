#include "samplejobsmodel.h"

#include "iappproxy.h"

#include <QDir>
#include <QFileInfo>

namespace GuiLib {

SampleJobsModel::SampleJobsModel(QObject *parent)
    : QAbstractListModel(parent)
{}

void SampleJobsModel::reload()
{
    beginResetModel();
    m_jobs.clear();
    m_elements.clear();
    m_flowId.clear();
    if (const IAppProxy *proxy = IAppProxy::instance()) {
        QMap<QString, QString> jobs;
        proxy->sampleJobs(jobs, m_flowId);
        m_jobs = jobs.keys();
        m_elements = jobs.values();
    }
    endResetModel();
}

int SampleJobsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_jobs.size());
}

QVariant SampleJobsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_jobs.size()) {
        return {};
    }
    const QString &job = m_jobs.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return QFileInfo(QDir::fromNativeSeparators(job)).fileName();
    case Qt::ToolTipRole:
        return QDir::toNativeSeparators(job);
    case JobRole:
        return job;
    case ElementRole:
        return m_elements.at(index.row());
    default:
        return {};
    }
}

} // namespace GuiLib
