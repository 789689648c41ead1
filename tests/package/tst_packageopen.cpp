// Opening script packages into windows: what a saved package brings back, the password, the
// fixture file and the unarchived folder forms, every kind of bad input (refused with a clear
// message, the window left as it was), and the list of windows the processor keeps.

#include "common/testmain.h"

#include "common/hostilezip.h"
#include "packagetestsupport.h"

#include "package/declarationitem.h"
#include "package/declarationtree.h"

#include "testing/fixtureitem.h"
#include "testing/fixturetree.h"

#include <QDomDocument>

using namespace PackageTest;
using Scripter::DeclarationItem;
using Scripter::PackageProcessor;

namespace {

// The refusal of a package that can't be read names the file; the cause follows, as the message
// pane holds it.
const QString refusal = QStringLiteral("File open error|Script package '%1' is not valid:\n");

QByteArray manifestText(const QString &declarationFile)
{
    SRCore::ScriptPackageManifest manifest;
    manifest.setField(XMLKey::SCRIPTERINSTANCENAME, QStringLiteral("Router"));
    manifest.setField(XMLKey::SCRIPTPACKAGEFORMATVERSION, QStringLiteral("1.0"));
    manifest.setField(XMLKey::SCRIPTDECLARATIONFILE, declarationFile);
    return manifest.toDomDocument().toByteArray();
}

QByteArray declarationText()
{
    FakePackageWindow window;
    return window.declaration()->toXml().toUtf8();
}

// What the user sees of a window that a refused open must not have touched.
QStringList describe(const FakePackageWindow *window)
{
    return {window->isUntitled() ? QStringLiteral("untitled") : window->shownPath(),
            window->declaration()->elementName(), window->scriptText(XMLValues::JAVASCRIPT),
            window->isWindowModified() ? QStringLiteral("modified") : QStringLiteral("saved"),
            window->recentPackages.join(QLatin1Char(';'))};
}

// Saves a package "Router" from a window that is then closed; returns its path, empty on failure.
QString savedPackage(Harness &harness, const std::function<void(FakePackageWindow *)> &prepare = {})
{
    FakePackageWindow *author = harness.newWindow();
    author->declaration()->setBasicValue(XMLKey::NAME, QStringLiteral("Router"));
    if (prepare) {
        prepare(author);
    }
    const QString archive = harness.path(QStringLiteral("Router.tscript"));
    const bool saved = harness.saveAs(author, archive);
    harness.processor->removeWindow(author);
    return saved ? archive : QString();
}

void protect(FakePackageWindow *author)
{
    author->declaration()->setBasicValue(XMLKey::PASSWORDPROTECTED, XMLValues::YES);
    author->declaration()->setBasicValue(XMLKey::PASSWORD, QStringLiteral("Secret1"));
    author->declaration()->setBasicValue(XMLKey::VERIFYPASSWORD, QStringLiteral("Secret1"));
}

// `path` once `content` is written there; empty when it can't be.
QString written(const QString &path, const QByteArray &content)
{
    return writeFile(path, content) ? path : QString();
}

// The archive "Router.tscript" of `entries`, written by an independent writer.
QString zipped(Harness &harness, const QList<PythonZip::Entry> &entries)
{
    const QString archive = harness.path(QStringLiteral("Router.tscript"));
    return PythonZip::write(archive, entries) ? archive : QString();
}

// The folder form of a saved package, whose program is a link to a private file.
QString folderWithLink(Harness &harness)
{
    const QString marker = harness.path(QStringLiteral("Router/Router.tscript"));
    const QString privateFile = written(harness.path(QStringLiteral("private.txt")), "private");
    return PackageProcessor::unpack(savedPackage(harness), QFileInfo(marker).path())
                   && QFile::link(privateFile, harness.path(QStringLiteral("Router/Router.vbs")))
               ? marker
               : QString();
}

// Makes the bad input in the test's folder and returns the path to open; empty when it can't.
using MakeInput = std::function<QString(Harness &)>;

} // namespace

Q_DECLARE_METATYPE(MakeInput)

