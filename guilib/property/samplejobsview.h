#pragma once

#include <QListView>

namespace GuiLib {

class SampleJobsModel;

// The list of sample jobs that the variable dialogs compute their sample values for. Always
// one job is current while there are any: the selection cannot be emptied by a click beside
// the items, and restoreSelection() brings it back after another view took the focus.
class SampleJobsView : public QListView
{
    Q_OBJECT

public:
    explicit SampleJobsView(QWidget *parent = nullptr);

    bool isEmpty() const;
    void selectFirst();
    // The current job's file; empty when there is none.
    QString currentJob() const;
    QString currentElement() const;
    // The identifier of the flow the jobs arrive in.
    QString flowId() const;

public slots:
    void restoreSelection();

signals:
    // `job` is the job file, `objectId` the flow element location where it arrives.
    void currentJobChanged(const QString &job, const QString &objectId);

private:
    SampleJobsModel *m_model;
};

} // namespace GuiLib
