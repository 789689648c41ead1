// Saving a window's script package: the members and the manifest, protection, the target path
// and the fixture beside it, the syntax questions, and that a failed save leaves the package on
// disk and the window as they were.

#include "common/testmain.h"

#include "common/filesystemfaults.h"
#include "common/stalelock.h"
#include "packagetestsupport.h"

#include "package/scriptpackage.h"

#include "testing/fixtureitem.h"
#include "testing/fixturetree.h"

#include "corelib/archive/ziphelper.h"

#include <QLockFile>

#include <functional>
#include <iterator>

using namespace PackageTest;
using Scripter::PackageProcessor;

namespace {

QString yesNo(bool yes)
{
    return yes ? XMLValues::YES : XMLValues::NO;
}

// What a save fault needs: the test's folder, the disk the package lies on, and the window.
struct FaultPlace
{
    Harness &harness;
    FileSystemFaults::Faults faults;
    QString disk;
    QString icon;

    QString onDisk(const QString &name) const { return disk + QLatin1Char('/') + name; }
};

// A fault put in the way of the next save; the row is skipped when this machine can't make it.
struct SaveFault
{
    const char *name;
    bool folderForm;    // the package saved as a folder; otherwise as an archive beside its fixture
    bool smallDisk;     // the disk is a small file system of its own
    const char *saveAs; // saved under this name on the disk; nullptr: saved where it is
    const char *cause;  // in the message pane
    std::function<bool(FaultPlace &)> make;
};

const SaveFault saveFaults[] = {
    // clang-format off
    {"icon file vanished", false, false, nullptr, "icons/router-icon.png", [](FaultPlace &p) { return QFile::remove(p.icon); }},
    {"target folder can't be written", false, false, "plain/Router.tscript", "plain/Router.tscript", [](FaultPlace &p) { return writeFile(p.onDisk("plain"), "a file, not a folder"); }},
    {"declaration would replace the manifest", false, false, "manifest.tscript", "two of its members would be called 'manifest.xml'", [](FaultPlace &) { return true; }},
    {"folder at the fixture's path", false, false, nullptr, "Router.tfixture': it is a folder", [](FaultPlace &p) { return QFile::remove(p.onDisk("Router.tfixture")) && QDir().mkpath(p.onDisk("Router.tfixture")); }},
    {"fixture linked into a place that can't be written", false, false, nullptr, "Router.tfixture': No such file or directory", [](FaultPlace &p) { return QFile::remove(p.onDisk("Router.tfixture")) && QFile::link("/proc/no-such-folder/Router.tfixture", p.onDisk("Router.tfixture")); }},
    {"immutable fixture", false, false, nullptr, "Router.tfixture': Operation not permitted", [](FaultPlace &p) { return p.faults.immutable(p.onDisk("Router.tfixture")); }},
    {"full disk", false, true, nullptr, "No space left on device", [](FaultPlace &p) { return FileSystemFaults::fill(p.disk); }},
    {"folder form: immutable file in a sub-folder", true, false, nullptr, "samples/job.xml' can't be removed", [](FaultPlace &p) { return p.faults.immutable(p.onDisk("Router/samples/job.xml")); }},
    {"folder form: read-only mount in a sub-folder", true, false, nullptr, "samples' can't be changed", [](FaultPlace &p) { return p.faults.mountOnItself(p.onDisk("Router/samples"), true); }},
    {"folder form: full disk", true, true, nullptr, "No space left on device", [](FaultPlace &p) { return FileSystemFaults::fill(p.disk); }},
    // clang-format on
};

} // namespace

