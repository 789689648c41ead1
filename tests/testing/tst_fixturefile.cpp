// Saving a fixture as a ".tfixture" archive and loading it back into a window: what survives the
// round trip, what the document holds, and what each kind of damaged or incomplete file does.

#include "common/testmain.h"

#include "fixturetestsupport.h"

#include "testing/fixturearchive.h"

#include "package/objecttemplates.h"

#include "corelib/files/filehandler.h"
#include "corelib/flow/flow.h"

#include <QTest>

#include <algorithm>

using namespace FixtureTest;
using Scripter::FixtureItem;

namespace {

// What a window's fixture shows and holds, item by item, as text to compare and to read in a
// failure: text, enabled state, and every field with its value and editor.
QStringList describe(const Scripter::FixtureTree *tree)
{
    QStringList lines;
    const auto add = [&lines](const QString &indent, const FixtureItem *item) {
        lines << indent + item->text(0) + (item->flags() == Qt::ItemIsSelectable ? " (off)" : "");
        for (const SRCore::FlowObjectField &field : item->object().getFields()) {
            lines << indent
                         + QStringLiteral("  %1=%2 [%3]")
                               .arg(field.getName(), field.getValue(), field.getSubType());
        }
    };
    add(QString(), tree->basicItem());
    for (const FixtureItem *group : {tree->incomingGroup(), tree->outgoingGroup()}) {
        lines << group->text(0);
        for (int i = 0; i < group->childCount(); ++i) {
            add(QStringLiteral("    "), static_cast<const FixtureItem *>(group->child(i)));
        }
    }
    return lines;
}

SRCore::FlowObject objectOf(const QString &type)
{
    return Scripter::ObjectTemplates::defaultObject(type);
}

} // namespace

class tst_FixtureFile : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_folder = std::make_unique<TestFolder>(); }

    void roundTripKeepsValuesEditorsStatesAndOrder();
    void documentHoldsHeaderAndNumberedObjects_data();
    void documentHoldsHeaderAndNumberedObjects();
    void loadReplacesJobsAndConnections();
    void unreadableFileLeavesTheFixtureAsItWas();
    void incompleteObjectsAreLeftOut_data();
    void incompleteObjectsAreLeftOut();
    void damagedFieldAttributesAreRepaired();
    void failedSaveKeepsThePreviousFixture();
    void fixtureWithoutExpectationsIsWrittenAsBefore();
    void malformedExpectationsAreDroppedAndNamed_data();
    void malformedExpectationsAreDroppedAndNamed();

private:
    QString path(const QString &name) const { return m_folder->path(name); }
    // A fixture file of the given objects, with a header like the program's.
    bool writeFixture(const QString &file, const QList<SRCore::FlowObject> &objects) const;

    std::unique_ptr<TestFolder> m_folder;
};

bool tst_FixtureFile::writeFixture(const QString &file,
                                   const QList<SRCore::FlowObject> &objects) const
{
    auto flow = SRCore::Flow::createEmptyFlow(QStringLiteral("1"));
    flow->getHeader().createField(XMLKey::TYPE).setValue(XMLValues::FLOW);
    for (const SRCore::FlowObject &object : objects) {
        flow->createFlowObject(object);
    }
    return Scripter::FixtureArchive::write(file, QStringLiteral("Router"), *flow);
}

