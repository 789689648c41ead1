#include "jslexer.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

using Kind = JsLexer::TokenKind;

bool isLineTerminator(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar(0x2028)
           || c == QChar(0x2029);
}

bool isWhiteSpace(QChar c)
{
    // Most characters of a program are ASCII; only the rest needs the Unicode tables.
    if (c.unicode() < 0x80) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\v')
               || c == QLatin1Char('\f');
    }
    return c == QChar(0xFEFF) || c.category() == QChar::Separator_Space;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
           || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isIdentifierStart(QChar c)
{
    if (c.unicode() < 0x80) {
        return isAsciiLetter(c) || c == QLatin1Char('$') || c == QLatin1Char('_')
               || c == QLatin1Char('\\');
    }
    return c.isLetter();
}

bool isIdentifierPart(QChar c)
{
    if (c.unicode() < 0x80) {
        return isIdentifierStart(c) || isDigit(c);
    }
    return c.isLetter() || c.isNumber() || c.isMark() || c == QChar(0x200C) || c == QChar(0x200D);
}

// Longest first, so that the first match is the token.
const char *const punctuators[] = {
    ">>>=", "...", "===", "!==", "**=", "<<=", ">>=", ">>>", "&&=", "||=", "?\?=", "=>",
    "==",   "!=",  "<=",  ">=",  "&&",  "||",  "??",  "?.",  "++",  "--",  "+=",   "-=",
    "*=",   "/=",  "%=",  "&=",  "|=",  "^=",  "<<",  ">>",  "**",  "{",   "}",    "(",
    ")",    "[",   "]",   ";",   ",",   "<",   ">",   "+",   "-",   "*",   "/",    "%",
    "&",    "|",   "^",   "!",   "~",   "?",   ":",   "=",   ".",   "@"};

// The punctuators by their first character, longest first: a program is two fifths
// punctuators, and trying each of the list in turn took a fifth of the lexing.
using PunctuatorTable = std::array<std::vector<QLatin1String>, 128>;

const PunctuatorTable &punctuatorsByFirstCharacter()
{
    static const PunctuatorTable table = [] {
        PunctuatorTable byFirst;
        for (const char *punctuator : punctuators) {
            byFirst[uchar(punctuator[0])].push_back(QLatin1String(punctuator));
        }
        return byFirst;
    }();
    return table;
}

// The punctuator that `rest` starts with; empty when there is none.
QLatin1String punctuatorAt(QStringView rest)
{
    const char16_t first = rest.front().unicode();
    if (first >= 128) {
        return {};
    }
    for (const QLatin1String punctuator : punctuatorsByFirstCharacter()[first]) {
        if (rest.startsWith(punctuator)) {
            return punctuator;
        }
    }
    return {};
}

const char *const keywordList[] = {
    "async",      "await",     "break",  "case",     "catch", "class",      "const",   "continue",
    "debugger",   "default",   "delete", "do",       "else",  "enum",       "export",  "extends",
    "false",      "finally",   "for",    "function", "if",    "implements", "import",  "in",
    "instanceof", "interface", "let",    "new",      "null",  "of",         "package", "private",
    "protected",  "public",    "return", "static",   "super", "switch",     "this",    "throw",
    "true",       "try",       "typeof", "var",      "void",  "while",      "with",    "yield"};

// After these words an expression starts, so a slash opens a regular expression.
const char *const operatorKeywords[] = {"await",   "case",  "delete",     "do",   "else",
                                        "extends", "in",    "instanceof", "new",  "of",
                                        "return",  "throw", "typeof",     "void", "yield"};

// Words that start a statement; after a line break they end a var, let or const declaration.
const char *const statementKeywords[] = {"break",  "class",    "const", "continue", "do",
                                         "for",    "function", "if",    "let",      "return",
                                         "switch", "throw",    "try",   "var",      "while"};

