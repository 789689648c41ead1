// What both kinds of script editor promise the main window and its search dialogs: find,
// replace, go to line and dropping files or text. Every row runs against the text-edit editor
// of VBScript and AppleScript and against the JavaScript editor on QScintilla.

#include "common/testmain.h"

#include "common/testfiles.h"

#include "editors/applescripteditor.h"
#include "editors/javascripteditor.h"
#include "editors/scrtextedit.h"

#include <Qsci/qsciscintilla.h>

#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <iterator>
#include <memory>

namespace {

// One editor as the contract sees it: a text, a selection in characters (all texts here are
// ASCII, so Scintilla's byte positions are characters) and the operations.
class Editor
{
public:
    virtual ~Editor() = default;
    virtual QWidget *widget() = 0;
    virtual QWidget *viewport() = 0;
    virtual void setText(const QString &text) = 0;
    virtual QString text() const = 0;
    virtual void select(int from, int to) = 0;
    virtual QPair<int, int> selection() const = 0;
    virtual void undo() = 0;
    virtual bool find(const QString &expr, bool caseSensitive, bool wholeWords, bool forward,
                      bool startAtCursor) = 0;
    virtual bool replace(const QString &expr, const QString &replacement, bool caseSensitive,
                         bool wholeWords, bool startAtCursor, bool replaceAll) = 0;
    virtual bool gotoLine(int line) = 0;
    // Where the character at `position` stands in the viewport, from its left edge.
    virtual int viewportX(int position) const = 0;
    // Records the files that the editor asks the application to open.
    virtual std::unique_ptr<QSignalSpy> spyOnOpenRequests() = 0;
};

// The forwarding both editor kinds share; only the selection and undo differ.
template<class ScriptEditorType>
class EditorAdapter : public Editor
{
public:
    QWidget *widget() override { return &m_editor; }
    QWidget *viewport() override { return m_editor.textEdit()->viewport(); }
    void setText(const QString &text) override { m_editor.setText(text); }
    QString text() const override { return m_editor.text(); }
    bool find(const QString &expr, bool caseSensitive, bool wholeWords, bool forward,
              bool startAtCursor) override
    {
        return m_editor.find(expr, caseSensitive, wholeWords, forward, startAtCursor);
    }
    bool replace(const QString &expr, const QString &replacement, bool caseSensitive,
                 bool wholeWords, bool startAtCursor, bool replaceAll) override
    {
        return m_editor.replace(expr, replacement, caseSensitive, wholeWords, true, startAtCursor,
                                replaceAll);
    }
    bool gotoLine(int line) override { return m_editor.gotoLine(line); }
    std::unique_ptr<QSignalSpy> spyOnOpenRequests() override
    {
        return std::make_unique<QSignalSpy>(&m_editor, &ScriptEditorType::openFileRequested);
    }

protected:
    ScriptEditorType m_editor;
};

class TextEditEditor : public EditorAdapter<Scripter::AppleScriptEditor>
{
public:
    void select(int from, int to) override
    {
        QTextCursor cursor = m_editor.textEdit()->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        m_editor.textEdit()->setTextCursor(cursor);
    }
    QPair<int, int> selection() const override
    {
        const QTextCursor cursor = m_editor.textEdit()->textCursor();
        return {cursor.selectionStart(), cursor.selectionEnd()};
    }
    void undo() override { m_editor.textEdit()->undo(); }
    int viewportX(int position) const override
    {
        QTextCursor cursor = m_editor.textEdit()->textCursor();
        cursor.setPosition(position);
        return m_editor.textEdit()->cursorRect(cursor).left();
    }
};

class ScintillaEditor : public EditorAdapter<Scripter::JavaScriptEditor>
{
public:
    void select(int from, int to) override
    {
        m_editor.textEdit()->SendScintilla(QsciScintilla::SCI_SETSEL,
                                           static_cast<unsigned long>(from), long(to));
    }
    QPair<int, int> selection() const override
    {
        QsciScintilla *edit = m_editor.textEdit();
        return {int(edit->SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART)),
                int(edit->SendScintilla(QsciScintilla::SCI_GETSELECTIONEND))};
    }
    void undo() override { m_editor.undo(); }
    int viewportX(int position) const override
    {
        return int(m_editor.textEdit()->SendScintilla(QsciScintilla::SCI_POINTXFROMPOSITION, 0UL,
                                                      long(position)));
    }
};

