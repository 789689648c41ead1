// Entry points run through the entries manager against a flow on disk, with scripts that use the
// scripting API: what they send, log, store and answer.

#include "common/testmain.h"

#include "common/permissionsenforced.h"
#include "common/runtimeworld.h"

#include <scriptinglib/scriptexpressionevaluator.h>

#include <supportlib/connection.h>
#include <supportlib/userglobaldata.h>

#include <corelib/files/filehandler.h>
#include <corelib/jobs/filemanager.h>

#include <QFile>
#include <QTest>

using namespace RuntimeTest;

namespace {

const QString js = XMLValues::JAVASCRIPT;

} // namespace

class tst_EntryPoints : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void entryPointsRunTheirFunction_data();
    void entryPointsRunTheirFunction();
    void sentJobsCarryTheirTicket();
    void trafficLightsRouteByLevel_data();
    void trafficLightsRouteByLevel();
    void routingErrorsSendNothing_data();
    void routingErrorsSendNothing();
    void failedCopyLeavesNothing_data();
    void failedCopyLeavesNothing();
    void summaryListsOutputsAndChangedData();
    void messagesCarryTheFlowAndElement();
    void globalDataOutlivesTheRun();
    void damagedGlobalDataIsSetAside();
    void propertyValues_data();
    void propertyValues();
    void jobReadsItsTicketAndDatasets_data();
    void jobReadsItsTicketAndDatasets();
    void stopEndsTheRunningScriptOnly();
    void hugeAllocationEndsTheRunNotTheProgram();
    void jobGoneSinceTheBuildIsNotRun();
    void languagesThatCantRunSaySo();

private:
    std::unique_ptr<ScriptExpressionEvaluator> m_expressions;
};

void tst_EntryPoints::initTestCase()
{
    m_expressions = std::make_unique<ScriptExpressionEvaluator>(nullptr);
}