class tst_PackageOpen : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_harness.setUp(); }
    void cleanup();

    void roundTripBringsThePackageBack();
    void protectedPackageAsksForItsPassword_data();
    void protectedPackageAsksForItsPassword();
    void unarchivedFolderOpensWithoutPasswordAndSavesBack();
    void packageIsKnownByItsSuffix();
    void badInputIsRefusedAndLosesNothing_data();
    void badInputIsRefusedAndLosesNothing();
    void parseErrorsTellLineAndColumn_data();
    void parseErrorsTellLineAndColumn();
    void compiledAppleScriptStaysWhileItsProgramDoes();
    void openDialogAsksForAPackage();

    void openChoosesTheWindow_data();
    void openChoosesTheWindow();
    void openPackageOnlyComesToTheFront();
    void newWindowIsPlacedBesideTheActiveOne();
    void removedWindowsAreDeletedLater();

private:
    QString savedPackage(const std::function<void(FakePackageWindow *)> &prepare = {})
    {
        return ::savedPackage(m_harness, prepare);
    }

    Harness m_harness;
};

void tst_PackageOpen::cleanup()
{
    m_harness.tearDown();
    QCOMPARE(entriesBelow(m_harness.tempRoot), QStringList());
}

void tst_PackageOpen::roundTripBringsThePackageBack()
{
    const QString icon = writePng(m_harness.path(QStringLiteral("router-icon.png")));
    QHash<QString, QString> texts;
    const QString archive = savedPackage([&](FakePackageWindow *author) {
        Scripter::Declaration *declaration = author->declaration();
        declaration->setBasicValue(XMLKey::INCLUDEVBSCRIPT, XMLValues::YES);
        declaration->setBasicValue(XMLKey::ICON, icon);
        edit(addDefinition(*author, DeclarationItem::ElementGroupKind), XMLKey::DEF_TAG,
             QStringLiteral("Resolution"));
        edit(addDefinition(*author, DeclarationItem::ConnectionGroupKind), XMLKey::DEF_TAG,
             QStringLiteral("Priority"));
        author->setScriptText(XMLValues::VBSCRIPT,
                              QStringLiteral("' Grüße\nFunction timerFired(s)\nEnd Function\n"));
        auto *connection =
            new Scripter::FixtureItem(author->fixture(), Scripter::FixtureItem::OutgoingConnection,
                                      author->fixture()->tree()->outgoingGroup());
        connection->setPropertyValue(XMLKey::CONNECTIONNAME, QStringLiteral("Large"));
        texts = author->texts;
    });
    QVERIFY(!archive.isEmpty());

    // Opened through its fixture file, which stands for the package beside it.
    FakePackageWindow *reader = m_harness.newWindow();
    QVERIFY(m_harness.processor->open(m_harness.path(QStringLiteral("Router.tfixture"))));
    QCOMPARE(m_harness.processor->windows(), QList<Scripter::IPackageWindow *>{reader});

    Scripter::Declaration *declaration = reader->declaration();
    QCOMPARE(declaration->elementName(), QStringLiteral("Router"));
    QCOMPARE(declaration->elementPropertyTags(), QStringList{"Resolution"});
    QCOMPARE(declaration->connectionPropertyTags(), QStringList{"Priority"});
    QCOMPARE(reader->scriptText(XMLValues::JAVASCRIPT), texts.value(XMLValues::JAVASCRIPT));
    QCOMPARE(reader->scriptText(XMLValues::VBSCRIPT), texts.value(XMLValues::VBSCRIPT));
    QCOMPARE(reader->languages, (QHash<QString, bool>{{XMLValues::JAVASCRIPT, true},
                                                      {XMLValues::VBSCRIPT, true},
                                                      {XMLValues::APPLESCRIPT, false}}));
    // The icon is a copy that lives as long as the window.
    QVERIFY(declaration->iconPath() != icon);
    QCOMPARE(readFile(declaration->iconPath()), readFile(icon));
    const Scripter::FixtureTree *fixture = reader->fixture()->tree();
    QCOMPARE(fixture->basicItem()->text(0), QStringLiteral("Router"));
    QCOMPARE(fixture->outgoingGroup()->child(0)->text(0), QStringLiteral("Large"));
    QCOMPARE(reader->fixtureLoads, QStringList{m_harness.path("Router.tfixture")});

    QCOMPARE(reader->shownPath(), archive);
    QCOMPARE(reader->recentPackages, QStringList{archive});
    QVERIFY(!reader->isWindowModified());
    QCOMPARE(reader->statusMessages, (QStringList{"Opening script package 'Router.tscript'",
                                                  "Script package was opened successfully"}));
    QCOMPARE(QSettings().value(QStringLiteral("General/LastOpenPath")).toString(),
             m_harness.dir->path());

    m_harness.processor->removeWindow(reader);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(entriesBelow(m_harness.tempRoot), QStringList());
}

