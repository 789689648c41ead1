// VBScript entry points run through the entries manager against a flow on disk: the scripting
// objects by name in any letter case with VBScript's calling conventions, arrays both ways,
// errors of the objects as run-time errors, and stops.

#include "common/testmain.h"

#include "common/runtimeworld.h"

#include <QTest>

using namespace RuntimeTest;

namespace {

const QString vbs = XMLValues::VBSCRIPT;

} // namespace

class tst_VBScriptEntryPoints : public QObject
{
    Q_OBJECT

private slots:
    void entryPointsRunTheirFunction_data();
    void entryPointsRunTheirFunction();
    void objectErrors_data();
    void objectErrors();
    void valuesOfTheObjects_data();
    void valuesOfTheObjects();
    void stopEndsTheRunAndTheNextRuns_data();
    void stopEndsTheRunAndTheNextRuns();
};

void tst_VBScriptEntryPoints::entryPointsRunTheirFunction_data()
{
    QTest::addColumn<QString>("entryPoint");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QStringList>("outputs");
    QTest::addColumn<QStringList>("messages");

    // clang-format off
    QTest::newRow("jobArrived sends along the connection a property names") << "jobArrived"
        << "Sub jobArrived(s, job)\n    Dim c\n    For Each c In s.getOutConnections\n        If c.getPropertyValue(\"Route\", job) = s.getPropertyValue(\"Direction\") Then job.sendTo c\n    Next\nEnd Sub"
        << "" << QStringList{"A/_00002_report.txt"} << QStringList{"1|Sent to connection 'A' as '_00002_report.txt'", "1|Run summary: '_00002_report.txt' (5 bytes) in connection 'A'"};
    QTest::newRow("names in any letter case, calls without parentheses") << "jobArrived"
        << "Sub JOBARRIVED(s, job)\n    Dim path\n    path = JOB.CreatePathWithName(\"note.txt\")\n    file.WRITE path, \"amount \" & job.GetPrivateData(\"Amount\")\n    Job.SendTo S.GetOutConnections()(1), path, \"summary.txt\"\n    job.sendToNull\nEnd Sub"
        << "" << QStringList{"B/_00002_summary.txt"} << QStringList{"1|Sent to connection 'B' as '_00002_summary.txt'"};
    QTest::newRow("arrays go to the objects and come back") << "jobArrived"
        << "Sub jobArrived(s, job)\n    Dim path\n    job.setHierarchyPath Array(\"Customers\", \"Acme\")\n    path = job.getHierarchyPath\n    s.log 2, \"%11 of %12 (%1)\", Array(path(1), UBound(path) + 1)\n    job.fail \"Invoice %1 is \" & TypeName(path) & \" \" & TypeName(s.getOutConnections), Array(job.getName)\nEnd Sub"
        << "" << QStringList{} << QStringList{"2|Acme of 2 (Acme,2)", "3|Invoice report.txt is Variant() Variant()"};
    QTest::newRow("jobArrived leaves its job") << "jobArrived"
        << "Sub jobArrived(s, job)\nEnd Sub"
        << "" << QStringList{} << QStringList{"2|jobArrived neither sent, discarded nor failed the job '_00001_report.txt'"};
    QTest::newRow("timerFired makes and sends a new job") << "timerFired"
        << "Function timerFired(s)\n    Dim job\n    s.setTimerInterval 60\n    Set job = s.createNewJob(\"ping.txt\")\n    File.write job.getPath, \"interval \" & s.getTimerInterval & \", waiting \" & (UBound(s.getJobs) + 1)\n    job.sendTo s.getOutConnections()(0)\nEnd Function"
        << "" << QStringList{"A/_00002_ping.txt"} << QStringList{"1|Sent to connection 'A' as '_00002_ping.txt'"};
    QTest::newRow("initializeProcessing answers") << "initializeProcessing"
        << "Function initializeProcessing(e)\n    e.log 1, \"init in %1\", Array(e.getElementName)\n    initializeProcessing = True\nEnd Function"
        << "true" << QStringList{} << QStringList{"1|init in Router"};
    QTest::newRow("finalizeProcessing logs through e") << "finalizeProcessing"
        << "Sub finalizeProcessing(e)\n    e.log 2, \"done with %1\", Array(e.getFlowName())\nEnd Sub"
        << "" << QStringList{} << QStringList{"2|done with Test Flow"};
    QTest::newRow("cleanupAfterAbort writes debug output") << "cleanupAfterAbort"
        << "Sub cleanupAfterAbort(e)\n    File.write e.getTempFolder & \"/x\", \"x\"\n    console.log \"cleaned %1\"\n    MsgBox \"shown as debug output\"\nEnd Sub"
        << "" << QStringList{} << QStringList{"-1|cleaned %1", "-1|shown as debug output"};
    QTest::newRow("isPropertyValid checks the value") << "isPropertyValid"
        << "Function isPropertyValid(s, tag, value)\n    isPropertyValid = tag = \"Direction\" And value = s.getPropertyValue(tag)\nEnd Function"
        << "true" << QStringList{} << QStringList{};
    QTest::newRow("getLibraryForProperty lists choices") << "getLibraryForProperty"
        << "Function getLibraryForProperty(s, tag)\n    getLibraryForProperty = Array(\"north\", \"south\", tag)\nEnd Function"
        << "north;south;Direction" << QStringList{} << QStringList{};
    QTest::newRow("isConnectionPropertyValid sees the connection") << "isConnectionPropertyValid"
        << "Function isConnectionPropertyValid(s, c, tag, value)\n    isConnectionPropertyValid = c.getName = \"A\" And c.getPropertyValue(tag) = value\nEnd Function"
        << "true" << QStringList{} << QStringList{};
    QTest::newRow("getLibraryForConnectionProperty reads the connection") << "getLibraryForConnectionProperty"
        << "Function getLibraryForConnectionProperty(s, c, tag)\n    getLibraryForConnectionProperty = c.getName & \";\" & c.getPropertyValue(tag)\nEnd Function"
        << "B;south" << QStringList{} << QStringList{};
    QTest::newRow("findApplicationPath gets startup") << "findApplicationPath"
        << "Function findApplicationPath(e, startup)\n    If startup Then findApplicationPath = \"/opt/app\"\nEnd Function"
        << "/opt/app" << QStringList{} << QStringList{};
    QTest::newRow("licenseApplication stores the key") << "licenseApplication"
        << "Sub licenseApplication(e, key)\n    e.setGlobalData \"Licence\", \"Key\", key\nEnd Sub"
        << "" << QStringList{} << QStringList{"1|Run summary: global data 'Key' of scope 'Licence': '' \u2192 'K-1'"};
    QTest::newRow("a missing entry point is reported") << "timerFired"
        << "Sub jobArrived(s, job)\nEnd Sub"
        << "The script has no function timerFired" << QStringList{} << QStringList{"3|Error in timerFired: The script has no function timerFired"};
    QTest::newRow("a run-time error names its line and column") << "jobArrived"
        << "Sub jobArrived(s, job)\n    Dim n\n    n = 1 / 0\nEnd Sub"
        << "Microsoft VBScript runtime error 11: Division by zero" << QStringList{} << QStringList{"3|Error in jobArrived at line 3, column 5: Microsoft VBScript runtime error 11: Division by zero"};
    QTest::newRow("a compile error names its line and column") << "jobArrived"
        << "Sub jobArrived(s, job)\n    If job.isFile Then\nEnd Sub"
        << "Expected 'End If' to close the 'If' on line 2; found 'End Sub'" << QStringList{} << QStringList{"3|Error in jobArrived at line 3, column 1: Expected 'End If'"};
    // clang-format on
}