template<std::size_t N>
bool contains(const char *const (&words)[N], QStringView word)
{
    return std::any_of(std::begin(words), std::end(words), [word](const char *w) {
        // The first letter rules out nearly every word without a comparison.
        return !word.isEmpty() && word.front() == QLatin1Char(w[0]) && word == QLatin1String(w);
    });
}

// The significant (non-comment) tokens of a lexer, with the bracket structure that the
// annotation and function searches walk. Indexes outside the range read as no token.
class TokenWalk
{
public:
    TokenWalk(const JsLexer &lexer, const QVector<int> &indexes)
        : m_lexer(lexer)
        , m_indexes(indexes)
        , m_matches(indexes.size(), -1)
    {
        // One pass pairs every closer with the innermost opener still open, so that a search
        // that asks for the match of each opener stays linear in the program.
        QVector<int> open;
        for (int k = 0; k < count(); ++k) {
            if (closes(k) && !open.isEmpty()) {
                m_matches[open.takeLast()] = k;
            }
            if (opens(k)) {
                open.append(k);
            }
        }
    }

    int count() const { return m_indexes.size(); }
    const JsLexer::Token *at(int k) const
    {
        return k >= 0 && k < m_indexes.size() ? &m_lexer.tokens().at(m_indexes.at(k)) : nullptr;
    }
    QStringView text(int k) const
    {
        const JsLexer::Token *token = at(k);
        return token ? m_lexer.text(*token) : QStringView();
    }
    bool is(int k, const char *word) const
    {
        const JsLexer::Token *token = at(k);
        if (!token || (token->kind != Kind::Identifier && token->kind != Kind::Punctuator)) {
            return false;
        }
        // The first character rules out nearly every word without a comparison.
        const QStringView tokenText = m_lexer.text(*token);
        return tokenText.front() == QLatin1Char(word[0]) && tokenText == QLatin1String(word);
    }
    bool isIdentifier(int k) const
    {
        const JsLexer::Token *token = at(k);
        return token && token->kind == Kind::Identifier;
    }
    bool isName(int k) const { return isIdentifier(k) && !JsLexer::isKeyword(text(k)); }
    bool afterMemberAccess(int k) const { return is(k - 1, ".") || is(k - 1, "?."); }

    // "(", "[", "{" and a template piece that opens a substitution ("...${").
    bool opens(int k) const
    {
        const JsLexer::Token *token = at(k);
        if (!token) {
            return false;
        }
        if (token->kind == Kind::Template) {
            return token->terminated && text(k).endsWith(QLatin1String("${"));
        }
        return isBracket(*token, "([{");
    }
    // ")", "]", "}" and a template piece that closes a substitution ("}...").
    bool closes(int k) const
    {
        const JsLexer::Token *token = at(k);
        if (!token) {
            return false;
        }
        if (token->kind == Kind::Template) {
            return text(k).startsWith(QLatin1Char('}'));
        }
        return isBracket(*token, ")]}");
    }
    // The token that closes the bracket opened at `k`, or -1 when the text ends first.
    int matching(int k) const { return k >= 0 && k < count() ? m_matches.at(k) : -1; }

private:
    // A one-character punctuator among the three `brackets`; asked twice for every token, so
    // without a search through a string.
    bool isBracket(const JsLexer::Token &token, const char (&brackets)[4]) const
    {
        if (token.kind != Kind::Punctuator || token.length != 1) {
            return false;
        }
        const char16_t c = m_lexer.source().at(token.offset).unicode();
        return c == brackets[0] || c == brackets[1] || c == brackets[2];
    }

    const JsLexer &m_lexer;
    const QVector<int> &m_indexes;
    QVector<int> m_matches; // the closer of each opener; -1 for the rest
};

// The last token of the type after the colon at `colon` ("Number", "Qt.Point", "String[]"), or
// -1 when no type follows, in which case the colon is not an annotation and stays.
int annotationEnd(const TokenWalk &walk, int colon)
{
    int last = colon + 1;
    if (!walk.isIdentifier(last)) {
        return -1;
    }
    while (walk.is(last + 1, ".") && walk.isIdentifier(last + 2)) {
        last += 2;
    }
    while (walk.is(last + 1, "[") && walk.is(last + 2, "]")) {
        last += 2;
    }
    return last;
}

