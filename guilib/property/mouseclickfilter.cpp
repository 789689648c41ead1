#include "mouseclickfilter.h"

#include "propertiesexplorerdelegate.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace GuiLib {

namespace {
constexpr int ReopenDelayMs = 150;
}

MouseClickFilter::MouseClickFilter(QAbstractItemView *view)
    : QObject(view)
    , m_view(view)
{
    view->viewport()->installEventFilter(this);
}

bool MouseClickFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonDblClick || watched != m_view->viewport()
        || !m_view->viewport()->isEnabled()) {
        return false;
    }
    auto *delegate = qobject_cast<PropertiesExplorerDelegate *>(m_view->itemDelegate());
    if (!delegate) {
        return false;
    }
    QTimer::singleShot(ReopenDelayMs, delegate, [delegate] { emit delegate->invokeLastEditor(); });
    return true;
}

} // namespace GuiLib
