#pragma once

#include "variable.h"
#include "variableproblem.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace SRCore {

// The typed value of one variable for one job, before its arguments format it, or the reason
// why there is none. Lists (the hierarchy, e-mail addresses, metadata node sets) are Text
// values with several items.
class VariableValue
{
public:
    static VariableValue text(const QString &value);
    // `separator` joins the items where no Separator argument says otherwise.
    static VariableValue list(const QStringList &items, const QString &separator);
    static VariableValue boolean(bool value);
    static VariableValue integer(qint64 value);
    static VariableValue rational(double value);
    static VariableValue date(const QDateTime &value);
    // No value: `kind` is Unavailable or EvaluationFailed, `reason` says why (translated).
    static VariableValue failure(VariableProblem::Kind kind, const QString &reason);

    bool isValid() const { return m_failureKind == Kind::None; }
    VariableProblem::Kind failureKind() const;
    QString failureReason() const { return m_reason; }

    Variable::DataType dataType() const { return m_dataType; }
    bool isList() const { return m_isList; }

    // Text: the text, a list's items joined by its separator; Date: ISO 8601 in local time.
    QString toText() const;
    QStringList items() const;
    QString separator() const { return m_separator; }
    bool toBool() const;
    qint64 toInteger() const;
    double toRational() const; // also for Integer values
    QDateTime toDate() const;

    // A date as texts give it: "2024-05-06" (`hasTime` false) or ISO 8601 with a time,
    // "2024-05-06T14:30", "2024-05-06 14:30:15", optionally with milliseconds and "Z" or an
    // offset; a time without a zone is local. Invalid for anything else.
    static QDateTime parseDate(const QString &text, bool *hasTime = nullptr);

private:
    enum class Kind { None, Unavailable, EvaluationFailed };

    static VariableValue typed(Variable::DataType dataType, const QVariant &value);

    Variable::DataType m_dataType = Variable::DataType::Text;
    QVariant m_value;
    bool m_isList = false;
    QString m_separator;
    Kind m_failureKind = Kind::None;
    QString m_reason;
};

} // namespace SRCore
