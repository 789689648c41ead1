#include "scriptconsole.h"

#include "corelib/logging/logrecord.h"

void ScriptConsole::log(const QString &message) const
{
    // The text is the script's own: it is shown as it is, never searched for place markers.
    logScriptMessage(SRCore::LogLevel::Debug, QStringLiteral("%1"), {message});
}
