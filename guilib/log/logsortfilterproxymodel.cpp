#include "logsortfilterproxymodel.h"

#include "corelib/logging/logrecord.h"

#include <QDateTime>
#include <QRegularExpression>

#include <limits>
#include <utility>

namespace GuiLib {

namespace {

// Rows between two progress reports while filtering.
constexpr int ProgressStep = 500;
// Past about a century every message is "in the last N hours"; the bound keeps the date
// arithmetic in range.
constexpr double MaxHours = 1e6;

bool isHoursToken(const QString &token, double *hours)
{
    static const QRegularExpression number(QStringLiteral("^\\d+(\\.\\d+)?$"));
    if (!number.match(token).hasMatch()) {
        return false;
    }
    *hours = token.toDouble();
    return true;
}

} // namespace

void LogSortFilterProxyModel::Filters::setText(int column, const QString &text)
{
    if (column < 0 || column >= int(m_columns.size())) {
        return;
    }
    Column &filter = m_columns[size_t(column)];
    filter.tokens = filterTokens(text);
    filter.text = filter.tokens.isEmpty() ? QString() : text;
    filter.hours.clear();
    if (column == BasicLogModel::TimeColumn) {
        for (auto it = filter.tokens.begin(); it != filter.tokens.end();) {
            double hours = 0;
            if (isHoursToken(*it, &hours)) {
                filter.hours << hours;
                it = filter.tokens.erase(it);
            } else {
                ++it;
            }
        }
    }
}

QString LogSortFilterProxyModel::Filters::text(int column) const
{
    return column >= 0 && column < int(m_columns.size()) ? m_columns[size_t(column)].text
                                                         : QString();
}

bool LogSortFilterProxyModel::Filters::isEmpty() const
{
    for (const Column &filter : m_columns) {
        if (!filter.text.isEmpty()) {
            return false;
        }
    }
    return true;
}

bool LogSortFilterProxyModel::Filters::accepts(const SRCore::LogRecord &record,
                                               const QDateTime &now,
                                               const std::function<QString(int)> &columnText) const
{
    for (int column = 0; column < int(m_columns.size()); ++column) {
        const Column &filter = m_columns[size_t(column)];
        if (filter.text.isEmpty()) {
            continue;
        }
        bool passes = false;
        for (double hours : filter.hours) {
            if (hours >= MaxHours
                || (record.time.isValid()
                    && record.time >= now.addMSecs(-qint64(hours * 3600.0 * 1000.0)))) {
                passes = true;
                break;
            }
        }
        if (!passes && !filter.tokens.isEmpty()) {
            const QString text = columnText(column);
            for (const QString &token : filter.tokens) {
                if (text.contains(token, Qt::CaseInsensitive)) {
                    passes = true;
                    break;
                }
            }
        }
        if (!passes) {
            return false;
        }
    }
    return true;
}

bool LogSortFilterProxyModel::Filters::operator==(const Filters &other) const
{
    for (size_t column = 0; column < m_columns.size(); ++column) {
        if (m_columns[column].tokens != other.m_columns[column].tokens
            || m_columns[column].hours != other.m_columns[column].hours) {
            return false;
        }
    }
    return true;
}

QStringList LogSortFilterProxyModel::filterTokens(const QString &text)
{
    QStringList tokens;
    QString current;
    bool quoted = false;
    const auto finishToken = [&tokens, &current]() {
        if (!current.isEmpty()) {
            tokens << current;
            current.clear();
        }
    };
    for (const QChar ch : text) {
        if (quoted) {
            if (ch == QLatin1Char('\'')) {
                quoted = false;
                finishToken();
            } else {
                current += ch;
            }
        } else if (ch.isSpace()) {
            finishToken();
        } else if (ch == QLatin1Char('\'') && current.isEmpty()) {
            quoted = true;
        } else {
            current += ch;
        }
    }
    finishToken();
    return tokens;
}

LogSortFilterProxyModel::LogSortFilterProxyModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setSortLocaleAware(true);
}

LogSortFilterProxyModel::~LogSortFilterProxyModel() = default;

void LogSortFilterProxyModel::setSourceModel(QAbstractItemModel *sourceModel)
{
    m_logModel = qobject_cast<BasicLogModel *>(sourceModel);
    QSortFilterProxyModel::setSourceModel(sourceModel);
}

void LogSortFilterProxyModel::setColumnFilter(int column, const QString &text)
{
    Filters filters = m_filters;
    filters.setText(column, text);
    if (filters == m_filters) {
        // The same tokens filter the same rows; only the text is taken over.
        m_filters = filters;
        return;
    }
    m_filters = filters;
    refilter();
}

void LogSortFilterProxyModel::clearColumnFilters()
{
    if (m_filters.isEmpty()) {
        return;
    }
    m_filters = Filters();
    refilter();
}

void LogSortFilterProxyModel::refilter()
{
    m_rowsToFilter = sourceModel() ? sourceModel()->rowCount() : 0;
    m_rowsFiltered = 0;
    m_countingRows = true;
    emit filteringProgress(0);
    invalidateRowsFilter();
    // A proxy that nobody has asked for rows yet filters lazily; asking now makes the filtering
    // happen while it is counted.
    rowCount();
    m_countingRows = false;
    emit filteringProgress(100);
}

void LogSortFilterProxyModel::countFilteredRow() const
{
    if (!m_countingRows || ++m_rowsFiltered % ProgressStep != 0 || m_rowsToFilter <= 0) {
        return;
    }
    const int percent = int(qMin<qint64>(99, qint64(m_rowsFiltered) * 100 / m_rowsToFilter));
    // The proxy asks filterAcceptsRow(), which is const, for every row; the progress report
    // changes nothing that the proxy shows.
    emit const_cast<LogSortFilterProxyModel *>(this)->filteringProgress(percent);
}

bool LogSortFilterProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    countFilteredRow();
    if (!m_logModel || sourceParent.isValid() || m_filters.isEmpty()) {
        return true;
    }
    return m_filters.accepts(
        m_logModel->record(sourceRow), QDateTime::currentDateTimeUtc(),
        [this, sourceRow](int column) { return m_logModel->displayText(sourceRow, column); });
}

bool LogSortFilterProxyModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    if (!m_logModel || left.column() != BasicLogModel::TimeColumn
        || right.column() != BasicLogModel::TimeColumn) {
        return QSortFilterProxyModel::lessThan(left, right);
    }
    const auto key = [this](const QModelIndex &index) {
        const SRCore::LogRecord &record = m_logModel->record(index.row());
        // A time that could not be read sorts as the oldest; equal times by the order of
        // logging.
        return std::pair(record.time.isValid() ? record.time.toMSecsSinceEpoch()
                                               : std::numeric_limits<qint64>::min(),
                         record.id);
    };
    return key(left) < key(right);
}

} // namespace GuiLib
