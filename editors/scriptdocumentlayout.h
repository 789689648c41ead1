#pragma once

#include "editors/lineextents.h"

#include <QAbstractTextDocumentLayout>

#include <functional>

class QTimer;

namespace Scripter {

// Lays out the plain text of a script editor: one block per line, in the document's default text
// option, without frames, tables or pages. Qt's own document layout moves every line below a
// change, and every new format is such a change: colouring a large script again after an edit held
// the window for hundreds of milliseconds. This layout keeps the extents of the lines apart, so a
// change costs the lines that it touches.
//
// A line is laid out when it is first shown or asked for; the rest is laid out in short steps from
// the event loop, behind the colouring, and until then counts with the height of a typical line.
// Lines given new formats must be marked dirty (QTextDocument::markContentsDirty) to be laid out
// again. GUI thread only; the document owns the layout.
class ScriptDocumentLayout : public QAbstractTextDocumentLayout
{
    Q_OBJECT
    Q_DISABLE_COPY(ScriptDocumentLayout)
    // QTextEdit reads and sets the cursor width through this property.
    Q_PROPERTY(int cursorWidth READ cursorWidth WRITE setCursorWidth)

public:
    // The longest that one step of laying out takes.
    static constexpr int StepMs = 8;

    // Sets itself as the layout of `document`.
    explicit ScriptDocumentLayout(QTextDocument *document);

    // True until every line is laid out.
    bool isLayingOut() const;
    // Steps lay out no line at or after the position that `waitingFrom` returns (-1: none), where
    // colouring has not come yet: a line coloured after it was laid out is laid out again.
    void setWaitingFrom(std::function<int()> waitingFrom);

    int cursorWidth() const { return m_cursorWidth; }
    void setCursorWidth(int width);

    void draw(QPainter *painter, const PaintContext &context) override;
    int hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override;
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame *frame) const override;
    QRectF blockBoundingRect(const QTextBlock &block) const override;

protected:
    void documentChanged(int from, int removed, int added) override;

private:
    // The line at `y` in document coordinates, laid out; never invalid, as a document has a line.
    QTextBlock blockAt(qreal y) const;
    // Lays out `block` if it is not, and puts it where it stands now.
    void ensureLaidOut(const QTextBlock &block) const;
    void layOut(const QTextBlock &block) const;
    void layOutStep();
    // Has every line laid out again, after something that all of them depend on changed.
    void forgetLines() const;
    void keepInStep() const;
    // Repaints the lines that moved and hands on a new size of the text.
    void reportChanges();
    qreal lineWidth() const;
    // The height given to lines not laid out yet: that of the last line laid out on its own, or
    // of a line in the document's default font.
    int typicalLineHeight() const;

    QTimer *m_nextStep;
    std::function<int()> m_waitingFrom;
    mutable LineExtents m_extents;
    // No line before this one waits to be laid out.
    mutable int m_front = 0;
    // The first line whose extents changed since the last repaint of what moved; -1 for none.
    mutable int m_movedFrom = -1;
    mutable int m_lastLineHeight = 0;
    // The width that every line was last laid out in.
    mutable qreal m_lineWidth = 0;
    QSizeF m_reportedSize;
    QSizeF m_pageSize;
    int m_cursorWidth = 1;
};

} // namespace Scripter
