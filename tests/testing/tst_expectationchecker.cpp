// Expected results entered in a fixture, held against the test flow that the fixture built on
// disk and what a run left in it: files in the connections' folders, private data in the job's
// ticket, messages.

#include "common/testmain.h"

#include "fixturetestsupport.h"

#include "testing/expectationchecker.h"

#include "corelib/jobs/ijt.h"
#include "corelib/values/xmlvalueprocessor.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace FixtureTest;
using Scripter::ExpectationChecker;
using Scripter::ExpectationResults;
using Scripter::FixtureItem;

namespace {

// Where an expectation is entered: an outgoing connection, an incoming job (by file name), or
// the basic settings (empty).
struct Row
{
    const char *name;
    QString owner;
    QString field;
    QString value;
    QStringList approvalFiles; // what the run leaves in Approval's folder
    bool passed;
    QString detail; // a part of what the failure says
};

const QString approval = QStringLiteral("Approval");
const QString booking = QStringLiteral("Booking");
const QString archive = QStringLiteral("Archive"); // disabled: not in the test flow
const QString invoice = QStringLiteral("invoice.xml");
const QString skipped = QStringLiteral("skipped.xml"); // a disabled job
const QString basic;

const QString sent = QStringLiteral("_00002_invoice.xml");

} // namespace

Q_DECLARE_METATYPE(Row)

class tst_ExpectationChecker : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void expectationsHoldOrSayWhatTheRunGave_data();
    void expectationsHoldOrSayWhatTheRunGave();
    void connectionsThatAreGoneFailEveryExpectation();
    void aRunThatEndedOnAnErrorHasErrors();
    void nothingExpectedGivesNoResults();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    // A fixture with the jobs and connections of the rows, its test flow built.
    void buildFixture(FakePackageWindow &window);
    ExpectationChecker::Run runOf(const FakePackageWindow &window) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_ExpectationChecker::init()
{
    QSettings().clear();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(path(QStringLiteral("base"))));
    QVERIFY(TestFiles::writeFile(path(QStringLiteral("jobs/") + invoice), "<invoice/>"));
    QVERIFY(TestFiles::writeFile(path(QStringLiteral("jobs/") + skipped), "<invoice/>"));
}

void tst_ExpectationChecker::buildFixture(FakePackageWindow &window)
{
    QVERIFY(window.fixture()->tree()->basicItem()->setPropertyValue(XMLKey::TESTFOLDER,
                                                                    path(QStringLiteral("base"))));
    FixtureItem *job = addJob(window, path(QStringLiteral("jobs/") + invoice));
    QVERIFY(job->setPropertyValue(
        XMLKey::USERDATA,
        SRCore::XMLValueProcessor::generateXMLValue(
            XMLValues::EDITOR_USERDATAFIELDS,
            QList<SRCore::UniversalData>{{QStringLiteral("Amount"), QString(), "1250.00"}})));
    addJob(window, path(QStringLiteral("jobs/") + skipped), false);
    addConnection(window, approval);
    addConnection(window, booking);
    addConnection(window, archive, false);
    window.fixture()->tree()->setCurrentItem(job);
    QVERIFY(window.fixture()->buildTestFlow());
}

ExpectationChecker::Run tst_ExpectationChecker::runOf(const FakePackageWindow &window) const
{
    ExpectationChecker::Run run;
    run.outgoingFolders = window.fixture()->outgoingFolders();
    run.privateData = window.fixture()->jobPrivateData();
    return run;
}

void tst_ExpectationChecker::expectationsHoldOrSayWhatTheRunGave_data()
{
    QTest::addColumn<Row>("row");

    const QString count = XMLKey::EXPECTEDFILECOUNT;
    const QString names = XMLKey::EXPECTEDFILENAMES;
    const QString data = XMLKey::EXPECTEDPRIVATEDATA;
    const QString messages = XMLKey::EXPECTEDMESSAGES;
    const QString noErrors = XMLKey::EXPECTNOERRORS;
    // clang-format off
    const QList<Row> rows = {
        {"file count holds", approval, count, "1", {sent}, true, {}},
        {"file count says how many came", approval, count, "1", {sent, "_00003_copy.xml"}, false, "2 file(s)"},
        {"no files expected holds for an empty folder", booking, count, "0", {sent}, true, {}},
        {"names match without the unique prefix", approval, names, "invoice.*", {sent}, true, {}},
        {"a file that matches no wildcard is named", approval, names, "*.pdf", {sent}, false, "'invoice.xml'"},
        {"a wildcard that matches no file is named", approval, names, "*.xml; *.pdf", {sent}, false, "no file matching '*.pdf'"},
        {"an unclosed bracket is an invalid wildcard", approval, names, "[inv*.xml", {sent}, false, "invalid wildcard '[inv*.xml'"},
        {"a folder in a wildcard is invalid", approval, names, "out/*.xml", {sent}, false, "holds no '/'"},
        {"a disabled connection is not in the flow", archive, count, "0", {}, false, "no such connection"},
        {"private data holds", invoice, data, "InvoiceClass = Large", {}, true, {}},
        {"private data from the fixture holds", invoice, data, "Amount=1250.00", {}, true, {}},
        {"other private data names the value", invoice, data, "InvoiceClass = Small", {}, false, "'Large'"},
        {"private data never set has no value", invoice, data, "Route = north", {}, false, "no value"},
        {"a disabled job took no part", skipped, data, "Amount = 1", {}, false, "no such job"},
        {"a message holds on its shown text", basic, messages, "info: Routed invoice.xml as *", {}, true, {}},
        {"the type of a message counts", basic, messages, "warning: Routed*", {}, false, "no such message"},
        {"type words ignore case", basic, messages, "Error: Error in jobArrived*", {}, true, {}},
        {"no errors fails with the first error", basic, noErrors, XMLValues::YES, {}, false, "1 error(s), the first 'Error in jobArrived: boom'"},
    };
    // clang-format on
    for (const Row &row : rows) {
        QTest::newRow(row.name) << row;
    }
}

