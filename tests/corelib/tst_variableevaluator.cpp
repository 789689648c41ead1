#include "common/testmain.h"

#include "common/recordinglog.h"
#include "variabletestjob.h"

#include "corelib/variables/jobvariables.h"
#include "corelib/variables/variablecondition.h"
#include "corelib/variables/variableevaluator.h"
#include "corelib/variables/variablemanager.h"
#include "corelib/variables/variabletext.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTest>

#include <thread>
#include <vector>

using namespace SRCore;
using Kind = VariableProblem::Kind;

namespace {

// Problems as "Kind@start-end", joined by spaces.
QString describe(const VariableProblems &problems)
{
    static const QStringList names{"Syntax",      "UnknownVariable",  "BadArgument",
                                   "Unavailable", "EvaluationFailed", "BadComparison"};
    QStringList texts;
    for (const VariableProblem &problem : problems) {
        texts.append(QStringLiteral("%1@%2-%3")
                         .arg(names.at(int(problem.kind)))
                         .arg(problem.start)
                         .arg(problem.end));
    }
    return texts.join(QLatin1Char(' '));
}

const QString kOrderArgs = QStringLiteral("Dataset=\"Order\",Path=");

} // namespace

class tst_VariableEvaluator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void textsTakeTheJobsValues_data();
    void textsTakeTheJobsValues();
    void folderJobsCountTheirFiles_data();
    void folderJobsCountTheirFiles();
    void problemsAreReportedNotSilentlyEmpty_data();
    void problemsAreReportedNotSilentlyEmpty();
    void jobWithoutFileOrTicketSaysSo();
    void everyCatalogueVariableEvaluatesOrIsUnavailable();
    void creationDateIsTheFileSystemsOrUnavailable();
    void validationKeepsUnknownVariablesApart_data();
    void validationKeepsUnknownVariablesApart();
    void firstEvaluatorIsTheProcessWideOne();
    void flatOperationsLogTheirProblems();
    void evaluatesOnSeveralThreadsAtOnce();

private:
    QString expand(QString text) const;

    std::unique_ptr<VariableTest::Job> m_job;
};

void tst_VariableEvaluator::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    // Dates in the rows are written in UTC.
    qputenv("TZ", "UTC");
    m_job = std::make_unique<VariableTest::Job>();
    QVERIFY(m_job->isReady());
}

QString tst_VariableEvaluator::expand(QString text) const
{
    return text.replace(QLatin1String("{file}"), m_job->filePath)
        .replace(QLatin1String("{host}"), QSysInfo::machineHostName());
}

