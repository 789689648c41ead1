#include "scriptexpressionevaluator.h"

#include "scriptrun.h"

#include "supportlib/baseframeworkenvironment.h"
#include "supportlib/jobbasic.h"

#include "corelib/jobs/ijt.h"
#include "corelib/vocabulary/xmlvalues.h"

ScriptExpressionEvaluator::ScriptExpressionEvaluator(SRCore::ILogInterface *log)
    : m_log(log)
{
    registerInstance(this);
}

ScriptExpressionEvaluator::~ScriptExpressionEvaluator()
{
    unregisterInstance(this);
}

SRCore::IScriptExpressionEvaluator::Evaluation
ScriptExpressionEvaluator::evaluateExpression(const QString &script, const Context &context) const
{
    BaseFrameworkEnvironment environment;
    std::unique_ptr<JobBasic> job;
    if (context.ticket) {
        job = std::make_unique<JobBasic>(std::make_unique<SRCore::IJT>(*context.ticket),
                                         &environment, m_log);
    }
    ScriptRun run({script, SRCore::XMLValues::JAVASCRIPT}, &environment, m_log);
    run.addObject(QStringLiteral("job"), job.get());
    {
        const QMutexLocker locker(&m_mutex);
        m_running.insert(run.engine());
    }
    const ScriptResult result = run.start();
    {
        const QMutexLocker locker(&m_mutex);
        m_running.remove(run.engine());
    }
    return {result.value, result.error.message, result.error.line, result.error.column};
}

void ScriptExpressionEvaluator::stopEvaluations()
{
    const QMutexLocker locker(&m_mutex);
    for (IScriptEngine *engine : std::as_const(m_running)) {
        if (engine) {
            engine->interrupt();
        }
    }
}
