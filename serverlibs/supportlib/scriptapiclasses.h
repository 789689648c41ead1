#pragma once

#include <QList>
#include <QString>

struct QMetaObject;

// The classes of the objects that scripts see, known by the class names of the scripting API
// table (ScriptingApi::objects()) through their "ScriptClass" class info. Engines bind these
// objects through their Q_INVOKABLE methods; a test keeps the methods and the table equal.
class ScriptApiClasses
{
public:
    ScriptApiClasses() = delete;

    static const QList<const QMetaObject *> &all();
    // The "ScriptClass" class info of `metaObject`; empty for a class that scripts don't see.
    static QString scriptClass(const QMetaObject *metaObject);
};
