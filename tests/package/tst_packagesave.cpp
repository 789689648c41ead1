// Saving a window's script package: the members and the manifest, protection, the target path
// and the fixture beside it, the syntax questions, and that a failed save leaves the package on
// disk and the window as they were.

#include "common/testmain.h"

#include "../corelib/ziptestsupport.h"
#include "common/filesystemfaults.h"
#include "common/stalelock.h"
#include "packagetestsupport.h"

#include "package/scriptpackage.h"

#include "testing/fixtureitem.h"
#include "testing/fixturetree.h"

#include "corelib/archive/ziphelper.h"
#include "corelib/logging/logrecord.h"

#include <QLockFile>

using namespace PackageTest;
using Scripter::PackageProcessor;

namespace {

QString yesNo(bool yes)
{
    return yes ? XMLValues::YES : XMLValues::NO;
}

// The last message of the pane with this text; a default record when there is none.
SRCore::LogRecord lastMessage(const FakePackageWindow *window, const QString &operation)
{
    const QList<SRCore::LogRecord> records = window->log.records();
    for (auto it = records.crbegin(); it != records.crend(); ++it) {
        if (it->operation == operation) {
            return *it;
        }
    }
    return SRCore::LogRecord();
}

} // namespace

class tst_PackageSave : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_harness.setUp(); }
    void cleanup();

    void archiveHoldsTheMembersOfIncludedLanguages_data();
    void archiveHoldsTheMembersOfIncludedLanguages();
    void manifestListsItsFieldsInOrder_data();
    void manifestListsItsFieldsInOrder();
    void protectionNeedsMatchingPasswords_data();
    void protectionNeedsMatchingPasswords();
    void untitledPackageAsksForPathAndGetsSuffixAndFixture();
    void cancelledPathDialogWritesNothing();
    void saveAsOffersTheFolderForm_data();
    void saveAsOffersTheFolderForm();
    void syntaxErrorsAskBeforeSaving_data();
    void syntaxErrorsAskBeforeSaving();
    void savingWithoutChecksAsksNothing();
    void failedSaveLeavesPackageAndWindowAsTheyWere_data();
    void failedSaveLeavesPackageAndWindowAsTheyWere();
    void packRefusesWhatItCannotPack_data();
    void packRefusesWhatItCannotPack();
    void suffixIsAddedUnlessThePathEndsInIt_data();
    void suffixIsAddedUnlessThePathEndsInIt();
    void packageAndFixtureAreReplacedTogether_data();
    void packageAndFixtureAreReplacedTogether();
    void failedFolderSaveLosesNothing_data();
    void failedFolderSaveLosesNothing();
    void anotherSaveIsWaitedForOrRefused_data();
    void anotherSaveIsWaitedForOrRefused();

private:
    // Saves `window`, which must fail with `cause` in the message pane and stay modified.
    void verifySaveFails(FakePackageWindow *window, const QString &cause);

    Harness m_harness;
};

void tst_PackageSave::cleanup()
{
    // Whatever a test did, no temporary file of a save outlives the processor.
    m_harness.tearDown();
    QCOMPARE(entriesBelow(m_harness.tempRoot), QStringList());
}

void tst_PackageSave::verifySaveFails(FakePackageWindow *window, const QString &cause)
{
    QVERIFY(!m_harness.processor->save(PackageProcessor::Save, window));
    const SRCore::LogRecord error =
        lastMessage(window, QStringLiteral("Can't save script package: %1"));
    QVERIFY2(error.argument.contains(cause), qPrintable(error.argument));
    QVERIFY(window->isWindowModified());
}

void tst_PackageSave::archiveHoldsTheMembersOfIncludedLanguages_data()
{
    QTest::addColumn<bool>("javaScript");
    QTest::addColumn<bool>("vbScript");
    QTest::addColumn<bool>("appleScript");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("programs");

    // clang-format off
    QTest::newRow("new package holds JavaScript only") << true << false << false << QStringList{"Router.js", "manifest.xml", "Router.tscript", "Router.xml"} << QStringList{"JavaScript=Router.js"};
    QTest::newRow("three languages in manifest order") << true << true << true << QStringList{"Router.js",    "Router.vbs",     "Router.scpt", "manifest.xml", "Router.tscript", "Router.xml"} << QStringList{"JavaScript=Router.js", "VBScript=Router.vbs", "AppleScript=Router.scpt"};
    QTest::newRow("no language, no program file") << false << false << false << QStringList{"manifest.xml", "Router.tscript", "Router.xml"} << QStringList();
    // clang-format on
}

