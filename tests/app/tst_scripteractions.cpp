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
#include "testing/fixture.h"
#include "testing/fixturetree.h"

#include "corelib/env/envmanager.h"
#include "corelib/logging/logrecord.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

using namespace Scripter;
using AppTest::CoreFixture;

namespace {

// The texts of the visible entries of a menu, "-" for a separator.
QStringList visibleEntries(const QMenu *menu)
{
    QStringList entries;
    for (const QAction *action : menu->actions()) {
        if (action->isVisible()) {
            entries.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        }
    }
    return entries;
}

} // namespace

class tst_ScripterActions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void menuBarHoldsTheMenusInOrder();
    void fileMenuShowsRecentPackagesOnlyWhenThereAreSome();
    void toolBarsFollowTheSetting_data();
    void toolBarsFollowTheSetting();
    void toolbarCommandTogglesAndRemembers();
    void panesRightCommandMovesThePanesAndRemembers();
    void testCommandsAreVisibleButNotUsableYet();
    void declarationAndFixturePanesAreShownAlternately();
    void paneCommandsToggleTheirPanes();
    void windowMenuListsEveryWindowAndActivatesTheChosenOne();
    void clearLogMessagesEmptiesTheMessageList();
    void exportLogMessagesWritesTheShownMessages();
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

void tst_ScripterActions::menuBarHoldsTheMenusInOrder()
{
    m_world->start();
    const ScripterActions *actions = m_world->window(0)->actions();
    QStringList titles;
    for (const QAction *action : actions->menuBar()->actions()) {
        titles.append(action->text());
    }
    QCOMPARE(titles,
             QStringList({"&File", "&Edit", "&View", "&Search", "&Test", "&Window", "&Help"}));
    QCOMPARE(visibleEntries(actions->editMenu()),
             QStringList({"&Undo", "&Redo", "-", "&Copy", "&Paste", "&Delete", "-",
                          "&Preferences...", "Edit &Style..."}));
    QCOMPARE(visibleEntries(actions->searchMenu()),
             QStringList({"&Find", "Find &next", "Find &previous", "&Replace", "-", "&Goto line"}));
    QCOMPARE(
        visibleEntries(actions->viewMenu()),
        QStringList({"&View Declaration/Fixture pane", "Toggle &Properties pane",
                     "Toggle &Messages pane", "-", "&Toolbar", "Panes on the &Right",
                     "Declaration pane", "Fixture pane", "Properties pane", "Messages pane", "-"}));

    // Every window shares the core's menus and file commands.
    const ScripterActions *second = m_world->newWindow()->actions();
    CoreActions *core = m_world->core()->coreActions();
    QVERIFY(second->menuBar()->actions().contains(core->windowMenu()->menuAction()));
    QVERIFY(second->fileMenu()->actions().contains(core->newAction()));
    QCOMPARE(second->fileToolBar()->actions().first(), core->newAction());
}

void tst_ScripterActions::fileMenuShowsRecentPackagesOnlyWhenThereAreSome()
{
    m_world->start();
    const QString quit = QStringLiteral("&Quit %1").arg(SRCore::EnvManager::appName());
    const QMenu *fileMenu = m_world->window(0)->actions()->fileMenu();
    QCOMPARE(visibleEntries(fileMenu),
             QStringList({"&New", "&Open...", "&Save", "Save &as...", "-", quit}));

    QSettings().setValue(SettingsKey::RecentPackagesList,
                         QStringList({"/p/A.tscript", "/p/B.tscript"}));
    m_world->core()->coreActions()->updateRecentFileActions();
    QCOMPARE(visibleEntries(fileMenu),
             QStringList({"&New", "&Open...", "&Save", "Save &as...", "-", "&1 /p/A.tscript",
                          "&2 /p/B.tscript", "-", quit}));
}

void tst_ScripterActions::toolBarsFollowTheSetting_data()
{
    QTest::addColumn<QVariant>("setting");
    QTest::addColumn<bool>("shown");
    QTest::newRow("not set shows them") << QVariant() << true;
    QTest::newRow("true shows them") << QVariant(true) << true;
    QTest::newRow("false hides all four") << QVariant(false) << false;
}

