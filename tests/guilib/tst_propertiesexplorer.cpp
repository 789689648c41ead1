// The properties explorer as the user sees it: rows and their texts, dependents appearing and
// disappearing, grey read-only rows, red names of invalid values, in-place editing that commits
// on focus loss and survives Return, the double click that reopens the last dialog, and the
// shortcuts that stay with the explorer.

#include "common/testmain.h"

#include "common/propertytestsupport.h"

#include "guilib/property/genericproperty.h"
#include "guilib/property/propertiesexplorer.h"
#include "guilib/property/propertiesexplorerdelegate.h"
#include "guilib/property/propertiesexplorermodel.h"
#include "guilib/property/propertycollection.h"

#include "corelib/vocabulary/xmlvalues.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>
#include <QTreeView>

#include <functional>
#include <memory>

using GuiLib::GenericProperty;
using GuiLib::IProperty;
using GuiLib::PropertiesExplorer;
using GuiLib::PropertiesExplorerDelegate;
using GuiLib::PropertiesExplorerModel;
using GuiLib::PropertyCollection;
namespace XMLValues = SRCore::XMLValues;

namespace {

// A line edit that counts the requests to reopen its last dialog.
class RecordingLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;
    int reopenRequests = 0;

public slots:
    void invokeLastEditor() { ++reopenRequests; }
};

// A property edited with a plain line edit, which commits only through the explorer (focus
// loss, Tab, another row); optionally read-only.
class LineEditProperty : public GenericProperty
{
    Q_OBJECT

public:
    LineEditProperty(const QString &tag, const QString &value, IPropertyParent *owner = nullptr,
                     bool editable = true)
        : GenericProperty(value, tag, tag, XMLValues::EDITORTYPE_STRING, XMLValues::EDITOR_INLINE,
                          QStringLiteral("Tip of ") + tag, QString(), owner)
        , m_editable(editable)
    {}

    QWidget *createEditor(QWidget *parent, QObject *, const char *) override
    {
        return new RecordingLineEdit(parent);
    }
    void connectEditor(QWidget *editor, QObject *sender, const char *signal) override
    {
        connect(sender, signal, editor, SLOT(invokeLastEditor()));
    }
    void setEditorData(QWidget *editor) override
    {
        static_cast<QLineEdit *>(editor)->setText(valueText());
    }
    void setModelData(QWidget *editor) override
    {
        setValue(static_cast<QLineEdit *>(editor)->text(), false, false);
    }
    bool isEditable() const override { return m_editable; }

private:
    bool m_editable;
};

// Records how each cell text is drawn.
class RecordingDelegate : public PropertiesExplorerDelegate
{
    Q_OBJECT

public:
    struct Drawn
    {
        bool italic = false;
        QColor textColor;
        Qt::TextElideMode elide = Qt::ElideNone;
    };
    mutable QHash<QString, Drawn> drawn;

protected:
    void drawDisplay(QPainter *painter, const QStyleOptionViewItem &option, const QRect &rect,
                     const QString &text) const override
    {
        drawn.insert(text, {option.font.italic(), option.palette.color(QPalette::Text),
                            option.textElideMode});
        PropertiesExplorerDelegate::drawDisplay(painter, option, rect, text);
    }
};

// A catalogue for the property contexts: "Yes" is "Ja", "de" is "Deutsch".
class PropertyTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        const QString source = QString::fromUtf8(sourceText);
        if (qstrcmp(context, "PropertyEnums") == 0) {
            return source == QLatin1String("Yes")  ? QStringLiteral("Ja")
                   : source == QLatin1String("de") ? QStringLiteral("Deutsch")
                                                   : QString();
        }
        if (qstrcmp(context, "PropertyTagName") == 0 && source == QLatin1String("Enabled")) {
            return QStringLiteral("Aktiv");
        }
        return {};
    }
    bool isEmpty() const override { return false; }
};

