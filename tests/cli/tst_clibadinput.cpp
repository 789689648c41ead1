// Bad input given to the built tool: every subcommand refuses it with one line on stderr that
// names the file and the cause, exits with 1 and writes nothing, neither beside the input nor in
// its temporary folder.

#include "common/testmain.h"

#include "clitestsupport.h"

#include "testing/fixturearchive.h"

#include "corelib/common/xmlerror.h"
#include "corelib/files/filehandler.h"
#include "corelib/flow/flow.h"
#include "corelib/package/scriptpackagemanifest.h"

#include <QDir>
#include <QDomDocument>
#include <QImage>
#include <QTest>

#include <functional>

using namespace CliTest;

namespace {

const QString prefix = QStringLiteral("tavrixscripter-cli: ");

const QByteArray brokenManifest = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<Manifest>\n"
                                  "    <ScripterInstanceName>Router</ScripterInstanceName\n"
                                  "    <ScriptDeclarationFile>Router.xml</ScriptDeclarationFile>\n"
                                  "</Manifest>\n";
const QByteArray brokenDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                     "<Object>\n"
                                     "    <ElementFields>\n"
                                     "        <Name Type=\"string\" Editor=\"hide\">Router</Nam>\n"
                                     "    </ElementFields>\n"
                                     "</Object>\n";

// "line L, column C: reason" as the XML parser reports the fault in `xml`.
QString parseError(const QByteArray &xml)
{
    QDomDocument document;
    SRCore::XmlError error;
    if (SRCore::parseXmlDocument(xml, document, &error)) {
        return QStringLiteral("<well-formed>");
    }
    return error.toString();
}

// A change for prepare(): `name` in the package folder gets `content`, or is removed when the
// content is empty.
std::function<bool(const QString &)> replace(const QString &name, const QByteArray &content)
{
    return [name, content](const QString &folder) {
        const QString file = folder + QLatin1Char('/') + name;
        return content.isEmpty() ? QFile::remove(file) : writeFile(file, content);
    };
}

// A change for prepare(): `before` in the member `name` becomes `after`.
std::function<bool(const QString &)> edit(const QString &name, const QByteArray &before,
                                          const QByteArray &after)
{
    return [name, before, after](const QString &folder) {
        const QString file = folder + QLatin1Char('/') + name;
        QByteArray content = readFile(file);
        return content.contains(before) && writeFile(file, content.replace(before, after));
    };
}

// The files of a folder as archive entries, in name order.
QList<QPair<QString, QByteArray>> entriesOf(const QString &folder)
{
    QList<QPair<QString, QByteArray>> entries;
    const QMap<QString, QByteArray> files = snapshot(folder);
    for (auto it = files.constBegin(); it != files.constEnd(); ++it) {
        entries.append({it.key(), it.value()});
    }
    return entries;
}

} // namespace

class tst_CliBadInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void everySubcommandRefusesBadInput_data();
    void everySubcommandRefusesBadInput();
    void outputsInTheWayAreKeptUnlessForced_data();
    void outputsInTheWayAreKeptUnlessForced();

private:
    // A package "Router" made by `new` in the folder form, with a fixture beside its members.
    bool makeFolder() const;
    // The folder form made by `new`, its files changed by `change` (given the folder), packed
    // by hand into the archive "Router.tscript" with its fixture beside it unless the folder
    // form is wanted. The package's path as the user gives it; empty when that failed.
    QString prepare(bool archive, const std::function<bool(const QString &)> &change = {}) const;

    QTemporaryDir m_readerTemp;
    std::unique_ptr<Sandbox> m_sandbox;
};

void tst_CliBadInput::initTestCase()
{
    // The fixture's reader, run in-process to learn where it finds a fault, unpacks here.
    QVERIFY(m_readerTemp.isValid());
    SRCore::FileHandler::setTempFolder(m_readerTemp.path());
    QVERIFY2(QFileInfo(QStringLiteral(TAVRIX_CLI)).isExecutable(), TAVRIX_CLI);
}

void tst_CliBadInput::init()
{
    m_sandbox = std::make_unique<Sandbox>();
    QVERIFY(m_sandbox->isValid());
}

bool tst_CliBadInput::makeFolder() const
{
    const Run run = m_sandbox->run({QStringLiteral("new"), QStringLiteral("Router.tscript"),
                                    QStringLiteral("--unarchived"), QStringLiteral("--name"),
                                    QStringLiteral("Router")});
    return run.exitCode == 0;
}

