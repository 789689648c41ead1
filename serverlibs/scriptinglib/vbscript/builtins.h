#pragma once

#include "builtin.h"
#include "value.h"

#include <QString>

namespace VBScript {

// The functions and constants of the run time's library, found by lower-case name.
class Builtins
{
public:
    Builtins() = delete;

    static const Builtin *function(const QString &lowerName);
    // vbCrLf, vbString, vbTextCompare ...
    static bool constant(const QString &lowerName, Value *value);
};

} // namespace VBScript
