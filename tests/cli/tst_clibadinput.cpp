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
#include <vector>

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

private:
    const Sandbox &m_sandbox;
    PreparedFiles &m_prepared;
};

using Change = InputMaker::Change;
using Prepare = std::function<bool(const InputMaker &)>;
using Make = std::function<BadInput(const InputMaker &)>;

// "{work}" in `error` stands for the working folder as the tool shows it.
BadInput bad(const InputMaker &make, const QString &package, const QString &error)
{
    return {package, QString(error).replace(QLatin1String("{work}"),
                                            QDir::toNativeSeparators(make.path(QString())))};
}

// The folder form changed by `change`, as an archive or as the folder.
Make changed(bool archive, const Change &change, const QString &error)
{
    return [=](const InputMaker &make) {
        return bad(make, make.prepare(archive, change), error);
    };
}

// `package` as the user names it, after `prepare` made it.
Make named(const QString &package, const Prepare &prepare, const QString &error)
{
    return [=](const InputMaker &make) {
        return prepare(make) ? bad(make, package, error) : BadInput();
    };
}

Prepare writing(const QString &name, const QByteArray &content)
{
    return [=](const InputMaker &make) {
        return writeFile(make.path(name), content);
    };
}

bool nothing(const InputMaker &)
{
    return true;
}

bool truncatedArchive(const InputMaker &make)
{
    const QByteArray whole = readFile(make.path(make.prepare(true)));
    return whole.size() > 200
           && writeFile(make.path(QStringLiteral("Router.tscript")), whole.left(whole.size() / 2));
}

bool escapingEntry(const InputMaker &make)
{
    return PythonZip::write(make.path(QStringLiteral("Router.tscript")),
                            {{QStringLiteral("manifest.xml"), "<Manifest/>"},
                             {QStringLiteral("../escaped.txt"), "outside"}});
}

bool markerOfAnotherName(const InputMaker &make)
{
    return make.makeFolder()
           && QDir(make.path(QString())).rename(QStringLiteral("Router"), QStringLiteral("Other"));
}

// The archive form written with records that an ordinary writer never makes: the program as a
// bomb of 1 GB of zeros, or its data named a second time as the icon.
Prepare hostileArchive(bool bomb)
{
    return [bomb](const InputMaker &make) {
        const QString package = make.path(make.prepare(true));
        const QMap<QString, QByteArray> members = contents(package);
        QList<HostileZip::Entry> entries;
        for (const char *name : {"manifest.xml", "Router.xml", "Router.tscript"}) {
            entries << HostileZip::stored(name, members.value(QLatin1String(name)));
        }
        entries << (bomb ? HostileZip::deflatedRepeat("Router.js", QByteArray(1 << 20, '\0'), 1024)
                         : HostileZip::stored("Router.js", members.value("Router.js")));
        QList<HostileZip::Record> records = {{0, {}}, {1, {}}, {2, {}}, {3, {}}};
        if (!bomb) {
            records << HostileZip::Record{3, "Router.png"};
        }
        return members.size() == 4 && QFile::remove(package)
               && HostileZip::write(package, entries, records);
    };
}

bool nameMemberOutside(const QString &folder)
{
    return replaceIn(folder + QStringLiteral("/manifest.xml"), ">Router.xml<", ">../Router.xml<")
           && writeFile(folder + QStringLiteral("/../Router.xml"), "<Object/>");
}

bool addSmallIcon(const QString &folder)
{
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(Qt::darkCyan);
    return small.save(folder + QStringLiteral("/small.png"), "PNG")
           && replaceIn(folder + QStringLiteral("/manifest.xml"), "<ScriptIconFile/>",
                        "<ScriptIconFile>small.png</ScriptIconFile>");
}

bool linkProgramToAPrivateFile(const QString &folder)
{
    const QString secret = folder + QStringLiteral("/../private.txt");
    return writeFile(secret, "private")
           && QFile::setPermissions(secret, QFile::ReadOwner | QFile::WriteOwner)
           && QFile::remove(folder + QStringLiteral("/Router.js"))
           && QFile::link(QDir::cleanPath(secret), folder + QStringLiteral("/Router.js"));
}

// The fixture cut short inside its document; the error where the fixture's own reader finds it.
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

// Where the manifest's and the XML parser's own readers find the faults.
QString manifestError()
{
    SRCore::ScriptPackageManifest manifest;
    SRCore::XmlError parsed;
    manifest.loadFromXml(brokenManifest, &parsed);
    return QStringLiteral("manifest.xml ") + parsed.toString();
}

