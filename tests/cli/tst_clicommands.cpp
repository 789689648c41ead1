// Every subcommand of the built tool, run as a user runs it against packages that the tests make
// with the tool itself and by hand: what it prints, its exit status, and what it writes.

#include "common/testmain.h"

#include "clitestsupport.h"

#include "qsa/qsinterpreter.h"
#include "qsa/qsproject.h"
#include "scriptinglib/vbscript/syntaxerror.h"
#include "scriptinglib/vbscriptsyntaxchecker.h"

#include "corelib/common/xmlerror.h"
#include "corelib/package/scriptpackagemanifest.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QDomDocument>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

using namespace CliTest;
namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

namespace {

const QString prefix = QStringLiteral("tavrixscripter-cli: ");

QString suffixOf(const QString &language)
{
    if (language == XMLValues::JAVASCRIPT) {
        return QStringLiteral(".js");
    }
    return language == XMLValues::VBSCRIPT ? QStringLiteral(".vbs") : QStringLiteral(".scpt");
}

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
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    return error.error == QJsonParseError::NoError ? document.object() : QJsonObject();
}

QStringList names(const QJsonArray &array, const QString &key)
{
    QStringList list;
    for (const QJsonValue &value : array) {
        list.append(value.toObject().value(key).toString());
    }
    return list;
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
    void newReplacesAPackageOnlyWithForce();

    void infoShowsDefinitionsEntryPointsAndFixture();
    void infoJsonHoldsWhatTheTextShows();
    void infoNeverShowsThePassword();

    void checkPassesAPackageAsNewMadeIt();
    void checkReportsEachErrorWithFileLineAndColumn_data();
    void checkReportsEachErrorWithFileLineAndColumn();

    void packWritesTheArchiveBesideTheFolder();
    void unpackWritesTheFolderFormNamedAfterTheFolder();
    void unpackWithForceKeepsVersionControlData();
    void protectedPackageNeedsItsPassword_data();
    void protectedPackageNeedsItsPassword();
    void everyCommandNeedsThePassword_data();
    void everyCommandNeedsThePassword();

    void resaveListsTheFunctionsOfScriptsEditedOnDisk();
    void resaveReportsSyntaxErrorsAndSavesAllTheSame();

    void everySubcommandAcceptsEitherForm_data();
    void everySubcommandAcceptsEitherForm();
    void packageNamedLikeAFixtureIsItself();

    void helpAndVersionSucceed();
    void usageErrorsExitWithTwo_data();
    void usageErrorsExitWithTwo();

private:
    // `tavrixscripter-cli new` with `arguments`, which must succeed.
    bool make(const QStringList &arguments);
    // A copy of the checked-in example package in the sandbox; its marker file.
    QString copyExample() const;
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

QString tst_CliCommands::copyExample() const
{
    const QString copy = m_sandbox->path(QStringLiteral("InvoiceRouter"));
    if (!QDir().mkpath(copy)) {
        return QString();
    }
    const QString source = QStringLiteral(TAVRIX_EXAMPLES_DIR "/InvoiceRouter/InvoiceRouter");
    for (const QString &name : QDir(source).entryList(QDir::Files)) {
        if (!QFile::copy(source + QLatin1Char('/') + name, copy + QLatin1Char('/') + name)) {
            return QString();
        }
    }
    return copy + QStringLiteral("/InvoiceRouter.tscript");
}

bool tst_CliCommands::makeProtected()
{
    return m_prepared.copy(
        QStringLiteral("protected"),
        [](const Sandbox &maker) {
            const QString manifest = maker.path(QStringLiteral("Secret/manifest.xml"));
            if (maker.run({QStringLiteral("new"), QStringLiteral("Secret.tscript"),
                           QStringLiteral("--unarchived")})
                        .exitCode
                    != 0
                || !writeFile(manifest, readFile(manifest).replace(
                                            "<ScripterPassword/>",
                                            "<ScripterPassword>Open Sesame</ScripterPassword>"))) {
                return false;
            }
            const Run packed =
                maker.run({QStringLiteral("pack"), QStringLiteral("Secret"),
                           QStringLiteral("--password"), QStringLiteral("Open Sesame")});
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
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("languages");

    const QStringList javaScript{XMLValues::JAVASCRIPT};
    // clang-format off
    QTest::newRow("archive with the program's defaults") << QStringList{"Router.tscript"} << QString() << "Router.tscript" << "TavrixScript" << javaScript;
    QTest::newRow("unarchived form in a new folder named like the package") << QStringList{"Router.tscript", "--unarchived"} << QString() << "Router/Router.tscript" << "TavrixScript" << javaScript;
    QTest::newRow("unarchived form in its own empty folder") << QStringList{"Router/Router.tscript", "--unarchived"} << "Router" << "Router/Router.tscript" << "TavrixScript" << javaScript;
    QTest::newRow("named, every language, in any order") << QStringList{"Mail.tscript", "--name", "MailRouter", "--languages", "applescript,JS,vbs"} << QString() << "Mail.tscript" << "MailRouter" << QStringList{XMLValues::JAVASCRIPT, XMLValues::VBSCRIPT, XMLValues::APPLESCRIPT};
    QTest::newRow("VBScript only, unarchived") << QStringList{"Basic.tscript", "--languages", "vbs", "--unarchived"} << QString() << "Basic/Basic.tscript" << "TavrixScript" << QStringList{XMLValues::VBSCRIPT};
    // clang-format on
}

void tst_CliCommands::newWritesThePackageAndItsFixture()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, existingFolder);
    QFETCH(QString, package);
    QFETCH(QString, name);
    QFETCH(QStringList, languages);

    if (!existingFolder.isEmpty()) {
        QVERIFY(QDir().mkpath(m_sandbox->path(existingFolder)));
    }
    const Run run = m_sandbox->run(QStringList{QStringLiteral("new")} + arguments);
    QVERIFY2(run.exitCode == 0, run.describe());
    const QString packagePath = m_sandbox->path(package);
    QCOMPARE(run.out, QDir::toNativeSeparators(packagePath) + QLatin1Char('\n'));
    QCOMPARE(run.err, QString());

    // What the members hold is what the program writes (tst_cliprogram); here: which members,
    // in which form, named how.
    const QString baseName = QFileInfo(packagePath).completeBaseName();
    QCOMPARE(QFileInfo(packagePath).size() == 0, package.contains(QLatin1Char('/')));
    QStringList expected{QStringLiteral("manifest.xml"), baseName + QStringLiteral(".xml"),
                         baseName + QStringLiteral(".tscript")};
    for (const QString &language : languages) {
        expected.append(baseName + suffixOf(language));
    }
    expected.sort();
    const QMap<QString, QByteArray> members = packageMembers(packagePath);
    QCOMPARE(members.keys(), expected);
    SRCore::ScriptPackageManifest manifest;
    QVERIFY(manifest.loadFromXml(members.value(QStringLiteral("manifest.xml"))));
    QCOMPARE(manifest.field(XMLKey::SCRIPTERINSTANCENAME), name);
    QCOMPARE(declaredField(members.value(baseName + QStringLiteral(".xml")), XMLKey::NAME), name);

    // The fixture lies beside the package: beside the archive, or in the package's folder.
    QCOMPARE(PythonZip::names(QFileInfo(packagePath).absolutePath() + QLatin1Char('/') + baseName
                              + QStringLiteral(".tfixture"))
                 .size(),
             2);
}

void tst_CliCommands::newReplacesAPackageOnlyWithForce()
{
    QVERIFY(make({QStringLiteral("Router.tscript")}));
    const QString archive = m_sandbox->path(QStringLiteral("Router.tscript"));
    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());

    const Run refused = m_sandbox->run({QStringLiteral("new"), QStringLiteral("Router.tscript"),
                                        QStringLiteral("--name"), QStringLiteral("Other")});
    QCOMPARE(refused.exitCode, 1);
    QCOMPARE(refused.errorLines(),
             QStringList{prefix + QDir::toNativeSeparators(archive)
                         + QStringLiteral(": exists already; use --force to replace it")});
    QCOMPARE(snapshot(m_sandbox->path()), before);

    const Run forced = m_sandbox->run({QStringLiteral("new"), QStringLiteral("Router.tscript"),
                                       QStringLiteral("--name"), QStringLiteral("Other"),
                                       QStringLiteral("--force")});
    QVERIFY2(forced.exitCode == 0, forced.describe());
    SRCore::ScriptPackageManifest manifest;
    QVERIFY(manifest.loadFromXml(contents(archive).value(QStringLiteral("manifest.xml"))));
    QCOMPARE(manifest.field(XMLKey::SCRIPTERINSTANCENAME), QStringLiteral("Other"));
}

