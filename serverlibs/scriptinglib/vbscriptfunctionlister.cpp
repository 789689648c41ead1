#include "vbscriptfunctionlister.h"

#include "vbscript/parser.h"

#include <QStringList>

bool VBScriptFunctionLister::functionNames(const QString &code, QStringList *names,
                                           QString *errorMessage)
{
    using VBScript::ProcedureDeclaration;
    names->clear();
    VBScript::SyntaxError error;
    const std::unique_ptr<VBScript::Script> script = VBScript::Parser::parse(code, &error);
    if (!script) {
        if (errorMessage) {
            *errorMessage = error.toString();
        }
        return false;
    }
    for (const VBScript::StatementPointer &statement : script->statements) {
        const ProcedureDeclaration *procedure = statement->as<ProcedureDeclaration>();
        if (procedure && procedure->visibility != VBScript::Visibility::Private
            && (procedure->type == ProcedureDeclaration::Type::Sub
                || procedure->type == ProcedureDeclaration::Type::Function)) {
            names->append(procedure->name.text);
        }
    }
    if (errorMessage) {
        errorMessage->clear();
    }
    return true;
}