void tst_ExpectationChecker::expectationsHoldOrSayWhatTheRunGave()
{
    QFETCH(Row, row);

    FakePackageWindow window;
    buildFixture(window);
    Scripter::Fixture *fixture = window.fixture();
    // What a script does: private data on its job, jobs into a connection's folder.
    fixture->currentJobTicket()->setPrivateData(QStringLiteral("InvoiceClass"),
                                                QStringLiteral("Large"));
    for (const QString &file : row.approvalFiles) {
        QVERIFY(TestFiles::writeFile(fixture->outgoingFolders().value(approval) + '/' + file,
                                     "<invoice/>"));
    }
    FixtureItem *owner = window.fixture()->tree()->basicItem();
    for (FixtureItem *group :
         {window.fixture()->tree()->incomingGroup(), window.fixture()->tree()->outgoingGroup()}) {
        for (int i = 0; i < group->childCount(); ++i) {
            if (group->child(i)->text(0) == row.owner) {
                owner = child(group, i);
            }
        }
    }
    QVERIFY(owner->setPropertyValue(row.field, row.value));

    ExpectationChecker::Run run = runOf(window);
    run.messages = {
        SRCore::LogRecord(SRCore::LogLevel::Information, QStringLiteral("Routed %11 as %12"),
                          QString(), QString(), QString(), QStringLiteral("invoice.xml,large")),
        SRCore::LogRecord(SRCore::LogLevel::Error, QStringLiteral("Error in %11: %12"), QString(),
                          QString(), QString(), QStringLiteral("jobArrived,boom")),
    };
    const ExpectationResults results = ExpectationChecker::check(fixture->expectations(), run);

    QCOMPARE(results.size(), 1);
    QVERIFY2(results.first().passed == row.passed,
             qPrintable(results.first().expectation + " / " + results.first().detail));
    QVERIFY2(results.first().detail.contains(row.detail), qPrintable(results.first().detail));
    QCOMPARE(results.first().detail.isEmpty(), row.passed);
}

void tst_ExpectationChecker::connectionsThatAreGoneFailEveryExpectation()
{
    FakePackageWindow window;
    buildFixture(window);
    // The connection's folder went during the run; another connection was renamed after the
    // build, so its expectations name one the test flow never had.
    QVERIFY(QDir(window.fixture()->outgoingFolders().value(booking)).removeRecursively());
    FixtureItem *bookingItem = child(window.fixture()->tree()->outgoingGroup(), 1);
    QVERIFY(bookingItem->setPropertyValue(XMLKey::EXPECTEDFILECOUNT, QStringLiteral("0")));
    QVERIFY(bookingItem->setPropertyValue(XMLKey::EXPECTEDFILENAMES, QStringLiteral("*")));
    FixtureItem *approvalItem = child(window.fixture()->tree()->outgoingGroup(), 0);
    QVERIFY(approvalItem->setPropertyValue(XMLKey::EXPECTEDFILECOUNT, QStringLiteral("0")));
    QVERIFY(approvalItem->setPropertyValue(XMLKey::CONNECTIONNAME, QStringLiteral("Approved")));

    const ExpectationResults results =
        ExpectationChecker::check(window.fixture()->expectations(), runOf(window));

    QCOMPARE(results.size(), 3);
    for (const Scripter::ExpectationResult &result : results) {
        QVERIFY(!result.passed);
    }
    QVERIFY(results.at(0).expectation.contains(QStringLiteral("'Approved'")));
    QVERIFY2(results.at(0).detail.startsWith(QStringLiteral("no such connection")),
             qPrintable(results.at(0).detail));
    for (const Scripter::ExpectationResult &result : results.mid(1)) {
        QVERIFY(result.expectation.contains(QStringLiteral("'Booking'")));
        QVERIFY2(result.detail.startsWith(QStringLiteral("no folder")), qPrintable(result.detail));
    }
}

void tst_ExpectationChecker::aRunThatEndedOnAnErrorHasErrors()
{
    FakePackageWindow window;
    buildFixture(window);
    QVERIFY(window.fixture()->tree()->basicItem()->setPropertyValue(XMLKey::EXPECTNOERRORS,
                                                                    XMLValues::YES));
    ExpectationChecker::Run run = runOf(window);
    run.summary =
        RunSummary(QStringLiteral("jobArrived"), {}, {}, QStringLiteral("The script was stopped"));

    const ExpectationResults results =
        ExpectationChecker::check(window.fixture()->expectations(), run);

    QCOMPARE(results.size(), 1);
    QVERIFY(!results.first().passed);
    QVERIFY2(results.first().detail.contains(QStringLiteral("The script was stopped")),
             qPrintable(results.first().detail));
}

void tst_ExpectationChecker::nothingExpectedGivesNoResults()
{
    FakePackageWindow window;
    buildFixture(window);
    ExpectationChecker::Run run = runOf(window);
    run.messages = {SRCore::LogRecord(SRCore::LogLevel::Error, QStringLiteral("boom"))};

    QVERIFY(window.fixture()->expectations().isEmpty());
    QVERIFY(ExpectationChecker::check(window.fixture()->expectations(), run).isEmpty());
}

TAVRIX_TEST_MAIN(tst_ExpectationChecker)
#include "tst_expectationchecker.moc"