void tst_PackageOpen::protectedPackageAsksForItsPassword_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("opens");

    QTest::newRow("the password opens") << QStringLiteral("Secret1") << true;
    QTest::newRow("other letter case is refused") << QStringLiteral("secret1") << false;
    QTest::newRow("cancelled prompt is refused") << QString() << false;
}

void tst_PackageOpen::protectedPackageAsksForItsPassword()
{
    QFETCH(QString, typed);
    QFETCH(bool, opens);

    const QString archive = savedPackage(protect);
    FakePackageWindow *reader = m_harness.newWindow();
    const QStringList before = describe(reader);

    DialogAnswerer driver;
    driver.then(DialogAnswerer::typePassword(typed));
    driver.then(DialogAnswerer::click(QStringLiteral("OK")));
    QCOMPARE(m_harness.processor->open(archive), opens);
    const QStringList refusal{"Password error| Invalid password, the script can not be opened."};
    QCOMPARE(driver.seen, QStringList{"Enter password"} + (opens ? QStringList() : refusal));
    if (!opens) {
        QCOMPARE(describe(reader), before);
        return;
    }
    // The package stays protected on the next save.
    QCOMPARE(reader->declaration()->basicValue(XMLKey::VERIFYPASSWORD), QStringLiteral("Secret1"));
    reader->markModified();
    QVERIFY(m_harness.processor->save(PackageProcessor::Save, reader));
    QCOMPARE(PythonZip::encryptedNames(archive), PythonZip::names(archive));
}

void tst_PackageOpen::unarchivedFolderOpensWithoutPasswordAndSavesBack()
{
    const QString archive = savedPackage(protect);
    const QString folder = m_harness.path(QStringLiteral("work/Router"));
    QVERIFY(PackageProcessor::unpack(archive, folder));
    QVERIFY(QFile::copy(m_harness.path(QStringLiteral("Router.tfixture")),
                        folder + QStringLiteral("/Router.tfixture")));
    // Version control, a file left from an old version, and names made of its letters.
    for (const char *name : {"/.svn/entries", "/_svn", "/stale.txt", "/nn", "/s.v"}) {
        QVERIFY(writeFile(folder + QString::fromUtf8(name), "12"));
    }
    const QString marker = folder + QStringLiteral("/Router.tscript");

    FakePackageWindow *reader = m_harness.newWindow();
    DialogAnswerer noPrompt;
    QVERIFY(m_harness.processor->open(marker));
    QCOMPARE(noPrompt.seen, QStringList());
    QVERIFY(reader->isAlternatePath());
    QCOMPARE(reader->shownPath(), marker);
    QCOMPARE(m_harness.processor->windowFor(marker), reader);
    QCOMPARE(reader->declaration()->basicValue(XMLKey::PASSWORD), QStringLiteral("Secret1"));
    QCOMPARE(reader->fixtureLoads, QStringList{folder + "/Router.tfixture"});

    // Saving writes back into the folder: the members replace everything but version control.
    reader->setScriptText(XMLValues::JAVASCRIPT, QStringLiteral("function timerFired( s ) {}\n"));
    reader->markModified();
    QVERIFY(m_harness.processor->save(PackageProcessor::Save, reader));
    QCOMPARE(noPrompt.seen, QStringList());
    QCOMPARE(entriesBelow(folder),
             (QStringList{".svn", "_svn", "manifest.xml", "Router.js", "Router.tfixture",
                          "Router.tscript", "Router.xml"}));
    QCOMPARE(readFile(folder + QStringLiteral("/.svn/entries")), QByteArray("12"));
    QCOMPARE(readFile(folder + QStringLiteral("/Router.js")),
             QByteArray("function timerFired( s ) {}\n"));
    QCOMPARE(readFile(marker), QByteArray());
    QCOMPARE(Harness::manifestIn(folder).field(XMLKey::SCRIPTERPASSWORD),
             QStringLiteral("Secret1"));
    QVERIFY(reader->isAlternatePath());
    QCOMPARE(reader->shownPath(), marker);

    // Saved as an archive, it is an archive from then on, protected as before.
    const QString copy = m_harness.path(QStringLiteral("Copy.tscript"));
    QVERIFY(m_harness.saveAs(reader, copy));
    QVERIFY(!reader->isAlternatePath());
    QCOMPARE(reader->shownPath(), copy);
    QCOMPARE(PythonZip::encryptedNames(copy), PythonZip::names(copy));
}

