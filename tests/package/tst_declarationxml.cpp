#include "common/testmain.h"

#include "package/declarationxml.h"
#include "package/definitioneditors.h"
#include "package/objecttemplates.h"

#include "corelib/flow/flowobject.h"
#include "corelib/logging/logrecord.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDomDocument>
#include <QtTest>

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;
using Scripter::DeclarationContent;
using Scripter::DeclarationXml;
using Scripter::DefinitionEditors;
using Scripter::DefinitionRecord;

using Values = QHash<QString, QString>;
using AttributeList = QList<QPair<QString, QString>>;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// The basic script properties as a new declaration has them.
QHash<QString, QString> templateBasicValues()
{
    QHash<QString, QString> values;
    const SRCore::FlowObject object =
        Scripter::ObjectTemplates::templateObject(XMLKey::SCR_BASICSCRIPTPROPERTIES);
    for (const SRCore::FlowObjectField &field : object.getFields()) {
        values.insert(field.getName(), field.getValue());
    }
    return values;
}

Values definitionValues(const QString &tag)
{
    Values values;
    const SRCore::FlowObject object =
        Scripter::ObjectTemplates::templateObject(XMLKey::SCR_INJECTEDPROPERTIES);
    for (const SRCore::FlowObjectField &field : object.getFields()) {
        values.insert(field.getName(), field.getValue());
    }
    values.insert(XMLKey::DEF_TAG, tag);
    values.insert(XMLKey::NAME, tag);
    return values;
}

DefinitionRecord definition(const QString &tag, const QString &master = QString())
{
    DefinitionRecord record;
    record.tag = tag;
    record.masterTag = master;
    record.values = definitionValues(tag);
    record.defaultEditor = XMLValues::EDITOR_INLINE;
    return record;
}

QDomElement field(const QDomDocument &document, const QString &section, const QString &tag)
{
    return document.documentElement().firstChildElement(section).firstChildElement(tag);
}

QStringList childNames(const QDomElement &parent)
{
    QStringList names;
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        names.append(e.tagName());
    }
    return names;
}

QStringList operations(const QList<SRCore::LogRecord> &messages)
{
    QStringList result;
    for (const SRCore::LogRecord &record : messages) {
        result.append(record.operation + QLatin1Char('|') + record.argument);
    }
    return result;
}

QDomDocument parse(const QString &xml)
{
    QDomDocument document;
    const bool parsed = bool(document.setContent(xml));
    Q_ASSERT(parsed);
    return document;
}

} // namespace

class tst_DeclarationXml : public QObject
{
    Q_OBJECT

private slots:
    void editorAttributes_data();
    void editorAttributes();
    void editorAttributesReadBack_data();
    void editorAttributesReadBack();
    void editorsAreReadBackInOrder();
    void editorAttributeOfTheDefinition();
    void editingFields();

    void positionInElementPane_data();
    void positionInElementPane();
    void basicValuesAreCopied();
    void connectionRequirements_data();
    void connectionRequirements();
    void trafficLightOutcomes_data();
    void trafficLightOutcomes();
    void folderMasksOnlyForFilterWithFolders_data();
    void folderMasksOnlyForFilterWithFolders();
    void languageFunctions();
    void definitionElements();
    void specialDefaultIsCData();
    void externalApplicationMissingIsReported();

    void readBack();
    void readMissingMaster();
    void readRefusesOtherDocuments_data();
    void readRefusesOtherDocuments();

    void exportElementFields();
    void exportTrafficLightConnection();
    void exportFilterConnection();
};

