#include "logprovider.h"

#include "loglogging.h"

#include "corelib/logging/logdatabase.h"
#include "corelib/logging/logrecord.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>

namespace GuiLib {

namespace {

// A read waits this long for a lock held by someone else before it fails: the log writer in
// WAL mode never blocks readers, so only a foreign lock makes a read wait at all.
constexpr int ReadBusyTimeoutMs = 100;
// Deleting waits for the log writer's current transaction, which takes at most about half a
// second for a large burst.
constexpr int DeleteBusyTimeoutMs = 2000;
// A read that may be stopped looks at its flag after this many messages.
constexpr int StopCheckInterval = 256;

const char selectColumns[] =
    "SELECT id, itemtime, type, module, flow, element, file, operation, argument, ticket, user, "
    "folder, outfolder, outfile FROM logmessages";

QString typeCondition()
{
    QStringList terms;
    for (const QString &type : LogProvider::loadedTypes()) {
        terms << QStringLiteral("type='%1'").arg(type);
    }
    return QStringLiteral(" ( %1 )").arg(terms.join(QLatin1String(" OR ")));
}

QString rangeCondition(qint64 fromId, qint64 toId)
{
    return QStringLiteral(" WHERE ( id>='%1' AND id<='%2' )").arg(fromId).arg(toId);
}

int nextConnectionNumber()
{
    static std::atomic<int> counter{0};
    return ++counter;
}

} // namespace

LogProvider::LogProvider(const QString &databaseFile)
    : m_databaseFile(databaseFile)
    , m_connectionName(QStringLiteral("DatabaseConnection%1").arg(nextConnectionNumber()))
{}

LogProvider::~LogProvider()
{
    close();
}

const QStringList &LogProvider::loadedTypes()
{
    using SRCore::LogRecord;
    namespace Level = SRCore::LogLevel;
    static const QStringList types = {
        LogRecord::typeWord(Level::Error), LogRecord::typeWord(Level::Warning),
        LogRecord::typeWord(Level::Information), LogRecord::typeWord(Level::Debug),
        LogRecord::typeWord(Level::Assert)};
    return types;
}

QString LogProvider::refreshQuery(std::optional<qint64> threshold)
{
    QString query = QLatin1String(selectColumns) + QLatin1String(" WHERE");
    if (threshold) {
        query += QStringLiteral("( id>'%1' )").arg(*threshold) + QLatin1String(" AND");
    }
    query += typeCondition();
    query += QLatin1String(" ORDER BY id") + QLatin1String(" DESC LIMIT ")
             + QString::number(RefreshLimit);
    return query;
}

QSqlDatabase LogProvider::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool LogProvider::open(Error *error)
{
    if (m_open) {
        return true;
    }
    if (m_databaseFile.isEmpty()) {
        if (error) {
            *error = {tr("No message database file is given"), QString()};
        }
        return false;
    }
    if (!QFileInfo::exists(m_databaseFile)) {
        if (error) {
            *error = {tr("The message database %1 does not exist").arg(m_databaseFile), QString()};
        }
        return false;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        // "mode=rw" opens for reading and deleting but never creates a file: a database that
        // disappears is recreated by the log writer, not by a reader.
        QUrl url = QUrl::fromLocalFile(QFileInfo(m_databaseFile).absoluteFilePath());
        url.setQuery(QStringLiteral("mode=rw"));
        db.setDatabaseName(url.toString(QUrl::FullyEncoded));
        db.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(ReadBusyTimeoutMs));
        m_open = db.open();
        if (!m_open) {
            setError(db.lastError(), error);
        }
    }
    if (!m_open) {
        QSqlDatabase::removeDatabase(m_connectionName);
    }
    return m_open;
}

