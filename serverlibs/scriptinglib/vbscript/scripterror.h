#pragma once

#include "sourceposition.h"

#include <QString>

namespace VBScript {

// An error that ended a run or a call, as the engine reports it to its host.
struct ScriptError
{
    enum class Kind {
        None,
        Compilation, // the text does not parse; `description` is the checker's message
        Runtime,     // a run-time error the script did not handle, or raised with Err.Raise
        Interrupted, // the host stopped the run
    };

    Kind kind = Kind::None;
    int number = 0;      // the engine's error number: 11, 13, 1002 ... (0 when interrupted)
    QString description; // Err.Description: "Division by zero"
    QString source;      // Err.Source: "Microsoft VBScript runtime error"
    QString detail;      // the name involved, as in "Variable is undefined: 'x'"; may be empty
    SourcePosition position;

    bool isError() const { return kind != Kind::None; }
    // "Line 3, column 5: Microsoft VBScript runtime error 11: Division by zero", or for a
    // compilation error the checker's "Line 3, column 5: Expected 'Then' ...".
    QString toString() const;
};

} // namespace VBScript
