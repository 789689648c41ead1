#include "common/testmain.h"

#include "editors/applescripteditor.h"
#include "editors/markerwidget.h"
#include "editors/scrtextedit.h"
#include "qsa/config.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <memory>

using Scripter::AppleScriptEditor;
using Scripter::ScrTextEdit;

namespace {

// A shown, active editor holding `text`, with the keyboard focus in its text edit.
std::unique_ptr<AppleScriptEditor> openEditor(const QString &text)
{
    auto editor = std::make_unique<AppleScriptEditor>();
    editor->setText(text);
    editor->resize(500, 300);
    editor->show();
    editor->activateWindow();
    if (!QTest::qWaitForWindowActive(editor.get())) {
        qWarning("The editor window did not become active");
    }
    editor->textEdit()->setFocus();
    return editor;
}

// Where keys go while the user types: an open popup takes them, as the window system arranges.
QWidget *keyTarget(QWidget *widget)
{
    QWidget *popup = QApplication::activePopupWidget();
    return popup ? popup : widget;
}

void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QTest::keyClicks(keyTarget(widget), QString(c));
    }
}

void press(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(keyTarget(widget), key, modifiers);
}

// Puts the cursor at character `position`, the way a user would with the arrow keys.
void moveCursorTo(QWidget *edit, int position)
{
    press(edit, Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < position; ++i) {
        press(edit, Qt::Key_Right);
    }
}

// Sends one key press and tells whether anything accepted it.
bool pressIsAccepted(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

bool popupVisible(const ScrTextEdit *edit)
{
    return edit->completer() && edit->completer()->popup()->isVisible();
}

QString positionLabelText(const AppleScriptEditor &editor)
{
    return editor.findChild<QLabel *>(QStringLiteral("editor_poslabel"))->text();
}

} // namespace

class tst_ScriptEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void buildsItsNamedPartsStartingAtLineOne();
    void positionLabelShowsOneBasedLineAndColumn_data();
    void positionLabelShowsOneBasedLineAndColumn();
    void gutterNumbersTheVisibleLinesRightAligned();
    void gutterConsumesClicksAndContextMenus();
    void tabIndentsSelectedLinesInOneUndoStep_data();
    void tabIndentsSelectedLinesInOneUndoStep();
    void shiftTabUnindentsEverySelectedLine_data();
    void shiftTabUnindentsEverySelectedLine();
    void shiftTabWithoutSelectionRemovesBlanksBeforeTheCursor_data();
    void shiftTabWithoutSelectionRemovesBlanksBeforeTheCursor();
    void returnCopiesTheIndentationOfThePreviousLine_data();
    void returnCopiesTheIndentationOfThePreviousLine();
    void popupOpensFromTheThirdLetterOfAListedWord_data();
    void popupOpensFromTheThirdLetterOfAListedWord();
    void popupKeysCompleteOrCloseWithoutEditing();
    void backspaceWithThePopupOpenEditsTheText();
    void ctrlEOpensThePopupForAShortWord();
    void newCompletionListReplacesTheOldOne();
    void modificationIsAnnouncedOncePerChange();
};

void tst_ScriptEditor::init()
{
    QSettings().clear();
}

void tst_ScriptEditor::buildsItsNamedPartsStartingAtLineOne()
{
    const auto editor = openEditor(QStringLiteral("abc"));
    auto *textEdit = editor->findChild<ScrTextEdit *>(QStringLiteral("editor_textwidget"));
    auto *gutter = editor->findChild<MarkerWidget *>(QStringLiteral("editor_markerwidget"));
    QVERIFY(textEdit);
    QVERIFY(gutter);
    QCOMPARE(textEdit, editor->textEdit());
    QCOMPARE(positionLabelText(*editor), QStringLiteral(" Line: 1 Col: 1"));
    QCOMPARE(textEdit->lineWrapMode(), QTextEdit::NoWrap);
    QVERIFY(gutter->width() >= textEdit->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    QVERIFY(editor->statusBar()->isVisible());
    QVERIFY(!editor->statusBar()->isSizeGripEnabled());
}

void tst_ScriptEditor::positionLabelShowsOneBasedLineAndColumn_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("label");

    // clang-format off
    QTest::newRow("start of the text is line 1, column 1") << QStringLiteral("\n\nab") << 0 << QStringLiteral(" Line: 1 Col: 1");
    QTest::newRow("after two line breaks and two letters") << QStringLiteral("\n\nab") << 4 << QStringLiteral(" Line: 3 Col: 3");
    QTest::newRow("inside the first line") << QStringLiteral("abc\ndef") << 2 << QStringLiteral(" Line: 1 Col: 3");
    QTest::newRow("start of a later line") << QStringLiteral("abc\ndef") << 4 << QStringLiteral(" Line: 2 Col: 1");
    QTest::newRow("end of the text") << QStringLiteral("abc\ndef") << 7 << QStringLiteral(" Line: 2 Col: 4");
    // clang-format on
}

