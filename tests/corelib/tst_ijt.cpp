#include "common/testmain.h"

#include "common/testfiles.h"

#include "corelib/jobs/filemanager.h"
#include "corelib/jobs/ijt.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using SRCore::IJT;
namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

using TestFiles::readFile;
using TestFiles::writeFile;

namespace {

const QString kPrefix = QStringLiteral("_00001_");

// A ticket as the test flow builds it, with `text` in every free text.
std::unique_ptr<IJT> makeTicket(const QString &text)
{
    std::unique_ptr<IJT> ticket = IJT::createEmptyIJT();
    ticket->setFlowInfo(QStringLiteral("1"), text);
    ticket->setCopiedForConnection(QStringLiteral("1"));
    ticket->setState(3);
    ticket->setActiveFileName(QStringLiteral("/tests/inFolder2/") + kPrefix + text);
    ticket->setActiveActionId(QStringLiteral("1"));
    ticket->addOccurrence(XMLKey::OCCURRENCEDETECTED, QStringLiteral("2"), text,
                          QStringLiteral("1"), text);
    ticket->setArrivalStamp(42);
    ticket->setFamilyID(kPrefix);
    ticket->addAction(QStringLiteral("0"), QStringLiteral("1"), text, XMLValues::SCRIPTELEMENT,
                      XMLValues::LOW);
    ticket->setLocationPath(text);
    ticket->setJobState(text);
    ticket->addEmailInfo(text, text);
    ticket->addEmailInfo(QString(), text + text);
    ticket->setPrivateData(text, text);
    ticket->setPrivateData(QStringLiteral("other"), QString());
    ticket->setDataset(text, XMLValues::MODEL_XMP, text);
    return ticket;
}

void compareTickets(const IJT &actual, const IJT &expected)
{
    QCOMPARE(actual.getFlowId(), expected.getFlowId());
    QCOMPARE(actual.getFlowName(), expected.getFlowName());
    QCOMPARE(actual.getCopiedForConnection(), expected.getCopiedForConnection());
    QCOMPARE(actual.getState(), expected.getState());
    QCOMPARE(actual.getActiveFilePath(), expected.getActiveFilePath());
    QCOMPARE(actual.getActiveActionId(), expected.getActiveActionId());
    QCOMPARE(actual.getArrivalStamp(), expected.getArrivalStamp());
    QCOMPARE(actual.getFamilyID(), expected.getFamilyID());
    QCOMPARE(actual.getLocationPath(), expected.getLocationPath());
    QCOMPARE(actual.getJobState(), expected.getJobState());

    QCOMPARE(actual.getOccurrences().size(), expected.getOccurrences().size());
    for (qsizetype i = 0; i < expected.getOccurrences().size(); ++i) {
        const IJT::Occurrence a = actual.getOccurrences().at(i);
        const IJT::Occurrence e = expected.getOccurrences().at(i);
        QCOMPARE(a.kind, e.kind);
        QCOMPARE(a.objectId, e.objectId);
        QCOMPARE(a.objectName, e.objectName);
        QCOMPARE(a.flowId, e.flowId);
        QCOMPARE(a.flowName, e.flowName);
        QCOMPARE(a.time, e.time);
    }
    QCOMPARE(actual.getActions().size(), expected.getActions().size());
    for (qsizetype i = 0; i < expected.getActions().size(); ++i) {
        const IJT::Action a = actual.getActions().at(i);
        const IJT::Action e = expected.getActions().at(i);
        QCOMPARE(a.parentActionId, e.parentActionId);
        QCOMPARE(a.actionId, e.actionId);
        QCOMPARE(a.path, e.path);
        QCOMPARE(a.elementType, e.elementType);
        QCOMPARE(a.priority, e.priority);
    }
    QCOMPARE(actual.getEmailInfos().size(), expected.getEmailInfos().size());
    for (qsizetype i = 0; i < expected.getEmailInfos().size(); ++i) {
        QCOMPARE(actual.getEmailInfos().at(i).addresses, expected.getEmailInfos().at(i).addresses);
        QCOMPARE(actual.getEmailInfos().at(i).body, expected.getEmailInfos().at(i).body);
    }
    QCOMPARE(actual.getPrivateDataKeys(), expected.getPrivateDataKeys());
    for (const QString &key : expected.getPrivateDataKeys()) {
        QCOMPARE(actual.getPrivateData(key), expected.getPrivateData(key));
    }
    QCOMPARE(actual.getJobDatasets().size(), expected.getJobDatasets().size());
    for (qsizetype i = 0; i < expected.getJobDatasets().size(); ++i) {
        const IJT::Dataset a = actual.getJobDatasets().at(i);
        const IJT::Dataset e = expected.getJobDatasets().at(i);
        QCOMPARE(a.name, e.name);
        QCOMPARE(a.model, e.model);
        QCOMPARE(a.backingFile, e.backingFile);
    }
}

} // namespace

