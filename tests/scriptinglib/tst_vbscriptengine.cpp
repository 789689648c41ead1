// The embedding API of the VBScript engine: loading, the errors it reports, calling functions
// with Qt values, interrupting a run from another thread, bounded recursion on a worker
// thread's stack, and closing.

#include "common/testmain.h"

#include "common/recordingoutput.h"

#include "scriptinglib/vbscript/engine.h"

#include <QDateTime>
#include <QFile>
#include <QSemaphore>
#include <QTest>
#include <QThread>

#include <sys/resource.h>

using VBScript::Engine;
using VBScript::ScriptError;

Q_DECLARE_METATYPE(ScriptError::Kind)

namespace {

// Signals the first echo line, so that a test knows that a run has started.
class StartSignal : public RecordingOutput
{
public:
    void echo(const QString &text) override
    {
        RecordingOutput::echo(text);
        started.release();
    }

    QSemaphore started;
};

// Runs `work` on a thread of its own with `stackSize` bytes of stack.
class WorkerThread : public QThread
{
public:
    explicit WorkerThread(std::function<void()> work, uint stackSize = 0)
        : m_work(std::move(work))
    {
        if (stackSize > 0) {
            setStackSize(stackSize);
        }
    }

protected:
    void run() override { m_work(); }

private:
    std::function<void()> m_work;
};

// Generous: a guard against a test that hangs, not a measure of speed.
constexpr unsigned long kWaitMs = 60000;

} // namespace

class TestVBScriptEngine : public QObject
{
    Q_OBJECT

private slots:
    void loadReportsErrors_data();
    void loadReportsErrors();
    void failuresAreLoggedToTheOutput();
    void functionNamesAreThePublicProcedures();
    void callConvertsValues_data();
    void callConvertsValues();
    void callReportsErrors_data();
    void callReportsErrors();
    void interruptStopsARun_data();
    void interruptStopsARun();
    void interruptStopsLaterRuns();
    void deepRecursionEndsInOutOfStackSpace();
    void tooDeepTextIsRefused_data();
    void tooDeepTextIsRefused();
    void enginesRunSideBySide();
    void closeRunsClassTerminate();
    void allocationFailureIsOutOfMemory();
};

void TestVBScriptEngine::loadReportsErrors_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<ScriptError::Kind>("kind");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");

    using Kind = ScriptError::Kind;
    // clang-format off
    QTest::newRow("a script that runs has no error") << "Dim a: a = 1" << Kind::None << 0 << 0 << 0 << "";
    QTest::newRow("a syntax error names its place") << "Dim a\nIf a Then\nWScript.Echo a" << Kind::Compilation << 1002 << 3 << 15 << "Line 3, column 15: Expected 'End If' to close the 'If' on line 2; found the end of the script";
    QTest::newRow("a run-time error names its place") << "Dim a\na = 1 / 0" << Kind::Runtime << 11 << 2 << 1 << "Line 2, column 1: Microsoft VBScript runtime error 11: Division by zero";
    QTest::newRow("an error in a procedure is placed inside it") << "Sub f\n  a = CInt(\"x\")\nEnd Sub\nf" << Kind::Runtime << 13 << 2 << 3 << "Line 2, column 3: Microsoft VBScript runtime error 13: Type mismatch";
    QTest::newRow("Err.Raise keeps its source and text") << "Err.Raise 1000, \"Source\", \"Text\"" << Kind::Runtime << 1000 << 1 << 1 << "Line 1, column 1: Source 1000: Text";
    QTest::newRow("an undefined name is named") << "Option Explicit\nWScript.Echo nothing1" << Kind::Runtime << 500 << 2 << 1 << "Line 2, column 1: Microsoft VBScript runtime error 500: Variable is undefined: 'nothing1'";
    QTest::newRow("a global array too large for memory") << "Dim a(100000, 100000)" << Kind::Runtime << 7 << 1 << 1 << "Line 1, column 1: Microsoft VBScript runtime error 7: Out of memory";
    // clang-format on
}