// Expected results included.
void tst_FixtureFile::roundTripKeepsValuesEditorsStatesAndOrder()
{
    const QString jobFile = path(QStringLiteral("jobs/order 17.pdf"));
    QVERIFY(writeFile(jobFile, "%PDF-1.4"));
    const QString jobFolder = path(QStringLiteral("jobs/batch"));
    QVERIFY(QDir().mkpath(jobFolder));
    const QString fixtureFile = path(QStringLiteral("router.tfixture"));
    const QString messages = QStringLiteral("info: Routed *\nerror: Invoice ?? has no amount");

    QStringList saved;
    {
        FakePackageWindow window;
        QVERIFY(window.declaration()->loadFromXml(declarationXml(XMLValues::CONNECTION_FILTER)));
        window.refreshFixtureProperties(true, true);
        Scripter::FixtureTree *tree = window.fixture()->tree();
        FixtureItem *basic = tree->basicItem();
        QVERIFY(basic->setPropertyValue(XMLKey::TESTFOLDER, path(QStringLiteral("tests"))));
        QVERIFY(basic->setPropertyValue(XMLKey::ELEMENTNAME, QStringLiteral("Router <1>")));
        QVERIFY(basic->setPropertyValue(QStringLiteral("Resolution"), QStringLiteral("600")));
        QVERIFY(basic->setPropertyValue(XMLKey::EXPECTEDMESSAGES, messages));
        QVERIFY(basic->setPropertyValue(XMLKey::EXPECTNOERRORS, XMLValues::YES));

        auto *file = newJob(window);
        QVERIFY(file->setPropertyValue(XMLKey::FILEORFOLDER, jobFile));
        QVERIFY(file->setPropertyValue(XMLKey::EMAILBODYTEXT,
                                       QStringLiteral("  Dear reader,\r\n\tsee attached.\n")));
        QVERIFY(file->setPropertyValue(XMLKey::HIERARCHYINFO, QStringLiteral("Acme\nProofs")));
        QVERIFY(file->setPropertyValue(XMLKey::EXPECTEDPRIVATEDATA,
                                       QStringLiteral("InvoiceClass = Large\nRoute=north")));
        auto *folder = newJob(window);
        QVERIFY(folder->setPropertyValue(XMLKey::FILEORFOLDER, jobFolder));
        QVERIFY(folder->setPropertyValue(XMLKey::ENABLED, XMLValues::NO));
        // A job whose file was never chosen keeps its name.
        newJob(window);

        auto *held = newConnection(window);
        QVERIFY(held->setPropertyValue(XMLKey::HOLDFILES, XMLValues::YES));
        QVERIFY(held->setPropertyValue(XMLKey::EXPECTEDFILECOUNT, QStringLiteral("2")));
        QVERIFY(held->setPropertyValue(XMLKey::EXPECTEDFILENAMES, QStringLiteral("*.pdf")));
        GuiLib::IProperty *include = propertyOf(held, XMLKey::INCLUDEMASK);
        include->setEditor(XMLValues::EDITOR_FILEPATTERNS);
        include->setValue(QStringLiteral("*.pdf"), false, false);
        auto *off = newConnection(window);
        QVERIFY(off->setPropertyValue(XMLKey::CONNECTIONNAME, QStringLiteral("Rejects")));
        QVERIFY(off->setPropertyValue(XMLKey::ENABLED, XMLValues::NO));
        GuiLib::IProperty *route = propertyOf(off, QStringLiteral("Route"));
        route->setEditor(XMLValues::EDITOR_CHOOSEFOLDER);
        route->setValue(QStringLiteral("/out"), false, false);

        QString error;
        QVERIFY2(window.fixture()->saveToFile(fixtureFile, &error), qPrintable(error));
        saved = describe(tree);
        QVERIFY(window.log.records().isEmpty());
    }
    QVERIFY(entriesBelow(m_folder->tempRoot).isEmpty());
    QVERIFY(PythonZip::contents(fixtureFile)
                .values()
                .join()
                .contains("<ScriptFixtureFormatVersion>1.1<"));

    FakePackageWindow window;
    QVERIFY(window.declaration()->loadFromXml(declarationXml(XMLValues::CONNECTION_FILTER)));
    window.refreshFixtureProperties(true, true);
    QVERIFY(window.fixture()->loadFromFile(fixtureFile));
    QVERIFY2(window.log.records().isEmpty(), qPrintable(window.log.entries().join('\n')));
    QVERIFY(entriesBelow(m_folder->tempRoot).isEmpty());
    QCOMPARE(describe(window.fixture()->tree()), saved);

    Scripter::FixtureTree *tree = window.fixture()->tree();
    QCOMPARE(tree->currentItem(), tree->basicItem());
    const FixtureItem *file = child(tree->incomingGroup(), 0);
    QVERIFY(sameIcon(file->icon(0), window.fileIconProvider()->icon(QFileInfo(jobFile))));
    const FixtureItem *folder = child(tree->incomingGroup(), 1);
    QVERIFY(folder->flags().testFlag(Qt::ItemIsSelectable));
    QVERIFY(sameIcon(folder->icon(0), image(QStringLiteral("img_Unchecked.png"))));
    QCOMPARE(propertyOf(child(tree->outgoingGroup(), 0), XMLKey::INCLUDEMASK)->editor(),
             XMLValues::EDITOR_FILEPATTERNS);
    QCOMPARE(propertyOf(child(tree->outgoingGroup(), 1), QStringLiteral("Route"))->editor(),
             XMLValues::EDITOR_CHOOSEFOLDER);
    QVERIFY(sameIcon(child(tree->outgoingGroup(), 0)->icon(0),
                     image(QStringLiteral("img_Connection.png"))));
    const Scripter::FixtureExpectations expected = window.fixture()->expectations();
    QCOMPARE(expected.messages.size(), 2);
    QVERIFY(expected.noErrors);
    QCOMPARE(expected.jobs.value(0).name, QStringLiteral("order 17.pdf"));
    QCOMPARE(expected.jobs.value(0).privateData.size(), 2);
    QCOMPARE(expected.connections.value(0).fileCount, std::optional<int>(2));
    // Loading is no edit, and it takes no numbers from the counter.
    QCOMPARE(window.modifiedCount, 0);
    newJob(window);
    QCOMPARE(child(tree->incomingGroup(), 3)->text(0), QStringLiteral("FileOrFolder0"));
}

