#pragma once

#include "variableproblem.h"

#include <QCoreApplication>
#include <QString>

namespace SRCore {

class VariableManager;
class VariableText;
struct VariableContext;

// The value of a text with variables for one job, with every problem met on the way. A
// variable that could not be computed contributes an empty text to `value` and a problem.
struct VariableEvaluation
{
    QString value;
    VariableProblems problems;

    bool hasProblems() const { return !problems.isEmpty(); }
};

// Puts the values of a text's variables in their places. A malformed text is not evaluated: its
// value is empty and its syntax problems are listed. Reads the manager only; safe from any
// thread.
class TextEvaluator
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::TextEvaluator)

public:
    // `manager` is not owned and must outlive the evaluator.
    explicit TextEvaluator(const VariableManager &manager);

    // `context.now` must be valid (VariableContext::withTime()).
    VariableEvaluation evaluate(const VariableText &text, const VariableContext &context) const;

    // The problems of the variables of a well-formed text against the catalogue: unknown
    // variables and bad arguments, in text order.
    VariableProblems checkVariables(const VariableText &text) const;

private:
    const VariableManager &m_manager;
};

} // namespace SRCore
