// Running entry points from the program as the user does: choose one in the test tool bar,
// press Invoke, answer the argument dialog, wait for the window's poll to find the run over;
// then the messages, the test folder and the window as the user finds them.

#include "common/testmain.h"

#include "runnertestsupport.h"

#include "app/scriptermessagepane.h"
#include "app/settingskeys.h"

#include "package/declaration.h"
#include "testing/entrypointdialog.h"
#include "testing/entrypoints.h"
#include "testing/runoutputsdelegate.h"

#include "editors/javascripteditor.h"

#include "guilib/property/propertiesexplorer.h"

#include <QComboBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabWidget>

using namespace Scripter;
using AppTest::CoreFixture;
using RunnerTest::ExampleSession;
using RunnerTest::ExampleWindow;
using RunnerTest::messagesWith;
using RunnerTest::messageWith;
using RunnerTest::operations;

namespace {

const QString startMessage = QStringLiteral("Starting evaluating script: %11 (%12)");
const QString resultMessage = QStringLiteral("Script evaluation result: %1");
const QString endMessage = QStringLiteral("Script evaluation message: %1");
const QString abortMessage = QStringLiteral("Test was aborted by the user");

const QString endlessTimer =
    QStringLiteral("function timerFired( s ) { s.log( 1, \"looping\" ); while ( true ) {} }\n");

// Answers the argument dialog with `value`, typed or chosen.
std::function<void(QDialog *)> answerWith(const QString &value)
{
    return [value](QDialog *dialog) {
        if (auto *key = dialog->findChild<QLineEdit *>();
            key && !dialog->findChild<QComboBox *>()) {
            key->setText(value);
        } else if (auto *values = dialog->findChild<QComboBox *>()) {
            values->setCurrentText(value);
        }
        dialog->accept();
    };
}

// Waits until the running script has logged `operation`.
bool waitForMessage(const CoreFixture &world, const QString &operation)
{
    return QTest::qWaitFor(
        [&world, operation] { return operations(world.storedMessages()).contains(operation); },
        10000);
}

// Starts the endless timer of the example and waits until it loops.
bool startEndlessRun(ExampleSession &session)
{
    session.example->setProgram(endlessTimer);
    return session.example->invoke(EntryPoints::TimerFired)
           && waitForMessage(session.world, QStringLiteral("looping"));
}

// `program` in the editor of the tab's language, the tab the current one.
void showScript(ScripterWindow *window, int tab, const QString &program)
{
    const QString languages[] = {SRCore::XMLValues::JAVASCRIPT, SRCore::XMLValues::VBSCRIPT,
                                 SRCore::XMLValues::APPLESCRIPT};
    window->setScriptText(languages[tab], program);
    window->scriptTabs()->setCurrentIndex(tab);
}

struct Refusal
{
    const char *name;
    int tab; // the script shown
    QString program;
    bool removeTheJob;
    int entryPoint;
    QString operation;
    QString argument;
};

} // namespace

Q_DECLARE_METATYPE(Refusal)

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
    void abortStopsAnEndlessScriptAndTheRunStillEnds_data();
    void abortStopsAnEndlessScriptAndTheRunStillEnds();
    void aSyntaxErrorStopsTheRunWithItsPlace();
    void runTimeOutStopsTheRunAndSaysSo();
    void secondRunAnywhereIsRefusedWithAMessage();
    void refusedRunsStartNothing_data();
    void refusedRunsStartNothing();
    void propertyEntryPointsNeedAPropertyAndAnAnswer_data();
    void propertyEntryPointsNeedAPropertyAndAnAnswer();
    void closingTheWindowDuringARunStopsItAndStillAsksToSave();
    void shuttingDownDuringARunStopsIt();
    void libraryForPropertyIsTheScriptsLibrary();
    void libraryForPropertyGivesNothingAndSaysWhy_data();
    void libraryForPropertyGivesNothingAndSaysWhy();

private:
    std::unique_ptr<ExampleSession> m_session;
    CoreFixture *m_world = nullptr;
    ExampleWindow *m_example = nullptr;
};

