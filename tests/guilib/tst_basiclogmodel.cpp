// The rows of the message table: what each column shows, and how refreshed and searched messages
// join the rows held.

#include "common/testmain.h"

#include "germanwords.h"

#include "guilib/log/basiclogmodel.h"

#include "corelib/logging/logrecord.h"

#include <QAbstractItemModelTester>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>
#include <QTranslator>

#include <ctime>

using GuiLib::BasicLogModel;
using SRCore::LogRecord;
namespace Level = SRCore::LogLevel;

namespace {

LogRecord message(qint64 id, int level = Level::Information)
{
    LogRecord record(level, QStringLiteral("message %1").arg(id));
    record.id = id;
    record.time = QDateTime(QDate(2024, 3, 1), QTime(12, 0), Qt::UTC).addSecs(id);
    return record;
}

QList<LogRecord> messages(std::initializer_list<qint64> ids)
{
    QList<LogRecord> records;
    for (qint64 id : ids) {
        records << message(id);
    }
    return records;
}

QList<qint64> ids(const BasicLogModel &model)
{
    QList<qint64> result;
    for (int row = 0; row < model.rowCount(); ++row) {
        result << model.record(row).id;
    }
    return result;
}

} // namespace

class tst_BasicLogModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void timeStampNamesTheDay_data();
    void timeStampNamesTheDay();
    void showsEveryFieldInItsColumn();
    void typeAndModuleAreTranslated();

    void newMessagesGoOnTopAndTheOldestGo();
    void foundMessagesAreMergedByIdUpToTheLimit();
    void clearEmptiesTheRows();
};

void tst_BasicLogModel::initTestCase()
{
    // Time stamps are shown in local time; the expected texts are written for UTC and en_US.
    qputenv("TZ", "UTC");
    tzset();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void tst_BasicLogModel::timeStampNamesTheDay_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QString>("expected");
    const QDateTime today(QDate(2024, 3, 6), QTime(0, 0), Qt::UTC); // a Wednesday
    // clang-format off
    QTest::newRow("today") << today.addSecs(9 * 3600 + 5 * 60 + 59) << "Today 9:05 AM";
    QTest::newRow("just after midnight") << today.addSecs(60) << "Today 12:01 AM";
    QTest::newRow("yesterday") << today.addSecs(-60) << "Yesterday 11:59 PM";
    QTest::newRow("two days ago") << today.addDays(-2).addSecs(14 * 3600) << "Monday 3/4/24 2:00 PM";
    QTest::newRow("last year") << QDateTime(QDate(2023, 12, 31), QTime(18, 30), Qt::UTC) << "Sunday 12/31/23 6:30 PM";
    QTest::newRow("tomorrow is not today") << today.addDays(1).addSecs(3600) << "Thursday 3/7/24 1:00 AM";
    QTest::newRow("unreadable time") << QDateTime() << "";
    // clang-format on
}

void tst_BasicLogModel::timeStampNamesTheDay()
{
    QFETCH(QDateTime, time);
    QFETCH(QString, expected);
    QCOMPARE(BasicLogModel::timeText(time, QDate(2024, 3, 6)), expected);
}

void tst_BasicLogModel::showsEveryFieldInItsColumn()
{
    BasicLogModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    LogRecord record(Level::Warning, QStringLiteral("Copied %11 to %12"), QStringLiteral("Flow A"),
                     QStringLiteral("Element B"), QStringLiteral("job.pdf"),
                     QStringLiteral("a.pdf,/out/x,y.pdf"));
    record.id = 7;
    record.module = QStringLiteral("Runner");
    record.ticket = QStringLiteral("_00A1B_");
    record.time = QDateTime::currentDateTimeUtc();
    model.addNewRecords({record}, 10);

    const QStringList expected = {
        BasicLogModel::timeText(record.time, QDate::currentDate()),
        QStringLiteral("warning"),
        QStringLiteral("Runner"),
        QStringLiteral("Flow A"),
        QStringLiteral("Element B"),
        QStringLiteral("_00A1B_"),
        QStringLiteral("job.pdf"),
        // The last part takes the rest of the argument, commas included.
        QStringLiteral("Copied a.pdf to /out/x,y.pdf"),
    };
    QCOMPARE(model.columnCount(), expected.size());
    for (int column = 0; column < expected.size(); ++column) {
        QCOMPARE(model.index(0, column).data().toString(), expected.at(column));
        QCOMPARE(model.displayText(0, column), expected.at(column));
    }
    QVERIFY(expected.constFirst().startsWith(QLatin1String("Today ")));
    QCOMPARE(model.index(0, BasicLogModel::MessageColumn).data(Qt::ToolTipRole).toString(),
             expected.constLast());
    QCOMPARE(BasicLogModel::columnText(record, BasicLogModel::MessageColumn, QDate::currentDate()),
             expected.constLast());
}

