#pragma once

#include "sourceposition.h"

#include <QString>
#include <QVariant>

namespace VBScript {

// The reserved words. Words that are keywords only in one place ("Default", "Error", "Explicit",
// "Get", "GoTo", "Let", "Preserve", "Resume", "Step") stay identifiers, so that scripts may use
// them as names; the parser recognises them where they belong.
enum class Keyword {
    None,
    And,
    ByRef,
    ByVal,
    Call,
    Case,
    Class,
    Const,
    Dim,
    Do,
    Each,
    Else,
    ElseIf,
    Empty,
    End,
    Eqv,
    Erase,
    Exit,
    False,
    For,
    Function,
    If,
    Imp,
    In,
    Is,
    Loop,
    Me,
    Mod,
    New,
    Next,
    Not,
    Nothing,
    Null,
    On,
    Option,
    Or,
    Private,
    Property,
    Public,
    ReDim,
    Select,
    Set,
    Stop,
    Sub,
    Then,
    To,
    True,
    Until,
    Wend,
    While,
    With,
    Xor,
};

enum class TokenKind {
    EndOfScript,
    EndOfLine, // one token for any run of line ends (comments end at the line end)
    Colon,     // statement separator
    Identifier,
    Keyword,
    IntegerLiteral, // fits the 16-bit Integer subtype
    LongLiteral,    // fits the 32-bit Long subtype
    DoubleLiteral,
    StringLiteral,
    DateLiteral,
    Plus,
    Minus,
    Multiply,
    Divide,
    IntegerDivide, // backslash
    Power,
    Concatenate, // &
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    LeftParenthesis,
    RightParenthesis,
    Comma,
    Dot,
    Invalid, // malformed text; `text` holds the message and lexing stopped here
};

struct Token
{
    TokenKind kind = TokenKind::EndOfScript;
    Keyword keyword = Keyword::None;
    SourcePosition position;
    int offset = 0; // where the token's text starts in the source, in UTF-16 code units
    int length = 0;
    bool spaceBefore = false; // white space or a line continuation directly before the token
    bool bracketed = false;   // an identifier written as [name]
    // Identifier: the name without brackets. StringLiteral: the value with doubled quotes
    // undone. Invalid: the error message.
    QString text;
    // IntegerLiteral and LongLiteral: int; DoubleLiteral: double; DateLiteral: QDateTime in UTC
    // standing for the wall-clock value (literals have no time zone).
    QVariant value;

    bool isKeyword(Keyword word) const { return kind == TokenKind::Keyword && keyword == word; }
    // True for an unbracketed identifier spelled `word`, ignoring case: the words that are
    // keywords only in one place.
    bool isWord(QLatin1String word) const;
    // Identifiers, keywords and word operators: what may follow a '.' as a member name.
    bool isWordLike() const { return kind == TokenKind::Identifier || kind == TokenKind::Keyword; }
};

// The usual spelling of a keyword, as in "ElseIf".
QString keywordSpelling(Keyword keyword);
// The keyword spelled `word` in any letter case, or Keyword::None.
Keyword keywordOfWord(const QString &word);

} // namespace VBScript