// A shown editor of `kind` holding `text`.
std::unique_ptr<Editor> openEditor(const QString &kind, const QString &text)
{
    std::unique_ptr<Editor> editor;
    if (kind == QLatin1String("text edit")) {
        editor = std::make_unique<TextEditEditor>();
    } else {
        editor = std::make_unique<ScintillaEditor>();
    }
    editor->widget()->resize(500, 300);
    editor->widget()->show();
    if (!QTest::qWaitForWindowExposed(editor->widget())) {
        qWarning("The editor window was not shown");
    }
    editor->setText(text);
    return editor;
}

// Hands `data` to the editor's text as a drop there does.
void drop(QWidget *viewport, const QMimeData &data)
{
    const QPoint point(5, 5);
    QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
    QDropEvent dropEvent(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &dropEvent);
}

const char *const editorKinds[] = {"text edit", "QScintilla"};

// A "kind" column and one row per kind of editor.
void addRowPerEditorKind()
{
    QTest::addColumn<QString>("kind");
    for (const char *kind : editorKinds) {
        QTest::newRow(kind) << QString::fromLatin1(kind);
    }
}

struct FindRow
{
    const char *name;
    const char *text;
    int selectedFrom, selectedTo; // the selection before the search
    const char *expr;
    bool caseSensitive, wholeWords, forward, startAtCursor;
    int foundFrom, foundTo; // -1: nothing found, the selection stays
};

const FindRow findRows[] = {
    // clang-format off
    {"from the top the first match is found", "one two one two", 12, 15, "one", false, false, true, false, 0, 3},
    {"from the cursor the search continues after the selection", "one two one two", 0, 3, "one", false, false, true, true, 8, 11},
    {"after the last match nothing is found", "one two one two", 8, 11, "one", false, false, true, true, -1, -1},
    {"backward from the cursor searches before the selection", "one two one two", 8, 11, "one", false, false, false, true, 0, 3},
    {"backward without the cursor finds the last match", "one two one two", 0, 3, "one", false, false, false, false, 8, 11},
    {"case sensitive skips another case", "One one", 0, 0, "one", true, false, true, false, 4, 7},
    {"case insensitive takes another case", "One one", 0, 0, "one", false, false, true, false, 0, 3},
    {"whole words skip a part of a word", "someone one", 0, 0, "one", false, true, true, false, 8, 11},
    {"no match leaves the selection", "one two", 4, 7, "three", false, false, true, false, -1, -1},
    {"an empty search text finds nothing", "one two", 4, 7, "", false, false, true, false, -1, -1},
    // clang-format on
};

struct ReplaceRow
{
    const char *name;
    const char *text;
    int cursor;
    const char *expr;
    const char *replacement;
    bool caseSensitive, wholeWords, startAtCursor, replaceAll;
    const char *expected;
};

const ReplaceRow replaceRows[] = {
    // clang-format off
    {"replace changes the first match from the top", "a b a b", 4, "a", "x", false, false, false, false, "x b a b"},
    {"replace from the cursor changes the next match", "a b a b", 1, "a", "x", false, false, true, false, "a b x b"},
    {"no match changes nothing", "a b a", 3, "z", "y", false, false, false, false, "a b a"},
    {"replace all changes every match wherever the cursor is", "a b a b", 7, "a", "x", false, false, true, true, "x b x b"},
    {"replace all honours whole words", "cat concat cat", 0, "cat", "dog", false, true, false, true, "dog concat dog"},
    {"replace all honours case", "Ab ab AB", 0, "ab", "x", true, false, false, true, "Ab x AB"},
    {"replace all ignoring case", "Ab ab AB", 0, "ab", "x", false, false, false, true, "x x x"},
    {"replacement holding the text is not replaced again", "a a", 0, "a", "aa", false, false, false, true, "aa aa"},
    {"longer replacements before the cursor keep the count", "a a a", 2, "a", "xyz", false, false, true, true, "xyz xyz xyz"},
    {"replacing with nothing removes every match", "a-b-c", 0, "-", "", false, false, false, true, "abc"},
    {"an empty search text changes nothing", "a b", 1, "", "x", false, false, false, true, "a b"},
    // clang-format on
};

} // namespace

