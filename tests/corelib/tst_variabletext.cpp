#include "common/testmain.h"

#include "corelib/variables/variabletext.h"

#include <QTest>

using SRCore::VariableProblem;
using SRCore::VariableText;
using SRCore::VariableTextPart;

namespace {

// Parts as `"literal"` and `{Group.Name Key=value ...}`, joined by spaces.
QString render(const VariableText &text)
{
    QStringList parts;
    for (const VariableTextPart &part : text.parts()) {
        if (!part.isVariable()) {
            parts.append(QLatin1Char('"') + part.text + QLatin1Char('"'));
            continue;
        }
        QString variable = QLatin1Char('{') + part.fullName();
        for (const auto &argument : part.arguments) {
            variable += QLatin1Char(' ') + argument.key + QLatin1Char('=') + argument.value;
        }
        parts.append(variable + QLatin1Char('}'));
    }
    return parts.join(QLatin1Char(' '));
}

// Problem spans as "start-end", joined by spaces.
QString spans(const QList<VariableProblem> &problems)
{
    QStringList spans;
    for (const VariableProblem &problem : problems) {
        spans.append(QStringLiteral("%1-%2").arg(problem.start).arg(problem.end));
    }
    return spans.join(QLatin1Char(' '));
}

} // namespace

class tst_VariableText : public QObject
{
    Q_OBJECT

private slots:
    void parsesPartsAndArguments_data();
    void parsesPartsAndArguments();
    void reportsSyntaxProblemsWithPositions_data();
    void reportsSyntaxProblemsWithPositions();
    void findsTheVariableUnderTheCursor_data();
    void findsTheVariableUnderTheCursor();
    void escapedLiteralsReadBack_data();
    void escapedLiteralsReadBack();
    void listsEachVariableOnce();
};

