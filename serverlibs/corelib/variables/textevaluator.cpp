#include "textevaluator.h"

#include "jobvariables.h"
#include "variablearguments.h"
#include "variablecontext.h"
#include "variablemanager.h"
#include "variabletext.h"

#include <algorithm>

namespace SRCore {

TextEvaluator::TextEvaluator(const VariableManager &manager)
    : m_manager(manager)
{}

VariableProblems TextEvaluator::checkVariables(const VariableText &text) const
{
    VariableProblems problems;
    for (const VariableTextPart &part : text.parts()) {
        if (!part.isVariable()) {
            continue;
        }
        const Variable variable = m_manager.getVariable(part.fullName());
        if (variable.isNull()) {
            problems.append(VariableProblem::inText(
                VariableProblem::Kind::UnknownVariable, part.start, part.end, part.fullName(),
                tr("There is no variable %1").arg(part.fullName())));
        } else {
            problems += VariableArguments::validate(part, variable, VariableArguments::Use::Text);
        }
    }
    return problems;
}

VariableEvaluation TextEvaluator::evaluate(const VariableText &text,
                                           const VariableContext &context) const
{
    VariableEvaluation evaluation;
    if (!text.isWellFormed()) {
        evaluation.problems = text.problems();
        return evaluation;
    }
    evaluation.problems = checkVariables(text);
    for (const VariableTextPart &part : text.parts()) {
        if (!part.isVariable()) {
            evaluation.value += part.text;
            continue;
        }
        const bool checked = std::none_of(evaluation.problems.cbegin(), evaluation.problems.cend(),
                                          [&part](const VariableProblem &p) {
                                              return p.start >= part.start && p.end <= part.end;
                                          });
        if (!checked) {
            continue;
        }
        const VariableValue value = JobVariables::value(part, context);
        if (value.isValid()) {
            evaluation.value += VariableArguments::format(value, part);
            continue;
        }
        evaluation.problems.append(VariableProblem::inText(
            value.failureKind(), part.start, part.end, part.fullName(), value.failureReason()));
    }
    std::stable_sort(
        evaluation.problems.begin(), evaluation.problems.end(),
        [](const VariableProblem &a, const VariableProblem &b) { return a.start < b.start; });
    return evaluation;
}

} // namespace SRCore
