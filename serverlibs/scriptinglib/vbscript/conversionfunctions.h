#pragma once

#include <QHash>
#include <QString>

namespace VBScript {

struct Builtin;

// The conversion functions: CBool, CByte, CCur, CDate, CDbl, CInt, CLng, CSng, CStr, Hex, Oct.
class ConversionFunctions
{
public:
    ConversionFunctions() = delete;

    static void addTo(QHash<QString, const Builtin *> *table);
};

} // namespace VBScript