QString declarationError()
{
    QDomDocument document;
    SRCore::XmlError error;
    SRCore::parseXmlDocument(brokenDeclaration, document, &error);
    return QStringLiteral("declaration ") + error.toString();
}

struct BadInputRow
{
    const char *name;
    Make make;
    bool everyCommand; // a representative input: every command refuses it
};

// Made when the tests start: the expected errors come from the readers of the application.
const std::vector<BadInputRow> &badInputs()
{
    const QString notAZip = QStringLiteral(
        "Can't extract archive '{work}/%1': it is not a zip archive, or it is truncated");
    const QString outside = QStringLiteral("The script package lacks its member '../Router.xml'");
    const QString fixture =
        QStringLiteral("Router.tfixture: Can't extract fixture '{work}/%1': Can't extract archive "
                       "'{work}/%1': it is not a zip archive, or it is truncated");
    const Change noManifest = InputMaker::replace(QStringLiteral("manifest.xml"), QByteArray());
    const Change badManifest = InputMaker::replace(QStringLiteral("manifest.xml"), brokenManifest);
    const Change badDeclaration =
        InputMaker::replace(QStringLiteral("Router.xml"), brokenDeclaration);
    const Change badFixture = InputMaker::replace(QStringLiteral("Router.tfixture"), "no archive");
    // clang-format off
    static const std::vector<BadInputRow> rows = {
    {"missing file", named("Nothing.tscript", nothing, "no such file or folder"), false},
    {"folder that holds no package", named("Loose", writing("Loose/Loose.js", "function f() {}"), "not a package folder: it holds no Loose.tscript"), false},
    {"text file, not a package", named("notes.tscript", writing("notes.tscript", "just some notes\n"), notAZip.arg("notes.tscript")), false},
    {"damaged archive", named("Router.tscript", truncatedArchive, notAZip.arg("Router.tscript")), true},
    {"archive without a manifest", changed(true, noManifest, "Script package '{work}/Router.tscript' has no manifest"), false},
    {"entry name escaping the folder", named("Router.tscript", escapingEntry, "Can't extract archive '{work}/Router.tscript': entry '../escaped.txt' leads out of the target folder"), false},
    {"manifest naming a member outside, archive", changed(true, nameMemberOutside, outside), false},
    {"manifest naming a member outside, folder", changed(false, nameMemberOutside, outside), false},
    {"program named by the manifest is missing", changed(false, InputMaker::replace("Router.js", QByteArray()), "The script package lacks its member 'Router.js'"), false},
    {"malformed manifest, archive", changed(true, badManifest, manifestError()), false},
    {"malformed manifest, folder", changed(false, badManifest, manifestError()), false},
    {"malformed declaration, archive", changed(true, badDeclaration, declarationError()), false},
    {"malformed declaration, folder", changed(false, badDeclaration, declarationError()), true},
    {"damaged fixture beside the archive", changed(true, badFixture, fixture.arg("Router.tfixture")), false},
    {"damaged fixture in the folder", changed(false, badFixture, fixture.arg("Router/Router.tfixture")), false},
    {"malformed fixture document", malformedFixtureDocument, false},
    {"fixture whose package is missing", named("Lonely.tfixture", writing("Lonely.tfixture", "fixture"), "You double-clicked on a script fixture file; this file cannot be opened in TavrixScripter. The corresponding script file could not be located."), false},
    {"empty marker in a folder of another name", named("Other/Router.tscript", markerOfAnotherName, "the folder '{work}/Other' must have the name of its marker file 'Router.tscript'"), false},
    {"icon the declaration refuses", changed(false, addSmallIcon, "Choose icon file: Your must choose a PNG image file with a size of exactly 32x32 pixels in the RGB color space !"), false},
    {"program of 1 GB in a small archive", named("Router.tscript", hostileArchive(true), "Can't extract archive '{work}/Router.tscript': entry 'Router.js' is compressed more than 1000 to 1"), false},
    {"entries sharing their data", named("Router.tscript", hostileArchive(false), "Can't extract archive '{work}/Router.tscript': entries 'Router.js' and 'Router.png' share their data"), false},
    {"program linked to a private file", changed(false, linkProgramToAPrivateFile, "'{work}/Router/Router.js' is a symbolic link; a package folder must hold its files itself"), false},
    };
    // clang-format on
    return rows;
}

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

    for (int i = 0; i < int(badInputs().size()); ++i) {
        QTest::newRow(badInputs()[i].name) << i << QStringList{QStringLiteral("info")};
        if (badInputs()[i].everyCommand) {
            for (const QStringList &command : packageCommands()) {
                QTest::addRow("%s: %s", badInputs()[i].name, qPrintable(command.first()))
                    << i << command;
            }
        }
    }
}

