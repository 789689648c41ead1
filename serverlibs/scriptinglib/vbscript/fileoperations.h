#pragma once

#include <QString>
#include <QStringList>

namespace VBScript {

// The file and folder work of the FileSystemObject and its File and Folder objects, on this
// system's paths. Each operation returns RuntimeError::None or the engine's error number:
// File not found, Path not found, File already exists, Permission denied.
class FileOperations
{
public:
    FileOperations() = delete;

    static QString absolute(const QString &path);
    // The last name of `path`, a trailing separator ignored; its parts.
    static QString fileName(const QString &path);
    static QString baseName(const QString &path);
    static QString extensionName(const QString &path);
    static QString parentFolderName(const QString &path);
    static QString buildPath(const QString &path, const QString &name);
    // The read-only attribute: the owner may not write, whoever runs the script (root may).
    static bool isReadOnly(const QString &path);

    // The existing files (or folders) that `pattern` names; its last name may hold the
    // wildcards * and ?.
    static QStringList matches(const QString &pattern, bool folders);

    static int copyFile(const QString &source, const QString &destination, bool overwrite);
    static int copyFolder(const QString &source, const QString &destination, bool overwrite);
    static int moveFile(const QString &source, const QString &destination);
    static int moveFolder(const QString &source, const QString &destination);
    static int deleteFile(const QString &pattern, bool force);
    static int deleteFolder(const QString &pattern, bool force);
    static int createFolder(const QString &path);
};

} // namespace VBScript
