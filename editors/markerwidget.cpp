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
#include <QTextLayout>

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

    // The blocks above the viewport are skipped by halving: a long script has thousands.
    const QTextDocument *document = textEdit->document();
    const auto isAbove = [top](const QTextBlock &block) {
        const QTextLayout *layout = block.layout();
        // A block that is not laid out yet lies below everything shown.
        return layout && layout->lineCount() > 0
               && layout->position().y() + layout->boundingRect().height() < top;
    };
    int first = 0;
    int last = document->blockCount();
    while (first < last) {
        const int middle = first + (last - first) / 2;
        if (isAbove(document->findBlockByNumber(middle))) {
            first = middle + 1;
        } else {
            last = middle;
        }
    }

    QList<LineNumber> numbers;
    int number = first + 1;
    for (QTextBlock block = document->findBlockByNumber(first); block.isValid();
         block = block.next(), ++number) {
        const QTextLayout *layout = block.layout();
        const qreal y = layout->position().y();
        if (y + layout->boundingRect().height() < top) {
            continue;
        }
        if (y > bottom) {
            break;
        }
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
