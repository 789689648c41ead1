#include "lexer.h"

#include "datetext.h"

#include <QDateTime>

#include <cmath>

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
    if (!DateText::parse(QStringView(m_source).mid(start + 1, end - start - 1), &value)) {
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
