#include "packagepaths.h"

#include <QDir>
#include <QFileInfo>

namespace Scripter {

namespace {

const QString packageSuffix = QStringLiteral(".tscript");

QString markerOf(const QDir &folder)
{
    return folder.filePath(folder.dirName() + packageSuffix);
}

// How deep below the folder given packages are looked for; links may make the tree endless.
constexpr int maximumDepth = 8;

// Appends the packages below `folder` to `packages`, as paths relative to `root`. A package
// folder is not searched further: what it holds belongs to its package.
void collectPackages(const QDir &root, const QDir &folder, int depth, QStringList *packages)
{
    const QFileInfoList entries =
        folder.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir()) {
            const QDir subfolder(entry.absoluteFilePath());
            if (QFileInfo(markerOf(subfolder)).isFile()) {
                packages->append(root.relativeFilePath(entry.absoluteFilePath()));
            } else if (depth < maximumDepth) {
                collectPackages(root, subfolder, depth + 1, packages);
            }
        } else if (entry.fileName().endsWith(packageSuffix, Qt::CaseInsensitive)
                   && entry.size() > 0) {
            // An empty ".tscript" is the marker of a package folder, not an archive.
            packages->append(root.relativeFilePath(entry.absoluteFilePath()));
        }
    }
}

} // namespace

QString PackagePaths::packageFile(const QString &argument, QString *reason)
{
    const QFileInfo info(argument);
    if (!info.exists()) {
        *reason = tr("no such file or folder");
        return QString();
    }
    if (!info.isDir()) {
        return info.absoluteFilePath();
    }
    const QDir folder(info.absoluteFilePath());
    if (!QFileInfo(markerOf(folder)).isFile()) {
        *reason = tr("not a package folder: it holds no %1").arg(folder.dirName() + packageSuffix);
        return QString();
    }
    return markerOf(folder);
}

QStringList PackagePaths::packagesIn(const QString &folder)
{
    QStringList packages;
    collectPackages(QDir(folder), QDir(folder), 0, &packages);
    return packages;
}

} // namespace Scripter
