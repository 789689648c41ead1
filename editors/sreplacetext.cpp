#include "sreplacetext.h"

#include "editors/searchoptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace Ui {

namespace {

QComboBox *historyCombo(QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::InsertAtTop);
    combo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return combo;
}

} // namespace

SReplaceText::SReplaceText(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Replace Text"));
    setSizeGripEnabled(true);

    auto *findLabel = new QLabel(tr("Find:"), this);
    m_findCombo = historyCombo(this);
    findLabel->setBuddy(m_findCombo);
    auto *replaceLabel = new QLabel(tr("Replace:"), this);
    m_replaceCombo = historyCombo(this);
    replaceLabel->setBuddy(m_replaceCombo);
    m_options = new Scripter::SearchOptions(this);
    // Replacing goes through the text once; going round would replace again what it replaced.
    m_options->wrapAroundBox()->hide();

    m_replaceButton = new QPushButton(tr("Replace"), this);
    m_replaceButton->setDefault(true);
    m_replaceAllButton = new QPushButton(tr("Replace All"), this);
    m_closeButton = new QPushButton(tr("Close"), this);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::close);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_replaceButton);
    buttons->addWidget(m_replaceAllButton);
    buttons->addWidget(m_closeButton);
    buttons->addStretch();

    auto *layout = new QGridLayout(this);
    layout->addWidget(findLabel, 0, 0);
    layout->addWidget(m_findCombo, 0, 1);
    layout->addWidget(replaceLabel, 1, 0);
    layout->addWidget(m_replaceCombo, 1, 1);
    layout->addWidget(m_options, 2, 0, 1, 2);
    layout->addLayout(buttons, 0, 2, 3, 1);
    layout->setRowStretch(3, 1);

    resize(QSize(445, 289).expandedTo(minimumSizeHint()));
}

QComboBox *SReplaceText::findCombo() const
{
    return m_findCombo;
}

QComboBox *SReplaceText::replaceCombo() const
{
    return m_replaceCombo;
}

Scripter::SearchOptions *SReplaceText::options() const
{
    return m_options;
}

QPushButton *SReplaceText::replaceButton() const
{
    return m_replaceButton;
}

QPushButton *SReplaceText::replaceAllButton() const
{
    return m_replaceAllButton;
}

QPushButton *SReplaceText::closeButton() const
{
    return m_closeButton;
}

} // namespace Ui