// An owner that judges values with a function of the tag and the current value.
class JudgingOwner : public TestOwner
{
public:
    std::function<bool(const QString &)> acceptsValue;
    GuiLib::IPropertyGroup *properties = nullptr;

    bool validateProperty(const QString &tag, QString &message) const override
    {
        IProperty *property = GuiLib::findProperty(properties, tag);
        if (property && acceptsValue && !acceptsValue(property->valueText())) {
            message = QStringLiteral("Refused");
            return false;
        }
        return true;
    }
};

GenericProperty *makeDependent(const QString &tag, const QString &masterValue)
{
    auto *dependent = new GenericProperty(QString(), tag, tag, XMLValues::EDITORTYPE_STRING,
                                          XMLValues::EDITOR_INLINE, QString(), QString(), nullptr);
    dependent->setDependent(true);
    dependent->setDependencyValue(masterValue);
    return dependent;
}

// A tree view that tells the width its rows need in a column.
class MeasuringView : public QTreeView
{
public:
    using QTreeView::sizeHintForColumn;
};

// The explorer in a window with a second widget that can take the focus, and the set of
// properties it shows (destroyed after the window, as an owner's set outlives its explorer).
struct Window
{
    PropertyCollection properties{QStringLiteral("Set")};
    QWidget widget;
    PropertiesExplorer *explorer = new PropertiesExplorer;
    QLineEdit *elsewhere = new QLineEdit;
    std::unique_ptr<QAbstractItemModelTester> tester;

