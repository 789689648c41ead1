// The main window: its title and paths, the recent packages, the modified marks, its layout
// and settings, the closing questions, the edit commands and the hook of a test run.

#include "common/testmain.h"

#include "apptestsupport.h"

#include "app/coreactions.h"
#include "app/scripteractions.h"
#include "app/scriptermessagepane.h"
#include "app/settingskeys.h"

#include "package/declaration.h"
#include "package/declarationtree.h"
#include "testing/fixture.h"
#include "testing/fixtureitem.h"
#include "testing/fixturetree.h"

#include "editors/applescripteditor.h"
#include "editors/javascripteditor.h"
#include "editors/scrtextedit.h"
#include "editors/searchcontroller.h"
#include "editors/sgotoline.h"
#include "editors/vbscripteditor.h"

#include "guilib/property/propertiesexplorer.h"

#include "corelib/env/envmanager.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QThread>

#include <Qsci/qsciscintilla.h>

#include <atomic>

using namespace Scripter;
using AppTest::CoreFixture;
namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

namespace {

// The thread of a test run that ends when it is stopped or let go. A run that disregards the
// stop still ends by itself after three times the time a close waits for it, so that a close
// that waits without bound fails the test instead of hanging it.
class RunThread : public QThread
{
public:
    explicit RunThread(bool heedsStop)
        : m_heedsStop(heedsStop)
    {}
    ~RunThread() override
    {
        letGo();
        wait();
    }

    void stop() { m_stopped = m_heedsStop; }
    void letGo() { m_letGo = true; }

protected:
    void run() override
    {
        const QDeadlineTimer watchdog(3 * ScripterWindow::kRunStopWaitMs);
        while (!m_stopped && !m_letGo && !watchdog.hasExpired()) {
            msleep(10);
        }
    }

private:
    const bool m_heedsStop;
    std::atomic<bool> m_stopped{false};
    std::atomic<bool> m_letGo{false};
};

} // namespace

class tst_ScripterWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowIsTitledByTheElementOrTheFileItShows();
    void recentPackagesKeepTheNewestFiveWithoutDuplicates();
    void languageTabsFollowTheDeclarationAndMarkTheirEdits_data();
    void languageTabsFollowTheDeclarationAndMarkTheirEdits();
    void resetPackageStartsAnEmptyUntitledPackage();
    void otherLanguagesGetTheirEditorWhenFirstNeeded_data();
    void otherLanguagesGetTheirEditorWhenFirstNeeded();

    void closingAModifiedWindowAsks_data();
    void closingAModifiedWindowAsks();
    void answeringYesKeepsTheWindowUnlessItWasSaved_data();
    void answeringYesKeepsTheWindowUnlessItWasSaved();
    void closingAnUnmodifiedWindowAsksNothing();

    void paneVisibilityAndGeometryCarryOverToTheNextWindow();
    void positionOutsideTheScreenOpensMaximised();

    void editActionsFollowTheCurrentEditor();
    void editShortcutsNeverChangeTheScriptFromOutsideTheEditors();
    void testRunDisablesTheWindowUntilItEnds();
    void closingDuringATestRunAbortsItAfterAsking();
    void aRunThatDoesNotStopKeepsTheWindowOpenAndSaysWhy();

private:
    ScripterWindow *firstWindow() const { return m_world->window(0); }

    std::unique_ptr<CoreFixture> m_world;
};

void tst_ScripterWindow::init()
{
    m_world = std::make_unique<CoreFixture>();
    QVERIFY(m_world->isValid());
}

void tst_ScripterWindow::cleanup()
{
    m_world.reset();
}

