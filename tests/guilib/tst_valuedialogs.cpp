// The list and text value dialogs as a user drives them: validation while typing, moving items
// between the available and chosen lists, and picking one item from a library.

#include "common/testmain.h"

#include "common/dialogdriving.h"
#include "common/propertyediting.h"

#include "guilib/property/regularexpressionvalidator.h"
#include "guilib/property/selectfromlibrarydialog.h"
#include "guilib/property/selectfromlistdialog.h"
#include "guilib/property/validatedtextdialog.h"

#include "corelib/values/filepatternsvalidator.h"

#include <QLabel>
#include <QListWidget>
#include <QStandardPaths>
#include <QTextEdit>

using GuiLib::SelectFromLibraryDialog;
using GuiLib::SelectFromListDialog;
using GuiLib::ValidatedTextDialog;

namespace {

QStringList visibleTexts(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row) {
        if (!list->item(row)->isHidden()) {
            texts.append(list->item(row)->text());
        }
    }
    return texts;
}

void select(QListWidget *list, const QStringList &texts)
{
    list->clearSelection();
    for (const QString &text : texts) {
        list->findItems(text, Qt::MatchExactly).first()->setSelected(true);
    }
}

} // namespace

class tst_ValueDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void typedTextIsValidated_data();
    void typedTextIsValidated();
    void initialTextIsNotValidated();
    void defineVariablesInsertsAtTheCursor();
    void chosenItemsLeaveTheAvailableList();
    void moveButtonsFollowTheSelection_data();
    void moveButtonsFollowTheSelection();
    void libraryPreselectsTheCurrentValue_data();
    void libraryPreselectsTheCurrentValue();
    void doubleClickChoosesALibraryItem();
};

void tst_ValueDialogs::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void tst_ValueDialogs::typedTextIsValidated_data()
{
    QTest::addColumn<QString>("validator");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("acceptable");
    QTest::addColumn<QString>("reason");

    // clang-format off
    QTest::newRow("patterns, one per line")        << "patterns" << "*.pdf\n??Job.*" << true  << "";
    QTest::newRow("an unclosed class in a pattern") << "patterns" << "*.pdf\n[ab"    << false << "";
    QTest::newRow("a folder in a pattern")         << "patterns" << "in/*.pdf"      << false << "";
    QTest::newRow("no pattern at all")             << "patterns" << "\n  \n"        << false << "";
    QTest::newRow("a regular expression")          << "regexp"   << "Job_[0-9]+\\.pdf" << true << "";
    QTest::newRow("an unbalanced parenthesis")     << "regexp"   << "(Job"          << false << "position";
    QTest::newRow("a regular expression on two lines") << "regexp" << "a\nb"        << false << "one line";
    QTest::newRow("no validator takes anything")   << "none"     << "[(\n"          << true  << "";
    // clang-format on
}

void tst_ValueDialogs::typedTextIsValidated()
{
    QFETCH(QString, validator);
    QFETCH(QString, typed);
    QFETCH(bool, acceptable);
    QFETCH(QString, reason);

    SRCore::FilePatternsValidator patterns;
    GuiLib::RegularExpressionValidator expression;
    QValidator *chosen = validator == "patterns" ? static_cast<QValidator *>(&patterns)
                         : validator == "regexp" ? &expression
                                                 : nullptr;
    ValidatedTextDialog dialog(nullptr, "Title", "Prompt", QString(), QString(), chosen, false);
    if (validator == "regexp") {
        dialog.setReasonProvider(&GuiLib::RegularExpressionValidator::problem);
    }
    dialog.show();
    auto *edit = dialog.findChild<QTextEdit *>();
    if (typed.contains('\n')) {
        edit->setPlainText(typed);
    } else {
        edit->setFocus();
        QTest::keyClicks(edit, typed);
    }

    auto *errorText = dialog.findChild<QLabel *>("errorText");
    QCOMPARE(dialogButton(&dialog, "okButton")->isEnabled(), acceptable);
    QCOMPARE(errorText->isVisible(), !acceptable);
    QCOMPARE(dialog.findChild<QLabel *>("errorIcon")->isVisible(), !acceptable);
    if (!acceptable) {
        QVERIFY(errorText->text().startsWith("Syntax error"));
        QVERIFY2(errorText->text().contains(reason), qPrintable(errorText->text()));
    }
    QCOMPARE(dialog.text(), typed);

    // Mending the text hides the marker again.
    if (!acceptable && validator != "none") {
        edit->setPlainText(validator == "regexp" ? "Job" : "*.pdf");
        QVERIFY(dialogButton(&dialog, "okButton")->isEnabled());
        QVERIFY(!errorText->isVisible());
    }
}

