#include "scriptdocumentlayout.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTimer>

#include <climits>
#include <cmath>

namespace Scripter {

namespace {

bool isLaidOut(const QTextBlock &block)
{
    return block.layout()->lineCount() > 0;
}

// What the layout's owner asked to mark within `block`: selections and full-width lines.
QList<QTextLayout::FormatRange>
selectionsIn(const QTextBlock &block,
             const QList<QAbstractTextDocumentLayout::Selection> &selections)
{
    QList<QTextLayout::FormatRange> ranges;
    const int position = block.position();
    const int length = block.length();
    for (const QAbstractTextDocumentLayout::Selection &selection : selections) {
        const int start = selection.cursor.selectionStart() - position;
        const int end = selection.cursor.selectionEnd() - position;
        if (start < length && end > 0 && end > start) {
            ranges.append({start, end - start, selection.format});
        } else if (!selection.cursor.hasSelection()
                   && selection.format.hasProperty(QTextFormat::FullWidthSelection)
                   && block.contains(selection.cursor.position())) {
            // A full-width selection marks the line of its cursor.
            const QTextLine line =
                block.layout()->lineForTextPosition(selection.cursor.position() - position);
            const bool lastLine = line.textStart() + line.textLength() == length - 1;
            ranges.append(
                {line.textStart(), line.textLength() + (lastLine ? 1 : 0), selection.format});
        }
    }
    return ranges;
}

} // namespace

ScriptDocumentLayout::ScriptDocumentLayout(QTextDocument *document)
    : QAbstractTextDocumentLayout(document)
    , m_nextStep(new QTimer(this))
{
    m_nextStep->setSingleShot(true);
    connect(m_nextStep, &QTimer::timeout, this, &ScriptDocumentLayout::layOutStep);
    document->setDocumentLayout(this);
}

bool ScriptDocumentLayout::isLayingOut() const
{
    return m_front < document()->blockCount();
}

void ScriptDocumentLayout::setWaitingFrom(std::function<int()> waitingFrom)
{
    m_waitingFrom = std::move(waitingFrom);
}

void ScriptDocumentLayout::setCursorWidth(int width)
{
    m_cursorWidth = width;
}

void ScriptDocumentLayout::draw(QPainter *painter, const PaintContext &context)
{
    const QRectF clip = context.clip.isValid() ? context.clip : QRectF(QPointF(), documentSize());
    painter->setPen(context.palette.color(QPalette::Text));
    for (QTextBlock block = blockAt(clip.top()); block.isValid(); block = block.next()) {
        ensureLaidOut(block);
        QTextLayout *layout = block.layout();
        if (layout->position().y() > clip.bottom()) {
            break;
        }
        layout->draw(painter, QPointF(), selectionsIn(block, context.selections), clip);
        const int position = block.position();
        if (context.cursorPosition >= position
            && context.cursorPosition < position + block.length()) {
            layout->drawCursor(painter, QPointF(), context.cursorPosition - position,
                               m_cursorWidth);
        } else if (context.cursorPosition < -1 && !layout->preeditAreaText().isEmpty()) {
            // An input method composing text puts the cursor into its preedit text.
            layout->drawCursor(painter, QPointF(),
                               layout->preeditAreaPosition() - (context.cursorPosition + 2),
                               m_cursorWidth);
        }
    }
    // Lines laid out now for the first time may have changed the size of the text; the scroll
    // bars learn it after the paint.
    if (m_movedFrom >= 0 || documentSize() != m_reportedSize) {
        m_nextStep->start(0);
    }
}

int ScriptDocumentLayout::hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const
{
    const QTextBlock block = blockAt(point.y());
    const QTextLayout *layout = block.layout();
    const QPointF inBlock = point - layout->position();
    QTextLine line = layout->lineAt(layout->lineCount() - 1);
    for (int i = 0; i < layout->lineCount(); ++i) {
        if (inBlock.y() < layout->lineAt(i).rect().bottom()) {
            line = layout->lineAt(i);
            break;
        }
    }
    if (accuracy == Qt::ExactHit && !line.naturalTextRect().contains(inBlock)) {
        return -1;
    }
    return block.position() + line.xToCursor(inBlock.x());
}

int ScriptDocumentLayout::pageCount() const
{
    return 1;
}

QSizeF ScriptDocumentLayout::documentSize() const
{
    const qreal margins = 2 * document()->documentMargin();
    return {m_extents.maximumWidth() + margins, m_extents.totalHeight() + margins};
}

QRectF ScriptDocumentLayout::frameBoundingRect(QTextFrame *frame) const
{
    return frame == document()->rootFrame() ? QRectF(QPointF(), documentSize()) : QRectF();
}

QRectF ScriptDocumentLayout::blockBoundingRect(const QTextBlock &block) const
{
    if (!block.isValid() || block.document() != document()) {
        return {};
    }
    ensureLaidOut(block);
    const int line = block.blockNumber();
    const qreal width =
        qMax(m_extents.width(line) + m_cursorWidth, qreal(document()->pageSize().width()));
    return {block.layout()->position(), QSizeF(width, m_extents.height(line))};
}

void ScriptDocumentLayout::documentChanged(int from, int removed, int added)
{
    QTextDocument *document = this->document();
    // A new page size, default font or text option comes as a change of the whole text that
    // leaves its lines as they were; no edit changes the text's last line end.
    if (from == 0 && removed == 0 && added == document->characterCount()
        && m_extents.count() == document->blockCount()) {
        const bool newPageSize = document->pageSize() != m_pageSize;
        m_pageSize = document->pageSize();
        if (newPageSize && lineWidth() == m_lineWidth) {
            emit update();
        } else {
            forgetLines();
        }
        return;
    }
    m_pageSize = document->pageSize();

    const int end = document->characterCount() - 1;
    const QTextBlock first = document->findBlock(qBound(0, from, end));
    const QTextBlock last = document->findBlock(qBound(0, from + added - 1, end));
    const int firstLine = first.blockNumber();
    const int addedLines = qMax(firstLine, last.blockNumber()) - firstLine + 1;
    const int removedLines = addedLines + m_extents.count() - document->blockCount();
    if (removedLines < 0 || firstLine + removedLines > m_extents.count()) {
        // The change does not tell where lines came or went.
        forgetLines();
        return;
    }
    m_extents.replace(firstLine, removedLines, addedLines, typicalLineHeight());
    // The text of the changed lines, or their formats, no longer match their layouts.
    QTextBlock block = first;
    for (int i = 0; i < addedLines && block.isValid(); ++i, block = block.next()) {
        block.clearLayout();
    }
    m_front = qMin(m_front, firstLine);
    const qreal top = document->documentMargin() + m_extents.top(firstLine);
    const qreal height = removedLines == addedLines
                             ? m_extents.top(firstLine + addedLines) - m_extents.top(firstLine)
                             : qreal(INT_MAX);
    emit update(QRectF(0, top, INT_MAX, height));
    reportChanges();
    m_nextStep->start(0);
}

QTextBlock ScriptDocumentLayout::blockAt(qreal y) const
{
    keepInStep();
    const int line = m_extents.lineAt(int(std::floor(y - document()->documentMargin())));
    const QTextBlock block = document()->findBlockByNumber(line);
    ensureLaidOut(block);
    return block;
}

void ScriptDocumentLayout::ensureLaidOut(const QTextBlock &block) const
{
    keepInStep();
    if (!isLaidOut(block)) {
        layOut(block);
    }
    const qreal margin = document()->documentMargin();
    block.layout()->setPosition(QPointF(margin, margin + m_extents.top(block.blockNumber())));
}

void ScriptDocumentLayout::layOut(const QTextBlock &block) const
{
    QTextLayout *layout = block.layout();
    layout->setTextOption(document()->defaultTextOption());
    const qreal width = lineWidth();
    m_lineWidth = width;
    int height = 0;
    qreal naturalWidth = 0;
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        // Whole pixels, as Qt's own document layout steps from line to line.
        height += int(std::ceil(line.ascent() + line.descent() + line.leading()));
        naturalWidth = qMax(naturalWidth, line.naturalTextWidth());
    }
    layout->endLayout();