void tst_ScripterWindow::windowIsTitledByTheElementOrTheFileItShows()
{
    m_world->start();
    ScripterWindow *window = firstWindow();
    QVERIFY(window);
    QVERIFY(window->isUntitled());
    const QFileInfo path(window->packageFilePath());
    QCOMPARE(path.absolutePath(), m_world->core()->tempFolder());
    QCOMPARE(path.suffix(), QStringLiteral("tscript"));
    QVERIFY(!path.exists());
    QCOMPARE(window->windowTitle(),
             SRCore::EnvManager::appName() + QStringLiteral("[*] - TavrixScript"));
    QCOMPARE(window->displayName(), QStringLiteral("TavrixScript"));

    // Renaming the element renames the untitled window and the fixture's top item.
    QVERIFY(window->declaration()->setBasicValue(XMLKey::NAME, QStringLiteral("Router")));
    QCOMPARE(window->windowTitle(), SRCore::EnvManager::appName() + QStringLiteral("[*] - Router"));
    QCOMPARE(window->displayName(), QStringLiteral("Router"));
    QCOMPARE(window->fixture()->tree()->basicItem()->text(0), QStringLiteral("Router"));

    // A current file titles the window.
    const QString package = m_world->makeFile(QStringLiteral("Invoices/Router.tscript"));

    window->setCurrentFile(package, false);
    QVERIFY(!window->isUntitled());
    QCOMPARE(window->packageFilePath(), package);
    QVERIFY(window->displayPath().isNull());
    QCOMPARE(window->windowTitle(),
             SRCore::EnvManager::appName() + QStringLiteral("[*] - Router.tscript"));
    QCOMPARE(window->displayName(), QStringLiteral("Router.tscript"));
    // Only remembered when asked to.
    QVERIFY(QSettings().value(SettingsKey::RecentPackagesList).toStringList().isEmpty());

    // A path whose file is gone makes the window untitled again.
    window->setCurrentFile(m_world->filePath(QStringLiteral("Gone.tscript")), false);
    QVERIFY(window->isUntitled());
    QCOMPARE(QFileInfo(window->packageFilePath()).absolutePath(), m_world->core()->tempFolder());

    // A package opened from its folder is shown and remembered by its folder's path.
    const QString collected = m_world->makeFile(QStringLiteral("collected/Router.tscript"));
    const QString marker = m_world->makeFile(QStringLiteral("Router/Router.tscript"));
    window->setCurrentFile(collected, false);

    window->setAlternatePath(true);
    window->setCurrentFile(marker, true);
    QVERIFY(window->isAlternatePath());
    QCOMPARE(window->displayPath(), marker);
    QCOMPARE(window->packageFilePath(), collected);
    QCOMPARE(window->displayName(), QStringLiteral("Router.tscript"));
    QCOMPARE(QSettings().value(SettingsKey::RecentPackagesList).toStringList(),
             QStringList{marker});
}

void tst_ScripterWindow::recentPackagesKeepTheNewestFiveWithoutDuplicates()
{
    m_world->start();
    ScripterWindow *window = firstWindow();
    const QList<QAction *> recent = m_world->core()->coreActions()->recentPackageActions();
    QVERIFY(!recent.at(0)->isVisible());
    QStringList packages;
    for (int i = 1; i <= 6; ++i) {
        packages.append(m_world->makeFile(QStringLiteral("P%1.tscript").arg(i)));
        window->setCurrentFile(packages.last(), true);
    }
    QCOMPARE(QSettings().value(SettingsKey::RecentPackagesList).toStringList(),
             QStringList({packages[5], packages[4], packages[3], packages[2], packages[1]}));

    // Loading a listed package again moves it to the front.
    window->setCurrentFile(packages[2], true);
    const QStringList expected = {packages[2], packages[5], packages[4], packages[3], packages[1]};
    QCOMPARE(QSettings().value(SettingsKey::RecentPackagesList).toStringList(), expected);

    // The File menu of every window shows the list at once.
    for (int i = 0; i < expected.size(); ++i) {
        QVERIFY(recent.at(i)->isVisible());
        QCOMPARE(recent.at(i)->text(), QStringLiteral("&%1 %2").arg(i + 1).arg(expected.at(i)));
        QCOMPARE(recent.at(i)->data().toString(), expected.at(i));
    }
}

void tst_ScripterWindow::languageTabsFollowTheDeclarationAndMarkTheirEdits_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("includeKey");
    QTest::addColumn<bool>("initiallyIncluded");
    // clang-format off
    QTest::newRow("JavaScript") << int(ScripterWindow::JavaScriptTab) << XMLKey::INCLUDEJAVASCRIPT << true;
    QTest::newRow("VBScript") << int(ScripterWindow::VBScriptTab) << XMLKey::INCLUDEVBSCRIPT << false;
    QTest::newRow("AppleScript") << int(ScripterWindow::AppleScriptTab) << XMLKey::INCLUDEAPPLESCRIPT << false;
    // clang-format on
}

