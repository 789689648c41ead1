#include "common/testmain.h"

#include "packagetestsupport.h"

#include "package/declarationitem.h"
#include "package/declarationtree.h"

#include "guilib/property/iproperty.h"
#include "guilib/property/propertiesexplorermodel.h"
#include "guilib/property/propertycollection.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QAction>
#include <QDomDocument>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QtTest>

using namespace PackageTest;
using Scripter::DeclarationItem;
using Scripter::DeclarationTree;

namespace {

// The explorer shows the properties of `item`.
bool shows(const FakePackageWindow &window, DeclarationItem *item)
{
    return window.propertiesExplorer()->propertiesModel()->root() == item->properties();
}

QStringList texts(const QList<QTreeWidgetItem *> &items)
{
    QStringList result;
    for (const QTreeWidgetItem *item : items) {
        result.append(item->text(0));
    }
    result.sort();
    return result;
}

QStringList childTexts(const QTreeWidgetItem *item)
{
    QStringList result;
    for (int i = 0; i < item->childCount(); ++i) {
        result.append(item->child(i)->text(0));
    }
    return result;
}

// A shown window with definitions A, B, C in the element group (B holding B1 and B2) and X, Y
// in the connection group, its model under a tester.
class Fixture
{
public:
    Fixture()
        : tree(window.declaration()->tree())
        , tester(tree->model(), QAbstractItemModelTester::FailureReportingMode::QtTest)
    {
        elementGroup = tree->groupItem(DeclarationItem::ElementGroupKind);
        connectionGroup = tree->groupItem(DeclarationItem::ConnectionGroupKind);
        a = add(elementGroup, s("A"));
        b = add(a, s("B"));
        c = add(b, s("C"));
        b1 = add(b, s("B1"));
        b2 = add(b1, s("B2"));
        edit(b2, XMLKey::DEF_DEPENDSONMASTER, XMLValues::YES); // under B1
        edit(b1, XMLKey::DEF_DEPENDSONMASTER, XMLValues::YES); // under B, with B2
        x = add(connectionGroup, s("X"));
        y = add(x, s("Y"));
        window.resize(400, 600);
        window.declaration()->resize(400, 600);
        window.show();
        window.refreshes.clear();
        window.modifiedCount = 0;
        window.log.clear();
    }

    DeclarationItem *add(QTreeWidgetItem *after, const QString &tag)
    {
        DeclarationItem *item = addDefinition(window, DeclarationItem::ElementGroupKind, after);
        edit(item, XMLKey::DEF_TAG, tag);
        return item;
    }

    void click(QTreeWidgetItem *item, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, modifiers,
                          tree->visualItemRect(item).center());
    }

    FakePackageWindow window;
    DeclarationTree *tree;
    QAbstractItemModelTester tester;
    QTreeWidgetItem *elementGroup = nullptr;
    QTreeWidgetItem *connectionGroup = nullptr;
    DeclarationItem *a = nullptr;
    DeclarationItem *b = nullptr;
    DeclarationItem *b1 = nullptr;
    DeclarationItem *b2 = nullptr;
    DeclarationItem *c = nullptr;
    DeclarationItem *x = nullptr;
    DeclarationItem *y = nullptr;
};

} // namespace

class tst_DeclarationTree : public QObject
{
    Q_OBJECT

private slots:
    void actionStates_data();
    void actionStates();
    void addUnderGroupAndDefinition();
    void upAndDownCarryDependents();
    void removeTakesDependentsAndEmptiesTheExplorer();
    void pasteNamesCopies();
    void pastePlacesCopies();
    void clipboardKeepsTheValuesOfTheCopy();
    void modifierClicks();
    void modifierClickOnOtherGroupOrParentDoesNothing_data();
    void modifierClickOnOtherGroupOrParentDoesNothing();
    void expandedMasterBringsItsDependents();
    void contextMenuOpensOverItemsOnly();
    void dropsOnlyOfTheDeclarationFormat();
    void activation();
};