void tst_EntryPoints::entryPointsRunTheirFunction_data()
{
    QTest::addColumn<QString>("entryPoint");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QStringList>("outputs");
    QTest::addColumn<QStringList>("messages");

    // clang-format off
    QTest::newRow("jobArrived sends along the connection a property names") << "jobArrived"
        << "function jobArrived( s : Tavrix, job : Job )\n{\n    var cs = s.getOutConnections();\n    for (var i = 0; i < cs.length; i++)\n        if (cs[i].getPropertyValue('Route', job) == s.getPropertyValue('Direction'))\n            job.sendTo(cs[i]);\n}"
        << "" << QStringList{"A/_00002_report.txt"} << QStringList{"1|Sent to connection 'A' as '_00002_report.txt'", "1|Run summary: '_00002_report.txt' (5 bytes) in connection 'A'"};
    QTest::newRow("jobArrived sends a file it made under a new name") << "jobArrived"
        << "function jobArrived(s, job) {\n    var path = job.createPathWithName('note.txt');\n    File.write(path, 'amount ' + job.getPrivateData('Amount'));\n    job.sendTo(s.getOutConnections()[1], path, 'summary.txt');\n    job.sendToNull();\n}"
        << "" << QStringList{"B/_00002_summary.txt"} << QStringList{"1|Sent to connection 'B' as '_00002_summary.txt'"};
    QTest::newRow("jobArrived fails its job") << "jobArrived"
        << "function jobArrived(s, job) { job.fail('Invoice %1 has no amount', [job.getName()]); }"
        << "" << QStringList{} << QStringList{"3|Invoice report.txt has no amount"};
    QTest::newRow("jobArrived leaves its job") << "jobArrived"
        << "function jobArrived(s, job) {}"
        << "" << QStringList{} << QStringList{"2|jobArrived neither sent, discarded nor failed the job '_00001_report.txt'"};
    QTest::newRow("jobArrived discards its job") << "jobArrived"
        << "function jobArrived(s, job) { job.sendToNull(); }"
        << "" << QStringList{} << QStringList{"1|Discarded: _00001_report.txt"};
    QTest::newRow("timerFired makes and sends a new job") << "timerFired"
        << "function timerFired(s) {\n    s.setTimerInterval(60);\n    var job = s.createNewJob('ping.txt');\n    File.write(job.getPath(), 'interval ' + s.getTimerInterval() + ', waiting ' + s.getJobs().length);\n    job.sendTo(s.getOutConnections()[0]);\n}"
        << "" << QStringList{"A/_00002_ping.txt"} << QStringList{"1|Sent to connection 'A' as '_00002_ping.txt'"};
    QTest::newRow("initializeProcessing answers") << "initializeProcessing"
        << "function initializeProcessing(e) { e.log(1, 'init in %1', [e.getElementName()]); return true; }"
        << "true" << QStringList{} << QStringList{"1|init in Router"};
    QTest::newRow("finalizeProcessing logs through e") << "finalizeProcessing"
        << "function finalizeProcessing(e) { e.log(2, 'done with %1', [e.getFlowName()]); }"
        << "" << QStringList{} << QStringList{"2|done with Test Flow"};
    QTest::newRow("cleanupAfterAbort writes debug output") << "cleanupAfterAbort"
        << "function cleanupAfterAbort(e) { File.write(e.getTempFolder() + '/x', 'x'); console.log('cleaned %1'); }"
        << "" << QStringList{} << QStringList{"-1|cleaned %1"};
    QTest::newRow("isPropertyValid checks the value") << "isPropertyValid"
        << "function isPropertyValid(s, tag, value) { return tag == 'Direction' && value == s.getPropertyValue(tag); }"
        << "true" << QStringList{} << QStringList{};
    QTest::newRow("getLibraryForProperty lists choices") << "getLibraryForProperty"
        << "function getLibraryForProperty(s, tag) { return ['north', 'south', tag]; }"
        << "north;south;Direction" << QStringList{} << QStringList{};
    QTest::newRow("isConnectionPropertyValid sees the connection") << "isConnectionPropertyValid"
        << "function isConnectionPropertyValid(s, c, tag, value) { return c.getName() == 'A' && c.getPropertyValue(tag) == value; }"
        << "true" << QStringList{} << QStringList{};
    QTest::newRow("getLibraryForConnectionProperty reads the connection") << "getLibraryForConnectionProperty"
        << "function getLibraryForConnectionProperty(s, c, tag) { return c.getName() + ';' + c.getPropertyValue(tag); }"
        << "B;south" << QStringList{} << QStringList{};
    QTest::newRow("findApplicationPath gets startup") << "findApplicationPath"
        << "function findApplicationPath(e, startup) { return startup ? '/opt/app' : ''; }"
        << "/opt/app" << QStringList{} << QStringList{};
    QTest::newRow("getApplicationLicensing answers") << "getApplicationLicensing"
        << "function getApplicationLicensing(e) { return 'licensed' + e.getApplicationPath(); }"
        << "licensed" << QStringList{} << QStringList{};
    QTest::newRow("licenseApplication stores the key") << "licenseApplication"
        << "function licenseApplication(e, key) { e.setGlobalData('Licence', 'Key', key); }"
        << "" << QStringList{} << QStringList{"1|Run summary: global data 'Key' of scope 'Licence': '' \u2192 'K-1'"};
    QTest::newRow("a missing entry point is reported") << "timerFired"
        << "function jobArrived(s, job) {}"
        << "The script has no function timerFired" << QStringList{} << QStringList{"3|Error in timerFired: The script has no function timerFired"};
    QTest::newRow("a script error names its line") << "jobArrived"
        << "function jobArrived(s, job)\n{\n    job.sendTo(s.getOutConnections()[5]);\n}"
        << "Error: sendTo needs a Connection, as s.getOutConnections() gives" << QStringList{} << QStringList{"3|Error in jobArrived at line 3: Error: sendTo needs a Connection"};
    // clang-format on
}

void tst_EntryPoints::entryPointsRunTheirFunction()
{
    QFETCH(QString, entryPoint);
    QFETCH(QString, script);
    QFETCH(QString, result);
    QFETCH(QStringList, outputs);
    QFETCH(QStringList, messages);

    const CompassRun run = runOnCompassWorld(entryPoint, {script, js});
    QCOMPARE(run.result, result);
    QCOMPARE(run.outputs, outputs);
    QVERIFY2(run.missing(messages).isEmpty(), qPrintable(run.logLines.join(QLatin1Char('\n'))));
    // Nothing the run made for itself is left once it is finished.
    QVERIFY(run.tempLeftEmpty);
}

