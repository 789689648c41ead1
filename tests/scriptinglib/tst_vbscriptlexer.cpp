#include "common/testmain.h"

#include "scriptinglib/vbscript/lexer.h"

#include <QDateTime>
#include <QTest>

using namespace VBScript;

namespace {

QString describe(const Token &token)
{
    switch (token.kind) {
    case TokenKind::EndOfScript:
        return QStringLiteral("EOF");
    case TokenKind::EndOfLine:
        return QStringLiteral("NL");
    case TokenKind::Identifier:
        return token.bracketed ? QStringLiteral("id:[%1]").arg(token.text)
                               : QStringLiteral("id:") + token.text;
    case TokenKind::Keyword:
        return QStringLiteral("kw:") + keywordSpelling(token.keyword);
    case TokenKind::IntegerLiteral:
        return QStringLiteral("int:") + token.value.toString();
    case TokenKind::LongLiteral:
        return QStringLiteral("long:") + token.value.toString();
    case TokenKind::DoubleLiteral:
        return QStringLiteral("dbl:") + QString::number(token.value.toDouble(), 'g', 12);
    case TokenKind::StringLiteral:
        return QStringLiteral("str:<%1>").arg(token.text);
    case TokenKind::Invalid:
        return QStringLiteral("ERR@%1:%2 %3")
            .arg(token.position.line)
            .arg(token.position.column)
            .arg(token.text);
    case TokenKind::Colon:
        return QStringLiteral(":");
    default:
        break;
    }
    // The operators, in the order of TokenKind from Plus to Dot.
    static const QStringList symbols =
        QStringLiteral("+ - * / \\ ^ & = <> < > <= >= ( ) , .").split(QLatin1Char(' '));
    return symbols.value(int(token.kind) - int(TokenKind::Plus), QStringLiteral("?"));
}

// The tokens as one line; with positions, each followed by "@line:column".
QString dump(const std::vector<Token> &tokens, bool withPositions = false)
{
    QStringList parts;
    for (const Token &token : tokens) {
        parts << describe(token)
                     + (withPositions ? QStringLiteral("@%1:%2")
                                            .arg(token.position.line)
                                            .arg(token.position.column)
                                      : QString());
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

class tst_VBScriptLexer : public QObject
{
    Q_OBJECT

private slots:
    void tokens_data();
    void tokens();
    void dateLiterals_data();
    void dateLiterals();
    void positions_data();
    void positions();
    void spaceBeforeTellsMemberAccessFromWithMember();
};

void tst_VBScriptLexer::tokens_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");

    const QString longest(255, QLatin1Char('n'));
    const QString tooLong =
        QStringLiteral("ERR@1:1 Name too long: a name can have at most 255 characters EOF");
    // clang-format off
    QTest::newRow("keywords ignore letter case") << QStringLiteral("iF x tHEN eNd iF") << QStringLiteral("kw:If id:x kw:Then kw:End kw:If EOF");
    QTest::newRow("words that are keywords in one place stay names") << QStringLiteral("Step Error Default Explicit Get Let Preserve Resume GoTo") << QStringLiteral("id:Step id:Error id:Default id:Explicit id:Get id:Let id:Preserve " "id:Resume id:GoTo EOF");
    QTest::newRow("apostrophe comment hides keywords to the line end") << QStringLiteral("x ' If Then \"\ny") << QStringLiteral("id:x NL id:y EOF");
    QTest::newRow("Rem comment hides the rest of its line") << QStringLiteral("Rem If x \"\nx : REM Else") << QStringLiteral("id:x : EOF");
    QTest::newRow("words starting with Rem are names") << QStringLiteral("Remark = Rem_1") << QStringLiteral("id:Remark = id:Rem_1 EOF");
    QTest::newRow("blank lines give one line end") << QStringLiteral("\n\na\n\n\n  \nb\n") << QStringLiteral("id:a NL id:b NL EOF");
    QTest::newRow("CR LF and CR end lines") << QStringLiteral("a\r\nb\rc") << QStringLiteral("id:a NL id:b NL id:c EOF");
    QTest::newRow("continuation joins lines") << QStringLiteral("a + _\n   b _\r\n+ c") << QStringLiteral("id:a + id:b + id:c EOF");
    QTest::newRow("continuation followed by a blank line ends the statement") << QStringLiteral("a _\n\nb") << QStringLiteral("id:a NL id:b EOF");
    QTest::newRow("doubled quotes stand for one") << QStringLiteral("\"say \"\"hi\"\"\" \"\"") << QStringLiteral("str:<say \"hi\"> str:<> EOF");
    QTest::newRow("keywords in strings are text") << QStringLiteral("\"End If ' Rem\"") << QStringLiteral("str:<End If ' Rem> EOF");
    QTest::newRow("bracketed names keep spaces and keywords") << QStringLiteral("[my If] = [End]") << QStringLiteral("id:[my If] = id:[End] EOF");
    QTest::newRow("hex and octal numbers are their bits") << QStringLiteral("&HFF &hffff &HFFFF& &H10000 &HFFFFFFFF &O17 &o177777 &O200000") << QStringLiteral("int:255 int:-1 long:65535 long:65536 long:-1 int:15 int:-1 " "long:65536 EOF");
    QTest::newRow("ampersand without radix digits concatenates") << QStringLiteral("a &Hz & b&c") << QStringLiteral("id:a & id:Hz & id:b & id:c EOF");
    QTest::newRow("decimal numbers take the smallest subtype") << QStringLiteral("0 32767 32768 2147483647 2147483648") << QStringLiteral("int:0 int:32767 long:32768 long:2147483647 dbl:2147483648 EOF");
    QTest::newRow("floating point numbers") << QStringLiteral("1.5 .5 1e3 1.5E-2 2. 7E+1") << QStringLiteral("dbl:1.5 dbl:0.5 dbl:1000 dbl:0.015 dbl:2 dbl:70 EOF");
    QTest::newRow("exponent needs digits") << QStringLiteral("1e") << QStringLiteral("int:1 id:e EOF");
    QTest::newRow("operators") << QStringLiteral("< <= <> > >= = + - * / \\ ^ & ( ) , . :") << QStringLiteral("< <= <> > >= = + - * / \\ ^ & ( ) , . : EOF");
    QTest::newRow("adjacent operators split") << QStringLiteral("a<>-b") << QStringLiteral("id:a <> - id:b EOF");
    QTest::newRow("dot before a digit starts a number") << QStringLiteral("a.b .5") << QStringLiteral("id:a . id:b dbl:0.5 EOF");
    QTest::newRow("byte order mark is skipped") << QString(QChar(0xFEFF)) + QStringLiteral("x") << QStringLiteral("id:x EOF");
    QTest::newRow("letters of any script make names") << QStringLiteral("größe = 1") << QStringLiteral("id:größe = int:1 EOF");
    QTest::newRow("no-break space separates") << QStringLiteral("a") + QChar(0xA0) + QStringLiteral("b") << QStringLiteral("id:a id:b EOF");
    QTest::newRow("empty script") << QString() << QStringLiteral("EOF");
    QTest::newRow("names of up to 255 characters") << longest << QStringLiteral("id:%1 EOF").arg(longest);
    QTest::newRow("bracketed names of up to 255 characters") << QStringLiteral("[%1]").arg(longest) << QStringLiteral("id:[%1] EOF").arg(longest);
    // Malformed text stops lexing with a message.
    QTest::newRow("unterminated string") << QStringLiteral("x = \"abc") << QStringLiteral("id:x = ERR@1:5 Unterminated string: the closing '\"' is missing on its line EOF");
    QTest::newRow("string across lines") << QStringLiteral("x = \"a\nb\"") << QStringLiteral("id:x = ERR@1:5 Unterminated string: the closing '\"' is missing on its line EOF");
    QTest::newRow("unterminated date") << QStringLiteral("x = #1/2/2003\n#") << QStringLiteral("id:x = ERR@1:5 Unterminated date literal: the closing '#' is missing on its line EOF");
    QTest::newRow("unterminated bracketed name") << QStringLiteral("[a b") << QStringLiteral("ERR@1:1 Unterminated bracketed name: the closing ']' is missing on its line EOF");
    QTest::newRow("empty bracketed name") << QStringLiteral("x = []") << QStringLiteral("id:x = ERR@1:5 Empty bracketed name '[]' EOF");
    QTest::newRow("continuation at the end") << QStringLiteral("x = 1 _") << QStringLiteral("id:x = int:1 ERR@1:7 Line continuation '_' at the end of the script: the statement is not continued EOF");
    QTest::newRow("continuation before blank lines only") << QStringLiteral("x = 1 _\r\n  \n\t\n") << QStringLiteral("id:x = int:1 ERR@1:7 Line continuation '_' at the end of the script: the statement is not continued EOF");
    QTest::newRow("text after continuation") << QStringLiteral("x = 1 _ ' why") << QStringLiteral("id:x = int:1 ERR@1:7 A line continuation '_' must be the last character on its line EOF");
    QTest::newRow("name starting with underscore") << QStringLiteral("x = _y") << QStringLiteral("id:x = ERR@1:5 Invalid character '_': names must start with a letter EOF");
    QTest::newRow("printable invalid character") << QStringLiteral("x = 1 @ 2") << QStringLiteral("id:x = int:1 ERR@1:7 Invalid character '@' EOF");
    QTest::newRow("control character") << QStringLiteral("x\x01") << QStringLiteral("id:x ERR@1:2 Invalid character U+0001 EOF");
    QTest::newRow("character outside the basic plane") << QStringLiteral("x = ") + QString::fromUcs4(U"\U0001F600") << QStringLiteral("id:x = ERR@1:5 Invalid character '") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("' EOF");
    QTest::newRow("hex number above 32 bits") << QStringLiteral("&H100000000") << QStringLiteral("ERR@1:1 Number too large: '&H100000000' EOF");
    QTest::newRow("octal number above 32 bits") << QStringLiteral("&O40000000000&") << QStringLiteral("ERR@1:1 Number too large: '&O40000000000&' EOF");
    QTest::newRow("floating point overflow") << QStringLiteral("1e400") << QStringLiteral("ERR@1:1 Number too large: '1e400' EOF");
    QTest::newRow("only the first error is kept") << QStringLiteral("a \"b\n#c") << QStringLiteral("id:a ERR@1:3 Unterminated string: the closing '\"' is missing on its line EOF");
    QTest::newRow("name of 256 characters") << longest + QLatin1Char('n') << tooLong;
    QTest::newRow("bracketed name of 256 characters") << QStringLiteral("[%1 ]").arg(longest) << tooLong;
    // clang-format on
}

void tst_VBScriptLexer::tokens()
{
    QFETCH(QString, source);
    QFETCH(QString, expected);
    QCOMPARE(dump(Lexer::tokenize(source)), expected);
}

void tst_VBScriptLexer::dateLiterals_data()
{
    QTest::addColumn<QString>("literal");
    QTest::addColumn<QString>("expected"); // ISO date and time, empty when refused

    // clang-format off
    QTest::newRow("month/day/year") << QStringLiteral("#1/2/2003#") << QStringLiteral("2003-01-02T00:00:00");
    QTest::newRow("dashes") << QStringLiteral("#1-2-2003#") << QStringLiteral("2003-01-02T00:00:00");
    QTest::newRow("day first when the month cannot be") << QStringLiteral("#13/1/2003#") << QStringLiteral("2003-01-13T00:00:00");
    QTest::newRow("year first") << QStringLiteral("#2003-01-02#") << QStringLiteral("2003-01-02T00:00:00");
    QTest::newRow("date and time") << QStringLiteral("#2003/1/2 10:30:15#") << QStringLiteral("2003-01-02T10:30:15");
    QTest::newRow("time and date") << QStringLiteral("#10:30 1/2/2003#") << QStringLiteral("2003-01-02T10:30:00");
    QTest::newRow("time alone falls on day zero") << QStringLiteral("#10:30 PM#") << QStringLiteral("1899-12-30T22:30:00");
    QTest::newRow("twelve AM is midnight") << QStringLiteral("#12:00 AM#") << QStringLiteral("1899-12-30T00:00:00");
    QTest::newRow("twelve PM is noon") << QStringLiteral("#12:05 pm#") << QStringLiteral("1899-12-30T12:05:00");
    QTest::newRow("hour with meridiem") << QStringLiteral("#3 PM#") << QStringLiteral("1899-12-30T15:00:00");
    QTest::newRow("month name first") << QStringLiteral("#January 2, 2003#") << QStringLiteral("2003-01-02T00:00:00");
    QTest::newRow("abbreviated month name second") << QStringLiteral("#2 Jan 03#") << QStringLiteral("2003-01-02T00:00:00");
    QTest::newRow("month name between dashes") << QStringLiteral("#2-Sept-2003#") << QStringLiteral("2003-09-02T00:00:00");
    QTest::newRow("two-digit year up to 29 is 20xx") << QStringLiteral("#1/2/29#") << QStringLiteral("2029-01-02T00:00:00");
    QTest::newRow("two-digit year from 30 is 19xx") << QStringLiteral("#1/2/30#") << QStringLiteral("1930-01-02T00:00:00");
    QTest::newRow("leap day") << QStringLiteral("#2/29/2004#") << QStringLiteral("2004-02-29T00:00:00");
    QTest::newRow("no year: this year") << QStringLiteral("#3/4#") << QStringLiteral("%1-03-04T00:00:00").arg(QDate::currentDate().year());

    QTest::newRow("no leap day") << QStringLiteral("#2/29/2003#") << QString();
    QTest::newRow("neither number a month") << QStringLiteral("#13/13/2003#") << QString();
    QTest::newRow("hour 24") << QStringLiteral("#24:00#") << QString();
    QTest::newRow("minute 60") << QStringLiteral("#10:60#") << QString();
    QTest::newRow("thirteen PM") << QStringLiteral("#13:00 PM#") << QString();
    QTest::newRow("unknown word") << QStringLiteral("#hello#") << QString();
    QTest::newRow("unknown month") << QStringLiteral("#Foo 2, 2003#") << QString();
    QTest::newRow("two month names") << QStringLiteral("#Jan Feb 2003#") << QString();
    QTest::newRow("empty") << QStringLiteral("##") << QString();
    QTest::newRow("four numbers") << QStringLiteral("#1/2/3/4#") << QString();
    QTest::newRow("five-digit year") << QStringLiteral("#1/2/10000#") << QString();
    QTest::newRow("colon first") << QStringLiteral("#:30#") << QString();
    QTest::newRow("meridiem alone") << QStringLiteral("#PM#") << QString();
    QTest::newRow("missing minutes") << QStringLiteral("#1:#") << QString();
    QTest::newRow("trailing separator") << QStringLiteral("#1/2/#") << QString();
    QTest::newRow("other characters") << QStringLiteral("#1/2/2003 !#") << QString();
    // clang-format on
}

void tst_VBScriptLexer::dateLiterals()
{
    QFETCH(QString, literal);
    QFETCH(QString, expected);
    const std::vector<Token> tokens = Lexer::tokenize(literal);
    QCOMPARE(tokens.size(), size_t(2));
    if (expected.isEmpty()) {
        QCOMPARE(tokens.front().kind, TokenKind::Invalid);
        QCOMPARE(tokens.front().text, QStringLiteral("Invalid date literal '%1'").arg(literal));
    } else {
        QCOMPARE(tokens.front().kind, TokenKind::DateLiteral);
        const QDateTime value = tokens.front().value.toDateTime();
        QCOMPARE(value.timeSpec(), Qt::UTC);
        QCOMPARE(value.toString(Qt::ISODate).chopped(1), expected);
    }
}

void tst_VBScriptLexer::positions_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("lines and columns after a continuation") << QStringLiteral("a = 1\n\tIf b Then _\n  c\r\n[d]") << QStringLiteral("id:a@1:1 =@1:3 int:1@1:5 NL@1:6 kw:If@2:2 id:b@2:5 kw:Then@2:7 id:c@3:3 NL@3:4 id:[d]@4:1 EOF@4:4");
    QTest::newRow("empty script ends at its start") << QString() << QStringLiteral("EOF@1:1");
    QTest::newRow("end after a last line without line end") << QStringLiteral("x\nyz") << QStringLiteral("id:x@1:1 NL@1:2 id:yz@2:1 EOF@2:3");
    QTest::newRow("end before trailing blank lines") << QStringLiteral("x\nyz\n\n  \n") << QStringLiteral("id:x@1:1 NL@1:2 id:yz@2:1 NL@2:3 EOF@2:3");
    QTest::newRow("end after a trailing comment") << QStringLiteral("x\n\n  ' note\n\n") << QStringLiteral("id:x@1:1 NL@1:2 EOF@3:9");
    // clang-format on
}

void tst_VBScriptLexer::positions()
{
    QFETCH(QString, source);
    QFETCH(QString, expected);
    QCOMPARE(dump(Lexer::tokenize(source), true), expected);
}

void tst_VBScriptLexer::spaceBeforeTellsMemberAccessFromWithMember()
{
    const std::vector<Token> tokens = Lexer::tokenize(QStringLiteral("a.b .c _\n.d"));
    QCOMPARE(dump(tokens), QStringLiteral("id:a . id:b . id:c . id:d EOF"));
    QVERIFY(!tokens[1].spaceBefore);
    QVERIFY(tokens[3].spaceBefore);
    QVERIFY(tokens[5].spaceBefore); // after a continuation
}

TAVRIX_TEST_GUILESS_MAIN(tst_VBScriptLexer)

#include "tst_vbscriptlexer.moc"
