#include "common/testmain.h"

#include "packagetestsupport.h"

#include "package/declarationitem.h"
#include "package/declarationtree.h"

#include "guilib/property/genericproperty.h"
#include "guilib/property/propertiesexplorermodel.h"
#include "guilib/property/propertycollection.h"

#include "corelib/common/xmlerror.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QAction>
#include <QDomDocument>
#include <QImage>
#include <QTemporaryDir>
#include <QTreeWidgetItemIterator>
#include <QtTest>

using namespace PackageTest;
using Scripter::DeclarationItem;

namespace {

GuiLib::IProperty *propertyOf(DeclarationItem *item, const QString &tag)
{
    return item ? GuiLib::findProperty(item->properties(), tag) : nullptr;
}

// The element as lines of "path @attribute=value" (sorted) and "path text|cdata: ...", so that a
// comparison names the first field that differs.
QStringList fieldsOf(const QDomElement &element, const QString &parent = QString())
{
    const QString path = parent + QLatin1Char('/') + element.tagName();
    QStringList lines;
    const QDomNamedNodeMap attributes = element.attributes();
    for (int i = 0; i < attributes.count(); ++i) {
        lines << path + s(" @") + attributes.item(i).nodeName() + s("=")
                     + attributes.item(i).nodeValue();
    }
    lines.sort();
    if (element.firstChildElement().isNull()) {
        const bool cdata = element.firstChild().isCDATASection();
        lines << path + (cdata ? s(" cdata: ") : s(" text: ")) + element.text();
    }
    for (QDomElement e = element.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        lines << fieldsOf(e, path);
    }
    return lines;
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
        DeclarationItem *item = addDefinition(window, element);
        edit(item, XMLKey::DEF_TAG, row.tag);
        edit(item, XMLKey::NAME, row.tag + s(" name"));
        for (const auto &[tag, value] : row.values) {
            edit(item, tag, value);
        }
    }
    // "Speed" depends on "Mode", "Limit" on "Speed": the dependent moves under its master first,
    // then the master under its own, taking the dependent with it.
    Scripter::DeclarationTree *tree = declaration->tree();
    DeclarationItem *speed = addDefinition(window, element, tree->groupItem(element)->child(0));
    edit(speed, XMLKey::DEF_TAG, s("Speed"));
    edit(speed, XMLKey::DEF_MASTERVALUE, s("Fast"));
    DeclarationItem *limit = addDefinition(window, element, speed);
    edit(limit, XMLKey::DEF_TAG, s("Limit"));
    edit(limit, XMLKey::DEF_EDITOR, s("Number"));
    edit(limit, XMLKey::DEF_DEPENDSONMASTER, XMLValues::YES);
    edit(speed, XMLKey::DEF_DEPENDSONMASTER, XMLValues::YES);

    DeclarationItem *route = addDefinition(window, DeclarationItem::ConnectionGroupKind);
    edit(route, XMLKey::DEF_TAG, s("Route"));
    edit(route, XMLKey::DEF_EDITOR, s("Dropdown list"));
    edit(route, XMLKey::DEF_DROPDOWNITEMS, s("Left;Right"));
    edit(route, XMLKey::DEFAULT, s("Left"));
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

// What the window was asked to do after an edit: names, languages shown, fixture refreshes.
QStringList windowRecords(const FakePackageWindow &window)
{
    QStringList records = window.names;
    for (auto it = window.languages.cbegin(); it != window.languages.cend(); ++it) {
        records << it.key() + (it.value() ? s(" shown") : s(" hidden"));
    }
    records.sort();
    return records + window.refreshes;
}

} // namespace

class tst_Declaration : public QObject
{
    Q_OBJECT

private slots:
    void newAndResetDeclaration();
    void addDefinitionNamesAndCounter();
    void typedTagIsRepairedOrRefused_data();
    void typedTagIsRepairedOrRefused();
    void defaultFollowsTheEditors();
    void dependsOnMasterMovesTheDefinition();
    void basicSettingsReachTheWindow_data();
    void basicSettingsReachTheWindow();
    void icon_data();
    void icon();
    void passwordVerification();
    void definitionAnswersForItsFieldsAndLibrary();