// --- info --------------------------------------------------------------------------------------

void tst_CliCommands::infoShowsDefinitionsEntryPointsAndFixture()
{
    const QString marker = copyExample();
    QVERIFY(!marker.isEmpty());
    const Run run = m_sandbox->run({QStringLiteral("info"), QStringLiteral("InvoiceRouter")});
    QVERIFY2(run.exitCode == 0, run.describe());
    QCOMPARE(run.err, QString());

    // The text is rendered from the data that --json shows (below); a few lines of each part.
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    const auto hasLine = [&lines](const QString &pattern) {
        const QRegularExpression expression(QLatin1Char('^') + pattern + QLatin1Char('$'));
        return std::any_of(lines.cbegin(), lines.cend(), [&expression](const QString &line) {
            return expression.match(line).hasMatch();
        });
    };
    QVERIFY(hasLine(QStringLiteral("Package: +%1 \\(unarchived folder\\)")
                        .arg(QRegularExpression::escape(QDir::toNativeSeparators(marker)))));
    QVERIFY(hasLine(QStringLiteral("Element name: +InvoiceRouter")));
    QVERIFY(hasLine(QStringLiteral("Languages: +JavaScript, VBScript")));
    QVERIFY(hasLine(QStringLiteral("Protected: +no")));
    QVERIFY(hasLine(QStringLiteral(
        "  ScriptProgramFiles +JavaScript: InvoiceRouter.js, VBScript: InvoiceRouter.vbs")));
    QVERIFY(hasLine(QStringLiteral("  JavaScript +jobArrived, timerFired, describeRouting")));
    QVERIFY(hasLine(QStringLiteral("  VBScript +jobArrived, timerFired, describeRouting")));
    QVERIFY(hasLine(QStringLiteral("  LogPrefix  \"Log prefix\"  string")));
    QVERIFY(hasLine(QStringLiteral("    Editors: +Single-line text \\(inline\\), Single-line text "
                                   "with variables \\(sltextwithvar\\)")));
    QVERIFY(hasLine(QStringLiteral("    Shown when: +LogRouting = Yes")));
    QVERIFY(hasLine(QStringLiteral("    invoice-4711.xml +enabled  ../jobs/invoice-4711.xml")));
}

