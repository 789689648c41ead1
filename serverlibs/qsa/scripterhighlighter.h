#pragma once

#include "config.h"
#include "positionrange.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QTextCharFormat>
#include <QTextLayout>

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
// The lines given new formats are marked dirty once per slice, so that the document lays them out
// again: with a layout that moves every line below a change, as Qt's own does, colouring a large
// text in slices costs a walk over the text per slice.
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
    // Marks the lines given new formats since the last call dirty.
    void markFormattedLines();
    // Colours the lines in view that the waiting part has not reached yet.
    void colourShownLines();
    // Adds the lines from `from` to `to` to the waiting part and schedules the next slice.
    void wait(int from, int to);
    // Colours one line; returns its state for the next (the depth of open block comments),
    // which is kept in the line only when `keepState`.
    int colourBlock(QTextBlock block, int state, bool keepState = true);
    void applyFormats(const QTextBlock &block, const QList<QTextLayout::FormatRange> &ranges);
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
    // The waiting part: from its first line at least to its end.
    PositionRange m_pending;
    // The lines given new formats.
    PositionRange m_formatted;
};