void tst_PackageOpen::packageIsKnownByItsSuffix()
{
    // Another package whose name a contains() test would find inside the first one's.
    const QString other = savedPackage();
    const QString package = m_harness.path(QStringLiteral("Router.tfixture.tscript"));
    QVERIFY(QFile::copy(other, package));

    FakePackageWindow *reader = m_harness.newWindow();
    DialogAnswerer driver;
    driver.then(DialogAnswerer::click(QStringLiteral("OK")));
    QVERIFY(m_harness.processor->open(package));
    QCOMPARE(driver.seen, QStringList());
    QCOMPARE(reader->shownPath(), package);
}

void tst_PackageOpen::badInputIsRefusedAndLosesNothing_data()
{
    QTest::addColumn<MakeInput>("make");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("reason");      // in the message pane; none for a missing file
    QTest::addColumn<bool>("besideModified"); // opened beside a modified window, into a new one

    using Entries = QList<PythonZip::Entry>;
    const auto manifest = [](const char *declaration) {
        return PythonZip::Entry{"manifest.xml", manifestText(declaration)};
    };
    const PythonZip::Entry declaration{"Router.xml", declarationText()};
    // clang-format off
    QTest::newRow("missing file") << MakeInput([](Harness &h) { return h.path("Nothing.tscript"); }) << "File open error|File %1 not exist." << "" << false;
    QTest::newRow("fixture file without its package") << MakeInput([](Harness &h) { return written(h.path("Lonely.tfixture"), "fixture"); }) << "File open error|You double-clicked on a script fixture file;\nthis file cannot be opened in TavrixScripter.\nThe corresponding script file could not be located." << "" << false;
    QTest::newRow("empty marker in a folder of another name") << MakeInput([](Harness &h) { return written(h.path("Other/manifest.xml"), manifestText("Router.xml")).isEmpty() ? QString() : written(h.path("Other/Router.tscript"), ""); }) << refusal << "must have the name of its marker file" << false;
    QTest::newRow("not a zip archive") << MakeInput([](Harness &h) { return written(h.path("Router.tscript"), "PK\x03\x04 but no archive"); }) << refusal << "zip" << false;
    QTest::newRow("not a zip archive, beside a modified window") << MakeInput([](Harness &h) { return written(h.path("Router.tscript"), "PK\x03\x04 but no archive"); }) << refusal << "zip" << true;
    QTest::newRow("entry reaching outside the folder") << MakeInput([=](Harness &h) { return zipped(h, Entries{manifest("Router.xml"), declaration, {"../escaped.txt", "outside"}}); }) << refusal << "../escaped.txt" << false;
    QTest::newRow("manifest naming a member outside") << MakeInput([=](Harness &h) { return zipped(h, Entries{manifest("../Router.xml"), declaration}); }) << refusal << "lacks its member '../Router.xml'" << false;
    QTest::newRow("archive without manifest") << MakeInput([=](Harness &h) { return zipped(h, Entries{declaration}); }) << refusal << "has no manifest" << false;
    QTest::newRow("declaration of another kind") << MakeInput([=](Harness &h) { return zipped(h, Entries{manifest("Router.xml"), {"Router.xml", "<Flow/>"}}); }) << refusal << "Object" << false;
    QTest::newRow("declaration of another kind, beside a modified window") << MakeInput([=](Harness &h) { return zipped(h, Entries{manifest("Router.xml"), {"Router.xml", "<Flow/>"}}); }) << refusal << "Object" << true;
    QTest::newRow("member of 1 GB of zeros") << MakeInput([](Harness &h) { return HostileZip::write(h.path("Router.tscript"), {HostileZip::stored("manifest.xml", manifestText("Router.xml")), HostileZip::stored("Router.xml", declarationText()), HostileZip::deflatedRepeat("Router.js", QByteArray(1024 * 1024, '\0'), 1024)}) ? h.path("Router.tscript") : QString(); }) << refusal << "entry 'Router.js' is compressed more than 1000 to 1" << false;
    QTest::newRow("symbolic link in the package folder") << MakeInput(folderWithLink) << refusal << "Router/Router.vbs' is a symbolic link" << false;
    // clang-format on
}

