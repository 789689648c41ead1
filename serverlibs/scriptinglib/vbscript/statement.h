#pragma once

#include "expression.h"

#include <QString>

#include <memory>
#include <vector>

namespace VBScript {

struct Statement;
using StatementPointer = std::unique_ptr<Statement>;
using StatementList = std::vector<StatementPointer>;

// Public and Private as written; Implicit where neither is (Dim, or a procedure without a
// modifier), which the script engine treats as public.
enum class Visibility { Implicit, Public, Private };

// A name as written in a declaration or a statement, with its place.
struct NameReference
{
    QString text; // without brackets
    SourcePosition position;
};

// Base of the statement nodes of the syntax tree. A node owns its expressions and nested
// statements. Walk the tree by switching on `kind`, or try `as<IfStatement>()` and the like.
struct Statement
{
    enum class Kind {
        OptionExplicit,
        Dim,
        ReDim,
        Const,
        Erase,
        Assignment,
        Call,
        If,
        For,
        ForEach,
        Do,
        While,
        Select,
        With,
        Exit,
        OnError,
        Stop,
        Procedure,
        Class,
    };

    virtual ~Statement();

    template<typename T>
    const T *as() const
    {
        return kind == T::staticKind ? static_cast<const T *>(this) : nullptr;
    }

    const Kind kind;
    const SourcePosition position; // where the statement starts

protected:
    Statement(Kind kind, SourcePosition position);
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
};

struct OptionExplicitStatement final : Statement
{
    static constexpr Kind staticKind = Kind::OptionExplicit;
    explicit OptionExplicitStatement(SourcePosition position);
};

// One variable of Dim, Public or Private: x, a(10), m(2, 3), or the dynamic array d().
struct VariableDeclarator
{
    NameReference name;
    bool isArray = false;
    std::vector<int> upperBounds; // empty for a scalar or a dynamic array
};

// Dim, or Public and Private variables at the top level of the script or in a class.
struct DimStatement final : Statement
{
    static constexpr Kind staticKind = Kind::Dim;
    explicit DimStatement(SourcePosition position);

    Visibility visibility = Visibility::Implicit;
    std::vector<VariableDeclarator> variables;
};

// ReDim [Preserve] a(n) [, b(n, m)]: the bounds are evaluated at run time.
struct ReDimStatement final : Statement
{
    static constexpr Kind staticKind = Kind::ReDim;
    explicit ReDimStatement(SourcePosition position);

    struct Target
    {
        NameReference name;
        ExpressionList upperBounds;
    };

    bool preserve = false;
    std::vector<Target> targets;
};

// [Public | Private] Const name = literal [, ...]. The value is a LiteralExpression, or a
// UnaryExpression (- or +) of a numeric one.
struct ConstStatement final : Statement
{
    static constexpr Kind staticKind = Kind::Const;
    explicit ConstStatement(SourcePosition position);

    struct Constant
    {
        NameReference name;
        ExpressionPointer value;
    };

    Visibility visibility = Visibility::Implicit;
    std::vector<Constant> constants;
};

struct EraseStatement final : Statement
{
    static constexpr Kind staticKind = Kind::Erase;
    explicit EraseStatement(SourcePosition position);

    std::vector<NameReference> arrays;
};

// target = value, or Set target = value. The target is a NameExpression, MemberExpression,
// CallExpression (array element or indexed property) or MeExpression.
struct AssignmentStatement final : Statement
{
    static constexpr Kind staticKind = Kind::Assignment;
    explicit AssignmentStatement(SourcePosition position);

    bool isSet = false;
    ExpressionPointer target;
    ExpressionPointer value;
};

// A procedure or method called as a statement: `MsgBox "x", 1`, `obj.Run`, `Call f(x)`.
// `callee` is the thing called without its argument list. An argument written in parentheses
// without Call, as in `f (x)`, arrives as a ParenthesizedExpression and is passed by value.
struct CallStatement final : Statement
{
    static constexpr Kind staticKind = Kind::Call;
    explicit CallStatement(SourcePosition position);

    bool explicitCall = false; // written with Call
    ExpressionPointer callee;
    ExpressionList arguments;
};

// If ... Then ... ElseIf ... Else ... End If, or the single-line form.
struct IfStatement final : Statement
{
    static constexpr Kind staticKind = Kind::If;
    explicit IfStatement(SourcePosition position);