void tst_DeclarationXml::editorAttributes_data()
{
    QTest::addColumn<Values>("editors");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("editorList");
    QTest::addColumn<AttributeList>("extra");

    const QString none = s("None");
    // clang-format off
    QTest::newRow("no editor at all gives an inline string") << Values{{s("Editor"), none}} << s("string") << s("inline") << AttributeList{};
    QTest::newRow("the same keyword is listed once") << Values{{s("Editor"), none}, {s("SecondEditor"), s("Choose file")}, {s("ThirdEditor"), s("Choose file")}} << s("string") << s("choosefile") << AttributeList{};
    QTest::newRow("the first decisive type wins over later ones") << Values{{s("Editor"), s("Number")}, {s("SecondEditor"), s("File types")}} << s("number") << s("inline;types") << AttributeList{};
    QTest::newRow("otherwise the last type set wins") << Values{{s("Editor"), s("Single-line text")}, {s("SecondEditor"), s("File types")}} << s("filefilter") << s("inline;types") << AttributeList{};
    QTest::newRow("dropdown list carries its items") << Values{{s("Editor"), s("Dropdown list")}, {s("DropdownItems"), s("Red;Green")}, {s("SecondEditor"), s("Script expression")}} << s("enum:Red;Green") << s("inline;scriptexp") << AttributeList{};
    QTest::newRow("a literal editor takes the keyword of its name") << Values{{s("Editor"), none}, {s("SecondEditor"), s("Literal")}, {s("LiteralEditorName2"), s("All Other Folders")}, {s("ThirdEditor"), s("Folder patterns")}} << s("string") << s("allotherfolders;folderpatterns") << AttributeList{};
    QTest::newRow("a string list keeps the text type and brings its message") << Values{{s("Editor"), none}, {s("FourthEditor"), s("String list")}, {s("MessageForStringList4"), s("Pick some")}} << s("string") << s("stringlist") << AttributeList{{s("StringListEditorMessage"), s("Pick some")}};
    QTest::newRow("a file included in exports is opaque") << Values{{s("Editor"), s("Password")}, {s("FifthEditor"), s("Choose file")}, {s("IncludeFileForExport5"), s("Yes")}} << s("password") << s("inline;choosefile") << AttributeList{{s("OpaqueProperty"), s("true")}};
    QTest::newRow("library editors bring their messages") << Values{{s("Editor"), s("Hours and minutes")}, {s("SecondEditor"), s("Select from library")}, {s("MessageForSelectFromLibrary2"), s("One")}, {s("ThirdEditor"), s("Select many from library")}, {s("MessageForSelectManyFromLibrary3"), s("Many")}} << s("time") << s("inline;askplugin;askplugin2") << AttributeList{{s("SelectFromLibraryMessage"), s("One")}, {s("SelectManyFromLibraryMessage"), s("Many")}};
    QTest::newRow("an external editor brings its application and is opaque") << Values{{s("Editor"), s("No-yes list")}, {s("SecondEditor"), s("External editor")}, {s("ExternalApplication2"), s("/usr/bin/gimp")}, {s("ExternalArgForNew2"), s("--new %1")}, {s("ExternalArgForEdit2"), s("%1")}} << s("bool") << s("inline;external") << AttributeList{{s("ExternalApplication"), s("/usr/bin/gimp")}, {s("ExternalArgForNew"), s("--new %1")}, {s("ExternalArgForEdit"), s("%1")}, {s("OpaqueProperty"), s("true")}};
    // clang-format on
}

void tst_DeclarationXml::editorAttributes()
{
    QFETCH(Values, editors);
    QFETCH(QString, type);
    QFETCH(QString, editorList);
    QFETCH(AttributeList, extra);

    Values values = definitionValues(s("P"));
    values.insert(editors);
    const DefinitionEditors::Attributes attributes = DefinitionEditors::attributes(values);
    QCOMPARE(attributes.type, type);
    QCOMPARE(attributes.editors.join(QLatin1Char(';')), editorList);
    QCOMPARE(attributes.extra, extra);
    QVERIFY(!attributes.externalApplicationMissing);
}

void tst_DeclarationXml::editorAttributesReadBack_data()
{
    editorAttributes_data();
}

// A definition read back from its field gives the same field again.
void tst_DeclarationXml::editorAttributesReadBack()
{
    QFETCH(Values, editors);

    Values values = definitionValues(s("P"));
    values.insert(editors);
    QDomDocument document;
    QDomElement element = document.createElement(s("P"));
    DefinitionEditors::apply(DefinitionEditors::attributes(values), element);

    Values restored = definitionValues(s("P"));
    DefinitionEditors::restore(element, restored);
    const DefinitionEditors::Attributes first = DefinitionEditors::attributes(values);
    const DefinitionEditors::Attributes again = DefinitionEditors::attributes(restored);
    QCOMPARE(again.type, first.type);
    QCOMPARE(again.editors, first.editors);
    QCOMPARE(again.extra, first.extra);
}

// The keywords come back as editors 2, 3, ... in their order, whatever slots they were chosen
// in, with the fields that belong to each.
void tst_DeclarationXml::editorsAreReadBackInOrder()
{
    QDomDocument document;
    QDomElement element = document.createElement(s("P"));
    element.setAttribute(XMLKey::TYPE, s("enum:A;B"));
    element.setAttribute(XMLKey::EDITOR, s("types;inline;nofiles;choosefile;stringlist;regexp"));
    element.setAttribute(XMLKey::OPAQUEPROPERTY, XMLValues::VAL_TRUE);
    element.setAttribute(XMLKey::STRINGLISTEDITORMES, s("Choose"));

    Values values = definitionValues(s("P"));
    DefinitionEditors::restore(element, values);
    QCOMPARE(values.value(s("Editor")), s("Dropdown list"));
    QCOMPARE(values.value(s("DropdownItems")), s("A;B"));
    QCOMPARE(values.value(s("SecondEditor")), s("File types"));
    QCOMPARE(values.value(s("ThirdEditor")), s("Literal"));
    QCOMPARE(values.value(s("LiteralEditorName3")), s("No Files"));
    QCOMPARE(values.value(s("FourthEditor")), s("Choose file"));
    QCOMPARE(values.value(s("IncludeFileForExport4")), s("Yes"));
    QCOMPARE(values.value(s("FifthEditor")), s("String list"));
    QCOMPARE(values.value(s("MessageForStringList5")), s("Choose"));

    // With nothing inline, "inline" is what an empty definition is written as.
    element.setAttribute(XMLKey::TYPE, s("string"));
    element.setAttribute(XMLKey::EDITOR, s("regexp"));
    DefinitionEditors::restore(element, values);
    QCOMPARE(values.value(s("Editor")), s("None"));
    QCOMPARE(values.value(s("SecondEditor")), s("Regular expression"));
    QCOMPARE(values.value(s("ThirdEditor")), s("None"));
    QCOMPARE(values.value(s("FifthEditor")), s("None"));
}

