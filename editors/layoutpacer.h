#pragma once

#include "qsa/positionrange.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QTextBlock;
class QTextDocument;
class QTextEdit;
class QTimer;

namespace Scripter {

// Lays the text of a text edit out in short steps. QTextEdit lays a large text out lazily from a
// timer, but doubles each step up to hundreds of thousands of characters, and such a step holds
// the window for hundreds of milliseconds; the pacer takes those steps over, sizes each to take
// about StepMs and lets the scroll bars follow the text laid out so far.
//
// An edit while the text is being laid out makes the document layout take the lines not laid
// out yet as empty and stop: the rest of the text would never be shown. The pacer then has the
// layout start again from the top and keeps the view where it was: with the view near the top
// it lays out what is in view and paces on, further down it lays out the whole text at once.
//
// The document records the lines given formats outside an edit as changed, and the next edit
// lays out again at once everything recorded since the last: after a large text was coloured,
// the first key typed would hold the window for seconds. The pacer hands each such record to
// the layout as it comes. Handing one over costs a walk over the lines from the first one not
// laid out to the last one coloured, so colouring is kept only a little ahead of the layout.
class LayoutPacer : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(LayoutPacer)

public:
    static constexpr int StepMs = 8;
    // After an edit with the view ending within this many characters from the top, the layout
    // starts over and is paced again; with the view further down, the text is laid out at once.
    static constexpr int RestartViewChars = 16 * 1024;
    // A lazy layout step ends at one of the marks the layout keeps every 2000 pixels; this many
    // lines span several of them in any font.
    static constexpr int MarkAheadLines = 2000;
    // Colouring goes at most this many lines ahead of the layout.
    static constexpr int ColourAheadLines = 2 * MarkAheadLines;
    // Once the text is laid out, new formats are handed over in runs of about this many lines.
    static constexpr int JoinedLines = 1000;

    // The pacer is a child of `textEdit` and follows the document that it shows at construction.
    explicit LayoutPacer(QTextEdit *textEdit);

    // True until the whole text is laid out.
    bool isLayingOut() const { return m_layingOut; }
    // Steps lay out no line at or after the position that `waitingFrom` returns (-1: none), where
    // the colouring has not come yet: a line coloured after it was laid out is laid out again.
    void setWaitingFrom(std::function<int()> waitingFrom);
    // Where colouring ahead of the layout stops for now; -1 once the whole text is laid out.
    int colouringLimit();
    // The lines from `from` to `to` got new formats outside an edit.
    void formatsChanged(int from, int to);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void contentsChanged(int from, int removed, int added);
    void layOutStep();
    // The first line not laid out, searched from m_front on; invalid when every line is.
    QTextBlock front();
    // Has the document layout start again after an edit left it stopped short of the end.
    void restartKeepingView();
    // Lets the text edit fit its scroll bars to what is laid out so far.
    void announceSize();

    QTextEdit *m_textEdit;
    QPointer<QTextDocument> m_document;
    QTimer *m_nextStep;
    std::function<int()> m_waitingFrom;
    // The lines whose new formats wait to be handed over.
    PositionRange m_formatted;
    // No line before this one waits to be laid out.
    int m_front = 0;
    int m_linesPerStep = 64;
    bool m_layingOut = false;
};

} // namespace Scripter