class tst_PackageSave : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_harness.setUp(); }
    void cleanup();

    void archiveHoldsTheMembersAndTheirManifest_data();
    void archiveHoldsTheMembersAndTheirManifest();
    void protectionNeedsMatchingPasswords_data();
    void protectionNeedsMatchingPasswords();
    void untitledPackageAsksForPathAndGetsSuffixAndFixture();
    void saveAsOffersTheFolderForm_data();
    void saveAsOffersTheFolderForm();
    void syntaxErrorsAskBeforeSaving_data();
    void syntaxErrorsAskBeforeSaving();
    void failedSaveLosesNothing_data();
    void failedSaveLosesNothing();
    void packRefusesWhatItCannotPack_data();
    void packRefusesWhatItCannotPack();
    void suffixIsAddedUnlessThePathEndsInIt_data();
    void suffixIsAddedUnlessThePathEndsInIt();
    void anotherSaveIsWaitedForOrRefused_data();
    void anotherSaveIsWaitedForOrRefused();

private:
    Harness m_harness;
};

void tst_PackageSave::cleanup()
{
    // Whatever a test did, no temporary file of a save outlives the processor.
    m_harness.tearDown();
    QCOMPARE(entriesBelow(m_harness.tempRoot), QStringList());
}

void tst_PackageSave::archiveHoldsTheMembersAndTheirManifest_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("languages"); // J, V, A for the languages included
    QTest::addColumn<bool>("withIcon");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("programs");
    QTest::addColumn<QString>("instanceName");

    // clang-format off
    QTest::newRow("new package holds JavaScript only") << "Router" << "J" << false << QStringList{"Router.js", "manifest.xml", "Router.tscript", "Router.xml"} << QStringList{"JavaScript=Router.js"} << "Router";
    QTest::newRow("three languages in manifest order, and the icon") << "Invoice Router" << "JVA" << true << QStringList{"Router.js", "Router.vbs", "Router.scpt", "router-icon.png", "manifest.xml", "Router.tscript", "Router.xml"} << QStringList{"JavaScript=Router.js", "VBScript=Router.vbs", "AppleScript=Router.scpt"} << "Invoice Router";
    QTest::newRow("no language, no program") << "Router" << "" << false << QStringList{"manifest.xml", "Router.tscript", "Router.xml"} << QStringList() << "Router";
    QTest::newRow("no name: the window's number") << "" << "J" << false << QStringList{"Router.js", "manifest.xml", "Router.tscript", "Router.xml"} << QStringList{"JavaScript=Router.js"} << "TavrixScript3";
    // clang-format on
}

void tst_PackageSave::archiveHoldsTheMembersAndTheirManifest()
{
    QFETCH(QString, name);
    QFETCH(QString, languages);
    QFETCH(bool, withIcon);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, programs);
    QFETCH(QString, instanceName);

    FakePackageWindow *window = nullptr;
    for (int number = 0; number <= 3; ++number) {
        window = m_harness.newWindow();
    }
    Scripter::Declaration *declaration = window->declaration();
    QVERIFY(declaration->setBasicValue(XMLKey::NAME, name));
    QVERIFY(declaration->setBasicValue(XMLKey::INCLUDEJAVASCRIPT, yesNo(languages.contains('J'))));
    QVERIFY(declaration->setBasicValue(XMLKey::INCLUDEVBSCRIPT, yesNo(languages.contains('V'))));
    QVERIFY(declaration->setBasicValue(XMLKey::INCLUDEAPPLESCRIPT, yesNo(languages.contains('A'))));
    const QString icon = writePng(m_harness.path(QStringLiteral("router-icon.png")));
    QVERIFY(!withIcon || declaration->setBasicValue(XMLKey::ICON, icon));
    const QString archive = m_harness.path(QStringLiteral("Router.tscript"));
    QVERIFY(m_harness.saveAs(window, archive));

    QCOMPARE(PythonZip::names(archive), entries);
    const QString folder = m_harness.unpacked(archive);
    const SRCore::ScriptPackageManifest manifest = Harness::manifestIn(folder);
    QStringList listed;
    for (const auto &program : manifest.scriptProgramFiles()) {
        listed << program.language + QLatin1Char('=') + program.fileName;
        QCOMPARE(readFile(folder + QLatin1Char('/') + program.fileName),
                 window->texts.value(program.language).toUtf8());
    }
    QCOMPARE(listed, programs);
    QCOMPARE(readFile(folder + QStringLiteral("/Router.tscript")), QByteArray());
    QCOMPARE(QString::fromUtf8(readFile(folder + QStringLiteral("/Router.xml"))),
             declaration->toXml());
    // The fields in their order; no list of programs when there are none.
    QStringList keys{XMLKey::SCRIPTERINSTANCENAME, XMLKey::SCRIPTPACKAGEFORMATVERSION,
                     XMLKey::SCRIPTERPASSWORD,     XMLKey::SCRIPTDECLARATIONFILE,
                     XMLKey::SCRIPTPROGRAMFILES,   XMLKey::SCRIPTICONFILE};
    if (programs.isEmpty()) {
        keys.removeOne(XMLKey::SCRIPTPROGRAMFILES);
    }
    QCOMPARE(manifest.fieldKeys(), keys);
    QCOMPARE(manifest.field(XMLKey::SCRIPTERINSTANCENAME), instanceName);
    QCOMPARE(manifest.field(XMLKey::SCRIPTICONFILE), withIcon ? "router-icon.png" : QString(""));
    QCOMPARE(readFile(folder + QStringLiteral("/router-icon.png")),
             withIcon ? readFile(icon) : QByteArray());
}

