// Bad input given to the built tool: it refuses it with one line on stderr that names the file
// and the cause, exits with 1 and writes nothing, neither beside the input nor in its temporary
// folder. Every bad input goes through one command; two of them go through every command, which
// all open a package the same way.

#include "common/testmain.h"

#include "clitestsupport.h"

#include "common/hostilezip.h"

#include "common/recordinglog.h"

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
#include <iterator>

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
    return SRCore::parseXmlDocument(xml, document, &error) ? QStringLiteral("<well-formed>")
                                                           : error.toString();
}

// A bad input: the package as the user names it, and the cause the tool gives after its name.
// An empty package means that making the input failed.
struct BadInput
{
    QString package;
    QString error;
};

// Makes inputs in the sandbox from the package "Router" that `new` writes in the folder form.
class InputMaker
{
public:
    using Change = std::function<bool(const QString &folder)>;

    InputMaker(const Sandbox &sandbox, PreparedFiles &prepared)
        : m_sandbox(sandbox)
        , m_prepared(prepared)
    {}

    QString path(const QString &relative) const { return m_sandbox.path(relative); }
    QString shown(const QString &relative) const
    {
        return QDir::toNativeSeparators(m_sandbox.path(relative));
    }

    bool makeFolder() const
    {
        return m_prepared.copyNew({QStringLiteral("Router.tscript"), QStringLiteral("--unarchived"),
                                   QStringLiteral("--name"), QStringLiteral("Router")},
                                  m_sandbox);
    }

    // The folder form with its files changed by `change`, packed by hand into "Router.tscript"
    // with the fixture beside it unless the folder form is wanted. The package as the user
    // names it; empty when that failed.
    QString prepare(bool archive, const Change &change = {}) const
    {
        const QString folder = path(QStringLiteral("Router"));
        if (!makeFolder() || (change && !change(folder))) {
            return QString();
        }
        if (!archive) {
            return QStringLiteral("Router");
        }
        QList<PythonZip::Entry> entries;
        const QMap<QString, QByteArray> files = snapshot(folder);
        for (auto it = files.constBegin(); it != files.constEnd(); ++it) {
            if (it.key() != QLatin1String("Router.tfixture")) {
                entries.append({it.key(), it.value()});
            }
        }
        if (!PythonZip::write(path(QStringLiteral("Router.tscript")), entries)
            || !QFile::rename(folder + QStringLiteral("/Router.tfixture"),
                              path(QStringLiteral("Router.tfixture")))
            || !QDir(folder).removeRecursively()) {
            return QString();
        }
        return QStringLiteral("Router.tscript");
    }

    // A change: `name` in the package folder gets `content`, or is removed for no content.
    static Change replace(const QString &name, const QByteArray &content)
    {
        return [name, content](const QString &folder) {
            const QString file = folder + QLatin1Char('/') + name;
            return content.isEmpty() ? QFile::remove(file) : writeFile(file, content);
        };
    }

    // A change: `before` in the member `name` becomes `after`.
    static Change edit(const QString &name, const QByteArray &before, const QByteArray &after)
    {
        return [name, before, after](const QString &folder) {
            const QString file = folder + QLatin1Char('/') + name;
            QByteArray content = readFile(file);
            return content.contains(before) && writeFile(file, content.replace(before, after));
        };
    }

private:
    const Sandbox &m_sandbox;
    PreparedFiles &m_prepared;
};

BadInput notAZipArchive(const InputMaker &make, const QString &package)
{
    return {package, QStringLiteral("Can't extract archive '%1': it is not a zip archive, or it "
                                    "is truncated")
                         .arg(make.shown(package))};
}

BadInput missingFile(const InputMaker &)
{
    return {QStringLiteral("Nothing.tscript"), QStringLiteral("no such file or folder")};
}

BadInput looseFolder(const InputMaker &make)
{
    if (!writeFile(make.path(QStringLiteral("Loose/Loose.js")), "function f() {}")) {
        return {};
    }
    return {QStringLiteral("Loose"),
            QStringLiteral("not a package folder: it holds no Loose.tscript")};
}

BadInput textFile(const InputMaker &make)
{
    const QString package = QStringLiteral("notes.tscript");
    return writeFile(make.path(package), "just some notes\n") ? notAZipArchive(make, package)
                                                              : BadInput();
}

BadInput truncatedArchive(const InputMaker &make)
{
    const QString package = make.prepare(true);
    const QByteArray whole = readFile(make.path(package));
    if (package.isEmpty() || whole.size() < 200
        || !writeFile(make.path(package), whole.left(whole.size() / 2))) {
        return {};
    }
    return notAZipArchive(make, package);
}

