// Start-up of the program to its first window, against a bare Qt window program started the
// same way. Each is started as a process on the offscreen platform and counts as up when it
// answers over the single-instance channel: it answers from its event loop, which runs only
// after the first window was shown.

#include "benchsupport.h"

#include "app/instancechannel.h"

#include <QApplication>
#include <QMainWindow>
#include <QProcess>
#include <QThread>

#include <cstring>

namespace {

constexpr int kRuns = 7;
constexpr double kTargetMs = 400;
const char kBareWindowOption[] = "--bare-window";
const QString kBareWindowIdentifier = QStringLiteral("TavrixScripterBenchBareWindow");

// The baseline's own process: a main window of the program's minimum size and the channel.
int runBareWindow(int argc, char *argv[])
{
    QApplication application(argc, argv);
    Scripter::InstanceChannel channel(kBareWindowIdentifier);
    if (channel.isRunning()) {
        return 1;
    }
    QMainWindow window;
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}

// Milliseconds from starting `program` to its first answer on the channel `identifier`;
// negative when it ended or did not answer within 30 s.
double timeToFirstAnswer(const QString &program, const QStringList &arguments,
                         const QString &identifier)
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
    double elapsed = -1;
    while (process.state() != QProcess::NotRunning && timer.elapsed() < 30000) {
        if (probe.runningProcessId() == process.processId()
            && probe.sendMessage(QStringLiteral("ctrl"), 1000)) {
            elapsed = timer.nsecsElapsed() / 1e6;
            break;
        }
        QThread::msleep(1);
    }
    process.kill();
    process.waitForFinished();
    return elapsed;
}

double bestStart(const QString &program, const QStringList &arguments, const QString &identifier)
{
    return Bench::bestMs(kRuns,
                         [&] { return timeToFirstAnswer(program, arguments, identifier) >= 0; });
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], kBareWindowOption) == 0) {
        return runBareWindow(argc, argv);
    }
    QCoreApplication application(argc, argv);
    const Bench::PrivateHome home;
    if (!home.isValid()) {
        std::fprintf(stderr, "cannot create a private home\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program's first start creates its folders and message database; a user's starts find
    // them, so the first start is not counted.
    timeToFirstAnswer(QStringLiteral(TAVRIX_PROGRAM), {}, QStringLiteral("TavrixScripter"));

    const double program =
        bestStart(QStringLiteral(TAVRIX_PROGRAM), {}, QStringLiteral("TavrixScripter"));
    const double bare = bestStart(QCoreApplication::applicationFilePath(),
                                  {QString::fromLatin1(kBareWindowOption)}, kBareWindowIdentifier);
    std::printf("best of %d starts each, offscreen platform\n", kRuns);
    return Bench::report("start-up to the first window", program, "bare Qt main window", bare,
                         kTargetMs)
               ? 0
               : 1;
}
