#include "common/testmain.h"

#include "scriptinglib/vbscriptsyntaxchecker.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

namespace {

// The new-script template of the VBScript editor, exactly.
const QString newScriptTemplate = QStringLiteral(
    "' Is invoked each time a new job arrives in one of the input folders for the flow element.\n"
    "' The newly arrived job is passed as the second parameter.\n"
    " Function jobArrived(s, job)\n\n\n End Function\n\n\n"
    "' Is invoked at regular intervals regardless of whether a new job arrived or not.\n"
    "' The interval can be modified with s.setTimerInterval().\n"
    " Function timerFired(s)\n\n\n End Function\n");

// The programs that the engine's tests run: together they use most of the language.
QStringList programs()
{
    QStringList texts;
    const QDir folder(QFINDTESTDATA("vbscript"));
    for (const QString &name : folder.entryList({QStringLiteral("*.vbs")})) {
        QFile file(folder.filePath(name));
        texts << (file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : name);
    }
    return texts;
}

// What is wrong with the way `code` is refused, or nothing when it passes or its error names a
// place inside it: a line of the text and a column from 1.
QString malformedRefusal(const QString &code)
{
    static const QRegularExpression format(QStringLiteral("^Line (\\d+), column (\\d+): \\S.*$"));
    QString message;
    if (VBScriptSyntaxChecker::check(code, message)) {
        return QString();
    }
    const QRegularExpressionMatch match = format.match(message);
    const int lines = code.count(QLatin1Char('\n')) + code.count(QLatin1Char('\r'))
                      - code.count(QLatin1String("\r\n")) + 1;
    const int line = match.captured(1).toInt();
    if (match.hasMatch() && line >= 1 && line <= lines && match.captured(2).toInt() >= 1) {
        return QString();
    }
    return message + QStringLiteral(" for: ") + code;
}

} // namespace

class tst_VBScriptSyntaxChecker : public QObject
{
    Q_OBJECT

private slots:
    void newScriptTemplateAndProgramsAreClean();
    void acceptsOrReportsTheFirstErrorWithItsPlace_data();
    void acceptsOrReportsTheFirstErrorWithItsPlace();
    void deepestAcceptedNestingFitsASmallStack();
    void survivesEveryTruncation();
    void survivesRandomText();
};

void tst_VBScriptSyntaxChecker::newScriptTemplateAndProgramsAreClean()
{
    QString message = QStringLiteral("left from an earlier check");
    QVERIFY(VBScriptSyntaxChecker::check(newScriptTemplate, message));
    QVERIFY(message.isEmpty());
    const QStringList texts = programs();
    QVERIFY(texts.size() > 10);
    for (const QString &program : texts) {
        QVERIFY2(VBScriptSyntaxChecker::check(program, message), qPrintable(message));
        const QString withCrLf = QString(program).replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        QVERIFY2(VBScriptSyntaxChecker::check(withCrLf, message), qPrintable(message));
    }
}

