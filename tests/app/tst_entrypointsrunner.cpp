// Running entry points from the program as the user does: choose one in the test tool bar,
// press Invoke, answer the argument dialog, wait for the window's poll to find the run over;
// then the messages, the test folder and the window as the user finds them.

#include "common/testmain.h"

#include "runnertestsupport.h"

#include "testing/entrypoints.h"
#include "testing/runoutputsdelegate.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Scripter;
using RunnerTest::busyParts;

namespace {

const QString startMessage = QStringLiteral("Starting evaluating script: %11 (%12)");
const QString resultMessage = QStringLiteral("Script evaluation result: %1");
const QString endMessage = QStringLiteral("Script evaluation message: %1");
const QString abortMessage = QStringLiteral("Test was aborted by the user");
const QString timeOutMessage =
    QStringLiteral("The test run took longer than %1 seconds and was stopped");
const QString syntaxErrorMessage = QStringLiteral("Error in %11 at line %12, column %13: %14");

const QString endlessTimer =
    QStringLiteral("function timerFired( s ) { s.log( 1, \"looping\" ); while ( true ) {} }\n");

// Answers the argument dialog with `value`, typed or chosen.
std::function<void(QDialog *)> answerWith(const QString &value)
{
    return [value](QDialog *dialog) {
        if (auto *values = dialog->findChild<QComboBox *>()) {
            values->setCurrentText(value);
        } else {
            dialog->findChild<QLineEdit *>()->setText(value);
        }
        dialog->accept();
    };
}

// A run that ends before its script does, and the message that says why.
struct EarlyEnd
{
    const char *name;
    QString program;
    int entryPoint;
    int timeOutSeconds; // 0: none
    bool userAborts;
    QString why;
    QString argument;
};

// A run refused before it starts, and how the user learns why: warnings and errors logged as
// "type|operation|argument", dialogs as "title|text".
struct Refusal
{
    const char *name;
    bool aRunGoesOn;
    bool newPackage; // which declares no properties
    int tab;         // the script shown
    QString program;
    bool removeTheJob;
    int entryPoint;
    QStringList said;
};

struct LibraryCase
{
    const char *name;
    QString program;
    bool duringARun;
    QString tag;
    bool connection;
    QStringList library;
    QString operation; // of the message that says why there is none
    QString argument;
};

} // namespace

Q_DECLARE_METATYPE(EarlyEnd)
Q_DECLARE_METATYPE(Refusal)
Q_DECLARE_METATYPE(LibraryCase)

class tst_EntryPointsRunner : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyEntryPointRunsAndReports_data();
    void everyEntryPointRunsAndReports();
    void jobArrivedSendsTheJobAndHoldsTheExpectedResults_data();
    void jobArrivedSendsTheJobAndHoldsTheExpectedResults();
    void applicationDataCarriesOverToLaterRuns();
    void aRunStoppedEarlySaysWhyAndStillEnds_data();
    void aRunStoppedEarlySaysWhyAndStillEnds();
    void refusedRunsStartNothingAndSayWhy_data();
    void refusedRunsStartNothingAndSayWhy();
    void shuttingDownDuringARunStopsIt();
    void libraryForPropertyIsTheScriptsOrNoneWithTheReason_data();
    void libraryForPropertyIsTheScriptsOrNoneWithTheReason();

