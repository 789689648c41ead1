#include "scriptrun.h"

#include "memoryguard.h"
#include "scriptengines.h"

#include "supportlib/iframeworkenvironment.h"
#include "supportlib/scripthelpers.h"

ScriptRun::ScriptRun(const ScriptCodeAndLangStruct &script, IFrameworkEnvironment *environment,
                     SRCore::ILogInterface *log, qint64 memoryLimit)
    : m_script(script)
    , m_environment(environment)
    , m_engine(ScriptEngines::create(script.language, &m_engineError))
{
    if (!m_engine) {
        return;
    }
    for (const ScriptHelpers::Global &helper :
         ScriptHelpers::create(environment, log, &m_helpers)) {
        m_engine->addObject(helper.first, helper.second);
    }
    m_environment->setScriptHost(m_engine.get());
    m_guard = std::make_unique<MemoryGuard>(*m_engine, memoryLimit);
}

ScriptRun::~ScriptRun()
{
    m_guard.reset();
    if (m_engine && m_environment->scriptHost() == m_engine.get()) {
        m_environment->setScriptHost(nullptr);
    }
}

void ScriptRun::addObject(const QString &name, QObject *object)
{
    if (m_engine) {
        m_engine->addObject(name, object);
    }
}

ScriptResult ScriptRun::start()
{
    if (!m_engine) {
        return {QVariant(), {m_engineError}};
    }
    return guarded(m_engine->runProgram(m_script.code));
}

bool ScriptRun::hasFunction(const QString &name) const
{
    return m_engine && m_engine->hasFunction(name);
}

ScriptResult ScriptRun::call(const QString &name, const QVariantList &arguments)
{
    if (!m_engine) {
        return {QVariant(), {m_engineError}};
    }
    return guarded(m_engine->call(name, arguments));
}

ScriptResult ScriptRun::guarded(ScriptResult result) const
{
    if (m_guard && m_guard->tripped()) {
        result.error.message = tr("The script used more than %1 MB of memory and was stopped")
                                   .arg(m_guard->limit() / (1024 * 1024));
    }
    return result;
}