void tst_ScripterActions::toolBarsFollowTheSetting()
{
    QFETCH(QVariant, setting);
    QFETCH(bool, shown);
    if (setting.isValid()) {
        QSettings().setValue(SettingsKey::Toolbar, setting);
    }
    m_world->start();
    ScripterWindow *window = m_world->window(0);
    const ScripterActions *actions = window->actions();
    QCOMPARE(actions->toolbarAction()->isChecked(), shown);
    QCOMPARE(actions->toolBars().size(), 4);
    const QStringList titles = {"File toolset", "View toolset", "Edit toolset", "Test toolset"};
    for (int i = 0; i < 4; ++i) {
        const QToolBar *toolBar = actions->toolBars().at(i);
        QCOMPARE(toolBar->windowTitle(), titles.at(i));
        QCOMPARE(toolBar->isVisibleTo(window), shown);
        QVERIFY(!toolBar->isMovable());
        QCOMPARE(toolBar->iconSize(), QSize(32, 32));
    }
}

void tst_ScripterActions::toolbarCommandTogglesAndRemembers()
{
    m_world->start();
    ScripterWindow *window = m_world->window(0);
    QAction *toolbar = window->actions()->toolbarAction();

    toolbar->trigger();
    QVERIFY(!toolbar->isChecked());
    QCOMPARE(QSettings().value(SettingsKey::Toolbar).toBool(), false);
    for (const QToolBar *bar : window->actions()->toolBars()) {
        QVERIFY(!bar->isVisibleTo(window));
    }
    // The next window opens the way the last one was left.
    QVERIFY(!m_world->newWindow()->actions()->toolbarAction()->isChecked());

    toolbar->trigger();
    QVERIFY(toolbar->isChecked());
    QCOMPARE(QSettings().value(SettingsKey::Toolbar).toBool(), true);
    for (const QToolBar *bar : window->actions()->toolBars()) {
        QVERIFY(bar->isVisibleTo(window));
    }
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

void tst_ScripterActions::testCommandsAreVisibleButNotUsableYet()
{
    m_world->start();
    ScripterWindow *window = m_world->window(0);
    const ScripterActions *actions = window->actions();

    const QComboBox *selector = actions->entryPointSelector();
    QVERIFY(!selector->isEnabled());
    QVERIFY(selector->toolTip().startsWith(QStringLiteral("Select entry point to be invoked")));
    QVERIFY(selector->toolTip().contains(QStringLiteral("later version")));
    QCOMPARE(selector->count(), 13);
    QCOMPARE(selector->itemText(0), QStringLiteral("script expression"));
    QCOMPARE(selector->itemText(12), QStringLiteral("cleanupAfterAbort"));
    QCOMPARE(selector->currentText(), QStringLiteral("jobArrived"));
    QCOMPARE(selector->itemData(1, Qt::ToolTipRole).toString(),
             QStringLiteral("Invoke the jobArrived entry point with the test fixture"));
    for (int row = 0; row < selector->count(); ++row) {
        QVERIFY(!selector->itemText(row).contains(QLatin1Char('&')));
        QVERIFY2(!selector->itemIcon(row).isNull(), qPrintable(selector->itemText(row)));
    }

    for (QAction *action : {actions->invokeEntryPointAction(), actions->abortAction()}) {
        QVERIFY(!action->isEnabled());
        QVERIFY(action->toolTip().contains(QStringLiteral("later version")));
    }
    // The Test menu lists the entry points, group by group, none of them usable, and then
    // the commands that work.
    const QStringList entries = visibleEntries(actions->testMenu());
    QCOMPARE(entries.mid(0, 4),
             QStringList({"&script expression", "&jobArrived", "&timerFired", "-"}));
    QCOMPARE(entries.mid(entries.size() - 4),
             QStringList({"&Abort", "-", "&Export log messages...", "&Clear log messages"}));
    QCOMPARE(entries.count(QStringLiteral("-")), 5);
    for (const QAction *action : actions->entryPointActions()) {
        QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
    }
    QCOMPARE(actions->entryPointActions().at(2)->data().toInt(), 1); // timerFired
    QVERIFY(actions->exportLogsAction()->isEnabled());
    QVERIFY(actions->clearLogsAction()->isEnabled());

    // Showing the fixture pane enables the test tool bar, not the commands on it.
    actions->viewDeclarFixtureAction()->trigger();
    QVERIFY(actions->testToolBar()->isEnabled());
    QVERIFY(!actions->invokeEntryPointAction()->isEnabled());
    QVERIFY(!selector->isEnabled());
}

void tst_ScripterActions::declarationAndFixturePanesAreShownAlternately()
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
}

