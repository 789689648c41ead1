#pragma once

#include "conditionevaluator.h"
#include "textevaluator.h"

#include <QString>

namespace SRCore {

class Flow;
class IJT;
class ILogInterface;
struct VariableContext;

// Evaluates texts with variables and conditions for a job: what the scripting run time does for
// property values and what the value dialogs show for sample jobs. The core creates the
// process-wide evaluator (VariableEvaluator) at start-up; instance() reaches it.
//
// The operations are declared in this order on purpose: the application proxy's variableValues
// uses the fourth, getConditionValue(), in place of the first for its last name when its flag is
// set (a condition instead of a text).
//
// Threads: every operation is const and reentrant, so the script worker thread and the GUI
// thread may evaluate at the same time. The objects passed in (ticket, flow) must not change
// while an evaluation runs; the caller owns them. The owner of the registered evaluator
// destroys it only once no other thread can still be evaluating with it.
class IVariableEvaluator
{
public:
    virtual ~IVariableEvaluator();

    // The registered evaluator (the first VariableEvaluator constructed and still alive); before
    // the core made one, or after it is gone, a built-in evaluator without a log interface.
    // Never null.
    static IVariableEvaluator *instance();

    // The value of `text` for the job of `ticket`, as the application proxy asks for it.
    // `element` is the evaluating element's id or location ("1" or "1-/-Script Element");
    // `context` is the caller's context text and is not needed for evaluation. Each problem is
    // logged at level 3 to `log` (the evaluator's own log interface when null, none when both
    // are null). Use evaluateText() where the problems are wanted as data.
    virtual QString getVariableValue(const QString &text, const QString &element, const Flow *flow,
                                     const QString &context, const IJT *ticket,
                                     ILogInterface *log) const = 0;

    virtual VariableEvaluation evaluateText(const QString &text,
                                            const VariableContext &context) const = 0;

    // `condition` is the XML text of a VariableCondition (a property value).
    virtual ConditionEvaluation evaluateCondition(const QString &condition,
                                                  const VariableContext &context) const = 0;

    // The condition's result as "true" or "false", with the arguments of getVariableValue();
    // an empty text, with the problems logged, when it cannot be decided.
    virtual QString getConditionValue(const QString &condition, const QString &element,
                                      const Flow *flow, const QString &context, const IJT *ticket,
                                      ILogInterface *log) const = 0;

protected:
    IVariableEvaluator() = default;
    IVariableEvaluator(const IVariableEvaluator &) = delete;
    IVariableEvaluator &operator=(const IVariableEvaluator &) = delete;

    // Makes `evaluator` the process-wide one unless another is registered; false then.
    static bool registerInstance(IVariableEvaluator *evaluator);
    // Withdraws `evaluator` when it is the registered one.
    static void unregisterInstance(IVariableEvaluator *evaluator);
};

} // namespace SRCore