// Where the initializer starting at `k` ends: at a comma or semicolon of its own level, at a
// bracket that closes an enclosing one (the ")" of a for loop), or at a statement keyword on a
// new line (a declaration ended by automatic semicolon insertion).
int initializerEnd(const TokenWalk &walk, int k)
{
    while (k < walk.count()) {
        if (walk.closes(k) || walk.is(k, ",") || walk.is(k, ";")) {
            return k;
        }
        if (walk.at(k)->newlineBefore && walk.isIdentifier(k)
            && contains(statementKeywords, walk.text(k))) {
            return k;
        }
        if (walk.opens(k)) {
            const int close = walk.matching(k);
            if (close < 0) {
                return walk.count();
            }
            k = close + 1;
        } else {
            ++k;
        }
    }
    return k;
}

// True when the token at `k` can end an expression, so that a line break after it may end the
// statement.
bool endsExpression(const TokenWalk &walk, int k)
{
    const JsLexer::Token *token = walk.at(k);
    switch (token->kind) {
    case Kind::Identifier:
        return !contains(operatorKeywords, walk.text(k));
    case Kind::Number:
    case Kind::String:
    case Kind::RegExp:
        return true;
    case Kind::Template:
        return walk.text(k).endsWith(QLatin1Char('`'));
    case Kind::Punctuator:
        return walk.is(k, ")") || walk.is(k, "]") || walk.is(k, "}") || walk.is(k, "++")
               || walk.is(k, "--");
    default:
        return false;
    }
}

// True when "function" at `k` starts a declaration rather than a function expression.
bool startsDeclaration(const TokenWalk &walk, int k)
{
    int first = k;
    if (walk.is(k - 1, "async") && !walk.at(k)->newlineBefore) {
        first = k - 1;
    }
    const int previous = first - 1;
    if (previous < 0) {
        return true;
    }
    if (walk.is(previous, ";") || walk.is(previous, "}")) {
        return true;
    }
    return walk.at(first)->newlineBefore && endsExpression(walk, previous);
}

// The source with the type annotations that `walk` finds blanked; see withoutTypeAnnotations().
QString blankAnnotations(const TokenWalk &walk, QString result)
{
    // Blanks the annotation whose colon is at `colon`; returns the index after it, or -1 when
    // there is no annotation.
    const auto blank = [&](int colon) {
        const int last = annotationEnd(walk, colon);
        if (last < 0) {
            return -1;
        }
        for (int i = walk.at(colon)->offset; i < walk.at(last)->end(); ++i) {
            if (!isLineTerminator(result.at(i))) {
                result[i] = QLatin1Char(' ');
            }
        }
        return last + 1;
    };

    for (int k = 0; k < walk.count(); ++k) {
        if (!walk.isIdentifier(k) || walk.afterMemberAccess(k)) {
            continue;
        }
        if (walk.is(k, "function")) {
            int open = k + 1;
            if (walk.is(open, "*")) {
                ++open;
            }
            if (walk.isIdentifier(open)) {
                ++open;
            }
            if (!walk.is(open, "(")) {
                continue;
            }
            const int close = walk.matching(open);
            const int end = close < 0 ? walk.count() : close;
            for (int q = open + 1; q < end;) {
                if (walk.opens(q)) {
                    const int nestedClose = walk.matching(q);
                    q = nestedClose < 0 ? end : nestedClose + 1;
                    continue;
                }
                const bool parameterName =
                    walk.is(q - 1, "(") || walk.is(q - 1, ",") || walk.is(q - 1, "...");
                if (parameterName && walk.isIdentifier(q) && walk.is(q + 1, ":")) {
                    const int after = blank(q + 1);
                    q = after < 0 ? q + 1 : after;
                } else {
                    ++q;
                }
            }
            if (close >= 0 && walk.is(close + 1, ":")) {
                blank(close + 1);
            }
        } else if (walk.is(k, "var") || walk.is(k, "let") || walk.is(k, "const")) {
            int q = k + 1;
            // "let" is a name as well as a keyword.
            if (walk.is(k, "let") && !walk.isIdentifier(q) && !walk.is(q, "[")
                && !walk.is(q, "{")) {
                continue;
            }
            while (q < walk.count()) {
                if (walk.isIdentifier(q)) {
                    const int after = walk.is(q + 1, ":") ? blank(q + 1) : -1;
                    q = after < 0 ? q + 1 : after;
                } else if (walk.is(q, "[") || walk.is(q, "{")) {
                    const int close = walk.matching(q);
                    if (close < 0) {
                        break;
                    }
                    q = close + 1;
                } else {
                    break;
                }
                if (walk.is(q, "=")) {
                    q = initializerEnd(walk, q + 1);
                }
                if (!walk.is(q, ",")) {
                    break;
                }
                ++q;
            }
        }
    }
    return result;
}

} // namespace

