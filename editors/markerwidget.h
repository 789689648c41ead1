#pragma once

#include <QList>
#include <QPoint>
#include <QWidget>

namespace Scripter {
class ScriptEditor;
}

// The line-number gutter at the left of a script editor. It draws the numbers of the blocks that
// are visible in the editor's text edit and consumes clicks and context-menu requests.
class MarkerWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MarkerWidget)

public:
    // One number as it is drawn: `baseline` is the left end of the text's baseline.
    struct LineNumber
    {
        int number = 0;
        QPoint baseline;
    };

    // `editor` is also the parent and outlives the gutter.
    explicit MarkerWidget(Scripter::ScriptEditor *editor);

    // The numbers of the blocks visible at the editor's current scroll position, top to bottom,
    // right-aligned to the gutter's width.
    QList<LineNumber> visibleLineNumbers() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    Scripter::ScriptEditor *m_editor;
};
