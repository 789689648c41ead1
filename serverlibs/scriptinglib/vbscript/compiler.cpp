#include "compiler.h"

#include "classinfo.h"
#include "codebuilder.h"
#include "expressioncompiler.h"
#include "frame.h"
#include "globalscope.h"
#include "parser.h"
#include "runtimeerror.h"
#include "scope.h"
#include "statementcompiler.h"

namespace VBScript {

namespace {

ScriptError compilationError(const SyntaxError &syntax)
{
    ScriptError error;
    error.kind = ScriptError::Kind::Compilation;
    error.number = RuntimeError::SyntaxError;
    error.source = RuntimeError::compilationSource();
    error.description = syntax.message;
    error.position = syntax.position;
    return error;
}

ScriptError outOfMemory(SourcePosition position)
{
    ScriptError error;
    error.kind = ScriptError::Kind::Runtime;
    error.number = RuntimeError::OutOfMemory;
    error.source = RuntimeError::runtimeSource();
    error.description = RuntimeError::text(RuntimeError::OutOfMemory);
    error.position = position;
    return error;
}

bool hasOptionExplicit(const Script &script)
{
    return !script.statements.empty()
           && script.statements.front()->kind == Statement::Kind::OptionExplicit;
}

// A procedure as declared, its body not compiled yet.
std::unique_ptr<Procedure> declaredProcedure(const ProcedureDeclaration &declaration,
                                             const ClassInfo *owner)
{
    auto procedure = std::make_unique<Procedure>();
    procedure->name = declaration.name.text;
    procedure->type = declaration.type;
    procedure->isPublic = declaration.visibility != Visibility::Private;
    procedure->owner = owner;
    for (const ProcedureDeclaration::Parameter &parameter : declaration.parameters) {
        procedure->byValue.push_back(parameter.byValue);
    }
    return procedure;
}

} // namespace

Compiler::Compiler(GlobalScope &globals)
    : m_globals(globals)
{}

std::unique_ptr<Script> Compiler::parse(const QString &text, ScriptError *error)
{
    SyntaxError syntax;
    std::unique_ptr<Script> script = Parser::parse(text, &syntax);
    if (!script) {
        *error = compilationError(syntax);
    }
    return script;
}

std::unique_ptr<CodeUnit> Compiler::compileScript(const QString &text, ScriptError *error)
{
    const std::unique_ptr<Script> script = parse(text, error);
    if (!script) {
        return nullptr;
    }
    auto unit = std::make_unique<CodeUnit>();
    CodeBuilder builder(*unit);
    Scope scope(m_globals, builder);
    return compileBody(*script, scope, builder, error) ? std::move(unit) : nullptr;
}

std::unique_ptr<CodeUnit> Compiler::compileInFrame(const QString &text, Frame &frame,
                                                   ScriptError *error)
{
    const std::unique_ptr<Script> script = parse(text, error);
    if (!script) {
        return nullptr;
    }
    auto unit = std::make_unique<CodeUnit>();
    CodeBuilder builder(*unit);
    Scope scope(m_globals, builder, frame);
    return compileBody(*script, scope, builder, error) ? std::move(unit) : nullptr;
}

std::unique_ptr<CodeUnit> Compiler::compileExpression(const QString &text, Frame *scopeFrame,
                                                      ScriptError *error)
{
    SyntaxError syntax;
    const ExpressionPointer expression = Parser::parseExpression(text, &syntax);
    if (!expression) {
        *error = compilationError(syntax);
        return nullptr;
    }
    auto unit = std::make_unique<CodeUnit>();
    CodeBuilder builder(*unit);
    std::unique_ptr<Scope> scope = scopeFrame
                                       ? std::make_unique<Scope>(m_globals, builder, *scopeFrame)
                                       : std::make_unique<Scope>(m_globals, builder);
    const std::vector<int> noWith;
    ExpressionCompiler(builder, *scope, noWith).compile(*expression);
    builder.append(Opcode::Return, 1, 0);
    return unit;
}

bool Compiler::compileBody(const Script &script, Scope &scope, CodeBuilder &builder,
                           ScriptError *error)
{
    const bool optionExplicit = hasOptionExplicit(script);
    builder.unit().optionExplicit = optionExplicit;
    if (!compileDefinitions(script, scope, optionExplicit, error)) {
        return false;
    }
    StatementCompiler(builder, scope).compile(script.statements);
    builder.append(Opcode::Return, 0, 0);
    return true;
}

bool Compiler::compileDefinitions(const Script &script, Scope &scope, bool optionExplicit,
                                  ScriptError *error)
{
    if (!declare(script.statements, scope, error)) {
        return false;
    }
    std::vector<std::pair<Procedure *, const ProcedureDeclaration *>> bodies;
    for (const StatementPointer &statement : script.statements) {
        if (const auto *declaration = statement->as<ProcedureDeclaration>()) {
            std::unique_ptr<Procedure> procedure = declaredProcedure(*declaration, nullptr);
            Procedure *defined = procedure.get();
            m_globals.defineProcedure(std::move(procedure));
            bodies.emplace_back(defined, declaration);
        } else if (const auto *declaration = statement->as<ClassDeclaration>()) {
            std::vector<const ProcedureDeclaration *> methods;
            std::unique_ptr<ClassInfo> classInfo = buildClass(*declaration, &methods);
            for (size_t i = 0; i < methods.size(); ++i) {
                bodies.emplace_back(classInfo->procedures[i].get(), methods[i]);
            }
            m_globals.defineClass(std::move(classInfo));
        }
    }
    for (const auto &[procedure, declaration] : bodies) {
        if (!compileProcedure(*procedure, *declaration, optionExplicit, error)) {
            return false;
        }
    }
    return true;
}

std::unique_ptr<ClassInfo> Compiler::buildClass(const ClassDeclaration &declaration,
                                                std::vector<const ProcedureDeclaration *> *bodies)
{
    auto classInfo = std::make_unique<ClassInfo>();
    classInfo->name = declaration.name.text;
    const auto member = [&classInfo](const QString &name, ClassInfo::Member::Kind kind) {
        const QString key = name.toLower();
        int id = classInfo->memberIds.value(key, -1);
        if (id < 0) {
            classInfo->members.emplace_back();
            classInfo->members.back().kind = kind;
            classInfo->members.back().isPublic = false;
            id = int(classInfo->members.size());
            classInfo->memberIds.insert(key, id);
        }
        return id;
    };
    for (const StatementPointer &statement : declaration.members) {
        if (const auto *dim = statement->as<DimStatement>()) {
            for (const VariableDeclarator &variable : dim->variables) {
                ClassInfo::Field field;
                field.name = variable.name.text;
                field.isPublic = dim->visibility != Visibility::Private;
                field.isArray = variable.isArray;
                field.upperBounds = variable.upperBounds;
                classInfo->fields.push_back(field);
                ClassInfo::Member &info =
                    classInfo
                        ->members[size_t(member(field.name, ClassInfo::Member::Kind::Field) - 1)];
                info.field = int(classInfo->fields.size()) - 1;
                info.isPublic = field.isPublic;
            }
            continue;
        }
        const auto *procedureDeclaration = statement->as<ProcedureDeclaration>();
        if (!procedureDeclaration) {
            continue;
        }
        std::unique_ptr<Procedure> procedure =
            declaredProcedure(*procedureDeclaration, classInfo.get());
        using Type = ProcedureDeclaration::Type;
        const bool isMethod = procedure->type == Type::Sub || procedure->type == Type::Function;
        const int id = member(procedure->name, isMethod ? ClassInfo::Member::Kind::Method
                                                        : ClassInfo::Member::Kind::Property);
        ClassInfo::Member &info = classInfo->members[size_t(id - 1)];
        info.isPublic = info.isPublic || procedure->isPublic;
        switch (procedure->type) {
        case Type::Sub:
        case Type::Function:
            info.method = procedure.get();
            break;
        case Type::PropertyGet:
            info.get = procedure.get();
            break;
        case Type::PropertyLet:
            info.let = procedure.get();
            break;
        case Type::PropertySet:
            info.set = procedure.get();
            break;
        }
        if (procedureDeclaration->isDefault) {
            classInfo->defaultMember = id;
        }
        if (procedure->type == Type::Sub && procedure->parameterCount() == 0) {
            const QString key = procedure->name.toLower();
            if (key == QLatin1String("class_initialize")) {
                classInfo->initialize = procedure.get();
            } else if (key == QLatin1String("class_terminate")) {
                classInfo->terminate = procedure.get();
            }
        }
        bodies->push_back(procedureDeclaration);
        classInfo->procedures.push_back(std::move(procedure));
    }
    return classInfo;
}

bool Compiler::compileProcedure(Procedure &procedure, const ProcedureDeclaration &declaration,
                                bool optionExplicit, ScriptError *error)
{
    CodeUnit &unit = procedure.code;
    unit.optionExplicit = optionExplicit;
    CodeBuilder builder(unit);
    Scope scope(m_globals, builder, procedure, procedure.owner);
    for (const ProcedureDeclaration::Parameter &parameter : declaration.parameters) {
        procedure.slotsByName.insert(parameter.name.text.toLower(), builder.newSlot());
    }
    if (procedure.type == Procedure::Type::Function
        || procedure.type == Procedure::Type::PropertyGet) {
        procedure.resultSlot = builder.newSlot();
        procedure.slotsByName.insert(procedure.name.toLower(), procedure.resultSlot);
    }
    if (!declare(declaration.body, scope, error)) {
        return false;
    }
    StatementCompiler(builder, scope).compile(declaration.body);
    builder.setPosition(declaration.endPosition);
    builder.append(Opcode::Return, 0, 0);
    return true;
}

bool Compiler::declare(const StatementList &statements, Scope &scope, ScriptError *error)
{
    for (const StatementPointer &statement : statements) {
        switch (statement->kind) {
        case Statement::Kind::Dim:
            for (const VariableDeclarator &variable : statement->as<DimStatement>()->variables) {
                if (!variable.isArray) {
                    scope.declareLocal(variable.name.text);
                } else if (!scope.declareArray(variable.name.text, variable.upperBounds)) {
                    *error = outOfMemory(statement->position);
                    return false;
                }
            }
            break;
        case Statement::Kind::ReDim:
            for (const ReDimStatement::Target &target : statement->as<ReDimStatement>()->targets) {
                if (!scope.knows(target.name.text)) {
                    scope.declareLocal(target.name.text); // ReDim declares what it sizes
                }
            }
            break;
        case Statement::Kind::Const:
            for (const ConstStatement::Constant &constant :
                 statement->as<ConstStatement>()->constants) {
                Value value;
                ExpressionCompiler::constantValue(*constant.value, &value);
                scope.declareConstant(constant.name.text, value);
            }
            break;
        case Statement::Kind::If: {
            const auto *conditional = statement->as<IfStatement>();
            for (const IfStatement::Branch &branch : conditional->branches) {
                if (!declare(branch.body, scope, error)) {
                    return false;
                }
            }
            if (!declare(conditional->elseBody, scope, error)) {
                return false;
            }
            break;
        }
        case Statement::Kind::Select: {
            const auto *select = statement->as<SelectStatement>();
            for (const SelectStatement::Case &clause : select->cases) {
                if (!declare(clause.body, scope, error)) {
                    return false;
                }
            }
            if (!declare(select->elseBody, scope, error)) {
                return false;
            }
            break;
        }
        case Statement::Kind::For:
            if (!declare(statement->as<ForStatement>()->body, scope, error)) {
                return false;
            }
            break;
        case Statement::Kind::ForEach:
            if (!declare(statement->as<ForEachStatement>()->body, scope, error)) {
                return false;
            }
            break;
        case Statement::Kind::Do:
            if (!declare(statement->as<DoStatement>()->body, scope, error)) {
                return false;
            }
            break;
        case Statement::Kind::While:
            if (!declare(statement->as<WhileStatement>()->body, scope, error)) {
                return false;
            }
            break;
        case Statement::Kind::With:
            if (!declare(statement->as<WithStatement>()->body, scope, error)) {
                return false;
            }
            break;
        default:
            break;
        }
    }
    return true;
}

} // namespace VBScript
