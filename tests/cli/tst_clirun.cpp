// `run` of the built tool: entry points of real packages run headless through the program's
// runner, their messages, summaries, reports and exit status, and what each kind of bad input
// gives.

#include "common/testmain.h"

#include "clitestsupport.h"

#include <QDir>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTest>

using namespace CliTest;

namespace {

const QString prefix = QStringLiteral("tavrixscripter-cli: ");

} // namespace

class tst_CliRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void examplesRunAndPass_data();
    void examplesRunAndPass();
    void expectedResultsThatDoNotHoldFailTheRun();
    void languageOfTheProgramsPreferencesIsLoaded();
    void badInputFailsWithItsReason_data();
    void badInputFailsWithItsReason();
    void aScriptOfOnesOwnRunsWithItsArgumentsAndTimeOut_data();
    void aScriptOfOnesOwnRunsWithItsArgumentsAndTimeOut();
    void junitAndJsonReportEveryPackage();
    void unwritableJUnitStillReportsTheRun();

private:
    // The bundled examples in the working folder: "InvoiceRouter" (with its jobs) and
    // "DailyReport"; the package folder of each.
    bool copyExamples() const;
    // A JavaScript package `name` made by `new`, whose program is `program`.
    bool makeScript(const QString &name, const QByteArray &program) const;

    std::unique_ptr<Sandbox> m_sandbox;
};

void tst_CliRun::initTestCase()
{
    QVERIFY2(QFileInfo(QStringLiteral(TAVRIX_CLI)).isExecutable(), TAVRIX_CLI);
}

void tst_CliRun::init()
{
    m_sandbox = std::make_unique<Sandbox>();
    QVERIFY(m_sandbox->isValid());
}

bool tst_CliRun::copyExamples() const
{
    return copyFolder(QStringLiteral(TAVRIX_EXAMPLES_DIR "/InvoiceRouter"),
                      m_sandbox->path(QStringLiteral("InvoiceRouter")))
           && copyFolder(QStringLiteral(TAVRIX_EXAMPLES_DIR "/DailyReport"),
                         m_sandbox->path(QStringLiteral("DailyReport")));
}

bool tst_CliRun::makeScript(const QString &name, const QByteArray &program) const
{
    const Run made =
        m_sandbox->run({QStringLiteral("new"), name + QStringLiteral(".tscript"),
                        QStringLiteral("--unarchived"), QStringLiteral("--name"), name});
    return made.exitCode == 0
           && writeFile(m_sandbox->path(name + QLatin1Char('/') + name + QStringLiteral(".js")),
                        program);
}

void tst_CliRun::examplesRunAndPass_data()
{
    QTest::addColumn<QString>("package");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("lines"); // expressions that whole lines of stdout match

    // clang-format off
    QTest::newRow("jobArrived by default with a current job")
        << "InvoiceRouter/InvoiceRouter" << QStringList()
        << QStringList{".*  info +  Starting evaluating script: Start jobArrived entry point with the test fixture \\(JavaScript\\)",
                       ".*  info +  Run summary: .*Approval.*",
                       "  Approval: 1 file", "    _\\d+_invoice-4711.xml  \\d+ bytes",
                       "  Booking: no files", "jobArrived of InvoiceRouter passed",
                       // The program's plural forms, not the "file(s)" of the source texts.
                       "  pass  connection 'Approval' receives 1 file",
                       "  pass  connection 'Booking' receives 0 files"};
    QTest::newRow("timerFired by default without jobs")
        << "DailyReport/DailyReport" << QStringList()
        << QStringList{".*  info +  Report 42 sent", "  Reports: 1 file",
                       "    _\\d+_report-42.txt  \\d+ bytes", "timerFired of DailyReport passed"};
    QTest::newRow("the job chosen by name")
        << "InvoiceRouter/InvoiceRouter" << QStringList{"--job", "invoice-4711.xml"}
        << QStringList{"jobArrived of InvoiceRouter passed"};
    QTest::newRow("a test folder of one's own")
        << "DailyReport/DailyReport" << QStringList{"--test-folder", "tests here"}
        << QStringList{"    _\\d+_report-42.txt  \\d+ bytes"};
    // clang-format on
}