private:
    // The operations of the stored messages, oldest first.
    QStringList operations() const
    {
        QStringList texts;
        for (const QStringList &message : m_session->world.storedMessages()) {
            texts << message.value(1);
        }
        return texts;
    }
    // The arguments of the stored messages with `operation`, oldest first.
    QStringList arguments(const QString &operation) const
    {
        QStringList values;
        for (const QStringList &message : m_session->world.storedMessages()) {
            if (message.value(1) == operation) {
                values << message.value(2);
            }
        }
        return values;
    }

    // Chooses `entryPoint` in the test tool bar and presses Invoke once the chooser offers it.
    bool invoke(int entryPoint) const
    {
        m_session->choose(entryPoint);
        QAction *invoke = m_session->actions()->invokeEntryPointAction();
        const bool offered = QTest::qWaitFor([invoke] { return invoke->isEnabled(); });
        invoke->trigger(); // does nothing unless offered
        return offered;
    }
    // Waits for the window's poll to find the run over.
    bool waitForTheEnd() const
    {
        return QTest::qWaitFor([this] { return busyParts(m_session->window).isEmpty(); }, 20000);
    }
    // Waits until the running script has logged `operation`.
    bool waitForMessage(const QString &operation) const
    {
        return QTest::qWaitFor([this, operation] { return operations().contains(operation); },
                               10000);
    }
    // Starts the endless timer of the example and waits until it loops.
    bool startEndlessRun() const
    {
        m_session->setProgram(endlessTimer);
        return invoke(EntryPoints::TimerFired) && waitForMessage(QStringLiteral("looping"));
    }

    std::unique_ptr<RunnerTest::ExampleSession> m_session;
};

void tst_EntryPointsRunner::init()
{
    m_session = std::make_unique<RunnerTest::ExampleSession>();
    QVERIFY(m_session->open());
}

void tst_EntryPointsRunner::cleanup()
{
    m_session.reset();
}

void tst_EntryPointsRunner::everyEntryPointRunsAndReports_data()
{
    QTest::addColumn<int>("entryPoint");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("ran");
    QTest::addColumn<QString>("result");

    // clang-format off
    QTest::newRow("jobArrived runs with the job") << 0 << "" << "ran jobArrived" << "";
    QTest::newRow("timerFired runs") << 1 << "" << "ran timerFired" << "";
    QTest::newRow("the script body gives its value with its type") << 2 << "" << "" << "body of invoice-4711.xml [type: QString]";
    QTest::newRow("initializeProcessing reports success") << 3 << "" << "ran initializeProcessing" << "Processing was initialized";
    QTest::newRow("finalizeProcessing runs") << 4 << "" << "ran finalizeProcessing" << "";
    QTest::newRow("cleanupAfterAbort runs") << 5 << "" << "ran cleanupAfterAbort" << "";
    QTest::newRow("isPropertyValid validates the chosen property's value") << 6 << "AmountLimit" << "ran isPropertyValid" << "Valid property 'AmountLimit' with value '1000'";
    QTest::newRow("getLibraryForProperty lists the library") << 7 << "Currency" << "ran getLibraryForProperty" << "EUR;USD";
    QTest::newRow("findApplicationPath gets the startup value as a boolean") << 8 << "TRUE" << "ran findApplicationPath" << "/opt/started";
    QTest::newRow("getApplicationLicensing reports the licensing") << 9 << "" << "ran getApplicationLicensing" << "licensed at ";
    QTest::newRow("licenseApplication gets the typed key") << 10 << "KEY-1" << "ran licenseApplication with %1" << "";
    QTest::newRow("isConnectionPropertyValid validates the selected connection's value") << 11 << "InvoiceClass" << "ran isConnectionPropertyValid" << "Valid property 'InvoiceClass' with value 'Large'";
    QTest::newRow("getLibraryForConnectionProperty gets the selected connection") << 12 << "InvoiceClass" << "ran getLibraryForConnectionProperty" << "Approval;InvoiceClass";
    // clang-format on
}

