#include "common/testmain.h"

#include "common/dialoganswerer.h"
#include "common/fakepackagewindow.h"
#include "common/testfiles.h"

#include "package/declarationitem.h"
#include "package/declarationtree.h"

#include "guilib/property/genericproperty.h"
#include "guilib/property/propertiesexplorermodel.h"
#include "guilib/property/propertycollection.h"

#include "corelib/common/xmlerror.h"
#include "corelib/flow/flowobject.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QAction>
#include <QDomDocument>
#include <QImage>
#include <QTemporaryDir>
#include <QTreeWidgetItemIterator>
#include <QtTest>

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;
using Scripter::DeclarationItem;
using TestFiles::writeFile;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

GuiLib::IProperty *propertyOf(DeclarationItem *item, const QString &tag)
{
    return item ? GuiLib::findProperty(item->properties(), tag) : nullptr;
}

// Changes a property as the explorer does when the user commits an edit.
void edit(DeclarationItem *item, const QString &tag, const QString &value)
{
    GuiLib::IProperty *p = propertyOf(item, tag);
    QVERIFY2(p, qPrintable(tag));
    p->setValue(value, false, false);
}

// The value column of the explorer's top-level row `name`; null when there is no such row.
QVariant shownValue(const GuiLib::PropertiesExplorer *explorer, const QString &name)
{
    const QAbstractItemModel *model = explorer->model();
    for (int row = 0; row < model->rowCount(explorer->rootIndex()); ++row) {
        if (model->index(row, 0, explorer->rootIndex()).data().toString() == name) {
            return model->index(row, 1, explorer->rootIndex()).data();
        }
    }
    return QVariant();
}

DeclarationItem *current(FakePackageWindow &window)
{
    return dynamic_cast<DeclarationItem *>(window.declaration()->tree()->currentItem());
}

// Adds a definition after the current item of the tree, as the "Add" action does.
DeclarationItem *addAfter(FakePackageWindow &window, QTreeWidgetItem *after)
{
    window.declaration()->tree()->setCurrentItem(after);
    window.declaration()->tree()->addItemAction()->trigger();
    return current(window);
}

DeclarationItem *addTo(FakePackageWindow &window, int groupKind)
{
    Scripter::DeclarationTree *tree = window.declaration()->tree();
    QTreeWidgetItem *group = tree->groupItem(groupKind);
    return addAfter(window, group->childCount() ? group->child(group->childCount() - 1) : group);
}

QString writePng(const QString &folder, const QString &name, QSize size, const char *format = "PNG")
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QString path = folder + QLatin1Char('/') + name;
    if (!image.save(path, format)) {
        return QString();
    }
    return path;
}

// Element by element and attribute by attribute; the first difference is described.
QString differenceBetween(const QDomElement &expected, const QDomElement &actual,
                          const QString &path = QString())
{
    const QString here = path + QLatin1Char('/') + expected.tagName();
    if (expected.tagName() != actual.tagName()) {
        return s("%1: element '%2' expected, '%3' found")
            .arg(path, expected.tagName(), actual.tagName());
    }
    const QDomNamedNodeMap expectedAttributes = expected.attributes();
    const QDomNamedNodeMap actualAttributes = actual.attributes();
    for (int i = 0; i < expectedAttributes.count(); ++i) {
        const QDomAttr attribute = expectedAttributes.item(i).toAttr();
        if (!actual.hasAttribute(attribute.name())) {
            return s("%1: attribute %2 missing").arg(here, attribute.name());
        }
        if (actual.attribute(attribute.name()) != attribute.value()) {
            return s("%1: attribute %2 is '%3', expected '%4'")
                .arg(here, attribute.name(), actual.attribute(attribute.name()), attribute.value());
        }
    }
    if (actualAttributes.count() != expectedAttributes.count()) {
        for (int i = 0; i < actualAttributes.count(); ++i) {
            const QString name = actualAttributes.item(i).toAttr().name();
            if (!expected.hasAttribute(name)) {
                return s("%1: unexpected attribute %2").arg(here, name);
            }
        }
    }
    const bool expectedCData = expected.firstChild().isCDATASection();
    if (expectedCData != actual.firstChild().isCDATASection()) {
        return s("%1: content %2 expected as CDATA").arg(here, expectedCData ? s("is") : s("not"));
    }
    QDomElement e = expected.firstChildElement();
    QDomElement a = actual.firstChildElement();
    if (e.isNull() && a.isNull() && expected.text() != actual.text()) {
        return s("%1: text '%2', expected '%3'").arg(here, actual.text(), expected.text());
    }
    for (; !e.isNull() || !a.isNull(); e = e.nextSiblingElement(), a = a.nextSiblingElement()) {
        if (e.isNull()) {
            return s("%1: unexpected element %2").arg(here, a.tagName());
        }
        if (a.isNull()) {
            return s("%1: element %2 missing").arg(here, e.tagName());
        }
        const QString difference = differenceBetween(e, a, here);
        if (!difference.isEmpty()) {
            return difference;
        }
    }
    return QString();
}

QDomDocument parse(const QString &xml)
{
    QDomDocument document;
    SRCore::XmlError error;
    if (!SRCore::parseXmlDocument(xml.toUtf8(), document, &error)) {
        qWarning() << error.toString();
    }
    return document;
}

QString textOf(const QString &path)
{
    return QString::fromUtf8(TestFiles::readFile(path));
}

