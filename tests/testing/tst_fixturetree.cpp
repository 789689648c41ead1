// The fixture panel as the user drives it: the tool bar and context menu actions, double clicks,
// dropped files and folders, selection, and the panel becoming the active one.

#include "common/testmain.h"

#include "fixturetestsupport.h"

#include "common/fakeappproxy.h"

#include "corelib/files/filehandler.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUrl>

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

} // namespace

class tst_FixtureTree : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void clearBringsBackTheInitialItems();
    void actionsFollowTheCurrentItem_data();
    void actionsFollowTheCurrentItem();
    void addPutsTheNewItemAfterTheCurrentOne_data();
    void addPutsTheNewItemAfterTheCurrentOne();
    void removeTakesTheCurrentItemAway();
    void upAndDownMoveWithinTheGroup();
    void movingAndRemovingWantASelectedItem_data();
    void movingAndRemovingWantASelectedItem();
    void doubleClickTakesItemsInAndOutOfTheTest();
    void chosenFileOrFolderBecomesAJob_data();
    void chosenFileOrFolderBecomesAJob();
    void droppedFilesBecomeJobs_data();
    void droppedFilesBecomeJobs();
    void dragsWithoutFilesAreRefused();
    void usableItemFollowsCurrentAndEnabledJobs_data();
    void usableItemFollowsCurrentAndEnabledJobs();
    void selectionShowsTheItemProperties();
    void clickMakesThePanelActive();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_FixtureTree::init()
{
    QSettings().clear();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    SRCore::FileHandler::setTempFolder(m_dir->filePath(QStringLiteral("temp")));
}

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
    QTest::addColumn<QStringList>("enabled");

    // clang-format off
    QTest::newRow("basic item offers nothing") << "yy" << -1 << QStringList();
    QTest::newRow("group offers add only") << "yy" << -2 << QStringList{"Add"};
    QTest::newRow("first job cannot go up") << "yy" << 0 << QStringList{"Add", "Remove", "Down"};
    QTest::newRow("last job cannot go down") << "yy" << 1 << QStringList{"Add", "Remove", "Up"};
    QTest::newRow("only job moves nowhere") << "y" << 0 << QStringList{"Add", "Remove"};
    QTest::newRow("middle job moves both ways") << "yyy" << 1 << QStringList{"Add", "Remove", "Up", "Down"};
    QTest::newRow("a job out of the test stays in reach") << "yny" << 1 << QStringList{"Add", "Remove", "Up", "Down"};
    QTest::newRow("connection group offers add only") << "" << -3 << QStringList{"Add"};
    // clang-format on
}

void tst_FixtureTree::actionsFollowTheCurrentItem()
{
    QFETCH(QString, jobs);
    QFETCH(int, current);
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
    QCOMPARE(actionStates(tree), enabled);
    // The file actions are always there.
    QVERIFY(tree->addFileAction()->isEnabled());
    QVERIFY(tree->addFolderAction()->isEnabled());
}

void tst_FixtureTree::addPutsTheNewItemAfterTheCurrentOne_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("jobs");
    QTest::addColumn<QStringList>("connections");
    QTest::addColumn<QString>("added"); // empty: nothing is added

    const QString job0 = QStringLiteral("FileOrFolder0");
    const QString job1 = QStringLiteral("FileOrFolder1");
    const QString connection2 = QStringLiteral("Connection2");
    // clang-format off
    QTest::newRow("basic item adds nothing") << QStringLiteral("basic") << QStringList{job0, job1} << QStringList{connection2} << QString();
    QTest::newRow("job group adds at the top") << QStringLiteral("in") << QStringList{"FileOrFolder3", job0, job1} << QStringList{connection2} << QStringLiteral("FileOrFolder3");
    QTest::newRow("job adds right after it") << QStringLiteral("job0") << QStringList{job0, "FileOrFolder3", job1} << QStringList{connection2} << QStringLiteral("FileOrFolder3");
    QTest::newRow("connection group adds at the top") << QStringLiteral("out") << QStringList{job0, job1} << QStringList{"Connection3", connection2} << QStringLiteral("Connection3");
    QTest::newRow("connection adds right after it") << QStringLiteral("connection2") << QStringList{job0, job1} << QStringList{connection2, "Connection3"} << QStringLiteral("Connection3");
    // clang-format on
}

