#include "common/testmain.h"

#include "corelib/common/xmlerror.h"
#include "corelib/common/xmltext.h"
#include "corelib/flow/flow.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace SRCore;

namespace {

const QString templateXml = QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<Object Class="Script" LocalizedTagName="Basic script properties" Icon=":/icon.png" Id="5">
  <Fields>
    <Type Editor="hide" Validate="No">BasicScriptProperties</Type>
    <Name Validate="No" LocalizedTagName="Name" Tooltip="The element name" Type="string"
          Editor="inline">TavrixScript</Name>
    <Tooltip Validate="No" Type="string" Editor="inline;description"><![CDATA[a <b> & c]]></Tooltip>
    <Password Type="password" Editor="inline" Dependency="PasswordProtected" Dependencyvalue="Yes"/>
  </Fields>
</Object>
)");

QStringList fieldNames(const FlowObject &object)
{
    QStringList names;
    for (const FlowObjectField &field : object.getFields()) {
        names << field.getName();
    }
    return names;
}

} // namespace

class tst_Flow : public QObject
{
    Q_OBJECT

private slots:
    void templateObjectIsReadWithPropertiesAndFieldsInOrder();
    void objectsAddedFromXmlGetConsecutiveIdsAndAreFoundByType();
    void copiedObjectsKeepFreeIdsAndTakeNewOnesOnConflict();
    void objectsAreHandles();
    void cloneIsIndependentAndClone2DropsTheId();
    void createFieldReusesExistingAndRefusesInvalidNames();
    void injectedFieldsUpdateExistingAndAppendNew_data();
    void injectedFieldsUpdateExistingAndAppendNew();
    void valuesSurviveSaveAndOpen_data();
    void valuesSurviveSaveAndOpen();
    void wholeFlowSurvivesSaveAndOpen();
    void malformedObjectXmlGivesNullWithPosition_data();
    void malformedObjectXmlGivesNullWithPosition();
    void badFlowDocumentIsRefusedAndFlowUnchanged_data();
    void badFlowDocumentIsRefusedAndFlowUnchanged();
    void saveRefusesToOverwriteWhenAskedAndReportsUnwritablePaths();
};

void tst_Flow::templateObjectIsReadWithPropertiesAndFieldsInOrder()
{
    XmlError error;
    const FlowObject object = FlowObject::fromXml(templateXml, &error);
    QVERIFY2(!object.isNull(), qPrintable(error.toString()));
    QCOMPARE(object.propertyNames(), QStringList({"Class", "LocalizedTagName", "Icon", "Id"}));
    QCOMPARE(object.getProperty(XMLKey::CLASS), QStringLiteral("Script"));
    QCOMPARE(object.getId(), QStringLiteral("5"));
    QCOMPARE(fieldNames(object), QStringList({"Type", "Name", "Tooltip", "Password"}));
    QCOMPARE(object.getType(), QStringLiteral("BasicScriptProperties"));
    QCOMPARE(object.getName(), QStringLiteral("TavrixScript"));

    const FlowObjectField name = object.getField(XMLKey::NAME);
    QCOMPARE(name.propertyNames(),
             QStringList({"Validate", "LocalizedTagName", "Tooltip", "Type", "Editor"}));
    QCOMPARE(name.getProperty(XMLKey::TOOLTIP), QStringLiteral("The element name"));
    QCOMPARE(object.getField(XMLKey::TOOLTIP).getValue(), QStringLiteral("a <b> & c"));

    const FlowObjectField password = object.getField(QStringLiteral("Password"));
    QCOMPARE(password.getValue(), QString());
    QCOMPARE(password.getProperty(XMLKey::DEPENDENCYVALUE), QStringLiteral("Yes"));
    QVERIFY(!password.hasProperty(XMLKey::SUBTYPE));
    QCOMPARE(password.getSubType(), QString());
    QVERIFY(object.getField(QStringLiteral("Missing")).isNull());

    // The attribute that marks encoded values cannot become a property: the document would
    // not read back.
    FlowObjectField reserved = object.getField(XMLKey::NAME);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("reserved")));
    reserved.setProperty(XMLKey::VALUEENCODING, QStringLiteral("x"));
    QVERIFY(!reserved.hasProperty(XMLKey::VALUEENCODING));
}

