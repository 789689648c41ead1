#pragma once

#include <QHash>
#include <QString>

namespace VBScript {

struct Builtin;

// The text functions: Len, Left, Mid, InStr, Replace, StrComp, Trim, Asc, Chr, Escape ...
class StringFunctions
{
public:
    StringFunctions() = delete;

    static void addTo(QHash<QString, const Builtin *> *table);
};

} // namespace VBScript
