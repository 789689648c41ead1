// The JavaScript check that saving runs on a worker thread: its verdict, the error's line, and
// a check that is dropped while it runs.

#include "common/testmain.h"

#include "package/javascriptcheck.h"

#include <QTest>

using Scripter::JavaScriptCheck;

class tst_JavaScriptCheck : public QObject
{
    Q_OBJECT

private slots:
    void verdictAndLine_data();
    void verdictAndLine();
    void droppedCheckEndsCleanly();
};

void tst_JavaScriptCheck::verdictAndLine_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("passed");
    QTest::addColumn<int>("line");

    // clang-format off
    QTest::newRow("typed entry points compile") << "function jobArrived( s : Tavrix, job : Job )\n{\n    var n : Number = 1;\n}\n" << true << 0;
    QTest::newRow("an unclosed call on the third line") << "function timerFired( s : Tavrix )\n{\n    s.log( 1, \"x\";\n}\n" << false << 3;
    // Checking compiles only: a program that would never end is no reason to wait.
    QTest::newRow("an endless loop is never run") << "while ( true ) {}\n" << true << 0;
    // clang-format on
}

void tst_JavaScriptCheck::verdictAndLine()
{
    QFETCH(QString, program);
    QFETCH(bool, passed);
    QFETCH(int, line);

    JavaScriptCheck check(program);
    const JavaScriptCheck::Result result = check.result();
    QCOMPARE(result.passed, passed);
    QCOMPARE(result.line, line);
    QCOMPARE(result.message.isEmpty(), passed);
}

void tst_JavaScriptCheck::droppedCheckEndsCleanly()
{
    QString program;
    for (int i = 0; i < 2000; ++i) {
        program += QStringLiteral("function f%1( a ) { return a + %1; }\n").arg(i);
    }
    // Destroyed while the worker may still compile: it waits instead of leaving it behind.
    {
        const JavaScriptCheck check(program);
    }
    JavaScriptCheck next(program);
    QVERIFY(next.result().passed);
}

TAVRIX_TEST_GUILESS_MAIN(tst_JavaScriptCheck)
#include "tst_javascriptcheck.moc"
