// The fixture's items on their own: what each kind shows and holds, how its property set follows
// the declaration and the connection type, and what a change of a property does to the item.

#include "common/testmain.h"

#include "fixturetestsupport.h"

#include "package/declarationitem.h"
#include "package/declarationtree.h"
#include "package/objecttemplates.h"

#include <QTest>

using namespace FixtureTest;
using Scripter::FixtureItem;

namespace {

struct DefaultRow
{
    const char *name;
    bool connection;
    const char *editor;
    // The first default and the test value it gives; a second default that the test value
    // follows; a value the user enters; a third default, which leaves that value alone.
    const char *firstDefault;
    const char *firstValue;
    const char *secondDefault;
    const char *userValue;
    const char *thirdDefault;
};

} // namespace

Q_DECLARE_METATYPE(DefaultRow)

class tst_FixtureItem : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_folder = std::make_unique<TestFolder>(); }

    void kindGivesTextAndObject_data();
    void kindGivesTextAndObject();
    void newItemsAreNumberedByOneCounterThatNeverGoesBack();
    void kindGivesTheTemplateFieldsAndDefinitions_data();
    void kindGivesTheTemplateFieldsAndDefinitions();
    void expectedResultsAreAGroupOfTheirOwn_data();
    void expectedResultsAreAGroupOfTheirOwn();
    void enabledValueDecidesTheLook();
    void chosenPathRenamesTheJob_data();
    void chosenPathRenamesTheJob();
    void pathWithoutSystemIconShowsOurs();
    void ownerAnswersFromItsObject();
    void connectionTypeDecidesTheConnectionFields_data();
    void connectionTypeDecidesTheConnectionFields();
    void trafficTypeShowsTheOutcomesMeantForIt();
    void declarationChangesKeepTheValuesEntered();
    void testValuesFollowTheDeclaredDefault_data();
    void testValuesFollowTheDeclaredDefault();
    void rebuiltSetReplacesTheShownOne();
    void basicItemFollowsTheElementNameAndIcon();
    void levelZeroMessageIsRefused();

private:
    std::unique_ptr<TestFolder> m_folder;
};

void tst_FixtureItem::kindGivesTextAndObject_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("objectType");

    // clang-format off
    QTest::newRow("basic settings carry the window number") << 0 << "TavrixScript7" << XMLKey::SCR_BASICTESTPROPERTIES;
    QTest::newRow("incoming group has no object") << 1 << "Incoming jobs" << QString();
    QTest::newRow("outgoing group has no object") << 2 << "Outgoing connections" << QString();
    QTest::newRow("new job takes the first number") << 3 << "FileOrFolder0" << XMLKey::SCR_INCOMMINGJOBS;
    QTest::newRow("new connection takes the first number") << 4 << "Connection0" << XMLKey::SCR_OUTGOINGCONNECTIONS;
    QTest::newRow("any other kind is unknown") << 9 << "unknown item" << QString();
    // clang-format on
}

void tst_FixtureItem::kindGivesTextAndObject()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(QString, objectType);

    FakePackageWindow window;
    const auto item = std::make_unique<FixtureItem>(window.fixture(), kind);
    QCOMPARE(item->type(), kind);
    QCOMPARE(item->text(0), text);
    QCOMPARE(item->object().getType(), objectType);
    QCOMPARE(item->properties() != nullptr, !objectType.isEmpty());
    QCOMPARE(item->object().isNull(), objectType.isEmpty());
}