void tst_VariableText::parsesPartsAndArguments_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("parts");

    // clang-format off
    QTest::newRow("empty text has no parts") << "" << "";
    QTest::newRow("plain text is one literal") << "plain text" << R"("plain text")";
    QTest::newRow("a variable alone") << "[Job.Name]" << "{Job.Name}";
    QTest::newRow("literals around a variable") << "Invoice [Job.NameProper].pdf" << R"("Invoice " {Job.NameProper} ".pdf")";
    QTest::newRow("adjacent variables") << "[Job.Prefix][Job.Name]" << "{Job.Prefix} {Job.Name}";
    QTest::newRow("doubled brackets are literal") << "a [[b]] c" << R"("a [b] c")";
    QTest::newRow("brackets around a variable") << "[[[Job.Name]]]" << R"("[" {Job.Name} "]")";
    QTest::newRow("quoted argument") << R"([Server.Date:Format="yyyy-MM-dd"])" << "{Server.Date Format=yyyy-MM-dd}";
    QTest::newRow("bare arguments with spaces") << R"([Job.Hierarchy: Index = 2 , Separator="-"])" << "{Job.Hierarchy Index=2 Separator=-}";
    QTest::newRow("doubled quote inside a value") << R"([Job.PrivateData:Key="say ""hi"""])" << R"({Job.PrivateData Key=say "hi"})";
    QTest::newRow("brackets and commas inside a quoted value") << R"([Metadata.Text:Dataset="A,B",Path="/a[1]/b"])" << "{Metadata.Text Dataset=A,B Path=/a[1]/b}";
    QTest::newRow("single quotes around double quotes") << R"([Metadata.Text:Prefixes='xmlns:p="u"',Path='it''s'])" << R"({Metadata.Text Prefixes=xmlns:p="u" Path=it's})";
    QTest::newRow("empty quoted value") << R"([Job.Hierarchy:Separator=""])" << "{Job.Hierarchy Separator=}";
    QTest::newRow("unknown names still parse") << "[Foo.Bar2]" << "{Foo.Bar2}";
    QTest::newRow("windows path with backslashes") << R"(\\server\share\[Job.Name])" << R"("\\server\share\" {Job.Name})";
    // clang-format on
}

void tst_VariableText::parsesPartsAndArguments()
{
    QFETCH(QString, text);
    QFETCH(QString, parts);

    const VariableText parsed = VariableText::parse(text);
    QVERIFY2(parsed.isWellFormed(), qPrintable(spans(parsed.problems())));
    QCOMPARE(render(parsed), parts);
    // Spans tile the text, so that editors can mark every part.
    int position = 0;
    for (const VariableTextPart &part : parsed.parts()) {
        QCOMPARE(part.start, position);
        position = part.end;
    }
    QCOMPARE(position, text.size());
}

void tst_VariableText::reportsSyntaxProblemsWithPositions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problems");
    QTest::addColumn<QString>("parts");

    // clang-format off
    QTest::newRow("unclosed variable runs to the end") << "a [Job.Name" << "2-11" << R"("a ")";
    QTest::newRow("unclosed variable before another") << "[Job.Name [Job.Size]" << "0-10" << "{Job.Size}";
    QTest::newRow("stray closing bracket") << "a ] b" << "2-3" << R"("a " " b")";
    QTest::newRow("closing bracket after a variable") << "[Job.Name]]" << "10-11" << "{Job.Name}";
    QTest::newRow("name without group") << "[JobName]" << "0-9" << "";
    QTest::newRow("empty variable name") << "x[Job.]" << "1-7" << R"("x")";
    QTest::newRow("empty brackets") << "[]" << "0-2" << "";
    QTest::newRow("name with a space") << "[Job.Name x]" << "0-12" << "";
    QTest::newRow("argument without value") << "[Job.Name:Format=]" << "0-18" << "";
    QTest::newRow("argument without equals") << "[Job.Name:Format]" << "0-17" << "";
    QTest::newRow("colon without arguments") << "[Job.Name:]" << "0-11" << "";
    QTest::newRow("unclosed quote") << R"(a [Job.Name:Format="x])" << "19-22" << R"("a ")";
    QTest::newRow("unclosed single quote") << R"([Job.Name:Format='x"] tail)" << "17-26" << "";
    QTest::newRow("two mistakes, two problems") << "] [Job" << "0-1 2-6" << R"(" ")";
    QTest::newRow("text after a bad variable is kept") << "[Job] tail" << "0-5" << R"(" tail")";
    // clang-format on
}

void tst_VariableText::reportsSyntaxProblemsWithPositions()
{
    QFETCH(QString, text);
    QFETCH(QString, problems);
    QFETCH(QString, parts);

    const VariableText parsed = VariableText::parse(text);
    QVERIFY(!parsed.isWellFormed());
    QCOMPARE(spans(parsed.problems()), problems);
    QCOMPARE(render(parsed), parts);
    for (const VariableProblem &problem : parsed.problems()) {
        QCOMPARE(problem.kind, VariableProblem::Kind::Syntax);
        QVERIFY(!problem.message.isEmpty());
    }
}

void tst_VariableText::findsTheVariableUnderTheCursor_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("variable");

    // "ab[Job.Name]cd[Job.Size]": Job.Name spans 2-12, Job.Size 14-24.
    QTest::newRow("before the text") << 0 << "";
    QTest::newRow("right before the bracket") << 2 << "";
    QTest::newRow("just inside") << 3 << "Job.Name";
    QTest::newRow("before the closing bracket") << 11 << "Job.Name";
    QTest::newRow("right after the bracket") << 12 << "";
    QTest::newRow("in the second variable") << 20 << "Job.Size";
    QTest::newRow("at the end") << 24 << "";
}

void tst_VariableText::findsTheVariableUnderTheCursor()
{
    QFETCH(int, position);
    QFETCH(QString, variable);

    const VariableText parsed = VariableText::parse(QStringLiteral("ab[Job.Name]cd[Job.Size]"));
    const VariableTextPart *found = parsed.variableAt(position);
    QCOMPARE(found ? found->fullName() : QString(), variable);
}

void tst_VariableText::escapedLiteralsReadBack_data()
{
    QTest::addColumn<QString>("literal");

    QTest::newRow("brackets") << "a[b]c";
    QTest::newRow("something that looks like a variable") << "[Job.Name]";
    QTest::newRow("runs of brackets") << "]][[[";
    QTest::newRow("quotes and colons") << R"(x:"y",z)";
}

void tst_VariableText::escapedLiteralsReadBack()
{
    QFETCH(QString, literal);

    const VariableText parsed = VariableText::parse(VariableText::escape(literal));
    QVERIFY(parsed.isWellFormed());
    QCOMPARE(parsed.parts().size(), 1);
    QCOMPARE(parsed.parts().constFirst().text, literal);
    QVERIFY(parsed.variableNames().isEmpty());
}

void tst_VariableText::listsEachVariableOnce()
{
    const VariableText parsed =
        VariableText::parse(QStringLiteral("[Job.Name] [Server.Date] [Job.Name:Start=2] [A.B]"));
    QCOMPARE(parsed.variableNames(), QStringList({"Job.Name", "Server.Date", "A.B"}));
    QVERIFY(!parsed.isSingleVariable());
    QVERIFY(VariableText::parse(QStringLiteral("[Job.Name:Start=2]")).isSingleVariable());
    QVERIFY(!VariableText::parse(QStringLiteral(" [Job.Name]")).isSingleVariable());
}

TAVRIX_TEST_GUILESS_MAIN(tst_VariableText)
#include "tst_variabletext.moc"