void tst_EntryPointsRunner::init()
{
    m_session = std::make_unique<ExampleSession>();
    QVERIFY(m_session->open());
    m_world = &m_session->world;
    m_example = m_session->example.get();
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
    m_example->setProgram(RunnerTest::everyEntryPoint());
    m_example->selectConnection(QStringLiteral("Approval"));

    DialogAnswerer dialogs;
    if (!argument.isEmpty()) {
        dialogs.then(DialogAnswerer::with<QDialog>(answerWith(argument)));
    }
    QVERIFY(m_example->invoke(entryPoint));
    QVERIFY(m_example->waitForTheEnd());
    QCOMPARE(dialogs.seen.size(), argument.isEmpty() ? 0 : 1);

    const QList<QStringList> messages = m_world->storedMessages();
    const QStringList texts = operations(messages);
    const QStringList start = messageWith(messages, startMessage);
    QVERIFY2(!start.isEmpty(), qPrintable(messages.value(1).join(QLatin1Char('|'))));
    QCOMPARE(start.value(2), EntryPoints::startText(entryPoint) + QStringLiteral(",JavaScript"));
    const qsizetype started = texts.indexOf(startMessage);
    const qsizetype ended = texts.indexOf(endMessage);
    QCOMPARE(messageWith(messages, endMessage).value(2), EntryPoints::endText(entryPoint));
    QVERIFY(started < ended);
    if (!ran.isEmpty()) {
        const qsizetype ranAt = texts.indexOf(ran);
        QVERIFY2(started < ranAt && ranAt < ended, qPrintable(texts.join(QLatin1Char('\n'))));
    }
    if (result.isEmpty()) {
        QVERIFY(!texts.contains(resultMessage));
    } else {
        QCOMPARE(messageWith(messages, resultMessage).value(2), result);
        QVERIFY(texts.indexOf(resultMessage) < ended);
    }
    QVERIFY2(!texts.contains(QStringLiteral("Error in %11: %12")),
             qPrintable(texts.join(QLatin1Char('\n'))));

    // The window is back as it was.
    ScripterWindow *window = m_example->window;
    for (QWidget *pane :
         {static_cast<QWidget *>(window->declaration()), static_cast<QWidget *>(window->fixture()),
          static_cast<QWidget *>(window->propertiesExplorer()),
          static_cast<QWidget *>(window->messagePane())}) {
        QVERIFY(pane->isEnabled());
    }
    QVERIFY(m_example->actions()->saveAction()->isEnabled());
    QVERIFY(!m_example->actions()->abortAction()->isEnabled());
    QVERIFY(m_example->actions()->invokeEntryPointAction()->isEnabled());
    QVERIFY(window->javaScriptEditor()->statusBar()->currentMessage().isEmpty());
    QVERIFY(!window->isWindowModified());
}

void tst_EntryPointsRunner::jobArrivedSendsTheJobAndHoldsTheExpectedResults_data()
{
    QTest::addColumn<bool>("ownProgram");
    QTest::addColumn<QStringList>("failed"); // the expected results that fail

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
        m_example->setProgram(RunnerTest::everyEntryPoint());
    }
    QVERIFY(m_example->invoke(EntryPoints::JobArrived));
    QVERIFY(m_example->runner()->expectationResults().isEmpty());
    QVERIFY(m_example->waitForTheEnd());

    // The example expects something of both connections, its job and its messages; each result
    // is logged, a failure as an error with what the run gave.
    QStringList failures;
    QStringList expectedLog;
    for (const ExpectationResult &result : m_example->runner()->expectationResults()) {
        const QString shown = result.passed ? result.expectation
                                            : result.expectation + " (got " + result.detail + ')';
        failures << (result.passed ? QStringList() : QStringList(shown));
        expectedLog << (result.passed ? "info|Expected result held: %1|"
                                      : "error|Expected result failed: %1|")
                           + shown;
    }
    QCOMPARE(expectedLog.size(), 6);
    QCOMPARE(failures, failed);
    QStringList logged;
    for (const QStringList &message : m_world->storedMessages()) {
        if (message.value(1).startsWith(QStringLiteral("Expected result "))) {
            logged << message.join(QLatin1Char('|'));
        }
    }
    QCOMPARE(logged, expectedLog);

    // The job went to Approval only: the fixture marks what each connection got.
    const FixtureItem *connections = m_example->window->fixture()->tree()->outgoingGroup();
    QStringList marks;
    for (int i = 0; i < connections->childCount(); ++i) {
        marks << connections->child(i)->text(0) + QLatin1Char('=')
                     + connections->child(i)->data(0, RunOutputsDelegate::RunOutputRole).toString();
    }
    QCOMPARE(marks, QStringList({QStringLiteral("Approval=1 file(s)"),
                                 QStringLiteral("Booking=0 file(s)")}));
}