void tst_FixtureItem::newItemsAreNumberedByOneCounterThatNeverGoesBack()
{
    FakePackageWindow window;
    Scripter::FixtureTree *tree = window.fixture()->tree();
    newJob(window);
    newConnection(window);
    newJob(window);
    QCOMPARE(childTexts(tree->incomingGroup()), QStringList({"FileOrFolder0", "FileOrFolder2"}));
    QCOMPARE(childTexts(tree->outgoingGroup()), QStringList{"Connection1"});
    // The name is the value of the item's name field; setting it is no edit of the user's.
    QCOMPARE(propertyOf(child(tree->incomingGroup(), 0), XMLKey::FILEORFOLDER)->value().toString(),
             QStringLiteral("FileOrFolder0"));
    QCOMPARE(child(tree->outgoingGroup(), 0)->value(XMLKey::CONNECTIONNAME),
             QStringLiteral("Connection1"));
    QCOMPARE(window.modifiedCount, 0);
    QVERIFY(child(tree->incomingGroup(), 0)->isEnabledForTest());

    window.fixture()->clear();
    QCOMPARE(tree->incomingGroup()->childCount(), 0);
    newConnection(window);
    QCOMPARE(childTexts(tree->outgoingGroup()), QStringList{"Connection3"});

    // Each window counts for itself.
    FakePackageWindow other;
    newJob(other);
    QCOMPARE(childTexts(other.fixture()->tree()->incomingGroup()), QStringList{"FileOrFolder0"});
}

void tst_FixtureItem::kindGivesTheTemplateFieldsAndDefinitions_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("objectTemplate");
    QTest::addColumn<QStringList>("definitions");

    // clang-format off
    QTest::newRow("basic settings and the element definition") << 0 << XMLKey::SCR_BASICTESTPROPERTIES << QStringList{"Resolution"};
    QTest::newRow("job takes no definitions") << 3 << XMLKey::SCR_INCOMMINGJOBS << QStringList();
    // clang-format on
}

// The visible fields of the template, then the declaration's definitions of the item's kind
// (a connection's: connectionTypeDecidesTheConnectionFields).
void tst_FixtureItem::kindGivesTheTemplateFieldsAndDefinitions()
{
    QFETCH(int, kind);
    QFETCH(QString, objectTemplate);
    QFETCH(QStringList, definitions);

    FakePackageWindow window;
    QVERIFY(window.declaration()->loadFromXml(declarationXml(XMLValues::CONNECTION_FILTER)));
    const auto item = std::make_unique<FixtureItem>(window.fixture(), kind);
    QStringList expected;
    for (const SRCore::FlowObjectField &field :
         Scripter::ObjectTemplates::templateObject(objectTemplate).getFields()) {
        if (field.getProperty(XMLKey::EDITOR) != XMLValues::HIDE
            && field.getProperty(XMLKey::DEPENDENCY).isEmpty()) {
            expected << field.getName();
        }
    }
    QCOMPARE(visibleTags(item->properties()), expected + definitions);
}

void tst_FixtureItem::expectedResultsAreAGroupOfTheirOwn_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<QString>("value");

    // clang-format off
    QTest::newRow("basic settings expect messages") << 0 << QStringList{XMLKey::EXPECTEDMESSAGES, XMLKey::EXPECTNOERRORS} << "error: *";
    QTest::newRow("job expects private data") << 3 << QStringList{XMLKey::EXPECTEDPRIVATEDATA} << "Class = Large";
    QTest::newRow("connection expects files") << 4 << QStringList{XMLKey::EXPECTEDFILECOUNT, XMLKey::EXPECTEDFILENAMES} << "3";
    // clang-format on
}

void tst_FixtureItem::expectedResultsAreAGroupOfTheirOwn()
{
    QFETCH(int, kind);
    QFETCH(QStringList, tags);
    QFETCH(QString, value);

    FakePackageWindow window;
    QVERIFY(window.declaration()->loadFromXml(declarationXml(XMLValues::CONNECTION_FILTER)));
    const auto item = std::make_unique<FixtureItem>(window.fixture(), kind);
    GuiLib::PropertyCollection *properties = item->properties();
    const auto *group = qobject_cast<const GuiLib::IPropertyGroup *>(
        properties->child(properties->count(true) - 1, true));
    QVERIFY(group);
    QCOMPARE(visibleTags(group), tags);

    // An edit reaches the object and marks the fixture changed.
    QVERIFY(item->setPropertyValue(tags.first(), value));
    QCOMPARE(item->value(tags.first()), value);
    QCOMPARE(window.modifiedCount, 1);
}

