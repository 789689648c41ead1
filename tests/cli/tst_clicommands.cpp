// Every subcommand of the built tool, run as a user runs it against packages that the tests make
// with the tool itself and by hand: what it prints, its exit status, and what it writes. The
// command line's own rules are read in-process.

#include "common/testmain.h"

#include "clitestsupport.h"

#include "cli/commandline.h"
#include "cli/scriptcheck.h"

#include "qsa/qsinterpreter.h"
#include "qsa/qsproject.h"

#include "corelib/common/xmlerror.h"
#include "corelib/package/scriptpackagemanifest.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QDomDocument>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

using namespace CliTest;
using Scripter::CommandLine;
namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

namespace {

const QString prefix = QStringLiteral("tavrixscripter-cli: ");
const QString passwordVariable = QStringLiteral("TAVRIXSCRIPTER_PASSWORD");

// The text of the element fields' `field` in a declaration; null when it has none.
QString declaredField(const QByteArray &declaration, const QString &field)
{
    QDomDocument document;
    if (!SRCore::parseXmlDocument(declaration, document)) {
        return QStringLiteral("<malformed>");
    }
    const QDomElement element = document.documentElement()
                                    .firstChildElement(XMLKey::ELEMENTFIELDS)
                                    .firstChildElement(field);
    return element.isNull() ? QString() : element.text();
}

QJsonObject parseJson(const QString &text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

QStringList names(const QJsonArray &array, const QString &key)
{
    QStringList list;
    for (const QJsonValue &value : array) {
        list.append(value.toObject().value(key).toString());
    }
    return list;
}

// Whether a line of `text` matches `pattern` as a whole.
bool hasLine(const QString &text, const QString &pattern)
{
    return text.contains(QRegularExpression(QLatin1Char('^') + pattern + QLatin1Char('$'),
                                            QRegularExpression::MultilineOption));
}

} // namespace

class tst_CliCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void newWritesThePackageAndItsFixture_data();
    void newWritesThePackageAndItsFixture();

    void infoShowsDefinitionsEntryPointsAndFixture();
    void infoNeverShowsThePassword_data();
    void infoNeverShowsThePassword();

    void checkPassesAPackageAsNewMadeIt();
    void checkReportsEachErrorWithFileLineAndColumn_data();
    void checkReportsEachErrorWithFileLineAndColumn();

    void packWritesTheArchiveBesideTheFolder();
    void unpackWritesTheFolderFormNamedAfterTheFolder();
    void protectedPackageNeedsItsPassword_data();
    void protectedPackageNeedsItsPassword();

    void resaveListsTheFunctionsOfScriptsEditedOnDisk();
    void resaveReportsSyntaxErrorsAndSavesAllTheSame();

    void everySubcommandAcceptsEitherForm_data();
    void everySubcommandAcceptsEitherForm();

    void answersWithoutWork_data();
    void answersWithoutWork();
    void helpOfACommandShowsItsOwnOptions();
    void usageErrorsAreRefused_data();
    void usageErrorsAreRefused();

private:
    // `tavrixscripter-cli new` with `arguments`, which must succeed.
    bool make(const QStringList &arguments);
    // The package "Secret" in both forms, protected by the password "Open Sesame": the folder
    // protected by hand (the program opens it without the password), the archive packed from it.
    bool makeProtected();

    std::unique_ptr<Sandbox> m_sandbox;
    PreparedFiles m_prepared;
};

void tst_CliCommands::initTestCase()
{
    QVERIFY2(QFileInfo(QStringLiteral(TAVRIX_CLI)).isExecutable(), TAVRIX_CLI);
}

void tst_CliCommands::init()
{
    m_sandbox = std::make_unique<Sandbox>();
    QVERIFY(m_sandbox->isValid());
}

bool tst_CliCommands::make(const QStringList &arguments)
{
    return m_prepared.copyNew(arguments, *m_sandbox);
}

