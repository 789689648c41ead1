#include "scripterror.h"

QString ScriptError::describe() const
{
    if (line > 0 && column > 0) {
        return tr("Line %1, column %2: %3").arg(line).arg(column).arg(message);
    }
    if (line > 0) {
        return tr("Line %1: %2").arg(line).arg(message);
    }
    return message;
}