void tst_ScriptEditor::positionLabelShowsOneBasedLineAndColumn()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, label);

    const auto editor = openEditor(text);
    moveCursorTo(editor->textEdit(), text.size());
    moveCursorTo(editor->textEdit(), position);
    QCOMPARE(editor->textEdit()->textCursor().position(), position);
    QCOMPARE(positionLabelText(*editor), label);
}

void tst_ScriptEditor::gutterNumbersTheVisibleLinesRightAligned()
{
    QStringList lines;
    for (int i = 1; i <= 200; ++i) {
        lines << QStringLiteral("line %1").arg(i);
    }
    const auto editor = openEditor(lines.join(QLatin1Char('\n')));
    const auto *gutter = editor->findChild<MarkerWidget *>();
    const QFontMetrics metrics = gutter->fontMetrics();

    const auto checkNumbers = [&](int expectedFirst, int expectedLast) {
        const QList<MarkerWidget::LineNumber> numbers = gutter->visibleLineNumbers();
        QVERIFY(!numbers.isEmpty());
        QVERIFY2(numbers.size() < 200, "only the visible lines are numbered");
        if (expectedFirst > 0) {
            QCOMPARE(numbers.first().number, expectedFirst);
        }
        if (expectedLast > 0) {
            QCOMPARE(numbers.last().number, expectedLast);
        }
        for (int i = 0; i < numbers.size(); ++i) {
            const MarkerWidget::LineNumber &line = numbers.at(i);
            QCOMPARE(line.baseline.x() + metrics.horizontalAdvance(QString::number(line.number)),
                     gutter->width());
            if (i > 0) {
                QCOMPARE(line.number, numbers.at(i - 1).number + 1);
                QVERIFY(line.baseline.y() > numbers.at(i - 1).baseline.y());
            }
        }
        // The first visible line sits near the top of the gutter, not above or far below it.
        QVERIFY(numbers.first().baseline.y() > -metrics.height());
        QVERIFY(numbers.first().baseline.y() <= 2 * metrics.height());
    };

    checkNumbers(1, 0);
    press(editor->textEdit(), Qt::Key_End, Qt::ControlModifier);
    QVERIFY(editor->textEdit()->verticalScrollBar()->value() > 0);
    checkNumbers(0, 200);
}