bool tst_CliCommands::makeProtected()
{
    return m_prepared.copy(
        QStringLiteral("protected"),
        [](const Sandbox &maker) {
            if (maker.run({"new", "Secret.tscript", "--unarchived"}).exitCode != 0
                || !replaceIn(maker.path(QStringLiteral("Secret/manifest.xml")),
                              "<ScripterPassword/>",
                              "<ScripterPassword>Open Sesame</ScripterPassword>")) {
                return false;
            }
            const Run packed = maker.run({"pack", "Secret", "--password", "Open Sesame"});
            // The archive is encrypted with the archive password: a reader without it gets
            // nothing.
            const QString archive = maker.path(QStringLiteral("Secret.tscript"));
            return packed.exitCode == 0 && contents(archive).isEmpty()
                   && PythonZip::names(archive).size() == 4;
        },
        *m_sandbox);
}

// --- new ---------------------------------------------------------------------------------------

void tst_CliCommands::newWritesThePackageAndItsFixture_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("existingFolder");
    QTest::addColumn<QString>("package");
    QTest::addColumn<QStringList>("programs");

    // What the members hold, named how, is what the program writes (tst_cliprogram); here: which
    // members, in which form.
    // clang-format off
    QTest::newRow("archive with the program's defaults") << QStringList{"Router.tscript"} << QString() << "Router.tscript" << QStringList{"Router.js"};
    QTest::newRow("unarchived form in a new folder named like the package") << QStringList{"Router.tscript", "--unarchived"} << QString() << "Router/Router.tscript" << QStringList{"Router.js"};
    QTest::newRow("unarchived form in its own empty folder") << QStringList{"Router/Router.tscript", "--unarchived"} << "Router" << "Router/Router.tscript" << QStringList{"Router.js"};
    QTest::newRow("every language, in any order") << QStringList{"Mail.tscript", "--languages", "applescript,JS,vbs"} << QString() << "Mail.tscript" << QStringList{"Mail.js", "Mail.scpt", "Mail.vbs"};
    QTest::newRow("VBScript only, unarchived") << QStringList{"Basic.tscript", "--languages", "vbs", "--unarchived"} << QString() << "Basic/Basic.tscript" << QStringList{"Basic.vbs"};
    // clang-format on
}

void tst_CliCommands::newWritesThePackageAndItsFixture()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, existingFolder);
    QFETCH(QString, package);
    QFETCH(QStringList, programs);

    QVERIFY(QDir().mkpath(m_sandbox->path(existingFolder)));
    const Run run = m_sandbox->run(QStringList{QStringLiteral("new")} + arguments);
    QVERIFY2(run.exitCode == 0 && run.err.isEmpty(), run.describe());
    const QFileInfo packageFile(m_sandbox->path(package));
    QCOMPARE(run.out, QDir::toNativeSeparators(packageFile.filePath()) + QLatin1Char('\n'));

    const QString baseName = packageFile.completeBaseName();
    QCOMPARE(packageFile.size() == 0, package.contains(QLatin1Char('/')));
    QStringList expected =
        programs + QStringList{"manifest.xml", baseName + ".xml", baseName + ".tscript"};
    expected.sort();
    const QMap<QString, QByteArray> members = packageMembers(packageFile.filePath());
    QCOMPARE(members.keys(), expected);
    // The fixture lies beside the package: beside the archive, or in the package's folder.
    const QString fixture = packageFile.absolutePath() + "/" + baseName + ".tfixture";
    QCOMPARE(PythonZip::names(fixture).size(), 2);
}

// --- info --------------------------------------------------------------------------------------