void tst_ValueDialogs::initialTextIsNotValidated()
{
    GuiLib::RegularExpressionValidator validator;
    ValidatedTextDialog dialog(nullptr, "Title", "Prompt", "(unbalanced", QString(), &validator,
                               false);
    dialog.show();
    QVERIFY(dialogButton(&dialog, "okButton")->isEnabled());
    QVERIFY(!dialog.findChild<QLabel *>("errorText")->isVisible());

    auto *edit = dialog.findChild<QTextEdit *>();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_A);
    QVERIFY(!dialogButton(&dialog, "okButton")->isEnabled());
}

// A stand-in for the application's text with variables editor.
class FixedTextEditor : public GuiLib::IValueEditor
{
public:
    explicit FixedTextEditor(QString text)
        : m_text(std::move(text))
    {}
    bool exec() override { return true; }
    QString value() const override { return m_text; }

private:
    QString m_text;
};

class VariablesProxy : public FakeAppProxy
{
public:
    std::unique_ptr<GuiLib::IValueEditor>
    createValueEditor(const GuiLib::ValueEditorRequest &request, QString *) override
    {
        requests.append(request);
        return std::make_unique<FixedTextEditor>(text);
    }
    QString text;
};

void tst_ValueDialogs::defineVariablesInsertsAtTheCursor()
{
    VariablesProxy proxy;
    proxy.text = "[Job.Name]";
    ValidatedTextDialog dialog(nullptr, "Title", "Prompt", "Hello  world", "the context", nullptr,
                               true);
    dialog.show();
    auto *edit = dialog.findChild<QTextEdit *>();
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(6);
    edit->setTextCursor(cursor);
    QVERIFY(press(&dialog, "defineVariablesButton"));

    QCOMPARE(dialog.text(), QStringLiteral("Hello [Job.Name] world"));
    QCOMPARE(proxy.requests.size(), 1);
    QCOMPARE(proxy.requests.first().editorType, QStringLiteral("sltextwithvar"));
    QCOMPARE(proxy.requests.first().context, QStringLiteral("the context"));
    QCOMPARE(proxy.requests.first().parent, &dialog);

    // An empty text with variables inserts nothing.
    proxy.text.clear();
    QVERIFY(press(&dialog, "defineVariablesButton"));
    QCOMPARE(dialog.text(), QStringLiteral("Hello [Job.Name] world"));

    ValidatedTextDialog without(nullptr, "Title", "Prompt", QString(), QString(), nullptr, false);
    without.show();
    QVERIFY(!dialogButton(&without, "defineVariablesButton")->isVisible());
}

void tst_ValueDialogs::chosenItemsLeaveTheAvailableList()
{
    SelectFromListDialog dialog(nullptr, "Title", "Prompt", {"A", "B", "C", "D"}, {"C"});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *available = dialog.findChild<QListWidget *>("available");
    auto *chosen = dialog.findChild<QListWidget *>("chosen");
    QCOMPARE(visibleTexts(available), (QStringList{"A", "B", "D"}));
    QVERIFY(!dialogButton(&dialog, "addButton")->isEnabled());

    select(available, {"D", "A"});
    QVERIFY(press(&dialog, "addButton"));
    QCOMPARE(dialog.chosenItems().size(), 3);
    QCOMPARE(visibleTexts(available), QStringList{"B"});

    // Removing an item brings it back at its old place.
    select(chosen, {"C"});
    QVERIFY(press(&dialog, "removeButton"));
    QCOMPARE(visibleTexts(available), (QStringList{"B", "C"}));

    QVERIFY(press(&dialog, "removeAllButton"));
    QCOMPARE(dialog.chosenItems(), QStringList());
    QCOMPARE(visibleTexts(available), (QStringList{"A", "B", "C", "D"}));
    QVERIFY(!dialogButton(&dialog, "removeAllButton")->isEnabled());

    // A double click adds, another removes.
    const QRect cell = available->visualItemRect(available->item(1));
    doubleClick(available->viewport(), cell.center());
    QCOMPARE(dialog.chosenItems(), QStringList{"B"});
    doubleClick(chosen->viewport(), chosen->visualItemRect(chosen->item(0)).center());
    QCOMPARE(dialog.chosenItems(), QStringList());
}

