#pragma once

#include "sourceposition.h"

#include <QString>

namespace VBScript {

// The first fault found in a script: where it is and what was wrong.
struct SyntaxError
{
    SourcePosition position;
    QString message; // translated, e.g. "Expected 'Then'; found the end of the line"

    // The message with its place, as shown to users: "Line 12, column 5: Expected 'End If' ...".
    QString toString() const;
};

} // namespace VBScript