void tst_FixtureTree::addPutsTheNewItemAfterTheCurrentOne()
{
    QFETCH(QString, current);
    QFETCH(QStringList, jobs);
    QFETCH(QStringList, connections);
    QFETCH(QString, added);

    ShownWindow shown;
    Scripter::FixtureTree *tree = shown.window.fixture()->tree();
    auto *job0 = newJob(shown.window);
    newJob(shown.window);
    auto *connection2 = newConnection(shown.window);
    const QMap<QString, QTreeWidgetItem *> items{{QStringLiteral("basic"), tree->basicItem()},
                                                 {QStringLiteral("in"), tree->incomingGroup()},
                                                 {QStringLiteral("out"), tree->outgoingGroup()},
                                                 {QStringLiteral("job0"), job0},
                                                 {QStringLiteral("connection2"), connection2}};
    click(tree, items.value(current));
    QCOMPARE(tree->currentItem(), items.value(current));

    // The context menu opens over items only; its Add, as the user picks it.
    const QPoint empty(tree->viewport()->width() / 2, tree->viewport()->height() - 5);
    QContextMenuEvent nowhere(QContextMenuEvent::Mouse, empty,
                              tree->viewport()->mapToGlobal(empty));
    QApplication::sendEvent(tree->viewport(), &nowhere);
    QVERIFY(!tree->contextMenu()->isVisible());
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, centerOf(tree, tree->currentItem()),
                                tree->viewport()->mapToGlobal(centerOf(tree, tree->currentItem())));
    QApplication::sendEvent(tree->viewport(), &menuEvent);
    QTRY_VERIFY(tree->contextMenu()->isVisible());
    tree->addItemAction()->trigger();
    tree->contextMenu()->close();

    QCOMPARE(childTexts(tree->incomingGroup()), jobs);
    QCOMPARE(childTexts(tree->outgoingGroup()), connections);
    if (added.isEmpty()) {
        QCOMPARE(tree->currentItem(), items.value(current));
        QCOMPARE(shown.window.modifiedCount, 0);
    } else {
        QCOMPARE(tree->currentItem()->text(0), added);
        QCOMPARE(shown.window.modifiedCount, 1);
        QVERIFY(shows(shown.window, tree->currentFixtureItem()));
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

void tst_FixtureTree::movingAndRemovingWantASelectedItem_data()
{
    QTest::addColumn<bool>("onEmptySpace");
    QTest::newRow("click on empty space") << true;
    QTest::newRow("control-click on the selected job") << false;
}

void tst_FixtureTree::movingAndRemovingWantASelectedItem()
{
    QFETCH(bool, onEmptySpace);

    ShownWindow shown;
    Scripter::FixtureTree *tree = shown.window.fixture()->tree();
    for (int i = 0; i < 3; ++i) {
        newJob(shown.window);
    }
    QTreeWidgetItem *job = tree->incomingGroup()->child(1);
    click(tree, job);
    QCOMPARE(actionStates(tree), QStringList({"Add", "Remove", "Up", "Down"}));
    if (onEmptySpace) {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(5, tree->viewport()->height() - 3));
    } else {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          centerOf(tree, job));
    }
    QVERIFY(tree->selectedItems().isEmpty());
    QCOMPARE(tree->currentItem(), job);
    // Nothing looks selected, so nothing may move or go.
    QCOMPARE(actionStates(tree), QStringList{"Add"});

    click(tree, job);
    QCOMPARE(actionStates(tree), QStringList({"Add", "Remove", "Up", "Down"}));
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

void tst_FixtureTree::chosenFileOrFolderBecomesAJob_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("jobs");

    // clang-format off
    QTest::newRow("file after the current job") << false << QStringLiteral("job") << true << QStringLiteral("a.pdf") << QStringList{"FileOrFolder0", "a.pdf", "FileOrFolder1"};
    QTest::newRow("folder at the end when a connection is current") << true << QStringLiteral("out") << true << QStringLiteral("folder") << QStringList{"FileOrFolder0", "FileOrFolder1", "folder"};
    QTest::newRow("file at the top when the group is current") << false << QStringLiteral("in") << true << QStringLiteral("a.pdf") << QStringList{"a.pdf", "FileOrFolder0", "FileOrFolder1"};
    QTest::newRow("cancelled chooser adds nothing") << false << QStringLiteral("job") << false << QStringLiteral("a.pdf") << QStringList{"FileOrFolder0", "FileOrFolder1"};
    QTest::newRow("path that does not exist adds nothing") << true << QStringLiteral("job") << true << QStringLiteral("gone") << QStringList{"FileOrFolder0", "FileOrFolder1"};
    // clang-format on
}

