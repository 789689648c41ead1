#include "sfindtext.h"

#include "editors/searchoptions.h"

#include <QComboBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace Ui {

SFindText::SFindText(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Find Text"));
    setWindowIcon(QIcon(QStringLiteral(":/Images/Ui_scripter/img_FindText.png")));
    setSizeGripEnabled(true);

    auto *label = new QLabel(tr("Find:"), this);
    m_findCombo = new QComboBox(this);
    m_findCombo->setEditable(true);
    m_findCombo->setInsertPolicy(QComboBox::InsertAtTop);
    m_findCombo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    label->setBuddy(m_findCombo);
    m_options = new Scripter::SearchOptions(this);

    m_findButton = new QPushButton(tr("Find"), this);
    m_findButton->setDefault(true);
    m_closeButton = new QPushButton(tr("Close"), this);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::close);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_findButton);
    buttons->addWidget(m_closeButton);
    buttons->addStretch();

    auto *layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_findCombo, 0, 1);
    layout->addWidget(m_options, 1, 0, 1, 2);
    layout->addLayout(buttons, 0, 2, 2, 1);
    layout->setRowStretch(2, 1);

    resize(QSize(281, 193).expandedTo(minimumSizeHint()));
}

QComboBox *SFindText::findCombo() const
{
    return m_findCombo;
}

Scripter::SearchOptions *SFindText::options() const
{
    return m_options;
}

QPushButton *SFindText::findButton() const
{
    return m_findButton;
}

QPushButton *SFindText::closeButton() const
{
    return m_closeButton;
}

} // namespace Ui
