// Speed of the VBScript engine against the system's Python 3 on the same three programs,
// measured in the same run: an arithmetic loop, building a long text piece by piece, and a
// quicksort of an array. Each side times its own work in processor time, so that other work on
// a shared machine does not count (the engine compiles and runs the script; Python runs the
// program in a function after starting up), and reports a result, which must agree.
// Prints the best of three runs of each and the ratios engine / Python; the target is 2.
// Then the time an interrupt from another thread takes to end a busy run (target: 100 ms),
// the longest of a few runs of different loops.

#include "benchsupport.h"

#include "scriptinglib/vbscript/engine.h"
#include "scriptinglib/vbscript/outputsink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSemaphore>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <limits>
#include <memory>

namespace {

constexpr int kRuns = 3;
constexpr double kTargetRatio = 2.0;

struct Program
{
    const char *name;
    const char *vbscript;
    const char *python;
};

const Program programs[] = {
    {"arithmetic loop (3,000,000 iterations)",
     "Dim i, total\n"
     "total = 0\n"
     "For i = 1 To 3000000\n"
     "    total = total + (i Mod 7) * 3 - 1\n"
     "Next\n"
     "WScript.Echo total\n",
     "total = 0\n"
     "for i in range(1, 3000001):\n"
     "    total = total + (i % 7) * 3 - 1\n"
     "result = total\n"},
    {"text building (300,000 pieces)",
     "Dim s, i\n"
     "s = \"\"\n"
     "For i = 1 To 300000\n"
     "    s = s & CStr(i) & \",\"\n"
     "Next\n"
     "WScript.Echo Len(s)\n",
     "s = ''\n"
     "for i in range(1, 300001):\n"
     "    s += str(i) + ','\n"
     "result = len(s)\n"},
    {"quicksort (100,000 numbers)",
     "Dim a(99999), i, seed, ordered\n"
     "seed = 12345\n"
     "For i = 0 To 99999\n"
     "    seed = (seed * 1103 + 12345) Mod 65536\n"
     "    a(i) = seed\n"
     "Next\n"
     "Sub QuickSort(a, lo, hi)\n"
     "    Dim i, j, pivot, t\n"
     "    i = lo: j = hi: pivot = a((lo + hi) \\ 2)\n"
     "    Do While i <= j\n"
     "        Do While a(i) < pivot: i = i + 1: Loop\n"
     "        Do While a(j) > pivot: j = j - 1: Loop\n"
     "        If i <= j Then\n"
     "            t = a(i): a(i) = a(j): a(j) = t\n"
     "            i = i + 1: j = j - 1\n"
     "        End If\n"
     "    Loop\n"
     "    If lo < j Then QuickSort a, lo, j\n"
     "    If i < hi Then QuickSort a, i, hi\n"
     "End Sub\n"
     "QuickSort a, 0, 99999\n"
     "ordered = 0\n"
     "For i = 1 To 99999\n"
     "    If a(i - 1) <= a(i) Then ordered = ordered + 1\n"
     "Next\n"
     "WScript.Echo ordered + a(0)\n",
     "a = [0] * 100000\n"
     "seed = 12345\n"
     "for i in range(100000):\n"
     "    seed = (seed * 1103 + 12345) % 65536\n"
     "    a[i] = seed\n"
     "def quicksort(a, lo, hi):\n"
     "    i = lo; j = hi; pivot = a[(lo + hi) // 2]\n"
     "    while i <= j:\n"
     "        while a[i] < pivot: i += 1\n"
     "        while a[j] > pivot: j -= 1\n"
     "        if i <= j:\n"
     "            a[i], a[j] = a[j], a[i]\n"
     "            i += 1; j -= 1\n"
     "    if lo < j: quicksort(a, lo, j)\n"
     "    if i < hi: quicksort(a, i, hi)\n"
     "quicksort(a, 0, 99999)\n"
     "ordered = 0\n"
     "for i in range(1, 100000):\n"
     "    if a[i - 1] <= a[i]: ordered += 1\n"
     "result = ordered + a[0]\n"},
};

class Echoes : public VBScript::OutputSink
{
public:
    void echo(const QString &text) override { last = text; }
    void log(int, const QString &message) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }

    QString last;
};

// The processor time of this thread so far.
double threadMs()
{
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return time.tv_sec * 1e3 + time.tv_nsec / 1e6;
}

// The engine's time for one program, and what it echoed.
double engineMs(const Program &program, QString *result)
{
    VBScript::Engine engine;
    Echoes echoes;
    engine.setOutput(&echoes);
    engine.addWScript();
    const double start = threadMs();
    if (!engine.load(QString::fromLatin1(program.vbscript))) {
        return -1;
    }
    const double elapsed = threadMs() - start;
    *result = echoes.last;
    return elapsed;
}

// Python's time for one program, run as the body of a function (so that its variables are
// the fast local ones) and measured by the program around its own work.
double pythonMs(const Program &program, QString *result)
{
    QString body;
    for (const QString &line : QString::fromLatin1(program.python).split(QLatin1Char('\n'))) {
        body += QStringLiteral("    ") + line + QLatin1Char('\n');
    }
    const QString code = QStringLiteral("import sys, time\n"
                                        "sys.setrecursionlimit(10000)\n"
                                        "def work():\n"
                                        "%1"
                                        "    return result\n"
                                        "start = time.process_time()\n"
                                        "result = work()\n"
                                        "print((time.process_time() - start) * 1000, result)\n")
                             .arg(body);
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral("-c"), code});
    if (!python.waitForFinished(120000) || python.exitCode() != 0) {
        std::fprintf(stderr, "python3: %s\n", python.readAllStandardError().constData());
        return -1;
    }
    const QStringList output =
        QString::fromLocal8Bit(python.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
    if (output.size() != 2) {
        return -1;
    }
    *result = output.at(1);
    return output.at(0).toDouble();
}

// Milliseconds from interrupt() to the end of a run busy in `loop`, or -1 when it failed.
double interruptMs(const char *loop)
{
    class Started : public VBScript::OutputSink
    {
    public:
        void echo(const QString &) override { started.release(); }
        void log(int, const QString &) override {}
        QSemaphore started;
    };
    Started output;
    VBScript::Engine engine;
    engine.setOutput(&output);
    engine.addWScript();
    QElapsedTimer timer;
    std::unique_ptr<QThread> worker(QThread::create(
        [&] { engine.load(QStringLiteral("WScript.Echo 1\n") + QString::fromLatin1(loop)); }));
    worker->start();
    if (!output.started.tryAcquire(1, 60000)) {
        return -1;
    }
    QThread::msleep(50);
    timer.start();
    engine.interrupt();
    return worker->wait(60000) ? timer.nsecsElapsed() / 1e6 : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    bool ok = true;
    for (const Program &program : programs) {
        QString ours;
        QString theirs;
        double engine = std::numeric_limits<double>::max();
        double python = std::numeric_limits<double>::max();
        for (int i = 0; i < kRuns; ++i) {
            engine = std::min(engine, engineMs(program, &ours));
            python = std::min(python, pythonMs(program, &theirs));
        }
        if (ours != theirs) {
            std::fprintf(stderr, "%s: the engine computed %s, Python %s\n", program.name,
                         qPrintable(ours), qPrintable(theirs));
            ok = false;
        }
        ok = Bench::report(program.name, engine, "python3", python, python * kTargetRatio) && ok;
    }
    const char *const loops[] = {
        "Do: Loop",
        "Sub f: End Sub\nDo: f: Loop",
        "Dim a(100000)\nDo\nFor i = 0 To 100000: a(i) = i & \"\": Next\nLoop",
        "Set d = CreateObject(\"Scripting.Dictionary\")\nDo\nd(Rnd) = 1\nLoop",
    };
    double longest = 0;
    for (const char *loop : loops) {
        const double ms = interruptMs(loop);
        if (ms < 0) {
            std::fprintf(stderr, "interrupt: a run did not stop\n");
            return 1;
        }
        longest = std::max(longest, ms);
    }
    std::printf("interrupt to the end of a busy run: %.1f ms (target < 100 ms: %s)\n", longest,
                longest < 100 ? "met" : "MISSED");
    return ok ? 0 : 1;
}
