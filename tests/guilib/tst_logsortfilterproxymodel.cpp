// The filter rules of the message table's columns and its sorting.

#include "common/testmain.h"

#include "guilib/log/basiclogmodel.h"
#include "guilib/log/logsortfilterproxymodel.h"

#include "corelib/logging/logrecord.h"

#include <QAbstractItemModelTester>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

using GuiLib::BasicLogModel;
using GuiLib::LogSortFilterProxyModel;
using SRCore::LogRecord;
namespace Level = SRCore::LogLevel;

namespace {

// Filters as "column:text" items, the column as its number.
using ColumnFilters = QStringList;

LogRecord message(qint64 id, int level, double hoursAgo, const QString &module, const QString &flow,
                  const QString &operation, const QString &argument = {})
{
    LogRecord record(level, operation, flow, QString(), QString(), argument);
    record.id = id;
    record.module = module;
    record.ticket = QStringLiteral("_%1A_").arg(id, 4, 10, QLatin1Char('0'));
    record.file = QStringLiteral("job%1.pdf").arg(id);
    record.time = QDateTime::currentDateTimeUtc().addSecs(-qint64(hoursAgo * 3600));
    return record;
}

// Six messages of every kind of content, newest first.
QList<LogRecord> sampleMessages()
{
    return {
        message(6, Level::Error, 0.5, QStringLiteral("Scripter"), QStringLiteral("Invoices"),
                QStringLiteral("Cannot open %1"), QStringLiteral("a.pdf")),
        message(5, Level::Warning, 3, QStringLiteral("Scripter control"),
                QStringLiteral("Orders 2024"), QStringLiteral("Disk almost full")),
        message(4, Level::Information, 30, QStringLiteral("Runner"), QStringLiteral("Invoices"),
                QStringLiteral("Job '%1' done"), QStringLiteral("c.txt")),
        message(3, Level::Debug, 50, QStringLiteral("Gen"), QString(),
                QStringLiteral("Value is 'x y'")),
        message(2, Level::Assert, 100, QStringLiteral("Gen"), QStringLiteral("orders"),
                QStringLiteral("it's full")),
        message(1, 17, 200, QStringLiteral("Runner"), QStringLiteral("Orders"),
                QStringLiteral("Disk full")),
    };
}

QList<qint64> shownIds(const LogSortFilterProxyModel &proxy)
{
    QList<qint64> ids;
    for (int row = 0; row < proxy.rowCount(); ++row) {
        ids << proxy.logModel()->record(proxy.mapToSource(proxy.index(row, 0)).row()).id;
    }
    return ids;
}

} // namespace

class tst_LogSortFilterProxyModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void splitsFilterTextsIntoTokens_data();
    void splitsFilterTextsIntoTokens();
    void filtersRowsByColumn_data();
    void filtersRowsByColumn();
    void searchTestsRecordsWithTheSameRules();
    void newRowsAreFilteredAsTheyArrive();
    void reportsProgressWhileFiltering();
    void sortsTheTimeColumnByTimeAndOthersByText();
};

void tst_LogSortFilterProxyModel::initTestCase()
{
    // Short dates as "3/4/24": no date text contains a "-".
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void tst_LogSortFilterProxyModel::splitsFilterTextsIntoTokens_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("tokens");
    QTest::newRow("words at spaces") << "error warning" << QStringList{"error", "warning"};
    QTest::newRow("runs of blanks and tabs") << "  a \t b  " << QStringList{"a", "b"};
    QTest::newRow("nothing but blanks") << "   " << QStringList{};
    QTest::newRow("quoted part keeps its spaces") << "'a b' c" << QStringList{"a b", "c"};
    QTest::newRow("quoted part between words") << "x 'a  b' y" << QStringList{"x", "a  b", "y"};
    QTest::newRow("apostrophe inside a word") << "it's done" << QStringList{"it's", "done"};
    QTest::newRow("unclosed quote runs to the end") << "x 'a b" << QStringList{"x", "a b"};
    QTest::newRow("empty quotes are no token") << "'' x" << QStringList{"x"};
    QTest::newRow("text right after a closing quote") << "'a b'c" << QStringList{"a b", "c"};
}

void tst_LogSortFilterProxyModel::splitsFilterTextsIntoTokens()
{
    QFETCH(QString, text);
    QFETCH(QStringList, tokens);
    QCOMPARE(LogSortFilterProxyModel::filterTokens(text), tokens);
}

