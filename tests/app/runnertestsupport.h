#pragma once

// A copy of the bundled example package opened in the first window of a running core, with a
// program of our own in its JavaScript editor, and what the user sees of the entry points.

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
#include <QDockWidget>
#include <QTabWidget>

namespace RunnerTest {

// Every entry point, each logging that it ran; the last statement is the body's value as a
// script expression.
inline QString everyEntryPoint()
{
    return QStringLiteral(
        R"(function jobArrived( s : Tavrix, job : Job ) { s.log( 1, "ran jobArrived" ); job.sendTo( s.getOutConnections()[0] ); }
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

// A running core of its own with the example opened from a folder of its own in its first
// window; made anew for every test.
struct ExampleSession
{
    bool open()
    {
        if (!files.isValid() || !world.isValid()) {
            return false;
        }
        world.start();
        window = world.window(0);
        const QString package = ExamplePackage::copyInto(files.path());
        if (package.isEmpty() || !world.processor()->open(package, window)) {
            return false;
        }
        // The runs make their test folders here, apart from other tests.
        window->fixture()->tree()->basicItem()->setPropertyValue(SRCore::XMLKey::TESTFOLDER,
                                                                 files.filePath("runs"));
        window->fixturePane()->show();
        return true;
    }

    Scripter::ScripterActions *actions() const { return window->actions(); }
    Scripter::EntryPointsCombo *selector() const { return actions()->entryPointSelector(); }
    Scripter::EntryPointsRunner *runner() const { return world.core()->entryPointsRunner(); }

    void setProgram(const QString &program) const
    {
        window->setScriptText(SRCore::XMLValues::JAVASCRIPT, program);
        selector()->updateAvailability(true);
    }

    // The chooser's row of `entryPoint`.
    Scripter::EntryPointItem *item(int entryPoint) const
    {
        for (int row = 0; row < selector()->count(); ++row) {
            if (selector()->item(row)->entryPoint() == entryPoint) {
                return selector()->item(row);
            }
        }
        return nullptr;
    }
    void choose(int entryPoint) const
    {
        selector()->setCurrentIndex(selector()->findText(item(entryPoint)->text()));
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

    QTemporaryDir files;
    AppTest::CoreFixture world;
    Scripter::ScripterWindow *window = nullptr;
};

// What of `window` shows a run; empty when it is idle between runs. The parts a run disables
// are the window's own rule; one of them tells that the run reached the window.
inline QStringList busyParts(const Scripter::ScripterWindow *window)
{
    const std::pair<bool, const char *> parts[] = {
        {window->isTestRunning(), "a run goes on"},
        {!window->scriptTabs()->isEnabled(), "scripts disabled"},
        {window->actions()->abortAction()->isEnabled(), "Abort offered"}};
    QStringList busy;
    for (const auto &[isBusy, part] : parts) {
        if (isBusy) {
            busy << QString::fromLatin1(part);
        }
    }
    return busy;
}

} // namespace RunnerTest
