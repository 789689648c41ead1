// Expected results entered in a fixture, held against the test flow that the fixture built on
// disk and what a run left in it: files in the connections' folders, private data in the job's
// ticket, messages.

#include "common/testmain.h"

#include "fixturetestsupport.h"

#include "testing/expectationchecker.h"

#include "corelib/jobs/ijt.h"
#include "corelib/values/xmlvalueprocessor.h"

#include <QSettings>

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
    int approvalFiles; // how many jobs the run leaves in Approval's folder; -1: the folder went
    bool passed;
    QString detail; // a part of what the failure says
};

const QString approval = QStringLiteral("Approval");
const QString booking = QStringLiteral("Booking");
const QString archive = QStringLiteral("Archive"); // disabled: not in the test flow
const QString invoice = QStringLiteral("invoice.xml");
const QString skipped = QStringLiteral("skipped.xml"); // a disabled job
const QString basic;

} // namespace

Q_DECLARE_METATYPE(Row)

class tst_ExpectationChecker : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void expectationsHoldOrSayWhatTheRunGave_data();
    void expectationsHoldOrSayWhatTheRunGave();
    void aRunThatEndedOnAnErrorHasErrorsWhenNoneAreExpected();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    // What the checker gets of the run: the test flow's folders and the jobs' private data.
    ExpectationChecker::Run runOf() const
    {
        const Scripter::Fixture *fixture = m_window->fixture();
        return {{}, fixture->outgoingFolders(), fixture->jobPrivateData(), {}};
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    // A fixture with the jobs and connections of the rows, its test flow built.
    std::unique_ptr<FakePackageWindow> m_window;
};

void tst_ExpectationChecker::init()
{
    QSettings().clear();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(path(QStringLiteral("base"))));
    QVERIFY(TestFiles::writeFile(path(QStringLiteral("jobs/") + invoice), "<invoice/>"));
    QVERIFY(TestFiles::writeFile(path(QStringLiteral("jobs/") + skipped), "<invoice/>"));

    m_window = std::make_unique<FakePackageWindow>();
    FakePackageWindow &window = *m_window;
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
        {"file count holds", approval, count, "1", 1, true, {}},
        {"file count says how many came", approval, count, "1", 2, false, "2 file(s)"},
        {"no files expected holds for an empty folder", booking, count, "0", 1, true, {}},
        {"names match without the unique prefix", approval, names, "invoice.*", 1, true, {}},
        {"a file that matches no wildcard is named", approval, names, "*.pdf", 1, false, "'invoice.xml'"},
        {"a wildcard that matches no file is named", approval, names, "*.xml; *.pdf", 1, false, "no file matching '*.pdf'"},
        {"an unclosed bracket is an invalid wildcard", approval, names, "[inv*.xml", 1, false, "invalid wildcard '[inv*.xml'"},
        {"a folder in a wildcard is invalid", approval, names, "out/*.xml", 1, false, "holds no '/'"},
        {"a disabled connection is not in the flow", archive, count, "0", 0, false, "no such connection"},
        {"a connection whose folder went fails", approval, count, "0", -1, false, "no folder"},
        {"private data holds", invoice, data, "InvoiceClass = Large", 0, true, {}},
        {"private data from the fixture holds", invoice, data, "Amount=1250.00", 0, true, {}},
        {"other private data names the value", invoice, data, "InvoiceClass = Small", 0, false, "'Large'"},
        {"private data never set has no value", invoice, data, "Route = north", 0, false, "no value"},
        {"a disabled job took no part", skipped, data, "Amount = 1", 0, false, "no such job"},
        {"a message holds on its shown text", basic, messages, "info: Routed invoice.xml as *", 0, true, {}},
        {"the type of a message counts", basic, messages, "warning: Routed*", 0, false, "no such message"},
        {"type words ignore case", basic, messages, "Error: Error in jobArrived*", 0, true, {}},
        {"no errors fails with the first error", basic, noErrors, XMLValues::YES, 0, false, "1 error(s), the first 'Error in jobArrived: boom'"},
    };
    // clang-format on
    for (const Row &row : rows) {
        QTest::newRow(row.name) << row;
    }
}

void tst_ExpectationChecker::expectationsHoldOrSayWhatTheRunGave()
{
    QFETCH(Row, row);

    Scripter::Fixture *fixture = m_window->fixture();
    // What a script does: private data on its job, jobs into a connection's folder.
    fixture->currentJobTicket()->setPrivateData(QStringLiteral("InvoiceClass"),
                                                QStringLiteral("Large"));
    const QString approvalFolder = fixture->outgoingFolders().value(approval);
    for (int i = 1; i <= row.approvalFiles; ++i) {
        QVERIFY(TestFiles::writeFile(approvalFolder + QStringLiteral("/_0000%1_invoice.xml").arg(i),
                                     "<invoice/>"));
    }
    QVERIFY(row.approvalFiles >= 0 || QDir(approvalFolder).removeRecursively());
    const QList<QTreeWidgetItem *> named =
        fixture->tree()->findItems(row.owner, Qt::MatchExactly | Qt::MatchRecursive);
    auto *owner =
        static_cast<FixtureItem *>(named.isEmpty() ? fixture->tree()->basicItem() : named.first());
    QVERIFY(owner->setPropertyValue(row.field, row.value));

    ExpectationChecker::Run run = runOf();
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

void tst_ExpectationChecker::aRunThatEndedOnAnErrorHasErrorsWhenNoneAreExpected()
{
    ExpectationChecker::Run run = runOf();
    run.summary =
        RunSummary(QStringLiteral("jobArrived"), {}, {}, QStringLiteral("The script was stopped"));
    // Nothing expected: no results, whatever the run gave.
    QVERIFY(ExpectationChecker::check(m_window->fixture()->expectations(), run).isEmpty());

    QVERIFY(m_window->fixture()->tree()->basicItem()->setPropertyValue(XMLKey::EXPECTNOERRORS,
                                                                       XMLValues::YES));
    const ExpectationResults results =
        ExpectationChecker::check(m_window->fixture()->expectations(), run);
    QCOMPARE(results.size(), 1);
    QVERIFY(!results.first().passed);
    QVERIFY2(results.first().detail.contains(QStringLiteral("The script was stopped")),
             qPrintable(results.first().detail));
}

TAVRIX_TEST_MAIN(tst_ExpectationChecker)
#include "tst_expectationchecker.moc"
