#pragma once

#include <QHash>
#include <QString>

namespace VBScript {

struct Builtin;

// The array functions: Array, UBound, LBound, Split, Join, Filter.
class ArrayFunctions
{
public:
    ArrayFunctions() = delete;

    static void addTo(QHash<QString, const Builtin *> *table);
};

} // namespace VBScript
