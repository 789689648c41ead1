#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <optional>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;

namespace SRCore {
struct LogRecord;
}

namespace GuiLib {

// The message pane's own connection to the message database (docs/message-database.md) and the
// queries it runs: loading the newest messages, counting and reading id ranges for the
// whole-database search, and deleting all messages.
//
// The connection is opened read-write without creating the file, so a missing database stays
// missing, and with a short busy time-out, so that a database that another connection keeps
// locked fails a read quickly instead of blocking the GUI. Each query is finished before the
// call returns: no read transaction is left open for the writer to wait on.
//
// Thread: a provider belongs to the thread that created it.
class LogProvider
{
    Q_DECLARE_TR_FUNCTIONS(GuiLib::LogProvider)

public:
    // Why a query failed: the driver's text and SQLite's error number (empty when the failure
    // did not come from SQLite).
    struct Error
    {
        QString text;
        QString number;
    };

    // The most messages one refresh loads.
    static constexpr int RefreshLimit = 7000;

    explicit LogProvider(const QString &databaseFile);
    ~LogProvider();

    LogProvider(const LogProvider &) = delete;
    LogProvider &operator=(const LogProvider &) = delete;

    // "DatabaseConnection" followed by a number unique in the process.
    QString connectionName() const { return m_connectionName; }

    // Opens the connection unless it is open. The other queries call it themselves.
    bool open(Error *error = nullptr);
    bool isOpen() const { return m_open; }
    // Releases the connection; a later query opens it again.
    void close();

    // The type words the pane loads, in the order of the refresh query.
    static const QStringList &loadedTypes();
    // The refresh query, limited to ids above `threshold` when one is given.
    static QString refreshQuery(std::optional<qint64> threshold);

    // The newest messages of the loaded types above the id threshold, at most RefreshLimit,
    // newest first. Moves the threshold to the highest id read. Opens the connection anew, so
    // that a database file made in place of a removed one is read.
    bool loadNewRecords(QList<SRCore::LogRecord> *records, Error *error = nullptr);
    std::optional<qint64> threshold() const { return m_threshold; }
    // Loads from the newest message again, as after opening.
    void resetThreshold() { m_threshold.reset(); }

    // The id of the oldest message of the loaded types; empty when there is none.
    bool lowestLoadableId(std::optional<qint64> *id, Error *error = nullptr);
    // The id of the newest message of any type; empty when there is none.
    bool highestId(std::optional<qint64> *id, Error *error = nullptr);
    // The number of messages, of any type, with ids from `fromId` to `toId`.
    bool countMessages(qint64 fromId, qint64 toId, qint64 *count, Error *error = nullptr);
    // The newest `limit` messages, of any type, with ids from `fromId` to `toId`, newest first.
    // Gives up, returning false, soon after `stop` (when given) is set.
    bool readRange(qint64 fromId, qint64 toId, int limit, QList<SRCore::LogRecord> *records,
                   Error *error = nullptr, const std::atomic<bool> *stop = nullptr);

    // Deletes every message. Waits a little for the log writer's current transaction; fails
    // and keeps every message when the database stays locked.
    bool removeAllMessages(Error *error = nullptr);

private:
    QSqlDatabase database() const;
    bool execute(QSqlQuery &query, const QString &statement, Error *error);
    bool readRecords(QSqlQuery &query, const QString &statement, QList<SRCore::LogRecord> *records,
                     Error *error, const std::atomic<bool> *stop = nullptr);
    bool readId(const QString &statement, std::optional<qint64> *id, Error *error);
    static void setError(const QSqlError &sqlError, Error *error);

    const QString m_databaseFile;
    const QString m_connectionName;
    bool m_open = false;
    std::optional<qint64> m_threshold;
};

} // namespace GuiLib