void tst_CliCommands::infoShowsDefinitionsEntryPointsAndFixture()
{
    QVERIFY(copyFolder(QStringLiteral(TAVRIX_EXAMPLES_DIR "/InvoiceRouter/InvoiceRouter"),
                       m_sandbox->path(QStringLiteral("InvoiceRouter"))));
    // A definition written by hand into the declaration: several editors, a dropdown default.
    QVERIFY(replaceIn(m_sandbox->path(QStringLiteral("InvoiceRouter/InvoiceRouter.xml")),
                      "<ConnectionFields>",
                      "<ConnectionFields>\n        <Archive Validation=\"None\" "
                      "LocalizedTagName=\"Archive folder\" Tooltip=\"Where to keep a copy\" "
                      "Type=\"string\" Editor=\"choosefolder;regexp;choosefolder\" "
                      "Default=\"/srv/archive\" Subtype=\"choosefolder\">/srv/archive</Archive>"));

    const Run json = m_sandbox->run({"info", "InvoiceRouter/InvoiceRouter.tscript", "--json"});
    QVERIFY2(json.exitCode == 0 && json.err.isEmpty(), json.describe());
    const QJsonObject info = parseJson(json.out);
    QCOMPARE(info.value("form").toString(), QStringLiteral("unarchived"));
    QCOMPARE(info.value("elementName").toString(), QStringLiteral("InvoiceRouter"));
    QCOMPARE(info.value("languages").toArray(),
             (QJsonArray{XMLValues::JAVASCRIPT, XMLValues::VBSCRIPT}));
    QCOMPARE(info.value("protected").toBool(true), false);
    QCOMPARE(info.value("manifest").toObject().value(XMLKey::SCRIPTPROGRAMFILES).toObject(),
             (QJsonObject{{XMLValues::JAVASCRIPT, QStringLiteral("InvoiceRouter.js")},
                          {XMLValues::VBSCRIPT, QStringLiteral("InvoiceRouter.vbs")}}));
    QCOMPARE(info.value("functions").toObject().value(XMLValues::JAVASCRIPT).toArray(),
             (QJsonArray{"jobArrived", "timerFired", "describeRouting"}));

    const QJsonArray elementProperties = info.value("elementProperties").toArray();
    QCOMPARE(names(elementProperties, "tag"),
             (QStringList{"AmountLimit", "Currency", "LogRouting", "LogPrefix"}));
    const QJsonObject prefixDefinition = elementProperties.at(3).toObject();
    QCOMPARE(prefixDefinition.value("master").toString(), QStringLiteral("LogRouting"));
    QCOMPARE(prefixDefinition.value("masterValue").toString(), QStringLiteral("Yes"));
    const QJsonObject archive = info.value("connectionProperties").toArray().at(0).toObject();
    QCOMPARE(archive.value("tooltip").toString(), QStringLiteral("Where to keep a copy"));
    QCOMPARE(archive.value("default").toString(), QStringLiteral("/srv/archive"));
    // The declaration lists each editor once, as the program reads it back.
    QCOMPARE(names(archive.value("editors").toArray(), "keyword"),
             (QStringList{"choosefolder", "regexp"}));

    const QJsonObject fixture = info.value("fixture").toObject();
    QCOMPARE(fixture.value("flowName").toString(), QStringLiteral("Invoices"));
    QCOMPARE(names(fixture.value("jobs").toArray(), "path"),
             QStringList{"../jobs/invoice-4711.xml"});
    QCOMPARE(names(fixture.value("connections").toArray(), "name"),
             (QStringList{"Approval", "Booking"}));

    // The text is rendered from the same data; a line of each part.
    const Run text = m_sandbox->run({"info", "InvoiceRouter"});
    QVERIFY2(text.exitCode == 0 && text.err.isEmpty(), text.describe());
    const QString marker = m_sandbox->path(QStringLiteral("InvoiceRouter/InvoiceRouter.tscript"));
    // clang-format off
    for (const QString &pattern : {
             "Package: +" + QRegularExpression::escape(QDir::toNativeSeparators(marker)) + " \\(unarchived folder\\)",
             QStringLiteral("  ScriptProgramFiles +JavaScript: InvoiceRouter.js, VBScript: InvoiceRouter.vbs"),
             QStringLiteral("  VBScript +jobArrived, timerFired, describeRouting"),
             QStringLiteral("  Archive  \"Archive folder\"  string"),
             QStringLiteral("    Editors: +Choose folder \\(choosefolder\\), Regular expression \\(regexp\\)"),
             QStringLiteral("    Shown when: +LogRouting = Yes"),
             QStringLiteral("    invoice-4711.xml +enabled  ../jobs/invoice-4711.xml")}) {
        QVERIFY2(hasLine(text.out, pattern), qPrintable(pattern + "\n" + text.out));
    }
    // clang-format on
}

void tst_CliCommands::infoNeverShowsThePassword_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("protectedLine");

    QTest::newRow("text") << QStringList() << "Protected: +yes";
    QTest::newRow("JSON") << QStringList{"--json"} << " *\"protected\": true,?";
}