void tst_CliCommands::infoJsonHoldsWhatTheTextShows()
{
    QVERIFY(!copyExample().isEmpty());
    // A definition written by hand into the declaration: several editors, a dropdown default.
    const QString declarationPath =
        m_sandbox->path(QStringLiteral("InvoiceRouter/InvoiceRouter.xml"));
    QByteArray declaration = readFile(declarationPath);
    QVERIFY(declaration.contains("<ConnectionFields>"));
    declaration.replace("<ConnectionFields>",
                        "<ConnectionFields>\n        <Archive Validation=\"None\" "
                        "LocalizedTagName=\"Archive folder\" Tooltip=\"Where to keep a copy\" "
                        "Type=\"string\" Editor=\"choosefolder;regexp;choosefolder\" "
                        "Default=\"/srv/archive\" Subtype=\"choosefolder\">/srv/archive</Archive>");
    QVERIFY(writeFile(declarationPath, declaration));

    const Run run = m_sandbox->run({QStringLiteral("info"),
                                    QStringLiteral("InvoiceRouter/InvoiceRouter.tscript"),
                                    QStringLiteral("--json")});
    QVERIFY2(run.exitCode == 0, run.describe());
    QCOMPARE(run.err, QString());
    const QJsonObject info = parseJson(run.out);
    QVERIFY2(!info.isEmpty(), qPrintable(run.out));

    QCOMPARE(info.value("form").toString(), QStringLiteral("unarchived"));
    QCOMPARE(info.value("elementName").toString(), QStringLiteral("InvoiceRouter"));
    QCOMPARE(info.value("languages").toArray(),
             (QJsonArray{XMLValues::JAVASCRIPT, XMLValues::VBSCRIPT}));
    QCOMPARE(info.value("protected").toBool(true), false);
    const QJsonObject manifest = info.value("manifest").toObject();
    QCOMPARE(manifest.value(XMLKey::SCRIPTDECLARATIONFILE).toString(),
             QStringLiteral("InvoiceRouter.xml"));
    QCOMPARE(manifest.value(XMLKey::SCRIPTPROGRAMFILES).toObject(),
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
    QCOMPARE(prefixDefinition.value("default").toString(), QStringLiteral("Invoice"));
    QVERIFY(!elementProperties.at(0).toObject().contains("master"));

    const QJsonArray connectionProperties = info.value("connectionProperties").toArray();
    QCOMPARE(names(connectionProperties, "tag"), (QStringList{"Archive", "InvoiceClass", "Note"}));
    const QJsonObject archive = connectionProperties.at(0).toObject();
    QCOMPARE(archive.value("name").toString(), QStringLiteral("Archive folder"));
    QCOMPARE(archive.value("tooltip").toString(), QStringLiteral("Where to keep a copy"));
    QCOMPARE(archive.value("default").toString(), QStringLiteral("/srv/archive"));
    QCOMPARE(archive.value("validation").toString(), QStringLiteral("None"));
    // The declaration lists each editor once, as the program reads it back.
    QCOMPARE(names(archive.value("editors").toArray(), "keyword"),
             (QStringList{"choosefolder", "regexp"}));
    QCOMPARE(names(archive.value("editors").toArray(), "name"),
             (QStringList{"Choose folder", "Regular expression"}));

    const QJsonObject fixture = info.value("fixture").toObject();
    QCOMPARE(fixture.value("file").toString(), QStringLiteral("InvoiceRouter.tfixture"));
    QCOMPARE(fixture.value("flowName").toString(), QStringLiteral("Invoices"));
    const QJsonArray jobs = fixture.value("jobs").toArray();
    QCOMPARE(names(jobs, "path"), QStringList{"../jobs/invoice-4711.xml"});
    QCOMPARE(jobs.at(0).toObject().value("enabled").toBool(), true);
    QCOMPARE(names(fixture.value("connections").toArray(), "name"),
             (QStringList{"Approval", "Booking"}));
}

void tst_CliCommands::infoNeverShowsThePassword()
{
    QVERIFY(make({QStringLiteral("Secret.tscript"), QStringLiteral("--unarchived")}));
    const QString manifestPath = m_sandbox->path(QStringLiteral("Secret/manifest.xml"));
    QByteArray manifest = readFile(manifestPath);
    QVERIFY(manifest.contains("<ScripterPassword/>"));
    manifest.replace("<ScripterPassword/>", "<ScripterPassword>Zebra-42</ScripterPassword>");
    QVERIFY(writeFile(manifestPath, manifest));

    for (const QString &format : {QString(), QStringLiteral("--json")}) {
        QStringList arguments{QStringLiteral("info"), QStringLiteral("Secret")};
        if (!format.isEmpty()) {
            arguments.append(format);
        }
        const Run run = m_sandbox->run(arguments);
        QVERIFY2(run.exitCode == 0, run.describe());
        QVERIFY2(!run.out.contains(QLatin1String("Zebra-42")), qPrintable(run.out));
        QVERIFY(!run.err.contains(QLatin1String("Zebra-42")));
        if (format.isEmpty()) {
            QVERIFY2(run.out.contains(QRegularExpression(QStringLiteral("\nProtected: +yes\n"))),
                     qPrintable(run.out));
            QVERIFY(!run.out.contains(XMLKey::SCRIPTERPASSWORD));
        } else {
            const QJsonObject info = parseJson(run.out);
            QCOMPARE(info.value("protected").toBool(false), true);
            QVERIFY(!info.value("manifest").toObject().contains(XMLKey::SCRIPTERPASSWORD));
        }
    }
}

// --- check -------------------------------------------------------------------------------------

void tst_CliCommands::checkPassesAPackageAsNewMadeIt()
{
    QVERIFY(make({QStringLiteral("All.tscript"), QStringLiteral("--languages"),
                  QStringLiteral("js,vbs,applescript")}));
    const Run run = m_sandbox->run({QStringLiteral("check"), QStringLiteral("All.tscript")});
    QVERIFY2(run.exitCode == 0, run.describe());
    QCOMPARE(run.err, QString());
    const QStringList lines = run.out.trimmed().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines.at(0).contains(QRegularExpression(
                 QStringLiteral("^JavaScript +All\\.js +syntax ok +entry points: jobArrived, "
                                "timerFired$"))),
             qPrintable(lines.at(0)));
    QVERIFY(lines.at(1).contains(QRegularExpression(
        QStringLiteral("^VBScript +All\\.vbs +syntax ok +entry points: jobArrived, timerFired$"))));
    QVERIFY(lines.at(2).contains(QRegularExpression(QStringLiteral(
        "^AppleScript +All\\.scpt +not checked +entry points: jobarrived, timerfired$"))));
}