void tst_VariableEvaluator::textsTakeTheJobsValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");

    const QString order = kOrderArgs;
    // clang-format off
    QTest::newRow("plain text stays") << "no variables here" << "no variables here";
    QTest::newRow("name without prefix") << "[Job.Name]" << "Invoice 42.pdf";
    QTest::newRow("name proper") << "[Job.NameProper]" << "Invoice 42";
    QTest::newRow("extension") << "[Job.Extension]" << "pdf";
    QTest::newRow("path") << "[Job.Path]" << "{file}";
    QTest::newRow("size in bytes") << "[Job.Size]" << QString::number(VariableTest::kPdf.size());
    QTest::newRow("file count of a file") << "[Job.FileCount]" << "1";
    QTest::newRow("a file is a file") << "[Job.IsFile]/[Job.IsFolder]" << "true/false";
    QTest::newRow("modification date, default format") << "[Job.ModificationDate]" << "2024-05-06T14:30:00";
    QTest::newRow("modification date, own format") << R"([Job.ModificationDate:Format="dd.MM.yyyy hh:mm"])" << "06.05.2024 14:30";
    QTest::newRow("hierarchy whole") << "[Job.Hierarchy]" << "Customers/Acme/2024";
    QTest::newRow("hierarchy by index") << "[Job.Hierarchy:Index=2]" << "Acme";
    QTest::newRow("hierarchy from the end") << "[Job.Hierarchy:Index=-1]" << "2024";
    QTest::newRow("hierarchy index past the end") << "<[Job.Hierarchy:Index=7]>" << "<>";
    QTest::newRow("hierarchy own separator") << R"([Job.Hierarchy:Separator=" > "])" << "Customers > Acme > 2024";
    QTest::newRow("e-mail addresses") << "[Job.EmailAddress]" << "a@example.com;b@example.com";
    QTest::newRow("second e-mail address") << "[Job.EmailAddress:Index=2]" << "b@example.com";
    QTest::newRow("e-mail body") << "[Job.EmailBody]" << "Hello";
    QTest::newRow("private data") << R"([Job.PrivateData:Key="Customer"])" << "Acme";
    QTest::newRow("family and prefix") << "[Job.FamilyId] [Job.Prefix]" << "_00001_ _00001_";
    QTest::newRow("job state") << "[Job.State]" << "Proof sent";
    QTest::newRow("arrival stamp padded") << R"([Job.ArrivalStamp:Format="00000"])" << "00017";
    QTest::newRow("server date and time") << R"([Server.Date:Format="yyyy-MM-dd"] [Server.Time])" << "2024-07-01 08:05:09";
    QTest::newRow("flow and element") << "[Server.FlowName]/[Server.ElementName]" << "Proofing/Router";
    QTest::newRow("server name") << "[Server.ServerName]" << "{host}";
    QTest::newRow("incoming connection") << "[Connection.Name]" << "From customers";
    QTest::newRow("file format from content") << "[Stats.FileFormat]" << "PDF";
    QTest::newRow("substring") << "[Job.Name:Start=1,Length=7]" << "Invoice";
    QTest::newRow("substring to the end") << "[Job.Name:Start=9]" << "42.pdf";
    QTest::newRow("substring past the end") << "<[Job.Name:Start=99]>" << "<>";
    QTest::newRow("escaped brackets around a variable") << "[[[Job.Prefix]]] of [Job.Name]" << "[_00001_] of Invoice 42.pdf";
    QTest::newRow("metadata text") << "[Metadata.Text:" + order + "\"/order/@id\"]" << "A-17";
    QTest::newRow("metadata with caller's prefix") << "[Metadata.Text:" + order + "\"//i:total\",Prefixes='xmlns:i=\"urn:example:invoice\"']" << "22.75";
    QTest::newRow("metadata list") << "[Metadata.TextList:" + order + "\"//item\"]" << "Paper, Ink";
    QTest::newRow("metadata list item") << "[Metadata.TextList:" + order + "\"//item\",Index=-1]" << "Ink";
    QTest::newRow("metadata integer") << "[Metadata.Integer:" + order + "\"sum(//item/@qty)\"]" << "5";
    QTest::newRow("metadata rational formatted") << "[Metadata.Rational:" + order + "\"//inv:total\",Format=\"0.0\"]" << "22.8";
    QTest::newRow("metadata boolean") << "[Metadata.Boolean:" + order + "\"//rush = 'true'\"]" << "true";
    QTest::newRow("metadata date in local time") << "[Metadata.Date:" + order + "\"//due\",Format=\"yyyy-MM-dd hh:mm\"]" << "2024-06-01 09:15";
    // clang-format on
}

void tst_VariableEvaluator::textsTakeTheJobsValues()
{
    QFETCH(QString, text);
    QFETCH(QString, value);

    const VariableEvaluator evaluator(*VariableManager::instance(), nullptr);
    const VariableEvaluation evaluation = evaluator.evaluateText(text, m_job->context());
    QVERIFY2(!evaluation.hasProblems(), qPrintable(describe(evaluation.problems) + ": "
                                                   + evaluation.problems.value(0).message));
    QCOMPARE(evaluation.value, expand(value));
}

void tst_VariableEvaluator::folderJobsCountTheirFiles_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");

    // clang-format off
    QTest::newRow("total size of all files") << "[Job.Size]" << "9";
    QTest::newRow("files at any depth") << "[Job.FileCount]" << "3";
    QTest::newRow("a folder is a folder") << "[Job.IsFile]/[Job.IsFolder]" << "false/true";
    QTest::newRow("a folder has no extension") << "[Job.NameProper]|[Job.Extension]|" << "Proofs.v2||";
    // clang-format on
}

void tst_VariableEvaluator::folderJobsCountTheirFiles()
{
    QFETCH(QString, text);
    QFETCH(QString, value);

    const std::unique_ptr<IJT> ticket = IJT::createEmptyIJT();
    ticket->setActiveFileName(m_job->folderPath);
    VariableContext context = m_job->context();
    context.ticket = ticket.get();
    const VariableEvaluation evaluation =
        IVariableEvaluator::instance()->evaluateText(text, context);
    QVERIFY2(!evaluation.hasProblems(), qPrintable(describe(evaluation.problems)));
    QCOMPARE(evaluation.value, value);
}

