#include "lexer.h"

#include <QDateTime>
#include <QList>

#include <cmath>
#include <optional>

namespace VBScript {

namespace {

// The script engine refuses longer names.
constexpr int maxNameLength = 255;

bool isLineBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

// Spaces and tabs, and any other white space except line breaks (text pasted from elsewhere
// brings no-break spaces).
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || (!isLineBreak(c) && c.isSpace());
}

bool isDecimalDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int digitValue(QChar c, int radix)
{
    const char16_t u = c.unicode();
    int value = -1;
    if (u >= u'0' && u <= u'9') {
        value = u - u'0';
    } else if (u >= u'a' && u <= u'f') {
        value = u - u'a' + 10;
    } else if (u >= u'A' && u <= u'F') {
        value = u - u'A' + 10;
    }
    return value < radix ? value : -1;
}

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// --- Date literals --------------------------------------------------------------------------

struct DateItem
{
    enum Type { Number, Word, Separator };
    Type type = Number;
    int number = 0;
    int digits = 0;
    QString word; // lower case
    QChar separator;
};

bool splitDateText(QStringView text, QList<DateItem> *items)
{
    int i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        DateItem item;
        if (isDecimalDigit(c)) {
            const int start = i;
            while (i < text.size() && isDecimalDigit(text.at(i))) {
                item.number = item.number * 10 + (text.at(i).unicode() - u'0');
                if (++i - start > 4) {
                    return false;
                }
            }
            item.digits = i - start;
        } else if (c.isLetter()) {
            item.type = DateItem::Word;
            const int start = i;
            while (i < text.size() && text.at(i).isLetter()) {
                ++i;
            }
            item.word = text.mid(start, i - start).toString().toLower();
        } else if (QStringView(u"/-.,:").contains(c)) {
            item.type = DateItem::Separator;
            item.separator = c;
            ++i;
        } else if (isBlank(c)) {
            ++i;
            continue;
        } else {
            return false;
        }
        items->append(item);
    }
    return true;
}

bool isNumber(const QList<DateItem> &items, int index)
{
    return index >= 0 && index < items.size() && items.at(index).type == DateItem::Number;
}

bool isSeparator(const QList<DateItem> &items, int index, QStringView separators)
{
    return index >= 0 && index < items.size() && items.at(index).type == DateItem::Separator
           && separators.contains(items.at(index).separator);
}

bool isMeridiem(const QList<DateItem> &items, int index)
{
    return index >= 0 && index < items.size() && items.at(index).type == DateItem::Word
           && (items.at(index).word == u"am" || items.at(index).word == u"pm");
}

// Removes the time of day (h[:mm[:ss]] [AM|PM], or h AM|PM) from `items` and reads it.
// Returns false for a malformed time; leaves `time` empty when there is none.
bool takeTime(QList<DateItem> *items, std::optional<QTime> *time)
{
    int start = -1;
    for (int i = 0; i < items->size() && start < 0; ++i) {
        const bool colon = isSeparator(*items, i, u":");
        if (colon || isMeridiem(*items, i)) {
            if (!isNumber(*items, i - 1)) {
                return false;
            }
            start = i - 1;
        }
    }
    if (start < 0) {
        return true;
    }
    int fields[3] = {items->at(start).number, 0, 0};
    int end = start + 1;
    for (int field = 1; field < 3 && isSeparator(*items, end, u":"); ++field) {
        if (!isNumber(*items, end + 1)) {
            return false;
        }
        fields[field] = items->at(end + 1).number;
        end += 2;
    }
    int hour = fields[0];
    if (isMeridiem(*items, end)) {
        if (hour > 12) {
            return false;
        }
        hour %= 12;
        if (items->at(end).word == u"pm") {
            hour += 12;
        }
        ++end;
    }
    if (hour > 23 || fields[1] > 59 || fields[2] > 59) {
        return false;
    }
    *time = QTime(hour, fields[1], fields[2]);
    items->erase(items->begin() + start, items->begin() + end);
    return true;
}

