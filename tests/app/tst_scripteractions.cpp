// The menus, tool bars and commands of the main windows and the shared core actions: what the
// user finds where, what is usable, and what the commands do.

#include "common/testmain.h"

#include "apptestsupport.h"

#include "app/coreactions.h"
#include "app/helpmenuactions.h"
#include "app/scripteractions.h"
#include "app/scriptermessagepane.h"
#include "app/settingskeys.h"

#include "package/declaration.h"
#include "package/declarationtree.h"
#include "package/objecttemplates.h"
#include "testing/entrypointscombo.h"
#include "testing/fixture.h"
#include "testing/fixturetree.h"

#include "corelib/logging/logrecord.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QDomDocument>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolBar>

#include <algorithm>

using namespace Scripter;
using AppTest::CoreFixture;

namespace {

// The names of the entry points in the table that a test run offers, in its order.
QStringList entryPointNames()
{
    QDomDocument document;
    document.setContent(TestFiles::readFile(ObjectTemplates::entryPointsPath()));
    QStringList names;
    for (QDomElement group = document.documentElement().firstChildElement(); !group.isNull();
         group = group.nextSiblingElement()) {
        for (QDomElement entry = group.firstChildElement(); !entry.isNull();
             entry = entry.nextSiblingElement()) {
            names << entry.attribute(SRCore::XMLKey::SCR_NAME).remove(QLatin1Char('&'));
        }
    }
    return names;
}

} // namespace

class tst_ScripterActions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowsShareTheCoreMenusAndFileCommands();
    void toolbarCommandTogglesAndRemembers();
    void panesRightCommandMovesThePanesAndRemembers();
    void testMenuListsTheEntryPointsByGroup();
    void paneCommandsShowAndHideTheirPanes();
    void windowMenuListsEveryWindowAndActivatesTheChosenOne();
    void logCommandsReachTheMessagePane();
    void helpMenuOffersTheDocumentationOnlyWhereItIsInstalled();

private:
    std::unique_ptr<CoreFixture> m_world;
};

void tst_ScripterActions::init()
{
    m_world = std::make_unique<CoreFixture>();
    QVERIFY(m_world->isValid());
}

void tst_ScripterActions::cleanup()
{
    m_world.reset();
}

void tst_ScripterActions::windowsShareTheCoreMenusAndFileCommands()
{
    m_world->start();
    const ScripterActions *second = m_world->newWindow()->actions();
    CoreActions *core = m_world->core()->coreActions();
    QVERIFY(m_world->window(0)->actions()->menuBar()->actions().contains(
        core->windowMenu()->menuAction()));
    QVERIFY(second->menuBar()->actions().contains(core->windowMenu()->menuAction()));
    QVERIFY(second->fileMenu()->actions().contains(core->newAction()));
    QVERIFY(second->fileToolBar()->actions().contains(core->newAction()));
}

void tst_ScripterActions::toolbarCommandTogglesAndRemembers()
{
    m_world->start();
    ScripterWindow *window = m_world->window(0);
    QAction *toolbar = window->actions()->toolbarAction();
    const auto barsShown = [](ScripterWindow *shown, bool visible) {
        const QList<QToolBar *> bars = shown->actions()->toolBars();
        return !bars.isEmpty() && std::all_of(bars.cbegin(), bars.cend(), [=](QToolBar *bar) {
            return bar->isVisibleTo(shown) == visible;
        });
    };
    // Shown until the user hides them.
    QVERIFY(toolbar->isChecked());
    QVERIFY(barsShown(window, true));

    toolbar->trigger();
    QVERIFY(!toolbar->isChecked());
    QVERIFY(barsShown(window, false));
    QCOMPARE(QSettings().value(SettingsKey::Toolbar).toBool(), false);
    // The next window opens the way the last one was left.
    ScripterWindow *next = m_world->newWindow();
    QVERIFY(!next->actions()->toolbarAction()->isChecked());
    QVERIFY(barsShown(next, false));

    toolbar->trigger();
    QVERIFY(toolbar->isChecked());
    QCOMPARE(QSettings().value(SettingsKey::Toolbar).toBool(), true);
    QVERIFY(barsShown(window, true));
}

