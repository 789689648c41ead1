#include "layoutpacer.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>

namespace Scripter {

namespace {

bool isLaidOut(const QTextBlock &block)
{
    return block.layout() && block.layout()->lineCount() > 0;
}

} // namespace

LayoutPacer::LayoutPacer(QTextEdit *textEdit)
    : QObject(textEdit)
    , m_textEdit(textEdit)
    , m_document(textEdit->document())
    , m_nextStep(new QTimer(this))
{
    m_nextStep->setSingleShot(true);
    connect(m_nextStep, &QTimer::timeout, this, &LayoutPacer::layOutStep);
    connect(m_document, &QTextDocument::contentsChange, this, &LayoutPacer::contentsChanged);
    m_document->documentLayout()->installEventFilter(this);
}

void LayoutPacer::setWaitingFrom(std::function<int()> waitingFrom)
{
    m_waitingFrom = std::move(waitingFrom);
}

int LayoutPacer::colouringLimit()
{
    const QTextBlock first = m_layingOut && m_document ? front() : QTextBlock();
    if (!first.isValid()) {
        return -1;
    }
    const QTextBlock limit = m_document->findBlockByNumber(first.blockNumber() + ColourAheadLines);
    return limit.isValid() ? limit.position() : -1;
}

void LayoutPacer::formatsChanged(int from, int to)
{
    if (!m_document) {
        return;
    }
    m_formatted.add(from, to);
    // Marking the lines dirty hands the record to the layout, which lays them out again.
    const QTextBlock first = m_layingOut ? front() : QTextBlock();
    if (first.isValid()) {
        // While the text is still being laid out, the mark starts at the first line not laid
        // out, so that the layout lays out from there as one of its lazy steps, and reaches well
        // beyond where such a step ends: lines after the mark that are not laid out yet would be
        // taken as empty.
        from = qMin(m_formatted.from, first.position());
        const QTextBlock beyond =
            m_document->findBlockByNumber(first.blockNumber() + MarkAheadLines);
        to = qMax(m_formatted.to,
                  beyond.isValid() ? beyond.position() : m_document->characterCount());
    } else {
        // Once the whole text is laid out, each mark has the layout walk on to the end of the
        // text: the lines of short slices of colouring are joined until the colouring ends.
        const bool colouring = m_waitingFrom && m_waitingFrom() >= 0;
        // The record ends after its last line, which may be the end of the text.
        const int lines = m_document->findBlock(m_formatted.to - 1).blockNumber()
                          - m_document->findBlock(m_formatted.from).blockNumber() + 1;
        if (colouring && lines < JoinedLines) {
            return;
        }
        from = m_formatted.from;
        to = m_formatted.to;
    }
    m_formatted.clear();
    m_document->markContentsDirty(from, to - from);
}

bool LayoutPacer::eventFilter(QObject *watched, QEvent *event)
{
    // The document layout's timers only continue its lazy layout and report its size.
    if (event->type() != QEvent::Timer || !m_layingOut) {
        return QObject::eventFilter(watched, event);
    }
    if (!m_nextStep->isActive()) {
        m_nextStep->start(0);
    }
    return true;
}

void LayoutPacer::contentsChanged(int from, int removed, int added)
{
    // A whole new text is laid out from the top, lazily; any other change is laid out where it
    // happened, and lines before it stay as they were.
    const bool newText = from == 0 && removed == 0 && added == m_document->characterCount();
    // The edit lays out again the lines whose formats wait to be handed over.
    m_formatted.clear();
    if (newText) {
        m_front = 0;
        m_layingOut = true;
    } else if (m_layingOut) {
        m_front = qMin(m_front, m_document->findBlock(from).blockNumber());
    }
    if (m_layingOut && !m_nextStep->isActive()) {
        m_nextStep->start(0);
    }
}

QTextBlock LayoutPacer::front()
{
    QTextBlock block = m_document->findBlockByNumber(m_front);
    while (block.isValid() && isLaidOut(block)) {
        block = block.next();
    }
    m_front = block.isValid() ? block.blockNumber() : m_document->blockCount();
    return block;
}

void LayoutPacer::layOutStep()
{
    if (!m_document) {
        return;
    }
    const QTextBlock first = front();
    if (!first.isValid()) {
        m_layingOut = false;
        announceSize();
        return;
    }
    int last = qMin(m_front + m_linesPerStep, m_document->blockCount() - 1);
    const int waiting = m_waitingFrom ? m_waitingFrom() : -1;
    if (waiting >= 0) {
        last = qMin(last, m_document->findBlock(waiting).blockNumber() - 1);
    }
    if (last < m_front) {
        m_nextStep->start(StepMs);
        return;
    }
    const QTextBlock target = m_document->findBlockByNumber(last);
    QElapsedTimer clock;
    clock.start();
    // Asking where a line stands lays the text out up to it.
    m_document->documentLayout()->blockBoundingRect(target);
    const qint64 took = clock.elapsed();
    // The lazy layout lays out every line up to the one asked for, unless an edit stopped it.
    if (!isLaidOut(first)) {
        restartKeepingView();
    } else {
        if (took < StepMs / 2) {
            m_linesPerStep *= 2;
        } else if (took > StepMs) {
            m_linesPerStep = qMax(16, m_linesPerStep / 2);
        }
        announceSize();
    }
    m_nextStep->start(0);
}

void LayoutPacer::restartKeepingView()
{
    QScrollBar *vertical = m_textEdit->verticalScrollBar();
    QScrollBar *horizontal = m_textEdit->horizontalScrollBar();
    const int top = vertical->value();
    const int left = horizontal->value();
    const QRect view = m_textEdit->viewport()->rect();
    const int viewEnd = m_textEdit->cursorForPosition(view.bottomRight()).position();

    // Setting the page size again starts the lazy layout over from the top.
    m_document->setPageSize(m_document->pageSize());
    m_front = 0;
    // What is in view is laid out at once. Further down, the whole text is: edits come in runs,
    // and each would lay out again all that lies above the view.
    const QTextBlock laidOutTo =
        viewEnd <= RestartViewChars ? m_document->findBlock(viewEnd) : m_document->lastBlock();
    m_document->documentLayout()->blockBoundingRect(laidOutTo);
    announceSize();
    vertical->setValue(top);
    horizontal->setValue(left);
}

void LayoutPacer::announceSize()
{
    QAbstractTextDocumentLayout *layout = m_document->documentLayout();
    if (!m_layingOut) {
        emit layout->documentSizeChanged(layout->documentSize());
        return;
    }
    // The text edit takes its scroll range from the layout itself; the size given here is the
    // part laid out so far (asking the layout for its size would lay out the whole text).
    const QTextBlock lastLaidOut = m_document->findBlockByNumber(m_front - 1);
    const QRectF laidOut = layout->blockBoundingRect(lastLaidOut);
    emit layout->documentSizeChanged(QSizeF(laidOut.right(), laidOut.bottom()));
}

} // namespace Scripter
