#include "scriptcheck.h"

#include "qsa/qsinterpreter.h"
#include "scriptinglib/vbscript/syntaxerror.h"
#include "scriptinglib/vbscriptsyntaxchecker.h"

#include "corelib/vocabulary/xmlvalues.h"

namespace Scripter {

namespace XMLValues = SRCore::XMLValues;

bool ScriptCheck::isChecked(const QString &language)
{
    return language == XMLValues::JAVASCRIPT || language == XMLValues::VBSCRIPT;
}

bool ScriptCheck::check(const QString &language, const QString &program, Problem *problem)
{
    Problem found;
    bool passed = true;
    if (language == XMLValues::JAVASCRIPT) {
        QSInterpreter interpreter;
        interpreter.setErrorMode(QSInterpreter::Nothing);
        passed = interpreter.checkSyntax(program);
        found = {interpreter.lastErrorLine(), interpreter.lastErrorColumn(),
                 interpreter.lastErrorMessage()};
    } else if (language == XMLValues::VBSCRIPT) {
        VBScript::SyntaxError error;
        passed = VBScriptSyntaxChecker::check(program, &error);
        found = {error.position.line, error.position.column, error.message};
    }
    if (!passed && problem) {
        *problem = found;
    }
    return passed;
}

} // namespace Scripter
