#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

namespace GuiLib {

// The base of the value dialogs that edit a table of entries (data fields, e-mail information,
// mail accounts): the prompt, the table, "Add" and "Remove" beside it, and the bottom row with
// an error marker, "Ok" and "Cancel". Every change of the table is checked; while the entries
// are not acceptable the marker says why and "Ok" is disabled.
//
// Cells hold texts, or a choice box in the columns made choice columns.
class TableValueDialog : public QDialog
{
    Q_OBJECT

public:
    // The texts of every row, in table order.
    QList<QStringList> rows() const;
    QTableWidget *table() const { return m_table; }

    // `prefix` followed by the smallest number from 1 upward that gives a name not in `used`.
    static QString freeName(const QString &prefix, const QStringList &used);

public slots:
    void addClicked();
    void removeClicked();
    void validate();

protected:
    // The marker reads `invalidEntries`, a colon and the reason.
    TableValueDialog(QWidget *parent, const QString &title, const QString &prompt,
                     const QStringList &headers, const QString &invalidEntries);

    // Cells of `column` are choice boxes offering `choices`; call before adding rows.
    void setChoiceColumn(int column, const QStringList &choices);
    void appendRow(const QStringList &texts);
    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString &text);
    // The row of the current cell; -1 when there is none.
    int currentRow() const;
    // Puts `button` in the column beside the table, under "Add" and "Remove".
    void addSideButton(QPushButton *button);
    // Without "Add" and "Remove": the rows are given.
    void fixRowCount();

    // The texts of a new row.
    virtual QStringList newRow() const = 0;
    // Why the entries are not acceptable; empty when they are.
    virtual QString problem() const = 0;

private:
    QTableWidget *m_table;
    QVBoxLayout *m_sideButtons;
    QPushButton *m_addButton;
    QPushButton *m_removeButton;
    QLabel *m_errorIcon;
    QLabel *m_errorText;
    QPushButton *m_okButton;
    QPushButton *m_cancelButton;
    QString m_invalidEntries;
    QList<int> m_choiceColumns;
    QList<QStringList> m_choices;
};

} // namespace GuiLib
