// The application proxy through which the shared GUI library reaches the program: settings,
// dialog placement, the active window's sample jobs and their datasets, variable values and
// value editors.

#include "common/testmain.h"

#include "apptestsupport.h"

#include "app/scrappproxy.h"

#include "testing/fixture.h"
#include "testing/fixtureitem.h"
#include "testing/fixturetree.h"

#include "guilib/property/ivalueeditor.h"
#include "guilib/property/valueeditorrequest.h"

#include "corelib/jobs/filemanager.h"
#include "corelib/jobs/ijt.h"
#include "corelib/logging/logrecord.h"
#include "corelib/values/xmlvalueprocessor.h"
#include "corelib/variables/variablecondition.h"
#include "corelib/variables/variablemanager.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QAction>
#include <QDialog>
#include <QDir>

#include <typeinfo>

using namespace Scripter;
using AppTest::CoreFixture;
namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

namespace {

// Adds a job to the fixture as the user does: "Add" on the jobs group, then its path, if any, in
// the explorer. Null when that fails.
FixtureItem *addJob(FixtureTree *tree, const QString &path)
{
    tree->setCurrentItem(tree->incomingGroup());
    tree->addItemAction()->trigger();
    FixtureItem *job = tree->currentFixtureItem();
    const bool added = job && job->kind() == FixtureItem::IncomingJob
                       && (path.isEmpty() || job->setPropertyValue(XMLKey::FILEORFOLDER, path));
    return added ? job : nullptr;
}

} // namespace

class tst_ScrAppProxy : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void isTheProcessWideProxyOnTheProgramsSettings();
    void dialogsAreCentredOnTheActiveWindow_data();
    void dialogsAreCentredOnTheActiveWindow();
    void sampleJobsAreTheFilesOfTheActiveFixture_data();
    void sampleJobsAreTheFilesOfTheActiveFixture();
    void jobDatasetsComeFromTheJobsTicket();
    void variableValuesReportWhyTheyCannotBeEvaluated_data();
    void variableValuesReportWhyTheyCannotBeEvaluated();
    void valueEditorsByKind_data();
    void valueEditorsByKind();
    void sampleJobsAreEvaluatedWithTheirFixtureJob();

private:
    ScripterWindow *activeWindow();

    std::unique_ptr<CoreFixture> m_world;
};

void tst_ScrAppProxy::init()
{
    m_world = std::make_unique<CoreFixture>();
    QVERIFY(m_world->isValid());
    m_world->start();
}

void tst_ScrAppProxy::cleanup()
{
    m_world.reset();
    QVERIFY(!GuiLib::IAppProxy::instance());
}

ScripterWindow *tst_ScrAppProxy::activeWindow()
{
    ScripterWindow *window = m_world->window(0);
    window->activateWindow();
    return QTest::qWaitFor([window] { return ScripterCore::activeScripterWindow() == window; })
               ? window
               : nullptr;
}

void tst_ScrAppProxy::isTheProcessWideProxyOnTheProgramsSettings()
{
    GuiLib::IAppProxy *proxy = m_world->core()->appProxy();
    QVERIFY(proxy);
    QCOMPARE(GuiLib::IAppProxy::instance(), proxy);
    // A second proxy does not take over.
    const ScrAppProxy other;
    QCOMPARE(GuiLib::IAppProxy::instance(), proxy);

    const QString key = QStringLiteral("Editors/LastFolder");
    QCOMPARE(proxy->readSetting(key, QStringLiteral("none")), QVariant(QStringLiteral("none")));
    proxy->writeSetting(key, QStringLiteral("/srv/jobs"));
    QCOMPARE(QSettings().value(key).toString(), QStringLiteral("/srv/jobs"));
    QCOMPARE(proxy->readSetting(key, QString()), QVariant(QStringLiteral("/srv/jobs")));
}