// A declaration that uses every editor kind, masters and dependents, a traffic-light connection
// and the language and element-pane settings: the content of the golden file.
void buildRichDeclaration(FakePackageWindow &window)
{
    Scripter::Declaration *declaration = window.declaration();
    DeclarationItem *script = declaration->tree()->scriptItem();
    edit(script, XMLKey::NAME, s("Golden Sorter"));
    edit(script, XMLKey::KEYWORDS, s("sort route"));
    edit(script, XMLKey::TOOLTIP, s("Routes jobs by their traffic light"));
    edit(script, XMLKey::INCLUDEVBSCRIPT, XMLValues::YES);
    edit(script, XMLKey::REQUIREINCOMING, XMLValues::NO);
    edit(script, XMLKey::OUTGOINGCONNECTIONS, s("One"));
    edit(script, XMLKey::CONNECTIONTYPE, XMLValues::CONNECTION_TRAFFICLIGHT);
    edit(script, XMLKey::DATASUCCESS, XMLValues::YES);
    edit(script, XMLKey::LOGSUCCESS, XMLValues::NO);
    edit(script, XMLKey::DATAWARNING, XMLValues::NO);
    edit(script, XMLKey::LOGWARNING, XMLValues::NO);
    edit(script, XMLKey::EXECUTIONMODE, s("Concurrent"));
    edit(script, XMLKey::NUMBEROFSLOTS, s("3"));
    edit(script, XMLKey::POSITIONINELEMENTPANE, s("Mine:12"));

    const int element = DeclarationItem::ElementGroupKind;
    struct Row
    {
        QString tag;
        QList<QPair<QString, QString>> values;
    };
    // clang-format off
    const QList<Row> rows = {
        {s("Mode"), {{s("Editor"), s("Dropdown list")}, {s("DropdownItems"), s("Fast;Safe")}, {s("Default"), s("Fast")}, {s("Tooltip"), s("How to work")}}},
        {s("Secret"), {{s("Editor"), s("Password")}, {s("Validation"), s("Custom")}}},
        {s("Count"), {{s("Editor"), s("Number")}, {s("SecondEditor"), s("Script expression")}}},
        {s("Start"), {{s("Editor"), s("Hours and minutes")}, {s("Default"), s("08:30")}}},
        {s("Flag"), {{s("Editor"), s("No-yes list")}, {s("Default"), s("Yes")}}},
        {s("Target"), {{s("Editor"), s("None")}, {s("SecondEditor"), s("Choose folder")}, {s("ThirdEditor"), s("Literal")}, {s("LiteralEditorName3"), s("Automatic")}, {s("FourthEditor"), s("Single-line text with variables")}, {s("FifthEditor"), s("Multi-line text with variables")}}},
        {s("Template"), {{s("Editor"), s("Single-line text")}, {s("SecondEditor"), s("Choose file")}, {s("IncludeFileForExport2"), s("Yes")}, {s("ThirdEditor"), s("Regular expression")}, {s("FourthEditor"), s("File type")}, {s("FifthEditor"), s("Condition with variables")}}},
        {s("Pick"), {{s("Editor"), s("None")}, {s("SecondEditor"), s("Select from library")}, {s("MessageForSelectFromLibrary2"), s("Pick one")}, {s("ThirdEditor"), s("Select many from library")}, {s("MessageForSelectManyFromLibrary3"), s("Pick many")}, {s("FourthEditor"), s("String list")}, {s("MessageForStringList4"), s("Some strings")}, {s("FifthEditor"), s("Multi-line text")}}},
        {s("Masks"), {{s("Editor"), s("None")}, {s("SecondEditor"), s("File patterns")}, {s("ThirdEditor"), s("Folder patterns")}, {s("FourthEditor"), s("File types")}}},
        {s("Artwork"), {{s("SecondEditor"), s("External editor")}, {s("ExternalApplication2"), s("/usr/bin/inkscape")}, {s("ExternalArgForNew2"), s("--new %1")}}},
        {s("Blank"), {{s("Default"), s("   ")}}},
    };
    // clang-format on
    for (const Row &row : rows) {
        DeclarationItem *item = addTo(window, element);
        edit(item, XMLKey::DEF_TAG, row.tag);
        edit(item, XMLKey::NAME, row.tag + s(" name"));
        for (const auto &[tag, value] : row.values) {
            edit(item, tag, value);
        }
    }
    // "Speed" depends on "Mode", "Limit" on "Speed": the dependent moves under its master first,
    // then the master under its own, taking the dependent with it.
    Scripter::DeclarationTree *tree = declaration->tree();
    DeclarationItem *speed = addAfter(window, tree->groupItem(element)->child(0));
    edit(speed, XMLKey::DEF_TAG, s("Speed"));
    edit(speed, XMLKey::DEF_MASTERVALUE, s("Fast"));
    DeclarationItem *limit = addAfter(window, speed);
    edit(limit, XMLKey::DEF_TAG, s("Limit"));
    edit(limit, XMLKey::DEF_EDITOR, s("Number"));
    edit(limit, XMLKey::DEF_DEPENDSONMASTER, XMLValues::YES);
    edit(speed, XMLKey::DEF_DEPENDSONMASTER, XMLValues::YES);

    DeclarationItem *route = addTo(window, DeclarationItem::ConnectionGroupKind);
    edit(route, XMLKey::DEF_TAG, s("Route"));
    edit(route, XMLKey::DEF_EDITOR, s("Dropdown list"));
    edit(route, XMLKey::DEF_DROPDOWNITEMS, s("Left;Right"));
    edit(route, XMLKey::DEFAULT, s("Left"));
}

// A filter element with folder masks that holds AppleScript only: the second golden file.
void buildFilterDeclaration(FakePackageWindow &window)
{
    DeclarationItem *script = window.declaration()->tree()->scriptItem();
    window.texts.insert(XMLValues::APPLESCRIPT, s("on jobArrived(s, j)\nend jobArrived\n"));
    edit(script, XMLKey::NAME, s("Folder Filter"));
    edit(script, XMLKey::INCLUDEJAVASCRIPT, XMLValues::NO);
    edit(script, XMLKey::INCLUDEAPPLESCRIPT, XMLValues::YES);
    edit(script, XMLKey::INCOMINGCONNECTIONS, XMLValues::NO);
    edit(script, XMLKey::OUTGOINGCONNECTIONS, s("No"));
    edit(script, XMLKey::CONNECTIONTYPE, XMLValues::CONNECTION_FILTER);
    edit(script, XMLKey::INCLUDEEXCLUDEFOLDER, XMLValues::YES);
    edit(script, XMLKey::PERFORMANCETUNING, XMLValues::YES);
    edit(script, XMLKey::IDLEAFTERJOB, s("5"));
    edit(script, XMLKey::POSITIONINELEMENTPANE, s("Tools:3"));

    DeclarationItem *folder = addTo(window, DeclarationItem::ConnectionGroupKind);
    edit(folder, XMLKey::DEF_TAG, s("Subfolders"));
    edit(folder, XMLKey::DEF_EDITOR, s("None"));
    edit(folder, s("SecondEditor"), s("Literal"));
    edit(folder, s("LiteralEditorName2"), s("All Other Folders"));
    edit(folder, s("ThirdEditor"), s("Folder patterns"));
    edit(folder, XMLKey::DEFAULT, XMLValues::ALLOTHERFOLDERS);
    propertyOf(folder, XMLKey::DEFAULT)->setEditor(XMLValues::EDITOR_ALLOTHERFOLDERS);
    edit(folder, XMLKey::VALIDATION, s("Standard and custom"));
}

QString declarationOf(const QString &elementFields)
{
    return s("<Object><ElementFields>%1</ElementFields><ConnectionFields/></Object>")
        .arg(elementFields);
}

// Selects every item of the tree in turn, so that the explorer shows each one's properties.
void showEveryItem(FakePackageWindow &window)
{
    Scripter::DeclarationTree *tree = window.declaration()->tree();
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        tree->clearSelection();
        tree->setCurrentItem(*it);
        (*it)->setSelected(true);
        auto *item = dynamic_cast<DeclarationItem *>(*it);
        if (item && item->type() != DeclarationItem::ElementGroupKind
            && item->type() != DeclarationItem::ConnectionGroupKind) {
            QCOMPARE(window.propertiesExplorer()->propertiesModel()->root(), item->properties());
        }
    }
}