void TestVBScriptEngine::loadReportsErrors()
{
    QFETCH(QString, source);
    QFETCH(ScriptError::Kind, kind);
    QFETCH(int, number);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(QString, text);

    Engine engine;
    engine.addWScript();
    ScriptError error;
    QCOMPARE(engine.load(source, &error), kind == ScriptError::Kind::None);
    QCOMPARE(error.kind, kind);
    QCOMPARE(error.number, number);
    QCOMPARE(error.position.line, line);
    QCOMPARE(error.position.column, column);
    QCOMPARE(error.toString(), text);
}

void TestVBScriptEngine::failuresAreLoggedToTheOutput()
{
    RecordingOutput output;
    Engine engine;
    engine.setOutput(&output);
    engine.addWScript();
    QVERIFY(!engine.load(QStringLiteral("WScript.Echo \"before\"\nx = 1 / 0\nWScript.Echo 2")));
    QVERIFY(!engine.call(QStringLiteral("missing")));
    QCOMPARE(output.lines,
             QStringList({QStringLiteral("before"),
                          QStringLiteral("Line 2, column 1: Microsoft VBScript runtime error 11: "
                                         "Division by zero"),
                          QStringLiteral("Microsoft VBScript runtime error 35: Sub or Function "
                                         "not defined: 'missing'")}));
    QCOMPARE(output.levels, QList<int>({3, 3}));
}

void TestVBScriptEngine::functionNamesAreThePublicProcedures()
{
    Engine engine;
    QVERIFY(engine.load(QStringLiteral("Function jobArrived(s, job)\nEnd Function\n"
                                       "Private Sub helper\nEnd Sub\n"
                                       "Public Sub timerFired(s)\nEnd Sub\n"
                                       "Class Worker\nPublic Sub Run\nEnd Sub\nEnd Class\n")));
    QCOMPARE(engine.functionNames(),
             QStringList({QStringLiteral("jobArrived"), QStringLiteral("timerFired")}));
    QVERIFY(engine.hasFunction(QStringLiteral("JOBARRIVED")));
    QVERIFY(!engine.hasFunction(QStringLiteral("helper")));
    QVERIFY(!engine.hasFunction(QStringLiteral("Run")));
}

void TestVBScriptEngine::callConvertsValues_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QVariantList>("arguments");
    QTest::addColumn<QVariant>("result");

    const QDateTime date(QDate(2003, 1, 2), QTime(10, 30));
    // clang-format off
    QTest::newRow("whole numbers") << "Function f(a, b): f = a + b: End Function" << QVariantList{1, 2} << QVariant(3);
    QTest::newRow("a Long beyond an Integer") << "Function f(a): f = a * 2: End Function" << QVariantList{100000} << QVariant(200000);
    QTest::newRow("doubles") << "Function f(a): f = a / 2: End Function" << QVariantList{3} << QVariant(1.5);
    QTest::newRow("a Byte is a whole number") << "Function f(a): f = CByte(a): End Function" << QVariantList{200} << QVariant(200);
    QTest::newRow("a Single is a double") << "Function f(a): f = CSng(a) / 4: End Function" << QVariantList{3} << QVariant(0.75);
    QTest::newRow("a Currency is a double") << "Function f(a): f = CCur(a) * 2: End Function" << QVariantList{1.125} << QVariant(2.25);
    QTest::newRow("texts") << "Function f(a, b): f = a & b: End Function" << QVariantList{QStringLiteral("a"), 1} << QVariant(QStringLiteral("a1"));
    QTest::newRow("booleans") << "Function f(a): f = Not a: End Function" << QVariantList{true} << QVariant(false);
    QTest::newRow("Null in, Null test out") << "Function f(a): f = IsNull(a): End Function" << QVariantList{QVariant::fromValue(nullptr)} << QVariant(true);
    QTest::newRow("an invalid variant is Empty") << "Function f(a): f = IsEmpty(a): End Function" << QVariantList{QVariant()} << QVariant(true);
    QTest::newRow("dates both ways") << "Function f(a): f = DateAdd(\"d\", 1, a): End Function" << QVariantList{date} << QVariant(date.addDays(1));
    QTest::newRow("a list is an array") << "Function f(a): f = UBound(a) & a(2): End Function" << QVariantList{QVariantList{1, 2, QStringLiteral("x")}} << QVariant(QStringLiteral("2x"));
    QTest::newRow("a string list is an array") << "Function f(a): f = Join(a, \"+\"): End Function" << QVariantList{QStringList{QStringLiteral("a"), QStringLiteral("b")}} << QVariant(QStringLiteral("a+b"));
    QTest::newRow("an array is a list") << "Function f(): f = Array(1, \"a\", Empty): End Function" << QVariantList{} << QVariant(QVariantList{1, QStringLiteral("a"), QVariant()});
    QTest::newRow("two dimensions are nested lists") << "Function f(): Dim m(1, 2): m(1, 2) = 5: f = m: End Function" << QVariantList{} << QVariant(QVariantList{QVariantList{QVariant(), QVariant()}, QVariantList{QVariant(), QVariant()}, QVariantList{QVariant(), 5}});
    QTest::newRow("a Sub gives nothing") << "Sub s(a): a = 2: End Sub" << QVariantList{1} << QVariant();
    QTest::newRow("an object of the script stays inside") << "Function f(): Set f = New RegExp: End Function" << QVariantList{} << QVariant();
    QTest::newRow("a map is a Dictionary") << "Function f(d): f = d.Count & d(\"k\"): End Function" << QVariantList{QVariantMap{{QStringLiteral("k"), 7}}} << QVariant(QStringLiteral("17"));
    // clang-format on
}

