#include "filterheaderview.h"

#include "basiclogmodel.h"
#include "filtercombobox.h"

namespace GuiLib {

FilterHeaderView::FilterHeaderView(int columnCount, QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
    , m_history(columnCount)
{
    setSectionsClickable(true);
    setSectionsMovable(true);
    setSortIndicatorShown(true);
    setHighlightSections(false);
    for (int column = 0; column < columnCount; ++column) {
        auto *box = new FilterComboBox(column, this);
        connect(box, &FilterComboBox::filterChanged, this, &FilterHeaderView::filterChanged);
        // Queued: the history replaces the box's list, which must not happen inside the box's
        // own activation signal.
        connect(box, &FilterComboBox::filterCommitted, this, &FilterHeaderView::addToHistory,
                Qt::QueuedConnection);
        m_filterBoxes << box;
    }
    // The titles take the viewport; the filter fields sit in the margin below it.
    const int boxHeight = m_filterBoxes.isEmpty() ? 0 : m_filterBoxes.first()->sizeHint().height();
    setViewportMargins(0, 0, 0, boxHeight);

    connect(this, &QHeaderView::sectionResized, this, &FilterHeaderView::updateFilterGeometries);
    connect(this, &QHeaderView::sectionMoved, this, &FilterHeaderView::updateFilterGeometries);
    connect(this, &QHeaderView::sectionCountChanged, this,
            &FilterHeaderView::updateFilterGeometries);
}

FilterHeaderView::~FilterHeaderView() = default;

FilterComboBox *FilterHeaderView::filterBox(int column) const
{
    return m_filterBoxes.value(column);
}

QString FilterHeaderView::filterText(int column) const
{
    const FilterComboBox *box = filterBox(column);
    return box ? box->filterText() : QString();
}

void FilterHeaderView::setFilterText(int column, const QString &text)
{
    if (FilterComboBox *box = filterBox(column)) {
        box->setFilterText(text);
    }
}

void FilterHeaderView::clearFilters()
{
    for (FilterComboBox *box : std::as_const(m_filterBoxes)) {
        box->setFilterText(QString());
    }
}

void FilterHeaderView::clearHistory()
{
    m_history.clear();
    showHistory();
}

void FilterHeaderView::resetColumnOrder()
{
    for (int logical = 0; logical < count(); ++logical) {
        if (visualIndex(logical) != logical) {
            moveSection(visualIndex(logical), logical);
        }
    }
}

QString FilterHeaderView::filterHistory() const
{
    return m_history.toString();
}

bool FilterHeaderView::restoreFilterHistory(const QString &history, QString *errorMessage)
{
    if (!m_history.fromString(history, errorMessage)) {
        return false;
    }
    showHistory();
    return true;
}

void FilterHeaderView::setModel(QAbstractItemModel *model)
{
    disconnect(m_hintConnection);
    QHeaderView::setModel(model);
    if (model) {
        m_hintConnection = connect(model, &QAbstractItemModel::headerDataChanged, this,
                                   &FilterHeaderView::updateFilterHints);
    }
    updateFilterHints();
    updateFilterGeometries();
}

QSize FilterHeaderView::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    size.rheight() += viewportMargins().bottom();
    return size;
}

void FilterHeaderView::updateGeometries()
{
    QHeaderView::updateGeometries();
    updateFilterGeometries();
}

void FilterHeaderView::updateFilterGeometries()
{
    const int top = viewport()->geometry().bottom() + 1;
    const int height = viewportMargins().bottom();
    for (int column = 0; column < m_filterBoxes.size(); ++column) {
        FilterComboBox *box = m_filterBoxes.at(column);
        // A section being hidden reports its new size before it counts as hidden.
        if (column >= count() || isSectionHidden(column) || sectionSize(column) == 0) {
            box->hide();
            continue;
        }
        box->setGeometry(viewport()->x() + sectionViewportPosition(column), top,
                         sectionSize(column), height);
        box->show();
    }
}

void FilterHeaderView::updateFilterHints()
{
    for (int column = 0; column < m_filterBoxes.size(); ++column) {
        const QVariant hint =
            model() ? model()->headerData(column, orientation(), BasicLogModel::FilterHintRole)
                    : QVariant();
        m_filterBoxes.at(column)->setToolTip(hint.toString());
    }
}

void FilterHeaderView::addToHistory(int column, const QString &text)
{
    m_history.add(column, text);
    m_filterBoxes.at(column)->setHistory(m_history.entries(column));
}

void FilterHeaderView::showHistory()
{
    for (int column = 0; column < m_filterBoxes.size(); ++column) {
        m_filterBoxes.at(column)->setHistory(m_history.entries(column));
    }
}

} // namespace GuiLib
