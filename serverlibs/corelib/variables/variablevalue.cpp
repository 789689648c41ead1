#include "variablevalue.h"

namespace SRCore {

VariableValue VariableValue::typed(Variable::DataType dataType, const QVariant &value)
{
    VariableValue result;
    result.m_dataType = dataType;
    result.m_value = value;
    return result;
}

VariableValue VariableValue::text(const QString &value)
{
    return typed(Variable::DataType::Text, value);
}

VariableValue VariableValue::list(const QStringList &items, const QString &separator)
{
    VariableValue result = typed(Variable::DataType::Text, items);
    result.m_isList = true;
    result.m_separator = separator;
    return result;
}

VariableValue VariableValue::boolean(bool value)
{
    return typed(Variable::DataType::Boolean, value);
}

VariableValue VariableValue::integer(qint64 value)
{
    return typed(Variable::DataType::Integer, value);
}

VariableValue VariableValue::rational(double value)
{
    return typed(Variable::DataType::Rational, value);
}

VariableValue VariableValue::date(const QDateTime &value)
{
    return typed(Variable::DataType::Date, value);
}

VariableValue VariableValue::failure(VariableProblem::Kind kind, const QString &reason)
{
    Q_ASSERT(kind == VariableProblem::Kind::Unavailable
             || kind == VariableProblem::Kind::EvaluationFailed);
    VariableValue result;
    result.m_failureKind =
        kind == VariableProblem::Kind::Unavailable ? Kind::Unavailable : Kind::EvaluationFailed;
    result.m_reason = reason;
    return result;
}

VariableProblem::Kind VariableValue::failureKind() const
{
    return m_failureKind == Kind::Unavailable ? VariableProblem::Kind::Unavailable
                                              : VariableProblem::Kind::EvaluationFailed;
}

QString VariableValue::toText() const
{
    switch (m_dataType) {
    case Variable::DataType::Text:
        return m_isList ? items().join(m_separator) : m_value.toString();
    case Variable::DataType::Boolean:
        return m_value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case Variable::DataType::Integer:
        return QString::number(m_value.toLongLong());
    case Variable::DataType::Rational:
        return QString::number(m_value.toDouble(), 'g', 15);
    case Variable::DataType::Date:
        return m_value.toDateTime().toLocalTime().toString(Qt::ISODate);
    }
    return QString();
}

QStringList VariableValue::items() const
{
    return m_isList ? m_value.toStringList() : QStringList{toText()};
}

bool VariableValue::toBool() const
{
    return m_value.toBool();
}

qint64 VariableValue::toInteger() const
{
    return m_value.toLongLong();
}

double VariableValue::toRational() const
{
    return m_value.toDouble();
}

QDateTime VariableValue::toDate() const
{
    return m_value.toDateTime();
}

QDateTime VariableValue::parseDate(const QString &text, bool *hasTime)
{
    const QString trimmed = text.trimmed();
    const QDate day = QDate::fromString(trimmed, Qt::ISODate);
    if (day.isValid() && trimmed.size() == 10) {
        if (hasTime) {
            *hasTime = false;
        }
        return day.startOfDay();
    }
    QString iso = trimmed;
    if (iso.size() > 10 && iso.at(10) == QLatin1Char(' ')) {
        iso[10] = QLatin1Char('T');
    }
    const QDateTime moment = QDateTime::fromString(iso, Qt::ISODateWithMs);
    if (hasTime) {
        *hasTime = moment.isValid();
    }
    return moment;
}

} // namespace SRCore
