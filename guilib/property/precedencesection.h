#pragma once

#include <QWidget>

class QButtonGroup;

namespace GuiLib {

// Chooses how a condition that mixes AND and OR groups: "OR then AND" ((A OR B) AND C) or
// "AND then OR" (A OR (B AND C)). The checked button's index is the stored precedence.
class PrecedenceSection : public QWidget
{
    Q_OBJECT

public:
    explicit PrecedenceSection(QWidget *parent = nullptr);

    int precedence() const;
    void setPrecedence(int precedence);

signals:
    void precedenceChanged();

private:
    QButtonGroup *m_buttons;
};

} // namespace GuiLib
