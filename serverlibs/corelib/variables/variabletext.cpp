#include "variabletext.h"

#include <QSet>

#include <algorithm>

namespace SRCore {

namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() && c.unicode() < 128;
}

bool isNameChar(QChar c)
{
    return (c.isLetterOrNumber() && c.unicode() < 128);
}

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

// Characters of a value written without quotes.
bool isBareValueChar(QChar c)
{
    return !c.isSpace() && c != QLatin1Char(',') && c != QLatin1Char(']') && c != QLatin1Char('[')
           && !isQuote(c);
}

} // namespace

// Reads a text left to right. Literal text collects until a single "[" opens a variable; a
// variable that can't be read is reported and skipped up to its "]", so that one mistake
// yields one problem and the rest of the text is still read.
class VariableTextParser
{
public:
    explicit VariableTextParser(VariableText &result)
        : m_result(result)
        , m_text(result.m_source)
    {}

    void parse()
    {
        QString literal;
        int literalStart = 0;
        const auto flushLiteral = [&] {
            if (!literal.isEmpty()) {
                m_result.m_parts.append(
                    {VariableTextPart::Kind::Literal, literalStart, m_pos, literal, {}, {}, {}});
                literal.clear();
            }
        };
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos);
            const bool doubled = m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == c;
            if ((c == QLatin1Char('[') || c == QLatin1Char(']')) && doubled) {
                if (literal.isEmpty()) {
                    literalStart = m_pos;
                }
                literal.append(c);
                m_pos += 2;
            } else if (c == QLatin1Char('[')) {
                flushLiteral();
                readVariable();
                literalStart = m_pos;
            } else if (c == QLatin1Char(']')) {
                flushLiteral();
                problem(m_pos, m_pos + 1,
                        VariableText::tr("']' without a '[' before it; write ']]' for a "
                                         "literal ']'"));
                ++m_pos;
                literalStart = m_pos;
            } else {
                if (literal.isEmpty()) {
                    literalStart = m_pos;
                }
                literal.append(c);
                ++m_pos;
            }
        }
        flushLiteral();
    }