QString defaultEditorOf(DeclarationItem *item)
{
    GuiLib::IProperty *p = propertyOf(item, XMLKey::DEFAULT);
    return p ? p->editor() : QString();
}

} // namespace

class tst_Declaration : public QObject
{
    Q_OBJECT

private slots:
    void newDeclaration();
    void addDefinitionNamesAndCounter();
    void typedTagIsRepairedOrRefused_data();
    void typedTagIsRepairedOrRefused();
    void defaultFollowsTheEditors();
    void dependsOnMasterMovesTheDefinition();
    void scriptNameAndLanguages();
    void connectionSettingsRefreshTheFixture();
    void icon_data();
    void icon();
    void passwordVerification();
    void fieldAttributeAnswersForTheDefinition();
    void libraryRequestNamesTheGroup();

    void goldenDeclaration_data();
    void goldenDeclaration();
    void writeReadWriteIsStable();
    void undecodableValueIsRefused();
    void fieldsForTheFixture();
    void loadReportsParseErrorsAndKeepsTheDeclaration_data();
    void loadReportsParseErrorsAndKeepsTheDeclaration();
    void loadKeepsDefinitionWithMissingMaster();
    void loadRepairsDuplicateTags();
    void manyDefinitionsLoad_data();
    void manyDefinitionsLoad();
    void unshownDefinitionsAreWrittenAsShownOnes_data();
    void unshownDefinitionsAreWrittenAsShownOnes();
    void editingAfterTheDefinitionIsFirstShown();
    void saveFailureIsReported();
    void resetStartsOver();
};

void tst_Declaration::newDeclaration()
{
    FakePackageWindow window;
    Scripter::DeclarationTree *tree = window.declaration()->tree();
    QAbstractItemModelTester tester(tree->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);

    DeclarationItem *script = tree->scriptItem();
    QVERIFY(script);
    QCOMPARE(tree->topLevelItemCount(), 1);
    QCOMPARE(script->text(0), s("TavrixScript"));
    QCOMPARE(window.declaration()->elementName(), s("TavrixScript"));
    QVERIFY(script->isExpanded());
    QVERIFY(script->isSelected());
    QCOMPARE(tree->currentItem(), script);
    QCOMPARE(script->childCount(), 2);
    QCOMPARE(script->child(0)->type(), int(DeclarationItem::ElementGroupKind));
    QCOMPARE(script->child(1)->type(), int(DeclarationItem::ConnectionGroupKind));

    // The basic script properties are what the explorer shows, with the template values.
    QVERIFY(script->properties());
    QCOMPARE(window.declaration()->basicValue(XMLKey::CONNECTIONTYPE), XMLValues::CONNECTION_MOVE);
    QCOMPARE(window.declaration()->basicValue(XMLKey::INCLUDEJAVASCRIPT), XMLValues::YES);
    QCOMPARE(window.declaration()->basicValue(s("NoSuchTag")), QString());
    QCOMPARE(window.declaration()->iconPath(), QString());
    QVERIFY(window.declaration()->elementPropertyTags().isEmpty());
    QCOMPARE(window.modifiedCount, 0);
}

void tst_Declaration::addDefinitionNamesAndCounter()
{
    FakePackageWindow window;
    DeclarationItem *first = addTo(window, DeclarationItem::ElementGroupKind);
    QVERIFY(first);
    QCOMPARE(first->type(), int(DeclarationItem::ElementDefinitionKind));
    QCOMPARE(first->text(0), s("Argument0"));
    QCOMPARE(first->value(XMLKey::DEF_TAG), s("Argument0"));
    QCOMPARE(first->value(XMLKey::NAME), s("Argument0"));
    QCOMPARE(window.refreshes, QStringList{s("E")});
    QCOMPARE(window.modifiedCount, 1);

    // A tag that a user already took is skipped, in either group.
    edit(first, XMLKey::DEF_TAG, s("Argument1"));
    DeclarationItem *second = addTo(window, DeclarationItem::ConnectionGroupKind);
    QCOMPARE(second->type(), int(DeclarationItem::ConnectionDefinitionKind));
    QCOMPARE(second->text(0), s("Argument2"));
    QCOMPARE(window.declaration()->elementPropertyTags(), QStringList{s("Argument1")});
    QCOMPARE(window.declaration()->connectionPropertyTags(), QStringList{s("Argument2")});
}

void tst_Declaration::typedTagIsRepairedOrRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");     // "" for the tag the definition had
    QTest::addColumn<QString>("rejected"); // the tag reported as taken; "" for none

    // clang-format off
    QTest::newRow("valid tag is taken") << s("Resolution") << s("Resolution") << QString();
    QTest::newRow("tag XML can't hold is repaired") << s("1 xml-name") << s("__xml_name") << QString();
    QTest::newRow("another definition's tag") << s("Taken") << QString() << s("Taken");
    QTest::newRow("the same after repair") << s("Tak-en") << QString() << s("Tak_en");
    QTest::newRow("a definition of the other group") << s("Other") << QString() << s("Other");
    QTest::newRow("a field of the declaration itself") << s("ConnectionType") << QString() << s("ConnectionType");
    QTest::newRow("a field of the fixture's connections") << s("Enabled") << QString() << s("Enabled");
    // clang-format on
}

void tst_Declaration::typedTagIsRepairedOrRefused()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(QString, rejected);

    FakePackageWindow window;
    DeclarationItem *taken = addTo(window, DeclarationItem::ElementGroupKind);
    edit(taken, XMLKey::DEF_TAG, s("Taken"));
    DeclarationItem *other = addTo(window, DeclarationItem::ConnectionGroupKind);
    edit(other, XMLKey::DEF_TAG, s("Other"));
    DeclarationItem *underscored = addTo(window, DeclarationItem::ElementGroupKind);
    edit(underscored, XMLKey::DEF_TAG, s("Tak_en"));
    DeclarationItem *item = addTo(window, DeclarationItem::ElementGroupKind);
    if (kept.isEmpty()) {
        kept = item->text(0);
    }
    window.log.clear();

    edit(item, XMLKey::DEF_TAG, typed);
    QCOMPARE(item->text(0), kept);
    QCOMPARE(item->value(XMLKey::DEF_TAG), kept);
    // The explorer shows the tag that was kept.
    QCOMPARE(shownValue(window.propertiesExplorer(), s("Tag")).toString(), kept);
    QCOMPARE(window.log.messages(),
             rejected.isEmpty() ? QStringList()
                                : QStringList{s("Tag name '%1' is already used|") + rejected});
    QCOMPARE(window.declaration()->elementPropertyTags(),
             (QStringList{s("Taken"), s("Tak_en"), kept}));
}

