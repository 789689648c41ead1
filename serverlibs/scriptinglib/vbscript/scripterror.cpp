#include "scripterror.h"

#include <QCoreApplication>

namespace VBScript {

QString ScriptError::toString() const
{
    QString text;
    switch (kind) {
    case Kind::None:
        return QString();
    case Kind::Compilation:
    case Kind::Interrupted:
        text = description;
        break;
    case Kind::Runtime:
        text = QCoreApplication::translate("VBScript::ScriptError", "%1 %2: %3")
                   .arg(source)
                   .arg(number)
                   .arg(description);
        break;
    }
    if (!detail.isEmpty()) {
        text += QStringLiteral(": '%1'").arg(detail);
    }
    if (position.line <= 0) {
        return text;
    }
    return QCoreApplication::translate("VBScript::ScriptError", "Line %1, column %2: %3")
        .arg(position.line)
        .arg(position.column)
        .arg(text);
}

} // namespace VBScript