void tst_EntryPointsRunner::applicationDataCarriesOverToLaterRuns()
{
    m_example->setProgram(RunnerTest::everyEntryPoint());
    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::with<QDialog>(answerWith(QStringLiteral("false"))));
    QVERIFY(m_example->invoke(EntryPoints::FindApplicationPath));
    QVERIFY(m_example->waitForTheEnd());
    QVERIFY(m_example->invoke(EntryPoints::GetApplicationLicensing));
    QVERIFY(m_example->waitForTheEnd());

    QStringList results;
    for (const QStringList &message : messagesWith(m_world->storedMessages(), resultMessage)) {
        results << message.value(2);
    }
    QCOMPARE(results,
             QStringList({QStringLiteral("/opt/app"), QStringLiteral("licensed at /opt/app")}));
}

void tst_EntryPointsRunner::abortStopsAnEndlessScriptAndTheRunStillEnds_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("entryPoint");
    QTest::addColumn<QString>("runningSays"); // once it loops; empty when it logs nothing

    // Stopping each language lives in the scripting library; here the runner's two kinds of
    // run: an entry point and the script body as an expression.
    // clang-format off
    QTest::newRow("an endless entry point") << endlessTimer << 1 << "looping";
    QTest::newRow("an endless script expression") << "while ( true ) {}\n" << 2 << "";
    // clang-format on
}

void tst_EntryPointsRunner::abortStopsAnEndlessScriptAndTheRunStillEnds()
{
    QFETCH(QString, program);
    QFETCH(int, entryPoint);
    QFETCH(QString, runningSays);
    m_example->setProgram(program);
    QVERIFY(m_example->invoke(entryPoint));
    QVERIFY(runningSays.isEmpty() || waitForMessage(*m_world, runningSays));
    // While it runs, only Abort is offered.
    QVERIFY(m_example->window->isTestRunning());
    QVERIFY(!m_example->actions()->saveAction()->isEnabled());
    QVERIFY(!m_example->actions()->invokeEntryPointAction()->isEnabled());

    m_example->actions()->abortAction()->trigger();
    QVERIFY(m_example->waitForTheEnd());
    const QList<QStringList> messages = m_world->storedMessages();
    QVERIFY(operations(messages).contains(abortMessage));
    QCOMPARE(messageWith(messages, endMessage).value(2), EntryPoints::endText(entryPoint));
    QVERIFY(m_example->actions()->saveAction()->isEnabled());
}

void tst_EntryPointsRunner::aSyntaxErrorStopsTheRunWithItsPlace()
{
    // The brace of the function is never closed: nothing of the program may run.
    m_example->setProgram(
        QStringLiteral("function timerFired( s )\n{\n    s.log( 1, \"ran\" );\n"));
    QVERIFY(m_example->invoke(EntryPoints::TimerFired));
    QVERIFY(m_example->waitForTheEnd());

    const QList<QStringList> messages = m_world->storedMessages();
    const QStringList error =
        messageWith(messages, QStringLiteral("Error in %11 at line %12, column %13: %14"));
    QVERIFY2(error.value(2).startsWith(QStringLiteral("timerFired,")), qPrintable(error.value(2)));
    QVERIFY(!operations(messages).contains(QStringLiteral("ran")));
    QCOMPARE(messageWith(messages, endMessage).value(2),
             EntryPoints::endText(EntryPoints::TimerFired));
}

void tst_EntryPointsRunner::runTimeOutStopsTheRunAndSaysSo()
{
    QSettings().setValue(EntryPointsRunner::kTimeoutKey, 1);
    m_example->setProgram(endlessTimer);
    QVERIFY(m_example->invoke(EntryPoints::TimerFired));
    QVERIFY(m_example->waitForTheEnd());

    const QList<QStringList> messages = m_world->storedMessages();
    QCOMPARE(messageWith(messages,
                         QStringLiteral("The test run took longer than %1 seconds and was stopped"))
                 .value(2),
             QStringLiteral("1"));
    QVERIFY(!operations(messages).contains(abortMessage));
    QCOMPARE(messageWith(messages, endMessage).value(2),
             EntryPoints::endText(EntryPoints::TimerFired));
}

