#include "baseframeworkenvironment.h"

BaseFrameworkEnvironment::BaseFrameworkEnvironment(const AdditionalServerData &serverData,
                                                   const GlobalUserPreferences &preferences,
                                                   int runMode)
    : m_serverData(serverData)
    , m_preferences(preferences)
    , m_runMode(runMode)
{}

BaseFrameworkEnvironment::~BaseFrameworkEnvironment() = default;

int BaseFrameworkEnvironment::runMode() const
{
    return m_runMode;
}

void BaseFrameworkEnvironment::setRunMode(int mode)
{
    m_runMode = mode;
}

IFrameworkEnvironment::AdditionalServerData BaseFrameworkEnvironment::additionalServerData() const
{
    return m_serverData;
}

IFrameworkEnvironment::GlobalUserPreferences BaseFrameworkEnvironment::globalUserPreferences() const
{
    return m_preferences;
}

IFrameworkEntriesManager *BaseFrameworkEnvironment::entriesManager() const
{
    return m_entriesManager;
}

void BaseFrameworkEnvironment::setEntriesManager(IFrameworkEntriesManager *manager)
{
    m_entriesManager = manager;
}

IScriptHost *BaseFrameworkEnvironment::scriptHost() const
{
    return m_scriptHost;
}

void BaseFrameworkEnvironment::setScriptHost(IScriptHost *host)
{
    m_scriptHost = host;
}

RunRecorder &BaseFrameworkEnvironment::recorder()
{
    return m_recorder;
}

QObject *BaseFrameworkEnvironment::runScope()
{
    const QMutexLocker locker(&m_scopeMutex);
    if (!m_runScope) {
        m_runScope = std::make_unique<QObject>();
    }
    return m_runScope.get();
}
