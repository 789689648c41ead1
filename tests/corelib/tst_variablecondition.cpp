#include "common/testmain.h"

#include "variabletestjob.h"

#include "corelib/variables/conditionevaluator.h"
#include "corelib/variables/ivariableevaluator.h"
#include "corelib/variables/variablecondition.h"
#include "corelib/variables/variablemanager.h"

#include <QStandardPaths>
#include <QTest>

using namespace SRCore;
using Operator = VariableCondition::Operator;
using Join = VariableCondition::Join;
using Precedence = VariableCondition::Precedence;

Q_DECLARE_METATYPE(VariableCondition::Operator)
Q_DECLARE_METATYPE(VariableCondition::Precedence)

namespace {

VariableCondition single(const QString &variable, Operator op, const QString &value)
{
    VariableCondition condition;
    condition.addComparison({variable, op, value});
    return condition;
}

// Problems as "Kind/Field/comparison", joined by spaces.
QString describe(const VariableProblems &problems)
{
    static const QStringList kinds{"Syntax",      "UnknownVariable",  "BadArgument",
                                   "Unavailable", "EvaluationFailed", "BadComparison"};
    static const QStringList fields{"Text", "Variable", "Operator", "Value", "Condition"};
    QStringList texts;
    for (const VariableProblem &problem : problems) {
        texts.append(QStringLiteral("%1/%2/%3")
                         .arg(kinds.at(int(problem.kind)), fields.at(int(problem.field)))
                         .arg(problem.comparison));
    }
    return texts.join(QLatin1Char(' '));
}

// The current row's comparison (its variable, op and value), joined by `join` to one that
// holds, so that problems must be reported for the second comparison.
VariableCondition rowAfterAHoldingComparison(Join join)
{
    QFETCH(QString, variable);
    QFETCH(Operator, op);
    QFETCH(QString, value);
    VariableCondition condition;
    condition.addComparison({QStringLiteral("[Job.IsFile]"), Operator::True, QString()});
    condition.addComparison({variable, op, value}, join);
    return condition;
}

// "T or F and F": T and F are comparisons that hold and that don't.
VariableCondition fromPattern(const QString &pattern, Precedence precedence)
{
    VariableCondition condition(precedence);
    Join join = Join::And;
    for (const QString &token : pattern.split(QLatin1Char(' '))) {
        if (token == QLatin1String("and") || token == QLatin1String("or")) {
            join = token == QLatin1String("and") ? Join::And : Join::Or;
        } else {
            condition.addComparison({QStringLiteral("[Job.IsFile]"),
                                     token == QLatin1String("T") ? Operator::True : Operator::False,
                                     QString()},
                                    join);
        }
    }
    return condition;
}

} // namespace

class tst_VariableCondition : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void storedFormIsStable();
    void conditionsReadBackExactly();
    void malformedStoredConditionsAreRefused_data();
    void malformedStoredConditionsAreRefused();
    void operatorsFitTheDataType();
    void validationFindsWhatCannotBeCompared_data();
    void validationFindsWhatCannotBeCompared();
    void comparisonsPerTypeAndOperator_data();
    void comparisonsPerTypeAndOperator();
    void precedenceGroupsTheJoins_data();
    void precedenceGroupsTheJoins();
    void undecidableComparisonsMakeTheConditionInvalid_data();
    void undecidableComparisonsMakeTheConditionInvalid();

private:
    std::unique_ptr<VariableTest::Job> m_job;
};

void tst_VariableCondition::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    qputenv("TZ", "UTC");
    m_job = std::make_unique<VariableTest::Job>();
    QVERIFY(m_job->isReady());
}

void tst_VariableCondition::storedFormIsStable()
{
    VariableCondition condition(Precedence::OrThenAnd);
    condition.addComparison(
        {QStringLiteral("[Job.Name]"), Operator::StartsWith, QStringLiteral("a<b")});
    condition.addComparison(
        {QStringLiteral("[Job.Size]"), Operator::GreaterThan, QStringLiteral("10")}, Join::Or);
    // Stored in fixtures and declarations: a change here breaks files people keep.
    QCOMPARE(condition.toXml(),
             QStringLiteral("<TavrixCondition FormatVersion=\"1\" Precedence=\"OrThenAnd\">\n"
                            "    <Comparison>\n"
                            "        <Variable>[Job.Name]</Variable>\n"
                            "        <Operator>5</Operator>\n"
                            "        <Value>a&lt;b</Value>\n"
                            "    </Comparison>\n"
                            "    <Join>Or</Join>\n"
                            "    <Comparison>\n"
                            "        <Variable>[Job.Size]</Variable>\n"
                            "        <Operator>13</Operator>\n"
                            "        <Value>10</Value>\n"
                            "    </Comparison>\n"
                            "</TavrixCondition>"));
}

