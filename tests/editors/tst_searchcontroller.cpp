#include "common/testmain.h"

#include "editors/applescripteditor.h"
#include "editors/javascripteditor.h"
#include "editors/scrtextedit.h"
#include "editors/searchcontroller.h"
#include "editors/searchoptions.h"
#include "editors/sfindtext.h"
#include "editors/sgotoline.h"
#include "editors/sreplacetext.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
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
        , javaScript(new Scripter::JavaScriptEditor)
        , appleScript(new Scripter::AppleScriptEditor)
        , controller(new SearchController(
              [this]() -> QWidget * { return noEditor ? nullptr : tabs->currentWidget(); }, this))
    {
        tabs->addTab(javaScript, QStringLiteral("JavaScript"));
        tabs->addTab(appleScript, QStringLiteral("AppleScript"));
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(tabs);
        resize(600, 400);
    }

    bool isJavaScript() const { return tabs->currentWidget() == javaScript; }

    // The widget that takes the keys typed into the current editor.
    QWidget *keyWidget() const
    {
        return isJavaScript() ? static_cast<QWidget *>(javaScript->textEdit())
                              : appleScript->textEdit();
    }

    QString text() const { return isJavaScript() ? javaScript->text() : appleScript->text(); }

    void setText(const QString &text)
    {
        if (isJavaScript()) {
            javaScript->setText(text);
        } else {
            appleScript->setText(text);
        }
    }

    // Where the search went, in the AppleScript editor.
    int selectionStart() const { return appleScript->textEdit()->textCursor().selectionStart(); }
    int cursorPosition() const { return appleScript->textEdit()->textCursor().position(); }
    bool hasSelection() const { return appleScript->hasSelectedText(); }

    QTabWidget *tabs;
    Scripter::JavaScriptEditor *javaScript;
    Scripter::AppleScriptEditor *appleScript;
    SearchController *controller;
    bool noEditor = false;
};

// A shown, active window whose tab `editor` ("JavaScript" or "AppleScript") is current and
// holds `text`, with the cursor at the start.
std::unique_ptr<SearchWindow> openWindow(const QString &text,
                                         const QString &editor = QStringLiteral("AppleScript"))
{
    auto window = std::make_unique<SearchWindow>();
    window->tabs->setCurrentIndex(editor == QLatin1String("JavaScript") ? 0 : 1);
    window->setText(text);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) {
        qWarning("The window did not become active");
    }
    window->keyWidget()->setFocus();
    return window;
}

// What the editors do with a search is their contract (tst_editingcontract); the controller's
// own rules run on the AppleScript editor, and replacing shows that they reach the JavaScript
// editor too.

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

} // namespace

class tst_SearchController : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void dialogsAreModelessAndCloseWithTheirButton();
    void showFindDlgFocusesTheSelectedSearchText();
    void findWithoutTextBringsTheDialogForwardAndSearchesNothing();
    void searchingTheSameTextTwiceAddsItOnce();
    void repeatedFindsFollowDirectionAndStartOption_data();
    void repeatedFindsFollowDirectionAndStartOption();
    void endOfTheTextIsToldOrWrappedAround_data();
    void endOfTheTextIsToldOrWrappedAround();
    void findNextAndPreviousSetTheDirectionForLaterFinds();
    void replaceUsesItsOwnOptionsAndKeepsEveryEntry();
    void replaceAllChangesEveryMatchInOneUndoStep();
    void gotoLineHidesTheDialogAndReturnsToTheEditor();
    void withoutACurrentEditorNothingChanges();
};

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
    QCOMPARE(controller->gotoLineDialog()->lineSpinBox()->value(), 1);
    QVERIFY(!controller->findDialog()->windowIcon().isNull());
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
    QTest::keyClicks(window->keyWidget(), QStringLiteral("Z"));
    QCOMPARE(window->text(), QStringLiteral("Zabc abc"));
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
    QVERIFY(!window->hasSelection());

    QTest::mouseClick(controller->findDialog()->findButton(), Qt::LeftButton);
    QVERIFY(!window->hasSelection());
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
    QCOMPARE(window->selectionStart(), 0);
    QTest::mouseClick(find, Qt::LeftButton);
    QCOMPARE(window->selectionStart(), 4);
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
    // clang-format off
    QTest::newRow("from the beginning the first match is found every time") << 19 << false << true << QList<int>{0, 0, 0};
    QTest::newRow("forward continues after each match, then stays") << 0 << false << false << QList<int>{0, 8, 16, 16};
    QTest::newRow("backward continues before each match, then stays") << 19 << true << false << QList<int>{16, 8, 0, 0};
    QTest::newRow("backward from the beginning of the search finds the last match") << 0 << true << true << QList<int>{16, 16};
    // clang-format on
}

