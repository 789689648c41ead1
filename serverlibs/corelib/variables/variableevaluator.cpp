#include "variableevaluator.h"

#include "conditionevaluator.h"
#include "textevaluator.h"
#include "variablecondition.h"
#include "variablecontext.h"
#include "variablemanager.h"
#include "variabletext.h"

#include "corelib/flow/flow.h"
#include "corelib/jobs/ijt.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"

namespace SRCore {

namespace {

VariableContext contextOf(const QString &element, const Flow *flow, const IJT *ticket)
{
    VariableContext context;
    context.ticket = ticket;
    context.flow = flow;
    context.elementId = element;
    return context;
}

} // namespace

VariableEvaluator::VariableEvaluator(ILogInterface *log)
    : VariableEvaluator(nullptr, log, Registration::Registered)
{}

VariableEvaluator::VariableEvaluator(const VariableManager &manager, ILogInterface *log)
    : VariableEvaluator(&manager, log, Registration::Unregistered)
{}

VariableEvaluator::VariableEvaluator(const VariableManager *manager, ILogInterface *log,
                                     Registration registration)
    : m_manager(manager)
    , m_log(log)
{
    m_registered = registration == Registration::Registered && registerInstance(this);
}

VariableEvaluator::~VariableEvaluator()
{
    if (m_registered) {
        unregisterInstance(this);
    }
}

const VariableManager &VariableEvaluator::manager() const
{
    return m_manager ? *m_manager : *VariableManager::instance();
}

VariableEvaluation VariableEvaluator::evaluateText(const QString &text,
                                                   const VariableContext &context) const
{
    return TextEvaluator(manager()).evaluate(VariableText::parse(text), context.withTime());
}

ConditionEvaluation VariableEvaluator::evaluateCondition(const QString &condition,
                                                         const VariableContext &context) const
{
    VariableCondition parsed;
    QString error;
    if (!VariableCondition::fromXml(condition, &parsed, &error)) {
        VariableProblem problem =
            VariableProblem::inText(VariableProblem::Kind::Syntax, 0, 0, QString(), error);
        problem.field = VariableProblem::Field::Condition;
        return ConditionEvaluation{false, false, {problem}};
    }
    return ConditionEvaluator(manager()).evaluate(parsed, context);
}

QString VariableEvaluator::getVariableValue(const QString &text, const QString &element,
                                            const Flow *flow, const QString &, const IJT *ticket,
                                            ILogInterface *log) const
{
    const VariableEvaluation evaluation = evaluateText(text, contextOf(element, flow, ticket));
    logProblems(evaluation.problems, text, flow, ticket, log);
    return evaluation.value;
}

QString VariableEvaluator::getConditionValue(const QString &condition, const QString &element,
                                             const Flow *flow, const QString &, const IJT *ticket,
                                             ILogInterface *log) const
{
    const ConditionEvaluation evaluation =
        evaluateCondition(condition, contextOf(element, flow, ticket));
    logProblems(evaluation.problems, condition, flow, ticket, log);
    if (!evaluation.valid) {
        return QString();
    }
    return evaluation.result ? QStringLiteral("true") : QStringLiteral("false");
}

void VariableEvaluator::logProblems(const VariableProblems &problems, const QString &text,
                                    const Flow *flow, const IJT *ticket, ILogInterface *log) const
{
    ILogInterface *target = log ? log : m_log;
    if (!target) {
        return;
    }
    const QString flowName = flow ? flow->getFlowName() : QString();
    const QString job = ticket ? ticket->getActiveFileName() : QString();
    for (const VariableProblem &problem : problems) {
        target->log(LogRecord(
            LogLevel::Error,
            QStringLiteral(QT_TRANSLATE_NOOP("LogMessages", "Variables can't be evaluated: %1")),
            flowName, QString(), job,
            tr("%1 in '%2'").arg(VariableManager::formatVariableError(problem), text)));
    }
}

} // namespace SRCore