void tst_ScripterWindow::languageTabsFollowTheDeclarationAndMarkTheirEdits()
{
    QFETCH(int, tab);
    QFETCH(QString, includeKey);
    QFETCH(bool, initiallyIncluded);
    m_world->start();
    ScripterWindow *window = firstWindow();
    QTabWidget *tabs = window->scriptTabs();
    QCOMPARE(tabs->isTabEnabled(tab), initiallyIncluded);
    QVERIFY(window->declaration()->setBasicValue(includeKey, initiallyIncluded ? XMLValues::NO
                                                                               : XMLValues::YES));
    QCOMPARE(tabs->isTabEnabled(tab), !initiallyIncluded);
    QVERIFY(window->isWindowModified());
    window->resetPackage();
    QCOMPARE(tabs->isTabEnabled(tab), initiallyIncluded);

    // However many edits, the tab shows one star.
    QVERIFY(window->declaration()->setBasicValue(includeKey, XMLValues::YES));
    window->setUnmodified();
    const QString plainText = tabs->tabText(tab);
    tabs->setCurrentIndex(tab);
    QWidget *text = tab == ScripterWindow::JavaScriptTab
                        ? static_cast<QWidget *>(window->javaScriptEditor()->textEdit())
                        : (tab == ScripterWindow::VBScriptTab
                               ? static_cast<QWidget *>(window->vbScriptEditor()->textEdit())
                               : window->appleScriptEditor()->textEdit());
    QVERIFY(!window->isWindowModified());
    for (int edit = 0; edit < 3; ++edit) {
        QTest::keyClicks(text, QStringLiteral("x = 1"));
        QTest::keyClick(text, Qt::Key_Return);
    }
    QVERIFY(window->isWindowModified());
    QCOMPARE(tabs->tabText(tab), plainText + QLatin1Char('*'));
    for (int other = 0; other < tabs->count(); ++other) {
        if (other != tab) {
            QVERIFY(!tabs->tabText(other).contains(QLatin1Char('*')));
        }
    }

    // After a save or a load the marks go.
    window->setUnmodified();
    QVERIFY(!window->isWindowModified());
    QCOMPARE(tabs->tabText(tab), plainText);
    // Setting a program read from a package is no edit.
    window->setScriptText(window->currentLanguage(), QStringLiteral("' read from a package"));
    QVERIFY(!window->isWindowModified());
    QCOMPARE(window->scriptText(window->currentLanguage()),
             QStringLiteral("' read from a package"));
}

void tst_ScripterWindow::resetPackageStartsAnEmptyUntitledPackage()
{
    m_world->start();
    ScripterWindow *window = firstWindow();
    const QString emptyProgram = window->scriptText(XMLValues::JAVASCRIPT);
    window->setCurrentFile(m_world->makeFile(QStringLiteral("Router.tscript")), false);
    QVERIFY(window->declaration()->setBasicValue(XMLKey::NAME, QStringLiteral("Router")));
    window->setScriptText(XMLValues::JAVASCRIPT, QStringLiteral("function jobArrived(s, job) {}"));
    window->showStatusMessage(QStringLiteral("Opening"));

    window->resetPackage();
    QVERIFY(window->isUntitled());
    QVERIFY(!window->isWindowModified());
    QCOMPARE(window->declaration()->elementName(), QStringLiteral("TavrixScript"));
    QCOMPARE(window->scriptText(XMLValues::JAVASCRIPT), emptyProgram);
    QCOMPARE(window->fixture()->tree()->incomingGroup()->childCount(), 0);
}

// What first needs the editor of a language that the new package does not include; returns the
// program the editor then shows, null for the one it starts with.
using FirstNeed = QString (*)(ScripterWindow *window, int tab);
Q_DECLARE_METATYPE(FirstNeed)

QString includeKeyOf(int tab)
{
    return tab == ScripterWindow::VBScriptTab ? XMLKey::INCLUDEVBSCRIPT
                                              : XMLKey::INCLUDEAPPLESCRIPT;
}

QString languageOf(int tab)
{
    return tab == ScripterWindow::VBScriptTab ? XMLValues::VBSCRIPT : XMLValues::APPLESCRIPT;
}

