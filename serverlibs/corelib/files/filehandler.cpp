#include "filehandler.h"

#include "safefilewriter.h"

#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logrecord.h"

#include <QDir>
#include <QDirIterator>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextStream>

#include <filesystem>

namespace SRCore {

QString FileHandler::m_sProblemFolder;
QMutex FileHandler::mMutex;

namespace {

bool fail(QString *errorMessage, const QString &message)
{
    if (errorMessage) {
        *errorMessage = message;
    }
    return false;
}

QString &tempFolderSetting()
{
    static QString folder;
    return folder;
}

QString randomSuffix()
{
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < 8; ++i) {
        suffix += QLatin1Char(alphabet[QRandomGenerator::global()->bounded(36)]);
    }
    return suffix;
}

// Keeps the characters that are safe in a file name on every platform.
QString safeNamePart(const QString &text)
{
    QString part = text;
    part.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    return part.left(40);
}

bool copyFileContents(const QString &source, const QString &destination, QString *errorMessage)
{
    SafeFileWriter writer(destination);
    writer.keepPermissionsOf(source);
    return writer.open(errorMessage) && writer.writeContentsOf(source, errorMessage)
           && writer.commit(errorMessage);
}

// Copies the contents of `source` into the existing folder `destination`, recording every path
// it creates so that a failed copy can be undone.
bool copyFolderContents(const QString &source, const QString &destination, QStringList &created,
                        QString *errorMessage)
{
    const QFileInfoList entries = QDir(source).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const QString target = destination + QLatin1Char('/') + entry.fileName();
        const bool targetExisted = QFileInfo::exists(target) || QFileInfo(target).isSymLink();
        if (entry.isSymLink()) {
            if (targetExisted && !QFile::remove(target)) {
                return fail(errorMessage, FileHandler::tr("Can't replace '%1'").arg(target));
            }
            // The link's own text, so that relative links stay relative in the copy.
            std::error_code readError;
            const std::filesystem::path linkText =
                std::filesystem::read_symlink(entry.absoluteFilePath().toStdString(), readError);
            if (readError || !QFile::link(QString::fromStdString(linkText.string()), target)) {
                return fail(errorMessage, FileHandler::tr("Can't create link '%1'").arg(target));
            }
            created << target;
        } else if (entry.isDir()) {
            if (!targetExisted) {
                if (!QDir().mkdir(target)) {
                    return fail(errorMessage,
                                FileHandler::tr("Can't create folder '%1'").arg(target));
                }
                created << target;
            } else if (!QFileInfo(target).isDir()) {
                return fail(errorMessage, FileHandler::tr("Can't copy folder '%1' over file '%2'")
                                              .arg(entry.absoluteFilePath(), target));
            }
            if (!copyFolderContents(entry.absoluteFilePath(), target, created, errorMessage)) {
                return false;
            }
        } else {
            if (!copyFileContents(entry.absoluteFilePath(), target, errorMessage)) {
                return false;
            }
            if (!targetExisted) {
                created << target;
            }
        }
    }
    return true;
}

void undoCreated(const QStringList &created)
{
    // Children were recorded after their parents: remove in reverse order.
    for (auto it = created.crbegin(); it != created.crend(); ++it) {
        const QFileInfo info(*it);
        if (info.isDir() && !info.isSymLink()) {
            QDir(*it).removeRecursively();
        } else {
            QFile::remove(*it);
        }
    }
}

bool isInside(const QString &path, const QString &folder)
{
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    QString existing = QFileInfo(path).absoluteFilePath();
    // The destination may not exist yet: compare its nearest existing ancestor.
    while (!QFileInfo::exists(existing) && existing != QFileInfo(existing).absolutePath()) {
        existing = QFileInfo(existing).absolutePath();
    }
    const QString canonicalPath = QFileInfo(existing).canonicalFilePath();
    return canonicalPath == canonicalFolder
           || canonicalPath.startsWith(canonicalFolder + QLatin1Char('/'));
}

} // namespace

bool FileHandler::copy(const QString &source, const QString &destination, ILogInterface *log,
                       QString *errorMessage)
{
    QString error;
    const bool copied = [&] {
        const QFileInfo sourceInfo(source);
        if (!sourceInfo.exists()) {
            return fail(&error, FileHandler::tr("'%1' does not exist").arg(source));
        }
        if (!sourceInfo.isDir()) {
            if (QFileInfo(destination).isDir()) {
                return fail(&error, FileHandler::tr("Can't copy file '%1' over folder '%2'")
                                        .arg(source, destination));
            }
            return copyFileContents(source, destination, &error);
        }
        if (isInside(destination, source)) {
            return fail(&error, FileHandler::tr("Can't copy folder '%1' into itself ('%2')")
                                    .arg(source, destination));
        }
        QStringList created;
        const QFileInfo destinationInfo(destination);
        if (!destinationInfo.exists()) {
            if (!QDir().mkpath(destination)) {
                return fail(&error, FileHandler::tr("Can't create folder '%1'").arg(destination));
            }
            created << destination;
        } else if (!destinationInfo.isDir()) {
            return fail(
                &error,
                FileHandler::tr("Can't copy folder '%1' over file '%2'").arg(source, destination));
        }
        if (!copyFolderContents(source, destination, created, &error)) {
            undoCreated(created);
            return false;
        }
        return true;
    }();
    if (!copied) {
        if (log) {
            // The key: the message pane translates it when it shows the message.
            log->log(
                LogRecord(LogLevel::Error,
                          QStringLiteral(QT_TRANSLATE_NOOP("LogMessages", "Copying failed: %1")),
                          QString(), QString(), QString(), error));
        }
        fail(errorMessage, error);
    }
    return copied;
}

