#include "scriptlanguages.h"

#include "package/declaration.h"

#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

namespace Scripter {

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

const QList<ScriptLanguages::Language> &ScriptLanguages::all()
{
    static const QList<Language> table = {
        {XMLValues::JAVASCRIPT, QStringLiteral("js"), XMLKey::INCLUDEJAVASCRIPT,
         XMLKey::SCRIPTFUNCTIONS},
        {XMLValues::VBSCRIPT, QStringLiteral("vbs"), XMLKey::INCLUDEVBSCRIPT,
         XMLKey::FUNCTIONSVBSCRIPT},
        {XMLValues::APPLESCRIPT, QStringLiteral("applescript"), XMLKey::INCLUDEAPPLESCRIPT,
         XMLKey::FUNCTIONSAPPLESCRIPT},
    };
    return table;
}

const ScriptLanguages::Language *ScriptLanguages::fromOption(const QString &option)
{
    for (const Language &language : all()) {
        if (language.option.compare(option.trimmed(), Qt::CaseInsensitive) == 0) {
            return &language;
        }
    }
    return nullptr;
}

QList<ScriptLanguages::Language> ScriptLanguages::included(const Declaration &declaration)
{
    QList<Language> result;
    for (const Language &language : all()) {
        if (declaration.basicValue(language.includeFlag) == XMLValues::YES) {
            result.append(language);
        }
    }
    return result;
}

} // namespace Scripter