void tst_VBScriptEntryPoints::entryPointsRunTheirFunction()
{
    QFETCH(QString, entryPoint);
    QFETCH(QString, script);
    QFETCH(QString, result);
    QFETCH(QStringList, outputs);
    QFETCH(QStringList, messages);

    const CompassRun run = runOnCompassWorld(entryPoint, {script, vbs});
    QCOMPARE(run.result, result);
    QCOMPARE(run.outputs, outputs);
    QVERIFY2(run.missing(messages).isEmpty(), qPrintable(run.logLines.join(QLatin1Char('\n'))));
    QVERIFY(run.tempLeftEmpty);
}

void tst_VBScriptEntryPoints::objectErrors_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QStringList>("outputs");

    // clang-format off
    QTest::newRow("an error of a method ends the run") << "job.sendTo Nothing"
        << "Job -2147467259: sendTo needs a Connection, as s.getOutConnections() gives" << QStringList{};
    QTest::newRow("On Error Resume Next sees it in Err") << "On Error Resume Next\n    job.sendToSingle\n    If Err.Number <> 0 Then job.sendTo s.getOutConnections()(0), \"\", Err.Source & \" \" & Hex(Err.Number) & \".txt\""
        << "" << QStringList{"A/_00002_Job 80004005.txt"};
    QTest::newRow("a wrong number of arguments") << "job.sendToNull 1, 2"
        << "Microsoft VBScript runtime error 450: Wrong number of arguments or invalid property assignment: 'sendToNull'" << QStringList{};
    QTest::newRow("a member the object does not have") << "job.sendToEverybody"
        << "Microsoft VBScript runtime error 438: Object doesn't support this property or method: 'sendToEverybody'" << QStringList{};
    // clang-format on
}

