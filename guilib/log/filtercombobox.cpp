#include "filtercombobox.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>

namespace GuiLib {

FilterComboBox::FilterComboBox(int column, QWidget *parent)
    : QComboBox(parent)
    , m_column(column)
    , m_typingTimer(new QTimer(this))
{
    // A line edit of its own makes the box editable without building its drop-down list, as
    // setEditable() would: most filter fields never open theirs.
    setLineEdit(new QLineEdit(this));
    setInsertPolicy(QComboBox::NoInsert);
    // Completing from the history while typing would filter by a text nobody typed.
    setCompleter(nullptr);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    lineEdit()->setPlaceholderText(tr("no filtering"));
    lineEdit()->setClearButtonEnabled(true);

    m_typingTimer->setSingleShot(true);
    m_typingTimer->setInterval(TypingDelayMs);
    connect(m_typingTimer, &QTimer::timeout, this, &FilterComboBox::applyFilter);
    connect(this, &QComboBox::editTextChanged, m_typingTimer, qOverload<>(&QTimer::start));
    connect(lineEdit(), &QLineEdit::editingFinished, this, &FilterComboBox::commitFilter);
    connect(this, &QComboBox::textActivated, this, &FilterComboBox::commitFilter);
}

FilterComboBox::~FilterComboBox() = default;

void FilterComboBox::setFilterText(const QString &text)
{
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(-1);
        setEditText(text);
    }
    applyFilter();
}

void FilterComboBox::setHistory(const QStringList &entries)
{
    const QSignalBlocker blocker(this);
    const QString text = currentText();
    clear();
    addItems(entries);
    setCurrentIndex(-1);
    setEditText(text);
}

void FilterComboBox::applyFilter()
{
    m_typingTimer->stop();
    const QString text = currentText();
    if (text != m_appliedText) {
        m_appliedText = text;
        emit filterChanged(m_column, text);
    }
}

void FilterComboBox::commitFilter()
{
    applyFilter();
    emit filterCommitted(m_column, m_appliedText);
}

} // namespace GuiLib
