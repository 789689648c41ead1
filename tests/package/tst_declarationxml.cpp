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

// The values of a template's fields as a new object of it has them.
Values templateValues(const QString &type)
{
    Values values;
    for (const SRCore::FlowObjectField &field :
         Scripter::ObjectTemplates::templateObject(type).getFields()) {
        values.insert(field.getName(), field.getValue());
    }
    return values;
}

// The basic script properties as a new declaration has them.
Values templateBasicValues()
{
    return templateValues(XMLKey::SCR_BASICSCRIPTPROPERTIES);
}

Values definitionValues(const QString &tag)
{
    Values values = templateValues(XMLKey::SCR_INJECTEDPROPERTIES);
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
    void basicValuesAreWrittenAndReadBack_data();
    void basicValuesAreWrittenAndReadBack();
    void languageFunctions();
    void definitionElements();
    void externalApplicationMissingIsReported();

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

// Rows set basic values ("Tag=value;..."), name what is written ("Section/Tag" for the text,
// "Section/Tag@Attribute" for an attribute; "!" for a field left out, "-" for an attribute left
// out) and the values read back.
void tst_DeclarationXml::basicValuesAreWrittenAndReadBack_data()
{
    QTest::addColumn<QString>("values");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QString>("readBack");

    const QString in = s("ElementFields/IncomingConnections@RequireAtLeastOne=");
    const QString out = s("ElementFields/OutgoingConnections@RequireAtLeastOne=");
    const QString outcomes = s("ConnectionFields/Success@AvailableFor=%1|ConnectionFields/"
                               "Warning@AvailableFor=%2|ConnectionFields/Error@AvailableFor=%3");
    const QString masks =
        s("ConnectionFields/IncludeFolderMask=%1|ConnectionFields/ExcludeFolderMask=%2");
    // clang-format off
    QTest::newRow("both connections required") << s("RequireIncoming=Yes;OutgoingConnections=Unlimited;RequireOutgoing=Yes") << QStringList{in + "Yes", out + "Yes", "ElementFields/OutgoingConnections=Unlimited"} << s("RequireIncoming=Yes;RequireOutgoing=Yes");
    QTest::newRow("one outgoing required") << s("RequireIncoming=No;OutgoingConnections=One;RequireOutgoing=Yes") << QStringList{in + "-", out + "Yes", "ElementFields/OutgoingConnections=One"} << s("RequireIncoming=No;RequireOutgoing=Yes");
    QTest::newRow("no outgoing connections require none") << s("RequireIncoming=Yes;OutgoingConnections=No;RequireOutgoing=Yes") << QStringList{in + "Yes", out + "-"} << s("RequireIncoming=Yes;RequireOutgoing=No");
    QTest::newRow("nothing required") << s("RequireIncoming=No;OutgoingConnections=Unlimited;RequireOutgoing=No") << QStringList{in + "-", out + "-"} << s("RequireIncoming=No;RequireOutgoing=No");
    QTest::newRow("traffic light: data only, dropped, both") << s("ConnectionType=TrafficLight;DataSuccess=Yes;LogSuccess=No;DataWarning=No;LogWarning=No;DataError=Yes;LogError=Yes") << outcomes.arg(s("Data"), s("!"), s("-")).split('|') << s("DataSuccess=Yes;LogSuccess=No;DataWarning=No;LogWarning=No;DataError=Yes;LogError=Yes");
    QTest::newRow("traffic light: log only") << s("ConnectionType=TrafficLight;DataSuccess=No;LogSuccess=Yes;DataWarning=No;LogWarning=Yes;DataError=No;LogError=Yes") << outcomes.arg(s("Log"), s("Log"), s("Log")).split('|') << s("DataSuccess=No;LogSuccess=Yes;DataWarning=No;LogWarning=Yes;DataError=No;LogError=Yes");
    QTest::newRow("traffic light: everything offered") << s("ConnectionType=TrafficLight;DataSuccess=Yes;LogSuccess=Yes;DataWarning=Yes;LogWarning=Yes;DataError=Yes;LogError=Yes") << outcomes.arg(s("-"), s("-"), s("-")).split('|') << s("DataSuccess=Yes;LogWarning=Yes");
    QTest::newRow("move connections have no outcomes") << s("ConnectionType=Move;DataSuccess=Yes;LogSuccess=Yes") << outcomes.arg(s("!"), s("!"), s("!")).split('|') << QString();
    QTest::newRow("filter connections have no outcomes") << s("ConnectionType=Filter;DataSuccess=Yes;LogSuccess=Yes") << outcomes.arg(s("!"), s("!"), s("!")).split('|') << QString();
    QTest::newRow("filter with folders has folder masks") << s("ConnectionType=Filter;IncludeExcludeFolder=Yes") << masks.arg(XMLValues::ALLFOLDERS, XMLValues::NOFOLDERS).split('|') << s("IncludeExcludeFolder=Yes");
    QTest::newRow("filter without folders has none") << s("ConnectionType=Filter;IncludeExcludeFolder=No") << masks.arg(s("!"), s("!")).split('|') << s("IncludeExcludeFolder=No");
    QTest::newRow("move ignores the folder flag") << s("ConnectionType=Move;IncludeExcludeFolder=Yes") << masks.arg(s("!"), s("!")).split('|') << s("IncludeExcludeFolder=No");
    // clang-format on
}

void tst_DeclarationXml::basicValuesAreWrittenAndReadBack()
{
    QFETCH(QString, values);
    QFETCH(QStringList, written);
    QFETCH(QString, readBack);

    DeclarationContent content;
    content.basicValues = templateBasicValues();
    for (const QString &value : values.split(QLatin1Char(';'))) {
        content.basicValues.insert(value.section(QLatin1Char('='), 0, 0),
                                   value.section(QLatin1Char('='), 1));
    }
    const QDomDocument document = DeclarationXml::write(content);
    for (const QString &expected : written) {
        const QString path = expected.section(QLatin1Char('='), 0, 0);
        const QString attribute = path.section(QLatin1Char('@'), 1);
        const QDomElement element =
            field(document, path.section(QLatin1Char('/'), 0, 0),
                  path.section(QLatin1Char('/'), 1).section(QLatin1Char('@'), 0, 0));
        const QString shown = element.isNull()                  ? s("!")
                              : attribute.isEmpty()             ? element.text()
                              : element.hasAttribute(attribute) ? element.attribute(attribute)
                                                                : s("-");
        QCOMPARE(path + QLatin1Char('=') + shown, expected);
    }

    DeclarationContent read;
    QVERIFY(DeclarationXml::read(document, read));
    for (const QString &expected : readBack.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString tag = expected.section(QLatin1Char('='), 0, 0);
        QCOMPARE(tag + QLatin1Char('=') + read.basicValues.value(tag), expected);
    }
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

// Every attribute of a definition is in the golden files (tst_declaration); here what they don't
// show: tags XML can't hold, and a definition that holds nothing.
void tst_DeclarationXml::definitionElements()
{
    DeclarationContent content;
    content.basicValues = templateBasicValues();
    DefinitionRecord master = definition(s("1 my-flag"));
    master.values.insert(XMLKey::DEFAULT, s("Yes"));
    DefinitionRecord dependent = definition(s("xmlData"), s("1 my-flag"));
    dependent.values.insert(XMLKey::DEF_MASTERVALUE, s("Yes"));
    content.elementDefinitions = {master, dependent};
    content.connectionDefinitions = {definition(QString())};

    const QDomDocument document = DeclarationXml::write(content);
    const QDomElement elementFields =
        document.documentElement().firstChildElement(XMLKey::ELEMENTFIELDS);
    QCOMPARE(childNames(elementFields).mid(13), (QStringList{s("__my_flag"), s("___Data")}));
    QCOMPARE(elementFields.firstChildElement(s("__my_flag")).attribute(XMLKey::LOCALIZEDTAGNAME),
             s("1 my-flag"));
    const QDomElement data = elementFields.firstChildElement(s("___Data"));
    QCOMPARE(data.attribute(XMLKey::DEPENDENCY), s("__my_flag"));
    // An empty tooltip is still written: it marks the field as a definition.
    QVERIFY(data.hasAttribute(XMLKey::TOOLTIP));
    QVERIFY(data.firstChild().isNull());
    QCOMPARE(childNames(document.documentElement().firstChildElement(XMLKey::CONNECTIONFIELDS)),
             QStringList{s("_")});
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