    void goldenDeclaration();
    void writeReadWriteIsStable();
    void loadReportsErrorsAndKeepsTheDeclaration_data();
    void loadReportsErrorsAndKeepsTheDeclaration();
    void loadRepairsDuplicateTagsAndMissingMasters();
    void manyDefinitionsLoad_data();
    void manyDefinitionsLoad();
    void unshownDefinitionsAreWrittenAsShownOnes_data();
    void unshownDefinitionsAreWrittenAsShownOnes();
    void editingAfterTheDefinitionIsFirstShown();
    void saveFailureIsReportedAndLosesNothing();
};

// A new declaration, and one reset after edits, is the template with nothing defined.
void tst_Declaration::newAndResetDeclaration()
{
    FakePackageWindow window;
    Scripter::DeclarationTree *tree = window.declaration()->tree();
    QAbstractItemModelTester tester(tree->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    const auto verifyNew = [&] {
        DeclarationItem *script = tree->scriptItem();
        QCOMPARE(tree->topLevelItemCount(), 1);
        QCOMPARE(window.declaration()->elementName(), s("TavrixScript"));
        QVERIFY(script->isExpanded());
        QVERIFY(script->isSelected());
        QCOMPARE(tree->currentItem(), script);
        QCOMPARE(script->child(0), tree->groupItem(DeclarationItem::ElementGroupKind));
        QCOMPARE(script->child(1), tree->groupItem(DeclarationItem::ConnectionGroupKind));
        QCOMPARE(window.declaration()->basicValue(XMLKey::CONNECTIONTYPE),
                 XMLValues::CONNECTION_MOVE);
        QVERIFY(window.declaration()->elementPropertyTags().isEmpty());
        QVERIFY(window.declaration()->connectionPropertyTags().isEmpty());
    };
    verifyNew();
    QCOMPARE(window.declaration()->basicValue(s("NoSuchTag")), QString());
    QCOMPARE(window.modifiedCount, 0);
    const QString fresh = window.declaration()->toXml();

    buildRichDeclaration(window);
    window.declaration()->reset();
    verifyNew();
    QCOMPARE(window.declaration()->toXml(), fresh);
    // The counter of new definitions starts over.
    QCOMPARE(addDefinition(window, DeclarationItem::ElementGroupKind)->text(0), s("Argument0"));
}

void tst_Declaration::addDefinitionNamesAndCounter()
{
    FakePackageWindow window;
    DeclarationItem *first = addDefinition(window, DeclarationItem::ElementGroupKind);
    QCOMPARE(first->type(), int(DeclarationItem::ElementDefinitionKind));
    QCOMPARE(first->text(0), s("Argument0"));
    QCOMPARE(first->value(XMLKey::DEF_TAG), s("Argument0"));
    QCOMPARE(first->value(XMLKey::NAME), s("Argument0"));
    QCOMPARE(window.refreshes, QStringList{s("E")});
    QCOMPARE(window.modifiedCount, 1);

    // A tag that a user already took is skipped, in either group.
    edit(first, XMLKey::DEF_TAG, s("Argument1"));
    DeclarationItem *second = addDefinition(window, DeclarationItem::ConnectionGroupKind);
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
    edit(addDefinition(window, DeclarationItem::ElementGroupKind), XMLKey::DEF_TAG, s("Taken"));
    edit(addDefinition(window, DeclarationItem::ConnectionGroupKind), XMLKey::DEF_TAG, s("Other"));
    edit(addDefinition(window, DeclarationItem::ElementGroupKind), XMLKey::DEF_TAG, s("Tak_en"));
    DeclarationItem *item = addDefinition(window, DeclarationItem::ElementGroupKind);
    if (kept.isEmpty()) {
        kept = item->text(0);
    }
    window.log.clear();

    edit(item, XMLKey::DEF_TAG, typed);
    QCOMPARE(item->text(0), kept);
    QCOMPARE(item->value(XMLKey::DEF_TAG), kept);
    // The explorer shows the tag that was kept.
    QCOMPARE(shownValue(window.propertiesExplorer(), s("Tag")), kept);
    QCOMPARE(window.log.messages(),
             rejected.isEmpty() ? QStringList()
                                : QStringList{s("Tag name '%1' is already used|") + rejected});
    QCOMPARE(window.declaration()->elementPropertyTags(),
             (QStringList{s("Taken"), s("Tak_en"), kept}));
}

void tst_Declaration::defaultFollowsTheEditors()
{
    FakePackageWindow window;
    DeclarationItem *item = addDefinition(window, DeclarationItem::ElementGroupKind);
    edit(item, XMLKey::DEFAULT, s("42"));

    auto defaultProperty = [item] {
        return qobject_cast<GuiLib::GenericProperty *>(propertyOf(item, XMLKey::DEFAULT));
    };
    edit(item, XMLKey::DEF_EDITOR, s("Number"));
    QCOMPARE(defaultProperty()->type(), XMLValues::EDITORTYPE_NUMBER);
    // The explorer shows the new property, not the one it replaced.
    QCOMPARE(window.propertiesExplorer()->propertiesModel()->root(), item->properties());
    QCOMPARE(shownValue(window.propertiesExplorer(), s("Default")), s("42"));
    QCOMPARE(defaultProperty()->editors(), XMLValues::EDITOR_INLINE);

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
    DeclarationItem *first = addDefinition(window, DeclarationItem::ElementGroupKind);
    DeclarationItem *second = addDefinition(window, DeclarationItem::ElementGroupKind);
    DeclarationItem *third = addDefinition(window, DeclarationItem::ElementGroupKind);

    // The first definition has nothing above it to depend on.
    edit(first, XMLKey::DEF_DEPENDSONMASTER, XMLValues::YES);
    QCOMPARE(first->value(XMLKey::DEF_DEPENDSONMASTER), XMLValues::NO);
    QCOMPARE(first->parent(), group);

    window.refreshes.clear();
    edit(third, XMLKey::DEF_DEPENDSONMASTER, XMLValues::YES);
    QCOMPARE(third->parent(), second);
    QCOMPARE(tree->currentItem(), third);
    QVERIFY(third->isSelected());
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
}

void tst_Declaration::basicSettingsReachTheWindow_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("records"); // see windowRecords()

    // clang-format off
    QTest::newRow("name renames the script") << XMLKey::NAME << s("Splitter") << QStringList{s("Splitter")};
    QTest::newRow("a language hides its editor") << XMLKey::INCLUDEJAVASCRIPT << XMLValues::NO << QStringList{s("JavaScript hidden")};
    QTest::newRow("a language shows its editor") << XMLKey::INCLUDEVBSCRIPT << XMLValues::YES << QStringList{s("VBScript shown")};
    QTest::newRow("connection type refreshes the connections") << XMLKey::CONNECTIONTYPE << XMLValues::CONNECTION_TRAFFICLIGHT << QStringList{s("C")};
    QTest::newRow("an outcome flag refreshes the connections") << XMLKey::LOGWARNING << XMLValues::NO << QStringList{s("C")};
    QTest::newRow("folder masks refresh the connections") << XMLKey::INCLUDEEXCLUDEFOLDER << XMLValues::YES << QStringList{s("C")};
    QTest::newRow("execution group refreshes nothing") << XMLKey::EXECUTIONGROUP << s("g1") << QStringList();
    // clang-format on
}

