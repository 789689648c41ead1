#pragma once

#include "corelib/variables/variable.h"
#include "corelib/variables/variablecondition.h"

#include <QFrame>

class QComboBox;
class QLabel;
class QLineEdit;
class QRegularExpressionValidator;

namespace GuiLib {

// One comparison of a condition: a variable (chosen by group and name, with its arguments
// written as in a text, Key="Customer"), an operator that fits
// the variable's data type and a value checked as it is typed for that type. The hint beside
// the value says "RegExp" for the matching operators and otherwise shows the variable's value
// for the current sample job. The row manipulator at the left joins the next row by AND or OR,
// adds one after the last row, or removes the row.
class ConditionRow : public QFrame
{
    Q_OBJECT

public:
    enum class Manipulation { None, And, Or, Remove };

    explicit ConditionRow(QWidget *parent = nullptr);

    SRCore::VariableCondition::Comparison comparison() const;
    void setComparison(const SRCore::VariableCondition::Comparison &comparison);
    SRCore::Variable variable() const;
    // Sets the variable ("[Group.Name]" or "[Group.Name:Key=...]") and keeps operator and value
    // where they fit.
    void setVariable(const QString &variable);
    // The join shown in the manipulator; None for the last row.
    void setJoin(Manipulation join);
    void setSampleValue(const QString &value);
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

public slots:
    void select();

signals:
    void selected(GuiLib::ConditionRow *row);
    void changed();
    // The variable changed; its sample value is wanted.
    void variableChanged();
    void manipulated(GuiLib::ConditionRow *row, GuiLib::ConditionRow::Manipulation manipulation);

private:
    void fillVariables();
    void updateOperators();
    void updateHint();

    QComboBox *m_manipulator;
    QComboBox *m_group;
    QComboBox *m_variable;
    // The variable's arguments as written after its name: Key="Customer".
    QLineEdit *m_arguments;
    QComboBox *m_operator;
    QLineEdit *m_value;
    QLabel *m_hint;
    QRegularExpressionValidator *m_integerValidator;
    QRegularExpressionValidator *m_rationalValidator;
    QString m_sampleValue;
    bool m_selected = false;
    bool m_filling = false;
};

} // namespace GuiLib