void TestVBScriptEngine::callConvertsValues()
{
    QFETCH(QString, source);
    QFETCH(QVariantList, arguments);
    QFETCH(QVariant, result);

    Engine engine;
    QVERIFY(engine.load(source));
    const QString name = engine.functionNames().value(0);
    QVariant returned;
    ScriptError error;
    QVERIFY2(engine.call(name, arguments, &returned, &error), qPrintable(error.toString()));
    QCOMPARE(returned, result);
}

void TestVBScriptEngine::callReportsErrors_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariantList>("arguments");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("line");

    // clang-format off
    QTest::newRow("a name that is not defined") << "missing" << QVariantList{} << 35 << 0;
    QTest::newRow("a variable is not a function") << "value" << QVariantList{} << 35 << 0;
    QTest::newRow("too few arguments") << "divide" << QVariantList{1} << 450 << 0;
    QTest::newRow("an error inside") << "divide" << QVariantList{1, 0} << 11 << 3;
    QTest::newRow("an error that a handler leaves") << "handled" << QVariantList{} << 0 << 0;
    // clang-format on
}

void TestVBScriptEngine::callReportsErrors()
{
    QFETCH(QString, name);
    QFETCH(QVariantList, arguments);
    QFETCH(int, number);
    QFETCH(int, line);

    Engine engine;
    QVERIFY(engine.load(QStringLiteral("Dim value\n"
                                       "Function divide(a, b)\n"
                                       "    divide = a / b\n"
                                       "End Function\n"
                                       "Function handled()\n"
                                       "    On Error Resume Next\n"
                                       "    handled = 1 / 0\n"
                                       "End Function\n")));
    ScriptError error;
    QCOMPARE(engine.call(name, arguments, nullptr, &error), number == 0);
    QCOMPARE(error.number, number);
    QCOMPARE(error.position.line, line);
}

void TestVBScriptEngine::interruptStopsARun_data()
{
    QTest::addColumn<QString>("source");

    // clang-format off
    QTest::newRow("Do loop") << "WScript.Echo 1\nDo\nLoop";
    QTest::newRow("Do While loop") << "WScript.Echo 1\nDo While True\nLoop";
    QTest::newRow("While loop") << "WScript.Echo 1\nWhile 1\nWend";
    QTest::newRow("For loop") << "WScript.Echo 1\nFor i = 1 To 2000000000\nNext";
    QTest::newRow("For Each loops again and again") << "WScript.Echo 1\nDo\nFor Each x In Array(1, 2)\nNext\nLoop";
    QTest::newRow("calls in a loop") << "Sub f\nEnd Sub\nWScript.Echo 1\nDo\nf\nLoop";
    QTest::newRow("On Error Resume Next does not hold it") << "On Error Resume Next\nWScript.Echo 1\nDo\nx = 1 / 0\nLoop";
    QTest::newRow("a loop in a procedure") << "Sub f\nWScript.Echo 1\nDo\nLoop\nEnd Sub\nf";
    QTest::newRow("a loop in Class_Terminate") << "Class C\nSub Class_Terminate\nWScript.Echo 1\nDo\nLoop\nEnd Sub\nEnd Class\nSet o = New C\nSet o = Nothing";
    QTest::newRow("a loop in executed text") << "Execute \"WScript.Echo 1: Do: Loop\"";
    // clang-format on
}