void tst_ScripterActions::panesRightCommandMovesThePanesAndRemembers()
{
    m_world->start();
    ScripterWindow *window = m_world->window(0);
    QAction *panesRight = window->actions()->panesRightAction();
    const auto areas = [](ScripterWindow *shown) {
        QList<Qt::DockWidgetArea> result;
        for (QDockWidget *pane : {shown->declarationPane(), shown->fixturePane(),
                                  shown->propertiesPane(), shown->messagesPane()}) {
            result.append(shown->dockWidgetArea(pane));
        }
        return result;
    };
    QVERIFY(!panesRight->isChecked());
    QCOMPARE(areas(window),
             QList<Qt::DockWidgetArea>({Qt::LeftDockWidgetArea, Qt::LeftDockWidgetArea,
                                        Qt::LeftDockWidgetArea, Qt::BottomDockWidgetArea}));

    panesRight->trigger();
    QVERIFY(panesRight->isChecked());
    const QList<Qt::DockWidgetArea> right = {Qt::RightDockWidgetArea, Qt::RightDockWidgetArea,
                                             Qt::RightDockWidgetArea, Qt::BottomDockWidgetArea};
    QCOMPARE(areas(window), right);
    QCOMPARE(QSettings().value(SettingsKey::WindowLayout).toBool(), false);
    // The next window opens the way the last one was left.
    ScripterWindow *next = m_world->newWindow();
    QVERIFY(next->actions()->panesRightAction()->isChecked());
    QCOMPARE(areas(next), right);

    panesRight->trigger();
    QCOMPARE(areas(window).constFirst(), Qt::LeftDockWidgetArea);
    QCOMPARE(QSettings().value(SettingsKey::WindowLayout).toBool(), true);
}

void tst_ScripterActions::testMenuListsTheEntryPointsByGroup()
{
    m_world->start();
    ScripterWindow *window = m_world->window(0);
    const ScripterActions *actions = window->actions();

    // The selector and the Test menu offer the entry points of the table.
    const QComboBox *selector = actions->entryPointSelector();
    QStringList offered;
    for (int row = 0; row < selector->count(); ++row) {
        offered << selector->itemText(row);
        QVERIFY2(!selector->itemIcon(row).isNull(), qPrintable(selector->itemText(row)));
    }
    QCOMPARE(offered, entryPointNames());
    QCOMPARE(selector->currentText(), QStringLiteral("jobArrived"));
    QCOMPARE(actions->entryPointActions().size(), offered.size());
    for (const QAction *action : actions->entryPointActions()) {
        QVERIFY(actions->testMenu()->actions().contains(action));
    }
    QVERIFY(actions->exportLogsAction()->isEnabled());
    QVERIFY(actions->clearLogsAction()->isEnabled());

    // Entry points are offered only while the fixture pane is shown.
    QVERIFY(!actions->testToolBar()->isEnabled());
    QVERIFY(!actions->entryPointActions().at(2)->isEnabled());
    actions->viewDeclarFixtureAction()->trigger();
    QVERIFY(actions->testToolBar()->isEnabled());
    QVERIFY(actions->entryPointActions().at(2)->isEnabled()); // the new script's timerFired
    QVERIFY(!actions->abortAction()->isEnabled());
}

void tst_ScripterActions::paneCommandsShowAndHideTheirPanes()
{
    m_world->start();
    ScripterWindow *window = m_world->window(0);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QAction *alternate = window->actions()->viewDeclarFixtureAction();

    alternate->trigger();
    QVERIFY(!window->declarationPane()->isVisible());
    QVERIFY(window->fixturePane()->isVisible());
    QTRY_VERIFY(window->fixture()->tree()->hasFocus());

    alternate->trigger();
    QVERIFY(window->declarationPane()->isVisible());
    QVERIFY(!window->fixturePane()->isVisible());
    QTRY_VERIFY(window->declaration()->tree()->hasFocus());

    // With both hidden the command brings the fixture.
    window->declarationPane()->hide();
    alternate->trigger();
    QVERIFY(window->fixturePane()->isVisible());
    QVERIFY(!window->declarationPane()->isVisible());

    const ScripterActions *actions = window->actions();
    for (const auto &[action, pane] :
         {std::pair{actions->togglePropertiesAction(), window->propertiesPane()},
          std::pair{actions->toggleMessagesAction(), window->messagesPane()}}) {
        action->trigger();
        QVERIFY(!pane->isVisible());
        action->trigger();
        QVERIFY(pane->isVisible());
    }
}

