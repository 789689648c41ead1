#pragma once

#include <QHash>
#include <QString>

namespace VBScript {

struct Builtin;

// The functions about values themselves: VarType, TypeName, the Is... tests, and the engine's
// name and version.
class TypeFunctions
{
public:
    TypeFunctions() = delete;

    static void addTo(QHash<QString, const Builtin *> *table);
};

} // namespace VBScript