void tst_PackageSave::protectionNeedsMatchingPasswords_data()
{
    QTest::addColumn<QString>("protectedFlag");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("verified");
    QTest::addColumn<bool>("isProtected");

    // clang-format off
    QTest::newRow("verified password protects") << XMLValues::YES << QStringLiteral("Secret1") << true << true;
    QTest::newRow("unverified password leaves it open") << XMLValues::YES << QStringLiteral("Secret1") << false << false;
    QTest::newRow("protection off ignores the password") << XMLValues::NO << QStringLiteral("Secret1") << true << false;
    QTest::newRow("protection without password leaves it open") << XMLValues::YES << QString() << false << false;
    // clang-format on
}

void tst_PackageSave::protectionNeedsMatchingPasswords()
{
    QFETCH(QString, protectedFlag);
    QFETCH(QString, password);
    QFETCH(bool, verified);
    QFETCH(bool, isProtected);

    FakePackageWindow *window = m_harness.newWindow();
    Scripter::Declaration *declaration = window->declaration();
    QVERIFY(declaration->setBasicValue(XMLKey::PASSWORDPROTECTED, protectedFlag));
    QVERIFY(declaration->setBasicValue(XMLKey::PASSWORD, password));
    if (verified) {
        QVERIFY(declaration->setBasicValue(XMLKey::VERIFYPASSWORD, password));
    }
    const QString archive = m_harness.path(QStringLiteral("Router.tscript"));
    QVERIFY(m_harness.saveAs(window, archive));

    const QStringList entries = PythonZip::names(archive);
    QCOMPARE(PythonZip::encryptedNames(archive), isProtected ? entries : QStringList());
    // Only the fixed archive password opens a protected archive, not the user's own.
    const QString probe = m_harness.path(QStringLiteral("probe"));
    QCOMPARE(ZipHelper::extractFiles(archive, probe, false, QString(), false), !isProtected);
    QCOMPARE(ZipHelper::extractFiles(archive, probe, true, QStringLiteral("Secret1"), false),
             !isProtected);
    const QString folder = m_harness.unpacked(archive);
    QVERIFY(!folder.isEmpty());
    QCOMPARE(Harness::manifestIn(folder).field(XMLKey::SCRIPTERPASSWORD),
             isProtected ? password : QString(""));
}