void tst_BasicLogModel::typeAndModuleAreTranslated()
{
    // Levels without a word of their own show "info".
    QCOMPARE(BasicLogModel::typeText(0), QStringLiteral("info"));
    QCOMPARE(BasicLogModel::typeText(42), QStringLiteral("info"));

    GermanWords german;
    QCoreApplication::installTranslator(&german);
    QCOMPARE(BasicLogModel::typeText(Level::Error), QStringLiteral("Fehler"));
    QCOMPARE(BasicLogModel::typeText(Level::Warning), QStringLiteral("warning"));
    QCOMPARE(BasicLogModel::moduleText(QStringLiteral("Scripter")), QStringLiteral("Skripter"));
    QCOMPARE(BasicLogModel::moduleText(QStringLiteral("Runner")), QStringLiteral("Runner"));
    QCOMPARE(BasicLogModel::moduleText(QString()), QString());
    QCoreApplication::removeTranslator(&german);
    QCOMPARE(BasicLogModel::typeText(Level::Error), QStringLiteral("error"));
}

void tst_BasicLogModel::newMessagesGoOnTopAndTheOldestGo()
{
    BasicLogModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    model.addNewRecords(messages({3, 2, 1}), 5);
    QCOMPARE(ids(model), QList<qint64>({3, 2, 1}));
    // Newer messages arrive newest first too, and are inserted in one step above the others.
    model.addNewRecords(messages({5, 4}), 5);
    QCOMPARE(ids(model), QList<qint64>({5, 4, 3, 2, 1}));
    QCOMPARE(inserted.size(), 2);
    QCOMPARE(inserted.at(1).at(1).toInt(), 0);
    QCOMPARE(inserted.at(1).at(2).toInt(), 1);

    model.addNewRecords(messages({8, 7, 6}), 5);
    QCOMPARE(ids(model), QList<qint64>({8, 7, 6, 5, 4}));
    QVERIFY(!model.contains(1));
    QVERIFY(model.contains(8));

    // Messages already held are not held twice, whatever order they come in.
    model.addNewRecords(messages({6, 9, 9, 8}), 10);
    QCOMPARE(ids(model), QList<qint64>({9, 8, 7, 6, 5, 4}));
    QCOMPARE(reset.size(), 0);
}

void tst_BasicLogModel::foundMessagesAreMergedByIdUpToTheLimit()
{
    BasicLogModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.addNewRecords(messages({90, 80, 50}), 100);

    // Found messages fill the gaps and go below the oldest; held ones are skipped.
    QCOMPARE(model.addFoundRecords(messages({85, 80, 60, 40, 30}), 100), 4);
    QCOMPARE(ids(model), QList<qint64>({90, 85, 80, 60, 50, 40, 30}));

    // With room for two more, the two newest found are added, the oldest found dropped; the
    // rows held before all stay.
    QCOMPARE(model.addFoundRecords(messages({95, 20, 10, 5}), 9), 2);
    QCOMPARE(ids(model), QList<qint64>({95, 90, 85, 80, 60, 50, 40, 30, 20}));

    QCOMPARE(model.addFoundRecords(messages({1}), 9), 0);
    QCOMPARE(model.rowCount(), 9);
    QCOMPARE(model.index(1, BasicLogModel::MessageColumn).data().toString(),
             QStringLiteral("message 90"));
}

void tst_BasicLogModel::clearEmptiesTheRows()
{
    BasicLogModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.addNewRecords(messages({2, 1}), 10);
    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.contains(2));
    // A message that was held before can come again after clearing.
    model.addNewRecords(messages({2}), 10);
    QCOMPARE(ids(model), QList<qint64>({2}));
}

TAVRIX_TEST_GUILESS_MAIN(tst_BasicLogModel)
#include "tst_basiclogmodel.moc"
