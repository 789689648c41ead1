#pragma once

#include <QList>
#include <QString>

namespace Scripter {

class Declaration;

// The three script languages of a package as the tool names and reports them.
class ScriptLanguages
{
public:
    struct Language
    {
        QString name;           // XMLValues::JAVASCRIPT, VBSCRIPT or APPLESCRIPT
        QString option;         // how --languages names it: "js", "vbs", "applescript"
        QString includeFlag;    // the basic script property that includes it
        QString functionsField; // the declaration field that lists its entry points
    };

    ScriptLanguages() = delete;

    // In the order the package lists its programs: JavaScript, VBScript, AppleScript.
    static const QList<Language> &all();
    // The language named `option` in any letter case; null when there is none.
    static const Language *fromOption(const QString &option);
    // The languages that `declaration` includes, in the order above.
    static QList<Language> included(const Declaration &declaration);
};

} // namespace Scripter