    Window()
    {
        auto *layout = new QHBoxLayout(&widget);
        layout->addWidget(explorer);
        layout->addWidget(elsewhere);
        widget.resize(640, 400);
        tester = std::make_unique<QAbstractItemModelTester>(
            explorer->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    // Adds `property` to the set and shows the set anew.
    template<typename Property>
    Property *add(Property *property)
    {
        properties.append(property);
        explorer->loadProperties(&properties);
        return property;
    }
    // Draws the cells through a delegate that records how.
    RecordingDelegate *record()
    {
        auto *recorder = new RecordingDelegate;
        recorder->setParent(explorer);
        explorer->setItemDelegate(recorder);
        return recorder;
    }
    // Shows the window and waits until it has the focus, as on a desktop.
    bool showActive()
    {
        widget.show();
        return QTest::qWaitForWindowActive(&widget);
    }
    // Makes `property` the current row, which opens the editor of its value.
    template<typename Editor = QLineEdit>
    Editor *edit(IProperty *property)
    {
        explorer->setCurrentIndex(indexOf(property));
        return qobject_cast<Editor *>(explorer->indexWidget(indexOf(property, 1)));
    }
    QModelIndex indexOf(IProperty *property, int column = 0) const
    {
        return explorer->propertiesModel()->indexOfProperty(property, column);
    }
    QPoint centerOf(IProperty *property, int column) const
    {
        return explorer->visualRect(indexOf(property, column)).center();
    }
    // The texts of the rows as the user reads them, dependents indented by two spaces.
    QStringList rows() const
    {
        QStringList rows;
        for (QModelIndex index = explorer->indexAt(QPoint(1, 1)); index.isValid();
             index = explorer->indexBelow(index)) {
            const QString indent = index.parent() == explorer->rootIndex() ? "" : "  ";
            rows.append(indent + index.data().toString() + " = "
                        + index.siblingAtColumn(1).data().toString());
        }
        return rows;
    }
};

} // namespace

class tst_PropertiesExplorer : public QObject
{
    Q_OBJECT

private slots:
    void emptyExplorerBeforeAndAfterLoading();
    void modelStructureFollowsVisibility();
    void cellContents_data();
    void cellContents();
    void propertyEnumsTranslateInlineValues();
    void dependentRowsComeAndGoInItalics();
    void readOnlyRowsAreGreyAndOpenNoEditor();
    void invalidValueTurnsTheNameCellRed();
    void cellsAreOneColourUpToTheGrid_data();
    void cellsAreOneColourUpToTheGrid();
    void editingCommitsOnFocusLossNotOnReturn();
    void clickingTheNameOfTheCurrentRowEditsItsValue();
    void escapeClosesWithoutCommitting();
    void loadingClosesTheEditorWithoutCommitting();
    void doubleClickReopensTheLastDialog();
    void copyPasteAndSelectAllStayWithTheExplorer_data();
    void copyPasteAndSelectAllStayWithTheExplorer();
    void pathValuesElideInTheMiddle();
    void nameColumnFitsTheNamesOnFirstShow_data();
    void nameColumnFitsTheNamesOnFirstShow();
    void nameColumnKeepsTheWidthGivenOrChosen();
    void replacedPropertyIsShownAfterRefresh();
    void destroyedSetLeavesTheExplorerEmpty();
};

void tst_PropertiesExplorer::emptyExplorerBeforeAndAfterLoading()
{
    Window window;
    PropertiesExplorerModel *model = window.explorer->propertiesModel();
    QCOMPARE(window.explorer->model(), model);
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(window.rows(), QStringList{"<noname> = "});

    window.add(new LineEditProperty("Name", "x"));
    QCOMPARE(window.rows(), QStringList{"Name = x"});

    window.explorer->loadProperties(nullptr);
    QCOMPARE(window.rows(), QStringList());
    QCOMPARE(model->rowCount(window.explorer->rootIndex()), 0);
}

void tst_PropertiesExplorer::modelStructureFollowsVisibility()
{
    PropertiesExplorerModel model(nullptr);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    PropertyCollection properties(QStringLiteral("Set"));
    auto *master = new LineEditProperty("Master", "No");
    auto *dependent = makeDependent("Dependent", "Yes");
    master->append(dependent);
    properties.append(master);
    model.loadProperties(&properties);

    const QModelIndex root = model.index(0, 0);
    QCOMPARE(model.propertyAt(root), &properties);
    QCOMPARE(model.rowCount(root), 1);
    const QModelIndex masterName = model.index(0, 0, root);
    QCOMPARE(model.propertyAt(masterName), master);
    QCOMPARE(model.buddy(masterName), masterName.siblingAtColumn(1));
    QCOMPARE(model.buddy(masterName.siblingAtColumn(1)), masterName.siblingAtColumn(1));
    QVERIFY(!model.hasChildren(masterName));
    QVERIFY(!model.indexOfProperty(dependent).isValid());
    QVERIFY(!model.flags(masterName).testFlag(Qt::ItemIsEditable));
    QVERIFY(model.flags(masterName.siblingAtColumn(1)).testFlag(Qt::ItemIsEditable));

    QVERIFY(model.setData(masterName.siblingAtColumn(1), QStringLiteral("Yes"), Qt::EditRole));
    QCOMPARE(master->valueText(), QStringLiteral("Yes"));
    QCOMPARE(model.rowCount(masterName), 1);
    const QModelIndex dependentName = model.index(0, 0, masterName);
    QCOMPARE(model.propertyAt(dependentName), dependent);
    QCOMPARE(model.parent(dependentName), masterName);
    QCOMPARE(model.indexOfProperty(dependent, 1), dependentName.siblingAtColumn(1));
    QVERIFY(!model.setData(masterName, QStringLiteral("x"), Qt::DisplayRole));
}

void tst_PropertiesExplorer::cellContents_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("editors");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shownValue");

    // clang-format off
    QTest::newRow("inline text as stored") << "string" << "inline" << "a/b" << "Plain" << "a/b";
    QTest::newRow("password masked") << "password" << "inline" << "secret" << "Plain" << "******";
    QTest::newRow("an empty name shows <noname>") << "string" << "inline" << "x" << "" << "x";
    QTest::newRow("carriage returns leave the name") << "string" << "inline" << "x" << "Two\r\nlines" << "x";
    // clang-format on
}

