#include "filterheaderview.h"

#include "basiclogmodel.h"
#include "filtercombobox.h"

namespace GuiLib {

FilterHeaderView::FilterHeaderView(int columnCount, QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
    , m_filterBoxes(columnCount, nullptr)
    , m_history(columnCount)
{
    setSectionsClickable(true);
    setSectionsMovable(true);
    setSortIndicatorShown(true);
    setHighlightSections(false);
    // The titles take the viewport; the filter fields sit in the margin below it.
    const int boxHeight = columnCount > 0 ? filterBox(0)->sizeHint().height() : 0;
    setViewportMargins(0, 0, 0, boxHeight);

    connect(this, &QHeaderView::sectionResized, this, &FilterHeaderView::updateFilterGeometries);
    connect(this, &QHeaderView::sectionMoved, this, &FilterHeaderView::updateFilterGeometries);
    connect(this, &QHeaderView::sectionCountChanged, this,
            &FilterHeaderView::updateFilterGeometries);
}

FilterHeaderView::~FilterHeaderView() = default;

FilterComboBox *FilterHeaderView::filterBox(int column)
{
    if (column < 0 || column >= m_filterBoxes.size()) {
        return nullptr;
    }
    if (!m_filterBoxes.at(column)) {
        auto *box = new FilterComboBox(column, this);
        connect(box, &FilterComboBox::filterChanged, this, &FilterHeaderView::filterChanged);
        // Queued: the history replaces the box's list, which must not happen inside the box's
        // own activation signal.
        connect(box, &FilterComboBox::filterCommitted, this, &FilterHeaderView::addToHistory,
                Qt::QueuedConnection);
        box->setToolTip(filterHint(column));
        box->setHistory(m_history.entries(column));
        box->hide();
        m_filterBoxes[column] = box;
        placeFilterBox(column);
    }
    return m_filterBoxes.at(column);
}

QString FilterHeaderView::filterText(int column) const
{
    const FilterComboBox *box = m_filterBoxes.value(column);
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
        if (box) {
            box->setFilterText(QString());
        }
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
    for (int column = 0; column < m_filterBoxes.size(); ++column) {
        placeFilterBox(column);
    }
}

void FilterHeaderView::placeFilterBox(int column)
{
    FilterComboBox *box = m_filterBoxes.at(column);
    // A section being hidden reports its new size before it counts as hidden.
    if (column >= count() || isSectionHidden(column) || sectionSize(column) == 0) {
        if (box) {
            box->hide();
        }
        return;
    }
    const QRect geometry(viewport()->x() + sectionViewportPosition(column),
                         viewport()->geometry().bottom() + 1, sectionSize(column),
                         viewportMargins().bottom());
    if (!box) {
        // A field is made when its column is first scrolled into view: most of the columns of
        // a new window are not.
        if (geometry.intersects(rect())) {
            filterBox(column); // places the new field
        }
        return;
    }
    box->setGeometry(geometry);
    box->show();
}

QString FilterHeaderView::filterHint(int column) const
{
    return model() ? model()
                         ->headerData(column, orientation(), BasicLogModel::FilterHintRole)
                         .toString()
                   : QString();
}

void FilterHeaderView::updateFilterHints()
{
    for (int column = 0; column < m_filterBoxes.size(); ++column) {
        if (FilterComboBox *box = m_filterBoxes.at(column)) {
            box->setToolTip(filterHint(column));
        }
    }
}

void FilterHeaderView::addToHistory(int column, const QString &text)
{
    m_history.add(column, text);
    if (FilterComboBox *box = m_filterBoxes.at(column)) {
        box->setHistory(m_history.entries(column));
    }
}

void FilterHeaderView::showHistory()
{
    for (int column = 0; column < m_filterBoxes.size(); ++column) {
        if (FilterComboBox *box = m_filterBoxes.at(column)) {
            box->setHistory(m_history.entries(column));
        }
    }
}

} // namespace GuiLib