void tst_CliCommands::checkReportsEachErrorWithFileLineAndColumn_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("line");

    // clang-format off
    QTest::newRow("JavaScript that does not parse") << XMLValues::JAVASCRIPT << "function jobArrived( s : Tavrix, job : Job )\n{\n    var size = ;\n}\n" << 3;
    QTest::newRow("VBScript with an unclosed If") << XMLValues::VBSCRIPT << "Function jobArrived(s, job)\n    If True Then\n        s = 1\nEnd Function\n" << 4;
    // clang-format on
}

void tst_CliCommands::checkReportsEachErrorWithFileLineAndColumn()
{
    QFETCH(QString, language);
    QFETCH(QString, program);
    QFETCH(int, line);

    QVERIFY(make({QStringLiteral("Broken.tscript"), QStringLiteral("--unarchived"),
                  QStringLiteral("--languages"), QStringLiteral("js,vbs")}));
    const QString file = QStringLiteral("Broken") + suffixOf(language);
    QVERIFY(writeFile(m_sandbox->path(QStringLiteral("Broken/") + file), program.toUtf8()));
    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());

    // The place and text the program's own checker gives.
    int column = 0;
    QString message;
    if (language == XMLValues::JAVASCRIPT) {
        QSInterpreter interpreter;
        interpreter.setErrorMode(QSInterpreter::Nothing);
        QVERIFY(!interpreter.checkSyntax(program));
        QCOMPARE(interpreter.lastErrorLine(), line);
        column = interpreter.lastErrorColumn();
        message = interpreter.lastErrorMessage();
    } else {
        VBScript::SyntaxError error;
        QVERIFY(!VBScriptSyntaxChecker::check(program, &error));
        QCOMPARE(error.position.line, line);
        column = error.position.column;
        message = error.message;
    }
    QVERIFY(column > 0);

    const Run run = m_sandbox->run({QStringLiteral("check"), QStringLiteral("Broken")});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.errorLines(), QStringList{prefix
                                           + QStringLiteral("Broken: %1 line %2, column %3: %4")
                                                 .arg(file)
                                                 .arg(line)
                                                 .arg(column)
                                                 .arg(message)});
    QVERIFY2(
        run.out.contains(QRegularExpression(QStringLiteral("^%1 +%2 +syntax error ")
                                                .arg(language, QRegularExpression::escape(file)),
                                            QRegularExpression::MultilineOption)),
        qPrintable(run.out));
    // The other language passes and is listed as such.
    QVERIFY(run.out.contains(QLatin1String("syntax ok")));
    QCOMPARE(snapshot(m_sandbox->path()), before);
}

// --- pack and unpack ---------------------------------------------------------------------------

