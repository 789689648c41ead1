// Throughput of the message log: records per second from the first log() call until
// stopServerLog() returns with every record in `logmessages`, against a plain insert loop that
// writes the same records into a fresh database of the same layout, in one transaction with a
// prepared statement, on the same connection settings.
//
//   bench_logwriter [message count]      (default 200000)

#include "corelib/logging/logdatabase.h"
#include "corelib/logging/logmanager.h"
#include "corelib/logging/logrecord.h"
#include "corelib/logging/moduleloginterface.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QList>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

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

// Nanoseconds for a plain insert loop to store the same rows; -1 on failure.
qint64 runBaseline(const QList<SRCore::LogRecord> &records, const QString &folder)
{
    using namespace SRCore;
    QDir().mkpath(folder);
    LogDatabase database(QStringLiteral("bench.baseline"));
    QString error;
    if (database.open(QDir(folder).filePath(LogDatabase::fileName()), &error)
        != LogDatabase::Status::Ok) {
        std::fprintf(stderr, "cannot open the baseline database: %s\n", qPrintable(error));
        return -1;
    }
    QElapsedTimer timer;
    timer.start();
    QSqlQuery transaction(database.connection());
    QSqlQuery insert(database.connection());
    bool ok = transaction.exec(QStringLiteral("BEGIN"))
              && insert.prepare(QStringLiteral(
                  "INSERT INTO logmessages (itemtime, type, module, flow, element, file, "
                  "operation, argument, ticket, user, folder, outfolder, outfile) "
                  "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    for (qsizetype i = 0; ok && i < records.size(); ++i) {
        const LogRecord &record = records.at(i);
        insert.bindValue(0, LogDatabase::timeText(record.time));
        insert.bindValue(1, LogRecord::typeWord(record.level));
        insert.bindValue(2, record.module);
        insert.bindValue(3, record.flow);
        insert.bindValue(4, record.element);
        insert.bindValue(5, record.file);
        insert.bindValue(6, record.operation);
        insert.bindValue(7, record.argument);
        insert.bindValue(8, record.ticket);
        insert.bindValue(9, QString(QLatin1String("")));
        insert.bindValue(10, record.folder);
        insert.bindValue(11, QString(QLatin1String("")));
        insert.bindValue(12, QString(QLatin1String("")));
        ok = insert.exec();
    }
    ok = ok && transaction.exec(QStringLiteral("COMMIT"));
    const qint64 elapsed = timer.nsecsElapsed();
    if (!ok) {
        std::fprintf(stderr, "baseline failed: %s\n",
                     qPrintable(insert.lastError().text() + transaction.lastError().text()));
        return -1;
    }
    return elapsed;
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

    // Best of a few rounds each, alternating, on fresh files every time.
    qint64 writer = -1;
    qint64 baseline = -1;
    for (int round = 0; round < Rounds; ++round) {
        const qint64 w = runWriter(records, temp.filePath(QStringLiteral("writer%1").arg(round)));
        const qint64 b =
            runBaseline(records, temp.filePath(QStringLiteral("baseline%1").arg(round)));
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
    std::printf("plain insert loop: %.1f ms, %.0f messages/s\n", baseline / 1e6, baselineRate);
    std::printf("ratio: %.2f (target >= 0.50)\n", writerRate / baselineRate);
    return 0;
}
