#pragma once

#include <QObject>

class QTextDocument;
class QTextEdit;
class QTimer;

// Lays the text of a text edit out in short steps. QTextEdit lays a large text out lazily from a
// timer, but doubles each step up to hundreds of thousands of characters, and such a step holds
// the window for hundreds of milliseconds; the pacer takes those steps over, sizes each to take
// about StepMs and lets the scroll bars follow the text laid out so far.
class LayoutPacer : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(LayoutPacer)

public:
    static constexpr int StepMs = 8;

    // The pacer is a child of `textEdit` and follows the document that it shows at construction.
    explicit LayoutPacer(QTextEdit *textEdit);

    // True while the end of the text is not laid out yet.
    bool isLayingOut() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOutStep();
    void contentsChanged(int from);

    QTextDocument *m_document;
    QTimer *m_nextStep;
    // The first line that may not be laid out yet.
    int m_front = 0;
    int m_linesPerStep = 64;
};
