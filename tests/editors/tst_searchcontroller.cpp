#include "editors/applescripteditor.h"
#include "editors/scrtextedit.h"
#include "editors/searchcontroller.h"
#include "editors/searchoptions.h"
#include "editors/sfindtext.h"
#include "editors/sgotoline.h"
#include "editors/sreplacetext.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using Scripter::SearchController;

namespace {

// Stands in for the main window: editor tabs and the search controller working on the current
// one. With `noEditor` set, the controller is told that no tab is current.
class SearchWindow : public QWidget
{
public:
    SearchWindow()
        : tabs(new QTabWidget(this))
        , appleScript(new Scripter::AppleScriptEditor)
        , controller(new SearchController(
              [this]() -> QWidget * { return noEditor ? nullptr : tabs->currentWidget(); }, this))
    {
        tabs->addTab(appleScript, QStringLiteral("AppleScript"));
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(tabs);
        resize(600, 400);
    }

    QTabWidget *tabs;
    Scripter::AppleScriptEditor *appleScript;
    SearchController *controller;
    bool noEditor = false;
};

std::unique_ptr<SearchWindow> openWindow(const QString &text)
{
    auto window = std::make_unique<SearchWindow>();
    window->appleScript->setText(text);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) {
        qWarning("The window did not become active");
    }
    return window;
}

// Replaces the text of an editable combo box by typing, as a user does.
void typeInto(QComboBox *combo, const QString &text)
{
    combo->lineEdit()->selectAll();
    QTest::keyClick(combo->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(combo->lineEdit(), text);
}

QStringList items(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) {
        texts << combo->itemText(i);
    }
    return texts;
}

int selectionStart(const SearchWindow &window)
{
    return window.appleScript->textEdit()->textCursor().selectionStart();
}

} // namespace

class tst_SearchController : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void dialogsAreModelessAndCloseWithTheirButton();
    void showFindDlgFocusesTheSelectedSearchText();
    void findWithoutTextBringsTheDialogForwardAndSearchesNothing();
    void searchingTheSameTextTwiceAddsItOnce();
    void repeatedFindsFollowDirectionAndStartOption_data();
    void repeatedFindsFollowDirectionAndStartOption();
    void findNextAndPreviousSetTheDirectionForLaterFinds();
    void replaceUsesItsOwnOptionsAndKeepsEveryEntry();
    void replaceAllChangesEveryMatch();
    void gotoLineHidesTheDialogAndMovesOnlyToExistingLines_data();
    void gotoLineHidesTheDialogAndMovesOnlyToExistingLines();
    void withoutACurrentEditorNothingChanges();
};

void tst_SearchController::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("TavrixTest"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_searchcontroller"));
}

void tst_SearchController::init()
{
    QSettings().clear();
}

void tst_SearchController::dialogsAreModelessAndCloseWithTheirButton()
{
    const auto window = openWindow(QStringLiteral("abc"));
    SearchController *controller = window->controller;
    const QList<std::pair<QDialog *, QPushButton *>> dialogs = {
        {controller->findDialog(), controller->findDialog()->closeButton()},
        {controller->replaceDialog(), controller->replaceDialog()->closeButton()},
        {controller->gotoLineDialog(), controller->gotoLineDialog()->closeButton()},
    };
    controller->showFindDlg();
    controller->showReplaceDlg();
    controller->showGotoLineDlg();
    for (const auto &[dialog, close] : dialogs) {
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->parentWidget(), window.get());
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    }
    QCOMPARE(controller->findDialog()->size().width() >= 281, true);
    QCOMPARE(controller->gotoLineDialog()->lineSpinBox()->value(), 1);
}

void tst_SearchController::showFindDlgFocusesTheSelectedSearchText()
{
    const auto window = openWindow(QStringLiteral("abc abc"));
    SearchController *controller = window->controller;
    QComboBox *combo = controller->findDialog()->findCombo();
    combo->setEditText(QStringLiteral("abc"));

    controller->showFindDlg();
    QTRY_COMPARE(QApplication::activeWindow(), controller->findDialog());
    QVERIFY(combo->hasFocus());
    QCOMPARE(combo->lineEdit()->selectedText(), QStringLiteral("abc"));

    // Typing replaces the selected search text.
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("xyz"));
    QCOMPARE(combo->currentText(), QStringLiteral("xyz"));

    // The editor stays usable while the dialog is open.
    QTest::keyClicks(window->appleScript->textEdit(), QStringLiteral("Z"));
    QCOMPARE(window->appleScript->text(), QStringLiteral("Zabc abc"));
}