void tst_CliCommands::packWritesTheArchiveBesideTheFolder()
{
    QVERIFY(make({QStringLiteral("Router.tscript"), QStringLiteral("--unarchived"),
                  QStringLiteral("--languages"), QStringLiteral("js,applescript")}));
    const QString marker = m_sandbox->path(QStringLiteral("Router/Router.tscript"));
    const QString program = QStringLiteral("function jobArrived( s : Tavrix, job : Job )\n{\n"
                                           "    s.log(1, \"Grüße\");\n}\n");
    QVERIFY(writeFile(m_sandbox->path(QStringLiteral("Router/Router.js")), program.toUtf8()));
    // An icon, added by hand as the manifest names it.
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(Qt::darkCyan);
    QVERIFY(icon.save(m_sandbox->path(QStringLiteral("Router/logo.png")), "PNG"));
    const QString manifestPath = m_sandbox->path(QStringLiteral("Router/manifest.xml"));
    QByteArray manifest = readFile(manifestPath);
    QVERIFY(manifest.contains("<ScriptIconFile/>"));
    QVERIFY(writeFile(manifestPath, manifest.replace("<ScriptIconFile/>",
                                                     "<ScriptIconFile>logo.png</ScriptIconFile>")));
    const QMap<QString, QByteArray> folder = snapshot(m_sandbox->path(QStringLiteral("Router")));

    const Run run = m_sandbox->run({QStringLiteral("pack"), QStringLiteral("Router")});
    QVERIFY2(run.exitCode == 0, run.describe());
    const QString archive = m_sandbox->path(QStringLiteral("Router.tscript"));
    QCOMPARE(run.out, QDir::toNativeSeparators(archive) + QLatin1Char('\n'));
    QCOMPARE(run.err, QString());
    // The folder stays as it was; the archive holds its members, the fixture lies beside.
    QCOMPARE(snapshot(m_sandbox->path(QStringLiteral("Router"))), folder);
    const QMap<QString, QByteArray> members = packageMembers(archive);
    QCOMPARE(members.value(QStringLiteral("Router.js")), program.toUtf8());
    QCOMPARE(members.keys(), packageMembers(marker).keys());
    QCOMPARE(members.value(QStringLiteral("Router.scpt")),
             folder.value(QStringLiteral("Router.scpt")));
    QCOMPARE(members.value(QStringLiteral("manifest.xml")),
             folder.value(QStringLiteral("manifest.xml")));
    QCOMPARE(members.value(QStringLiteral("logo.png")), folder.value(QStringLiteral("logo.png")));
    QCOMPARE(contents(m_sandbox->path(QStringLiteral("Router.tfixture"))),
             contents(m_sandbox->path(QStringLiteral("Router/Router.tfixture"))));

    // Somewhere else on request.
    QVERIFY(QDir().mkpath(m_sandbox->path(QStringLiteral("dist"))));
    const Run elsewhere =
        m_sandbox->run({QStringLiteral("pack"), QStringLiteral("Router/Router.tscript"),
                        QStringLiteral("--output"), QStringLiteral("dist/R.tscript")});
    QVERIFY2(elsewhere.exitCode == 0, elsewhere.describe());
    QCOMPARE(packageMembers(m_sandbox->path(QStringLiteral("dist/R.tscript"))).value("R.js"),
             program.toUtf8());
    QVERIFY(QFileInfo(m_sandbox->path(QStringLiteral("dist/R.tfixture"))).isFile());

    // An archive has no place of its own to go to.
    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());
    const Run packedAgain =
        m_sandbox->run({QStringLiteral("pack"), QStringLiteral("dist/R.tscript")});
    QCOMPARE(packedAgain.exitCode, 2);
    QCOMPARE(packedAgain.errorLines(),
             QStringList{prefix
                         + "pack needs --output for a package that is an archive already; see "
                           "\"tavrixscripter-cli --help\""});
    QCOMPARE(snapshot(m_sandbox->path()), before);
}

void tst_CliCommands::unpackWritesTheFolderFormNamedAfterTheFolder()
{
    QVERIFY(make(
        {QStringLiteral("Router.tscript"), QStringLiteral("--name"), QStringLiteral("Router")}));
    const QMap<QString, QByteArray> archive =
        packageMembers(m_sandbox->path(QStringLiteral("Router.tscript")));

    const Run run = m_sandbox->run({QStringLiteral("unpack"), QStringLiteral("Router.tscript"),
                                    QStringLiteral("--output"), QStringLiteral("Work")});
    QVERIFY2(run.exitCode == 0, run.describe());
    const QString marker = m_sandbox->path(QStringLiteral("Work/Work.tscript"));
    QCOMPARE(run.out, QDir::toNativeSeparators(marker) + QLatin1Char('\n'));
    QCOMPARE(QFileInfo(marker).size(), 0);
    QVERIFY(QFileInfo(m_sandbox->path(QStringLiteral("Work/Work.tfixture"))).isFile());
    // The folder's name is the package's name: the members follow it, the contents stay.
    const QMap<QString, QByteArray> folder = packageMembers(marker);
    QCOMPARE(folder.keys(), (QStringList{"Work.js", "Work.tscript", "Work.xml", "manifest.xml"}));
    QCOMPARE(folder.value(QStringLiteral("Work.js")), archive.value(QStringLiteral("Router.js")));
    SRCore::ScriptPackageManifest manifest;
    QVERIFY(manifest.loadFromXml(folder.value(QStringLiteral("manifest.xml"))));
    QCOMPARE(manifest.field(XMLKey::SCRIPTERINSTANCENAME), QStringLiteral("Router"));
    QCOMPARE(manifest.scriptProgramFile(XMLValues::JAVASCRIPT), QStringLiteral("Work.js"));
    QCOMPARE(declaredField(folder.value(QStringLiteral("Work.xml")), XMLKey::SCRIPTFUNCTIONS),
             declaredField(archive.value(QStringLiteral("Router.xml")), XMLKey::SCRIPTFUNCTIONS));

    // The unpacked folder is a package like any other: back into an archive.
    const Run again = m_sandbox->run({QStringLiteral("pack"), QStringLiteral("Work")});
    QVERIFY2(again.exitCode == 0, again.describe());
    QCOMPARE(packageMembers(m_sandbox->path(QStringLiteral("Work.tscript"))).value("Work.js"),
             archive.value(QStringLiteral("Router.js")));
}