void tst_VariableCondition::conditionsReadBackExactly()
{
    VariableCondition condition(Precedence::OrThenAnd);
    condition.addComparison({QStringLiteral("[Job.PrivateData:Key=\"a \"\"b\"\"\"]"),
                             Operator::DoesNotMatch, QStringLiteral("^x]]\r\n\t y$")});
    condition.addComparison({QStringLiteral("[Job.IsFile]"), Operator::True, QString()}, Join::Or);
    condition.addComparison({QStringLiteral("[Job.ModificationDate]"), Operator::LaterThanOrSame,
                             QStringLiteral("  \x01 2024-05-06  ")},
                            Join::And);

    VariableCondition read;
    QString error;
    QVERIFY2(VariableManager::instance()->getConditionFromXML(
                 VariableManager::getXMLfromCondition(condition), &read, &error),
             qPrintable(error));
    QCOMPARE(read.comparisons(), condition.comparisons());
    QCOMPARE(read.joins(), condition.joins());
    QCOMPARE(read.precedence(), Precedence::OrThenAnd);
}

void tst_VariableCondition::malformedStoredConditionsAreRefused_data()
{
    QTest::addColumn<QString>("xml");

    const QString comparison = QStringLiteral(
        "<Comparison><Variable>[Job.Name]</Variable><Operator>1</Operator><Value>x</Value>"
        "</Comparison>");
    const auto condition = [](const QString &body, const QString &attributes = QStringLiteral(
                                                       " Precedence=\"AndThenOr\"")) {
        return QStringLiteral("<TavrixCondition FormatVersion=\"1\"%1>%2</TavrixCondition>")
            .arg(attributes, body);
    };
    // clang-format off
    QTest::newRow("empty text") << "";
    QTest::newRow("plain text") << "[Job.Name]";
    QTest::newRow("another kind of value") << "<TavrixValueList FormatVersion=\"1\" Type=\"patterns\"/>";
    QTest::newRow("no comparison") << condition("");
    QTest::newRow("no precedence") << condition(comparison, "");
    QTest::newRow("unknown precedence") << condition(comparison, " Precedence=\"Sideways\"");
    QTest::newRow("later format") << condition(comparison).replace("FormatVersion=\"1\"", "FormatVersion=\"2\"");
    QTest::newRow("operator 0") << condition(QString(comparison).replace("<Operator>1<", "<Operator>0<"));
    QTest::newRow("operator 19") << condition(QString(comparison).replace("<Operator>1<", "<Operator>19<"));
    QTest::newRow("operator as a word") << condition(QString(comparison).replace("<Operator>1<", "<Operator>Equal to<"));
    QTest::newRow("unknown join") << condition(comparison + "<Join>Xor</Join>" + comparison);
    QTest::newRow("join at the end") << condition(comparison + "<Join>And</Join>");
    QTest::newRow("join at the start") << condition("<Join>And</Join>" + comparison);
    QTest::newRow("two comparisons without join") << condition(comparison + comparison);
    QTest::newRow("missing value") << condition("<Comparison><Variable>[Job.Name]</Variable><Operator>1</Operator></Comparison>");
    QTest::newRow("fields out of order") << condition("<Comparison><Operator>1</Operator><Variable>[Job.Name]</Variable><Value/></Comparison>");
    QTest::newRow("cut off") << condition(comparison).left(80);
    QTest::newRow("text after the root") << condition(comparison) + "x";
    // clang-format on
}