bool FileHandler::remove(const QString &path, bool recursive, QString *errorMessage)
{
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isDir())) {
        return removeFile(path, errorMessage);
    }
    if (!info.exists()) {
        return true;
    }
    QDir folder(path);
    const bool removed = recursive ? folder.removeRecursively() : QDir().rmdir(path);
    return removed || fail(errorMessage, FileHandler::tr("Can't remove folder '%1'").arg(path));
}

bool FileHandler::removeFile(const QString &path, QString *errorMessage)
{
    const QFileInfo info(path);
    if (!info.isSymLink() && !info.exists()) {
        return true;
    }
    if (info.isDir() && !info.isSymLink()) {
        return fail(errorMessage, FileHandler::tr("'%1' is a folder, not a file").arg(path));
    }
    QFile file(path);
    return file.remove()
           || fail(errorMessage,
                   FileHandler::tr("Can't remove file '%1': %2").arg(path, file.errorString()));
}

bool FileHandler::cleanupFolder(const QString &folder, const QString &removalPattern,
                                QString *errorMessage)
{
    if (!QFileInfo(folder).isDir()) {
        return fail(errorMessage, FileHandler::tr("'%1' is not a folder").arg(folder));
    }
    const QRegularExpression pattern(removalPattern);
    if (!pattern.isValid()) {
        return fail(errorMessage, FileHandler::tr("Invalid cleanup pattern '%1': %2")
                                      .arg(removalPattern, pattern.errorString()));
    }
    bool cleaned = true;
    const QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                     | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (!removalPattern.isEmpty() && !pattern.match(name).hasMatch()) {
            continue;
        }
        QString error;
        if (!remove(folder + QLatin1Char('/') + name, true, &error)) {
            // Go on with the other entries; report the first failure.
            if (cleaned) {
                fail(errorMessage, error);
            }
            cleaned = false;
        }
    }
    return cleaned;
}

QString FileHandler::tempFolder()
{
    const QString &folder = tempFolderSetting();
    return folder.isEmpty() ? QDir::tempPath() : folder;
}

void FileHandler::setTempFolder(const QString &folder)
{
    tempFolderSetting() = QDir(folder).absolutePath();
}

QString FileHandler::createTempFolderForFile(const QString &file, const QString &name,
                                             QString *errorMessage)
{
    const QString root = tempFolder();
    if (!QDir().mkpath(root)) {
        fail(errorMessage, FileHandler::tr("Can't create folder '%1'").arg(root));
        return QString();
    }
    const QString prefix = root + QLatin1Char('/') + safeNamePart(name) + QLatin1Char('-')
                           + safeNamePart(QFileInfo(file).completeBaseName()) + QLatin1Char('-');
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = prefix + randomSuffix();
        // mkdir fails when the folder exists, so two callers never share a folder.
        if (!QFileInfo::exists(path) && QDir().mkdir(path)) {
            return path;
        }
    }
    fail(errorMessage, FileHandler::tr("Can't create a temporary folder in '%1'").arg(root));
    return QString();
}

QString FileHandler::getTempFilePath(const QString &name, const QString &suffix)
{
    const QString prefix = tempFolder() + QLatin1Char('/') + safeNamePart(name) + QLatin1Char('-');
    QString path;
    do {
        path = prefix + randomSuffix() + suffix;
    } while (QFileInfo::exists(path));
    return path;
}

QString FileHandler::freshPath(const QString &folder, const QString &name, const QString &suffix)
{
    const QString dotSuffix = suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix;
    QString path = folder + QLatin1Char('/') + name + dotSuffix;
    for (int n = 2; QFileInfo::exists(path); ++n) {
        path = folder + QLatin1Char('/') + name + QLatin1Char('-') + QString::number(n) + dotSuffix;
    }
    return path;
}

bool FileHandler::saveDomElement(const QDomNode &node, const QString &path, int indent,
                                 QString *errorMessage)
{
    if (node.isNull()) {
        return fail(errorMessage, FileHandler::tr("Nothing to save to '%1'").arg(path));
    }
    QByteArray data;
    QTextStream stream(&data);
    stream.setEncoding(QStringConverter::Utf8);
    // A document writes its own declaration (taking the encoding from the stream).
    if (!node.isDocument()) {
        stream << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    }
    node.save(stream, indent, QDomNode::EncodingFromTextStream);
    stream.flush();
    return SafeFileWriter::writeFile(path, data, errorMessage);
}

bool FileHandler::readFile(const QString &path, QString &text, QString *errorMessage)
{
    if (QFileInfo(path).isDir()) {
        return fail(errorMessage, FileHandler::tr("'%1' is a folder, not a file").arg(path));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(errorMessage,
                    FileHandler::tr("Can't read '%1': %2").arg(path, file.errorString()));
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return fail(errorMessage,
                    FileHandler::tr("Can't read '%1': %2").arg(path, file.errorString()));
    }
    const auto encoding = QStringConverter::encodingForData(data);
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
    text = decoder.decode(data);
    return true;
}

QString FileHandler::findFileDepthFirst(const QString &folder, const QString &fileName)
{
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir()) {
            if (entry.isSymLink()) {
                continue;
            }
            const QString found = findFileDepthFirst(entry.absoluteFilePath(), fileName);
            if (!found.isEmpty()) {
                return found;
            }
        } else if (entry.fileName() == fileName) {
            return entry.absoluteFilePath();
        }
    }
    return QString();
}

} // namespace SRCore
