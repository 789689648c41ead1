#pragma once

#include "variableproblem.h"

#include <QCoreApplication>
#include <QString>

namespace SRCore {

class Variable;
class VariableValue;
struct VariableTextPart;

// The argument names of variables (docs/variables.md).
namespace VariableArgumentName {
inline const QString KEY = QStringLiteral("Key");             // Job.PrivateData
inline const QString DATASET = QStringLiteral("Dataset");     // Metadata.*
inline const QString PATH = QStringLiteral("Path");           // Metadata.*: an XPath
inline const QString PREFIXES = QStringLiteral("Prefixes");   // Metadata.*: xmlns:p="uri" ...
inline const QString INDEX = QStringLiteral("Index");         // lists: 1 first, -1 last
inline const QString SEPARATOR = QStringLiteral("Separator"); // lists: joins the items
inline const QString FORMAT = QStringLiteral("Format");       // dates and numbers
inline const QString START = QStringLiteral("Start");         // substring: first character, 1..
inline const QString LENGTH = QStringLiteral("Length");       // substring: number of characters
} // namespace VariableArgumentName

// Which arguments a variable takes, whether their values are usable, and what they do to the
// variable's value. Stateless; safe from any thread.
class VariableArguments
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::VariableArguments)

public:
    // In a condition the comparison works on the typed value, so arguments that only shape
    // text (Format, Start, Length) are refused there for variables that are not Text.
    enum class Use { Text, Condition };

    VariableArguments() = delete;

    // The problems of the arguments of `part`, which names `variable` of the catalogue:
    // unknown or repeated arguments, missing required ones, unusable values (a bad number, an
    // XPath that does not compile, ...). Spans point at the argument concerned.
    static VariableProblems validate(const VariableTextPart &part, const Variable &variable,
                                     Use use);

    // The text of a valid `value` shaped by the arguments of a validated `part`: Index picks a
    // list item, Separator joins a list, Format writes a date or a number, Start and Length
    // cut the result. A list item that Index does not find gives an empty text.
    static QString format(const VariableValue &value, const VariableTextPart &part);
    // The value that a condition compares: Index picks an item of a list (then a Text value);
    // for Text values the formatted text.
    static VariableValue select(const VariableValue &value, const VariableTextPart &part);

    // A number format: "0" repeated for the minimum count of integer digits, optionally "."
    // and "0" repeated for the count of decimals ("000", "0.00").
    static bool isNumberFormat(const QString &format);
    // `value` written with `format` (isNumberFormat), in the C locale.
    static QString formatNumber(double value, const QString &format);
};

} // namespace SRCore