void tst_DeclarationTree::actionStates_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("clipboard");
    QTest::addColumn<int>("deselect"); // after a click on it: 1 on empty space, 2 control-click
    // Add, Remove, Up, Down, Cut, Copy, Paste
    QTest::addColumn<QString>("enabled");

    // clang-format off
    QTest::newRow("script item: nothing to add to") << s("TavrixScript") << false << 0 << s("-------");
    QTest::newRow("script item with a clipboard") << s("TavrixScript") << true << 0 << s("------P");
    QTest::newRow("group") << s("Outgoing Connections Properties") << false << 0 << s("A------");
    QTest::newRow("first definition") << s("A") << false << 0 << s("AR-DCC-");
    QTest::newRow("middle definition") << s("B") << true << 0 << s("ARUDCCP");
    QTest::newRow("last definition") << s("C") << false << 0 << s("ARU-CC-");
    QTest::newRow("only dependent of its master") << s("B2") << false << 0 << s("AR--CC-");
    QTest::newRow("last of the other group") << s("Y") << false << 0 << s("ARU-CC-");
    QTest::newRow("click on empty space: nothing may move or go") << s("B") << false << 1 << s("A------");
    QTest::newRow("control-click on the selected definition") << s("B") << false << 2 << s("A------");
    // clang-format on
}

void tst_DeclarationTree::actionStates()
{
    QFETCH(QString, current);
    QFETCH(bool, clipboard);
    QFETCH(int, deselect);
    QFETCH(QString, enabled);

    Fixture f;
    if (clipboard) {
        f.tree->setCurrentItem(f.c);
        f.tree->copyAction()->trigger();
    }
    QTreeWidgetItem *item = f.tree->findItemWithText(current);
    f.tree->setCurrentItem(item);
    if (deselect != 0) {
        f.click(item);
        QTest::mouseClick(f.tree->viewport(), Qt::LeftButton,
                          deselect == 1 ? Qt::NoModifier : Qt::ControlModifier,
                          deselect == 1 ? QPoint(5, f.tree->viewport()->height() - 3)
                                        : f.tree->visualItemRect(item).center());
        // The item stays current, but nothing looks selected, and nothing shows.
        QCOMPARE(f.tree->currentItem(), item);
        QVERIFY(f.tree->selectedItems().isEmpty());
        QVERIFY(shownRows(f.window.propertiesExplorer()).isEmpty());
    }
    const QList<QAction *> actions = {f.tree->addItemAction(), f.tree->removeItemAction(),
                                      f.tree->upAction(),      f.tree->downAction(),
                                      f.tree->cutAction(),     f.tree->copyAction(),
                                      f.tree->pasteAction()};
    QString states;
    for (int i = 0; i < actions.size(); ++i) {
        states += actions.at(i)->isEnabled() ? s("ARUDCCP").at(i) : QLatin1Char('-');
    }
    QCOMPARE(states, enabled);
}

void tst_DeclarationTree::addUnderGroupAndDefinition()
{
    Fixture f;
    // On a group: its first definition.
    f.tree->setCurrentItem(f.connectionGroup);
    f.tree->addItemAction()->trigger();
    auto *first = dynamic_cast<DeclarationItem *>(f.tree->currentItem());
    QCOMPARE(f.connectionGroup->indexOfChild(first), 0);
    QCOMPARE(first->type(), int(DeclarationItem::ConnectionDefinitionKind));
    QCOMPARE(first->value(XMLKey::DEF_DEPENDSONMASTER), XMLValues::NO);
    QCOMPARE(f.window.refreshes, QStringList{s("C")});

    // Among the dependents of a master: a dependent too.
    f.tree->setCurrentItem(f.b1);
    f.tree->addItemAction()->trigger();
    auto *dependent = dynamic_cast<DeclarationItem *>(f.tree->currentItem());
    QCOMPARE(dependent->parent(), f.b);
    QCOMPARE(f.b->indexOfChild(dependent), 1);
    QCOMPARE(dependent->value(XMLKey::DEF_DEPENDSONMASTER), XMLValues::YES);
    QCOMPARE(f.window.modifiedCount, 2);
}

void tst_DeclarationTree::upAndDownCarryDependents()
{
    Fixture f;
    f.tree->setCurrentItem(f.b);
    f.tree->upAction()->trigger();
    QCOMPARE(childTexts(f.elementGroup), (QStringList{s("B"), s("A"), s("C")}));
    QCOMPARE(childTexts(f.b), QStringList{s("B1")});
    QCOMPARE(childTexts(f.b1), QStringList{s("B2")});
    QCOMPARE(f.tree->currentItem(), f.b);
    QVERIFY(!f.tree->upAction()->isEnabled());
    QCOMPARE(f.window.refreshes, QStringList{s("E")});

    f.tree->downAction()->trigger();
    f.tree->downAction()->trigger();
    QCOMPARE(childTexts(f.elementGroup), (QStringList{s("A"), s("C"), s("B")}));
    QVERIFY(!f.tree->downAction()->isEnabled());
    QCOMPARE(f.window.declaration()->elementPropertyTags(),
             (QStringList{s("A"), s("C"), s("B"), s("B1"), s("B2")}));
}