class tst_IJT : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { IJT::setDir(QString()); }

    void ticketRecordsWhatTheTestFlowSets();
    void roundTripIsExact_data();
    void roundTripIsExact();
    void everyCodeUnitRoundTrips();
    void emptyTicketRoundTrips();
    void saveReplacesTheJobsTicket();
    void saveIsRefused_data();
    void saveIsRefused();
    void damagedTicketIsRefused_data();
    void damagedTicketIsRefused();
    void truncatedTicketIsRefused();
    void missingTicketIsRefused_data();
    void missingTicketIsRefused();
};

void tst_IJT::ticketRecordsWhatTheTestFlowSets()
{
    const QDateTime before = QDateTime::currentDateTimeUtc();
    std::unique_ptr<IJT> ticket = makeTicket(QStringLiteral("report.pdf"));
    const QDateTime after = QDateTime::currentDateTimeUtc();

    QCOMPARE(ticket->getActiveFileName(), QStringLiteral("_00001_report.pdf"));
    QCOMPARE(ticket->getOccurrences().size(), 1);
    const QDateTime stamped = ticket->getOccurrences().constFirst().time;
    QVERIFY(stamped >= before && stamped <= after);
    QCOMPARE(ticket->getEmailInfos().size(), 2);

    ticket->setPrivateData(QStringLiteral("other"), QStringLiteral("replaced"));
    QCOMPARE(ticket->getPrivateData(QStringLiteral("other")), QStringLiteral("replaced"));
    QVERIFY(!ticket->hasPrivateData(QStringLiteral("absent")));

    QVERIFY(ticket->setDataset(QStringLiteral("report.pdf"), XMLValues::MODEL_JDF,
                               QStringLiteral("/d/new.jdf")));
    QCOMPARE(ticket->getJobDatasets().size(), 1);
    QCOMPARE(ticket->getJobDatasets().constFirst().model, XMLValues::MODEL_JDF);
    // Models other than the four, and nameless datasets, are refused without a change.
    QVERIFY(!ticket->setDataset(QStringLiteral("x"), QStringLiteral("PDF"), QString()));
    QVERIFY(!ticket->setDataset(QString(), XMLValues::MODEL_XML, QString()));
    QCOMPARE(ticket->getJobDatasets().size(), 1);
    QCOMPARE(ticket->getJobDatasets().constFirst().backingFile, QStringLiteral("/d/new.jdf"));
}