void tst_Declaration::defaultFollowsTheEditors()
{
    FakePackageWindow window;
    DeclarationItem *item = addTo(window, DeclarationItem::ElementGroupKind);
    edit(item, XMLKey::DEFAULT, s("42"));

    auto defaultProperty = [item] {
        return qobject_cast<GuiLib::GenericProperty *>(propertyOf(item, XMLKey::DEFAULT));
    };
    edit(item, XMLKey::DEF_EDITOR, s("Number"));
    QCOMPARE(defaultProperty()->type(), XMLValues::EDITORTYPE_NUMBER);
    // The explorer shows the new property, not the one it replaced.
    QCOMPARE(window.propertiesExplorer()->propertiesModel()->root(), item->properties());
    QCOMPARE(shownValue(window.propertiesExplorer(), s("Default")).toString(), s("42"));
    QCOMPARE(defaultProperty()->editors(), XMLValues::EDITOR_INLINE);
    QCOMPARE(defaultProperty()->valueText(), s("42"));
    QCOMPARE(defaultProperty()->name(), s("Default"));
    QVERIFY(defaultProperty()->tooltip().contains(s("The default value of the property")));

    edit(item, s("SecondEditor"), s("Literal"));
    edit(item, s("LiteralEditorName2"), s("All Files"));
    QCOMPARE(defaultProperty()->editors(), s("inline;allfiles"));
    defaultProperty()->setEditor(XMLValues::EDITOR_ALLFILES);
    // The chosen editor stays while the definition still offers it.
    edit(item, s("ThirdEditor"), s("Regular expression"));
    QCOMPARE(defaultProperty()->editors(), s("inline;allfiles;regexp"));
    QCOMPARE(defaultProperty()->editor(), XMLValues::EDITOR_ALLFILES);

    edit(item, XMLKey::DEF_EDITOR, s("Dropdown list"));
    edit(item, XMLKey::DEF_DROPDOWNITEMS, s("Low;High"));
    QCOMPARE(defaultProperty()->type(), s("enum:Low;High"));

    // The rebuilt property takes part in the change handling like the one it replaced.
    window.modifiedCount = 0;
    edit(item, XMLKey::DEFAULT, s("High"));
    QCOMPARE(window.modifiedCount, 1);
    QCOMPARE(item->value(XMLKey::DEFAULT), s("High"));
    // It keeps its place among the definition's properties.
    QCOMPARE(
        item->properties()->child(item->properties()->indexOf(defaultProperty()) + 1, false)->tag(),
        XMLKey::DEF_DEPENDSONMASTER);
}

void tst_Declaration::dependsOnMasterMovesTheDefinition()
{
    FakePackageWindow window;
    Scripter::DeclarationTree *tree = window.declaration()->tree();
    QTreeWidgetItem *group = tree->groupItem(DeclarationItem::ElementGroupKind);
    DeclarationItem *first = addTo(window, DeclarationItem::ElementGroupKind);
    DeclarationItem *second = addTo(window, DeclarationItem::ElementGroupKind);
    DeclarationItem *third = addTo(window, DeclarationItem::ElementGroupKind);

    // The first definition has nothing above it to depend on.
    edit(first, XMLKey::DEF_DEPENDSONMASTER, XMLValues::YES);
    QCOMPARE(first->value(XMLKey::DEF_DEPENDSONMASTER), XMLValues::NO);
    QCOMPARE(first->parent(), group);

    window.refreshes.clear();
    edit(third, XMLKey::DEF_DEPENDSONMASTER, XMLValues::YES);
    QCOMPARE(third->parent(), second);
    QCOMPARE(second->childCount(), 1);
    QVERIFY(third->isSelected());
    QCOMPARE(tree->currentItem(), third);
    QVERIFY(second->isExpanded());
    QCOMPARE(window.refreshes, QStringList{s("E")});

    // The dependent travels with its master.
    edit(second, XMLKey::DEF_DEPENDSONMASTER, XMLValues::YES);
    QCOMPARE(second->parent(), first);
    QCOMPARE(third->parent(), second);
    QCOMPARE(window.declaration()->elementPropertyTags(),
             (QStringList{first->text(0), second->text(0), third->text(0)}));

    edit(second, XMLKey::DEF_DEPENDSONMASTER, XMLValues::NO);
    QCOMPARE(second->parent(), group);
    QCOMPARE(group->indexOfChild(second), 1);
    QCOMPARE(third->parent(), second);

    const QDomDocument document = parse(window.declaration()->toXml());
    const QDomElement fields = document.documentElement().firstChildElement(XMLKey::ELEMENTFIELDS);
    QCOMPARE(fields.firstChildElement(third->text(0)).attribute(XMLKey::DEPENDENCY),
             second->text(0));
    QCOMPARE(fields.firstChildElement(third->text(0)).attribute(XMLKey::DEPENDENCYVALUE),
             XMLValues::YES);
    QVERIFY(!fields.firstChildElement(second->text(0)).hasAttribute(XMLKey::DEPENDENCY));
}

void tst_Declaration::scriptNameAndLanguages()
{
    FakePackageWindow window;
    DeclarationItem *script = window.declaration()->tree()->scriptItem();
    edit(script, XMLKey::NAME, s("Splitter"));
    QCOMPARE(script->text(0), s("Splitter"));
    QCOMPARE(window.declaration()->elementName(), s("Splitter"));
    QCOMPARE(window.names, QStringList{s("Splitter")});

    edit(script, XMLKey::INCLUDEJAVASCRIPT, XMLValues::NO);
    edit(script, XMLKey::INCLUDEAPPLESCRIPT, XMLValues::YES);
    edit(script, XMLKey::INCLUDEVBSCRIPT, XMLValues::YES);
    QCOMPARE(window.languages, (QHash<QString, bool>{{XMLValues::JAVASCRIPT, false},
                                                     {XMLValues::APPLESCRIPT, true},
                                                     {XMLValues::VBSCRIPT, true}}));
    QCOMPARE(window.modifiedCount, 4);
    QVERIFY(window.refreshes.isEmpty());
}

void tst_Declaration::connectionSettingsRefreshTheFixture()
{
    FakePackageWindow window;
    DeclarationItem *script = window.declaration()->tree()->scriptItem();
    edit(script, XMLKey::CONNECTIONTYPE, XMLValues::CONNECTION_TRAFFICLIGHT);
    edit(script, XMLKey::LOGWARNING, XMLValues::NO);
    edit(script, XMLKey::INCLUDEEXCLUDEFOLDER, XMLValues::YES);
    QCOMPARE(window.refreshes, (QStringList{s("C"), s("C"), s("C")}));
    edit(script, XMLKey::EXECUTIONGROUP, s("g1"));
    QCOMPARE(window.refreshes.size(), 3);
}