void tst_PackageSave::untitledPackageAsksForPathAndGetsSuffixAndFixture()
{
    const QString folder = m_harness.path(QStringLiteral("packages"));
    QVERIFY(QDir().mkpath(folder));
    QSettings().setValue(QStringLiteral("General/LastSavePath"), folder);
    FakePackageWindow *window = m_harness.newWindow();
    QVERIFY(window->declaration()->setBasicValue(XMLKey::NAME, QStringLiteral("Router")));
    DialogAnswerer driver;
    driver.then(driver.chooseFile(folder + QStringLiteral("/Router")));
    QVERIFY(m_harness.processor->save(PackageProcessor::Save, window));
    // The dialog opens where the last package was saved, on the name of the script.
    QVERIFY2(driver.fileDialogs.value(0).endsWith("|" + folder + "|" + folder + "/Router.tscript"),
             qPrintable(driver.fileDialogs.value(0)));

    const QString archive = folder + QStringLiteral("/Router.tscript");
    QCOMPARE(entriesBelow(folder), (QStringList{"Router.tfixture", "Router.tscript"}));
    QVERIFY(!window->isUntitled());
    QCOMPARE(window->shownPath(), archive);
    QCOMPARE(window->recentPackages, QStringList{archive});
    QVERIFY(!window->isWindowModified());
    QCOMPARE(window->statusMessages, (QStringList{"Saving script package 'Router.tscript'",
                                                  "Script package was saved successfully"}));
    QCOMPARE(QSettings().value(QStringLiteral("General/LastSavePath")).toString(), folder);
}

void tst_PackageSave::saveAsOffersTheFolderForm_data()
{
    QTest::addColumn<QString>("chosen");   // in the test's folder
    QTest::addColumn<QString>("existing"); // what the package folder holds before
    QTest::addColumn<QString>("answer");   // to a question about an existing package
    QTest::addColumn<QString>("written");  // the package folder, empty when nothing is saved

    // clang-format off
    QTest::newRow("cancelled dialog writes nothing") << "" << "" << "" << "";
    QTest::newRow("name beside the folder to make") << "Router.tscript" << "" << "" << "Router";
    QTest::newRow("name without suffix") << "Router" << "" << "" << "Router";
    QTest::newRow("empty folder of that name") << "Router.tscript" << "empty" << "" << "Router";
    QTest::newRow("package folder replaced after asking") << "Router.tscript" << "package" << "Save" << "Router";
    QTest::newRow("package folder kept when not confirmed") << "Router.tscript" << "package" << "Cancel" << "";
    QTest::newRow("folder with other files is refused") << "Router.tscript" << "other" << "OK" << "";
    // clang-format on
}

void tst_PackageSave::saveAsOffersTheFolderForm()
{
    QFETCH(QString, chosen);
    QFETCH(QString, existing);
    QFETCH(QString, answer);
    QFETCH(QString, written);

    const QString packageFolder = m_harness.path(QStringLiteral("Router"));
    if (!existing.isEmpty()) {
        QVERIFY(QDir().mkpath(packageFolder));
    }
    if (existing == QLatin1String("package")) {
        QVERIFY(writeFile(packageFolder + QStringLiteral("/Router.tscript"), QByteArray()));
        QVERIFY(writeFile(packageFolder + QStringLiteral("/Old.js"), "old"));
    } else if (existing == QLatin1String("other")) {
        QVERIFY(writeFile(packageFolder + QStringLiteral("/notes.txt"), "mine"));
    }
    const QStringList before = entriesBelow(m_harness.dir->path()) + entriesBelow(packageFolder);

    FakePackageWindow *window = m_harness.newWindow();
    QVERIFY(window->declaration()->setBasicValue(XMLKey::NAME, QStringLiteral("Router")));
    window->texts.insert(XMLValues::JAVASCRIPT, QStringLiteral("function jobArrived( s ) {}\n"));
    window->markModified();
    DialogAnswerer driver;
    driver.then(
        driver.chooseFile(chosen.isEmpty() ? QString() : m_harness.path(chosen),
                          QStringLiteral("Script package folder (unarchived) (*.tscript)")));
    if (!answer.isEmpty()) {
        driver.then(DialogAnswerer::click(answer));
    }
    QCOMPARE(m_harness.processor->save(PackageProcessor::SaveAs, window), !written.isEmpty());
    QVERIFY(driver.answeredAll());

    if (written.isEmpty()) {
        QCOMPARE(entriesBelow(m_harness.dir->path()) + entriesBelow(packageFolder), before);
        QVERIFY(window->isUntitled());
        QVERIFY(window->isWindowModified());
        return;
    }
    const QString marker = packageFolder + QStringLiteral("/Router.tscript");
    QStringList members = entriesBelow(packageFolder);
    members.sort();
    QCOMPARE(members, (QStringList{"Router.js", "Router.tfixture", "Router.tscript", "Router.xml",
                                   "manifest.xml"}));
    QCOMPARE(readFile(marker), QByteArray());
    QVERIFY(!QFileInfo::exists(m_harness.path(QStringLiteral("Router.tscript"))));
    QVERIFY(window->isAlternatePath());
    QCOMPARE(window->shownPath(), marker);
    QVERIFY(!window->isWindowModified());
    // From now on the folder is the package (saving back into it: tst_packageopen).
}