void tst_SearchController::repeatedFindsFollowDirectionAndStartOption()
{
    QFETCH(int, cursor);
    QFETCH(bool, backward);
    QFETCH(bool, startAtBeginning);
    QFETCH(QList<int>, expectedStarts);

    const auto window = openWindow(QStringLiteral("one two one two one"));
    for (int i = 0; i < cursor; ++i) {
        QTest::keyClick(window->keyWidget(), Qt::Key_Right);
    }
    QCOMPARE(window->cursorPosition(), cursor);
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
        starts << window->selectionStart();
    }
    QCOMPARE(starts, expectedStarts);
}

void tst_SearchController::endOfTheTextIsToldOrWrappedAround_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<int>("expectedStart");
    QTest::addColumn<QString>("status");

    // Text: "one two one two one", the last match selected (forward) or the first (backward).
    const QString noMore = QStringLiteral("No more matches");
    // clang-format off
    QTest::newRow("forward past the last match says so") << "one" << false << false << 16 << noMore;
    QTest::newRow("backward past the first match says so") << "one" << true << false << 0 << noMore;
    QTest::newRow("forward wraps to the first match") << "one" << false << true << 0 << "Continued from the start of the text";
    QTest::newRow("backward wraps to the last match") << "one" << true << true << 16 << "Continued from the end of the text";
    QTest::newRow("text found nowhere, wrapped or not") << "six" << false << true << -1 << noMore;
    // clang-format on
}

void tst_SearchController::endOfTheTextIsToldOrWrappedAround()
{
    QFETCH(QString, search);
    QFETCH(bool, backward);
    QFETCH(bool, wrap);
    QFETCH(int, expectedStart);
    QFETCH(QString, status);

    const auto window = openWindow(QStringLiteral("one two one two one"));
    if (backward) {
        QTest::keyClick(window->keyWidget(), Qt::Key_End, Qt::ControlModifier);
    }
    QStatusBar *statusBar = window->appleScript->statusBar();
    Ui::SFindText *dialog = window->controller->findDialog();
    window->controller->showFindDlg();
    typeInto(dialog->findCombo(), QStringLiteral("one"));
    QTest::mouseClick(backward ? dialog->options()->backwardButton()
                               : dialog->options()->forwardButton(),
                      Qt::LeftButton);
    // To the match at the end of the search's way, which says nothing yet.
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(dialog->findButton(), Qt::LeftButton);
    }
    const int lastStart = window->selectionStart();
    QCOMPARE(lastStart, backward ? 0 : 16);
    QCOMPARE(statusBar->currentMessage(), QString());

    if (wrap) {
        QTest::mouseClick(dialog->options()->wrapAroundBox(), Qt::LeftButton);
    }
    typeInto(dialog->findCombo(), search);
    QTest::mouseClick(dialog->findButton(), Qt::LeftButton);
    QCOMPARE(window->selectionStart(), expectedStart < 0 ? lastStart : expectedStart);
    QCOMPARE(statusBar->currentMessage(), status);

    // The next match found takes the sign away.
    typeInto(dialog->findCombo(), QStringLiteral("two"));
    QTest::mouseClick(dialog->options()->forwardButton(), Qt::LeftButton);
    QTest::mouseClick(dialog->options()->startAtBeginningBox(), Qt::LeftButton);
    QTest::mouseClick(dialog->findButton(), Qt::LeftButton);
    QCOMPARE(window->selectionStart(), 4);
    QCOMPARE(statusBar->currentMessage(), QString());
}

