#include "scripthelpers.h"

#include "scriptconsole.h"
#include "scriptdir.h"
#include "scriptfile.h"
#include "scriptprocess.h"

QList<ScriptHelpers::Global> ScriptHelpers::create(IFrameworkEnvironment *environment,
                                                   SRCore::ILogInterface *log, QObject *parent)
{
    return {
        {QStringLiteral("File"), new ScriptFile(environment, log, parent)},
        {QStringLiteral("Dir"), new ScriptDir(environment, log, parent)},
        {QStringLiteral("Process"), new ScriptProcess(environment, log, parent)},
        {QStringLiteral("console"), new ScriptConsole(environment, log, parent)},
    };
}
