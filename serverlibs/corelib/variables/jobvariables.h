#pragma once

#include "variablevalue.h"

#include <QCoreApplication>
#include <QString>

namespace SRCore {

struct VariableContext;
struct VariableTextPart;

// Computes the value of each variable of the catalogue for a job: from its ticket, its file or
// folder on disk, the flow, the clock and its metadata datasets. Variables that need the
// server's own data (file statistics of page layouts, mail messages) are Unavailable, with the
// reason. Stateless; safe from any thread as long as the context's objects do not change.
class JobVariables
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::JobVariables)

public:
    // The arguments a variable takes besides Format (dates and numbers) and Start/Length (all).
    enum ArgumentFlag {
        NoArguments = 0,
        KeyArgument = 1,       // Key, required
        MetadataArguments = 2, // Dataset and Path required, Prefixes optional
        ListArguments = 4,     // Index and Separator, optional
    };
    Q_DECLARE_FLAGS(ArgumentFlags, ArgumentFlag)

    JobVariables() = delete;

    static ArgumentFlags argumentsOf(const QString &fullName);
    // The reason why the variable can never be computed by this program; empty when it can.
    static QString unavailableReason(const QString &fullName);

    // The value of the variable of `part` (known to the catalogue, arguments validated) for the
    // context, whose `now` must be valid.
    static VariableValue value(const VariableTextPart &part, const VariableContext &context);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(JobVariables::ArgumentFlags)

} // namespace SRCore