void tst_FixtureItem::enabledValueDecidesTheLook()
{
    FakePackageWindow window;
    auto *job = newJob(window);
    const QIcon own = job->icon(0);
    const QBrush ownText = job->foreground(0);
    const Qt::ItemFlags inReach = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    QVERIFY(job->flags().testFlags(inReach));

    // Out of the test, the job stays selectable; its icon and greyed text tell.
    QVERIFY(job->setPropertyValue(XMLKey::ENABLED, XMLValues::NO));
    QVERIFY(job->flags().testFlags(inReach));
    QVERIFY(sameIcon(job->icon(0), image(QStringLiteral("img_Unchecked.png"))));
    QVERIFY(job->foreground(0) != ownText);
    QCOMPARE(job->value(XMLKey::ENABLED), XMLValues::NO);
    QVERIFY(!job->isEnabledForTest());

    QVERIFY(job->setPropertyValue(XMLKey::ENABLED, XMLValues::YES));
    QVERIFY(sameIcon(job->icon(0), own));
    QCOMPARE(job->foreground(0), ownText);

    // The basic item has no enabled state, even when the declaration gives it such a field.
    FixtureItem *basic = window.fixture()->tree()->basicItem();
    const Qt::ItemFlags basicFlags = basic->flags();
    basic->setEnabledLook(false);
    QCOMPARE(basic->flags(), basicFlags);
}

void tst_FixtureItem::chosenPathRenamesTheJob_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<bool>("trailingSlash");
    QTest::addColumn<QString>("text");
    // clang-format off
    QTest::newRow("file") << QStringLiteral("report 1.pdf") << false << false << QStringLiteral("report 1.pdf");
    QTest::newRow("folder") << QStringLiteral("batch") << true << false << QStringLiteral("batch");
    QTest::newRow("folder written with a slash at the end") << QStringLiteral("batch") << true << true << QStringLiteral("batch");
    // clang-format on
}

void tst_FixtureItem::chosenPathRenamesTheJob()
{
    QFETCH(QString, entry);
    QFETCH(bool, folder);
    QFETCH(bool, trailingSlash);
    QFETCH(QString, text);

    const QString path = m_folder->path(entry);
    QVERIFY(folder ? QDir().mkpath(path) : writeFile(path, "%PDF"));
    FakePackageWindow window;
    auto *job = newJob(window);
    const QString value = trailingSlash ? path + QLatin1Char('/') : path;
    QVERIFY(job->setPropertyValue(XMLKey::FILEORFOLDER, value));
    QCOMPARE(job->text(0), text);
    QCOMPARE(job->value(XMLKey::FILEORFOLDER), value);
    QVERIFY(
        sameIcon(job->icon(0), FixtureItem::pathIcon(window.fileIconProvider(), QFileInfo(path))));

    // A disabled job keeps its look, and shows the new icon once it is enabled again.
    QVERIFY(job->setPropertyValue(XMLKey::ENABLED, XMLValues::NO));
    QVERIFY(job->setPropertyValue(XMLKey::FILEORFOLDER, m_folder->dir.path()));
    QVERIFY(sameIcon(job->icon(0), image(QStringLiteral("img_Unchecked.png"))));
    QVERIFY(job->setPropertyValue(XMLKey::ENABLED, XMLValues::YES));
    QVERIFY(sameIcon(job->icon(0), FixtureItem::pathIcon(window.fileIconProvider(),
                                                         QFileInfo(m_folder->dir.path()))));
}

