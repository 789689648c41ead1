// The filter fields above the message table: typing a filter, the history of recent filters and
// how the fields follow their columns.

#include "common/testmain.h"

#include "guilib/log/basiclogmodel.h"
#include "guilib/log/filtercombobox.h"
#include "guilib/log/filterheaderview.h"
#include "guilib/log/logtableview.h"
#include "guilib/log/recentfilter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using GuiLib::BasicLogModel;
using GuiLib::FilterComboBox;
using GuiLib::FilterHeaderView;
using GuiLib::RecentFilter;

namespace {

QStringList items(const QComboBox *box)
{
    QStringList result;
    for (int i = 0; i < box->count(); ++i) {
        result << box->itemText(i);
    }
    return result;
}

// A message table, shown so that the filter fields get their places.
struct Table
{
    explicit Table(int width = 900)
    {
        view.setModel(&model);
        view.resize(width, 300);
        view.show();
    }

    BasicLogModel model;
    GuiLib::LogTableView view;
    FilterHeaderView *header = view.filterHeader();
};

} // namespace

class tst_FilterHeaderView : public QObject
{
    Q_OBJECT

private slots:
    void recentFiltersKeepTheNewestTen();
    void historyTextRoundTrips();
    void badHistoryTextIsRefusedAndLosesNothing_data();
    void badHistoryTextIsRefusedAndLosesNothing();

    void typingFiltersAfterAPause();
    void returnFiltersAtOnceAndRemembersTheText();
    void pickingARecentFilterAppliesIt();
    void recentFiltersListDropsDownAsInAnEditableBox();

    void everyColumnHasAFieldWithItsHint();
    void fieldsFollowTheirColumns();
    void fieldScrolledIntoViewHasItsHistoryAndHint();
    void resetActionsClearFiltersHistoryAndOrder();
};

void tst_FilterHeaderView::recentFiltersKeepTheNewestTen()
{
    RecentFilter history(3);
    QVERIFY(history.isEmpty());
    for (int i = 1; i <= 12; ++i) {
        history.add(1, QStringLiteral("f%1").arg(i));
    }
    QStringList expected;
    for (int i = 12; i > 2; --i) {
        expected << QStringLiteral("f%1").arg(i);
    }
    QCOMPARE(history.entries(1), expected);

    // Using an older filter again brings it to the front instead of keeping it twice.
    history.add(1, QStringLiteral(" f5  "));
    QCOMPARE(history.entries(1).first(), QStringLiteral("f5"));
    QCOMPARE(history.entries(1).count(QStringLiteral("f5")), 1);
    QCOMPARE(history.entries(1).size(), RecentFilter::MaxEntries);

    history.add(0, QStringLiteral("   "));
    history.add(3, QStringLiteral("no such column"));
    history.add(-1, QStringLiteral("no such column"));
    QVERIFY(history.entries(0).isEmpty());
    QVERIFY(history.entries(3).isEmpty());
    QVERIFY(history.entries(2).isEmpty());

    history.clear();
    QVERIFY(history.isEmpty());
}

void tst_FilterHeaderView::historyTextRoundTrips()
{
    RecentFilter history(3);
    history.add(0, QStringLiteral("24"));
    history.add(2, QStringLiteral("'a \"quoted\" b' c"));
    history.add(2, QStringLiteral("ünïcødé\\path"));

    RecentFilter restored(3);
    QString error;
    QVERIFY2(restored.fromString(history.toString(), &error), qPrintable(error));
    for (int column = 0; column < 3; ++column) {
        QCOMPARE(restored.entries(column), history.entries(column));
    }

    // A history of a table with more columns, or longer lists, is taken in part.
    QVERIFY(restored.fromString(
        QStringLiteral(R"([["a"],[],["1","2","3","4","5","6","7","8","9","10","11"],["x"]])")));
    QCOMPARE(restored.entries(0), QStringList{"a"});
    QCOMPARE(restored.entries(2).size(), RecentFilter::MaxEntries);
    QCOMPARE(restored.entries(2).last(), QStringLiteral("10"));

    // No text means no history.
    QVERIFY(restored.fromString(QString()));
    QVERIFY(restored.isEmpty());
}