void tst_EntryPointsRunner::everyEntryPointRunsAndReports()
{
    QFETCH(int, entryPoint);
    QFETCH(QString, argument);
    QFETCH(QString, ran);
    QFETCH(QString, result);
    m_session->setProgram(RunnerTest::everyEntryPoint());
    m_session->selectConnection(QStringLiteral("Approval"));

    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<QDialog>(answerWith(argument)));
    QVERIFY(invoke(entryPoint));
    QVERIFY(waitForTheEnd());
    QCOMPARE(dialogs.answeredAll(), !argument.isEmpty());

    // The start, what the script logged, its result and the end, in this order.
    const QStringList texts = operations();
    QCOMPARE(arguments(startMessage),
             QStringList(EntryPoints::startText(entryPoint) + QStringLiteral(",JavaScript")));
    QCOMPARE(arguments(endMessage), QStringList(EntryPoints::endText(entryPoint)));
    QCOMPARE(arguments(resultMessage), result.isEmpty() ? QStringList() : QStringList(result));
    QStringList inOrder = {startMessage, ran, result.isEmpty() ? QString() : resultMessage,
                           endMessage};
    inOrder.removeAll(QString());
    QStringList logged = texts;
    logged.removeIf([&inOrder](const QString &text) { return !inOrder.contains(text); });
    QCOMPARE(logged, inOrder);
    QVERIFY2(!texts.contains(QStringLiteral("Error in %11: %12")), qPrintable(texts.join('\n')));

    // The window is back as it was.
    QCOMPARE(busyParts(m_session->window), QStringList());
    QVERIFY(m_session->actions()->invokeEntryPointAction()->isEnabled());
    QVERIFY(!m_session->window->isWindowModified());
}

void tst_EntryPointsRunner::jobArrivedSendsTheJobAndHoldsTheExpectedResults_data()
{
    QTest::addColumn<bool>("ownProgram");
    QTest::addColumn<QStringList>("failed"); // the expected results that fail, as logged

    // clang-format off
    QTest::newRow("the example's program holds them all") << true << QStringList();
    QTest::newRow("a program that only sends the job") << false << QStringList({
        "job 'invoice-4711.xml' has the private data InvoiceClass = 'Large' (got no value)",
        "a message of type info like 'Invoice invoice-4711.xml: 1250.00 EUR routed as large' (got no such message)"});
    // clang-format on
}

void tst_EntryPointsRunner::jobArrivedSendsTheJobAndHoldsTheExpectedResults()
{
    QFETCH(bool, ownProgram);
    QFETCH(QStringList, failed);
    if (!ownProgram) {
        m_session->setProgram(RunnerTest::everyEntryPoint());
    }
    QVERIFY(invoke(EntryPoints::JobArrived));
    QVERIFY(waitForTheEnd());

    // The example expects six things of both connections, its job and its messages; each result
    // is logged, a failure as an error with what the run gave.
    int held = 0;
    QStringList failures;
    for (const QStringList &message : m_session->world.storedMessages()) {
        held += message.mid(0, 2) == QStringList{"info", "Expected result held: %1"};
        if (message.mid(0, 2) == QStringList{"error", "Expected result failed: %1"}) {
            failures << message.value(2);
        }
    }
    QCOMPARE(failures, failed);
    QCOMPARE(held + failures.size(), 6);

    // The job went to Approval only: the fixture marks what each connection got.
    const FixtureItem *connections = m_session->window->fixture()->tree()->outgoingGroup();
    QStringList marks;
    for (int i = 0; i < connections->childCount(); ++i) {
        marks << connections->child(i)->text(0) + QLatin1Char('=')
                     + connections->child(i)->data(0, RunOutputsDelegate::RunOutputRole).toString();
    }
    QCOMPARE(marks, QStringList({"Approval=1 file(s)", "Booking=0 file(s)"}));
}

void tst_EntryPointsRunner::applicationDataCarriesOverToLaterRuns()
{
    m_session->setProgram(RunnerTest::everyEntryPoint());
    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<QDialog>(answerWith(QStringLiteral("false"))));
    for (int entryPoint : {8, 9}) { // findApplicationPath, then getApplicationLicensing
        QVERIFY(invoke(entryPoint));
        QVERIFY(waitForTheEnd());
    }
    QCOMPARE(arguments(resultMessage), QStringList({"/opt/app", "licensed at /opt/app"}));
}