void LogProvider::close()
{
    if (!QSqlDatabase::contains(m_connectionName)) {
        return;
    }
    {
        QSqlDatabase db = database();
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_open = false;
}

void LogProvider::setError(const QSqlError &sqlError, Error *error)
{
    if (!error) {
        return;
    }
    const QString text =
        sqlError.databaseText().isEmpty() ? sqlError.text() : sqlError.databaseText();
    *error = {text.isEmpty() ? tr("Unknown database error") : text, sqlError.nativeErrorCode()};
}

bool LogProvider::execute(QSqlQuery &query, const QString &statement, Error *error)
{
    query.setForwardOnly(true);
    if (query.exec(statement)) {
        return true;
    }
    setError(query.lastError(), error);
    qCDebug(lcGuiLibLog) << "query failed:" << statement << query.lastError().text();
    return false;
}

bool LogProvider::readRecords(QSqlQuery &query, const QString &statement,
                              QList<SRCore::LogRecord> *records, Error *error,
                              const std::atomic<bool> *stop)
{
    if (!execute(query, statement, error)) {
        return false;
    }
    QList<SRCore::LogRecord> result;
    while (query.next()) {
        if (stop && result.size() % StopCheckInterval == 0 && *stop) {
            if (error) {
                *error = {tr("Reading was stopped"), QString()};
            }
            return false;
        }
        SRCore::LogRecord record;
        record.id = query.value(0).toLongLong();
        record.time = SRCore::LogDatabase::timeFromText(query.value(1).toString());
        record.level = SRCore::LogRecord::levelOfTypeWord(query.value(2).toString());
        record.module = query.value(3).toString();
        record.flow = query.value(4).toString();
        record.element = query.value(5).toString();
        record.file = query.value(6).toString();
        record.operation = query.value(7).toString();
        record.argument = query.value(8).toString();
        record.ticket = query.value(9).toString();
        record.user = query.value(10).toString();
        record.folder = query.value(11).toString();
        record.outFolder = query.value(12).toString();
        record.outFile = query.value(13).toString();
        result << record;
    }
    // A step can fail half-way (a damaged page); then nothing of it is taken.
    if (query.lastError().isValid()) {
        setError(query.lastError(), error);
        return false;
    }
    *records = result;
    return true;
}

bool LogProvider::loadNewRecords(QList<SRCore::LogRecord> *records, Error *error)
{
    // A connection stays on the file it opened, also after the file was removed; the log writer
    // then makes a new one in its place. Opening anew for each load finds that file.
    close();
    if (!open(error)) {
        return false;
    }
    bool ok = false;
    {
        QSqlQuery query(database());
        ok = readRecords(query, refreshQuery(m_threshold), records, error);
    }
    if (!ok) {
        // The next attempt opens the file again, which also finds a file that was replaced.
        close();
        return false;
    }
    if (!records->isEmpty()) {
        m_threshold = records->constFirst().id;
    }
    return true;
}

bool LogProvider::readId(const QString &statement, std::optional<qint64> *id, Error *error)
{
    if (!open(error)) {
        return false;
    }
    QSqlQuery query(database());
    if (!execute(query, statement, error)) {
        return false;
    }
    id->reset();
    if (query.next()) {
        if (!query.isNull(0)) {
            *id = query.value(0).toLongLong();
        }
    } else if (query.lastError().isValid()) {
        setError(query.lastError(), error);
        return false;
    }
    return true;
}

bool LogProvider::lowestLoadableId(std::optional<qint64> *id, Error *error)
{
    // Ordering by the primary key with a limit walks the table from its oldest message and stops
    // at the first match; min() with a condition would read every row.
    return readId(QStringLiteral("SELECT id FROM logmessages WHERE") + typeCondition()
                      + QLatin1String(" ORDER BY id LIMIT 1"),
                  id, error);
}

bool LogProvider::highestId(std::optional<qint64> *id, Error *error)
{
    return readId(QStringLiteral("SELECT max(id) FROM logmessages"), id, error);
}

bool LogProvider::countMessages(qint64 fromId, qint64 toId, qint64 *count, Error *error)
{
    if (!open(error)) {
        return false;
    }
    QSqlQuery query(database());
    if (!execute(query,
                 QStringLiteral("select count(id) from logmessages") + rangeCondition(fromId, toId),
                 error)) {
        return false;
    }
    if (!query.next()) {
        setError(query.lastError(), error);
        return false;
    }
    *count = query.value(0).toLongLong();
    return true;
}

bool LogProvider::readRange(qint64 fromId, qint64 toId, int limit,
                            QList<SRCore::LogRecord> *records, Error *error,
                            const std::atomic<bool> *stop)
{
    if (!open(error)) {
        return false;
    }
    QSqlQuery query(database());
    return readRecords(query,
                       QLatin1String(selectColumns) + rangeCondition(fromId, toId)
                           + QStringLiteral(" ORDER BY id DESC LIMIT %1").arg(limit),
                       records, error, stop);
}

bool LogProvider::removeAllMessages(Error *error)
{
    if (!open(error)) {
        return false;
    }
    QSqlQuery query(database());
    execute(query, QStringLiteral("PRAGMA busy_timeout = %1").arg(DeleteBusyTimeoutMs), nullptr);
    const bool removed = execute(query, QStringLiteral("delete from logmessages"), error);
    execute(query, QStringLiteral("PRAGMA busy_timeout = %1").arg(ReadBusyTimeoutMs), nullptr);
    return removed;
}

} // namespace GuiLib
