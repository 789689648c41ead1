#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Splits a JavaScript text into tokens and answers the questions that the editor and the
// interpreter ask without running the script: where the QSA type annotations are, and which
// functions the script declares at its top level.
//
// The lexer never fails. Malformed text (an unterminated string, comment, template literal or
// regular expression, a stray character) still yields tokens, so that a script with syntax errors
// keeps its positions and its function list; such tokens are marked as not terminated or as
// Invalid. Offsets and columns count UTF-16 code units, as QString does.
class JsLexer
{
public:
    enum class TokenKind {
        Identifier, // names and keywords alike; see isKeyword()
        Punctuator,
        Number,
        String,
        // One piece of a template literal: "`...`", or "`...${" and "}...${" and "}...`" when
        // the literal holds substitutions; the tokens of a substitution lie between the pieces.
        Template,
        RegExp,
        LineComment,
        BlockComment,
        Invalid // a character that starts no token
    };

    struct Token
    {
        TokenKind kind = TokenKind::Invalid;
        int offset = 0;
        int length = 0;
        int line = 1;   // 1-based
        int column = 1; // 1-based
        // A line terminator lies between the previous token (comments included) and this one;
        // automatic semicolon insertion depends on it.
        bool newlineBefore = false;
        bool terminated = true; // false for a string, comment, template or regex cut off

        int end() const { return offset + length; }
        bool isComment() const
        {
            return kind == TokenKind::LineComment || kind == TokenKind::BlockComment;
        }
    };

    // A function declared at the top level of the script.
    struct Function
    {
        QString name;
        // The name and the parameter list without type annotations: "jobArrived(s, job)".
        QString signature;
        int line = 0;
    };

    explicit JsLexer(const QString &source);

    const QString &source() const { return m_source; }
    // All tokens in source order, comments included.
    const QVector<Token> &tokens() const { return m_tokens; }
    QStringView text(const Token &token) const;

    // The source with every QSA type annotation (": Type" after a parameter of a function's
    // parameter list, after the parameter list itself, and after a name declared with var, let
    // or const) replaced by spaces, so that each remaining character keeps its line and column.
    // Text that carries no annotation comes back unchanged.
    QString withoutTypeAnnotations() const;

    // The function declarations outside any block, parentheses or brackets, in source order:
    // nested functions, methods, function expressions and the word "function" inside strings,
    // comments or regular expressions do not count.
    QVector<Function> topLevelFunctions() const;

    static bool isKeyword(QStringView word);
    // The reserved words and the literals of the language, sorted.
    static QStringList keywords();

private:
    void tokenize();
    bool regExpAllowed() const;
    // Index in m_tokens of the significant (non-comment) tokens.
    QVector<int> significantTokens() const;

    QString m_source;
    QVector<Token> m_tokens;
};