void tst_EntryPointsRunner::secondRunAnywhereIsRefusedWithAMessage()
{
    QVERIFY(startEndlessRun(*m_session));

    // Another window's Test actions refuse; so does the keyboard in the running window.
    ScripterWindow *other = m_world->newWindow();
    other->fixturePane()->show();
    other->setScriptText(SRCore::XMLValues::JAVASCRIPT, endlessTimer);
    QAction *otherTimer = other->actions()->entryPointActions().at(2);
    QVERIFY(QTest::qWaitFor([otherTimer] { return otherTimer->isEnabled(); }));
    otherTimer->trigger();
    QVERIFY(!m_example->runner()->run(EntryPoints::TimerFired, m_example->window));

    QVERIFY(other->scriptTabs()->isEnabled());
    QVERIFY(!other->isTestRunning());
    const QList<QStringList> refusals =
        messagesWith(m_world->storedMessages(), QStringLiteral("'%1' is in progress now"));
    QCOMPARE(refusals.size(), 2);
    QCOMPARE(refusals.at(0),
             QStringList({QStringLiteral("warning"), QStringLiteral("'%1' is in progress now"),
                          QStringLiteral("InvoiceRouter.tscript")}));
    QCOMPARE(operations(m_world->storedMessages()).count(startMessage), 1);
}

void tst_EntryPointsRunner::refusedRunsStartNothing_data()
{
    QTest::addColumn<Refusal>("row");

    const int js = ScripterWindow::JavaScriptTab;
    const QString every = RunnerTest::everyEntryPoint();
    // clang-format off
    const QList<Refusal> rows = {
        {"a job whose file was removed leaves no current job", js, every, true, 0, "No file or folder selected to serve as current job", ""},
        {"the script expression is JavaScript only", ScripterWindow::VBScriptTab, "Function timerFired( s )\nEnd Function\n", false, 2, "Can't evaluate script %1", "VBScript"},
        {"AppleScript can't run here", ScripterWindow::AppleScriptTab, "on timerFired()\nend timerFired\n", false, 1, "Can't run the script: %1", "AppleScript programs run only on the server's Mac; they can't be run here"},
        {"an empty program", js, "", false, 1, "Text of the script is empty", ""},
        {"a connection entry point without a usable connection", js, every, false, 12, "No outgoing connection selected to serve as current connection", ""},
        {"an unknown entry point", js, every, false, 13, "This entry point is currently not supported (%1)", "13"},
    };
    // clang-format on
    for (const Refusal &row : rows) {
        QTest::newRow(row.name) << row;
    }
}

void tst_EntryPointsRunner::refusedRunsStartNothing()
{
    QFETCH(Refusal, row);
    ScripterWindow *window = m_example->window;
    showScript(window, row.tab, row.program);
    QVERIFY(!row.removeTheJob
            || QFile::remove(m_session->files.filePath(QStringLiteral("jobs/invoice-4711.xml"))));

    QVERIFY(!m_example->runner()->run(row.entryPoint, window));
    const QList<QStringList> messages = m_world->storedMessages();
    QCOMPARE(messageWith(messages, row.operation),
             QStringList({QStringLiteral("error"), row.operation, row.argument}));
    QVERIFY(!operations(messages).contains(startMessage));
    QVERIFY(!window->isTestRunning());
    QVERIFY(window->scriptTabs()->isEnabled());
    QVERIFY(!m_example->runner()->isRunning());
}

void tst_EntryPointsRunner::propertyEntryPointsNeedAPropertyAndAnAnswer_data()
{
    QTest::addColumn<int>("entryPoint");
    QTest::addColumn<bool>("withProperties");
    QTest::addColumn<QString>("box");

    // clang-format off
    QTest::newRow("isPropertyValid without element properties") << 6 << false << "Entry point isPropertyValid can not be started.\nAdd flow element property in Declaration pane.";
    QTest::newRow("getLibraryForConnectionProperty without connection properties") << 12 << false << "Entry point getLibraryForConnectionProperty can not be started.\nAdd flow element property in Declaration pane.";
    QTest::newRow("getLibraryForProperty cancelled") << 7 << true << "Entry point getLibraryForProperty can not be started.";
    QTest::newRow("findApplicationPath cancelled") << 8 << true << "Entry point findApplicationPath can not be started.";
    QTest::newRow("licenseApplication cancelled") << 10 << true << "Entry point licenseApplication can not be started.";
    // clang-format on
}

void tst_EntryPointsRunner::propertyEntryPointsNeedAPropertyAndAnAnswer()
{
    QFETCH(int, entryPoint);
    QFETCH(bool, withProperties);
    QFETCH(QString, box);
    // A new package declares no properties.
    ScripterWindow *window = withProperties ? m_example->window : m_world->newWindow();
    window->fixturePane()->show();
    window->setScriptText(SRCore::XMLValues::JAVASCRIPT, RunnerTest::everyEntryPoint());
    m_example->selectConnection(QStringLiteral("Approval"));

    DialogAnswerer dialogs;
    if (withProperties) {
        dialogs.then(DialogAnswerer::close());
    }
    dialogs.then(DialogAnswerer::press(QMessageBox::Ok));
    QVERIFY(!m_example->runner()->run(entryPoint, window));
    QVERIFY(dialogs.answeredAll());
    QCOMPARE(dialogs.seen.last(), QStringLiteral("Entry point error|") + box);
    QVERIFY(!operations(m_world->storedMessages()).contains(startMessage));
    QVERIFY(!window->isTestRunning());
}

