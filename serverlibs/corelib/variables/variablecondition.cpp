#include "variablecondition.h"

#include "corelib/common/xmldatareader.h"
#include "corelib/common/xmldatawriter.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <array>
#include <utility>

namespace SRCore {

namespace {

using Operator = VariableCondition::Operator;

// The labels of the operators by code (1 to 18), untranslated.
const std::array<const char *, 18> &operatorLabels()
{
    static const std::array<const char *, 18> labels{
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "Equal to"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "Not equal to"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "Contains"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "Does not contain"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "Starts with"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "Does not start with"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "Matches"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "Does not match"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "True"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "False"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "Less than"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "Less than or equal"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "Greater than"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "Greater than or equal"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "Earlier than"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "Earlier than or same"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "Later than"),
        QT_TRANSLATE_NOOP("SRCore::VariableCondition", "Later than or same"),
    };
    return labels;
}

const QString &joinName(VariableCondition::Join join)
{
    return join == VariableCondition::Join::And ? XMLValues::COND_AND : XMLValues::COND_OR;
}

const QString &precedenceName(VariableCondition::Precedence precedence)
{
    return precedence == VariableCondition::Precedence::OrThenAnd ? XMLValues::COND_ORTHENAND
                                                                  : XMLValues::COND_ANDTHENOR;
}

bool readComparison(XmlDataReader &reader, VariableCondition::Comparison *comparison)
{
    qint64 code = 0;
    const bool ok =
        reader.checkAttributes({}) && reader.readChildElement(XMLKey::COND_VARIABLE)
        && reader.readText(&comparison->variable) && reader.readChildElement(XMLKey::COND_OPERATOR)
        && reader.readInteger(&code, 1, 18) && reader.readChildElement(XMLKey::COND_VALUE)
        && reader.readText(&comparison->value) && reader.readEndElement();
    comparison->op = VariableCondition::operatorFromCode(int(code));
    return ok;
}

bool readJoin(XmlDataReader &reader, VariableCondition::Join *join)
{
    QString text;
    if (!reader.readText(&text)) {
        return false;
    }
    if (text != XMLValues::COND_AND && text != XMLValues::COND_OR) {
        return reader.raiseError(VariableCondition::tr("Unknown join '%1'; a join is %2 or %3")
                                     .arg(text, XMLValues::COND_AND, XMLValues::COND_OR));
    }
    *join =
        text == XMLValues::COND_AND ? VariableCondition::Join::And : VariableCondition::Join::Or;
    return true;
}

bool readPrecedence(XmlDataReader &reader, VariableCondition::Precedence *precedence)
{
    if (!reader.checkAttributes({XMLKey::FORMATVERSION, XMLKey::COND_PRECEDENCE})) {
        return false;
    }
    const QStringView text = reader.attribute(XMLKey::COND_PRECEDENCE);
    if (text.isNull()) {
        return reader.raiseMissingAttribute(XMLKey::COND_PRECEDENCE);
    }
    if (text != XMLValues::COND_ORTHENAND && text != XMLValues::COND_ANDTHENOR) {
        return reader.raiseError(VariableCondition::tr("Unknown precedence '%1'").arg(text));
    }
    *precedence = text == XMLValues::COND_ORTHENAND ? VariableCondition::Precedence::OrThenAnd
                                                    : VariableCondition::Precedence::AndThenOr;
    return true;
}

// Comparisons and joins alternate, starting and ending with a comparison.
bool readBody(XmlDataReader &reader, VariableCondition *condition)
{
    VariableCondition::Join join = VariableCondition::Join::And;
    bool expectComparison = true;
    while (reader.readNextChildElement()) {
        const QString expected = expectComparison ? XMLKey::COND_COMPARISON : XMLKey::COND_JOIN;
        if (reader.name() != expected) {
            return reader.raiseUnexpectedElement();
        }
        if (expectComparison) {
            VariableCondition::Comparison comparison;
            if (!readComparison(reader, &comparison)) {
                return false;
            }
            condition->addComparison(comparison, join);
        } else if (!readJoin(reader, &join)) {
            return false;
        }
        expectComparison = !expectComparison;
    }
    if (reader.hasError()) {
        return false;
    }
    if (expectComparison) {
        return reader.raiseMissingElement(XMLKey::COND_COMPARISON);
    }
    return reader.finish();
}

} // namespace

