#pragma once

#include "corelib/scripting/iscriptexpressionevaluator.h"

#include <QMutex>
#include <QSet>

class IScriptEngine;

// The process's evaluator of script expressions (SRCore::IScriptExpressionEvaluator): each
// expression runs in a fresh JavaScript engine with `job` bound to a read-only view of a copy
// of the job's ticket (a JobBasic: an expression reads the job, it never routes or changes it)
// and the helpers File, Dir, Process and console. The core makes one at start-up; the first one
// made is registered until it is destroyed. Evaluations may run on several threads at once.
class ScriptExpressionEvaluator final : public SRCore::IScriptExpressionEvaluator
{
public:
    // `log` receives the messages of the expressions' helpers; not owned, may be null.
    explicit ScriptExpressionEvaluator(SRCore::ILogInterface *log);
    ~ScriptExpressionEvaluator() override;

    Evaluation evaluateExpression(const QString &script, const Context &context) const override;
    void stopEvaluations() override;

private:
    SRCore::ILogInterface *m_log;
    mutable QMutex m_mutex;
    mutable QSet<IScriptEngine *> m_running; // guarded by m_mutex
};