void tst_PackageSave::syntaxErrorsAskBeforeSaving_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("written");

    const QString javaScript = XMLValues::JAVASCRIPT;
    const QString brokenJavaScript = QStringLiteral("function jobArrived( s : Tavrix {\n");
    // The question names the first error: the brace where the parameter list is not closed.
    const QString javaScriptQuestion = QStringLiteral(
        "Save|JavaScript code contains syntax error(s).\nThe first is on line 1, column 33: "
        "Expected token `)'\nDo you want save this package?");
    const QString javaScriptMessage = QStringLiteral("Error in script '%11', line %12: %13");
    const QString vbScript = XMLValues::VBSCRIPT;
    const QString brokenVbScript = QStringLiteral("Function jobArrived(s, job)\nEnd Sub\n");
    const QString vbScriptQuestion = QStringLiteral(
        "Save|VBScript code contains syntax error(s).\nThe first is on line 2, column 1: "
        "Expected 'End Function' to close the 'Function' on line 1; found 'End Sub'\nDo you "
        "want save this package?");
    const QString vbScriptMessage = QStringLiteral("Error while checking VBScript syntax: %1");

    // clang-format off
    QTest::newRow("JavaScript error, Cancel writes nothing") << javaScript << brokenJavaScript << "Cancel" << javaScriptQuestion << javaScriptMessage << false;
    QTest::newRow("JavaScript error, Save writes it") << javaScript << brokenJavaScript << "Save" << javaScriptQuestion << javaScriptMessage << true;
    QTest::newRow("VBScript error, Cancel writes nothing") << vbScript << brokenVbScript << "Cancel" << vbScriptQuestion << vbScriptMessage << false;
    QTest::newRow("VBScript error, Save writes it") << vbScript << brokenVbScript << "Save" << vbScriptQuestion << vbScriptMessage << true;
    // clang-format on
}

void tst_PackageSave::syntaxErrorsAskBeforeSaving()
{
    QFETCH(QString, language);
    QFETCH(QString, program);
    QFETCH(QString, answer);
    QFETCH(QString, question);
    QFETCH(QString, message);
    QFETCH(bool, written);

    FakePackageWindow *window = m_harness.newWindow();
    QVERIFY(window->declaration()->setBasicValue(XMLKey::INCLUDEVBSCRIPT, XMLValues::YES));
    const QString archive = m_harness.path(QStringLiteral("Router.tscript"));
    QVERIFY(m_harness.saveAs(window, archive));
    const QString member =
        QStringLiteral("/Router") + Scripter::ScriptPackage::programSuffix(language);
    const QByteArray before = readFile(m_harness.unpacked(archive) + member);
    const int statusCount = window->statusMessages.size();

    window->setScriptText(language, program);
    window->markModified();
    DialogAnswerer driver;
    driver.then(DialogAnswerer::click(answer));
    QCOMPARE(m_harness.processor->save(PackageProcessor::Save, window), written);
    QCOMPARE(driver.seen, QStringList{question});
    const SRCore::LogRecord error = lastMessage(window, message);
    QCOMPARE(error.level, SRCore::LogLevel::Error);
    QVERIFY2(!error.argument.isEmpty(), "the pane tells where the error is");
    QCOMPARE(readFile(m_harness.unpacked(archive) + member), written ? program.toUtf8() : before);
    QCOMPARE(window->isWindowModified(), !written);
    QCOMPARE(window->statusMessages.size(), statusCount + (written ? 2 : 0));

    // Saving without the checks asks nothing and writes the program as it is.
    DialogAnswerer silent;
    window->markModified();
    QVERIFY(m_harness.processor->save(PackageProcessor::SaveWithoutChecks, window));
    QCOMPARE(silent.seen, QStringList());
    QCOMPARE(readFile(m_harness.unpacked(archive) + member), program.toUtf8());
}