void tst_SearchController::findWithoutTextBringsTheDialogForwardAndSearchesNothing()
{
    const auto window = openWindow(QStringLiteral("abc abc"));
    SearchController *controller = window->controller;
    QComboBox *combo = controller->findDialog()->findCombo();
    combo->addItem(QStringLiteral("abc"));
    combo->setEditText(QString());
    QVERIFY(!controller->findDialog()->isVisible());

    controller->searchFindNext();
    QVERIFY(controller->findDialog()->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), controller->findDialog());
    QVERIFY(combo->hasFocus());
    QCOMPARE(items(combo), QStringList{QStringLiteral("abc")});
    QVERIFY(!window->appleScript->hasSelectedText());

    QTest::mouseClick(controller->findDialog()->findButton(), Qt::LeftButton);
    QVERIFY(!window->appleScript->hasSelectedText());
    QCOMPARE(items(combo), QStringList{QStringLiteral("abc")});
}

void tst_SearchController::searchingTheSameTextTwiceAddsItOnce()
{
    const auto window = openWindow(QStringLiteral("one One one"));
    SearchController *controller = window->controller;
    controller->showFindDlg();
    QComboBox *combo = controller->findDialog()->findCombo();
    QPushButton *find = controller->findDialog()->findButton();

    typeInto(combo, QStringLiteral("one"));
    QTest::mouseClick(find, Qt::LeftButton);
    QTest::mouseClick(find, Qt::LeftButton);
    QCOMPARE(items(combo), QStringList{QStringLiteral("one")});

    typeInto(combo, QStringLiteral("One"));
    QTest::mouseClick(find, Qt::LeftButton);
    typeInto(combo, QStringLiteral("one"));
    QTest::mouseClick(find, Qt::LeftButton);
    QCOMPARE(items(combo), (QStringList{QStringLiteral("one"), QStringLiteral("One")}));
}

void tst_SearchController::repeatedFindsFollowDirectionAndStartOption_data()
{
    QTest::addColumn<int>("cursor");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<bool>("startAtBeginning");
    QTest::addColumn<QList<int>>("expectedStarts");

    // Text: "one two one two one"
    QTest::newRow("from the beginning the first match is found every time")
        << 19 << false << true << QList<int>{0, 0, 0};
    QTest::newRow("forward continues after each match, then stays")
        << 0 << false << false << QList<int>{0, 8, 16, 16};
    QTest::newRow("backward continues before each match, then stays")
        << 19 << true << false << QList<int>{16, 8, 0, 0};
}

void tst_SearchController::repeatedFindsFollowDirectionAndStartOption()
{
    QFETCH(int, cursor);
    QFETCH(bool, backward);
    QFETCH(bool, startAtBeginning);
    QFETCH(QList<int>, expectedStarts);

    const auto window = openWindow(QStringLiteral("one two one two one"));
    QTest::keyClick(window->appleScript->textEdit(), Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < cursor; ++i) {
        QTest::keyClick(window->appleScript->textEdit(), Qt::Key_Right);
    }
    Ui::SFindText *dialog = window->controller->findDialog();
    window->controller->showFindDlg();
    typeInto(dialog->findCombo(), QStringLiteral("one"));
    QTest::mouseClick(backward ? dialog->options()->backwardButton()
                               : dialog->options()->forwardButton(),
                      Qt::LeftButton);
    if (startAtBeginning) {
        QTest::mouseClick(dialog->options()->startAtBeginningBox(), Qt::LeftButton);
    }

    QList<int> starts;
    for (int i = 0; i < expectedStarts.size(); ++i) {
        QTest::mouseClick(dialog->findButton(), Qt::LeftButton);
        starts << selectionStart(*window);
    }
    QCOMPARE(starts, expectedStarts);
}

void tst_SearchController::findNextAndPreviousSetTheDirectionForLaterFinds()
{
    const auto window = openWindow(QStringLiteral("ab ab ab"));
    SearchController *controller = window->controller;
    Ui::SFindText *dialog = controller->findDialog();
    dialog->findCombo()->setEditText(QStringLiteral("ab"));

    controller->searchFindNext();
    controller->searchFindNext();
    QCOMPARE(selectionStart(*window), 3);
    QVERIFY(dialog->options()->forwardButton()->isChecked());

    controller->searchFindPrev();
    QCOMPARE(selectionStart(*window), 0);
    QVERIFY(dialog->options()->backwardButton()->isChecked());
    QVERIFY(!dialog->options()->forwardButton()->isChecked());

    // A plain find keeps searching backwards.
    QTest::keyClick(window->appleScript->textEdit(), Qt::Key_End, Qt::ControlModifier);
    controller->searchFind();
    QCOMPARE(selectionStart(*window), 6);
    controller->searchFind();
    QCOMPARE(selectionStart(*window), 3);
}

