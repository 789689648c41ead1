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

// Every field of a ticket, one entry each, so that a comparison names the field that differs.
QStringList fields(const IJT &ticket)
{
    QStringList all;
    all << ticket.getFlowId() << ticket.getFlowName() << ticket.getCopiedForConnection()
        << QString::number(ticket.getState()) << ticket.getActiveFilePath()
        << ticket.getActiveActionId() << QString::number(ticket.getArrivalStamp())
        << ticket.getFamilyID() << ticket.getLocationPath() << ticket.getJobState();
    for (const IJT::Occurrence &o : ticket.getOccurrences()) {
        all << QStringLiteral("occurrence") << o.kind << o.objectId << o.objectName << o.flowId
            << o.flowName << o.time.toUTC().toString(Qt::ISODateWithMs);
    }
    for (const IJT::Action &a : ticket.getActions()) {
        all << QStringLiteral("action") << a.parentActionId << a.actionId << a.path << a.elementType
            << a.priority;
    }
    for (const IJT::EmailInfo &e : ticket.getEmailInfos()) {
        all << QStringLiteral("e-mail") << e.addresses << e.body;
    }
    for (const QString &key : ticket.getPrivateDataKeys()) {
        all << QStringLiteral("private data") << key << ticket.getPrivateData(key);
    }
    for (const IJT::Dataset &d : ticket.getJobDatasets()) {
        all << QStringLiteral("dataset") << d.name << d.model << d.backingFile;
    }
    return all;
}

} // namespace

class tst_IJT : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { IJT::setDir(QString()); }

    void ticketRecordsWhatTheTestFlowSets();
    void roundTripIsExact_data();
    void roundTripIsExact();
    void emptyTicketRoundTrips();
    void saveReplacesTheJobsTicket();
    void saveIsRefused_data();
    void saveIsRefused();
    void damagedTicketIsRefused_data();
    void damagedTicketIsRefused();
    void truncatedTicketIsRefused();
    void missingTicketIsRefused();

private:
    std::unique_ptr<QTemporaryDir> m_folder; // the tickets folder
};

void tst_IJT::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    IJT::setDir(m_folder->path());
}

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

    QString everyCodeUnit;
    for (int unit = 0; unit <= 0xFFFF; ++unit) {
        everyCodeUnit.append(QChar(static_cast<char16_t>(unit)));
    }
    // clang-format off
    QTest::newRow("markup characters") << QStringLiteral("<a href=\"x\">&amp; 'q' ]]> &#13;");
    QTest::newRow("line ends of every kind") << QStringLiteral("a\r\nb\rc\nd\r\r\n\n");
    QTest::newRow("surrounding white space") << QStringLiteral("  \t x \t\n ");
    QTest::newRow("only white space") << QStringLiteral(" \n\t ");
    QTest::newRow("empty") << QString();
    QTest::newRow("every UTF-16 code unit") << everyCodeUnit;
    // clang-format on
}

void tst_IJT::roundTripIsExact()
{
    QFETCH(QString, text);

    const std::unique_ptr<IJT> ticket = makeTicket(text);
    QString error;
    QVERIFY2(ticket->save(&error), qPrintable(error));

    const QString path = SRCore::FileManager::getFileIJTByPrefix(kPrefix);
    QVERIFY(!path.isEmpty());
    const std::unique_ptr<IJT> loaded = IJT::load(path, &error);
    QVERIFY2(loaded, qPrintable(error));
    QCOMPARE(fields(*loaded), fields(*ticket));
}

void tst_IJT::emptyTicketRoundTrips()
{
    std::unique_ptr<IJT> ticket = IJT::createEmptyIJT();
    ticket->setFamilyID(QStringLiteral("_ZZZZZ_"));
    ticket->setArrivalStamp(std::numeric_limits<qint64>::min());
    ticket->setState(std::numeric_limits<int>::max());
    QVERIFY(ticket->save());
    QString error;
    const std::unique_ptr<IJT> loaded =
        IJT::load(m_folder->filePath(QStringLiteral("_ZZZZZ_.xml")), &error);
    QVERIFY2(loaded, qPrintable(error));
    QCOMPARE(fields(*loaded), fields(*ticket));
}

