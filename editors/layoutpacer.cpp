#include "layoutpacer.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>

namespace {

bool isLaidOut(const QTextBlock &block)
{
    return block.layout() && block.layout()->lineCount() > 0;
}

} // namespace

LayoutPacer::LayoutPacer(QTextEdit *textEdit)
    : QObject(textEdit)
    , m_document(textEdit->document())
    , m_nextStep(new QTimer(this))
{
    m_nextStep->setSingleShot(true);
    connect(m_nextStep, &QTimer::timeout, this, &LayoutPacer::layOutStep);
    connect(m_document, &QTextDocument::contentsChange, this, &LayoutPacer::contentsChanged);
    m_document->documentLayout()->installEventFilter(this);
}

bool LayoutPacer::isLayingOut() const
{
    return !isLaidOut(m_document->lastBlock());
}

bool LayoutPacer::eventFilter(QObject *watched, QEvent *event)
{
    // The document layout's timer only ever continues the lazy layout.
    if (event->type() != QEvent::Timer || !isLayingOut()) {
        return QObject::eventFilter(watched, event);
    }
    if (!m_nextStep->isActive()) {
        m_nextStep->start(0);
    }
    return true;
}

void LayoutPacer::contentsChanged(int from)
{
    m_front = qMin(m_front, m_document->findBlock(from).blockNumber());
}

void LayoutPacer::layOutStep()
{
    QTextBlock front = m_document->findBlockByNumber(m_front);
    while (front.isValid() && isLaidOut(front)) {
        front = front.next();
    }
    if (!front.isValid()) {
        m_front = m_document->blockCount() - 1;
        return;
    }
    m_front = front.blockNumber();
    const int target = qMin(m_front + m_linesPerStep, m_document->blockCount() - 1);
    QAbstractTextDocumentLayout *layout = m_document->documentLayout();
    QElapsedTimer clock;
    clock.start();
    // Asking where a line stands lays the text out up to it.
    layout->blockBoundingRect(m_document->findBlockByNumber(target));
    const qint64 took = clock.elapsed();
    if (took < StepMs / 2) {
        m_linesPerStep *= 2;
    } else if (took > StepMs) {
        m_linesPerStep = qMax(16, m_linesPerStep / 2);
    }
    emit layout->documentSizeChanged(layout->documentSize());
    if (isLayingOut()) {
        m_nextStep->start(0);
    }
}
