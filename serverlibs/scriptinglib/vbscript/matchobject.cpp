#include "matchobject.h"

#include "interpreter.h"
#include "runtimeerror.h"
#include "valuecollection.h"

namespace VBScript {

namespace {

enum Member { ValueMember = 1, FirstIndex, Length, SubMatches };

const MemberList &members()
{
    static const MemberList list({{"value", ValueMember},
                                  {"firstindex", FirstIndex},
                                  {"length", Length},
                                  {"submatches", SubMatches}});
    return list;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

MatchObject::MatchObject(const QRegularExpressionMatch &match)
    : LibraryObject(members(), "IMatch2")
    , m_value(match.captured())
    , m_firstIndex(int(match.capturedStart()))
{
    for (int group = 1; group <= match.lastCapturedIndex(); ++group) {
        m_subMatches.push_back(
            match.capturedStart(group) < 0 ? Value() : Value::string(match.captured(group)));
    }
    const int groups = match.regularExpression().captureCount();
    for (int group = match.lastCapturedIndex() + 1; group <= groups; ++group) {
        m_subMatches.emplace_back();
    }
}

QString MatchObject::expand(const QString &replacement, const QRegularExpressionMatch &match,
                            const QString &text)
{
    const int groups = match.regularExpression().captureCount();
    QString expanded;
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement.at(i);
        const QChar next = i + 1 < replacement.size() ? replacement.at(i + 1) : QChar();
        if (c != QLatin1Char('$') || next.isNull()) {
            expanded += c;
            continue;
        }
        if (next == QLatin1Char('$')) {
            expanded += QLatin1Char('$');
        } else if (next == QLatin1Char('&')) {
            expanded += match.captured();
        } else if (next == QLatin1Char('`')) {
            expanded += QStringView(text).left(match.capturedStart());
        } else if (next == QLatin1Char('\'')) {
            expanded += QStringView(text).mid(match.capturedEnd());
        } else if (isDigit(next)) {
            // $nn when that group exists, else $n.
            int group = next.digitValue();
            qsizetype used = 1;
            if (i + 2 < replacement.size() && isDigit(replacement.at(i + 2))
                && group * 10 + replacement.at(i + 2).digitValue() <= groups) {
                group = group * 10 + replacement.at(i + 2).digitValue();
                used = 2;
            }
            if (group == 0 || group > groups) {
                expanded += c;
                continue;
            }
            expanded += match.captured(group);
            i += used;
            continue;
        } else {
            expanded += c;
            continue;
        }
        ++i;
    }
    return expanded;
}

bool MatchObject::invoke(Interpreter &interpreter, int member, InvokeKind kind,
                         const Arguments &arguments, Value &result)
{
    if (kind == InvokeKind::Let || kind == InvokeKind::Set) {
        return interpreter.raise(RuntimeError::ObjectDoesNotSupport);
    }
    switch (member == defaultMember ? int(ValueMember) : member) {
    case ValueMember:
        result = Value::string(m_value);
        break;
    case FirstIndex:
        result = Value::longValue(m_firstIndex);
        break;
    case Length:
        result = Value::longValue(int(m_value.size()));
        break;
    default:
        result = Value::object(new ValueCollection("ISubMatches", m_subMatches));
        if (arguments.count > 0) {
            Value collection = result;
            return interpreter.callValue(collection, arguments, &result);
        }
        return true;
    }
    return arguments.count == 0 || interpreter.raise(RuntimeError::WrongNumberOfArguments);
}

} // namespace VBScript