void tst_EntryPoints::sentJobsCarryTheirTicket()
{
    const std::unique_ptr<FlowWorld> world = compassWorld();
    WorldManager manager(*world);
    RunObjects run(*world, &manager.log);
    manager.jobArrived(
        &run.tavrix, &run.job,
        {QStringLiteral(
             "function jobArrived(s, job) {\n"
             "    job.setPrivateData('Checked', 'yes');\n"
             "    job.setHierarchyPath(['Customers', 'Acme']);\n"
             "    job.setEmailAddresses(['a@example.com']);\n"
             "    job.sendToSingle === undefined || job.sendTo(s.getOutConnections()[0]);\n"
             "}"),
         js},
        nullptr);

    const QString output =
        world->outFolder(QStringLiteral("A")) + QStringLiteral("/_00002_report.txt");
    QCOMPARE(TestFiles::readFile(output), QByteArray("hello"));
    QString error;
    const std::unique_ptr<SRCore::IJT> ticket = SRCore::IJT::load(
        SRCore::FileManager::getFileIJTByPrefix(QStringLiteral("_00002_")), &error);
    QVERIFY2(ticket, qPrintable(error));
    QCOMPARE(ticket->getActiveFilePath(), output);
    QCOMPARE(ticket->getPrivateData(QStringLiteral("Amount")), QStringLiteral("1250.00"));
    QCOMPARE(ticket->getPrivateData(QStringLiteral("Checked")), QStringLiteral("yes"));
    QCOMPARE(ticket->getLocationPath(), QStringLiteral("Customers\nAcme"));
    QCOMPARE(ticket->getEmailInfos().value(0).addresses, QStringLiteral("a@example.com"));
    QCOMPARE(ticket->getActions().size(), 2);
    QCOMPARE(ticket->getActiveActionId(), QStringLiteral("2"));
    // The input job stays where it was.
    QVERIFY(QFileInfo::exists(world->jobPath()));
}

void tst_EntryPoints::trafficLightsRouteByLevel_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QStringList>("outputs");

    // clang-format off
    QTest::newRow("success data") << "job.sendToData(1)" << QStringList{"Data/_00002_report.txt", "Both/_00003_report.txt"};
    QTest::newRow("error data goes where error is carried") << "job.sendToData(3)" << QStringList{"Both/_00002_report.txt"};
    QTest::newRow("success log") << "job.sendToLog(1)" << QStringList{"Log/_00002_report.txt"};
    QTest::newRow("sendTo the connection of a traffic type") << "job.sendTo(s.getOutConnections().filter(function (c) { return c.getTrafficType() == 'Data with log'; })[0])" << QStringList{"Both/_00002_report.txt"};
    QTest::newRow("warning that nobody carries") << "job.sendToData(2)" << QStringList{};
    // clang-format on
}

void tst_EntryPoints::trafficLightsRouteByLevel()
{
    QFETCH(QString, call);
    QFETCH(QStringList, outputs);

    const QString yes = XMLValues::YES;
    const QString no = XMLValues::NO;
    FlowWorld world(XMLValues::CONNECTION_TRAFFICLIGHT,
                    {{QStringLiteral("Data"),
                      {{XMLKey::TRAFFICTYPE, XMLValues::DATA},
                       {XMLKey::SUCCESS, yes},
                       {XMLKey::WARNING, no},
                       {XMLKey::ERROR_, no}}},
                     {QStringLiteral("Log"),
                      {{XMLKey::TRAFFICTYPE, XMLValues::LOG},
                       {XMLKey::SUCCESS, yes},
                       {XMLKey::WARNING, no},
                       {XMLKey::ERROR_, yes}}},
                     {QStringLiteral("Both"),
                      {{XMLKey::TRAFFICTYPE, XMLValues::DATAWITHLOG},
                       {XMLKey::SUCCESS, yes},
                       {XMLKey::ERROR_, yes},
                       {XMLKey::DATASETNAME, QStringLiteral("Log")}}}});
    WorldManager manager(world);
    RunObjects run(world, &manager.log);
    const QString error = manager.jobArrived(
        &run.tavrix, &run.job,
        {QStringLiteral("function jobArrived(s, job) { %1; }").arg(call), js}, nullptr);
    QCOMPARE(error, QString());
    QCOMPARE(
        allOutputs(world, {QStringLiteral("Data"), QStringLiteral("Log"), QStringLiteral("Both")}),
        outputs);
}