    struct Branch
    {
        SourcePosition position; // of If or ElseIf
        ExpressionPointer condition;
        StatementList body;
    };

    std::vector<Branch> branches; // the If branch first, then each ElseIf
    bool hasElse = false;
    StatementList elseBody;
    bool singleLine = false;
};

// For variable = from To to [Step step] ... Next
struct ForStatement final : Statement
{
    static constexpr Kind staticKind = Kind::For;
    explicit ForStatement(SourcePosition position);

    NameReference variable;
    ExpressionPointer from;
    ExpressionPointer to;
    ExpressionPointer step; // null: 1
    StatementList body;
};

// For Each variable In collection ... Next
struct ForEachStatement final : Statement
{
    static constexpr Kind staticKind = Kind::ForEach;
    explicit ForEachStatement(SourcePosition position);

    NameReference variable;
    ExpressionPointer collection;
    StatementList body;
};

// Do [While | Until condition] ... Loop [While | Until condition]
struct DoStatement final : Statement
{
    static constexpr Kind staticKind = Kind::Do;
    explicit DoStatement(SourcePosition position);

    // Where the condition stands and whether the loop runs while it is true or until it is.
    enum class Test { None, WhileBefore, UntilBefore, WhileAfter, UntilAfter };

    Test test = Test::None;
    ExpressionPointer condition; // null when Test::None
    StatementList body;
};

// While condition ... Wend
struct WhileStatement final : Statement
{
    static constexpr Kind staticKind = Kind::While;
    explicit WhileStatement(SourcePosition position);

    ExpressionPointer condition;
    StatementList body;
};

// Select Case subject, Case value [, value ...] ..., Case Else ..., End Select
struct SelectStatement final : Statement
{
    static constexpr Kind staticKind = Kind::Select;
    explicit SelectStatement(SourcePosition position);

    struct Case
    {
        SourcePosition position;
        ExpressionList values;
        StatementList body;
    };

    ExpressionPointer subject;
    std::vector<Case> cases;
    bool hasElse = false;
    StatementList elseBody;
};

// With object ... End With: inside, `.member` refers to the object.
struct WithStatement final : Statement
{
    static constexpr Kind staticKind = Kind::With;
    explicit WithStatement(SourcePosition position);

    ExpressionPointer object;
    StatementList body;
};

// Exit Do, For, Function, Property or Sub; the parser checks that it stands inside one.
struct ExitStatement final : Statement
{
    static constexpr Kind staticKind = Kind::Exit;
    enum class Target { Do, For, Function, Property, Sub };

    ExitStatement(SourcePosition position, Target target);

    Target target;
};

struct OnErrorStatement final : Statement
{
    static constexpr Kind staticKind = Kind::OnError;
    enum class Action { ResumeNext, GoToZero };

    OnErrorStatement(SourcePosition position, Action action);

    Action action;
};

// Stop: a breakpoint for a debugger; does nothing otherwise.
struct StopStatement final : Statement
{
    static constexpr Kind staticKind = Kind::Stop;
    explicit StopStatement(SourcePosition position);
};

// Sub, Function or Property Get/Let/Set, at the top level of the script or in a class.
struct ProcedureDeclaration final : Statement
{
    static constexpr Kind staticKind = Kind::Procedure;
    explicit ProcedureDeclaration(SourcePosition position);

    enum class Type { Sub, Function, PropertyGet, PropertyLet, PropertySet };

    struct Parameter
    {
        NameReference name;
        bool byValue = false; // ByVal; parameters are ByRef unless marked
        bool isArray = false; // written as name()
    };

    Type type = Type::Sub;
    Visibility visibility = Visibility::Implicit;
    bool isDefault = false; // Public Default: the class's default member
    NameReference name;
    std::vector<Parameter> parameters;
    StatementList body;
    SourcePosition endPosition; // of its End Sub, End Function or End Property
};

// Class name ... End Class. Its members are DimStatement (variables: Dim and Public are public,
// Private is private), ConstStatement and ProcedureDeclaration nodes, in source order.
struct ClassDeclaration final : Statement
{
    static constexpr Kind staticKind = Kind::Class;
    explicit ClassDeclaration(SourcePosition position);

    NameReference name;
    StatementList members;
    SourcePosition endPosition; // of its End Class
};

} // namespace VBScript