void tst_FixtureFile::documentHoldsHeaderAndNumberedObjects_data()
{
    QTest::addColumn<QString>("elementName");
    QTest::addColumn<QString>("flowName");
    // clang-format off
    QTest::newRow("named after the element") << QStringLiteral("Sorter") << QStringLiteral("Sorter");
    QTest::newRow("unnamed element gives Test Flow") << QString() << QStringLiteral("Test Flow");
    // clang-format on
}

void tst_FixtureFile::documentHoldsHeaderAndNumberedObjects()
{
    QFETCH(QString, elementName);
    QFETCH(QString, flowName);

    FakePackageWindow window;
    QVERIFY(window.declaration()->loadFromXml(declarationXml(XMLValues::CONNECTION_MOVE)));
    window.refreshFixtureProperties(true, true);
    Scripter::FixtureTree *tree = window.fixture()->tree();
    QVERIFY(tree->basicItem()->setPropertyValue(XMLKey::ELEMENTNAME, elementName));
    newConnection(window);
    newJob(window);
    newJob(window);
    const QString fixtureFile = path(QStringLiteral("sorter.tfixture"));
    QVERIFY(window.fixture()->saveToFile(fixtureFile));

    Scripter::FixtureArchive::Content content;
    QVERIFY(Scripter::FixtureArchive::read(fixtureFile, content));
    QCOMPARE(content.instanceName, QStringLiteral("Router"));
    const SRCore::FlowObject header = content.flow->getHeader();
    QCOMPARE(header.getField(XMLKey::TYPE).getValue(), XMLValues::FLOW);
    QCOMPARE(header.getField(XMLKey::NAME).getValue(), flowName);
    QCOMPARE(header.getField(XMLKey::RUNNING).getValue(), XMLValues::NO);

    QStringList objects;
    for (const SRCore::FlowObject &object : content.flow->getFlowObjects()) {
        objects << object.getId() + QLatin1Char(' ') + object.getType();
    }
    // Jobs before connections, whatever the order in which they were made.
    QCOMPARE(objects, QStringList({"1 BasicTestProperties", "2 IncommingJobs", "3 IncommingJobs",
                                   "4 OutGoingConnections"}));
    // The objects carry the declaration's fields beside their own, hidden ones included.
    const SRCore::FlowObject basic = content.flow->getFlowObject(QStringLiteral("1"));
    QCOMPARE(basic.getField(QStringLiteral("Resolution")).getValue(), QStringLiteral("300"));
    const SRCore::FlowObject connection = content.flow->getFlowObject(QStringLiteral("4"));
    QCOMPARE(connection.getField(XMLKey::INCLUDEMASK).getProperty(XMLKey::EDITOR), XMLValues::HIDE);
    QCOMPARE(connection.getField(QStringLiteral("Route")).getValue(), QStringLiteral("here"));
}

