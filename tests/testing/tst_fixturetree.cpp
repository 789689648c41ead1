// The fixture panel as the user drives it: the tool bar and context menu actions, double clicks,
// dropped files and folders, selection, and the panel becoming the active one.

#include "common/testmain.h"

#include "fixturetestsupport.h"

#include "common/fakeappproxy.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QUrl>

#include <functional>

using namespace FixtureTest;
using Scripter::FixtureItem;

namespace {

// The window shown and active, so that clicks and focus behave as on a desktop.
struct ShownWindow
{
    ShownWindow()
        : tester(window.fixture()->tree()->model(),
                 QAbstractItemModelTester::FailureReportingMode::QtTest)
    {
        window.resize(400, 500);
        window.fixture()->resize(400, 500);
        window.show();
        window.activateWindow();
    }

    FakePackageWindow window;
    QAbstractItemModelTester tester;
};

QPoint centerOf(Scripter::FixtureTree *tree, const QTreeWidgetItem *item)
{
    // Items added since the last event loop pass have no place on the screen yet.
    tree->doItemsLayout();
    return tree->visualItemRect(item).center();
}

void click(Scripter::FixtureTree *tree, const QTreeWidgetItem *item)
{
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, centerOf(tree, item));
}

// What a desktop delivers: a click, then the double click and its release. QTest::mouseDClick
// sends the double click event alone.
void doubleClick(Scripter::FixtureTree *tree, const QTreeWidgetItem *item)
{
    const QPoint position = centerOf(tree, item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, position);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, position);
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, Qt::NoModifier, position);
}

// Drops `urls` on the tree the way a file manager does: enter, move, drop.
bool drop(Scripter::FixtureTree *tree, QMimeData *data)
{
    const QPoint position = tree->viewport()->rect().center();
    QDragEnterEvent enter(position, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDragMoveEvent move(position, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &move);
    QDropEvent dropEvent(position, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &dropEvent);
    return dropEvent.isAccepted();
}

QStringList actionStates(const Scripter::FixtureTree *tree)
{
    QStringList states;
    for (const QAction *action : {tree->addItemAction(), tree->removeItemAction(),
                                  tree->moveUpAction(), tree->moveDownAction()}) {
        if (action->isEnabled()) {
            states << action->text();
        }
    }
    return states;
}

// How a row adds: the tree's Add picked from its context menu, the tool bar's file or folder
// chooser answered with a path of the test's folder (none: cancelled), or a drop of such paths.
using AddItems = std::function<void(ShownWindow &, FakeAppProxy &, const QString &folder)>;

void addFromMenu(ShownWindow &shown, FakeAppProxy &, const QString &)
{
    Scripter::FixtureTree *tree = shown.window.fixture()->tree();
    // The context menu opens over items only.
    const QPoint empty(tree->viewport()->width() / 2, tree->viewport()->height() - 5);
    QContextMenuEvent nowhere(QContextMenuEvent::Mouse, empty,
                              tree->viewport()->mapToGlobal(empty));
    QApplication::sendEvent(tree->viewport(), &nowhere);
    QVERIFY(!tree->contextMenu()->isVisible());
    const QPoint over = centerOf(tree, tree->currentItem());
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, over,
                                tree->viewport()->mapToGlobal(over));
    QApplication::sendEvent(tree->viewport(), &menuEvent);
    QTRY_VERIFY(tree->contextMenu()->isVisible());
    tree->addItemAction()->trigger();
    tree->contextMenu()->close();
}

AddItems chooseFrom(bool folder, const char *answer)
{
    return [folder, answer](ShownWindow &shown, FakeAppProxy &proxy, const QString &dir) {
        proxy.editorAnswer = answer ? dir + QLatin1Char('/') + QLatin1String(answer) : QString();
        Scripter::FixtureTree *tree = shown.window.fixture()->tree();
        const auto *toolBar = shown.window.fixture()->findChild<QToolBar *>();
        QAction *action = folder ? tree->addFolderAction() : tree->addFileAction();
        QTest::mouseClick(toolBar->widgetForAction(action), Qt::LeftButton);
        QCOMPARE(proxy.requests.size(), 1);
        QCOMPARE(proxy.requests.first().editorType,
                 folder ? XMLValues::EDITOR_CHOOSEFOLDER : XMLValues::EDITOR_CHOOSEFILE);
        QCOMPARE(proxy.requests.first().tag, XMLKey::FILEORFOLDER);
    };
}