    const int number = block.blockNumber();
    if (height != m_extents.height(number)) {
        m_movedFrom = m_movedFrom < 0 ? number : qMin(m_movedFrom, number);
    }
    m_extents.set(number, height, naturalWidth);
    if (layout->lineCount() == 1) {
        m_lastLineHeight = height;
    }
}

void ScriptDocumentLayout::layOutStep()
{
    QTextDocument *document = this->document();
    const int waiting = m_waitingFrom ? m_waitingFrom() : -1;
    const int end =
        waiting >= 0 ? document->findBlock(waiting).blockNumber() : document->blockCount();
    QElapsedTimer clock;
    clock.start();
    QTextBlock block = document->findBlockByNumber(m_front);
    while (block.isValid() && m_front < end && clock.elapsed() < StepMs) {
        if (!isLaidOut(block)) {
            layOut(block);
        }
        block = block.next();
        ++m_front;
    }
    if (!block.isValid()) {
        m_front = document->blockCount();
    }
    reportChanges();
    if (isLayingOut()) {
        // Lines that the colouring has not reached wait for it.
        m_nextStep->start(m_front < end ? 0 : StepMs);
    }
}

void ScriptDocumentLayout::keepInStep() const
{
    // Asked while the document reports a change to its handlers, before it reports it to the
    // layout, the extents may no longer match the lines.
    if (m_extents.count() != document()->blockCount()) {
        forgetLines();
    }
}

void ScriptDocumentLayout::forgetLines() const
{
    const QTextDocument *document = this->document();
    m_extents.replace(0, m_extents.count(), document->blockCount(), typicalLineHeight());
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        block.clearLayout();
    }
    m_front = 0;
    m_movedFrom = 0;
    m_nextStep->start(0);
}

void ScriptDocumentLayout::reportChanges()
{
    if (m_movedFrom >= 0) {
        const qreal top = document()->documentMargin() + m_extents.top(m_movedFrom);
        m_movedFrom = -1;
        emit update(QRectF(0, top, INT_MAX, INT_MAX));
    }
    const QSizeF size = documentSize();
    if (size != m_reportedSize) {
        m_reportedSize = size;
        emit documentSizeChanged(size);
    }
}

qreal ScriptDocumentLayout::lineWidth() const
{
    const QTextDocument *document = this->document();
    const qreal pageWidth = document->pageSize().width();
    if (document->defaultTextOption().wrapMode() == QTextOption::NoWrap || pageWidth <= 0) {
        return INT_MAX;
    }
    return qMax(qreal(0), pageWidth - 2 * document->documentMargin());
}

int ScriptDocumentLayout::typicalLineHeight() const
{
    if (m_lastLineHeight > 0) {
        return m_lastLineHeight;
    }
    const QFontMetricsF metrics(document()->defaultFont());
    return int(std::ceil(metrics.ascent() + metrics.descent() + metrics.leading()));
}

} // namespace Scripter