// clang-format off
QString showTheTab(ScripterWindow *window, int tab) { window->scriptTabs()->setCurrentIndex(tab); return {}; }
QString includeTheLanguage(ScripterWindow *window, int tab) { window->declaration()->setBasicValue(includeKeyOf(tab), XMLValues::YES); return {}; }
QString readAProgram(ScripterWindow *window, int tab) { window->setScriptText(languageOf(tab), QStringLiteral("' read\n")); return QStringLiteral("' read\n"); }
QString askForTheProgram(ScripterWindow *window, int tab) { window->scriptText(languageOf(tab)); return {}; }
// clang-format on

void tst_ScripterWindow::otherLanguagesGetTheirEditorWhenFirstNeeded_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<FirstNeed>("need");
    const int vb = ScripterWindow::VBScriptTab;
    const int apple = ScripterWindow::AppleScriptTab;
    // clang-format off
    QTest::newRow("VBScript tab shown") << vb << &showTheTab;
    QTest::newRow("AppleScript included") << apple << &includeTheLanguage;
    QTest::newRow("VBScript program read from a package") << vb << &readAProgram;
    QTest::newRow("AppleScript program asked for") << apple << &askForTheProgram;
    // clang-format on
}

void tst_ScripterWindow::otherLanguagesGetTheirEditorWhenFirstNeeded()
{
    QFETCH(int, tab);
    QFETCH(FirstNeed, need);
    m_world->start();
    ScripterWindow *window = firstWindow();
    QVERIFY(window->findChildren<ScriptEditor *>().isEmpty());
    window->showStatusMessage(QStringLiteral("Checking the packages"));

    const QString program = need(window, tab);
    // Made once, in its own tab, with what a package's new editor starts with.
    const QList<ScriptEditor *> editors = window->findChildren<ScriptEditor *>();
    QCOMPARE(editors.size(), 1);
    ScriptEditor *editor = editors.constFirst();
    QVERIFY(window->scriptTabs()->widget(tab)->isAncestorOf(editor));
    QCOMPARE(editor->statusBar()->currentMessage(), QStringLiteral("Checking the packages"));
    QVERIFY(!editor->text().isEmpty());
    QCOMPARE(window->scriptText(languageOf(tab)), editor->text());
    if (!program.isNull()) {
        QCOMPARE(editor->text(), program);
    }

    // The search follows it as one made with the window.
    window->scriptTabs()->setCurrentIndex(tab);
    editor->textEdit()->moveCursor(QTextCursor::End);
    window->searchController()->gotoLineDialog()->lineSpinBox()->setValue(1);
    window->searchGotoLine();
    QCOMPARE(editor->textEdit()->textCursor().blockNumber(), 0);
    QCOMPARE(window->findChildren<ScriptEditor *>().size(), 1);
}

void tst_ScripterWindow::closingAModifiedWindowAsks_data()
{
    QTest::addColumn<QString>("elementName");
    QTest::addColumn<bool>("titled");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    // clang-format off
    QTest::newRow("unnamed untitled, No closes") << QString() << false << int(QMessageBox::No) << true;
    QTest::newRow("named untitled, Cancel keeps it open") << QStringLiteral("Router") << false << int(QMessageBox::Cancel) << false;
    QTest::newRow("titled, No closes") << QStringLiteral("Router") << true << int(QMessageBox::No) << true;
    QTest::newRow("titled, box closed keeps it open") << QStringLiteral("Router") << true << int(QMessageBox::NoButton) << false;
    QTest::newRow("titled, Yes saves and closes") << QStringLiteral("Router") << true << int(QMessageBox::Yes) << true;
    // clang-format on
}

void tst_ScripterWindow::closingAModifiedWindowAsks()
{
    QFETCH(QString, elementName);
    QFETCH(bool, titled);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    m_world->start();
    ScripterWindow *window = m_world->newWindow();
    QVERIFY(window->declaration()->setBasicValue(XMLKey::NAME, elementName));
    const QString package =
        titled ? m_world->makeFile(QStringLiteral("Router.tscript")) : QString();
    if (titled) {
        window->setCurrentFile(package, false);
    }
    window->markModified();
    const QString expectedQuestion =
        titled ? QStringLiteral("Save changes to %1 ?").arg(package)
               : QStringLiteral("Save changes to %1.tscript ?")
                     .arg(elementName.isEmpty()
                              ? QStringLiteral("TavrixScript%1").arg(window->documentNumber())
                              : elementName);

    DialogAnswerer boxes;
    boxes.then(answer == QMessageBox::NoButton
                   ? DialogAnswerer::close()
                   : DialogAnswerer::press(QMessageBox::StandardButton(answer)));
    QCOMPARE(window->close(), closes);
    QVERIFY(boxes.answeredAll());
    QCOMPARE(boxes.seen, QStringList{QStringLiteral("Save|") + expectedQuestion});
    QCOMPARE(m_world->windows().contains(window), !closes);
    QVERIFY(closes || window->isWindowModified());
    // Only Yes writes the package.
    QCOMPARE(QFileInfo(package).size() > 0, answer == QMessageBox::Yes);
}