void tst_VBScriptSyntaxChecker::acceptsOrReportsTheFirstErrorWithItsPlace_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message");

    // clang-format off
    // Keywords in comments and member names end no block.
    QTest::newRow("block ends in comments") << "If a Then\n' End If\nb ' Next\nEnd If" << "";
    QTest::newRow("quote characters in comments") << "x = 1 ' the \"start\nMsgBox \"Else\"" << "";
    QTest::newRow("keyword-like member names") << "rs.MoveNext : x = obj.Class & obj.End" << "";

    // Blocks left open.
    QTest::newRow("missing End If at the end of the script") << "If a Then\n  b\n" << "Line 2, column 4: Expected 'End If' to close the 'If' on line 1; found the end of the " "script";
    QTest::newRow("missing End If before End Sub") << "Sub s\n  If a Then\n    b\nEnd Sub" << "Line 4, column 1: Expected 'End If' to close the 'If' on line 2; found 'End Sub'";
    QTest::newRow("missing Next") << "For i = 1 To 2\n  x\n" << "Line 2, column 4: Expected 'Next' to close the 'For' on line " "1; found the end of the script";
    QTest::newRow("missing Next before an outer Loop") << "Do\nFor Each x In y\nLoop" << "Line 3, column 1: Expected 'Next' to close the 'For Each' on line 2; found 'Loop'";
    QTest::newRow("missing Loop") << "Do While a\n b\n" << "Line 2, column 3: Expected 'Loop' to close the 'Do' on line 1; " "found the end of the script";
    QTest::newRow("missing Wend") << "x\nWhile a\n b" << "Line 3, column 3: Expected 'Wend' to close the 'While' on " "line 2; found the end of the script";
    QTest::newRow("missing End Select") << "Select Case a\nCase 1\n b\n" << "Line 3, column 3: Expected 'End Select' to close the 'Select Case' on line 1; found " "the end of the script";
    QTest::newRow("missing End Sub") << "Sub s\n b\n" << "Line 2, column 3: Expected 'End Sub' to close the 'Sub' on " "line 1; found the end of the script";
    QTest::newRow("missing End Function") << "Function f\n f = 1\n' end\n" << "Line 3, column 6: Expected 'End Function' to close the " "'Function' on line 1; found the end of the script";
    QTest::newRow("missing End Class") << "Class C\nDim x" << "Line 2, column 6: Expected 'End Class' to close the " "'Class' on line 1; found the end of the script";
    QTest::newRow("missing End With") << "With a\n.b" << "Line 2, column 3: Expected 'End With' to close the 'With' " "on line 1; found the end of the script";
    QTest::newRow("missing End Property before End Class") << "Class C\nProperty Get p\nEnd Class" << "Line 3, column 1: Expected 'End Property' to close the 'Property' on line 2; found " "'End Class'";

    // Block ends that match nothing or the wrong block.
    QTest::newRow("Else without If") << "a\nElse\nb" << "Line 2, column 1: 'Else' without 'If'";
    QTest::newRow("ElseIf without If") << "ElseIf a Then" << "Line 1, column 1: 'ElseIf' without 'If'";
    QTest::newRow("End If without If") << "Sub s\nEnd If\nEnd Sub" << "Line 2, column 1: 'End If' without 'If'";
    QTest::newRow("Next without For") << "Next" << "Line 1, column 1: 'Next' without 'For'";
    QTest::newRow("Loop without Do") << "While a\nLoop\nWend" << "Line 2, column 1: 'Loop' without 'Do'";
    QTest::newRow("Wend without While") << "Wend" << "Line 1, column 1: 'Wend' without 'While'";
    QTest::newRow("Case without Select") << "Case 1" << "Line 1, column 1: 'Case' without 'Select Case'";
    QTest::newRow("End Select without Select") << "  End Select" << "Line 1, column 3: 'End Select' without 'Select " "Case'";
    QTest::newRow("End Sub without Sub") << "x = 1\nEnd Sub" << "Line 2, column 1: 'End Sub' without 'Sub'";
    QTest::newRow("Sub closed by End Function") << "Sub s\nEnd Function" << "Line 2, column 1: Expected 'End Sub' to close the 'Sub' on " "line 1; found 'End Function'";
    QTest::newRow("Function closed by End Sub") << "Function f\nEnd Sub" << "Line 2, column 1: Expected 'End Function' to close the " "'Function' on line 1; found 'End Sub'";
    QTest::newRow("ElseIf after Else") << "If a Then\nElse\nElseIf b Then\nEnd If" << "Line 3, column 1: Expected 'End If' to close the 'If' on " "line 1; found 'ElseIf'";
    QTest::newRow("Case after Case Else") << "Select Case a\nCase Else\nCase 1\nEnd Select" << "Line 3, column 1: Expected 'End Select' to close the 'Select Case' on line 1; found " "'Case'";
    QTest::newRow("statement before the first Case") << "Select Case a\n  b = 1\nEnd Select" << "Line 2, column 3: Expected 'Case' or 'End Select'; found 'b'";
    QTest::newRow("End without a block keyword") << "End Foo" << "Line 1, column 5: Expected 'If', 'Sub', 'Function', 'Property', 'Class', " "'Select' or 'With' after 'End'; found 'Foo'";
    QTest::newRow("block end in a single-line If") << "For i = 1 To 2\nIf a Then Next" << "Line 2, column 11: 'Next' cannot stand in a " "single-line 'If'";

    // Malformed text: the lexer's message with its place.
    QTest::newRow("unterminated string") << "x = 1\nMsgBox \"Hello\n" << "Line 2, column 8: Unterminated string: the closing " "'\"' is missing on its line";

    // Unexpected tokens.
    QTest::newRow("unexpected token") << "x = 1 2" << "Line 1, column 7: Expected the end of the " "statement; found '2'";
    QTest::newRow("missing Then") << "If a\n b\nEnd If" << "Line 1, column 5: Expected 'Then'; found the end of the line";
    QTest::newRow("missing expression") << "x = * 2" << "Line 1, column 5: Expected an expression; found '*'";
    QTest::newRow("missing closing parenthesis") << "x = f(1, 2" << "Line 1, column 11: Expected ',' or ')'; found the end of the script";
    QTest::newRow("keyword where a name belongs") << "Dim Next" << "Line 1, column 5: Expected a variable name; " "found 'Next'";
    QTest::newRow("statement starting with a literal") << "5 = x" << "Line 1, column 1: Expected a statement; " "found '5'";
    QTest::newRow("loop variable after Next") << "For i = 1 To 2\nNext i" << "Line 2, column 6: Expected the end of the statement after " "'Next'; found 'i' (VBScript does not allow a loop variable " "after 'Next')";
    QTest::newRow("Do condition at both ends") << "Do While a\nLoop Until b" << "Line 2, column 6: A 'Do' loop can test its condition at " "'Do' or at 'Loop', not at both";
    QTest::newRow("On Error GoTo a label") << "On Error GoTo fail" << "Line 1, column 15: Expected '0' (VBScript has no line labels); " "found 'fail'";
    QTest::newRow("Option other than Explicit") << "Option Base 1" << "Line 1, column 8: Expected 'Explicit'; found " "'Base'";

    // What the script engine refuses before running.
    QTest::newRow("parentheses around the arguments of a Sub call") << "MsgBox(\"a\", 1)" << "Line 1, column 7: Cannot use parentheses when calling a Sub: " "write the arguments without them, or use 'Call'";
    QTest::newRow("Exit For outside a For loop") << "Do\nExit For\nLoop" << "Line 2, column 1: 'Exit For' is not inside a " "'For' loop";
    QTest::newRow("Exit Do in a procedure inside no loop") << "Sub s\n Exit Do\nEnd Sub" << "Line 2, column 2: 'Exit Do' is not inside a 'Do' loop";
    QTest::newRow("Exit Sub in a Function") << "Function f\nExit Sub\nEnd Function" << "Line 2, column 1: 'Exit Sub' is not inside a " "'Sub'";
    QTest::newRow("name defined twice") << "Dim a\nSub a\nEnd Sub" << "Line 2, column 5: Name redefined: 'a' is already " "defined on line 1";
    QTest::newRow("names differing in case only") << "Function F\nEnd Function\nFunction f\nEnd Function" << "Line 3, column 10: Name redefined: 'f' is already defined on line 1";
    QTest::newRow("parameter declared again") << "Sub s(a)\nDim a\nEnd Sub" << "Line 2, column 5: Name redefined: 'a' is already " "defined on line 1";
    QTest::newRow("Property Get twice") << "Class C\nProperty Get p : End Property\nProperty Get p : End Property\nEnd Class" << "Line 3, column 14: Name redefined: 'p' is already defined on line 2";
    QTest::newRow("Const with an expression") << "Const a = 1 + 2" << "Line 1, column 13: Expected the end of the statement after the " "literal constant; found '+'";
    QTest::newRow("Dim with a computed size") << "Dim a(n)" << "Line 1, column 7: Expected a whole number as the upper bound (use " "'ReDim' for sizes computed at run time); found 'n'";
    QTest::newRow("Option Explicit after a statement") << "' header\nx = 1\nOption Explicit" << "Line 3, column 1: 'Option Explicit' must come before any other statement";
    QTest::newRow("Option Explicit inside a procedure") << "Sub s\nOption Explicit\nEnd Sub" << "Line 2, column 1: 'Option Explicit' must come before any other statement";
    QTest::newRow("With member outside With") << "x = .Name" << "Line 1, column 5: '.Name' refers to the object of a 'With' block, but " "there is no 'With' block around it";
    QTest::newRow("Property outside a class") << "Property Get p\nEnd Property" << "Line 1, column 1: A 'Property' can only be " "defined in a class";
    QTest::newRow("procedure inside a procedure is taken for a missing end") << "Sub a\n  Function b\n  End Function\nEnd Sub" << "Line 2, column 3: Expected 'End Sub' to close the 'Sub' on line 1; found 'Function'";
    QTest::newRow("procedure inside an If is taken for a missing End If") << "If a Then\nSub b\nEnd Sub\nEnd If" << "Line 2, column 1: Expected 'End If' to close the 'If' on line 1; found 'Sub'";
    QTest::newRow("class inside a procedure is taken for a missing end") << "Sub a\nClass C\nEnd Class\nEnd Sub" << "Line 2, column 1: Expected 'End Sub' to close the 'Sub' on line 1; found 'Class'";
    QTest::newRow("Public procedure inside a procedure is taken for a missing end") << "Function f\nPublic Sub s\nEnd Sub" << "Line 2, column 1: Expected 'End Function' to close the 'Function' on line 1; found " "'Public'";
    QTest::newRow("Property inside a procedure is taken for a missing end") << "Class C\nSub s\nProperty Get p\nEnd Property\nEnd Class" << "Line 3, column 1: Expected 'End Sub' to close the 'Sub' on line 2; found 'Property'";
    QTest::newRow("statement in a class body") << "Class C\n  x = 1\nEnd Class" << "Line 2, column 3: Expected a variable or procedure " "declaration, or 'End Class'; found 'x'";
    QTest::newRow("Private inside a procedure") << "Sub s\nPrivate x\nEnd Sub" << "Line 2, column 1: 'Private' can only be used at the top " "level of the script or in a class; use 'Dim' inside " "procedures";
    QTest::newRow("Default outside a class") << "Public Default Sub s\nEnd Sub" << "Line 1, column 8: 'Default' can only be used as " "'Public Default' in a class";
    QTest::newRow("two default members") << "Class C\nPublic Default Sub a : End Sub\nPublic Default Function b : End Function\n" "End Class" << "Line 3, column 1: A class can have only one default member";
    QTest::newRow("Property Let without a parameter") << "Class C\nProperty Let p\nEnd Property\nEnd Class" << "Line 2, column 14: 'Property Let' needs at least one parameter: the value assigned";

    // Which error and where.
    QTest::newRow("the first of two errors") << "x = (1\ny = \"open" << "Line 1, column 7: Expected ')'; found the end of " "the line";
    QTest::newRow("error on a continued line keeps its physical line") << "x = 1 + _\n    2 +\ny = 1" << "Line 2, column 8: Expected an expression; found the end " "of the line";
    QTest::newRow("columns count tabs as one") << "\t\tx = )" << "Line 1, column 7: Expected an expression; found " "')'";
    QTest::newRow("long strings are cut in the message") << "x = 1 \"abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz\"" << "Line 1, column 7: Expected the end of the statement; found " "'\"abcdefghijklmnopqrstuvwxyzabcdefghijklm...'";

    // Nesting that would exhaust the stack.
    // clang-format on
    const QString tooDeep = QStringLiteral("Nesting too deep: more than 100 levels of statements, "
                                           "parentheses and unary operators");
    const QString tooComplex = QStringLiteral("Expression too complex: more than 1000 operations "
                                              "nested in one another");
    // clang-format off
    QTest::newRow("nested blocks") << QStringLiteral("If a Then\n").repeated(5000) + QStringLiteral("End If\n").repeated(5000) << QStringLiteral("Line 100, column 4: ") + tooDeep;
    QTest::newRow("nested single-line Ifs") << QStringLiteral("If a Then ").repeated(5000) << QStringLiteral("Line 1, column 994: ") + tooDeep;
    QTest::newRow("nested parentheses") << QStringLiteral("x = ") + QStringLiteral("(").repeated(100000) + QStringLiteral("1") + QStringLiteral(")").repeated(100000) << QStringLiteral("Line 1, column 104: ") + tooDeep;
    QTest::newRow("repeated signs") << QStringLiteral("x = ") + QStringLiteral("-").repeated(100000) + QStringLiteral("1") << QStringLiteral("Line 1, column 103: ") + tooDeep;
    QTest::newRow("repeated Not") << QStringLiteral("x = ") + QStringLiteral("Not ").repeated(50000) + QStringLiteral("a") << QStringLiteral("Line 1, column 397: ") + tooDeep;
    QTest::newRow("long operator chain") << QStringLiteral("x = a") + QStringLiteral(" & a").repeated(5000) << QStringLiteral("Line 1, column 5: ") + tooComplex;
    QTest::newRow("long member chain") << QStringLiteral("x = a") + QStringLiteral(".b").repeated(5000) << QStringLiteral("Line 1, column 5: ") + tooComplex;
    QTest::newRow("long index chain") << QStringLiteral("a") + QStringLiteral("(1)").repeated(5000) + QStringLiteral(" = 1") << QStringLiteral("Line 1, column 1: ") + tooComplex;
    // clang-format on
}