void tst_PackageSave::archiveHoldsTheMembersOfIncludedLanguages()
{
    QFETCH(bool, javaScript);
    QFETCH(bool, vbScript);
    QFETCH(bool, appleScript);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, programs);

    FakePackageWindow *window = m_harness.newWindow();
    Scripter::Declaration *declaration = window->declaration();
    QVERIFY(declaration->setBasicValue(XMLKey::NAME, QStringLiteral("Router")));
    QVERIFY(declaration->setBasicValue(XMLKey::INCLUDEJAVASCRIPT, yesNo(javaScript)));
    QVERIFY(declaration->setBasicValue(XMLKey::INCLUDEVBSCRIPT, yesNo(vbScript)));
    QVERIFY(declaration->setBasicValue(XMLKey::INCLUDEAPPLESCRIPT, yesNo(appleScript)));
    const QString archive = m_harness.path(QStringLiteral("Router.tscript"));
    QVERIFY(m_harness.saveAs(window, archive));

    QCOMPARE(PythonZip::names(archive), entries);
    const QString folder = m_harness.unpacked(archive);
    QVERIFY(!folder.isEmpty());
    QStringList listed;
    for (const auto &program : Harness::manifestIn(folder).scriptProgramFiles()) {
        listed << program.language + QLatin1Char('=') + program.fileName;
        QCOMPARE(readFile(folder + QLatin1Char('/') + program.fileName),
                 window->texts.value(program.language).toUtf8());
    }
    QCOMPARE(listed, programs);
    QCOMPARE(readFile(folder + QStringLiteral("/Router.tscript")), QByteArray());
    QCOMPARE(QString::fromUtf8(readFile(folder + QStringLiteral("/Router.xml"))),
             declaration->toXml());
}

void tst_PackageSave::manifestListsItsFieldsInOrder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("withIcon");
    QTest::addColumn<QString>("instanceName");

    // clang-format off
    QTest::newRow("named script with icon") << QStringLiteral("Invoice Router") << true << QStringLiteral("Invoice Router");
    QTest::newRow("unnamed script takes the window number") << QString() << false << QStringLiteral("TavrixScript3");
    // clang-format on
}

void tst_PackageSave::manifestListsItsFieldsInOrder()
{
    QFETCH(QString, name);
    QFETCH(bool, withIcon);
    QFETCH(QString, instanceName);

    FakePackageWindow *window = nullptr;
    for (int number = 0; number <= 3; ++number) {
        window = m_harness.newWindow();
    }
    QVERIFY(window->declaration()->setBasicValue(XMLKey::NAME, name));
    const QString icon = m_harness.path(QStringLiteral("icons/router-icon.png"));
    QVERIFY(QDir().mkpath(QFileInfo(icon).path()));
    if (withIcon) {
        QVERIFY(!writePng(icon).isEmpty());
        QVERIFY(window->declaration()->setBasicValue(XMLKey::ICON, icon));
    }
    const QString archive = m_harness.path(QStringLiteral("Router.tscript"));
    QVERIFY(m_harness.saveAs(window, archive));

    const QString folder = m_harness.unpacked(archive);
    const SRCore::ScriptPackageManifest manifest = Harness::manifestIn(folder);
    QCOMPARE(manifest.fieldKeys(),
             (QStringList{XMLKey::SCRIPTERINSTANCENAME, XMLKey::SCRIPTPACKAGEFORMATVERSION,
                          XMLKey::SCRIPTERPASSWORD, XMLKey::SCRIPTDECLARATIONFILE,
                          XMLKey::SCRIPTPROGRAMFILES, XMLKey::SCRIPTICONFILE}));
    QCOMPARE(manifest.field(XMLKey::SCRIPTERINSTANCENAME), instanceName);
    QCOMPARE(manifest.field(XMLKey::SCRIPTPACKAGEFORMATVERSION), QStringLiteral("1.0"));
    QCOMPARE(manifest.field(XMLKey::SCRIPTERPASSWORD), QString(""));
    QCOMPARE(manifest.field(XMLKey::SCRIPTDECLARATIONFILE), QStringLiteral("Router.xml"));
    QCOMPARE(manifest.field(XMLKey::SCRIPTICONFILE),
             withIcon ? QStringLiteral("router-icon.png") : QString(""));
    if (withIcon) {
        QCOMPARE(readFile(folder + QStringLiteral("/router-icon.png")), readFile(icon));
    }
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
    auto *connection =
        new Scripter::FixtureItem(window->fixture(), Scripter::FixtureItem::OutgoingConnection,
                                  window->fixture()->tree()->outgoingGroup());
    QVERIFY(connection->setPropertyValue(XMLKey::CONNECTIONNAME, QStringLiteral("Large")));

    DialogAnswerer driver;
    driver.then(driver.chooseFile(folder + QStringLiteral("/Router")));
    QVERIFY(m_harness.processor->save(PackageProcessor::Save, window));
    QCOMPARE(driver.seen, QStringList{QStringLiteral("Save script package")});
    QCOMPARE(driver.fileDialogs,
             QStringList{"Save script package|Script packages (*.tscript);Script package folder "
                         "(unarchived) (*.tscript)|"
                         + folder + "|" + folder + "/Router.tscript"});

    const QString archive = folder + QStringLiteral("/Router.tscript");
    const QString fixture = folder + QStringLiteral("/Router.tfixture");
    QCOMPARE(entriesBelow(folder), (QStringList{"Router.tfixture", "Router.tscript"}));
    QVERIFY(!window->isUntitled());
    QCOMPARE(window->shownPath(), archive);
    QCOMPARE(window->recentPackages, QStringList{archive});
    QVERIFY(!window->isWindowModified());
    QCOMPARE(window->statusMessages, (QStringList{"Saving script package 'Router.tscript'",
                                                  "Script package was saved successfully"}));
    QCOMPARE(QSettings().value(QStringLiteral("General/LastSavePath")).toString(), folder);

    FakePackageWindow reader;
    QVERIFY(reader.loadFixture(fixture));
    QCOMPARE(reader.fixture()->tree()->outgoingGroup()->child(0)->text(0), QStringLiteral("Large"));

    // A titled package is saved where it is, without asking.
    DialogAnswerer silent;
    window->texts.insert(XMLValues::JAVASCRIPT, QStringLiteral("function timerFired( s ) {}\n"));
    QVERIFY(m_harness.processor->save(PackageProcessor::Save, window));
    QCOMPARE(silent.seen, QStringList());
    QCOMPARE(readFile(m_harness.unpacked(archive) + QStringLiteral("/Router.js")),
             QByteArray("function timerFired( s ) {}\n"));
}

