#pragma once

class QString;

namespace VBScript {
struct SyntaxError;
}

// Checks VBScript texts before a script package is saved. Stands in for the script engine that
// checks them on Windows; built on the VBScript front end in vbscript/.
class VBScriptSyntaxChecker
{
public:
    VBScriptSyntaxChecker() = delete;

    // True when `code` parses; `message` is then cleared. Otherwise `message` holds the first
    // error with its place, as in "Line 12, column 5: Expected 'End If' to close the 'If' on
    // line 3; found 'End Sub'". Safe for any text and any thread.
    static bool check(const QString &code, QString &message);
    // The same, with the first error's place and message apart, for reports that name the
    // file as well. `error` may be null.
    static bool check(const QString &code, VBScript::SyntaxError *error);
};