void tst_EntryPointsRunner::closingTheWindowDuringARunStopsItAndStillAsksToSave()
{
    // An untitled package is not saved for a run: its changes are still unsaved.
    ScripterWindow *window = m_world->newWindow();
    window->fixturePane()->show();
    window->setScriptText(SRCore::XMLValues::JAVASCRIPT, endlessTimer);
    window->markModified();
    QVERIFY(m_example->runner()->run(EntryPoints::TimerFired, window));
    QVERIFY(waitForMessage(*m_world, QStringLiteral("looping")));

    DialogAnswerer dialogs;
    dialogs.then(DialogAnswerer::press(QMessageBox::Yes));    // stop the run
    dialogs.then(DialogAnswerer::press(QMessageBox::Cancel)); // keep the window after all
    QVERIFY(!window->close());
    QCOMPARE(dialogs.seen.size(), 2);
    QCOMPARE(dialogs.seen.at(0).section(QLatin1Char('|'), 0, 0),
             QStringLiteral("Terminate entry point"));
    QCOMPARE(dialogs.seen.at(1).section(QLatin1Char('|'), 0, 0), QStringLiteral("Save"));
    QVERIFY(!m_example->runner()->isRunning());
    QVERIFY(window->isWindowModified());
    QCOMPARE(window->scriptText(SRCore::XMLValues::JAVASCRIPT), endlessTimer);
    const QStringList texts = operations(m_world->storedMessages());
    QVERIFY(texts.contains(abortMessage));
    QVERIFY(texts.contains(endMessage));
}

void tst_EntryPointsRunner::shuttingDownDuringARunStopsIt()
{
    QVERIFY(startEndlessRun(*m_session));
    m_session->example.reset();
    m_world->stop();
    QVERIFY(!m_world->core());
}

void tst_EntryPointsRunner::libraryForPropertyIsTheScriptsLibrary()
{
    m_example->setProgram(RunnerTest::everyEntryPoint());
    QCOMPARE(m_example->window->libraryForProperty(QStringLiteral("Currency"), false),
             QStringList({QStringLiteral("EUR"), QStringLiteral("USD")}));
    m_example->selectConnection(QStringLiteral("Booking"));
    QCOMPARE(m_example->window->libraryForProperty(QStringLiteral("InvoiceClass"), true),
             QStringList({QStringLiteral("Booking"), QStringLiteral("InvoiceClass")}));
    // No start and end messages: it is no test run.
    QVERIFY(!operations(m_world->storedMessages()).contains(startMessage));
}

void tst_EntryPointsRunner::libraryForPropertyGivesNothingAndSaysWhy_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("duringARun");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("argument");

    const QString endless =
        QStringLiteral("function getLibraryForProperty( s, tag ) { while ( true ) {} }\n");
    // clang-format off
    QTest::newRow("a program without the function") << endlessTimer << false << "%1 entry point is not present" << "getLibraryForProperty";
    QTest::newRow("an endless function is stopped after its time-out") << endless << false << "%11 took longer than %12 seconds and was stopped" << "getLibraryForProperty,0.2";
    QTest::newRow("refused while a test runs") << endlessTimer << true << "%11 can't run while '%12' is tested; try again when the test ends" << "getLibraryForProperty,InvoiceRouter.tscript";
    // clang-format on
}

void tst_EntryPointsRunner::libraryForPropertyGivesNothingAndSaysWhy()
{
    QFETCH(QString, program);
    QFETCH(bool, duringARun);
    QFETCH(QString, operation);
    QFETCH(QString, argument);
    m_example->runner()->setLibraryTimeout(200);
    QVERIFY(!duringARun || startEndlessRun(*m_session));
    m_example->setProgram(program);

    QVERIFY(m_example->window->libraryForProperty(QStringLiteral("Currency"), false).isEmpty());
    QCOMPARE(messageWith(m_world->storedMessages(), operation).value(2), argument);
    // Only a test run goes on.
    QCOMPARE(m_example->runner()->isRunning(), m_example->window->isTestRunning());
}

TAVRIX_TEST_MAIN_OWN_HOME(tst_EntryPointsRunner)
#include "tst_entrypointsrunner.moc"
