#pragma once

#include "recentfilter.h"

#include <QHeaderView>
#include <QList>

namespace GuiLib {

class FilterComboBox;

// The horizontal header of the message table with one filter field (FilterComboBox) below each
// column title. The fields follow their sections when columns are resized, moved, hidden or
// scrolled. The header keeps the recent filters of every column (RecentFilter), which the
// window saves and restores with the header state.
class FilterHeaderView : public QHeaderView
{
    Q_OBJECT
    Q_DISABLE_COPY(FilterHeaderView)

public:
    // One filter field for each of the first `columnCount` sections.
    explicit FilterHeaderView(int columnCount, QWidget *parent = nullptr);
    ~FilterHeaderView() override;

    // The column's filter field, made on first need; null for a column without one.
    FilterComboBox *filterBox(int column);
    QString filterText(int column) const;
    // Shows `text` in the column's field and filters by it at once.
    void setFilterText(int column, const QString &text);
    // Empties every filter field ("Reset all filters").
    void clearFilters();
    // Forgets the recent filters of every column ("Clear filter history").
    void clearHistory();
    // Puts the columns back into the model's order ("Reset column ordering").
    void resetColumnOrder();

    // The recent filters, as RecentFilter::toString() writes them.
    QString filterHistory() const;
    // On failure keeps the history as it was; see RecentFilter::fromString().
    bool restoreFilterHistory(const QString &history, QString *errorMessage = nullptr);

    void setModel(QAbstractItemModel *model) override;
    QSize sizeHint() const override;
    // Places the filter fields below their sections; called when the table scrolls.
    void updateFilterGeometries();

signals:
    void filterChanged(int column, const QString &text);

protected:
    void updateGeometries() override;

private:
    // Places the column's field below its section, making it when the section is in view.
    void placeFilterBox(int column);
    QString filterHint(int column) const;
    void updateFilterHints();
    void addToHistory(int column, const QString &text);
    void showHistory();

    QList<FilterComboBox *> m_filterBoxes; // children of this header, one per column once made
    RecentFilter m_history;
    QMetaObject::Connection m_hintConnection;
};

} // namespace GuiLib
