#pragma once

#include "frameworkobject.h"

// The file helper that scripts see as `File`: texts read and written in an encoding ("UTF-8"
// unless given: "UTF-16", "UTF-16LE", "UTF-16BE", "UTF-32", "ISO-8859-1", "System"), and
// files or folders copied, moved and removed. Every failure raises an error naming the path.
class ScriptFile : public FrameworkObject
{
    Q_OBJECT
    Q_CLASSINFO("ScriptClass", "File")

public:
    using FrameworkObject::FrameworkObject;

    Q_INVOKABLE QString read(const QString &path,
                             const QString &encoding = QStringLiteral("UTF-8")) const;
    Q_INVOKABLE void write(const QString &path, const QString &text,
                           const QString &encoding = QStringLiteral("UTF-8")) const;
    Q_INVOKABLE void copy(const QString &source, const QString &destination) const;
    Q_INVOKABLE void move(const QString &source, const QString &destination) const;
    Q_INVOKABLE void remove(const QString &path) const;
    Q_INVOKABLE bool exists(const QString &path) const;
    Q_INVOKABLE qint64 size(const QString &path) const;
};