void tst_VariableCondition::malformedStoredConditionsAreRefused()
{
    QFETCH(QString, xml);

    VariableCondition condition;
    condition.addComparison({QStringLiteral("[Job.Size]"), Operator::EqualTo, QStringLiteral("1")});
    const VariableCondition before = condition;
    QString error;
    QVERIFY(!VariableManager::instance()->getConditionFromXML(xml, &condition, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(condition.comparisons(), before.comparisons());

    const ConditionEvaluation evaluation =
        IVariableEvaluator::instance()->evaluateCondition(xml, m_job->context());
    QVERIFY(!evaluation.valid);
    QCOMPARE(describe(evaluation.problems), QStringLiteral("Syntax/Condition/-1"));
}

void tst_VariableCondition::operatorsFitTheDataType()
{
    using T = Variable::DataType;
    QCOMPARE(VariableCondition::operatorsFor(T::Boolean),
             QList<Operator>({Operator::True, Operator::False}));
    for (const T type : {T::Text, T::Boolean, T::Integer, T::Rational, T::Date}) {
        for (const Operator op : VariableCondition::operatorsFor(type)) {
            // Labels and codes map both ways, so the dialog's boxes and the stored form agree.
            QCOMPARE(VariableCondition::operatorFromLabel(VariableCondition::operatorLabel(op)),
                     op);
            QCOMPARE(VariableCondition::operatorFromCode(int(op)), op);
        }
    }
    QVERIFY(!VariableCondition::operatorsFor(T::Date).contains(Operator::Contains));
    QCOMPARE(VariableCondition::operatorFromLabel(QStringLiteral("Roughly")), Operator::None);
    QCOMPARE(VariableCondition::operatorFromCode(19), Operator::None);
}

void tst_VariableCondition::validationFindsWhatCannotBeCompared_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<Operator>("op");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("problems");

    // clang-format off
    QTest::newRow("date compared with text") << "[Job.ModificationDate]" << Operator::EarlierThan << "tomorrow" << "BadComparison/Value/0";
    QTest::newRow("date with a text operator") << "[Job.ModificationDate]" << Operator::Contains << "2024" << "BadComparison/Operator/0";
    QTest::newRow("integer with a fraction") << "[Job.Size]" << Operator::LessThan << "12.5" << "BadComparison/Value/0";
    QTest::newRow("rational with a word") << "[Metadata.Rational:Dataset=Order,Path=//total]" << Operator::EqualTo << "abc" << "BadComparison/Value/0";
    QTest::newRow("broken regular expression") << "[Job.Name]" << Operator::Matches << "([a-z" << "BadComparison/Value/0";
    QTest::newRow("boolean with a text operator") << "[Job.IsFile]" << Operator::EqualTo << "true" << "BadComparison/Operator/0";
    QTest::newRow("no operator") << "[Job.Name]" << Operator::None << "x" << "BadComparison/Operator/0";
    QTest::newRow("unknown variable") << "[Job.Nmae]" << Operator::EqualTo << "x" << "UnknownVariable/Variable/0";
    QTest::newRow("two variables") << "[Job.Name][Job.Size]" << Operator::EqualTo << "x" << "BadComparison/Variable/0";
    QTest::newRow("name without brackets") << "Job.Name" << Operator::EqualTo << "x" << "BadComparison/Variable/0";
    QTest::newRow("malformed variable") << "[Job.Name" << Operator::EqualTo << "x" << "Syntax/Variable/0";
    QTest::newRow("number format in a condition") << "[Job.Size:Format=000]" << Operator::EqualTo << "1" << "BadArgument/Variable/0";
    QTest::newRow("malformed value") << "[Job.Name]" << Operator::EqualTo << "[Job.Size" << "Syntax/Value/0";
    QTest::newRow("unknown variable in the value") << "[Job.Name]" << Operator::EqualTo << "[Foo.Bar]" << "UnknownVariable/Value/0";
    QTest::newRow("boolean ignores its value") << "[Job.IsFile]" << Operator::True << "whatever" << "";
    QTest::newRow("substring of a text") << "[Job.Name:Start=2]" << Operator::EqualTo << "x" << "";
    QTest::newRow("date and time value") << "[Job.ModificationDate]" << Operator::LaterThan << "2024-05-06 14:30:15" << "";
    QTest::newRow("value with a variable is checked later") << "[Job.ModificationDate]" << Operator::EqualTo << "[Job.Name]" << "";
    // clang-format on
}

void tst_VariableCondition::validationFindsWhatCannotBeCompared()
{
    QFETCH(QString, problems);

    const VariableCondition condition = rowAfterAHoldingComparison(Join::And);
    const VariableProblems found = VariableManager::instance()->validateCondition(condition);
    QCOMPARE(describe(found), problems.replace(QLatin1String("/0"), QLatin1String("/1")));
    for (const VariableProblem &problem : found) {
        QVERIFY(VariableManager::formatVariableError(problem).startsWith(
            QLatin1String("Comparison 2")));
    }
    QCOMPARE(describe(VariableManager::instance()->validateCondition(VariableCondition())),
             QStringLiteral("BadComparison/Condition/-1"));
}

void tst_VariableCondition::comparisonsPerTypeAndOperator_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<Operator>("op");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("result");

    const QString total = QStringLiteral("[Metadata.Rational:Dataset=Order,Path=\"//inv:total\"]");
    const QString size = QString::number(VariableTest::kPdf.size());
    // clang-format off
    QTest::newRow("text equal ignores case") << "[Job.Name]" << Operator::EqualTo << "invoice 42.PDF" << true;
    QTest::newRow("text not equal") << "[Job.Name]" << Operator::NotEqualTo << "Invoice 42.pdf" << false;
    QTest::newRow("text contains") << "[Job.Name]" << Operator::Contains << " 42" << true;
    QTest::newRow("text does not contain") << "[Job.Name]" << Operator::DoesNotContain << "43" << true;
    QTest::newRow("text starts with") << "[Job.Name]" << Operator::StartsWith << "inv" << true;
    QTest::newRow("text does not start with") << "[Job.Name]" << Operator::DoesNotStartWith << "Inv" << false;
    QTest::newRow("matches the whole text") << "[Job.Name]" << Operator::Matches << "Invoice \\d+\\.pdf" << true;
    QTest::newRow("a part does not match") << "[Job.Name]" << Operator::Matches << "Invoice" << false;
    QTest::newRow("does not match") << "[Job.Name]" << Operator::DoesNotMatch << "x.*" << true;
    QTest::newRow("character classes need no escaping") << "[Job.Name]" << Operator::Matches << "[A-Z][a-z]+ [0-9]{2}\\.pdf" << true;
    QTest::newRow("list item compared") << "[Job.Hierarchy:Index=2]" << Operator::EqualTo << "acme" << true;
    QTest::newRow("private data as text") << "[Job.PrivateData:Key=Copies]" << Operator::EqualTo << "250" << true;
    QTest::newRow("value with a variable") << "[Job.Name]" << Operator::StartsWith << "[Job.NameProper]." << true;
    QTest::newRow("boolean true") << "[Job.IsFile]" << Operator::True << "" << true;
    QTest::newRow("boolean false") << "[Job.IsFile]" << Operator::False << "" << false;
    QTest::newRow("integer equal") << "[Job.Size]" << Operator::EqualTo << size << true;
    QTest::newRow("integer not equal") << "[Job.Size]" << Operator::NotEqualTo << size << false;
    QTest::newRow("integer greater") << "[Job.Size]" << Operator::GreaterThan << "10" << true;
    QTest::newRow("integer less") << "[Job.Size]" << Operator::LessThan << "10" << false;
    QTest::newRow("integer greater or equal") << "[Job.ArrivalStamp]" << Operator::GreaterThanOrEqual << "17" << true;
    QTest::newRow("integer less or equal") << "[Job.ArrivalStamp]" << Operator::LessThanOrEqual << "16" << false;
    QTest::newRow("rational greater") << total << Operator::GreaterThan << "22.5" << true;
    QTest::newRow("rational less or equal") << total << Operator::LessThanOrEqual << "22.75" << true;
    QTest::newRow("rational equal to an integer value") << total << Operator::EqualTo << "22" << false;
    QTest::newRow("same day") << "[Job.ModificationDate]" << Operator::EqualTo << "2024-05-06" << true;
    QTest::newRow("not the same day") << "[Job.ModificationDate]" << Operator::NotEqualTo << "2024-05-07" << true;
    QTest::newRow("earlier by a second") << "[Job.ModificationDate]" << Operator::EarlierThan << "2024-05-06T14:30:01" << true;
    QTest::newRow("earlier or same") << "[Job.ModificationDate]" << Operator::EarlierThanOrSame << "2024-05-06T14:30" << true;
    QTest::newRow("not later than its own day") << "[Job.ModificationDate]" << Operator::LaterThan << "2024-05-06" << false;
    QTest::newRow("later or same day") << "[Job.ModificationDate]" << Operator::LaterThanOrSame << "2024-05-06" << true;
    QTest::newRow("later than the day before") << "[Job.ModificationDate]" << Operator::LaterThan << "2024-05-05 23:59" << true;
    QTest::newRow("time with zone") << "[Job.ModificationDate]" << Operator::EqualTo << "2024-05-06T16:30:00+02:00" << true;
    QTest::newRow("date against the clock") << "[Job.ModificationDate]" << Operator::EarlierThan << "[Server.Date]" << true;
    // clang-format on
}

