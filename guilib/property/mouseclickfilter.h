#pragma once

#include <QObject>

class QAbstractItemView;

namespace GuiLib {

// Turns a double click on the properties explorer's viewport into a request to the open
// editor to reopen its last value dialog. The request follows 150 ms later, so that the
// editor opened by the first click is in place; the double click itself is consumed.
class MouseClickFilter : public QObject
{
    Q_OBJECT

public:
    // Becomes a child of `view` and watches its viewport.
    explicit MouseClickFilter(QAbstractItemView *view);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAbstractItemView *m_view;
};

} // namespace GuiLib