// What the window held before goes: a fixture without jobs and connections loads back empty.
void tst_FixtureFile::loadReplacesJobsAndConnections()
{
    const QString fixtureFile = path(QStringLiteral("empty.tfixture"));
    {
        FakePackageWindow window;
        FixtureItem *basic = window.fixture()->tree()->basicItem();
        QVERIFY(basic->setPropertyValue(XMLKey::TESTFOLDER, QStringLiteral("/srv/tests")));
        QVERIFY(basic->setPropertyValue(XMLKey::GLOBALDATA, QStringLiteral("plain text")));
        QVERIFY(window.fixture()->saveToFile(fixtureFile));
    }
    FakePackageWindow window;
    for (int i = 0; i < 2; ++i) {
        newJob(window);
        newConnection(window);
    }
    child(window.fixture()->tree()->incomingGroup(), 0)->itemSelected();
    QVERIFY(window.fixture()->loadFromFile(fixtureFile));
    QCOMPARE(window.fixture()->tree()->incomingGroup()->childCount(), 0);
    QCOMPARE(window.fixture()->tree()->outgoingGroup()->childCount(), 0);
    const FixtureItem *basic = window.fixture()->tree()->basicItem();
    QCOMPARE(basic->value(XMLKey::TESTFOLDER), QStringLiteral("/srv/tests"));
    QCOMPARE(basic->value(XMLKey::GLOBALDATA), QStringLiteral("plain text"));
    QVERIFY(shows(window, basic));
}

// Why an archive cannot be read is the archive reader's (tst_fixturearchive); the fixture
// reports it and stays as it was.
void tst_FixtureFile::unreadableFileLeavesTheFixtureAsItWas()
{
    const QString fixtureFile = path(QStringLiteral("router.tfixture"));
    const QByteArray manifest = "<Manifest><ScripterInstanceName>R</ScripterInstanceName>"
                                "<ScriptFixtureFormatVersion>1.0</ScriptFixtureFormatVersion>"
                                "<ScriptFixtureFile>router.xml</ScriptFixtureFile></Manifest>";
    QVERIFY(PythonZip::write(fixtureFile, {{QStringLiteral("manifest.xml"), manifest},
                                           {QStringLiteral("router.xml"), "<Flow FormatVersion"}}));

    FakePackageWindow window;
    FixtureItem *basic = window.fixture()->tree()->basicItem();
    QVERIFY(basic->setPropertyValue(XMLKey::FLOWNAME, QStringLiteral("Kept")));
    auto *job = newJob(window);
    QVERIFY(job->setPropertyValue(XMLKey::FILEORFOLDER, QStringLiteral("/jobs/kept.pdf")));
    newConnection(window);
    const QStringList before = describe(window.fixture()->tree());
    window.log.clear();

    QVERIFY(!window.fixture()->loadFromFile(fixtureFile));
    QCOMPARE(describe(window.fixture()->tree()), before);
    QVERIFY(entriesBelow(m_folder->tempRoot).isEmpty());
    QStringList operations;
    for (const SRCore::LogRecord &record : window.log.records()) {
        QCOMPARE(record.level, 3);
        operations << record.operation;
    }
    QCOMPARE(operations,
             QStringList({"Parse error in fixture from package '%11': line %12, column %13, "
                          "message '%14'",
                          "Can't read information from fixture '%11' for package '%12'"}));
    QVERIFY(window.log.records().first().argument.startsWith(fixtureFile + QLatin1String(",1,")));
    QCOMPARE(window.log.records().last().argument, QStringLiteral("router.xml,") + fixtureFile);
}