void tst_VariableCondition::comparisonsPerTypeAndOperator()
{
    QFETCH(QString, variable);
    QFETCH(Operator, op);
    QFETCH(QString, value);
    QFETCH(bool, result);

    const ConditionEvaluation evaluation =
        ConditionEvaluator(*VariableManager::instance())
            .evaluate(single(variable, op, value), m_job->context());
    QVERIFY2(evaluation.valid, qPrintable(describe(evaluation.problems) + QLatin1Char(' ')
                                          + evaluation.problems.value(0).message));
    QCOMPARE(evaluation.result, result);
}

void tst_VariableCondition::precedenceGroupsTheJoins_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<Precedence>("precedence");
    QTest::addColumn<bool>("result");

    // clang-format off
    QTest::newRow("one comparison") << "T" << Precedence::AndThenOr << true;
    QTest::newRow("A or (B and C)") << "T or F and F" << Precedence::AndThenOr << true;
    QTest::newRow("(A or B) and C") << "T or F and F" << Precedence::OrThenAnd << false;
    QTest::newRow("(A and B) or C") << "F and T or T" << Precedence::AndThenOr << true;
    QTest::newRow("A and (B or C)") << "F and T or T" << Precedence::OrThenAnd << false;
    QTest::newRow("(A and B) or (C and D)") << "T and F or T and T" << Precedence::AndThenOr << true;
    QTest::newRow("A and (B or C) and D") << "T and F or T and T" << Precedence::OrThenAnd << true;
    QTest::newRow("A and (B or C) and D fails") << "T and F or F and T" << Precedence::OrThenAnd << false;
    QTest::newRow("all or") << "F or F or T" << Precedence::OrThenAnd << true;
    QTest::newRow("all and") << "T and T and F" << Precedence::AndThenOr << false;
    // clang-format on
}

