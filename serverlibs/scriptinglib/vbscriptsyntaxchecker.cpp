#include "vbscriptsyntaxchecker.h"

#include "vbscript/parser.h"

bool VBScriptSyntaxChecker::check(const QString &code, QString &message)
{
    VBScript::SyntaxError error;
    if (!check(code, &error)) {
        message = error.toString();
        return false;
    }
    message.clear();
    return true;
}

bool VBScriptSyntaxChecker::check(const QString &code, VBScript::SyntaxError *error)
{
    VBScript::SyntaxError found;
    const bool parsed = VBScript::Parser::parse(code, &found) != nullptr;
    if (error) {
        *error = parsed ? VBScript::SyntaxError() : found;
    }
    return parsed;
}
