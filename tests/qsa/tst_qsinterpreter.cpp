#include "common/testmain.h"

#include <qsa/qsinterpreter.h>
#include <qsa/qsobjectfactory.h>
#include <qsa/qsproject.h>

#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// Entry points as a new script declares them.
const QString entryPoints =
    QStringLiteral("// New job\nfunction jobArrived( s : Tavrix, job : Job )\n{\n}\n"
                   "function timerFired( s : Tavrix )\n{\n}");

QList<QMessageBox *> openMessageBoxes()
{
    QList<QMessageBox *> result;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible()) {
            result.append(box);
        }
    }
    return result;
}

} // namespace

class tst_QSInterpreter : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void annotatedEntryPointsCheckCleanAndAreListed();
    void validScripts_data();
    void validScripts();
    void syntaxErrors_data();
    void syntaxErrors();
    void errorIsSignalledOnceAndClearedByAPassingCheck();
    void checkingNeverRunsTheScript();
    void checksDoNotShareState();
    void notifyModeShowsAMessageBoxAndNothingModeNone();
    void functionsOfAllScriptsInOrder();
    void functionsOfABrokenScript();
    void badScriptNamesAreRefused_data();
    void badScriptNamesAreRefused();
    void objectsAreForgottenWhenDeleted();
};

void tst_QSInterpreter::cleanup()
{
    // A failed check of the message box test must not leave its box to the next test.
    qDeleteAll(QApplication::topLevelWidgets());
}

void tst_QSInterpreter::annotatedEntryPointsCheckCleanAndAreListed()
{
    QSProject project;
    QVERIFY(project.createScript(QStringLiteral("ScriptName"), entryPoints));
    QSInterpreter *interpreter = project.interpreter();
    interpreter->setErrorMode(QSInterpreter::Nothing);

    QVERIFY2(interpreter->checkSyntax(entryPoints), qPrintable(interpreter->lastErrorMessage()));
    QCOMPARE(interpreter->functions(QSInterpreter::FunctionNames),
             (QStringList{"jobArrived", "timerFired"}));
    QCOMPARE(interpreter->functions(QSInterpreter::FunctionSignatures),
             (QStringList{"jobArrived(s, job)", "timerFired(s)"}));
}

void tst_QSInterpreter::validScripts_data()
{
    QTest::addColumn<QString>("code");

    // clang-format off
    QTest::newRow("empty") << QString();
    QTest::newRow("only comments") << QStringLiteral("// a\n/* b */");
    QTest::newRow("annotated declarations everywhere") << QStringLiteral("var n : Number = 0, t : String;\n" "for (var i : Number = 0; i < 3; ++i) { n += i; }\n" "function f( s : Tavrix, job : Job ) : Boolean\n{\n" "    let k : Number = job ? 1 : 2;\n    return k > 0;\n}");
    QTest::newRow("text that would break out of a wrapping function") << QStringLiteral("var s = '}); (function(){';");
    // clang-format on
}

void tst_QSInterpreter::validScripts()
{
    QFETCH(QString, code);
    QSInterpreter interpreter;
    interpreter.setErrorMode(QSInterpreter::Nothing);
    QSignalSpy errors(&interpreter, &QSInterpreter::error);

    QVERIFY2(interpreter.checkSyntax(code), qPrintable(interpreter.lastErrorMessage()));
    QCOMPARE(errors.count(), 0);
}