void tst_IJT::roundTripIsExact_data()
{
    QTest::addColumn<QString>("text");

    // clang-format off
    QTest::newRow("markup characters") << QStringLiteral("<a href=\"x\">&amp; 'q' ]]> &#13;");
    QTest::newRow("line ends of every kind") << QStringLiteral("a\r\nb\rc\nd\r\r\n\n");
    QTest::newRow("surrounding white space") << QStringLiteral("  \t x \t\n ");
    QTest::newRow("only white space") << QStringLiteral(" \n\t ");
    QTest::newRow("non-ASCII") << QStringLiteral("Grüße, Ελληνικά, 日本語, 😀");
    QTest::newRow("empty") << QString();
    QTest::newRow("control characters") << QString(QChar(0x01)) + QStringLiteral("bell") + QChar(0x07) + QChar(0x1F);
    QTest::newRow("NUL character") << QStringLiteral("a") + QChar(0x00) + QStringLiteral("b");
    QTest::newRow("non-characters") << QString(QChar(0xFFFE)) + QChar(0xFFFF);
    QTest::newRow("unpaired surrogates") << QString(QChar(0xD800)) + QStringLiteral("x") + QChar(0xDC00) + QChar(0xDBFF);
    QTest::newRow("base-64 look-alike") << QStringLiteral("AAEAAgAD");
    // clang-format on
}

void tst_IJT::roundTripIsExact()
{
    QFETCH(QString, text);

    QTemporaryDir folder;
    IJT::setDir(folder.path());
    const std::unique_ptr<IJT> ticket = makeTicket(text);
    QString error;
    QVERIFY2(ticket->save(&error), qPrintable(error));

    const QString path = SRCore::FileManager::getFileIJTByPrefix(kPrefix);
    QVERIFY(!path.isEmpty());
    const std::unique_ptr<IJT> loaded = IJT::load(path, &error);
    QVERIFY2(loaded, qPrintable(error));
    compareTickets(*loaded, *ticket);
}

void tst_IJT::everyCodeUnitRoundTrips()
{
    QString all;
    for (int unit = 0; unit <= 0xFFFF; ++unit) {
        all.append(QChar(static_cast<char16_t>(unit)));
    }
    QString allXmlCharacters;
    for (int unit = 0x20; unit < 0xD800; ++unit) {
        allXmlCharacters.append(QChar(static_cast<char16_t>(unit)));
    }
    QTemporaryDir folder;
    IJT::setDir(folder.path());
    std::unique_ptr<IJT> ticket = makeTicket(all);
    ticket->setPrivateData(QStringLiteral("readable"), allXmlCharacters);
    QVERIFY(ticket->save());

    QString error;
    const std::unique_ptr<IJT> loaded =
        IJT::load(SRCore::FileManager::getFileIJTByPrefix(kPrefix), &error);
    QVERIFY2(loaded, qPrintable(error));
    compareTickets(*loaded, *ticket);
    // Texts that XML can hold stay readable in the file.
    QVERIFY(readFile(folder.filePath(QStringLiteral("_00001_.xml")))
                .contains(allXmlCharacters.mid(0x100, 50).toUtf8()));
}

void tst_IJT::emptyTicketRoundTrips()
{
    QTemporaryDir folder;
    IJT::setDir(folder.path());
    std::unique_ptr<IJT> ticket = IJT::createEmptyIJT();
    ticket->setFamilyID(QStringLiteral("_ZZZZZ_"));
    ticket->setArrivalStamp(std::numeric_limits<qint64>::min());
    ticket->setState(std::numeric_limits<int>::max());
    QVERIFY(ticket->save());
    QString error;
    const std::unique_ptr<IJT> loaded =
        IJT::load(folder.filePath(QStringLiteral("_ZZZZZ_.xml")), &error);
    QVERIFY2(loaded, qPrintable(error));
    compareTickets(*loaded, *ticket);
}

void tst_IJT::saveReplacesTheJobsTicket()
{
    QTemporaryDir folder;
    IJT::setDir(folder.path());
    std::unique_ptr<IJT> ticket = makeTicket(QStringLiteral("job.pdf"));
    QVERIFY(ticket->save());
    ticket->setJobState(QStringLiteral("Approved"));
    QVERIFY(ticket->save());

    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("_00001_.xml")});
    const std::unique_ptr<IJT> loaded = IJT::load(SRCore::FileManager::getFileIJTByPrefix(kPrefix));
    QVERIFY(loaded);
    QCOMPARE(loaded->getJobState(), QStringLiteral("Approved"));
}

