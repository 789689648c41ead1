#pragma once

// Files as the tests prepare and check them: whole files written and read, and snapshots of
// folders to tell what an operation wrote, changed or left behind.

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>
#include <QStringList>

namespace TestFiles {

// Copies the folder `source` with everything below it to `target`; false when a file fails.
inline bool copyFolder(const QString &source, const QString &target)
{
    const QDir from(source);
    QDirIterator it(source, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString copy = target + QLatin1Char('/') + from.relativeFilePath(file);
        if (!QDir().mkpath(QFileInfo(copy).absolutePath()) || !QFile::copy(file, copy)) {
            return false;
        }
    }
    return true;
}

// Writes `data` to `path`, creating its folder; false when not all of it was written.
inline bool writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// The whole content of `path`; empty when it can't be read.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Names of everything directly in `folder`, hidden entries too.
inline QStringList entriesBelow(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                  | QDir::NoDotAndDotDot);
}

// Relative path → content of everything below `folder`: folders as "name/" without content,
// symbolic links as "name@" with their target. Equal snapshots mean nothing was written or
// removed.
inline QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> result;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        const QString name = QDir(folder).relativeFilePath(path);
        if (info.isSymLink()) {
            result.insert(name + QLatin1Char('@'), QFile::encodeName(info.symLinkTarget()));
        } else if (info.isDir()) {
            result.insert(name + QLatin1Char('/'), QByteArray());
        } else {
            result.insert(name, readFile(path));
        }
    }
    return result;
}

// Relative path (folders as "name/") → modification time in seconds of everything below
// `folder` but symbolic links.
inline QMap<QString, qint64> modificationTimes(const QString &folder)
{
    QMap<QString, qint64> result;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (!info.isSymLink()) {
            const QString name = QDir(folder).relativeFilePath(info.filePath());
            result.insert(info.isDir() ? name + QLatin1Char('/') : name,
                          info.lastModified().toSecsSinceEpoch());
        }
    }
    return result;
}

// The first few differences between two snapshots, readable in a failure; empty when equal.
template<typename Value>
QString differences(const QMap<QString, Value> &expected, const QMap<QString, Value> &actual)
{
    QStringList lines;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (!actual.contains(it.key())) {
            lines << QStringLiteral("missing: ") + it.key();
        } else if (actual.value(it.key()) != it.value()) {
            lines << QStringLiteral("different: ") + it.key();
        }
    }
    for (auto it = actual.cbegin(); it != actual.cend(); ++it) {
        if (!expected.contains(it.key())) {
            lines << QStringLiteral("unexpected: ") + it.key();
        }
    }
    return lines.mid(0, 10).join(QLatin1Char('\n'));
}

} // namespace TestFiles