AddItems dropOf(const QStringList &names)
{
    return [names](ShownWindow &shown, FakeAppProxy &, const QString &dir) {
        QList<QUrl> urls;
        for (const QString &name : names) {
            urls << QUrl::fromLocalFile(dir + QLatin1Char('/') + name);
        }
        auto data = std::make_unique<QMimeData>();
        data->setUrls(urls);
        QVERIFY(drop(shown.window.fixture()->tree(), data.get()));
    };
}

} // namespace

Q_DECLARE_METATYPE(AddItems)

class tst_FixtureTree : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_folder = std::make_unique<TestFolder>(); }

    void clearBringsBackTheInitialItems();
    void actionsFollowTheCurrentItem_data();
    void actionsFollowTheCurrentItem();
    void newItemsArePlacedByTheCurrentOne_data();
    void newItemsArePlacedByTheCurrentOne();
    void removeTakesTheCurrentItemAway();
    void upAndDownMoveWithinTheGroup();
    void doubleClickTakesItemsInAndOutOfTheTest();
    void dragsWithoutFilesAreRefused();
    void usableItemFollowsCurrentAndEnabledJobs_data();
    void usableItemFollowsCurrentAndEnabledJobs();
    void clickMakesThePanelActive();

private:
    QString path(const QString &name) const { return m_folder->path(name); }

    std::unique_ptr<TestFolder> m_folder;
};

void tst_FixtureTree::clearBringsBackTheInitialItems()
{
    ShownWindow shown;
    Scripter::FixtureTree *tree = shown.window.fixture()->tree();
    const auto verifyInitial = [&] {
        QCOMPARE(tree->topLevelItemCount(), 1);
        QCOMPARE(tree->topLevelItem(0), tree->basicItem());
        QCOMPARE(tree->basicItem()->child(0), tree->incomingGroup());
        QCOMPARE(tree->basicItem()->child(1), tree->outgoingGroup());
        QCOMPARE(tree->incomingGroup()->childCount() + tree->outgoingGroup()->childCount(), 0);
        QVERIFY(tree->incomingGroup()->isExpanded());
        QVERIFY(tree->outgoingGroup()->isExpanded());
        QCOMPARE(tree->currentItem(), tree->basicItem());
        QVERIFY(shows(shown.window, tree->basicItem()));
    };
    verifyInitial();
    auto *job = newJob(shown.window);
    newConnection(shown.window);
    QVERIFY(tree->basicItem()->setPropertyValue(XMLKey::FLOWNAME, QStringLiteral("Old")));
    tree->setCurrentItem(job);
    QVERIFY(shows(shown.window, job));

    shown.window.fixture()->clear();
    verifyInitial();
    QVERIFY(tree->basicItem()->value(XMLKey::FLOWNAME).isEmpty());
}

void tst_FixtureTree::actionsFollowTheCurrentItem_data()
{
    QTest::addColumn<QString>("jobs"); // one letter per job: y in the test, n out of it
    QTest::addColumn<int>("current");  // a job's index; -1 the basic item, -2 and -3 the groups
    QTest::addColumn<int>("deselect"); // then 1: a click on empty space, 2: a control-click on it
    QTest::addColumn<QStringList>("enabled");

    // clang-format off
    QTest::newRow("basic item offers nothing") << "yy" << -1 << 0 << QStringList();
    QTest::newRow("group offers add only") << "yy" << -2 << 0 << QStringList{"Add"};
    QTest::newRow("first job cannot go up") << "yy" << 0 << 0 << QStringList{"Add", "Remove", "Down"};
    QTest::newRow("last job cannot go down") << "yy" << 1 << 0 << QStringList{"Add", "Remove", "Up"};
    QTest::newRow("only job moves nowhere") << "y" << 0 << 0 << QStringList{"Add", "Remove"};
    QTest::newRow("middle job moves both ways") << "yyy" << 1 << 0 << QStringList{"Add", "Remove", "Up", "Down"};
    QTest::newRow("a job out of the test stays in reach") << "yny" << 1 << 0 << QStringList{"Add", "Remove", "Up", "Down"};
    QTest::newRow("connection group offers add only") << "" << -3 << 0 << QStringList{"Add"};
    QTest::newRow("click on empty space: nothing may move or go") << "yyy" << 1 << 1 << QStringList{"Add"};
    QTest::newRow("control-click on the selected job") << "yyy" << 1 << 2 << QStringList{"Add"};
    // clang-format on
}

