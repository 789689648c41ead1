#pragma once

#include "libraryobject.h"

namespace VBScript {

// A File or a Folder of the FileSystemObject, by its absolute path: Name (assigning renames),
// Path (the default member), ParentFolder, Size, Type, Attributes, the dates, Copy, Delete,
// Move; a File opens as a TextStream, a Folder lists its Files and SubFolders and creates
// text files.
class FileSystemItem final : public LibraryObject
{
public:
    FileSystemItem(const QString &path, bool isFolder);

    bool invoke(Interpreter &interpreter, int member, InvokeKind kind, const Arguments &arguments,
                Value &result) override;

private:
    bool read(Interpreter &interpreter, int member, Value &result);
    bool act(Interpreter &interpreter, int member, const Arguments &arguments, Value &result);
    bool assign(Interpreter &interpreter, int member, const Value &value);
    // Raises File not found or Path not found when the item is gone.
    bool exists(Interpreter &interpreter) const;

    QString m_path;
    bool m_isFolder;
};

} // namespace VBScript
