#pragma once

#include "frameworkobject.h"

// The folder helper that scripts see as `Dir`: list a folder's entries by name patterns, and
// create and remove folders. Every failure raises an error naming the path.
class ScriptDir : public FrameworkObject
{
    Q_OBJECT
    Q_CLASSINFO("ScriptClass", "Dir")

public:
    using FrameworkObject::FrameworkObject;

    // The names of the files and folders in `path` that match one of the ";"-separated wildcard
    // patterns, sorted.
    Q_INVOKABLE QStringList list(const QString &path,
                                 const QString &pattern = QStringLiteral("*")) const;
    Q_INVOKABLE void create(const QString &path) const;
    Q_INVOKABLE void remove(const QString &path) const;
    Q_INVOKABLE bool exists(const QString &path) const;
};