void tst_EntryPoints::routingErrorsSendNothing_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("error");

    // clang-format off
    QTest::newRow("sendToSingle with two connections") << "job.sendToSingle()" << "sendToSingle needs exactly one outgoing connection; the element has 2";
    QTest::newRow("sendTo an incoming connection") << "job.sendTo(s.getInConnections()[0])" << "'In' is not an outgoing connection of this element";
    QTest::newRow("a path that does not exist") << "job.sendTo(s.getOutConnections()[0], '/nowhere/x.pdf')" << "'/nowhere/x.pdf' does not exist";
    QTest::newRow("a path in an output folder") << "var c = s.getOutConnections()[1]; File.write(c.getFolderPath() + '/x.txt', 'x'); job.sendTo(s.getOutConnections()[0], c.getFolderPath() + '/x.txt')" << "lies in an output folder";
    QTest::newRow("sending after fail") << "job.fail('bad'); job.sendTo(s.getOutConnections()[0])" << "has failed; sendTo can't send it any more";
    QTest::newRow("a name with a folder") << "job.sendTo(s.getOutConnections()[0], '', '../x.txt')" << "'../x.txt' is not a file name";
    QTest::newRow("a traffic-light level") << "job.sendToData(4)" << "Traffic-light level 4 is none of 1 (success), 2 (warning) and 3 (error)";
    QTest::newRow("data without traffic lights") << "job.sendToData(1)" << "sendToData needs traffic-light connections; the element has none";
    QTest::newRow("a text for a connection") << "job.sendTo('A')" << "incompatible arguments";
    // clang-format on
}

void tst_EntryPoints::routingErrorsSendNothing()
{
    QFETCH(QString, body);
    QFETCH(QString, error);

    const std::unique_ptr<FlowWorld> world = compassWorld();
    WorldManager manager(*world);
    RunObjects run(*world, &manager.log);
    const QString result = manager.jobArrived(
        &run.tavrix, &run.job,
        {QStringLiteral("function jobArrived(s, job) {\n %1;\n}").arg(body), js}, nullptr);
    QVERIFY2(result.contains(error), qPrintable(result));
    QVERIFY2(!manager.log.linesWith(QStringLiteral("3|Error in jobArrived at line 2")).isEmpty(),
             qPrintable(manager.log.lines().join(QLatin1Char('\n'))));
    QCOMPARE(world->outputs(QStringLiteral("A")), QStringList());
    QCOMPARE(QDir(world->path(QStringLiteral("tickets"))).entryList(QDir::Files),
             QStringList{QStringLiteral("_00001_.xml")});
}

void tst_EntryPoints::failedCopyLeavesNothing_data()
{
    QTest::addColumn<QString>("readOnly");
    QTest::addColumn<QString>("error");

    // clang-format off
    QTest::newRow("the output folder can't be written") << "outFolder4" << "can't be copied to connection 'A'";
    QTest::newRow("the tickets folder can't be written") << "tickets" << "The ticket of";
    // clang-format on
}

void tst_EntryPoints::failedCopyLeavesNothing()
{
    QFETCH(QString, readOnly);
    QFETCH(QString, error);

    const std::unique_ptr<FlowWorld> world = compassWorld();
    WorldManager manager(*world);
    RunObjects run(*world, &manager.log);
    const PermissionsEnforced enforced;
    QVERIFY(enforced.isActive());
    const QString folder = world->path(readOnly);
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    const QString result = manager.jobArrived(
        &run.tavrix, &run.job,
        {QStringLiteral("function jobArrived(s, job) { job.sendTo(s.getOutConnections()[0]); }"),
         js},
        nullptr);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY2(result.contains(error), qPrintable(result));
    QCOMPARE(world->outputs(QStringLiteral("A")), QStringList());
    QCOMPARE(manager.lastRunSummary().outputs().size(), 0);
}

