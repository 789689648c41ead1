#include "common/testmain.h"

#include "scriptinglib/vbscriptfunctionlister.h"
#include "scriptinglib/vbscriptsyntaxchecker.h"

#include <QTest>

namespace {

const QString newScriptTemplate = QStringLiteral(
    "' Is invoked each time a new job arrives in one of the input folders for the flow element.\n"
    "' The newly arrived job is passed as the second parameter.\n"
    " Function jobArrived(s, job)\n\n\n End Function\n\n\n"
    "' Is invoked at regular intervals regardless of whether a new job arrived or not.\n"
    "' The interval can be modified with s.setTimerInterval().\n"
    " Function timerFired(s)\n\n\n End Function\n");

} // namespace

class tst_VBScriptFunctionLister : public QObject
{
    Q_OBJECT

private slots:
    void listsTopLevelEntryPoints_data();
    void listsTopLevelEntryPoints();
    void failsWithTheErrorWhenTheTextDoesNotParse_data();
    void failsWithTheErrorWhenTheTextDoesNotParse();
};

void tst_VBScriptFunctionLister::listsTopLevelEntryPoints_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("names");

    // clang-format off
    QTest::newRow("new-script template") << newScriptTemplate << QStringList{QStringLiteral("jobArrived"), QStringLiteral("timerFired")};
    QTest::newRow("Sub and Function in source order") << QStringLiteral("Sub b\nEnd Sub\nFunction a\nEnd Function") << QStringList{QStringLiteral("b"), QStringLiteral("a")};
    QTest::newRow("spelling as defined") << QStringLiteral("function JOBarrived(s, job)\nend function") << QStringList{QStringLiteral("JOBarrived")};
    QTest::newRow("Private procedures are not listed") << QStringLiteral("Public Sub a : End Sub\nPrivate Function b : End Function\nSub c : " "End Sub") << QStringList{QStringLiteral("a"), QStringLiteral("c")};
    QTest::newRow("class members are not listed") << QStringLiteral("Class C\n Public Function jobArrived(s, job) : End Function\n Sub " "timerFired(s) : End Sub\nEnd Class\nSub x : End Sub") << QStringList{QStringLiteral("x")};
    QTest::newRow("procedures between top-level statements") << QStringLiteral("x = 1\nSub a : End Sub\ny = 2\nFunction b(p) : b = p : End Function") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("no procedures") << QStringLiteral("x = 1\nMsgBox x") << QStringList();
    QTest::newRow("empty script") << QString() << QStringList();
    // clang-format on
}

void tst_VBScriptFunctionLister::listsTopLevelEntryPoints()
{
    QFETCH(QString, code);
    QFETCH(QStringList, names);
    QStringList listed{QStringLiteral("left from an earlier call")};
    QString error = QStringLiteral("left from an earlier call");
    QVERIFY(VBScriptFunctionLister::functionNames(code, &listed, &error));
    QCOMPARE(listed, names);
    QVERIFY(error.isEmpty());
}

void tst_VBScriptFunctionLister::failsWithTheErrorWhenTheTextDoesNotParse_data()
{
    QTest::addColumn<QString>("code");

    // clang-format off
    QTest::newRow("missing End Function") << QString(newScriptTemplate) .remove(newScriptTemplate.lastIndexOf(QLatin1String("End Function")), 12);
    QTest::newRow("unterminated string before the procedures") << QStringLiteral("x = \"open\n") + newScriptTemplate;
    QTest::newRow("error after the procedures") << newScriptTemplate + QStringLiteral("Next\n");
    // clang-format on
}

void tst_VBScriptFunctionLister::failsWithTheErrorWhenTheTextDoesNotParse()
{
    QFETCH(QString, code);
    QStringList names{QStringLiteral("stale")};
    QString error;
    QVERIFY(!VBScriptFunctionLister::functionNames(code, &names, &error));
    QVERIFY(names.isEmpty());
    QString checkerMessage;
    QVERIFY(!VBScriptSyntaxChecker::check(code, checkerMessage));
    QCOMPARE(error, checkerMessage);

    names = QStringList{QStringLiteral("stale")};
    QVERIFY(!VBScriptFunctionLister::functionNames(code, &names)); // the error is optional
    QVERIFY(names.isEmpty());
}

TAVRIX_TEST_GUILESS_MAIN(tst_VBScriptFunctionLister)

#include "tst_vbscriptfunctionlister.moc"
