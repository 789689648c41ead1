// `tavrixscripter-cli run` of the bundled example, from the start of the process to its end,
// against `info` on the same package (starting the tool and opening the package) plus the run
// time of the script itself (from the run's start message to its end message). What is left is
// what running headless adds: the entries manager, the test flow, the runner's thread and the
// reports. Target: a ratio of at most 1.5.

#include "benchsupport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

constexpr int kRuns = 7;
constexpr double kTargetRatio = 1.5;
const QString kExample =
    QStringLiteral(TAVRIX_EXAMPLES_DIR "/InvoiceRouter/InvoiceRouter/InvoiceRouter.tscript");

// Runs the tool with `arguments`; its stdout, or a null array when it failed.
QByteArray runTool(const QStringList &arguments)
{
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(QStringLiteral(TAVRIX_CLI), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        return QByteArray();
    }
    return process.readAllStandardOutput();
}

// Milliseconds from the first to the last message of the run in the JSON report; negative when
// the report has none.
double scriptMs(const QByteArray &json)
{
    const QJsonArray runs = QJsonDocument::fromJson(json).object().value("runs").toArray();
    const QJsonArray messages = runs.at(0).toObject().value("messages").toArray();
    if (messages.size() < 2) {
        return -1;
    }
    const auto time = [](const QJsonValue &message) {
        return QDateTime::fromString(message.toObject().value("time").toString(),
                                     Qt::ISODateWithMs);
    };
    return double(time(messages.first()).msecsTo(time(messages.last())));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const Bench::PrivateHome home;
    if (!home.isValid()) {
        std::fprintf(stderr, "no private home\n");
        return 1;
    }
    const QStringList runArguments = {QStringLiteral("run"), kExample, QStringLiteral("--json"),
                                      QStringLiteral("--test-folder"),
                                      home.filePath(QStringLiteral("test"))};
    double script = std::numeric_limits<double>::max();
    const double run = Bench::bestMs(kRuns, [&] {
        const QByteArray json = runTool(runArguments);
        script = std::min(script, scriptMs(json));
        return !json.isNull();
    });
    const double info = Bench::bestMs(kRuns, [] {
        return !runTool({QStringLiteral("info"), kExample}).isNull();
    });
    if (run < 0 || info < 0 || script < 0) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    const double baseline = info + script;
    const double ratio = run / baseline;
    std::printf("run of the example: %.1f ms; info %.1f ms + the script's run %.1f ms = %.1f ms; "
                "ratio %.2f (target <= %.1f: %s)\n",
                run, info, script, baseline, ratio, kTargetRatio,
                ratio <= kTargetRatio ? "met" : "MISSED");
    return 0;
}