void tst_QSInterpreter::syntaxErrors_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");

    // clang-format off
    QTest::newRow("first line") << QStringLiteral("var a = ;\nvar b = 1;\n") << 1 << 9;
    QTest::newRow("middle line") << QStringLiteral("var a = 1;\nvar b = 1 +;\nvar c = 3;") << 2 << 12;
    QTest::newRow("last line") << QStringLiteral("var a = 1;\nvar b = 2;\nvar c = 3 +;") << 3 << 12;
    QTest::newRow("inside a template literal") << QStringLiteral("var s = `one\ntwo ${ 1 + } three`;\nvar t = 1;") << 2 << 12;
    QTest::newRow("after annotations spanning lines") << QStringLiteral("function f( a : Number,\n   b : String ) : Boolean\n{\n" "    return a +;\n}") << 4 << 15;
    QTest::newRow("closing brace without opening one") << QStringLiteral("var a = 1;\n}\nvar b = 2;") << 2 << 1;
    QTest::newRow("text breaking out of a wrapping function") << QStringLiteral("var a = 1;\n}); sideEffect(); (function(){\n") << 2 << 1;
    // clang-format on
}

void tst_QSInterpreter::syntaxErrors()
{
    QFETCH(QString, code);
    QFETCH(int, line);
    QFETCH(int, column);
    QSInterpreter interpreter;
    interpreter.setErrorMode(QSInterpreter::Nothing);

    QVERIFY(!interpreter.checkSyntax(code));
    QCOMPARE(interpreter.lastErrorLine(), line);
    QCOMPARE(interpreter.lastErrorColumn(), column);
    QVERIFY(!interpreter.lastErrorMessage().isEmpty());
}

void tst_QSInterpreter::errorIsSignalledOnceAndClearedByAPassingCheck()
{
    QSInterpreter interpreter;
    interpreter.setErrorMode(QSInterpreter::Nothing);
    QSignalSpy errors(&interpreter, &QSInterpreter::error);

    QVERIFY(!interpreter.checkSyntax(QStringLiteral("var a = 1;\n\nif (a {\n}")));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toString(), interpreter.lastErrorMessage());
    QCOMPARE(errors.at(0).at(2).toInt(), 3);

    QVERIFY(interpreter.checkSyntax(QStringLiteral("var a = 1;")));
    QCOMPARE(interpreter.lastErrorLine(), 0);
    QCOMPARE(interpreter.lastErrorColumn(), 0);
    QVERIFY(interpreter.lastErrorMessage().isEmpty());
}

void tst_QSInterpreter::checkingNeverRunsTheScript()
{
    QSInterpreter interpreter;
    interpreter.setErrorMode(QSInterpreter::Nothing);

    // Run, the first would never return and the second would fail with its exception.
    QVERIFY(interpreter.checkSyntax(QStringLiteral("while (true) {}")));
    QVERIFY(interpreter.checkSyntax(QStringLiteral("throw new Error('ran');")));
    QVERIFY(interpreter.checkSyntax(
        QStringLiteral("function f() { throw new Error('ran'); }\nf();\nvar x = f();")));

    // A text made to close a wrapping function and call something in between.
    QVERIFY(!interpreter.checkSyntax(QStringLiteral("function sideEffect() { while (true) {} }\n"
                                                    "}); sideEffect(); (function(){")));
    QVERIFY(!interpreter.lastErrorMessage().contains(QLatin1String("ran")));
}

void tst_QSInterpreter::checksDoNotShareState()
{
    QSInterpreter interpreter;
    interpreter.setErrorMode(QSInterpreter::Nothing);

    // Declarations of one check, or global changes the script would make, must not meet the next.
    const QString code = QStringLiteral("let shared = 1;\nconst Function = null;\nclass K {}");
    QVERIFY(interpreter.checkSyntax(code));
    QVERIFY2(interpreter.checkSyntax(code), qPrintable(interpreter.lastErrorMessage()));
    QVERIFY(!interpreter.checkSyntax(QStringLiteral("let shared = 1;\nlet shared = 2;")));
    QCOMPARE(interpreter.lastErrorLine(), 2);
}