void tst_FilterHeaderView::badHistoryTextIsRefusedAndLosesNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    // clang-format off
    QTest::newRow("not JSON") << "error warning" << "cannot be read at offset";
    QTest::newRow("cut off") << R"([["a"],["b")"
                             << "cannot be read at offset";
    QTest::newRow("object instead of list") << R"({"type":["error"]})"
                                            << "is not a list of columns";
    QTest::newRow("column is not a list") << R"([["a"],"b"])"
                                          << "of column 2 is not a list";
    QTest::newRow("entry is not a text") << R"([[],[],["a",3]])"
                                         << "of column 3 holds something other than texts";
    // clang-format on
}

void tst_FilterHeaderView::badHistoryTextIsRefusedAndLosesNothing()
{
    QFETCH(QString, text);
    QFETCH(QString, reason);
    Table table;
    table.header->filterBox(1)->setFilterText(QStringLiteral("error"));
    table.header->restoreFilterHistory(QStringLiteral(R"([[],["error warning","error"]])"));
    const QString before = table.header->filterHistory();

    QString error;
    QVERIFY(!table.header->restoreFilterHistory(text, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QCOMPARE(table.header->filterHistory(), before);
    QCOMPARE(items(table.header->filterBox(1)), QStringList({"error warning", "error"}));
    QCOMPARE(table.header->filterText(1), QStringLiteral("error"));
}

void tst_FilterHeaderView::typingFiltersAfterAPause()
{
    FilterComboBox box(BasicLogModel::FlowColumn);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.lineEdit()->placeholderText(), QStringLiteral("no filtering"));
    QSignalSpy changed(&box, &FilterComboBox::filterChanged);
    QSignalSpy committed(&box, &FilterComboBox::filterCommitted);

    QTest::keyClicks(box.lineEdit(), QStringLiteral("inv ord"));
    QCOMPARE(changed.size(), 0); // not while the user is typing
    QTRY_COMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), int(BasicLogModel::FlowColumn));
    QCOMPARE(changed.at(0).at(1).toString(), QStringLiteral("inv ord"));
    QCOMPARE(committed.size(), 0); // a pause is no decision to remember the text

    box.setFilterText(QString());
    QCOMPARE(changed.size(), 2);
    QCOMPARE(changed.at(1).at(1).toString(), QString());
    QCOMPARE(box.filterText(), QString());
}

void tst_FilterHeaderView::returnFiltersAtOnceAndRemembersTheText()
{
    Table table;
    QVERIFY(QTest::qWaitForWindowExposed(&table.view));
    QSignalSpy changed(table.header, &FilterHeaderView::filterChanged);
    FilterComboBox *box = table.header->filterBox(BasicLogModel::TypeColumn);

    box->lineEdit()->setFocus();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("error warning"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), int(BasicLogModel::TypeColumn));
    QCOMPARE(changed.at(0).at(1).toString(), QStringLiteral("error warning"));
    QTRY_COMPARE(items(box), QStringList{"error warning"});
    // The text stays in the field when the list is refilled.
    QCOMPARE(box->filterText(), QStringLiteral("error warning"));

    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("debug"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Enter);
    QTRY_COMPARE(items(box), QStringList({"debug", "error warning"}));
    QCOMPARE(changed.size(), 2);
    QVERIFY(table.header->filterHistory().contains(QLatin1String("error warning")));
    // Other columns keep their own history.
    QCOMPARE(items(table.header->filterBox(BasicLogModel::FlowColumn)), QStringList());
}