void tst_CliBadInput::badInputIsRefused()
{
    QFETCH(int, input);
    QFETCH(QStringList, command);

    const BadInput bad = badInputs()[input].make(InputMaker(*m_sandbox, m_prepared));
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
    QTest::addColumn<QString>("named"); // what the message names
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("forceHelps"); // not where a folder is missing or a file is in its way

    const QString exists = QStringLiteral("exists already; use --force to replace it");
    const QString notEmpty =
        QStringLiteral("the folder is not empty; use --force to replace its contents");
    const QString notAFolder = QStringLiteral("not a folder");
    const QString noFolder = QStringLiteral("no such folder");
    // clang-format off
    QTest::newRow("new over an archive") << QStringList{"new", "Router.tscript"} << "Router.tscript" << "Router.tscript" << exists << true;
    QTest::newRow("new over the fixture of an archive") << QStringList{"new", "Router.tscript"} << "Router.tfixture" << "Router.tfixture" << exists << true;
    QTest::newRow("new into a folder that is not empty") << QStringList{"new", "Router.tscript", "--unarchived"} << "Router/notes.txt" << "Router" << notEmpty << true;
    QTest::newRow("new where a file stands for the folder") << QStringList{"new", "Router.tscript", "--unarchived"} << "Router" << "Router" << notAFolder << false;
    QTest::newRow("new in a folder that does not exist") << QStringList{"new", "missing/Router.tscript"} << QString() << "missing" << noFolder << false;
    QTest::newRow("pack over an archive") << QStringList{"pack", "Source"} << "Source.tscript" << "Source.tscript" << exists << true;
    QTest::newRow("pack over the fixture of an archive") << QStringList{"pack", "Source", "--output", "Copy.tscript"} << "Copy.tfixture" << "Copy.tfixture" << exists << true;
    QTest::newRow("pack into a folder that does not exist") << QStringList{"pack", "Source", "--output", "missing/Copy.tscript"} << QString() << "missing" << noFolder << false;
    QTest::newRow("unpack into a folder that is not empty") << QStringList{"unpack", "Source", "--output", "Copy"} << "Copy/notes.txt" << "Copy" << notEmpty << true;
    QTest::newRow("unpack where a file stands for the folder") << QStringList{"unpack", "Source", "--output", "Copy"} << "Copy" << "Copy" << notAFolder << false;
    QTest::newRow("unpack into a folder that does not exist") << QStringList{"unpack", "Source", "--output", "missing/Copy"} << QString() << "missing" << noFolder << false;
    // clang-format on
}

void tst_CliBadInput::outputsInTheWayAreKeptUnlessForced()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, inTheWay);
    QFETCH(QString, named);
    QFETCH(QString, error);
    QFETCH(bool, forceHelps);

    QVERIFY(m_prepared.copyNew({QStringLiteral("Source.tscript"), QStringLiteral("--unarchived")},
                               *m_sandbox));
    QVERIFY(inTheWay.isEmpty() || writeFile(m_sandbox->path(inTheWay), "keep me"));
    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());

    const Run run = m_sandbox->run(arguments);
    QVERIFY2(run.exitCode == 1, run.describe());
    QCOMPARE(run.errorLines(), QStringList{prefix + QDir::toNativeSeparators(m_sandbox->path(named))
                                           + QStringLiteral(": ") + error});
    QCOMPARE(snapshot(m_sandbox->path()), before);
    QCOMPARE(entriesBelow(m_sandbox->temporaryFolder()), QStringList());

    // With --force the package takes the place of what was in the way.
    const Run forced = m_sandbox->run(arguments + QStringList{QStringLiteral("--force")});
    QVERIFY2(forced.exitCode == (forceHelps ? 0 : 1), forced.describe());
    QCOMPARE(snapshot(m_sandbox->path()) == before, !forceHelps);
    QCOMPARE(readFile(m_sandbox->path(inTheWay)) == "keep me", !forceHelps && !inTheWay.isEmpty());
}

TAVRIX_TEST_MAIN(tst_CliBadInput)
#include "tst_clibadinput.moc"