void tst_EntryPointsRunner::aRunStoppedEarlySaysWhyAndStillEnds_data()
{
    QTest::addColumn<EarlyEnd>("row");

    const QString unclosed =
        QStringLiteral("function timerFired( s )\n{\n    s.log( 1, \"looping\" );\n");
    // An entry point and the script body as an expression: the runner's two kinds of run.
    // clang-format off
    const QList<EarlyEnd> rows = {
        {"the user aborts an endless entry point", endlessTimer, EntryPoints::TimerFired, 0, true, abortMessage, ""},
        {"the user aborts an endless script expression", "while ( true ) {}\n", EntryPoints::ScriptExpression, 0, true, abortMessage, ""},
        {"the run time-out stops an endless entry point", endlessTimer, EntryPoints::TimerFired, 1, false, timeOutMessage, "1"},
        {"a syntax error stops the run before any of it runs", unclosed, EntryPoints::TimerFired, 0, false, syntaxErrorMessage, "timerFired,4,1,SyntaxError: Expected token `;'"},
    };
    // clang-format on
    for (const EarlyEnd &row : rows) {
        QTest::newRow(row.name) << row;
    }
}

void tst_EntryPointsRunner::aRunStoppedEarlySaysWhyAndStillEnds()
{
    QFETCH(EarlyEnd, row);
    QSettings().setValue(EntryPointsRunner::kTimeoutKey, row.timeOutSeconds);
    m_session->setProgram(row.program);
    QVERIFY(invoke(row.entryPoint));
    if (row.userAborts) {
        QVERIFY(row.entryPoint != EntryPoints::TimerFired || waitForMessage("looping"));
        // While it runs, only Abort is offered.
        QCOMPARE(busyParts(m_session->window).size(), 3);
        QVERIFY(!m_session->actions()->invokeEntryPointAction()->isEnabled());
        m_session->actions()->abortAction()->trigger();
    }
    QVERIFY(waitForTheEnd());

    QCOMPARE(arguments(row.why), QStringList(row.argument));
    const QStringList texts = operations();
    for (const QString &other : {abortMessage, timeOutMessage, syntaxErrorMessage}) {
        QCOMPARE(texts.contains(other), other == row.why);
    }
    // A program that does not parse runs nothing.
    QCOMPARE(texts.contains("looping"),
             row.program.contains("looping") && row.why != syntaxErrorMessage);
    QCOMPARE(arguments(endMessage), QStringList(EntryPoints::endText(row.entryPoint)));
}

void tst_EntryPointsRunner::refusedRunsStartNothingAndSayWhy_data()
{
    QTest::addColumn<Refusal>("row");

    const int js = ScripterWindow::JavaScriptTab;
    const QString every = RunnerTest::everyEntryPoint();
    const QString box = QStringLiteral("Entry point error|Entry point %1 can not be started.");
    const QString noProperty =
        box + QStringLiteral("\nAdd flow element property in Declaration pane.");
    // clang-format off
    const QList<Refusal> rows = {
        {"a second run in another window while one goes on", true, true, js, every, false, 1, {"warning|'%1' is in progress now|InvoiceRouter.tscript"}},
        {"a job whose file was removed leaves no current job", false, false, js, every, true, 0, {"error|Can't copy file '%1'|<folder>/jobs/invoice-4711.xml", "error|No file or folder selected to serve as current job|"}},
        {"the script expression is JavaScript only", false, false, ScripterWindow::VBScriptTab, "Function timerFired( s )\nEnd Function\n", false, 2, {"error|Can't evaluate script %1|VBScript"}},
        {"AppleScript can't run here", false, false, ScripterWindow::AppleScriptTab, "on timerFired()\nend timerFired\n", false, 1, {"error|Can't run the script: %1|AppleScript programs run only on the server's Mac; they can't be run here"}},
        {"an empty program", false, false, js, "", false, 1, {"error|Text of the script is empty|"}},
        {"a connection entry point without a usable connection", false, false, js, every, false, 12, {"error|No outgoing connection selected to serve as current connection|"}},
        {"an unknown entry point", false, false, js, every, false, 13, {"error|This entry point is currently not supported (%1)|13"}},
        {"an element property's entry point without element properties", false, true, js, every, false, 6, {noProperty.arg("isPropertyValid")}},
        {"a connection property's entry point without connection properties", false, true, js, every, false, 12, {noProperty.arg("getLibraryForConnectionProperty")}},
        {"the argument dialog cancelled", false, false, js, every, false, 10, {"Enter property name ", box.arg("licenseApplication")}},
    };
    // clang-format on
    for (const Refusal &row : rows) {
        QTest::newRow(row.name) << row;
    }
}

