// Throughput of the message log: records per second from the first log() call until
// stopServerLog() returns with every record in `logmessages`, against SQLite's C API inserting
// the same rows, already encoded as UTF-8, with a prepared statement in one transaction into a
// fresh database of the same layout and connection settings.
//
//   bench_logwriter [message count]      (default 200000)

#include "corelib/logging/logdatabase.h"
#include "corelib/logging/logmanager.h"
#include "corelib/logging/logrecord.h"
#include "corelib/logging/moduleloginterface.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int Rounds = 3;

QList<SRCore::LogRecord> makeRecords(int count)
{
    using namespace SRCore;
    static const int levels[] = {LogLevel::Information, LogLevel::Warning,  LogLevel::Error,
                                 LogLevel::Start,       LogLevel::Progress, LogLevel::End};
    QList<LogRecord> records;
    records.reserve(count);
    const QDateTime start = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < count; ++i) {
        LogRecord record(levels[i % 6], QStringLiteral("Processed file '%1' in %12 ms"),
                         QStringLiteral("Invoice flow"),
                         QStringLiteral("Script element %1").arg(i % 7),
                         QStringLiteral("job-%1.pdf").arg(i),
                         QStringLiteral("job-%1.pdf,%2").arg(i).arg(i % 1000));
        record.module = QStringLiteral("Benchmark");
        record.ticket = QStringLiteral("_%1_").arg(i, 5, 36, QLatin1Char('0'));
        record.folder = QStringLiteral("/data/in");
        record.time = start.addMSecs(i);
        records << record;
    }
    return records;
}

qint64 countRows(const QString &path)
{
    qint64 rows = -1;
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench.count"));
        database.setDatabaseName(path);
        if (database.open()) {
            QSqlQuery query(database);
            if (query.exec(QStringLiteral("SELECT count(*) FROM logmessages")) && query.next()) {
                rows = query.value(0).toLongLong();
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench.count"));
    return rows;
}

// Nanoseconds for the log writer to store all records; -1 on failure.
qint64 runWriter(const QList<SRCore::LogRecord> &records, const QString &folder)
{
    using namespace SRCore;
    QDir().mkpath(folder);
    LogManager *manager = LogManager::instance();
    if (manager->setDatabaseFiles(folder) != 0) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(manager->lastError()));
        return -1;
    }
    manager->startThread();
    ModuleLogInterface log(QStringLiteral("Benchmark"));
    QElapsedTimer timer;
    timer.start();
    for (const LogRecord &record : records) {
        log.log(record);
    }
    manager->stopServerLog();
    const qint64 elapsed = timer.nsecsElapsed();
    const QString path = manager->getDatabaseFile();
    LogManager::finalize();
    if (countRows(path) != records.size()) {
        std::fprintf(stderr, "the writer stored %lld of %lld records\n", countRows(path),
                     qint64(records.size()));
        return -1;
    }
    return elapsed;
}

// The rows of `records` as the database stores them, encoded before the baseline's timing.
QList<QByteArrayList> encodedRows(const QList<SRCore::LogRecord> &records)
{
    using namespace SRCore;
    QList<QByteArrayList> rows;
    rows.reserve(records.size());
    for (const LogRecord &record : records) {
        rows.append({LogDatabase::timeText(record.time).toUtf8(),
                     LogRecord::typeWord(record.level).toUtf8(), record.module.toUtf8(),
                     record.flow.toUtf8(), record.element.toUtf8(), record.file.toUtf8(),
                     record.operation.toUtf8(), record.argument.toUtf8(), record.ticket.toUtf8(),
                     record.user.toUtf8(), record.folder.toUtf8(), record.outFolder.toUtf8(),
                     record.outFile.toUtf8()});
    }
    return rows;
}

// Nanoseconds for SQLite's C API to insert `rows`; -1 on failure.
qint64 runBaseline(const QList<QByteArrayList> &rows, const QString &folder)
{
    using namespace SRCore;
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(LogDatabase::fileName());
    {
        // The same file layout and journal as the writer's.
        LogDatabase layout;
        QString error;
        if (layout.open(path, &error) != LogDatabase::Status::Ok) {
            std::fprintf(stderr, "cannot create the baseline database: %s\n", qPrintable(error));
            return -1;
        }
    }
    sqlite3 *database = nullptr;
    sqlite3_stmt *insert = nullptr;
    bool ok = sqlite3_open_v2(QFile::encodeName(path).constData(), &database,
                              SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr)
                  == SQLITE_OK
              && sqlite3_exec(database, "PRAGMA synchronous = NORMAL", nullptr, nullptr, nullptr)
                     == SQLITE_OK;
    QElapsedTimer timer;
    timer.start();
    ok = ok && sqlite3_exec(database, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK
         && sqlite3_prepare_v2(database,
                               "INSERT INTO logmessages (itemtime, type, module, flow, element, "
                               "file, operation, argument, ticket, user, folder, outfolder, "
                               "outfile) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)",
                               -1, &insert, nullptr)
                == SQLITE_OK;
    for (qsizetype i = 0; ok && i < rows.size(); ++i) {
        const QByteArrayList &row = rows.at(i);
        for (int column = 0; column < row.size(); ++column) {
            sqlite3_bind_text(insert, column + 1, row.at(column).constData(),
                              int(row.at(column).size()), SQLITE_STATIC);
        }
        ok = sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    ok = ok && sqlite3_exec(database, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    const qint64 elapsed = timer.nsecsElapsed();
    if (!ok) {
        std::fprintf(stderr, "baseline failed: %s\n", sqlite3_errmsg(database));
    }
    sqlite3_close(database);
    return ok ? elapsed : -1;
}

double perSecond(qint64 count, qint64 nanoseconds)
{
    return double(count) * 1e9 / double(std::max<qint64>(nanoseconds, 1));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int count = 200000;
    if (argc > 1) {
        bool ok = false;
        count = QString::fromLocal8Bit(argv[1]).toInt(&ok);
        if (!ok || count <= 0) {
            std::fprintf(stderr, "usage: %s [message count]\n", argv[0]);
            return 2;
        }
    }
    QTemporaryDir temp;
    if (!temp.isValid()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    const QList<SRCore::LogRecord> records = makeRecords(count);
    const QList<QByteArrayList> rows = encodedRows(records);

    // Best of a few rounds each, alternating, on fresh files every time.
    qint64 writer = -1;
    qint64 baseline = -1;
    for (int round = 0; round < Rounds; ++round) {
        const qint64 w = runWriter(records, temp.filePath(QStringLiteral("writer%1").arg(round)));
        const qint64 b = runBaseline(rows, temp.filePath(QStringLiteral("baseline%1").arg(round)));
        if (w < 0 || b < 0) {
            return 1;
        }
        writer = writer < 0 ? w : std::min(writer, w);
        baseline = baseline < 0 ? b : std::min(baseline, b);
    }

    const double writerRate = perSecond(count, writer);
    const double baselineRate = perSecond(count, baseline);
    std::printf("messages: %d (best of %d rounds)\n", count, Rounds);
    std::printf("log writer: %.1f ms, %.0f messages/s\n", writer / 1e6, writerRate);
    std::printf("SQLite C API insert loop: %.1f ms, %.0f rows/s\n", baseline / 1e6, baselineRate);
    std::printf("ratio: %.2f (target >= 0.50)\n", writerRate / baselineRate);
    return 0;
}