void tst_FilterHeaderView::pickingARecentFilterAppliesIt()
{
    Table table;
    QVERIFY(table.header->restoreFilterHistory(QStringLiteral(R"([[],[],["Gen","Scripter"]])")));
    QSignalSpy changed(table.header, &FilterHeaderView::filterChanged);
    FilterComboBox *box = table.header->filterBox(BasicLogModel::ModuleColumn);
    QCOMPARE(box->filterText(), QString());

    // Arrow keys step through the recent filters, each applied at once.
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->filterText(), QStringLiteral("Gen"));
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(changed.size(), 2);
    QCOMPARE(changed.at(0).at(1).toString(), QStringLiteral("Gen"));
    QCOMPARE(changed.at(1).at(1).toString(), QStringLiteral("Scripter"));
    QTRY_COMPARE(items(box), QStringList({"Scripter", "Gen"}));
    QCOMPARE(box->filterText(), QStringLiteral("Scripter"));
}

void tst_FilterHeaderView::recentFiltersListDropsDownAsInAnEditableBox()
{
    Table table;
    QVERIFY(QTest::qWaitForWindowExposed(&table.view));
    QVERIFY(table.header->restoreFilterHistory(QStringLiteral(R"([[],[],["Gen","Scripter"]])")));
    QSignalSpy changed(table.header, &FilterHeaderView::filterChanged);
    FilterComboBox *box = table.header->filterBox(BasicLogModel::ModuleColumn);
    QVERIFY(box->isEditable());

    box->showPopup();
    QAbstractItemView *list = box->view();
    QTRY_VERIFY(list->isVisible());
    QCOMPARE(list->model()->rowCount(), 2);
    // The list draws its rows as the list of any editable box does.
    QComboBox editable;
    editable.setEditable(true);
    editable.showPopup();
    QCOMPARE(box->itemDelegate()->metaObject()->className(),
             editable.itemDelegate()->metaObject()->className());
    editable.hidePopup();

    const QModelIndex second = list->model()->index(1, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(second).center());
    QTRY_VERIFY(!list->isVisible());
    QCOMPARE(box->filterText(), QStringLiteral("Scripter"));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(1).toString(), QStringLiteral("Scripter"));
}

void tst_FilterHeaderView::everyColumnHasAFieldWithItsHint()
{
    Table table;
    QVERIFY(QTest::qWaitForWindowExposed(&table.view));
    for (int column = 0; column < BasicLogModel::ColumnCount; ++column) {
        FilterComboBox *box = table.header->filterBox(column);
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QCOMPARE(box->column(), column);
        QCOMPARE(box->toolTip(),
                 table.model.headerData(column, Qt::Horizontal, BasicLogModel::FilterHintRole)
                     .toString());
        QVERIFY(!box->toolTip().isEmpty());
    }
    QVERIFY(!table.header->filterBox(BasicLogModel::ColumnCount));
    // The header is tall enough for the titles and the fields below them.
    QVERIFY(table.header->height() >= table.header->filterBox(0)->sizeHint().height() * 3 / 2);
    QCOMPARE(table.header->filterBox(0)->geometry().bottom(), table.header->height() - 1);
}

void tst_FilterHeaderView::fieldsFollowTheirColumns()
{
    Table table;
    QVERIFY(QTest::qWaitForWindowExposed(&table.view));
    const auto sectionMatches = [&table](int column) {
        const QRect box = table.header->filterBox(column)->geometry();
        return box.left() == table.header->sectionViewportPosition(column)
               && box.width() == table.header->sectionSize(column);
    };

    table.header->resizeSection(BasicLogModel::TimeColumn, 240);
    for (int column = 0; column < BasicLogModel::ColumnCount - 1; ++column) {
        QVERIFY2(sectionMatches(column), qPrintable(QString::number(column)));
    }
    QCOMPARE(table.header->filterBox(BasicLogModel::TimeColumn)->width(), 240);

    table.header->moveSection(table.header->visualIndex(BasicLogModel::MessageColumn), 0);
    QVERIFY(sectionMatches(BasicLogModel::MessageColumn));
    QCOMPARE(table.header->filterBox(BasicLogModel::MessageColumn)->x(), 0);
    QVERIFY(sectionMatches(BasicLogModel::TimeColumn));

    table.view.setColumnHidden(BasicLogModel::FlowColumn, true);
    // The stretched last section makes the header lay out again later.
    QTRY_VERIFY(!table.header->filterBox(BasicLogModel::FlowColumn)->isVisible());
    table.view.setColumnHidden(BasicLogModel::FlowColumn, false);
    QTRY_VERIFY(table.header->filterBox(BasicLogModel::FlowColumn)->isVisible());
    QVERIFY(sectionMatches(BasicLogModel::FlowColumn));
}

