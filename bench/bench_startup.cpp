// Start-up of the program to its first window, against a bare Qt main window (barewindow.cpp)
// started the same way. Each is started as a process on the offscreen platform and counts as up
// when it answers over the single-instance channel: it answers from its event loop, which runs
// only after the first window was shown.

#include "benchsupport.h"

#include "app/instancechannel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <limits>

namespace {

// Single starts of either program swing by a third with the load of the machine; the best of
// many is the figure that repeats.
constexpr int kRuns = 15;
constexpr double kTargetMs = 400;
const QString kBareWindowIdentifier = QStringLiteral("TavrixScripterBenchBareWindow");

struct Start
{
    double wallMs = -1; // negative when the program ended or did not answer within 30 s
    double cpuMs = -1;  // of all its threads until then
};

// CPU time the threads of process `pid` have had so far, from the scheduler's nanosecond
// counts (the clock-tick counts of /proc/PID/stat are too coarse for a start of 30 ms).
double cpuMsOf(qint64 pid)
{
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    double nanoseconds = 0;
    for (const QString &task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks + QLatin1Char('/') + task + QStringLiteral("/schedstat"));
        if (stat.open(QIODevice::ReadOnly)) {
            nanoseconds += stat.readAll().split(' ').value(0).toDouble();
        }
    }
    return nanoseconds / 1e6;
}

// Starts `program` and waits for its first answer on the channel `identifier`.
Start firstAnswer(const QString &program, const QStringList &arguments, const QString &identifier)
{
    QProcess process;
    // The platform plugin's notes on every start would bury the figures.
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    // Asks only once the program holds the lock, so that the probe never becomes the running
    // instance itself.
    Scripter::InstanceChannel probe(identifier);
    Start start;
    while (process.state() != QProcess::NotRunning && timer.elapsed() < 30000) {
        if (probe.runningProcessId() == process.processId()
            && probe.sendMessage(QStringLiteral("ctrl"), 1000)) {
            start.wallMs = timer.nsecsElapsed() / 1e6;
            start.cpuMs = cpuMsOf(process.processId());
            break;
        }
        QThread::msleep(1);
    }
    // Ended as a desktop session ends it, so that the next start finds what a user's start finds
    // rather than the leftovers of a crash.
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
    }
    return start;
}

// The best wall time and the best CPU time of kRuns starts (ending the process is not counted).
Start bestStart(const QString &program, const QStringList &arguments, const QString &identifier)
{
    Start best{std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
    for (int i = 0; i < kRuns; ++i) {
        const Start start = firstAnswer(program, arguments, identifier);
        if (start.wallMs < 0) {
            return {};
        }
        best.wallMs = std::min(best.wallMs, start.wallMs);
        best.cpuMs = std::min(best.cpuMs, start.cpuMs);
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const Bench::PrivateHome home;
    if (!home.isValid()) {
        std::fprintf(stderr, "cannot create a private home\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program's first start creates its folders and message database; a user's starts find
    // them, so the first start is not counted.
    firstAnswer(QStringLiteral(TAVRIX_PROGRAM), {}, QStringLiteral("TavrixScripter"));

    const Start program =
        bestStart(QStringLiteral(TAVRIX_PROGRAM), {}, QStringLiteral("TavrixScripter"));
    const Start bare = bestStart(QStringLiteral(TAVRIX_BARE_WINDOW), {kBareWindowIdentifier},
                                 kBareWindowIdentifier);
    std::printf("best of %d starts each, offscreen platform\n", kRuns);
    // The processor time is the steadier figure on a machine that is busy with other work.
    const bool reported = Bench::report("start-up to the first window", program.wallMs,
                                        "bare Qt main window", bare.wallMs, kTargetMs)
                          && Bench::report("processor time until the first window", program.cpuMs,
                                           "bare Qt main window", bare.cpuMs, kTargetMs);
    return reported ? 0 : 1;
}
