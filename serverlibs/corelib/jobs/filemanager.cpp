#include "filemanager.h"

#include "ijt.h"

#include "corelib/common/corelogging.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

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
    static const QRegularExpression prefix(QStringLiteral("^_[0-9A-Z]{5}_"));
    const QRegularExpressionMatch match = prefix.match(lastComponent(fileName));
    return match.hasMatch() ? match.captured() : QString();
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
