// The test flow that a fixture builds on disk for a run: folders, job copies, tickets, the flow
// document, datasets and global data, and every failure of the build.

#include "common/testmain.h"

#include "common/permissionsenforced.h"
#include "fixturetestsupport.h"

#include "testing/scripterentriesmanager.h"

#include "supportlib/baseframeworkenvironment.h"
#include "supportlib/job.h"
#include "supportlib/tavrix.h"
#include "supportlib/userglobaldata.h"

#include "corelib/flow/flow.h"
#include "corelib/jobs/ijt.h"
#include "corelib/logging/localizemanager.h"
#include "corelib/values/xmlvalueprocessor.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

using namespace FixtureTest;
using Scripter::FixtureItem;

namespace {

// A window whose package lies in a folder of the test's, so that relative job paths mean
// something.
class TestWindow : public FakePackageWindow
{
public:
    using FakePackageWindow::FakePackageWindow;
    QString packageFilePath() const override { return package; }
    QString package;
};

// Every file and folder below `folder`, relative to it, sorted.
QStringList tree(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        entries << QDir(folder).relativeFilePath(it.next());
    }
    entries.sort();
    return entries;
}

// The objects of a flow document: "id|Type|Name|Xpos|Ypos|Sourceobject|Destobject".
QStringList objectLines(const QString &flowFile)
{
    SRCore::Flow flow;
    if (!flow.openFromString(QString::fromUtf8(TestFiles::readFile(flowFile)))) {
        return {QStringLiteral("<unreadable>")};
    }
    QStringList lines;
    for (const SRCore::FlowObject &object : flow.getFlowObjects()) {
        QStringList parts{object.getId()};
        for (const QString &field : {XMLKey::TYPE, XMLKey::NAME, XMLKey::XPOS, XMLKey::YPOS,
                                     XMLKey::SOURCEOBJECT, XMLKey::DESTOBJECT}) {
            parts << object.getField(field).getValue();
        }
        lines << parts.join(QLatin1Char('|'));
    }
    return lines;
}

// The messages as the message pane shows them: "level|text".
QStringList shown(const RecordingLog &log)
{
    QStringList lines;
    for (const SRCore::LogRecord &record : log.records()) {
        lines << QStringLiteral("%1|%2")
                     .arg(record.level)
                     .arg(SRCore::LocalizeManager::getMessage(record));
    }
    return lines;
}

QString records(const QString &editor, const QList<SRCore::UniversalData> &fields)
{
    return SRCore::XMLValueProcessor::generateXMLValue(editor, fields);
}

} // namespace

class tst_TestFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void wholeFlowMatchesTheFixture_data();
    void wholeFlowMatchesTheFixture();
    void currentJobIsTheOneARunWorksOn_data();
    void currentJobIsTheOneARunWorksOn();
    void buildFailuresAreReported_data();
    void buildFailuresAreReported();
    void datasetsTravelWithTheirJob_data();
    void datasetsTravelWithTheirJob();
    void globalDataSurvivesRebuilds();
    void lockedLeftoversDoNotBlockTheNextRun();
    void linkedTestFolderStaysALink();
    void windowsKeepToTheirOwnTestFolder();
    void emptyTestFolderTakesTheRememberedOne();
    void exampleRunsAlikeInBothLanguages();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    // What a run of the example's program in `language` did: the entry points' results, the
    // timer interval, the outputs, the messages with their flow and element, the global data.
    QStringList runExample(const QString &language, const QString &programFile);
    void useBase(FakePackageWindow &window, const QString &base)
    {
        QVERIFY(window.fixture()->tree()->basicItem()->setPropertyValue(XMLKey::TESTFOLDER, base));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_TestFlow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("TavrixTests"));
    QCoreApplication::setApplicationName(QStringLiteral("tst_testflow"));
}

