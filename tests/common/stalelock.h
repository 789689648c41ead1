#pragma once

// Lock files left behind by a process that is gone, as a crash or a kill leaves them.

#include "common/testfiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QSysInfo>

namespace StaleLock {

// The number of a process that has ended.
inline qint64 deadProcessId()
{
    QProcess process;
    process.start(QStringLiteral("true"), {});
    const qint64 pid = process.waitForStarted() ? process.processId() : 0;
    process.waitForFinished();
    return pid;
}

// A lock file as QLockFile writes it, held by a process that has ended.
inline bool write(const QString &path)
{
    return TestFiles::writeFile(path, QByteArray::number(deadProcessId()) + '\n'
                                          + QCoreApplication::applicationName().toUtf8() + '\n'
                                          + QSysInfo::machineHostName().toUtf8() + '\n');
}

// Makes the lock file at `path` look an hour old, as the lock of a long run or a long save does;
// QLockFile takes such a lock for stale unless told otherwise.
inline bool age(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
           && file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                               QFileDevice::FileModificationTime);
}

} // namespace StaleLock