QString tst_CliBadInput::prepare(bool archive,
                                 const std::function<bool(const QString &)> &change) const
{
    const QString folder = m_sandbox->path(QStringLiteral("Router"));
    if (!makeFolder() || (change && !change(folder))) {
        return QString();
    }
    if (!archive) {
        return QStringLiteral("Router");
    }
    QList<QPair<QString, QByteArray>> entries = entriesOf(folder);
    entries.removeIf([](const auto &entry) { return entry.first == "Router.tfixture"; });
    if (!writeRawZip(m_sandbox->path(QStringLiteral("Router.tscript")), entries)
        || !QFile::rename(folder + QStringLiteral("/Router.tfixture"),
                          m_sandbox->path(QStringLiteral("Router.tfixture")))
        || !QDir(folder).removeRecursively()) {
        return QString();
    }
    return QStringLiteral("Router.tscript");
}

void tst_CliBadInput::everySubcommandRefusesBadInput_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("archive");

    QTest::newRow("missing file") << "missing" << true;
    QTest::newRow("folder that holds no package") << "loose" << false;
    QTest::newRow("text file, not a package") << "text" << true;
    QTest::newRow("damaged archive") << "truncated" << true;
    QTest::newRow("archive without a manifest") << "nomanifest" << true;
    QTest::newRow("entry name escaping the folder") << "escape" << true;
    QTest::newRow("manifest naming a member outside, archive") << "outside" << true;
    QTest::newRow("manifest naming a member outside, folder") << "outside" << false;
    QTest::newRow("program named by the manifest is missing") << "noprogram" << false;
    QTest::newRow("malformed manifest, archive") << "manifest" << true;
    QTest::newRow("malformed manifest, folder") << "manifest" << false;
    QTest::newRow("malformed declaration, archive") << "declaration" << true;
    QTest::newRow("malformed declaration, folder") << "declaration" << false;
    QTest::newRow("damaged fixture beside the archive") << "fixture" << true;
    QTest::newRow("damaged fixture in the folder") << "fixture" << false;
    QTest::newRow("malformed fixture document") << "fixturexml" << false;
    QTest::newRow("fixture whose package is missing") << "lonely" << true;
    QTest::newRow("empty marker in a folder of another name") << "marker" << false;
    QTest::newRow("icon the declaration refuses") << "icon" << false;
}

