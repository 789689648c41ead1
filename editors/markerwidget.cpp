#include "markerwidget.h"

#include "editors/scripteditor.h"
#include "editors/scrtextedit.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include <cmath>

MarkerWidget::MarkerWidget(Scripter::ScriptEditor *editor)
    : QWidget(editor)
    , m_editor(editor)
{}

QList<MarkerWidget::LineNumber> MarkerWidget::visibleLineNumbers() const
{
    const Scripter::ScrTextEdit *textEdit = m_editor->textEdit();
    const int top = textEdit->verticalScrollBar()->value();
    const int bottom = top + textEdit->viewport()->height();
    const QFontMetrics metrics = fontMetrics();
    const int ascent = metrics.ascent() + 1;

    const QTextDocument *document = textEdit->document();
    const QAbstractTextDocumentLayout *layout = document->documentLayout();
    QTextBlock block = document->findBlock(layout->hitTest(QPointF(0, top), Qt::FuzzyHit));
    QList<LineNumber> numbers;
    for (int number = block.blockNumber() + 1; block.isValid(); block = block.next(), ++number) {
        const QRectF rect = layout->blockBoundingRect(block);
        if (rect.bottom() < top) {
            continue;
        }
        if (rect.top() > bottom) {
            break;
        }
        const qreal y = rect.top();
        const QString text = QString::number(number);
        // std::lround rounds halves away from zero, as the layout positions need.
        const int baseline = int(std::lround(y)) - top + ascent;
        numbers.append({number, QPoint(width() - metrics.horizontalAdvance(text), baseline)});
    }
    return numbers;
}

void MarkerWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    for (const LineNumber &line : visibleLineNumbers()) {
        painter.drawText(line.baseline, QString::number(line.number));
    }
}

void MarkerWidget::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void MarkerWidget::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
}
