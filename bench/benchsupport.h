#pragma once

// What the benchmarks share: timing the best of several runs, a private home for the program's
// settings, data and temporary files, and one way of printing a figure against its baseline.

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>

namespace Bench {

// Milliseconds of the fastest of `runs` runs of `run`, with `prepare` before each outside the
// timing; negative when a step failed.
inline double bestMs(int runs, const std::function<bool()> &prepare,
                     const std::function<bool()> &run)
{
    double best = std::numeric_limits<double>::max();
    for (int i = 0; i < runs; ++i) {
        if (!prepare()) {
            return -1;
        }
        QElapsedTimer timer;
        timer.start();
        if (!run()) {
            return -1;
        }
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

inline double bestMs(int runs, const std::function<bool()> &run)
{
    return bestMs(
        runs, [] { return true; }, run);
}

// The benchmarks of windows need no screen; a platform that the user chose is kept.
inline void preferOffscreenPlatform()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

// One line per figure: ours, the baseline, their ratio and the target. False when either
// measurement failed, so that main() can end with a failure.
inline bool report(const char *what, double ourMs, const char *baseline, double baselineMs,
                   double targetMs)
{
    if (ourMs < 0 || baselineMs < 0) {
        std::fprintf(stderr, "%s: a run failed\n", what);
        return false;
    }
    std::printf("%s: %.1f ms (target < %.0f ms: %s); %s %.1f ms; ratio %.2f\n", what, ourMs,
                targetMs, ourMs < targetMs ? "met" : "MISSED", baseline, baselineMs,
                ourMs / baselineMs);
    return true;
}

// Settings, data and temporary files of the program go to a folder of their own for as long as
// this lives, for this process and the processes it starts: a benchmark neither reads nor
// disturbs the user's program.
class PrivateHome
{
public:
    PrivateHome()
    {
        if (!m_home.isValid()) {
            return;
        }
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "TMPDIR"}) {
            const QString folder = m_home.filePath(QString::fromLatin1(name));
            // Qt accepts a runtime folder only when no one else may enter it.
            m_valid = QDir().mkpath(folder)
                      && QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner
                                                           | QFile::ExeOwner)
                      && qputenv(name, folder.toLocal8Bit());
            if (!m_valid) {
                return;
            }
        }
    }
    PrivateHome(const PrivateHome &) = delete;
    PrivateHome &operator=(const PrivateHome &) = delete;

    bool isValid() const { return m_valid; }
    QString filePath(const QString &name) const { return m_home.filePath(name); }

private:
    QTemporaryDir m_home;
    bool m_valid = false;
};

} // namespace Bench