void tst_EntryPointsRunner::refusedRunsStartNothingAndSayWhy()
{
    QFETCH(Refusal, row);
    QVERIFY(!row.aRunGoesOn || startEndlessRun());
    ScripterWindow *window = row.newPackage ? m_session->world.newWindow() : m_session->window;
    window->fixturePane()->show();
    const QString languages[] = {SRCore::XMLValues::JAVASCRIPT, SRCore::XMLValues::VBSCRIPT,
                                 SRCore::XMLValues::APPLESCRIPT};
    window->setScriptText(languages[row.tab], row.program);
    window->scriptTabs()->setCurrentIndex(row.tab);
    QVERIFY(!row.removeTheJob
            || QFile::remove(m_session->files.filePath(QStringLiteral("jobs/invoice-4711.xml"))));
    const QStringList busy = busyParts(m_session->window);
    const qsizetype before = m_session->world.storedMessages().size();

    DialogAnswerer dialogs; // closes every dialog: the argument dialog is cancelled
    QVERIFY(!m_session->runner()->run(row.entryPoint, window));
    QStringList said = dialogs.seen;
    for (const QStringList &message : m_session->world.storedMessages().mid(before)) {
        said << message.join(QLatin1Char('|')).replace(m_session->files.path(), "<folder>");
    }
    // Said why, and nothing more: nothing started, and the windows are as they were.
    QCOMPARE(said.join(QLatin1Char('\n')), row.said.join(QLatin1Char('\n')));
    QCOMPARE(busyParts(m_session->window), busy);
    QCOMPARE(busyParts(window), window == m_session->window ? busy : QStringList());
}

void tst_EntryPointsRunner::shuttingDownDuringARunStopsIt()
{
    QVERIFY(startEndlessRun());
    m_session->world.stop();
    QVERIFY(!m_session->world.core());
}

void tst_EntryPointsRunner::libraryForPropertyIsTheScriptsOrNoneWithTheReason_data()
{
    QTest::addColumn<LibraryCase>("row");

    const QString every = RunnerTest::everyEntryPoint();
    const QString endless =
        QStringLiteral("function getLibraryForProperty( s, tag ) { while ( true ) {} }\n");
    // clang-format off
    const QList<LibraryCase> rows = {
        {"an element property's library", every, false, "Currency", false, {"EUR", "USD"}, "", ""},
        {"the selected connection's property's library", every, false, "InvoiceClass", true, {"Booking", "InvoiceClass"}, "", ""},
        {"a program without the function", endlessTimer, false, "Currency", false, {}, "%1 entry point is not present", "getLibraryForProperty"},
        {"an endless function is stopped after its time-out", endless, false, "Currency", false, {}, "%11 took longer than %12 seconds and was stopped", "getLibraryForProperty,0.2"},
        {"refused while a test runs", endlessTimer, true, "Currency", false, {}, "%11 can't run while '%12' is tested; try again when the test ends", "getLibraryForProperty,InvoiceRouter.tscript"},
    };
    // clang-format on
    for (const LibraryCase &row : rows) {
        QTest::newRow(row.name) << row;
    }
}

void tst_EntryPointsRunner::libraryForPropertyIsTheScriptsOrNoneWithTheReason()
{
    QFETCH(LibraryCase, row);
    m_session->runner()->setLibraryTimeout(200);
    QVERIFY(!row.duringARun || startEndlessRun());
    m_session->setProgram(row.program);
    m_session->selectConnection(QStringLiteral("Booking"));

    QCOMPARE(m_session->window->libraryForProperty(row.tag, row.connection), row.library);
    QCOMPARE(arguments(row.operation).value(0), row.argument);
    // It is no test run: no start message of its own, and only a test run goes on.
    QCOMPARE(operations().count(startMessage), int(row.duringARun));
    QCOMPARE(m_session->runner()->isRunning(), row.duringARun);
}

TAVRIX_TEST_MAIN_OWN_HOME(tst_EntryPointsRunner)
#include "tst_entrypointsrunner.moc"
