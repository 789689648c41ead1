#include "variablearguments.h"

#include "jobvariables.h"
#include "variable.h"
#include "variabletext.h"
#include "variablevalue.h"

#include "corelib/metadata/xmlmetadata.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace SRCore {

namespace {

namespace Name = VariableArgumentName;

struct Rules
{
    QStringList allowed;
    QStringList required;
};

Rules rulesFor(const Variable &variable, VariableArguments::Use use)
{
    const JobVariables::ArgumentFlags flags = JobVariables::argumentsOf(variable.fullName());
    const Variable::DataType type = variable.dataType();
    const bool shapesText = use == VariableArguments::Use::Text || type == Variable::DataType::Text;
    Rules rules;
    if (flags & JobVariables::KeyArgument) {
        rules.allowed << Name::KEY;
        rules.required << Name::KEY;
    }
    if (flags & JobVariables::MetadataArguments) {
        rules.allowed << Name::DATASET << Name::PATH << Name::PREFIXES;
        rules.required << Name::DATASET << Name::PATH;
    }
    if (flags & JobVariables::ListArguments) {
        rules.allowed << Name::INDEX << Name::SEPARATOR;
    }
    const bool formatted = type == Variable::DataType::Date || type == Variable::DataType::Integer
                           || type == Variable::DataType::Rational;
    if (formatted && use == VariableArguments::Use::Text) {
        rules.allowed << Name::FORMAT;
    }
    if (shapesText) {
        rules.allowed << Name::START << Name::LENGTH;
    }
    return rules;
}

bool readInteger(const QString &text, qint64 *value)
{
    bool ok = false;
    *value = text.trimmed().toLongLong(&ok);
    return ok;
}

// Why the value of `argument` is unusable for `variable`; empty when it is fine.
QString valueProblem(const VariableArgument &argument, const Variable &variable)
{
    const QString &key = argument.key;
    const QString &value = argument.value;
    qint64 number = 0;
    QString reason;
    if (key == Name::KEY || key == Name::DATASET) {
        if (value.isEmpty()) {
            return VariableArguments::tr("%1 needs a name").arg(key);
        }
    } else if (key == Name::PATH) {
        if (value.trimmed().isEmpty()) {
            return VariableArguments::tr("Path needs an XPath, such as Path=\"/order/@id\"");
        }
        if (!XMLMetadata::checkXPath(value, &reason)) {
            return reason;
        }
    } else if (key == Name::PREFIXES) {
        XMLMetadata::NamespaceList namespaces;
        if (!XMLMetadata::parsePrefixes(value, &namespaces, &reason)) {
            return reason;
        }
    } else if (key == Name::INDEX) {
        if (!readInteger(value, &number) || number == 0) {
            return VariableArguments::tr("Index needs a whole number other than 0 (1 is the "
                                         "first item, -1 the last); found '%1'")
                .arg(value);
        }
    } else if (key == Name::START) {
        if (!readInteger(value, &number) || number < 1) {
            return VariableArguments::tr("Start needs a whole number from 1 (the first "
                                         "character); found '%1'")
                .arg(value);
        }
    } else if (key == Name::LENGTH) {
        if (!readInteger(value, &number) || number < 0) {
            return VariableArguments::tr("Length needs a whole number from 0; found '%1'")
                .arg(value);
        }
    } else if (key == Name::FORMAT) {
        if (variable.dataType() == Variable::DataType::Date) {
            if (value.trimmed().isEmpty()) {
                return VariableArguments::tr("Format needs a date format, such as "
                                             "Format=\"yyyy-MM-dd hh:mm\"");
            }
        } else if (!VariableArguments::isNumberFormat(value)) {
            return VariableArguments::tr("Format of a number is written with 0s, such as "
                                         "\"000\" or \"0.00\"; found '%1'")
                .arg(value);
        }
    }
    return QString();
}

VariableProblem badArgument(const Variable &variable, int start, int end, const QString &message)
{
    return VariableProblem::inText(VariableProblem::Kind::BadArgument, start, end,
                                   variable.fullName(), message);
}

qint64 integerArgument(const VariableTextPart &part, const QString &key, qint64 fallback)
{
    qint64 value = fallback;
    const QString text = part.argument(key);
    return !text.isNull() && readInteger(text, &value) ? value : fallback;
}

} // namespace

