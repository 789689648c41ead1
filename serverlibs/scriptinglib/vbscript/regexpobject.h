#pragma once

#include "libraryobject.h"

#include <QRegularExpression>

namespace VBScript {

// New RegExp: Pattern, Global, IgnoreCase, Multiline; Test, Execute (a MatchCollection) and
// Replace with $1 ... $99, $&, $`, $' and $$ in the replacement. Patterns are the engine's
// (JavaScript-like) expressions, run by PCRE.
class RegExpObject final : public LibraryObject
{
public:
    RegExpObject();

    bool invoke(Interpreter &interpreter, int member, InvokeKind kind, const Arguments &arguments,
                Value &result) override;

private:
    // The compiled pattern; false with "Syntax error in regular expression" raised.
    bool compiled(Interpreter &interpreter, const QRegularExpression **expression);
    bool execute(Interpreter &interpreter, const QString &text, Value &result);
    bool replace(Interpreter &interpreter, const QString &text, const QString &replacement,
                 Value &result);

    QString m_pattern;
    bool m_global = false;
    bool m_ignoreCase = false;
    bool m_multiline = false;
    QRegularExpression m_expression;
    bool m_dirty = true;
};

} // namespace VBScript
