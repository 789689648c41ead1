#include "syntaxerror.h"

#include <QCoreApplication>

namespace VBScript {

QString SyntaxError::toString() const
{
    return QCoreApplication::translate("VBScript::SyntaxError", "Line %1, column %2: %3")
        .arg(position.line)
        .arg(position.column)
        .arg(message);
}

} // namespace VBScript
