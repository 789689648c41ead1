#pragma once

// Message databases for the tests of the message log and the message pane: a connection of the
// test's own (like the pane's), databases created by the core library's own database class (the
// log writer's schema and WAL journal) or, for a file that another connection can lock against
// readers, with a rollback journal, filled with chosen records or with many generated ones.

#include "corelib/logging/logdatabase.h"
#include "corelib/logging/logrecord.h"

#include <QDateTime>
#include <QFile>
#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <atomic>

namespace MessageDb {

inline QString uniqueName(const char *purpose)
{
    static std::atomic<int> counter{0};
    return QStringLiteral("test.%1.%2").arg(QLatin1String(purpose)).arg(++counter);
}

// A connection of the test's own; a second connection waits 100 ms for a lock.
class Connection
{
public:
    explicit Connection(const QString &path, const char *purpose = "reader")
        : m_name(uniqueName(purpose))
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        database.setDatabaseName(path);
        database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=100"));
        m_open = database.open();
    }
    ~Connection()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool isOpen() const { return m_open; }
    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }

    // The statement's error text, empty on success.
    QString exec(const QString &statement) const
    {
        QSqlQuery query(database());
        if (query.exec(statement)) {
            return QString();
        }
        const QString error = query.lastError().text();
        return error.isEmpty() ? QStringLiteral("statement failed: %1").arg(statement) : error;
    }

    // Every row of `statement`, each as the texts of its columns; "<error: ...>" when it fails.
    QList<QStringList> rows(const QString &statement) const
    {
        QList<QStringList> result;
        QSqlQuery query(database());
        if (!query.exec(statement)) {
            return {{QStringLiteral("<error: %1>").arg(query.lastError().text())}};
        }
        while (query.next()) {
            QStringList row;
            for (int i = 0; i < query.record().count(); ++i) {
                row << query.value(i).toString();
            }
            result << row;
        }
        return result;
    }

    // The first column of every row of `statement`.
    QStringList column(const QString &statement) const
    {
        QStringList values;
        for (const QStringList &row : rows(statement)) {
            values << row.value(0);
        }
        return values;
    }

    // The first column of the first row, -1 on failure.
    qint64 number(const QString &statement) const
    {
        QSqlQuery query(database());
        if (!query.exec(statement) || !query.next()) {
            return -1;
        }
        return query.value(0).toLongLong();
    }

    int messageCount() const
    {
        return int(number(QStringLiteral("SELECT count(*) FROM logmessages")));
    }

    // The operation texts of all messages in id order.
    QStringList operations() const
    {
        return column(QStringLiteral("SELECT operation FROM logmessages ORDER BY id"));
    }

private:
    QString m_name;
    bool m_open = false;
};

// A message database as the log writer creates it (WAL journal). Empty text on success.
inline QString create(const QString &path)
{
    SRCore::LogDatabase database;
    QString error;
    if (database.open(path, &error) != SRCore::LogDatabase::Status::Ok) {
        return error.isEmpty() ? QStringLiteral("cannot create %1").arg(path) : error;
    }
    return QString();
}

// The same table in a file with a rollback journal, where a writer's exclusive lock keeps
// readers out.
inline QString createWithRollbackJournal(const QString &path)
{
    Connection connection(path, "rollback");
    QStringList columns = {QStringLiteral("id INTEGER PRIMARY KEY AUTOINCREMENT")};
    for (const QString &column : SRCore::LogDatabase::columnNames().mid(1)) {
        columns << column + QStringLiteral(" TEXT NOT NULL DEFAULT ''");
    }
    QString error = connection.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
    if (error.isEmpty()) {
        error = connection.exec(
            QStringLiteral("CREATE TABLE logmessages (%1)").arg(columns.join(QLatin1String(", "))));
    }
    return error;
}

// Appends `records` in one transaction as the log writer does. Empty text on success.
inline QString write(const QString &path, const QList<SRCore::LogRecord> &records)
{
    SRCore::LogDatabase database;
    QString error;
    if (database.open(path, &error) != SRCore::LogDatabase::Status::Ok
        || database.write(records, &error) != SRCore::LogDatabase::Status::Ok) {
        return error.isEmpty() ? QStringLiteral("cannot write %1").arg(path) : error;
    }
    return QString();
}