void tst_EntryPoints::summaryListsOutputsAndChangedData()
{
    const std::unique_ptr<FlowWorld> world = compassWorld();
    WorldManager manager(*world);
    manager.setUserGlobalData(
        std::make_unique<UserGlobalData>(world->path(QStringLiteral("UserGlobalData.xml"))));
    RunObjects run(*world, &manager.log);
    manager.jobArrived(&run.tavrix, &run.job,
                       {QStringLiteral("function jobArrived(s, job) {\n"
                                       "    job.setPrivateData('Amount', '1');\n"
                                       "    job.setPrivateData('Amount', '2, rounded');\n"
                                       "    job.setPrivateData('Stamp', 'x');\n"
                                       "    job.setPrivateData('Stamp', '');\n"
                                       "    s.setGlobalData('Invoices', 'Count', '7');\n"
                                       "    job.sendTo(s.getOutConnections()[1]);\n"
                                       "    throw 'stopped here';\n"
                                       "}"),
                        js},
                       nullptr);

    const RunSummary summary = manager.lastRunSummary();
    QCOMPARE(summary.entryPoint(), QStringLiteral("jobArrived"));
    QCOMPARE(summary.errorMessage(), QStringLiteral("Uncaught exception: stopped here"));
    QCOMPARE(summary.outputs().size(), 1);
    QCOMPARE(summary.outputs().first().connection, QStringLiteral("B"));
    QCOMPARE(summary.outputs().first().fileName, QStringLiteral("_00002_report.txt"));
    QCOMPARE(summary.outputs().first().size, 5);
    QStringList changes;
    for (const RunSummary::DataChange &change : summary.changes()) {
        changes << QStringLiteral("%1/%2: %3 -> %4")
                       .arg(change.owner, change.tag, change.oldValue, change.newValue);
    }
    QCOMPARE(changes,
             (QStringList{QStringLiteral("_00001_report.txt/Amount: 1250.00 -> 2, rounded"),
                          QStringLiteral("Invoices/Count:  -> 7")}));
    QCOMPARE(manager.log.linesWith(QStringLiteral("Run summary")),
             (QStringList{
                 QStringLiteral("1|Run summary: '_00002_report.txt' (5 bytes) in connection 'B'"),
                 QStringLiteral("1|Run summary: private data 'Amount' of job '_00001_report.txt': "
                                "'1250.00' \u2192 '2, rounded'"),
                 QStringLiteral(
                     "1|Run summary: global data 'Count' of scope 'Invoices': '' \u2192 '7'")}));

    // The next run with the same objects tells only what it did itself.
    manager.timerFired(&run.tavrix, {QStringLiteral("function timerFired(s) {}"), js}, nullptr);
    QCOMPARE(manager.lastRunSummary().entryPoint(), QStringLiteral("timerFired"));
    QCOMPARE(manager.lastRunSummary().outputs().size(), 0);
    QCOMPARE(manager.lastRunSummary().changes().size(), 0);
    QCOMPARE(manager.log.linesWith(QStringLiteral("Run summary")).size(), 3);
}

void tst_EntryPoints::messagesCarryTheFlowAndElement()
{
    const std::unique_ptr<FlowWorld> world = compassWorld();
    WorldManager manager(*world);
    RunObjects run(*world, &manager.log);
    manager.timerFired(&run.tavrix,
                       {QStringLiteral("function timerFired(s) { s.log(2, 'Invoice %11 is %12 days "
                                       "late', ['4711', 3]); s.log(0, 'zero'); }"),
                        js},
                       nullptr);
    const QList<SRCore::LogRecord> records = manager.log.records();
    QVERIFY(records.size() >= 2);
    QCOMPARE(records.at(0).level, 2);
    QCOMPARE(records.at(0).argument, QStringLiteral("4711,3"));
    QCOMPARE(records.at(0).flow, QStringLiteral("Test Flow"));
    QCOMPARE(records.at(0).element, QStringLiteral("Router"));
    QCOMPARE(manager.log.lines().at(0), QStringLiteral("2|Invoice 4711 is 3 days late"));
    // Level 0 reaches the log, which refuses it with a message of its own.
    QCOMPARE(records.at(1).level, 0);
}

void tst_EntryPoints::globalDataOutlivesTheRun()
{
    const std::unique_ptr<FlowWorld> world = compassWorld();
    const QString file = world->path(QStringLiteral("UserGlobalData.xml"));
    const ScriptCodeAndLangStruct count{
        QStringLiteral("function timerFired(s) {\n"
                       "    var n = Number(s.getGlobalData('Counter', 'Runs')) + 1;\n"
                       "    s.setGlobalData('Counter', 'Runs', String(n));\n"
                       "}"),
        js};
    for (int run = 1; run <= 2; ++run) {
        // Each run has a manager of its own: only the file carries the data over.
        WorldManager manager(*world);
        manager.setUserGlobalData(std::make_unique<UserGlobalData>(file));
        RunObjects objects(*world, &manager.log);
        QCOMPARE(manager.timerFired(&objects.tavrix, count, nullptr), QString());
    }
    QCOMPARE(UserGlobalData(file).getGlobalData(QStringLiteral("Counter"), QStringLiteral("Runs")),
             QStringLiteral("2"));
}