void tst_ScriptEditor::gutterConsumesClicksAndContextMenus()
{
    const auto editor = openEditor(QStringLiteral("abc\ndef"));
    auto *gutter = editor->findChild<MarkerWidget *>();
    moveCursorTo(editor->textEdit(), 2);

    QMouseEvent click(QEvent::MouseButtonPress, QPointF(2, 2), gutter->mapToGlobal(QPointF(2, 2)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(gutter, &click);
    QVERIFY(click.isAccepted());
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(2, 2),
                           gutter->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(gutter, &menu);
    QVERIFY(menu.isAccepted());
    QCOMPARE(editor->textEdit()->textCursor().position(), 2);
}

void tst_ScriptEditor::tabIndentsSelectedLinesInOneUndoStep_data()
{
    QTest::addColumn<int>("endColumn");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("selection ending at the start of line 5 leaves line 5") << 0 << QStringLiteral("line1\n\tline2\n\tline3\n\tline4\nline5");
    QTest::newRow("selection ending inside line 5 indents it too") << 2 << QStringLiteral("line1\n\tline2\n\tline3\n\tline4\n\tline5");
    // clang-format on
}

void tst_ScriptEditor::tabIndentsSelectedLinesInOneUndoStep()
{
    QFETCH(int, endColumn);
    QFETCH(QString, expected);

    const QString original = QStringLiteral("line1\nline2\nline3\nline4\nline5");
    const auto editor = openEditor(original);
    ScrTextEdit *edit = editor->textEdit();
    moveCursorTo(edit, 8); // the middle of line 2
    for (int i = 0; i < 3; ++i) {
        press(edit, Qt::Key_Down, Qt::ShiftModifier);
    }
    press(edit, Qt::Key_Home, Qt::ShiftModifier);
    for (int i = 0; i < endColumn; ++i) {
        press(edit, Qt::Key_Right, Qt::ShiftModifier);
    }
    QVERIFY(editor->hasSelectedText());

    press(edit, Qt::Key_Tab);
    QCOMPARE(editor->text(), expected);
    press(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor->text(), original);
}

void tst_ScriptEditor::shiftTabUnindentsEverySelectedLine_data()
{
    QTest::addColumn<int>("tabSize");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("four spaces are removed") << 4 << "    x" << "x";
    QTest::newRow("of six spaces four are removed") << 4 << "      x" << "  x";
    QTest::newRow("two spaces and a tab are removed together") << 4 << "  \tx" << "x";
    QTest::newRow("a short run of spaces is removed") << 4 << "  x" << "x";
    QTest::newRow("one leading tab is removed") << 4 << "\t\tx" << "\tx";
    QTest::newRow("a line starting with a letter stays") << 4 << "x  " << "x  ";
    QTest::newRow("the tab size comes from the settings") << 2 << "    x" << "  x";
    // clang-format on
}

void tst_ScriptEditor::shiftTabUnindentsEverySelectedLine()
{
    QFETCH(int, tabSize);
    QFETCH(QString, line);
    QFETCH(QString, expected);

    Config::setIndentTabSize(tabSize);
    const QString original = QStringLiteral("    first\n") + line + QStringLiteral("\n\tlast");
    const auto editor = openEditor(original);
    ScrTextEdit *edit = editor->textEdit();
    press(edit, Qt::Key_A, Qt::ControlModifier);

    QVERIFY(pressIsAccepted(edit, Qt::Key_Backtab, Qt::ShiftModifier));
    QCOMPARE(editor->text(),
             QString(QString(4 - qMin(4, tabSize), QLatin1Char(' ')) + QStringLiteral("first\n")
                     + expected + QStringLiteral("\nlast")));
    press(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor->text(), original);
}

void tst_ScriptEditor::shiftTabWithoutSelectionRemovesBlanksBeforeTheCursor_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("expectedBefore");

    // clang-format off
    QTest::newRow("three letters and two spaces lose one space") << "abc  " << "abc ";
    QTest::newRow("a letter, a space and a tab lose the tab and the space") << "a \t" << "a";
    QTest::newRow("only letters stay") << "abc" << "abc";
    QTest::newRow("at the start of the line nothing happens") << "" << "";
    QTest::newRow("a tab after aligned spaces goes alone") << "abc \t" << "abc ";
    QTest::newRow("eight spaces lose four") << "        " << "    ";
    QTest::newRow("five spaces lose one") << "     " << "    ";
    // clang-format on
}

void tst_ScriptEditor::shiftTabWithoutSelectionRemovesBlanksBeforeTheCursor()
{
    QFETCH(QString, before);
    QFETCH(QString, expectedBefore);

    const QString after = QStringLiteral("rest\nnext");
    const auto editor = openEditor(before + after);
    ScrTextEdit *edit = editor->textEdit();
    moveCursorTo(edit, before.size());

    QVERIFY(pressIsAccepted(edit, Qt::Key_Backtab, Qt::ShiftModifier));
    QCOMPARE(editor->text(), QString(expectedBefore + after));
    QCOMPARE(edit->textCursor().position(), expectedBefore.size());
    QVERIFY(edit->hasFocus());
}

void tst_ScriptEditor::returnCopiesTheIndentationOfThePreviousLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("expectedPosition");

    // clang-format off
    QTest::newRow("a tab and two spaces start the new line") << "\t  code" << 7 << 0 << "\t  code\n\t  " << 11;
    QTest::newRow("an unindented line adds nothing") << "code" << 4 << 0 << "code\n" << 5;
    QTest::newRow("the rest of a split line is indented") << "  ab cd" << 5 << 0 << "  ab \n  cd" << 8;
    QTest::newRow("a blank line passes its blanks on") << "    " << 4 << 0 << "    \n    " << 9;
    QTest::newRow("a line separator within the line adds nothing") << "\tx\ncode" << 7 << int(Qt::ShiftModifier) << "\tx\ncode\n" << 8;
    // clang-format on
}

void tst_ScriptEditor::returnCopiesTheIndentationOfThePreviousLine()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(int, modifiers);
    QFETCH(QString, expected);
    QFETCH(int, expectedPosition);

    const auto editor = openEditor(text);
    moveCursorTo(editor->textEdit(), position);
    press(editor->textEdit(), Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(editor->text(), expected);
    QCOMPARE(editor->textEdit()->textCursor().position(), expectedPosition);
}

void tst_ScriptEditor::popupOpensFromTheThirdLetterOfAListedWord_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("firstEntry");

    // clang-format off
    QTest::newRow("two letters show nothing") << "jo" << false << QString();
    QTest::newRow("the third letter opens the popup") << "job" << true << QStringLiteral("jobArrived( s, job )");
    QTest::newRow("any case matches") << "JOB" << true << QStringLiteral("jobArrived( s, job )");
    QTest::newRow("several entries share a prefix") << "getL" << true << QStringLiteral("getLibraryForProperty( s, tag )");
    QTest::newRow("a word no entry starts with shows nothing") << "xyz" << false << QString();
    QTest::newRow("a full stop closes the popup") << "job." << false << QString();
    QTest::newRow("a parenthesis closes the popup") << "job(" << false << QString();
    // clang-format on
}