void tst_PackageOpen::badInputIsRefusedAndLosesNothing()
{
    QFETCH(MakeInput, make);
    QFETCH(QString, box);
    QFETCH(QString, reason);
    QFETCH(bool, besideModified);

    const QString file = make(m_harness);
    QVERIFY(!file.isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    FakePackageWindow *current = m_harness.newWindow();
    if (besideModified) {
        current->markModified();
    }
    const QStringList before = describe(current);
    const int made = m_harness.windowsMade;
    DialogAnswerer driver;
    driver.then(DialogAnswerer::click(QStringLiteral("OK")));
    QVERIFY(!m_harness.processor->open(file));

    // The window is as it was, a window made for the package is gone, nothing is unpacked.
    QCOMPARE(m_harness.processor->windows(), QList<Scripter::IPackageWindow *>{current});
    QCOMPARE(describe(current), before);
    QCOMPARE(m_harness.windowsMade, made + (besideModified ? 1 : 0));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    int shown = 0;
    for (const QWidget *widget : QApplication::topLevelWidgets()) {
        shown += dynamic_cast<const FakePackageWindow *>(widget) ? 1 : 0;
    }
    QCOMPARE(shown, 1);
    QVERIFY(!QFileInfo::exists(m_harness.tempRoot + QStringLiteral("/escaped.txt")));

    // The box names the file and the cause; so does the message pane of the window read into.
    const QString shownBox = driver.seen.value(0);
    const QString boxStart = box.contains(QLatin1String("%1")) ? box.arg(file) : box;
    QVERIFY2(shownBox.startsWith(boxStart) && shownBox.contains(reason), qPrintable(shownBox));
    QCOMPARE(driver.seen.size(), 1);
    const SRCore::LogRecord message =
        lastMessage(current, QStringLiteral("Can't open script package: %1"));
    QCOMPARE(!message.operation.isEmpty(), !reason.isEmpty() && !besideModified);
    if (!message.operation.isEmpty()) {
        QCOMPARE(message.level, SRCore::LogLevel::Error);
        QCOMPARE(shownBox, boxStart + message.argument);
    }
}

void tst_PackageOpen::parseErrorsTellLineAndColumn_data()
{
    QTest::addColumn<QByteArray>("manifest");
    QTest::addColumn<QByteArray>("declaration");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("line");

    // clang-format off
    QTest::newRow("malformed manifest") << QByteArray("<Manifest>\n  <ScripterInstanceName>Router</Manifest>\n") << declarationText() << "Parse error in manifest from package '%11': line %12, column %13, message '%14'" << 2;
    QTest::newRow("malformed declaration") << manifestText(QStringLiteral("Router.xml")) << QByteArray("<Object>\n<ElementFields>\n</Object>\n") << "Parse error in declaration from package '%11': line %12, column %13, message '%14'" << 3;
    // clang-format on
}

void tst_PackageOpen::parseErrorsTellLineAndColumn()
{
    QFETCH(QByteArray, manifest);
    QFETCH(QByteArray, declaration);
    QFETCH(QString, message);
    QFETCH(int, line);

    const QString archive = m_harness.path(QStringLiteral("Router.tscript"));
    QVERIFY(PythonZip::write(archive, {{QStringLiteral("manifest.xml"), manifest},
                                       {QStringLiteral("Router.xml"), declaration}}));
    FakePackageWindow *current = m_harness.newWindow();
    DialogAnswerer driver;
    driver.then(DialogAnswerer::click(QStringLiteral("OK")));
    QVERIFY(!m_harness.processor->open(archive));
    QCOMPARE(driver.seen.size(), 1);
    QVERIFY2(driver.seen.first().startsWith(refusal.arg(archive)), qPrintable(driver.seen.first()));

    const SRCore::LogRecord error = lastMessage(current, message);
    QCOMPARE(error.level, SRCore::LogLevel::Error);
    const QStringList parts = error.argument.split(QLatin1Char(','));
    QVERIFY2(parts.size() >= 4, qPrintable(error.argument));
    QCOMPARE(parts.at(0), archive);
    QCOMPARE(parts.at(1).toInt(), line);
    QVERIFY(parts.at(2).toInt() > 0);
    QVERIFY(!parts.at(3).isEmpty());
}

void tst_PackageOpen::compiledAppleScriptStaysWhileItsProgramDoes()
{
    const QString archive = savedPackage([](FakePackageWindow *author) {
        author->declaration()->setBasicValue(XMLKey::INCLUDEAPPLESCRIPT, XMLValues::YES);
    });
    // The compiled form that a Mac would have added.
    const QString folder = m_harness.unpacked(archive);
    QVERIFY(writeFile(folder + QStringLiteral("/compiledAppleScript.scpt"), "FasdUAS 1.101.10"));
    SRCore::ScriptPackageManifest manifest = Harness::manifestIn(folder);
    QVERIFY(manifest.setField(XMLKey::APPLEBINARYFILE, QStringLiteral("compiledAppleScript.scpt")));
    QVERIFY(SRCore::FileHandler::saveDomElement(manifest.toDomDocument(),
                                                folder + QStringLiteral("/manifest.xml")));
    QStringList members;
    for (const QString &name : entriesBelow(folder)) {
        members << folder + QLatin1Char('/') + name;
    }
    QVERIFY(QFile::remove(archive));
    QVERIFY(PackageProcessor::pack(archive, members, false));

    FakePackageWindow *reader = m_harness.newWindow();
    QVERIFY(m_harness.processor->open(archive));
    const QString program = reader->scriptText(XMLValues::APPLESCRIPT);
    const auto saveAndList = [&] {
        reader->markModified();
        return m_harness.processor->save(PackageProcessor::Save, reader)
                   ? PythonZip::names(archive).filter(QStringLiteral("compiled"))
                   : QStringList{"save failed"};
    };
    QCOMPARE(saveAndList(), QStringList{"compiledAppleScript.scpt"});
    QCOMPARE(readFile(m_harness.unpacked(archive) + QStringLiteral("/compiledAppleScript.scpt")),
             QByteArray("FasdUAS 1.101.10"));

    // A changed program can't be compiled here: the stale compiled form is left out, for good.
    reader->setScriptText(XMLValues::APPLESCRIPT, QStringLiteral("on timerfired(s)\nend\n"));
    QCOMPARE(saveAndList(), QStringList());
    QCOMPARE(lastMessage(reader, QStringLiteral("The compiled AppleScript is left out of the "
                                                "package: its program was changed and can't be "
                                                "compiled here"))
                 .level,
             SRCore::LogLevel::Warning);
    QVERIFY(!Harness::manifestIn(m_harness.unpacked(archive)).hasField(XMLKey::APPLEBINARYFILE));
    reader->setScriptText(XMLValues::APPLESCRIPT, program);
    QCOMPARE(saveAndList(), QStringList());
}

void tst_PackageOpen::openDialogAsksForAPackage()
{
    const QString archive = savedPackage();
    QSettings().setValue(QStringLiteral("General/LastOpenPath"), m_harness.dir->path());
    FakePackageWindow *reader = m_harness.newWindow();

    DialogAnswerer cancelled;
    cancelled.then(cancelled.chooseFile(QString()));
    QVERIFY(!m_harness.processor->openDialog());
    QCOMPARE(cancelled.seen, QStringList{"Choose script package"});
    QVERIFY(reader->isUntitled());

    DialogAnswerer chosen;
    chosen.then(chosen.chooseFile(archive));
    QVERIFY(m_harness.processor->openDialog());
    QCOMPARE(chosen.fileDialogs.value(0).section(QLatin1Char('|'), 0, 1),
             QStringLiteral("Choose script package|Script packages (*.tscript)"));
    QCOMPARE(reader->shownPath(), archive);
}

void tst_PackageOpen::openChoosesTheWindow_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("titled");
    QTest::addColumn<bool>("reused");

    QTest::newRow("untitled and unmodified window is reused") << false << false << true;
    QTest::newRow("modified window is kept") << true << false << false;
    QTest::newRow("window holding a package is kept") << false << true << false;
}