void tst_QSInterpreter::notifyModeShowsAMessageBoxAndNothingModeNone()
{
    QSInterpreter interpreter;
    QCOMPARE(interpreter.errorMode(), QSInterpreter::Notify);
    QVERIFY(!interpreter.checkSyntax(QStringLiteral("var a = 1;\nvar b = ;")));

    const QList<QMessageBox *> boxes = openMessageBoxes();
    QCOMPARE(boxes.size(), 1);
    QVERIFY(boxes.first()->text().contains(interpreter.lastErrorMessage()));
    QVERIFY(boxes.first()->text().contains(QLatin1String("2")));
    boxes.first()->close();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());

    interpreter.setErrorMode(QSInterpreter::Nothing);
    QVERIFY(!interpreter.checkSyntax(QStringLiteral("var b = ;")));
    QVERIFY(openMessageBoxes().isEmpty());
}

void tst_QSInterpreter::functionsOfAllScriptsInOrder()
{
    QSProject project;
    QVERIFY(project.createScript(QStringLiteral("second"),
                                 QStringLiteral("function z(a : Number) {}\nfunction y() {}")));
    QVERIFY(project.createScript(QStringLiteral("first"), QStringLiteral("function x(b, c) {}")));

    QCOMPARE(project.scriptNames(), (QStringList{"second", "first"}));
    QCOMPARE(project.interpreter()->functions(), (QStringList{"z", "y", "x"}));
    QCOMPARE(project.interpreter()->functions(QSInterpreter::FunctionSignatures),
             (QStringList{"z(a)", "y()", "x(b, c)"}));

    // An interpreter of its own holds no scripts.
    QVERIFY(QSInterpreter().functions().isEmpty());
}

void tst_QSInterpreter::functionsOfABrokenScript()
{
    QSProject project;
    const QString code = QStringLiteral("function a() {}\nvar x = ;\nfunction b() { if ( }\n");
    QVERIFY(project.createScript(QStringLiteral("ScriptName"), code));
    QSInterpreter *interpreter = project.interpreter();
    interpreter->setErrorMode(QSInterpreter::Nothing);

    QVERIFY(!interpreter->checkSyntax(code));
    QCOMPARE(interpreter->functions(), (QStringList{"a", "b"}));
}

void tst_QSInterpreter::badScriptNamesAreRefused_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("empty name") << QString();
    QTest::newRow("blank name") << QStringLiteral("  ");
    QTest::newRow("name taken") << QStringLiteral("main");
}

void tst_QSInterpreter::badScriptNamesAreRefused()
{
    QFETCH(QString, name);
    QSProject project;
    QVERIFY(project.createScript(QStringLiteral("main"), QStringLiteral("function kept() {}")));

    QString error;
    QVERIFY(!project.createScript(name, QStringLiteral("function added() {}"), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(project.scriptNames(), QStringList{"main"});
    QCOMPARE(project.interpreter()->functions(), QStringList{"kept"});
}

void tst_QSInterpreter::objectsAreForgottenWhenDeleted()
{
    QSInterpreter interpreter;
    auto kept = std::make_unique<QObject>();
    auto deleted = std::make_unique<QObject>();
    interpreter.addTransientObject(kept.get());
    interpreter.addTransientObject(deleted.get());
    interpreter.addTransientObject(kept.get());
    interpreter.addTransientObject(nullptr);
    deleted.reset();
    QCOMPARE(interpreter.transientObjects(), QList<QObject *>{kept.get()});

    auto factory = std::make_unique<QSObjectFactory>();
    QString error;
    QVERIFY(!factory->registerClass(QStringLiteral(" "), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(factory->registerClass(QStringLiteral("Tavrix")));
    QVERIFY(factory->registerClass(QStringLiteral("Tavrix")));
    QCOMPARE(factory->classNames(), QStringList{"Tavrix"});
    interpreter.addObjectFactory(factory.get());
    QCOMPARE(interpreter.objectFactories().size(), 1);
    factory.reset();
    QVERIFY(interpreter.objectFactories().isEmpty());
}

TAVRIX_TEST_MAIN(tst_QSInterpreter)
#include "tst_qsinterpreter.moc"
