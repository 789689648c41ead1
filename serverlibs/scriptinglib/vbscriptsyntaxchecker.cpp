#include "vbscriptsyntaxchecker.h"

#include "vbscript/parser.h"

bool VBScriptSyntaxChecker::check(const QString &code, QString &message)
{
    VBScript::SyntaxError error;
    if (!VBScript::Parser::parse(code, &error)) {
        message = error.toString();
        return false;
    }
    message.clear();
    return true;
}