void tst_VBScriptEntryPoints::objectErrors()
{
    QFETCH(QString, body);
    QFETCH(QString, result);
    QFETCH(QStringList, outputs);

    const std::unique_ptr<FlowWorld> world = compassWorld();
    WorldManager manager(*world);
    RunObjects run(*world, &manager.log);
    QCOMPARE(manager.jobArrived(
                 &run.tavrix, &run.job,
                 {QStringLiteral("Sub jobArrived(s, job)\n    %1\nEnd Sub").arg(body), vbs},
                 nullptr),
             result);
    QCOMPARE(allOutputs(*world, {QStringLiteral("A"), QStringLiteral("B")}), outputs);
    if (!result.isEmpty()) {
        QVERIFY2(!manager.log.linesWith(QStringLiteral("3|Error in jobArrived at line 2, column"))
                      .isEmpty(),
                 qPrintable(manager.log.lines().join(QLatin1Char('\n'))));
    }
}

void tst_VBScriptEntryPoints::valuesOfTheObjects_data()
{
    QTest::addColumn<QString>("expression"); // evaluated in jobArrived
    QTest::addColumn<QString>("expected");   // its value as text, or the start of the error

    // clang-format off
    QTest::newRow("texts and whole numbers") << "Join(Array(job.getName, job.getNameProper(), job.GETEXTENSION, job.getByteCount * 2), \"|\")" << "report.txt|report|txt|10";
    QTest::newRow("truth values") << "TypeName(job.isFile) & \" \" & job.isFile & \" \" & job.isFolder" << "Boolean True False";
    QTest::newRow("text with variables") << "job.getVariableAsString(\"[Job.NameProper] of [Job.PrivateData:Key=\"\"Amount\"\"]\")" << "report of 1250.00";
    QTest::newRow("a dataset object and its number") << "TypeName(job.getDataset(\"Invoice\")) & \" \" & job.getDataset(\"Invoice\").evalToNumber(\"sum(//Line/@price)\") * 2" << "Dataset 820";
    QTest::newRow("a list from a dataset") << "Join(job.getDataset(\"Invoice\").evalToStrings(\"//Line/@description\"), \"|\")" << "Desk chairs|Delivery";
    QTest::newRow("a dataset made and attached") << "MakeDataset(job)" << "Invoice|Made 1250.00";
    QTest::newRow("a map comes as a Dictionary") << "ProcessOutput()" << "Dictionary 0 hi";
    QTest::newRow("Nothing for a dataset") << "job.setDataset(\"Gone\", Nothing)" << "Job -2147467259: ";
    QTest::newRow("a dataset that is not there") << "job.getDataset(\"None\")" << "Job -2147467259: ";
    QTest::newRow("a text where an object belongs") << "job.sendTo(\"A\")" << "Microsoft VBScript runtime error 424: Object required";
    // clang-format on
}