void tst_CliCommands::infoNeverShowsThePassword()
{
    QFETCH(QStringList, options);
    QFETCH(QString, protectedLine);

    QVERIFY(make({QStringLiteral("Secret.tscript"), QStringLiteral("--unarchived")}));
    QVERIFY(replaceIn(m_sandbox->path(QStringLiteral("Secret/manifest.xml")), "<ScripterPassword/>",
                      "<ScripterPassword>Zebra-42</ScripterPassword>"));

    const Run run = m_sandbox->run(QStringList{"info", "Secret"} + options);
    QVERIFY2(run.exitCode == 0 && run.err.isEmpty(), run.describe());
    QVERIFY2(hasLine(run.out, protectedLine), qPrintable(run.out));
    QVERIFY2(!run.out.contains(QLatin1String("Zebra-42")), qPrintable(run.out));
    QVERIFY(!run.out.contains(XMLKey::SCRIPTERPASSWORD));
}

// --- check -------------------------------------------------------------------------------------

void tst_CliCommands::checkPassesAPackageAsNewMadeIt()
{
    QVERIFY(make({"All.tscript", "--languages", "js,vbs,applescript"}));
    const Run run = m_sandbox->run({QStringLiteral("check"), QStringLiteral("All.tscript")});
    QVERIFY2(run.exitCode == 0 && run.err.isEmpty(), run.describe());
    QCOMPARE(run.out.count(QLatin1Char('\n')), 3);
    QVERIFY2(
        hasLine(run.out, "JavaScript +All\\.js +syntax ok +entry points: jobArrived, timerFired")
            && hasLine(run.out, "VBScript +All\\.vbs +syntax ok +entry points: jobArrived, "
                                "timerFired")
            && hasLine(run.out, "AppleScript +All\\.scpt +not checked +entry points: "
                                "jobarrived, timerfired"),
        qPrintable(run.out));
}

void tst_CliCommands::checkReportsEachErrorWithFileLineAndColumn_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("program");

    // clang-format off
    QTest::newRow("JavaScript that does not parse") << XMLValues::JAVASCRIPT << "Broken.js" << "function jobArrived( s : Tavrix, job : Job )\n{\n    var size = ;\n}\n";
    QTest::newRow("VBScript with an unclosed If") << XMLValues::VBSCRIPT << "Broken.vbs" << "Function jobArrived(s, job)\n    If True Then\n        s = 1\nEnd Function\n";
    // clang-format on
}

void tst_CliCommands::checkReportsEachErrorWithFileLineAndColumn()
{
    QFETCH(QString, language);
    QFETCH(QString, file);
    QFETCH(QString, program);

    QVERIFY(make({"Broken.tscript", "--unarchived", "--languages", "js,vbs"}));
    QVERIFY(writeFile(m_sandbox->path(QStringLiteral("Broken/") + file), program.toUtf8()));
    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());
    // The place and text the program's own checker gives.
    Scripter::ScriptCheck::Problem problem;
    QVERIFY(!Scripter::ScriptCheck::check(language, program, &problem));
    QVERIFY(problem.line > 1 && problem.column > 0);

    const Run run = m_sandbox->run({QStringLiteral("check"), QStringLiteral("Broken")});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.errorLines(), QStringList{prefix
                                           + QStringLiteral("Broken: %1 line %2, column %3: %4")
                                                 .arg(file)
                                                 .arg(problem.line)
                                                 .arg(problem.column)
                                                 .arg(problem.message)});
    QVERIFY2(
        hasLine(run.out, language + " +" + QRegularExpression::escape(file) + " +syntax error .*"),
        qPrintable(run.out));
    // The other language passes and is listed as such.
    QVERIFY(run.out.contains(QLatin1String("syntax ok")));
    QCOMPARE(snapshot(m_sandbox->path()), before);
}

// --- pack and unpack ---------------------------------------------------------------------------

