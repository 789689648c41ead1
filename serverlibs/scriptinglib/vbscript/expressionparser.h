#pragma once

#include "expression.h"

#include <QCoreApplication>

namespace VBScript {

class ParserState;

// Parses expressions with the script engine's operator precedence, from the tightest binding:
// ^, unary - and +, * and /, \, Mod, + and -, &, the comparisons (= <> < > <= >= Is), Not, And,
// Or, Xor, Eqv, Imp. Binary operators of one rank group to the left.
class ExpressionParser
{
    Q_DECLARE_TR_FUNCTIONS(VBScript::ExpressionParser)

public:
    // `state` must outlive the parser.
    explicit ExpressionParser(ParserState &state);

    // Each returns null, with the error recorded in the state, when the text is not valid.
    ExpressionPointer parseExpression();
    // A name, Me or .member followed by member accesses and argument lists, as in a.b(c).d.
    // Stops before the token at `stopIndex` (-1: wherever the reference ends). When the
    // reference ends with an argument list, `lastArgumentList` receives the token index of its
    // '(', else -1.
    ExpressionPointer parseReference(int stopIndex = -1, int *lastArgumentList = nullptr);
    // The arguments of a call written without parentheses, up to the end of the statement.
    bool parseArgumentsWithoutParentheses(ExpressionList *arguments);
    // A literal, or a number with a sign: all that Const accepts.
    ExpressionPointer parseConstantValue();

    // At a name, Me or '.': where parseReference() can start.
    bool atReference() const;

private:
    ExpressionPointer parseBinary(int minimumRank);
    ExpressionPointer parseOperand();
    ExpressionPointer parsePrimary();
    ExpressionPointer parseLiteral();
    bool parseArgumentList(ExpressionList *arguments);
    // Passes `expression` on, or drops it with an error when its tree is too tall.
    ExpressionPointer limitHeight(ExpressionPointer expression);

    ParserState &m_state;
};

} // namespace VBScript