void tst_CliRun::examplesRunAndPass()
{
    QFETCH(QString, package);
    QFETCH(QStringList, options);
    QFETCH(QStringList, lines);

    QVERIFY(copyExamples());
    const QMap<QString, QByteArray> before = contentSnapshot(m_sandbox->path(package));
    const Run run = m_sandbox->run(QStringList{QStringLiteral("run"), package} + options);
    QVERIFY2(run.exitCode == 0, run.describe());
    QCOMPARE(run.err, QString());
    const QStringList out = run.out.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QRegularExpression expression(QRegularExpression::anchoredPattern(line));
        QVERIFY2(out.indexOf(expression) >= 0, qPrintable(line + QLatin1String("\n") + run.out));
    }
    // A run changes nothing of the package or its fixture; its test folder is where it is told.
    QCOMPARE(contentSnapshot(m_sandbox->path(package)), before);
    QCOMPARE(QFileInfo(m_sandbox->path(QStringLiteral("tests here"))).isDir(),
             options.contains(QStringLiteral("--test-folder")));
}

// The example's expected results describe its jobArrived; its timerFired, run against the same
// fixture, leaves them unmet, and only they fail the run (their failure lines are no errors of
// the script's own).
void tst_CliRun::expectedResultsThatDoNotHoldFailTheRun()
{
    QVERIFY(copyExamples());
    const Run run =
        m_sandbox->run({QStringLiteral("run"), QStringLiteral("InvoiceRouter/InvoiceRouter"),
                        QStringLiteral("--entry"), QStringLiteral("timerFired")});
    QVERIFY2(run.exitCode == 1, run.describe());
    QCOMPARE(run.err, QString());
    // The report's lines for each expected result are its own; here only the outcome counts.
    QCOMPARE(run.out.trimmed().split(QLatin1Char('\n')).last(),
             QStringLiteral("timerFired of InvoiceRouter FAILED: 4 expected results did not hold"));
}

// The tool asks for the language the program's preferences name; one that is not installed
// falls back to the program's own texts.
void tst_CliRun::languageOfTheProgramsPreferencesIsLoaded()
{
    QVERIFY(copyExamples());
    QVERIFY(writeFile(m_sandbox->programSettingsFile(), "[ScriptEditor]\nLanguage=Deutsch\n"));
    const Run run =
        m_sandbox->run({QStringLiteral("run"), QStringLiteral("InvoiceRouter/InvoiceRouter"),
                        QStringLiteral("--verbose")},
                       variable("QT_LOGGING_RULES", "tavrix.guilib.translation.info=true"));
    QVERIFY2(run.exitCode == 0, run.describe());
    QVERIFY2(run.err.contains(QLatin1String("Language \"Deutsch\" is not installed")),
             run.describe());
    QVERIFY2(run.out.contains(QLatin1String("  pass  connection 'Approval' receives 1 file\n")),
             run.describe());
}