void tst_CliCommands::unpackWithForceKeepsVersionControlData()
{
    QVERIFY(make({QStringLiteral("Router.tscript")}));
    QVERIFY(writeFile(m_sandbox->path(QStringLiteral("Work/stale.js")), "old"));
    QVERIFY(writeFile(m_sandbox->path(QStringLiteral("Work/.svn/entries")), "svn data"));
    QVERIFY(writeFile(m_sandbox->path(QStringLiteral("Work/_svn/entries")), "svn data too"));

    const Run run =
        m_sandbox->run({QStringLiteral("unpack"), QStringLiteral("Router.tscript"),
                        QStringLiteral("-o"), QStringLiteral("Work"), QStringLiteral("--force")});
    QVERIFY2(run.exitCode == 0, run.describe());
    const QMap<QString, QByteArray> folder = snapshot(m_sandbox->path(QStringLiteral("Work")));
    QCOMPARE(folder.keys(),
             (QStringList{".svn/", ".svn/entries", "Work.js", "Work.tfixture", "Work.tscript",
                          "Work.xml", "_svn/", "_svn/entries", "manifest.xml"}));
    QCOMPARE(folder.value(QStringLiteral(".svn/entries")), QByteArray("svn data"));
    QCOMPARE(folder.value(QStringLiteral("_svn/entries")), QByteArray("svn data too"));
}

void tst_CliCommands::protectedPackageNeedsItsPassword_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("environmentPassword");
    QTest::addColumn<QString>("error");

    const QString missing = QStringLiteral(
        "the package is protected by a password; give it with --password or in the environment "
        "variable TAVRIXSCRIPTER_PASSWORD");
    const QString wrong = QStringLiteral("Invalid password, the script can not be opened.");
    // clang-format off
    QTest::newRow("given as an option") << QStringList{"--password", "Open Sesame"} << QString() << QString();
    QTest::newRow("given in the environment") << QStringList() << "Open Sesame" << QString();
    QTest::newRow("the option wins over the environment") << QStringList{"-p", "Open Sesame"} << "wrong" << QString();
    QTest::newRow("not given") << QStringList() << QString() << missing;
    QTest::newRow("wrong") << QStringList{"--password", "Open Sesam"} << QString() << wrong;
    QTest::newRow("in another letter case") << QStringList{"--password", "open sesame"} << QString() << wrong;
    QTest::newRow("empty") << QStringList{"--password", ""} << QString() << wrong;
    // clang-format on
}

void tst_CliCommands::protectedPackageNeedsItsPassword()
{
    QFETCH(QStringList, options);
    QFETCH(QString, environmentPassword);
    QFETCH(QString, error);

    QVERIFY(makeProtected());
    const QProcessEnvironment environment =
        environmentPassword.isNull()
            ? QProcessEnvironment()
            : variable(QStringLiteral("TAVRIXSCRIPTER_PASSWORD"), environmentPassword);
    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());

    const QStringList unpack{QStringLiteral("unpack"), QStringLiteral("Secret.tscript"),
                             QStringLiteral("--output"), QStringLiteral("Opened")};
    const Run run = m_sandbox->run(unpack + options, environment);
    if (!error.isEmpty()) {
        QVERIFY2(run.exitCode == 1, run.describe());
        QCOMPARE(run.errorLines(), QStringList{prefix + "Secret.tscript: " + error});
        QCOMPARE(snapshot(m_sandbox->path()), before);
        return;
    }
    QVERIFY2(run.exitCode == 0, run.describe());
    QCOMPARE(run.err, QString());
    // What was written stays protected: the manifest inside keeps the password.
    SRCore::ScriptPackageManifest manifest;
    QVERIFY(manifest.loadFromFile(m_sandbox->path(QStringLiteral("Opened/manifest.xml"))));
    QCOMPARE(manifest.field(XMLKey::SCRIPTERPASSWORD), QStringLiteral("Open Sesame"));
}

// Every command opens a package the same way; without the password none of them opens it.
// Unlike the program, the tool hands out a protected folder only with its password.
void tst_CliCommands::everyCommandNeedsThePassword_data()
{
    QTest::addColumn<QString>("package");
    QTest::newRow("archive") << QStringLiteral("Secret.tscript");
    QTest::newRow("folder") << QStringLiteral("Secret");
}

