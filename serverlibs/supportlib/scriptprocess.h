#pragma once

#include "frameworkobject.h"

// The process helper that scripts see as `Process`: runs a program with arguments (no shell) and
// waits for it, at most the time-out, giving an object with `exitCode`, `stdout`, `stderr` and
// `timedOut`. A program that overruns its time-out is killed; one that can't be started raises
// an error. Stopping the run kills the program too.
class ScriptProcess : public FrameworkObject
{
    Q_OBJECT
    Q_CLASSINFO("ScriptClass", "Process")

public:
    using FrameworkObject::FrameworkObject;

    Q_INVOKABLE QVariantMap run(const QString &program,
                                const QStringList &arguments = QStringList(),
                                int timeoutSeconds = 30) const;
};