void tst_DeclarationXml::editorAttributeOfTheDefinition()
{
    Values values = definitionValues(s("P"));
    values.insert(s("SecondEditor"), s("Multi-line text"));
    values.insert(s("MessageForStringList2"), s("stale, editor 2 is no string list"));
    values.insert(s("ThirdEditor"), s("String list"));
    values.insert(s("MessageForStringList3"), s("third"));
    values.insert(s("FifthEditor"), s("String list"));
    values.insert(s("MessageForStringList5"), s("fifth"));
    values.insert(s("FourthEditor"), s("External editor"));
    values.insert(s("ExternalApplication4"), s("app"));
    values.insert(s("ExternalArgForEdit4"), s("-e %1"));

    QCOMPARE(DefinitionEditors::editorAttribute(values, XMLKey::STRINGLISTEDITORMES), s("third"));
    QCOMPARE(DefinitionEditors::editorAttribute(values, XMLKey::EXTERNALAPPLICATION), s("app"));
    QCOMPARE(DefinitionEditors::editorAttribute(values, XMLKey::EXTERNALARGFOREDIT), s("-e %1"));
    QCOMPARE(DefinitionEditors::editorAttribute(values, XMLKey::SELECTFROMLIBMESSAGE), QString());
    QCOMPARE(DefinitionEditors::editorAttribute(values, XMLKey::TOOLTIP), QString());
}

void tst_DeclarationXml::editingFields()
{
    for (const char *tag : {"Editor", "SecondEditor", "FifthEditor", "DropdownItems",
                            "LiteralEditorName3", "MessageForStringList2",
                            "MessageForSelectFromLibrary5", "MessageForSelectManyFromLibrary4"}) {
        QVERIFY2(DefinitionEditors::affectsEditing(s(tag)), tag);
    }
    for (const char *tag : {"Tag", "Name", "Default", "Validation", "LiteralEditorName1",
                            "MessageForStringList6", "DependsOnMaster"}) {
        QVERIFY2(!DefinitionEditors::affectsEditing(s(tag)), tag);
    }
}

void tst_DeclarationXml::positionInElementPane_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("written");

    QTest::newRow("known category stays") << s("Tools:3") << s("Tools:3");
    QTest::newRow("unknown category becomes Custom") << s("Mine:3") << s("Custom:3");
    QTest::newRow("categories are compared exactly") << s("tools:3") << s("Custom:3");
    QTest::newRow("only the first colon splits") << s("Metadata:a:b") << s("Metadata:a:b");
    QTest::newRow("a category alone gets its colon") << s("Basics") << s("Basics:");
    QTest::newRow("empty value") << QString() << s("Custom:");
}

void tst_DeclarationXml::positionInElementPane()
{
    QFETCH(QString, value);
    QFETCH(QString, written);

    QCOMPARE(DeclarationXml::positionInElementPane(value), written);
    DeclarationContent content;
    content.basicValues = templateBasicValues();
    content.basicValues.insert(XMLKey::POSITIONINELEMENTPANE, value);
    const QDomDocument document = DeclarationXml::write(content);
    QCOMPARE(field(document, XMLKey::ELEMENTFIELDS, XMLKey::POSITIONINELEMENTPANE).text(), written);
}

void tst_DeclarationXml::basicValuesAreCopied()
{
    DeclarationContent content;
    content.basicValues = templateBasicValues();
    content.basicValues.insert(XMLKey::NAME, s("Sorter"));
    content.basicValues.insert(XMLKey::KEYWORDS, s("sort split"));
    content.basicValues.insert(XMLKey::TOOLTIP, s("Sorts <jobs> & more"));
    content.basicValues.insert(XMLKey::EXECUTIONMODE, s("Concurrent"));
    content.basicValues.insert(XMLKey::NUMBEROFSLOTS, s("4"));
    content.basicValues.insert(XMLKey::IDLEAFTERJOB, s("12"));
    const QDomDocument document = DeclarationXml::write(content);

    const QDomElement elementFields =
        document.documentElement().firstChildElement(XMLKey::ELEMENTFIELDS);
    QCOMPARE(childNames(elementFields),
             (QStringList{s("Name"), s("Keywords"), s("Tooltip"), s("IncomingConnections"),
                          s("OutgoingConnections"), s("ConnectionType"), s("ScriptFunctions"),
                          s("ExecutionMode"), s("NumberOfSlots"), s("ExecutionGroup"),
                          s("PerformanceTuning"), s("IdleAfterJob"), s("PositionInElementPane")}));
    QCOMPARE(elementFields.firstChildElement(XMLKey::NAME).text(), s("Sorter"));
    QCOMPARE(elementFields.firstChildElement(XMLKey::KEYWORDS).text(), s("sort split"));
    QCOMPARE(elementFields.firstChildElement(XMLKey::TOOLTIP).text(), s("Sorts <jobs> & more"));
    QCOMPARE(elementFields.firstChildElement(XMLKey::EXECUTIONMODE).text(), s("Concurrent"));
    QCOMPARE(elementFields.firstChildElement(XMLKey::NUMBEROFSLOTS).text(), s("4"));
    QCOMPARE(elementFields.firstChildElement(XMLKey::IDLEAFTERJOB).text(), s("12"));
    QCOMPARE(elementFields.firstChildElement(XMLKey::NAME).attribute(XMLKey::EDITOR),
             XMLValues::HIDE);
}

