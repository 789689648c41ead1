#include "logdatabase.h"

#include "logrecord.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <iterator>

namespace SRCore {

namespace {

// Primary result codes of SQLite that mean "someone else holds the lock".
constexpr int SqliteBusy = 5;
constexpr int SqliteLocked = 6;

// Time the connection itself waits for a lock before reporting Busy. Short, so that the writer
// thread stays responsive to shut-down; it retries on its own schedule.
const char connectOptions[] = "QSQLITE_BUSY_TIMEOUT=500";

// Empty fields are stored as '' rather than NULL, so that readers can compare every column as
// text.
QVariant columnText(const QString &text)
{
    return text.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(text);
}

} // namespace

QString LogDatabase::fileName()
{
    return QStringLiteral("messages.db");
}

const QStringList &LogDatabase::columnNames()
{
    static const QStringList names = {
        QStringLiteral("id"),        QStringLiteral("itemtime"),  QStringLiteral("type"),
        QStringLiteral("module"),    QStringLiteral("flow"),      QStringLiteral("element"),
        QStringLiteral("file"),      QStringLiteral("operation"), QStringLiteral("argument"),
        QStringLiteral("ticket"),    QStringLiteral("user"),      QStringLiteral("folder"),
        QStringLiteral("outfolder"), QStringLiteral("outfile"),
    };
    return names;
}

QString LogDatabase::timeText(const QDateTime &time)
{
    // ISODateWithMs of a UTC time is exactly "yyyy-MM-ddThh:mm:ss.zzzZ".
    return time.toUTC().toString(Qt::ISODateWithMs);
}

LogDatabase::LogDatabase(const QString &connectionName)
    : m_connectionName(connectionName)
{}

LogDatabase::~LogDatabase()
{
    close();
}

LogDatabase::Status LogDatabase::open(const QString &path, QString *errorMessage)
{
    close();
    m_path = QFileInfo(path).absoluteFilePath();
    const bool existed = QFileInfo::exists(m_path);
    Status status = checkFileHeader(errorMessage);
    if (status != Status::Ok) {
        return status;
    }

    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    if (!m_database.isValid()) {
        status =
            fail(m_database.lastError(), tr("The SQLite driver is not available"), errorMessage);
    } else {
        m_database.setDatabaseName(m_path);
        m_database.setConnectOptions(QString::fromLatin1(connectOptions));
        if (!m_database.open()) {
            status = fail(m_database.lastError(),
                          tr("Cannot open the message database %1").arg(m_path), errorMessage);
        } else {
            status = prepareSchema(errorMessage);
        }
    }
    if (status == Status::Ok) {
        m_insert = std::make_unique<QSqlQuery>(m_database);
        QStringList placeholders;
        for (int i = 1; i < columnNames().size(); ++i) {
            placeholders << QStringLiteral("?");
        }
        const QString statement = QStringLiteral("INSERT INTO logmessages (%1) VALUES (%2)")
                                      .arg(columnNames().mid(1).join(QLatin1Char(',')),
                                           placeholders.join(QLatin1Char(',')));
        if (!m_insert->prepare(statement)) {
            status =
                fail(m_insert->lastError(), tr("Cannot prepare writing messages"), errorMessage);
        }
    }
    if (status != Status::Ok) {
        close();
        // Do not leave behind an empty file that only this attempt created.
        if (!existed && QFileInfo(m_path).size() == 0) {
            QFile::remove(m_path);
        }
    }
    return status;
}

void LogDatabase::close()
{
    m_insert.reset();
    m_database.close();
    m_database = QSqlDatabase();
    // Also when the driver was missing: the name is registered all the same.
    if (QSqlDatabase::contains(m_connectionName)) {
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

LogDatabase::Status LogDatabase::write(const QList<LogRecord> &records, QString *errorMessage)
{
    if (!isOpen()) {
        if (errorMessage) {
            *errorMessage = tr("The message database is not open");
        }
        return Status::Failed;
    }
    QSqlQuery transaction(m_database);
    // IMMEDIATE takes the write lock at once, so that a busy database is found before any row
    // is sent rather than at the first insert.
    if (!transaction.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        return fail(transaction.lastError(),
                    tr("Cannot write to the message database %1").arg(m_path), errorMessage);
    }
    for (const LogRecord &record : records) {
        const QString values[] = {
            timeText(record.time), LogRecord::typeWord(record.level),
            record.module,         record.flow,
            record.element,        record.file,
            record.operation,      record.argument,
            record.ticket,         record.user,
            record.folder,         record.outFolder,
            record.outFile,
        };
        for (int i = 0; i < int(std::size(values)); ++i) {
            m_insert->bindValue(i, columnText(values[i]));
        }
        if (!m_insert->exec()) {
            const QSqlError error = m_insert->lastError();
            transaction.exec(QStringLiteral("ROLLBACK"));
            return fail(error, tr("Cannot write to the message database %1").arg(m_path),
                        errorMessage);
        }
    }
    if (!transaction.exec(QStringLiteral("COMMIT"))) {
        const QSqlError error = transaction.lastError();
        transaction.exec(QStringLiteral("ROLLBACK"));
        return fail(error, tr("Cannot write to the message database %1").arg(m_path), errorMessage);
    }
    return Status::Ok;
}

LogDatabase::Status LogDatabase::checkFileHeader(QString *errorMessage) const
{
    // Checked before SQLite sees the file: a foreign file is refused without being opened as a
    // database, even while another program holds a lock on it.
    const QFileInfo info(m_path);
    QString problem;
    if (info.isDir()) {
        problem = tr("%1 is a folder, not a message database").arg(m_path);
    } else if (info.exists() && info.size() > 0) {
        QFile file(m_path);
        static const QByteArray sqliteHeader("SQLite format 3", 16); // with its closing zero
        if (!file.open(QIODevice::ReadOnly)) {
            problem = tr("Cannot read the message database %1: %2").arg(m_path, file.errorString());
        } else if (file.read(sqliteHeader.size()) != sqliteHeader) {
            problem = tr("%1 is not an SQLite database").arg(m_path);
        }
    }
    if (problem.isEmpty()) {
        return Status::Ok;
    }
    if (errorMessage) {
        *errorMessage = problem;
    }
    return Status::Failed;
}

LogDatabase::Status LogDatabase::prepareSchema(QString *errorMessage)
{
    // Everything that only reads comes first, so that a file we refuse is never written.
    QSqlQuery query(m_database);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        return fail(query.lastError(), tr("Cannot read the message database %1").arg(m_path),
                    errorMessage);
    }
    const int version = query.value(0).toInt();
    if (version > SchemaVersion) {
        if (errorMessage) {
            *errorMessage = tr("The message database %1 has the schema version %2, which this "
                               "program does not know")
                                .arg(m_path)
                                .arg(version);
        }
        return Status::Failed;
    }
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                   "name = 'logmessages'"))) {
        return fail(query.lastError(), tr("Cannot read the message database %1").arg(m_path),
                    errorMessage);
    }
    const bool hasTable = query.next();
    if (hasTable) {
        if (!query.exec(QStringLiteral("PRAGMA table_info(logmessages)"))) {
            return fail(query.lastError(), tr("Cannot read the message database %1").arg(m_path),
                        errorMessage);
        }
        QStringList columns;
        while (query.next()) {
            columns << query.value(1).toString();
        }
        if (columns != columnNames()) {
            if (errorMessage) {
                *errorMessage = tr("The table logmessages of %1 has other columns than a message "
                                   "database")
                                    .arg(m_path);
            }
            return Status::Failed;
        }
    }

    // WAL lets readers on other connections see committed rows while this one writes.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL"))) {
        return fail(query.lastError(),
                    tr("Cannot switch the message database %1 to the WAL journal").arg(m_path),
                    errorMessage);
    }
    if (!query.next()
        || query.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
        if (errorMessage) {
            *errorMessage =
                tr("Cannot switch the message database %1 to the WAL journal; it may be read-only")
                    .arg(m_path);
        }
        return Status::Failed;
    }
    // With WAL, NORMAL never corrupts the file; a power cut may only lose the last messages.
    query.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));

    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        return fail(query.lastError(), tr("Cannot write to the message database %1").arg(m_path),
                    errorMessage);
    }
    QStringList statements;
    if (!hasTable) {
        QStringList columns = {QStringLiteral("id INTEGER PRIMARY KEY AUTOINCREMENT")};
        for (int i = 1; i < columnNames().size(); ++i) {
            columns << columnNames().at(i) + QLatin1String(" TEXT NOT NULL DEFAULT ''");
        }
        statements << QStringLiteral("CREATE TABLE logmessages (%1)")
                          .arg(columns.join(QLatin1String(", ")));
    }
    // Written even when it is already set: it proves that the file is writable, which the
    // write lock alone does not (a read-only file in WAL mode grants it).
    statements << QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion);
    statements << QStringLiteral("COMMIT");
    for (const QString &statement : std::as_const(statements)) {
        if (!query.exec(statement)) {
            const QSqlError error = query.lastError();
            query.exec(QStringLiteral("ROLLBACK"));
            return fail(error, tr("Cannot create the table logmessages in %1").arg(m_path),
                        errorMessage);
        }
    }
    return Status::Ok;
}

LogDatabase::Status LogDatabase::fail(const QSqlError &error, const QString &what,
                                      QString *errorMessage)
{
    if (errorMessage) {
        const QString detail = error.databaseText().isEmpty() ? error.text() : error.databaseText();
        *errorMessage = detail.isEmpty() ? what : tr("%1: %2").arg(what, detail);
    }
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == SqliteBusy || code == SqliteLocked ? Status::Busy : Status::Failed;
}

} // namespace SRCore