JsLexer::JsLexer(const QString &source)
    : m_source(source)
{
    tokenize();
}

QStringView JsLexer::text(const Token &token) const
{
    return QStringView(m_source).mid(token.offset, token.length);
}

bool JsLexer::isKeyword(QStringView word)
{
    return contains(keywordList, word);
}

QStringList JsLexer::keywords()
{
    QStringList result;
    for (const char *word : keywordList) {
        result.append(QString::fromLatin1(word));
    }
    return result;
}

bool JsLexer::regExpAllowed() const
{
    auto it = std::find_if(m_tokens.crbegin(), m_tokens.crend(),
                           [](const Token &token) { return !token.isComment(); });
    if (it == m_tokens.crend()) {
        return true;
    }
    const QStringView previous = text(*it);
    switch (it->kind) {
    case TokenKind::Identifier:
        return contains(operatorKeywords, previous);
    case TokenKind::Number:
    case TokenKind::String:
    case TokenKind::RegExp:
        return false;
    case TokenKind::Template:
        return previous.endsWith(QLatin1String("${"));
    case TokenKind::Punctuator:
        // After "}" a statement usually starts ("if (x) { } /re/.test(y)"); an object literal
        // divided by something is not worth the ambiguity.
        return previous != QLatin1String(")") && previous != QLatin1String("]")
               && previous != QLatin1String("++") && previous != QLatin1String("--");
    default:
        return true;
    }
}

