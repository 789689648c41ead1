#include "common/testmain.h"

#include <scriptinglib/javascriptengine.h>
#include <scriptinglib/memoryguard.h>
#include <scriptinglib/scriptrun.h>

#include <supportlib/baseframeworkenvironment.h>

#include <QAtomicInt>
#include <QTest>
#include <QThread>

#include <memory>

// A scripting object for the engine tests: calls that succeed, fail, or wait to be stopped.
class Probe : public QObject
{
    Q_OBJECT

public:
    explicit Probe(JavaScriptEngine *engine = nullptr)
        : m_engine(engine)
    {}

    Q_INVOKABLE QString echo(const QString &text, const QString &suffix = QString()) const
    {
        return text + suffix;
    }
    Q_INVOKABLE QString refuse(const QString &reason) const
    {
        m_engine->raiseScriptError(reason);
        return QStringLiteral("ignored");
    }
    Q_INVOKABLE QString take(Probe *other) const { return other ? other->objectName() : QString(); }
    Q_INVOKABLE void started() { running.storeRelease(1); }
    // A script evaluated by a second engine on the same thread, as a property's script
    // expression read by a running script is.
    Q_INVOKABLE QString runInner(const QString &program)
    {
        JavaScriptEngine inner;
        inner.addObject(QStringLiteral("probe"), this);
        const ScriptResult result = inner.runProgram(program);
        return result.error.interrupted ? QStringLiteral("inner stopped") : result.error.message;
    }

    QAtomicInt running;

private:
    JavaScriptEngine *m_engine;
};

class tst_JavaScriptEngine : public QObject
{
    Q_OBJECT

private slots:
    void failuresEndTheRunWithTheirPlace_data();
    void failuresEndTheRunWithTheirPlace();
    void valuesComeBackAsPlainValues_data();
    void valuesComeBackAsPlainValues();
    void scriptingObjectsStayTheCallers();
    void scriptHostEchoesLines_data();
    void scriptHostEchoesLines();
    void stopEndsAnEndlessLoop_data();
    void stopEndsAnEndlessLoop();
    void growingScriptIsStoppedNotTheProgram();
};

void tst_JavaScriptEngine::failuresEndTheRunWithTheirPlace_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("function"); // empty: the failure is in the top level
    QTest::addColumn<QString>("message");  // a part of the error message
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");

    // clang-format off
    QTest::newRow("syntax error with line and column") << "function f()\n{\n    var x = ;\n}" << "" << "SyntaxError" << 3 << 13;
    QTest::newRow("annotations keep the columns") << "function f( s : Tavrix )\n{\n    var n : Number = ;\n}" << "" << "SyntaxError" << 3 << 22;
    QTest::newRow("runtime error with its line") << "function f()\n{\n\n    missing.call();\n}" << "f" << "ReferenceError: missing is not defined" << 4 << 0;
    QTest::newRow("error in the top level") << "var a = 1;\nnull.x;" << "" << "TypeError" << 2 << 0;
    QTest::newRow("thrown text") << "function f()\n{\n    throw 'no amount';\n}" << "f" << "Uncaught exception: no amount" << 3 << 0;
    QTest::newRow("thrown object") << "function f()\n{\n    throw { code: 7 };\n}" << "f" << "Uncaught exception: {\"code\":7}" << 3 << 0;
    QTest::newRow("thrown number") << "function f() { throw 42; }" << "f" << "Uncaught exception: 42" << 1 << 0;
    QTest::newRow("infinite recursion") << "function f() { return f() + 1; }" << "f" << "RangeError" << 1 << 0;
    QTest::newRow("call without its arguments") << "function f()\n{\n    return probe.echo();\n}" << "f" << "callable overload" << 3 << 0;
    QTest::newRow("text where an object is wanted") << "function f()\n{\n    return probe.take('x');\n}" << "f" << "incompatible arguments" << 3 << 0;
    QTest::newRow("error raised by a call") << "function f()\n{\n\n    probe.refuse('the file is gone');\n}" << "f" << "Error: the file is gone" << 4 << 0;
    QTest::newRow("missing function") << "function g() {}" << "f" << "The script has no function f" << 0 << 0;
    // clang-format on
}

void tst_JavaScriptEngine::failuresEndTheRunWithTheirPlace()
{
    QFETCH(QString, program);
    QFETCH(QString, function);
    QFETCH(QString, message);
    QFETCH(int, line);
    QFETCH(int, column);

    JavaScriptEngine engine;
    Probe probe(&engine);
    engine.addObject(QStringLiteral("probe"), &probe);
    ScriptResult result = engine.runProgram(program);
    if (!function.isEmpty()) {
        QVERIFY2(result.ok(), qPrintable(result.error.message));
        result = engine.call(function, {});
    }
    QVERIFY(!result.ok());
    QVERIFY2(result.error.message.contains(message), qPrintable(result.error.message));
    QCOMPARE(result.error.line, line);
    QCOMPARE(result.error.column, column);
    QVERIFY(!result.error.interrupted);
}

