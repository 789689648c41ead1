// The script body evaluated as an expression for the job of a test run, as the run reports its
// value, and the stop of an endless one.

#include "common/testmain.h"

#include "common/runtimeworld.h"

#include <scriptinglib/scriptexpressionevaluator.h>

#include <QTest>
#include <QThread>

using namespace RuntimeTest;

class tst_ScriptExpressionEvaluator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void valuesAreReportedWithTheirType_data();
    void valuesAreReportedWithTheirType();
    void stopEndsAnEndlessExpression();

private:
    std::unique_ptr<ScriptExpressionEvaluator> m_evaluator;
};

void tst_ScriptExpressionEvaluator::initTestCase()
{
    m_evaluator = std::make_unique<ScriptExpressionEvaluator>(nullptr);
    QCOMPARE(SRCore::IScriptExpressionEvaluator::instance(), m_evaluator.get());
}

void tst_ScriptExpressionEvaluator::valuesAreReportedWithTheirType_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("reported");
    QTest::addColumn<QString>("message"); // the start of what is logged; empty for nothing

    // clang-format off
    QTest::newRow("text of the job") << "var name = job.getName();\nname.toUpperCase()" << "REPORT.TXT [type: QString]" << "";
    QTest::newRow("whole number") << "job.getPrivateData('Amount') * 2" << "2500 [type: int]" << "";
    QTest::newRow("fraction") << "job.getPrivateData('Amount') / 1000" << "1.25 [type: double]" << "";
    QTest::newRow("truth") << "job.getByteCount() > 3" << "true [type: bool]" << "";
    QTest::newRow("array") << "[job.getExtension(), 2]" << "txt, 2 [type: QVariantList]" << "";
    QTest::newRow("empty text") << "''" << "null [type: QString]" << "";
    QTest::newRow("undefined") << "var x;" << "null [type: undefined]" << "";
    QTest::newRow("syntax error") << "1 +\n+" << "error" << "3|Script expression failed: Line 2, column ";
    QTest::newRow("uncaught exception") << "throw 'no amount'" << "error" << "3|Script expression failed: Line 1: Uncaught exception: no amount";
    QTest::newRow("the job can't be routed") << "job.sendToNull()" << "error" << "3|Script expression failed: Line 1: TypeError";
    // clang-format on
}

void tst_ScriptExpressionEvaluator::valuesAreReportedWithTheirType()
{
    QFETCH(QString, script);
    QFETCH(QString, reported);
    QFETCH(QString, message);

    FlowWorld world;
    RecordingLog log;
    const QVariant value = SRCore::IScriptExpressionEvaluator::instance()->evaluate(
        script, world.flow(), QStringLiteral("1"), world.ticket(), QStringLiteral("Router"), &log);
    QCOMPARE(SRCore::IScriptExpressionEvaluator::formatValue(value), reported);
    const QStringList lines = log.lines();
    if (message.isEmpty()) {
        QCOMPARE(lines, QStringList());
    } else {
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().startsWith(message), qPrintable(lines.first()));
        QCOMPARE(log.records().first().flow, QStringLiteral("Test Flow"));
        QCOMPARE(log.records().first().element, QStringLiteral("Router"));
    }
}

void tst_ScriptExpressionEvaluator::stopEndsAnEndlessExpression()
{
    // The abort of a test run reaches an expression evaluated on the run's thread.
    FlowWorld world;
    RecordingLog log;
    BaseEntriesManager manager(world.path(QStringLiteral("temp")), &log);
    const QString started = world.path(QStringLiteral("started"));
    std::unique_ptr<QThread> user(QThread::create([&] {
        while (!QFileInfo::exists(started)) {
            QThread::msleep(1);
        }
        manager.stopScript(1);
    }));
    user->start();
    const QVariant value = SRCore::IScriptExpressionEvaluator::instance()->evaluate(
        QStringLiteral("File.write('%1', ''); while (true) {}").arg(started), world.flow(),
        QStringLiteral("1"), world.ticket(), QStringLiteral("Router"), &log);
    user->wait();
    QCOMPARE(value.toString(), QStringLiteral("error"));
    QCOMPARE(log.lines(),
             QStringList{QStringLiteral("3|Script expression failed: The script was stopped")});
}

TAVRIX_TEST_GUILESS_MAIN(tst_ScriptExpressionEvaluator)
#include "tst_scriptexpressionevaluator.moc"