void TestVBScriptEngine::interruptStopsARun()
{
    QFETCH(QString, source);

    StartSignal output;
    Engine engine;
    engine.setOutput(&output);
    engine.addWScript();
    ScriptError error;
    WorkerThread worker([&] { engine.load(source, &error); });
    worker.start();
    QVERIFY(output.started.tryAcquire(1, int(kWaitMs)));
    engine.interrupt();
    QVERIFY(worker.wait(kWaitMs));
    QCOMPARE(error.kind, ScriptError::Kind::Interrupted);
    QCOMPARE(error.toString().contains(QLatin1String("stopped")), true);
}

void TestVBScriptEngine::interruptStopsLaterRuns()
{
    Engine engine;
    QVERIFY(engine.load(QStringLiteral("Function f: f = 1: End Function")));
    engine.interrupt();
    ScriptError error;
    QVERIFY(!engine.call(QStringLiteral("f"), {}, nullptr, &error));
    QCOMPARE(error.kind, ScriptError::Kind::Interrupted);
    QVERIFY(!engine.load(QStringLiteral("x = 1"), &error));
    QCOMPARE(error.kind, ScriptError::Kind::Interrupted);
}

// The stack a worker thread needs for the deepest calls: Interpreter::maxCallDepth levels of
// a procedure that calls itself through an expression, a default member and Execute.
void TestVBScriptEngine::deepRecursionEndsInOutOfStackSpace()
{
    Engine engine;
    RecordingOutput output;
    engine.setOutput(&output);
    engine.addWScript();
    const QString source =
        QStringLiteral("Class Deeper\n"
                       "    Public Default Function Go(n)\n"
                       "        Go = Down(n + 1)\n"
                       "    End Function\n"
                       "End Class\n"
                       "Function Down(n)\n"
                       "    Dim d: Set d = New Deeper\n"
                       "    If n Mod 3 = 0 Then Execute \"Down = d(n)\" Else Down = d(n) + 0\n"
                       "End Function\n"
                       "On Error Resume Next\n"
                       "x = Down(1)\n"
                       "WScript.Echo Err.Number, Err.Description\n");
    WorkerThread worker([&] { engine.load(source); }, 8 * 1024 * 1024);
    worker.start();
    QVERIFY(worker.wait(kWaitMs));
    QCOMPARE(output.lines, QStringList(QStringLiteral("28 Out of stack space")));
}

void TestVBScriptEngine::tooDeepTextIsRefused_data()
{
    QTest::addColumn<QString>("source");

    const QString deep =
        QStringLiteral("x = %1 1 %2")
            .arg(QString(10000, QLatin1Char('(')), QString(10000, QLatin1Char(')')));
    QString chain = QStringLiteral("x = 1");
    for (int i = 0; i < 10000; ++i) {
        chain += QStringLiteral(" + 1");
    }
    QString blocks;
    for (int i = 0; i < 10000; ++i) {
        blocks += QStringLiteral("If True Then\n");
    }
    // clang-format off
    QTest::newRow("10,000 nested parentheses") << deep;
    QTest::newRow("a chain of 10,000 operators") << chain;
    QTest::newRow("10,000 nested signs") << QStringLiteral("x = ") + QString(10000, QLatin1Char('-')) + QStringLiteral("1");
    QTest::newRow("10,000 nested blocks") << blocks;
    QTest::newRow("10,000 chained member calls") << QStringLiteral("x = o") + QStringLiteral(".a").repeated(10000);
    // clang-format on
}

void TestVBScriptEngine::tooDeepTextIsRefused()
{
    QFETCH(QString, source);

    Engine engine;
    ScriptError error;
    QVERIFY(!engine.load(source, &error));
    QCOMPARE(error.kind, ScriptError::Kind::Compilation);
    QVERIFY2(error.description.contains(QLatin1String("too deep"))
                 || error.description.contains(QLatin1String("too complex")),
             qPrintable(error.description));
}

