#pragma once

#include "conditionrow.h"

#include "corelib/variables/variablecondition.h"

#include <QList>
#include <QWidget>

#include <functional>

class QVBoxLayout;

namespace GuiLib {

// The rows of a condition in order, with the joining word between consecutive rows chosen in
// the row manipulators. One row is selected at a time; its variable is shown in the variables
// browser (synchronize()), and a variable picked there goes to it. The precedence section is
// asked for while the condition mixes AND and OR.
class ConditionList : public QWidget
{
    Q_OBJECT

public:
    explicit ConditionList(QWidget *parent = nullptr);

    // Rows for the comparisons of `condition`; one empty row for an empty condition.
    void setCondition(const SRCore::VariableCondition &condition);
    // The comparisons and joins of the rows; the precedence is the caller's.
    SRCore::VariableCondition condition() const;
    QList<ConditionRow *> rows() const { return m_rows; }
    ConditionRow *selectedRow() const;
    // Each row's variable with its sample value, through `sampleValue`.
    void setSampleValues(const std::function<QString(const QString &variable)> &sampleValue);

public slots:
    // Puts `variable` ("[Group.Name]") into the selected row.
    void setSelectedVariable(const QString &variable);

signals:
    void conditionChanged();
    void adjustHeight(int height);
    void restoreSelection();
    void synchronize(const SRCore::Variable &variable);
    void showPrecedenceSection(bool show);
    // A row's variable changed: its sample value is wanted.
    void sampleValueWanted(GuiLib::ConditionRow *row);

private:
    ConditionRow *addRow(int index);
    void removeRow(ConditionRow *row);
    void selectRow(ConditionRow *row);
    void manipulate(ConditionRow *row, ConditionRow::Manipulation manipulation);
    void updateJoins();

    QVBoxLayout *m_layout;
    QList<ConditionRow *> m_rows;
    // m_joins[i] stands between rows i and i + 1.
    QList<SRCore::VariableCondition::Join> m_joins;
};

} // namespace GuiLib
