#include "stringfunctions.h"

#include "ansicodepage.h"
#include "builtinsupport.h"
#include "interpreter.h"
#include "operators.h"
#include "runtimeerror.h"

#include <algorithm>
#include <iterator>

namespace VBScript {

namespace {

using Support = BuiltinSupport;

// Most text functions give Null for Null.
bool isNull(const Arguments &arguments, int index)
{
    return arguments[index].isNull();
}

bool len(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    if (isNull(arguments, 0)) {
        result = Value::null();
        return true;
    }
    QString text;
    if (!interpreter.toString(arguments[0], &text)) {
        return false;
    }
    result = Value::longValue(int(text.size()));
    return true;
}

bool lenB(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    if (!len(interpreter, arguments, result)) {
        return false;
    }
    if (!result.isNull()) {
        result = Value::longValue(result.asLong() * 2);
    }
    return true;
}

// Left, Right and their byte forms: the first or last `count` characters.
bool edge(Interpreter &interpreter, const Arguments &arguments, Value &result, bool fromLeft,
          int unit)
{
    int count = 0;
    if (!Support::boundedLong(interpreter, arguments[1], 0, &count)) {
        return false;
    }
    if (isNull(arguments, 0)) {
        result = Value::null();
        return true;
    }
    QString text;
    if (!interpreter.toString(arguments[0], &text)) {
        return false;
    }
    count /= unit;
    result = Value::string(fromLeft ? text.left(count) : text.right(count));
    return true;
}

bool left(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    return edge(interpreter, arguments, result, true, 1);
}

bool right(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    return edge(interpreter, arguments, result, false, 1);
}

bool leftB(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    return edge(interpreter, arguments, result, true, 2);
}

bool rightB(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    return edge(interpreter, arguments, result, false, 2);
}

bool midOf(Interpreter &interpreter, const Arguments &arguments, Value &result, int unit)
{
    int start = 0;
    int length = -1;
    if (!Support::boundedLong(interpreter, arguments[1], 1, &start)
        || (!arguments.isMissing(2)
            && !Support::boundedLong(interpreter, arguments[2], 0, &length))) {
        return false;
    }
    if (isNull(arguments, 0)) {
        result = Value::null();
        return true;
    }
    QString text;
    if (!interpreter.toString(arguments[0], &text)) {
        return false;
    }
    const qsizetype from = (qsizetype(start) - 1) / unit;
    if (from >= text.size()) {
        result = Value::string(QString());
        return true;
    }
    result = Value::string(text.mid(from, length < 0 ? -1 : length / unit));
    return true;
}

bool mid(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    return midOf(interpreter, arguments, result, 1);
}

bool midB(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    return midOf(interpreter, arguments, result, 2);
}

qsizetype find(const QString &text, const QString &part, qsizetype from, bool ignoreCase)
{
    return text.indexOf(part, from, ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
}

// InStr([start, ]string1, string2[, compare])
bool inStr(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    int start = 1;
    int first = 0;
    if (arguments.count >= 3) {
        if (isNull(arguments, 0)) {
            return interpreter.raise(RuntimeError::InvalidUseOfNull);
        }
        if (!Support::boundedLong(interpreter, arguments[0], 1, &start)) {
            return false;
        }
        first = 1;
    }
    bool ignoreCase = false;
    if (!Support::compareMode(interpreter, arguments, first + 2, &ignoreCase)) {
        return false;
    }
    if (isNull(arguments, first) || isNull(arguments, first + 1)) {
        result = Value::null();
        return true;
    }
    QString text;
    QString part;
    if (!interpreter.toString(arguments[first], &text)
        || !interpreter.toString(arguments[first + 1], &part)) {
        return false;
    }
    if (start > text.size() + (part.isEmpty() ? 1 : 0)) {
        result = Value::longValue(0);
    } else if (part.isEmpty()) {
        result = Value::longValue(start);
    } else {
        result = Value::longValue(int(find(text, part, start - 1, ignoreCase) + 1));
    }
    return true;
}

// InStrRev(string1, string2[, start[, compare]])
bool inStrRev(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    int start = -1;
    bool ignoreCase = false;
    if (!Support::optionalLong(interpreter, arguments, 2, -1, &start)
        || !Support::compareMode(interpreter, arguments, 3, &ignoreCase)) {
        return false;
    }
    if (start == 0 || start < -1) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    if (isNull(arguments, 0) || isNull(arguments, 1)) {
        result = Value::null();
        return true;
    }
    QString text;
    QString part;
    if (!interpreter.toString(arguments[0], &text) || !interpreter.toString(arguments[1], &part)) {
        return false;
    }
    if (start == -1) {
        start = int(text.size());
    }
    if (part.isEmpty()) {
        result = Value::longValue(start);
        return true;
    }
    if (start > text.size() || part.size() > start) {
        result = Value::longValue(0);
        return true;
    }
    const qsizetype found = text.lastIndexOf(part, start - part.size(),
                                             ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
    result = Value::longValue(int(found + 1));
    return true;
}

// Replace(expression, find, replacewith[, start[, count[, compare]]]): the result starts at
// `start`.
bool replace(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    for (int i = 0; i < 3; ++i) {
        if (isNull(arguments, i)) {
            return interpreter.raise(RuntimeError::InvalidUseOfNull);
        }
    }
    QString text;
    QString part;
    QString replacement;
    int start = 1;
    int count = -1;
    bool ignoreCase = false;
    if (!interpreter.toString(arguments[0], &text) || !interpreter.toString(arguments[1], &part)
        || !interpreter.toString(arguments[2], &replacement)
        || (!arguments.isMissing(3) && !Support::boundedLong(interpreter, arguments[3], 1, &start))
        || (!arguments.isMissing(4) && !Support::boundedLong(interpreter, arguments[4], -1, &count))
        || !Support::compareMode(interpreter, arguments, 5, &ignoreCase)) {
        return false;
    }
    if (start > text.size()) {
        result = Value::string(QString());
        return true;
    }
    QString rest = text.mid(start - 1);
    if (part.isEmpty() || count == 0) {
        result = Value::string(rest);
        return true;
    }
    QString replaced;
    qsizetype from = 0;
    for (int done = 0; count < 0 || done < count; ++done) {
        const qsizetype found = find(rest, part, from, ignoreCase);
        if (found < 0) {
            break;
        }
        replaced += QStringView(rest).mid(from, found - from);
        replaced += replacement;
        from = found + part.size();
        if (replaced.size() > Support::maxTextLength) {
            return interpreter.raise(RuntimeError::OutOfStringSpace);
        }
    }
    replaced += QStringView(rest).mid(from);
    return Support::textResult(interpreter, std::move(replaced), result);
}

bool strComp(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    bool ignoreCase = false;
    if (!Support::compareMode(interpreter, arguments, 2, &ignoreCase)) {
        return false;
    }
    if (isNull(arguments, 0) || isNull(arguments, 1)) {
        result = Value::null();
        return true;
    }
    QString a;
    QString b;
    if (!interpreter.toString(arguments[0], &a) || !interpreter.toString(arguments[1], &b)) {
        return false;
    }
    result = Value::integer(short(Operators::compareText(a, b, ignoreCase)));
    return true;
}

// LCase, UCase, Trim ... : Null stays Null.
template<QString (*Transform)(const QString &)>
bool transformed(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    if (isNull(arguments, 0)) {
        result = Value::null();
        return true;
    }
    QString text;
    if (!interpreter.toString(arguments[0], &text)) {
        return false;
    }
    return Support::textResult(interpreter, Transform(text), result);
}

QString lower(const QString &text)
{
    return text.toLower();
}

QString upper(const QString &text)
{
    return text.toUpper();
}

// The engine trims spaces only, not tabs or line breaks.
QString trimLeft(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char(' ')) {
        ++start;
    }
    return text.mid(start);
}

QString trimRight(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' ')) {
        --end;
    }
    return text.left(end);
}

QString trimBoth(const QString &text)
{
    return trimLeft(trimRight(text));
}

QString reversed(const QString &text)
{
    QString result = text;
    std::reverse(result.begin(), result.end());
    return result;
}

bool strReverse(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    if (isNull(arguments, 0)) {
        return interpreter.raise(RuntimeError::InvalidUseOfNull);
    }
    return transformed<reversed>(interpreter, arguments, result);
}

bool space(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    int count = 0;
    if (!Support::boundedLong(interpreter, arguments[0], 0, &count)) {
        return false;
    }
    if (count > Support::maxTextLength) {
        return interpreter.raise(RuntimeError::OutOfStringSpace);
    }
    result = Value::string(QString(count, QLatin1Char(' ')));
    return true;
}

bool string(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    int count = 0;
    if (!Support::boundedLong(interpreter, arguments[0], 0, &count)) {
        return false;
    }
    if (isNull(arguments, 1)) {
        result = Value::null();
        return true;
    }
    QChar character;
    const Value &source = arguments[1];
    if (source.isString()) {
        if (source.asString().isEmpty()) {
            return interpreter.raise(RuntimeError::InvalidProcedureCall);
        }
        character = source.asString().at(0);
    } else {
        int code = 0;
        if (!interpreter.toLong(source, &code)) {
            return false;
        }
        character = AnsiCodePage::toUnicode((unsigned char)(((code % 256) + 256) % 256));
    }
    if (count > Support::maxTextLength) {
        return interpreter.raise(RuntimeError::OutOfStringSpace);
    }
    result = Value::string(QString(count, character));
    return true;
}

// Asc, AscW and AscB: the code of the first character.
bool firstCode(Interpreter &interpreter, const Arguments &arguments, QChar *character)
{
    if (isNull(arguments, 0)) {
        return interpreter.raise(RuntimeError::InvalidUseOfNull);
    }
    QString text;
    if (!interpreter.toString(arguments[0], &text)) {
        return false;
    }
    if (text.isEmpty()) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    *character = text.at(0);
    return true;
}

bool asc(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    QChar character;
    if (!firstCode(interpreter, arguments, &character)) {
        return false;
    }
    const int code = AnsiCodePage::fromUnicode(character);
    result = Value::integer(short(code < 0 ? '?' : code));
    return true;
}

bool ascW(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    QChar character;
    if (!firstCode(interpreter, arguments, &character)) {
        return false;
    }
    result = Value::integer(short(character.unicode()));
    return true;
}

bool ascB(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    QChar character;
    if (!firstCode(interpreter, arguments, &character)) {
        return false;
    }
    result = Value::integer(short(character.unicode() & 0xFF));
    return true;
}

bool chr(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    int code = 0;
    if (!interpreter.toLong(arguments[0], &code)) {
        return false;
    }
    if (code < 0 || code > 255) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    result = Value::string(QString(AnsiCodePage::toUnicode((unsigned char)code)));
    return true;
}

bool chrW(Interpreter &interpreter, const Arguments &arguments, Value &result)
{
    int code = 0;
    if (!interpreter.toLong(arguments[0], &code)) {
        return false;
    }
    if (code < -32768 || code > 65535) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    result = Value::string(QString(QChar(char16_t(code < 0 ? code + 65536 : code))));
    return true;
}

bool isEscaped(QChar character)
{
    const char16_t c = character.unicode();
    return !((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')
             || QStringView(u"@*_+-./").contains(character));
}

QString escaped(const QString &text)
{
    QString escaped;
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        if (!isEscaped(character)) {
            escaped.append(character);
        } else {
            escaped += (code < 256 ? QStringLiteral("%") : QStringLiteral("%u"))
                       + QString::number(code, 16).toUpper().rightJustified(code < 256 ? 2 : 4,
                                                                            QLatin1Char('0'));
        }
    }
    return escaped;
}

QString unescaped(const QString &text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        bool ok = false;
        if (text.at(i) == QLatin1Char('%') && i + 5 < text.size()
            && text.at(i + 1) == QLatin1Char('u')) {
            const uint code = text.mid(i + 2, 4).toUInt(&ok, 16);
            if (ok) {
                plain.append(QChar(char16_t(code)));
                i += 5;
                continue;
            }
        }
        if (text.at(i) == QLatin1Char('%') && i + 2 < text.size()) {
            const uint code = text.mid(i + 1, 2).toUInt(&ok, 16);
            if (ok) {
                plain.append(QChar(char16_t(code)));
                i += 2;
                continue;
            }
        }
        plain.append(text.at(i));
    }
    return plain;
}