void tst_TestFlow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(path(QStringLiteral("base"))));
    QVERIFY(TestFiles::writeFile(path(QStringLiteral("jobs/a.pdf")), "%PDF-a"));
    QVERIFY(TestFiles::writeFile(path(QStringLiteral("jobs/batch/page.txt")), "page"));
    QVERIFY(TestFiles::writeFile(path(QStringLiteral("jobs/c.pdf")), "%PDF-c"));
}

void tst_TestFlow::wholeFlowMatchesTheFixture_data()
{
    QTest::addColumn<QString>("connectionType");
    QTest::addColumn<QString>("carried"); // the field the connection copies from the fixture

    // clang-format off
    QTest::newRow("move") << XMLValues::CONNECTION_MOVE << QString();
    QTest::newRow("filter") << XMLValues::CONNECTION_FILTER << XMLKey::INCLUDEMASK;
    QTest::newRow("traffic light") << XMLValues::CONNECTION_TRAFFICLIGHT << XMLKey::TRAFFICTYPE;
    // clang-format on
}

void tst_TestFlow::wholeFlowMatchesTheFixture()
{
    QFETCH(QString, connectionType);
    QFETCH(QString, carried);

    FakePackageWindow window(7);
    QVERIFY(window.declaration()->loadFromXml(declarationXml(connectionType)));
    window.fixture()->refreshBasicProperties();
    FixtureItem *basic = window.fixture()->tree()->basicItem();
    useBase(window, path(QStringLiteral("base")));
    QVERIFY(basic->setPropertyValue(XMLKey::FLOWNAME, QStringLiteral("Invoices")));
    QVERIFY(basic->setPropertyValue(XMLKey::ELEMENTNAME, QStringLiteral("Router")));
    QVERIFY(basic->setPropertyValue(QStringLiteral("Resolution"), QStringLiteral("600")));
    QVERIFY(basic->setPropertyValue(
        XMLKey::GLOBALDATA,
        records(XMLValues::EDITOR_GLOBALDATAFIELDS,
                {{QStringLiteral("Count"), QStringLiteral("Invoices"), QStringLiteral("3")}})));

    FixtureItem *a = addJob(window, path(QStringLiteral("jobs/a.pdf")));
    QVERIFY(a->setPropertyValue(XMLKey::CONNECTIONNAME, QStringLiteral("From scanner")));
    QVERIFY(a->setPropertyValue(
        XMLKey::USERDATA, records(XMLValues::EDITOR_USERDATAFIELDS,
                                  {{QStringLiteral("Amount"), QString(), QStringLiteral("12")}})));
    QVERIFY(a->setPropertyValue(XMLKey::HIERARCHYINFO, QStringLiteral("Customers\nAcme")));
    QVERIFY(a->setPropertyValue(XMLKey::JOBSTATE, QStringLiteral("Checked")));
    QVERIFY(a->setPropertyValue(XMLKey::EMAILADDRESSES, QStringLiteral("ann@example.com")));
    QVERIFY(a->setPropertyValue(XMLKey::EMAILBODYTEXT, QStringLiteral("Your invoice")));
    addJob(window, QString()); // never given a file
    addJob(window, path(QStringLiteral("jobs/batch")));
    addJob(window, path(QStringLiteral("jobs/c.pdf")), false);
    FixtureItem *approval = addConnection(window, QStringLiteral("Approval"));
    QVERIFY(approval->setPropertyValue(QStringLiteral("Route"), QStringLiteral("north")));
    addConnection(window, QStringLiteral("Booking"), false);
    addConnection(window, QStringLiteral("Archive"));
    window.fixture()->tree()->setCurrentItem(a);

    QVERIFY(window.fixture()->buildTestFlow());

    const QString testFolder = path(QStringLiteral("base/FixtureTest07"));
    QCOMPARE(window.fixture()->testFolder(), testFolder);
    QCOMPARE(tree(testFolder),
             (QStringList{"UserGlobalData.xml", "datasets", "flow", "flow/flow.xml", "inFolder2",
                          "inFolder2/_00001_a.pdf", "inFolder4", "inFolder4/_00002_batch",
                          "inFolder4/_00002_batch/page.txt", "outFolder6", "outFolder8", "tickets",
                          "tickets/_00001_.xml", "tickets/_00002_.xml"}));
    QCOMPARE(window.fixture()->createdFolders(),
             (QStringList{testFolder + "/inFolder2", testFolder + "/inFolder4",
                          testFolder + "/outFolder6", testFolder + "/outFolder8"}));
    const QString filter = XMLValues::CONNECTION_FILTER;
    QCOMPARE(objectLines(testFolder + QStringLiteral("/flow/flow.xml")),
             (QStringList{"1|ScriptElement|Router|120|60||", "2|Folder|inFolder2|10|10||",
                          "3|" + filter + "|From scanner|||2|1", "4|Folder|inFolder4|10|60||",
                          "5|" + filter + "||||4|1", "6|Folder|outFolder6|230|10||",
                          "7|" + connectionType + "|Approval|||1|6", "8|Folder|outFolder8|230|60||",
                          "9|" + connectionType + "|Archive|||1|8"}));

    const SRCore::Flow *flow = window.fixture()->testFlow();
    QCOMPARE(flow->getFlowName(), QStringLiteral("Invoices"));
    const SRCore::FlowObject element = flow->getFlowObject(QStringLiteral("1"));
    QCOMPARE(element.getField(QStringLiteral("Resolution")).getValue(), QStringLiteral("600"));
    QCOMPARE(element.getField(XMLKey::CONNECTIONTYPE).getValue(), connectionType);
    QCOMPARE(flow->getFlowObject(QStringLiteral("7")).getField(QStringLiteral("Route")).getValue(),
             QStringLiteral("north"));
    if (!carried.isEmpty()) {
        QCOMPARE(flow->getFlowObject(QStringLiteral("7")).getField(carried).getValue(),
                 approval->value(carried));
    }

    const SRCore::IJT *ticket = window.fixture()->currentJobTicket();
    QVERIFY(ticket);
    QCOMPARE(ticket->getActiveFilePath(), testFolder + QStringLiteral("/inFolder2/_00001_a.pdf"));
    QCOMPARE(ticket->getFamilyID(), QStringLiteral("_00001_"));
    QCOMPARE(ticket->getFlowName(), QStringLiteral("Invoices"));
    QCOMPARE(ticket->getPrivateData(QStringLiteral("Amount")), QStringLiteral("12"));
    QCOMPARE(ticket->getLocationPath(), QStringLiteral("Customers\nAcme"));
    QCOMPARE(ticket->getJobState(), QStringLiteral("Checked"));
    QCOMPARE(ticket->getEmailInfos().value(0).addresses, QStringLiteral("ann@example.com"));
    QCOMPARE(ticket->getEmailInfos().value(0).body, QStringLiteral("Your invoice"));
    QCOMPARE(ticket->getOccurrences().value(0).objectName, QStringLiteral("inFolder2"));
    QCOMPARE(window.fixture()->currentJobName(true), QStringLiteral("a.pdf"));
    QCOMPARE(UserGlobalData(testFolder + QStringLiteral("/UserGlobalData.xml"))
                 .getGlobalData(QStringLiteral("Invoices"), QStringLiteral("Count")),
             QStringLiteral("3"));
    QCOMPARE(shown(window.log), QStringList());
}