BadInput archiveWithoutManifest(const InputMaker &make)
{
    const QString package =
        make.prepare(true, InputMaker::replace(QStringLiteral("manifest.xml"), QByteArray()));
    return {package,
            QStringLiteral("Script package '%1' has no manifest").arg(make.shown(package))};
}

BadInput escapingEntry(const InputMaker &make)
{
    const QString package = QStringLiteral("Router.tscript");
    if (!PythonZip::write(make.path(package), {{QStringLiteral("manifest.xml"), "<Manifest/>"},
                                               {QStringLiteral("../escaped.txt"), "outside"}})) {
        return {};
    }
    return {package, QStringLiteral("Can't extract archive '%1': entry '../escaped.txt' leads out "
                                    "of the target folder")
                         .arg(make.shown(package))};
}

BadInput memberOutside(const InputMaker &make, bool archive)
{
    const QString package =
        make.prepare(archive, InputMaker::edit(QStringLiteral("manifest.xml"), ">Router.xml<",
                                               ">../Router.xml<"));
    if (!writeFile(make.path(QStringLiteral("Router.xml")), "<Object/>")) {
        return {};
    }
    return {package, QStringLiteral("The script package lacks its member '../Router.xml'")};
}

BadInput missingProgram(const InputMaker &make)
{
    return {make.prepare(false, InputMaker::replace(QStringLiteral("Router.js"), QByteArray())),
            QStringLiteral("The script package lacks its member 'Router.js'")};
}

BadInput malformedManifest(const InputMaker &make, bool archive)
{
    SRCore::ScriptPackageManifest manifest;
    SRCore::XmlError parsed;
    manifest.loadFromXml(brokenManifest, &parsed);
    return {
        make.prepare(archive, InputMaker::replace(QStringLiteral("manifest.xml"), brokenManifest)),
        QStringLiteral("manifest.xml ") + parsed.toString()};
}

BadInput malformedDeclaration(const InputMaker &make, bool archive)
{
    return {
        make.prepare(archive, InputMaker::replace(QStringLiteral("Router.xml"), brokenDeclaration)),
        QStringLiteral("declaration ") + parseError(brokenDeclaration)};
}

BadInput damagedFixture(const InputMaker &make, bool archive)
{
    const QString package =
        make.prepare(archive, InputMaker::replace(QStringLiteral("Router.tfixture"), "no archive"));
    return {package, QStringLiteral("Router.tfixture: Can't extract fixture '%1': Can't extract "
                                    "archive '%1': it is not a zip archive, or it is truncated")
                         .arg(make.shown(archive ? QStringLiteral("Router.tfixture")
                                                 : QStringLiteral("Router/Router.tfixture")))};
}

BadInput malformedFixtureDocument(const InputMaker &make)
{
    const QString package = make.prepare(false);
    const QString fixture = make.path(QStringLiteral("Router/Router.tfixture"));
    const QMap<QString, QByteArray> entries = contents(fixture);
    const QByteArray document = entries.value(QStringLiteral("Router.xml"));
    if (package.isEmpty() || document.size() < 100 || !QFile::remove(fixture)
        || !PythonZip::write(fixture, {{QStringLiteral("Router.xml"), document.left(100)},
                                       {QStringLiteral("manifest.xml"),
                                        entries.value(QStringLiteral("manifest.xml"))}})) {
        return {};
    }
    // Where the fixture's own reader finds the fault.
    RecordingLog log;
    Scripter::FixtureArchive::Content content;
    Scripter::FixtureArchive::read(fixture, content, &log);
    const QStringList place = log.records().value(0).argument.split(QLatin1Char(','));
    if (place.size() != 4) {
        return {};
    }
    return {package, QStringLiteral("Router.tfixture line %1, column %2: %3")
                         .arg(place.at(1), place.at(2), place.at(3))};
}

BadInput lonelyFixture(const InputMaker &make)
{
    const QString package = QStringLiteral("Lonely.tfixture");
    if (!writeFile(make.path(package), "fixture")) {
        return {};
    }
    return {package, QStringLiteral("You double-clicked on a script fixture file; this file cannot "
                                    "be opened in TavrixScripter. The corresponding script file "
                                    "could not be located.")};
}

BadInput markerOfAnotherName(const InputMaker &make)
{
    if (!make.makeFolder()
        || !QDir(make.path(QString())).rename(QStringLiteral("Router"), QStringLiteral("Other"))) {
        return {};
    }
    const QString package = QStringLiteral("Other/Router.tscript");
    return {package, QStringLiteral("the folder '%1' must have the name of its marker file "
                                    "'Router.tscript'")
                         .arg(make.shown(QStringLiteral("Other")))};
}

