#include "packagerun.h"

#include "commandline.h"
#include "headlessdocument.h"
#include "packagesession.h"

#include "package/declaration.h"
#include "testing/entrypointsrunner.h"
#include "testing/fixture.h"
#include "testing/fixtureitem.h"
#include "testing/fixturetree.h"
#include "testing/scripterentriesmanager.h"

#include "corelib/logging/logcapture.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

namespace Scripter {

namespace XMLKey = SRCore::XMLKey;

namespace {

// How often the tool looks for new messages and for the end of the run, as the window polls.
constexpr int kPollMs = 50;

// The name a job or connection is chosen by: the job's name in the tree, the connection's
// name.
QString itemName(const FixtureItem &item)
{
    return item.kind() == FixtureItem::OutgoingConnection ? item.value(XMLKey::CONNECTIONNAME)
                                                          : item.text(0);
}

QList<FixtureItem *> children(FixtureItem *group)
{
    QList<FixtureItem *> items;
    for (int i = 0; i < group->childCount(); ++i) {
        items.append(static_cast<FixtureItem *>(group->child(i)));
    }
    return items;
}

QString names(const QList<FixtureItem *> &items)
{
    QStringList list;
    for (const FixtureItem *item : items) {
        list.append(itemName(*item));
    }
    return list.isEmpty() ? PackageRun::tr("none") : list.join(QLatin1String(", "));
}

} // namespace

PackageRun::PackageRun(const Options &options, SRCore::ILogInterface *log,
                       const QString &temporaryFolder)
    : m_options(options)
    , m_log(log)
    , m_temporaryFolder(temporaryFolder)
{}

TestRunResult PackageRun::run(const QString &package, const QString &packageFile,
                              const MessageShown &shown)
{
    TestRunResult result;
    result.package = package;
    result.elementName = QFileInfo(packageFile).completeBaseName();
    result.entryPoint = CommandLine::entryPointName(m_options.entryPoint);

    PackageSession session(m_log);
    session.dialogs().setPassword(m_options.password);
    if (!session.open(packageFile)) {
        result.failures.append(session.failure());
        return result;
    }
    result.opened = true;
    HeadlessDocument &document = *session.document();
    result.elementName = document.declaration()->elementName();
    int entryPoint = EntryPoints::Count;
    if (!prepare(document, result) || !chooseEntryPoint(document, result, &entryPoint)) {
        return result;
    }
    // What the options changed is for this run only: the runner saves a modified package.
    document.setUnmodified();

    ScripterEntriesManager manager(m_temporaryFolder, m_log);
    EntryPointsRunner runner(session.processor(), m_log);
    runner.setRunTimeout(m_options.timeoutSeconds);
    runner.setArgumentSource([this, &result](int, const QString &key, const QStringList &choices) {
        return argument(key, choices, result);
    });
    bool timedOut = false;
    QObject::connect(&runner, &EntryPointsRunner::runTimedOut, [&timedOut] { timedOut = true; });

    SRCore::LogCapture tap;
    const auto showNew = [&tap, &result, &shown] {
        for (const SRCore::LogRecord &record : tap.take()) {
            result.messages.append(record);
            shown(record);
        }
    };
    QElapsedTimer clock;
    clock.start();
    result.started = runner.run(entryPoint, &document);
    if (result.started) {
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            showNew();
            if (!document.pollTestRun()) {
                loop.quit();
            }
        });
        poll.start(kPollMs);
        loop.exec();
    }
    result.milliseconds = clock.elapsed();
    showNew();

    if (!result.started) {
        result.failures.append(tr("%1 did not start").arg(result.entryPoint));
        result.failures.append(session.closedDialogs());
        return result;
    }
    if (timedOut) {
        result.failures.append(
            tr("the run took longer than %1 s and was stopped").arg(m_options.timeoutSeconds));
    }
    result.summary = manager.lastRunSummary();
    result.expectations = runner.expectationResults();
    collectConnections(document, result);
    return result;
}

bool PackageRun::prepare(HeadlessDocument &document, TestRunResult &result) const
{
    if (!m_options.fixture.isEmpty()
        && !document.loadFixture(QFileInfo(m_options.fixture).absoluteFilePath())) {
        result.failures.append(QStringLiteral("%1: %2").arg(
            QDir::toNativeSeparators(m_options.fixture), document.fixtureError()));
        return false;
    }
    FixtureTree *tree = document.fixture()->tree();
    if (!m_options.job.isEmpty()
        && !select(document, tree->incomingGroup(), m_options.job, tr("incoming job"), result)) {
        return false;
    }
    if (!m_options.connection.isEmpty()
        && !select(document, tree->outgoingGroup(), m_options.connection, tr("outgoing connection"),
                   result)) {
        return false;
    }
    if (!m_options.testFolder.isEmpty()) {
        // The test flow is built in the temporary folder when its folder is missing; the user
        // who names one wants it there.
        const QString folder = QFileInfo(m_options.testFolder).absoluteFilePath();
        if (!QDir().mkpath(folder)) {
            result.failures.append(tr("%1: the test folder can't be created")
                                       .arg(QDir::toNativeSeparators(m_options.testFolder)));
            return false;
        }
        tree->basicItem()->setPropertyValue(XMLKey::TESTFOLDER, folder);
    }
    if (document.currentLanguage().isEmpty()) {
        result.failures.append(tr("the package includes no program"));
        return false;
    }
    return true;
}