void tst_CliCommands::packWritesTheArchiveBesideTheFolder()
{
    QVERIFY(make({"Router.tscript", "--unarchived", "--languages", "js,applescript"}));
    const QString marker = m_sandbox->path(QStringLiteral("Router/Router.tscript"));
    const QByteArray program = "function jobArrived( s : Tavrix, job : Job )\n{\n"
                               "    s.log(1, \"Grüße\");\n}\n";
    QVERIFY(writeFile(m_sandbox->path(QStringLiteral("Router/Router.js")), program));
    const QMap<QString, QByteArray> folder = snapshot(m_sandbox->path(QStringLiteral("Router")));

    const Run run = m_sandbox->run({QStringLiteral("pack"), QStringLiteral("Router")});
    QVERIFY2(run.exitCode == 0 && run.err.isEmpty(), run.describe());
    const QString archive = m_sandbox->path(QStringLiteral("Router.tscript"));
    QCOMPARE(run.out, QDir::toNativeSeparators(archive) + QLatin1Char('\n'));
    // The folder stays as it was; the archive holds its members, the fixture lies beside.
    QCOMPARE(snapshot(m_sandbox->path(QStringLiteral("Router"))), folder);
    const QMap<QString, QByteArray> members = packageMembers(archive);
    QCOMPARE(members.keys(), packageMembers(marker).keys());
    for (const char *name : {"Router.js", "Router.scpt", "manifest.xml"}) {
        QCOMPARE(members.value(QLatin1String(name)), folder.value(QLatin1String(name)));
    }
    QCOMPARE(contents(m_sandbox->path(QStringLiteral("Router.tfixture"))),
             contents(m_sandbox->path(QStringLiteral("Router/Router.tfixture"))));

    // Somewhere else on request.
    QVERIFY(QDir().mkpath(m_sandbox->path(QStringLiteral("dist"))));
    const Run elsewhere =
        m_sandbox->run({"pack", "Router/Router.tscript", "--output", "dist/R.tscript"});
    QVERIFY2(elsewhere.exitCode == 0, elsewhere.describe());
    QCOMPARE(packageMembers(m_sandbox->path(QStringLiteral("dist/R.tscript"))).value("R.js"),
             program);
    QVERIFY(QFileInfo(m_sandbox->path(QStringLiteral("dist/R.tfixture"))).isFile());
}

void tst_CliCommands::unpackWritesTheFolderFormNamedAfterTheFolder()
{
    QVERIFY(make({"Router.tscript", "--name", "Router"}));
    const QMap<QString, QByteArray> archive =
        packageMembers(m_sandbox->path(QStringLiteral("Router.tscript")));
    // Forced over a folder in use: its files go, its version-control data stays.
    QVERIFY(writeFile(m_sandbox->path(QStringLiteral("Work/stale.js")), "old"));
    QVERIFY(writeFile(m_sandbox->path(QStringLiteral("Work/.svn/entries")), "svn data"));

    const Run run = m_sandbox->run({"unpack", "Router.tscript", "-o", "Work", "--force"});
    QVERIFY2(run.exitCode == 0, run.describe());
    const QString marker = m_sandbox->path(QStringLiteral("Work/Work.tscript"));
    QCOMPARE(run.out, QDir::toNativeSeparators(marker) + QLatin1Char('\n'));
    QCOMPARE(QFileInfo(marker).size(), 0);
    const QMap<QString, QByteArray> written = snapshot(m_sandbox->path(QStringLiteral("Work")));
    QCOMPARE(written.keys(), (QStringList{".svn/", ".svn/entries", "Work.js", "Work.tfixture",
                                          "Work.tscript", "Work.xml", "manifest.xml"}));
    QCOMPARE(written.value(QStringLiteral(".svn/entries")), QByteArray("svn data"));
    // The folder's name is the package's name: the members follow it, the contents stay.
    QCOMPARE(written.value(QStringLiteral("Work.js")), archive.value(QStringLiteral("Router.js")));
    SRCore::ScriptPackageManifest manifest;
    QVERIFY(manifest.loadFromXml(written.value(QStringLiteral("manifest.xml"))));
    QCOMPARE(manifest.field(XMLKey::SCRIPTERINSTANCENAME), QStringLiteral("Router"));
    QCOMPARE(manifest.scriptProgramFile(XMLValues::JAVASCRIPT), QStringLiteral("Work.js"));
    QCOMPARE(declaredField(written.value(QStringLiteral("Work.xml")), XMLKey::SCRIPTFUNCTIONS),
             declaredField(archive.value(QStringLiteral("Router.xml")), XMLKey::SCRIPTFUNCTIONS));
}

