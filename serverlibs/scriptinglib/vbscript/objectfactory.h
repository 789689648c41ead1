#pragma once

#include <QString>

namespace VBScript {

class Interpreter;
class Object;

// The run time's own objects that scripts create by name.
class ObjectFactory
{
public:
    ObjectFactory() = delete;

    // New <name> for a class that is not the script's: RegExp. Null for other names.
    static Object *createClass(Interpreter &interpreter, const QString &lowerName);
    // CreateObject(progId): "Scripting.Dictionary", "Scripting.FileSystemObject" and
    // "VBScript.RegExp", in any letter case. Null for other ProgIDs.
    static Object *createProgId(Interpreter &interpreter, const QString &progId);
};

} // namespace VBScript