void tst_PropertiesExplorer::cellContents()
{
    QFETCH(QString, type);
    QFETCH(QString, editors);
    QFETCH(QString, value);
    QFETCH(QString, name);
    QFETCH(QString, shownValue);

    Window window;
    auto *property = window.add(
        new GenericProperty(value, name, "Tag", type, editors, "Explains", QString(), nullptr));

    const QModelIndex nameCell = window.indexOf(property, 0);
    const QModelIndex valueCell = window.indexOf(property, 1);
    const QString expectedName =
        name.isEmpty() ? QStringLiteral("<noname>") : QString(name).remove(QLatin1Char('\r'));
    QCOMPARE(nameCell.data(Qt::DisplayRole).toString(), expectedName);
    QCOMPARE(nameCell.data(Qt::EditRole).toString(), expectedName);
    QCOMPARE(valueCell.data(Qt::DisplayRole).toString(), shownValue);
    QCOMPARE(valueCell.data(Qt::EditRole).toString(), value);
    QCOMPARE(nameCell.data(Qt::ToolTipRole).toString(), property->tooltip());
    QCOMPARE(valueCell.data(Qt::ToolTipRole).toString(), property->tooltip());
    QVERIFY(valueCell.data(Qt::ToolTipRole).toString().contains("Explains"));
    QCOMPARE(nameCell.data(Qt::ForegroundRole), QVariant());
    QCOMPARE(valueCell.data(Qt::DecorationRole), QVariant());
}

void tst_PropertiesExplorer::propertyEnumsTranslateInlineValues()
{
    PropertyTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    Window window;
    window.add(new GenericProperty("Yes", "Enabled", "Enabled", "bool", "inline", QString(),
                                   QString(), nullptr));
    window.add(new GenericProperty("de", "Language", XMLValues::UP_UI_LANGUAGE, "enum:en;de",
                                   "inline", QString(), QString(), nullptr));
    window.add(new GenericProperty("Yes", "Script", "Script", "bool", "inline;scriptexp", QString(),
                                   XMLValues::EDITOR_SCRIPTEXP, nullptr));

    QCOMPARE(window.rows(), (QStringList{"Aktiv = Ja", "Language = de", "Script = Yes"}));
    QCoreApplication::removeTranslator(&translator);
}

void tst_PropertiesExplorer::dependentRowsComeAndGoInItalics()
{
    Window window;
    RecordingDelegate *recorder = window.record();
    QVERIFY(window.showActive());

    auto *master = new LineEditProperty("Master", "No");
    auto *dependent = makeDependent("Shown", "Yes");
    master->append(dependent);
    dependent->append(makeDependent("Deeper", ""));
    window.add(master);
    IProperty *after = window.add(new LineEditProperty("After", "1"));
    QCOMPARE(window.rows(), (QStringList{"Master = No", "After = 1"}));

    // The user types "Yes" into the master and leaves the field.
    QLineEdit *editor = window.edit(master);
    QVERIFY(editor);
    editor->setFocus();
    editor->selectAll();
    QTest::keyClicks(editor, "Yes");
    window.elsewhere->setFocus();

    QCOMPARE(master->valueText(), QStringLiteral("Yes"));
    QCOMPARE(window.rows(), (QStringList{"Master = Yes", "  Shown = ", "After = 1"}));
    QVERIFY(window.explorer->isExpanded(window.indexOf(master)));
    QVERIFY(window.explorer->visualRect(window.indexOf(dependent)).isValid());
    QTRY_VERIFY(recorder->drawn.contains("Shown"));
    QVERIFY(recorder->drawn.value("Shown").italic);
    QVERIFY(!recorder->drawn.value("Master").italic);
    QVERIFY(!recorder->drawn.value("After").italic);

    // Another value takes the row away again; the current row stays on "After".
    window.explorer->setCurrentIndex(window.indexOf(after));
    QVERIFY(window.explorer->model()->setData(window.indexOf(master, 1), "No", Qt::EditRole));
    QCOMPARE(window.rows(), (QStringList{"Master = No", "After = 1"}));
    QCOMPARE(window.explorer->currentIndex().data().toString(), QStringLiteral("After"));
    QVERIFY(!window.indexOf(dependent).isValid());
}