// 1 to 12 for an English month name or an abbreviation of at least three letters, else 0.
int monthOfName(const QString &word)
{
    static const char *const names[] = {"january",   "february", "march",    "april",
                                        "may",       "june",     "july",     "august",
                                        "september", "october",  "november", "december"};
    if (word.size() < 3) {
        return 0;
    }
    for (int i = 0; i < 12; ++i) {
        if (QLatin1String(names[i]).startsWith(word)) {
            return i + 1;
        }
    }
    return 0;
}

int fullYear(const DateItem &year)
{
    if (year.digits <= 2) {
        return year.number < 30 ? 2000 + year.number : 1900 + year.number;
    }
    return year.number;
}

// Reads the date part: m/d/y, m-d-y, y/m/d (four-digit year first), m/d (this year), or with a
// month name ("January 2, 2003", "2 Jan 2003", "Jan 2"). A first number above 12 with a second
// of 12 or less is taken as the day, as the script engine does.
bool readDate(const QList<DateItem> &items, QDate *date)
{
    QList<DateItem> numbers;
    int month = 0;
    int numbersBeforeMonth = 0;
    bool numeric = true;
    for (int i = 0; i < items.size(); ++i) {
        const DateItem &item = items.at(i);
        if (item.type == DateItem::Number) {
            numbers.append(item);
        } else if (item.type == DateItem::Word) {
            if (!numeric || (month = monthOfName(item.word)) == 0) {
                return false;
            }
            numeric = false;
            numbersBeforeMonth = numbers.size();
        } else if (item.separator == QLatin1Char(':')) {
            return false;
        }
    }
    int day = 0;
    std::optional<DateItem> year;
    if (numeric) {
        // Numbers and separators must alternate, starting and ending with a number.
        for (int i = 0; i < items.size(); ++i) {
            const bool wantNumber = i % 2 == 0;
            if (wantNumber != (items.at(i).type == DateItem::Number)
                || (!wantNumber && items.at(i).separator == QLatin1Char(','))) {
                return false;
            }
        }
        if (items.size() % 2 == 0 || (numbers.size() != 2 && numbers.size() != 3)) {
            return false;
        }
        if (numbers.size() == 3 && numbers.at(0).digits >= 3) {
            year = numbers.at(0);
            month = numbers.at(1).number;
            day = numbers.at(2).number;
        } else {
            month = numbers.at(0).number;
            day = numbers.at(1).number;
            if (numbers.size() == 3) {
                year = numbers.at(2);
            }
            if (month > 12 && day <= 12) {
                std::swap(month, day);
            }
        }
    } else {
        if (numbers.isEmpty() || numbers.size() > 2 || numbersBeforeMonth > 1) {
            return false;
        }
        day = numbers.at(0).number;
        if (numbers.size() == 2) {
            year = numbers.at(1);
        }
    }
    const int fullYearValue = year ? fullYear(*year) : QDate::currentDate().year();
    if (fullYearValue < 100 || fullYearValue > 9999) {
        return false;
    }
    *date = QDate(fullYearValue, month, day);
    return date->isValid();
}

// The value of the text between the '#' of a date literal: a date, a time of day or both. A
// time alone falls on 30 December 1899, the script engine's day zero.
bool parseDateLiteral(QStringView text, QDateTime *result)
{
    QList<DateItem> items;
    std::optional<QTime> time;
    if (!splitDateText(text, &items) || !takeTime(&items, &time)) {
        return false;
    }
    QDate date(1899, 12, 30);
    if (items.isEmpty() ? !time : !readDate(items, &date)) {
        return false;
    }
    *result = QDateTime(date, time.value_or(QTime(0, 0)), Qt::UTC);
    return true;
}

} // namespace

// --- Lexer ------------------------------------------------------------------------------------

Lexer::Lexer(const QString &source)
    : m_source(source)
{}

std::vector<Token> Lexer::tokenize(const QString &source)
{
    Lexer lexer(source);
    lexer.run();
    return std::move(lexer.m_tokens);
}