// Every command opens a package the same way, so the password's rules go through unpack; pack
// and unpack also need it for the folder, which the program opens without it.
void tst_CliCommands::protectedPackageNeedsItsPassword_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("environmentPassword");
    QTest::addColumn<QString>("error");

    const QStringList unpack{"unpack", "Secret.tscript", "--output", "Opened"};
    const QStringList unpackFolder{"unpack", "Secret", "--output", "Opened"};
    const QString missing = QStringLiteral(
        "the package is protected by a password; give it with --password or in the environment "
        "variable TAVRIXSCRIPTER_PASSWORD");
    const QString wrong = QStringLiteral("Invalid password, the script can not be opened.");
    // clang-format off
    QTest::newRow("given as an option") << unpack + QStringList{"--password", "Open Sesame"} << QString() << QString();
    QTest::newRow("given in the environment") << unpack << "Open Sesame" << QString();
    QTest::newRow("the option wins over the environment") << unpack + QStringList{"-p", "Open Sesame"} << "wrong" << QString();
    QTest::newRow("not given") << unpack << QString() << missing;
    QTest::newRow("wrong") << unpack + QStringList{"--password", "Open Sesam"} << QString() << wrong;
    QTest::newRow("in another letter case") << unpack + QStringList{"--password", "open sesame"} << QString() << wrong;
    QTest::newRow("empty") << unpack + QStringList{"--password", ""} << QString() << wrong;
    QTest::newRow("folder, given") << unpackFolder << "Open Sesame" << QString();
    QTest::newRow("folder unpacked, not given") << unpackFolder << QString() << missing;
    QTest::newRow("folder packed, not given") << QStringList{"pack", "Secret", "-o", "Opened.tscript"} << QString() << missing;
    QTest::newRow("folder, wrong") << unpackFolder + QStringList{"--password", "open sesame"} << QString() << wrong;
    // clang-format on
}

void tst_CliCommands::protectedPackageNeedsItsPassword()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, environmentPassword);
    QFETCH(QString, error);

    QVERIFY(makeProtected());
    const QProcessEnvironment environment = environmentPassword.isNull()
                                                ? QProcessEnvironment()
                                                : variable(passwordVariable, environmentPassword);
    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());

    const Run run = m_sandbox->run(arguments, environment);
    if (!error.isEmpty()) {
        QVERIFY2(run.exitCode == 1, run.describe());
        QCOMPARE(run.errorLines(), QStringList{prefix + arguments.at(1) + ": " + error});
        QCOMPARE(snapshot(m_sandbox->path()), before);
        return;
    }
    QVERIFY2(run.exitCode == 0 && run.err.isEmpty(), run.describe());
    // What was written stays protected: the manifest inside keeps the password.
    SRCore::ScriptPackageManifest manifest;
    QVERIFY(manifest.loadFromFile(m_sandbox->path(QStringLiteral("Opened/manifest.xml"))));
    QCOMPARE(manifest.field(XMLKey::SCRIPTERPASSWORD), QStringLiteral("Open Sesame"));
}

// --- resave ------------------------------------------------------------------------------------

void tst_CliCommands::resaveListsTheFunctionsOfScriptsEditedOnDisk()
{
    QVERIFY(make({"Router.tscript", "--unarchived", "--languages", "js,vbs"}));
    const QString script = m_sandbox->path(QStringLiteral("Router/Router.js"));
    QByteArray program = readFile(script);
    program.append("\n\nfunction describeJob( job : Job )\n{\n    return job.getName();\n}\n");
    QVERIFY(writeFile(script, program));
    const QString vbscript = m_sandbox->path(QStringLiteral("Router/Router.vbs"));
    QVERIFY(writeFile(vbscript, "Function timerFired(s)\nEnd Function\n"));

    // Until it is resaved, the declaration lists the old entry points, and check says so.
    const Run stale = m_sandbox->run({QStringLiteral("check"), QStringLiteral("Router")});
    QCOMPARE(stale.exitCode, 1);
    QCOMPARE(stale.errorLines(),
             (QStringList{prefix
                              + "Router: Router.xml lists the JavaScript entry points "
                                "jobArrived, timerFired, but Router.js defines jobArrived, "
                                "timerFired, describeJob; resave the package",
                          prefix
                              + "Router: Router.xml lists the VBScript entry points "
                                "jobArrived, timerFired, but Router.vbs defines timerFired; "
                                "resave the package"}));

    const Run resave = m_sandbox->run({QStringLiteral("resave"), QStringLiteral("Router")});
    QVERIFY2(resave.exitCode == 0, resave.describe());
    QCOMPARE(readFile(script), program);
    // The declaration now lists what the programs define.
    const Run checked = m_sandbox->run({QStringLiteral("check"), QStringLiteral("Router")});
    QVERIFY2(checked.exitCode == 0, checked.describe());
}

