#pragma once

// A copy of the bundled example package opened in the first window of a running core, with a
// program of our own in its JavaScript editor, and the steps a user takes to run an entry point.

#include "apptestsupport.h"

#include "common/examplepackage.h"

#include "app/scripteractions.h"

#include "testing/entrypointitem.h"
#include "testing/entrypointscombo.h"
#include "testing/entrypointsrunner.h"
#include "testing/fixture.h"
#include "testing/fixtureitem.h"
#include "testing/fixturetree.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QTemporaryDir>

namespace RunnerTest {

// Every entry point, each logging that it ran; the last statement is the body's value as a
// script expression.
inline QString everyEntryPoint()
{
    return QStringLiteral(R"(function jobArrived( s : Tavrix, job : Job )
{
    s.log( 1, "ran jobArrived" );
    job.sendTo( s.getOutConnections()[0] );
}
function timerFired( s ) { s.log( 1, "ran timerFired" ); }
function initializeProcessing( e ) { e.log( 1, "ran initializeProcessing" ); return true; }
function finalizeProcessing( e ) { e.log( 1, "ran finalizeProcessing" ); }
function cleanupAfterAbort( e ) { e.log( 1, "ran cleanupAfterAbort" ); }
function isPropertyValid( s, tag, value ) { s.log( 1, "ran isPropertyValid" ); return tag == "AmountLimit"; }
function getLibraryForProperty( s, tag ) { s.log( 1, "ran getLibraryForProperty" ); return [ "EUR", "USD" ]; }
function findApplicationPath( e, startup ) { e.log( 1, "ran findApplicationPath" ); return startup ? "/opt/started" : "/opt/app"; }
function getApplicationLicensing( e ) { e.log( 1, "ran getApplicationLicensing" ); return "licensed at " + e.getApplicationPath(); }
function licenseApplication( e, key ) { e.log( 1, "ran licenseApplication with %1", [ key ] ); }
function isConnectionPropertyValid( s, c, tag, value ) { s.log( 1, "ran isConnectionPropertyValid" ); return value == "Large"; }
function getLibraryForConnectionProperty( s, c, tag ) { s.log( 1, "ran getLibraryForConnectionProperty" ); return [ c.getName(), tag ]; }
typeof job == "undefined" ? "no job" : "body of " + job.getName();
)");
}

class ExampleWindow
{
public:
    // Copies the example package into `folder` and opens it in the core's first window.
    ExampleWindow(AppTest::CoreFixture &world, const QString &folder)
        : m_world(world)
    {
        const QString package = ExamplePackage::copyInto(folder);
        window = world.window(0);
        opened = !package.isEmpty() && world.processor()->open(package, window);
        // The runs make their test folders here, apart from other tests.
        window->fixture()->tree()->basicItem()->setPropertyValue(SRCore::XMLKey::TESTFOLDER,
                                                                 folder + QStringLiteral("/runs"));
        window->fixturePane()->show();
    }

    Scripter::ScripterActions *actions() const { return window->actions(); }
    Scripter::EntryPointsCombo *selector() const { return actions()->entryPointSelector(); }
    Scripter::EntryPointsRunner *runner() const { return m_world.core()->entryPointsRunner(); }

    void setProgram(const QString &program)
    {
        window->setScriptText(SRCore::XMLValues::JAVASCRIPT, program);
        selector()->updateAvailability(true);
    }

    // The outgoing connection `name` of the fixture, selected as the user clicks it.
    Scripter::FixtureItem *selectConnection(const QString &name) const
    {
        Scripter::FixtureTree *tree = window->fixture()->tree();
        Scripter::FixtureItem *group = tree->outgoingGroup();
        for (int i = 0; i < group->childCount(); ++i) {
            if (group->child(i)->text(0) == name) {
                tree->setCurrentItem(group->child(i));
                return static_cast<Scripter::FixtureItem *>(group->child(i));
            }
        }
        return nullptr;
    }

    // Chooses `entryPoint` in the test tool bar and presses Invoke once the chooser offers it.
    bool invoke(int entryPoint) const
    {
        Scripter::EntryPointsCombo *combo = selector();
        for (int row = 0; row < combo->count(); ++row) {
            if (combo->item(row)->entryPoint() == entryPoint) {
                combo->setCurrentIndex(row);
            }
        }
        QAction *invoke = actions()->invokeEntryPointAction();
        if (!QTest::qWaitFor([invoke] { return invoke->isEnabled(); })) {
            return false;
        }
        invoke->trigger();
        return true;
    }

    // Waits for the window's poll to find the run over.
    bool waitForTheEnd() const
    {
        return QTest::qWaitFor(
            [this] { return !window->isTestRunning() && window->scriptTabs()->isEnabled(); },
            20000);
    }

    Scripter::ScripterWindow *window = nullptr;
    bool opened = false;

private:
    AppTest::CoreFixture &m_world;
};

// A running core of its own with the example opened from a folder of its own; made anew for
// every test. The example window goes first, the folder last.
struct ExampleSession
{
    bool open()
    {
        if (!files.isValid() || !world.isValid()) {
            return false;
        }
        world.start();
        example = std::make_unique<ExampleWindow>(world, files.path());
        return example->opened;
    }

    QTemporaryDir files;
    AppTest::CoreFixture world;
    std::unique_ptr<ExampleWindow> example;
};

// The operations (message texts) of the stored messages, oldest first.
inline QStringList operations(const QList<QStringList> &messages)
{
    QStringList result;
    for (const QStringList &message : messages) {
        result.append(message.value(1));
    }
    return result;
}

// The stored messages with `operation`, oldest first.
inline QList<QStringList> messagesWith(const QList<QStringList> &messages, const QString &operation)
{
    QList<QStringList> found;
    for (const QStringList &message : messages) {
        if (message.value(1) == operation) {
            found.append(message);
        }
    }
    return found;
}

// The first stored message with `operation`; empty when there is none.
inline QStringList messageWith(const QList<QStringList> &messages, const QString &operation)
{
    return messagesWith(messages, operation).value(0);
}

} // namespace RunnerTest