BadInput refusedIcon(const InputMaker &make)
{
    const QString package = make.prepare(false, [](const QString &folder) {
        QImage small(16, 16, QImage::Format_RGB32);
        small.fill(Qt::darkCyan);
        return small.save(folder + QStringLiteral("/small.png"), "PNG")
               && InputMaker::edit(QStringLiteral("manifest.xml"), "<ScriptIconFile/>",
                                   "<ScriptIconFile>small.png</ScriptIconFile>")(folder);
    });
    return {package,
            QStringLiteral("Choose icon file: Your must choose a PNG image file with a size "
                           "of exactly 32x32 pixels in the RGB color space !")};
}

// The archive form written with records that an ordinary writer never makes: the program as a
// bomb of 1 GB of zeros, or its data named a second time as the icon.
BadInput hostileArchive(const InputMaker &make, bool bomb)
{
    if (!make.makeFolder()) {
        return {};
    }
    const QString folder = make.path(QStringLiteral("Router"));
    QList<HostileZip::Entry> entries;
    for (const char *name : {"manifest.xml", "Router.xml", "Router.tscript"}) {
        entries << HostileZip::stored(name,
                                      readFile(folder + QLatin1Char('/') + QLatin1String(name)));
    }
    entries << (bomb ? HostileZip::deflatedRepeat("Router.js", QByteArray(1 << 20, '\0'), 1024)
                     : HostileZip::stored("Router.js", readFile(folder + "/Router.js")));
    QList<HostileZip::Record> records = {{0, {}}, {1, {}}, {2, {}}, {3, {}}};
    if (!bomb) {
        records << HostileZip::Record{3, "Router.png"};
    }
    const QString package = QStringLiteral("Router.tscript");
    if (!HostileZip::write(make.path(package), entries, records)
        || !QFile::rename(folder + QStringLiteral("/Router.tfixture"),
                          make.path(QStringLiteral("Router.tfixture")))
        || !QDir(folder).removeRecursively()) {
        return {};
    }
    return {package,
            QStringLiteral("Can't extract archive '%1': ").arg(make.shown(package))
                + (bomb ? QStringLiteral("entry 'Router.js' is compressed more than 1000 to 1")
                        : QStringLiteral("entries 'Router.js' and 'Router.png' share their data"))};
}

BadInput linkedProgram(const InputMaker &make)
{
    const QString secret = make.path(QStringLiteral("private.txt"));
    if (!writeFile(secret, "private")
        || !QFile::setPermissions(secret, QFile::ReadOwner | QFile::WriteOwner)) {
        return {};
    }
    const QString package = make.prepare(false, [secret](const QString &folder) {
        return QFile::remove(folder + QStringLiteral("/Router.js"))
               && QFile::link(secret, folder + QStringLiteral("/Router.js"));
    });
    return {package, QStringLiteral("'%1' is a symbolic link; a package folder must hold its "
                                    "files itself")
                         .arg(make.shown(QStringLiteral("Router/Router.js")))};
}

struct BadInputRow
{
    const char *name;
    std::function<BadInput(const InputMaker &)> make;
    bool everyCommand; // a representative input: every command refuses it
};

const BadInputRow badInputs[] = {
    // clang-format off
    {"missing file", missingFile, false},
    {"folder that holds no package", looseFolder, false},
    {"text file, not a package", textFile, false},
    {"damaged archive", truncatedArchive, true},
    {"archive without a manifest", archiveWithoutManifest, false},
    {"entry name escaping the folder", escapingEntry, false},
    {"manifest naming a member outside, archive", [](const InputMaker &m) { return memberOutside(m, true); }, false},
    {"manifest naming a member outside, folder", [](const InputMaker &m) { return memberOutside(m, false); }, false},
    {"program named by the manifest is missing", missingProgram, false},
    {"malformed manifest, archive", [](const InputMaker &m) { return malformedManifest(m, true); }, false},
    {"malformed manifest, folder", [](const InputMaker &m) { return malformedManifest(m, false); }, false},
    {"malformed declaration, archive", [](const InputMaker &m) { return malformedDeclaration(m, true); }, false},
    {"malformed declaration, folder", [](const InputMaker &m) { return malformedDeclaration(m, false); }, true},
    {"damaged fixture beside the archive", [](const InputMaker &m) { return damagedFixture(m, true); }, false},
    {"damaged fixture in the folder", [](const InputMaker &m) { return damagedFixture(m, false); }, false},
    {"malformed fixture document", malformedFixtureDocument, false},
    {"fixture whose package is missing", lonelyFixture, false},
    {"empty marker in a folder of another name", markerOfAnotherName, false},
    {"icon the declaration refuses", refusedIcon, false},
    {"program of 1 GB in a small archive", [](const InputMaker &m) { return hostileArchive(m, true); }, false},
    {"entries sharing their data", [](const InputMaker &m) { return hostileArchive(m, false); }, false},
    {"program linked to a private file", linkedProgram, false},
    // clang-format on
};

} // namespace