void tst_Declaration::basicSettingsReachTheWindow()
{
    QFETCH(QString, tag);
    QFETCH(QString, value);
    QFETCH(QStringList, records);

    FakePackageWindow window;
    DeclarationItem *script = window.declaration()->tree()->scriptItem();
    edit(script, tag, value);
    QCOMPARE(windowRecords(window), records);
    QCOMPARE(window.modifiedCount, 1);
    QCOMPARE(script->text(0), window.declaration()->elementName());
}

void tst_Declaration::icon_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QByteArray>("format"); // "text": a file that is no image; "": no file
    QTest::addColumn<bool>("accepted");

    // clang-format off
    QTest::newRow("32x32 PNG") << s("icon.png") << QSize(32, 32) << QByteArray("PNG") << true;
    QTest::newRow("suffix in any case") << s("ICON.PnG") << QSize(32, 32) << QByteArray("PNG") << true;
    QTest::newRow("wrong size") << s("big.png") << QSize(48, 48) << QByteArray("PNG") << false;
    QTest::newRow("one pixel short") << s("narrow.png") << QSize(31, 32) << QByteArray("PNG") << false;
    QTest::newRow("not a PNG suffix") << s("icon.bmp") << QSize(32, 32) << QByteArray("BMP") << false;
    QTest::newRow("not an image") << s("text.png") << QSize() << QByteArray("text") << false;
    QTest::newRow("missing file") << s("missing.png") << QSize() << QByteArray() << false;
    // clang-format on
}