class tst_EditingContract : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void findSelectsTheNextMatch_data();
    void findSelectsTheNextMatch();
    void foundTextIsInView_data();
    void foundTextIsInView();
    void replaceChangesMatchesInOneUndoStep_data();
    void replaceChangesMatchesInOneUndoStep();
    void gotoLineMovesOnlyToExistingLines_data();
    void gotoLineMovesOnlyToExistingLines();
    void droppedFilesAreOpenedNotInserted_data();
    void droppedFilesAreOpenedNotInserted();
    void droppedTextIsInserted_data();
    void droppedTextIsInserted();
};

void tst_EditingContract::init()
{
    QSettings().clear();
}

void tst_EditingContract::findSelectsTheNextMatch_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("row");
    for (const char *kind : editorKinds) {
        for (int row = 0; row < int(std::size(findRows)); ++row) {
            QTest::newRow(QByteArray(kind).append(": ").append(findRows[row].name).constData())
                << QString::fromLatin1(kind) << row;
        }
    }
}

void tst_EditingContract::findSelectsTheNextMatch()
{
    QFETCH(QString, kind);
    QFETCH(int, row);
    const FindRow &r = findRows[row];

    const auto editor = openEditor(kind, QLatin1String(r.text));
    editor->select(r.selectedFrom, r.selectedTo);
    const bool found = editor->find(QLatin1String(r.expr), r.caseSensitive, r.wholeWords, r.forward,
                                    r.startAtCursor);
    QCOMPARE(found, r.foundFrom >= 0);
    QCOMPARE(editor->selection(),
             found ? qMakePair(r.foundFrom, r.foundTo) : qMakePair(r.selectedFrom, r.selectedTo));
    QCOMPARE(editor->text(), QLatin1String(r.text));
}

void tst_EditingContract::foundTextIsInView_data()
{
    addRowPerEditorKind();
}

void tst_EditingContract::foundTextIsInView()
{
    QFETCH(QString, kind);
    // The first match lies far to the right; the next one near the left edge of a later line.
    const QString far = QString(200, QLatin1Char('x')) + QStringLiteral(" needle\n");
    const QString text = far + QStringLiteral("    needle here\n");
    const auto editor = openEditor(kind, text);
    const int width = editor->viewport()->width();

    for (const int start : {int(far.indexOf(QLatin1String("needle"))), int(far.size()) + 4}) {
        QVERIFY(editor->find(QStringLiteral("needle"), false, false, true, true));
        QCOMPARE(editor->selection(), qMakePair(start, start + 6));
        const int left = editor->viewportX(start);
        const int right = editor->viewportX(start + 6);
        QVERIFY2(left >= 0 && right <= width,
                 qPrintable(QStringLiteral("the match spans %1 to %2 of %3 pixels")
                                .arg(left)
                                .arg(right)
                                .arg(width)));
    }
}

void tst_EditingContract::replaceChangesMatchesInOneUndoStep_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("row");
    for (const char *kind : editorKinds) {
        for (int row = 0; row < int(std::size(replaceRows)); ++row) {
            QTest::newRow(QByteArray(kind).append(": ").append(replaceRows[row].name).constData())
                << QString::fromLatin1(kind) << row;
        }
    }
}

