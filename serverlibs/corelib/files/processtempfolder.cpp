#include "processtempfolder.h"

#include "filehandler.h"
#include "terminationcleanup.h"

#include "corelib/common/corelogging.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRandomGenerator>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace SRCore {

namespace {

const QLatin1String lockSuffix(".lock");
// QLockFile's own helper file while it removes a stale lock.
const QLatin1String removalLockSuffix(".rmlock");

} // namespace

ProcessTempFolder::ProcessTempFolder(const QString &root)
{
    const QString folder = QDir(root).absolutePath();
    if (!QDir().mkpath(folder)) {
        m_error = tr("Can't create folder '%1'").arg(QDir::toNativeSeparators(folder));
        return;
    }
    sweep(folder);
    const QString prefix =
        folder + QStringLiteral("/run-%1-").arg(QCoreApplication::applicationPid());
    for (int attempt = 0; attempt < 100 && m_path.isEmpty(); ++attempt) {
        const QString path = prefix + QString::number(QRandomGenerator::global()->generate(), 36);
        // The lock comes first, so that a sweep never meets the folder without it.
        auto lock = std::make_unique<QLockFile>(path + lockSuffix);
        if (!lock->tryLock(0)) {
            continue;
        }
        if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0) {
            m_error = tr("Can't create folder '%1': %2")
                          .arg(QDir::toNativeSeparators(path), qt_error_string(errno));
            return;
        }
        m_lock = std::move(lock);
        m_path = path;
    }
    if (m_path.isEmpty()) {
        if (m_error.isEmpty()) {
            m_error =
                tr("Can't create a temporary folder in '%1'").arg(QDir::toNativeSeparators(folder));
        }
        return;
    }
    m_cleanup = std::make_unique<TerminationCleanup>(QStringList{m_path, m_path + lockSuffix});
}

ProcessTempFolder::~ProcessTempFolder()
{
    m_cleanup.reset();
    QString error;
    if (!m_path.isEmpty() && !FileHandler::remove(m_path, true, &error)) {
        qCWarning(lcCoreLib).noquote() << error;
    }
}

void ProcessTempFolder::sweep(const QString &root)
{
    const QStringList names =
        QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (name.endsWith(lockSuffix) || name.endsWith(removalLockSuffix)) {
            continue;
        }
        const QString path = root + QLatin1Char('/') + name;
        const QString lockPath = path + lockSuffix;
        if (!QFileInfo::exists(lockPath)) {
            FileHandler::remove(path, true);
            continue;
        }
        // Taking the lock succeeds only when its run has ended (QLockFile checks the process).
        QLockFile lock(lockPath);
        if (lock.tryLock(0)) {
            FileHandler::remove(path, true);
            lock.unlock();
        }
    }
    // Locks whose folders are gone already.
    for (const QString &name : names) {
        if (name.endsWith(lockSuffix)
            && !QFileInfo::exists(root + QLatin1Char('/') + name.chopped(lockSuffix.size()))) {
            QLockFile lock(root + QLatin1Char('/') + name);
            if (lock.tryLock(0)) {
                lock.unlock();
            }
        }
    }
}

} // namespace SRCore
