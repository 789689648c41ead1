#include "packagelock.h"

#include <QDir>
#include <QFileInfo>

namespace Scripter {

namespace {

// Saving a package takes a moment; a save that takes longer is not waited for.
constexpr int kWaitMs = 3000;

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

bool PackageLock::lock(QString *errorMessage)
{
    if (m_lock.tryLock(kWaitMs) || m_lock.error() != QLockFile::LockFailedError) {
        return true;
    }
    if (errorMessage) {
        *errorMessage = tr("'%1' is being saved by another program")
                            .arg(QDir::toNativeSeparators(m_packagePath));
    }
    return false;
}

} // namespace Scripter