VariableCondition::VariableCondition(Precedence precedence)
    : m_precedence(precedence)
{}

void VariableCondition::addComparison(const Comparison &comparison, Join join)
{
    if (!m_comparisons.isEmpty()) {
        m_joins.append(join);
    }
    m_comparisons.append(comparison);
}

QString VariableCondition::toXml() const
{
    XmlDataWriter writer(XMLKey::CONDITION, kFormatVersion);
    writer.writeAttribute(XMLKey::COND_PRECEDENCE, precedenceName(m_precedence));
    for (qsizetype i = 0; i < m_comparisons.size(); ++i) {
        if (i > 0) {
            writer.writeTextElement(XMLKey::COND_JOIN, joinName(m_joins.at(i - 1)));
        }
        const Comparison &comparison = m_comparisons.at(i);
        writer.writeStartElement(XMLKey::COND_COMPARISON);
        writer.writeTextElement(XMLKey::COND_VARIABLE, comparison.variable);
        writer.writeIntegerElement(XMLKey::COND_OPERATOR, int(comparison.op));
        writer.writeTextElement(XMLKey::COND_VALUE, comparison.value);
        writer.writeEndElement();
    }
    return writer.finishElement();
}

bool VariableCondition::fromXml(const QString &xml, VariableCondition *condition,
                                QString *errorMessage)
{
    XmlDataReader reader(xml);
    VariableCondition read;
    const bool ok = reader.readRoot(XMLKey::CONDITION, kFormatVersion)
                    && readPrecedence(reader, &read.m_precedence) && readBody(reader, &read);
    if (!ok) {
        if (errorMessage) {
            *errorMessage = tr("The condition can't be read: %1").arg(reader.error().toString());
        }
        return false;
    }
    *condition = read;
    return true;
}

QList<VariableCondition::Operator> VariableCondition::operatorsFor(Variable::DataType dataType)
{
    switch (dataType) {
    case Variable::DataType::Text:
        return {Operator::EqualTo,        Operator::NotEqualTo,  Operator::Contains,
                Operator::DoesNotContain, Operator::StartsWith,  Operator::DoesNotStartWith,
                Operator::Matches,        Operator::DoesNotMatch};
    case Variable::DataType::Boolean:
        return {Operator::True, Operator::False};
    case Variable::DataType::Integer:
    case Variable::DataType::Rational:
        return {Operator::EqualTo,         Operator::NotEqualTo,  Operator::LessThan,
                Operator::LessThanOrEqual, Operator::GreaterThan, Operator::GreaterThanOrEqual};
    case Variable::DataType::Date:
        return {Operator::EqualTo,           Operator::NotEqualTo, Operator::EarlierThan,
                Operator::EarlierThanOrSame, Operator::LaterThan,  Operator::LaterThanOrSame};
    }
    return {};
}

QString VariableCondition::operatorLabel(Operator op)
{
    const int code = int(op);
    if (code < 1 || code > int(operatorLabels().size())) {
        return tr("Unknown");
    }
    return tr(operatorLabels().at(code - 1));
}

VariableCondition::Operator VariableCondition::operatorFromLabel(const QString &label)
{
    for (int code = 1; code <= int(operatorLabels().size()); ++code) {
        if (tr(operatorLabels().at(code - 1)) == label) {
            return Operator(code);
        }
    }
    return Operator::None;
}

VariableCondition::Operator VariableCondition::operatorFromCode(int code)
{
    return code >= 1 && code <= int(operatorLabels().size()) ? Operator(code) : Operator::None;
}

bool operator==(const VariableCondition::Comparison &left,
                const VariableCondition::Comparison &right)
{
    return left.variable == right.variable && left.op == right.op && left.value == right.value;
}

} // namespace SRCore
