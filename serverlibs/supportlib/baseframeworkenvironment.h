#pragma once

#include "iframeworkenvironment.h"
#include "runrecorder.h"

#include <QMutex>
#include <QObject>

#include <atomic>
#include <memory>

// The environment of one run (IFrameworkEnvironment), made by whoever starts the run and
// deleted when it is over, after the run's thread is done with it. The run mode and the engine
// may be set from the thread of the run; the rest is fixed at construction. The run scope
// belongs to the thread that asks for it first (the run's), so that objects made there can be
// its children.
class BaseFrameworkEnvironment : public IFrameworkEnvironment
{
public:
    explicit BaseFrameworkEnvironment(const AdditionalServerData &serverData = {},
                                      const GlobalUserPreferences &preferences = {},
                                      int runMode = TestMode);
    ~BaseFrameworkEnvironment() override;
    BaseFrameworkEnvironment(const BaseFrameworkEnvironment &) = delete;
    BaseFrameworkEnvironment &operator=(const BaseFrameworkEnvironment &) = delete;

    int runMode() const override;
    void setRunMode(int mode) override;
    AdditionalServerData additionalServerData() const override;
    GlobalUserPreferences globalUserPreferences() const override;
    IFrameworkEntriesManager *entriesManager() const override;
    void setEntriesManager(IFrameworkEntriesManager *manager) override;
    IScriptHost *scriptHost() const override;
    void setScriptHost(IScriptHost *host) override;
    RunRecorder &recorder() override;
    QObject *runScope() override;

private:
    const AdditionalServerData m_serverData;
    const GlobalUserPreferences m_preferences;
    std::atomic<int> m_runMode;
    std::atomic<IFrameworkEntriesManager *> m_entriesManager{nullptr};
    std::atomic<IScriptHost *> m_scriptHost{nullptr};
    RunRecorder m_recorder;
    QMutex m_scopeMutex;
    std::unique_ptr<QObject> m_runScope; // guarded by m_scopeMutex
};
