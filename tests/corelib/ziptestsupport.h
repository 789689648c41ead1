#pragma once

// Helpers shared by the zip archive tests: sample trees, snapshots of folders to compare, and
// running zip, unzip and Python as independent readers and writers of archives.

#include "../testfiles.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <sys/stat.h>

namespace ZipTest {

// A password with non-ASCII letters: zip, unzip and Python all take it as its UTF-8 bytes.
inline QString password()
{
    return QStringLiteral(";qwr<mbnzpxv-ß");
}

using TestFiles::writeFile;

using TestFiles::readFile;

inline bool setModificationTime(const QString &path, qint64 seconds)
{
    const struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(seconds), 0}};
    return utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

// Everything below a folder: files with their contents, folders as "name/", links as
// "name@" with their target; and the modification time of each file and folder.
struct Snapshot
{
    QMap<QString, QByteArray> contents;
    QMap<QString, qint64> times;
};

inline Snapshot snapshot(const QString &folder)
{
    Snapshot result;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        QString name = QDir(folder).relativeFilePath(path);
        if (info.isSymLink()) {
            result.contents.insert(name + QLatin1Char('@'),
                                   QFile::encodeName(info.symLinkTarget()));
            continue;
        }
        if (info.isDir()) {
            name += QLatin1Char('/');
        }
        result.contents.insert(name, info.isDir() ? QByteArray() : readFile(path));
        result.times.insert(name, info.lastModified().toSecsSinceEpoch());
    }
    return result;
}

// The first few differences, readable in a test failure; empty when there are none.
inline QString differences(const QMap<QString, QByteArray> &expected,
                           const QMap<QString, QByteArray> &actual)
{
    QStringList lines;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (!actual.contains(it.key())) {
            lines << QStringLiteral("missing: ") + it.key();
        } else if (actual.value(it.key()) != it.value()) {
            lines << QStringLiteral("different content: ") + it.key();
        }
    }
    for (auto it = actual.cbegin(); it != actual.cend(); ++it) {
        if (!expected.contains(it.key())) {
            lines << QStringLiteral("unexpected: ") + it.key();
        }
    }
    return lines.mid(0, 10).join(QLatin1Char('\n'));
}

inline QString timeDifferences(const QMap<QString, qint64> &expected,
                               const QMap<QString, qint64> &actual)
{
    QStringList lines;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (actual.value(it.key(), -1) != it.value()) {
            lines << QStringLiteral("%1: expected %2, got %3")
                         .arg(it.key())
                         .arg(it.value())
                         .arg(actual.value(it.key(), -1));
        }
    }
    return lines.mid(0, 10).join(QLatin1Char('\n'));
}

// The cases that archives get wrong: non-ASCII names in files and folders, an empty file, an
// empty folder, nested folders, a hidden file, compressible text and a larger random file.
// Every file and folder gets its own even-second time (DOS times have 2-second steps).
inline Snapshot makeSampleTree(const QString &root)
{
    QRandomGenerator random(20240611);
    QByteArray binary(2 * 1024 * 1024, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32 *>(binary.data()), binary.size() / 4);
    const QMap<QString, QByteArray> files = {
        {QStringLiteral("plain.txt"), QByteArray("Line of compressible text.\n").repeated(4000)},
        {QStringLiteral("empty.txt"), QByteArray()},
        {QStringLiteral(".hidden"), QByteArray("hidden\n")},
        {QStringLiteral("ünïcødé Ωmega 日本.txt"), QByteArray("non-ASCII name\n")},
        {QStringLiteral("nested/deeper/deepest/leaf.txt"), QByteArray("deep\n")},
        {QStringLiteral("nested/ordner ä/datei ö.bin"), binary.left(1000)},
        {QStringLiteral("large.bin"), binary},
    };
    qint64 time = 1623760496; // 2021-06-15 12:34:56 UTC
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        writeFile(root + QLatin1Char('/') + it.key(), it.value());
        setModificationTime(root + QLatin1Char('/') + it.key(), time += 2);
    }
    QDir(root).mkpath(QStringLiteral("empty folder"));
    const QStringList folders = {
        QStringLiteral("empty folder"), QStringLiteral("nested"), QStringLiteral("nested/deeper"),
        QStringLiteral("nested/deeper/deepest"), QStringLiteral("nested/ordner ä")};
    for (const QString &folder : folders) {
        setModificationTime(root + QLatin1Char('/') + folder, time += 2);
    }
    return snapshot(root);
}

struct ToolResult
{
    int exitCode = -1;
    QByteArray output;
};

// Runs a tool to its end; exit code -1 when it could not be started.
inline ToolResult runTool(const QString &program, const QStringList &arguments,
                          const QString &workingDirectory = QString())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForStarted() || !process.waitForFinished(120000)) {
        result.output = process.errorString().toUtf8();
        return result;
    }
    result.output = process.readAll();
    if (process.exitStatus() == QProcess::NormalExit) {
        result.exitCode = process.exitCode();
    }
    return result;
}

inline ToolResult runPython(const QString &script, const QStringList &arguments)
{
    return runTool(QStringLiteral("python3"),
                   QStringList{QStringLiteral("-c"), script} + arguments);
}

// Writes an archive with Python's zipfile, which stores any name it is given. Each entry is
// "name=content"; a name ending in "@" becomes a symbolic link to its content.
inline ToolResult writeArchiveWithPython(const QString &archive, const QStringList &entries)
{
    return runPython(QStringLiteral(R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    for entry in sys.argv[2:]:
        name, content = entry.split('=', 1)
        info = zipfile.ZipInfo(name.rstrip('@'), (2020, 1, 1, 0, 0, 0))
        if name.endswith('@'):
            info.create_system = 3
            info.external_attr = 0o120777 << 16
        z.writestr(info, content)
)"),
                     QStringList{archive} + entries);
}

} // namespace ZipTest
