#pragma once

#include "variablecondition.h"
#include "variableproblem.h"

#include <QCoreApplication>

namespace SRCore {

class VariableManager;
struct VariableContext;

// The outcome of a condition for one job. `valid` is false when any comparison could not be
// decided (a problem is listed for each); `result` is then false and means nothing.
struct ConditionEvaluation
{
    bool valid = false;
    bool result = false;
    VariableProblems problems;
};

// Validates conditions against the variable catalogue and evaluates them for a job. Text
// comparisons (equal, contains, starts with) ignore case; Matches tests the whole text against
// a regular expression. Numbers compare as numbers, dates as dates (a value without a time
// compares the day only). Reads the manager only; safe from any thread.
class ConditionEvaluator
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::ConditionEvaluator)

public:
    // `manager` is not owned and must outlive the evaluator.
    explicit ConditionEvaluator(const VariableManager &manager);

    // Every problem of the condition: an empty condition, a comparison whose variable text is
    // not exactly one known variable, bad arguments, an operator that does not fit the data
    // type, a value that is not of the data type (a date compared with "tomorrow"), a regular
    // expression that does not compile. Empty when the condition can be evaluated.
    VariableProblems validate(const VariableCondition &condition) const;

    // The condition for the job of `context`. Validation problems make it invalid too.
    ConditionEvaluation evaluate(const VariableCondition &condition,
                                 const VariableContext &context) const;

private:
    const VariableManager &m_manager;
};

} // namespace SRCore
