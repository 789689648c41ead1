#include "fileoperations.h"

#include "runtimeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace VBScript {

namespace {

bool hasWildcards(const QString &name)
{
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

QString withoutTrailingSeparator(const QString &path)
{
    QString result = path;
    while (result.size() > 1 && result.endsWith(QLatin1Char('/'))) {
        result.chop(1);
    }
    return result;
}

// Where a copy or move of `source` lands: into `destination` when that is a folder (or ends
// with a separator), else at `destination` itself.
QString target(const QString &source, const QString &destination, bool several)
{
    const QString absoluteDestination = FileOperations::absolute(destination);
    if (destination.endsWith(QLatin1Char('/')) || several
        || QFileInfo(absoluteDestination).isDir()) {
        return absoluteDestination + QLatin1Char('/') + QFileInfo(source).fileName();
    }
    return absoluteDestination;
}

int copyOneFile(const QString &source, const QString &destination, bool overwrite)
{
    if (QFileInfo::exists(destination)) {
        if (!overwrite) {
            return RuntimeError::FileAlreadyExists;
        }
        if (QFileInfo(destination).isDir() || FileOperations::isReadOnly(destination)
            || !QFile::remove(destination)) {
            return RuntimeError::PermissionDenied;
        }
    }
    if (!QFileInfo(destination).absoluteDir().exists()) {
        return RuntimeError::PathNotFound;
    }
    return QFile::copy(source, destination) ? RuntimeError::None : RuntimeError::PermissionDenied;
}

int copyTree(const QString &source, const QString &destination, bool overwrite)
{
    if (!QDir().mkpath(destination)) {
        return RuntimeError::PermissionDenied;
    }
    const QDir folder(source);
    for (const QFileInfo &entry : folder.entryInfoList(QDir::AllEntries | QDir::Hidden
                                                       | QDir::System | QDir::NoDotAndDotDot)) {
        const QString copy = destination + QLatin1Char('/') + entry.fileName();
        const int error = entry.isDir() ? copyTree(entry.filePath(), copy, overwrite)
                                        : copyOneFile(entry.filePath(), copy, overwrite);
        if (error != RuntimeError::None) {
            return error;
        }
    }
    return RuntimeError::None;
}

} // namespace

QString FileOperations::absolute(const QString &path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

QString FileOperations::fileName(const QString &path)
{
    const QString trimmed = withoutTrailingSeparator(path);
    return trimmed == QLatin1String("/") ? QString()
                                         : trimmed.mid(trimmed.lastIndexOf(QLatin1Char('/')) + 1);
}

QString FileOperations::baseName(const QString &path)
{
    const QString name = fileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString FileOperations::extensionName(const QString &path)
{
    const QString name = fileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QString FileOperations::parentFolderName(const QString &path)
{
    const QString trimmed = withoutTrailingSeparator(path);
    const qsizetype slash = trimmed.lastIndexOf(QLatin1Char('/'));
    if (slash < 0 || trimmed == QLatin1String("/")) {
        return QString();
    }
    return slash == 0 ? QStringLiteral("/") : trimmed.left(slash);
}

QString FileOperations::buildPath(const QString &path, const QString &name)
{
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('/'))) {
        return path + name;
    }
    return path + QLatin1Char('/') + name;
}

bool FileOperations::isReadOnly(const QString &path)
{
    return !(QFile::permissions(path) & QFile::WriteOwner);
}

QStringList FileOperations::matches(const QString &pattern, bool folders)
{
    const QString path = absolute(pattern);
    const QString name = fileName(path);
    QStringList found;
    if (!hasWildcards(name)) {
        const QFileInfo info(path);
        if (info.exists() && info.isDir() == folders) {
            found.append(path);
        }
        return found;
    }
    const QDir parent(parentFolderName(path));
    const QDir::Filters filters =
        (folders ? QDir::Dirs : QDir::Files) | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo &entry : parent.entryInfoList({name}, filters)) {
        found.append(entry.filePath());
    }
    return found;
}

int FileOperations::copyFile(const QString &source, const QString &destination, bool overwrite)
{
    const QStringList sources = matches(source, false);
    if (sources.isEmpty()) {
        return RuntimeError::FileNotFound;
    }
    const bool several = hasWildcards(fileName(source));
    for (const QString &file : sources) {
        const int error = copyOneFile(file, target(file, destination, several), overwrite);
        if (error != RuntimeError::None) {
            return error;
        }
    }
    return RuntimeError::None;
}

int FileOperations::copyFolder(const QString &source, const QString &destination, bool overwrite)
{
    const QStringList sources = matches(source, true);
    if (sources.isEmpty()) {
        return RuntimeError::PathNotFound;
    }
    const bool several = hasWildcards(fileName(source));
    for (const QString &folder : sources) {
        const QString copy = several || destination.endsWith(QLatin1Char('/'))
                                 ? target(folder, destination, true)
                                 : absolute(destination);
        if (QFileInfo(copy).isFile()) {
            return RuntimeError::FileAlreadyExists;
        }
        const int error = copyTree(folder, copy, overwrite);
        if (error != RuntimeError::None) {
            return error;
        }
    }
    return RuntimeError::None;
}

int FileOperations::moveFile(const QString &source, const QString &destination)
{
    const QStringList sources = matches(source, false);
    if (sources.isEmpty()) {
        return RuntimeError::FileNotFound;
    }
    const bool several = hasWildcards(fileName(source));
    for (const QString &file : sources) {
        const QString moved = target(file, destination, several);
        if (QFileInfo::exists(moved)) {
            return RuntimeError::FileAlreadyExists;
        }
        if (!QFile::rename(file, moved)) {
            return QFileInfo(moved).absoluteDir().exists() ? RuntimeError::PermissionDenied
                                                           : RuntimeError::PathNotFound;
        }
    }
    return RuntimeError::None;
}

int FileOperations::moveFolder(const QString &source, const QString &destination)
{
    const QStringList sources = matches(source, true);
    if (sources.isEmpty()) {
        return RuntimeError::PathNotFound;
    }
    const bool several = hasWildcards(fileName(source));
    for (const QString &folder : sources) {
        const QString moved = several || destination.endsWith(QLatin1Char('/'))
                                  ? target(folder, destination, true)
                                  : absolute(destination);
        if (QFileInfo::exists(moved)) {
            return RuntimeError::FileAlreadyExists;
        }
        if (!QDir().rename(folder, moved)) {
            return RuntimeError::PermissionDenied;
        }
    }
    return RuntimeError::None;
}

int FileOperations::deleteFile(const QString &pattern, bool force)
{
    const QStringList files = matches(pattern, false);
    if (files.isEmpty()) {
        return RuntimeError::FileNotFound;
    }
    for (const QString &file : files) {
        if (!force && isReadOnly(file)) {
            return RuntimeError::PermissionDenied;
        }
        if (!QFile::remove(file)) {
            return RuntimeError::PermissionDenied;
        }
    }
    return RuntimeError::None;
}

int FileOperations::deleteFolder(const QString &pattern, bool force)
{
    Q_UNUSED(force) // folders have no read-only flag that removal must respect here
    const QStringList folders = matches(pattern, true);
    if (folders.isEmpty()) {
        return RuntimeError::PathNotFound;
    }
    for (const QString &folder : folders) {
        if (!QDir(folder).removeRecursively()) {
            return RuntimeError::PermissionDenied;
        }
    }
    return RuntimeError::None;
}

int FileOperations::createFolder(const QString &path)
{
    const QString folder = absolute(path);
    if (QFileInfo::exists(folder)) {
        return RuntimeError::FileAlreadyExists;
    }
    if (!QFileInfo(parentFolderName(folder)).isDir()) {
        return RuntimeError::PathNotFound;
    }
    return QDir().mkdir(folder) ? RuntimeError::None : RuntimeError::PermissionDenied;
}

} // namespace VBScript