void tst_ScripterActions::windowMenuListsEveryWindowAndActivatesTheChosenOne()
{
    m_world->start();
    QList<ScripterWindow *> windows = {m_world->window(0)};
    for (int i = 1; i < 10; ++i) {
        windows.append(m_world->newWindow());
    }
    QVERIFY(windows.at(3)->declaration()->setBasicValue(SRCore::XMLKey::NAME,
                                                        QStringLiteral("Router")));
    windows.at(2)->activateWindow();
    QTRY_COMPARE(ScripterCore::activeScripterWindow(), windows.at(2));

    QMenu *menu = m_world->core()->coreActions()->windowMenu();
    emit menu->aboutToShow();
    const QList<QAction *> entries = menu->actions();
    QCOMPARE(entries.size(), 10);
    QCOMPARE(entries.at(0)->text(), QStringLiteral("&1 TavrixScript"));
    QCOMPARE(entries.at(3)->text(), QStringLiteral("&4 Router"));
    QCOMPARE(entries.at(9)->text(), QStringLiteral("10 TavrixScript"));
    for (int i = 0; i < entries.size(); ++i) {
        QVERIFY(entries.at(i)->isCheckable());
        QCOMPARE(entries.at(i)->isChecked(), i == 2);
    }

    entries.at(7)->trigger();
    QTRY_COMPARE(ScripterCore::activeScripterWindow(), windows.at(7));

    // A closed window leaves the menu.
    QVERIFY(windows.at(5)->close());
    emit menu->aboutToShow();
    QCOMPARE(menu->actions().size(), 9);
}

void tst_ScripterActions::logCommandsReachTheMessagePane()
{
    m_world->start();
    ScripterWindow *window = m_world->window(0);
    m_world->core()->sendLogMessage(SRCore::LogLevel::Warning, QStringLiteral("Check '%1'"),
                                    QString(), QString(), QString(), QStringLiteral("x.js"));
    QVERIFY(!m_world->storedMessages().isEmpty());
    window->messagePane()->refresh();
    QTemporaryDir target;

    DialogAnswerer dialogs;
    dialogs.then(dialogs.chooseFile(target.filePath(QStringLiteral("messages.xml"))))
        .then(DialogAnswerer::press(QMessageBox::Yes));
    window->actions()->exportLogsAction()->trigger();
    window->actions()->clearLogsAction()->trigger();
    QVERIFY(dialogs.answeredAll());
    const QByteArray exported =
        TestFiles::readFile(target.filePath(QStringLiteral("messages.xml")));
    QVERIFY(exported.contains("Check '%1'"));
    QVERIFY(exported.contains("x.js"));
    QVERIFY(m_world->storedMessages().isEmpty());
}

void tst_ScripterActions::helpMenuOffersTheDocumentationOnlyWhereItIsInstalled()
{
    QTemporaryDir program;
    QVERIFY(program.isValid());
    QCOMPARE(HelpMenuActions::documentationFolder(program.path()), QString());
    QVERIFY(QDir(program.path()).mkpath(QStringLiteral("docs")));
    QCOMPARE(HelpMenuActions::documentationFolder(program.path()), QString());
    QVERIFY(AppTest::writeFile(program.filePath(QStringLiteral("docs/README.md")), "# Docs\n"));
    QCOMPARE(HelpMenuActions::documentationFolder(program.path()),
             program.filePath(QStringLiteral("docs")));

    // Installed: the program in "bin", the pages in "share/doc/tavrixscripter".
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("share/doc/tavrixscripter")));
    QVERIFY(AppTest::writeFile(
        prefix.filePath(QStringLiteral("share/doc/tavrixscripter/README.md")), "# Docs\n"));
    QCOMPARE(HelpMenuActions::documentationFolder(prefix.filePath(QStringLiteral("bin"))),
             prefix.filePath(QStringLiteral("share/doc/tavrixscripter")));

    m_world->start();
    HelpMenuActions *help = m_world->core()->coreActions()->helpMenu();
    // The test program has no documentation beside it, so the menu does not offer it.
    emit help->menu()->aboutToShow();
    QCOMPARE(help->documentationAction()->isVisible(),
             !HelpMenuActions::documentationFolder().isEmpty());

    DialogAnswerer boxes;
    boxes.then(DialogAnswerer::press(QMessageBox::Ok));
    help->aboutAction()->trigger();
    QVERIFY(boxes.answeredAll());
    QVERIFY(boxes.seen.value(0).startsWith(QStringLiteral("About ")));
}

TAVRIX_TEST_MAIN_OWN_HOME(tst_ScripterActions)
#include "tst_scripteractions.moc"
