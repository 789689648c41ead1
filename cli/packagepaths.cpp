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
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir()) {
            if (QFileInfo(markerOf(QDir(entry.absoluteFilePath()))).isFile()) {
                packages.append(entry.fileName());
            }
        } else if (entry.fileName().endsWith(packageSuffix, Qt::CaseInsensitive)
                   && entry.size() > 0) {
            // An empty ".tscript" is the marker of a package folder, not an archive.
            packages.append(entry.fileName());
        }
    }
    return packages;
}

} // namespace Scripter
