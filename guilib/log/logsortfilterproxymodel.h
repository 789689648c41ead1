#pragma once

#include "basiclogmodel.h"

#include <QList>
#include <QPointer>
#include <QSortFilterProxyModel>
#include <QStringList>

#include <array>
#include <functional>

class QDateTime;

namespace SRCore {
struct LogRecord;
}

namespace GuiLib {

// Filters the rows of a BasicLogModel by one filter text per column and sorts them: the time
// stamp column by the messages' times (its texts "Today", "Yesterday" and weekday names do not
// sort), every other column by its text.
class LogSortFilterProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT
    Q_DISABLE_COPY(LogSortFilterProxyModel)

public:
    // The filter texts of all columns and the rules they follow. A value, so that a database
    // search keeps testing against the filters it was started with.
    //
    // A filter text is split into tokens at white space; a part enclosed in single quotes is
    // one token, spaces included. A message passes a column's filter when the column's text
    // contains one of the tokens, ignoring case. In the time stamp column a token that is a
    // plain number N instead means "logged in the last N hours". A message passes the filters
    // when it passes those of every column that has one.
    class Filters
    {
    public:
        // Only the tokens count: a text of blanks is no filter.
        void setText(int column, const QString &text);
        QString text(int column) const;
        bool isEmpty() const;
        // `columnText(column)` gives the message's text in a column; only columns with a
        // filter are asked. `now` is the end of the "last N hours".
        bool accepts(const SRCore::LogRecord &record, const QDateTime &now,
                     const std::function<QString(int)> &columnText) const;

        bool operator==(const Filters &other) const;
        bool operator!=(const Filters &other) const { return !(*this == other); }

    private:
        struct Column
        {
            QString text;
            QStringList tokens;
            QList<double> hours; // the number tokens of the time stamp column
        };
        std::array<Column, BasicLogModel::ColumnCount> m_columns;
    };

    // "a 'b c' d" gives "a", "b c", "d". A quote opens a token only at its start, so "it's"
    // is one token; a quote that is not closed runs to the end of the text.
    static QStringList filterTokens(const QString &text);

    explicit LogSortFilterProxyModel(QObject *parent = nullptr);
    ~LogSortFilterProxyModel() override;

    // Filtering and sorting need a BasicLogModel; with any other model every row passes and
    // every column sorts by text.
    void setSourceModel(QAbstractItemModel *sourceModel) override;
    BasicLogModel *logModel() const { return m_logModel; }

    void setColumnFilter(int column, const QString &text);
    QString columnFilter(int column) const { return m_filters.text(column); }
    void clearColumnFilters();
    const Filters &filters() const { return m_filters; }

signals:
    // While the rows are filtered anew after a filter change: 0 at the start, then the share of
    // rows done, 100 at the end.
    void filteringProgress(int percent);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    void refilter();
    void countFilteredRow() const;

    QPointer<BasicLogModel> m_logModel;
    Filters m_filters;
    // Progress of refilter(); the rows are counted by filterAcceptsRow().
    bool m_countingRows = false;
    mutable int m_rowsFiltered = 0;
    int m_rowsToFilter = 0;
};

} // namespace GuiLib
