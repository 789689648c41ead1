#pragma once

#include "instruction.h"
#include "value.h"

#include <QHash>
#include <QString>

#include <vector>

namespace VBScript {

class CodeBuilder;
class GlobalScope;
struct Builtin;
struct ClassInfo;
struct Frame;
struct Procedure;
struct ProcedureCell;

// What a name means where code is compiled.
struct NameMeaning
{
    enum class Kind {
        Variable,
        Constant,    // a Const of the script, or of the library (vbCrLf)
        Procedure,   // a procedure of the script
        ClassMember, // a procedure of the class whose method is compiled: called on Me
        Builtin,     // a function of the library
        Unknown,     // looked up when the code runs (VariableKind::Dynamic, `index` its cache)
    };

    Kind kind = Kind::Unknown;
    VariableKind variable = VariableKind::Local;
    int index = -1;           // the slot, field or name cache
    Value *pointer = nullptr; // VariableKind::Pointer
    Value constant;
    ProcedureCell *procedure = nullptr;
    const Builtin *builtin = nullptr;

    bool isVariable() const { return kind == Kind::Variable || kind == Kind::Unknown; }
};

// The names that code sees where it is compiled, looked up in order: the procedure's own
// variables and constants, the variables of the procedure run in which Execute compiles a
// text, the members of the class, the globals, then the library. What none of them knows is
// looked up again when the code runs.
class Scope
{
public:
    // Top-level code of a script, or a text given to ExecuteGlobal.
    Scope(GlobalScope &globals, CodeBuilder &builder);
    // The body of `procedure`; `owner` is its class or null.
    Scope(GlobalScope &globals, CodeBuilder &builder, Procedure &procedure, const ClassInfo *owner);
    // A text given to Execute or Eval while the procedure of `frame` runs.
    Scope(GlobalScope &globals, CodeBuilder &builder, Frame &frame);

    // `asCallee`: the name is called with arguments, so a Function's own name means the
    // Function rather than its result.
    NameMeaning resolve(const QString &name, bool asCallee);
    // Whether the name means anything here yet (resolve() would make an unknown name a
    // variable of its own).
    bool knows(const QString &name) const;

    // Declarations of the procedure or executed text being compiled.
    void declareLocal(const QString &name);
    void declareConstant(const QString &name, const Value &value);
    // Dim a(10) or Dim a(): the variable starts as an array, fixed when it has bounds. False
    // when the array would be too large.
    bool declareArray(const QString &name, const std::vector<int> &upperBounds);

private:
    bool findLocal(const QString &key, bool asCallee, NameMeaning *meaning) const;
    bool findInFrame(const QString &key, bool asCallee, NameMeaning *meaning) const;
    bool findInClass(const QString &key, NameMeaning *meaning) const;
    bool findGlobal(const QString &key, NameMeaning *meaning) const;
    NameMeaning unknown(const QString &name);

    GlobalScope &m_globals;
    CodeBuilder &m_builder;
    Procedure *m_procedure = nullptr;
    const ClassInfo *m_class = nullptr;
    Frame *m_frame = nullptr;
    QHash<QString, Value> m_constants;   // of the procedure, by lower-case name
    QHash<QString, int> m_implicitNames; // lower-case name -> name cache
};

} // namespace VBScript