void tst_DeclarationXml::connectionRequirements_data()
{
    QTest::addColumn<QString>("requireIncoming");
    QTest::addColumn<QString>("outgoing");
    QTest::addColumn<QString>("requireOutgoing");
    QTest::addColumn<bool>("incomingRequired");
    QTest::addColumn<bool>("outgoingRequired");

    // clang-format off
    QTest::newRow("both required") << s("Yes") << s("Unlimited") << s("Yes") << true << true;
    QTest::newRow("one outgoing required") << s("No") << s("One") << s("Yes") << false << true;
    QTest::newRow("no outgoing connections require none") << s("Yes") << s("No") << s("Yes") << true << false;
    QTest::newRow("nothing required") << s("No") << s("Unlimited") << s("No") << false << false;
    // clang-format on
}

void tst_DeclarationXml::connectionRequirements()
{
    QFETCH(QString, requireIncoming);
    QFETCH(QString, outgoing);
    QFETCH(QString, requireOutgoing);
    QFETCH(bool, incomingRequired);
    QFETCH(bool, outgoingRequired);

    DeclarationContent content;
    content.basicValues = templateBasicValues();
    content.basicValues.insert(XMLKey::REQUIREINCOMING, requireIncoming);
    content.basicValues.insert(XMLKey::OUTGOINGCONNECTIONS, outgoing);
    content.basicValues.insert(XMLKey::REQUIREOUTGOING, requireOutgoing);
    const QDomDocument document = DeclarationXml::write(content);

    const QDomElement in = field(document, XMLKey::ELEMENTFIELDS, XMLKey::INCOMINGCONNECTIONS);
    const QDomElement out = field(document, XMLKey::ELEMENTFIELDS, XMLKey::OUTGOINGCONNECTIONS);
    QCOMPARE(in.hasAttribute(XMLKey::REQUIREATLEASTONE), incomingRequired);
    QCOMPARE(out.hasAttribute(XMLKey::REQUIREATLEASTONE), outgoingRequired);
    QCOMPARE(out.text(), outgoing);
    if (incomingRequired) {
        QCOMPARE(in.attribute(XMLKey::REQUIREATLEASTONE), XMLValues::YES);
    }

    // Read back, the requirements are what was written.
    DeclarationContent read;
    QVERIFY(DeclarationXml::read(document, read));
    QCOMPARE(read.basicValues.value(XMLKey::REQUIREINCOMING),
             incomingRequired ? XMLValues::YES : XMLValues::NO);
    QCOMPARE(read.basicValues.value(XMLKey::REQUIREOUTGOING),
             outgoingRequired ? XMLValues::YES : XMLValues::NO);
}

void tst_DeclarationXml::trafficLightOutcomes_data()
{
    QTest::addColumn<QString>("connectionType");
    QTest::addColumn<QStringList>("dataFlags");
    QTest::addColumn<QStringList>("logFlags");
    QTest::addColumn<QStringList>("written"); // field:AvailableFor for the fields that stay

    const QStringList yes3{s("Yes"), s("Yes"), s("Yes")};
    // clang-format off
    QTest::newRow("data only, dropped, both") << XMLValues::CONNECTION_TRAFFICLIGHT << QStringList{s("Yes"), s("No"), s("Yes")} << QStringList{s("No"), s("No"), s("Yes")} << QStringList{s("Success:Data"), s("Error:")};
    QTest::newRow("log only") << XMLValues::CONNECTION_TRAFFICLIGHT << QStringList{s("No"), s("No"), s("No")} << yes3 << QStringList{s("Success:Log"), s("Warning:Log"), s("Error:Log")};
    QTest::newRow("everything offered") << XMLValues::CONNECTION_TRAFFICLIGHT << yes3 << yes3 << QStringList{s("Success:"), s("Warning:"), s("Error:")};
    QTest::newRow("move connections have no outcomes") << XMLValues::CONNECTION_MOVE << yes3 << yes3 << QStringList{};
    QTest::newRow("filter connections have no outcomes") << XMLValues::CONNECTION_FILTER << yes3 << yes3 << QStringList{};
    // clang-format on
}

