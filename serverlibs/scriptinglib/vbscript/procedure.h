#pragma once

#include "codeunit.h"
#include "statement.h"

#include <QHash>
#include <QString>

#include <vector>

namespace VBScript {

struct ClassInfo;

// A compiled Sub, Function or Property. Its variables hold the parameters first, then the result
// (a Function's or Property Get's own name), the variables and the compiler's hidden values.
struct Procedure
{
    using Type = ProcedureDeclaration::Type;

    // Dim a(10) or Dim a() inside the procedure: the slot starts as an array, fixed when it
    // has bounds.
    struct LocalArray
    {
        int slot;
        std::vector<int> upperBounds;
    };

    QString name; // as defined
    Type type = Type::Sub;
    bool isPublic = true;
    std::vector<bool> byValue; // per parameter
    int resultSlot = -1;       // -1 for Sub, Property Let and Set
    CodeUnit code;
    std::vector<LocalArray> arrays;
    QHash<QString, int> slotsByName;  // lower case; what Execute inside it can reach
    const ClassInfo *owner = nullptr; // null for procedures of the script

    int parameterCount() const { return int(byValue.size()); }
    bool returnsValue() const { return resultSlot >= 0; }
};

// The procedure a global name stands for now. Call sites bind to the cell, so that ExecuteGlobal
// can define the procedure again.
struct ProcedureCell
{
    const Procedure *procedure = nullptr;
};

} // namespace VBScript