void tst_EntryPoints::damagedGlobalDataIsSetAside()
{
    const std::unique_ptr<FlowWorld> world = compassWorld();
    const QString file = world->path(QStringLiteral("UserGlobalData.xml"));
    QVERIFY(TestFiles::writeFile(file, "<UserGlobalData FormatVersion=\"1\"><Entry>"));
    WorldManager manager(*world);
    manager.setUserGlobalData(std::make_unique<UserGlobalData>(file));
    QVERIFY2(!manager.log.linesWith(QStringLiteral("3|Damaged global data")).isEmpty(),
             qPrintable(manager.log.lines().join(QLatin1Char('\n'))));
    QCOMPARE(TestFiles::readFile(file + QStringLiteral(".damaged")),
             QByteArray("<UserGlobalData FormatVersion=\"1\"><Entry>"));
    RunObjects run(*world, &manager.log);
    QCOMPARE(manager.timerFired(
                 &run.tavrix,
                 {QStringLiteral("function timerFired(s) { s.setGlobalData('a', 'b', 'c'); }"), js},
                 nullptr),
             QString());
    QCOMPARE(UserGlobalData(file).getGlobalData(QStringLiteral("a"), QStringLiteral("b")),
             QStringLiteral("c"));
}

void tst_EntryPoints::propertyValues_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("expression"); // evaluated in jobArrived
    QTest::addColumn<QString>("expected");   // its value, or the start of the error

    const QString list = QStringLiteral("<TavrixValueList FormatVersion=\"1\" Type=\"patterns\">"
                                        "<Item>*.pdf</Item><Item>*.xml</Item></TavrixValueList>");
    const QString expression =
        QStringLiteral("<TavrixValueList FormatVersion=\"1\" Type=\"scriptexp\">"
                       "<Item>job.getPrivateData('Amount') * 2</Item></TavrixValueList>");
    // clang-format off
    QTest::newRow("literal") << "300" << "inline" << "s.getPropertyValue('P') + ' ' + s.isPropertyValueStatic('P')" << "300 true";
    QTest::newRow("list") << list << "filepatterns" << "s.getPropertyValueList('P').length + ' ' + s.getPropertyValue('P')" << "2 *.pdf;*.xml";
    QTest::newRow("text with variables") << "Invoice [Job.Name]" << "sltextwithvar" << "s.getPropertyValue('P') + ' ' + s.isPropertyValueStatic('P')" << "Invoice report.txt false";
    QTest::newRow("unknown variable") << "[Job.Nope]" << "sltextwithvar" << "s.getPropertyValue('P')" << "Error: The value of property 'P' of the element can't be computed";
    QTest::newRow("script expression") << expression << "scriptexp" << "s.getPropertyValue('P') + ' ' + s.isPropertyValueStatic('P')" << "2500 false";
    QTest::newRow("script expression in an engine of its own") << "typeof jobArrived + ' ' + typeof s" << "scriptexp" << "s.getPropertyValue('P')" << "undefined undefined";
    QTest::newRow("failing script expression") << "job.nothing()" << "scriptexp" << "s.getPropertyValue('P')" << "Error: The value of property 'P' of the element can't be computed: The script expression failed: Line 1: TypeError";
    QTest::newRow("editor") << "x" << "choosefile" << "s.getPropertyEditor('P')" << "choosefile";
    QTest::newRow("unknown property") << "x" << "inline" << "s.getPropertyValue('Q')" << "Error: the element has no property 'Q'";
    // clang-format on
}

void tst_EntryPoints::propertyValues()
{
    QFETCH(QString, value);
    QFETCH(QString, editor);
    QFETCH(QString, expression);
    QFETCH(QString, expected);

    const std::unique_ptr<FlowWorld> world = compassWorld();
    world->setElementProperty(QStringLiteral("P"), value, editor);
    WorldManager manager(*world);
    RunObjects run(*world, &manager.log);
    const QString error = manager.jobArrived(
        &run.tavrix, &run.job,
        {QStringLiteral("function jobArrived(s, job) { job.setJobState(%1); job.sendToNull(); }")
             .arg(expression),
         js},
        nullptr);
    const QString outcome = error.isEmpty() ? run.job.getJobState() : error;
    QVERIFY2(outcome.startsWith(expected), qPrintable(outcome));
}