void tst_FixtureTree::actionsFollowTheCurrentItem()
{
    QFETCH(QString, jobs);
    QFETCH(int, current);
    QFETCH(int, deselect);
    QFETCH(QStringList, enabled);

    ShownWindow shown;
    Scripter::FixtureTree *tree = shown.window.fixture()->tree();
    for (const QChar state : jobs) {
        QVERIFY(
            newJob(shown.window)
                ->setPropertyValue(XMLKey::ENABLED, state == 'y' ? XMLValues::YES : XMLValues::NO));
    }
    const QList<QTreeWidgetItem *> others{tree->basicItem(), tree->incomingGroup(),
                                          tree->outgoingGroup()};
    QTreeWidgetItem *item =
        current >= 0 ? tree->incomingGroup()->child(current) : others.at(-current - 1);
    // From another item first, so that the click is a change of the current item.
    click(tree, item == tree->basicItem() ? tree->outgoingGroup() : tree->basicItem());
    click(tree, item);
    QCOMPARE(tree->currentItem(), item);
    QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem *>{item});
    // The explorer shows the item's properties; a group has none to show.
    GuiLib::PropertiesExplorer *explorer = shown.window.propertiesExplorer();
    QCOMPARE(explorer->model()->rowCount(explorer->rootIndex()) == 0, current < -1);
    if (deselect != 0) {
        QTest::mouseClick(
            tree->viewport(), Qt::LeftButton, deselect == 1 ? Qt::NoModifier : Qt::ControlModifier,
            deselect == 1 ? QPoint(5, tree->viewport()->height() - 3) : centerOf(tree, item));
        QVERIFY(tree->selectedItems().isEmpty());
        QCOMPARE(tree->currentItem(), item);
    }
    QCOMPARE(actionStates(tree), enabled);
    // The file actions are always there.
    QVERIFY(tree->addFileAction()->isEnabled());
    QVERIFY(tree->addFolderAction()->isEnabled());
}