void tst_TestFlow::currentJobIsTheOneARunWorksOn_data()
{
    QTest::addColumn<QList<bool>>("enabled"); // jobs a.pdf, c.pdf, batch in this order
    QTest::addColumn<int>("selected");        // -1: the basic item
    QTest::addColumn<QString>("current");

    // clang-format off
    QTest::newRow("the only job") << QList<bool>{true} << -1 << "a.pdf";
    QTest::newRow("two enabled, none selected") << QList<bool>{true, true} << -1 << "";
    QTest::newRow("the selected one of two") << QList<bool>{true, true} << 1 << "c.pdf";
    QTest::newRow("the only enabled of three, another selected") << QList<bool>{false, true, false} << 0 << "c.pdf";
    // clang-format on
}

void tst_TestFlow::currentJobIsTheOneARunWorksOn()
{
    QFETCH(QList<bool>, enabled);
    QFETCH(int, selected);
    QFETCH(QString, current);

    FakePackageWindow window;
    useBase(window, path(QStringLiteral("base")));
    const QStringList files{QStringLiteral("jobs/a.pdf"), QStringLiteral("jobs/c.pdf"),
                            QStringLiteral("jobs/batch")};
    QList<FixtureItem *> jobs;
    for (int i = 0; i < enabled.size(); ++i) {
        jobs << addJob(window, path(files.at(i)), enabled.at(i));
    }
    window.fixture()->tree()->setCurrentItem(selected < 0 ? window.fixture()->tree()->basicItem()
                                                          : jobs.at(selected));
    QVERIFY(window.fixture()->buildTestFlow());
    QCOMPARE(window.fixture()->currentJobName(true), current);
    QCOMPARE(bool(window.fixture()->currentJobTicket()), !current.isEmpty());
}

