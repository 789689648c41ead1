#pragma once

#include "corelib/logging/logrecord.h"

#include <QAbstractTableModel>
#include <QList>
#include <QSet>

#include <vector>

class QDate;
class QDateTime;

namespace GuiLib {

// The messages held by a message pane, one row each, newest first (highest id first), in the
// eight columns of the message table. Rows come in two ways: new messages from a refresh go on
// top, older messages found by a whole-database search are merged in by id. A message is never
// held twice.
class BasicLogModel : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY(BasicLogModel)

public:
    enum Column {
        TimeColumn,
        TypeColumn,
        ModuleColumn,
        FlowColumn,
        ElementColumn,
        JobPrefixColumn,
        JobColumn,
        MessageColumn,
        ColumnCount
    };

    enum Role {
        // Header data: the hint shown by the column's filter field.
        FilterHintRole = Qt::UserRole + 1,
    };

    explicit BasicLogModel(QObject *parent = nullptr);
    ~BasicLogModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // `row` must be valid.
    const SRCore::LogRecord &record(int row) const;
    // The text shown in `column` of `row`; `row` must be valid.
    QString displayText(int row, int column) const;
    bool contains(qint64 id) const { return m_ids.contains(id); }
    // The ids of the messages held.
    const QSet<qint64> &ids() const { return m_ids; }

    // Puts `newestFirst`, messages newer than every message held, on top, then drops the oldest
    // rows beyond `rowLimit`. Messages that are held already are skipped.
    void addNewRecords(const QList<SRCore::LogRecord> &newestFirst, int rowLimit);
    // Merges `newestFirst` into the rows by id. When the rows would exceed `rowLimit`, the
    // oldest of these messages are left out; the rows held before are kept. Returns the number
    // of rows added.
    int addFoundRecords(const QList<SRCore::LogRecord> &newestFirst, int rowLimit);
    void clear();

    // The texts of a message as the columns show them; `today` decides "Today" and
    // "Yesterday".
    static QString columnText(const SRCore::LogRecord &record, int column, const QDate &today);
    // The time stamp column: "Today", "Yesterday" or the weekday and the short date, followed by
    // the short time, all in local time.
    static QString timeText(const QDateTime &time, const QDate &today);
    // The translated word of a message level.
    static QString typeText(int level);
    // The translated name of a module; the stored name when there is no translation.
    static QString moduleText(const QString &module);

private:
    struct Row
    {
        SRCore::LogRecord record;
        QString message; // LocalizeManager::getMessage(record), rendered once
    };

    static Row makeRow(const SRCore::LogRecord &record);
    QString rowText(const Row &row, int column, const QDate &today) const;
    // Inserts the messages of `records` that are not held, at most the `maxCount` newest, each
    // at its place by id. Returns the number inserted.
    int insertRecords(const QList<SRCore::LogRecord> &records, int maxCount);

    std::vector<Row> m_rows; // newest first
    QSet<qint64> m_ids;
};

} // namespace GuiLib
