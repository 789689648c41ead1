#pragma once

#include <QCoreApplication>
#include <QString>
#include <QVariant>

namespace SRCore {

class Flow;
class IJT;
class ILogInterface;

// Evaluates script expressions: a JavaScript text whose value (that of its last statement) is
// the value of a property, or the script body that a test run evaluates as an expression. The
// script sees the job as `job`. The scripting library registers the process-wide evaluator
// (ScriptExpressionEvaluator); instance() reaches it.
//
// Threads: evaluations may run on any thread, several at once; each uses an engine of its own.
// The flow and the ticket must not change while an evaluation runs; the caller owns them.
class IScriptExpressionEvaluator
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::IScriptExpressionEvaluator)

public:
    // What an expression is evaluated for. Nothing is owned.
    struct Context
    {
        const Flow *flow = nullptr;
        QString elementId;
        // The job; without one, `job` is null in the expression.
        const IJT *ticket = nullptr;
        QString elementName;
    };

    // The value, or why there is none: a compile error, an uncaught exception, a stop. `line`
    // and `column` are 1-based; 0 when the engine does not tell.
    struct Evaluation
    {
        QVariant value;
        QString errorMessage;
        int line = 0;
        int column = 0;

        bool ok() const { return errorMessage.isEmpty(); }
        // "Line 3, column 7: ReferenceError: x is not defined", the place as far as known.
        QString describeError() const;
    };

    virtual ~IScriptExpressionEvaluator();

    // The registered evaluator; null while none is.
    static IScriptExpressionEvaluator *instance();

    virtual Evaluation evaluateExpression(const QString &script, const Context &context) const = 0;
    // Stops every evaluation in progress, on any thread; each ends with an error. The abort of a
    // test run that evaluates the script body as an expression relies on it.
    virtual void stopEvaluations() = 0;

    // The value of `script` for the job of `ticket` in element `elementId` of `flow`. A failure
    // is logged at level 3 to `log` (when given) with its place, and gives the text "error".
    QVariant evaluate(const QString &script, const Flow *flow, const QString &elementId,
                      const IJT *ticket, const QString &elementName, ILogInterface *log) const;

    // A value as a test run reports it: "text [type: QString]", "null [type: ...]" for an empty
    // text, "undefined" as the type of an invalid value, and "error" as it is.
    static QString formatValue(const QVariant &value);

protected:
    IScriptExpressionEvaluator() = default;
    IScriptExpressionEvaluator(const IScriptExpressionEvaluator &) = delete;
    IScriptExpressionEvaluator &operator=(const IScriptExpressionEvaluator &) = delete;

    // Makes `evaluator` the process-wide one unless another is registered; false then.
    static bool registerInstance(IScriptExpressionEvaluator *evaluator);
    // Withdraws `evaluator` when it is the registered one.
    static void unregisterInstance(IScriptExpressionEvaluator *evaluator);
};

} // namespace SRCore
