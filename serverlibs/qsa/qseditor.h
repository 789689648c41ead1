#pragma once

#include <QPointer>
#include <QWidget>

#include <utility>

class QLabel;
class QSCompletionApis;
class QSInterpreter;
class QStatusBar;
class QsciLexerJavaScript;
class QsciScintilla;

// The JavaScript editing widget: a QScintilla text editor with JavaScript colouring, line
// numbers, brace matching, automatic indentation, completion and call tips for the scripting
// objects, and a status bar whose permanent label shows the cursor's line and column. The
// settings come from Config (readSettings()). Lines and columns given to and shown by it are
// 1-based.
//
// Dropped URLs are not inserted as text: the editor reports the local files that exist with
// filesDropped(), for the application to open. Other drops are inserted as usual.
class QSEditor : public QWidget
{
    Q_OBJECT

public:
    explicit QSEditor(QWidget *parent = nullptr, const char *name = nullptr);
    QSEditor(const QSEditor &) = delete;
    QSEditor &operator=(const QSEditor &) = delete;
    ~QSEditor() override;

    QString text() const;
    // Replaces the whole text; undo history and modified state start afresh, so setting a text
    // leaves nothing to undo.
    void setText(const QString &text);

    bool isUndoAvailable() const;
    bool isRedoAvailable() const;

    // Selects the next match of `expr`. The search starts at the document's start (forward) or
    // end (backward), or with `startAtCursor` at the selection's end (forward) or start
    // (backward). Returns false and
    // leaves the cursor as it was when there is no match.
    bool find(const QString &expr, bool caseSensitive, bool wholeWords, bool forward,
              bool startAtCursor);
    // Replaces the match that find() would select. With `replaceAll` it replaces every match in
    // the document instead, from its start, in one undo step; the search goes on after each
    // inserted text, so a replacement that contains `expr` is not replaced again. Gives the
    // editor the focus; always returns true.
    bool replace(const QString &expr, const QString &replacement, bool caseSensitive,
                 bool wholeWords, bool forward, bool startAtCursor, bool replaceAll);
    // Puts the cursor at the start of `line` and returns true; returns false and leaves the
    // cursor as it was when there is no such line.
    bool gotoLine(int line);

    // Applies the Config styles and editing options.
    void readSettings();

    QStatusBar *statusBar() const { return m_statusBar; }
    QsciScintilla *textEdit() const { return m_textEdit; }

    // Completion offers the interpreter's objects and classes and the members of `context`.
    // Neither is owned; either may be null.
    void setInterpreter(QSInterpreter *interpreter, QObject *context);
    QSInterpreter *interpreter() const;

public slots:
    void undo();
    void redo();
    void cut();
    void copy();
    void paste();

signals:
    void textChanged();
    // Sent when the availability changes, as QTextEdit sends them.
    void undoAvailable(bool available);
    void redoAvailable(bool available);
    // The existing local files among dropped URLs, in the order dropped.
    void filesDropped(const QStringList &paths);

private:
    // The byte range of the first match of `needle` from `from` towards `to` (backward when
    // `to` < `from`); start -1 when there is none.
    std::pair<long, long> search(const QByteArray &needle, long from, long to, int flags) const;
    void updateUndoRedo();
    void updatePosition(int line, int index);
    void updateMarginWidth();

    QsciScintilla *m_textEdit;
    QsciLexerJavaScript *m_lexer;   // child of m_textEdit
    QSCompletionApis *m_completion; // child of m_lexer
    QStatusBar *m_statusBar;
    QLabel *m_positionLabel; // in m_statusBar
    QPointer<QSInterpreter> m_interpreter;
    bool m_settingText = false;
    bool m_undoAvailable = false;
    bool m_redoAvailable = false;
};