void tst_LogSortFilterProxyModel::filtersRowsByColumn_data()
{
    QTest::addColumn<ColumnFilters>("filters");
    QTest::addColumn<QList<qint64>>("shown");
    const auto on = [](int column, const char *text) {
        return QStringLiteral("%1:%2").arg(column).arg(QLatin1String(text));
    };
    const int time = BasicLogModel::TimeColumn;
    const int type = BasicLogModel::TypeColumn;
    const int module = BasicLogModel::ModuleColumn;
    const int flow = BasicLogModel::FlowColumn;
    const int prefix = BasicLogModel::JobPrefixColumn;
    const int job = BasicLogModel::JobColumn;
    const int text = BasicLogModel::MessageColumn;

    // clang-format off
    QTest::newRow("no filter shows all") << ColumnFilters{} << QList<qint64>{6, 5, 4, 3, 2, 1};
    QTest::newRow("blank filter shows all") << ColumnFilters{on(type, "   ")} << QList<qint64>{6, 5, 4, 3, 2, 1};
    QTest::newRow("error and warning show only those two types") << ColumnFilters{on(type, "error warning")} << QList<qint64>{6, 5};
    QTest::newRow("type ignores case") << ColumnFilters{on(type, "ERROR")} << QList<qint64>{6};
    QTest::newRow("unknown level is filtered as info") << ColumnFilters{on(type, "info")} << QList<qint64>{4, 1};
    QTest::newRow("partial module names") << ColumnFilters{on(module, "script gen")} << QList<qint64>{6, 5, 3, 2};
    QTest::newRow("quoted module name with space") << ColumnFilters{on(module, "'scripter control'")} << QList<qint64>{5};
    QTest::newRow("flow contains any token") << ColumnFilters{on(flow, "voice 2024")} << QList<qint64>{6, 5, 4};
    QTest::newRow("empty field passes no token") << ColumnFilters{on(flow, "o")} << QList<qint64>{6, 5, 4, 2, 1};
    QTest::newRow("job prefix") << ColumnFilters{on(prefix, "0002 0005")} << QList<qint64>{5, 2};
    QTest::newRow("job name") << ColumnFilters{on(job, "JOB4.pdf")} << QList<qint64>{4};
    QTest::newRow("message as shown, argument filled in") << ColumnFilters{on(text, "a.pdf")} << QList<qint64>{6};
    QTest::newRow("place marker is not shown") << ColumnFilters{on(text, "%1")} << QList<qint64>{};
    QTest::newRow("quoted words must appear together") << ColumnFilters{on(text, "'almost full'")} << QList<qint64>{5};
    QTest::newRow("unquoted words may appear apart") << ColumnFilters{on(text, "almost full")} << QList<qint64>{5, 2, 1};
    QTest::newRow("apostrophe in a word is literal") << ColumnFilters{on(text, "it's")} << QList<qint64>{2};
    QTest::newRow("columns combine: all must pass") << ColumnFilters{on(type, "info assert"), on(flow, "orders")} << QList<qint64>{2, 1};
    QTest::newRow("number in time column means last N hours") << ColumnFilters{on(time, "4")} << QList<qint64>{6, 5};
    QTest::newRow("decimal number of hours") << ColumnFilters{on(time, "0.75")} << QList<qint64>{6};
    QTest::newRow("several numbers: the largest window") << ColumnFilters{on(time, "1 60")} << QList<qint64>{6, 5, 4, 3};
    QTest::newRow("zero hours shows nothing") << ColumnFilters{on(time, "0")} << QList<qint64>{};
    QTest::newRow("huge number shows everything") << ColumnFilters{on(time, "99999999999999")} << QList<qint64>{6, 5, 4, 3, 2, 1};
    QTest::newRow("time text with a delimiter is contained") << ColumnFilters{on(time, ":")} << QList<qint64>{6, 5, 4, 3, 2, 1};
    QTest::newRow("negative number is text, not hours") << ColumnFilters{on(time, "-5")} << QList<qint64>{};
    QTest::newRow("hours and text in time column") << ColumnFilters{on(time, "1 nosuchday")} << QList<qint64>{6};
    // clang-format on
}

void tst_LogSortFilterProxyModel::filtersRowsByColumn()
{
    QFETCH(ColumnFilters, filters);
    QFETCH(QList<qint64>, shown);
    BasicLogModel model;
    model.addNewRecords(sampleMessages(), 100);
    LogSortFilterProxyModel proxy;
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    proxy.setSourceModel(&model);
    for (const QString &filter : filters) {
        const int colon = filter.indexOf(QLatin1Char(':'));
        proxy.setColumnFilter(filter.left(colon).toInt(), filter.mid(colon + 1));
    }
    QCOMPARE(shownIds(proxy), shown);

    // Taking the filters away shows everything again.
    proxy.clearColumnFilters();
    QCOMPARE(proxy.rowCount(), 6);
}