void tst_FixtureTree::newItemsArePlacedByTheCurrentOne_data()
{
    QTest::addColumn<QString>("current"); // basic, in, out, job (the first) or connection
    QTest::addColumn<AddItems>("add");
    QTest::addColumn<QStringList>("jobs");
    QTest::addColumn<QStringList>("connections");
    QTest::addColumn<QString>("currentAfter"); // empty: the current item stays

    const QString f0 = QStringLiteral("FileOrFolder0");
    const QString f1 = QStringLiteral("FileOrFolder1");
    const QString f3 = QStringLiteral("FileOrFolder3");
    const QStringList c2{QStringLiteral("Connection2")};
    const QStringList twoJobs{f0, f1};
    const AddItems menu = addFromMenu;
    // clang-format off
    QTest::newRow("Add on the basic item adds nothing") << "basic" << menu << twoJobs << c2 << "";
    QTest::newRow("Add on the job group adds at the top") << "in" << menu << QStringList{f3, f0, f1} << c2 << f3;
    QTest::newRow("Add on a job adds right after it") << "job" << menu << QStringList{f0, f3, f1} << c2 << f3;
    QTest::newRow("Add on the connection group adds at the top") << "out" << menu << twoJobs << QStringList{"Connection3", c2[0]} << "Connection3";
    QTest::newRow("Add on a connection adds right after it") << "connection" << menu << twoJobs << QStringList{c2[0], "Connection3"} << "Connection3";
    QTest::newRow("chosen file after the current job") << "job" << chooseFrom(false, "a.pdf") << QStringList{f0, "a.pdf", f1} << c2 << "a.pdf";
    QTest::newRow("chosen folder at the end when a connection is current") << "connection" << chooseFrom(true, "folder") << QStringList{f0, f1, "folder"} << c2 << "folder";
    QTest::newRow("chosen file at the top when the group is current") << "in" << chooseFrom(false, "a.pdf") << QStringList{"a.pdf", f0, f1} << c2 << "a.pdf";
    QTest::newRow("cancelled chooser adds nothing") << "job" << chooseFrom(false, nullptr) << twoJobs << c2 << "";
    QTest::newRow("chosen path that does not exist adds nothing") << "job" << chooseFrom(true, "gone") << twoJobs << c2 << "";
    QTest::newRow("drop after the current job, each right after it, so reversed") << "job" << dropOf({"a.pdf", "b.pdf"}) << QStringList{f0, "b.pdf", "a.pdf", f1} << c2 << "";
    QTest::newRow("drop at the top when the group is current") << "in" << dropOf({"a.pdf"}) << QStringList{"a.pdf", f0, f1} << c2 << "";
    QTest::newRow("drop appended in order elsewhere") << "basic" << dropOf({"a.pdf", "folder", "b.pdf"}) << QStringList{f0, f1, "a.pdf", "folder", "b.pdf"} << c2 << "";
    QTest::newRow("dropped paths that do not exist are left out") << "out" << dropOf({"gone.pdf", "b.pdf"}) << QStringList{f0, f1, "b.pdf"} << c2 << "";
    QTest::newRow("a drop of paths that do not exist changes nothing") << "job" << dropOf({"gone.pdf"}) << twoJobs << c2 << "";
    // clang-format on
}

void tst_FixtureTree::newItemsArePlacedByTheCurrentOne()
{
    QFETCH(QString, current);
    QFETCH(AddItems, add);
    QFETCH(QStringList, jobs);
    QFETCH(QStringList, connections);
    QFETCH(QString, currentAfter);

    QVERIFY(writeFile(path(QStringLiteral("a.pdf")), "a"));
    QVERIFY(writeFile(path(QStringLiteral("b.pdf")), "b"));
    QVERIFY(QDir().mkpath(path(QStringLiteral("folder"))));
    FakeAppProxy proxy;
    QCOMPARE(GuiLib::IAppProxy::instance(), &proxy);

    ShownWindow shown;
    Scripter::FixtureTree *tree = shown.window.fixture()->tree();
    auto *job = newJob(shown.window);
    newJob(shown.window);
    auto *connection = newConnection(shown.window);
    const QMap<QString, QTreeWidgetItem *> items{{QStringLiteral("basic"), tree->basicItem()},
                                                 {QStringLiteral("in"), tree->incomingGroup()},
                                                 {QStringLiteral("out"), tree->outgoingGroup()},
                                                 {QStringLiteral("job"), job},
                                                 {QStringLiteral("connection"), connection}};
    click(tree, items.value(current));
    QCOMPARE(tree->currentItem(), items.value(current));
    const int modified = shown.window.modifiedCount;

    add(shown, proxy, m_folder->dir.path());
    if (QTest::currentTestFailed()) {
        return;
    }
    QCOMPARE(childTexts(tree->incomingGroup()), jobs);
    QCOMPARE(childTexts(tree->outgoingGroup()), connections);
    QCOMPARE(shown.window.modifiedCount > modified, jobs.size() + connections.size() > 3);
    QCOMPARE(tree->currentItem()->text(0),
             currentAfter.isEmpty() ? items.value(current)->text(0) : currentAfter);
    QVERIFY(currentAfter.isEmpty() || shows(shown.window, tree->currentFixtureItem()));
    for (int i = 0; i < tree->incomingGroup()->childCount(); ++i) {
        const FixtureItem *added = child(tree->incomingGroup(), i);
        if (added->text(0).startsWith(QLatin1String("FileOrFolder"))) {
            continue;
        }
        // The absolute path, and the look of a file or folder of the system.
        const QString expected = QFileInfo(path(added->text(0))).absoluteFilePath();
        QCOMPARE(added->value(XMLKey::FILEORFOLDER), expected);
        QVERIFY(!added->icon(0).pixmap(16).isNull());
        QVERIFY(sameIcon(added->icon(0), FixtureItem::pathIcon(shown.window.fileIconProvider(),
                                                               QFileInfo(expected))));
    }
}