void tst_VariableEvaluator::problemsAreReportedNotSilentlyEmpty_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problems");
    QTest::addColumn<QString>("value");

    const QString order = kOrderArgs;
    // clang-format off
    QTest::newRow("server-only statistics") << "a [Stats.NumberOfPages] b" << "Unavailable@2-23" << "a  b";
    QTest::newRow("mail of a test job") << "[Mail.From]" << "Unavailable@0-11" << "";
    QTest::newRow("job priority") << "[Job.Priority]" << "Unavailable@0-14" << "";
    QTest::newRow("unknown variable") << "x[Job.Nmae]y" << "UnknownVariable@1-11" << "xy";
    QTest::newRow("missing private data key") << R"([Job.PrivateData:Key="Nope"])" << "EvaluationFailed@0-28" << "";
    QTest::newRow("private data without key") << "[Job.PrivateData]" << "BadArgument@0-17" << "";
    QTest::newRow("argument the variable does not take") << "[Job.Name:Index=2]" << "BadArgument@10-17" << "";
    QTest::newRow("malformed text is not evaluated") << "[Job.Name] [Job.Size" << "Syntax@11-20" << "";
    QTest::newRow("missing dataset") << "[Metadata.Text:Dataset=\"Nope\",Path=\"/a\"]" << "EvaluationFailed@0-40" << "";
    QTest::newRow("xpath that is no number") << "[Metadata.Integer:" + order + "\"//customer\"]" << "EvaluationFailed@0-52" << "";
    QTest::newRow("xpath that is no whole number") << "[Metadata.Integer:" + order + "\"//inv:total\"]" << "EvaluationFailed@0-53" << "";
    QTest::newRow("xpath that is no date") << "[Metadata.Date:" + order + "\"//customer\"]" << "EvaluationFailed@0-49" << "";
    QTest::newRow("bad xpath") << "[Metadata.Text:" + order + "\"//[\"]" << "BadArgument@31-41" << "";
    QTest::newRow("problems in text order") << "[Mail.To][Foo.Bar]" << "Unavailable@0-9 UnknownVariable@9-18" << "";
    // clang-format on
}

void tst_VariableEvaluator::problemsAreReportedNotSilentlyEmpty()
{
    QFETCH(QString, text);
    QFETCH(QString, problems);
    QFETCH(QString, value);

    const VariableEvaluation evaluation =
        IVariableEvaluator::instance()->evaluateText(text, m_job->context());
    QCOMPARE(describe(evaluation.problems), problems);
    QCOMPARE(evaluation.value, value);
    for (const VariableProblem &problem : evaluation.problems) {
        QVERIFY(!problem.message.isEmpty());
    }
}

void tst_VariableEvaluator::jobWithoutFileOrTicketSaysSo()
{
    const std::unique_ptr<IJT> ticket = IJT::createEmptyIJT();
    ticket->setActiveFileName(m_job->dir() + QStringLiteral("/inFolder2/_00009_gone.pdf"));
    VariableContext context = m_job->context();
    context.ticket = ticket.get();
    const IVariableEvaluator *evaluator = IVariableEvaluator::instance();

    // The ticket still names the job; its file can't be measured.
    VariableEvaluation evaluation =
        evaluator->evaluateText(QStringLiteral("[Job.Name] [Job.Size]"), context);
    QCOMPARE(evaluation.value, QStringLiteral("gone.pdf "));
    QCOMPARE(describe(evaluation.problems), QStringLiteral("EvaluationFailed@11-21"));
    QVERIFY2(evaluation.problems.constFirst().message.contains(QLatin1String("does not exist")),
             qPrintable(evaluation.problems.constFirst().message));

    // Without a job only the server's variables have values.
    context.ticket = nullptr;
    context.flow = nullptr;
    evaluation = evaluator->evaluateText(QStringLiteral("[Job.Name][Server.Time][Server.FlowName]"),
                                         context);
    QCOMPARE(evaluation.value, QStringLiteral("08:05:09"));
    QCOMPARE(describe(evaluation.problems),
             QStringLiteral("EvaluationFailed@0-10 EvaluationFailed@23-40"));
}

