#pragma once

#include "codeunit.h"
#include "scripterror.h"
#include "statement.h"

#include <QString>

#include <memory>

namespace VBScript {

class CodeBuilder;
class GlobalScope;
class Scope;
struct ClassInfo;
struct Frame;
struct Procedure;
struct Script;

// Turns VBScript texts into code units. Procedures and classes join the global scope, with
// their bodies compiled, before any other code is: a script can call what it defines further
// down. Variables and constants declared anywhere in a body are known throughout it, as the
// engine knows them.
class Compiler
{
public:
    // `globals` must outlive the compiler and what it compiles.
    explicit Compiler(GlobalScope &globals);

    // A script, or a text given to ExecuteGlobal: its definitions and top-level variables join
    // the globals; the result is its top-level code. Null with the error when it does not
    // parse (a compilation error), or when a global array is too large (a run-time error).
    std::unique_ptr<CodeUnit> compileScript(const QString &text, ScriptError *error);
    // A text given to Execute while the procedure of `frame` runs: it reaches that procedure's
    // variables, and its own declarations become the procedure's.
    std::unique_ptr<CodeUnit> compileInFrame(const QString &text, Frame &frame, ScriptError *error);
    // An expression given to Eval, where `scope` (a procedure frame, or null for the script
    // level) runs. The code leaves the value in its frame's result.
    std::unique_ptr<CodeUnit> compileExpression(const QString &text, Frame *scope,
                                                ScriptError *error);

private:
    std::unique_ptr<Script> parse(const QString &text, ScriptError *error);
    // Defines the procedures and classes of `script` and compiles their bodies, after
    // declaring the script's variables and constants in `scope`.
    bool compileDefinitions(const Script &script, Scope &scope, bool optionExplicit,
                            ScriptError *error);
    std::unique_ptr<ClassInfo> buildClass(const ClassDeclaration &declaration,
                                          std::vector<const ProcedureDeclaration *> *bodies);
    bool compileProcedure(Procedure &procedure, const ProcedureDeclaration &declaration,
                          bool optionExplicit, ScriptError *error);
    // Declares the Dim, ReDim and Const of `statements` and of the blocks in them (not of the
    // procedures and classes) in `scope`.
    static bool declare(const StatementList &statements, Scope &scope, ScriptError *error);
    // The top-level statements of `script`, after its definitions, into `builder`'s unit.
    bool compileBody(const Script &script, Scope &scope, CodeBuilder &builder, ScriptError *error);

    GlobalScope &m_globals;
};

} // namespace VBScript