void tst_FixtureFile::incompleteObjectsAreLeftOut_data()
{
    QTest::addColumn<QString>("type");         // the object that lacks the field
    QTest::addColumn<QString>("missingField"); // empty: no such object at all
    QTest::addColumn<bool>("basicKept");       // the window's own basic settings stay, and why
    QTest::addColumn<QStringList>("jobs");
    QTest::addColumn<QStringList>("connections");

    const QString basic = XMLKey::SCR_BASICTESTPROPERTIES;
    const QString job = XMLKey::SCR_INCOMMINGJOBS;
    const QString connection = XMLKey::SCR_OUTGOINGCONNECTIONS;
    const QStringList jobs{"a.pdf", "b.pdf"};
    const QStringList connections{"A", "B"};
    // clang-format off
    QTest::newRow("no basic settings") << basic << QString() << true << jobs << connections;
    for (const QString &field : {XMLKey::TESTFOLDER, XMLKey::GLOBALDATA, XMLKey::FLOWNAME, XMLKey::ELEMENTNAME, XMLKey::TYPE}) {
        QTest::addRow("basic settings without %s", qPrintable(field)) << basic << field << true << jobs << connections;
    }
    for (const QString &field : {XMLKey::FILEORFOLDER, XMLKey::ENABLED, XMLKey::CONNECTIONNAME, XMLKey::HIERARCHYINFO, XMLKey::EMAILADDRESSES, XMLKey::EMAILBODYTEXT, XMLKey::JOBSTATE, XMLKey::USERDATA, XMLKey::TYPE}) {
        QTest::addRow("job without %s is dropped", qPrintable(field)) << job << field << false << QStringList{"b.pdf"} << connections;
    }
    QTest::newRow("job without metadata datasets is taken") << job << XMLKey::METADATADATASETS << false << jobs << connections;
    for (const QString &field : {XMLKey::CONNECTIONNAME, XMLKey::ENABLED, XMLKey::HOLDFILES}) {
        QTest::addRow("connection without %s is dropped", qPrintable(field)) << connection << field << false << jobs << QStringList{"B"};
    }
    QTest::newRow("connection without masks is taken") << connection << XMLKey::INCLUDEMASK << false << jobs << connections;
    // clang-format on
}

// The rest of the file loads: the other objects, and the fellows of the one left out.
void tst_FixtureFile::incompleteObjectsAreLeftOut()
{
    QFETCH(QString, type);
    QFETCH(QString, missingField);
    QFETCH(bool, basicKept);
    QFETCH(QStringList, jobs);
    QFETCH(QStringList, connections);

    QList<SRCore::FlowObject> objects{objectOf(XMLKey::SCR_BASICTESTPROPERTIES)};
    objects[0].getField(XMLKey::FLOWNAME).setValue(QStringLiteral("From the file"));
    for (const char *name : {"/in/a.pdf", "/in/b.pdf"}) {
        objects << objectOf(XMLKey::SCR_INCOMMINGJOBS);
        objects.last().getField(XMLKey::FILEORFOLDER).setValue(QString::fromUtf8(name));
    }
    for (const char *name : {"A", "B"}) {
        objects << objectOf(XMLKey::SCR_OUTGOINGCONNECTIONS);
        objects.last().getField(XMLKey::CONNECTIONNAME).setValue(QString::fromUtf8(name));
    }
    // The first object of the row's type is damaged.
    const auto damaged =
        std::find_if(objects.begin(), objects.end(),
                     [&type](const SRCore::FlowObject &o) { return o.getType() == type; });
    if (missingField.isEmpty()) {
        objects.erase(damaged);
    } else {
        QVERIFY(damaged->removeField(missingField));
    }
    const QString fixtureFile = path(QStringLiteral("router.tfixture"));
    QVERIFY(writeFixture(fixtureFile, objects));

    FakePackageWindow window;
    Scripter::FixtureTree *tree = window.fixture()->tree();
    QVERIFY(tree->basicItem()->setPropertyValue(XMLKey::FLOWNAME, QStringLiteral("Mine")));
    QVERIFY(window.fixture()->loadFromFile(fixtureFile));
    const QString refusal = QStringLiteral("3|Can't read basic test properties from fixture '%11' "
                                           "for package '%12'|router.xml,")
                            + fixtureFile;
    QCOMPARE(window.log.entries(), basicKept ? QStringList{refusal} : QStringList());
    QCOMPARE(tree->basicItem()->value(XMLKey::FLOWNAME), basicKept ? "Mine" : "From the file");
    QCOMPARE(childTexts(tree->incomingGroup()), jobs);
    QCOMPARE(childTexts(tree->outgoingGroup()), connections);
}

