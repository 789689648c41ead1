#include "common/testmain.h"

#include "editors/applescripteditor.h"
#include "editors/markerwidget.h"
#include "editors/scrtextedit.h"
#include "qsa/config.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QMimeData>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <iterator>
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

// Types `keys`: characters as they are, "{Name}" as the key of that name.
void typeKeys(QWidget *widget, const QString &keys)
{
    static const QHash<QString, QKeyCombination> named = {
        {QStringLiteral("Escape"), Qt::Key_Escape},
        {QStringLiteral("Return"), Qt::Key_Return},
        {QStringLiteral("Tab"), Qt::Key_Tab},
        {QStringLiteral("Shift+Tab"), Qt::ShiftModifier | Qt::Key_Backtab},
        {QStringLiteral("Shift+Return"), Qt::ShiftModifier | Qt::Key_Return},
        {QStringLiteral("Backspace"), Qt::Key_Backspace},
        {QStringLiteral("Down"), Qt::Key_Down},
        {QStringLiteral("Ctrl+E"), Qt::ControlModifier | Qt::Key_E}};
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys.at(i) == QLatin1Char('{')) {
            const qsizetype end = keys.indexOf(QLatin1Char('}'), i);
            const QKeyCombination key = named.value(keys.mid(i + 1, end - i - 1));
            press(widget, key.key(), key.keyboardModifiers());
            i = end;
        } else {
            typeText(widget, keys.at(i));
        }
    }
}

// Puts the cursor at character `position`, the way a user would with the arrow keys.
void moveCursorTo(QWidget *edit, int position)
{
    press(edit, Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < position; ++i) {
        press(edit, Qt::Key_Right);
    }
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
    void positionLabelShowsOneBasedLineAndColumn_data();
    void positionLabelShowsOneBasedLineAndColumn();
    void gutterNumbersTheVisibleLinesRightAligned();
    void gutterConsumesClicksAndContextMenus();
    void indentationFollowsTabAndReturn_data();
    void indentationFollowsTabAndReturn();
    void completionPopupFollowsTheTyping_data();
    void completionPopupFollowsTheTyping();
    void newCompletionListReplacesTheOldOne();
    void modificationIsAnnouncedOncePerChange();
};

void tst_ScriptEditor::init()
{
    QSettings().clear();
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

namespace {
// A text with "|" where the cursor is and "[" where a selection starts, keys as typeKeys takes
// them, and the text after them, with "|" where the cursor then is when that matters.
struct IndentRow
{
    const char *name;
    int tabSize;
    const char *text, *keys, *expected;
    bool oneUndoStep; // Ctrl+Z then gives back the text
};
const IndentRow indentRows[] = {
    // clang-format off
    {"tab on lines up to the start of a line leaves that line", 4, "line1\nli[ne2\nline3\nline4\n|line5", "{Tab}", "line1\n\tline2\n\tline3\n\tline4\nline5", true},
    {"tab on lines into a line indents it too", 4, "line1\nli[ne2\nline3\nline4\nli|ne5", "{Tab}", "line1\n\tline2\n\tline3\n\tline4\n\tline5", true},
    {"shift+tab: four spaces are removed", 4, "[    first\n    x\n\tlast|", "{Shift+Tab}", "first\nx\nlast", true},
    {"shift+tab: of six spaces four are removed", 4, "[    first\n      x\n\tlast|", "{Shift+Tab}", "first\n  x\nlast", true},
    {"shift+tab: two spaces and a tab are removed together", 4, "[    first\n  \tx\n\tlast|", "{Shift+Tab}", "first\nx\nlast", true},
    {"shift+tab: a short run of spaces is removed", 4, "[    first\n  x\n\tlast|", "{Shift+Tab}", "first\nx\nlast", true},
    {"shift+tab: one leading tab is removed", 4, "[    first\n\t\tx\n\tlast|", "{Shift+Tab}", "first\n\tx\nlast", true},
    {"shift+tab: a line starting with a letter stays", 4, "[    first\nx  \n\tlast|", "{Shift+Tab}", "first\nx  \nlast", true},
    {"shift+tab: the tab size comes from the settings", 2, "[    first\n    x\n\tlast|", "{Shift+Tab}", "  first\n  x\nlast", true},
    {"shift+tab without a selection: three letters and two spaces lose one space", 4, "abc  |rest\nnext", "{Shift+Tab}", "abc |rest\nnext", false},
    {"shift+tab without a selection: a letter, a space and a tab lose both", 4, "a \t|rest", "{Shift+Tab}", "a|rest", false},
    {"shift+tab without a selection: only letters stay", 4, "abc|rest", "{Shift+Tab}", "abc|rest", false},
    {"shift+tab without a selection: at the start of the line nothing happens", 4, "|rest", "{Shift+Tab}", "|rest", false},
    {"shift+tab without a selection: a tab after aligned spaces goes alone", 4, "abc \t|rest", "{Shift+Tab}", "abc |rest", false},
    {"shift+tab without a selection: eight spaces lose four", 4, "        |rest", "{Shift+Tab}", "    |rest", false},
    {"shift+tab without a selection: five spaces lose one", 4, "     |rest", "{Shift+Tab}", "    |rest", false},
    {"return: a tab and two spaces start the new line", 4, "\t  code|", "{Return}", "\t  code\n\t  |", false},
    {"return: an unindented line adds nothing", 4, "code|", "{Return}", "code\n|", false},
    {"return: the rest of a split line is indented", 4, "  ab |cd", "{Return}", "  ab \n  |cd", false},
    {"return: a blank line passes its blanks on", 4, "    |", "{Return}", "    \n    |", false},
    {"return: a line separator within the line adds nothing", 4, "\tx\ncode|", "{Shift+Return}", "\tx\ncode\n|", false},
    // clang-format on
};
} // namespace

void tst_ScriptEditor::indentationFollowsTabAndReturn_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(indentRows)); ++row) {
        QTest::newRow(indentRows[row].name) << row;
    }
}

