#pragma once

#include <QString>

namespace Scripter {

// The syntax checks that the package processor runs before it saves, with the place of the
// error kept for reports that name the file: JavaScript with QSA's interpreter, VBScript with
// the scripting library's checker. AppleScript is never checked here.
class ScriptCheck
{
public:
    struct Problem
    {
        int line = 0;   // 1-based; 0 when the checker gives no place
        int column = 0; // 1-based; 0 when the checker gives no place
        QString message;
    };

    ScriptCheck() = delete;

    // Whether `language` (XMLValues::JAVASCRIPT, ...) has a syntax check.
    static bool isChecked(const QString &language);
    // True when `program` passes the check of `language` (always for a language without one);
    // otherwise `problem` (may be null) receives the first error. Compiles, never runs.
    static bool check(const QString &language, const QString &program, Problem *problem);
};

} // namespace Scripter
