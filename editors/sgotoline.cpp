#include "sgotoline.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace Ui {

SGotoLine::SGotoLine(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Goto Line"));
    setSizeGripEnabled(true);

    auto *label = new QLabel(tr("Line:"), this);
    m_lineSpinBox = new QSpinBox(this);
    m_lineSpinBox->setRange(0, 9999);
    m_lineSpinBox->setValue(1);
    label->setBuddy(m_lineSpinBox);

    m_gotoButton = new QPushButton(tr("Goto"), this);
    m_gotoButton->setDefault(true);
    m_closeButton = new QPushButton(tr("Close"), this);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::close);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_lineSpinBox, 1);
    layout->addWidget(m_gotoButton);
    layout->addWidget(m_closeButton);
}

QSpinBox *SGotoLine::lineSpinBox() const
{
    return m_lineSpinBox;
}

QPushButton *SGotoLine::gotoButton() const
{
    return m_gotoButton;
}

QPushButton *SGotoLine::closeButton() const
{
    return m_closeButton;
}

} // namespace Ui
