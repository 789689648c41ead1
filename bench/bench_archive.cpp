// Speed of ZipHelper against zip and unzip on the same 50 MB folder of mixed files, measured in
// the same run: compressing a folder's contents at the default level, and extracting an archive.
// Prints the best of three runs of each and the ratios ours / theirs.

#include "benchsupport.h"

#include "corelib/archive/ziphelper.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

constexpr int kRuns = 3;
constexpr double kTargetRatio = 1.5;

struct DataSet
{
    qint64 bytes = 0;
    int files = 0;
};

bool writeFile(const QString &path, const QByteArray &data, DataSet &dataSet)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        return false;
    }
    dataSet.bytes += data.size();
    ++dataSet.files;
    return true;
}

QByteArray randomBytes(QRandomGenerator &random, qsizetype size)
{
    QByteArray data(size, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32 *>(data.data()), size / 4);
    return data;
}

QByteArray text(QRandomGenerator &random, qsizetype size)
{
    static const QList<QByteArray> words = {
        "job",   "flow",       "element", "script",  "property", "connection", "folder",
        "value", "metadata",   "ticket",  "arrived", "timer",    "<field>",    "</field>",
        "true",  "processing", "\n",      "=",       "Tavrix",   "0.5",        "2024-06-11"};
    QByteArray data;
    data.reserve(size + 16);
    while (data.size() < size) {
        data += words.at(random.bounded(int(words.size()))) + ' ';
    }
    data.truncate(size);
    return data;
}

// About 50 MB: compressible text, incompressible random data, many small files and a few nested
// folders.
bool generate(const QString &root, DataSet &dataSet)
{
    QRandomGenerator random(20240611);
    for (int i = 0; i < 10; ++i) {
        if (!writeFile(QStringLiteral("%1/text/document%2.xml").arg(root).arg(i),
                       text(random, 2 * 1024 * 1024), dataSet)) {
            return false;
        }
    }
    for (int i = 0; i < 4; ++i) {
        if (!writeFile(QStringLiteral("%1/binary/image%2.bin").arg(root).arg(i),
                       randomBytes(random, 5 * 1024 * 1024), dataSet)) {
            return false;
        }
    }
    for (int i = 0; i < 2000; ++i) {
        const QString path = QStringLiteral("%1/small/group%2/set%3/file%4.%5")
                                 .arg(root)
                                 .arg(i % 8)
                                 .arg(i % 3)
                                 .arg(i)
                                 .arg(i % 4 ? QStringLiteral("txt") : QStringLiteral("dat"));
        const qsizetype size = 1024 + random.bounded(8 * 1024);
        if (!writeFile(path, i % 4 ? text(random, size) : randomBytes(random, size), dataSet)) {
            return false;
        }
    }
    return true;
}

bool runTool(const QString &program, const QStringList &arguments, const QString &folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    const bool ok = process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit
                    && process.exitCode() == 0;
    if (!ok) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     qPrintable(process.errorString()
                                + QString::fromLocal8Bit(process.readAllStandardError())));
    }
    return ok;
}

// Seconds of the fastest of kRuns runs of `run`, with `prepare` before each outside the
// timing; negative when a run failed.
double bestTime(const std::function<bool()> &prepare, const std::function<bool()> &run)
{
    return Bench::bestMs(kRuns, prepare, run) / 1000;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    const QString ourArchive = dir.filePath(QStringLiteral("ours.zip"));
    const QString theirArchive = dir.filePath(QStringLiteral("theirs.zip"));
    const QString target = dir.filePath(QStringLiteral("target"));
    DataSet dataSet;
    if (!dir.isValid() || !generate(data, dataSet)) {
        std::fprintf(stderr, "Can't write the test data\n");
        return 1;
    }
    std::printf("data: %.1f MB in %d files\n", dataSet.bytes / 1e6, dataSet.files);

    const auto removing = [](const QString &path) {
        return [path] {
            return !QFile::exists(path) || QFile::remove(path);
        };
    };
    const auto removeTarget = [&] {
        return QDir(target).removeRecursively();
    };
    QString error;
    const double ourCompress = bestTime(removing(ourArchive), [&] {
        return ZipHelper::compressFolderContents(data, ourArchive, false, QString(), -1, &error);
    });
    const double theirCompress = bestTime(removing(theirArchive), [&] {
        return runTool(
            QStringLiteral("zip"),
            {QStringLiteral("-r"), QStringLiteral("-q"), theirArchive, QStringLiteral(".")}, data);
    });
    // Both extract the archive that zip wrote.
    const double ourExtract = bestTime(removeTarget, [&] {
        return ZipHelper::extractFiles(theirArchive, target, false, QString(), false, &error);
    });
    const double theirExtract = bestTime(removeTarget, [&] {
        return runTool(QStringLiteral("unzip"),
                       {QStringLiteral("-q"), theirArchive, QStringLiteral("-d"), target},
                       dir.path());
    });
    if (ourCompress < 0 || theirCompress < 0 || ourExtract < 0 || theirExtract < 0) {
        std::fprintf(stderr, "A run failed: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("archive size: ZipHelper %.1f MB, zip %.1f MB\n",
                QFileInfo(ourArchive).size() / 1e6, QFileInfo(theirArchive).size() / 1e6);
    std::printf("compress: ZipHelper %.3f s, zip -r -q %.3f s (best of %d)\n", ourCompress,
                theirCompress, kRuns);
    std::printf("extract: ZipHelper %.3f s, unzip -q %.3f s (best of %d)\n", ourExtract,
                theirExtract, kRuns);
    std::printf("compress ratio: %.2f (target <= %.2f)\n", ourCompress / theirCompress,
                kTargetRatio);
    std::printf("extract ratio: %.2f (target <= %.2f)\n", ourExtract / theirExtract, kTargetRatio);
    return 0;
}