void tst_Declaration::icon_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<bool>("accepted");

    // clang-format off
    QTest::newRow("32x32 PNG") << s("icon.png") << QSize(32, 32) << QByteArray("PNG") << true;
    QTest::newRow("suffix in any case") << s("ICON.PnG") << QSize(32, 32) << QByteArray("PNG") << true;
    QTest::newRow("wrong size") << s("big.png") << QSize(48, 48) << QByteArray("PNG") << false;
    QTest::newRow("one pixel short") << s("narrow.png") << QSize(31, 32) << QByteArray("PNG") << false;
    QTest::newRow("not a PNG suffix") << s("icon.bmp") << QSize(32, 32) << QByteArray("BMP") << false;
    QTest::newRow("not an image") << s("text.png") << QSize() << QByteArray() << false;
    QTest::newRow("missing file") << s("missing.png") << QSize(-1, -1) << QByteArray() << false;
    // clang-format on
}

void tst_Declaration::icon()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(QByteArray, format);
    QFETCH(bool, accepted);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QString path = folder.filePath(name);
    if (!format.isEmpty()) {
        QVERIFY(!writePng(folder.path(), name, size, format.constData()).isEmpty());
    } else if (size.isEmpty() && size.width() == 0) {
        QVERIFY(writeFile(path, "not an image at all"));
    }

    FakePackageWindow window;
    DeclarationItem *script = window.declaration()->tree()->scriptItem();
    const qint64 defaultIconKey = script->icon(0).cacheKey();
    DialogAnswerer dialogs;
    edit(script, XMLKey::ICON, path);

    if (accepted) {
        QCOMPARE(dialogs.seen, QStringList());
        QCOMPARE(window.declaration()->iconPath(), path);
        QCOMPARE(window.icons, QStringList{path});
        QCOMPARE(script->icon(0).pixmap(32, 32).toImage().pixelColor(5, 5), QColor(Qt::darkCyan));
    } else {
        QCOMPARE(dialogs.seen,
                 QStringList{s("Choose icon file|Your must choose a PNG image file with "
                               "a size of exactly 32x32 pixels in the RGB color "
                               "space !")});
        QCOMPARE(window.declaration()->iconPath(), QString());
        QCOMPARE(window.icons, QStringList{QString()});
        QVERIFY(script->icon(0).cacheKey() != defaultIconKey || !script->icon(0).isNull());
        QVERIFY(script->icon(0).pixmap(32, 32).toImage().pixelColor(5, 5) != QColor(Qt::darkCyan));
    }
}

void tst_Declaration::passwordVerification()
{
    FakePackageWindow window;
    DeclarationItem *script = window.declaration()->tree()->scriptItem();
    edit(script, XMLKey::PASSWORDPROTECTED, XMLValues::YES);
    edit(script, XMLKey::PASSWORD, s("s3cret"));
    DialogAnswerer dialogs;
    edit(script, XMLKey::VERIFYPASSWORD, s("s3cret"));
    QCOMPARE(dialogs.seen, QStringList());
    QCOMPARE(window.declaration()->basicValue(XMLKey::VERIFYPASSWORD), s("s3cret"));

    // A new password needs a new verification.
    edit(script, XMLKey::PASSWORD, s("other"));
    QCOMPARE(window.declaration()->basicValue(XMLKey::VERIFYPASSWORD), QString());

    edit(script, XMLKey::VERIFYPASSWORD, s("Other"));
    QCOMPARE(dialogs.seen, QStringList{s("Password Problem|The verification password you typed in "
                                         "is not the same as your password.\nPlease re-type the "
                                         "password in the 'Verify Password' property")});
    QCOMPARE(window.declaration()->basicValue(XMLKey::VERIFYPASSWORD), QString());
    QCOMPARE(window.declaration()->basicValue(XMLKey::PASSWORD), s("other"));
}

void tst_Declaration::fieldAttributeAnswersForTheDefinition()
{
    FakePackageWindow window;
    DeclarationItem *item = addTo(window, DeclarationItem::ElementGroupKind);
    edit(item, s("SecondEditor"), s("Select many from library"));
    edit(item, s("MessageForSelectManyFromLibrary2"), s("Choose several"));
    edit(item, s("ThirdEditor"), s("External editor"));
    edit(item, s("ExternalApplication3"), s("/usr/bin/gimp"));

    QCOMPARE(item->fieldAttribute(XMLKey::DEFAULT, XMLKey::SELECTMANYFROMLIBMESSAGE),
             s("Choose several"));
    QCOMPARE(item->fieldAttribute(XMLKey::DEFAULT, XMLKey::EXTERNALAPPLICATION),
             s("/usr/bin/gimp"));
    QCOMPARE(item->fieldAttribute(XMLKey::DEFAULT, XMLKey::EXTERNALARGFORNEW), s("%1"));
    QCOMPARE(item->fieldAttribute(XMLKey::DEFAULT, XMLKey::STRINGLISTEDITORMES), QString());
    QCOMPARE(item->objectType(), XMLKey::SCRIPTDECLARATION);
    QString message;
    QVERIFY(item->validateProperty(XMLKey::DEFAULT, message));
}

void tst_Declaration::libraryRequestNamesTheGroup()
{
    FakePackageWindow window;
    DeclarationItem *element = addTo(window, DeclarationItem::ElementGroupKind);
    DeclarationItem *connection = addTo(window, DeclarationItem::ConnectionGroupKind);
    QVERIFY(element->libraryForProperty(element->text(0)).isEmpty());
    connection->libraryForProperty(connection->text(0));
    QCOMPARE(window.libraryRequests, (QStringList{element->text(0) + s("@element"),
                                                  connection->text(0) + s("@connection")}));
}

void tst_Declaration::goldenDeclaration_data()
{
    QTest::addColumn<QString>("golden");
    QTest::addColumn<bool>("filter");

    // clang-format off
    QTest::newRow("traffic light, every editor kind, masters and dependents") << s("golden/declaration.xml") << false;
    QTest::newRow("filter with folder masks, AppleScript only") << s("golden/declaration-filter.xml") << true;
    // clang-format on
}

