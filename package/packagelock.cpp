#include "packagelock.h"

#include <QDir>
#include <QFileInfo>

namespace Scripter {

namespace {

QString lockPath(const QString &packagePath)
{
    const QFileInfo package(packagePath);
    return package.absolutePath() + QLatin1Char('/') + PackageLock::fileName(packagePath);
}

} // namespace

PackageLock::PackageLock(const QString &packagePath)
    : m_packagePath(packagePath)
    , m_lock(lockPath(packagePath))
{}

QString PackageLock::fileName(const QString &packagePath)
{
    return QLatin1Char('.') + QFileInfo(packagePath).fileName() + QLatin1String(".lock");
}

bool PackageLock::lock(int waitMs, QString *errorMessage)
{
    if (m_lock.tryLock(waitMs) || m_lock.error() != QLockFile::LockFailedError) {
        return true;
    }
    if (errorMessage) {
        *errorMessage = tr("'%1' is being saved by another program")
                            .arg(QDir::toNativeSeparators(m_packagePath));
    }
    return false;
}

} // namespace Scripter