void tst_Declaration::icon()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(QByteArray, format);
    QFETCH(bool, accepted);

    QTemporaryDir folder;
    const QString path = folder.filePath(name);
    if (format == "text") {
        QVERIFY(writeFile(path, "not an image at all"));
    } else if (!format.isEmpty()) {
        QVERIFY(!writePng(path, size, format.constData()).isEmpty());
    }

    FakePackageWindow window;
    DeclarationItem *script = window.declaration()->tree()->scriptItem();
    DialogAnswerer dialogs;
    edit(script, XMLKey::ICON, path);

    const QStringList refusal{s("Choose icon file|Your must choose a PNG image file with a size of "
                                "exactly 32x32 pixels in the RGB color space !")};
    QCOMPARE(dialogs.seen, accepted ? QStringList() : refusal);
    QCOMPARE(window.declaration()->iconPath(), accepted ? path : QString());
    QCOMPARE(window.icons, QStringList{accepted ? path : QString()});
    QCOMPARE(script->icon(0).pixmap(32, 32).toImage().pixelColor(5, 5) == QColor(Qt::darkCyan),
             accepted);
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
    QCOMPARE(dialogs.seen.size(), 1);
    QVERIFY(dialogs.seen.first().startsWith(s("Password Problem|")));
    QCOMPARE(window.declaration()->basicValue(XMLKey::VERIFYPASSWORD), QString());
    QCOMPARE(window.declaration()->basicValue(XMLKey::PASSWORD), s("other"));
}

// The editor fields are the definition's (the rules are DefinitionEditors'); the library is
// asked for with the definition's group.
void tst_Declaration::definitionAnswersForItsFieldsAndLibrary()
{
    FakePackageWindow window;
    DeclarationItem *element = addDefinition(window, DeclarationItem::ElementGroupKind);
    edit(element, s("SecondEditor"), s("External editor"));
    edit(element, s("ExternalApplication2"), s("/usr/bin/gimp"));
    QCOMPARE(element->fieldAttribute(XMLKey::DEFAULT, XMLKey::EXTERNALAPPLICATION),
             s("/usr/bin/gimp"));
    QCOMPARE(element->fieldAttribute(XMLKey::DEFAULT, XMLKey::STRINGLISTEDITORMES), QString());

    DeclarationItem *connection = addDefinition(window, DeclarationItem::ConnectionGroupKind);
    QVERIFY(element->libraryForProperty(element->text(0)).isEmpty());
    connection->libraryForProperty(connection->text(0));
    QCOMPARE(window.libraryRequests, (QStringList{element->text(0) + s("@element"),
                                                  connection->text(0) + s("@connection")}));
}

// Every editor kind, masters and dependents, a traffic light, compared field by field.
void tst_Declaration::goldenDeclaration()
{
    FakePackageWindow window;
    buildRichDeclaration(window);
    const QString goldenPath = QFINDTESTDATA("golden/declaration.xml");
    QVERIFY2(!goldenPath.isEmpty(), "golden/declaration.xml is missing");
    QCOMPARE(fieldsOf(parse(window.declaration()->toXml()).documentElement()),
             fieldsOf(parse(QString::fromUtf8(readFile(goldenPath))).documentElement()));
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
    QCOMPARE(other.declaration()->toXml(), QString::fromUtf8(readFile(path)));

    QCOMPARE(other.declaration()->elementPropertyTags(),
             window.declaration()->elementPropertyTags());
    // Loading is not an edit.
    QCOMPARE(other.modifiedCount, 0);
}