void tst_CliRun::badInputFailsWithItsReason_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error"); // the line on stderr after "tavrixscripter-cli: "

    const QString router = QStringLiteral("InvoiceRouter/InvoiceRouter");
    const QString report = QStringLiteral("DailyReport/DailyReport");
    // clang-format off
    QTest::newRow("unknown entry point")
        << QStringList{"run", router, "--entry", "jobGone"} << 2
        << "unknown entry point 'jobGone'; use one of jobArrived, timerFired, scriptExpression, initializeProcessing, finalizeProcessing, cleanupAfterAbort, isPropertyValid, getLibraryForProperty, findApplicationPath, getApplicationLicensing, licenseApplication, isConnectionPropertyValid, getLibraryForConnectionProperty; see \"tavrixscripter-cli --help\"";
    QTest::newRow("entry point the script does not define")
        << QStringList{"run", router, "--entry", "initializeProcessing"} << 1
        << router + ": the JavaScript program does not define initializeProcessing; it defines: jobArrived, timerFired, describeRouting";
    QTest::newRow("jobArrived with a fixture without jobs")
        << QStringList{"run", router, "--entry", "jobArrived", "--fixture", "DailyReport/DailyReport/DailyReport.tfixture"} << 1
        << router + ": jobArrived needs an incoming job, and the fixture has none";
    QTest::newRow("a job the fixture lacks")
        << QStringList{"run", router, "--job", "invoice-0815.xml"} << 1
        << router + ": the fixture has no incoming job 'invoice-0815.xml'; it has: invoice-4711.xml";
    QTest::newRow("test folder that can't be made")
        << QStringList{"run", report, "--test-folder", "notes.txt/tests"} << 1
        << report + ": notes.txt/tests: the test folder can't be created";
    QTest::newRow("time-out that is no number")
        << QStringList{"run", report, "--timeout", "soon"} << 2
        << "--timeout needs a whole number of seconds above 0: 'soon'; see \"tavrixscripter-cli --help\"";
    QTest::newRow("argument of an unknown kind")
        << QStringList{"run", report, "--arg", "colour=blue"} << 2
        << "--arg takes tag=TAG, startup=TRUE|FALSE or license=KEY: 'colour=blue'; see \"tavrixscripter-cli --help\"";
    QTest::newRow("fixture that is not one")
        << QStringList{"run", report, "--fixture", "notes.txt"} << 1
        << report + ": notes.txt: Can't extract fixture '%1': Can't extract archive '%1': it is not a zip archive, or it is truncated";
    QTest::newRow("folder without packages")
        << QStringList{"run", "empty"} << 1
        << "empty: not a package folder: it holds no empty.tscript";
    // clang-format on
}

void tst_CliRun::badInputFailsWithItsReason()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, error);

    QVERIFY(copyExamples());
    QVERIFY(writeFile(m_sandbox->path(QStringLiteral("notes.txt")), "just some notes\n"));
    QVERIFY(QDir().mkpath(m_sandbox->path(QStringLiteral("empty"))));
    const QMap<QString, QByteArray> before = contentSnapshot(m_sandbox->path());
    const Run run = m_sandbox->run(arguments);
    QVERIFY2(run.exitCode == exitCode, run.describe());
    const QString expected =
        prefix
        + (error.contains(QLatin1String("%1"))
               ? error.arg(QDir::toNativeSeparators(m_sandbox->path("notes.txt")))
               : error);
    QVERIFY2(run.errorLines().contains(expected), run.describe());
    // Nothing is lost or changed; a test folder is the only thing a run may make.
    QCOMPARE(contentSnapshot(m_sandbox->path()), before);
}

void tst_CliRun::aScriptOfOnesOwnRunsWithItsArgumentsAndTimeOut_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");   // a part of stdout
    QTest::addColumn<QString>("error"); // the line on stderr after "tavrixscripter-cli: "

    const QByteArray finder = "function findApplicationPath( e : Environment, startup : Boolean ) "
                              ": String\n{\n    return \"found \" + startup;\n}\n";
    const QStringList find = {"--entry", "findApplicationPath"};
    // clang-format off
    QTest::newRow("an argument given") << finder << find + QStringList{"--arg", "startup=TRUE"} << 0 << "Script evaluation result: found true" << "";
    QTest::newRow("an argument missing") << finder << find << 1 << "" << "Script: findApplicationPath needs --arg startup=VALUE, one of: true, false";
    QTest::newRow("an argument not offered") << finder << find + QStringList{"--arg", "startup=maybe"} << 1 << "" << "Script: --arg startup=maybe is not offered; use one of: true, false";
    // Stopped the way the runner stops a run: the end message is still logged.
    QTest::newRow("the time-out stops an endless loop") << QByteArray("function timerFired( s : Tavrix )\n{\n    while ( true ) {}\n}\n") << QStringList{"--timeout", "1"} << 1 << "Script evaluation message: End timerFired entry point with the test fixture" << "Script: the run took longer than 1 s and was stopped";
    // clang-format on
}

void tst_CliRun::aScriptOfOnesOwnRunsWithItsArgumentsAndTimeOut()
{
    QFETCH(QByteArray, program);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, error);

    QVERIFY(makeScript(QStringLiteral("Script"), program));
    const Run run =
        m_sandbox->run(QStringList{QStringLiteral("run"), QStringLiteral("Script")} + options);
    QVERIFY2(run.finished && run.exitCode == exitCode, run.describe());
    QVERIFY2(run.out.contains(out), run.describe());
    // A refusal box of the runner is closed unanswered; no dialog waits for anybody.
    QCOMPARE(run.errorLines().value(0), error.isEmpty() ? QString() : prefix + error);
}