void tst_CliBadInput::everySubcommandRefusesBadInput()
{
    QFETCH(QString, input);
    QFETCH(bool, archive);

    QString package;
    QString error;
    const auto absolute = [this](const QString &relative) {
        return QDir::toNativeSeparators(m_sandbox->path(relative));
    };
    if (input == QLatin1String("missing")) {
        package = QStringLiteral("Nothing.tscript");
        error = QStringLiteral("no such file or folder");
    } else if (input == QLatin1String("loose")) {
        QVERIFY(writeFile(m_sandbox->path(QStringLiteral("Loose/Loose.js")), "function f() {}"));
        package = QStringLiteral("Loose");
        error = QStringLiteral("not a package folder: it holds no Loose.tscript");
    } else if (input == QLatin1String("text")) {
        package = QStringLiteral("notes.tscript");
        QVERIFY(writeFile(m_sandbox->path(package), "just some notes\n"));
        error = QStringLiteral("Can't extract archive '%1': it is not a zip archive, or it is "
                               "truncated")
                    .arg(absolute(package));
    } else if (input == QLatin1String("truncated")) {
        package = prepare(true);
        const QByteArray whole = readFile(m_sandbox->path(package));
        QVERIFY(whole.size() > 200);
        QVERIFY(writeFile(m_sandbox->path(package), whole.left(whole.size() / 2)));
        error = QStringLiteral("Can't extract archive '%1': it is not a zip archive, or it is "
                               "truncated")
                    .arg(absolute(package));
    } else if (input == QLatin1String("nomanifest")) {
        package = prepare(true, replace(QStringLiteral("manifest.xml"), QByteArray()));
        error = QStringLiteral("Script package '%1' has no manifest").arg(absolute(package));
    } else if (input == QLatin1String("escape")) {
        package = QStringLiteral("Router.tscript");
        QVERIFY(
            writeRawZip(m_sandbox->path(package), {{QStringLiteral("manifest.xml"), "<Manifest/>"},
                                                   {QStringLiteral("../escaped.txt"), "outside"}}));
        error = QStringLiteral("Can't extract archive '%1': entry '../escaped.txt' leads out of "
                               "the target folder")
                    .arg(absolute(package));
    } else if (input == QLatin1String("outside")) {
        package = prepare(archive,
                          edit(QStringLiteral("manifest.xml"), ">Router.xml<", ">../Router.xml<"));
        QVERIFY(writeFile(m_sandbox->path(QStringLiteral("Router.xml")), "<Object/>"));
        error = QStringLiteral("The script package lacks its member '../Router.xml'");
    } else if (input == QLatin1String("noprogram")) {
        package = prepare(archive, replace(QStringLiteral("Router.js"), QByteArray()));
        error = QStringLiteral("The script package lacks its member 'Router.js'");
    } else if (input == QLatin1String("manifest")) {
        package = prepare(archive, replace(QStringLiteral("manifest.xml"), brokenManifest));
        SRCore::ScriptPackageManifest manifest;
        SRCore::XmlError parsed;
        QVERIFY(!manifest.loadFromXml(brokenManifest, &parsed));
        error = QStringLiteral("manifest.xml ") + parsed.toString();
    } else if (input == QLatin1String("declaration")) {
        package = prepare(archive, replace(QStringLiteral("Router.xml"), brokenDeclaration));
        error = QStringLiteral("declaration ") + parseError(brokenDeclaration);
    } else if (input == QLatin1String("fixture")) {
        package = prepare(archive, replace(QStringLiteral("Router.tfixture"), "not an archive"));
        const QString fixture =
            absolute(archive ? QStringLiteral("Router.tfixture") : "Router/Router.tfixture");
        error = QStringLiteral("Router.tfixture: Can't extract fixture '%1': Can't extract archive "
                               "'%1': it is not a zip archive, or it is truncated")
                    .arg(fixture);
    } else if (input == QLatin1String("fixturexml")) {
        package = prepare(archive);
        const QString fixture = m_sandbox->path(QStringLiteral("Router/Router.tfixture"));
        QMap<QString, QByteArray> entries = zipContents(fixture);
        const QByteArray document = entries.value(QStringLiteral("Router.xml"));
        QVERIFY(document.size() > 100);
        QVERIFY(QFile::remove(fixture));
        QVERIFY(writeRawZip(fixture, {{QStringLiteral("Router.xml"), document.left(100)},
                                      {QStringLiteral("manifest.xml"),
                                       entries.value(QStringLiteral("manifest.xml"))}}));
        // Where the fixture's own reader finds the fault.
        FixtureTest::RecordingLog log;
        Scripter::FixtureArchive::Content content;
        QVERIFY(!Scripter::FixtureArchive::read(fixture, content, &log));
        QCOMPARE(log.records.size(), 1);
        const QStringList place = log.records.first().argument.split(QLatin1Char(','));
        QCOMPARE(place.size(), 4);
        error = QStringLiteral("Router.tfixture line %1, column %2: %3")
                    .arg(place.at(1), place.at(2), place.at(3));
    } else if (input == QLatin1String("lonely")) {
        package = QStringLiteral("Lonely.tfixture");
        QVERIFY(writeFile(m_sandbox->path(package), "fixture"));
        error = QStringLiteral("You double-clicked on a script fixture file; this file cannot be "
                               "opened in TavrixScripter. The corresponding script file could not "
                               "be located.");
    } else if (input == QLatin1String("marker")) {
        QVERIFY(makeFolder());
        QVERIFY(QDir(m_sandbox->path()).rename(QStringLiteral("Router"), QStringLiteral("Other")));
        package = QStringLiteral("Other/Router.tscript");
        error =
            QStringLiteral("Unarchived Script Package '%1' is not valid!").arg(absolute(package));
    } else {
        QImage icon(16, 16, QImage::Format_RGB32);
        icon.fill(Qt::darkCyan);
        QVERIFY(makeFolder());
        QVERIFY(icon.save(m_sandbox->path(QStringLiteral("Router/small.png")), "PNG"));
        QByteArray manifest = readFile(m_sandbox->path(QStringLiteral("Router/manifest.xml")));
        manifest.replace("<ScriptIconFile/>", "<ScriptIconFile>small.png</ScriptIconFile>");
        QVERIFY(writeFile(m_sandbox->path(QStringLiteral("Router/manifest.xml")), manifest));
        package = QStringLiteral("Router");
        error = QStringLiteral("Choose icon file: Your must choose a PNG image file with a size of "
                               "exactly 32x32 pixels in the RGB color space !");
    }
    QVERIFY(!package.isEmpty());
    QVERIFY(QDir().mkpath(m_sandbox->path(QStringLiteral("out"))));
    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());

    const QList<QStringList> commands =
        QList<QStringList>{{QStringLiteral("info")}} + packageCommands();
    for (const QStringList &command : commands) {
        const Run run = m_sandbox->run(QStringList{command.first(), package} + command.mid(1));
        QVERIFY2(run.exitCode == 1, qPrintable(command.first() + run.describe()));
        QCOMPARE(run.errorLines(), QStringList{prefix + package + QStringLiteral(": ") + error});
        QCOMPARE(run.out, QString());
        QCOMPARE(snapshot(m_sandbox->path()), before);
        QCOMPARE(entriesBelow(m_sandbox->temporaryFolder()), QStringList());
    }
    QVERIFY(!QFileInfo::exists(m_sandbox->path(QStringLiteral("escaped.txt"))));
}

