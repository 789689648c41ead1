#pragma once

#include "syntaxerror.h"
#include "token.h"

#include <QCoreApplication>

#include <optional>
#include <vector>

namespace VBScript {

// What the statement and expression parsers share: the tokens, the parse position, the first
// error, the nesting depth and the open With blocks. Once an error is recorded later ones are
// dropped, because the first error is the one users see and the rest are often its echoes.
class ParserState
{
    Q_DECLARE_TR_FUNCTIONS(VBScript::ParserState)

public:
    // Deeper nesting of statements, parentheses and unary operators is refused, so that neither
    // parsing nor walking the tree can exhaust the stack, whatever the input.
    static constexpr int maxNesting = 100;
    // Expression trees taller than this (long chains of operators, calls or member accesses) are
    // refused for the same reason.
    static constexpr int maxExpressionHeight = 1000;

    explicit ParserState(const QString &source);

    const Token &current() const { return m_tokens[m_index]; }
    // The token after the current one; EndOfScript when there is none.
    const Token &next() const;
    const Token &token(int index) const { return m_tokens[index]; }
    int index() const { return m_index; }
    void rewind(int index) { m_index = index; }
    // Moves to the next token; stays on EndOfScript.
    void advance();

    bool at(TokenKind kind) const { return current().kind == kind; }
    bool at(Keyword keyword) const { return current().isKeyword(keyword); }
    bool atWord(QLatin1String word) const { return current().isWord(word); }
    // At a line end, ':' or the end of the script: where every statement must end.
    bool atSeparator() const;
    // Where a statement's argument list ends: a separator, 'Else' (of a single-line If), or
    // 'End If' inside a single-line If, which the script engine accepts there.
    bool atStatementEnd() const;

    bool accept(TokenKind kind);
    bool accept(Keyword keyword);
    // Each moves past the expected token, or fails with "Expected <what>; found <token>".
    bool expect(TokenKind kind, const QString &what);
    bool expect(Keyword keyword);
    bool expectSeparator();
    // The ')' after a list of arguments, parameters or bounds.
    bool expectListEnd();

    // Records an error unless one is recorded already.
    void fail(SourcePosition position, const QString &message);
    // "Expected <what>; found <current token>" at the current token. An Invalid token reports
    // its own message instead: the text there could not even be read.
    void failExpected(const QString &what);
    bool failed() const { return m_error.has_value(); }
    SyntaxError error() const { return m_error.value_or(SyntaxError()); }

    // How the current token is named in messages: "'Then'", "'End If'", "'x'", "the end of the
    // line".
    QString describeCurrent() const;
    static QString quoted(const QString &text);
    static QString quoted(Keyword keyword);

    void enterWith() { ++m_openWithBlocks; }
    void leaveWith() { --m_openWithBlocks; }
    bool insideWith() const { return m_openWithBlocks > 0; }
    void enterSingleLineIf() { ++m_singleLineIfs; }
    void leaveSingleLineIf() { --m_singleLineIfs; }

    // Counts one level of nesting while it lives; isValid() is false (and the error recorded)
    // when that level is one too many.
    class NestingGuard
    {
    public:
        explicit NestingGuard(ParserState &state);
        ~NestingGuard();
        NestingGuard(const NestingGuard &) = delete;
        NestingGuard &operator=(const NestingGuard &) = delete;

        bool isValid() const { return m_valid; }

    private:
        ParserState &m_state;
        bool m_valid;
    };

private:
    QString m_source;
    std::vector<Token> m_tokens; // never empty: ends with EndOfScript
    int m_index = 0;
    std::optional<SyntaxError> m_error;
    int m_nesting = 0;
    int m_openWithBlocks = 0;
    int m_singleLineIfs = 0;
};

} // namespace VBScript