void tst_CliCommands::everyCommandNeedsThePassword()
{
    QFETCH(QString, package);

    QVERIFY(makeProtected());
    QVERIFY(QDir().mkpath(m_sandbox->path(QStringLiteral("out"))));
    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());
    const QList<QStringList> commands = package.endsWith(QLatin1String(".tscript"))
                                            ? packageCommands()
                                            : packageCommands().mid(2, 2);
    for (const QStringList &command : commands) {
        const Run run = m_sandbox->run(QStringList{command.first(), package} + command.mid(1));
        QVERIFY2(run.exitCode == 1, qPrintable(command.join(' ') + run.describe()));
        QVERIFY2(run.err.contains(QLatin1String("the package is protected by a password")),
                 qPrintable(run.err));
        QCOMPARE(snapshot(m_sandbox->path()), before);
    }

    // With the password they all work; what they write stays protected.
    const QProcessEnvironment password =
        variable(QStringLiteral("TAVRIXSCRIPTER_PASSWORD"), QStringLiteral("Open Sesame"));
    for (const QStringList &command : commands) {
        const Run run =
            m_sandbox->run(QStringList{command.first(), package} + command.mid(1), password);
        QVERIFY2(run.exitCode == 0, qPrintable(command.join(' ') + run.describe()));
    }
    if (QFileInfo::exists(m_sandbox->path(QStringLiteral("out/Packed.tscript")))) {
        QVERIFY(contents(m_sandbox->path(QStringLiteral("out/Packed.tscript"))).isEmpty());
    }
}

// --- resave ------------------------------------------------------------------------------------

void tst_CliCommands::resaveListsTheFunctionsOfScriptsEditedOnDisk()
{
    QVERIFY(make({QStringLiteral("Router.tscript"), QStringLiteral("--unarchived"),
                  QStringLiteral("--languages"), QStringLiteral("js,vbs")}));
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
    const QJsonObject before = parseJson(
        m_sandbox->run({QStringLiteral("info"), QStringLiteral("Router"), QStringLiteral("--json")})
            .out);
    QCOMPARE(before.value("functions").toObject().value(XMLValues::JAVASCRIPT).toArray(),
             (QJsonArray{"jobArrived", "timerFired"}));

    const Run resave = m_sandbox->run({QStringLiteral("resave"), QStringLiteral("Router")});
    QVERIFY2(resave.exitCode == 0, resave.describe());
    QCOMPARE(readFile(script), program);

    const QJsonObject after = parseJson(
        m_sandbox->run({QStringLiteral("info"), QStringLiteral("Router"), QStringLiteral("--json")})
            .out);
    QCOMPARE(after.value("functions").toObject().value(XMLValues::JAVASCRIPT).toArray(),
             (QJsonArray{"jobArrived", "timerFired", "describeJob"}));
    QCOMPARE(after.value("functions").toObject().value(XMLValues::VBSCRIPT).toArray(),
             QJsonArray{"timerFired"});
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
    const QStringList lines = run.errorLines();
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().startsWith(prefix + "Router: warning: Router.js line 4, column "),
             qPrintable(lines.first()));
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
    QTest::addColumn<bool>("everyCommand"); // every command finds the package the same way
    QTest::newRow("archive") << "Router.tscript" << true;
    QTest::newRow("fixture beside the archive") << "Router.tfixture" << false;
    QTest::newRow("package folder") << "Folder" << true;
    QTest::newRow("package folder with a trailing slash") << "Folder/" << false;
    QTest::newRow("marker file in the folder") << "Folder/Folder.tscript" << false;
    QTest::newRow("fixture in the folder") << "Folder/Folder.tfixture" << false;
}

void tst_CliCommands::everySubcommandAcceptsEitherForm()
{
    QFETCH(QString, package);
    QFETCH(bool, everyCommand);

    QVERIFY(make(
        {QStringLiteral("Router.tscript"), QStringLiteral("--name"), QStringLiteral("Either")}));
    QVERIFY(make({QStringLiteral("Folder.tscript"), QStringLiteral("--unarchived"),
                  QStringLiteral("--name"), QStringLiteral("Either")}));
    const QJsonObject info =
        parseJson(m_sandbox->run({QStringLiteral("info"), package, QStringLiteral("--json")}).out);
    QCOMPARE(info.value("elementName").toString(), QStringLiteral("Either"));
    QCOMPARE(info.value("form").toString(), package.startsWith(QLatin1String("Folder"))
                                                ? QStringLiteral("unarchived")
                                                : QStringLiteral("archive"));
    if (!everyCommand) {
        return;
    }
    QVERIFY(QDir().mkpath(m_sandbox->path(QStringLiteral("out"))));
    for (const QStringList &command : packageCommands()) {
        const Run run = m_sandbox->run(QStringList{command.first(), package} + command.mid(1));
        QVERIFY2(run.exitCode == 0, qPrintable(command.first() + run.describe()));
        QCOMPARE(run.err, QString());
    }
    QCOMPARE(packageMembers(m_sandbox->path(QStringLiteral("out/Packed.tscript"))).size(), 4);
    QCOMPARE(
        packageMembers(m_sandbox->path(QStringLiteral("out/Unpacked/Unpacked.tscript"))).size(), 4);
}