void tst_SearchController::findNextAndPreviousSetTheDirectionForLaterFinds()
{
    const auto window = openWindow(QStringLiteral("ab ab ab"));
    SearchController *controller = window->controller;
    Ui::SFindText *dialog = controller->findDialog();
    dialog->findCombo()->setEditText(QStringLiteral("ab"));

    controller->searchFindNext();
    controller->searchFindNext();
    QCOMPARE(window->selectionStart(), 3);
    QVERIFY(dialog->options()->forwardButton()->isChecked());

    controller->searchFindPrev();
    QCOMPARE(window->selectionStart(), 0);
    QVERIFY(dialog->options()->backwardButton()->isChecked());
    QVERIFY(!dialog->options()->forwardButton()->isChecked());

    // A plain find keeps searching backwards.
    window->keyWidget()->setFocus();
    QTest::keyClick(window->keyWidget(), Qt::Key_End, Qt::ControlModifier);
    controller->searchFind();
    QCOMPARE(window->selectionStart(), 6);
    controller->searchFind();
    QCOMPARE(window->selectionStart(), 3);
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
    QCOMPARE(window->text(), QStringLiteral("Cat dog cat"));
    QTest::mouseClick(dialog->replaceButton(), Qt::LeftButton);
    QCOMPARE(window->text(), QStringLiteral("Cat dog dog"));
    QTRY_VERIFY(window->keyWidget()->hasFocus());

    const QStringList cats(2, QStringLiteral("cat"));
    const QStringList dogs(2, QStringLiteral("dog"));
    QCOMPARE(items(dialog->findCombo()), cats);
    QCOMPARE(items(dialog->replaceCombo()), dogs);
    QCOMPARE(controller->findDialog()->findCombo()->count(), 0);
}

void tst_SearchController::replaceAllChangesEveryMatchInOneUndoStep()
{
    const auto window =
        openWindow(QStringLiteral("x = 1\nx = x + 1\n"), QStringLiteral("JavaScript"));
    SearchController *controller = window->controller;
    Ui::SReplaceText *dialog = controller->replaceDialog();
    controller->showReplaceDlg();
    typeInto(dialog->findCombo(), QStringLiteral("x"));
    typeInto(dialog->replaceCombo(), QStringLiteral("x2"));
    QTest::mouseClick(dialog->options()->wholeWordsBox(), Qt::LeftButton);

    QTest::mouseClick(dialog->replaceAllButton(), Qt::LeftButton);
    QCOMPARE(window->text(), QStringLiteral("x2 = 1\nx2 = x2 + 1\n"));
    QTRY_VERIFY(window->keyWidget()->hasFocus());
    QTest::keyClick(window->keyWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window->text(), QStringLiteral("x = 1\nx = x + 1\n"));
}

void tst_SearchController::gotoLineHidesTheDialogAndReturnsToTheEditor()
{
    const auto window = openWindow(QStringLiteral("abc\ndef\nghi"));
    QTest::keyClick(window->keyWidget(), Qt::Key_End, Qt::ControlModifier);
    Ui::SGotoLine *dialog = window->controller->gotoLineDialog();
    window->controller->showGotoLineDlg();
    QTRY_COMPARE(QApplication::activeWindow(), dialog);
    QTest::keyClicks(dialog->lineSpinBox(), QStringLiteral("2"));
    QCOMPARE(dialog->lineSpinBox()->value(), 2);

    QTest::mouseClick(dialog->gotoButton(), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(window->cursorPosition(), 4);
    // The focus returns to the editor as soon as the window is active again.
    QCOMPARE(window->focusWidget(), window->keyWidget());
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

    QCOMPARE(window->text(), QStringLiteral("abc abc"));
    QVERIFY(!window->hasSelection());
}

TAVRIX_TEST_MAIN(tst_SearchController)
#include "tst_searchcontroller.moc"
