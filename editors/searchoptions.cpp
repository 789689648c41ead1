#include "searchoptions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace Scripter {

SearchOptions::SearchOptions(QWidget *parent)
    : QWidget(parent)
{
    auto *direction = new QGroupBox(tr("Direction"), this);
    m_forwardButton = new QRadioButton(tr("Forward"), direction);
    m_forwardButton->setChecked(true);
    m_backwardButton = new QRadioButton(tr("Backward"), direction);
    auto *directionLayout = new QVBoxLayout(direction);
    directionLayout->addWidget(m_forwardButton);
    directionLayout->addWidget(m_backwardButton);
    directionLayout->addStretch();

    auto *options = new QGroupBox(tr("Options"), this);
    m_wholeWordsBox = new QCheckBox(tr("Whole words only"), options);
    m_caseSensitiveBox = new QCheckBox(tr("Case sensitive"), options);
    m_startAtBeginningBox = new QCheckBox(tr("Start at beginning"), options);
    m_wrapAroundBox = new QCheckBox(tr("Wrap around"), options);
    m_wrapAroundBox->setToolTip(tr("At the end of the text, go on from its other end"));
    auto *optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(m_wholeWordsBox);
    optionsLayout->addWidget(m_caseSensitiveBox);
    optionsLayout->addWidget(m_startAtBeginningBox);
    optionsLayout->addWidget(m_wrapAroundBox);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(direction);
    layout->addWidget(options);
}

QRadioButton *SearchOptions::forwardButton() const
{
    return m_forwardButton;
}

QRadioButton *SearchOptions::backwardButton() const
{
    return m_backwardButton;
}

QCheckBox *SearchOptions::wholeWordsBox() const
{
    return m_wholeWordsBox;
}

QCheckBox *SearchOptions::caseSensitiveBox() const
{
    return m_caseSensitiveBox;
}

QCheckBox *SearchOptions::startAtBeginningBox() const
{
    return m_startAtBeginningBox;
}

QCheckBox *SearchOptions::wrapAroundBox() const
{
    return m_wrapAroundBox;
}

bool SearchOptions::forward() const
{
    return m_forwardButton->isChecked();
}

bool SearchOptions::wholeWords() const
{
    return m_wholeWordsBox->isChecked();
}

bool SearchOptions::caseSensitive() const
{
    return m_caseSensitiveBox->isChecked();
}

bool SearchOptions::startAtCursor() const
{
    return !m_startAtBeginningBox->isChecked();
}

bool SearchOptions::wrapAround() const
{
    return m_wrapAroundBox->isChecked();
}

} // namespace Scripter
