#pragma once

class QString;

// The script engine that runs a script, as the scripting objects see it while the script calls
// them: a call that fails raises its error in the script (an exception in JavaScript, which the
// script may catch), and long calls give up when the run is stopped.
//
// Threads: raiseScriptError() belongs to the thread that runs the script and only works during a
// call from the script; isInterrupted() may be asked from any thread.
class IScriptHost
{
public:
    virtual ~IScriptHost() = default;

    // The current call from the script fails with `message`; what the call returns is ignored.
    virtual void raiseScriptError(const QString &message) = 0;
    // The run was asked to stop.
    virtual bool isInterrupted() const = 0;
};