void tst_Flow::objectsAddedFromXmlGetConsecutiveIdsAndAreFoundByType()
{
    const auto flow = Flow::createEmptyFlow(QStringLiteral("1"));
    const FlowObject first = flow->createFromXml(templateXml);
    flow->createFromXml(QStringLiteral(
        "<Object><Fields><Type>IncommingJobs</Type><Name>job</Name></Fields></Object>"));
    const FlowObject third = flow->createFromXml(templateXml);
    QCOMPARE(first.getId(), QStringLiteral("1"));
    QCOMPARE(third.getId(), QStringLiteral("3"));
    // The template's own Id is replaced in place; property order is kept.
    QCOMPARE(first.propertyNames(), QStringList({"Class", "LocalizedTagName", "Icon", "Id"}));
    QCOMPARE(flow->getFlowObject(QStringLiteral("3")), third);
    QVERIFY(flow->getFlowObject(QStringLiteral("4")).isNull());

    const QList<FlowObject> scripts = flow->getFlowObjects(QStringLiteral("BasicScriptProperties"));
    QCOMPARE(scripts.size(), 2);
    QCOMPARE(scripts.at(1), third);
    QCOMPARE(flow->getFlowObjects(QStringLiteral("IncommingJobs")).size(), 1);
    QVERIFY(flow->getFlowObjects(QStringLiteral("basicscriptproperties")).isEmpty());

    QVERIFY(flow->removeFlowObject(QStringLiteral("1")));
    QVERIFY(!flow->removeFlowObject(QStringLiteral("1")));
    QCOMPARE(flow->createFromXml(templateXml).getId(), QStringLiteral("4"));
}

void tst_Flow::copiedObjectsKeepFreeIdsAndTakeNewOnesOnConflict()
{
    Flow flow(QStringLiteral("1"));
    FlowObject source = FlowObject::fromXml(templateXml);
    source.setProperty(XMLKey::ID_, QStringLiteral("7"));

    const FlowObject kept = flow.createFlowObject(source);
    QCOMPARE(kept.getId(), QStringLiteral("7"));
    QVERIFY(kept != source);

    const FlowObject renumbered = flow.createFlowObject(source);
    QCOMPARE(renumbered.getId(), QStringLiteral("8"));

    const FlowObject withoutId = flow.createFlowObject(source.clone2());
    QCOMPARE(withoutId.getId(), QStringLiteral("9"));
    QVERIFY(flow.createFlowObject(FlowObject()).isNull());
    QCOMPARE(flow.getFlowObjects().size(), 3);
}

void tst_Flow::objectsAreHandles()
{
    Flow flow;
    flow.createFromXml(templateXml);
    FlowObject fromFlow = flow.getFlowObject(QStringLiteral("1"));
    fromFlow.getField(XMLKey::NAME).setValue(QStringLiteral("Renamed"));
    FlowObjectField added = fromFlow.createField(QStringLiteral("Xpos"));
    added.setValue(QStringLiteral("120"));

    FlowObject again = flow.getFlowObject(QStringLiteral("1"));
    QCOMPARE(again.getName(), QStringLiteral("Renamed"));
    QCOMPARE(again.getField(QStringLiteral("Xpos")).getValue(), QStringLiteral("120"));
    QVERIFY(flow.toXml().contains(QStringLiteral("<Xpos>120</Xpos>")));

    QVERIFY(again.removeField(QStringLiteral("Xpos")));
    QVERIFY(!fromFlow.hasField(QStringLiteral("Xpos")));
    // A field handle that outlives its removal stays usable but belongs to nothing.
    added.setValue(QStringLiteral("0"));
    QVERIFY(!fromFlow.hasField(QStringLiteral("Xpos")));
}