void tst_JavaScriptEngine::valuesComeBackAsPlainValues_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QVariantList>("arguments");
    QTest::addColumn<QVariant>("value");

    // clang-format off
    QTest::newRow("number") << "function f(a, b) { return a + b; }" << QVariantList{2, 3} << QVariant(5);
    QTest::newRow("text") << "function f(s) { return s.toUpperCase(); }" << QVariantList{QStringLiteral("ab")} << QVariant(QStringLiteral("AB"));
    QTest::newRow("array") << "function f() { return ['a', 'b']; }" << QVariantList{} << QVariant(QVariantList{QStringLiteral("a"), QStringLiteral("b")});
    QTest::newRow("nothing") << "function f() {}" << QVariantList{} << QVariant();
    QTest::newRow("extra arguments are ignored") << "function f(a) { return probe.echo(a, '!', 'extra'); }" << QVariantList{QStringLiteral("x")} << QVariant(QStringLiteral("x!"));
    QTest::newRow("annotated function") << "function f( a : String ) : String { var b : String = a + a; return b; }" << QVariantList{QStringLiteral("x")} << QVariant(QStringLiteral("xx"));
    // clang-format on
}

void tst_JavaScriptEngine::valuesComeBackAsPlainValues()
{
    QFETCH(QString, program);
    QFETCH(QVariantList, arguments);
    QFETCH(QVariant, value);

    JavaScriptEngine engine;
    Probe probe(&engine);
    engine.addObject(QStringLiteral("probe"), &probe);
    QVERIFY(engine.runProgram(program).ok());
    QVERIFY(engine.hasFunction(QStringLiteral("f")));
    const ScriptResult result = engine.call(QStringLiteral("f"), arguments);
    QVERIFY2(result.ok(), qPrintable(result.error.message));
    QCOMPARE(result.value, value);
}

void tst_JavaScriptEngine::scriptingObjectsStayTheCallers()
{
    // Objects handed to the script belong to the caller: the engine's garbage collector never
    // deletes them, also when the engine goes.
    auto other = std::make_unique<Probe>();
    other->setObjectName(QStringLiteral("other"));
    {
        JavaScriptEngine engine;
        Probe probe(&engine);
        engine.addObject(QStringLiteral("probe"), &probe);
        QVERIFY(engine.runProgram(QStringLiteral("function f(o) { return probe.take(o); }")).ok());
        const ScriptResult result =
            engine.call(QStringLiteral("f"), {QVariant::fromValue<QObject *>(other.get())});
        QCOMPARE(result.value.toString(), QStringLiteral("other"));
    }
    QCOMPARE(other->objectName(), QStringLiteral("other"));
}

void tst_JavaScriptEngine::scriptHostEchoesLines_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("lines");

    // clang-format off
    QTest::newRow("values as String() shows them, blank-separated") << "WScript.Echo(1.5, 'a', true, null, [1, 2])" << QStringList{"1.5 a true null 1,2"};
    QTest::newRow("no values, an empty line") << "WScript.Echo()" << QStringList{""};
    QTest::newRow("one line per call, in order") << "for (var i = 0; i < 3; i++) WScript.Echo(i)" << QStringList{"0", "1", "2"};
    // clang-format on
}

void tst_JavaScriptEngine::scriptHostEchoesLines()
{
    QFETCH(QString, program);
    QFETCH(QStringList, lines);

    JavaScriptEngine engine;
    QStringList echoed;
    engine.addScriptHost([&echoed](const QString &line) { echoed << line; });
    const ScriptResult result = engine.runProgram(program);
    QVERIFY2(result.ok(), qPrintable(result.error.message));
    QCOMPARE(echoed, lines);
}

void tst_JavaScriptEngine::stopEndsAnEndlessLoop_data()
{
    QTest::addColumn<QString>("program");

    // clang-format off
    QTest::newRow("endless loop") << "function f() { probe.started(); while (true) {} }";
    QTest::newRow("endless loop of a nested engine") << "function f() { probe.started(); return probe.runInner('while (true) {}'); }";
    // clang-format on
}

void tst_JavaScriptEngine::stopEndsAnEndlessLoop()
{
    QFETCH(QString, program);

    JavaScriptEngine engine;
    Probe probe(&engine);
    engine.addObject(QStringLiteral("probe"), &probe);
    QVERIFY(engine.runProgram(program).ok());
    // Stopped from another thread once the script runs, as the Test menu's abort does.
    std::unique_ptr<QThread> stopper(QThread::create([&] {
        while (!probe.running.loadAcquire()) {
            QThread::yieldCurrentThread();
        }
        engine.interrupt();
    }));
    stopper->start();
    const ScriptResult result = engine.call(QStringLiteral("f"), {});
    stopper->wait();
    QVERIFY(!result.ok());
    QVERIFY(result.error.interrupted);
    QCOMPARE(result.error.message, QStringLiteral("The script was stopped"));
    QVERIFY(engine.isInterrupted());
}

void tst_JavaScriptEngine::growingScriptIsStoppedNotTheProgram()
{
    BaseFrameworkEnvironment environment;
    const qint64 limit = qint64(64) * 1024 * 1024;
    ScriptRun run(
        {QStringLiteral("var kept = [];\n"
                        "function f() { while (true) kept.push(new ArrayBuffer(1 << 24)); }"),
         QStringLiteral("JavaScript")},
        &environment, nullptr, limit);
    QVERIFY(run.start().ok());
    const ScriptResult result = run.call(QStringLiteral("f"), {});
    QVERIFY(!result.ok());
    QCOMPARE(result.error.message,
             QStringLiteral("The script used more than 64 MB of memory and was stopped"));
}

TAVRIX_TEST_GUILESS_MAIN(tst_JavaScriptEngine)
#include "tst_javascriptengine.moc"