void Lexer::run()
{
    if (at(0) == QChar(QChar::ByteOrderMark)) {
        m_pos = 1;
    }
    bool valid = true;
    while (valid && m_pos < m_source.size()) {
        const QChar c = m_source.at(m_pos);
        if (isLineBreak(c)) {
            lexLineEnd();
        } else if (isBlank(c)) {
            m_spaceBefore = true;
            ++m_pos;
        } else if (c == QLatin1Char('\'')) {
            skipComment();
        } else {
            valid = lexToken();
        }
    }
    Token end;
    end.kind = TokenKind::EndOfScript;
    end.position = m_end;
    end.offset = m_source.size();
    m_tokens.push_back(end);
}

Token &Lexer::addToken(TokenKind kind, int start, int end)
{
    Token token;
    token.kind = kind;
    token.position = {m_line, start - m_lineStart + 1};
    token.offset = start;
    token.length = end - start;
    token.spaceBefore = m_spaceBefore;
    m_spaceBefore = false;
    m_end = {m_line, end - m_lineStart + 1};
    m_pos = end;
    m_tokens.push_back(std::move(token));
    return m_tokens.back();
}

bool Lexer::fail(int start, const QString &message)
{
    addToken(TokenKind::Invalid, start, start + 1).text = message;
    return false;
}

void Lexer::lexLineEnd()
{
    const int start = m_pos;
    m_pos += at(m_pos) == QLatin1Char('\r') && at(m_pos + 1) == QLatin1Char('\n') ? 2 : 1;
    // Blank lines add nothing: one token ends the statement, and its position is the line
    // where the statement ended.
    if (!m_tokens.empty() && m_tokens.back().kind != TokenKind::EndOfLine) {
        Token token;
        token.kind = TokenKind::EndOfLine;
        token.position = {m_line, start - m_lineStart + 1};
        token.offset = start;
        token.length = m_pos - start;
        m_tokens.push_back(std::move(token));
    }
    ++m_line;
    m_lineStart = m_pos;
    m_spaceBefore = false;
}

void Lexer::skipComment()
{
    int end = m_pos;
    while (end < m_source.size() && !isLineBreak(m_source.at(end))) {
        ++end;
    }
    m_end = {m_line, end - m_lineStart + 1};
    m_pos = end;
}

bool Lexer::lexToken()
{
    const QChar c = m_source.at(m_pos);
    if (c.isLetter()) {
        return lexWord();
    }
    if (isDecimalDigit(c) || (c == QLatin1Char('.') && isDecimalDigit(at(m_pos + 1)))) {
        return lexDecimalNumber();
    }
    switch (c.unicode()) {
    case u'"':
        return lexString();
    case u'#':
        return lexDateLiteral();
    case u'[':
        return lexBracketedName();
    case u'_':
        return lexLineContinuation();
    case u'&': {
        const QChar radix = at(m_pos + 1).toLower();
        const int base = radix == QLatin1Char('h') ? 16 : radix == QLatin1Char('o') ? 8 : 0;
        if (base != 0 && digitValue(at(m_pos + 2), base) >= 0) {
            return lexRadixNumber();
        }
        return lexOperator();
    }
    default:
        return lexOperator();
    }
}

bool Lexer::lexWord()
{
    const int start = m_pos;
    int end = start + 1;
    while (end < m_source.size() && isNameCharacter(m_source.at(end))) {
        ++end;
    }
    if (end - start > maxNameLength) {
        return fail(start,
                    tr("Name too long: a name can have at most %1 characters").arg(maxNameLength));
    }
    const QString word = m_source.mid(start, end - start);
    if (word.compare(QLatin1String("rem"), Qt::CaseInsensitive) == 0) {
        skipComment();
        return true;
    }
    const Keyword keyword = keywordOfWord(word);
    Token &token =
        addToken(keyword == Keyword::None ? TokenKind::Identifier : TokenKind::Keyword, start, end);
    token.keyword = keyword;
    token.text = word;
    return true;
}