void tst_CliRun::junitAndJsonReportEveryPackage()
{
    QVERIFY(copyExamples());
    QVERIFY(makeScript(QStringLiteral("Broken"),
                       "function timerFired( s : Tavrix )\n{\n    s.noSuchCall();\n}\n"));
    // A tree of packages in both forms, as a repository of scripts holds them: an archive made
    // by pack, and the examples' package folders one level further down, the InvoiceRouter's
    // job beside its folder, where its fixture looks for it.
    QVERIFY(QDir().mkpath(m_sandbox->path(QStringLiteral("all"))));
    QVERIFY(m_sandbox
                ->run({QStringLiteral("pack"), QStringLiteral("Broken"), QStringLiteral("--output"),
                       QStringLiteral("all/Broken.tscript")})
                .exitCode
            == 0);
    for (const QString &example :
         {QStringLiteral("DailyReport"), QStringLiteral("InvoiceRouter")}) {
        QVERIFY(QDir(m_sandbox->path()).rename(example, QStringLiteral("all/") + example));
    }

    const Run run =
        m_sandbox->run({QStringLiteral("run"), QStringLiteral("all"),
                        QStringLiteral("all/DailyReport/DailyReport"), QStringLiteral("--json"),
                        QStringLiteral("--junit"), QStringLiteral("report.xml")});
    QVERIFY2(run.exitCode == 1, run.describe());
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    QVERIFY2(!json.isEmpty(), qPrintable(run.out));
    QCOMPARE(json.value("passed").toBool(true), false);
    const QJsonArray runs = json.value("runs").toArray();
    QStringList outcomes;
    for (const QJsonValue &value : runs) {
        const QJsonObject result = value.toObject();
        outcomes.append(QStringLiteral("%1 %2 %3")
                            .arg(result.value("element").toString(),
                                 result.value("entryPoint").toString(),
                                 result.value("passed").toBool() ? "passed" : "failed"));
    }
    QCOMPARE(outcomes,
             (QStringList{"Broken timerFired failed", "DailyReport timerFired passed",
                          "InvoiceRouter jobArrived passed", "DailyReport timerFired passed"}));
    QVERIFY(!runs.at(1)[u"messages"].toArray().isEmpty());

    // One suite per run, in the same order; the failed run's case carries its output.
    const QJsonObject junit = readJUnit(m_sandbox->path(QStringLiteral("report.xml")));
    QVERIFY2(!junit.contains("error") && !junit.isEmpty(),
             qPrintable(junit.value("error").toString()));
    QCOMPARE(junit.value("tests").toInt(), 4);
    QCOMPARE(junit.value("failures").toInt(), 1);
    const QJsonArray suites = junit.value("suites").toArray();
    QCOMPARE(suites.size(), 4);
    QCOMPARE(suites.at(0)[u"failures"].toInt(), 1);
    QVERIFY(suites.at(0)[u"cases"][0][u"out"].toString().contains(QLatin1String("noSuchCall")));
    QCOMPARE(suites.at(1)[u"failures"].toInt(), 0);
}

void tst_CliRun::unwritableJUnitStillReportsTheRun()
{
    QVERIFY(copyExamples());
    const Run run =
        m_sandbox->run({QStringLiteral("run"), QStringLiteral("DailyReport/DailyReport"),
                        QStringLiteral("--junit"), QStringLiteral("gone/report.xml")});
    QVERIFY2(run.exitCode == 1, run.describe());
    QVERIFY2(run.out.contains(QLatin1String("timerFired of DailyReport passed")), run.describe());
    QCOMPARE(run.errorLines().size(), 1);
    QVERIFY2(run.errorLines().constFirst().startsWith(
                 prefix + QStringLiteral("gone/report.xml: the JUnit report can't be written: ")),
             run.describe());
}

TAVRIX_TEST_GUILESS_MAIN(tst_CliRun)
#include "tst_clirun.moc"
