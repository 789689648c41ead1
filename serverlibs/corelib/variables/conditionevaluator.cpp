#include "conditionevaluator.h"

#include "jobvariables.h"
#include "textevaluator.h"
#include "variablearguments.h"
#include "variablecontext.h"
#include "variablemanager.h"
#include "variabletext.h"
#include "variablevalue.h"

#include <QLocale>
#include <QRegularExpression>

namespace SRCore {

namespace {

using Operator = VariableCondition::Operator;
using Field = VariableProblem::Field;
using Kind = VariableProblem::Kind;
using DataType = Variable::DataType;

VariableProblem inComparison(VariableProblem problem, int comparison, Field field)
{
    problem.comparison = comparison;
    problem.field = field;
    return problem;
}

VariableProblem comparisonProblem(int comparison, Field field, const QString &variable,
                                  const QString &message)
{
    return inComparison(VariableProblem::inText(Kind::BadComparison, 0, 0, variable, message),
                        comparison, field);
}

// The right-hand side of a comparison read as the variable's type.
struct Operand
{
    qint64 integer = 0;
    double rational = 0.0;
    QDateTime date;
    bool dateHasTime = true;
    QString text;
};

// Reads `text` as a value of `type` for `op`; an empty text when it fits, else why not.
QString readOperand(const QString &text, DataType type, Operator op, const QString &variable,
                    Operand *operand)
{
    const QLocale c = QLocale::c();
    bool ok = true;
    operand->text = text;
    switch (type) {
    case DataType::Integer:
        operand->integer = c.toLongLong(text.trimmed(), &ok);
        return ok ? QString()
                  : ConditionEvaluator::tr("'%1' is not a whole number, and %2 is an Integer "
                                           "variable")
                        .arg(text, variable);
    case DataType::Rational:
        operand->rational = c.toDouble(text.trimmed(), &ok);
        return ok ? QString()
                  : ConditionEvaluator::tr("'%1' is not a number such as 12.5, and %2 is a "
                                           "Rational variable")
                        .arg(text, variable);
    case DataType::Date:
        operand->date = VariableValue::parseDate(text, &operand->dateHasTime);
        return operand->date.isValid()
                   ? QString()
                   : ConditionEvaluator::tr("'%1' is not a date such as 2024-05-06 or "
                                            "2024-05-06T14:30, and %2 is a Date variable")
                         .arg(text, variable);
    case DataType::Text:
        if (op == Operator::Matches || op == Operator::DoesNotMatch) {
            const QRegularExpression expression(text);
            if (!expression.isValid()) {
                return ConditionEvaluator::tr("'%1' is not a valid regular expression: %2 at "
                                              "character %3")
                    .arg(text, expression.errorString())
                    .arg(expression.patternErrorOffset() + 1);
            }
        }
        return QString();
    case DataType::Boolean:
        return QString();
    }
    return QString();
}

template<typename T>
bool compareOrdered(const T &left, const T &right, Operator op)
{
    switch (op) {
    case Operator::EqualTo:
        return left == right;
    case Operator::NotEqualTo:
        return left != right;
    case Operator::LessThan:
    case Operator::EarlierThan:
        return left < right;
    case Operator::LessThanOrEqual:
    case Operator::EarlierThanOrSame:
        return left <= right;
    case Operator::GreaterThan:
    case Operator::LaterThan:
        return left > right;
    case Operator::GreaterThanOrEqual:
    case Operator::LaterThanOrSame:
        return left >= right;
    default:
        return false;
    }
}

bool compareText(const QString &left, const QString &right, Operator op)
{
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
    switch (op) {
    case Operator::EqualTo:
        return left.compare(right, cs) == 0;
    case Operator::NotEqualTo:
        return left.compare(right, cs) != 0;
    case Operator::Contains:
        return left.contains(right, cs);
    case Operator::DoesNotContain:
        return !left.contains(right, cs);
    case Operator::StartsWith:
        return left.startsWith(right, cs);
    case Operator::DoesNotStartWith:
        return !left.startsWith(right, cs);
    case Operator::Matches:
    case Operator::DoesNotMatch: {
        const QRegularExpression expression(QRegularExpression::anchoredPattern(right));
        return expression.match(left).hasMatch() == (op == Operator::Matches);
    }
    default:
        return false;
    }
}

bool compare(const VariableValue &left, const Operand &right, Operator op)
{
    switch (left.dataType()) {
    case DataType::Text:
        return compareText(left.toText(), right.text, op);
    case DataType::Boolean:
        return left.toBool() == (op == Operator::True);
    case DataType::Integer:
        return compareOrdered(left.toInteger(), right.integer, op);
    case DataType::Rational:
        return compareOrdered(left.toRational(), right.rational, op);
    case DataType::Date:
        // A day compares with the day of the value; a time to the second.
        if (!right.dateHasTime) {
            return compareOrdered(left.toDate().toLocalTime().date(), right.date.date(), op);
        }
        return compareOrdered(left.toDate().toSecsSinceEpoch(), right.date.toSecsSinceEpoch(), op);
    }
    return false;
}

// Combines the comparison results: the precedence's inner join binds first.
bool combine(const QList<bool> &results, const QList<VariableCondition::Join> &joins,
             VariableCondition::Precedence precedence)
{
    using Join = VariableCondition::Join;
    const Join inner =
        precedence == VariableCondition::Precedence::AndThenOr ? Join::And : Join::Or;
    const auto apply = [](Join join, bool a, bool b) {
        return join == Join::And ? a && b : a || b;
    };
    const Join outer = inner == Join::And ? Join::Or : Join::And;
    bool total = outer == Join::And;
    bool group = results.constFirst();
    for (qsizetype i = 0; i < joins.size(); ++i) {
        if (joins.at(i) == inner) {
            group = apply(inner, group, results.at(i + 1));
        } else {
            total = apply(outer, total, group);
            group = results.at(i + 1);
        }
    }
    return apply(outer, total, group);
}

// What checking a comparison learns, and evaluating it needs.
struct ComparisonCheck
{
    VariableText variableText;
    Variable variable;
    VariableText valueText;
    Operand operand; // read when the value has no variables
    VariableProblems problems;
};

ComparisonCheck checkComparison(const VariableManager &manager,
                                const VariableCondition::Comparison &comparison, int index)
{
    ComparisonCheck check;
    check.variableText = VariableText::parse(comparison.variable);
    for (const VariableProblem &problem : check.variableText.problems()) {
        check.problems.append(inComparison(problem, index, Field::Variable));
    }
    if (!check.variableText.isWellFormed()) {
        return check;
    }
    if (!check.variableText.isSingleVariable()) {
        check.problems.append(comparisonProblem(
            index, Field::Variable, QString(),
            ConditionEvaluator::tr("A comparison needs exactly one variable, such as "
                                   "[Job.Name]; found '%1'")
                .arg(comparison.variable)));
        return check;
    }
    const VariableTextPart &part = check.variableText.parts().constFirst();
    check.variable = manager.getVariable(part.fullName());
    if (check.variable.isNull()) {
        check.problems.append(
            inComparison(VariableProblem::inText(
                             Kind::UnknownVariable, part.start, part.end, part.fullName(),
                             TextEvaluator::tr("There is no variable %1").arg(part.fullName())),
                         index, Field::Variable));
        return check;
    }
    for (const VariableProblem &problem :
         VariableArguments::validate(part, check.variable, VariableArguments::Use::Condition)) {
        check.problems.append(inComparison(problem, index, Field::Variable));
    }
    const DataType type = check.variable.dataType();
    if (!VariableCondition::operatorsFor(type).contains(comparison.op)) {
        QStringList labels;
        for (const Operator op : VariableCondition::operatorsFor(type)) {
            labels.append(VariableCondition::operatorLabel(op));
        }
        check.problems.append(comparisonProblem(
            index, Field::Operator, part.fullName(),
            ConditionEvaluator::tr("'%1' does not compare %2, a %3 variable; it can be "
                                   "compared by: %4")
                .arg(VariableCondition::operatorLabel(comparison.op), part.fullName(),
                     Variable::dataTypeName(type), labels.join(QStringLiteral(", ")))));
        return check;
    }
    if (type == DataType::Boolean) {
        return check; // True and False need no value
    }
    // A regular expression is taken as written: its brackets are character classes.
    const bool pattern =
        comparison.op == Operator::Matches || comparison.op == Operator::DoesNotMatch;
    check.valueText =
        VariableText::parse(pattern ? VariableText::escape(comparison.value) : comparison.value);
    for (const VariableProblem &problem : check.valueText.problems()) {
        check.problems.append(inComparison(problem, index, Field::Value));
    }
    if (!check.valueText.isWellFormed()) {
        return check;
    }
    for (const VariableProblem &problem : TextEvaluator(manager).checkVariables(check.valueText)) {
        check.problems.append(inComparison(problem, index, Field::Value));
    }
    if (check.valueText.variableNames().isEmpty()) {
        const QString literal = check.valueText.parts().isEmpty()
                                    ? QString()
                                    : check.valueText.parts().constFirst().text;
        const QString reason =
            readOperand(literal, type, comparison.op, part.fullName(), &check.operand);
        if (!reason.isEmpty()) {
            check.problems.append(comparisonProblem(index, Field::Value, part.fullName(), reason));
        }
    }
    return check;
}

} // namespace

ConditionEvaluator::ConditionEvaluator(const VariableManager &manager)
    : m_manager(manager)
{}

VariableProblems ConditionEvaluator::validate(const VariableCondition &condition) const
{
    if (condition.isEmpty()) {
        return {comparisonProblem(-1, Field::Condition, QString(),
                                  tr("The condition has no comparison"))};
    }
    VariableProblems problems;
    const QList<VariableCondition::Comparison> comparisons = condition.comparisons();
    for (int i = 0; i < comparisons.size(); ++i) {
        problems += checkComparison(m_manager, comparisons.at(i), i).problems;
    }
    return problems;
}

ConditionEvaluation ConditionEvaluator::evaluate(const VariableCondition &condition,
                                                 const VariableContext &context) const
{
    ConditionEvaluation evaluation;
    if (condition.isEmpty()) {
        evaluation.problems = validate(condition);
        return evaluation;
    }
    const VariableContext timed = context.withTime();
    const QList<VariableCondition::Comparison> comparisons = condition.comparisons();
    QList<bool> results;
    for (int i = 0; i < comparisons.size(); ++i) {
        const VariableCondition::Comparison &comparison = comparisons.at(i);
        ComparisonCheck check = checkComparison(m_manager, comparison, i);
        if (!check.problems.isEmpty()) {
            evaluation.problems += check.problems;
            continue;
        }
        const VariableTextPart &part = check.variableText.parts().constFirst();
        const VariableValue left =
            VariableArguments::select(JobVariables::value(part, timed), part);
        if (!left.isValid()) {
            evaluation.problems.append(
                inComparison(VariableProblem::inText(left.failureKind(), part.start, part.end,
                                                     part.fullName(), left.failureReason()),
                             i, Field::Variable));
            continue;
        }
        if (!check.valueText.variableNames().isEmpty()) {
            const VariableEvaluation right =
                TextEvaluator(m_manager).evaluate(check.valueText, timed);
            for (const VariableProblem &problem : right.problems) {
                evaluation.problems.append(inComparison(problem, i, Field::Value));
            }
            const QString reason = readOperand(right.value, check.variable.dataType(),
                                               comparison.op, part.fullName(), &check.operand);
            if (!right.problems.isEmpty() || !reason.isEmpty()) {
                if (!reason.isEmpty()) {
                    evaluation.problems.append(
                        comparisonProblem(i, Field::Value, part.fullName(), reason));
                }
                continue;
            }
        }
        results.append(compare(left, check.operand, comparison.op));
    }
    evaluation.valid = evaluation.problems.isEmpty();
    evaluation.result =
        evaluation.valid && combine(results, condition.joins(), condition.precedence());
    return evaluation;
}

} // namespace SRCore