void tst_PackageOpen::openChoosesTheWindow()
{
    QFETCH(bool, modified);
    QFETCH(bool, titled);
    QFETCH(bool, reused);

    const QString archive = savedPackage();
    FakePackageWindow *window = m_harness.newWindow();
    if (modified) {
        window->markModified();
    }
    if (titled) {
        QVERIFY(m_harness.saveAs(window, m_harness.path(QStringLiteral("Other.tscript"))));
    }
    const QStringList before = describe(window);

    QVERIFY(m_harness.processor->open(archive));
    const QList<Scripter::IPackageWindow *> windows = m_harness.processor->windows();
    QCOMPARE(windows.size(), reused ? 1 : 2);
    QCOMPARE(m_harness.processor->windowFor(archive), windows.last());
    if (!reused) {
        QCOMPARE(describe(window), before);
        QVERIFY(windows.last()->widget()->isVisible());
    }
}

void tst_PackageOpen::openPackageOnlyComesToTheFront()
{
    const QString archive = savedPackage();
    FakePackageWindow *holder = m_harness.newWindow();
    QVERIFY(m_harness.processor->open(archive));
    FakePackageWindow *other = m_harness.newWindow();
    holder->showMinimized();
    const int statusCount = holder->statusMessages.size();

    QVERIFY(m_harness.processor->open(archive));
    QVERIFY(m_harness.processor->open(m_harness.path(QStringLiteral("Router.tfixture"))));
    QCOMPARE(m_harness.processor->windows(), (QList<Scripter::IPackageWindow *>{holder, other}));
    QVERIFY(!(holder->windowState() & Qt::WindowMinimized));
    QCOMPARE(holder->statusMessages.size(), statusCount);
}