void tst_VariableEvaluator::everyCatalogueVariableEvaluatesOrIsUnavailable()
{
    // The variables that need the server (docs/variables.md lists them).
    const QStringList serverOnly{
        "Job.Priority",     "Stats.NumberOfPages", "Stats.PageWidth", "Stats.PageHeight",
        "Stats.Resolution", "Stats.ColorSpace",    "Mail.From",       "Mail.To",
        "Mail.Subject",     "Mail.Received"};
    QStringList unavailable;
    for (const VariableGroup &group : VariableManager::instance()->getGroups()) {
        for (const Variable &variable : group.variables()) {
            const QString name = variable.fullName();
            if (name == QLatin1String("Job.CreationDate")) {
                continue; // depends on the file system: creationDateIsTheFileSystemsOrUnavailable
            }
            QString arguments;
            const JobVariables::ArgumentFlags flags = JobVariables::argumentsOf(name);
            if (flags & JobVariables::KeyArgument) {
                arguments = QStringLiteral(":Key=Customer");
            } else if (flags & JobVariables::MetadataArguments) {
                arguments = variable.dataType() == Variable::DataType::Date
                                ? QStringLiteral(":Dataset=Order,Path=//due")
                                : QStringLiteral(":Dataset=Order,Path=\"count(//item)\"");
            }
            const VariableEvaluation evaluation = IVariableEvaluator::instance()->evaluateText(
                QLatin1Char('[') + name + arguments + QLatin1Char(']'), m_job->context());
            if (evaluation.hasProblems()) {
                const VariableProblem &problem = evaluation.problems.constFirst();
                QVERIFY2(evaluation.problems.size() == 1 && problem.kind == Kind::Unavailable,
                         qPrintable(name + QStringLiteral(": ") + problem.message));
                QCOMPARE(problem.message, JobVariables::unavailableReason(name));
                unavailable.append(name);
            } else {
                QVERIFY2(!evaluation.value.isEmpty() || name == QLatin1String("Job.Extension"),
                         qPrintable(name));
                QVERIFY(JobVariables::unavailableReason(name).isEmpty());
            }
        }
    }
    QCOMPARE(unavailable, serverOnly);
}

void tst_VariableEvaluator::creationDateIsTheFileSystemsOrUnavailable()
{
    const QDateTime born = QFileInfo(m_job->filePath).birthTime();
    const VariableEvaluation evaluation = IVariableEvaluator::instance()->evaluateText(
        QStringLiteral("[Job.CreationDate]"), m_job->context());
    if (born.isValid()) {
        QVERIFY(!evaluation.hasProblems());
        QCOMPARE(evaluation.value, born.toLocalTime().toString(Qt::ISODate));
    } else {
        QCOMPARE(describe(evaluation.problems), QStringLiteral("Unavailable@0-18"));
        QVERIFY(evaluation.value.isEmpty());
    }
}

void tst_VariableEvaluator::validationKeepsUnknownVariablesApart_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("problems");
    QTest::addColumn<QString>("variableAtPosition");
    QTest::addColumn<QStringList>("unknown");

    const QStringList none;
    // clang-format off
    QTest::newRow("valid text, cursor in a variable") << "a [Job.Name] b" << 5 << true << "" << "Job.Name@2-12" << none;
    QTest::newRow("valid text, cursor outside") << "a [Job.Name] b" << 1 << true << "" << "@0-0" << none;
    QTest::newRow("unknown variables are valid") << "[Job.Nmae] [Foo.Bar] [Job.Nmae]" << 3 << true << "" << "Job.Nmae@0-10" << QStringList{"Job.Nmae", "Foo.Bar"};
    QTest::newRow("unbalanced bracket") << "a [Job.Name" << 5 << false << "Syntax@2-11" << "" << none;
    QTest::newRow("bad argument value") << "[Job.Hierarchy:Index=0]" << 3 << false << "BadArgument@15-22" << "" << none;
    QTest::newRow("argument given twice") << "[Job.Name:Start=1,Start=2]" << 3 << false << "BadArgument@18-25" << "" << none;
    QTest::newRow("bad number format") << R"([Job.Size:Format="#,##0"])" << 3 << false << "BadArgument@10-24" << "" << none;
    QTest::newRow("start before the first character") << "[Job.Name:Start=0]" << 3 << false << "BadArgument@10-17" << "" << none;
    QTest::newRow("negative length") << "[Job.Name:Length=-1]" << 3 << false << "BadArgument@10-19" << "" << none;
    QTest::newRow("metadata without path") << R"([Metadata.Text:Dataset="Order"])" << 3 << false << "BadArgument@0-31" << "" << none;
    QTest::newRow("metadata with bad prefixes") << R"([Metadata.Text:Dataset=Order,Path=/a,Prefixes="p=q"])" << 3 << false << "BadArgument@37-51" << "" << none;
    QTest::newRow("arguments of unknown variables are not checked") << "[Foo.Bar:Anything=1]" << 3 << true << "" << "Foo.Bar@0-20" << QStringList{"Foo.Bar"};
    // clang-format on
}

