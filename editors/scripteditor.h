#pragma once

#include <QStringList>
#include <QWidget>

class MarkerWidget;
class ScripterHighlighter;
class QLabel;
class QStatusBar;

namespace Scripter {

class ScriptDocumentLayout;
class ScrTextEdit;

// Common base of the VBScript and AppleScript editors: a text edit with a line-number gutter and
// a status bar whose permanent label shows the cursor's line and column. The main window drives
// undo, redo and the clipboard directly on textEdit() and its document, and find, replace and go
// to line through the operations below.
class ScriptEditor : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ScriptEditor)

public:
    explicit ScriptEditor(QWidget *parent = nullptr);

    QString text() const;
    // Replaces the whole script; the undo history starts afresh.
    void setText(const QString &text);
    ScrTextEdit *textEdit() const;
    QStatusBar *statusBar() const;
    bool hasSelectedText() const;

    // Selects the next match of `expr` and returns true, or returns false and changes nothing
    // (also for an empty `expr`).
    // Without `startAtCursor` the search starts at the top of the document (forward) or at its
    // end (backward); with it, after the selection (forward) or before it (backward).
    bool find(const QString &expr, bool caseSensitive, bool wholeWords, bool forward,
              bool startAtCursor);
    // Replaces the match that find() selects; with `replaceAll` also every other match in the
    // document. Text that a replacement inserted is not searched again. Always returns true.
    bool replace(const QString &expr, const QString &replacement, bool caseSensitive,
                 bool wholeWords, bool forward, bool startAtCursor, bool replaceAll);
    // Puts the cursor at the start of the 1-based `line`; false, changing nothing, when there is
    // no such line.
    bool gotoLine(int line);

public slots:
    // Applies the editor settings of Config.
    virtual void readSettings() = 0;
    // The names of the functions that the script defines.
    virtual QStringList functions() const = 0;
    void cursorPositionChanged();

signals:
    // The document's modified flag changed.
    void scriptChanged();
    // A file was dropped onto the text; the application opens it as a package or fixture.
    void openFileRequested(const QString &path);

protected:
    // The entry points that a VBScript or AppleScript may define, with the arguments the run time
    // passes, ";"-separated: the completion list of both editors.
    static QString entryPointSignatures();
    // Tab stops every Config::indentTabSize() widths of "x" in the "Standard" style font.
    void applyTabStopWidth();
    // The text is laid out behind the colouring of `highlighter`, which colours the text edit:
    // a line coloured after it was laid out is laid out again.
    void layOutBehind(ScripterHighlighter *highlighter);

private:
    ScrTextEdit *m_textEdit;
    ScriptDocumentLayout *m_layout; // owned by the text edit's document
    MarkerWidget *m_markerWidget;
    QLabel *m_positionLabel;
    QStatusBar *m_statusBar;
};

} // namespace Scripter
