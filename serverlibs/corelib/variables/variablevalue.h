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
    static VariableValue list(const QStringList &items);
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

    QString toText() const; // Text: the text, a list's items joined by ", "
    QStringList items() const;
    bool toBool() const;
    qint64 toInteger() const;
    double toRational() const; // also for Integer values
    QDateTime toDate() const;

private:
    enum class Kind { None, Unavailable, EvaluationFailed };

    Variable::DataType m_dataType = Variable::DataType::Text;
    QVariant m_value;
    bool m_isList = false;
    Kind m_failureKind = Kind::None;
    QString m_reason;
};

} // namespace SRCore