void tst_CliCommands::resaveReportsSyntaxErrorsAndSavesAllTheSame()
{
    QVERIFY(make({QStringLiteral("Router.tscript"), QStringLiteral("--unarchived")}));
    const QString script = m_sandbox->path(QStringLiteral("Router/Router.js"));
    const QByteArray program = "function jobArrived( s : Tavrix, job : Job )\n{\n    if (\n}\n"
                               "function extra()\n{\n}\n";
    QVERIFY(writeFile(script, program));

    const Run run = m_sandbox->run({QStringLiteral("resave"), QStringLiteral("Router")});
    QVERIFY2(run.exitCode == 0, run.describe());
    QCOMPARE(run.errorLines().size(), 1);
    QVERIFY2(run.err.startsWith(prefix + "Router: warning: Router.js line 4, column "),
             qPrintable(run.err));
    QCOMPARE(readFile(script), program);
    // The function list is whatever the interpreter recognises in the broken program, as the
    // program's Save stores it.
    QSProject project;
    project.createScript(QStringLiteral("ScriptName"), QString::fromUtf8(program));
    project.interpreter()->setErrorMode(QSInterpreter::Nothing);
    const QStringList recognised = project.interpreter()->functions(QSInterpreter::FunctionNames);
    QCOMPARE(declaredField(readFile(m_sandbox->path(QStringLiteral("Router/Router.xml"))),
                           XMLKey::SCRIPTFUNCTIONS),
             recognised.join(QLatin1Char(';')));
}

// --- either form, help, usage ------------------------------------------------------------------

void tst_CliCommands::everySubcommandAcceptsEitherForm_data()
{
    QTest::addColumn<QString>("package");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("everyCommand"); // every command finds the package the same way

    // clang-format off
    QTest::newRow("archive") << "Router.tscript" << "Either" << true;
    QTest::newRow("fixture beside the archive") << "Router.tfixture" << "Either" << false;
    QTest::newRow("package folder") << "Folder" << "Either" << true;
    QTest::newRow("package folder with a trailing slash") << "Folder/" << "Either" << false;
    QTest::newRow("marker file in the folder") << "Folder/Folder.tscript" << "Either" << false;
    QTest::newRow("fixture in the folder") << "Folder/Folder.tfixture" << "Either" << false;
    QTest::newRow("archive named like a fixture is itself") << "Router.tfixture.tscript" << "Itself" << false;
    // clang-format on
}

void tst_CliCommands::everySubcommandAcceptsEitherForm()
{
    QFETCH(QString, package);
    QFETCH(QString, name);
    QFETCH(bool, everyCommand);

    QVERIFY(make({"Router.tscript", "--name", "Either"}));
    QVERIFY(make({"Folder.tscript", "--unarchived", "--name", "Either"}));
    QVERIFY(make({"Router.tfixture.tscript", "--name", "Itself"}));
    const Run info = m_sandbox->run({QStringLiteral("info"), package, QStringLiteral("--json")});
    QCOMPARE(parseJson(info.out).value("elementName").toString(), name);
    QCOMPARE(parseJson(info.out).value("form").toString(),
             package.startsWith(QLatin1String("Folder")) ? QStringLiteral("unarchived")
                                                         : QStringLiteral("archive"));
    if (!everyCommand) {
        return;
    }
    QVERIFY(QDir().mkpath(m_sandbox->path(QStringLiteral("out"))));
    for (const QStringList &command : packageCommands()) {
        const Run run = m_sandbox->run(QStringList{command.first(), package} + command.mid(1));
        QVERIFY2(run.exitCode == 0 && run.err.isEmpty(),
                 qPrintable(command.first() + run.describe()));
    }
    QCOMPARE(packageMembers(m_sandbox->path(QStringLiteral("out/Packed.tscript"))).size(), 4);
    QCOMPARE(
        packageMembers(m_sandbox->path(QStringLiteral("out/Unpacked/Unpacked.tscript"))).size(), 4);
}