void tst_DeclarationTree::removeTakesDependentsAndEmptiesTheExplorer()
{
    Fixture f;
    f.click(f.b);
    QVERIFY(shows(f.window, f.b));
    const GuiLib::PropertyCollection *removedSet = f.b->properties();
    f.tree->removeItemAction()->trigger();
    QCOMPARE(childTexts(f.elementGroup), (QStringList{s("A"), s("C")}));
    QVERIFY(!f.tree->findItemWithText(s("B2")));
    QCOMPARE(f.window.refreshes, QStringList{s("EC")});
    QCOMPARE(f.window.modifiedCount, 1);
    // The explorer never keeps a removed set.
    QVERIFY(f.window.propertiesExplorer()->propertiesModel()->root() != removedSet);
}

void tst_DeclarationTree::pasteNamesCopies()
{
    Fixture f;
    f.tree->setCurrentItem(f.c);
    f.tree->copyAction()->trigger();
    f.tree->pasteAction()->trigger();
    f.tree->pasteAction()->trigger();
    f.tree->pasteAction()->trigger();
    QCOMPARE(childTexts(f.elementGroup),
             (QStringList{s("A"), s("B"), s("C"), s("C_Copy"), s("C_Copy1"), s("C_Copy2")}));
    QCOMPARE(f.tree->currentItem()->text(0), s("C_Copy2"));
    auto *copy = dynamic_cast<DeclarationItem *>(f.tree->findItemWithText(s("C_Copy1")));
    QCOMPARE(copy->value(XMLKey::DEF_TAG), s("C_Copy1"));
    // The fixture lists definitions by name: a copy is named after its own tag.
    QCOMPARE(copy->value(XMLKey::NAME), s("C_Copy1"));
    QCOMPARE(copy->type(), int(DeclarationItem::ElementDefinitionKind));
    QCOMPARE(f.window.refreshes, (QStringList{s("E"), s("E"), s("E")}));
    QCOMPARE(f.window.modifiedCount, 3);

    // A tag freed again is taken first.
    f.tree->setCurrentItem(f.tree->findItemWithText(s("C_Copy")));
    f.tree->removeItemAction()->trigger();
    f.tree->setCurrentItem(f.a);
    f.tree->pasteAction()->trigger();
    QCOMPARE(f.elementGroup->child(1)->text(0), s("C_Copy"));
}

void tst_DeclarationTree::pastePlacesCopies()
{
    Fixture f;
    f.tree->setCurrentItem(f.a);
    f.tree->copyAction()->trigger();

    // After a dependent: a dependent of the same master.
    f.tree->setCurrentItem(f.b1);
    f.tree->pasteAction()->trigger();
    auto *underMaster = dynamic_cast<DeclarationItem *>(f.tree->currentItem());
    QCOMPARE(underMaster->parent(), f.b);
    QCOMPARE(underMaster->value(XMLKey::DEF_DEPENDSONMASTER), XMLValues::YES);

    // Into the other group: a connection definition that depends on nothing.
    f.tree->setCurrentItem(f.b1);
    f.tree->copyAction()->trigger();
    f.tree->setCurrentItem(f.y);
    f.tree->pasteAction()->trigger();
    auto *connection = dynamic_cast<DeclarationItem *>(f.tree->currentItem());
    QCOMPARE(connection->text(0), s("B1_Copy"));
    QCOMPARE(connection->parent(), f.connectionGroup);
    QCOMPARE(connection->type(), int(DeclarationItem::ConnectionDefinitionKind));
    QCOMPARE(connection->value(XMLKey::DEF_DEPENDSONMASTER), XMLValues::NO);
    QCOMPARE(f.window.refreshes.last(), s("C"));
}