void tst_SearchController::replaceUsesItsOwnOptionsAndKeepsEveryEntry()
{
    const auto window = openWindow(QStringLiteral("Cat cat cat"));
    SearchController *controller = window->controller;
    Ui::SReplaceText *dialog = controller->replaceDialog();
    controller->showReplaceDlg();
    typeInto(dialog->findCombo(), QStringLiteral("cat"));
    typeInto(dialog->replaceCombo(), QStringLiteral("dog"));
    QTest::mouseClick(dialog->options()->caseSensitiveBox(), Qt::LeftButton);
    QTest::mouseClick(dialog->options()->startAtBeginningBox(), Qt::LeftButton);
    // The find dialog's options do not apply here.
    controller->findDialog()->options()->backwardButton()->setChecked(true);

    QTest::mouseClick(dialog->replaceButton(), Qt::LeftButton);
    QCOMPARE(window->appleScript->text(), QStringLiteral("Cat dog cat"));
    QTest::mouseClick(dialog->replaceButton(), Qt::LeftButton);
    QCOMPARE(window->appleScript->text(), QStringLiteral("Cat dog dog"));
    QVERIFY(window->appleScript->textEdit()->hasFocus());

    const QStringList cats(2, QStringLiteral("cat"));
    const QStringList dogs(2, QStringLiteral("dog"));
    QCOMPARE(items(dialog->findCombo()), cats);
    QCOMPARE(items(dialog->replaceCombo()), dogs);
    QCOMPARE(controller->findDialog()->findCombo()->count(), 0);
}

void tst_SearchController::replaceAllChangesEveryMatch()
{
    const auto window = openWindow(QStringLiteral("x = 1\nx = x + 1\n"));
    SearchController *controller = window->controller;
    Ui::SReplaceText *dialog = controller->replaceDialog();
    controller->showReplaceDlg();
    typeInto(dialog->findCombo(), QStringLiteral("x"));
    typeInto(dialog->replaceCombo(), QStringLiteral("value"));
    QTest::mouseClick(dialog->options()->wholeWordsBox(), Qt::LeftButton);

    QTest::mouseClick(dialog->replaceAllButton(), Qt::LeftButton);
    QCOMPARE(window->appleScript->text(), QStringLiteral("value = 1\nvalue = value + 1\n"));
    QTest::keyClick(window->appleScript->textEdit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window->appleScript->text(), QStringLiteral("x = 1\nx = x + 1\n"));
}

void tst_SearchController::gotoLineHidesTheDialogAndMovesOnlyToExistingLines_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("expectedPosition");

    QTest::newRow("an existing line") << 2 << 4;
    QTest::newRow("line 0 leaves the cursor") << 0 << 10;
    QTest::newRow("a line beyond the last leaves the cursor") << 9999 << 10;
}

void tst_SearchController::gotoLineHidesTheDialogAndMovesOnlyToExistingLines()
{
    QFETCH(int, line);
    QFETCH(int, expectedPosition);

    const auto window = openWindow(QStringLiteral("abc\ndef\nghi"));
    QTest::keyClick(window->appleScript->textEdit(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(window->appleScript->textEdit(), Qt::Key_Left);
    Ui::SGotoLine *dialog = window->controller->gotoLineDialog();
    window->controller->showGotoLineDlg();
    QTRY_COMPARE(QApplication::activeWindow(), dialog);
    QTest::keyClicks(dialog->lineSpinBox(), QString::number(line));
    QCOMPARE(dialog->lineSpinBox()->value(), line);

    QTest::mouseClick(dialog->gotoButton(), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(window->appleScript->textEdit()->textCursor().position(), expectedPosition);
}

void tst_SearchController::withoutACurrentEditorNothingChanges()
{
    const auto window = openWindow(QStringLiteral("abc abc"));
    window->noEditor = true;
    SearchController *controller = window->controller;

    controller->findDialog()->findCombo()->setEditText(QStringLiteral("abc"));
    controller->searchFind();
    QCOMPARE(controller->findDialog()->findCombo()->count(), 0);

    controller->replaceDialog()->findCombo()->setEditText(QStringLiteral("abc"));
    controller->replaceDialog()->replaceCombo()->setEditText(QStringLiteral("x"));
    controller->searchReplaceAll();
    QCOMPARE(controller->replaceDialog()->findCombo()->count(), 0);
    QCOMPARE(controller->replaceDialog()->replaceCombo()->count(), 0);

    controller->showGotoLineDlg();
    controller->searchGotoLine();
    QVERIFY(controller->gotoLineDialog()->isVisible());

    QCOMPARE(window->appleScript->text(), QStringLiteral("abc abc"));
    QVERIFY(!window->appleScript->hasSelectedText());
}

QTEST_MAIN(tst_SearchController)
#include "tst_searchcontroller.moc"