class tst_CliBadInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void badInputIsRefused_data();
    void badInputIsRefused();
    void outputsInTheWayAreKeptUnlessForced_data();
    void outputsInTheWayAreKeptUnlessForced();

private:
    QTemporaryDir m_readerTemp;
    std::unique_ptr<Sandbox> m_sandbox;
    PreparedFiles m_prepared;
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

void tst_CliBadInput::badInputIsRefused_data()
{
    QTest::addColumn<int>("input");
    QTest::addColumn<QStringList>("command");

    for (int i = 0; i < int(std::size(badInputs)); ++i) {
        QTest::newRow(badInputs[i].name) << i << QStringList{QStringLiteral("info")};
        if (badInputs[i].everyCommand) {
            for (const QStringList &command : packageCommands()) {
                QTest::addRow("%s: %s", badInputs[i].name, qPrintable(command.first()))
                    << i << command;
            }
        }
    }
}

void tst_CliBadInput::badInputIsRefused()
{
    QFETCH(int, input);
    QFETCH(QStringList, command);

    const BadInput bad = badInputs[input].make(InputMaker(*m_sandbox, m_prepared));
    QVERIFY(!bad.package.isEmpty());
    QVERIFY(QDir().mkpath(m_sandbox->path(QStringLiteral("out"))));
    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());

    const Run run = m_sandbox->run(QStringList{command.first(), bad.package} + command.mid(1));
    QVERIFY2(run.exitCode == 1, run.describe());
    QCOMPARE(run.errorLines(),
             QStringList{prefix + bad.package + QStringLiteral(": ") + bad.error});
    QCOMPARE(run.out, QString());
    QCOMPARE(snapshot(m_sandbox->path()), before);
    QCOMPARE(entriesBelow(m_sandbox->temporaryFolder()), QStringList());
    QCOMPARE(entriesBelow(m_sandbox->systemTemporaryFolder()), QStringList());
    QVERIFY(!QFileInfo::exists(m_sandbox->path(QStringLiteral("escaped.txt"))));
}

void tst_CliBadInput::outputsInTheWayAreKeptUnlessForced_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("inTheWay");
    QTest::addColumn<QString>("error");

    const QString exists = QStringLiteral("%1: exists already; use --force to replace it");
    const QString notEmpty =
        QStringLiteral("%1: the folder is not empty; use --force to replace its contents");
    const QString notAFolder = QStringLiteral("%1: not a folder");
    const QString noFolder = QStringLiteral("%1: no such folder");
    // clang-format off
    QTest::newRow("new over an archive") << QStringList{"new", "Router.tscript"} << "Router.tscript" << exists;
    QTest::newRow("new over the fixture of an archive") << QStringList{"new", "Router.tscript"} << "Router.tfixture" << exists;
    QTest::newRow("new into a folder that is not empty") << QStringList{"new", "Router.tscript", "--unarchived"} << "Router/notes.txt" << notEmpty;
    QTest::newRow("new where a file stands for the folder") << QStringList{"new", "Router.tscript", "--unarchived"} << "Router" << notAFolder;
    QTest::newRow("new in a folder that does not exist") << QStringList{"new", "missing/Router.tscript"} << QString() << noFolder;
    QTest::newRow("pack over an archive") << QStringList{"pack", "Source"} << "Source.tscript" << exists;
    QTest::newRow("pack over the fixture of an archive") << QStringList{"pack", "Source", "--output", "Copy.tscript"} << "Copy.tfixture" << exists;
    QTest::newRow("pack into a folder that does not exist") << QStringList{"pack", "Source", "--output", "missing/Copy.tscript"} << QString() << noFolder;
    QTest::newRow("unpack into a folder that is not empty") << QStringList{"unpack", "Source", "--output", "Copy"} << "Copy/notes.txt" << notEmpty;
    QTest::newRow("unpack where a file stands for the folder") << QStringList{"unpack", "Source", "--output", "Copy"} << "Copy" << notAFolder;
    QTest::newRow("unpack into a folder that does not exist") << QStringList{"unpack", "Source", "--output", "missing/Copy"} << QString() << noFolder;
    // clang-format on
}

void tst_CliBadInput::outputsInTheWayAreKeptUnlessForced()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, inTheWay);
    QFETCH(QString, error);

    QVERIFY(m_prepared.copyNew({QStringLiteral("Source.tscript"), QStringLiteral("--unarchived")},
                               *m_sandbox));
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