void tst_Declaration::goldenDeclaration()
{
    QFETCH(QString, golden);
    QFETCH(bool, filter);

    FakePackageWindow window;
    if (filter) {
        buildFilterDeclaration(window);
    } else {
        buildRichDeclaration(window);
    }
    const QString written = window.declaration()->toXml();

    const QString goldenPath = QFINDTESTDATA(golden);
    QVERIFY2(!goldenPath.isEmpty(), qPrintable(golden + s(" is missing")));
    const QDomDocument expected = parse(textOf(goldenPath));
    const QDomDocument actual = parse(written);
    const QString difference =
        differenceBetween(expected.documentElement(), actual.documentElement());
    if (!difference.isEmpty()) {
        qWarning().noquote() << "written declaration:\n" << written;
    }
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QCOMPARE(window.log.messages(), QStringList{});
}

void tst_Declaration::writeReadWriteIsStable()
{
    QTemporaryDir folder;
    FakePackageWindow window;
    buildRichDeclaration(window);
    const QString path = folder.filePath(s("Golden.xml"));
    QString error;
    QVERIFY2(window.declaration()->save(path, &error), qPrintable(error));

    FakePackageWindow other;
    SRCore::XmlError xmlError;
    QVERIFY2(other.declaration()->load(path, &xmlError), qPrintable(xmlError.toString()));
    QVERIFY(other.log.records().isEmpty());
    // The same document again, to the byte.
    QCOMPARE(other.declaration()->toXml(), textOf(path));

    // The tree is rebuilt as it was: masters hold their dependents.
    QCOMPARE(other.declaration()->elementPropertyTags(),
             window.declaration()->elementPropertyTags());
    QTreeWidgetItem *mode = other.declaration()->tree()->findItemWithText(s("Mode"));
    QVERIFY(mode);
    QCOMPARE(mode->child(0)->text(0), s("Speed"));
    QCOMPARE(mode->child(0)->child(0)->text(0), s("Limit"));
    QCOMPARE(other.declaration()->basicValue(XMLKey::LOGSUCCESS), XMLValues::NO);
    QCOMPARE(other.declaration()->basicValue(XMLKey::INCLUDEVBSCRIPT), XMLValues::YES);
    auto *blank =
        dynamic_cast<DeclarationItem *>(other.declaration()->tree()->findItemWithText(s("Blank")));
    QCOMPARE(blank->value(XMLKey::DEFAULT), s("   "));
    // Loading is not an edit.
    QCOMPARE(other.modifiedCount, 0);

    // A document in memory reads the same way; a broken one changes nothing.
    FakePackageWindow third;
    QVERIFY(third.declaration()->loadFromXml(window.declaration()->toXml()));
    QCOMPARE(third.declaration()->toXml(), window.declaration()->toXml());
    QVERIFY(!third.declaration()->loadFromXml(s("<Object><ElementFields>"), &xmlError));
    QCOMPARE(xmlError.line, 1);
    QCOMPARE(third.declaration()->toXml(), window.declaration()->toXml());
}

void tst_Declaration::undecodableValueIsRefused()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(s("encoded.xml"));
    QVERIFY(writeFile(path,
                      "<Object>\n<ElementFields>\n"
                      "<Name Editor=\"hide\" ValueEncoding=\"Base64UTF16\">not base64!</Name>\n"
                      "</ElementFields>\n<ConnectionFields/>\n</Object>\n"));

    FakePackageWindow window;
    SRCore::XmlError error;
    QVERIFY(!window.declaration()->load(path, &error));
    QVERIFY2(error.message.contains(s("Name")), qPrintable(error.message));
    QCOMPARE(window.declaration()->elementName(), s("TavrixScript"));
}

void tst_Declaration::fieldsForTheFixture()
{
    FakePackageWindow window;
    buildRichDeclaration(window);
    SRCore::FlowObject object = SRCore::FlowObject::create();
    QVERIFY(object.injectPropertiesFromXML(window.declaration()->elementFieldsXml()));
    QStringList names;
    for (const SRCore::FlowObjectField &field : object.getFields()) {
        names.append(field.getName());
    }
    QCOMPARE(names, window.declaration()->elementPropertyTags());
    QCOMPARE(object.getField(s("Speed")).getProperty(XMLKey::DEPENDENCY), s("Mode"));
    QCOMPARE(object.getField(s("Mode")).getProperty(XMLKey::TYPE), s("enum:Fast;Safe"));
    QCOMPARE(object.getField(s("Blank")).getValue(), s("   "));

    const QDomDocument connections = parse(window.declaration()->connectionFieldsXml());
    QCOMPARE(connections.documentElement().tagName(), XMLKey::CONNECTIONFIELDS);
    QCOMPARE(connections.documentElement().firstChildElement().tagName(), s("Route"));
    QCOMPARE(window.declaration()->connectionPropertyTags(), QStringList{s("Route")});
}

void tst_Declaration::loadReportsParseErrorsAndKeepsTheDeclaration_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");

    // clang-format off
    QTest::newRow("unclosed element") << QByteArray("<Object>\n  <ElementFields>\n    <Name Editor=\"hide\">x</Nam>\n") << 3 << 31;
    QTest::newRow("not XML") << QByteArray("just text") << 1 << 0;
    QTest::newRow("empty file") << QByteArray() << 1 << 0;
    QTest::newRow("another document") << QByteArray("<Flow>\n  <Header/>\n</Flow>\n") << 1 << 6;
    QTest::newRow("no such file") << QByteArray("-") << 0 << 0;
    // clang-format on
}

void tst_Declaration::loadReportsParseErrorsAndKeepsTheDeclaration()
{
    QFETCH(QByteArray, content);
    QFETCH(int, line);
    QFETCH(int, column);

    QTemporaryDir folder;
    const QString path = folder.filePath(s("broken.xml"));
    if (content != "-") {
        QVERIFY(writeFile(path, content));
    }

    FakePackageWindow window;
    buildRichDeclaration(window);
    const QString before = window.declaration()->toXml();
    window.log.clear();

    SRCore::XmlError error;
    QVERIFY(!window.declaration()->load(path, &error));
    QVERIFY(!error.message.isEmpty());
    if (line > 0) {
        QCOMPARE(error.line, line);
        if (column > 0) {
            QCOMPARE(error.column, column);
        }
    } else {
        QVERIFY(error.message.contains(path));
    }
    QCOMPARE(window.declaration()->toXml(), before);
    QCOMPARE(window.declaration()->elementName(), s("Golden Sorter"));
}

