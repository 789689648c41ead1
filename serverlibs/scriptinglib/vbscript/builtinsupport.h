#pragma once

#include "builtin.h"
#include "object.h"

#include <QHash>
#include <QString>

namespace VBScript {

// What the library's functions share in reading their arguments. Each returns false with the
// error raised in the interpreter.
class BuiltinSupport
{
public:
    BuiltinSupport() = delete;

    // The functions of one topic join the table of all.
    static void add(const Builtin *functions, int count, QHash<QString, const Builtin *> *table);

    // The comparison argument at `index`: binary (vbBinaryCompare, the default) or text
    // (vbTextCompare, vbDatabaseCompare); other numbers are refused.
    static bool compareMode(Interpreter &interpreter, const Arguments &arguments, int index,
                            bool *ignoreCase);
    // A whole-number argument, `fallback` when it is missing.
    static bool optionalLong(Interpreter &interpreter, const Arguments &arguments, int index,
                             int fallback, int *result);
    // A truth value argument, `fallback` when it is missing.
    static bool optionalBoolean(Interpreter &interpreter, const Arguments &arguments, int index,
                                bool fallback, bool *result);
    // A count or position argument that must not be below `minimum` ("Invalid procedure call
    // or argument").
    static bool boundedLong(Interpreter &interpreter, const Value &value, int minimum, int *result);
    // A text result, refused with "Out of string space" beyond the engine's limit.
    static bool textResult(Interpreter &interpreter, QString text, Value &result);
    // The longest text a script may build, in characters.
    static constexpr qsizetype maxTextLength = qsizetype(1) << 29;
};

} // namespace VBScript
