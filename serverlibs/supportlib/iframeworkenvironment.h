#pragma once

#include <QString>

class IFrameworkEntriesManager;
class IScriptHost;
class QObject;
class RunRecorder;

// The environment of one entry point run, shared by the scripting objects of that run: what
// the program tells the run (the test folder, the application data of the package), the entries
// manager that runs it, the engine that runs the script and the record of what the run did.
// Objects that the script makes during the run (connections, jobs, datasets) live as children
// of the run scope and go with the environment.
class IFrameworkEnvironment
{
public:
    // What the program knows about the run besides the flow.
    struct AdditionalServerData
    {
        QString testFolder;
        QString applicationPath;      // as remembered for the package
        QString applicationLicensing; // as remembered for the package
        QString packageFolder;
    };

    // The preferences of the user on whose behalf scripts run.
    struct GlobalUserPreferences
    {
        QString applicationName = QStringLiteral("Tavrix Scripter");
        QString language = QStringLiteral("English");
        QString characterSet = QStringLiteral("Western");
    };

    // Run modes: a design-time run (property validation and libraries) or a test run.
    enum RunMode { DesignMode = 0, TestMode = 2 };

    virtual ~IFrameworkEnvironment() = default;

    virtual int runMode() const = 0;
    virtual void setRunMode(int mode) = 0;
    virtual AdditionalServerData additionalServerData() const = 0;
    virtual GlobalUserPreferences globalUserPreferences() const = 0;

    // Null until an entries manager runs an entry point with this environment.
    virtual IFrameworkEntriesManager *entriesManager() const = 0;
    virtual void setEntriesManager(IFrameworkEntriesManager *manager) = 0;
    // The engine while it runs the script; null outside a call from the script.
    virtual IScriptHost *scriptHost() const = 0;
    virtual void setScriptHost(IScriptHost *host) = 0;

    virtual RunRecorder &recorder() = 0;
    virtual QObject *runScope() = 0;
};
