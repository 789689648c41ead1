#include "filesystemobject.h"

#include "builtinsupport.h"
#include "fileoperations.h"
#include "filesystemitem.h"
#include "interpreter.h"
#include "runtimeerror.h"
#include "textstreamobject.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

namespace VBScript {

namespace {

enum Member {
    // One path argument, no file system work.
    BuildPath = 1,
    GetAbsolutePathName,
    GetBaseName,
    GetDriveName,
    GetExtensionName,
    GetFileName,
    GetParentFolderName,
    FileExists,
    FolderExists,
    DriveExists,
    GetFile,
    GetFolder,
    // Work on files and folders.
    CopyFile,
    CopyFolder,
    MoveFile,
    MoveFolder,
    DeleteFile,
    DeleteFolder,
    CreateFolder,
    GetSpecialFolder,
    GetTempName,
    CreateTextFile,
    OpenTextFile,
};

const MemberList &members()
{
    static const MemberList list({{"buildpath", BuildPath},
                                  {"getabsolutepathname", GetAbsolutePathName},
                                  {"getbasename", GetBaseName},
                                  {"getdrivename", GetDriveName},
                                  {"getextensionname", GetExtensionName},
                                  {"getfilename", GetFileName},
                                  {"getparentfoldername", GetParentFolderName},
                                  {"fileexists", FileExists},
                                  {"folderexists", FolderExists},
                                  {"driveexists", DriveExists},
                                  {"getfile", GetFile},
                                  {"getfolder", GetFolder},
                                  {"copyfile", CopyFile},
                                  {"copyfolder", CopyFolder},
                                  {"movefile", MoveFile},
                                  {"movefolder", MoveFolder},
                                  {"deletefile", DeleteFile},
                                  {"deletefolder", DeleteFolder},
                                  {"createfolder", CreateFolder},
                                  {"getspecialfolder", GetSpecialFolder},
                                  {"gettempname", GetTempName},
                                  {"createtextfile", CreateTextFile},
                                  {"opentextfile", OpenTextFile}});
    return list;
}

} // namespace

FileSystemObject::FileSystemObject()
    : LibraryObject(members(), "FileSystemObject")
{}

bool FileSystemObject::invoke(Interpreter &interpreter, int member, InvokeKind kind,
                              const Arguments &arguments, Value &result)
{
    if (kind == InvokeKind::Let || kind == InvokeKind::Set || member == defaultMember) {
        return interpreter.raise(RuntimeError::ObjectDoesNotSupport);
    }
    if (member == BuildPath) {
        QString path;
        QString name;
        if (arguments.count != 2) {
            return interpreter.raise(RuntimeError::WrongNumberOfArguments);
        }
        if (!interpreter.toString(arguments[0], &path)
            || !interpreter.toString(arguments[1], &name)) {
            return false;
        }
        result = Value::string(FileOperations::buildPath(path, name));
        return true;
    }
    if (member <= GetFolder) {
        QString path;
        if (arguments.count != 1) {
            return interpreter.raise(RuntimeError::WrongNumberOfArguments);
        }
        return interpreter.toString(arguments[0], &path)
               && pathFunction(interpreter, member, path, result);
    }
    if (member == CreateTextFile || member == OpenTextFile) {
        return openTextFile(interpreter, member, arguments, result);
    }
    return fileFunction(interpreter, member, arguments, result);
}

bool FileSystemObject::pathFunction(Interpreter &interpreter, int member, const QString &path,
                                    Value &result)
{
    const QFileInfo info(FileOperations::absolute(path));
    switch (member) {
    case GetAbsolutePathName:
        result = Value::string(FileOperations::absolute(path));
        return true;
    case GetBaseName:
        result = Value::string(FileOperations::baseName(path));
        return true;
    case GetDriveName:
        result = Value::string(QString());
        return true;
    case GetExtensionName:
        result = Value::string(FileOperations::extensionName(path));
        return true;
    case GetFileName:
        result = Value::string(FileOperations::fileName(path));
        return true;
    case GetParentFolderName:
        result = Value::string(FileOperations::parentFolderName(path));
        return true;
    case FileExists:
        result = Value::boolean(info.isFile());
        return true;
    case FolderExists:
        result = Value::boolean(info.isDir());
        return true;
    case DriveExists:
        result = Value::boolean(path == QLatin1String("/"));
        return true;
    case GetFile:
        if (!info.isFile()) {
            return interpreter.raise(RuntimeError::FileNotFound);
        }
        result = Value::object(new FileSystemItem(info.filePath(), false));
        return true;
    default: // GetFolder
        if (!info.isDir()) {
            return interpreter.raise(RuntimeError::PathNotFound);
        }
        result = Value::object(new FileSystemItem(info.filePath(), true));
        return true;
    }
}

bool FileSystemObject::fileFunction(Interpreter &interpreter, int member,
                                    const Arguments &arguments, Value &result)
{
    const int minimum = member == GetTempName ? 0
                        : member == DeleteFile || member == DeleteFolder || member == CreateFolder
                                || member == GetSpecialFolder
                            ? 1
                            : 2;
    const int maximum = member == CopyFile || member == CopyFolder       ? 3
                        : member == MoveFile || member == MoveFolder     ? 2
                        : member == GetTempName                          ? 0
                        : member == DeleteFile || member == DeleteFolder ? 2
                                                                         : 1;
    if (arguments.count < minimum || arguments.count > maximum) {
        return interpreter.raise(RuntimeError::WrongNumberOfArguments);
    }
    if (member == GetTempName) {
        result = Value::string(
            QStringLiteral("rad%1.tmp")
                .arg(QString::number(QRandomGenerator::global()->bounded(0x100000), 16)
                         .toUpper()
                         .rightJustified(5, QLatin1Char('0'))));
        return true;
    }
    if (member == GetSpecialFolder) {
        int folder = 0;
        if (!interpreter.toLong(arguments[0], &folder)) {
            return false;
        }
        if (folder < 0 || folder > 2) {
            return interpreter.raise(RuntimeError::InvalidProcedureCall);
        }
        // Windows and System have no counterpart here: the root stands for both.
        result = Value::object(
            new FileSystemItem(folder == 2 ? QDir::tempPath() : QStringLiteral("/"), true));
        return true;
    }
    QString first;
    QString second;
    if (!interpreter.toString(arguments[0], &first)
        || (member != DeleteFile && member != DeleteFolder && member != CreateFolder
            && !interpreter.toString(arguments[1], &second))) {
        return false;
    }
    bool flag = false;
    switch (member) {
    case CopyFile:
    case CopyFolder:
        if (!BuiltinSupport::optionalBoolean(interpreter, arguments, 2, true, &flag)) {
            return false;
        }
        return interpreter.check(member == CopyFile
                                     ? FileOperations::copyFile(first, second, flag)
                                     : FileOperations::copyFolder(first, second, flag));
    case MoveFile:
        return interpreter.check(FileOperations::moveFile(first, second));
    case MoveFolder:
        return interpreter.check(FileOperations::moveFolder(first, second));
    case DeleteFile:
    case DeleteFolder:
        if (!BuiltinSupport::optionalBoolean(interpreter, arguments, 1, false, &flag)) {
            return false;
        }
        return interpreter.check(member == DeleteFile ? FileOperations::deleteFile(first, flag)
                                                      : FileOperations::deleteFolder(first, flag));
    default: // CreateFolder
        if (!interpreter.check(FileOperations::createFolder(first))) {
            return false;
        }
        result = Value::object(new FileSystemItem(FileOperations::absolute(first), true));
        return true;
    }
}

// CreateTextFile(filename[, overwrite[, unicode]]),
// OpenTextFile(filename[, iomode[, create[, format]]])
bool FileSystemObject::openTextFile(Interpreter &interpreter, int member,
                                    const Arguments &arguments, Value &result)
{
    if (arguments.count < 1 || arguments.count > (member == CreateTextFile ? 3 : 4)) {
        return interpreter.raise(RuntimeError::WrongNumberOfArguments);
    }
    QString path;
    if (!interpreter.toString(arguments[0], &path)) {
        return false;
    }
    path = FileOperations::absolute(path);
    int mode = 2;
    bool create = true;
    bool overwrite = true;
    bool unicode = false;
    if (member == CreateTextFile) {
        if (!BuiltinSupport::optionalBoolean(interpreter, arguments, 1, true, &overwrite)
            || !BuiltinSupport::optionalBoolean(interpreter, arguments, 2, false, &unicode)) {
            return false;
        }
    } else {
        int format = 0;
        if (!BuiltinSupport::optionalLong(interpreter, arguments, 1, 1, &mode)
            || !BuiltinSupport::optionalBoolean(interpreter, arguments, 2, false, &create)
            || !BuiltinSupport::optionalLong(interpreter, arguments, 3, 0, &format)) {
            return false;
        }
        if ((mode != 1 && mode != 2 && mode != 8) || format < -2 || format > 0) {
            return interpreter.raise(RuntimeError::InvalidProcedureCall);
        }
        unicode = format == -1;
    }
    return TextStreamObject::open(interpreter, path, TextStreamObject::Mode(mode), create,
                                  overwrite, unicode, result);
}

} // namespace VBScript
