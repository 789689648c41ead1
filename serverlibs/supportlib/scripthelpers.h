#pragma once

#include <QList>
#include <QPair>
#include <QString>

class IFrameworkEnvironment;
class QObject;

namespace SRCore {
class ILogInterface;
}

// The helper objects that every script finds under their own names: File, Dir, Process and
// console.
class ScriptHelpers
{
public:
    using Global = QPair<QString, QObject *>;

    ScriptHelpers() = delete;

    // New helpers for a run of `environment`, children of `parent`.
    static QList<Global> create(IFrameworkEnvironment *environment, SRCore::ILogInterface *log,
                                QObject *parent);
};
