#include "basiclogmodel.h"

#include "corelib/logging/localizemanager.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <iterator>
#include <limits>

namespace GuiLib {

namespace {

// Marks the stored type words for translators; typeText() looks them up in this context.
[[maybe_unused]] const char *const typeWords[] = {
    QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "assert"),
    QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "debug"),
    QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "info"),
    QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "warning"),
    QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "error"),
    QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "start"),
    QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "progress"),
    QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "end"),
};

struct ColumnTexts
{
    const char *header;
    const char *toolTip;
    const char *filterHint;
};

const ColumnTexts columnTexts[BasicLogModel::ColumnCount] = {
    {QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "Time stamp"),
     QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "The moment in time when this message was issued"),
     QT_TRANSLATE_NOOP("GuiLib::BasicLogModel",
                       "Enter a number to show messages that have been logged in the last N "
                       "hours\nenter a text string with : or / delimiter(s) to show messages "
                       "with a time stamp that\ncontains that string")},
    {QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "Type"),
     QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "The message type"),
     QT_TRANSLATE_NOOP("GuiLib::BasicLogModel",
                       "Enter one or more messages types - separated by a space - to show "
                       "messages of those types")},
    {QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "Module"),
     QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "The name of the module that issued this message"),
     QT_TRANSLATE_NOOP("GuiLib::BasicLogModel",
                       "Enter one or more (possibly partial) module names - separated by a "
                       "space - to show messages for those modules")},
    {QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "Flow"),
     QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "The name of the flow driving the operation"),
     QT_TRANSLATE_NOOP("GuiLib::BasicLogModel",
                       "Enter one or more text strings - separated by a space - to show "
                       "messages\nfor a flow with a name that contains one of these strings")},
    {QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "Flow element"),
     QT_TRANSLATE_NOOP("GuiLib::BasicLogModel",
                       "The name of the flow element causing the operation"),
     QT_TRANSLATE_NOOP("GuiLib::BasicLogModel",
                       "Enter one or more strings - separated by a space - to show "
                       "messages\nfor a flow element with a name that contains one of these "
                       "strings")},
    {QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "Job prefix"),
     QT_TRANSLATE_NOOP("GuiLib::BasicLogModel",
                       "The unique name prefix of the job for the operation"),
     QT_TRANSLATE_NOOP("GuiLib::BasicLogModel",
                       "Enter one or more strings - separated by a space - to show "
                       "messages\nfor a job with a prefix that contains one of these strings")},
    {QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "Job"),
     QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "The name of the job for the operation"),
     QT_TRANSLATE_NOOP("GuiLib::BasicLogModel",
                       "Enter one or more strings - separated by a space - to show "
                       "messages\nfor a job with a name that contains one of these strings")},
    {QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "Message"),
     QT_TRANSLATE_NOOP("GuiLib::BasicLogModel", "The message text"),
     QT_TRANSLATE_NOOP("GuiLib::BasicLogModel",
                       "Enter one or more strings - separated by a space - to show "
                       "messages\nthat contain one of these strings")},
};

bool newerFirst(const SRCore::LogRecord &a, const SRCore::LogRecord &b)
{
    return a.id > b.id;
}

} // namespace

BasicLogModel::BasicLogModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

BasicLogModel::~BasicLogModel() = default;

int BasicLogModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int BasicLogModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BasicLogModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return QVariant();
    }
    const Row &row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return rowText(row, index.column(), QDate::currentDate());
    case Qt::ToolTipRole:
        // The cells show a short form; the tool tip shows all of it.
        if (index.column() == MessageColumn) {
            return row.message;
        }
        if (index.column() == TimeColumn && row.record.time.isValid()) {
            return QLocale().toString(row.record.time.toLocalTime(), QLocale::LongFormat);
        }
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant BasicLogModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    const ColumnTexts &texts = columnTexts[section];
    switch (role) {
    case Qt::DisplayRole:
        return tr(texts.header);
    case Qt::ToolTipRole:
        return tr(texts.toolTip);
    case FilterHintRole:
        return tr(texts.filterHint);
    default:
        return QVariant();
    }
}

const SRCore::LogRecord &BasicLogModel::record(int row) const
{
    return m_rows.at(row).record;
}

QString BasicLogModel::displayText(int row, int column) const
{
    return rowText(m_rows.at(row), column, QDate::currentDate());
}