void tst_CliCommands::answersWithoutWork_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out"); // a regular expression
    QTest::addColumn<QString>("error");

    const QString unpackHelp =
        QRegularExpression::escape(CommandLine::helpText(CommandLine::Command::Unpack));
    const QString see = QStringLiteral("; see \"tavrixscripter-cli --help\"\n");
    // clang-format off
    QTest::newRow("overview") << QStringList{"--help"} << 0 << QRegularExpression::escape(CommandLine::helpText()) << QString();
    QTest::newRow("help of a command") << QStringList{"help", "unpack"} << 0 << unpackHelp << QString();
    QTest::newRow("help option of a command") << QStringList{"unpack", "--help"} << 0 << unpackHelp << QString();
    QTest::newRow("version") << QStringList{"--version"} << 0 << "tavrixscripter-cli \\d+\\.\\d+\\.\\d+\n" << QString();
    QTest::newRow("usage error") << QStringList{"new", "Router"} << 2 << QString() << prefix + "the new package's path must end in .tscript: 'Router'" + see;
    QTest::newRow("an archive has no place of its own to be packed to") << QStringList{"pack", "Router.tscript"} << 2 << QString() << prefix + "pack needs --output for a package that is an archive already" + see;
    // clang-format on
}

void tst_CliCommands::answersWithoutWork()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, error);

    QVERIFY(make({QStringLiteral("Router.tscript")}));
    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());
    const Run run = m_sandbox->run(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.err, error);
    QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(out)).match(run.out).hasMatch(),
             qPrintable(run.out));
    QCOMPARE(snapshot(m_sandbox->path()), before);
}

void tst_CliCommands::helpOfACommandShowsItsOwnOptions()
{
    const QString unpack = CommandLine::helpText(CommandLine::Command::Unpack);
    QVERIFY(unpack.contains(QLatin1String("--force")));
    QVERIFY(!unpack.contains(QLatin1String("--json")));
}

void tst_CliCommands::usageErrorsAreRefused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");

    // clang-format off
    QTest::newRow("no command") << QStringList() << "no command given";
    QTest::newRow("unknown command") << QStringList{"build", "x.tscript"} << "unknown command 'build'";
    QTest::newRow("option before the command") << QStringList{"--json", "info", "x.tscript"} << "the command must come first, before '--json'";
    QTest::newRow("option of another command") << QStringList{"info", "x.tscript", "--force"} << "Unknown option 'force'.";
    QTest::newRow("no package") << QStringList{"check"} << "missing argument; usage: check PACKAGE [--password P]";
    QTest::newRow("two packages") << QStringList{"resave", "a.tscript", "b.tscript"} << "unexpected argument 'b.tscript'; usage: resave PACKAGE [--password P]";
    QTest::newRow("new package without the suffix") << QStringList{"new", "Router"} << "the new package's path must end in .tscript: 'Router'";
    QTest::newRow("unknown language") << QStringList{"new", "a.tscript", "--languages", "js,perl"} << "unknown language 'perl'; use js, vbs or applescript";
    QTest::newRow("no language") << QStringList{"new", "a.tscript", "--languages", ","} << "--languages needs at least one of js, vbs, applescript";
    QTest::newRow("empty name") << QStringList{"new", "a.tscript", "--name", " "} << "--name needs a name";
    QTest::newRow("option without its value") << QStringList{"new", "a.tscript", "--name"} << "Missing value after '--name'.";
    QTest::newRow("unpack without an output folder") << QStringList{"unpack", "a.tscript"} << "unpack needs --output FOLDER";
    QTest::newRow("pack into something that is no package") << QStringList{"pack", "Folder", "--output", "a.zip"} << "the archive's path must end in .tscript: 'a.zip'";
    QTest::newRow("help for an unknown command") << QStringList{"help", "build"} << "unknown command 'build'";
    // clang-format on
}

void tst_CliCommands::usageErrorsAreRefused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);

    CommandLine commandLine;
    QVERIFY(!commandLine.parse(QStringList{CommandLine::programName()} + arguments));
    QCOMPARE(commandLine.error(), error);
}

TAVRIX_TEST_MAIN(tst_CliCommands)
#include "tst_clicommands.moc"
