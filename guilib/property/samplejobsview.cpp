#include "samplejobsview.h"

#include "samplejobsmodel.h"

namespace GuiLib {

SampleJobsView::SampleJobsView(QWidget *parent)
    : QListView(parent)
    , m_model(new SampleJobsModel(this))
{
    setObjectName(QStringLiteral("sampleJobs"));
    m_model->reload();
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFixedHeight(75);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid()) {
                    emit currentJobChanged(current.data(SampleJobsModel::JobRole).toString(),
                                           current.data(SampleJobsModel::ElementRole).toString());
                }
            });
}

bool SampleJobsView::isEmpty() const
{
    return m_model->rowCount() == 0;
}

void SampleJobsView::selectFirst()
{
    if (!isEmpty()) {
        setCurrentIndex(m_model->index(0));
    }
}

QString SampleJobsView::currentJob() const
{
    return currentIndex().data(SampleJobsModel::JobRole).toString();
}

QString SampleJobsView::currentElement() const
{
    return currentIndex().data(SampleJobsModel::ElementRole).toString();
}

QString SampleJobsView::flowId() const
{
    return m_model->flowId();
}

void SampleJobsView::restoreSelection()
{
    if (currentIndex().isValid()) {
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
    }
}

} // namespace GuiLib
