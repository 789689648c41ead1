#pragma once

#include "blockstack.h"
#include "expressionparser.h"
#include "parserstate.h"
#include "script.h"

#include <QCoreApplication>

#include <memory>

namespace VBScript {

// Recursive-descent parser of VBScript as Windows Script Host runs it. Besides the grammar it
// checks what the script engine refuses before running anything: block ends that do not match,
// Exit outside its block, procedures and classes in the wrong place, names defined twice in
// one scope, parentheses around the arguments of a Sub call, non-literal constants and array
// sizes, and Option Explicit after other statements.
class Parser
{
    Q_DECLARE_TR_FUNCTIONS(VBScript::Parser)

public:
    // The syntax tree of `source`; null with the first error in `error` when the text is not a
    // valid script. Any text is safe: nesting and expression size are bounded, so the stack is.
    static std::unique_ptr<Script> parse(const QString &source, SyntaxError *error = nullptr);
    // A lone expression, as Eval takes it: `a = b` compares.
    static ExpressionPointer parseExpression(const QString &source, SyntaxError *error = nullptr);

private:
    explicit Parser(const QString &source);

    std::unique_ptr<Script> parseScript();
    // Parses statements into `statements` until a token that ends the innermost block (left
    // for the caller) or, for the script, until its end.
    bool parseStatements(StatementList *statements);
    StatementPointer parseStatement();
    StatementPointer parseKeywordStatement();
    StatementPointer parseAssignmentOrCall();
    StatementPointer parseSet();
    StatementPointer parseCall();
    StatementPointer parseDim();
    StatementPointer parseModifiedDeclaration();
    bool parseVariables(DimStatement *statement);
    StatementPointer parseConst(Visibility visibility, SourcePosition position);
    StatementPointer parseReDim();
    StatementPointer parseErase();
    StatementPointer parseIf();
    bool parseBlockIf(IfStatement *statement);
    bool parseSingleLineIf(IfStatement *statement);
    bool parseLineStatements(StatementList *statements, bool elseMayFollow);
    StatementPointer parseFor();
    StatementPointer parseDo();
    StatementPointer parseWhile();
    StatementPointer parseSelect();
    StatementPointer parseWith();
    StatementPointer parseExit();
    StatementPointer parseOnError();
    StatementPointer parseOptionExplicit();
    StatementPointer parseProcedure(Visibility visibility, bool isDefault, SourcePosition position);
    bool parseParameters(ProcedureDeclaration *procedure);
    StatementPointer parseClass();

    bool expectName(const QString &what, NameReference *name);
    void skipSeparators();
    // Splits a reference that ends in an argument list into the callee and its arguments.
    static void splitCall(ExpressionPointer reference, CallStatement *statement);

    ParserState m_state;
    ExpressionParser m_expressions;
    BlockStack m_blocks;
    int m_statementCount = 0; // statements begun so far, nested ones included
};

} // namespace VBScript