bool Lexer::lexDecimalNumber()
{
    const int start = m_pos;
    int end = start;
    while (isDecimalDigit(at(end))) {
        ++end;
    }
    bool isDouble = false;
    if (at(end) == QLatin1Char('.') && !isNameCharacter(at(end + 1))) {
        isDouble = true;
        ++end;
    } else if (at(end) == QLatin1Char('.') && isDecimalDigit(at(end + 1))) {
        isDouble = true;
        ++end;
        while (isDecimalDigit(at(end))) {
            ++end;
        }
    }
    if (at(end).toLower() == QLatin1Char('e')) {
        int exponent = end + 1;
        if (at(exponent) == QLatin1Char('+') || at(exponent) == QLatin1Char('-')) {
            ++exponent;
        }
        if (isDecimalDigit(at(exponent))) {
            isDouble = true;
            end = exponent;
            while (isDecimalDigit(at(end))) {
                ++end;
            }
        }
    }
    const QString text = m_source.mid(start, end - start);
    if (!isDouble) {
        bool ok = false;
        const qulonglong value = text.toULongLong(&ok);
        if (ok && value <= 32767) {
            addToken(TokenKind::IntegerLiteral, start, end).value = int(value);
            return true;
        }
        if (ok && value <= 2147483647) {
            addToken(TokenKind::LongLiteral, start, end).value = int(value);
            return true;
        }
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return fail(start, tr("Number too large: '%1'").arg(text));
    }
    addToken(TokenKind::DoubleLiteral, start, end).value = value;
    return true;
}

bool Lexer::lexRadixNumber()
{
    const int start = m_pos;
    const int base = at(start + 1).toLower() == QLatin1Char('h') ? 16 : 8;
    int end = start + 2;
    quint64 value = 0;
    bool overflow = false;
    for (int digit = digitValue(at(end), base); digit >= 0; digit = digitValue(at(end), base)) {
        if (!overflow) {
            value = value * base + digit;
            overflow = value > 0xFFFFFFFFu;
        }
        ++end;
    }
    // A trailing '&' asks for a Long even when the value would fit an Integer.
    const bool longSuffix = at(end) == QLatin1Char('&');
    if (longSuffix) {
        ++end;
    }
    if (overflow) {
        return fail(start, tr("Number too large: '%1'").arg(m_source.mid(start, end - start)));
    }
    // The digits are the bits of the value: &HFFFF is the Integer -1, &HFFFFFFFF the Long -1.
    if (!longSuffix && value <= 0xFFFF) {
        addToken(TokenKind::IntegerLiteral, start, end).value = int(qint16(quint16(value)));
    } else {
        addToken(TokenKind::LongLiteral, start, end).value = int(qint32(quint32(value)));
    }
    return true;
}

bool Lexer::lexString()
{
    const int start = m_pos;
    QString value;
    int i = start + 1;
    for (;;) {
        if (i >= m_source.size() || isLineBreak(m_source.at(i))) {
            return fail(start, tr("Unterminated string: the closing '\"' is missing on its line"));
        }
        if (m_source.at(i) == QLatin1Char('"')) {
            if (at(i + 1) != QLatin1Char('"')) {
                break;
            }
            ++i;
        }
        value.append(m_source.at(i));
        ++i;
    }
    addToken(TokenKind::StringLiteral, start, i + 1).text = value;
    return true;
}

bool Lexer::lexDateLiteral()
{
    const int start = m_pos;
    int end = start + 1;
    while (end < m_source.size() && m_source.at(end) != QLatin1Char('#')
           && !isLineBreak(m_source.at(end))) {
        ++end;
    }
    if (at(end) != QLatin1Char('#')) {
        return fail(start, tr("Unterminated date literal: the closing '#' is missing on its line"));
    }
    QDateTime value;
    if (!parseDateLiteral(QStringView(m_source).mid(start + 1, end - start - 1), &value)) {
        return fail(start,
                    tr("Invalid date literal '%1'").arg(m_source.mid(start, end + 1 - start)));
    }
    addToken(TokenKind::DateLiteral, start, end + 1).value = value;
    return true;
}