void tst_DeclarationTree::clipboardKeepsTheValuesOfTheCopy()
{
    Fixture f;
    edit(f.a, XMLKey::DEF_EDITOR, s("Number"));
    edit(f.a, XMLKey::DEFAULT, s("7"));
    edit(f.a, XMLKey::TOOLTIP, s("Dots per inch"));
    f.tree->setCurrentItem(f.a);
    f.tree->copyAction()->trigger();
    edit(f.a, XMLKey::DEFAULT, s("8"));

    f.tree->pasteAction()->trigger();
    auto *copy = dynamic_cast<DeclarationItem *>(f.tree->currentItem());
    QCOMPARE(copy->value(XMLKey::DEFAULT), s("7"));
    QCOMPARE(copy->value(XMLKey::DEF_EDITOR), s("Number"));
    QCOMPARE(copy->value(XMLKey::TOOLTIP), s("Dots per inch"));
    QCOMPARE(copy->value(XMLKey::NAME), copy->text(0));
    // The copy's Default is edited like a number, as the original's.
    QDomDocument document;
    const QDomElement element = Scripter::DeclarationXml::writeDefinition(document, copy->record());
    QCOMPARE(element.attribute(XMLKey::TYPE), XMLValues::EDITORTYPE_NUMBER);

    // A cut definition goes at once, and comes back where it is pasted with its values.
    edit(f.c, XMLKey::DEFAULT, s("kept"));
    f.tree->setCurrentItem(f.c);
    f.tree->cutAction()->trigger();
    QVERIFY(!f.tree->findItemWithText(s("C")));
    f.tree->setCurrentItem(f.x);
    f.tree->pasteAction()->trigger();
    QCOMPARE(dynamic_cast<DeclarationItem *>(f.tree->currentItem())->value(XMLKey::DEFAULT),
             s("kept"));
    QCOMPARE(f.window.declaration()->connectionPropertyTags(),
             (QStringList{s("X"), s("C_Copy"), s("Y")}));
}

void tst_DeclarationTree::modifierClicks()
{
    Fixture f;
    f.click(f.tree->scriptItem());
    QVERIFY(shows(f.window, f.tree->scriptItem()));
    f.click(f.a);
    QCOMPARE(texts(f.tree->selectedItems()), QStringList{s("A")});
    QVERIFY(shows(f.window, f.a));
    f.click(f.c, Qt::ControlModifier);
    QCOMPARE(texts(f.tree->selectedItems()), (QStringList{s("A"), s("C")}));
    // Several items selected: the explorer shows nothing.
    QVERIFY(shownRows(f.window.propertiesExplorer()).isEmpty());
    QVERIFY(f.tree->copyAction()->isEnabled());

    // Control toggles, Shift only adds.
    f.click(f.c, Qt::ControlModifier);
    QCOMPARE(texts(f.tree->selectedItems()), QStringList{s("A")});
    f.click(f.c, Qt::ShiftModifier);
    f.click(f.c, Qt::ShiftModifier);
    QCOMPARE(texts(f.tree->selectedItems()), (QStringList{s("A"), s("C")}));
    QCOMPARE(f.tree->currentItem(), f.c);

    // A modifier click on something that is no definition starts over with it.
    f.click(f.elementGroup, Qt::ControlModifier);
    QCOMPARE(texts(f.tree->selectedItems()), QStringList{s("Flow Element Properties")});

    // Copying several definitions pastes them in tree order.
    f.click(f.c);
    f.click(f.a, Qt::ControlModifier);
    f.tree->copyAction()->trigger();
    f.tree->setCurrentItem(f.x);
    f.tree->pasteAction()->trigger();
    QCOMPARE(f.window.declaration()->connectionPropertyTags(),
             (QStringList{s("X"), s("A_Copy"), s("C_Copy"), s("Y")}));
}

void tst_DeclarationTree::modifierClickOnOtherGroupOrParentDoesNothing_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<int>("modifier");

    // clang-format off
    QTest::newRow("other group with control") << s("A") << s("X") << int(Qt::ControlModifier);
    QTest::newRow("other group with shift") << s("C") << s("Y") << int(Qt::ShiftModifier);
    QTest::newRow("other parent") << s("A") << s("B1") << int(Qt::ControlModifier);
    QTest::newRow("selection holds a group") << s("Flow Element Properties") << s("A") << int(Qt::ControlModifier);
    // clang-format on
}