VariableProblems VariableArguments::validate(const VariableTextPart &part, const Variable &variable,
                                             Use use)
{
    const Rules rules = rulesFor(variable, use);
    VariableProblems problems;
    QSet<QString> seen;
    for (const VariableArgument &argument : part.arguments) {
        QString message;
        if (!rules.allowed.contains(argument.key)) {
            message = rules.allowed.isEmpty()
                          ? tr("%1 takes no arguments here").arg(variable.fullName())
                          : tr("%1 takes no argument %2 here; it takes %3")
                                .arg(variable.fullName(), argument.key,
                                     rules.allowed.join(QStringLiteral(", ")));
        } else if (seen.contains(argument.key)) {
            message = tr("The argument %1 is given twice").arg(argument.key);
        } else {
            message = valueProblem(argument, variable);
        }
        seen.insert(argument.key);
        if (!message.isEmpty()) {
            problems.append(badArgument(variable, argument.start, argument.end, message));
        }
    }
    for (const QString &key : rules.required) {
        if (!seen.contains(key)) {
            problems.append(
                badArgument(variable, part.start, part.end,
                            tr("%1 needs the argument %2, such as %3")
                                .arg(variable.fullName(), key,
                                     key == Name::PATH ? QStringLiteral("Path=\"/order/@id\"")
                                                       : key + QStringLiteral("=\"name\""))));
        }
    }
    return problems;
}

VariableValue VariableArguments::select(const VariableValue &value, const VariableTextPart &part)
{
    if (!value.isValid()) {
        return value;
    }
    if (value.dataType() == Variable::DataType::Text) {
        return VariableValue::text(format(value, part));
    }
    return value;
}

QString VariableArguments::format(const VariableValue &value, const VariableTextPart &part)
{
    QString text;
    if (value.isList()) {
        const QStringList items = value.items();
        const qint64 index = integerArgument(part, Name::INDEX, 0);
        if (index == 0) {
            const QString separator = part.argument(Name::SEPARATOR);
            text = items.join(separator.isNull() ? value.separator() : separator);
        } else {
            const qint64 position = index > 0 ? index - 1 : items.size() + index;
            text = position >= 0 && position < items.size() ? items.at(position) : QString();
        }
    } else {
        const QString format = part.argument(Name::FORMAT);
        if (format.isNull()) {
            text = value.toText();
        } else if (value.dataType() == Variable::DataType::Date) {
            text = value.toDate().toLocalTime().toString(format);
        } else {
            text = formatNumber(value.toRational(), format);
        }
    }
    const qint64 start = integerArgument(part, Name::START, 1);
    const qint64 length = integerArgument(part, Name::LENGTH, -1);
    return start == 1 && length < 0 ? text : text.mid(start - 1, length);
}

bool VariableArguments::isNumberFormat(const QString &format)
{
    static const QRegularExpression pattern(QStringLiteral("^0+(\\.0+)?$"));
    return pattern.match(format).hasMatch();
}

QString VariableArguments::formatNumber(double value, const QString &format)
{
    const qsizetype dot = format.indexOf(QLatin1Char('.'));
    const int integerDigits = int(dot < 0 ? format.size() : dot);
    const int decimals = int(dot < 0 ? 0 : format.size() - dot - 1);
    QString digits = QString::number(value, 'f', decimals);
    const bool negative = digits.startsWith(QLatin1Char('-'));
    if (negative) {
        digits.remove(0, 1);
    }
    const qsizetype integerEnd = digits.indexOf(QLatin1Char('.'));
    const qsizetype written = integerEnd < 0 ? digits.size() : integerEnd;
    if (written < integerDigits) {
        digits.prepend(QString(integerDigits - written, QLatin1Char('0')));
    }
    // -0.001 with two decimals is written 0.00, not -0.00.
    const bool zero = std::all_of(digits.cbegin(), digits.cend(), [](QChar c) {
        return c == QLatin1Char('0') || c == QLatin1Char('.');
    });
    return negative && !zero ? QLatin1Char('-') + digits : digits;
}

} // namespace SRCore