bool Lexer::lexBracketedName()
{
    const int start = m_pos;
    int end = start + 1;
    while (end < m_source.size() && m_source.at(end) != QLatin1Char(']')
           && !isLineBreak(m_source.at(end))) {
        ++end;
    }
    if (at(end) != QLatin1Char(']')) {
        return fail(start,
                    tr("Unterminated bracketed name: the closing ']' is missing on its line"));
    }
    const int length = end - start - 1;
    if (length == 0) {
        return fail(start, tr("Empty bracketed name '[]'"));
    }
    if (length > maxNameLength) {
        return fail(start,
                    tr("Name too long: a name can have at most %1 characters").arg(maxNameLength));
    }
    Token &token = addToken(TokenKind::Identifier, start, end + 1);
    token.text = m_source.mid(start + 1, length);
    token.bracketed = true;
    return true;
}

bool Lexer::lexLineContinuation()
{
    const int start = m_pos;
    int end = start + 1;
    while (end < m_source.size() && isBlank(m_source.at(end))) {
        ++end;
    }
    if (end < m_source.size() && !isLineBreak(m_source.at(end))) {
        if (end == start + 1) {
            return fail(start, tr("Invalid character '_': names must start with a letter"));
        }
        return fail(start, tr("A line continuation '_' must be the last character on its line"));
    }
    int next = end;
    while (next < m_source.size() && m_source.at(next).isSpace()) {
        ++next;
    }
    if (next >= m_source.size()) {
        return fail(start, tr("Line continuation '_' at the end of the script: the statement "
                              "is not continued"));
    }
    m_pos = end;
    m_pos += at(m_pos) == QLatin1Char('\r') && at(m_pos + 1) == QLatin1Char('\n') ? 2 : 1;
    ++m_line;
    m_lineStart = m_pos;
    m_spaceBefore = true;
    return true;
}

bool Lexer::lexOperator()
{
    const int start = m_pos;
    const QChar next = at(start + 1);
    TokenKind kind = TokenKind::Invalid;
    int length = 1;
    switch (m_source.at(start).unicode()) {
    case u'+':
        kind = TokenKind::Plus;
        break;
    case u'-':
        kind = TokenKind::Minus;
        break;
    case u'*':
        kind = TokenKind::Multiply;
        break;
    case u'/':
        kind = TokenKind::Divide;
        break;
    case u'\\':
        kind = TokenKind::IntegerDivide;
        break;
    case u'^':
        kind = TokenKind::Power;
        break;
    case u'&':
        kind = TokenKind::Concatenate;
        break;
    case u'=':
        kind = TokenKind::Equal;
        break;
    case u'(':
        kind = TokenKind::LeftParenthesis;
        break;
    case u')':
        kind = TokenKind::RightParenthesis;
        break;
    case u',':
        kind = TokenKind::Comma;
        break;
    case u'.':
        kind = TokenKind::Dot;
        break;
    case u':':
        kind = TokenKind::Colon;
        break;
    case u'<':
        kind = next == QLatin1Char('=')   ? TokenKind::LessEqual
               : next == QLatin1Char('>') ? TokenKind::NotEqual
                                          : TokenKind::Less;
        length = kind == TokenKind::Less ? 1 : 2;
        break;
    case u'>':
        kind = next == QLatin1Char('=') ? TokenKind::GreaterEqual : TokenKind::Greater;
        length = kind == TokenKind::Greater ? 1 : 2;
        break;
    default:
        break;
    }
    if (kind != TokenKind::Invalid) {
        addToken(kind, start, start + length);
        return true;
    }
    // Name the character itself when it can be shown, its code otherwise.
    const QChar c = m_source.at(start);
    char32_t code = c.unicode();
    QString shown(c);
    if (c.isHighSurrogate() && at(start + 1).isLowSurrogate()) {
        code = QChar::surrogateToUcs4(c, at(start + 1));
        shown.append(at(start + 1));
    }
    if (QChar::isPrint(code) && !c.isSpace()) {
        return fail(start, tr("Invalid character '%1'").arg(shown));
    }
    return fail(start, tr("Invalid character U+%1")
                           .arg(QString::number(uint(code), 16).toUpper(), 4, QLatin1Char('0')));
}

} // namespace VBScript