void tst_IJT::saveIsRefused_data()
{
    QTest::addColumn<QString>("folder"); // "<temp>" is a temporary folder
    QTest::addColumn<QString>("familyId");
    QTest::addColumn<QString>("cause");

    // clang-format off
    QTest::newRow("no tickets folder") << QString() << kPrefix << "no tickets folder";
    QTest::newRow("tickets folder missing") << "<temp>/missing" << kPrefix << "Can't write '<temp>/missing/_00001_.xml'";
    QTest::newRow("no family id") << "<temp>" << QString() << "family id '' is not";
    QTest::newRow("family id too short") << "<temp>" << "_0001_" << "family id '_0001_' is not";
    QTest::newRow("family id leading out of the folder") << "<temp>" << "../_00001_" << "family id '../_00001_' is not";
    QTest::newRow("family id with a job name") << "<temp>" << "_00001_job" << "family id '_00001_job' is not";
    // clang-format on
}

void tst_IJT::saveIsRefused()
{
    QFETCH(QString, folder);
    QFETCH(QString, familyId);
    QFETCH(QString, cause);

    QTemporaryDir root;
    const QString temp = root.filePath(QStringLiteral("tickets"));
    QVERIFY(QDir().mkpath(temp));
    QVERIFY(writeFile(temp + QStringLiteral("/_00002_.xml"), "other job"));
    folder.replace(QStringLiteral("<temp>"), temp);
    cause.replace(QStringLiteral("<temp>"), temp);

    IJT::setDir(folder);
    std::unique_ptr<IJT> ticket = makeTicket(QStringLiteral("job.pdf"));
    ticket->setFamilyID(familyId);
    QString error;
    QVERIFY(!ticket->save(&error));
    QVERIFY2(error.contains(cause), qPrintable(error));
    QCOMPARE(QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("tickets")});
    QCOMPARE(QDir(temp).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("_00002_.xml")});
    QCOMPARE(readFile(temp + QStringLiteral("/_00002_.xml")), QByteArray("other job"));
}

void tst_IJT::damagedTicketIsRefused_data()
{
    // Each row changes a saved ticket of makeTicket("job.pdf") by replacing a text.
    QTest::addColumn<QByteArray>("find");
    QTest::addColumn<QByteArray>("replacement");
    QTest::addColumn<QString>("cause");

    // clang-format off
    QTest::newRow("another kind of file") << QByteArray("JobTicket") << QByteArray("Flow") << "expected <JobTicket>";
    QTest::newRow("newer format") << QByteArray("FormatVersion=\"1\"") << QByteArray("FormatVersion=\"2\"") << "newer program";
    QTest::newRow("not XML at all") << QByteArray("<?xml") << QByteArray("PK\x03\x04<?xml") << "line 1, column";
    QTest::newRow("unknown element") << QByteArray("<JobState>") << QByteArray("<Colour/><JobState>") << "Unexpected element <Colour>";
    QTest::newRow("element given twice") << QByteArray("<JobState>") << QByteArray("<State>3</State><JobState>") << "Element <State> appears more than once";
    QTest::newRow("single value missing") << QByteArray("<ActiveActionId>1</ActiveActionId>") << QByteArray() << "Element <ActiveActionId> is missing";
    QTest::newRow("record field missing") << QByteArray("<Priority>Low</Priority>") << QByteArray() << "Element <Priority> is missing";
    QTest::newRow("state is not a number") << QByteArray("<State>3</State>") << QByteArray("<State>three</State>") << "'three' is not a whole number";
    QTest::newRow("state beyond an int") << QByteArray("<State>3</State>") << QByteArray("<State>2147483648</State>") << "'2147483648' is not a whole number";
    QTest::newRow("stamp beyond 64 bits") << QByteArray("<ArrivalStamp>42</ArrivalStamp>") << QByteArray("<ArrivalStamp>9223372036854775808" "</ArrivalStamp>") << "is not a whole number";
    QTest::newRow("invalid base-64") << QByteArray("<JobState>job.pdf</JobState>") << QByteArray("<JobState Encoding=\"Base64UTF16\">a$b" "</JobState>") << "Invalid Base64UTF16 text";
    QTest::newRow("base-64 of half a character") << QByteArray("<JobState>job.pdf</JobState>") << QByteArray("<JobState Encoding=\"Base64UTF16\">QUJD</JobState>") << "Invalid Base64UTF16 text";
    QTest::newRow("unknown encoding") << QByteArray("<JobState>job.pdf</JobState>") << QByteArray("<JobState Encoding=\"rot13\">wbo</JobState>") << "Unknown Encoding 'rot13'";
    QTest::newRow("element inside a text") << QByteArray("<JobState>job.pdf</JobState>") << QByteArray("<JobState><b>job</b></JobState>") << "Expected character data";
    QTest::newRow("invalid occurrence time") << QByteArray("<Time>") << QByteArray("<Time>yesterday") << "Invalid time 'yesterday";
    QTest::newRow("unknown dataset model") << QByteArray("<Model>XMP</Model>") << QByteArray("<Model>PDF</Model>") << "Invalid dataset 'job.pdf' with model 'PDF'";
    QTest::newRow("private data key given twice") << QByteArray("<Key>other</Key>") << QByteArray("<Key>job.pdf</Key>") << "Private data key 'job.pdf' appears more than once";
    QTest::newRow("foreign element in a list") << QByteArray("<EmailInfo>") << QByteArray("<Entry/><EmailInfo>") << "Unexpected element <Entry>";
    QTest::newRow("content after the ticket") << QByteArray("</JobTicket>") << QByteArray("</JobTicket><JobTicket/>") << "Extra content";
    // clang-format on
}

