#pragma once

#include "libraryobject.h"

namespace VBScript {

// The WScript object of scripts run from the command line: WScript.Echo writes its arguments,
// separated by blanks, as one line of output.
class WScriptObject final : public LibraryObject
{
public:
    WScriptObject();

    bool invoke(Interpreter &interpreter, int member, InvokeKind kind, const Arguments &arguments,
                Value &result) override;
};

} // namespace VBScript
