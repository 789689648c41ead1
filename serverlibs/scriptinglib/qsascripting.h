#pragma once

class IScriptEngine;

// The engine of the script that an entries manager runs, as the program stops it (the Test
// menu's abort).
class QSAScripting
{
public:
    // `engine` is not owned; the entries manager drops the object before the engine goes.
    explicit QSAScripting(IScriptEngine *engine);

    // Stops the running evaluation: the script ends with an error at its next step, so that the
    // run ends with its end message. Safe from any thread.
    void stopExecution();

private:
    IScriptEngine *m_engine;
};
