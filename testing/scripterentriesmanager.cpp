#include "scripterentriesmanager.h"

#include "fixture.h"
#include "testflowbuilder.h"

#include "supportlib/userglobaldata.h"

namespace Scripter {

ScripterEntriesManager::ScripterEntriesManager(const QString &tempFolder,
                                               SRCore::ILogInterface *log)
    : BaseEntriesManager(tempFolder, log)
{}

ScripterEntriesManager::~ScripterEntriesManager() = default;

ScripterEntriesManager *ScripterEntriesManager::instance()
{
    return dynamic_cast<ScripterEntriesManager *>(BaseEntriesManager::instance());
}

void ScripterEntriesManager::bindFixture(Fixture *fixture)
{
    const QMutexLocker locker(&m_bindingMutex);
    m_fixture = fixture;
}

Fixture *ScripterEntriesManager::boundFixture() const
{
    const QMutexLocker locker(&m_bindingMutex);
    return m_fixture;
}

SRCore::Flow *ScripterEntriesManager::getFlow(const QString &id)
{
    const QMutexLocker locker(&m_bindingMutex);
    return m_fixture ? m_fixture->testFlow() : BaseEntriesManager::getFlow(id);
}

void ScripterEntriesManager::reloadUserGlobalData(const QString &testFolder)
{
    {
        const QMutexLocker locker(&m_bindingMutex);
        m_testFolder = testFolder;
    }
    setUserGlobalData(std::make_unique<UserGlobalData>(testFolder + QLatin1Char('/')
                                                       + TestFlowBuilder::kUserGlobalDataFile));
}

QString ScripterEntriesManager::currentTestFolder() const
{
    const QMutexLocker locker(&m_bindingMutex);
    return m_testFolder;
}

} // namespace Scripter
