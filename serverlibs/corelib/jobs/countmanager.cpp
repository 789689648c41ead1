#include "countmanager.h"

#include "corelib/common/corelogging.h"
#include "corelib/common/xmldatareader.h"
#include "corelib/common/xmldatawriter.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QMutex>

#include <algorithm>
#include <limits>

namespace SRCore {

namespace {

// Serialises the counter within this process; the lock file serialises it between processes.
QMutex &counterMutex()
{
    static QMutex mutex;
    return mutex;
}

bool fail(QString *errorMessage, const QString &message)
{
    qCWarning(lcCoreLib).noquote() << message;
    if (errorMessage) {
        *errorMessage = message;
    }
    return false;
}

bool lock(QLockFile &lockFile, const QString &path, int timeoutMs, QString *errorMessage)
{
    if (lockFile.tryLock(timeoutMs)) {
        return true;
    }
    const QString reason = lockFile.error() == QLockFile::LockFailedError
                               ? CountManager::tr("another program keeps it locked")
                               : CountManager::tr("the lock file can't be created");
    return fail(errorMessage, CountManager::tr("Can't lock the counter file '%1': %2")
                                  .arg(QDir::toNativeSeparators(path), reason));
}

bool readLastStamp(const QString &path, qint64 *stamp, QString *errorMessage)
{
    QByteArray data;
    QString error;
    if (!XmlDataReader::readFile(path, &data, &error)) {
        return fail(errorMessage, error);
    }
    XmlDataReader reader(data);
    bool found = false;
    if (reader.readRoot(XMLKey::COUNTSETTINGS, CountManager::kFormatVersion)) {
        while (reader.readNextChildElement()) {
            if (reader.name() != XMLKey::LASTARRIVALSTAMP) {
                reader.raiseUnexpectedElement();
            } else if (found) {
                reader.raiseDuplicateElement();
            } else {
                found = reader.readInteger(stamp, 0, std::numeric_limits<qint64>::max());
            }
        }
        if (!found) {
            reader.raiseMissingElement(XMLKey::LASTARRIVALSTAMP);
        }
        reader.finish();
    }
    if (reader.hasError()) {
        return fail(errorMessage, XmlDataReader::describeError(path, reader.error()));
    }
    return true;
}

bool writeLastStamp(const QString &path, qint64 stamp, QString *errorMessage)
{
    XmlDataWriter writer(XMLKey::COUNTSETTINGS, CountManager::kFormatVersion);
    writer.writeIntegerElement(XMLKey::LASTARRIVALSTAMP, stamp);
    QString error;
    return writer.save(path, &error) || fail(errorMessage, error);
}

QString lockFilePath(const QString &path)
{
    return path + QStringLiteral(".lock");
}

} // namespace

bool CountManager::setFileName(const QString &path, QString *errorMessage)
{
    const QString absolutePath = QFileInfo(path).absoluteFilePath();
    const QString folder = QFileInfo(absolutePath).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        return fail(errorMessage, tr("Can't use the counter file '%1': its folder does not exist")
                                      .arg(QDir::toNativeSeparators(absolutePath)));
    }
    const QMutexLocker locker(&counterMutex());
    QLockFile lockFile(lockFilePath(absolutePath));
    if (!lock(lockFile, absolutePath, m_lockTimeoutMs, errorMessage)) {
        return false;
    }
    qint64 stamp = 0;
    if (QFileInfo::exists(absolutePath) || QFileInfo(absolutePath).isSymLink()) {
        if (!readLastStamp(absolutePath, &stamp, errorMessage)) {
            return false;
        }
    } else if (!writeLastStamp(absolutePath, stamp, errorMessage)) {
        return false;
    }
    m_fileName = absolutePath;
    m_lastStamp = stamp;
    return true;
}

QString CountManager::fileName() const
{
    const QMutexLocker locker(&counterMutex());
    return m_fileName;
}

qint64 CountManager::getNextArrivalStamp(QString *errorMessage)
{
    const QMutexLocker locker(&counterMutex());
    if (m_fileName.isEmpty()) {
        fail(errorMessage, tr("No counter file is set"));
        return 0;
    }
    QLockFile lockFile(lockFilePath(m_fileName));
    if (!lock(lockFile, m_fileName, m_lockTimeoutMs, errorMessage)) {
        return 0;
    }
    qint64 last = m_lastStamp;
    if (QFileInfo::exists(m_fileName)) {
        if (!readLastStamp(m_fileName, &last, errorMessage)) {
            return 0;
        }
    } else {
        qCWarning(lcCoreLib).noquote()
            << "The counter file" << m_fileName << "has gone; it is written again";
    }
    last = std::max(last, m_lastStamp);
    if (last == std::numeric_limits<qint64>::max()) {
        fail(errorMessage, tr("The counter in '%1' can't grow any further")
                               .arg(QDir::toNativeSeparators(m_fileName)));
        return 0;
    }
    const qint64 next = last + 1;
    if (!writeLastStamp(m_fileName, next, errorMessage)) {
        return 0;
    }
    m_lastStamp = next;
    return next;
}

void CountManager::setLockTimeout(int milliseconds)
{
    const QMutexLocker locker(&counterMutex());
    m_lockTimeoutMs = milliseconds;
}

int CountManager::lockTimeout() const
{
    const QMutexLocker locker(&counterMutex());
    return m_lockTimeoutMs;
}

} // namespace SRCore
