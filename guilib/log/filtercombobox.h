#pragma once

#include <QComboBox>

class QTimer;

namespace GuiLib {

// The filter field of one column of the message table: an editable combo box whose list holds
// the column's recent filters and whose empty state reads "no filtering". Typing filters after a
// short pause; Return, picking a recent filter or leaving the field filters at once and offers
// the text for the history.
class FilterComboBox : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY(FilterComboBox)

public:
    // The pause in typing after which the text filters.
    static constexpr int TypingDelayMs = 400;

    explicit FilterComboBox(int column, QWidget *parent = nullptr);
    ~FilterComboBox() override;

    int column() const { return m_column; }
    QString filterText() const { return currentText(); }
    // Shows `text` and filters by it at once.
    void setFilterText(const QString &text);
    // Replaces the list of recent filters; the text in the field stays.
    void setHistory(const QStringList &entries);

signals:
    void filterChanged(int column, const QString &text);
    // The user settled on `text`: a candidate for the history.
    void filterCommitted(int column, const QString &text);

private:
    void applyFilter();
    void commitFilter();

    const int m_column;
    QTimer *m_typingTimer;
    QString m_appliedText;
};

} // namespace GuiLib
