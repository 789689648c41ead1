#include "scriptprocess.h"

#include "iframeworkenvironment.h"
#include "iscripthost.h"

#include <QDeadlineTimer>
#include <QProcess>

namespace {

// How often a waiting script looks whether its run was stopped.
constexpr int kPollMs = 50;

} // namespace

QVariantMap ScriptProcess::run(const QString &program, const QStringList &arguments,
                               int timeoutSeconds) const
{
    if (timeoutSeconds < 1) {
        raiseError(tr("The time-out must be at least 1 second, not %1").arg(timeoutSeconds));
        return {};
    }
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        raiseError(tr("'%1' can't be started: %2").arg(program, process.errorString()));
        return {};
    }
    const IScriptHost *host = environment() ? environment()->scriptHost() : nullptr;
    const QDeadlineTimer deadline(qint64(timeoutSeconds) * 1000);
    bool timedOut = false;
    while (!process.waitForFinished(kPollMs)) {
        if (process.state() == QProcess::NotRunning) {
            break;
        }
        if (host && host->isInterrupted()) {
            process.kill();
            process.waitForFinished();
            raiseError(tr("'%1' was killed: the run was stopped").arg(program));
            return {};
        }
        if (deadline.hasExpired()) {
            timedOut = true;
            process.kill();
            process.waitForFinished();
            break;
        }
    }
    const bool crashed = process.exitStatus() == QProcess::CrashExit;
    return {
        {QStringLiteral("exitCode"), timedOut || crashed ? -1 : process.exitCode()},
        {QStringLiteral("stdout"), QString::fromLocal8Bit(process.readAllStandardOutput())},
        {QStringLiteral("stderr"), QString::fromLocal8Bit(process.readAllStandardError())},
        {QStringLiteral("timedOut"), timedOut},
    };
}
