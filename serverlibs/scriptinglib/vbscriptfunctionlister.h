#pragma once

#include <QStringList>

// Lists the procedures of a VBScript text that the server can call as entry points, as the
// script engine reports them to its host: the Sub and Function procedures defined at the top
// level and not Private, in source order, spelled as defined. Members of classes are not
// listed; they are not entry points.
class VBScriptFunctionLister
{
public:
    VBScriptFunctionLister() = delete;

    // Fills `names` and returns true when `code` parses. Otherwise returns false with `names`
    // emptied and the first error in `errorMessage` (see VBScriptSyntaxChecker::check).
    static bool functionNames(const QString &code, QStringList *names,
                              QString *errorMessage = nullptr);
};