void tst_PackageSave::cancelledPathDialogWritesNothing()
{
    const QString folder = m_harness.path(QStringLiteral("packages"));
    QVERIFY(QDir().mkpath(folder));
    QSettings().setValue(QStringLiteral("General/LastSavePath"), folder);
    FakePackageWindow *window = m_harness.newWindow();
    window->markModified();

    DialogAnswerer driver;
    driver.then(driver.chooseFile(QString()));
    QVERIFY(!m_harness.processor->save(PackageProcessor::Save, window));
    QVERIFY(driver.answeredAll());
    QCOMPARE(entriesBelow(folder), QStringList());
    QVERIFY(window->isUntitled());
    QVERIFY(window->isWindowModified());
    QCOMPARE(window->statusMessages, QStringList());
}

void tst_PackageSave::saveAsOffersTheFolderForm_data()
{
    QTest::addColumn<QString>("chosen");   // in the test's folder
    QTest::addColumn<QString>("existing"); // what the package folder holds before
    QTest::addColumn<QString>("answer");   // to a question about an existing package
    QTest::addColumn<QString>("written");  // the package folder, empty when nothing is saved

    // clang-format off
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
    driver.then(driver.chooseFile(
        m_harness.path(chosen), QStringLiteral("Script package folder (unarchived) (*.tscript)")));
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

    // The folder is the package from now on: a save goes back into it, and it opens.
    window->texts.insert(XMLValues::JAVASCRIPT, QStringLiteral("function timerFired( s ) {}\n"));
    DialogAnswerer silent;
    QVERIFY(m_harness.processor->save(PackageProcessor::Save, window));
    QCOMPARE(silent.seen, QStringList());
    QCOMPARE(readFile(packageFolder + QStringLiteral("/Router.js")),
             QByteArray("function timerFired( s ) {}\n"));
    m_harness.processor->removeWindow(window);
    QVERIFY(m_harness.processor->open(marker));
    QCOMPARE(m_harness.processor->windows().size(), 1);
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
}