void tst_ScripterActions::paneCommandsToggleTheirPanes()
{
    m_world->start();
    ScripterWindow *window = m_world->window(0);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const ScripterActions *actions = window->actions();
    for (const auto &[action, pane] :
         {std::pair{actions->togglePropertiesAction(), window->propertiesPane()},
          std::pair{actions->toggleMessagesAction(), window->messagesPane()}}) {
        QVERIFY(pane->isVisible());
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

void tst_ScripterActions::clearLogMessagesEmptiesTheMessageList()
{
    m_world->start();
    ScripterWindow *window = m_world->window(0);
    m_world->core()->sendLogMessage(SRCore::LogLevel::Warning, QStringLiteral("Old news"));
    QVERIFY(!m_world->storedMessages().isEmpty());

    window->actions()->clearLogsAction()->trigger();
    QVERIFY(m_world->storedMessages().isEmpty());
    m_world->core()->sendLogMessage(SRCore::LogLevel::Information, QStringLiteral("Fresh"));
    QCOMPARE(m_world->storedMessages(), QList<QStringList>({{"info", "Fresh", ""}}));
}

void tst_ScripterActions::exportLogMessagesWritesTheShownMessages()
{
    m_world->start();
    ScripterWindow *window = m_world->window(0);
    m_world->core()->sendLogMessage(SRCore::LogLevel::Warning, QStringLiteral("Check '%1'"),
                                    QString(), QString(), QString(), QStringLiteral("x.js"));
    QVERIFY(!m_world->storedMessages().isEmpty());
    window->messagePane()->refresh();
    QTemporaryDir target;

    AppTest::BoxAnswerer dialogs;
    dialogs.handleDialog([&target](QDialog *dialog) {
        // The user goes to the folder and types a name without the ending.
        auto *fileDialog = qobject_cast<QFileDialog *>(dialog);
        auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (fileDialog && fileName) {
            fileDialog->setDirectory(target.path());
            fileName->setText(QStringLiteral("messages"));
        }
        dialog->accept(); // as the Save button does
    });
    window->actions()->exportLogsAction()->trigger();
    QVERIFY(!dialogs.pending());
    QCOMPARE(dialogs.seen.at(0).title, QStringLiteral("Export log messages"));
    QFile written(target.filePath(QStringLiteral("messages.xml")));
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray content = written.readAll();
    QVERIFY(content.contains("Check '%1'"));
    QVERIFY(content.contains("x.js"));
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
    QCOMPARE(help->aboutAction()->text(),
             QStringLiteral("&About %1").arg(SRCore::EnvManager::appName()));
    // The test program has no documentation beside it, so the menu does not offer it.
    emit help->menu()->aboutToShow();
    QCOMPARE(help->documentationAction()->isVisible(),
             !HelpMenuActions::documentationFolder().isEmpty());
    QVERIFY(HelpMenuActions::aboutText().contains(SRCore::EnvManager::appName()));

    AppTest::BoxAnswerer boxes;
    boxes.answer(QMessageBox::Ok);
    help->aboutAction()->trigger();
    QVERIFY(!boxes.pending());
    QCOMPARE(boxes.seen.at(0).title, QStringLiteral("About %1").arg(SRCore::EnvManager::appName()));
}

TAVRIX_TEST_MAIN_OWN_HOME(tst_ScripterActions)
#include "tst_scripteractions.moc"
