#include "objectfactory.h"

#include "dictionaryobject.h"
#include "filesystemobject.h"
#include "regexpobject.h"

namespace VBScript {

Object *ObjectFactory::createClass(Interpreter &, const QString &lowerName)
{
    return lowerName == QLatin1String("regexp") ? new RegExpObject : nullptr;
}

Object *ObjectFactory::createProgId(Interpreter &interpreter, const QString &progId)
{
    const QString name = progId.trimmed().toLower();
    if (name == QLatin1String("scripting.dictionary")) {
        return new DictionaryObject(interpreter);
    }
    if (name == QLatin1String("scripting.filesystemobject")) {
        return new FileSystemObject;
    }
    if (name == QLatin1String("vbscript.regexp")) {
        return new RegExpObject;
    }
    return nullptr;
}

} // namespace VBScript
