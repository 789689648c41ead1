#pragma once

#include "token.h"

#include <QCoreApplication>

#include <vector>

namespace VBScript {

// Splits a script into tokens: case-insensitive keywords, ' and Rem comments, " _" line
// continuations, strings with doubled quotes, #date# literals, decimal, &H and &O numbers and
// [bracketed names].
class Lexer
{
    Q_DECLARE_TR_FUNCTIONS(VBScript::Lexer)

public:
    // The tokens of `source`, always ending with an EndOfScript token placed just after the last
    // text of the script. Lexing stops at the first malformed text, which becomes an Invalid
    // token carrying the message: the parser reports it when it gets there, so that a syntax
    // error earlier in the script still comes first.
    static std::vector<Token> tokenize(const QString &source);

private:
    explicit Lexer(const QString &source);

    void run();
    // Each lexes the token starting at m_pos and returns false after adding an Invalid token.
    bool lexToken();
    bool lexWord();
    bool lexDecimalNumber();
    bool lexRadixNumber();
    bool lexString();
    bool lexDateLiteral();
    bool lexBracketedName();
    bool lexLineContinuation();
    bool lexOperator();

    void lexLineEnd();
    void skipComment();
    Token &addToken(TokenKind kind, int start, int end);
    bool fail(int start, const QString &message);
    QChar at(int position) const
    {
        return position < m_source.size() ? m_source.at(position) : QChar();
    }

    const QString &m_source;
    int m_pos = 0;
    int m_line = 1;
    int m_lineStart = 0;
    bool m_spaceBefore = false;
    SourcePosition m_end{1, 1}; // just after the last text seen, where EndOfScript goes
    std::vector<Token> m_tokens;
};

} // namespace VBScript