// A record of `level` with the operation `operation`, logged `secondsAgo` seconds ago.
inline SRCore::LogRecord record(int level, const QString &operation, int secondsAgo = 0)
{
    SRCore::LogRecord result(level, operation);
    result.module = QStringLiteral("Scripter");
    result.time = QDateTime::currentDateTimeUtc().addSecs(-secondsAgo);
    return result;
}

// The type word of generated message `x`: the eight words in turn, starting with "assert" for
// x = 1, so that messages 3, 11, 19, ... are "info" and 6, 7, 8, 14, 15, 16, ... are "start",
// "progress" and "end".
inline const QStringList &generatedTypes()
{
    static const QStringList types = {QStringLiteral("end"),     QStringLiteral("assert"),
                                      QStringLiteral("debug"),   QStringLiteral("info"),
                                      QStringLiteral("warning"), QStringLiteral("error"),
                                      QStringLiteral("start"),   QStringLiteral("progress")};
    return types;
}

// Appends `count` messages in one statement. Message x (counted from 1 among the generated ones)
// has the type generatedTypes()[x % 8], the module "Gen", the flow "Flow<x % 10>", the operation
// "Generated message %1" with the argument x, and a time x seconds after `count` seconds ago.
inline QString generate(const QString &path, int count)
{
    Connection connection(path, "generate");
    QStringList cases;
    for (int i = 0; i < generatedTypes().size(); ++i) {
        cases << QStringLiteral("WHEN %1 THEN '%2'").arg(i).arg(generatedTypes().at(i));
    }
    return connection.exec(
        QStringLiteral(
            "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
            "INSERT INTO logmessages (itemtime, type, module, flow, operation, argument) "
            "SELECT strftime('%Y-%m-%dT%H:%M:%fZ', 'now', '-' || (%1 - x) || ' seconds'), "
            "CASE x % 8 %2 END, 'Gen', 'Flow' || (x % 10), 'Generated message %3', x FROM n")
            .arg(count)
            .arg(cases.join(QLatin1Char(' ')), QStringLiteral("%1")));
}

// The message database of one test function, in a temporary folder of its own.
class Folder
{
public:
    bool isValid() const { return m_folder.isValid(); }
    QString folder() const { return m_folder.path(); }
    QString filePath(const QString &name) const { return m_folder.filePath(name); }
    QString path() const { return filePath(QStringLiteral("messages.db")); }
    // Makes the database, with `count` generated messages. Empty text on success.
    QString make(int count = 0, bool rollbackJournal = false) const
    {
        const QString error = rollbackJournal ? createWithRollbackJournal(path()) : create(path());
        return error.isEmpty() && count > 0 ? generate(path(), count) : error;
    }
    QString write(const QList<SRCore::LogRecord> &records) const
    {
        return MessageDb::write(path(), records);
    }

private:
    QTemporaryDir m_folder;
};

// Overwrites everything after the first page of an SQLite file with garbage: the file still
// looks like a database but its tables cannot be read.
inline bool damage(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || file.size() <= 4096) {
        return false;
    }
    file.seek(4096);
    return file.write(QByteArray(int(file.size() - 4096), '\x5a')) > 0;
}

// Breaks the link from the first overflow page of the one message whose text is `filler`
// repeated over whole pages: reading that message fails as a damaged database (SQLite's error
// 11), every other message reads as before. False when no such page is found.
inline bool breakLongMessage(const QString &path, char filler)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        return false;
    }
    QByteArray content = file.readAll();
    if (content.size() < 100) {
        return false;
    }
    // The page size is stored big-endian at offset 16; 1 stands for 65536.
    const int stored = (quint8(content.at(16)) << 8) | quint8(content.at(17));
    const qsizetype pageSize = stored == 1 ? 65536 : stored;
    const QByteArray fullPage(pageSize - 4, filler);
    for (qsizetype page = pageSize; page + pageSize <= content.size(); page += pageSize) {
        // An overflow page: the next page's number, then payload only.
        if (content.mid(page + 4, pageSize - 4) == fullPage) {
            file.seek(page);
            return file.write(QByteArray(4, '\xff')) == 4;
        }
    }
    return false;
}

} // namespace MessageDb