void tst_FixtureItem::pathWithoutSystemIconShowsOurs()
{
    const QString file = m_folder->path(QStringLiteral("job.pdf"));
    QVERIFY(writeFile(file, "%PDF"));
    const QIcon fileIcon = FixtureItem::pathIcon(nullptr, QFileInfo(file));
    const QIcon folderIcon = FixtureItem::pathIcon(nullptr, QFileInfo(m_folder->dir.path()));
    QVERIFY(sameIcon(fileIcon, QIcon(QStringLiteral(":/Images/img_File_Small"))));
    QVERIFY(sameIcon(folderIcon, QIcon(QStringLiteral(":/Images/img_Folder_Small"))));
    QVERIFY(!sameIcon(fileIcon, folderIcon));
}

void tst_FixtureItem::ownerAnswersFromItsObject()
{
    FakePackageWindow window;
    auto *job = newJob(window);
    auto *connection = newConnection(window);
    QString message;
    QVERIFY(job->validateProperty(XMLKey::FILEORFOLDER, message));
    QCOMPARE(job->fieldAttribute(XMLKey::FILEORFOLDER, XMLKey::EDITOR),
             QStringLiteral("choosefile;choosefolder"));
    QCOMPARE(connection->fieldAttribute(XMLKey::INCLUDEMASK, XMLKey::DEFAULT), XMLValues::ALLFILES);
    QVERIFY(job->fieldAttribute(QStringLiteral("NoSuchField"), XMLKey::EDITOR).isEmpty());
    QVERIFY(!job->setPropertyValue(QStringLiteral("NoSuchField"), QStringLiteral("x")));

    // The library of a property comes from the script, told whether it is a connection's.
    window.library = {QStringLiteral("first"), QStringLiteral("second")};
    QCOMPARE(connection->libraryForProperty(QStringLiteral("Route")), window.library);
    window.fixture()->tree()->basicItem()->libraryForProperty(QStringLiteral("Resolution"));
    QCOMPARE(window.libraryRequests, QStringList({"Route@connection", "Resolution@element"}));
}

void tst_FixtureItem::connectionTypeDecidesTheConnectionFields_data()
{
    QTest::addColumn<QString>("connectionType");
    QTest::addColumn<QString>("extraFields");
    QTest::addColumn<QStringList>("tags");

    const QString name = XMLKey::CONNECTIONNAME;
    const QString enabled = XMLKey::ENABLED;
    const QString hold = XMLKey::HOLDFILES;
    const QString route = QStringLiteral("Route");
    const QString folderMask = QStringLiteral(
        R"(<IncludeFolderMask LocalizedTagName="Include these folders" Tooltip="t" Subtype="allfolders" Default="All Folders" Type="string" Editor="allfolders;allotherfolders;folderpatterns;regexp;scriptexp">All Folders</IncludeFolderMask>)");
    // clang-format off
    QTest::newRow("move hides traffic type and masks") << XMLValues::CONNECTION_MOVE << QString() << QStringList{name, enabled, hold, route};
    QTest::newRow("filter shows the masks") << XMLValues::CONNECTION_FILTER << QString() << QStringList{name, enabled, hold, XMLKey::INCLUDEMASK, XMLKey::EXCLUDEMASK, route};
    QTest::newRow("filter with folders adds the folder masks") << XMLValues::CONNECTION_FILTER << folderMask << QStringList{name, enabled, hold, XMLKey::INCLUDEMASK, XMLKey::EXCLUDEMASK, route, XMLKey::INCLUDEFOLDERMASK, XMLKey::EXCLUDEFOLDERMASK};
    // clang-format on
}

void tst_FixtureItem::connectionTypeDecidesTheConnectionFields()
{
    QFETCH(QString, connectionType);
    QFETCH(QString, extraFields);
    QFETCH(QStringList, tags);

    FakePackageWindow window;
    QVERIFY(window.declaration()->loadFromXml(declarationXml(connectionType, extraFields)));
    QCOMPARE(window.declaration()->basicValue(XMLKey::CONNECTIONTYPE), connectionType);
    const auto connection =
        std::make_unique<FixtureItem>(window.fixture(), FixtureItem::OutgoingConnection);
    QCOMPARE(visibleTags(connection->properties()), tags);
}

