#pragma once

#include "object.h"

namespace VBScript {

// The Files or the SubFolders of a Folder: Count, Item(name) (the default member), Add(name)
// for SubFolders, and For Each, in name order. Read when asked, so it follows the disk.
class FileSystemCollection final : public Object
{
public:
    FileSystemCollection(const QString &folder, bool folders);

    QString typeName() const override;
    int memberId(const QString &lowerName) const override;
    bool invoke(Interpreter &interpreter, int member, InvokeKind kind, const Arguments &arguments,
                Value &result) override;
    const void *dispatchClass() const override;
    bool enumerate(Interpreter &interpreter, std::vector<Value> *items) override;

private:
    QStringList names() const;

    QString m_folder;
    bool m_folders;
};

} // namespace VBScript
