#pragma once

#include "scripterror.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

class QObject;

namespace VBScript {

class GlobalScope;
class Interpreter;
class OutputSink;

// A VBScript engine as a host uses it: load a program (its top-level code runs at once, as the
// Windows engine runs it), ask for its functions, call them with Qt values, and read what went
// wrong with the engine's own error numbers and texts.
//
// Threads: an engine is used by one thread at a time (a run happens on a worker thread);
// interrupt() may come from any thread. Engines share nothing: several may run at once.
// Stack: calls nest up to Interpreter::maxCallDepth levels, which took 768 KiB in an optimised
// build and 3 MiB under AddressSanitizer; give the thread 2 MiB (8 MiB under the sanitizer).
class Engine
{
public:
    Engine();
    ~Engine();
    Engine(const Engine &) = delete;
    Engine &operator=(const Engine &) = delete;

    // Where echo lines and errors go; not owned, may be null.
    void setOutput(OutputSink *output);
    // Makes `object` (not owned) a global of the scripts under `name`; its Q_INVOKABLE
    // methods, public variables and properties become the object's members (HostObject).
    void addHostObject(const QString &name, QObject *object);
    // The WScript object with WScript.Echo, for scripts run from the command line.
    void addWScript();

    // Compiles `source` and runs its top-level code. False with the error (also logged to
    // the output) when it does not compile or its top-level code fails.
    bool load(const QString &source, ScriptError *error = nullptr);
    // Whether the loaded program defines a public Sub or Function `name` (any letter case).
    bool hasFunction(const QString &name) const;
    QStringList functionNames() const;
    // Calls the Sub or Function `name` with `arguments` (QObject pointers become host
    // objects, lists arrays) and gives its result (a Sub's is invalid). False with the error,
    // which the output logs too, when the call fails or `name` is not defined.
    bool call(const QString &name, const QVariantList &arguments = QVariantList(),
              QVariant *result = nullptr, ScriptError *error = nullptr);

    // For host objects: the method of a host object that the script calls now fails with
    // `description` (error HostObjectFailed, the object's type name as its source) when it
    // returns. Only valid on the thread that runs the script, during such a call.
    void failHostCall(const QString &description);

    // Thread-safe: stops the running code at its next loop iteration or call, and every
    // later load or call, which then fail with an error of kind Interrupted.
    void interrupt();
    // Releases the program's global variables, running the Class_Terminate of the objects
    // that go, then the objects left in reference cycles. Later loads and calls fail as
    // interrupted ones do.
    void close();

private:
    // Reports a failure: to `error` and to the output.
    bool fail(ScriptError failure, ScriptError *error);

    std::unique_ptr<GlobalScope> m_globals;
    std::unique_ptr<Interpreter> m_interpreter;
};

} // namespace VBScript
