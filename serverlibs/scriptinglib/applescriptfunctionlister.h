#pragma once

#include <QStringList>

// Lists the entry points that an AppleScript text defines. AppleScript is never compiled here, so
// the handler definitions are found by searching the text: a line "on <name>(...)" for each of
// the entry point handlers, outside block comments.
class AppleScriptFunctionLister
{
public:
    AppleScriptFunctionLister() = delete;

    // The entry-point handlers defined in `code`, in the order of the entry point list and
    // spelled as there ("jobarrived", "timerfired", ...), once per defining line. Safe for any
    // text and any thread.
    static QStringList functionNames(const QString &code);
};
