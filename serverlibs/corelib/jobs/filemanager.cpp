#include "filemanager.h"

#include "ijt.h"

#include "corelib/common/corelogging.h"

#include <QDir>
#include <QFileInfo>

#include <atomic>

namespace SRCore {

namespace {

constexpr int kPrefixDigits = 5;
constexpr int kPrefixLength = kPrefixDigits + 2;
constexpr int kLastCounter = 36 * 36 * 36 * 36 * 36 - 1;

std::atomic<CountManager *> g_countManager{nullptr};

QString lastComponent(const QString &fileName)
{
    return QFileInfo(QDir::cleanPath(fileName)).fileName();
}

} // namespace

QString FileManager::getPrefix(const QString &fileName)
{
    // Every logged message asks, mostly for a bare job name: a path is only cleaned when it
    // is one.
    const QString name = fileName.contains(QLatin1Char('/')) ? lastComponent(fileName) : fileName;
    if (name.size() < kPrefixLength || name.at(0) != QLatin1Char('_')
        || name.at(kPrefixLength - 1) != QLatin1Char('_')) {
        return QString();
    }
    for (int i = 1; i <= kPrefixDigits; ++i) {
        const QChar c = name.at(i);
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9'))
              || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')))) {
            return QString();
        }
    }
    return name.left(kPrefixLength);
}

QString FileManager::fileNameWithoutPrefix(const QString &fileName)
{
    const QString name = lastComponent(fileName);
    return getPrefix(name).isEmpty() ? name : name.mid(kPrefixLength);
}

QString FileManager::uniqueNamePrefix(int counter)
{
    if (counter < 0 || counter > kLastCounter) {
        qCWarning(lcCoreLib) << "Job counter" << counter << "has no unique prefix";
        return QString();
    }
    return QStringLiteral("_%1_").arg(counter, kPrefixDigits, 36, QLatin1Char('0')).toUpper();
}

QString FileManager::ticketFileName(const QString &prefix)
{
    return prefix + QStringLiteral(".xml");
}

QString FileManager::getFileIJTByPrefix(const QString &prefix)
{
    const QString folder = IJT::dir();
    if (folder.isEmpty() || prefix.isEmpty() || getPrefix(prefix) != prefix) {
        return QString();
    }
    const QFileInfo ticket(QDir(folder).filePath(ticketFileName(prefix)));
    return ticket.isFile() ? ticket.absoluteFilePath() : QString();
}

void FileManager::setCountManager(CountManager *manager)
{
    g_countManager = manager;
}

CountManager *FileManager::countManager()
{
    return g_countManager;
}

} // namespace SRCore
