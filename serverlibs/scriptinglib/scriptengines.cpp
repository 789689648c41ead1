#include "scriptengines.h"

#include "javascriptengine.h"

#include "corelib/vocabulary/xmlvalues.h"

namespace XMLValues = SRCore::XMLValues;

bool ScriptEngines::isSupported(const QString &language, QString *errorMessage)
{
    if (language == XMLValues::JAVASCRIPT) {
        return true;
    }
    if (language == XMLValues::VBSCRIPT) {
        *errorMessage = tr("VBScript programs can't be run yet; run the JavaScript program of "
                           "the package instead");
    } else if (language == XMLValues::APPLESCRIPT) {
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
    return std::make_unique<JavaScriptEngine>();
}