void tst_TestFlow::buildFailuresAreReported_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message"); // %1: the temporary folder
    QTest::addColumn<bool>("built");
    QTest::addColumn<bool>("ticket"); // whether the job got its ticket

    // clang-format off
    QTest::newRow("test folder on a read-only place") << "read-only base" << "3|Can't create folder '%1/base/FixtureTest07'" << false << false;
    QTest::newRow("test folder that can't be renewed nor emptied") << "locked test folder" << "3|Can't cleanup test folder '%1/base/FixtureTest07'" << false << false;
    QTest::newRow("job folder holding the test folder") << "base as job" << "3|Can't use folder '%1/base' as job" << true << false;
    QTest::newRow("job folder whose copy fails midway") << "unreadable job" << "3|Can't copy file '%1/jobs/batch'" << true << false;
    QTest::newRow("missing dataset backing file") << "missing dataset" << "3|Metadata backing file '%1/jobs/none.xml' does not exist" << true << true;
    QTest::newRow("dataset backing file that is not XML") << "text dataset" << "3|Metadata dataset 'Meta' can't be used" << true << true;
    // clang-format on
}

void tst_TestFlow::buildFailuresAreReported()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    QFETCH(bool, built);
    QFETCH(bool, ticket);

    const PermissionsEnforced enforced;
    QVERIFY(enforced.isActive());
    FakePackageWindow window(7);
    useBase(window, path(QStringLiteral("base")));
    QString jobPath = path(QStringLiteral("jobs/a.pdf"));
    QString locked;
    if (fault == QLatin1String("read-only base")) {
        locked = path(QStringLiteral("base"));
    } else if (fault == QLatin1String("locked test folder")) {
        // The base keeps the old folder from being moved aside, and a folder in it keeps it from
        // being emptied.
        QVERIFY(TestFiles::writeFile(path(QStringLiteral("base/FixtureTest07/inFolder2/x")), "x"));
        QVERIFY(QFile::setPermissions(path(QStringLiteral("base/FixtureTest07/inFolder2")),
                                      QFile::ReadOwner | QFile::ExeOwner));
        locked = path(QStringLiteral("base"));
    } else if (fault == QLatin1String("base as job")) {
        jobPath = path(QStringLiteral("base"));
    } else if (fault == QLatin1String("unreadable job")) {
        // The folder's first file copies, its second can't be read.
        jobPath = path(QStringLiteral("jobs/batch"));
        QVERIFY(TestFiles::writeFile(path(QStringLiteral("jobs/batch/secret.txt")), "secret"));
        QVERIFY(QFile::setPermissions(path(QStringLiteral("jobs/batch/secret.txt")),
                                      QFile::Permissions()));
    }
    FixtureItem *job = addJob(window, jobPath);
    if (fault.endsWith(QLatin1String("dataset"))) {
        const QString backing =
            path(fault == QLatin1String("missing dataset") ? QStringLiteral("jobs/none.xml")
                                                           : QStringLiteral("jobs/c.pdf"));
        QVERIFY(job->setPropertyValue(
            XMLKey::METADATADATASETS,
            records(XMLValues::EDITOR_METADATAFIELDS,
                    {{QStringLiteral("Meta"), XMLValues::MODEL_XML, backing}})));
    }
    if (!locked.isEmpty()) {
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    }

    const bool result = window.fixture()->buildTestFlow();
    for (const QString &folder : {locked, path(QStringLiteral("base/FixtureTest07/inFolder2"))}) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QCOMPARE(result, built);
    QVERIFY2(!shown(window.log).filter(message.arg(m_dir->path())).isEmpty(),
             qPrintable(shown(window.log).join(QLatin1Char('\n'))));
    const SRCore::IJT *current = window.fixture()->currentJobTicket();
    QCOMPARE(bool(current), ticket);
    if (current) {
        QCOMPARE(current->getJobDatasets().size(), 0);
    }
    QCOMPARE(bool(window.fixture()->testFlow()), built);
    // Nothing of a job copy that failed is left in its input folder.
    if (built && !ticket) {
        QCOMPARE(tree(path(QStringLiteral("base/FixtureTest07/inFolder2"))), QStringList());
    }
}