void tst_ScripterWindow::answeringYesKeepsTheWindowUnlessItWasSaved_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("quit");

    // clang-format off
    QTest::newRow("save dialog cancelled") << "cancel" << false;
    QTest::newRow("save failed") << "fail" << false;
    QTest::newRow("quit with a failed save") << "fail" << true;
    // clang-format on
}

void tst_ScripterWindow::answeringYesKeepsTheWindowUnlessItWasSaved()
{
    QFETCH(QString, fault);
    QFETCH(bool, quit);
    m_world->start();
    ScripterWindow *window = m_world->newWindow();
    QVERIFY(window->declaration()->setBasicValue(XMLKey::NAME, QStringLiteral("Router")));
    DialogAnswerer boxes;
    boxes.then(DialogAnswerer::press(QMessageBox::Yes));
    if (fault == QLatin1String("cancel")) {
        boxes.then(DialogAnswerer::close());
    } else {
        // A folder where the fixture goes fails the save.
        const QString package = m_world->makeFile(QStringLiteral("Router.tscript"));
        QVERIFY(QDir().mkpath(m_world->filePath(QStringLiteral("Router.tfixture"))));
        window->setCurrentFile(package, false);
    }
    window->markModified();

    if (quit) {
        QApplication::closeAllWindows();
    } else {
        QVERIFY(!window->close());
    }
    QVERIFY(boxes.answeredAll());
    QCOMPARE(boxes.seen.value(0).section(QLatin1Char('|'), 0, 0), QStringLiteral("Save"));
    QVERIFY(m_world->windows().contains(window));
    QVERIFY(window->isVisible());
    QVERIFY(window->isWindowModified());
}

void tst_ScripterWindow::closingAnUnmodifiedWindowAsksNothing()
{
    m_world->start();
    ScripterWindow *window = m_world->newWindow();
    QVERIFY(!window->isWindowModified());
    QVERIFY(window->close());
    QVERIFY(!m_world->windows().contains(window));
    QPointer<ScripterWindow> tracked(window);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!tracked);
}

void tst_ScripterWindow::paneVisibilityAndGeometryCarryOverToTheNextWindow()
{
    m_world->start();
    ScripterWindow *window = firstWindow();
    // A new window shows the declaration, properties and messages panes, not the fixture.
    QVERIFY(window->declarationPane()->isVisible());
    QVERIFY(!window->fixturePane()->isVisible());
    QVERIFY(window->propertiesPane()->isVisible());
    QVERIFY(window->messagesPane()->isVisible());

    // The properties pane's name column was fitted to the names on first show.
    QVERIFY(window->propertiesExplorer()->nameColumnWidth() > 0);
    window->propertiesExplorer()->header()->resizeSection(0, 133);
    window->actions()->viewDeclarFixtureAction()->trigger();
    window->actions()->togglePropertiesAction()->trigger();
    window->move(70, 80);
    window->resize(900, 700);
    QVERIFY(window->close());

    ScripterWindow *next = m_world->newWindow();
    QVERIFY(!next->declarationPane()->isVisible());
    QVERIFY(next->fixturePane()->isVisible());
    QVERIFY(!next->propertiesPane()->isVisible());
    QVERIFY(next->messagesPane()->isVisible());
    QCOMPARE(next->size(), QSize(900, 700));
    QCOMPARE(next->propertiesExplorer()->nameColumnWidth(), 133);
    QCOMPARE(QSettings().value(SettingsKey::WindowPosition).toPoint(), QPoint(70, 80));
    QCOMPARE(QSettings().value(SettingsKey::LastEditedPackage).toString(),
             window->packageFilePath());
}

