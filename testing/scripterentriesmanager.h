#pragma once

#include "scriptinglib/baseentriesmanager.h"

#include <QPointer>

namespace Scripter {

class Fixture;

// The program's entries manager: runs entry points against the test flow of the fixture under
// test, logs the scripts' messages into the message database with the test flow's and element's
// names, keeps the user global data in the test folder, and stops a running script on request.
// The core makes the one instance at start-up; the runner binds the fixture of the window it
// tests.
class ScripterEntriesManager final : public BaseEntriesManager
{
public:
    ScripterEntriesManager(const QString &tempFolder, SRCore::ILogInterface *log);
    ~ScripterEntriesManager() override;

    // The registered manager when it is of this class; null otherwise.
    static ScripterEntriesManager *instance();

    // The fixture whose test flow scripts run against; null for none. GUI thread, while no
    // entry point runs.
    void bindFixture(Fixture *fixture);
    Fixture *boundFixture() const;

    // The bound fixture's test flow, null before one was built; without a fixture, an empty
    // flow.
    SRCore::Flow *getFlow(const QString &id) override;

    // Reads the user global data anew from "UserGlobalData.xml" in `testFolder`, after a test
    // flow was built there.
    void reloadUserGlobalData(const QString &testFolder);
    // The test folder of the last build; empty before it.
    QString currentTestFolder() const;

private:
    mutable QMutex m_bindingMutex;
    QPointer<Fixture> m_fixture; // guarded by m_bindingMutex
    QString m_testFolder;        // guarded by m_bindingMutex
};

} // namespace Scripter