void tst_LogSortFilterProxyModel::searchTestsRecordsWithTheSameRules()
{
    LogSortFilterProxyModel::Filters filters;
    filters.setText(BasicLogModel::TypeColumn, QStringLiteral("error"));
    filters.setText(BasicLogModel::MessageColumn, QStringLiteral("'a.pdf'"));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDate today = QDate::currentDate();
    QList<int> asked;
    QList<qint64> accepted;
    for (const LogRecord &record : sampleMessages()) {
        if (filters.accepts(record, now, [&](int column) {
                asked << column;
                return BasicLogModel::columnText(record, column, today);
            })) {
            accepted << record.id;
        }
    }
    QCOMPARE(accepted, QList<qint64>({6}));
    // Only columns with a filter are rendered.
    for (int column : std::as_const(asked)) {
        QVERIFY(column == BasicLogModel::TypeColumn || column == BasicLogModel::MessageColumn);
    }

    // Filters compare by their tokens: the same words differently spaced are the same filter.
    LogSortFilterProxyModel::Filters same = filters;
    same.setText(BasicLogModel::TypeColumn, QStringLiteral("  error "));
    QVERIFY(same == filters);
    same.setText(BasicLogModel::TypeColumn, QStringLiteral("error warning"));
    QVERIFY(same != filters);
    // Columns outside the table are ignored.
    same = filters;
    same.setText(BasicLogModel::ColumnCount, QStringLiteral("x"));
    same.setText(-1, QStringLiteral("x"));
    QVERIFY(same == filters);
}

void tst_LogSortFilterProxyModel::newRowsAreFilteredAsTheyArrive()
{
    BasicLogModel model;
    LogSortFilterProxyModel proxy;
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    proxy.setSourceModel(&model);
    proxy.setColumnFilter(BasicLogModel::TypeColumn, QStringLiteral("error"));
    QList<LogRecord> records = sampleMessages();
    model.addNewRecords(records.mid(1), 100);
    QCOMPARE(proxy.rowCount(), 0);
    model.addNewRecords(records.mid(0, 1), 100);
    QCOMPARE(shownIds(proxy), QList<qint64>({6}));
}

void tst_LogSortFilterProxyModel::reportsProgressWhileFiltering()
{
    BasicLogModel model;
    QList<LogRecord> records;
    for (int id = 3000; id > 0; --id) {
        records << message(id, id % 2 ? Level::Error : Level::Warning, 1, QStringLiteral("M"),
                           QString(), QStringLiteral("m"));
    }
    model.addNewRecords(records, 5000);
    LogSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    QSignalSpy progress(&proxy, &LogSortFilterProxyModel::filteringProgress);

    proxy.setColumnFilter(BasicLogModel::TypeColumn, QStringLiteral("error"));
    QCOMPARE(proxy.rowCount(), 1500);
    QVERIFY(progress.size() > 2);
    QCOMPARE(progress.constFirst().constFirst().toInt(), 0);
    QCOMPARE(progress.constLast().constFirst().toInt(), 100);
    int previous = -1;
    for (const QList<QVariant> &report : std::as_const(progress)) {
        QVERIFY(report.constFirst().toInt() >= previous);
        previous = report.constFirst().toInt();
    }

    // The same tokens again filter nothing anew.
    progress.clear();
    proxy.setColumnFilter(BasicLogModel::TypeColumn, QStringLiteral(" error"));
    QCOMPARE(progress.size(), 0);
    QCOMPARE(proxy.columnFilter(BasicLogModel::TypeColumn), QStringLiteral(" error"));
}

void tst_LogSortFilterProxyModel::sortsTheTimeColumnByTimeAndOthersByText()
{
    BasicLogModel model;
    QList<LogRecord> records = sampleMessages();
    // Two messages of the same moment keep the order of logging.
    records[3].time = records[2].time;
    model.addNewRecords(records, 100);
    LogSortFilterProxyModel proxy;
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    proxy.setSourceModel(&model);

    // The texts ("Today ...", "Yesterday ...", weekday names) would sort otherwise.
    proxy.sort(BasicLogModel::TimeColumn, Qt::AscendingOrder);
    QCOMPARE(shownIds(proxy), QList<qint64>({1, 2, 3, 4, 5, 6}));
    proxy.sort(BasicLogModel::TimeColumn, Qt::DescendingOrder);
    QCOMPARE(shownIds(proxy), QList<qint64>({6, 5, 4, 3, 2, 1}));

    proxy.sort(BasicLogModel::TypeColumn, Qt::AscendingOrder);
    QStringList types;
    for (int row = 0; row < proxy.rowCount(); ++row) {
        types << proxy.index(row, BasicLogModel::TypeColumn).data().toString();
    }
    QCOMPARE(types, QStringList({"assert", "debug", "error", "info", "info", "warning"}));

    proxy.sort(BasicLogModel::ModuleColumn, Qt::DescendingOrder);
    QCOMPARE(proxy.index(0, BasicLogModel::ModuleColumn).data().toString(),
             QStringLiteral("Scripter control"));
    QCOMPARE(proxy.index(5, BasicLogModel::ModuleColumn).data().toString(), QStringLiteral("Gen"));
}

TAVRIX_TEST_GUILESS_MAIN(tst_LogSortFilterProxyModel)
#include "tst_logsortfilterproxymodel.moc"
