#include "parserstate.h"

#include "lexer.h"

namespace VBScript {

namespace {

// Long strings and names are cut in messages, so that the message stays one readable line.
constexpr int maxQuotedLength = 40;

} // namespace

ParserState::ParserState(const QString &source)
    : m_source(source)
    , m_tokens(Lexer::tokenize(source))
{}

const Token &ParserState::next() const
{
    return m_tokens[std::min<size_t>(m_index + 1, m_tokens.size() - 1)];
}

void ParserState::advance()
{
    if (m_index + 1 < int(m_tokens.size())) {
        ++m_index;
    }
}

bool ParserState::atSeparator() const
{
    return at(TokenKind::EndOfLine) || at(TokenKind::Colon) || at(TokenKind::EndOfScript);
}

bool ParserState::atStatementEnd() const
{
    return atSeparator() || at(Keyword::Else)
           || (m_singleLineIfs > 0 && at(Keyword::End) && next().isKeyword(Keyword::If));
}

bool ParserState::accept(TokenKind kind)
{
    if (!at(kind)) {
        return false;
    }
    advance();
    return true;
}

bool ParserState::accept(Keyword keyword)
{
    if (!at(keyword)) {
        return false;
    }
    advance();
    return true;
}

bool ParserState::expect(TokenKind kind, const QString &what)
{
    if (accept(kind)) {
        return true;
    }
    failExpected(what);
    return false;
}

bool ParserState::expect(Keyword keyword)
{
    if (accept(keyword)) {
        return true;
    }
    failExpected(quoted(keyword));
    return false;
}

bool ParserState::expectSeparator()
{
    if (atSeparator()) {
        return true;
    }
    failExpected(tr("the end of the statement"));
    return false;
}

bool ParserState::expectListEnd()
{
    return expect(TokenKind::RightParenthesis, tr("',' or ')'"));
}

void ParserState::fail(SourcePosition position, const QString &message)
{
    if (!m_error) {
        m_error = SyntaxError{position, message};
    }
}

void ParserState::failExpected(const QString &what)
{
    const Token &token = current();
    if (token.kind == TokenKind::Invalid) {
        fail(token.position, token.text);
    } else {
        fail(token.position, tr("Expected %1; found %2").arg(what, describeCurrent()));
    }
}

QString ParserState::describeCurrent() const
{
    const Token &token = current();
    switch (token.kind) {
    case TokenKind::EndOfScript:
        return tr("the end of the script");
    case TokenKind::EndOfLine:
        return tr("the end of the line");
    case TokenKind::Keyword:
        if (token.keyword == Keyword::End && next().kind == TokenKind::Keyword) {
            switch (next().keyword) {
            case Keyword::If:
            case Keyword::Select:
            case Keyword::With:
            case Keyword::Sub:
            case Keyword::Function:
            case Keyword::Property:
            case Keyword::Class:
                return quoted(keywordSpelling(Keyword::End) + QLatin1Char(' ')
                              + keywordSpelling(next().keyword));
            default:
                break;
            }
        }
        return quoted(token.keyword);
    default:
        break;
    }
    QString text = m_source.mid(token.offset, token.length);
    if (text.size() > maxQuotedLength) {
        text = text.left(maxQuotedLength) + QStringLiteral("...");
    }
    return quoted(text);
}

QString ParserState::quoted(const QString &text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString ParserState::quoted(Keyword keyword)
{
    return quoted(keywordSpelling(keyword));
}

ParserState::NestingGuard::NestingGuard(ParserState &state)
    : m_state(state)
    , m_valid(++state.m_nesting <= maxNesting)
{
    if (!m_valid) {
        state.fail(state.current().position,
                   tr("Nesting too deep: more than %1 levels of statements, parentheses and "
                      "unary operators")
                       .arg(maxNesting));
    }
}

ParserState::NestingGuard::~NestingGuard()
{
    --m_state.m_nesting;
}

} // namespace VBScript