void tst_DeclarationXml::trafficLightOutcomes()
{
    QFETCH(QString, connectionType);
    QFETCH(QStringList, dataFlags);
    QFETCH(QStringList, logFlags);
    QFETCH(QStringList, written);

    const QStringList dataTags{XMLKey::DATASUCCESS, XMLKey::DATAWARNING, XMLKey::DATAERROR};
    const QStringList logTags{XMLKey::LOGSUCCESS, XMLKey::LOGWARNING, XMLKey::LOGERROR};
    DeclarationContent content;
    content.basicValues = templateBasicValues();
    content.basicValues.insert(XMLKey::CONNECTIONTYPE, connectionType);
    for (int i = 0; i < 3; ++i) {
        content.basicValues.insert(dataTags.at(i), dataFlags.at(i));
        content.basicValues.insert(logTags.at(i), logFlags.at(i));
    }
    const QDomDocument document = DeclarationXml::write(content);

    QStringList outcomes;
    const QDomElement connectionFields =
        document.documentElement().firstChildElement(XMLKey::CONNECTIONFIELDS);
    for (QDomElement e = connectionFields.firstChildElement(); !e.isNull();
         e = e.nextSiblingElement()) {
        outcomes.append(e.tagName() + QLatin1Char(':') + e.attribute(XMLKey::AVAILABLEFOR));
    }
    QCOMPARE(outcomes, written);

    // Reading gives the flags back; a dropped outcome reads as offered for neither.
    if (connectionType == XMLValues::CONNECTION_TRAFFICLIGHT) {
        DeclarationContent read;
        QVERIFY(DeclarationXml::read(document, read));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(read.basicValues.value(dataTags.at(i)), dataFlags.at(i));
            QCOMPARE(read.basicValues.value(logTags.at(i)), logFlags.at(i));
        }
    }
}

void tst_DeclarationXml::folderMasksOnlyForFilterWithFolders_data()
{
    QTest::addColumn<QString>("connectionType");
    QTest::addColumn<QString>("includeExcludeFolder");
    QTest::addColumn<bool>("masks");

    QTest::newRow("filter with folders") << XMLValues::CONNECTION_FILTER << s("Yes") << true;
    QTest::newRow("filter without folders") << XMLValues::CONNECTION_FILTER << s("No") << false;
    QTest::newRow("move ignores the flag") << XMLValues::CONNECTION_MOVE << s("Yes") << false;
}

void tst_DeclarationXml::folderMasksOnlyForFilterWithFolders()
{
    QFETCH(QString, connectionType);
    QFETCH(QString, includeExcludeFolder);
    QFETCH(bool, masks);

    DeclarationContent content;
    content.basicValues = templateBasicValues();
    content.basicValues.insert(XMLKey::CONNECTIONTYPE, connectionType);
    content.basicValues.insert(XMLKey::INCLUDEEXCLUDEFOLDER, includeExcludeFolder);
    const QDomDocument document = DeclarationXml::write(content);

    QCOMPARE(!field(document, XMLKey::CONNECTIONFIELDS, XMLKey::INCLUDEFOLDERMASK).isNull(), masks);
    QCOMPARE(!field(document, XMLKey::CONNECTIONFIELDS, XMLKey::EXCLUDEFOLDERMASK).isNull(), masks);
    DeclarationContent read;
    QVERIFY(DeclarationXml::read(document, read));
    QCOMPARE(read.basicValues.value(XMLKey::INCLUDEEXCLUDEFOLDER),
             masks ? XMLValues::YES : XMLValues::NO);
}

void tst_DeclarationXml::languageFunctions()
{
    DeclarationContent content;
    content.basicValues = templateBasicValues();
    content.basicValues.insert(XMLKey::INCLUDEJAVASCRIPT, XMLValues::NO);
    content.basicValues.insert(XMLKey::INCLUDEVBSCRIPT, XMLValues::YES);
    content.basicValues.insert(XMLKey::INCLUDEAPPLESCRIPT, XMLValues::YES);
    content.scriptFunctions.insert(XMLValues::JAVASCRIPT, {s("jobArrived")});
    content.scriptFunctions.insert(XMLValues::VBSCRIPT, {s("jobArrived"), s("timerFired")});
    const QDomDocument document = DeclarationXml::write(content);

    QVERIFY(field(document, XMLKey::ELEMENTFIELDS, XMLKey::SCRIPTFUNCTIONS).isNull());
    QCOMPARE(field(document, XMLKey::ELEMENTFIELDS, XMLKey::FUNCTIONSVBSCRIPT).text(),
             s("jobArrived;timerFired"));
    const QDomElement apple = field(document, XMLKey::ELEMENTFIELDS, XMLKey::FUNCTIONSAPPLESCRIPT);
    QVERIFY(!apple.isNull());
    QCOMPARE(apple.text(), QString());

    DeclarationContent read;
    QVERIFY(DeclarationXml::read(document, read));
    QCOMPARE(read.basicValues.value(XMLKey::INCLUDEJAVASCRIPT), XMLValues::NO);
    QCOMPARE(read.basicValues.value(XMLKey::INCLUDEVBSCRIPT), XMLValues::YES);
    QCOMPARE(read.basicValues.value(XMLKey::INCLUDEAPPLESCRIPT), XMLValues::YES);
}

