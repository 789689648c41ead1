#include "filesystemitem.h"

#include "builtinsupport.h"
#include "fileoperations.h"
#include "filesystemcollection.h"
#include "interpreter.h"
#include "runtimeerror.h"
#include "serialdate.h"
#include "textstreamobject.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace VBScript {

namespace {

enum Member {
    Path = 1,
    Name,
    ShortName,
    ShortPath,
    ParentFolder,
    Size,
    Type,
    Attributes,
    DateCreated,
    DateLastModified,
    DateLastAccessed,
    Files, // folders
    SubFolders,
    IsRootFolder,
    Copy, // actions from here
    Delete,
    Move,
    OpenAsTextStream, // files
    CreateTextFile,   // folders
};

// The FILE_ATTRIBUTE values scripts test.
enum Attribute { ReadOnly = 1, Hidden = 2, Directory = 16, Archive = 32 };

// What files and folders have alike.
const MemberList &itemMembers()
{
    static const MemberList list({{"path", Path},
                                  {"name", Name},
                                  {"shortname", ShortName},
                                  {"shortpath", ShortPath},
                                  {"parentfolder", ParentFolder},
                                  {"size", Size},
                                  {"type", Type},
                                  {"attributes", Attributes},
                                  {"datecreated", DateCreated},
                                  {"datelastmodified", DateLastModified},
                                  {"datelastaccessed", DateLastAccessed},
                                  {"copy", Copy},
                                  {"delete", Delete},
                                  {"move", Move}});
    return list;
}

const MemberList &fileMembers()
{
    static const MemberList list(itemMembers(), {{"openastextstream", OpenAsTextStream}});
    return list;
}

const MemberList &folderMembers()
{
    static const MemberList list(itemMembers(), {{"files", Files},
                                                 {"subfolders", SubFolders},
                                                 {"isrootfolder", IsRootFolder},
                                                 {"createtextfile", CreateTextFile}});
    return list;
}

Value dateValue(const QDateTime &time)
{
    const QDateTime local = time.toLocalTime();
    return Value::date(SerialDate::fromDateTime(local.date(), local.time()));
}

qint64 folderSize(const QString &path)
{
    qint64 size = 0;
    QDirIterator files(path, QDir::Files | QDir::Hidden | QDir::System,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        files.next();
        size += files.fileInfo().size();
    }
    return size;
}

} // namespace

FileSystemItem::FileSystemItem(const QString &path, bool isFolder)
    : LibraryObject(isFolder ? folderMembers() : fileMembers(), isFolder ? "Folder" : "File")
    , m_path(path)
    , m_isFolder(isFolder)
{}

bool FileSystemItem::exists(Interpreter &interpreter) const
{
    const QFileInfo info(m_path);
    if (info.exists() && info.isDir() == m_isFolder) {
        return true;
    }
    return interpreter.raise(m_isFolder ? RuntimeError::PathNotFound : RuntimeError::FileNotFound);
}

bool FileSystemItem::invoke(Interpreter &interpreter, int member, InvokeKind kind,
                            const Arguments &arguments, Value &result)
{
    if (member == defaultMember) {
        member = Path;
    }
    if (kind == InvokeKind::Let) {
        if ((member != Name && member != Attributes) || arguments.count != 1) {
            return interpreter.raise(RuntimeError::WrongNumberOfArguments);
        }
        return exists(interpreter) && assign(interpreter, member, arguments.last());
    }
    if (kind == InvokeKind::Set) {
        return interpreter.raise(RuntimeError::ObjectDoesNotSupport);
    }
    if (member >= Copy) {
        return act(interpreter, member, arguments, result);
    }
    if (arguments.count != 0) {
        return interpreter.raise(RuntimeError::WrongNumberOfArguments);
    }
    return read(interpreter, member, result);
}

bool FileSystemItem::read(Interpreter &interpreter, int member, Value &result)
{
    if (member == Path || member == ShortPath) {
        result = Value::string(m_path);
        return true;
    }
    if (member == Name || member == ShortName) {
        result = Value::string(FileOperations::fileName(m_path));
        return true;
    }
    if (!exists(interpreter)) {
        return false;
    }
    const QFileInfo info(m_path);
    switch (member) {
    case ParentFolder: {
        const QString parent = FileOperations::parentFolderName(m_path);
        result = parent.isEmpty() ? Value::object(nullptr)
                                  : Value::object(new FileSystemItem(parent, true));
        return true;
    }
    case Size: {
        const qint64 size = m_isFolder ? folderSize(m_path) : info.size();
        result = Value::whole(size);
        return true;
    }
    case Type:
        result = Value::string(m_isFolder ? QStringLiteral("File folder")
                               : info.suffix().isEmpty()
                                   ? QStringLiteral("File")
                                   : QStringLiteral("%1 File").arg(info.suffix().toUpper()));
        return true;
    case Attributes: {
        int attributes = m_isFolder ? Directory : Archive;
        if (FileOperations::isReadOnly(m_path)) {
            attributes |= ReadOnly;
        }
        if (info.isHidden()) {
            attributes |= Hidden;
        }
        result = Value::integer(short(attributes));
        return true;
    }
    case DateCreated:
        result =
            dateValue(info.birthTime().isValid() ? info.birthTime() : info.metadataChangeTime());
        return true;
    case DateLastModified:
        result = dateValue(info.lastModified());
        return true;
    case DateLastAccessed:
        result = dateValue(info.lastRead());
        return true;
    case Files:
    case SubFolders:
        result = Value::object(new FileSystemCollection(m_path, member == SubFolders));
        return true;
    default: // IsRootFolder
        result = Value::boolean(m_path == QLatin1String("/"));
        return true;
    }
}

