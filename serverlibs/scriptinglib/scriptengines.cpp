#include "scriptengines.h"

#include "javascriptengine.h"
#include "vbscriptengine.h"

#include "corelib/vocabulary/xmlvalues.h"

namespace XMLValues = SRCore::XMLValues;

std::unique_ptr<IScriptEngine> ScriptEngines::create(const QString &language, QString *errorMessage)
{
    if (language == XMLValues::JAVASCRIPT) {
        return std::make_unique<JavaScriptEngine>();
    }
    if (language == XMLValues::VBSCRIPT) {
        return std::make_unique<VBScriptEngine>();
    }
    if (language == XMLValues::APPLESCRIPT) {
        *errorMessage = tr("AppleScript programs run only on the server's Mac; they can't be "
                           "run here");
    } else {
        *errorMessage = tr("'%1' is no script language").arg(language);
    }
    return nullptr;
}
