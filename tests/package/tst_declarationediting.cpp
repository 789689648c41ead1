// The declaration edited through the real properties explorer, as the user does it: the change
// handling runs while the explorer commits, and may reload the explorer in the middle of it. The
// rules of editing (tags, masters, editors) are the declaration's own tests.

#include "common/testmain.h"

#include "packagetestsupport.h"

#include "package/declarationitem.h"
#include "package/declarationtree.h"

#include "guilib/property/genericpropertyeditor.h"
#include "guilib/property/propertycollection.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QtTest>

using namespace PackageTest;
using Scripter::DeclarationItem;

namespace {

// The window laid out as the user sees it: the declaration beside the explorer.
class EditingWindow : public FakePackageWindow
{
public:
    EditingWindow()
    {
        auto *layout = new QHBoxLayout(this);
        layout->addWidget(declaration());
        layout->addWidget(propertiesExplorer());
        fixture()->hide();
        resize(900, 700);
        show();
    }

    // The value cell of the explorer's row `name`, at the top level or below a master.
    QModelIndex valueIndex(const QString &name, const QModelIndex &parent = QModelIndex()) const
    {
        const GuiLib::PropertiesExplorer *explorer = propertiesExplorer();
        const QModelIndex under = parent.isValid() ? parent : explorer->rootIndex();
        const QAbstractItemModel *model = explorer->model();
        for (int row = 0; row < model->rowCount(under); ++row) {
            const QModelIndex nameCell = model->index(row, 0, under);
            if (nameCell.data().toString() == name) {
                return model->index(row, 1, under);
            }
            if (const QModelIndex below = valueIndex(name, nameCell); below.isValid()) {
                return below;
            }
        }
        return QModelIndex();
    }

    QString shownValue(const QString &name) const { return valueIndex(name).data().toString(); }

    // Makes the row current, which opens its editor.
    GuiLib::GenericPropertyEditor *openEditor(const QString &name)
    {
        const QModelIndex index = valueIndex(name);
        propertiesExplorer()->setCurrentIndex(index.siblingAtColumn(0));
        return qobject_cast<GuiLib::GenericPropertyEditor *>(
            propertiesExplorer()->indexWidget(index));
    }

    // Types `text` into the row's line edit and leaves it for the tree, which commits.
    void type(const QString &name, const QString &text)
    {
        GuiLib::GenericPropertyEditor *editor = openEditor(name);
        QVERIFY2(editor, qPrintable(name));
        auto *line = editor->findChild<QLineEdit *>();
        QVERIFY2(line, qPrintable(name));
        line->setFocus();
        line->selectAll();
        QTest::keyClicks(line, text);
        declaration()->tree()->setFocus();
    }

    // Picks `choice` from the row's list with the mouse.
    void choose(const QString &name, const QString &choice)
    {
        GuiLib::GenericPropertyEditor *editor = openEditor(name);
        QVERIFY2(editor, qPrintable(name));
        auto *list = editor->findChild<QComboBox *>();
        QVERIFY2(list, qPrintable(name));
        const int row = list->findText(choice);
        QVERIFY2(row >= 0, qPrintable(choice));
        list->showPopup();
        QAbstractItemView *popup = list->view();
        QTRY_VERIFY(popup->isVisible());
        const QRect cell = popup->visualRect(popup->model()->index(row, 0));
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, cell.center());
        QTRY_VERIFY(!popup->isVisible());
        QCOMPARE(list->currentText(), choice);
        declaration()->tree()->setFocus();
    }
};

} // namespace

class tst_DeclarationEditing : public QObject
{
    Q_OBJECT

private slots:
    void editorChoiceRebuildsTheShownDefault();
    void mismatchedVerificationWarnsOnce();
};

void tst_DeclarationEditing::editorChoiceRebuildsTheShownDefault()
{
    EditingWindow window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    DeclarationItem *item = addDefinition(window, DeclarationItem::ElementGroupKind);
    window.type(s("Default"), s("12"));
    QCOMPARE(item->value(XMLKey::DEFAULT), s("12"));

    // What the choice does to the Default is the declaration's (tst_declaration); here that the
    // explorer still shows and takes the value.
    window.choose(s("Inline editor"), s("Number"));
    QCOMPARE(item->value(XMLKey::DEF_EDITOR), s("Number"));
    QCOMPARE(window.shownValue(s("Default")), s("12"));

    // The new Default takes typed values like the one it replaced, with the number check.
    window.type(s("Default"), s("34"));
    QCOMPARE(item->value(XMLKey::DEFAULT), s("34"));
    QCOMPARE(window.shownValue(s("Default")), s("34"));
}

void tst_DeclarationEditing::mismatchedVerificationWarnsOnce()
{
    EditingWindow window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Scripter::Declaration *declaration = window.declaration();
    // Chosen as the user clicks it, after another row.
    declaration->tree()->setCurrentItem(
        declaration->tree()->groupItem(DeclarationItem::ElementGroupKind));
    declaration->tree()->setCurrentItem(declaration->tree()->scriptItem());
    window.choose(s("Password protected"), XMLValues::YES);
    window.type(s("Password"), s("s3cret"));
    QCOMPARE(declaration->basicValue(XMLKey::PASSWORD), s("s3cret"));

    DialogAnswerer answers;
    window.type(s("Verify password"), s("s3cert"));
    QTRY_COMPARE(answers.seen.size(), 1);
    QCOMPARE(answers.seen.constFirst().section(QLatin1Char('|'), 0, 0), s("Password Problem"));
    // The editor is left once more when the box goes; that must not warn again.
    window.propertiesExplorer()->setFocus();
    declaration->tree()->setFocus();
    QCoreApplication::processEvents();
    QCOMPARE(answers.seen.size(), 1);
    QCOMPARE(declaration->basicValue(XMLKey::VERIFYPASSWORD), QString());
    QCOMPARE(window.shownValue(s("Verify password")), QString());
}

TAVRIX_TEST_MAIN(tst_DeclarationEditing)
#include "tst_declarationediting.moc"