void tst_FixtureFile::damagedFieldAttributesAreRepaired()
{
    SRCore::FlowObject basic = objectOf(XMLKey::SCR_BASICTESTPROPERTIES);
    SRCore::FlowObjectField flowName = basic.getField(XMLKey::FLOWNAME);
    flowName.setProperty(XMLKey::TYPE, QStringLiteral("HIDE"));
    flowName.setValue(QStringLiteral("Night run"));
    SRCore::FlowObjectField elementName = basic.getField(XMLKey::ELEMENTNAME);
    elementName.setProperty(XMLKey::EDITOR, XMLValues::HIDE);
    elementName.setValue(QStringLiteral("Sorter"));
    basic.getField(XMLKey::TESTFOLDER).removeProperty(XMLKey::EDITOR);
    const QString fixtureFile = path(QStringLiteral("router.tfixture"));
    QVERIFY(writeFixture(fixtureFile, {basic}));

    FakePackageWindow window;
    QVERIFY(window.fixture()->loadFromFile(fixtureFile));
    const FixtureItem *item = window.fixture()->tree()->basicItem();
    QCOMPARE(visibleTags(item->properties()), QStringList({XMLKey::TESTFOLDER, XMLKey::GLOBALDATA,
                                                           XMLKey::FLOWNAME, XMLKey::ELEMENTNAME}));
    const auto *flowNameProperty =
        qobject_cast<const GuiLib::GenericProperty *>(propertyOf(item, XMLKey::FLOWNAME));
    QVERIFY(flowNameProperty);
    QCOMPARE(flowNameProperty->type(), XMLValues::EDITORTYPE_STRING);
    QCOMPARE(flowNameProperty->editors(), XMLValues::EDITOR_INLINE);
    QCOMPARE(flowNameProperty->value().toString(), QStringLiteral("Night run"));
    QVERIFY(flowNameProperty->isEditable());
    QCOMPARE(propertyOf(item, XMLKey::ELEMENTNAME)->value().toString(), QStringLiteral("Sorter"));
}

void tst_FixtureFile::failedSaveKeepsThePreviousFixture()
{
    const QString fixtureFile = path(QStringLiteral("router.tfixture"));
    FakePackageWindow window;
    auto *job = newJob(window);
    QVERIFY(job->setPropertyValue(XMLKey::FILEORFOLDER, QStringLiteral("/jobs/first.pdf")));
    QVERIFY(window.fixture()->saveToFile(fixtureFile));
    const QByteArray before = readFile(fixtureFile);

    QVERIFY(job->setPropertyValue(XMLKey::FILEORFOLDER, QStringLiteral("/jobs/second.pdf")));
    const QString blocked = path(QStringLiteral("blocked"));
    QVERIFY(writeFile(blocked, "a file where the temporary folders should go"));
    SRCore::FileHandler::setTempFolder(blocked);
    QString error;
    QVERIFY(!window.fixture()->saveToFile(fixtureFile, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readFile(fixtureFile), before);

    // Nothing of the tree was touched by the failure: the next save writes it.
    SRCore::FileHandler::setTempFolder(m_folder->tempRoot);
    QVERIFY(window.fixture()->saveToFile(fixtureFile));
    FakePackageWindow reader;
    QVERIFY(reader.fixture()->loadFromFile(fixtureFile));
    QCOMPARE(childTexts(reader.fixture()->tree()->incomingGroup()), QStringList{"second.pdf"});
}

void tst_FixtureFile::fixtureWithoutExpectationsIsWrittenAsBefore()
{
    // Saved by the program before fixtures held expected results, for the example's
    // declaration.
    const QString old = QStringLiteral(TAVRIX_TESTING_DATA_DIR "/InvoiceRouter-1.0.tfixture");
    FakePackageWindow window;
    QVERIFY(window.declaration()->loadFromXml(QString::fromUtf8(readFile(
        QStringLiteral(TAVRIX_EXAMPLES_DIR "/InvoiceRouter/InvoiceRouter/InvoiceRouter.xml")))));
    window.refreshFixtureProperties(true, true);
    QVERIFY(window.fixture()->loadFromFile(old));
    QVERIFY2(window.log.records().isEmpty(), qPrintable(window.log.lines().join('\n')));

    const QString saved = path(QStringLiteral("InvoiceRouter.tfixture"));
    QVERIFY(window.fixture()->saveToFile(saved));

    QCOMPARE(PythonZip::names(saved), PythonZip::names(old));
    const QMap<QString, QByteArray> before = PythonZip::contents(old);
    QCOMPARE(before.size(), 2);
    const QMap<QString, QByteArray> after = PythonZip::contents(saved);
    for (auto entry = before.cbegin(); entry != before.cend(); ++entry) {
        // Line by line, for a readable failure.
        QCOMPARE(QString::fromUtf8(after.value(entry.key())).split('\n'),
                 QString::fromUtf8(entry.value()).split('\n'));
    }
}

void tst_FixtureFile::malformedExpectationsAreDroppedAndNamed_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("dropped");

    const QString basic = XMLKey::SCR_BASICTESTPROPERTIES;
    const QString job = XMLKey::SCR_INCOMMINGJOBS;
    const QString connection = XMLKey::SCR_OUTGOINGCONNECTIONS;
    // clang-format off
    QTest::newRow("count that is no number") << connection << XMLKey::EXPECTEDFILECOUNT << "two" << "" << "number of files 'two' of connection 'Out'";
    QTest::newRow("negative count") << connection << XMLKey::EXPECTEDFILECOUNT << "-1" << "" << "number of files '-1'";
    QTest::newRow("data line without equals") << job << XMLKey::EXPECTEDPRIVATEDATA << "A = 1\nB 2\nC = 3" << "A = 1\nC = 3" << "private data line 'B 2' of job 'a.xml'";
    QTest::newRow("data line without key") << job << XMLKey::EXPECTEDPRIVATEDATA << " = 1\nA = 1" << "A = 1" << "private data line '= 1'";
    QTest::newRow("message of unknown type") << basic << XMLKey::EXPECTEDMESSAGES << "fatal: boom\ninfo: ok" << "info: ok" << "message line 'fatal: boom' of the basic test settings";
    QTest::newRow("message without pattern") << basic << XMLKey::EXPECTEDMESSAGES << "error:\ninfo: ok" << "info: ok" << "message line 'error:'";
    QTest::newRow("no errors neither yes nor no") << basic << XMLKey::EXPECTNOERRORS << "Maybe" << "No" << "'no errors' value 'Maybe'";
    // clang-format on
}