void tst_ScriptEditor::indentationFollowsTabAndReturn()
{
    QFETCH(int, row);
    const IndentRow &r = indentRows[row];
    QString text = QString::fromUtf8(r.text);
    const qsizetype anchor = text.indexOf(QLatin1Char('['));
    text.remove(QLatin1Char('['));
    const qsizetype cursor = text.indexOf(QLatin1Char('|'));
    text.remove(QLatin1Char('|'));
    QString expected = QString::fromUtf8(r.expected);
    const qsizetype expectedCursor = expected.indexOf(QLatin1Char('|'));
    expected.remove(QLatin1Char('|'));

    Config::setIndentTabSize(r.tabSize);
    const auto editor = openEditor(text);
    ScrTextEdit *edit = editor->textEdit();
    moveCursorTo(edit, anchor < 0 ? cursor : anchor);
    for (qsizetype i = anchor; anchor >= 0 && i < cursor; ++i) {
        press(edit, Qt::Key_Right, Qt::ShiftModifier);
    }
    typeKeys(edit, QString::fromUtf8(r.keys));
    QCOMPARE(editor->text(), expected);
    if (expectedCursor >= 0) {
        QCOMPARE(edit->textCursor().position(), expectedCursor);
    }
    QVERIFY(edit->hasFocus()); // shift+tab stays in the text
    if (r.oneUndoStep) {
        press(edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor->text(), text);
    }
}

void tst_ScriptEditor::completionPopupFollowsTheTyping_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("current"); // the popup's current entry, when it matters

    // clang-format off
    QTest::newRow("two letters show nothing") << "jo" << "jo" << false << "";
    QTest::newRow("the third letter opens the popup") << "job" << "job" << true << "jobArrived( s, job )";
    QTest::newRow("any case matches") << "JOB" << "JOB" << true << "jobArrived( s, job )";
    QTest::newRow("several entries share a prefix") << "getL" << "getL" << true << "getLibraryForProperty( s, tag )";
    QTest::newRow("a word no entry starts with shows nothing") << "xyz" << "xyz" << false << "";
    QTest::newRow("a full stop closes the popup") << "job." << "job." << false << "";
    QTest::newRow("a parenthesis closes the popup") << "job(" << "job(" << false << "";
    QTest::newRow("escape closes the popup without editing") << "x{Return}tim{Escape}" << "x\ntim" << false << "";
    QTest::newRow("return takes the entry") << "x{Return}time{Return}" << "x\ntimerFired( s )" << false << "";
    QTest::newRow("tab takes the entry") << "lic{Tab}" << "licenseApplication( e, license )" << false << "";
    QTest::newRow("backspace edits the text, the popup stays") << "find{Backspace}" << "fin" << true << "";
    QTest::newRow("backspace below three letters closes it") << "find{Backspace}{Backspace}" << "fi" << false << "";
    QTest::newRow("ctrl+E opens the popup for a short word") << "is{Ctrl+E}" << "is" << true << "";
    QTest::newRow("ctrl+E offers the entries of the word") << "is{Ctrl+E}{Down}{Return}" << "isConnectionPropertyValid( s, c, tag, value )" << false << "";
    // clang-format on
}

void tst_ScriptEditor::completionPopupFollowsTheTyping()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(bool, visible);
    QFETCH(QString, current);

    const auto editor = openEditor(QString());
    ScrTextEdit *edit = editor->textEdit();
    typeKeys(edit, keys);
    QCOMPARE(editor->text(), text);
    QCOMPARE(edit->textCursor().position(), text.size());
    QCOMPARE(popupVisible(edit), visible);
    if (!current.isEmpty()) {
        QCOMPARE(edit->completer()->popup()->currentIndex().data().toString(), current);
    }
    press(edit, Qt::Key_Escape);
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
}

TAVRIX_TEST_MAIN(tst_ScriptEditor)
#include "tst_scripteditor.moc"