void tst_Flow::cloneIsIndependentAndClone2DropsTheId()
{
    const FlowObject original = FlowObject::fromXml(templateXml);
    FlowObject copy = original.clone();
    QCOMPARE(copy.toXml(), original.toXml());

    copy.getField(XMLKey::NAME).setValue(QStringLiteral("Changed"));
    copy.getField(XMLKey::NAME).setProperty(XMLKey::EDITOR, QStringLiteral("description"));
    copy.setProperty(XMLKey::ICON, QString());
    copy.createField(QStringLiteral("Extra"));
    QCOMPARE(original.getName(), QStringLiteral("TavrixScript"));
    QCOMPARE(original.getField(XMLKey::NAME).getProperty(XMLKey::EDITOR), QStringLiteral("inline"));
    QCOMPARE(original.getProperty(XMLKey::ICON), QStringLiteral(":/icon.png"));
    QVERIFY(!original.hasField(QStringLiteral("Extra")));

    const FlowObject fresh = original.clone2();
    QVERIFY(!fresh.hasProperty(XMLKey::ID_));
    QCOMPARE(fresh.getProperty(XMLKey::CLASS), QStringLiteral("Script"));
    QCOMPARE(fieldNames(fresh), fieldNames(original));
    QVERIFY(FlowObject().clone().isNull());
    QVERIFY(FlowObject().clone2().isNull());
}

void tst_Flow::createFieldReusesExistingAndRefusesInvalidNames()
{
    FlowObject object = FlowObject::create();
    const FlowObjectField first = object.createField(QStringLiteral("Name"));
    QCOMPARE(object.createField(QStringLiteral("Name")), first);
    QCOMPARE(object.getFields().size(), 1);

    for (const QString &invalid :
         {QString(), QStringLiteral("1abc"), QStringLiteral("a b"), QStringLiteral("a<b"),
          QStringLiteral("-x"), QStringLiteral("xmlField"), QStringLiteral("ns:Field")}) {
        QVERIFY2(object.createField(invalid).isNull(), qPrintable(invalid));
    }
    QCOMPARE(object.getFields().size(), 1);

    // Field names of the program's templates and of properties that authors declare.
    const QStringList names = {XMLKey::INCLUDEFOLDERMASK, QStringLiteral("ExternalApplication2"),
                               QStringLiteral("Positions_In.Pane-2"), QStringLiteral("_private"),
                               QStringLiteral("Größe")};
    for (const QString &name : names) {
        QVERIFY2(!object.createField(name).isNull(), qPrintable(name));
    }
    QCOMPARE(object.getFields().size(), 1 + names.size());

    FlowObject null;
    QVERIFY(null.createField(QStringLiteral("Name")).isNull());
    null.setProperty(XMLKey::ID_, QStringLiteral("1"));
    QCOMPARE(null.getId(), QString());
}

void tst_Flow::injectedFieldsUpdateExistingAndAppendNew_data()
{
    QTest::addColumn<QString>("xml");
    // clang-format off
    QTest::newRow("fields of an Object") << QStringLiteral("<Object><Fields><Name Editor=\"hide\">Injected</Name>" "<IncludeFolderMask Type=\"string\">All Folders</IncludeFolderMask>" "</Fields></Object>");
    QTest::newRow("children of any other root") << QStringLiteral("<ConnectionFields><Name Editor=\"hide\">Injected</Name>" "<IncludeFolderMask Type=\"string\">All Folders</IncludeFolderMask>" "</ConnectionFields>");
    // clang-format on
}

void tst_Flow::injectedFieldsUpdateExistingAndAppendNew()
{
    QFETCH(QString, xml);
    FlowObject object = FlowObject::fromXml(templateXml);
    XmlError error;
    QVERIFY2(object.injectPropertiesFromXML(xml, &error), qPrintable(error.toString()));
    QCOMPARE(fieldNames(object),
             QStringList({"Type", "Name", "Tooltip", "Password", "IncludeFolderMask"}));
    const FlowObjectField name = object.getField(XMLKey::NAME);
    QCOMPARE(name.getValue(), QStringLiteral("Injected"));
    QCOMPARE(name.getProperty(XMLKey::EDITOR), QStringLiteral("hide"));
    // Properties that the injected field does not carry are kept.
    QCOMPARE(name.getProperty(XMLKey::TOOLTIP), QStringLiteral("The element name"));
    QCOMPARE(object.getField(XMLKey::INCLUDEFOLDERMASK).getValue(), QStringLiteral("All Folders"));
}