void tst_ScrAppProxy::dialogsAreCentredOnTheActiveWindow_data()
{
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QSize>("dialog");
    QTest::addColumn<QPoint>("centre");
    // The centre is the integer halves of left + right and top + bottom.
    // clang-format off
    QTest::newRow("even extent") << QRect(100, 50, 801, 601) << QSize(200, 100) << QPoint(500, 350);
    QTest::newRow("odd extent") << QRect(0, 0, 800, 600) << QSize(201, 101) << QPoint(399, 299);
    QTest::newRow("dialog larger than the window") << QRect(10, 10, 800, 600) << QSize(1000, 800) << QPoint(409, 309);
    // clang-format on
}

void tst_ScrAppProxy::dialogsAreCentredOnTheActiveWindow()
{
    QFETCH(QRect, window);
    QFETCH(QSize, dialog);
    QFETCH(QPoint, centre);
    ScripterWindow *active = activeWindow();
    QVERIFY(active);
    active->setGeometry(window);
    QTRY_COMPARE(active->geometry(), window);

    QDialog box;
    box.resize(dialog);
    GuiLib::IAppProxy::instance()->centerOnActiveWindow(&box);
    QCOMPARE(box.size(), dialog);
    QCOMPARE(box.geometry().center(), centre);
    QCOMPARE(GuiLib::IAppProxy::instance()->dialogParent(), active);
}

void tst_ScrAppProxy::sampleJobsAreTheFilesOfTheActiveFixture_data()
{
    QTest::addColumn<bool>("fromFolder");
    QTest::newRow("a package file") << false;
    // The window then works on an archive made in the temporary folder.
    QTest::newRow("a package opened from its unarchived folder") << true;
}