void tst_TestFlow::datasetsTravelWithTheirJob_data()
{
    QTest::addColumn<QStringList>("datasets"); // "name|model|backing file" of the fixture's job
    QTest::addColumn<QStringList>("copies");   // the files of the datasets folder
    QTest::addColumn<QStringList>("attached"); // "name|model|file name" of the ticket

    // clang-format off
    QTest::newRow("XML") << QStringList{"Invoice|XML|meta/invoice.xml"} << QStringList{"invoice.xml"} << QStringList{"Invoice|XML|invoice.xml"};
    QTest::newRow("JDF") << QStringList{"Order|JDF|meta/order.jdf"} << QStringList{"order.jdf"} << QStringList{"Order|JDF|order.jdf"};
    QTest::newRow("XMP") << QStringList{"Page|XMP|meta/page.xmp"} << QStringList{"page.xmp"} << QStringList{"Page|XMP|page.xmp"};
    QTest::newRow("Opaque, whatever the file holds") << QStringList{"Scan|Opaque|jobs/a.pdf"} << QStringList{"a.pdf"} << QStringList{"Scan|Opaque|a.pdf"};
    QTest::newRow("a model that is none of them") << QStringList{"Sheet|CSV|meta/invoice.xml"} << QStringList{} << QStringList{};
    QTest::newRow("two backing files of one name") << QStringList{"Invoice|XML|meta/invoice.xml", "Copy|XML|other/invoice.xml"} << QStringList{"invoice-2.xml", "invoice.xml"} << QStringList{"Invoice|XML|invoice.xml", "Copy|XML|invoice-2.xml"};
    // clang-format on
}