void tst_Declaration::loadKeepsDefinitionWithMissingMaster()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(s("orphan.xml"));
    QVERIFY(writeFile(path, R"(<?xml version="1.0" encoding="UTF-8"?>
<Object>
  <ElementFields>
    <Name Editor="hide">Orphans</Name>
    <First Tooltip="a" LocalizedTagName="First" Type="string" Editor="inline"/>
    <Orphan Tooltip="b" LocalizedTagName="Orphan" Dependency="Ghost" Dependencyvalue="On" Type="string" Editor="inline">x</Orphan>
  </ElementFields>
  <ConnectionFields/>
</Object>
)"));

    FakePackageWindow window;
    QVERIFY(window.declaration()->load(path));
    QCOMPARE(window.log.messages(),
             QStringList{s("Can't find master property '%11' for property '%12'|Ghost,Orphan")});
    QCOMPARE(window.declaration()->elementName(), s("Orphans"));
    QCOMPARE(window.declaration()->elementPropertyTags(), (QStringList{s("First"), s("Orphan")}));
    QTreeWidgetItem *group =
        window.declaration()->tree()->groupItem(DeclarationItem::ElementGroupKind);
    auto *orphan = dynamic_cast<DeclarationItem *>(group->child(1));
    QCOMPARE(orphan->text(0), s("Orphan"));
    QCOMPARE(orphan->value(XMLKey::DEF_MASTERVALUE), s("On"));
    QCOMPARE(orphan->value(XMLKey::DEFAULT), s("x"));
}

void tst_Declaration::loadRepairsDuplicateTags()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(s("duplicates.xml"));
    QVERIFY(writeFile(path, R"(<Object>
  <ElementFields>
    <Twin Tooltip="first" LocalizedTagName="Twin" Type="string" Editor="inline">1</Twin>
    <Twin Tooltip="second" LocalizedTagName="Twin" Type="string" Editor="inline">2</Twin>
    <Child Tooltip="" Dependency="Twin" Dependencyvalue="Yes" Type="string" Editor="inline"/>
    <Enabled Tooltip="clashes with the fixture" Type="bool" Editor="inline">Yes</Enabled>
  </ElementFields>
  <ConnectionFields>
    <Twin Tooltip="third" Type="string" Editor="inline">3</Twin>
  </ConnectionFields>
</Object>
)"));

    FakePackageWindow window;
    QVERIFY(window.declaration()->load(path));
    QCOMPARE(window.declaration()->elementPropertyTags(),
             (QStringList{s("Twin"), s("Child"), s("Twin_Copy"), s("Enabled_Copy")}));
    QCOMPARE(window.declaration()->connectionPropertyTags(), QStringList{s("Twin_Copy1")});
    QCOMPARE(window.log.messages(), (QStringList{s("Tag name '%1' is already used|Twin"),
                                                 s("Tag name '%1' is already used|Enabled"),
                                                 s("Tag name '%1' is already used|Twin")}));
    // Nothing is lost: every definition keeps its values, the dependent sits under the first.
    auto *copy = dynamic_cast<DeclarationItem *>(
        window.declaration()->tree()->findItemWithText(s("Twin_Copy")));
    QCOMPARE(copy->value(XMLKey::DEFAULT), s("2"));
    QCOMPARE(copy->value(XMLKey::TOOLTIP), s("second"));
    QCOMPARE(window.declaration()->tree()->findItemWithText(s("Child"))->parent()->text(0),
             s("Twin"));
}

void tst_Declaration::manyDefinitionsLoad_data()
{
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<int>("depthOfTheLast"); // below the group

    const QString field =
        s(R"(<%1 Tooltip="t" LocalizedTagName="%1" Type="string" Editor="inline"%2/>)");
    QString sameTag;
    QStringList copies = {s("Same")};
    for (int i = 0; i < 1000; ++i) {
        sameTag += field.arg(s("Same"), QString());
        if (i > 0) {
            copies << (i == 1 ? s("Same_Copy") : s("Same_Copy%1").arg(i - 1));
        }
    }
    QString chain;
    QStringList links;
    for (int i = 0; i < 5000; ++i) {
        const QString master =
            i == 0 ? QString() : s(R"( Dependency="Link%1" Dependencyvalue="Yes")").arg(i - 1);
        chain += field.arg(s("Link%1").arg(i), master);
        links << s("Link%1").arg(i);
    }
    QTest::newRow("1000 definitions of one tag become copies") << sameTag << copies << 1;
    QTest::newRow("a chain of 5000 dependent definitions") << chain << links << 5000;
}

void tst_Declaration::manyDefinitionsLoad()
{
    QFETCH(QString, fields);
    QFETCH(QStringList, tags);
    QFETCH(int, depthOfTheLast);

    FakePackageWindow window;
    QVERIFY(window.declaration()->loadFromXml(
        s("<Object><ElementFields>%1</ElementFields><ConnectionFields/></Object>").arg(fields)));
    QCOMPARE(window.declaration()->elementPropertyTags(), tags);
    const QTreeWidgetItem *group =
        window.declaration()->tree()->groupItem(DeclarationItem::ElementGroupKind);
    int depth = 0;
    for (const QTreeWidgetItem *item = window.declaration()->tree()->findItemWithText(tags.last());
         item && item != group; item = item->parent()) {
        ++depth;
    }
    QCOMPARE(depth, depthOfTheLast);
}

// The values and the Default editor of a definition that was read and never shown come back
// exactly as those of one whose properties were shown.
void tst_Declaration::unshownDefinitionsAreWrittenAsShownOnes_data()
{
    QTest::addColumn<QString>("fields");
    QTest::addColumn<bool>("cdata"); // a Default value written as a CDATA section

    // clang-format off
    QTest::newRow("blank default") << s(R"(<Blank Validation="Standard" LocalizedTagName="Blank" Tooltip="" Type="string" Editor="inline" Default="   " Subtype="inline"><![CDATA[   ]]></Blank>)") << true;
    QTest::newRow("chosen script expression ending a CDATA section") << s(R"(<Expr Validation="Standard" LocalizedTagName="Expr" Tooltip="t" Type="string" Editor="inline;scriptexp" Default="job.getName() + ']]&gt;'" Subtype="scriptexp"><![CDATA[job.getName() + ']]]]><![CDATA[>']]></Expr>)") << true;
    QTest::newRow("script expression offered, inline chosen") << s(R"(<Expr Validation="Standard" LocalizedTagName="Expr" Tooltip="t" Type="string" Editor="inline;scriptexp" Default="1 &lt; 2" Subtype="inline">1 &lt; 2</Expr>)") << false;
    QTest::newRow("chosen condition with variables") << s(R"(<Cond Validation="None" LocalizedTagName="Cond" Tooltip="t" Type="string" Editor="inline;conditionwithvar" Default="[Job.Name] = 'a&amp;b'" Subtype="conditionwithvar"><![CDATA[[Job.Name] = 'a&b']]></Cond>)") << true;
    QTest::newRow("no Subtype, a script expression alone") << s(R"(<Only LocalizedTagName="Only" Tooltip="t" Type="string" Editor="scriptexp" Default="x + 1"/>)") << true;
    QTest::newRow("chosen editor no longer offered") << s(R"(<Gone LocalizedTagName="Gone" Tooltip="t" Type="number" Editor="inline" Default="7" Subtype="regexp">7</Gone>)") << false;
    QTest::newRow("dependents two deep") << s(R"(<Mode LocalizedTagName="Mode" Tooltip="t" Type="enum:Fast;Safe" Editor="inline" Default="Fast" Subtype="inline">Fast</Mode><Speed Dependency="Mode" Dependencyvalue="Fast" LocalizedTagName="Speed" Tooltip="t" Type="number" Editor="inline" Default="3" Subtype="inline">3</Speed><Limit Dependency="Speed" Dependencyvalue="3" LocalizedTagName="Limit" Tooltip="t" Type="string" Editor="inline" Default=" " Subtype="inline"><![CDATA[ ]]></Limit>)") << true;
    // clang-format on
}