void tst_VBScriptSyntaxChecker::acceptsOrReportsTheFirstErrorWithItsPlace()
{
    QFETCH(QString, code);
    QFETCH(QString, message);
    QString actual = QStringLiteral("left from an earlier check");
    QCOMPARE(VBScriptSyntaxChecker::check(code, actual), message.isEmpty());
    QCOMPARE(actual, message);
}

// The nesting limits bound the stack: the deepest texts that still pass check in a thread with
// the 1 MiB stack that Windows gives its threads (they need a quarter of it even when built with
// AddressSanitizer).
void tst_VBScriptSyntaxChecker::deepestAcceptedNestingFitsASmallStack()
{
    // Every rank of operator once per level of parentheses, the most stack per level; Not, the
    // sign and the parentheses count three levels each.
    const QString everyRank = QStringLiteral("a Imp b Eqv c Xor d Or e And Not f = g & h + i Mod "
                                             "j \\ k * -l ^ (");
    const QStringList deepest = {
        QStringLiteral("Sub s\n") + QStringLiteral("If a Then\n").repeated(98)
            + QStringLiteral("b\n") + QStringLiteral("End If\n").repeated(98)
            + QStringLiteral("End Sub\n"),
        QStringLiteral("x = ") + everyRank.repeated(32) + QStringLiteral("1")
            + QStringLiteral(")").repeated(32),
        QStringLiteral("x = ") + QStringLiteral("-(").repeated(49) + QStringLiteral("1")
            + QStringLiteral(")").repeated(49),
    };
    QStringList failures;
    QThread *thread = QThread::create([&deepest, &failures] {
        for (const QString &code : deepest) {
            QString message;
            if (!VBScriptSyntaxChecker::check(code, message)) {
                failures << message;
            }
        }
    });
    thread->setStackSize(1024 * 1024);
    thread->start();
    QVERIFY(thread->wait(60000));
    delete thread;
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
}

