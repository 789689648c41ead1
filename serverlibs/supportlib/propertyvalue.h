#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace SRCore {
class Flow;
class FlowObjectField;
class IJT;
} // namespace SRCore

// The value of a property of the script element or of a connection, as a script reads it. How
// the value is stored depends on the editor chosen for it (the field's Subtype, or its first
// editor): a literal as it is, a text with variables and a condition evaluated for the job, a
// script expression evaluated with the job bound as `job`, and the items of a list value
// (patterns, file types, string lists, library choices) joined by ";". Values that depend on
// the job are not static.
class PropertyValue
{
    Q_DECLARE_TR_FUNCTIONS(PropertyValue)

public:
    enum class Kind { Literal, List, TextWithVariables, Condition, ScriptExpression };

    // What a value is computed for; nothing is owned. Without a ticket, variables of the job and
    // `job` in expressions are not available.
    struct Context
    {
        const SRCore::Flow *flow = nullptr;
        QString elementId;
        QString elementName;
        const SRCore::IJT *ticket = nullptr;
    };

    // `value` as text; `items` for lists (a plain value gives itself, an empty one nothing).
    // A mistake in the stored value (a syntax error, an unknown variable, a failing expression)
    // is an error; what only this job lacks (a missing dataset, say) gives warnings and empty
    // parts.
    struct Result
    {
        QString value;
        QStringList items;
        QString errorMessage;
        QStringList warnings;

        bool ok() const { return errorMessage.isEmpty(); }
    };

    PropertyValue() = delete;

    static Kind kindOf(const SRCore::FlowObjectField &field);
    static bool isStatic(const SRCore::FlowObjectField &field);
    // The editor chosen for the value.
    static QString editorOf(const SRCore::FlowObjectField &field);
    static Result resolve(const SRCore::FlowObjectField &field, const Context &context);
    // A text with variables on its own (job.getVariableAsString()).
    static Result evaluateText(const QString &text, const Context &context);

private:
    static Result evaluateCondition(const QString &condition, const Context &context);
    static Result evaluateExpression(const QString &value, const Context &context);
};
