#pragma once

#include <QCoreApplication>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <memory>

class QSqlError;
class QSqlQuery;

namespace SRCore {

struct LogRecord;

// One connection to the message database: checks or creates the table `logmessages`, switches
// the file to the WAL journal so that readers on other connections never wait for the writer,
// and inserts records in transactions. The file layout is described in
// docs/message-database.md.
//
// Never alters a file that it does not recognise: a file that is not an SQLite database, one
// whose `logmessages` table has other columns, or one written by a newer schema version is left
// as it is and reported as Failed.
//
// Thread: a connection belongs to the thread that created the object; use and destroy it there.
class LogDatabase
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::LogDatabase)

public:
    enum class Status {
        Ok,
        Busy,  // another connection holds a lock; trying again later may succeed
        Failed // the file cannot be used as it is now
    };

    // Stored in `PRAGMA user_version`; a later version migrates files of older ones.
    static constexpr int SchemaVersion = 1;

    // The file name of the message database inside the logs folder.
    static QString fileName();
    // The columns of `logmessages`, in table order.
    static const QStringList &columnNames();
    // The `itemtime` text of a time stamp: UTC, "yyyy-MM-ddThh:mm:ss.zzzZ".
    static QString timeText(const QDateTime &time);

    // `connectionName` must be unique in the process.
    explicit LogDatabase(const QString &connectionName);
    ~LogDatabase();

    LogDatabase(const LogDatabase &) = delete;
    LogDatabase &operator=(const LogDatabase &) = delete;

    // Opens the database file `path`, creating the file and the table when they are missing.
    // Anything but Ok leaves this object closed, with the reason in `errorMessage`.
    Status open(const QString &path, QString *errorMessage = nullptr);
    void close();
    bool isOpen() const { return m_insert != nullptr; }
    QString path() const { return m_path; }
    // The connection for queries of the caller's own (valid while open).
    QSqlDatabase connection() const { return m_database; }

    // Inserts all `records` in one transaction, in order: either all are stored or none.
    Status write(const QList<LogRecord> &records, QString *errorMessage = nullptr);

private:
    Status checkFileHeader(QString *errorMessage) const;
    Status prepareSchema(QString *errorMessage);
    static Status fail(const QSqlError &error, const QString &what, QString *errorMessage);

    const QString m_connectionName;
    QString m_path;
    QSqlDatabase m_database;
    std::unique_ptr<QSqlQuery> m_insert;
};

} // namespace SRCore
