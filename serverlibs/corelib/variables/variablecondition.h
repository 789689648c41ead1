#pragma once

#include "variable.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

namespace SRCore {

// A condition over job variables, as the condition dialog builds it: comparisons joined by AND
// or OR, grouped by a chosen precedence. Each comparison compares one variable (a text with
// exactly one variable, arguments allowed: [Job.PrivateData:Key="Customer"]) with a value by an
// operator that fits the variable's data type. The value is a text with variables too; without
// variables it is checked against the data type when the condition is validated.
//
// Stored in property values as the XML text of toXml() (docs/variables.md). A value class; safe
// to use from any thread.
class VariableCondition
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::VariableCondition)

public:
    static constexpr int kFormatVersion = 1;

    // The numbers are the operators' codes in the stored condition.
    enum class Operator {
        None = 0,
        EqualTo = 1,
        NotEqualTo = 2,
        Contains = 3,
        DoesNotContain = 4,
        StartsWith = 5,
        DoesNotStartWith = 6,
        Matches = 7,
        DoesNotMatch = 8,
        True = 9,
        False = 10,
        LessThan = 11,
        LessThanOrEqual = 12,
        GreaterThan = 13,
        GreaterThanOrEqual = 14,
        EarlierThan = 15,
        EarlierThanOrSame = 16,
        LaterThan = 17,
        LaterThanOrSame = 18,
    };

    enum class Join { And, Or };

    // The values are the indexes of the dialog's two precedence buttons.
    enum class Precedence {
        OrThenAnd = 0, // (A OR B) AND C: OR binds first
        AndThenOr = 1, // A OR (B AND C): AND binds first
    };

    struct Comparison
    {
        QString variable; // "[Group.Name]" with optional arguments
        Operator op = Operator::None;
        QString value;
    };

    explicit VariableCondition(Precedence precedence = Precedence::AndThenOr);

    // Appends a comparison; `join` ties it to the one before and is ignored for the first.
    void addComparison(const Comparison &comparison, Join join = Join::And);
    QList<Comparison> comparisons() const { return m_comparisons; }
    // joins()[i] stands between comparisons i and i + 1.
    QList<Join> joins() const { return m_joins; }
    bool isEmpty() const { return m_comparisons.isEmpty(); }

    Precedence precedence() const { return m_precedence; }
    void setPrecedence(Precedence precedence) { m_precedence = precedence; }

    // The XML text of the condition, one element a line, for a property value.
    QString toXml() const;
    // Reads a text of toXml(). False, with the reason and `condition` unchanged, for any other
    // text: empty, not XML, another root, a later format, an unknown operator code or join, no
    // comparison at all. The variables are not checked here (ConditionEvaluator::validate).
    static bool fromXml(const QString &xml, VariableCondition *condition,
                        QString *errorMessage = nullptr);

    // The operators offered for a data type, in the order the dialog shows them.
    static QList<Operator> operatorsFor(Variable::DataType dataType);
    // The translated label of an operator ("Equal to", ...); "Unknown" for None.
    static QString operatorLabel(Operator op);
    // The operator of a translated label; None for any other text.
    static Operator operatorFromLabel(const QString &label);
    // The operator of a stored code; None for a number that is no operator.
    static Operator operatorFromCode(int code);

private:
    QList<Comparison> m_comparisons;
    QList<Join> m_joins;
    Precedence m_precedence;
};

bool operator==(const VariableCondition::Comparison &left,
                const VariableCondition::Comparison &right);

} // namespace SRCore
