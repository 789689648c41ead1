#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace GuiLib {

// The sample jobs of the application (IAppProxy::sampleJobs): one row per job file, shown by
// its file name, with the flow element location where it arrives.
class SampleJobsModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role {
        JobRole = Qt::UserRole, // the job file's path
        ElementRole,            // the flow element location
    };

    explicit SampleJobsModel(QObject *parent = nullptr);

    // Reads the jobs from the application proxy; none without one.
    void reload();
    QString flowId() const { return m_flowId; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    QStringList m_jobs;
    QStringList m_elements;
    QString m_flowId;
};

} // namespace GuiLib