void tst_PackageSave::failedSaveLosesNothing_data()
{
    QTest::addColumn<int>("fault");
    for (int i = 0; i < int(std::size(saveFaults)); ++i) {
        QTest::newRow(saveFaults[i].name) << i;
    }
}

// The package, its fixture and everything beside them stay as they were; the window still holds
// the changes, and the message pane says why.
void tst_PackageSave::failedSaveLosesNothing()
{
    QFETCH(int, fault);
    const SaveFault &row = saveFaults[fault];

    FaultPlace place{m_harness, {}, m_harness.path(QStringLiteral("disk")), {}};
    if (row.smallDisk && !place.faults.smallFileSystem(place.disk, 1024 * 1024)) {
        QSKIP(qPrintable(place.faults.reason()));
    }
    place.icon = place.onDisk(QStringLiteral("icons/router-icon.png"));
    QVERIFY(QDir().mkpath(QFileInfo(place.icon).path()));
    QVERIFY(!writePng(place.icon).isEmpty());
    FakePackageWindow *window = m_harness.newWindow();
    QVERIFY(window->declaration()->setBasicValue(XMLKey::ICON, place.icon));
    DialogAnswerer driver;
    driver.then(driver.chooseFile(
        place.onDisk(QStringLiteral("Router.tscript")),
        row.folderForm ? QStringLiteral("Script package folder (unarchived) (*.tscript)")
                       : QString()));
    QVERIFY(m_harness.processor->save(PackageProcessor::SaveAs, window) && driver.answeredAll());
    const QString package = window->shownPath();
    if (row.folderForm) {
        QVERIFY(writeFile(place.onDisk(QStringLiteral("Router/samples/job.xml")), "<Job/>"));
    }
    window->setScriptText(XMLValues::JAVASCRIPT,
                          window->scriptText(XMLValues::JAVASCRIPT) + QStringLiteral("// more\n"));
    window->markModified();
    if (!row.make(place)) {
        // Only a fault this machine can't make (no root, no loop devices) skips the row.
        QVERIFY2(!place.faults.reason().isEmpty(), "the fault could not be made");
        QSKIP(qPrintable(place.faults.reason()));
    }
    const QMap<QString, QByteArray> before = TestFiles::snapshot(place.disk);

    QVERIFY(row.saveAs ? !m_harness.saveAs(window, place.onDisk(QString::fromUtf8(row.saveAs)))
                       : !m_harness.processor->save(PackageProcessor::Save, window));
    const QString changes = TestFiles::differences(before, TestFiles::snapshot(place.disk));
    QVERIFY2(changes.isEmpty(), qPrintable(changes));
    QCOMPARE(window->shownPath(), package);
    QVERIFY(window->isWindowModified());
    const SRCore::LogRecord error =
        lastMessage(window, QStringLiteral("Can't save script package: %1"));
    QCOMPARE(error.level, SRCore::LogLevel::Error);
    QVERIFY2(error.argument.contains(QString::fromUtf8(row.cause)), qPrintable(error.argument));
}