void tst_Flow::valuesSurviveSaveAndOpen_data()
{
    QTest::addColumn<QString>("value");
    // clang-format off
    QTest::newRow("empty") << QString();
    QTest::newRow("markup characters") << QStringLiteral("<a href=\"x\">&amp; 'q'</a> ]]>");
    QTest::newRow("line feeds and carriage returns") << QStringLiteral("line1\r\nline2\rline3\nline4\r");
    QTest::newRow("leading and trailing blanks") << QStringLiteral("  padded\t ");
    QTest::newRow("white space only") << QStringLiteral(" \t\n ");
    QTest::newRow("NUL character") << QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    QTest::newRow("unpaired surrogates") << QChar(0xDC00) + QStringLiteral("x") + QChar(0xD800) + QStringLiteral("\r\n");
    // clang-format on
}

void tst_Flow::valuesSurviveSaveAndOpen()
{
    QFETCH(QString, value);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("flow.xml"));

    Flow flow(QStringLiteral("1"));
    FlowObject object = flow.createFromXml(templateXml);
    object.getField(XMLKey::NAME).setValue(value);
    QString message;
    QVERIFY2(flow.save(path, true, &message), qPrintable(message));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString document = QString::fromUtf8(file.readAll());
    // Only values that XML cannot carry are encoded; the others stay readable.
    QCOMPARE(document.contains(QStringLiteral(" ValueEncoding=\"Base64UTF16\">")),
             XmlText::needsEncoding(value));
    Flow reopened;
    XmlError error;
    QVERIFY2(reopened.openFromString(document, &error), qPrintable(error.toString()));
    QCOMPARE(reopened.getFlowObject(QStringLiteral("1")).getName(), value);
}

void tst_Flow::wholeFlowSurvivesSaveAndOpen()
{
    Flow flow(QStringLiteral("1"));
    flow.setFolderName(QStringLiteral("flow"));
    FlowObject header = flow.getHeader();
    header.createField(XMLKey::TYPE).setValue(QStringLiteral("Flow"));
    header.createField(XMLKey::NAME).setValue(QStringLiteral("Test Flow"));
    header.createField(XMLKey::RUNNING).setValue(QStringLiteral("No"));
    FlowObject object = flow.createFromXml(templateXml);
    FlowObjectField name = object.getField(XMLKey::NAME);
    name.setProperty(XMLKey::TOOLTIP, QStringLiteral("first line\nsecond\tline \"quoted\" <&>"));
    name.setProperty(XMLKey::DEFAULT, QStringLiteral("drop\x01this"));
    object.setProperty(XMLKey::LOCALIZEDTAGNAME, QStringLiteral("Ünïcode\r\n"));
    FlowObject folder = flow.createFromXml(
        QStringLiteral("<Object Class=\"Folder\"><Fields><Type>Folder</Type></Fields></Object>"));
    folder.createField(XMLKey::PATH).setValue(QStringLiteral("/tmp/inFolder2"));

    Flow reopened;
    XmlError error;
    QVERIFY2(reopened.openFromString(flow.toXml(), &error), qPrintable(error.toString()));
    QCOMPARE(reopened.getId(), QStringLiteral("1"));
    QCOMPARE(reopened.getFolderName(), QStringLiteral("flow"));
    QCOMPARE(reopened.getFlowName(), QStringLiteral("Test Flow"));
    QCOMPARE(fieldNames(reopened.getHeader()), QStringList({"Type", "Name", "Running"}));
    QCOMPARE(reopened.getFlowObjects().size(), 2);
    const FlowObject read = reopened.getFlowObject(QStringLiteral("1"));
    QCOMPARE(read.getField(XMLKey::NAME).getProperty(XMLKey::TOOLTIP),
             QStringLiteral("first line\nsecond\tline \"quoted\" <&>"));
    // Descriptive texts cannot carry control characters through XML; those alone are dropped.
    QCOMPARE(read.getField(XMLKey::NAME).getProperty(XMLKey::DEFAULT), QStringLiteral("dropthis"));
    QCOMPARE(read.getProperty(XMLKey::LOCALIZEDTAGNAME), QStringLiteral("Ünïcode\r\n"));
    // Writing what was read gives the same document: the format is stable.
    QCOMPARE(reopened.toXml(), flow.toXml());
}