void tst_CliCommands::packageNamedLikeAFixtureIsItself()
{
    // The package whose name a search for ".tfixture" would lead to instead.
    QVERIFY(make({QStringLiteral("Router.tfixture.tscript"), QStringLiteral("--name"),
                  QStringLiteral("Itself")}));
    QVERIFY(make({QStringLiteral("Router.tscript.tscript"), QStringLiteral("--name"),
                  QStringLiteral("Other")}));
    const QString package = QStringLiteral("Router.tfixture.tscript");
    const QByteArray other = readFile(m_sandbox->path(QStringLiteral("Router.tscript.tscript")));

    const Run info = m_sandbox->run({QStringLiteral("info"), package, QStringLiteral("--json")});
    QVERIFY2(info.exitCode == 0, info.describe());
    QCOMPARE(parseJson(info.out).value("elementName").toString(), QStringLiteral("Itself"));
    const Run resave = m_sandbox->run({QStringLiteral("resave"), package});
    QVERIFY2(resave.exitCode == 0, resave.describe());
    QCOMPARE(readFile(m_sandbox->path(QStringLiteral("Router.tscript.tscript"))), other);
}

void tst_CliCommands::helpAndVersionSucceed()
{
    const Run help = m_sandbox->run({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    QCOMPARE(help.err, QString());
    for (const char *command : {"new", "info", "check", "pack", "unpack", "resave"}) {
        QVERIFY2(help.out.contains(QStringLiteral("\n  %1 ").arg(QLatin1String(command))), command);
    }
    QVERIFY(help.out.contains(QLatin1String("TAVRIXSCRIPTER_PASSWORD")));
    QVERIFY(help.out.contains(QLatin1String("0 on success, 1 when the work fails, 2 for a usage")));

    for (const QStringList &arguments :
         {QStringList{"help", "unpack"}, QStringList{"unpack", "--help"}}) {
        const Run command = m_sandbox->run(arguments);
        QCOMPARE(command.exitCode, 0);
        QVERIFY2(command.out.startsWith(
                     QLatin1String("Usage: tavrixscripter-cli unpack PACKAGE --output FOLDER")),
                 qPrintable(command.out));
        QVERIFY(command.out.contains(QLatin1String("--force")));
        QVERIFY(!command.out.contains(QLatin1String("--json")));
    }

    const Run version = m_sandbox->run({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QVERIFY2(version.out.contains(
                 QRegularExpression(QStringLiteral("^tavrixscripter-cli \\d+\\.\\d+\\.\\d+\n$"))),
             qPrintable(version.out));
}

void tst_CliCommands::usageErrorsExitWithTwo_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");

    const QString see = QStringLiteral("; see \"tavrixscripter-cli --help\"");
    // clang-format off
    QTest::newRow("no command") << QStringList() << "no command given" + see;
    QTest::newRow("unknown command") << QStringList{"build", "x.tscript"} << "unknown command 'build'" + see;
    QTest::newRow("option before the command") << QStringList{"--json", "info", "x.tscript"} << "the command must come first, before '--json'" + see;
    QTest::newRow("option of another command") << QStringList{"info", "x.tscript", "--force"} << "Unknown option 'force'." + see;
    QTest::newRow("no package") << QStringList{"check"} << "missing argument; usage: check PACKAGE [--password P]" + see;
    QTest::newRow("two packages") << QStringList{"resave", "a.tscript", "b.tscript"} << "unexpected argument 'b.tscript'; usage: resave PACKAGE [--password P]" + see;
    QTest::newRow("new package without the suffix") << QStringList{"new", "Router"} << "the new package's path must end in .tscript: 'Router'" + see;
    QTest::newRow("unknown language") << QStringList{"new", "a.tscript", "--languages", "js,perl"} << "unknown language 'perl'; use js, vbs or applescript" + see;
    QTest::newRow("no language") << QStringList{"new", "a.tscript", "--languages", ","} << "--languages needs at least one of js, vbs, applescript" + see;
    QTest::newRow("empty name") << QStringList{"new", "a.tscript", "--name", " "} << "--name needs a name" + see;
    QTest::newRow("option without its value") << QStringList{"new", "a.tscript", "--name"} << "Missing value after '--name'." + see;
    QTest::newRow("unpack without an output folder")
        << QStringList{"unpack", "a.tscript"} << "unpack needs --output FOLDER" + see;
    QTest::newRow("pack into something that is no package") << QStringList{"pack", "Folder", "--output", "a.zip"} << "the archive's path must end in .tscript: 'a.zip'" + see;
    QTest::newRow("help for an unknown command") << QStringList{"help", "build"} << "unknown command 'build'" + see;
    // clang-format on
}

void tst_CliCommands::usageErrorsExitWithTwo()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);

    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());
    const Run run = m_sandbox->run(arguments);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.errorLines(), QStringList{prefix + error});
    QCOMPARE(run.out, QString());
    QCOMPARE(snapshot(m_sandbox->path()), before);
}

TAVRIX_TEST_MAIN(tst_CliCommands)
#include "tst_clicommands.moc"
