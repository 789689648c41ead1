// The reports of `run` written from results made here, with expected results that held and
// that did not: the text after a run, the JSON document and the JUnit report as Python's xml
// module reads it.

#include "common/testmain.h"

#include "clitestsupport.h"

#include "cli/junitreport.h"
#include "cli/runreport.h"

#include <QJsonArray>
#include <QTest>

using namespace CliTest;
using Scripter::TestRunResult;

namespace {

TestRunResult runWith(const Scripter::ExpectationResults &expectations,
                      const QString &scriptError = QString())
{
    TestRunResult result;
    result.package = QStringLiteral("Router");
    result.elementName = QStringLiteral("Router");
    result.entryPoint = QStringLiteral("jobArrived");
    result.opened = true;
    result.started = true;
    result.summary = RunSummary(QStringLiteral("jobArrived"),
                                {{QStringLiteral("Approval"), QStringLiteral("_00002_a.xml"), 12,
                                  QStringLiteral("/t/outFolder3/_00002_a.xml")}},
                                {}, scriptError);
    result.connections = {{QStringLiteral("Approval"), result.summary.outputs()}};
    result.expectations = expectations;
    return result;
}

const Scripter::ExpectationResult held{QStringLiteral("Approval receives 1 file"), true, {}};
const Scripter::ExpectationResult broken{QStringLiteral("Booking receives 1 file"), false,
                                         QStringLiteral("it received 0 files")};

} // namespace

class tst_RunReports : public QObject
{
    Q_OBJECT

private slots:
    void expectationsDecideTheOutcome_data();
    void expectationsDecideTheOutcome();
};

void tst_RunReports::expectationsDecideTheOutcome_data()
{
    QTest::addColumn<Scripter::ExpectationResults>("expectations");
    QTest::addColumn<QString>("scriptError");
    QTest::addColumn<bool>("passed");
    QTest::addColumn<QStringList>("failureMessages"); // of the JUnit testcase, in order
    QTest::addColumn<QString>("outcome");             // the last line of the text

    // clang-format off
    QTest::newRow("every expectation held") << Scripter::ExpectationResults{held} << QString() << true << QStringList() << "jobArrived of Router passed";
    QTest::newRow("one did not hold") << Scripter::ExpectationResults{held, broken} << QString() << false << QStringList{"Booking receives 1 file"} << "jobArrived of Router FAILED: 1 expected result did not hold";
    QTest::newRow("script error and a broken expectation") << Scripter::ExpectationResults{broken} << "Line 3: boom" << false << QStringList{"Line 3: boom", "Booking receives 1 file"} << "jobArrived of Router FAILED: Line 3: boom; 1 expected result did not hold";
    // clang-format on
}

void tst_RunReports::expectationsDecideTheOutcome()
{
    QFETCH(Scripter::ExpectationResults, expectations);
    QFETCH(QString, scriptError);
    QFETCH(bool, passed);
    QFETCH(QStringList, failureMessages);
    QFETCH(QString, outcome);

    const TestRunResult result = runWith(expectations, scriptError);
    QCOMPARE(result.passed(), passed);

    const QStringList text =
        Scripter::RunReport::summaryText(result).trimmed().split(QLatin1Char('\n'));
    QCOMPARE(text.constLast(), outcome);
    for (const Scripter::ExpectationResult &expectation : expectations) {
        const QString line =
            expectation.passed
                ? QStringLiteral("  pass  ") + expectation.expectation
                : QStringLiteral("  FAIL  %1: %2").arg(expectation.expectation, expectation.detail);
        QVERIFY2(text.contains(line), qPrintable(line));
    }

    const QJsonObject json = Scripter::RunReport::toJson({result});
    QCOMPARE(json.value("passed").toBool(!passed), passed);
    const QJsonValue run = json.value("runs")[0];
    QCOMPARE(run[u"element"].toString(), result.elementName);
    QCOMPARE(run[u"entryPoint"].toString(), result.entryPoint);
    const QJsonValue sent = run[u"summary"][u"outputs"][0];
    QCOMPARE(sent[u"connection"].toString(), QStringLiteral("Approval"));
    QCOMPARE(sent[u"files"][0][u"name"].toString(), QStringLiteral("_00002_a.xml"));
    const QJsonArray reported = run[u"expectations"].toArray();
    QCOMPARE(reported.size(), expectations.size());
    for (int i = 0; i < expectations.size(); ++i) {
        const QJsonObject item = reported.at(i).toObject();
        QCOMPARE(item.value("expectation").toString(), expectations.at(i).expectation);
        QCOMPARE(item.value("passed").toBool(), expectations.at(i).passed);
        QCOMPARE(item.value("detail").toString(), expectations.at(i).detail);
    }

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("report.xml"));
    QString error;
    QVERIFY2(Scripter::JUnitReport::save({result}, path, &error), qPrintable(error));
    const QJsonObject junit = readJUnit(path);
    QVERIFY2(!junit.isEmpty() && !junit.contains("error"),
             qPrintable(junit.value("error").toString()));
    QCOMPARE(junit.value("failures").toInt(), failureMessages.size());
    const QJsonObject suite = junit.value("suites")[0].toObject();
    QCOMPARE(suite.value("name").toString(), result.elementName);
    const QJsonObject testCase = suite.value("cases")[0].toObject();
    QCOMPARE(testCase.value("name").toString(), result.entryPoint);
    QCOMPARE(testCase.value("classname").toString(), result.elementName);
    QStringList messages;
    for (const QJsonValue &message : testCase.value("failures").toArray()) {
        messages.append(message.toString());
    }
    QCOMPARE(messages, failureMessages);
}

TAVRIX_TEST_MAIN(tst_RunReports)
#include "tst_runreports.moc"