bool PackageRun::select(HeadlessDocument &document, FixtureItem *group, const QString &name,
                        const QString &what, TestRunResult &result) const
{
    const QList<FixtureItem *> items = children(group);
    for (FixtureItem *item : items) {
        if (itemName(*item) == name) {
            document.fixture()->tree()->setCurrentItem(item);
            return true;
        }
    }
    result.failures.append(
        tr("the fixture has no %1 '%2'; it has: %3").arg(what, name, names(items)));
    return false;
}

bool PackageRun::chooseEntryPoint(HeadlessDocument &document, TestRunResult &result,
                                  int *entryPoint) const
{
    const FixtureTree *tree = document.fixture()->tree();
    const bool hasJob = tree->hasUsableItem(FixtureItem::IncomingGroup);
    *entryPoint = m_options.entryPoint;
    if (*entryPoint == EntryPoints::Count) {
        *entryPoint = hasJob ? EntryPoints::JobArrived : EntryPoints::TimerFired;
    }
    result.entryPoint = CommandLine::entryPointName(*entryPoint);

    const QString language = document.currentLanguage();
    const QStringList defined = document.scriptFunctions(language);
    const QString function = EntryPoints::functionName(*entryPoint);
    if (!function.isEmpty() && !defined.contains(function)) {
        result.failures.append(
            tr("the %1 program does not define %2; it defines: %3")
                .arg(language, function,
                     defined.isEmpty() ? tr("none") : defined.join(QLatin1String(", "))));
        return false;
    }
    // The runner would refuse too, after building the test flow; this says which to choose.
    if (EntryPoints::needsJob(*entryPoint) && !hasJob) {
        const QList<FixtureItem *> jobs = children(tree->incomingGroup());
        result.failures.append(
            jobs.isEmpty()
                ? tr("%1 needs an incoming job, and the fixture has none").arg(result.entryPoint)
                : tr("%1 needs a current job; choose one with --job: %2")
                      .arg(result.entryPoint, names(jobs)));
        return false;
    }
    if (EntryPoints::usesConnection(*entryPoint)
        && !tree->hasUsableItem(FixtureItem::OutgoingGroup)) {
        result.failures.append(tr("%1 needs a current outgoing connection; choose one with "
                                  "--connection: %2")
                                   .arg(result.entryPoint, names(children(tree->outgoingGroup()))));
        return false;
    }
    return true;
}

QString PackageRun::argument(const QString &key, const QStringList &choices,
                             TestRunResult &result) const
{
    const QString offered = choices.join(QLatin1String(", "));
    if (!m_options.arguments.contains(key)) {
        result.failures.append(
            choices.isEmpty()
                ? tr("%1 needs --arg %2=VALUE").arg(result.entryPoint, key)
                : tr("%1 needs --arg %2=VALUE, one of: %3").arg(result.entryPoint, key, offered));
        return QString();
    }
    const QString value = m_options.arguments.value(key);
    if (choices.isEmpty()) {
        return value;
    }
    for (const QString &choice : choices) {
        if (choice.compare(value, Qt::CaseInsensitive) == 0) {
            return choice;
        }
    }
    result.failures.append(
        tr("--arg %1=%2 is not offered; use one of: %3").arg(key, value, offered));
    return QString();
}

void PackageRun::collectConnections(const HeadlessDocument &document, TestRunResult &result)
{
    for (const FixtureItem *item : children(document.fixture()->tree()->outgoingGroup())) {
        if (item->isEnabledForTest()) {
            result.connections.append({itemName(*item), {}});
        }
    }
    for (const RunSummary::Output &output : result.summary.outputs()) {
        auto connection = std::find_if(
            result.connections.begin(), result.connections.end(),
            [&output](const TestRunResult::Connection &c) { return c.name == output.connection; });
        if (connection == result.connections.end()) {
            result.connections.append({output.connection, {}});
            connection = result.connections.end() - 1;
        }
        connection->outputs.append(output);
    }
}

} // namespace Scripter