void tst_VariableEvaluator::validationKeepsUnknownVariablesApart()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(bool, valid);
    QFETCH(QString, problems);
    QFETCH(QString, variableAtPosition);
    QFETCH(QStringList, unknown);

    const VariableManager *manager = VariableManager::instance();
    VariableTextPart found;
    found.text = QStringLiteral("untouched");
    VariableProblems errors;
    QCOMPARE(manager->validateTextProperty(text, position, &found, &errors), valid);
    QCOMPARE(describe(errors), problems);
    if (valid) {
        QCOMPARE(QStringLiteral("%1@%2-%3").arg(found.fullName()).arg(found.start).arg(found.end),
                 variableAtPosition);
        QCOMPARE(manager->checkForUnknownVariables(VariableText::parse(text).variableNames()),
                 unknown);
    } else {
        QCOMPARE(found.text, QStringLiteral("untouched"));
        for (const VariableProblem &error : errors) {
            // Columns count from 1 where the span starts.
            QVERIFY(VariableManager::formatVariableError(error).contains(
                QStringLiteral("Column %1").arg(error.start + 1)));
        }
    }
}

void tst_VariableEvaluator::firstEvaluatorIsTheProcessWideOne()
{
    IVariableEvaluator *fallback = IVariableEvaluator::instance();
    QVERIFY(fallback);
    {
        const VariableEvaluator first;
        const VariableEvaluator second;
        QCOMPARE(IVariableEvaluator::instance(), &first);
    }
    // Gone with its owner; callers are never left without one.
    QCOMPARE(IVariableEvaluator::instance(), fallback);
    const VariableEvaluator third;
    QCOMPARE(IVariableEvaluator::instance(), &third);
}

void tst_VariableEvaluator::flatOperationsLogTheirProblems()
{
    TestLog::RecordingLog own;
    TestLog::RecordingLog given;
    const VariableEvaluator evaluator(*VariableManager::instance(), &own);
    const QString element = QStringLiteral("1-/-Script Element");

    QCOMPARE(evaluator.getVariableValue(QStringLiteral("[Job.Name]"), element, m_job->flow.get(),
                                        QString(), m_job->ticket.get(), nullptr),
             QStringLiteral("Invoice 42.pdf"));
    QVERIFY(own.records().isEmpty());

    QCOMPARE(evaluator.getVariableValue(QStringLiteral("[Server.ElementName] [Mail.To]"), element,
                                        m_job->flow.get(), QString(), m_job->ticket.get(), &given),
             QStringLiteral("Router "));
    QCOMPARE(given.records().size(), 1);
    const LogRecord record = given.records().constFirst();
    QCOMPARE(record.level, LogLevel::Error);
    QCOMPARE(record.flow, QStringLiteral("Proofing"));
    QCOMPARE(record.file, QStringLiteral("_00001_Invoice 42.pdf"));
    QVERIFY2(record.argument.contains(QLatin1String("Mail.To")), qPrintable(record.argument));

    VariableCondition condition;
    condition.addComparison({QStringLiteral("[Job.Size]"), VariableCondition::Operator::GreaterThan,
                             QStringLiteral("10")});
    QCOMPARE(evaluator.getConditionValue(condition.toXml(), element, m_job->flow.get(), QString(),
                                         m_job->ticket.get(), nullptr),
             QStringLiteral("true"));
    QVERIFY(own.records().isEmpty());
    QCOMPARE(evaluator.getConditionValue(QStringLiteral("<broken"), element, m_job->flow.get(),
                                         QString(), m_job->ticket.get(), nullptr),
             QString());
    QCOMPARE(own.records().size(), 1);
}

void tst_VariableEvaluator::evaluatesOnSeveralThreadsAtOnce()
{
    const QString text = QStringLiteral("[Job.Name] [Job.Size] [Metadata.TextList:Dataset=Order,"
                                        "Path=//item] [Job.PrivateData:Key=Copies]");
    const QString expected =
        QStringLiteral("Invoice 42.pdf %1 Paper, Ink 250").arg(VariableTest::kPdf.size());
    const VariableContext context = m_job->context();
    std::vector<QString> results(4);
    std::vector<std::thread> threads;
    for (QString &result : results) {
        threads.emplace_back([&result, &text, &context] {
            for (int i = 0; i < 25; ++i) {
                const VariableEvaluation evaluation =
                    IVariableEvaluator::instance()->evaluateText(text, context);
                result =
                    evaluation.hasProblems() ? describe(evaluation.problems) : evaluation.value;
            }
        });
    }
    for (std::thread &thread : threads) {
        thread.join();
    }
    for (const QString &result : results) {
        QCOMPARE(result, expected);
    }
}

TAVRIX_TEST_GUILESS_MAIN(tst_VariableEvaluator)
#include "tst_variableevaluator.moc"