void tst_IJT::damagedTicketIsRefused()
{
    QFETCH(QByteArray, find);
    QFETCH(QByteArray, replacement);
    QFETCH(QString, cause);

    QTemporaryDir folder;
    IJT::setDir(folder.path());
    QVERIFY(makeTicket(QStringLiteral("job.pdf"))->save());
    const QString path = folder.filePath(QStringLiteral("_00001_.xml"));
    QByteArray content = readFile(path);
    QVERIFY2(content.contains(find), content.constData());
    content.replace(content.indexOf(find), find.size(), replacement);
    QVERIFY(writeFile(path, content));

    QString error;
    QVERIFY(!IJT::load(path, &error));
    QVERIFY2(error.contains(cause), qPrintable(error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QCOMPARE(readFile(path), content);
}

void tst_IJT::truncatedTicketIsRefused()
{
    QTemporaryDir folder;
    IJT::setDir(folder.path());
    QVERIFY(makeTicket(QStringLiteral("job.pdf"))->save());
    const QByteArray content = readFile(folder.filePath(QStringLiteral("_00001_.xml")));
    const qsizetype complete =
        content.lastIndexOf("</JobTicket>") + qsizetype(strlen("</JobTicket>"));

    const QString path = folder.filePath(QStringLiteral("truncated.xml"));
    for (qsizetype length = 0; length < complete; ++length) {
        QVERIFY(writeFile(path, content.left(length)));
        QString error;
        QVERIFY2(!IJT::load(path, &error), qPrintable(QString::number(length)));
        QVERIFY(!error.isEmpty());
    }
    QVERIFY(writeFile(path, content.left(complete)));
    QVERIFY(IJT::load(path));
}

void tst_IJT::missingTicketIsRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cause");

    // clang-format off
    QTest::newRow("no such file") << "_00009_.xml" << "does not exist";
    QTest::newRow("a folder") << "folder" << "is a folder, not a file";
    // clang-format on
}

void tst_IJT::missingTicketIsRefused()
{
    QFETCH(QString, name);
    QFETCH(QString, cause);

    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder")));
    QString error;
    QVERIFY(!IJT::load(folder.filePath(name), &error));
    QVERIFY2(error.contains(cause) && error.contains(name), qPrintable(error));
}

TAVRIX_TEST_GUILESS_MAIN(tst_IJT)
#include "tst_ijt.moc"