void tst_PropertiesExplorer::readOnlyRowsAreGreyAndOpenNoEditor()
{
    Window window;
    RecordingDelegate *recorder = window.record();
    window.widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.widget));
    auto *fixed = window.add(new LineEditProperty("Fixed", "locked", nullptr, false));
    auto *open = window.add(new LineEditProperty("Open", "free"));

    QVERIFY(!window.indexOf(fixed, 1).flags().testFlag(Qt::ItemIsEditable));

    QTest::mouseClick(window.explorer->viewport(), Qt::LeftButton, {}, window.centerOf(fixed, 1));
    QCOMPARE(window.explorer->currentIndex().siblingAtColumn(0).data().toString(),
             QStringLiteral("Fixed"));
    QCOMPARE(window.explorer->indexWidget(window.indexOf(fixed, 1)), nullptr);

    QTRY_VERIFY(recorder->drawn.contains("locked"));
    QCOMPARE(recorder->drawn.value("Fixed").textColor, QColor(Qt::gray));
    QCOMPARE(recorder->drawn.value("locked").textColor, QColor(Qt::gray));
    QVERIFY(recorder->drawn.value("Open").textColor != QColor(Qt::gray));

    QTest::mouseClick(window.explorer->viewport(), Qt::LeftButton, {}, window.centerOf(open, 0));
    QVERIFY(window.explorer->indexWidget(window.indexOf(open, 1)));
}

void tst_PropertiesExplorer::invalidValueTurnsTheNameCellRed()
{
    JudgingOwner owner;
    Window window;
    owner.acceptsValue = [](const QString &value) {
        return !value.contains(QLatin1Char(' '));
    };
    owner.properties = &window.properties;
    window.widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.widget));
    auto *name = window.add(new LineEditProperty("Name", "ok", &owner));
    auto *other = window.add(new LineEditProperty("Other", "x", &owner));

    const QColor invalidRed(255, 151, 151);
    const auto nameCellColour = [&] {
        const QImage image = window.explorer->viewport()->grab().toImage();
        const QRect cell = window.explorer->visualRect(window.indexOf(name, 0));
        return image.pixelColor(1, cell.top() + 1);
    };
    const auto enter = [&](const QString &text) {
        QLineEdit *editor = window.edit(name);
        QVERIFY(editor);
        editor->setText(text);
        // Leaving for the next row commits; the red shows on the row left behind.
        QTest::mouseClick(window.explorer->viewport(), Qt::LeftButton, {},
                          window.centerOf(other, 0));
    };

    QVERIFY(nameCellColour() != invalidRed);
    enter(QStringLiteral("not ok"));
    QCOMPARE(name->valueText(), QStringLiteral("not ok"));
    QVERIFY(!name->isValid());
    QCOMPARE(nameCellColour(), invalidRed);
    QVERIFY(window.indexOf(name, 0).data(Qt::ToolTipRole).toString().contains("WARNING: Refused"));

    enter(QStringLiteral("fine"));
    QVERIFY(name->isValid());
    QVERIFY(nameCellColour() != invalidRed);
}

void tst_PropertiesExplorer::cellsAreOneColourUpToTheGrid_data()
{
    QTest::addColumn<int>("column");
    QTest::newRow("name") << 0;
    QTest::newRow("value") << 1;
}

void tst_PropertiesExplorer::cellsAreOneColourUpToTheGrid()
{
    QFETCH(int, column);
    Window window;
    window.widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.widget));
    // No value, so that no text covers the edges of the value cell.
    auto *property = window.add(new LineEditProperty("Name", ""));

    const QImage image = window.explorer->viewport()->grab().toImage();
    const QRect cell = window.explorer->visualRect(window.indexOf(property, column));
    const int middle = cell.center().y();
    const QRgb inside = image.pixel(cell.left() + 1, middle);
    const QRgb grid = window.explorer->palette().color(QPalette::Dark).rgb();
    QVERIFY(inside != grid);
    QCOMPARE(image.pixel(cell.left() + 1, cell.top()), inside);
    QCOMPARE(image.pixel(cell.right() - 1, cell.top()), inside);
    QCOMPARE(image.pixel(cell.right() - 1, cell.bottom() - 1), inside);
    QCOMPARE(image.pixel(cell.right(), middle), grid);
    QCOMPARE(image.pixel(cell.left() + 1, cell.bottom()), grid);
}