void tst_FilterHeaderView::fieldScrolledIntoViewHasItsHistoryAndHint()
{
    // Narrow, so that the last column starts out of view.
    Table table(300);
    table.header->setStretchLastSection(false);
    for (int column = 0; column < BasicLogModel::ColumnCount; ++column) {
        table.header->resizeSection(column, 300);
    }
    const int last = BasicLogModel::ColumnCount - 1;
    QStringList history(BasicLogModel::ColumnCount, QStringLiteral("[]"));
    history[last] = QStringLiteral(R"(["a.pdf"])");
    QVERIFY(table.header->restoreFilterHistory(QLatin1Char('[') + history.join(QLatin1Char(','))
                                               + QLatin1Char(']')));
    QVERIFY(QTest::qWaitForWindowExposed(&table.view));

    // The field as the user finds it, not made by asking for it.
    const auto field = [&table](int column) -> FilterComboBox * {
        for (FilterComboBox *box : table.header->findChildren<FilterComboBox *>()) {
            if (box->column() == column && box->isVisible()) {
                return box;
            }
        }
        return nullptr;
    };
    QVERIFY(field(0));
    table.view.horizontalScrollBar()->setValue(table.view.horizontalScrollBar()->maximum());
    QTRY_VERIFY(field(last));
    QCOMPARE(field(last)->geometry().left(), table.header->sectionViewportPosition(last));
    QCOMPARE(field(last)->width(), 300);
    QCOMPARE(items(field(last)), QStringList{"a.pdf"});
    QCOMPARE(
        field(last)->toolTip(),
        table.model.headerData(last, Qt::Horizontal, BasicLogModel::FilterHintRole).toString());
}

void tst_FilterHeaderView::resetActionsClearFiltersHistoryAndOrder()
{
    Table table;
    QSignalSpy changed(table.header, &FilterHeaderView::filterChanged);
    table.header->setFilterText(BasicLogModel::TypeColumn, QStringLiteral("error"));
    table.header->setFilterText(BasicLogModel::JobColumn, QStringLiteral("a.pdf"));
    QCOMPARE(changed.size(), 2);
    QVERIFY(table.header->restoreFilterHistory(QStringLiteral(R"([["1"],["error"]])")));

    table.header->clearFilters();
    QCOMPARE(table.header->filterText(BasicLogModel::TypeColumn), QString());
    QCOMPARE(table.header->filterText(BasicLogModel::JobColumn), QString());
    QCOMPARE(changed.size(), 4); // only the two fields that had a filter report a change
    QCOMPARE(items(table.header->filterBox(BasicLogModel::TypeColumn)), QStringList{"error"});

    table.header->clearHistory();
    QCOMPARE(items(table.header->filterBox(BasicLogModel::TypeColumn)), QStringList());
    QCOMPARE(items(table.header->filterBox(BasicLogModel::TimeColumn)), QStringList());
    RecentFilter saved(BasicLogModel::ColumnCount);
    QVERIFY(saved.fromString(table.header->filterHistory()));
    QVERIFY(saved.isEmpty());

    table.header->moveSection(0, 5);
    table.header->moveSection(7, 1);
    QVERIFY(table.header->sectionsMoved());
    table.header->resetColumnOrder();
    for (int column = 0; column < BasicLogModel::ColumnCount; ++column) {
        QCOMPARE(table.header->visualIndex(column), column);
    }
}

TAVRIX_TEST_MAIN(tst_FilterHeaderView)
#include "tst_filterheaderview.moc"