void tst_ScripterWindow::positionOutsideTheScreenOpensMaximised()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QSettings().setValue(SettingsKey::WindowPosition, screen.bottomRight() + QPoint(100, 100));
    QSettings().setValue(SettingsKey::WindowSize, QSize(1000, 900));
    m_world->start();
    QVERIFY(firstWindow()->windowState() & Qt::WindowMaximized);
}

void tst_ScripterWindow::editActionsFollowTheCurrentEditor()
{
    m_world->start();
    ScripterWindow *window = firstWindow();
    QVERIFY(window->declaration()->setBasicValue(XMLKey::INCLUDEVBSCRIPT, XMLValues::YES));
    ScripterActions *actions = window->actions();
    window->scriptTabs()->setCurrentIndex(ScripterWindow::VBScriptTab);
    ScrTextEdit *text = window->vbScriptEditor()->textEdit();
    text->moveCursor(QTextCursor::End);
    QVERIFY(!actions->undoAction()->isEnabled());
    QVERIFY(!actions->copyAction()->isEnabled());
    QVERIFY(!actions->deleteAction()->isEnabled());

    QTest::keyClicks(text, QStringLiteral("Dim x"));
    QVERIFY(actions->undoAction()->isEnabled());
    QVERIFY(!actions->redoAction()->isEnabled());
    text->selectAll();
    QVERIFY(actions->copyAction()->isEnabled());
    QVERIFY(actions->deleteAction()->isEnabled());

    // Delete from the menu removes the selection; Undo brings it back; Redo removes it again.
    const QString before = text->toPlainText();
    actions->deleteAction()->trigger();
    QVERIFY(text->toPlainText().isEmpty());
    QVERIFY(!actions->deleteAction()->isEnabled());
    actions->undoAction()->trigger();
    QCOMPARE(text->toPlainText(), before);
    QVERIFY(actions->redoAction()->isEnabled());
    actions->redoAction()->trigger();
    QVERIFY(text->toPlainText().isEmpty());

    // The JavaScript editor can always copy and delete.
    window->scriptTabs()->setCurrentIndex(ScripterWindow::JavaScriptTab);
    QVERIFY(actions->copyAction()->isEnabled());
    QVERIFY(actions->deleteAction()->isEnabled());
    QVERIFY(!actions->undoAction()->isEnabled());
}