void tst_VariableCondition::precedenceGroupsTheJoins()
{
    QFETCH(QString, pattern);
    QFETCH(Precedence, precedence);
    QFETCH(bool, result);

    // The precedence travels through the stored form as the dialog leaves it.
    VariableCondition condition;
    QVERIFY(VariableCondition::fromXml(fromPattern(pattern, precedence).toXml(), &condition));
    const ConditionEvaluation evaluation =
        ConditionEvaluator(*VariableManager::instance()).evaluate(condition, m_job->context());
    QVERIFY(evaluation.valid);
    QCOMPARE(evaluation.result, result);
}

void tst_VariableCondition::undecidableComparisonsMakeTheConditionInvalid_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<Operator>("op");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("problems");

    // clang-format off
    QTest::newRow("private data the job lacks") << "[Job.PrivateData:Key=Nope]" << Operator::EqualTo << "" << "EvaluationFailed/Variable/1";
    QTest::newRow("server-only variable") << "[Stats.NumberOfPages]" << Operator::GreaterThan << "1" << "Unavailable/Variable/1";
    QTest::newRow("value variable gives no date") << "[Job.ModificationDate]" << Operator::EqualTo << "[Job.Name]" << "BadComparison/Value/1";
    QTest::newRow("value variable fails") << "[Job.Name]" << Operator::EqualTo << "[Mail.Subject]" << "Unavailable/Value/1";
    QTest::newRow("invalid condition is not evaluated") << "[Job.ModificationDate]" << Operator::Contains << "x" << "BadComparison/Operator/1";
    // clang-format on
}

void tst_VariableCondition::undecidableComparisonsMakeTheConditionInvalid()
{
    QFETCH(QString, problems);

    // Even where the first comparison alone would decide, the condition is reported.
    const VariableCondition condition = rowAfterAHoldingComparison(Join::Or);
    const ConditionEvaluation evaluation =
        ConditionEvaluator(*VariableManager::instance()).evaluate(condition, m_job->context());
    QVERIFY(!evaluation.valid);
    QVERIFY(!evaluation.result);
    QCOMPARE(describe(evaluation.problems), problems);
}

TAVRIX_TEST_GUILESS_MAIN(tst_VariableCondition)
#include "tst_variablecondition.moc"
