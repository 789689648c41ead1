#pragma once

#include "libraryobject.h"

namespace VBScript {

// Scripting.FileSystemObject on this system's paths ('/' separates names; there are no
// drives): the path functions, files and folders (GetFile, GetFolder, Copy..., Move...,
// Delete..., CreateFolder), and text files (CreateTextFile, OpenTextFile).
class FileSystemObject final : public LibraryObject
{
public:
    FileSystemObject();

    bool invoke(Interpreter &interpreter, int member, InvokeKind kind, const Arguments &arguments,
                Value &result) override;

private:
    bool pathFunction(Interpreter &interpreter, int member, const QString &path, Value &result);
    bool fileFunction(Interpreter &interpreter, int member, const Arguments &arguments,
                      Value &result);
    bool openTextFile(Interpreter &interpreter, int member, const Arguments &arguments,
                      Value &result);
};

} // namespace VBScript
