#pragma once

#include "value.h"

#include <QString>

#include <vector>

namespace VBScript {

class Interpreter;

// How a member is reached: read (a property, or a method whose result is used), assigned with
// `=` or with Set, or called as a statement (its result dropped).
enum class InvokeKind { Get, Let, Set, Call };

// The arguments of a call as they lie on the interpreter's stack. ByRef arguments arrive as
// references; operator[] reads through them. For Let and Set the assigned value comes last.
struct Arguments
{
    Value *values = nullptr;
    int count = 0;

    const Value &operator[](int index) const { return values[index].target(); }
    // An argument left out, as in `InStr(, a, b)`, or beyond the ones given.
    bool isMissing(int index) const;
    Arguments withoutLast() const { return Arguments{values, count - 1}; }
    const Value &last() const { return (*this)[count - 1]; }
};

// The value passed for an argument left out: an Error value, as the engine passes it.
Value missingArgument();

// Base of everything a VBScript variable can hold as an object: instances of script classes,
// the run time's objects (Err, RegExp, Dictionary, FileSystemObject ...) and the host's
// QObjects. Counted references, as COM objects are: the object goes (and a script class runs
// Class_Terminate) when the last reference does. Objects belong to one engine and its thread.
class Object
{
public:
    static constexpr int noMember = -1;
    // The id of the default member, the one `obj(1)` and `x = obj` reach.
    static constexpr int defaultMember = 0;

    Object(const Object &) = delete;
    Object &operator=(const Object &) = delete;

    void addRef() { ++m_references; }
    void release()
    {
        if (--m_references == 0) {
            finalRelease();
        }
    }

    // What TypeName reports.
    virtual QString typeName() const = 0;
    // The id of the member called `lowerName` (lower case), or noMember.
    virtual int memberId(const QString &lowerName) const = 0;
    // Reads, assigns or calls a member. On failure raises the error in `interpreter` and
    // returns false.
    virtual bool invoke(Interpreter &interpreter, int member, InvokeKind kind,
                        const Arguments &arguments, Value &result) = 0;
    // Objects that answer equal here give member ids the same meaning, so that a call site may
    // remember an id.
    virtual const void *dispatchClass() const = 0;
    // The items that For Each walks; without them raises "Object not a collection".
    virtual bool enumerate(Interpreter &interpreter, std::vector<Value> *items);
    // Drops the values the object holds without running script code: the engine's way out of
    // reference cycles when it closes.
    virtual void dropReferences() {}
    // What happens once the last reference went: the object goes. Objects that hold values
    // have the interpreter call it, one after the other, so that a long chain of objects that
    // hold the next goes without nesting (see Interpreter::dispose).
    virtual void dispose() { delete this; }

protected:
    Object() = default;
    virtual ~Object();
    // Called when the last reference goes.
    virtual void finalRelease() { dispose(); }

private:
    int m_references = 0;
};

} // namespace VBScript
