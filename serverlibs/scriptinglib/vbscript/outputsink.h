#pragma once

#include <QString>

namespace VBScript {

// Where a run's output goes: the lines of WScript.Echo, and the errors that end a run or a
// call (at level 3, with their place). Called on the thread that runs the script.
class OutputSink
{
public:
    virtual ~OutputSink() = default;

    virtual void echo(const QString &text) = 0;
    // Levels as in the message log: 1 information, 2 warning, 3 error.
    virtual void log(int level, const QString &message) = 0;
};

} // namespace VBScript