QString BasicLogModel::rowText(const Row &row, int column, const QDate &today) const
{
    return column == MessageColumn ? row.message : columnText(row.record, column, today);
}

QString BasicLogModel::columnText(const SRCore::LogRecord &record, int column, const QDate &today)
{
    switch (column) {
    case TimeColumn:
        return timeText(record.time, today);
    case TypeColumn:
        return typeText(record.level);
    case ModuleColumn:
        return moduleText(record.module);
    case FlowColumn:
        return record.flow;
    case ElementColumn:
        return record.element;
    case JobPrefixColumn:
        return record.ticket;
    case JobColumn:
        return record.file;
    case MessageColumn:
        return SRCore::LocalizeManager::getMessage(record);
    default:
        return QString();
    }
}

QString BasicLogModel::timeText(const QDateTime &time, const QDate &today)
{
    if (!time.isValid()) {
        return QString();
    }
    const QDateTime local = time.toLocalTime();
    const QDate date = local.date();
    const QLocale locale;
    QString day;
    if (date == today) {
        day = tr("Today");
    } else if (date == today.addDays(-1)) {
        day = tr("Yesterday");
    } else {
        day = tr("%1 %2", "weekday, short date")
                  .arg(locale.toString(date, QStringLiteral("dddd")),
                       locale.toString(date, QLocale::ShortFormat));
    }
    return tr("%1 %2", "day, short time")
        .arg(day, locale.toString(local.time(), QLocale::ShortFormat));
}

QString BasicLogModel::typeText(int level)
{
    return tr(SRCore::LogRecord::typeWord(level).toLatin1().constData());
}

QString BasicLogModel::moduleText(const QString &module)
{
    if (module.isEmpty()) {
        return module;
    }
    return tr(module.toUtf8().constData());
}

BasicLogModel::Row BasicLogModel::makeRow(const SRCore::LogRecord &record)
{
    return {record, SRCore::LocalizeManager::getMessage(record)};
}

void BasicLogModel::addNewRecords(const QList<SRCore::LogRecord> &newestFirst, int rowLimit)
{
    insertRecords(newestFirst, std::numeric_limits<int>::max());
    if (int(m_rows.size()) > rowLimit) {
        const int first = qMax(0, rowLimit);
        beginRemoveRows(QModelIndex(), first, int(m_rows.size()) - 1);
        for (auto it = m_rows.begin() + first; it != m_rows.end(); ++it) {
            m_ids.remove(it->record.id);
        }
        m_rows.erase(m_rows.begin() + first, m_rows.end());
        endRemoveRows();
    }
}

int BasicLogModel::addFoundRecords(const QList<SRCore::LogRecord> &newestFirst, int rowLimit)
{
    return insertRecords(newestFirst, qMax(0, rowLimit - int(m_rows.size())));
}

int BasicLogModel::insertRecords(const QList<SRCore::LogRecord> &records, int maxCount)
{
    QList<SRCore::LogRecord> added;
    for (const SRCore::LogRecord &record : records) {
        if (!m_ids.contains(record.id)) {
            added << record;
        }
    }
    std::sort(added.begin(), added.end(), newerFirst);
    added.erase(std::unique(added.begin(), added.end(),
                            [](const SRCore::LogRecord &a, const SRCore::LogRecord &b) {
                                return a.id == b.id;
                            }),
                added.end());
    // The newest are kept: when there is no room for all, the oldest are left out.
    if (added.size() > maxCount) {
        added.resize(maxCount);
    }

    // Each run of messages that falls between the same two rows is inserted in one step.
    size_t position = 0;
    qsizetype next = 0;
    while (next < added.size()) {
        while (position < m_rows.size() && m_rows[position].record.id > added.at(next).id) {
            ++position;
        }
        std::vector<Row> run;
        const bool atEnd = position == m_rows.size();
        while (next < added.size() && (atEnd || added.at(next).id > m_rows[position].record.id)) {
            run.push_back(makeRow(added.at(next)));
            m_ids.insert(added.at(next).id);
            ++next;
        }
        beginInsertRows(QModelIndex(), int(position), int(position + run.size()) - 1);
        m_rows.insert(m_rows.begin() + qsizetype(position), std::make_move_iterator(run.begin()),
                      std::make_move_iterator(run.end()));
        endInsertRows();
        position += run.size();
    }
    return int(added.size());
}

void BasicLogModel::clear()
{
    if (m_rows.empty()) {
        return;
    }
    beginResetModel();
    m_rows.clear();
    m_ids.clear();
    endResetModel();
}

} // namespace GuiLib
