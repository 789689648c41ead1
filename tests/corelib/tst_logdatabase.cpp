// The log writer's connection on its own: the time stamps it stores and how it keeps the stored
// messages within their size limit.

#include "common/testmain.h"

#include "common/messagedatabase.h"
#include "logtestsupport.h"

#include "corelib/logging/logdatabase.h"
#include "corelib/logging/logrecord.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace SRCore;

namespace {

constexpr qint64 KiB = 1024;

// `count` messages of about 1 KiB each, numbered from `first` in their operation.
QList<LogRecord> messages(int first, int count)
{
    QList<LogRecord> records;
    for (int i = first; i < first + count; ++i) {
        LogRecord record(LogLevel::Information, QStringLiteral("message %1").arg(i));
        record.argument = QString(1000, QLatin1Char('x'));
        record.time = QDateTime::currentDateTimeUtc();
        records << record;
    }
    return records;
}

} // namespace

class tst_LogDatabase : public QObject
{
    Q_OBJECT

private slots:
    void timeTextIsUtcWithMilliseconds_data();
    void timeTextIsUtcWithMilliseconds();
    void keepsTheNewestMessagesWithinTheLimit_data();
    void keepsTheNewestMessagesWithinTheLimit();
    void trimsADatabaseOfAnEarlierRun();
};

void tst_LogDatabase::timeTextIsUtcWithMilliseconds_data()
{
    QTest::addColumn<QDateTime>("time");

    const auto utc = [](const char *text) {
        return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODateWithMs);
    };
    // clang-format off
    QTest::newRow("the epoch") << utc("1970-01-01T00:00:00.000Z");
    QTest::newRow("a leap day") << utc("2024-02-29T23:59:59.999Z");
    QTest::newRow("the last millisecond before the epoch") << utc("1969-12-31T23:59:59.999Z");
    QTest::newRow("the end of a century year that is no leap year") << utc("2100-03-01T00:00:00.001Z");
    QTest::newRow("a year with fewer than four digits") << utc("0999-07-04T12:30:05.050Z");
    QTest::newRow("the last year of four digits") << utc("9999-12-31T23:59:59.999Z");
    QTest::newRow("a year of five digits") << utc("9999-12-31T23:59:59.999Z").addYears(1);
    QTest::newRow("local time is stored as UTC")
        << QDateTime(QDate(2023, 6, 1), QTime(10, 0), Qt::OffsetFromUTC, 7200);
    // clang-format on
}

void tst_LogDatabase::timeTextIsUtcWithMilliseconds()
{
    QFETCH(QDateTime, time);

    QCOMPARE(LogDatabase::timeText(time), time.toUTC().toString(Qt::ISODateWithMs));
}

void tst_LogDatabase::keepsTheNewestMessagesWithinTheLimit_data()
{
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<int>("written");
    QTest::addColumn<bool>("oldestRemoved");

    // clang-format off
    QTest::newRow("messages within the limit all stay") << 2048 * KiB << 500 << false;
    QTest::newRow("messages past the limit lose the oldest") << 256 * KiB << 2000 << true;
    QTest::newRow("a limit below one message keeps only the newest") << qint64(1) << 50 << true;
    // clang-format on
}

void tst_LogDatabase::keepsTheNewestMessagesWithinTheLimit()
{
    QFETCH(qint64, limit);
    QFETCH(int, written);
    QFETCH(bool, oldestRemoved);

    QTemporaryDir dir;
    const QString path = dir.filePath(LogDatabase::fileName());
    LogDatabase database;
    QCOMPARE(database.open(path), LogDatabase::Status::Ok);
    database.setSizeLimit(limit);
    // In batches, as the writer stores them.
    for (int first = 0; first < written; first += 100) {
        QCOMPARE(database.write(messages(first, qMin(100, written - first))),
                 LogDatabase::Status::Ok);
    }

    const MessageDb::Connection reader(path);
    const QStringList operations = reader.operations();
    QVERIFY(!operations.isEmpty());
    QCOMPARE(operations.last(), QStringLiteral("message %1").arg(written - 1));
    QCOMPARE(operations.first() != QStringLiteral("message 0"), oldestRemoved);
    // What stays is the newest messages without a gap.
    QCOMPARE(operations.first(), QStringLiteral("message %1").arg(written - operations.size()));
    if (oldestRemoved && limit > 1) {
        QVERIFY2(database.storedBytes() <= limit,
                 qPrintable(QStringLiteral("%1 bytes stored").arg(database.storedBytes())));
    }
}

void tst_LogDatabase::trimsADatabaseOfAnEarlierRun()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(LogDatabase::fileName());
    {
        LogDatabase earlier;
        QCOMPARE(earlier.open(path), LogDatabase::Status::Ok);
        QCOMPARE(earlier.write(messages(0, 1000)), LogDatabase::Status::Ok);
    }

    LogDatabase database;
    QCOMPARE(database.open(path), LogDatabase::Status::Ok);
    database.setSizeLimit(200 * KiB);
    QCOMPARE(database.trim(), LogDatabase::Status::Ok);
    QVERIFY(database.storedBytes() <= 200 * KiB);

    const MessageDb::Connection reader(path);
    const QStringList operations = reader.operations();
    QVERIFY(operations.size() < 1000);
    QCOMPARE(operations.last(), QStringLiteral("message 999"));
}

TAVRIX_TEST_GUILESS_MAIN(tst_LogDatabase)
#include "tst_logdatabase.moc"