void tst_CliBadInput::outputsInTheWayAreKeptUnlessForced_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("inTheWay");
    QTest::addColumn<QString>("error");

    // clang-format off
    QTest::newRow("new over an archive") << QStringList{"new", "Router.tscript"} << "Router.tscript" << "%1: exists already; use --force to replace it";
    QTest::newRow("new over the fixture of an archive") << QStringList{"new", "Router.tscript"} << "Router.tfixture" << "%1: exists already; use --force to replace it";
    QTest::newRow("new into a folder that is not empty") << QStringList{"new", "Router.tscript", "--unarchived"} << "Router/notes.txt" << "%1: the folder is not empty; use --force to replace its contents";
    QTest::newRow("new where a file stands for the folder") << QStringList{"new", "Router.tscript", "--unarchived"} << "Router" << "%1: not a folder";
    QTest::newRow("new in a folder that does not exist") << QStringList{"new", "missing/Router.tscript"} << QString() << "%1: no such folder";
    QTest::newRow("pack over an archive") << QStringList{"pack", "Source"} << "Source.tscript" << "%1: exists already; use --force to replace it";
    QTest::newRow("pack over the fixture of an archive") << QStringList{"pack", "Source", "--output", "Copy.tscript"} << "Copy.tfixture" << "%1: exists already; use --force to replace it";
    QTest::newRow("pack into a folder that does not exist") << QStringList{"pack", "Source", "--output", "missing/Copy.tscript"} << QString() << "%1: no such folder";
    QTest::newRow("unpack into a folder that is not empty") << QStringList{"unpack", "Source", "--output", "Copy"} << "Copy/notes.txt" << "%1: the folder is not empty; use --force to replace its contents";
    QTest::newRow("unpack where a file stands for the folder") << QStringList{"unpack", "Source", "--output", "Copy"} << "Copy" << "%1: not a folder";
    QTest::newRow("unpack into a folder that does not exist") << QStringList{"unpack", "Source", "--output", "missing/Copy"} << QString() << "%1: no such folder";
    // clang-format on
}

void tst_CliBadInput::outputsInTheWayAreKeptUnlessForced()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, inTheWay);
    QFETCH(QString, error);

    QVERIFY(m_sandbox
                ->run({QStringLiteral("new"), QStringLiteral("Source.tscript"),
                       QStringLiteral("--unarchived")})
                .exitCode
            == 0);
    if (!inTheWay.isEmpty()) {
        QVERIFY(writeFile(m_sandbox->path(inTheWay), "keep me"));
    }
    // The file or folder that the message names.
    QString named =
        inTheWay.isEmpty() ? m_sandbox->path(QStringLiteral("missing")) : m_sandbox->path(inTheWay);
    if (error.contains(QLatin1String("folder is not empty"))) {
        named = QFileInfo(named).absolutePath();
    }
    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());

    const Run run = m_sandbox->run(arguments);
    QVERIFY2(run.exitCode == 1, run.describe());
    QCOMPARE(run.errorLines(), QStringList{prefix + error.arg(QDir::toNativeSeparators(named))});
    QCOMPARE(snapshot(m_sandbox->path()), before);
    QCOMPARE(entriesBelow(m_sandbox->temporaryFolder()), QStringList());

    // With --force the package takes the place, except where a folder is missing or a file
    // stands in the way of one.
    const Run forced = m_sandbox->run(arguments + QStringList{QStringLiteral("--force")});
    if (inTheWay.isEmpty() || error.contains(QLatin1String("not a folder"))) {
        QCOMPARE(forced.exitCode, 1);
        QCOMPARE(snapshot(m_sandbox->path()), before);
    } else {
        QVERIFY2(forced.exitCode == 0, forced.describe());
        QVERIFY(!QFileInfo::exists(m_sandbox->path(inTheWay))
                || readFile(m_sandbox->path(inTheWay)) != "keep me");
    }
}

TAVRIX_TEST_MAIN(tst_CliBadInput)
#include "tst_clibadinput.moc"