void tst_FixtureTree::removeTakesTheCurrentItemAway()
{
    ShownWindow shown;
    Scripter::FixtureTree *tree = shown.window.fixture()->tree();
    for (int i = 0; i < 3; ++i) {
        newJob(shown.window);
    }
    QSignalSpy usable(tree, &Scripter::FixtureTree::usableItemsChanged);
    click(tree, tree->incomingGroup()->child(1));
    QVERIFY(shows(shown.window, tree->currentFixtureItem()));
    const GuiLib::IProperty *removedSet = tree->currentFixtureItem()->properties();
    usable.clear();

    tree->removeItemAction()->trigger();
    QCOMPARE(childTexts(tree->incomingGroup()), QStringList({"FileOrFolder0", "FileOrFolder2"}));
    QVERIFY(usable.count() >= 1);
    QCOMPARE(shown.window.modifiedCount, 1);
    QVERIFY(shown.window.propertiesExplorer()->propertiesModel()->root() != removedSet);

    // The groups and the basic item stay.
    click(tree, tree->incomingGroup());
    QVERIFY(!tree->removeItemAction()->isEnabled());
    tree->removeItemAction()->trigger();
    QCOMPARE(tree->incomingGroup()->childCount(), 2);
    QCOMPARE(tree->basicItem()->childCount(), 2);
}

void tst_FixtureTree::upAndDownMoveWithinTheGroup()
{
    ShownWindow shown;
    Scripter::FixtureTree *tree = shown.window.fixture()->tree();
    for (int i = 0; i < 3; ++i) {
        newConnection(shown.window);
    }
    QTreeWidgetItem *moved = tree->outgoingGroup()->child(0);
    click(tree, moved);
    tree->moveDownAction()->trigger();
    tree->moveDownAction()->trigger();
    QCOMPARE(childTexts(tree->outgoingGroup()),
             QStringList({"Connection1", "Connection2", "Connection0"}));
    QCOMPARE(tree->currentItem(), moved);
    QVERIFY(!tree->moveDownAction()->isEnabled());
    QVERIFY(tree->moveUpAction()->isEnabled());
    // A disabled action does nothing, whoever triggers it.
    tree->moveDownAction()->trigger();
    QCOMPARE(tree->outgoingGroup()->indexOfChild(moved), 2);

    tree->moveUpAction()->trigger();
    QCOMPARE(tree->outgoingGroup()->indexOfChild(moved), 1);
    QCOMPARE(tree->currentItem(), moved);
    QCOMPARE(shown.window.modifiedCount, 3);
}

void tst_FixtureTree::doubleClickTakesItemsInAndOutOfTheTest()
{
    ShownWindow shown;
    Scripter::FixtureTree *tree = shown.window.fixture()->tree();
    auto *job = newJob(shown.window);
    const QIcon own = job->icon(0);

    doubleClick(tree, job);
    QCOMPARE(job->value(XMLKey::ENABLED), XMLValues::NO);
    QVERIFY(!sameIcon(job->icon(0), own));
    QVERIFY(shows(shown.window, job));
    QCOMPARE(propertyOf(job, XMLKey::ENABLED)->value().toString(), XMLValues::NO);

    click(tree, tree->basicItem());
    doubleClick(tree, job);
    QCOMPARE(job->value(XMLKey::ENABLED), XMLValues::YES);
    QVERIFY(sameIcon(job->icon(0), own));
    QCOMPARE(tree->currentItem(), job);
    QVERIFY(shows(shown.window, job));
    QCOMPARE(shown.window.modifiedCount, 2);

    // Groups have nothing to switch, and nothing changes.
    doubleClick(tree, tree->outgoingGroup());
    QCOMPARE(tree->outgoingGroup()->flags(), tree->incomingGroup()->flags());
    QCOMPARE(shown.window.modifiedCount, 2);
}