void tst_FixtureTree::chosenFileOrFolderBecomesAJob()
{
    QFETCH(bool, folder);
    QFETCH(QString, current);
    QFETCH(bool, confirm);
    QFETCH(QString, answer);
    QFETCH(QStringList, jobs);

    QVERIFY(writeFile(path(QStringLiteral("a.pdf")), "a"));
    QVERIFY(QDir().mkpath(path(QStringLiteral("folder"))));
    FakeAppProxy proxy;
    QCOMPARE(GuiLib::IAppProxy::instance(), &proxy);
    proxy.editorAnswer = confirm ? path(answer) : QString();

    ShownWindow shown;
    Scripter::FixtureTree *tree = shown.window.fixture()->tree();
    auto *job = newJob(shown.window);
    newJob(shown.window);
    auto *connection = newConnection(shown.window);
    const QMap<QString, QTreeWidgetItem *> items{{QStringLiteral("in"), tree->incomingGroup()},
                                                 {QStringLiteral("out"), connection},
                                                 {QStringLiteral("job"), job}};
    click(tree, items.value(current));
    const int modified = shown.window.modifiedCount;

    const auto *toolBar = shown.window.fixture()->findChild<QToolBar *>();
    QAction *action = folder ? tree->addFolderAction() : tree->addFileAction();
    QTest::mouseClick(toolBar->widgetForAction(action), Qt::LeftButton);

    QCOMPARE(proxy.requests.size(), 1);
    const GuiLib::ValueEditorRequest &request = proxy.requests.first();
    QCOMPARE(request.editorType,
             folder ? XMLValues::EDITOR_CHOOSEFOLDER : XMLValues::EDITOR_CHOOSEFILE);
    QCOMPARE(request.tag, XMLKey::FILEORFOLDER);

    QCOMPARE(childTexts(tree->incomingGroup()), jobs);
    const int added = jobs.indexOf(answer);
    if (added < 0) {
        QCOMPARE(tree->currentItem(), items.value(current));
        QCOMPARE(shown.window.modifiedCount, modified);
        return;
    }
    const FixtureItem *item = child(tree->incomingGroup(), added);
    QCOMPARE(tree->currentItem(), item);
    QVERIFY(shows(shown.window, item));
    QCOMPARE(item->value(XMLKey::FILEORFOLDER), path(answer));
    QVERIFY(sameIcon(item->icon(0), FixtureItem::pathIcon(shown.window.fileIconProvider(),
                                                          QFileInfo(path(answer)))));
    QVERIFY(shown.window.modifiedCount > modified);
}

void tst_FixtureTree::droppedFilesBecomeJobs_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("dropped"); // in the test's folder; gone*: paths that don't exist
    QTest::addColumn<QStringList>("jobs");

    // clang-format off
    QTest::newRow("after the current job, each right after it, so reversed") << QStringLiteral("job") << QStringList{"a.pdf", "b.pdf"} << QStringList{"FileOrFolder0", "b.pdf", "a.pdf", "FileOrFolder1"};
    QTest::newRow("at the top when the group is current") << QStringLiteral("in") << QStringList{"a.pdf"} << QStringList{"a.pdf", "FileOrFolder0", "FileOrFolder1"};
    QTest::newRow("appended in order elsewhere") << QStringLiteral("basic") << QStringList{"a.pdf", "folder", "b.pdf"} << QStringList{"FileOrFolder0", "FileOrFolder1", "a.pdf", "folder", "b.pdf"};
    QTest::newRow("paths that do not exist are left out") << QStringLiteral("out") << QStringList{"gone.pdf", "b.pdf"} << QStringList{"FileOrFolder0", "FileOrFolder1", "b.pdf"};
    QTest::newRow("only paths that do not exist change nothing") << QStringLiteral("job") << QStringList{"gone.pdf"} << QStringList{"FileOrFolder0", "FileOrFolder1"};
    // clang-format on
}

void tst_FixtureTree::droppedFilesBecomeJobs()
{
    QFETCH(QString, current);
    QFETCH(QStringList, dropped);
    QFETCH(QStringList, jobs);

    QVERIFY(writeFile(path(QStringLiteral("a.pdf")), "a"));
    QVERIFY(writeFile(path(QStringLiteral("b.pdf")), "b"));
    QVERIFY(QDir().mkpath(path(QStringLiteral("folder"))));

    ShownWindow shown;
    Scripter::FixtureTree *tree = shown.window.fixture()->tree();
    auto *job = newJob(shown.window);
    newJob(shown.window);
    const QMap<QString, QTreeWidgetItem *> items{{QStringLiteral("basic"), tree->basicItem()},
                                                 {QStringLiteral("in"), tree->incomingGroup()},
                                                 {QStringLiteral("out"), tree->outgoingGroup()},
                                                 {QStringLiteral("job"), job}};
    click(tree, items.value(current));

    QList<QUrl> urls;
    for (const QString &name : dropped) {
        urls << QUrl::fromLocalFile(path(name));
    }
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    QVERIFY(drop(tree, data.get()));

    QCOMPARE(childTexts(tree->incomingGroup()), jobs);
    QCOMPARE(tree->currentItem(), items.value(current));
    QCOMPARE(shown.window.modifiedCount > 0, jobs.size() > 2);
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

void tst_FixtureTree::selectionShowsTheItemProperties()
{
    ShownWindow shown;
    Scripter::FixtureTree *tree = shown.window.fixture()->tree();
    auto *connection = newConnection(shown.window);
    click(tree, connection);
    QVERIFY(shows(shown.window, connection));
    // A group has no properties: the explorer shows nothing.
    GuiLib::PropertiesExplorer *explorer = shown.window.propertiesExplorer();
    click(tree, tree->incomingGroup());
    QCOMPARE(explorer->model()->rowCount(explorer->rootIndex()), 0);
    click(tree, tree->basicItem());
    QVERIFY(shows(shown.window, tree->basicItem()));
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