void tst_PackageSave::packRefusesWhatItCannotPack_data()
{
    QTest::addColumn<QString>("archive");
    QTest::addColumn<QStringList>("files");

    QTest::newRow("no archive path") << QString() << QStringList{"a.txt"};
    QTest::newRow("no files") << "out.zip" << QStringList();
    QTest::newRow("a file is missing") << "out.zip" << QStringList{"a.txt", "missing.txt"};
}

void tst_PackageSave::packRefusesWhatItCannotPack()
{
    QFETCH(QString, archive);
    QFETCH(QStringList, files);

    QVERIFY(writeFile(m_harness.path(QStringLiteral("a.txt")), "member"));
    for (QString &file : files) {
        file = m_harness.path(file);
    }
    const QString archivePath = archive.isEmpty() ? QString() : m_harness.path(archive);
    QString error;
    QVERIFY(!PackageProcessor::pack(archivePath, files, false, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo::exists(m_harness.path(QStringLiteral("out.zip"))));
}

void tst_PackageSave::suffixIsAddedUnlessThePathEndsInIt_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("package");
    QTest::addColumn<QString>("fixture");

    // clang-format off
    QTest::newRow("suffix only in a folder's name") << "x.tscript.d/Router" << "x.tscript.d/Router.tscript" << "x.tscript.d/Router.tfixture";
    QTest::newRow("suffix in capitals") << "Router.TSCRIPT" << "Router.TSCRIPT" << "Router.tfixture";
    // clang-format on
}

void tst_PackageSave::suffixIsAddedUnlessThePathEndsInIt()
{
    QFETCH(QString, chosen);
    QFETCH(QString, package);
    QFETCH(QString, fixture);

    QVERIFY(QDir().mkpath(m_harness.path(QStringLiteral("x.tscript.d"))));
    FakePackageWindow *window = m_harness.newWindow();
    QVERIFY(m_harness.saveAs(window, m_harness.path(chosen)));
    QCOMPARE(window->shownPath(), m_harness.path(package));
    QVERIFY(!PythonZip::names(m_harness.path(package)).isEmpty());
    QVERIFY(!PythonZip::names(m_harness.path(fixture)).isEmpty());
}

void tst_PackageSave::anotherSaveIsWaitedForOrRefused_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<bool>("old");

    // clang-format off
    QTest::newRow("lock of a running program refuses")           << true  << false;
    QTest::newRow("lock of a save running for an hour refuses")  << true  << true;
    QTest::newRow("lock left by a program that is gone is taken over") << false << false;
    // clang-format on
}

void tst_PackageSave::anotherSaveIsWaitedForOrRefused()
{
    QFETCH(bool, running);
    QFETCH(bool, old);

    const QString archive = m_harness.path(QStringLiteral("Router.tscript"));
    FakePackageWindow *window = m_harness.newWindow();
    QVERIFY(m_harness.saveAs(window, archive));
    const QByteArray before = readFile(archive);
    window->setScriptText(XMLValues::JAVASCRIPT, QStringLiteral("function edited() {}\n"));
    window->markModified();
    m_harness.processor->setLockWait(100);
    const QString lockPath = m_harness.path(QStringLiteral(".Router.tscript.lock"));
    QLockFile otherSave(lockPath);
    if (running) {
        QVERIFY(otherSave.tryLock(0));
    } else {
        QVERIFY(StaleLock::write(lockPath));
    }
    if (old) {
        QVERIFY(StaleLock::age(lockPath));
    }

    QCOMPARE(m_harness.processor->save(PackageProcessor::Save, window), !running);
    if (running) {
        QCOMPARE(readFile(archive), before);
        QCOMPARE(lastMessage(window, QStringLiteral("Can't save script package: %1")).argument,
                 QStringLiteral("'%1' is being saved by another program").arg(archive));
    } else {
        QVERIFY(readFile(archive) != before);
        QVERIFY(!QFileInfo::exists(lockPath));
    }
}

TAVRIX_TEST_MAIN(tst_PackageSave)
#include "tst_packagesave.moc"