void tst_PropertiesExplorer::editingCommitsOnFocusLossNotOnReturn()
{
    Window window;
    auto *name = window.add(new LineEditProperty("Name", "old"));
    QVERIFY(window.showActive());
    window.explorer->setFocus();
    QLineEdit *editor = window.edit(name);
    QVERIFY(editor);
    editor->setFocus();
    QTRY_VERIFY(editor->hasFocus());
    editor->selectAll();
    QTest::keyClicks(editor, "new");

    // Return neither commits nor closes.
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(window.explorer->indexWidget(window.indexOf(name, 1)), editor);
    QCOMPARE(name->valueText(), QStringLiteral("old"));
    QCOMPARE(editor->text(), QStringLiteral("new"));

    // Focus moving elsewhere in the window commits, and the editor stays open.
    QSignalSpy changes(name, &IProperty::propertyChanged);
    window.elsewhere->setFocus();
    QTRY_COMPARE(name->valueText(), QStringLiteral("new"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(window.explorer->indexWidget(window.indexOf(name, 1)), editor);
    QCOMPARE(window.indexOf(name, 1).data().toString(), QStringLiteral("new"));
}

void tst_PropertiesExplorer::clickingTheNameOfTheCurrentRowEditsItsValue()
{
    Window window;
    auto *name = window.add(new LineEditProperty("Name", "x"));
    window.add(new LineEditProperty("Other", "y"));
    QVERIFY(window.showActive());
    QWidget *editor = window.edit(name);
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_COMPARE(window.explorer->indexWidget(window.indexOf(name, 1)), nullptr);

    QTest::mouseClick(window.explorer->viewport(), Qt::LeftButton, {}, window.centerOf(name, 0));
    QTRY_VERIFY(window.explorer->indexWidget(window.indexOf(name, 1)));
    QCOMPARE(window.explorer->indexWidget(window.indexOf(name, 0)), nullptr);
}

void tst_PropertiesExplorer::escapeClosesWithoutCommitting()
{
    Window window;
    auto *name = window.add(new LineEditProperty("Name", "old"));
    QVERIFY(window.showActive());
    QLineEdit *editor = window.edit(name);
    QVERIFY(editor);
    editor->setText(QStringLiteral("typed"));
    QTest::keyClick(editor, Qt::Key_Escape);

    QTRY_COMPARE(window.explorer->indexWidget(window.indexOf(name, 1)), nullptr);
    QCOMPARE(name->valueText(), QStringLiteral("old"));
}

void tst_PropertiesExplorer::loadingClosesTheEditorWithoutCommitting()
{
    auto properties = std::make_unique<PropertyCollection>(QStringLiteral("Set"));
    Window window;
    auto *name = new LineEditProperty("Name", "old");
    properties->append(name);
    window.explorer->loadProperties(properties.get());
    QVERIFY(window.showActive());

    QPointer<QLineEdit> editor = window.edit(name);
    QVERIFY(editor);
    editor->setText(QStringLiteral("typed"));

    window.explorer->loadProperties(nullptr);
    QCOMPARE(name->valueText(), QStringLiteral("old"));
    properties.reset();
    QTRY_VERIFY(editor.isNull());
    QCOMPARE(window.rows(), QStringList());
}

void tst_PropertiesExplorer::doubleClickReopensTheLastDialog()
{
    Window window;
    auto *name = window.add(new LineEditProperty("Name", "x"));
    QVERIFY(window.showActive());
    auto *editor = window.edit<RecordingLineEdit>(name);
    QVERIFY(editor);
    QSignalSpy doubleClicks(window.explorer, &QAbstractItemView::doubleClicked);

    QTest::mouseDClick(window.explorer->viewport(), Qt::LeftButton, {}, window.centerOf(name, 0));

    QCOMPARE(editor->reopenRequests, 0); // not at once: the editor settles first
    QTRY_COMPARE(editor->reopenRequests, 1);
    QCOMPARE(doubleClicks.count(), 0); // consumed

    // A disabled explorer ignores double clicks.
    window.explorer->viewport()->setEnabled(false);
    QTest::mouseDClick(window.explorer->viewport(), Qt::LeftButton, {}, window.centerOf(name, 0));
    QTest::qWait(300);
    QCOMPARE(editor->reopenRequests, 1);
}

void tst_PropertiesExplorer::copyPasteAndSelectAllStayWithTheExplorer_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("reachesTheMenu");

    // clang-format off
    QTest::newRow("copy") << int(Qt::Key_C) << int(Qt::ControlModifier) << false;
    QTest::newRow("paste") << int(Qt::Key_V) << int(Qt::ControlModifier) << false;
    QTest::newRow("select all") << int(Qt::Key_A) << int(Qt::ControlModifier) << false;
    QTest::newRow("cut goes to the menu") << int(Qt::Key_X) << int(Qt::ControlModifier) << true;
    QTest::newRow("with shift it goes to the menu") << int(Qt::Key_C) << int(Qt::ControlModifier | Qt::ShiftModifier) << true;
    // clang-format on
}

void tst_PropertiesExplorer::copyPasteAndSelectAllStayWithTheExplorer()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, reachesTheMenu);

    Window window;

    QAction menuAction(&window.widget);
    menuAction.setShortcut(QKeySequence(key | modifiers));
    menuAction.setShortcutContext(Qt::WindowShortcut);
    window.widget.addAction(&menuAction);
    QSignalSpy triggered(&menuAction, &QAction::triggered);
    QVERIFY(window.showActive());
    window.explorer->setFocus();
    QTRY_VERIFY(window.explorer->hasFocus());

    QTest::keyClick(window.explorer, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(triggered.count(), reachesTheMenu ? 1 : 0);
}