void tst_DeclarationXml::definitionElements()
{
    DeclarationContent content;
    content.basicValues = templateBasicValues();
    DefinitionRecord master = definition(s("1 my-flag"));
    master.values.insert(XMLKey::DEF_EDITOR, s("No-yes list"));
    master.values.insert(XMLKey::DEFAULT, s("Yes"));
    master.values.insert(XMLKey::TOOLTIP, s("Turns it on"));
    master.values.insert(XMLKey::VALIDATION, s("Custom"));
    DefinitionRecord dependent = definition(s("xmlData"), s("1 my-flag"));
    dependent.values.insert(XMLKey::DEF_MASTERVALUE, s("Yes"));
    dependent.defaultEditor = s("choosefile");
    content.elementDefinitions = {master, dependent};
    content.connectionDefinitions = {definition(QString())};

    const QDomDocument document = DeclarationXml::write(content);
    const QDomElement elementFields =
        document.documentElement().firstChildElement(XMLKey::ELEMENTFIELDS);
    QCOMPARE(childNames(elementFields).mid(13), (QStringList{s("__my_flag"), s("___Data")}));

    const QDomElement flag = elementFields.firstChildElement(s("__my_flag"));
    QCOMPARE(flag.attribute(XMLKey::LOCALIZEDTAGNAME), s("1 my-flag"));
    QCOMPARE(flag.attribute(XMLKey::TOOLTIP), s("Turns it on"));
    QCOMPARE(flag.attribute(XMLKey::VALIDATION), s("Custom"));
    QCOMPARE(flag.attribute(XMLKey::TYPE), s("bool"));
    QCOMPARE(flag.attribute(XMLKey::EDITOR), s("inline"));
    QCOMPARE(flag.attribute(XMLKey::DEFAULT), s("Yes"));
    QCOMPARE(flag.attribute(XMLKey::SUBTYPE), s("inline"));
    QCOMPARE(flag.text(), s("Yes"));
    QVERIFY(!flag.hasAttribute(XMLKey::DEPENDENCY));

    const QDomElement data = elementFields.firstChildElement(s("___Data"));
    QCOMPARE(data.attribute(XMLKey::DEPENDENCY), s("__my_flag"));
    QCOMPARE(data.attribute(XMLKey::DEPENDENCYVALUE), s("Yes"));
    QCOMPARE(data.attribute(XMLKey::SUBTYPE), s("choosefile"));
    // An empty tooltip is still written: it marks the field as a definition.
    QVERIFY(data.hasAttribute(XMLKey::TOOLTIP));
    QVERIFY(data.firstChild().isNull());

    QCOMPARE(childNames(document.documentElement().firstChildElement(XMLKey::CONNECTIONFIELDS)),
             QStringList{s("_")});
}

void tst_DeclarationXml::specialDefaultIsCData()
{
    QDomDocument document;
    DefinitionRecord record = definition(s("Blank"));
    record.values.insert(XMLKey::DEFAULT, s("   "));
    record.defaultIsSpecial = true;
    const QDomElement special = DeclarationXml::writeDefinition(document, record);
    QVERIFY(special.firstChild().isCDATASection());
    QCOMPARE(special.firstChild().toCDATASection().data(), s("   "));

    record.defaultIsSpecial = false;
    record.values.insert(XMLKey::DEFAULT, s("plain"));
    const QDomElement plain = DeclarationXml::writeDefinition(document, record);
    QVERIFY(plain.firstChild().isText());
    QVERIFY(!plain.firstChild().isCDATASection());
}

void tst_DeclarationXml::externalApplicationMissingIsReported()
{
    QDomDocument document;
    DefinitionRecord record = definition(s("Edited"));
    record.values.insert(s("ThirdEditor"), s("External editor"));
    QList<SRCore::LogRecord> messages;
    const QDomElement element = DeclarationXml::writeDefinition(document, record, &messages);

    QCOMPARE(operations(messages),
             QStringList{s("External application has not been chosen|Edited")});
    QCOMPARE(element.attribute(XMLKey::EDITOR), s("inline;external"));
    QCOMPARE(element.attribute(XMLKey::EXTERNALAPPLICATION), QString());
    QCOMPARE(element.attribute(XMLKey::OPAQUEPROPERTY), XMLValues::VAL_TRUE);
}