void tst_TestFlow::datasetsTravelWithTheirJob()
{
    QFETCH(QStringList, datasets);
    QFETCH(QStringList, copies);
    QFETCH(QStringList, attached);

    const QMap<QString, QByteArray> contents{
        {QStringLiteral("xml"), "<Invoice><Total>12</Total></Invoice>"},
        {QStringLiteral("jdf"), "<JDF xmlns=\"http://www.CIP4.org/JDFSchema_1_1\" JobID=\"J-1\"/>"},
        {QStringLiteral("xmp"), "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"/>"}};
    QList<SRCore::UniversalData> fields;
    for (const QString &dataset : datasets) {
        const QStringList parts = dataset.split(QLatin1Char('|'));
        const QString backing = path(parts.at(2));
        if (!QFileInfo::exists(backing)) {
            QVERIFY(TestFiles::writeFile(backing, contents.value(QFileInfo(backing).suffix())));
        }
        fields.append({parts.at(0), parts.at(1), backing});
    }
    FakePackageWindow window;
    useBase(window, path(QStringLiteral("base")));
    FixtureItem *job = addJob(window, path(QStringLiteral("jobs/a.pdf")));
    QVERIFY(job->setPropertyValue(XMLKey::METADATADATASETS,
                                  records(XMLValues::EDITOR_METADATAFIELDS, fields)));
    QVERIFY(window.fixture()->buildTestFlow());

    const QString datasetsFolder = window.fixture()->testFolder() + QStringLiteral("/datasets");
    QCOMPARE(tree(datasetsFolder), copies);
    QStringList actual;
    for (const SRCore::IJT::Dataset &dataset :
         window.fixture()->currentJobTicket()->getJobDatasets()) {
        QCOMPARE(QFileInfo(dataset.backingFile).absolutePath(), datasetsFolder);
        actual << QStringList{dataset.name, dataset.model,
                              QFileInfo(dataset.backingFile).fileName()}
                      .join(QLatin1Char('|'));
    }
    QCOMPARE(actual, attached);
    QCOMPARE(shown(window.log), QStringList());
}

void tst_TestFlow::globalDataSurvivesRebuilds()
{
    FakePackageWindow window(7);
    useBase(window, path(QStringLiteral("base")));
    addJob(window, path(QStringLiteral("jobs/a.pdf")));
    Scripter::ScripterEntriesManager manager(path(QStringLiteral("temp")), &window.log);
    QVERIFY(window.fixture()->buildTestFlow());

    // What a run stores is there after the next build; the rest of the test folder is new.
    UserGlobalData *data = manager.getUserGlobalData();
    QVERIFY(data);
    QVERIFY(data->setGlobalData(QStringLiteral("Scope"), QStringLiteral("Tag"),
                                QStringLiteral("kept")));
    const QString testFolder = window.fixture()->testFolder();
    QVERIFY(TestFiles::writeFile(testFolder + QStringLiteral("/outFolder3/left.txt"), "old"));
    QVERIFY(window.fixture()->buildTestFlow());
    QCOMPARE(manager.currentTestFolder(), testFolder);
    QCOMPARE(
        manager.getUserGlobalData()->getGlobalData(QStringLiteral("Scope"), QStringLiteral("Tag")),
        QStringLiteral("kept"));
    QVERIFY(!QFileInfo::exists(testFolder + QStringLiteral("/outFolder3/left.txt")));

    // A damaged file is reported once, kept aside, also through later builds, and replaced.
    const QString file = testFolder + QStringLiteral("/UserGlobalData.xml");
    QVERIFY(TestFiles::writeFile(file, "<UserGlobalData"));
    QVERIFY(window.fixture()->buildTestFlow());
    QVERIFY(window.fixture()->buildTestFlow());
    QCOMPARE(shown(window.log).filter(QStringLiteral("3|Damaged global data")).size(), 1);
    QCOMPARE(TestFiles::readFile(file + QStringLiteral(".damaged")), QByteArray("<UserGlobalData"));
    QVERIFY(manager.getUserGlobalData()->setGlobalData(QStringLiteral("a"), QStringLiteral("b"),
                                                       QStringLiteral("c")));
}

void tst_TestFlow::lockedLeftoversDoNotBlockTheNextRun()
{
    // What the last run left and can't be removed now (a folder without write access) goes
    // aside: the new test folder is clean.
    const PermissionsEnforced enforced;
    QVERIFY(enforced.isActive());
    FakePackageWindow window(7);
    useBase(window, path(QStringLiteral("base")));
    addJob(window, path(QStringLiteral("jobs/a.pdf")));
    QVERIFY(window.fixture()->buildTestFlow());
    const QString inFolder = window.fixture()->testFolder() + QStringLiteral("/inFolder2");
    QVERIFY(TestFiles::writeFile(inFolder + QStringLiteral("/left.txt"), "left"));
    QVERIFY(QFile::setPermissions(inFolder, QFile::ReadOwner | QFile::ExeOwner));
    QVERIFY(window.fixture()->buildTestFlow());
    QCOMPARE(tree(inFolder), QStringList{QStringLiteral("_00001_a.pdf")});

    // Leftovers set aside by an earlier build go at the next one; a folder of another name stays.
    QThreadPool::globalInstance()->waitForDone();
    QFile::setPermissions(path(QStringLiteral("base/.FixtureTest07.discarded/inFolder2")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString base = path(QStringLiteral("base"));
    QVERIFY(TestFiles::writeFile(base + QStringLiteral("/.FixtureTest07-5.discarded/x"), "x"));
    QVERIFY(TestFiles::writeFile(base + QStringLiteral("/.FixtureTest070.discarded/x"), "x"));
    QVERIFY(window.fixture()->buildTestFlow());
    QThreadPool::globalInstance()->waitForDone();
    QCOMPARE(QDir(base).entryList({QStringLiteral(".*.discarded")}, QDir::Dirs | QDir::Hidden),
             QStringList{QStringLiteral(".FixtureTest070.discarded")});
}

void tst_TestFlow::linkedTestFolderStaysALink()
{
    // A test folder that links to a roomier disk is emptied, not replaced.
    const QString elsewhere = path(QStringLiteral("roomy"));
    QVERIFY(TestFiles::writeFile(elsewhere + QStringLiteral("/inFolder2/left.txt"), "left"));
    QVERIFY(QFile::link(elsewhere, path(QStringLiteral("base/FixtureTest07"))));
    FakePackageWindow window(7);
    useBase(window, path(QStringLiteral("base")));
    addJob(window, path(QStringLiteral("jobs/a.pdf")));
    QVERIFY(window.fixture()->buildTestFlow());
    QVERIFY(QFileInfo(path(QStringLiteral("base/FixtureTest07"))).isSymLink());
    QCOMPARE(tree(elsewhere + QStringLiteral("/inFolder2")),
             QStringList{QStringLiteral("_00001_a.pdf")});
}

void tst_TestFlow::windowsKeepToTheirOwnTestFolder()
{
    FakePackageWindow first(7);
    FakePackageWindow second(8);
    for (FakePackageWindow *window : {&first, &second}) {
        useBase(*window, path(QStringLiteral("base")));
        addJob(*window, path(QStringLiteral("jobs/a.pdf")));
        QVERIFY(window->fixture()->buildTestFlow());
    }
    const QStringList secondFiles = tree(second.fixture()->testFolder());
    QVERIFY(first.fixture()->buildTestFlow());
    QCOMPARE(tree(second.fixture()->testFolder()), secondFiles);
    QCOMPARE(second.fixture()->testFolder(), path(QStringLiteral("base/FixtureTest08")));
}

void tst_TestFlow::emptyTestFolderTakesTheRememberedOne()
{
    QSettings().setValue(QStringLiteral("General/TestFolderPath"), path(QStringLiteral("base")));
    FakePackageWindow window(3);
    QVERIFY(window.fixture()->buildTestFlow());
    QCOMPARE(window.fixture()->testFolder(), path(QStringLiteral("base/FixtureTest03")));
    QCOMPARE(window.fixture()->tree()->basicItem()->value(XMLKey::TESTFOLDER),
             path(QStringLiteral("base")));

    // A remembered folder that is gone gives the system's temporary folder.
    QSettings().setValue(QStringLiteral("General/TestFolderPath"), path(QStringLiteral("gone")));
    FakePackageWindow other(4);
    QVERIFY(other.fixture()->buildTestFlow());
    QCOMPARE(QFileInfo(other.fixture()->testFolder()).absolutePath(),
             QFileInfo(QDir::tempPath()).absoluteFilePath());
    QDir(other.fixture()->testFolder()).removeRecursively();
}

QStringList tst_TestFlow::runExample(const QString &language, const QString &programFile)
{
    // The bundled example, run as the runner will: its declaration and fixture, its program, the
    // program's entries manager bound to its fixture; first timerFired, which sees the job
    // waiting, then jobArrived.
    const QString package = QStringLiteral(TAVRIX_EXAMPLES_DIR "/InvoiceRouter/InvoiceRouter");
    TestWindow window(5);
    window.package = package + QStringLiteral("/InvoiceRouter.tscript");
    const QString base = path(language);
    if (!window.declaration()->load(package + QStringLiteral("/InvoiceRouter.xml"))
        || !window.fixture()->loadFromFile(package + QStringLiteral("/InvoiceRouter.tfixture"))
        || !QDir().mkpath(base)) {
        return {QStringLiteral("<the example can't be loaded>")};
    }
    window.fixture()->refreshBasicProperties();
    window.fixture()->refreshConnectionProperties();
    useBase(window, base);
    Scripter::ScripterEntriesManager manager(path(QStringLiteral("temp")), &window.log);
    manager.bindFixture(window.fixture());
    if (!window.fixture()->buildTestFlow()) {
        return {QStringLiteral("<the test flow can't be built>")};
    }

    const ScriptCodeAndLangStruct script{
        QString::fromUtf8(TestFiles::readFile(package + QLatin1Char('/') + programFile)), language};
    BaseFrameworkEnvironment environment;
    SRCore::IJT *ticket = window.fixture()->currentJobTicket();
    Tavrix timerElement(window.fixture()->testFlow(), QStringLiteral("1"), &environment, ticket,
                        &window.log);
    QStringList outcome{QStringLiteral("timerFired: ")
                        + manager.timerFired(&timerElement, script, nullptr)};
    outcome << QStringLiteral("interval %1").arg(timerElement.getTimerInterval());
    Tavrix element(window.fixture()->testFlow(), QStringLiteral("1"), &environment, ticket,
                   &window.log);
    Job job(ticket, &environment, &window.log);
    outcome << QStringLiteral("jobArrived: ") + manager.jobArrived(&element, &job, script, nullptr);

    const QString testFolder = window.fixture()->testFolder();
    for (const QString &entry : tree(testFolder)) {
        if (QFileInfo(testFolder + QLatin1Char('/') + entry).isFile()
            && entry.startsWith(QLatin1String("outFolder"))) {
            outcome << QStringLiteral("output ") + entry;
        }
    }
    for (const SRCore::LogRecord &record : window.log.records()) {
        outcome << QStringLiteral("%1|%2|%3|%4")
                       .arg(record.level)
                       .arg(record.flow, record.element,
                            SRCore::LocalizeManager::getMessage(record));
    }
    outcome << QStringLiteral("global data Invoices/Large: ")
                   + manager.getUserGlobalData()->getGlobalData(QStringLiteral("Invoices"),
                                                                QStringLiteral("Large"));
    return outcome;
}

void tst_TestFlow::exampleRunsAlikeInBothLanguages()
{
    const QStringList javaScript =
        runExample(XMLValues::JAVASCRIPT, QStringLiteral("InvoiceRouter.js"));
    const QStringList vbScript =
        runExample(XMLValues::VBSCRIPT, QStringLiteral("InvoiceRouter.vbs"));
    QCOMPARE(vbScript, javaScript);

    // What the example's notes promise.
    for (const QString &line :
         {QStringLiteral("timerFired: "), QStringLiteral("interval 3600"),
          QStringLiteral("jobArrived: "), QStringLiteral("global data Invoices/Large: 1"),
          QStringLiteral("2|Invoices|InvoiceRouter|1 invoices wait to be routed"),
          QStringLiteral("1|Invoices|InvoiceRouter|Invoice invoice-4711.xml: 1250.00 EUR routed "
                         "as large")}) {
        QVERIFY2(javaScript.contains(line), qPrintable(javaScript.join(QLatin1Char('\n'))));
    }
    QCOMPARE(javaScript.filter(QRegularExpression(QStringLiteral("^output "))).size(), 1);
    QVERIFY2(!javaScript.filter(QStringLiteral("/_00002_invoice-4711.xml")).isEmpty(),
             qPrintable(javaScript.join(QLatin1Char('\n'))));
}

TAVRIX_TEST_MAIN(tst_TestFlow)
#include "tst_testflow.moc"
