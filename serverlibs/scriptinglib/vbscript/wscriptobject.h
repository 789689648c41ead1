#pragma once

#include "object.h"

namespace VBScript {

// The WScript object of scripts run from the command line: WScript.Echo writes its arguments,
// separated by blanks, as one line of output.
class WScriptObject final : public Object
{
public:
    WScriptObject() = default;

    QString typeName() const override;
    int memberId(const QString &lowerName) const override;
    bool invoke(Interpreter &interpreter, int member, InvokeKind kind, const Arguments &arguments,
                Value &result) override;
    const void *dispatchClass() const override;
};

} // namespace VBScript
