// Running entry points from the program, against baselines measured in the same run:
//   (a) a click on Invoke to the first statement of the example package's jobArrived, against
//       a bare QJSEngine compiling the same program and calling the function; target: 50 ms;
//   (b) Abort of an endless loop to the window usable again, against a bare QJSEngine stopped
//       in an endless loop on a thread; target: 400 ms (the window polls every 300 ms);
//   (c) a script that logs while the window shows its messages, against the same entry point
//       run by the entries manager without a window; target: at most 10 % slower.

#include "examplepackage.h"
#include "programworld.h"

#include "app/scripteractions.h"
#include "app/scriptermessagepane.h"

#include "testing/entrypoints.h"
#include "testing/entrypointscombo.h"
#include "testing/entrypointsrunner.h"
#include "testing/fixture.h"
#include "testing/fixtureitem.h"
#include "testing/fixturetree.h"

#include "scriptinglib/baseentriesmanager.h"

#include "supportlib/baseframeworkenvironment.h"
#include "supportlib/job.h"
#include "supportlib/tavrix.h"

#include "qsa/jslexer.h"

#include "corelib/logging/logmanager.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QAction>
#include <QDateTime>
#include <QDockWidget>
#include <QJSEngine>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>
#include <QThread>

#include <cstdio>

namespace {

using Scripter::EntryPoints;
using Scripter::ScripterWindow;
namespace XMLValues = SRCore::XMLValues;

constexpr int Rounds = 5;
constexpr int LoggedMessages = 3000;

const QString marker = QStringLiteral("first statement");
const QString endless = QStringLiteral("function timerFired( s ) { while ( true ) {} }\n");
// The loop bound is put in apart: the message's own "%1" is for the script's argument.
const QString logging = QStringLiteral("function timerFired( s ) { for ( var i = 0; i < ")
                        + QString::number(LoggedMessages)
                        + QStringLiteral("; i++ ) { s.log( 1, \"message %1\", [ i ] ); var x = 0; "
                                         "for ( var j = 0; j < 20000; j++ ) x += j; } }\n");

// The times (ms since the epoch) at which messages with `operation` were logged, oldest first.
QList<qint64> loggedAt(const QString &operation)
{
    SRCore::LogManager *log = SRCore::LogManager::instance();
    log->stopServerLog();
    log->startThread();
    QList<qint64> times;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(log->getDatabaseFile());
        if (db.open()) {
            QSqlQuery query(db);
            query.prepare(QStringLiteral("SELECT itemtime FROM logmessages WHERE operation = ? "
                                         "ORDER BY id"));
            query.addBindValue(operation);
            query.exec();
            while (query.next()) {
                times << QDateTime::fromString(query.value(0).toString(), Qt::ISODateWithMs)
                             .toMSecsSinceEpoch();
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    return times;
}

bool waitUntilUsable(ScripterWindow *window)
{
    return QTest::qWaitFor(
        [window] { return !window->isTestRunning() && window->scriptTabs()->isEnabled(); }, 30000);
}

bool invoke(ScripterWindow *window, int entryPoint)
{
    QAction *action = nullptr;
    for (QAction *candidate : window->actions()->entryPointActions()) {
        if (candidate->data().toInt() == entryPoint) {
            action = candidate;
        }
    }
    if (!action || !QTest::qWaitFor([action] { return action->isEnabled(); })) {
        return false;
    }
    action->trigger();
    return true;
}

// (a) From the click to the script's first statement, as logged by the script.
double clickToFirstStatementMs(ScripterWindow *window, const QString &program)
{
    window->setScriptText(XMLValues::JAVASCRIPT, program);
    window->actions()->entryPointSelector()->updateAvailability(true);
    double best = -1;
    for (int round = 0; round < Rounds; ++round) {
        const qint64 before = loggedAt(marker).size();
        const qint64 clicked = QDateTime::currentMSecsSinceEpoch();
        if (!invoke(window, EntryPoints::JobArrived) || !waitUntilUsable(window)) {
            return -1;
        }
        const QList<qint64> times = loggedAt(marker);
        if (times.size() != before + 1) {
            return -1;
        }
        const double ms = double(times.last() - clicked);
        best = best < 0 ? ms : std::min(best, ms);
    }
    return best;
}

double bareEngineMs(const QString &program)
{
    return Bench::bestMs(Rounds, [&program] {
        QJSEngine engine;
        engine.evaluate(JsLexer(program).withoutTypeAnnotations());
        return engine.globalObject().property(QStringLiteral("jobArrived")).isCallable();
    });
}

// (b) From Abort to the window usable again.
double abortToUsableMs(ScripterWindow *window)
{
    window->setScriptText(XMLValues::JAVASCRIPT, endless);
    window->actions()->entryPointSelector()->updateAvailability(true);
    double best = -1;
    for (int round = 0; round < Rounds; ++round) {
        if (!invoke(window, EntryPoints::TimerFired)) {
            return -1;
        }
        QTest::qWait(100); // deep in the loop
        QElapsedTimer timer;
        timer.start();
        window->actions()->abortAction()->trigger();
        if (!waitUntilUsable(window)) {
            return -1;
        }
        const double ms = timer.nsecsElapsed() / 1e6;
        best = best < 0 ? ms : std::min(best, ms);
    }
    return best;
}

double bareEngineStopMs()
{
    return Bench::bestMs(Rounds, [] {
        QJSEngine engine;
        std::unique_ptr<QThread> thread(
            QThread::create([&engine] { engine.evaluate(QStringLiteral("while ( true ) {}")); }));
        engine.moveToThread(thread.get());
        thread->start();
        QThread::msleep(100);
        engine.setInterrupted(true);
        thread->wait();
        return true;
    });
}

// (c) The logging script's run time, first to last message, with the window showing them.
double loggingRunInWindowMs(ScripterWindow *window)
{
    window->setScriptText(XMLValues::JAVASCRIPT, logging);
    window->actions()->entryPointSelector()->updateAvailability(true);
    const QString message = QStringLiteral("message %1");
    const qsizetype before = loggedAt(message).size();
    if (!invoke(window, EntryPoints::TimerFired) || !waitUntilUsable(window)) {
        return -1;
    }
    const QList<qint64> times = loggedAt(message).mid(before);
    return times.size() == LoggedMessages ? double(times.last() - times.first()) : -1;
}

double loggingRunAloneMs(ScripterWindow *window)
{
    Scripter::Fixture *fixture = window->fixture();
    if (!fixture->buildTestFlow()) {
        return -1;
    }
    const QString message = QStringLiteral("message %1");
    const qsizetype before = loggedAt(message).size();
    std::unique_ptr<QThread> thread(QThread::create([fixture] {
        BaseFrameworkEnvironment environment;
        Tavrix tavrix(fixture->testFlow(), QStringLiteral("1"), &environment, nullptr, nullptr);
        BaseEntriesManager::instance()->timerFired(&tavrix, {logging, XMLValues::JAVASCRIPT},
                                                   nullptr);
    }));
    thread->start();
    thread->wait();
    const QList<qint64> times = loggedAt(message).mid(before);
    return times.size() == LoggedMessages ? double(times.last() - times.first()) : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    return Bench::runInProgram(argc, argv, [](const Bench::ProgramWorld &world) {
        ScripterWindow *window = world.window(0);
        const QString package = ExamplePackage::copyInto(world.filePath(QStringLiteral("example")));
        if (package.isEmpty() || !world.processor()->open(package, window)) {
            std::fprintf(stderr, "cannot open the example package\n");
            return 1;
        }
        window->fixture()->tree()->basicItem()->setPropertyValue(
            SRCore::XMLKey::TESTFOLDER, world.filePath(QStringLiteral("runs")));
        window->fixturePane()->show();

        const QString example = window->scriptText(XMLValues::JAVASCRIPT);
        const QString program = example;
        QString marked = example;
        marked.replace(
            QStringLiteral("function jobArrived( s : Tavrix, job : Job )\n{"),
            QStringLiteral("function jobArrived( s : Tavrix, job : Job )\n{\n    s.log( 1, \"")
                + marker + QStringLiteral("\" );"));
        bool ok =
            Bench::report("click on Invoke to the first statement of jobArrived",
                          clickToFirstStatementMs(window, marked),
                          "a bare QJSEngine compiling and finding it", bareEngineMs(program), 50);
        ok = Bench::report("Abort of an endless loop to the window usable again",
                           abortToUsableMs(window), "a bare QJSEngine stopped on a thread",
                           bareEngineStopMs(), 400)
             && ok;
        const double alone = loggingRunAloneMs(window);
        ok = Bench::report("a script logging 3000 messages while the window shows them",
                           loggingRunInWindowMs(window), "the same run without a window", alone,
                           alone * 1.1)
             && ok;
        return ok ? 0 : 1;
    });
}