void tst_ScripterWindow::editShortcutsNeverChangeTheScriptFromOutsideTheEditors()
{
    m_world->start();
    ScripterWindow *window = firstWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    JavaScriptEditor *editor = window->javaScriptEditor();
    const QString program = editor->text();
    editor->textEdit()->selectAll();

    window->declaration()->tree()->setFocus();
    QTRY_VERIFY(window->declaration()->tree()->hasFocus());
    QTest::keyClick(window->declaration()->tree(), Qt::Key_Delete);
    QTest::keyClick(window->declaration()->tree(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor->text(), program);

    // In the editor the same keys edit the script.
    editor->textEdit()->setFocus();
    QTRY_VERIFY(editor->textEdit()->hasFocus());
    QTest::keyClick(editor->textEdit(), Qt::Key_Delete);
    QVERIFY(editor->text().isEmpty());
    QVERIFY(window->isWindowModified());
}

void tst_ScripterWindow::testRunDisablesTheWindowUntilItEnds()
{
    m_world->start();
    ScripterWindow *window = firstWindow();
    ScripterActions *actions = window->actions();
    RunThread run(false);
    run.start();
    bool aborted = false;
    window->monitorTestRun(&run, [&aborted] { aborted = true; });

    QVERIFY(window->isTestRunning());
    QVERIFY(!window->declaration()->isEnabled());
    QVERIFY(!window->fixture()->isEnabled());
    QVERIFY(!window->scriptTabs()->isEnabled());
    QVERIFY(!window->propertiesExplorer()->isEnabled());
    QVERIFY(!window->messagePane()->isEnabled());
    for (QAction *action : {actions->saveAction(), actions->saveAsAction(), actions->undoAction(),
                            actions->copyAction(), actions->pasteAction(), actions->findAction(),
                            actions->preferencesAction(), actions->clearLogsAction(),
                            actions->toolbarAction(), actions->viewDeclarFixtureAction()}) {
        QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
    }
    QVERIFY(actions->abortAction()->isEnabled());
    QVERIFY(m_world->core()->coreActions()->quitAction()->isEnabled());
    // The dock and tool bar areas offer nothing while it runs.
    QVERIFY(!window->createPopupMenu());

    actions->abortAction()->trigger();
    QVERIFY(aborted);
    window->showStatusMessage(QStringLiteral("Running jobArrived"));

    run.letGo();
    QTRY_VERIFY(window->declaration()->isEnabled());
    QVERIFY(window->scriptTabs()->isEnabled());
    QVERIFY(actions->saveAction()->isEnabled());
    QVERIFY(!actions->abortAction()->isEnabled());
    QVERIFY(window->javaScriptEditor()->statusBar()->currentMessage().isEmpty());
    std::unique_ptr<QMenu> menu(window->createPopupMenu());
    QVERIFY(menu && menu->actions().contains(window->fixturePane()->toggleViewAction()));
}

void tst_ScripterWindow::closingDuringATestRunAbortsItAfterAsking()
{
    m_world->start();
    ScripterWindow *window = m_world->newWindow();
    window->markModified();
    RunThread run(true);
    run.start();
    int aborts = 0;
    bool finished = false;
    window->monitorTestRun(
        &run,
        [&run, &aborts] {
            ++aborts;
            run.stop();
        },
        [&finished] { finished = true; });

    DialogAnswerer boxes;
    boxes.then(DialogAnswerer::press(QMessageBox::Cancel));
    QVERIFY(!window->close());
    QCOMPARE(boxes.seen.value(0).section(QLatin1Char('|'), 0, 0),
             QStringLiteral("Terminate entry point"));
    QCOMPARE(boxes.seen.value(0).section(QLatin1Char('|'), 1),
             QStringLiteral("Entry point are in operation.\nDo you want terminate it?"));
    QCOMPARE(aborts, 0);
    QVERIFY(window->isTestRunning());

    // Stopped, the run still leaves the unsaved changes to the user.
    boxes.then(DialogAnswerer::press(QMessageBox::Yes))
        .then(DialogAnswerer::press(QMessageBox::Cancel));
    QVERIFY(!window->close());
    QCOMPARE(aborts, 1);
    QVERIFY(run.isFinished());
    // The run's end is handled before the window asks to save.
    QVERIFY(finished);
    QVERIFY(boxes.seen.value(2).startsWith(QStringLiteral("Save|")));
    QVERIFY(window->isWindowModified());
    boxes.then(DialogAnswerer::press(QMessageBox::No));
    QVERIFY(window->close());
    QVERIFY(!m_world->windows().contains(window));
}

void tst_ScripterWindow::aRunThatDoesNotStopKeepsTheWindowOpenAndSaysWhy()
{
    m_world->start();
    ScripterWindow *window = m_world->newWindow();
    window->setRunStopWait(1000);
    RunThread run(false);
    run.start();
    int aborts = 0;
    window->monitorTestRun(&run, [&aborts] { ++aborts; });

    DialogAnswerer boxes;
    boxes.then(DialogAnswerer::press(QMessageBox::Yes))
        .then(DialogAnswerer::press(QMessageBox::Ok));
    QVERIFY(!window->close());
    QCOMPARE(aborts, 1);
    QCOMPARE(boxes.seen.size(), 2);
    QCOMPARE(boxes.seen.at(1).section(QLatin1Char('|'), 0, 0),
             QStringLiteral("Terminate entry point"));
    QVERIFY2(boxes.seen.at(1).section(QLatin1Char('|'), 1).contains(QStringLiteral("stays open")),
             qPrintable(boxes.seen.at(1)));
    QVERIFY(m_world->windows().contains(window));
    QVERIFY(window->isTestRunning());
    QVERIFY(!window->declaration()->isEnabled());

    // Once the run has ended the window closes without a question.
    run.letGo();
    QTRY_VERIFY(window->declaration()->isEnabled());
    QVERIFY(window->close());
    QCOMPARE(boxes.seen.size(), 2);
    QVERIFY(!m_world->windows().contains(window));
}

TAVRIX_TEST_MAIN_OWN_HOME(tst_ScripterWindow)
#include "tst_scripterwindow.moc"