void tst_PropertiesExplorer::pathValuesElideInTheMiddle()
{
    Window window;
    RecordingDelegate *recorder = window.record();
    window.add(new GenericProperty("/data/in", "Folder", "Folder", XMLValues::PATH, "choosefolder",
                                   QString(), QString(), nullptr));
    window.add(new GenericProperty("text", "Text", "Text", "string", "inline", QString(), QString(),
                                   nullptr));
    window.widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.widget));

    QTRY_VERIFY(recorder->drawn.contains("/data/in") && recorder->drawn.contains("text"));
    QCOMPARE(recorder->drawn.value("/data/in").elide, Qt::ElideMiddle);
    QCOMPARE(recorder->drawn.value("text").elide, Qt::ElideRight);
}

void tst_PropertiesExplorer::nameColumnFitsTheNamesOnFirstShow_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("fits");
    // clang-format off
    QTest::newRow("names longer than the default width") << QStringList{"Password protected", "Include JavaScript", "Enable performance tuning"} << true;
    QTest::newRow("short names") << QStringList{"Tag", "Name"} << true;
    QTest::newRow("a name wider than the view leaves room for the value") << QStringList{QString(120, QLatin1Char('W'))} << false;
    // clang-format on
}

void tst_PropertiesExplorer::nameColumnFitsTheNamesOnFirstShow()
{
    QFETCH(QStringList, names);
    QFETCH(bool, fits);

    Window window;
    for (const QString &name : std::as_const(names)) {
        window.add(new GenericProperty(QStringLiteral("value"), name, name, "string", "inline",
                                       QString(), QString(), nullptr));
    }
    QVERIFY(window.showActive());

    const int shown = window.explorer->header()->sectionSize(0);
    // What the names need, as a view of the same rows drawn the same way measures it.
    MeasuringView probe;
    probe.setModel(window.explorer->model());
    probe.setItemDelegate(window.explorer->itemDelegate());
    probe.setRootIsDecorated(false);
    probe.setRootIndex(window.explorer->rootIndex());
    probe.resize(window.explorer->size());
    probe.doItemsLayout();
    const int needed = probe.sizeHintForColumn(0);
    const int viewport = window.explorer->viewport()->width();
    if (fits) {
        QCOMPARE(shown, needed);
    } else {
        QVERIFY2(shown < needed, qPrintable(QString::number(shown)));
        QVERIFY2(viewport - shown >= viewport / 3, qPrintable(QString::number(shown)));
    }
    QCOMPARE(window.explorer->nameColumnWidth(), shown);
}