void TestVBScriptEngine::enginesRunSideBySide()
{
    const QString source = QStringLiteral("Function Sum(n)\n"
                                          "    Dim i\n"
                                          "    For i = 1 To n: Sum = Sum + i: Next\n"
                                          "End Function\n");
    QVariant first;
    QVariant second;
    Engine one;
    Engine two;
    QVERIFY(one.load(source));
    QVERIFY(two.load(source));
    WorkerThread a([&] { one.call(QStringLiteral("Sum"), {200000}, &first); });
    WorkerThread b([&] { two.call(QStringLiteral("Sum"), {300000}, &second); });
    a.start();
    b.start();
    QVERIFY(a.wait(kWaitMs));
    QVERIFY(b.wait(kWaitMs));
    QCOMPARE(first, QVariant(20000100000.0));
    QCOMPARE(second, QVariant(45000150000.0));
}

// Objects that are still referenced go when the engine closes: with Class_Terminate, unless
// they hold each other in a cycle (which AddressSanitizer checks is freed all the same).
void TestVBScriptEngine::closeRunsClassTerminate()
{
    RecordingOutput output;
    Engine engine;
    engine.setOutput(&output);
    engine.addWScript();
    QVERIFY(engine.load(QStringLiteral("Class Tracked\n"
                                       "    Public Name, Other\n"
                                       "    Private Sub Class_Terminate\n"
                                       "        WScript.Echo \"gone \" & Name\n"
                                       "    End Sub\n"
                                       "End Class\n"
                                       "Set lonely = New Tracked: lonely.Name = \"lonely\"\n"
                                       "Set a = New Tracked: a.Name = \"a\"\n"
                                       "Set b = New Tracked: b.Name = \"b\"\n"
                                       "Set a.Other = b: Set b.Other = a\n")));
    QVERIFY(output.lines.isEmpty());
    engine.close();
    engine.close();
    QCOMPARE(output.lines, QStringList({QStringLiteral("gone lonely")}));
    ScriptError error;
    QVERIFY(!engine.load(QStringLiteral("WScript.Echo 1"), &error));
    QCOMPARE(error.kind, ScriptError::Kind::Interrupted);
}

// A text within the engine's limits that the system cannot give memory for: the allocation
// fails, the load ends with "Out of memory", and the engine runs the next script.
void TestVBScriptEngine::allocationFailureIsOutOfMemory()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer reserves more address space than the limit leaves");
#else
    rlimit previous{};
    QCOMPARE(getrlimit(RLIMIT_AS, &previous), 0);
    RecordingOutput output;
    Engine engine;
    engine.setOutput(&output);
    engine.addWScript();
    QVERIFY(engine.load(QStringLiteral("Class Kept\nEnd Class\nSet instance = New Kept")));
    ScriptError error;
    {
        // Room for what the process has, not for 400 MB more.
        QFile status(QStringLiteral("/proc/self/statm"));
        QVERIFY(status.open(QIODevice::ReadOnly));
        const qint64 pages = status.readAll().split(' ').value(0).toLongLong();
        rlimit limited = previous;
        limited.rlim_cur = rlim_t(pages * 4096 + 256 * 1024 * 1024);
        QCOMPARE(setrlimit(RLIMIT_AS, &limited), 0);
        engine.load(QStringLiteral("Sub Deep(n)\n"
                                   "    If n > 0 Then Deep n - 1 Else text = Space(200000000)\n"
                                   "End Sub\n"
                                   "Deep 50\n"),
                    &error);
        QCOMPARE(setrlimit(RLIMIT_AS, &previous), 0);
    }
    QCOMPARE(error.number, 7);
    QVERIFY(engine.load(QStringLiteral("WScript.Echo TypeName(instance), Len(Space(10))")));
    QCOMPARE(output.lines.last(), QStringLiteral("Kept 10"));
#endif
}

TAVRIX_TEST_GUILESS_MAIN(TestVBScriptEngine)
#include "tst_vbscriptengine.moc"