void tst_PackageSave::savingWithoutChecksAsksNothing()
{
    FakePackageWindow *window = m_harness.newWindow();
    const QString archive = m_harness.path(QStringLiteral("Router.tscript"));
    QVERIFY(m_harness.saveAs(window, archive));
    window->setScriptText(XMLValues::JAVASCRIPT, QStringLiteral("function ( {"));

    DialogAnswerer driver;
    QVERIFY(m_harness.processor->save(PackageProcessor::SaveWithoutChecks, window));
    QCOMPARE(driver.seen, QStringList());
    QCOMPARE(readFile(m_harness.unpacked(archive) + QStringLiteral("/Router.js")),
             QByteArray("function ( {"));
}

void tst_PackageSave::failedSaveLeavesPackageAndWindowAsTheyWere_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("reasonMentions");

    // clang-format off
    QTest::newRow("icon file vanished") << "icon" << "Router.tscript" << "icons/router-icon.png";
    QTest::newRow("target folder can't be written") << "folder" << "Router.tscript" << "plain/Router.tscript";
    QTest::newRow("declaration would replace the manifest") << "name" << "manifest.tscript" << "two of its members would be called 'manifest.xml'";
    // clang-format on
}

void tst_PackageSave::failedSaveLeavesPackageAndWindowAsTheyWere()
{
    QFETCH(QString, failure);
    QFETCH(QString, fileName);
    QFETCH(QString, reasonMentions);

    FakePackageWindow *window = m_harness.newWindow();
    const QString icon = m_harness.path(QStringLiteral("icons/router-icon.png"));
    QVERIFY(QDir().mkpath(QFileInfo(icon).path()));
    QVERIFY(!writePng(icon).isEmpty());
    QVERIFY(window->declaration()->setBasicValue(XMLKey::ICON, icon));
    const QString archive = m_harness.path(QStringLiteral("Router.tscript"));
    const QString fixture = m_harness.path(QStringLiteral("Router.tfixture"));
    QVERIFY(m_harness.saveAs(window, archive));
    const QByteArray packageBefore = readFile(archive);
    const QByteArray fixtureBefore = readFile(fixture);

    window->setScriptText(XMLValues::JAVASCRIPT,
                          window->scriptText(XMLValues::JAVASCRIPT) + QStringLiteral("// more\n"));
    window->markModified();
    if (failure == QLatin1String("icon")) {
        QVERIFY(QFile::remove(icon));
        QVERIFY(!m_harness.processor->save(PackageProcessor::Save, window));
    } else if (failure == QLatin1String("folder")) {
        QVERIFY(writeFile(m_harness.path(QStringLiteral("plain")), "a file, not a folder"));
        QVERIFY(!m_harness.saveAs(window, m_harness.path(QStringLiteral("plain/Router.tscript"))));
    } else {
        QVERIFY(!m_harness.saveAs(window, m_harness.path(QStringLiteral("manifest.tscript"))));
    }

    QCOMPARE(readFile(archive), packageBefore);
    QCOMPARE(readFile(fixture), fixtureBefore);
    // Nothing was written anywhere else either.
    QStringList expected{"Router.tfixture", "Router.tscript", "icons", "temp"};
    if (failure == QLatin1String("folder")) {
        expected << QStringLiteral("plain");
    }
    QStringList entries = entriesBelow(m_harness.dir->path());
    entries.sort();
    expected.sort();
    QCOMPARE(entries, expected);
    QCOMPARE(window->shownPath(), archive);
    QVERIFY(window->isWindowModified());
    QCOMPARE(window->statusMessages.last(),
             QStringLiteral("Script package '%1' could not be saved; see message log for more "
                            "information")
                 .arg(fileName));
    const SRCore::LogRecord error =
        lastMessage(window, QStringLiteral("Can't save script package: %1"));
    QCOMPARE(error.level, SRCore::LogLevel::Error);
    QVERIFY2(error.argument.contains(reasonMentions), qPrintable(error.argument));
    QCOMPARE(entriesBelow(m_harness.tempRoot), QStringList());
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

void tst_PackageSave::packageAndFixtureAreReplacedTogether_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("cause");

    // clang-format off
    QTest::newRow("folder at the fixture's path") << "folder" << "Router.tfixture': it is a folder";
    QTest::newRow("fixture linked into a place that can't be written") << "link" << "Router.tfixture': No such file or directory";
    QTest::newRow("immutable fixture") << "immutable" << "Router.tfixture': Operation not permitted";
    QTest::newRow("full disk") << "full" << "No space left on device";
    // clang-format on
}

