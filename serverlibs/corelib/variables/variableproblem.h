#pragma once

#include <QList>
#include <QString>

namespace SRCore {

// One thing wrong with a text with variables or a condition, with the span it concerns so that
// an editor can mark it. Positions count UTF-16 code units (the positions of QString and
// QLineEdit); `end` is one past the last unit. Problems are never dropped: a value that could
// not be computed is reported here, it is not silently empty.
struct VariableProblem
{
    enum class Kind {
        Syntax,           // malformed text: an unbalanced bracket, a bad name, bad quoting
        UnknownVariable,  // a well-formed variable that the catalogue does not hold
        BadArgument,      // an argument that the variable does not take, lacks or cannot use
        Unavailable,      // a variable that this program cannot compute (server-only data)
        EvaluationFailed, // computable, but not for this job (missing file, dataset, node, ...)
        BadComparison,    // a condition's operator or value does not fit its variable
    };

    // Which part of a condition the problem concerns, and so which text the span is in: the
    // comparison's variable or value. Text for a text with variables; Operator and Condition
    // have no span.
    enum class Field { Text, Variable, Operator, Value, Condition };

    // A problem of a text with variables.
    static VariableProblem inText(Kind kind, int start, int end, const QString &variable,
                                  const QString &message)
    {
        VariableProblem problem;
        problem.kind = kind;
        problem.start = start;
        problem.end = end;
        problem.variable = variable;
        problem.message = message;
        return problem;
    }

    Kind kind = Kind::Syntax;
    int start = 0;
    int end = 0;
    QString variable; // the full name "Group.Name", when a variable is concerned
    QString message;  // translated; says what is wrong and how to mend it
    Field field = Field::Text;
    int comparison = -1; // the comparison of a condition (0-based); -1 for texts
};

using VariableProblems = QList<VariableProblem>;

} // namespace SRCore