void tst_DeclarationTree::modifierClickOnOtherGroupOrParentDoesNothing()
{
    QFETCH(QString, selected);
    QFETCH(QString, clicked);
    QFETCH(int, modifier);

    Fixture f;
    f.click(f.tree->findItemWithText(selected));
    f.click(f.tree->findItemWithText(clicked), Qt::KeyboardModifiers(modifier));
    QCOMPARE(texts(f.tree->selectedItems()), QStringList{selected});
    QCOMPARE(f.tree->currentItem()->text(0), selected);
}

void tst_DeclarationTree::expandedMasterBringsItsDependents()
{
    Fixture f;
    f.b->setExpanded(true);
    f.b1->setExpanded(true);
    f.click(f.b);
    f.click(f.a, Qt::ControlModifier);
    QCOMPARE(texts(f.tree->selectedItems()), (QStringList{s("A"), s("B"), s("B1"), s("B2")}));

    // Its dependents follow a master that is clicked away.
    f.click(f.b, Qt::ControlModifier);
    QCOMPARE(texts(f.tree->selectedItems()), QStringList{s("A")});

    // Expanding a master while several are selected selects its dependents with it.
    f.b->setExpanded(false);
    f.click(f.b, Qt::ControlModifier);
    QCOMPARE(texts(f.tree->selectedItems()), (QStringList{s("A"), s("B")}));
    f.b->setExpanded(true);
    QCOMPARE(texts(f.tree->selectedItems()), (QStringList{s("A"), s("B"), s("B1")}));
}

void tst_DeclarationTree::contextMenuOpensOverItemsOnly()
{
    Fixture f;
    // The menu runs its own event loop: it is looked at, and closed, from there.
    const auto openMenu = [&f](const QPoint &position) {
        bool opened = false;
        QTimer::singleShot(0, f.tree, [&f, &opened] {
            opened = f.tree->contextMenu()->isVisible();
            f.tree->contextMenu()->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, position,
                                f.tree->viewport()->mapToGlobal(position));
        QCoreApplication::sendEvent(f.tree->viewport(), &event);
        QCoreApplication::processEvents();
        return opened;
    };
    const QPoint empty(5, f.tree->viewport()->height() - 3);
    QVERIFY(!f.tree->itemAt(empty));
    QVERIFY(!openMenu(empty));
    QVERIFY(openMenu(f.tree->visualItemRect(f.a).center()));
}

void tst_DeclarationTree::dropsOnlyOfTheDeclarationFormat()
{
    FakePackageWindow window;
    DeclarationTree *tree = window.declaration()->tree();
    QVERIFY(tree->acceptDrops());

    auto dragEnter = [tree](const QString &format) {
        QMimeData data;
        data.setData(format, QByteArray("x"));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(tree->viewport(), &enter);
        QDragMoveEvent move(QPoint(6, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(tree->viewport(), &move);
        return enter.isAccepted() && move.isAccepted();
    };
    QVERIFY(dragEnter(s("tavrix.scripter/declproperties")));
    QVERIFY(!dragEnter(s("text/uri-list")));
    QVERIFY(!dragEnter(s("application/x-qabstractitemmodeldatalist")));
}

void tst_DeclarationTree::activation()
{
    FakePackageWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    DeclarationTree *tree = window.declaration()->tree();
    QVERIFY(!window.declaration()->isActive());

    QSignalSpy selections(tree, &DeclarationTree::updateSelections);
    window.declaration()->updatePreview(false);
    tree->clearFocus();
    QFocusEvent byMouse(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(tree, &byMouse);
    QCOMPARE(window.activations, QList<Scripter::IDocumentWindow::Panel>{
                                     Scripter::IDocumentWindow::Panel::Declaration});
    QVERIFY(window.declaration()->isActive());
    QCOMPARE(selections.count(), 1);
    QVERIFY(shows(window, tree->scriptItem()));

    // Focus that does not come from the mouse activates nothing.
    QFocusEvent byKey(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(tree, &byKey);
    QCOMPARE(window.activations.size(), 1);

    window.declaration()->updatePreview(false);
    QVERIFY(!window.declaration()->isActive());

    // The inactive panel activates itself when it gets the focus.
    QFocusEvent panelFocus(QEvent::FocusIn, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(window.declaration(), &panelFocus);
    QCOMPARE(window.activations.size(), 2);
}

TAVRIX_TEST_MAIN(tst_DeclarationTree)
#include "tst_declarationtree.moc"
