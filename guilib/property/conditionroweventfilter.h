#pragma once

#include <QObject>

namespace GuiLib {

class ConditionRow;

// Selects a condition row when the mouse is pressed on any of its widgets.
class ConditionRowEventFilter : public QObject
{
    Q_OBJECT

public:
    explicit ConditionRowEventFilter(ConditionRow *row);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ConditionRow *m_row;
};

} // namespace GuiLib