void tst_FixtureFile::malformedExpectationsAreDroppedAndNamed()
{
    QFETCH(QString, type);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, kept);
    QFETCH(QString, dropped);

    SRCore::FlowObject basic = objectOf(XMLKey::SCR_BASICTESTPROPERTIES);
    SRCore::FlowObject job = objectOf(XMLKey::SCR_INCOMMINGJOBS);
    job.getField(XMLKey::FILEORFOLDER).setValue(QStringLiteral("/in/a.xml"));
    SRCore::FlowObject connection = objectOf(XMLKey::SCR_OUTGOINGCONNECTIONS);
    connection.getField(XMLKey::CONNECTIONNAME).setValue(QStringLiteral("Out"));
    connection.getField(XMLKey::HOLDFILES).setValue(XMLValues::YES);
    SRCore::FlowObject &damaged = type == XMLKey::SCR_BASICTESTPROPERTIES ? basic
                                  : type == job.getType()                 ? job
                                                                          : connection;
    damaged.createField(field).setValue(value);
    const QString fixtureFile = path(QStringLiteral("router.tfixture"));
    QVERIFY(writeFixture(fixtureFile, {basic, job, connection}));

    FakePackageWindow window;
    QVERIFY(window.fixture()->loadFromFile(fixtureFile));
    const QList<SRCore::LogRecord> records = window.log.records();
    QCOMPARE(records.size(), 1);
    const SRCore::LogRecord &message = records.first();
    QCOMPARE(message.level, SRCore::LogLevel::Error);
    QVERIFY2(message.argument.contains(dropped), qPrintable(message.argument));
    QVERIFY2(message.argument.contains(QDir::toNativeSeparators(fixtureFile)),
             qPrintable(message.argument));
    // The rest of the file is there: the other values of the damaged object, and its fellows.
    const FixtureItem *item =
        type == XMLKey::SCR_BASICTESTPROPERTIES
            ? window.fixture()->tree()->basicItem()
            : child(type == job.getType() ? window.fixture()->tree()->incomingGroup()
                                          : window.fixture()->tree()->outgoingGroup(),
                    0);
    QCOMPARE(item->value(field), kept);
    QCOMPARE(child(window.fixture()->tree()->outgoingGroup(), 0)->value(XMLKey::HOLDFILES),
             XMLValues::YES);
    QCOMPARE(childTexts(window.fixture()->tree()->incomingGroup()), QStringList{"a.xml"});
}

TAVRIX_TEST_MAIN(tst_FixtureFile)
#include "tst_fixturefile.moc"