void tst_FixtureTree::dragsWithoutFilesAreRefused()
{
    ShownWindow shown;
    Scripter::FixtureTree *tree = shown.window.fixture()->tree();
    auto text = std::make_unique<QMimeData>();
    text->setText(path(QStringLiteral("a.pdf")));
    QVERIFY(!drop(tree, text.get()));
    QCOMPARE(shown.window.modifiedCount, 0);
}

void tst_FixtureTree::usableItemFollowsCurrentAndEnabledJobs_data()
{
    QTest::addColumn<QString>("enabled"); // one letter per job: y enabled, n not
    QTest::addColumn<int>("current");     // index of the current job; -1 the basic item
    QTest::addColumn<bool>("treeEnabled");
    QTest::addColumn<bool>("jobUsable");
    QTest::addColumn<bool>("connectionUsable");

    // clang-format off
    QTest::newRow("no jobs") << QString() << -1 << true << false << false;
    QTest::newRow("only job, enabled") << QStringLiteral("y") << -1 << true << true << false;
    QTest::newRow("only job, disabled") << QStringLiteral("n") << -1 << true << false << false;
    QTest::newRow("two enabled, none current") << QStringLiteral("yy") << -1 << true << false << false;
    QTest::newRow("two enabled, one current") << QStringLiteral("yy") << 1 << true << true << false;
    QTest::newRow("exactly one of three enabled") << QStringLiteral("nyn") << -1 << true << true << false;
    QTest::newRow("current job disabled, another the only enabled") << QStringLiteral("ny") << 0 << true << true << false;
    QTest::newRow("disabled tree has nothing usable") << QStringLiteral("y") << 0 << false << false << false;
    // clang-format on
}

void tst_FixtureTree::usableItemFollowsCurrentAndEnabledJobs()
{
    QFETCH(QString, enabled);
    QFETCH(int, current);
    QFETCH(bool, treeEnabled);
    QFETCH(bool, jobUsable);
    QFETCH(bool, connectionUsable);

    FakePackageWindow window;
    Scripter::FixtureTree *tree = window.fixture()->tree();
    for (const QChar state : enabled) {
        auto *job = newJob(window);
        QVERIFY(job->setPropertyValue(XMLKey::ENABLED,
                                      state == QLatin1Char('y') ? XMLValues::YES : XMLValues::NO));
    }
    tree->setCurrentItem(current < 0 ? tree->basicItem() : tree->incomingGroup()->child(current));
    tree->setEnabled(treeEnabled);
    for (const int kind : {FixtureItem::IncomingGroup, FixtureItem::IncomingJob}) {
        QCOMPARE(tree->hasUsableItem(kind), jobUsable);
    }
    for (const int kind : {FixtureItem::OutgoingGroup, FixtureItem::OutgoingConnection}) {
        QCOMPARE(tree->hasUsableItem(kind), connectionUsable);
    }
    QVERIFY(!tree->hasUsableItem(FixtureItem::BasicSettings));
}

void tst_FixtureTree::clickMakesThePanelActive()
{
    ShownWindow shown;
    QVERIFY(QTest::qWaitForWindowActive(&shown.window));
    Scripter::Fixture *fixture = shown.window.fixture();
    Scripter::FixtureTree *tree = shown.window.fixture()->tree();
    shown.window.activatePanel(Scripter::IDocumentWindow::Panel::Declaration);
    shown.window.activations.clear();
    shown.window.setFocus();
    QVERIFY(!fixture->isActive());

    click(tree, tree->outgoingGroup());
    QCOMPARE(shown.window.activations,
             QList<Scripter::IDocumentWindow::Panel>({Scripter::IDocumentWindow::Panel::Fixture}));
    QVERIFY(fixture->isActive());
    QVERIFY(tree->hasFocus());

    // Once active, further clicks change nothing about the panels.
    click(tree, tree->basicItem());
    QCOMPARE(shown.window.activations.size(), 1);
}

TAVRIX_TEST_MAIN(tst_FixtureTree)
#include "tst_fixturetree.moc"