void tst_DeclarationXml::readBack()
{
    DeclarationContent content;
    content.basicValues = templateBasicValues();
    content.basicValues.insert(XMLKey::NAME, s("Reader"));
    content.basicValues.insert(XMLKey::PERFORMANCETUNING, s("Yes"));
    DefinitionRecord master = definition(s("Mode"));
    master.values.insert(XMLKey::DEF_EDITOR, s("Dropdown list"));
    master.values.insert(XMLKey::DEF_DROPDOWNITEMS, s("Fast;Slow"));
    master.values.insert(XMLKey::DEFAULT, s("Fast"));
    DefinitionRecord dependent = definition(s("Speed"), s("Mode"));
    dependent.values.insert(XMLKey::DEF_DEPENDSONMASTER, s("Yes"));
    dependent.values.insert(XMLKey::DEF_MASTERVALUE, s("Fast"));
    dependent.values.insert(XMLKey::DEF_EDITOR, s("Number"));
    dependent.values.insert(s("SecondEditor"), s("Literal"));
    dependent.values.insert(s("LiteralEditorName2"), s("Automatic"));
    dependent.values.insert(XMLKey::DEFAULT, s("Automatic"));
    dependent.defaultEditor = s("automatic");
    content.elementDefinitions = {master, dependent};
    DefinitionRecord cdata = definition(s("Gap"));
    cdata.values.insert(XMLKey::DEFAULT, s(" \t"));
    cdata.defaultIsSpecial = true;
    content.connectionDefinitions = {cdata};

    DeclarationContent read;
    QList<SRCore::LogRecord> messages;
    // Through the written text, so that CDATA and references are read as a file would be.
    const QDomDocument document = DeclarationXml::write(content);
    QVERIFY(DeclarationXml::read(parse(QString::fromUtf8(DeclarationXml::toText(document))), read,
                                 &messages));
    QVERIFY(messages.isEmpty());
    QCOMPARE(read.basicValues.value(XMLKey::NAME), s("Reader"));
    QCOMPARE(read.basicValues.value(XMLKey::PERFORMANCETUNING), s("Yes"));

    QCOMPARE(read.elementDefinitions.size(), 2);
    QCOMPARE(read.connectionDefinitions.size(), 1);
    const QList<DefinitionRecord> written = {master, dependent, cdata};
    const QList<DefinitionRecord> back = read.elementDefinitions + read.connectionDefinitions;
    for (int i = 0; i < written.size(); ++i) {
        QCOMPARE(back.at(i).tag, written.at(i).tag);
        QCOMPARE(back.at(i).masterTag, written.at(i).masterTag);
        QCOMPARE(back.at(i).defaultEditor, written.at(i).defaultEditor);
        for (const QString &tag : back.at(i).values.keys()) {
            QVERIFY2(back.at(i).values.value(tag) == written.at(i).values.value(tag),
                     qPrintable(written.at(i).tag + s(": ") + tag));
        }
    }
}

