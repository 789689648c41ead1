#pragma once

#include <QHash>
#include <QString>

namespace VBScript {

struct Builtin;

// The functions that reach the engine and its host: Eval, Execute, ExecuteGlobal, GetRef,
// CreateObject, GetObject, MsgBox, InputBox, GetLocale and SetLocale.
class ScriptFunctions
{
public:
    ScriptFunctions() = delete;

    static void addTo(QHash<QString, const Builtin *> *table);
};

} // namespace VBScript