bool FileSystemItem::assign(Interpreter &interpreter, int member, const Value &value)
{
    if (member == Name) {
        QString name;
        if (!interpreter.toString(value, &name)) {
            return false;
        }
        const QString renamed =
            FileOperations::buildPath(FileOperations::parentFolderName(m_path), name);
        if (QFileInfo::exists(renamed)) {
            return interpreter.raise(RuntimeError::FileAlreadyExists);
        }
        if (!QDir().rename(m_path, renamed)) {
            return interpreter.raise(RuntimeError::PermissionDenied);
        }
        m_path = renamed;
        return true;
    }
    int attributes = 0;
    if (!interpreter.toLong(value, &attributes)) {
        return false;
    }
    QFile::Permissions permissions = QFile::permissions(m_path);
    const QFile::Permissions writable = QFile::WriteOwner | QFile::WriteUser;
    permissions = (attributes & ReadOnly) ? permissions & ~writable : permissions | writable;
    return QFile::setPermissions(m_path, permissions)
           || interpreter.raise(RuntimeError::PermissionDenied);
}

bool FileSystemItem::act(Interpreter &interpreter, int member, const Arguments &arguments,
                         Value &result)
{
    if (!exists(interpreter)) {
        return false;
    }
    switch (member) {
    case Copy:
    case Move: {
        QString destination;
        bool overwrite = true;
        if (arguments.count < 1 || arguments.count > (member == Copy ? 2 : 1)) {
            return interpreter.raise(RuntimeError::WrongNumberOfArguments);
        }
        if (!interpreter.toString(arguments[0], &destination)
            || !BuiltinSupport::optionalBoolean(interpreter, arguments, 1, true, &overwrite)) {
            return false;
        }
        int error = RuntimeError::None;
        if (member == Copy) {
            error = m_isFolder ? FileOperations::copyFolder(m_path, destination, overwrite)
                               : FileOperations::copyFile(m_path, destination, overwrite);
        } else {
            error = m_isFolder ? FileOperations::moveFolder(m_path, destination)
                               : FileOperations::moveFile(m_path, destination);
            if (error == RuntimeError::None) {
                const QString moved = FileOperations::absolute(destination);
                m_path = QFileInfo(moved).isDir() && !m_isFolder
                             ? FileOperations::buildPath(moved, FileOperations::fileName(m_path))
                             : moved;
            }
        }
        return interpreter.check(error);
    }
    case Delete: {
        bool force = false;
        if (arguments.count > 1) {
            return interpreter.raise(RuntimeError::WrongNumberOfArguments);
        }
        if (!BuiltinSupport::optionalBoolean(interpreter, arguments, 0, false, &force)) {
            return false;
        }
        return interpreter.check(m_isFolder ? FileOperations::deleteFolder(m_path, force)
                                            : FileOperations::deleteFile(m_path, force));
    }
    case OpenAsTextStream: {
        int mode = 1;
        int format = 0;
        if (arguments.count > 2) {
            return interpreter.raise(RuntimeError::WrongNumberOfArguments);
        }
        if (!BuiltinSupport::optionalLong(interpreter, arguments, 0, 1, &mode)
            || !BuiltinSupport::optionalLong(interpreter, arguments, 1, 0, &format)) {
            return false;
        }
        if (mode != 1 && mode != 2 && mode != 8) {
            return interpreter.raise(RuntimeError::InvalidProcedureCall);
        }
        return TextStreamObject::open(interpreter, m_path, TextStreamObject::Mode(mode), false,
                                      true, format == -1, result);
    }
    default: { // CreateTextFile of a folder
        QString name;
        bool overwrite = true;
        bool unicode = false;
        if (arguments.count < 1 || arguments.count > 3) {
            return interpreter.raise(RuntimeError::WrongNumberOfArguments);
        }
        if (!interpreter.toString(arguments[0], &name)
            || !BuiltinSupport::optionalBoolean(interpreter, arguments, 1, true, &overwrite)
            || !BuiltinSupport::optionalBoolean(interpreter, arguments, 2, false, &unicode)) {
            return false;
        }
        return TextStreamObject::open(interpreter, FileOperations::buildPath(m_path, name),
                                      TextStreamObject::Mode::Writing, true, overwrite, unicode,
                                      result);
    }
    }
}

} // namespace VBScript