void tst_DeclarationXml::readMissingMaster()
{
    const QDomDocument document = parse(s(R"(<Object>
  <ElementFields>
    <Name Editor="hide">N</Name>
    <Orphan Tooltip="" LocalizedTagName="Orphan" Dependency="Ghost" Dependencyvalue="On" Type="string" Editor="inline">x</Orphan>
    <Later Tooltip="" LocalizedTagName="Later" Type="string" Editor="inline"/>
    <Child Tooltip="" LocalizedTagName="Child" Dependency="Later" Dependencyvalue="Yes" Type="string" Editor="inline"/>
  </ElementFields>
  <ConnectionFields>
    <FromOtherGroup Tooltip="" Dependency="Later" Type="string" Editor="inline"/>
  </ConnectionFields>
</Object>)"));
    DeclarationContent read;
    QList<SRCore::LogRecord> messages;
    QVERIFY(DeclarationXml::read(document, read, &messages));

    QCOMPARE(operations(messages),
             (QStringList{s("Can't find master property '%11' for property '%12'|Ghost,Orphan"),
                          s("Can't find master property '%11' for property '%12'|Later,"
                            "FromOtherGroup")}));
    QCOMPARE(messages.first().level, SRCore::LogLevel::Error);
    QCOMPARE(read.elementDefinitions.size(), 3);
    const DefinitionRecord orphan = read.elementDefinitions.at(0);
    QCOMPARE(orphan.tag, s("Orphan"));
    QCOMPARE(orphan.masterTag, QString());
    QCOMPARE(orphan.values.value(XMLKey::DEF_DEPENDSONMASTER), XMLValues::YES);
    QCOMPARE(orphan.values.value(XMLKey::DEF_MASTERVALUE), s("On"));
    QCOMPARE(orphan.values.value(XMLKey::DEFAULT), s("x"));
    QCOMPARE(read.elementDefinitions.at(2).masterTag, s("Later"));
    QCOMPARE(read.connectionDefinitions.at(0).masterTag, QString());
}

void tst_DeclarationXml::readRefusesOtherDocuments_data()
{
    QTest::addColumn<QString>("xml");
    QTest::newRow("other root") << s("<Flow><ElementFields/><ConnectionFields/></Flow>");
    QTest::newRow("no element fields") << s("<Object><ConnectionFields/></Object>");
    QTest::newRow("no connection fields") << s("<Object><ElementFields/></Object>");
}

void tst_DeclarationXml::readRefusesOtherDocuments()
{
    QFETCH(QString, xml);
    DeclarationContent read;
    QString error;
    QVERIFY(!DeclarationXml::read(parse(xml), read, nullptr, &error));
    QVERIFY(error.contains(XMLKey::ELEMENTFIELDS));
}

void tst_DeclarationXml::exportElementFields()
{
    QHash<QString, QString> basic = templateBasicValues();
    basic.insert(XMLKey::NAME, s("Exported"));
    basic.insert(XMLKey::OUTGOINGCONNECTIONS, s("One"));
    basic.insert(XMLKey::CONNECTIONTYPE, s("Filter"));

    SRCore::FlowObject object =
        Scripter::ObjectTemplates::defaultObject(XMLKey::SCR_BASICTESTPROPERTIES);
    DeclarationXml::exportBasicProperties(basic, object, XMLKey::ELEMENTFIELDS);
    QCOMPARE(object.getName(), s("Exported"));
    for (const QString &tag :
         {XMLKey::INCOMINGCONNECTIONS, XMLKey::OUTGOINGCONNECTIONS, XMLKey::CONNECTIONTYPE}) {
        const SRCore::FlowObjectField created = object.getField(tag);
        QCOMPARE(created.getValue(), basic.value(tag));
        QCOMPARE(created.getProperty(XMLKey::EDITOR), XMLValues::HIDE);
        QCOMPARE(created.getProperty(XMLKey::VALIDATE), XMLValues::NO);
    }

    // An object that has the fields keeps their properties and takes the values.
    SRCore::FlowObject element = Scripter::ObjectTemplates::defaultObject(XMLValues::SCRIPTELEMENT);
    const QString typeBefore = element.getField(XMLKey::CONNECTIONTYPE).getProperty(XMLKey::TYPE);
    DeclarationXml::exportBasicProperties(basic, element, XMLKey::ELEMENTFIELDS);
    QCOMPARE(element.getField(XMLKey::CONNECTIONTYPE).getValue(), s("Filter"));
    QCOMPARE(element.getField(XMLKey::CONNECTIONTYPE).getProperty(XMLKey::TYPE), typeBefore);
    QCOMPARE(
        element.getFields().size(),
        Scripter::ObjectTemplates::templateObject(XMLValues::SCRIPTELEMENT).getFields().size());
}

void tst_DeclarationXml::exportTrafficLightConnection()
{
    QHash<QString, QString> basic = templateBasicValues();
    basic.insert(XMLKey::CONNECTIONTYPE, XMLValues::CONNECTION_TRAFFICLIGHT);
    basic.insert(XMLKey::DATASUCCESS, s("No"));
    basic.insert(XMLKey::DATAWARNING, s("No"));
    basic.insert(XMLKey::LOGWARNING, s("No"));
    basic.insert(XMLKey::LOGERROR, s("No"));

    SRCore::FlowObject object =
        Scripter::ObjectTemplates::defaultObject(XMLKey::SCR_OUTGOINGCONNECTIONS);
    const int before = object.getFields().size();
    DeclarationXml::exportBasicProperties(basic, object, XMLKey::CONNECTIONFIELDS);
    QCOMPARE(object.getFields().size(), before + 2);
    QVERIFY(!object.hasField(XMLKey::WARNING));

    const SRCore::FlowObjectField success = object.getField(XMLKey::SUCCESS);
    QCOMPARE(success.getProperty(XMLKey::AVAILABLEFOR), XMLValues::LOG);
    QCOMPARE(success.getProperty(XMLKey::LOCALIZEDTAGNAME), s("Success out"));
    QCOMPARE(success.getProperty(XMLKey::TYPE), XMLValues::EDITORTYPE_BOOL);
    QCOMPARE(success.getProperty(XMLKey::EDITOR), XMLValues::EDITOR_INLINE);
    QCOMPARE(success.getProperty(XMLKey::DEFAULT), XMLValues::YES);
    QCOMPARE(success.getValue(), XMLValues::YES);
    QCOMPARE(object.getField(XMLKey::ERROR_).getProperty(XMLKey::AVAILABLEFOR), XMLValues::DATA);

    // Exporting again after the flags changed leaves no stale attribute behind.
    basic.insert(XMLKey::DATASUCCESS, s("Yes"));
    DeclarationXml::exportBasicProperties(basic, object, XMLKey::CONNECTIONFIELDS);
    QVERIFY(!object.getField(XMLKey::SUCCESS).hasProperty(XMLKey::AVAILABLEFOR));
    QCOMPARE(object.getFields().size(), before + 2);
}

void tst_DeclarationXml::exportFilterConnection()
{
    QHash<QString, QString> basic = templateBasicValues();
    basic.insert(XMLKey::CONNECTIONTYPE, XMLValues::CONNECTION_FILTER);
    SRCore::FlowObject without =
        Scripter::ObjectTemplates::defaultObject(XMLValues::CONNECTION_FILTER);
    DeclarationXml::exportBasicProperties(basic, without, XMLKey::CONNECTIONFIELDS);
    QVERIFY(!without.hasField(XMLKey::INCLUDEFOLDERMASK));

    basic.insert(XMLKey::INCLUDEEXCLUDEFOLDER, s("Yes"));
    SRCore::FlowObject with =
        Scripter::ObjectTemplates::defaultObject(XMLValues::CONNECTION_FILTER);
    DeclarationXml::exportBasicProperties(basic, with, XMLKey::CONNECTIONFIELDS);
    QCOMPARE(with.getType(), XMLValues::CONNECTION_FILTER);
    QCOMPARE(with.getField(XMLKey::INCLUDEFOLDERMASK).getValue(), XMLValues::ALLFOLDERS);
    QCOMPARE(with.getField(XMLKey::EXCLUDEFOLDERMASK).getSubType(), XMLValues::EDITOR_NOFOLDERS);
}

TAVRIX_TEST_GUILESS_MAIN(tst_DeclarationXml)
#include "tst_declarationxml.moc"