constexpr Builtin functions[] = {
    {"Len", len, 1, 1},
    {"LenB", lenB, 1, 1},
    {"Left", left, 2, 2},
    {"LeftB", leftB, 2, 2},
    {"Right", right, 2, 2},
    {"RightB", rightB, 2, 2},
    {"Mid", mid, 2, 3},
    {"MidB", midB, 2, 3},
    {"InStr", inStr, 2, 4},
    {"InStrB", inStr, 2, 4},
    {"InStrRev", inStrRev, 2, 4},
    {"Replace", replace, 3, 6},
    {"StrComp", strComp, 2, 3},
    {"LCase", transformed<lower>, 1, 1},
    {"UCase", transformed<upper>, 1, 1},
    {"LTrim", transformed<trimLeft>, 1, 1},
    {"RTrim", transformed<trimRight>, 1, 1},
    {"Trim", transformed<trimBoth>, 1, 1},
    {"StrReverse", strReverse, 1, 1},
    {"Space", space, 1, 1},
    {"String", string, 2, 2},
    {"Asc", asc, 1, 1},
    {"AscW", ascW, 1, 1},
    {"AscB", ascB, 1, 1},
    {"Chr", chr, 1, 1},
    {"ChrW", chrW, 1, 1},
    {"ChrB", chr, 1, 1},
    {"Escape", transformed<escaped>, 1, 1},
    {"Unescape", transformed<unescaped>, 1, 1},
};

} // namespace

void StringFunctions::addTo(QHash<QString, const Builtin *> *table)
{
    BuiltinSupport::add(functions, int(std::size(functions)), table);
}

} // namespace VBScript
