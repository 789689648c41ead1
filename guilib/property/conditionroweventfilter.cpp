#include "conditionroweventfilter.h"

#include "conditionrow.h"

#include <QEvent>

namespace GuiLib {

ConditionRowEventFilter::ConditionRowEventFilter(ConditionRow *row)
    : QObject(row)
    , m_row(row)
{}

bool ConditionRowEventFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn) {
        m_row->select();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace GuiLib
