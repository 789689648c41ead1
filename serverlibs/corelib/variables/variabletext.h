#pragma once

#include "variableproblem.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

namespace SRCore {

// One argument of a variable: [Job.PrivateData:Key="Customer"] has the key "Key" and the value
// "Customer". The span covers the key, "=" and the value with its quotes.
struct VariableArgument
{
    QString key;
    QString value; // quotes removed, a doubled quote turned into one
    int start = 0;
    int end = 0;
};

// A piece of a text with variables: literal text or one variable.
struct VariableTextPart
{
    enum class Kind { Literal, Variable };

    Kind kind = Kind::Literal;
    int start = 0; // span in the source text; a variable's span includes its brackets
    int end = 0;
    QString text;  // a literal's text with [[ and ]] resolved; a variable's source text
    QString group; // a variable's group and name, as written
    QString name;
    QList<VariableArgument> arguments; // in the order written

    bool isVariable() const { return kind == Kind::Variable; }
    QString fullName() const; // "Group.Name"; empty for a literal
    // The value of argument `key`; a null string when the variable has no such argument.
    QString argument(const QString &key) const;
};

// A text with variables split into literal and variable parts (docs/variables.md):
//   Invoice [Job.NameProper] of [Server.Date:Format="yyyy-MM-dd"]
// "[[" and "]]" stand for literal brackets. Parsing never fails: a malformed text gives the
// parts that could be read plus syntax problems with their positions. Only the syntax is
// checked here; VariableManager checks the variables against the catalogue.
// A value class; safe to use from any thread.
class VariableText
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::VariableText)

public:
    VariableText() = default;
    static VariableText parse(const QString &text);

    QString source() const { return m_source; }
    QList<VariableTextPart> parts() const { return m_parts; }
    // Syntax problems in text order; empty for a well-formed text.
    VariableProblems problems() const { return m_problems; }
    bool isWellFormed() const { return m_problems.isEmpty(); }

    // The full names of the variables, in text order, each once.
    QStringList variableNames() const;
    // The variable whose span holds `position` strictly inside (a cursor right before "[" or
    // right after "]" stands outside); null when there is none.
    const VariableTextPart *variableAt(int position) const;
    // True when the text is exactly one variable, with nothing before or after it.
    bool isSingleVariable() const;

    // `literal` with its brackets doubled, so that it reads back as the same literal text.
    static QString escape(const QString &literal);

private:
    friend class VariableTextParser;

    QString m_source;
    QList<VariableTextPart> m_parts;
    VariableProblems m_problems;
};

} // namespace SRCore
