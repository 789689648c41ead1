#include "precedencesection.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace GuiLib {

PrecedenceSection::PrecedenceSection(QWidget *parent)
    : QWidget(parent)
    , m_buttons(new QButtonGroup(this))
{
    auto *orFirst = new QRadioButton(tr("OR then AND   (A OR B) AND C"), this);
    auto *andFirst = new QRadioButton(tr("AND then OR   A OR (B AND C)"), this);
    orFirst->setObjectName(QStringLiteral("orThenAnd"));
    andFirst->setObjectName(QStringLiteral("andThenOr"));
    m_buttons->addButton(orFirst, 0);
    m_buttons->addButton(andFirst, 1);
    m_buttons->setExclusive(true);
    andFirst->setChecked(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Operator precedence:"), this));
    layout->addWidget(orFirst);
    layout->addWidget(andFirst);
    layout->addStretch();
    connect(m_buttons, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) {
            emit precedenceChanged();
        }
    });
}

int PrecedenceSection::precedence() const
{
    return m_buttons->checkedId();
}

void PrecedenceSection::setPrecedence(int precedence)
{
    if (QAbstractButton *button = m_buttons->button(precedence)) {
        const QSignalBlocker blocker(m_buttons);
        button->setChecked(true);
    }
}

} // namespace GuiLib