void tst_VBScriptEntryPoints::valuesOfTheObjects()
{
    QFETCH(QString, expression);
    QFETCH(QString, expected);

    const std::unique_ptr<FlowWorld> world = compassWorld();
    const QString invoice = world->path(QStringLiteral("datasets/invoice.xml"));
    QVERIFY(TestFiles::writeFile(invoice,
                                 "<Invoice><Line description=\"Desk chairs\" price=\"210\"/>"
                                 "<Line description=\"Delivery\" price=\"200\"/>"
                                 "<Total>1250.00</Total></Invoice>"));
    world->ticket()->setDataset(QStringLiteral("Invoice"), XMLValues::MODEL_XML, invoice);
    WorldManager manager(*world);
    RunObjects run(*world, &manager.log);
    const QString script =
        QStringLiteral(
            "Function MakeDataset(job)\n"
            "    job.setDataset \"Made\", job.createDataset(\"XML\", "
            "job.getDataset(\"Invoice\").getPath)\n"
            "    MakeDataset = Join(job.getDatasetTags, \"|\") & \" \" & "
            "job.getDataset(\"Made\").evalToString(\"/Invoice/Total\")\n"
            "End Function\n"
            "Function ProcessOutput()\n"
            "    Dim result\n"
            "    Set result = Process.run(\"/bin/echo\", Array(\"hi\"))\n"
            "    ProcessOutput = TypeName(result) & \" \" & result(\"exitCode\") & \" \" & "
            "Trim(Replace(result.Item(\"stdout\"), vbLf, \"\"))\n"
            "End Function\n"
            "Sub jobArrived(s, job)\n"
            "    job.setJobState CStr(%1)\n"
            "    job.sendToNull\n"
            "End Sub")
            .arg(expression);
    const QString error = manager.jobArrived(&run.tavrix, &run.job, {script, vbs}, nullptr);
    const QString outcome = error.isEmpty() ? run.job.getJobState() : error;
    QVERIFY2(outcome.startsWith(expected), qPrintable(outcome));
}

void tst_VBScriptEntryPoints::stopEndsTheRunAndTheNextRuns_data()
{
    QTest::addColumn<QString>("loop");

    // clang-format off
    QTest::newRow("an endless loop") << "Do: Loop";
    QTest::newRow("endless calls") << "Do: spin: Loop";
    QTest::newRow("the loop ignores errors") << "On Error Resume Next\n    Do: n = 1 / 0: Loop";
    QTest::newRow("a wait in Process.run") << "Process.run \"/bin/sleep\", Array(\"60\"), 120";
    // clang-format on
}

void tst_VBScriptEntryPoints::stopEndsTheRunAndTheNextRuns()
{
    QFETCH(QString, loop);

    // The script shows by a file that it runs, so that no step depends on timing.
    const std::unique_ptr<FlowWorld> world = compassWorld();
    WorldManager manager(*world);
    RunObjects run(*world, &manager.log);
    const QString started = world->path(QStringLiteral("started"));
    const QString script = QStringLiteral("Sub spin\nEnd Sub\n"
                                          "Sub jobArrived(s, job)\n"
                                          "    File.write \"%1\", \"\"\n"
                                          "    %2\n"
                                          "End Sub")
                               .arg(started, loop);
    QString result;
    {
        const StoppingUser user(manager, started, 1);
        result = manager.jobArrived(&run.tavrix, &run.job, {script, vbs}, nullptr);
    }
    QCOMPARE(result, QStringLiteral("The script was stopped"));
    QVERIFY(!manager.log.linesWith(QStringLiteral("3|Error in jobArrived"))
                 .filter(QStringLiteral("The script was stopped"))
                 .isEmpty());
    RunObjects next(*world, &manager.log);
    QCOMPARE(manager.jobArrived(
                 &next.tavrix, &next.job,
                 {QStringLiteral("Sub jobArrived(s, job)\n    job.sendToNull\nEnd Sub"), vbs},
                 nullptr),
             QString());
}

TAVRIX_TEST_GUILESS_MAIN(tst_VBScriptEntryPoints)
#include "tst_vbscriptentrypoints.moc"
