#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace SRCore {

struct LogRecord;

// The log writer's connection to the message database, through SQLite's C API: checks or
// creates the table `logmessages`, switches the file to the WAL journal so that readers on other
// connections never wait for the writer, inserts records in transactions, and keeps the stored
// messages within a size limit by removing the oldest. The file layout is described in
// docs/message-database.md.
//
// Never alters a file that it does not recognise: a file that is not an SQLite database, one
// whose `logmessages` table has other columns, or one written by a newer schema version is left
// as it is and reported as Failed.
//
// Thread: use and destroy an object on one thread at a time.
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
    // The most bytes that the stored messages take unless setSizeLimit() says otherwise.
    static constexpr qint64 DefaultSizeLimit = 100 * 1024 * 1024;

    // The file name of the message database inside the logs folder.
    static QString fileName();
    // The columns of `logmessages`, in table order.
    static const QStringList &columnNames();
    // The `itemtime` text of a time stamp: UTC, "yyyy-MM-ddThh:mm:ss.zzzZ".
    static QString timeText(const QDateTime &time);
    // The time stamp of an `itemtime` text; invalid when the text is no such time.
    static QDateTime timeFromText(QStringView text);

    LogDatabase();
    ~LogDatabase();

    LogDatabase(const LogDatabase &) = delete;
    LogDatabase &operator=(const LogDatabase &) = delete;

    // Opens the database file `path`, creating the file and the table when they are missing.
    // Anything but Ok leaves this object closed, with the reason
    // in `errorMessage`.
    Status open(const QString &path, QString *errorMessage = nullptr);
    void close();
    bool isOpen() const { return m_insert != nullptr; }
    QString path() const { return m_path; }

    // Inserts all `records` in one transaction, in order: either all are stored or none. Then
    // removes the oldest messages when the stored ones take more than the size limit.
    Status write(const QList<LogRecord> &records, QString *errorMessage = nullptr);

    // The most bytes that the stored messages may take; checked after every write() and by
    // trim(). The file keeps its largest size: the pages of removed messages are reused for
    // new ones.
    void setSizeLimit(qint64 bytes);
    qint64 sizeLimit() const { return m_sizeLimit; }
    // The bytes that the stored messages take now; -1 when closed or unreadable.
    qint64 storedBytes() const;
    // Removes the oldest messages while the stored ones take more than the size limit, down to
    // 90 % of it; the newest message always stays.
    Status trim(QString *errorMessage = nullptr);

private:
    Status checkFileHeader(QString *errorMessage) const;
    Status prepareSchema(QString *errorMessage);
    bool execute(const char *statement) const;
    // The first column of the first row of `statement` as a number; false when it fails.
    bool queryNumber(const char *statement, qint64 *value) const;
    Status fail(const QString &what, QString *errorMessage) const;

    QString m_path;
    sqlite3 *m_database = nullptr;
    sqlite3_stmt *m_insert = nullptr;
    qint64 m_sizeLimit = DefaultSizeLimit;
};

} // namespace SRCore
