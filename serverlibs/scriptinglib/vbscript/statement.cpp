#include "statement.h"

namespace VBScript {

Statement::Statement(Kind kind, SourcePosition position)
    : kind(kind)
    , position(position)
{}

Statement::~Statement() = default;

OptionExplicitStatement::OptionExplicitStatement(SourcePosition position)
    : Statement(staticKind, position)
{}

DimStatement::DimStatement(SourcePosition position)
    : Statement(staticKind, position)
{}

ReDimStatement::ReDimStatement(SourcePosition position)
    : Statement(staticKind, position)
{}

ConstStatement::ConstStatement(SourcePosition position)
    : Statement(staticKind, position)
{}

EraseStatement::EraseStatement(SourcePosition position)
    : Statement(staticKind, position)
{}

AssignmentStatement::AssignmentStatement(SourcePosition position)
    : Statement(staticKind, position)
{}

CallStatement::CallStatement(SourcePosition position)
    : Statement(staticKind, position)
{}

IfStatement::IfStatement(SourcePosition position)
    : Statement(staticKind, position)
{}

ForStatement::ForStatement(SourcePosition position)
    : Statement(staticKind, position)
{}

ForEachStatement::ForEachStatement(SourcePosition position)
    : Statement(staticKind, position)
{}

DoStatement::DoStatement(SourcePosition position)
    : Statement(staticKind, position)
{}

WhileStatement::WhileStatement(SourcePosition position)
    : Statement(staticKind, position)
{}

SelectStatement::SelectStatement(SourcePosition position)
    : Statement(staticKind, position)
{}

WithStatement::WithStatement(SourcePosition position)
    : Statement(staticKind, position)
{}

ExitStatement::ExitStatement(SourcePosition position, Target target)
    : Statement(staticKind, position)
    , target(target)
{}

OnErrorStatement::OnErrorStatement(SourcePosition position, Action action)
    : Statement(staticKind, position)
    , action(action)
{}

StopStatement::StopStatement(SourcePosition position)
    : Statement(staticKind, position)
{}

ProcedureDeclaration::ProcedureDeclaration(SourcePosition position)
    : Statement(staticKind, position)
{}

ClassDeclaration::ClassDeclaration(SourcePosition position)
    : Statement(staticKind, position)
{}

} // namespace VBScript
