#pragma once

#include "config.h"
#include "positionrange.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QTextCharFormat>
#include <QTextLayout>

#include <functional>

class QTextBlock;
class QTextDocument;
class QTextEdit;
class QTimer;

// Colours the text of a script editor with the Config styles: keywords from the list given by
// the language editor, comments, strings, numbers and operators. The comment and string syntax
// follows the editor's name: "VBScriptEditor" (' and Rem comments, "" inside strings),
// "AppleScriptEditor" (-- and # comments, nested (* *) blocks) or C-like for any other name.
//
// Colouring never holds the window up for long: after an edit the changed lines are coloured at
// once, and what a change leaves to colour beyond a short time (a large text that was set, a
// comment opened above many lines) is coloured in slices from the event loop, from the top; lines
// scrolled into view before that are coloured when shown, from the nearest state known above.
// Formats reach the text without marking it dirty: in a large document every dirty mark makes
// the document layout walk the whole text again. The document still records every line given
// formats outside an edit, and the next edit would lay out again all that it recorded at once;
// formatsChanged() tells whoever lays the text out to take that record over.
// The highlighter belongs to the text edit's document. GUI thread only.
class ScripterHighlighter : public QObject
{
    Q_OBJECT

public:
    // The longest that one slice of colouring takes.
    static constexpr int SliceMs = 8;

    // `keywords` is a space-separated list; matching ignores case except for C-like languages.
    ScripterHighlighter(QTextEdit *textEdit, const QString &name, const QString &keywords);

    // Re-reads the styles from Config and colours the whole text again.
    void updateStyles();

    // True while part of the text still waits to be coloured.
    bool isColouring() const { return !m_pending.isEmpty(); }
    // The text before this position is coloured in order; -1 when nothing waits.
    int waitingFrom() const { return m_pending.from; }
    // Slices colour the waiting part no further than the position that `limit` returns (-1: to
    // the end), so that formats come just ahead of the lines being laid out.
    void setColouringLimit(std::function<int()> limit);

signals:
    // The lines from `from` to `to` got new formats outside an edit.
    void formatsChanged(int from, int to);

private:
    enum class Syntax { VBScript, AppleScript, CLike };
    enum Element { Standard, Comment, String, Number, Keyword, Operator, ElementCount };

    struct Run
    {
        int start;
        int length;
        Element element;
    };

    void contentsChanged(int from, int removed, int added);
    // Colours the lines from the one at `from` through the one at `to`, and on while a line
    // leaves another state for the next; what does not fit into one slice waits.
    void colour(int from, int to);
    void colourWaitingPart();
    // Emits formatsChanged() for the lines given new formats since the last call.
    void reportFormatted();
    // Colours the lines in view that the waiting part has not reached yet.
    void colourShownLines();
    // Adds the lines from `from` to `to` to the waiting part and schedules the next slice.
    void wait(int from, int to);
    // Colours one line; returns its state for the next (the depth of open block comments),
    // which is kept in the line only when `keepState`.
    int colourBlock(QTextBlock block, int state, bool keepState = true);
    // Gives a line its formats; a line already laid out is laid out again where it stands.
    void applyFormats(const QTextBlock &block, const QList<QTextLayout::FormatRange> &ranges);
    // Has the document lay out again the lines whose new formats moved them.
    void layOutMovedLines();
    QList<Run> runs(const QString &text, int *depth) const;

    bool startsLineComment(const QString &text, int position) const;
    int blockCommentStartLength(const QString &text, int position) const;
    // Where the block comment that continues at `position` ends (or the line's length); updates
    // the nesting depth.
    int blockCommentEnd(const QString &text, int position, int &depth) const;
    int stringEnd(const QString &text, int position) const;
    void readFormats();

    QTextEdit *m_textEdit;
    QTextDocument *m_document;
    Syntax m_syntax;
    QSet<QString> m_keywords;
    QTextCharFormat m_formats[ElementCount];
    QTimer *m_nextSlice;
    std::function<int()> m_colouringLimit;
    // The waiting part: from its first line at least to its end.
    PositionRange m_pending;
    // The lines given new formats.
    PositionRange m_formatted;
    // The lines that new formats moved.
    PositionRange m_moved;
    bool m_applying = false; // our own format changes are no edits
};