void tst_EntryPoints::jobReadsItsTicketAndDatasets_data()
{
    QTest::addColumn<QString>("expression"); // evaluated in jobArrived
    QTest::addColumn<QString>("expected");   // its value, or the start of the error

    // clang-format off
    QTest::newRow("names") << "[job.getName(), job.getNameProper(), job.getExtension(), job.getUniqueNamePrefix(), job.getByteCount()].join('|')" << "report.txt|report|txt|_00001_|5";
    QTest::newRow("a file job") << "[job.isFile(), job.isFolder(), job.getFileCount()].join('|')" << "true|false|1";
    QTest::newRow("private data tags") << "(job.setPrivateData('Checked', 'yes'), job.getPrivateDataTags().join('|'))" << "Amount|Checked";
    QTest::newRow("hierarchy and e-mail set and read") << "(job.setHierarchyPath(['Customers', 'Acme']), job.setEmailBody('Hi'), job.setEmailAddresses(['a@example.com', 'b@example.com']), [job.getHierarchyPath().join('/'), job.getEmailAddresses().join(','), job.getEmailBody()].join(' '))" << "Customers/Acme a@example.com,b@example.com Hi";
    QTest::newRow("a connection tells its kind and folder") << "(function (c) { return [c.getConnectionType(), c.getTrafficType(), c.getFolderPath() == s.getOutConnections()[1].getFolderPath(), c.getFolderPath().split('/').pop()].join('|'); })(s.getOutConnections()[0])" << "Move||false|outFolder4";
    QTest::newRow("a special folder that is none") << "s.getSpecialFolderPath('Nowhere')" << "Error: 'Nowhere' is no special folder";
    QTest::newRow("text with variables") << "job.getVariableAsString('[Job.NameProper] of [Job.PrivateData:Key=\"Amount\"]')" << "report of 1250.00";
    QTest::newRow("unknown variable") << "job.getVariableAsString('[Job.Nope]')" << "Error: ";
    QTest::newRow("XPath text") << "job.getDataset('Invoice').evalToString('/Invoice/Total')" << "1250.00";
    QTest::newRow("XPath number") << "job.getDataset('Invoice').evalToNumber('sum(//Line/@price)')" << "410";
    QTest::newRow("XPath truth") << "job.getDataset('Invoice').evalToBoolean('count(//Line) = 2')" << "true";
    QTest::newRow("XPath texts") << "job.getDataset('Invoice').evalToStrings('//Line/@description').join('|')" << "Desk chairs|Delivery";
    QTest::newRow("prefixes given by the script") << "job.getDataset('Order').evalToString('/o:Order/o:Id', 'xmlns:o=\"urn:order\"')" << "A-17";
    QTest::newRow("XPath that does not compile") << "job.getDataset('Invoice').evalToString('//[')" << "Error: ";
    QTest::newRow("dataset that is not there") << "job.getDataset('None')" << "Error: ";
    QTest::newRow("backing file that is not XML") << "job.createDataset('XML', job.getPath())" << "Error: ";
    QTest::newRow("opaque dataset has a path only") << "job.createDataset('Opaque', job.getPath()).evalToString('/')" << "Error: ";
    QTest::newRow("dataset made and attached") << "(job.setDataset('Made', job.createDataset('XML', job.getDataset('Order').getPath())), job.getDatasetTags().join('|') + ' ' + job.getDataset('Made').evalToString('//*[local-name()=\"Id\"]'))" << "Invoice|Order|Made A-17";
    // clang-format on
}

void tst_EntryPoints::jobReadsItsTicketAndDatasets()
{
    QFETCH(QString, expression);
    QFETCH(QString, expected);

    const std::unique_ptr<FlowWorld> world = compassWorld();
    const QString invoice = world->path(QStringLiteral("datasets/invoice.xml"));
    const QString order = world->path(QStringLiteral("datasets/order.xml"));
    QVERIFY(TestFiles::writeFile(invoice,
                                 "<Invoice><Line description=\"Desk chairs\" price=\"210\"/>"
                                 "<Line description=\"Delivery\" price=\"200\"/>"
                                 "<Total>1250.00</Total></Invoice>"));
    QVERIFY(TestFiles::writeFile(order, "<Order xmlns=\"urn:order\"><Id>A-17</Id></Order>"));
    world->ticket()->setDataset(QStringLiteral("Invoice"), XMLValues::MODEL_XML, invoice);
    world->ticket()->setDataset(QStringLiteral("Order"), XMLValues::MODEL_XML, order);
    WorldManager manager(*world);
    RunObjects run(*world, &manager.log);
    const QString error = manager.jobArrived(
        &run.tavrix, &run.job,
        {QStringLiteral(
             "function jobArrived(s, job) { job.setJobState(String(%1)); job.sendToNull(); }")
             .arg(expression),
         js},
        nullptr);
    const QString outcome = error.isEmpty() ? run.job.getJobState() : error;
    QVERIFY2(outcome.startsWith(expected), qPrintable(outcome));
}

