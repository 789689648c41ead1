#pragma once

#include "frame.h"
#include "object.h"
#include "randomnumbers.h"
#include "scripterror.h"

#include <QString>

#include <atomic>
#include <memory>
#include <unordered_set>
#include <utility>
#include <vector>

namespace VBScript {

class ClassInstance;
class ErrObject;
class GlobalScope;
class OutputSink;
struct ClassInfo;
struct Procedure;

// Runs compiled code: the stack machine, procedure calls with their ByRef and ByVal binding,
// the run-time errors and On Error Resume Next, Class_Terminate at the right moments, and the
// interrupt flag. One interpreter per engine, used by one thread at a time; only interrupt()
// may be called from another thread.
//
// Procedure calls nest on the native stack, and calls deeper than maxCallDepth fail with "Out of
// stack space": the thread needs room for that many levels (see Engine).
class Interpreter
{
public:
    static constexpr int maxCallDepth = 1000;
    // Values on the interpreter's own stack: the locals and operands of every running level.
    static constexpr int stackSize = 1 << 16;

    explicit Interpreter(GlobalScope &globals);
    ~Interpreter();
    Interpreter(const Interpreter &) = delete;
    Interpreter &operator=(const Interpreter &) = delete;

    GlobalScope &globals() { return m_globals; }
    ErrObject &err() { return *m_err; }
    RandomNumbers &random() { return m_random; }
    OutputSink *output() const { return m_output; }
    void setOutput(OutputSink *output) { m_output = output; }

    // --- Running ----------------------------------------------------------------------------

    // Runs top-level code: of a script, or of a text given to ExecuteGlobal.
    bool runTopLevel(const CodeUnit &unit);
    // Runs a procedure with `me` as its object (null outside classes). The arguments bind to
    // ByRef parameters through their references; `result` (may be null) receives a Function's
    // or Property Get's value.
    bool callProcedure(const Procedure &procedure, ClassInstance *me, const Arguments &arguments,
                       Value *result);
    // Execute, ExecuteGlobal and Eval: `text` compiled where the call stands (or at the script
    // level) and run.
    bool executeText(const QString &text, bool global);
    bool evaluateText(const QString &text, Value *result);

    // The class whose method runs, or null: its Private members are reachable.
    const ClassInfo *currentClass() const;

    // --- Errors -----------------------------------------------------------------------------

    // Records a run-time error of the engine and returns false, so that callers can write
    // `return interpreter.raise(...)`. `detail` (a name) is added to the reported text, not
    // to Err.Description.
    bool raise(int number, const QString &detail = QString());
    // Err.Raise: any number, with the source and description given (empty: the defaults).
    bool raiseCustom(int number, const QString &source, const QString &description);
    // An error of a text given to Execute, ExecuteGlobal or Eval that does not parse.
    bool raiseCompilation(const ScriptError &error);
    // Stops the run: On Error Resume Next does not hold it.
    bool raiseInterrupt();
    // Raises `error` (a RuntimeError number) unless it is None.
    bool check(int error) { return error == 0 || raise(error); }
    // The error that ended a failed run or call, taken over by the caller; Err holds it too.
    ScriptError takeError();
    // Forgets the error in progress: a function that tried something and answers otherwise.
    void discardError();
    // A host object's method, while the script calls it, reports that it failed; the call
    // raises `description` when the method returns (HostObject).
    void failHostCall(const QString &description) { m_hostFailure = description; }
    // The failure reported during the host call that just returned, empty when none; clears it.
    QString takeHostFailure() { return std::exchange(m_hostFailure, QString()); }

    // Thread-safe. The running code stops at its next loop iteration or call, and every later
    // run stops at once, until clearInterrupt().
    void interrupt() { m_interrupt.store(true, std::memory_order_relaxed); }
    void clearInterrupt() { m_interrupt.store(false, std::memory_order_relaxed); }
    bool isInterrupted() const { return m_interrupt.load(std::memory_order_relaxed); }

    // --- Values -----------------------------------------------------------------------------

    // The value itself, or for an object its default member's value ("Object variable not
    // set" for Nothing, "Object doesn't support this property or method" without one).
    bool defaultValue(const Value &value, Value *result);
    // Conversions of an argument, objects replaced by their default value; they raise the
    // errors of Conversion.
    bool toDouble(const Value &value, double *result);
    bool toLong(const Value &value, int *result);
    bool toBoolean(const Value &value, bool *result);
    bool toString(const Value &value, QString *result);
    bool toDate(const Value &value, double *result);
    // Reads, assigns or calls a member of `object`, checking that it is an object.
    bool invoke(const Value &object, int member, InvokeKind kind, const Arguments &arguments,
                Value *result);
    // value(arguments): an element of an array, or the default member of an object.
    bool callValue(const Value &callee, const Arguments &arguments, Value *result);

    // --- Objects ----------------------------------------------------------------------------

    // Objects that hold values register, so that closing can break reference cycles.
    void track(Object *object) { m_tracked.insert(object); }
    void untrack(Object *object) { m_tracked.erase(object); }
    // Whether script code may still run: not after an interrupt, nor while closing.
    bool canRunScript() const { return !m_closing && !isInterrupted(); }
    // Class_Terminate of an object whose last reference went. Keeps the error in progress.
    void runTerminate(ClassInstance &instance, const Procedure &terminate);
    // Disposes of an object whose last reference went (Object::dispose). Objects that go while
    // another one goes wait their turn, so that releasing a long chain does not nest.
    void dispose(Object *object);
    // Releases everything the scripts hold: global variables (running Class_Terminate), then
    // the objects left in reference cycles (without it).
    void close();
    // After an allocation failure unwound a run by exception: forgets the frames it left and
    // releases the values they had on the stack, so that the engine can run again.
    void recover();

private:
    friend class FrameRunner;

    bool enter(const CodeUnit &unit, Frame &frame, Value *locals);
    // Runs a unit that is not a procedure: its variables are all its own.
    bool runUnit(const CodeUnit &unit, Frame &frame);
    void leave(Frame &frame, Value *locals, int localCount);
    bool checkDepth();
    // Fills in the place of the error in progress, when not done yet.
    void placeError(const Frame &frame, int pc);
    // After an error at `pc` of `frame`: true when On Error Resume Next lets the frame go on.
    bool handleError(Frame &frame, int pc);
    void copyErrorToErr();

    GlobalScope &m_globals;
    ErrObject *m_err; // one reference held
    OutputSink *m_output = nullptr;
    RandomNumbers m_random;

    std::unique_ptr<Value[]> m_stack;
    std::unique_ptr<Value *[]> m_slotPointers;
    Value *m_top = nullptr; // the first free value of the stack
    Frame *m_frame = nullptr;
    int m_depth = 0;

    // The error in progress, from its raise until it is handled or taken.
    ScriptError m_error;
    bool m_errorPlaced = false;
    QString m_hostFailure;

    std::atomic<bool> m_interrupt{false};
    bool m_closing = false;
    std::vector<Object *> m_disposals; // waiting, while m_disposing
    bool m_disposing = false;
    std::unordered_set<Object *> m_tracked;
};

} // namespace VBScript
