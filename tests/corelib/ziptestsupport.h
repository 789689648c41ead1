#pragma once

// What the zip archive tests share: a sample tree of the cases that archives get wrong, its
// snapshot with times, and archive entries written as "name=content" in the test tables.

#include "common/pythonzip.h"
#include "common/testfiles.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <sys/stat.h>

namespace ZipTest {

using PythonZip::runPython;
using PythonZip::runTool;
using PythonZip::ToolResult;
using TestFiles::differences;
using TestFiles::readFile;
using TestFiles::writeFile;

// A password with non-ASCII letters: zip, unzip and Python all take it as its UTF-8 bytes.
inline QString password()
{
    return QStringLiteral(";qwr<mbnzpxv-ß");
}

inline bool setModificationTime(const QString &path, qint64 seconds)
{
    const struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(seconds), 0}};
    return utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

// Everything below a folder (TestFiles::snapshot) and the modification times.
struct Snapshot
{
    QMap<QString, QByteArray> contents;
    QMap<QString, qint64> times;
};

inline Snapshot snapshot(const QString &folder)
{
    return {TestFiles::snapshot(folder), TestFiles::modificationTimes(folder)};
}

// The differences in contents and times, readable in a failure; empty when equal.
inline QString differences(const Snapshot &expected, const Snapshot &actual)
{
    return TestFiles::differences(expected.contents, actual.contents)
           + TestFiles::differences(expected.times, actual.times);
}

// The cases that archives get wrong: non-ASCII names in files and folders, an empty file, an
// empty folder, nested folders, a hidden file, compressible text and a random file that spans
// several copy buffers of a quarter mebibyte without filling the last one.
// Every file and folder gets its own even-second time (DOS times have 2-second steps).
inline Snapshot makeSampleTree(const QString &root)
{
    QRandomGenerator random(20240611);
    QByteArray binary(640 * 1024 + 4, Qt::Uninitialized);
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

// Writes an archive with Python's zipfile, which stores any name it is given. Each entry is
// "name=content"; a name ending in "@" becomes a symbolic link to its content.
inline bool writeArchiveWithPython(const QString &archive, const QStringList &entries)
{
    QList<PythonZip::Entry> list;
    for (const QString &entry : entries) {
        const QString name = entry.section(QLatin1Char('='), 0, 0);
        const bool link = name.endsWith(QLatin1Char('@'));
        list.append(
            {link ? name.chopped(1) : name, entry.section(QLatin1Char('='), 1).toUtf8(), link});
    }
    return PythonZip::write(archive, list);
}

} // namespace ZipTest