void tst_PropertiesExplorer::nameColumnKeepsTheWidthGivenOrChosen()
{
    PropertyCollection first(QStringLiteral("First"));
    first.append(new GenericProperty(QStringLiteral("v"), "Include JavaScript",
                                     "Include JavaScript", "string", "inline", QString(), QString(),
                                     nullptr));
    PropertyCollection second(QStringLiteral("Second"));
    second.append(new GenericProperty(QStringLiteral("v"), "Tag", "Tag", "string", "inline",
                                      QString(), QString(), nullptr));
    Window window;
    // A width remembered from before is kept rather than fitted.
    window.explorer->setNameColumnWidth(77);
    window.explorer->loadProperties(&first);
    QVERIFY(window.showActive());
    QCOMPARE(window.explorer->header()->sectionSize(0), 77);

    // The user's width stays for other sets and when the explorer shows again.
    window.explorer->header()->resizeSection(0, 140);
    QCOMPARE(window.explorer->nameColumnWidth(), 140);
    window.explorer->loadProperties(&second);
    window.widget.hide();
    QVERIFY(window.showActive());
    window.explorer->loadProperties(&first);
    QCOMPARE(window.explorer->header()->sectionSize(0), 140);
}

void tst_PropertiesExplorer::replacedPropertyIsShownAfterRefresh()
{
    Window window;
    window.add(new LineEditProperty("Name", "x"));
    auto *old = window.add(new GenericProperty("1", "Default", "Default", "number",
                                               "inline;default", QString(), QString(), nullptr));
    QVERIFY(window.showActive());
    QPointer<QWidget> editor = window.edit<QWidget>(old);
    QVERIFY(editor);
    editor->setFocus();

    // The owner replaces the property while its editor is open, then refreshes.
    window.properties.remove(old);
    delete old;
    auto *replacement = new GenericProperty("*.pdf", "Default", "Default", "string",
                                            "inline;regexp", QString(), QString(), nullptr);
    window.properties.append(replacement);
    window.explorer->propertiesModel()->refresh();

    QCOMPARE(window.rows(), (QStringList{"Name = x", "Default = *.pdf"}));
    QTRY_VERIFY(editor.isNull());
    QCOMPARE(replacement->valueText(), QStringLiteral("*.pdf"));
    QVERIFY(window.edit<QWidget>(replacement));
}

void tst_PropertiesExplorer::destroyedSetLeavesTheExplorerEmpty()
{
    Window window;
    auto properties = std::make_unique<PropertyCollection>(QStringLiteral("Set"));
    auto *master = new LineEditProperty("Master", "Yes");
    auto *dependent = makeDependent("Dependent", "Yes");
    master->append(dependent);
    properties->append(master);
    window.explorer->loadProperties(properties.get());
    QVERIFY(window.showActive());
    QVERIFY(window.edit<QWidget>(dependent));

    properties.reset();

    QCOMPARE(window.rows(), QStringList());
    QCOMPARE(window.explorer->propertiesModel()->rowCount(window.explorer->rootIndex()), 0);
    window.explorer->viewport()->repaint();
}

TAVRIX_TEST_MAIN(tst_PropertiesExplorer)
#include "tst_propertiesexplorer.moc"
