#include "regexpobject.h"

#include "interpreter.h"
#include "matchobject.h"
#include "runtimeerror.h"
#include "valuecollection.h"

namespace VBScript {

namespace {

enum Member { Pattern = 1, Global, IgnoreCase, Multiline, Test, Execute, Replace };

const MemberList &members()
{
    static const MemberList list({{"pattern", Pattern},
                                  {"global", Global},
                                  {"ignorecase", IgnoreCase},
                                  {"multiline", Multiline},
                                  {"test", Test},
                                  {"execute", Execute},
                                  {"replace", Replace}});
    return list;
}

// The engine's patterns in PCRE's words: outside a multiline search `$` is the very end of
// the text, and \uXXXX is written \x{XXXX}.
QString pcrePattern(const QString &pattern, bool multiline)
{
    QString converted;
    bool inClass = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\\') && i + 1 < pattern.size()) {
            const QChar next = pattern.at(i + 1);
            if (next == QLatin1Char('u') && i + 5 < pattern.size()) {
                converted += QStringLiteral("\\x{") + pattern.mid(i + 2, 4) + QLatin1Char('}');
                i += 5;
            } else {
                converted += c;
                converted += next;
                ++i;
            }
            continue;
        }
        if (c == QLatin1Char('[')) {
            inClass = true;
        } else if (c == QLatin1Char(']')) {
            inClass = false;
        } else if (c == QLatin1Char('$') && !inClass && !multiline) {
            converted += QStringLiteral("\\z");
            continue;
        }
        converted += c;
    }
    return converted;
}

bool flagArgument(Interpreter &interpreter, const Arguments &arguments, bool *flag)
{
    return interpreter.toBoolean(arguments.last(), flag);
}

} // namespace

RegExpObject::RegExpObject()
    : LibraryObject(members(), "IRegExp2")
{}

bool RegExpObject::compiled(Interpreter &interpreter, const QRegularExpression **expression)
{
    if (m_dirty) {
        QRegularExpression::PatternOptions options;
        if (m_ignoreCase) {
            options |= QRegularExpression::CaseInsensitiveOption;
        }
        if (m_multiline) {
            options |= QRegularExpression::MultilineOption;
        }
        m_expression = QRegularExpression(pcrePattern(m_pattern, m_multiline), options);
        m_dirty = false;
    }
    if (!m_expression.isValid()) {
        return interpreter.raise(RuntimeError::RegExpSyntax);
    }
    *expression = &m_expression;
    return true;
}

bool RegExpObject::invoke(Interpreter &interpreter, int member, InvokeKind kind,
                          const Arguments &arguments, Value &result)
{
    if (member <= Multiline && member >= Pattern) {
        bool *flag = member == Global       ? &m_global
                     : member == IgnoreCase ? &m_ignoreCase
                     : member == Multiline  ? &m_multiline
                                            : nullptr;
        if (kind == InvokeKind::Let) {
            if (arguments.count != 1) {
                return interpreter.raise(RuntimeError::WrongNumberOfArguments);
            }
            m_dirty = true;
            return flag ? flagArgument(interpreter, arguments, flag)
                        : interpreter.toString(arguments.last(), &m_pattern);
        }
        if (kind == InvokeKind::Set || arguments.count != 0) {
            return interpreter.raise(RuntimeError::WrongNumberOfArguments);
        }
        result = flag ? Value::boolean(*flag) : Value::string(m_pattern);
        return true;
    }
    if (member < Test || kind == InvokeKind::Let || kind == InvokeKind::Set) {
        return interpreter.raise(RuntimeError::ObjectDoesNotSupport);
    }
    const int expected = member == Replace ? 2 : 1;
    if (arguments.count != expected) {
        return interpreter.raise(RuntimeError::WrongNumberOfArguments);
    }
    QString text;
    if (!interpreter.toString(arguments[0], &text)) {
        return false;
    }
    if (member == Replace) {
        QString replacement;
        return interpreter.toString(arguments[1], &replacement)
               && replace(interpreter, text, replacement, result);
    }
    if (member == Execute) {
        return execute(interpreter, text, result);
    }
    const QRegularExpression *expression = nullptr;
    if (!compiled(interpreter, &expression)) {
        return false;
    }
    result = Value::boolean(expression->match(text).hasMatch());
    return true;
}

bool RegExpObject::execute(Interpreter &interpreter, const QString &text, Value &result)
{
    const QRegularExpression *expression = nullptr;
    if (!compiled(interpreter, &expression)) {
        return false;
    }
    std::vector<Value> matches;
    qsizetype from = 0;
    while (from <= text.size()) {
        const QRegularExpressionMatch match = expression->match(text, from);
        if (!match.hasMatch()) {
            break;
        }
        matches.push_back(Value::object(new MatchObject(match)));
        if (!m_global) {
            break;
        }
        // An empty match moves on by one character, so that the search ends.
        from = match.capturedEnd() > match.capturedStart() ? match.capturedEnd()
                                                           : match.capturedEnd() + 1;
        if (interpreter.isInterrupted()) {
            return interpreter.raiseInterrupt();
        }
    }
    result = Value::object(new ValueCollection("IMatchCollection2", std::move(matches)));
    return true;
}

bool RegExpObject::replace(Interpreter &interpreter, const QString &text,
                           const QString &replacement, Value &result)
{
    const QRegularExpression *expression = nullptr;
    if (!compiled(interpreter, &expression)) {
        return false;
    }
    QString replaced;
    qsizetype copied = 0;
    qsizetype from = 0;
    while (from <= text.size()) {
        const QRegularExpressionMatch match = expression->match(text, from);
        if (!match.hasMatch()) {
            break;
        }
        replaced += QStringView(text).mid(copied, match.capturedStart() - copied);
        replaced += MatchObject::expand(replacement, match, text);
        copied = match.capturedEnd();
        if (!m_global) {
            break;
        }
        if (match.capturedEnd() == match.capturedStart()) {
            if (match.capturedEnd() < text.size()) {
                replaced += text.at(match.capturedEnd());
            }
            copied = match.capturedEnd() + 1;
        }
        from = copied;
        if (interpreter.isInterrupted()) {
            return interpreter.raiseInterrupt();
        }
    }
    if (copied < text.size()) {
        replaced += QStringView(text).mid(copied);
    }
    result = Value::string(replaced);
    return true;
}

} // namespace VBScript
