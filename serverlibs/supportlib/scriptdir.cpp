#include "scriptdir.h"

#include "corelib/files/filehandler.h"

#include <QDir>
#include <QFileInfo>

QStringList ScriptDir::list(const QString &path, const QString &pattern) const
{
    const QDir folder(path);
    if (!QFileInfo(path).isDir()) {
        raiseError(tr("'%1' is not a folder").arg(path));
        return {};
    }
    return folder.entryList(pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts),
                            QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                            QDir::Name);
}

void ScriptDir::create(const QString &path) const
{
    if (!QDir().mkpath(path)) {
        raiseError(tr("The folder '%1' can't be created").arg(path));
    }
}

void ScriptDir::remove(const QString &path) const
{
    QString error;
    if (QFileInfo(path).isFile()) {
        raiseError(tr("'%1' is a file; File.remove removes files").arg(path));
    } else if (!SRCore::FileHandler::remove(path, true, &error)) {
        raiseError(error);
    }
}

bool ScriptDir::exists(const QString &path) const
{
    return QFileInfo(path).isDir();
}
