#include "filesystemcollection.h"

#include "fileoperations.h"
#include "filesystemitem.h"
#include "interpreter.h"
#include "runtimeerror.h"

#include <QDir>
#include <QFileInfo>

namespace VBScript {

namespace {

enum Member { Count = 1, Item, Add };

const MemberList &fileMembers()
{
    static const MemberList list({{"count", Count}, {"item", Item}});
    return list;
}

const MemberList &folderMembers()
{
    static const MemberList list(fileMembers(), {{"add", Add}});
    return list;
}

} // namespace

FileSystemCollection::FileSystemCollection(const QString &folder, bool folders)
    : LibraryObject(folders ? folderMembers() : fileMembers(), folders ? "Folders" : "Files")
    , m_folder(folder)
    , m_folders(folders)
{}

QStringList FileSystemCollection::names() const
{
    return QDir(m_folder).entryList((m_folders ? QDir::Dirs : QDir::Files) | QDir::Hidden
                                        | QDir::System | QDir::NoDotAndDotDot,
                                    QDir::Name);
}

bool FileSystemCollection::enumerate(Interpreter &, std::vector<Value> *items)
{
    for (const QString &name : names()) {
        items->push_back(Value::object(
            new FileSystemItem(FileOperations::buildPath(m_folder, name), m_folders)));
    }
    return true;
}

bool FileSystemCollection::invoke(Interpreter &interpreter, int member, InvokeKind kind,
                                  const Arguments &arguments, Value &result)
{
    if (kind == InvokeKind::Let || kind == InvokeKind::Set) {
        return interpreter.raise(RuntimeError::ObjectDoesNotSupport);
    }
    if (member == Count) {
        if (arguments.count != 0) {
            return interpreter.raise(RuntimeError::WrongNumberOfArguments);
        }
        result = Value::longValue(int(names().size()));
        return true;
    }
    if (arguments.count != 1) {
        return interpreter.raise(RuntimeError::WrongNumberOfArguments);
    }
    QString name;
    if (!interpreter.toString(arguments[0], &name)) {
        return false;
    }
    const QString path = FileOperations::buildPath(m_folder, name);
    if (member == Add) {
        if (!interpreter.check(FileOperations::createFolder(path))) {
            return false;
        }
    } else {
        const QFileInfo info(path);
        if (!info.exists() || info.isDir() != m_folders) {
            return interpreter.raise(m_folders ? RuntimeError::PathNotFound
                                               : RuntimeError::FileNotFound);
        }
    }
    result = Value::object(new FileSystemItem(path, m_folders));
    return true;
}

} // namespace VBScript