void tst_PackageSave::packageAndFixtureAreReplacedTogether()
{
    QFETCH(QString, fault);
    QFETCH(QString, cause);

    const QString disk = m_harness.path(QStringLiteral("disk"));
    FileSystemFaults::Faults faults;
    if (fault == QLatin1String("full") && !faults.smallFileSystem(disk, 1024 * 1024)) {
        QSKIP(qPrintable(faults.reason()));
    }
    QVERIFY(QDir().mkpath(disk));
    const QString archive = disk + QStringLiteral("/Router.tscript");
    const QString fixture = disk + QStringLiteral("/Router.tfixture");
    FakePackageWindow *window = m_harness.newWindow();
    QVERIFY(m_harness.saveAs(window, archive));
    const QByteArray packageBefore = readFile(archive);
    const QByteArray fixtureBefore = readFile(fixture);
    window->setScriptText(XMLValues::JAVASCRIPT,
                          window->texts.value(XMLValues::JAVASCRIPT) + QStringLiteral("// more\n"));
    window->markModified();

    if (fault == QLatin1String("folder")) {
        QVERIFY(QFile::remove(fixture));
        QVERIFY(QDir().mkpath(fixture));
    } else if (fault == QLatin1String("link")) {
        QVERIFY(QFile::remove(fixture));
        QVERIFY(QFile::link(QStringLiteral("/proc/no-such-folder/Router.tfixture"), fixture));
    } else if (fault == QLatin1String("immutable")) {
        if (!faults.immutable(fixture)) {
            QSKIP(qPrintable(faults.reason()));
        }
    } else {
        QVERIFY(FileSystemFaults::fill(disk));
    }

    verifySaveFails(window, cause);
    QCOMPARE(readFile(archive), packageBefore);
    if (fault == QLatin1String("immutable") || fault == QLatin1String("full")) {
        QCOMPARE(readFile(fixture), fixtureBefore);
    }
    QStringList expected{"Router.tfixture", "Router.tscript"};
    if (fault == QLatin1String("full")) {
        expected.prepend(QStringLiteral("filler"));
    }
    QCOMPARE(entriesBelow(disk), expected);
}

void tst_PackageSave::failedFolderSaveLosesNothing_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("cause");

    // clang-format off
    QTest::newRow("immutable file in a sub-folder") << "immutable" << "samples/job.xml' can't be removed";
    QTest::newRow("read-only mount in a sub-folder") << "read-only" << "samples' can't be changed";
    QTest::newRow("full disk") << "full" << "No space left on device";
    // clang-format on
}

void tst_PackageSave::failedFolderSaveLosesNothing()
{
    QFETCH(QString, fault);
    QFETCH(QString, cause);

    const QString disk = m_harness.path(QStringLiteral("disk"));
    FileSystemFaults::Faults faults;
    if (fault == QLatin1String("full") && !faults.smallFileSystem(disk, 1024 * 1024)) {
        QSKIP(qPrintable(faults.reason()));
    }
    const QString folder = disk + QStringLiteral("/Router");
    FakePackageWindow *author = m_harness.newWindow();
    QVERIFY(m_harness.saveAs(author, m_harness.path(QStringLiteral("Router.tscript"))));
    QVERIFY(PackageProcessor::unpack(m_harness.path(QStringLiteral("Router.tscript")), folder));
    QVERIFY(QFile::copy(m_harness.path(QStringLiteral("Router.tfixture")),
                        folder + QStringLiteral("/Router.tfixture")));
    QVERIFY(writeFile(folder + QStringLiteral("/samples/job.xml"), "<Job/>"));
    FakePackageWindow *window = m_harness.newWindow();
    QVERIFY(m_harness.processor->open(folder + QStringLiteral("/Router.tscript"), window));
    window->setScriptText(XMLValues::JAVASCRIPT, QStringLiteral("function edited() {}\n"));
    window->markModified();

    if (fault == QLatin1String("immutable")
            ? !faults.immutable(folder + QStringLiteral("/samples/job.xml"))
            : fault == QLatin1String("read-only")
                  && !faults.mountOnItself(folder + QStringLiteral("/samples"), true)) {
        QSKIP(qPrintable(faults.reason()));
    }
    if (fault == QLatin1String("full")) {
        QVERIFY(FileSystemFaults::fill(disk));
    }
    const ZipTest::Snapshot before = ZipTest::snapshot(folder);

    verifySaveFails(window, cause);
    const ZipTest::Snapshot after = ZipTest::snapshot(folder);
    QVERIFY2(ZipTest::differences(before.contents, after.contents).isEmpty(),
             qPrintable(ZipTest::differences(before.contents, after.contents)));
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
