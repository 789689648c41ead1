#pragma once

#include "libraryobject.h"

namespace VBScript {

// The Files or the SubFolders of a Folder: Count, Item(name) (the default member), Add(name)
// for SubFolders, and For Each, in name order. Read when asked, so it follows the disk.
class FileSystemCollection final : public LibraryObject
{
public:
    FileSystemCollection(const QString &folder, bool folders);

    bool invoke(Interpreter &interpreter, int member, InvokeKind kind, const Arguments &arguments,
                Value &result) override;
    bool enumerate(Interpreter &interpreter, std::vector<Value> *items) override;

private:
    QStringList names() const;

    QString m_folder;
    bool m_folders;
};

} // namespace VBScript