void tst_FixtureItem::trafficTypeShowsTheOutcomesMeantForIt()
{
    FakePackageWindow window;
    QVERIFY(window.declaration()->loadFromXml(declarationXml(
        XMLValues::CONNECTION_TRAFFICLIGHT,
        QStringLiteral(
            R"(<Warning AvailableFor="Log" LocalizedTagName="Warning out" Default="Yes" Type="bool" Editor="inline">Yes</Warning>
            <Error AvailableFor="Data" LocalizedTagName="Error out" Default="Yes" Type="bool" Editor="inline">Yes</Error>)"))));
    auto *connection = newConnection(window);
    connection->itemSelected();
    const QStringList common{XMLKey::CONNECTIONNAME, XMLKey::ENABLED, XMLKey::HOLDFILES,
                             XMLKey::TRAFFICTYPE};
    QCOMPARE(visibleTags(connection->properties()),
             common + QStringList({"Route", XMLKey::ERROR_}));

    // The set is rebuilt after the change, once the event loop runs again; the value entered
    // for the hidden outcome is still there when it shows again.
    QVERIFY(connection->setPropertyValue(XMLKey::ERROR_, XMLValues::NO));
    QVERIFY(connection->setPropertyValue(XMLKey::TRAFFICTYPE, XMLValues::LOG));
    QTRY_COMPARE(visibleTags(connection->properties()),
                 common + QStringList({"Route", XMLKey::WARNING}));
    QVERIFY(shows(window, connection));

    QVERIFY(connection->setPropertyValue(XMLKey::TRAFFICTYPE, XMLValues::DATAWITHLOG));
    QTRY_COMPARE(visibleTags(connection->properties()),
                 QStringList({XMLKey::CONNECTIONNAME, XMLKey::ENABLED, XMLKey::HOLDFILES,
                              XMLKey::TRAFFICTYPE, XMLKey::DATASETNAME, "Route"}));

    QVERIFY(connection->setPropertyValue(XMLKey::TRAFFICTYPE, XMLKey::DATA));
    QTRY_VERIFY(propertyOf(connection, XMLKey::ERROR_));
    QCOMPARE(propertyOf(connection, XMLKey::ERROR_)->value().toString(), XMLValues::NO);
    QCOMPARE(propertyOf(connection, XMLKey::DATASETNAME)->value().toString(), XMLValues::LOG);
}

void tst_FixtureItem::declarationChangesKeepTheValuesEntered()
{
    FakePackageWindow window;
    QVERIFY(window.declaration()->loadFromXml(declarationXml(XMLValues::CONNECTION_FILTER)));
    window.refreshFixtureProperties(true, true);
    FixtureItem *basic = window.fixture()->tree()->basicItem();
    auto *connection = newConnection(window);

    GuiLib::IProperty *include = propertyOf(connection, XMLKey::INCLUDEMASK);
    include->setEditor(XMLValues::EDITOR_FILEPATTERNS);
    include->setValue(QStringLiteral("*.pdf"), false, false);
    GuiLib::IProperty *route = propertyOf(connection, QStringLiteral("Route"));
    route->setEditor(XMLValues::EDITOR_CHOOSEFOLDER);
    route->setValue(QStringLiteral("/out/bound"), false, false);
    QVERIFY(connection->setPropertyValue(XMLKey::HOLDFILES, XMLValues::YES));
    QVERIFY(connection->setPropertyValue(XMLKey::ENABLED, XMLValues::NO));
    QVERIFY(basic->setPropertyValue(QStringLiteral("Resolution"), QStringLiteral("600")));
    QVERIFY(basic->setPropertyValue(XMLKey::FLOWNAME, QStringLiteral("Invoices")));

    // Through a type that hides the masks, and one that shows the traffic type instead.
    QVERIFY(window.declaration()->loadFromXml(declarationXml(XMLValues::CONNECTION_MOVE)));
    window.refreshFixtureProperties(true, true);
    QVERIFY(!propertyOf(connection, XMLKey::INCLUDEMASK));
    QVERIFY(window.declaration()->loadFromXml(declarationXml(XMLValues::CONNECTION_TRAFFICLIGHT)));
    window.refreshFixtureProperties(true, true);
    QVERIFY(propertyOf(connection, XMLKey::TRAFFICTYPE));
    QVERIFY(connection->setPropertyValue(XMLKey::TRAFFICTYPE, XMLValues::LOG));
    QTRY_COMPARE(propertyOf(connection, XMLKey::TRAFFICTYPE)->value().toString(), XMLValues::LOG);
    QVERIFY(window.declaration()->loadFromXml(declarationXml(XMLValues::CONNECTION_FILTER)));
    window.refreshFixtureProperties(true, true);

    include = propertyOf(connection, XMLKey::INCLUDEMASK);
    QVERIFY(include);
    QCOMPARE(include->value().toString(), QStringLiteral("*.pdf"));
    QCOMPARE(include->editor(), XMLValues::EDITOR_FILEPATTERNS);
    route = propertyOf(connection, QStringLiteral("Route"));
    QCOMPARE(route->value().toString(), QStringLiteral("/out/bound"));
    QCOMPARE(route->editor(), XMLValues::EDITOR_CHOOSEFOLDER);
    QCOMPARE(propertyOf(connection, XMLKey::HOLDFILES)->value().toString(), XMLValues::YES);
    QVERIFY(!propertyOf(connection, XMLKey::TRAFFICTYPE));
    QCOMPARE(connection->value(XMLKey::TRAFFICTYPE), XMLValues::LOG);
    // The look follows the value after the rebuild.
    QVERIFY(sameIcon(connection->icon(0), image(QStringLiteral("img_Unchecked.png"))));
    QCOMPARE(propertyOf(basic, QStringLiteral("Resolution"))->value().toString(),
             QStringLiteral("600"));
    QCOMPARE(propertyOf(basic, XMLKey::FLOWNAME)->value().toString(), QStringLiteral("Invoices"));
    // The object saved is the object shown.
    QCOMPARE(connection->object().getField(XMLKey::INCLUDEMASK).getSubType(),
             XMLValues::EDITOR_FILEPATTERNS);
    QCOMPARE(basic->value(QStringLiteral("Resolution")), QStringLiteral("600"));

    // Definitions that go take their properties and fields with them.
    window.declaration()->reset();
    window.refreshFixtureProperties(true, true);
    QVERIFY(!propertyOf(basic, QStringLiteral("Resolution")));
    QVERIFY(!basic->object().hasField(QStringLiteral("Resolution")));
    QVERIFY(!propertyOf(connection, QStringLiteral("Route")));
    QVERIFY(!connection->object().hasField(QStringLiteral("Route")));
}

void tst_FixtureItem::testValuesFollowTheDeclaredDefault_data()
{
    QTest::addColumn<DefaultRow>("row");
    // clang-format off
    const DefaultRow rows[] = {
        {"text default reaches the basic settings", false, "Single-line text", "42", "42", "7", "mine", "8"},
        {"text default reaches the connections", true, "Single-line text", "42", "42", "7", "mine", "8"},
        {"number default", false, "Number", "300", "300", "150", "5", "600"},
        {"yes-no default", false, "No-yes list", "Yes", "Yes", "No", "Yes", ""},
        {"yes-no without a default is No", false, "No-yes list", "", "No", "Yes", "No", "Yes"},
    };
    // clang-format on
    for (const DefaultRow &row : rows) {
        QTest::newRow(row.name) << row;
    }
}

void tst_FixtureItem::testValuesFollowTheDeclaredDefault()
{
    QFETCH(DefaultRow, row);

    FakePackageWindow window;
    Scripter::DeclarationTree *declarationTree = window.declaration()->tree();
    declarationTree->setCurrentItem(
        declarationTree->groupItem(row.connection ? Scripter::DeclarationItem::ConnectionGroupKind
                                                  : Scripter::DeclarationItem::ElementGroupKind));
    declarationTree->addItemAction()->trigger();
    auto *definition = dynamic_cast<Scripter::DeclarationItem *>(declarationTree->currentItem());
    QVERIFY(definition);
    const QString tag = definition->text(0);
    QVERIFY(definition->setPropertyValue(XMLKey::DEF_EDITOR, QString::fromUtf8(row.editor)));
    FixtureItem *item = window.fixture()->tree()->basicItem();
    if (row.connection) {
        item = newConnection(window);
    }
    const auto setDefault = [definition](const char *value) {
        QVERIFY(definition->setPropertyValue(XMLKey::DEFAULT, QString::fromUtf8(value)));
    };
    const auto shown = [item, tag] {
        const GuiLib::IProperty *property = propertyOf(item, tag);
        return property ? property->value().toString() : QStringLiteral("(no property)");
    };

    setDefault(row.firstDefault);
    QCOMPARE(shown(), QString::fromUtf8(row.firstValue));
    QCOMPARE(item->value(tag), QString::fromUtf8(row.firstValue));
    setDefault(row.secondDefault);
    QCOMPARE(shown(), QString::fromUtf8(row.secondDefault));

    QVERIFY(item->setPropertyValue(tag, QString::fromUtf8(row.userValue)));
    setDefault(row.thirdDefault);
    QCOMPARE(shown(), QString::fromUtf8(row.userValue));
    QCOMPARE(item->value(tag), QString::fromUtf8(row.userValue));
}

void tst_FixtureItem::rebuiltSetReplacesTheShownOne()
{
    FakePackageWindow window;
    auto *first = newConnection(window);
    auto *second = newConnection(window);
    first->itemSelected();
    const GuiLib::PropertyCollection *before = first->properties();
    window.fixture()->refreshConnectionProperties();
    QVERIFY(first->properties() != before);
    QVERIFY(shows(window, first));
    QVERIFY(!shows(window, second));

    // An item that goes takes its set out of the explorer.
    delete first;
    QVERIFY(window.propertiesExplorer()->propertiesModel()->root() != nullptr);
    QCOMPARE(
        window.propertiesExplorer()->model()->rowCount(window.propertiesExplorer()->rootIndex()),
        0);
}

void tst_FixtureItem::basicItemFollowsTheElementNameAndIcon()
{
    FakePackageWindow window;
    FixtureItem *basic = window.fixture()->tree()->basicItem();
    window.fixture()->setBasicItemText(QStringLiteral("Invoice Router"));
    QCOMPARE(basic->text(0), QStringLiteral("Invoice Router"));

    const QString iconPath = m_folder->path(QStringLiteral("router.png"));
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(Qt::darkGreen);
    QVERIFY(icon.save(iconPath));
    window.fixture()->setBasicItemIcon(iconPath);
    QVERIFY(sameIcon(basic->icon(0), QIcon(iconPath)));
    window.fixture()->setBasicItemIcon(QString());
    QVERIFY(sameIcon(basic->icon(0), image(QStringLiteral("img_ScriptDefault.png"))));
}

void tst_FixtureItem::levelZeroMessageIsRefused()
{
    FakePackageWindow window;
    window.fixture()->log(2, QStringLiteral("Job '%1' is odd"), QStringLiteral("a.pdf"));
    window.fixture()->log(0, QStringLiteral("Something went by"), QStringLiteral("ignored"));
    QCOMPARE(window.log.entries(),
             QStringList({"2|Job '%1' is odd|a.pdf",
                          QStringLiteral("3|Log message of level 0 is not allowed; message '%1' "
                                         "is not logged|Something went by")}));
}

TAVRIX_TEST_MAIN(tst_FixtureItem)
#include "tst_fixtureitem.moc"