void tst_IJT::saveReplacesTheJobsTicket()
{
    std::unique_ptr<IJT> ticket = makeTicket(QStringLiteral("job.pdf"));
    QVERIFY(ticket->save());
    ticket->setJobState(QStringLiteral("Approved"));
    QVERIFY(ticket->save());

    QCOMPARE(
        QDir(m_folder->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
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
    QTest::newRow("family id leading out of the folder") << "<temp>" << "../_00001_" << "family id '../_00001_' is not";
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
    QTest::newRow("unknown element") << QByteArray("<JobState>") << QByteArray("<Colour/><JobState>") << "Unexpected element <Colour>";
    QTest::newRow("element given twice") << QByteArray("<JobState>") << QByteArray("<State>3</State><JobState>") << "Element <State> appears more than once";
    QTest::newRow("single value missing") << QByteArray("<ActiveActionId>1</ActiveActionId>") << QByteArray() << "Element <ActiveActionId> is missing";
    QTest::newRow("record field missing") << QByteArray("<Priority>Low</Priority>") << QByteArray() << "Element <Priority> is missing";
    QTest::newRow("state beyond an int") << QByteArray("<State>3</State>") << QByteArray("<State>2147483648</State>") << "'2147483648' is not a whole number";
    QTest::newRow("stamp beyond 64 bits") << QByteArray("<ArrivalStamp>42</ArrivalStamp>") << QByteArray("<ArrivalStamp>9223372036854775808" "</ArrivalStamp>") << "is not a whole number";
    QTest::newRow("invalid occurrence time") << QByteArray("<Time>") << QByteArray("<Time>yesterday") << "Invalid time 'yesterday";
    QTest::newRow("unknown dataset model") << QByteArray("<Model>XMP</Model>") << QByteArray("<Model>PDF</Model>") << "Invalid dataset 'job.pdf' with model 'PDF'";
    QTest::newRow("private data key given twice") << QByteArray("<Key>other</Key>") << QByteArray("<Key>job.pdf</Key>") << "Private data key 'job.pdf' appears more than once";
    QTest::newRow("foreign element in a list") << QByteArray("<EmailInfo>") << QByteArray("<Entry/><EmailInfo>") << "Unexpected element <Entry>";
    // clang-format on
}

void tst_IJT::damagedTicketIsRefused()
{
    QFETCH(QByteArray, find);
    QFETCH(QByteArray, replacement);
    QFETCH(QString, cause);

    QVERIFY(makeTicket(QStringLiteral("job.pdf"))->save());
    const QString path = m_folder->filePath(QStringLiteral("_00001_.xml"));
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
    QVERIFY(makeTicket(QStringLiteral("job.pdf"))->save());
    const QByteArray content = readFile(m_folder->filePath(QStringLiteral("_00001_.xml")));
    const qsizetype complete =
        content.lastIndexOf("</JobTicket>") + qsizetype(strlen("</JobTicket>"));

    const QString path = m_folder->filePath(QStringLiteral("truncated.xml"));
    for (qsizetype length = 0; length < complete; ++length) {
        QVERIFY(writeFile(path, content.left(length)));
        QString error;
        QVERIFY2(!IJT::load(path, &error), qPrintable(QString::number(length)));
        QVERIFY(!error.isEmpty());
    }
    QVERIFY(writeFile(path, content.left(complete)));
    QVERIFY(IJT::load(path));
}

void tst_IJT::missingTicketIsRefused()
{
    QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("folder")));
    QString error;
    QVERIFY(!IJT::load(m_folder->filePath(QStringLiteral("_00009_.xml")), &error));
    QVERIFY2(error.contains(QStringLiteral("_00009_.xml' does not exist")), qPrintable(error));
    QVERIFY(!IJT::load(m_folder->filePath(QStringLiteral("folder")), &error));
    QVERIFY2(error.contains(QStringLiteral("folder' is a folder, not a file")), qPrintable(error));
}

TAVRIX_TEST_GUILESS_MAIN(tst_IJT)
#include "tst_ijt.moc"