void tst_ValueDialogs::moveButtonsFollowTheSelection_data()
{
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<bool>("up");
    QTest::addColumn<bool>("down");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<QStringList>("order");

    // clang-format off
    QTest::newRow("the first goes down only") << QStringList{"X"} << false << true  << "moveDownButton" << QStringList{"Y", "X", "Z"};
    QTest::newRow("the middle goes up")       << QStringList{"Y"} << true  << true  << "moveUpButton"   << QStringList{"Y", "X", "Z"};
    QTest::newRow("the last goes up only")    << QStringList{"Z"} << true  << false << "moveUpButton"   << QStringList{"X", "Z", "Y"};
    QTest::newRow("two selected stay put")    << QStringList{"X", "Y"} << false << false << "" << QStringList{"X", "Y", "Z"};
    // clang-format on
}

void tst_ValueDialogs::moveButtonsFollowTheSelection()
{
    QFETCH(QStringList, selected);
    QFETCH(bool, up);
    QFETCH(bool, down);
    QFETCH(QString, pressed);
    QFETCH(QStringList, order);

    SelectFromListDialog dialog(nullptr, "Title", "Prompt", {"X", "Y", "Z"}, {"X", "Y", "Z"});
    dialog.show();
    select(dialog.findChild<QListWidget *>("chosen"), selected);
    QCOMPARE(dialogButton(&dialog, "moveUpButton")->isEnabled(), up);
    QCOMPARE(dialogButton(&dialog, "moveDownButton")->isEnabled(), down);
    if (!pressed.isEmpty()) {
        QVERIFY(press(&dialog, pressed.toLatin1().constData()));
    }
    QCOMPARE(dialog.chosenItems(), order);
    if (!pressed.isEmpty()) { // the moved item stays selected
        const auto items = dialog.findChild<QListWidget *>("chosen")->selectedItems();
        QCOMPARE(items.size(), 1);
        QCOMPARE(items.first()->text(), selected.first());
    }
}

void tst_ValueDialogs::libraryPreselectsTheCurrentValue_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("ok");

    // clang-format off
    QTest::newRow("the current value")          << "TIFF" << "TIFF" << true;
    QTest::newRow("the first item for no value") << ""     << "PDF"  << true;
    QTest::newRow("a value not in the list")    << "BMP"  << ""     << false;
    QTest::newRow("case counts")                << "tiff" << ""     << false;
    // clang-format on
}

void tst_ValueDialogs::libraryPreselectsTheCurrentValue()
{
    QFETCH(QString, current);
    QFETCH(QString, item);
    QFETCH(bool, ok);

    SelectFromLibraryDialog dialog(nullptr, "Title", "Prompt", {"PDF", "TIFF", "PNG"}, current);
    dialog.show();
    QCOMPARE(dialog.currentItem(), item);
    QCOMPARE(dialogButton(&dialog, "okButton")->isEnabled(), ok);

    auto *list = dialog.findChild<QListWidget *>();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(2)).center());
    QCOMPARE(dialog.currentItem(), QStringLiteral("PNG"));
    QVERIFY(dialogButton(&dialog, "okButton")->isEnabled());
}

void tst_ValueDialogs::doubleClickChoosesALibraryItem()
{
    SelectFromLibraryDialog dialog(nullptr, "Title", "Prompt", {"PDF", "TIFF"}, QString());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *list = dialog.findChild<QListWidget *>();
    doubleClick(list->viewport(), list->visualItemRect(list->item(1)).center());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.currentItem(), QStringLiteral("TIFF"));
}

TAVRIX_TEST_MAIN(tst_ValueDialogs)
#include "tst_valuedialogs.moc"