void JsLexer::tokenize()
{
    const QString &s = m_source;
    const int n = s.size();

    QVector<int> lineStarts{0};
    for (int i = 0; i < n; ++i) {
        const QChar c = s.at(i);
        const bool crOfCrLf =
            c == QLatin1Char('\r') && i + 1 < n && s.at(i + 1) == QLatin1Char('\n');
        if (isLineTerminator(c) && !crOfCrLf) {
            lineStarts.append(i + 1);
        }
    }
    const auto charAt = [&](int i) {
        return i < n ? s.at(i) : QChar();
    };
    const auto hasLineTerminator = [&](int from, int to) {
        return std::any_of(s.cbegin() + from, s.cbegin() + to, isLineTerminator);
    };

    // A typical program has a token every five or six characters.
    m_tokens.reserve(n / 5);
    bool newline = false;
    // Tokens come in source order, so their line only ever moves forward.
    int line = 0;
    const auto add = [&](TokenKind kind, int start, int end, bool terminated) {
        Token token;
        token.kind = kind;
        token.offset = start;
        token.length = end - start;
        while (line + 1 < lineStarts.size() && lineStarts.at(line + 1) <= start) {
            ++line;
        }
        token.line = line + 1;
        token.column = start - lineStarts.at(line) + 1;
        token.newlineBefore = newline;
        token.terminated = terminated;
        m_tokens.append(token);
        // A comment that spans lines separates its neighbours like a line break.
        newline = token.isComment() && (newline || hasLineTerminator(start, end));
    };
    // Scans template text from `i` (just after "`" or "}"); returns its end and whether a
    // substitution opens there.
    const auto scanTemplate = [&](int i, bool *terminated, bool *opensSubstitution) {
        *terminated = true;
        *opensSubstitution = false;
        while (i < n) {
            const QChar c = s.at(i);
            if (c == QLatin1Char('\\')) {
                i += 2;
            } else if (c == QLatin1Char('`')) {
                return i + 1;
            } else if (c == QLatin1Char('$') && charAt(i + 1) == QLatin1Char('{')) {
                *opensSubstitution = true;
                return i + 2;
            } else {
                ++i;
            }
        }
        *terminated = false;
        return n;
    };

    // One entry per open "{": true when it is the "${" of a template substitution, whose "}"
    // continues the template text.
    QVector<bool> braces;
    int i = 0;
    while (i < n) {
        const QChar c = s.at(i);
        const QChar next = charAt(i + 1);
        const int start = i;
        if (isLineTerminator(c)) {
            newline = true;
            ++i;
        } else if (isWhiteSpace(c)) {
            ++i;
        } else if (c == QLatin1Char('/') && next == QLatin1Char('/')) {
            while (i < n && !isLineTerminator(s.at(i))) {
                ++i;
            }
            add(TokenKind::LineComment, start, i, true);
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            const int close = s.indexOf(QLatin1String("*/"), i + 2);
            i = close < 0 ? n : close + 2;
            add(TokenKind::BlockComment, start, i, close >= 0);
        } else if (c == QLatin1Char('`')
                   || (c == QLatin1Char('}') && !braces.isEmpty() && braces.last())) {
            if (c == QLatin1Char('}')) {
                braces.removeLast();
            }
            bool terminated = false;
            bool opensSubstitution = false;
            i = scanTemplate(i + 1, &terminated, &opensSubstitution);
            if (opensSubstitution) {
                braces.append(true);
            }
            add(TokenKind::Template, start, i, terminated);
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            bool terminated = false;
            ++i;
            while (i < n) {
                const QChar d = s.at(i);
                if (d == c) {
                    ++i;
                    terminated = true;
                    break;
                }
                if (d == QLatin1Char('\n') || d == QLatin1Char('\r')) {
                    break;
                }
                // An escaped line break continues the string; "\r\n" counts as one.
                i += (d == QLatin1Char('\\'))
                         ? (charAt(i + 1) == QLatin1Char('\r') && charAt(i + 2) == QLatin1Char('\n')
                                ? 3
                                : 2)
                         : 1;
            }
            add(TokenKind::String, start, std::min(i, n), terminated);
            i = std::min(i, n);
        } else if (isDigit(c) || (c == QLatin1Char('.') && isDigit(next))) {
            if (c == QLatin1Char('0') && QStringLiteral("xXoObB").contains(next)) {
                i += 2;
            } else {
                while (i < n && (isDigit(s.at(i)) || s.at(i) == QLatin1Char('_'))) {
                    ++i;
                }
                if (charAt(i) == QLatin1Char('.')) {
                    ++i;
                    while (i < n && (isDigit(s.at(i)) || s.at(i) == QLatin1Char('_'))) {
                        ++i;
                    }
                }
                const QChar sign = charAt(i + 1);
                if ((charAt(i) == QLatin1Char('e') || charAt(i) == QLatin1Char('E'))
                    && (isDigit(sign)
                        || ((sign == QLatin1Char('+') || sign == QLatin1Char('-'))
                            && isDigit(charAt(i + 2))))) {
                    i += 2;
                }
            }
            // Hex digits, exponent digits, the BigInt suffix, and whatever malformed rest.
            while (i < n && isIdentifierPart(s.at(i))) {
                ++i;
            }
            add(TokenKind::Number, start, i, true);
        } else if (isIdentifierStart(c) || (c == QLatin1Char('#') && isIdentifierStart(next))) {
            ++i;
            while (i < n && isIdentifierPart(s.at(i))) {
                ++i;
            }
            add(TokenKind::Identifier, start, i, true);
        } else if (c == QLatin1Char('/') && regExpAllowed()) {
            bool terminated = false;
            bool inClass = false;
            ++i;
            while (i < n && !isLineTerminator(s.at(i))) {
                const QChar d = s.at(i);
                if (d == QLatin1Char('\\')) {
                    i += isLineTerminator(charAt(i + 1)) ? 1 : 2;
                    continue;
                }
                ++i;
                if (d == QLatin1Char('[')) {
                    inClass = true;
                } else if (d == QLatin1Char(']')) {
                    inClass = false;
                } else if (d == QLatin1Char('/') && !inClass) {
                    terminated = true;
                    break;
                }
            }
            while (terminated && i < n && isIdentifierPart(s.at(i))) {
                ++i;
            }
            i = std::min(i, n);
            add(TokenKind::RegExp, start, i, terminated);
        } else {
            const QLatin1String punctuator = punctuatorAt(QStringView(s).mid(i));
            if (punctuator.isEmpty()) {
                ++i;
                add(TokenKind::Invalid, start, i, true);
                continue;
            }
            // "a?.5:b" is a conditional, not optional chaining.
            const bool conditional = punctuator == QLatin1String("?.") && isDigit(charAt(i + 2));
            i += conditional ? 1 : int(punctuator.size());
            if (c == QLatin1Char('{')) {
                braces.append(false);
            } else if (c == QLatin1Char('}') && !braces.isEmpty()) {
                braces.removeLast();
            }
            add(TokenKind::Punctuator, start, i, true);
        }
    }
}