private:
    QChar current() const { return m_pos < m_text.size() ? m_text.at(m_pos) : QChar(); }
    bool atEnd() const { return m_pos >= m_text.size(); }

    void skipSpaces()
    {
        while (!atEnd() && current().isSpace()) {
            ++m_pos;
        }
    }

    QString readName()
    {
        const int start = m_pos;
        if (atEnd() || !isNameStart(current())) {
            return QString();
        }
        while (!atEnd() && isNameChar(current())) {
            ++m_pos;
        }
        return m_text.mid(start, m_pos - start);
    }

    // What the parser found where it expected something else, for messages.
    QString found() const
    {
        return atEnd() ? VariableText::tr("the end of the text")
                       : QStringLiteral("'%1'").arg(current());
    }

    void problem(int start, int end, const QString &message)
    {
        m_result.m_problems.append(
            VariableProblem::inText(VariableProblem::Kind::Syntax, start, end, {}, message));
    }

    // Reports the variable opened at `start` as unreadable and moves past it: to its "]", or to
    // a "[" that opens the next variable, or to the end. Without a "]" the missing bracket is
    // the problem reported, whatever else looked wrong, since it is the likely cause.
    void abandonVariable(int start, const QString &message)
    {
        int end = m_pos;
        QChar quote;
        while (end < m_text.size()) {
            const QChar c = m_text.at(end);
            if (quote.isNull() && isQuote(c)) {
                quote = c;
            } else if (c == quote) {
                quote = QChar();
            } else if (quote.isNull() && (c == QLatin1Char(']') || c == QLatin1Char('['))) {
                break;
            }
            ++end;
        }
        if (end < m_text.size() && m_text.at(end) == QLatin1Char(']')) {
            problem(start, end + 1, message);
            m_pos = end + 1;
        } else {
            problem(start, end,
                    VariableText::tr("The variable that starts here has no closing ']'; write "
                                     "'[[' for a literal '['"));
            m_pos = end;
        }
    }

    void readVariable()
    {
        VariableTextPart part;
        part.kind = VariableTextPart::Kind::Variable;
        part.start = m_pos;
        ++m_pos; // "["
        skipSpaces();
        part.group = readName();
        if (part.group.isEmpty() || current() != QLatin1Char('.')) {
            return abandonVariable(part.start, badName(part.start));
        }
        ++m_pos; // "."
        part.name = readName();
        if (part.name.isEmpty()) {
            return abandonVariable(part.start, badName(part.start));
        }
        skipSpaces();
        if (current() == QLatin1Char(':')) {
            ++m_pos;
            if (!readArguments(part)) {
                return;
            }
        }
        if (current() != QLatin1Char(']')) {
            return abandonVariable(
                part.start, VariableText::tr("Expected ':' before the arguments or ']' after "
                                             "%1, found %2")
                                .arg(part.fullName(), found()));
        }
        ++m_pos; // "]"
        part.end = m_pos;
        part.text = m_text.mid(part.start, part.end - part.start);
        m_result.m_parts.append(part);
    }

    QString badName(int start) const
    {
        return VariableText::tr("A variable is written [Group.Name] (such as [Job.Name]) with "
                                "letters and digits; found '%1'")
            .arg(m_text.mid(start, std::min<int>(m_pos + 1, m_text.size()) - start));
    }

    // Reads `Key="value", Key=value` up to the closing "]". False when the variable was
    // abandoned.
    bool readArguments(VariableTextPart &part)
    {
        while (true) {
            skipSpaces();
            VariableArgument argument;
            argument.start = m_pos;
            argument.key = readName();
            if (argument.key.isEmpty()) {
                abandonVariable(part.start, VariableText::tr("Expected an argument such as "
                                                             "Format=\"yyyy-MM-dd\", found %1")
                                                .arg(found()));
                return false;
            }
            skipSpaces();
            if (current() != QLatin1Char('=')) {
                abandonVariable(part.start, VariableText::tr("Expected '=' after the argument "
                                                             "name %1, found %2")
                                                .arg(argument.key, found()));
                return false;
            }
            ++m_pos;
            skipSpaces();
            if (!readValue(part, argument)) {
                return false;
            }
            argument.end = m_pos;
            part.arguments.append(argument);
            skipSpaces();
            if (current() != QLatin1Char(',')) {
                return true;
            }
            ++m_pos;
        }
    }

    bool readValue(VariableTextPart &part, VariableArgument &argument)
    {
        if (isQuote(current())) {
            const QChar quote = current();
            const int opening = m_pos;
            ++m_pos;
            while (!atEnd()) {
                if (current() == quote) {
                    if (m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == quote) {
                        argument.value.append(quote);
                        m_pos += 2;
                        continue;
                    }
                    ++m_pos;
                    return true;
                }
                argument.value.append(current());
                ++m_pos;
            }
            problem(opening, m_pos,
                    VariableText::tr("The quoted value of %1 is not closed; write %2%2 for a "
                                     "%2 inside it")
                        .arg(argument.key, quote));
            return false;
        }
        const int start = m_pos;
        while (!atEnd() && isBareValueChar(current())) {
            ++m_pos;
        }
        if (m_pos == start) {
            abandonVariable(part.start, VariableText::tr("The argument %1 has no value; write "
                                                         "%1=\"value\"")
                                            .arg(argument.key));
            return false;
        }
        argument.value = m_text.mid(start, m_pos - start);
        return true;
    }

    VariableText &m_result;
    const QString &m_text;
    int m_pos = 0;
};

QString VariableTextPart::fullName() const
{
    return isVariable() ? group + QLatin1Char('.') + name : QString();
}

QString VariableTextPart::argument(const QString &key) const
{
    const auto found = std::find_if(arguments.cbegin(), arguments.cend(),
                                    [&key](const VariableArgument &a) { return a.key == key; });
    return found != arguments.cend() ? found->value : QString();
}

VariableText VariableText::parse(const QString &text)
{
    VariableText result;
    result.m_source = text;
    VariableTextParser(result).parse();
    std::stable_sort(
        result.m_problems.begin(), result.m_problems.end(),
        [](const VariableProblem &a, const VariableProblem &b) { return a.start < b.start; });
    return result;
}

QStringList VariableText::variableNames() const
{
    QStringList names;
    QSet<QString> seen;
    for (const VariableTextPart &part : m_parts) {
        if (part.isVariable() && !seen.contains(part.fullName())) {
            seen.insert(part.fullName());
            names.append(part.fullName());
        }
    }
    return names;
}

const VariableTextPart *VariableText::variableAt(int position) const
{
    for (const VariableTextPart &part : m_parts) {
        if (part.isVariable() && part.start < position && position < part.end) {
            return &part;
        }
    }
    return nullptr;
}

bool VariableText::isSingleVariable() const
{
    return isWellFormed() && m_parts.size() == 1 && m_parts.constFirst().isVariable();
}

QString VariableText::escape(const QString &literal)
{
    QString escaped = literal;
    escaped.replace(QLatin1Char('['), QStringLiteral("[["));
    escaped.replace(QLatin1Char(']'), QStringLiteral("]]"));
    return escaped;
}

} // namespace SRCore