void tst_Flow::malformedObjectXmlGivesNullWithPosition_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<int>("line");
    // clang-format off
    QTest::newRow("unclosed element") << QStringLiteral("<Object>\n<Fields>\n<Name>x</Fields></Object>") << 3;
    QTest::newRow("root is not an Object") << QStringLiteral("\n<Declaration/>") << 2;
    QTest::newRow("empty text") << QString() << 1;
    QTest::newRow("field with child elements") << QStringLiteral("<Object><Fields>\n\n<Name><b>x</b></Name></Fields></Object>") << 3;
    QTest::newRow("field twice") << QStringLiteral( "<Object><Fields>\n<Name/>\n<Name/></Fields></Object>") << 3;
    QTest::newRow("unknown value encoding") << QStringLiteral("<Object><Fields><Name ValueEncoding=\"rot13\">x</Name></Fields>" "</Object>") << 1;
    QTest::newRow("encoded value that is not base-64") << QStringLiteral("<Object><Fields>\n<Name ValueEncoding=\"Base64UTF16\">*x*</Name>" "</Fields></Object>") << 2;
    // clang-format on
}

void tst_Flow::malformedObjectXmlGivesNullWithPosition()
{
    QFETCH(QString, xml);
    QFETCH(int, line);
    XmlError error;
    QVERIFY(FlowObject::fromXml(xml, &error).isNull());
    QVERIFY(!error.message.isEmpty());
    QCOMPARE(error.line, line);

    Flow flow;
    XmlError flowError;
    QVERIFY(flow.createFromXml(xml, &flowError).isNull());
    QCOMPARE(flowError.line, line);
    QVERIFY(flow.getFlowObjects().isEmpty());

    FlowObject object = FlowObject::fromXml(templateXml);
    const QString before = object.toXml();
    if (!xml.contains(QStringLiteral("Declaration"))) {
        QVERIFY(!object.injectPropertiesFromXML(xml));
        QCOMPARE(object.toXml(), before);
    }
}

void tst_Flow::badFlowDocumentIsRefusedAndFlowUnchanged_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QString>("messagePart");
    // clang-format off
    QTest::newRow("not XML") << QStringLiteral("PK\x03\x04garbage") << QString();
    QTest::newRow("other root") << QStringLiteral("<Object/>") << QStringLiteral("root");
    QTest::newRow("no version") << QStringLiteral("<Flow/>") << QStringLiteral("version");
    QTest::newRow("newer version") << QStringLiteral("<Flow FormatVersion=\"2\"/>") << QStringLiteral("format 2");
    QTest::newRow("truncated") << QStringLiteral( "<Flow FormatVersion=\"1\"><Objects><Object><Fields>") << QString();
    QTest::newRow("trailing garbage") << QStringLiteral("<Flow FormatVersion=\"1\"/><Flow FormatVersion=\"1\"/>") << QString();
    // clang-format on
}

void tst_Flow::badFlowDocumentIsRefusedAndFlowUnchanged()
{
    QFETCH(QString, xml);
    QFETCH(QString, messagePart);
    Flow flow(QStringLiteral("1"));
    flow.getHeader().createField(XMLKey::NAME).setValue(QStringLiteral("Kept"));
    flow.createFromXml(templateXml);
    const QString before = flow.toXml();

    XmlError error;
    QVERIFY(!flow.openFromString(xml, &error));
    QVERIFY(!error.message.isEmpty());
    QVERIFY(error.line >= 1);
    QVERIFY2(error.message.contains(messagePart), qPrintable(error.message));
    QCOMPARE(flow.toXml(), before);
}

void tst_Flow::saveRefusesToOverwriteWhenAskedAndReportsUnwritablePaths()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("flow.xml"));
    Flow flow;
    QVERIFY(flow.save(path, false));
    QString message;
    QVERIFY(!flow.save(path, false, &message));
    QVERIFY(message.contains(path));
    QVERIFY(flow.save(path, true));

    message.clear();
    QVERIFY(!flow.save(dir.filePath(QStringLiteral("missing/flow.xml")), true, &message));
    QVERIFY(!message.isEmpty());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("missing"))));
}

TAVRIX_TEST_GUILESS_MAIN(tst_Flow)
#include "tst_flow.moc"