QVector<int> JsLexer::significantTokens() const
{
    QVector<int> result;
    result.reserve(m_tokens.size());
    for (int i = 0; i < m_tokens.size(); ++i) {
        if (!m_tokens.at(i).isComment()) {
            result.append(i);
        }
    }
    return result;
}

QString JsLexer::withoutTypeAnnotations() const
{
    const QVector<int> indexes = significantTokens();
    return blankAnnotations(TokenWalk(*this, indexes), m_source);
}

QVector<JsLexer::Function> JsLexer::topLevelFunctions() const
{
    const QVector<int> indexes = significantTokens();
    const TokenWalk walk(*this, indexes);
    const QString stripped = blankAnnotations(walk, m_source);
    QVector<Function> result;

    int depth = 0;
    for (int k = 0; k < walk.count(); ++k) {
        if (depth == 0 && walk.is(k, "function") && startsDeclaration(walk, k)) {
            int name = k + 1;
            if (walk.is(name, "*")) {
                ++name;
            }
            const int open = name + 1;
            if (walk.isName(name) && walk.is(open, "(")) {
                const int close = walk.matching(open);
                const int end = close < 0 ? walk.count() : close;
                QStringList parameters;
                int first = open + 1;
                for (int q = open + 1; q <= end; ++q) {
                    if (q == end || walk.is(q, ",")) {
                        if (q > first) {
                            const int from = walk.at(first)->offset;
                            const int to = walk.at(q - 1)->end();
                            parameters.append(stripped.mid(from, to - from).simplified());
                        }
                        first = q + 1;
                    } else if (walk.opens(q)) {
                        const int nestedClose = walk.matching(q);
                        q = nestedClose < 0 ? end - 1 : nestedClose;
                    }
                }
                const QString functionName = walk.text(name).toString();
                result.append({functionName,
                               functionName + QLatin1Char('(')
                                   + parameters.join(QLatin1String(", ")) + QLatin1Char(')'),
                               walk.at(name)->line});
            }
        }
        if (walk.closes(k)) {
            depth = std::max(0, depth - 1);
        }
        if (walk.opens(k)) {
            ++depth;
        }
    }
    return result;
}