void tst_EntryPoints::stopEndsTheRunningScriptOnly()
{
    // The script shows where it is by files that the test watches, so that no step depends on
    // timing: started, then (after a stop of mode 0 that must change nothing) still running.
    const std::unique_ptr<FlowWorld> world = compassWorld();
    WorldManager manager(*world);
    RunObjects run(*world, &manager.log);
    const QString started = world->path(QStringLiteral("started"));
    const QString go = world->path(QStringLiteral("go"));
    const QString goneOn = world->path(QStringLiteral("goneOn"));
    const QString script = QStringLiteral("function jobArrived(s, job) {\n"
                                          "    File.write('%1', '');\n"
                                          "    while (!File.exists('%2')) {}\n"
                                          "    File.write('%3', '');\n"
                                          "    while (true) {}\n"
                                          "}")
                               .arg(started, go, goneOn);
    QString result;
    {
        const StoppingUser first(manager, started, 0, go);
        const StoppingUser then(manager, goneOn, 1);
        result = manager.jobArrived(&run.tavrix, &run.job, {script, js}, nullptr);
    }
    QCOMPARE(result, QStringLiteral("The script was stopped"));
    QVERIFY(!manager.log.linesWith(QStringLiteral("3|Error in jobArrived: The script was stopped"))
                 .isEmpty());
    // The manager runs the next script as if nothing had happened.
    RunObjects next(*world, &manager.log);
    QCOMPARE(manager.jobArrived(
                 &next.tavrix, &next.job,
                 {QStringLiteral("function jobArrived(s, job) { job.sendToNull(); }"), js},
                 nullptr),
             QString());
}

void tst_EntryPoints::hugeAllocationEndsTheRunNotTheProgram()
{
    const std::unique_ptr<FlowWorld> world = compassWorld();
    WorldManager manager(*world);
    RunObjects run(*world, &manager.log);
    const QString result =
        manager.jobArrived(&run.tavrix, &run.job,
                           {QStringLiteral("function jobArrived(s, job) {\n"
                                           "    var big = new ArrayBuffer(1024 * 1024 * 1024);\n"
                                           "    while (true) {}\n"
                                           "}"),
                            js},
                           nullptr);
    QCOMPARE(result, QStringLiteral("The script used more than 512 MB of memory and was stopped"));
}

void tst_EntryPoints::jobGoneSinceTheBuildIsNotRun()
{
    const std::unique_ptr<FlowWorld> world = compassWorld();
    WorldManager manager(*world);
    RunObjects run(*world, &manager.log);
    QVERIFY(QFile::remove(world->jobPath()));
    const QString marker = world->path(QStringLiteral("ran"));
    const QString result = manager.jobArrived(
        &run.tavrix, &run.job,
        {QStringLiteral("function jobArrived(s, job) { File.write('%1', ''); }").arg(marker), js},
        nullptr);
    QVERIFY2(result.contains(QStringLiteral("is gone since the test flow was built")),
             qPrintable(result));
    QVERIFY(!QFileInfo::exists(marker));
    QCOMPARE(manager.log.linesWith(QStringLiteral("3|The job")).size(), 1);
}

void tst_EntryPoints::languagesThatCantRunSaySo()
{
    const std::unique_ptr<FlowWorld> world = compassWorld();
    WorldManager manager(*world);
    RunObjects run(*world, &manager.log);
    const QString result = manager.timerFired(
        &run.tavrix, {QStringLiteral("on timerFired(s)\nend timerFired\n"), XMLValues::APPLESCRIPT},
        nullptr);
    QCOMPARE(result, QStringLiteral("AppleScript programs run only on the server's Mac; they "
                                    "can't be run here"));
}

TAVRIX_TEST_GUILESS_MAIN(tst_EntryPoints)
#include "tst_entrypoints.moc"
