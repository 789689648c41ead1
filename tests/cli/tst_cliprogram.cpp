// The tool and the program side by side: what the tool writes is what the program's New and Save
// write, a package made by the tool and edited on disk opens in the program as it is, and the
// program's Save and the tool's resave write the same package.

#include "common/testmain.h"

#include "clitestsupport.h"

#include "../app/apptestsupport.h"
#include "common/dialoganswerer.h"

#include "cli/scriptlanguages.h"
#include "package/declaration.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QTest>

using namespace CliTest;
using AppTest::CoreFixture;
using Scripter::ScripterWindow;
using Scripter::ScriptLanguages;
namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

class tst_CliProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void newWritesWhatTheProgramsNewAndSaveWrite_data();
    void newWritesWhatTheProgramsNewAndSaveWrite();
    void packageEditedOnDiskOpensInTheProgramAsItIs();

private:
    std::unique_ptr<Sandbox> m_sandbox;
    std::unique_ptr<CoreFixture> m_world;
};

void tst_CliProgram::initTestCase()
{
    QVERIFY2(QFileInfo(QStringLiteral(TAVRIX_CLI)).isExecutable(), TAVRIX_CLI);
}

void tst_CliProgram::init()
{
    m_sandbox = std::make_unique<Sandbox>();
    m_world = std::make_unique<CoreFixture>();
    QVERIFY(m_sandbox->isValid());
    QVERIFY(m_world->isValid());
    m_world->start();
}

void tst_CliProgram::cleanup()
{
    m_world.reset();
    m_sandbox.reset();
}

void tst_CliProgram::newWritesWhatTheProgramsNewAndSaveWrite_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("languages");

    QTest::newRow("the defaults") << QString() << QStringList{"js"};
    QTest::newRow("named, every language")
        << "MailRouter" << QStringList{"js", "vbs", "applescript"};
    QTest::newRow("AppleScript only") << "Mac" << QStringList{"applescript"};
}

void tst_CliProgram::newWritesWhatTheProgramsNewAndSaveWrite()
{
    QFETCH(QString, name);
    QFETCH(QStringList, languages);

    // The program: a new package in its first window, named and with its languages chosen in
    // the declaration, saved as "Router.tscript".
    ScripterWindow *window = m_world->window(0);
    QVERIFY(window);
    if (!name.isEmpty()) {
        QVERIFY(window->declaration()->setBasicValue(XMLKey::NAME, name));
    }
    for (const ScriptLanguages::Language &language : ScriptLanguages::all()) {
        QVERIFY(window->declaration()->setBasicValue(
            language.includeFlag,
            languages.contains(language.option) ? XMLValues::YES : XMLValues::NO));
    }
    const QString programPackage = m_sandbox->path(QStringLiteral("program/Router.tscript"));
    QVERIFY(writeFile(programPackage, QByteArray()));
    window->setCurrentFile(programPackage, false);
    DialogAnswerer watch;
    QVERIFY(m_world->processor()->save(Scripter::PackageProcessor::Save, window));
    QCOMPARE(watch.seen, QStringList());

    // The tool.
    QStringList arguments{QStringLiteral("new"), QStringLiteral("tool/Router.tscript")};
    if (!name.isEmpty()) {
        arguments << QStringLiteral("--name") << name;
    }
    arguments << QStringLiteral("--languages") << languages.join(QLatin1Char(','));
    QVERIFY(QDir().mkpath(m_sandbox->path(QStringLiteral("tool"))));
    const Run run = m_sandbox->run(arguments);
    QVERIFY2(run.exitCode == 0, run.describe());

    const QMap<QString, QByteArray> fromProgram = packageMembers(programPackage);
    QVERIFY(fromProgram.size() >= 4);
    QCOMPARE(packageMembers(m_sandbox->path(QStringLiteral("tool/Router.tscript"))), fromProgram);
    const QMap<QString, QByteArray> fixture =
        contents(m_sandbox->path(QStringLiteral("program/Router.tfixture")));
    QCOMPARE(fixture.size(), 2);
    QCOMPARE(contents(m_sandbox->path(QStringLiteral("tool/Router.tfixture"))), fixture);
}

void tst_CliProgram::packageEditedOnDiskOpensInTheProgramAsItIs()
{
    // Made by the tool, edited on disk (a new function, another VBScript program, a property
    // definition added to the declaration by hand) and copied for the tool's resave.
    QVERIFY(QDir().mkpath(m_sandbox->path(QStringLiteral("program"))));
    const Run run = m_sandbox->run({"new", "program/Router.tscript", "--unarchived", "--name",
                                    "Router", "--languages", "js,vbs,applescript"});
    QVERIFY2(run.exitCode == 0, run.describe());
    const QString folder = m_sandbox->path(QStringLiteral("program/Router"));
    QVERIFY(writeFile(folder + QStringLiteral("/Router.js"),
                      readFile(folder + QStringLiteral("/Router.js"))
                          + "\nfunction routeTo( job : Job, name : String )\n{\n}\n"));
    QVERIFY(writeFile(folder + QStringLiteral("/Router.vbs"),
                      "Function jobArrived(s, job)\r\n    s.log 1, \"Grüße\"\r\nEnd Function\r\n"));
    QVERIFY(replaceIn(folder + QStringLiteral("/Router.xml"), "<ConnectionFields/>",
                      "<ConnectionFields>\n        <Priority Validation=\"Standard\" "
                      "LocalizedTagName=\"Priority\" Tooltip=\"How urgent\" Type=\"number\" "
                      "Editor=\"inline\" Default=\"3\" Subtype=\"inline\">3</Priority>\n"
                      "    </ConnectionFields>"));
    QVERIFY(copyFolder(folder, m_sandbox->path(QStringLiteral("tool/Router"))));
    const QString marker = folder + QStringLiteral("/Router.tscript");
    const QMap<QString, QByteArray> onDisk = snapshot(folder);

    ScripterWindow *window = m_world->window(0);
    DialogAnswerer watch;
    QVERIFY(m_world->processor()->open(marker, window));
    QCOMPARE(watch.seen, QStringList());
    QCOMPARE(m_world->processor()->windows().size(), 1);
    QVERIFY(!window->isWindowModified());
    QVERIFY(window->isAlternatePath());
    // The editors keep lines, not the line-break characters of the file.
    QCOMPARE(window->scriptText(XMLValues::VBSCRIPT),
             QString::fromUtf8(onDisk.value(QStringLiteral("Router.vbs"))).replace("\r\n", "\n"));
    QVERIFY(window->scriptFunctions(XMLValues::JAVASCRIPT).contains(QLatin1String("routeTo")));
    QCOMPARE(window->declaration()->connectionPropertyTags(), QStringList{"Priority"});
    // Opening wrote nothing.
    QCOMPARE(snapshot(folder), onDisk);

    // The program's Save and the tool's resave write the same package.
    QVERIFY(m_world->processor()->save(Scripter::PackageProcessor::Save, window));
    QCOMPARE(watch.seen, QStringList());
    const Run resave = m_sandbox->run({QStringLiteral("resave"), QStringLiteral("tool/Router")});
    QVERIFY2(resave.exitCode == 0, resave.describe());
    const QMap<QString, QByteArray> saved = contentSnapshot(folder);
    QVERIFY(saved.value(QStringLiteral("Router.xml")).contains("routeTo"));
    QCOMPARE(contentSnapshot(m_sandbox->path(QStringLiteral("tool/Router"))), saved);
}

TAVRIX_TEST_MAIN_OWN_HOME(tst_CliProgram)
#include "tst_cliprogram.moc"
