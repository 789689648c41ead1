#include "scriptvalidator.h"

#include "qsa/qsinterpreter.h"

namespace ScriptingGui {

ScriptValidator::ScriptValidator(QObject *parent)
    : QValidator(parent)
{}

QValidator::State ScriptValidator::validate(QString &input, int &) const
{
    return check(input).line == 0 ? Acceptable : Invalid;
}

ScriptValidator::SyntaxError ScriptValidator::check(const QString &text)
{
    if (text.trimmed().isEmpty()) {
        return {};
    }
    QSInterpreter interpreter;
    interpreter.setErrorMode(QSInterpreter::Nothing);
    if (interpreter.checkSyntax(text)) {
        return {};
    }
    return {std::max(1, interpreter.lastErrorLine()), interpreter.lastErrorColumn(),
            interpreter.lastErrorMessage()};
}

} // namespace ScriptingGui