void tst_Declaration::loadReportsErrorsAndKeepsTheDeclaration_data()
{
    QTest::addColumn<QByteArray>("content"); // "-": no file at all
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("mentions"); // in the error message; "@" for the file's path

    // clang-format off
    QTest::newRow("unclosed element") << QByteArray("<Object>\n  <ElementFields>\n    <Name Editor=\"hide\">x</Nam>\n") << 3 << 31 << QString();
    QTest::newRow("not XML") << QByteArray("just text") << 1 << 0 << QString();
    QTest::newRow("empty file") << QByteArray() << 1 << 0 << QString();
    QTest::newRow("another document") << QByteArray("<Flow>\n  <Header/>\n</Flow>\n") << 1 << 6 << QString();
    QTest::newRow("value that can't be decoded") << QByteArray("<Object>\n<ElementFields>\n<Name Editor=\"hide\" ValueEncoding=\"Base64UTF16\">not base64!</Name>\n</ElementFields>\n<ConnectionFields/>\n</Object>\n") << -1 << 0 << s("Name");
    QTest::newRow("no such file") << QByteArray("-") << -1 << 0 << s("@");
    // clang-format on
}

void tst_Declaration::loadReportsErrorsAndKeepsTheDeclaration()
{
    QFETCH(QByteArray, content);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(QString, mentions);

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
    }
    if (column > 0) {
        QCOMPARE(error.column, column);
    }
    QVERIFY2(error.message.contains(mentions == s("@") ? path : mentions),
             qPrintable(error.message));
    QCOMPARE(window.declaration()->toXml(), before);
    QCOMPARE(window.declaration()->elementName(), s("Golden Sorter"));
}

// Nothing is lost: a tag taken twice becomes a copy that keeps its values. (A missing master is
// the reader's: tst_declarationxml.)
void tst_Declaration::loadRepairsDuplicateTagsAndMissingMasters()
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
    Scripter::DeclarationTree *tree = window.declaration()->tree();
    auto *copy = dynamic_cast<DeclarationItem *>(tree->findItemWithText(s("Twin_Copy")));
    QCOMPARE(copy->value(XMLKey::DEFAULT), s("2"));
    QCOMPARE(copy->value(XMLKey::TOOLTIP), s("second"));
    QCOMPARE(tree->findItemWithText(s("Child"))->parent()->text(0), s("Twin"));
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

    // The writing follows the edits of the set built when it was shown.
    edit(expr, XMLKey::DEF_EDITOR, s("Number"));
    edit(expr, XMLKey::DEFAULT, s("b + c"));
    const QDomElement written = parse(window.declaration()->toXml())
                                    .documentElement()
                                    .firstChildElement(XMLKey::ELEMENTFIELDS)
                                    .firstChildElement(s("Expr"));
    QCOMPARE(written.attribute(XMLKey::TYPE), XMLValues::EDITORTYPE_NUMBER);
    QCOMPARE(written.attribute(XMLKey::DEFAULT), s("b + c"));

    // A definition never shown takes part in the change handling: a taken tag is refused.
    edit(blank, XMLKey::DEF_TAG, s("Expr"));
    QCOMPARE(blank->text(0), s("Blank"));
    QCOMPARE(window.log.messages(), QStringList{s("Tag name '%1' is already used|Expr")});
}

void tst_Declaration::saveFailureIsReportedAndLosesNothing()
{
    QTemporaryDir folder;
    FakePackageWindow window;
    QString error;
    QVERIFY(!window.declaration()->save(folder.filePath(s("missing/folder/decl.xml")), &error));
    QVERIFY(!error.isEmpty());

    // A file where a folder should be keeps what it holds.
    const QString file = folder.filePath(s("plain"));
    QVERIFY(writeFile(file, "kept"));
    error.clear();
    QVERIFY(!window.declaration()->save(file + s("/decl.xml"), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readFile(file), QByteArray("kept"));
}

TAVRIX_TEST_MAIN(tst_Declaration)
#include "tst_declaration.moc"