void tst_ScriptEditor::popupOpensFromTheThirdLetterOfAListedWord()
{
    QFETCH(QString, typed);
    QFETCH(bool, visible);
    QFETCH(QString, firstEntry);

    const auto editor = openEditor(QString());
    ScrTextEdit *edit = editor->textEdit();
    typeText(edit, typed);
    QCOMPARE(editor->text(), typed);
    QCOMPARE(popupVisible(edit), visible);
    if (visible) {
        QCOMPARE(edit->completer()->popup()->currentIndex().data().toString(), firstEntry);
    }
    press(edit, Qt::Key_Escape);
}

void tst_ScriptEditor::popupKeysCompleteOrCloseWithoutEditing()
{
    const auto editor = openEditor(QStringLiteral("x\n"));
    ScrTextEdit *edit = editor->textEdit();
    press(edit, Qt::Key_End, Qt::ControlModifier);

    typeText(edit, QStringLiteral("tim"));
    QVERIFY(popupVisible(edit));
    press(edit, Qt::Key_Escape);
    QVERIFY(!popupVisible(edit));
    QCOMPARE(editor->text(), QStringLiteral("x\ntim"));

    typeText(edit, QStringLiteral("e"));
    QVERIFY(popupVisible(edit));
    press(edit, Qt::Key_Return);
    QVERIFY(!popupVisible(edit));
    QCOMPARE(editor->text(), QStringLiteral("x\ntimerFired( s )"));
    QCOMPARE(edit->textCursor().position(), editor->text().size());

    press(edit, Qt::Key_Return);
    typeText(edit, QStringLiteral("lic"));
    QVERIFY(popupVisible(edit));
    press(edit, Qt::Key_Tab);
    QCOMPARE(editor->text(),
             QStringLiteral("x\ntimerFired( s )\nlicenseApplication( e, license )"));
}

void tst_ScriptEditor::backspaceWithThePopupOpenEditsTheText()
{
    const auto editor = openEditor(QString());
    ScrTextEdit *edit = editor->textEdit();
    typeText(edit, QStringLiteral("find"));
    QVERIFY(popupVisible(edit));
    press(edit, Qt::Key_Backspace);
    QCOMPARE(editor->text(), QStringLiteral("fin"));
    QVERIFY(popupVisible(edit));
    press(edit, Qt::Key_Backspace);
    QCOMPARE(editor->text(), QStringLiteral("fi"));
    QVERIFY(!popupVisible(edit));
}

void tst_ScriptEditor::ctrlEOpensThePopupForAShortWord()
{
    const auto editor = openEditor(QString());
    ScrTextEdit *edit = editor->textEdit();
    typeText(edit, QStringLiteral("is"));
    QVERIFY(!popupVisible(edit));
    press(edit, Qt::Key_E, Qt::ControlModifier);
    QVERIFY(popupVisible(edit));
    QCOMPARE(editor->text(), QStringLiteral("is"));
    QCOMPARE(edit->completer()->completionCount(), 2);
    press(edit, Qt::Key_Down);
    press(edit, Qt::Key_Return);
    QCOMPARE(editor->text(), QStringLiteral("isConnectionPropertyValid( s, c, tag, value )"));
}

void tst_ScriptEditor::newCompletionListReplacesTheOldOne()
{
    const auto editor = openEditor(QString());
    ScrTextEdit *edit = editor->textEdit();
    edit->setCompletionList(QStringLiteral("alphabet;;alpine"), QStringLiteral("alpha beta"));
    typeText(edit, QStringLiteral("job"));
    QVERIFY(!popupVisible(edit));
    press(edit, Qt::Key_Return);
    typeText(edit, QStringLiteral("alp"));
    QVERIFY(popupVisible(edit));
    QCOMPARE(edit->completer()->completionCount(), 2);
    press(edit, Qt::Key_Escape);
}

void tst_ScriptEditor::modificationIsAnnouncedOncePerChange()
{
    const auto editor = openEditor(QStringLiteral("abc"));
    QSignalSpy changed(editor.get(), &Scripter::ScriptEditor::scriptChanged);
    typeText(editor->textEdit(), QStringLiteral("xy"));
    QCOMPARE(changed.count(), 1);
    QVERIFY(editor->textEdit()->document()->isModified());

    editor->textEdit()->document()->setModified(false);
    QCOMPARE(changed.count(), 2);
    typeText(editor->textEdit(), QStringLiteral("z"));
    QCOMPARE(changed.count(), 3);

    editor->setEmptyScript();
    QVERIFY(!editor->textEdit()->document()->isUndoAvailable());
}

TAVRIX_TEST_MAIN(tst_ScriptEditor)
#include "tst_scripteditor.moc"