void tst_ScrAppProxy::sampleJobsAreTheFilesOfTheActiveFixture()
{
    QFETCH(bool, fromFolder);
    QMap<QString, QString> jobs;
    QString flowId;
    GuiLib::IAppProxy::instance()->sampleJobs(jobs, flowId);
    QCOMPARE(flowId, QStringLiteral("1"));

    const QString single = m_world->filePath(QStringLiteral("_00001_invoice.pdf"));
    const QString folder = m_world->filePath(QStringLiteral("batch"));
    QVERIFY(AppTest::writeFile(single, "%PDF"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/nested")));
    QVERIFY(AppTest::writeFile(folder + QStringLiteral("/a.xml"), "<a/>"));
    QVERIFY(AppTest::writeFile(folder + QStringLiteral("/b.xml"), "<b/>"));

    ScripterWindow *window = activeWindow();
    QVERIFY(window);
    // A relative path names a job beside the package, as a test run takes it.
    const QString package = m_world->filePath(QStringLiteral("Router.tscript"));
    QVERIFY(AppTest::writeFile(package, ""));
    if (fromFolder) {
        QTemporaryDir elsewhere;
        const QString archive = elsewhere.filePath(QStringLiteral("Router.tscript"));
        QVERIFY(AppTest::writeFile(archive, ""));
        window->setCurrentFile(archive, false);
        window->setAlternatePath(true);
    }
    window->setCurrentFile(package, false);
    FixtureTree *tree = window->fixture()->tree();
    for (const QString &path : {single, QStringLiteral("batch"), QString(),
                                m_world->filePath(QStringLiteral("gone.pdf"))}) {
        QVERIFY(addJob(tree, path));
    }
    QCOMPARE(tree->incomingGroup()->childCount(), 4);

    jobs.clear();
    GuiLib::IAppProxy::instance()->sampleJobs(jobs, flowId);
    const QString location = QStringLiteral("1-/-Script Element");
    QMap<QString, QString> expected;
    expected.insert(single, location);
    expected.insert(folder + QStringLiteral("/a.xml"), location);
    expected.insert(folder + QStringLiteral("/b.xml"), location);
    QCOMPARE(jobs, expected);
}

void tst_ScrAppProxy::jobDatasetsComeFromTheJobsTicket()
{
    GuiLib::IAppProxy *proxy = GuiLib::IAppProxy::instance();
    const QString tickets = m_world->filePath(QStringLiteral("tickets"));
    QVERIFY(QDir().mkpath(tickets));
    SRCore::IJT::setDir(tickets);
    std::unique_ptr<SRCore::IJT> ticket = SRCore::IJT::createEmptyIJT();
    ticket->setFamilyID(QStringLiteral("_0000A_"));
    const QString backing = m_world->filePath(QStringLiteral("invoice.xml"));
    QVERIFY(AppTest::writeFile(backing, "<invoice/>"));
    QVERIFY(ticket->setDataset(QStringLiteral("Invoice"), XMLValues::MODEL_XML, backing));
    QVERIFY(ticket->setDataset(QStringLiteral("Scan"), XMLValues::MODEL_OPAQUE, backing));
    QString error;
    QVERIFY2(ticket->save(&error), qPrintable(error));

    QCOMPARE(proxy->jobDatasets(QStringLiteral("/jobs/_0000A_invoice.pdf")),
             QStringList({"Invoice", "Scan"}));
    QVERIFY(proxy->jobDatasets(QString()).isEmpty());
    QVERIFY(proxy->jobDatasets(QStringLiteral("/jobs/invoice.pdf")).isEmpty());
    QVERIFY(proxy->jobDatasets(QStringLiteral("/jobs/_0000B_other.pdf")).isEmpty());
    // A damaged ticket gives no datasets.
    QVERIFY(AppTest::writeFile(tickets + QLatin1Char('/')
                                   + SRCore::FileManager::ticketFileName(QStringLiteral("_0000C_")),
                               "<JobTicket"));
    QVERIFY(proxy->jobDatasets(QStringLiteral("_0000C_broken.pdf")).isEmpty());
    SRCore::IJT::setDir(QString());
}

void tst_ScrAppProxy::variableValuesReportWhyTheyCannotBeEvaluated_data()
{
    QTest::addColumn<bool>("windowActive");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("job");
    QTest::addColumn<QString>("message");
    const QStringList names = {"[Job.Name]", "[Job.Size]"};
    const QString job = QStringLiteral("_00001_invoice.pdf");
    // clang-format off
    QTest::newRow("no active window") << false << names << job << QStringLiteral("No active window");
    QTest::newRow("no names") << true << QStringList() << job << QStringLiteral("Empty variable data");
    QTest::newRow("no job") << true << names << QString() << QStringLiteral("Empty variable data");
    QTest::newRow("no test flow yet") << true << names << job << QStringLiteral("Flow pointer is null");
    // clang-format on
}

void tst_ScrAppProxy::variableValuesReportWhyTheyCannotBeEvaluated()
{
    QFETCH(bool, windowActive);
    QFETCH(QStringList, names);
    QFETCH(QString, job);
    QFETCH(QString, message);
    if (windowActive) {
        QVERIFY(activeWindow());
    } else {
        QApplication::setActiveWindow(nullptr);
        QTRY_VERIFY(!ScripterCore::activeScripterWindow());
    }

    const QStringList values = GuiLib::IAppProxy::instance()->variableValues(
        names, job, QStringLiteral("second"), QStringLiteral("third"), QStringLiteral("fourth"),
        false);
    QVERIFY(values.isEmpty());
    const QList<QStringList> rows = m_world->storedMessages();
    QCOMPARE(rows.last(),
             QStringList({"assert", message, QStringLiteral("Scripter::getVariableValue")}));
}

void tst_ScrAppProxy::valueEditorsByKind_data()
{
    QTest::addColumn<QString>("editorType");
    QTest::addColumn<QString>("editorClass"); // empty: refused with a reason

    // clang-format off
    QTest::newRow("script expressions from the scripting dialogs") << "scriptexp"          << "ScriptingGui::ScriptExpressionValueEditor";
    QTest::newRow("metadata fields from the scripting dialogs")    << "metadatafieldsread" << "ScriptingGui::MetadataFieldsValueEditor";
    QTest::newRow("FTP folders from the FTP dialog")               << "choosedir"          << "TavrixSupportUI::FTPDirectoryValueEditor";
    QTest::newRow("conditions from the shared library")            << "conditionwithvar"   << "GuiLib::VariablesValueEditor";
    QTest::newRow("files from the shared library")                 << "choosefile"         << "GuiLib::PathValueEditor";
    QTest::newRow("an unknown kind")                               << "nosucheditor"       << "";
    // clang-format on
}

void tst_ScrAppProxy::valueEditorsByKind()
{
    QFETCH(QString, editorType);
    QFETCH(QString, editorClass);

    GuiLib::ValueEditorRequest request;
    request.editorType = editorType;
    request.propertyType = XMLValues::EDITORTYPE_PATH;
    QString error;
    const std::unique_ptr<GuiLib::IValueEditor> editor =
        GuiLib::IAppProxy::instance()->createValueEditor(request, &error);
    QCOMPARE(bool(editor), !editorClass.isEmpty());
    QCOMPARE(error.isEmpty(), bool(editor));
    const QString madeClass = editor ? QString::fromLatin1(typeid(*editor).name()) : QString();
    QVERIFY2(madeClass.contains(editorClass.section("::", 1)), qPrintable(madeClass));
}

void tst_ScrAppProxy::sampleJobsAreEvaluatedWithTheirFixtureJob()
{
    const QString jobFile = m_world->filePath(QStringLiteral("order 17.pdf"));
    QVERIFY(AppTest::writeFile(jobFile, "%PDF"));
    ScripterWindow *window = activeWindow();
    QVERIFY(window);
    FixtureItem *job = addJob(window->fixture()->tree(), jobFile);
    QVERIFY(job);
    QVERIFY(job->setPropertyValue(
        XMLKey::USERDATA, SRCore::XMLValueProcessor::generateXMLValue(
                              XMLValues::EDITOR_USERDATAFIELDS,
                              QList<SRCore::UniversalData>{{"Customer", QString(), "ACME"}})));
    QVERIFY(job->setPropertyValue(XMLKey::HIERARCHYINFO, QStringLiteral("In/Urgent")));

    GuiLib::IAppProxy *proxy = GuiLib::IAppProxy::instance();
    const QString element = QStringLiteral("1-/-Script Element");
    QCOMPARE(proxy->variableValues(
                 {"[Job.PrivateData:Key=\"Customer\"]", "[Job.Name] for [Job.Hierarchy]"}, jobFile,
                 "1", element, "Prefix", false),
             (QStringList{"ACME", "order 17.pdf for In/Urgent"}));

    SRCore::VariableCondition condition;
    condition.addComparison(
        {"[Job.Extension]", SRCore::VariableCondition::Operator::EqualTo, "pdf"});
    const QString conditionText = SRCore::VariableManager::getXMLfromCondition(condition);
    QCOMPARE(
        proxy->variableValues({"[Job.Size]", conditionText}, jobFile, "1", element, "When", true),
        (QStringList{"4", "true"}));

    QString value;
    QVERIFY(proxy->evaluateScriptExpression("job.getPrivateData(\"Customer\") + 1", jobFile,
                                            element, &value));
    QVERIFY2(value.startsWith("ACME1"), qPrintable(value));
    QVERIFY(!proxy->evaluateScriptExpression("job.(", jobFile, element, &value));
    QVERIFY2(value.contains("Line 1"), qPrintable(value));
    // A file that is no sample job has no ticket here.
    QVERIFY(!proxy->evaluateScriptExpression("1", m_world->filePath("other.pdf"), element, &value));
}

TAVRIX_TEST_MAIN_OWN_HOME(tst_ScrAppProxy)
#include "tst_scrappproxy.moc"
