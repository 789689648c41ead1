// Saving a window's script package: the members and the manifest, protection, the target path
// and the fixture beside it, the syntax questions, and that a failed save leaves the package on
// disk and the window as they were.

#include "common/testmain.h"

#include "packagetestsupport.h"

#include "package/scriptpackage.h"

#include "testing/fixtureitem.h"
#include "testing/fixturetree.h"

#include "corelib/archive/ziphelper.h"
#include "corelib/logging/logrecord.h"

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
    for (auto it = window->log.records.crbegin(); it != window->log.records.crend(); ++it) {
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
    void syntaxErrorsAskBeforeSaving_data();
    void syntaxErrorsAskBeforeSaving();
    void savingWithoutChecksAsksNothing();
    void failedSaveLeavesPackageAndWindowAsTheyWere_data();
    void failedSaveLeavesPackageAndWindowAsTheyWere();
    void packRefusesWhatItCannotPack_data();
    void packRefusesWhatItCannotPack();

private:
    Harness m_harness;
};

void tst_PackageSave::cleanup()
{
    // Whatever a test did, no temporary file of a save outlives the processor.
    m_harness.tearDown();
    QCOMPARE(entriesBelow(m_harness.tempRoot), QStringList());
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
    QCOMPARE(driver.fileDialogs, QStringList{"Save script package|Script packages (*.tscript)|"
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
    const QString javaScriptQuestion = QStringLiteral(
        "Save|JavaScript code contains syntax error(s).\nDo you want save this package?");
    const QString javaScriptMessage = QStringLiteral("Error in script '%11', line %12: %13");
    const QString vbScript = XMLValues::VBSCRIPT;
    const QString brokenVbScript = QStringLiteral("Function jobArrived(s, job)\nEnd Sub\n");
    const QString vbScriptQuestion = QStringLiteral(
        "Save|VBScript code contains syntax error(s).\nDo you want save this package?");
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

TAVRIX_TEST_MAIN(tst_PackageSave)
#include "tst_packagesave.moc"