void tst_VBScriptSyntaxChecker::survivesEveryTruncation()
{
    // The programs with classes and properties, and with every kind of loop and Select Case.
    const QRegularExpression richest(QStringLiteral("Property Let|Select Case"));
    for (const QString &program : programs().filter(richest)) {
        for (int length = 0; length < program.size(); ++length) {
            const QString problem = malformedRefusal(program.left(length));
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
        }
    }
}

void tst_VBScriptSyntaxChecker::survivesRandomText()
{
    const QStringList vocabulary =
        QStringLiteral("If Then Else End Sub Function For Each Next Do Loop While Select Case With "
                       "Class Property Get Dim ReDim Const Set Call Exit Not And New x y1 1 2.5 "
                       "&HFF \"s\" #1/2/2003# = ( ) , . : - & ^ 'c Rem \" # [ _")
            .split(QLatin1Char(' '))
        + QStringList{QStringLiteral("[a b]"), QStringLiteral("\n"), QStringLiteral("\r\n"),
                      QStringLiteral(" _\n"), QStringLiteral("\t")};
    QRandomGenerator random(20030102);
    for (int round = 0; round < 3000; ++round) {
        QString code;
        const int length = random.bounded(1, 60);
        for (int i = 0; i < length; ++i) {
            // Mostly words of the language, now and then any character at all.
            if (random.bounded(10) == 0) {
                code += QChar(char16_t(random.bounded(1, 0xD800)));
            } else {
                code += vocabulary.at(random.bounded(vocabulary.size())) + QLatin1Char(' ');
            }
        }
        const QString problem = malformedRefusal(code);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
}

TAVRIX_TEST_GUILESS_MAIN(tst_VBScriptSyntaxChecker)

#include "tst_vbscriptsyntaxchecker.moc"