void tst_Declaration::unshownDefinitionsAreWrittenAsShownOnes()
{
    QFETCH(QString, fields);
    QFETCH(bool, cdata);

    FakePackageWindow shown;
    QVERIFY(shown.declaration()->loadFromXml(declarationOf(fields)));
    showEveryItem(shown);
    const QString written = shown.declaration()->toXml();
    QCOMPARE(written.contains(s("<![CDATA[")), cdata);

    FakePackageWindow unshown;
    QVERIFY(unshown.declaration()->loadFromXml(declarationOf(fields)));
    QCOMPARE(unshown.declaration()->toXml(), written);
    QCOMPARE(unshown.declaration()->elementFieldsXml(), shown.declaration()->elementFieldsXml());

    // What was written reads and writes again to the byte.
    FakePackageWindow reread;
    QVERIFY(reread.declaration()->loadFromXml(written));
    QCOMPARE(reread.declaration()->toXml(), written);
    QCOMPARE(reread.log.messages(), QStringList{});
}

void tst_Declaration::editingAfterTheDefinitionIsFirstShown()
{
    // clang-format off
    const QString fields = s(R"(<Expr LocalizedTagName="Expr" Tooltip="t" Type="string" Editor="inline;scriptexp" Default="a + b" Subtype="scriptexp"><![CDATA[a + b]]></Expr>)"
                             R"(<Blank LocalizedTagName="Blank" Tooltip="t" Type="string" Editor="inline" Default="42" Subtype="inline">42</Blank>)");
    // clang-format on
    FakePackageWindow window;
    QVERIFY(window.declaration()->loadFromXml(declarationOf(fields)));
    Scripter::DeclarationTree *tree = window.declaration()->tree();
    auto *expr = dynamic_cast<DeclarationItem *>(tree->findItemWithText(s("Expr")));
    auto *blank = dynamic_cast<DeclarationItem *>(tree->findItemWithText(s("Blank")));
    QVERIFY(expr && blank);

    // Copied while neither was shown: the copy keeps the Default editor.
    tree->clearSelection();
    expr->setSelected(true);
    blank->setSelected(true);
    tree->copyAction()->trigger();
    tree->clearSelection();
    tree->setCurrentItem(blank);
    tree->pasteAction()->trigger();
    auto *copy = dynamic_cast<DeclarationItem *>(tree->findItemWithText(s("Expr_Copy")));
    QVERIFY(copy);
    QCOMPARE(defaultEditorOf(copy), XMLValues::EDITOR_SCRIPTEXP);
    QCOMPARE(copy->value(XMLKey::DEFAULT), s("a + b"));

    tree->clearSelection();
    tree->setCurrentItem(expr);
    expr->setSelected(true);
    QCOMPARE(window.propertiesExplorer()->propertiesModel()->root(), expr->properties());
    QCOMPARE(defaultEditorOf(expr), XMLValues::EDITOR_SCRIPTEXP);

    // The Default property follows the editors, and the writing follows the edits.
    window.modifiedCount = 0;
    edit(expr, XMLKey::DEF_EDITOR, s("Number"));
    auto *defaultValue = qobject_cast<GuiLib::GenericProperty *>(propertyOf(expr, XMLKey::DEFAULT));
    QCOMPARE(defaultValue->type(), XMLValues::EDITORTYPE_NUMBER);
    QCOMPARE(defaultValue->editor(), XMLValues::EDITOR_SCRIPTEXP);
    QCOMPARE(window.propertiesExplorer()->propertiesModel()->root(), expr->properties());
    QCOMPARE(window.modifiedCount, 1);
    edit(expr, XMLKey::DEFAULT, s("b + c"));
    const QDomElement written = parse(window.declaration()->toXml())
                                    .documentElement()
                                    .firstChildElement(XMLKey::ELEMENTFIELDS)
                                    .firstChildElement(s("Expr"));
    QCOMPARE(written.attribute(XMLKey::TYPE), XMLValues::EDITORTYPE_NUMBER);
    QCOMPARE(written.attribute(XMLKey::DEFAULT), s("b + c"));

    // A duplicate tag is refused, a definition moves under its master.
    edit(blank, XMLKey::DEF_TAG, s("Expr"));
    QCOMPARE(blank->text(0), s("Blank"));
    QCOMPARE(window.log.messages(), QStringList{s("Tag name '%1' is already used|Expr")});
    edit(blank, XMLKey::DEF_DEPENDSONMASTER, XMLValues::YES);
    QCOMPARE(blank->parent(), expr);
    QCOMPARE(parse(window.declaration()->toXml())
                 .documentElement()
                 .firstChildElement(XMLKey::ELEMENTFIELDS)
                 .firstChildElement(s("Blank"))
                 .attribute(XMLKey::DEPENDENCY),
             s("Expr"));
}

void tst_Declaration::saveFailureIsReported()
{
    QTemporaryDir folder;
    FakePackageWindow window;
    QString error;
    QVERIFY(!window.declaration()->save(folder.filePath(s("missing/folder/decl.xml")), &error));
    QVERIFY(!error.isEmpty());

    // A file where a folder should be.
    const QString file = folder.filePath(s("plain"));
    QVERIFY(window.declaration()->save(file, &error));
    error.clear();
    QVERIFY(!window.declaration()->save(file + s("/decl.xml"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!textOf(file).isEmpty());
}

void tst_Declaration::resetStartsOver()
{
    FakePackageWindow window;
    buildRichDeclaration(window);
    window.declaration()->reset();
    QCOMPARE(window.declaration()->elementName(), s("TavrixScript"));
    QVERIFY(window.declaration()->elementPropertyTags().isEmpty());
    QVERIFY(window.declaration()->connectionPropertyTags().isEmpty());
    QCOMPARE(window.declaration()->tree()->currentItem(),
             window.declaration()->tree()->scriptItem());
    DeclarationItem *item = addTo(window, DeclarationItem::ElementGroupKind);
    QCOMPARE(item->text(0), s("Argument0"));
}

TAVRIX_TEST_MAIN(tst_Declaration)
#include "tst_declaration.moc"
