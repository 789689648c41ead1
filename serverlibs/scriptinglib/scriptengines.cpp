#include "scriptengines.h"

#include "javascriptengine.h"
#include "vbscriptengine.h"

#include "corelib/vocabulary/xmlvalues.h"

namespace XMLValues = SRCore::XMLValues;

bool ScriptEngines::isSupported(const QString &language, QString *errorMessage)
{
    if (language == XMLValues::JAVASCRIPT || language == XMLValues::VBSCRIPT) {
        return true;
    }
    if (language == XMLValues::APPLESCRIPT) {
        *errorMessage = tr("AppleScript programs run only on the server's Mac; they can't be "
                           "run here");
    } else {
        *errorMessage = tr("'%1' is no script language").arg(language);
    }
    return false;
}

std::unique_ptr<IScriptEngine> ScriptEngines::create(const QString &language, QString *errorMessage)
{
    if (!isSupported(language, errorMessage)) {
        return nullptr;
    }
    if (language == XMLValues::VBSCRIPT) {
        return std::make_unique<VBScriptEngine>();
    }
    return std::make_unique<JavaScriptEngine>();
}
