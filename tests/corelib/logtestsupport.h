#pragma once

// Helpers shared by the message log tests: a reader connection of its own on the message
// database, a lock held by a second connection, and a collector of lcCoreLib warnings.

#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <atomic>

namespace LogTest {

inline QString uniqueConnectionName(const char *purpose)
{
    static std::atomic<int> counter{0};
    return QStringLiteral("test.%1.%2").arg(QLatin1String(purpose)).arg(++counter);
}

// A connection of the test's own, like the message pane's.
class Connection
{
public:
    explicit Connection(const QString &path, const char *purpose = "reader")
        : m_name(uniqueConnectionName(purpose))
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

    bool exec(const QString &statement, QString *error = nullptr) const
    {
        QSqlQuery query(database());
        const bool ok = query.exec(statement);
        if (!ok && error) {
            *error = query.lastError().text();
        }
        return ok;
    }

    // The first column of every row of `statement`, as text; "<error: ...>" when it fails.
    QStringList column(const QString &statement) const
    {
        QSqlQuery query(database());
        if (!query.exec(statement)) {
            return {QStringLiteral("<error: %1>").arg(query.lastError().text())};
        }
        QStringList values;
        while (query.next()) {
            values << query.value(0).toString();
        }
        return values;
    }

    // Every row of `statement`, each as the texts of its columns.
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

    // Number of stored messages; -1 when the table cannot be read.
    int messageCount() const
    {
        QSqlQuery query(database());
        if (!query.exec(QStringLiteral("SELECT count(*) FROM logmessages")) || !query.next()) {
            return -1;
        }
        return query.value(0).toInt();
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

// Collects the warnings of the "tavrix.corelib" category from every thread while it lives.
class CoreLibWarnings
{
public:
    CoreLibWarnings()
    {
        current() = this;
        m_previous = qInstallMessageHandler(&CoreLibWarnings::handle);
    }
    ~CoreLibWarnings()
    {
        qInstallMessageHandler(m_previous);
        current() = nullptr;
    }
    CoreLibWarnings(const CoreLibWarnings &) = delete;
    CoreLibWarnings &operator=(const CoreLibWarnings &) = delete;

    QStringList messages() const
    {
        QMutexLocker lock(&m_mutex);
        return m_messages;
    }
    // The warnings that contain `text`.
    QStringList containing(const QString &text) const { return messages().filter(text); }

private:
    static CoreLibWarnings *&current()
    {
        static CoreLibWarnings *collector = nullptr;
        return collector;
    }
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        CoreLibWarnings *collector = current();
        if (collector && type == QtWarningMsg && context.category
            && qstrcmp(context.category, "tavrix.corelib") == 0) {
            QMutexLocker lock(&collector->m_mutex);
            collector->m_messages << message;
            return;
        }
        if (collector && collector->m_previous) {
            collector->m_previous(type, context, message);
        }
    }

    mutable QMutex m_mutex;
    QStringList m_messages;
    QtMessageHandler m_previous = nullptr;
};

} // namespace LogTest
