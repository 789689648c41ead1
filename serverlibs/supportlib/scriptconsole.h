#pragma once

#include "frameworkobject.h"

// The `console` of scripts: console.log writes a debug message (level -1) to the log.
class ScriptConsole : public FrameworkObject
{
    Q_OBJECT
    Q_CLASSINFO("ScriptClass", "Console")

public:
    using FrameworkObject::FrameworkObject;

    Q_INVOKABLE void log(const QString &message) const;
};