void tst_EditingContract::replaceChangesMatchesInOneUndoStep()
{
    QFETCH(QString, kind);
    QFETCH(int, row);
    const ReplaceRow &r = replaceRows[row];

    const auto editor = openEditor(kind, QLatin1String(r.text));
    editor->select(r.cursor, r.cursor);
    QVERIFY(editor->replace(QLatin1String(r.expr), QLatin1String(r.replacement), r.caseSensitive,
                            r.wholeWords, r.startAtCursor, r.replaceAll));
    QCOMPARE(editor->text(), QLatin1String(r.expected));
    editor->undo();
    QCOMPARE(editor->text(), QLatin1String(r.text));
}

void tst_EditingContract::gotoLineMovesOnlyToExistingLines_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("position"); // -1: the cursor stays

    for (const char *kind : editorKinds) {
        const QString k = QString::fromLatin1(kind);
        QTest::addRow("%s: line 1 is the start of the text", kind) << k << 1 << 0;
        QTest::addRow("%s: a middle line", kind) << k << 2 << 4;
        QTest::addRow("%s: the last line", kind) << k << 3 << 8;
        QTest::addRow("%s: line 0 does not exist", kind) << k << 0 << -1;
        QTest::addRow("%s: negative lines do not exist", kind) << k << -3 << -1;
        QTest::addRow("%s: a line beyond the last does not exist", kind) << k << 4 << -1;
    }
}

void tst_EditingContract::gotoLineMovesOnlyToExistingLines()
{
    QFETCH(QString, kind);
    QFETCH(int, line);
    QFETCH(int, position);

    const auto editor = openEditor(kind, QStringLiteral("abc\ndef\nghi"));
    editor->select(6, 6);
    QCOMPARE(editor->gotoLine(line), position >= 0);
    const int expected = position >= 0 ? position : 6;
    QCOMPARE(editor->selection(), qMakePair(expected, expected));
}

void tst_EditingContract::droppedFilesAreOpenedNotInserted_data()
{
    addRowPerEditorKind();
}

void tst_EditingContract::droppedFilesAreOpenedNotInserted()
{
    QFETCH(QString, kind);

    QTemporaryDir folder;
    const QString package = folder.filePath(QStringLiteral("Some.tscript"));
    const QString fixture = folder.filePath(QStringLiteral("Some.tfixture"));
    QVERIFY(TestFiles::writeFile(package, QByteArray()));
    QVERIFY(TestFiles::writeFile(fixture, QByteArray()));

    const auto editor = openEditor(kind, QStringLiteral("script text"));
    const auto opened = editor->spyOnOpenRequests();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(package),
                  QUrl::fromLocalFile(folder.filePath(QStringLiteral("Missing.tscript"))),
                  QUrl::fromLocalFile(fixture)});
    data.setText(QStringLiteral("dropped text"));
    drop(editor->viewport(), data);

    QCOMPARE(opened->count(), 2);
    QCOMPARE(opened->at(0).at(0).toString(), package);
    QCOMPARE(opened->at(1).at(0).toString(), fixture);
    QCOMPARE(editor->text(), QStringLiteral("script text"));

    // Nothing that exists: nothing to open, and still nothing inserted.
    QMimeData missing;
    missing.setUrls({QUrl::fromLocalFile(folder.filePath(QStringLiteral("Missing.tscript")))});
    drop(editor->viewport(), missing);
    QCOMPARE(opened->count(), 2);
    QCOMPARE(editor->text(), QStringLiteral("script text"));
}

void tst_EditingContract::droppedTextIsInserted_data()
{
    droppedFilesAreOpenedNotInserted_data();
}

void tst_EditingContract::droppedTextIsInserted()
{
    QFETCH(QString, kind);

    const auto editor = openEditor(kind, QString());
    const auto opened = editor->spyOnOpenRequests();
    QMimeData data;
    data.setText(QStringLiteral("inserted"));
    drop(editor->viewport(), data);
    QCOMPARE(editor->text(), QStringLiteral("inserted"));
    QCOMPARE(opened->count(), 0);
}

TAVRIX_TEST_MAIN(tst_EditingContract)
#include "tst_editingcontract.moc"