void tst_PackageOpen::newWindowIsPlacedBesideTheActiveOne()
{
    FakePackageWindow *first = m_harness.newWindow();
    QVERIFY(first->isVisible());
    first->move(100, 120);
    first->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(first));
    QCOMPARE(m_harness.processor->activeWindow(), first);

    FakePackageWindow *second = m_harness.newWindow();
    QVERIFY(second->isVisible());
    QCOMPARE(second->pos(), first->pos() + QPoint(40, 40));
    QCOMPARE(m_harness.processor->windows(), (QList<Scripter::IPackageWindow *>{first, second}));
}

void tst_PackageOpen::removedWindowsAreDeletedLater()
{
    FakePackageWindow *first = m_harness.newWindow();
    QPointer<FakePackageWindow> second = m_harness.newWindow();
    m_harness.processor->removeWindow(second);
    QCOMPARE(m_harness.processor->windows(), QList<Scripter::IPackageWindow *>{first});
    // Still there for the rest of its close event.
    QVERIFY(second);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!second);

    // A window deleted by somebody else leaves the list too.
    delete first;
    QCOMPARE(m_harness.processor->windows(), QList<Scripter::IPackageWindow *>());

    // The windows still listed go with the processor.
    QPointer<FakePackageWindow> third = m_harness.newWindow();
    m_harness.processor.reset();
    QVERIFY(!third);
}

TAVRIX_TEST_MAIN(tst_PackageOpen)
#include "tst_packageopen.moc"
