#include "common/testmain.h"

#include "package/objecttemplates.h"

#include "corelib/common/xmlerror.h"
#include "corelib/flow/flowobjectfield.h"
#include "corelib/package/editornames.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDomDocument>
#include <QFile>
#include <QtTest>

namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;
using Scripter::ObjectTemplates;

namespace {

// One expected field: tag, label, type, editor list, initial value, and the master it is
// shown under with the master's values ("" when always shown).
struct FieldRow
{
    QString tag;
    QString label;
    QString type;
    QString editor;
    QString value;
    QString dependency = QString();
    QString dependencyValue = QString();
};

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

const QString kInline = s("inline");

QList<FieldRow> basicScriptRows()
{
    const QString yes = XMLValues::YES;
    const QString no = XMLValues::NO;
    const QString b = XMLValues::EDITORTYPE_BOOL;
    const QString str = XMLValues::EDITORTYPE_STRING;
    QList<FieldRow> rows = {
        {s("Name"), s("Name"), str, kInline, s("TavrixScript")},
        {s("Keywords"), s("Keywords"), str, kInline, {}},
        {s("Tooltip"), s("Tooltip"), str, s("inline;description"), {}},
        {s("Icon"), s("Icon"), s("path"), s("none;choosefile|Image PNG 32x32 (*.png)"), {}},
        {s("PasswordProtected"), s("Password protected"), b, kInline, no},
        {s("Password"), s("Password"), s("password"), kInline, {}, s("PasswordProtected"), yes},
        {s("VerifyPassword"),
         s("Verify password"),
         s("password"),
         kInline,
         {},
         s("PasswordProtected"),
         yes},
        {s("IncludeJavaScript"), s("Include JavaScript"), b, kInline, yes},
        {s("IncludeVBScript"), s("Include VBScript"), b, kInline, no},
        {s("IncludeAppleScript"), s("Include AppleScript"), b, kInline, no},
        {s("IncomingConnections"), s("Incoming connections"), b, kInline, yes},
        {s("RequireIncoming"), s("Require at least one"), b, kInline, yes, s("IncomingConnections"),
         yes},
        {s("OutgoingConnections"), s("Outgoing connections"), s("enum:No;One;Unlimited"), kInline,
         s("Unlimited")},
        {s("RequireOutgoing"), s("Require at least one"), b, kInline, yes, s("OutgoingConnections"),
         s("One;Unlimited")},
        {s("ConnectionType"), s("Connection type"), s("enum:Move;Filter;TrafficLight"), kInline,
         s("Move")},
    };
    const QStringList flags = {s("DataSuccess"), s("DataWarning"), s("DataError"),
                               s("LogSuccess"),  s("LogWarning"),  s("LogError")};
    const QStringList flagLabels = {s("Data success out"), s("Data warning out"),
                                    s("Data error out"),   s("Log success out"),
                                    s("Log warning out"),  s("Log error out")};
    for (int i = 0; i < flags.size(); ++i) {
        rows.append({flags.at(i), flagLabels.at(i), b, kInline, yes, s("ConnectionType"),
                     s("TrafficLight")});
    }
    rows += {
        {s("IncludeExcludeFolder"), s("Include/exclude folder"), b, kInline, no,
         s("ConnectionType"), s("Filter")},
        {s("ExecutionMode"), s("Execution mode"), s("enum:Serialized;Concurrent;Persistent"),
         kInline, s("Serialized")},
        {s("NumberOfSlots"), s("Number of slots"), s("number"), s("inline;default"), s("Default"),
         s("ExecutionMode"), s("Concurrent")},
        {s("ExecutionGroup"), s("Execution group"), str, kInline, {}},
        {s("PerformanceTuning"), s("Enable performance tuning"), b, kInline, no},
        {s("IdleAfterJob"), s("Idle after job (secs)"), s("number"), kInline, s("0"),
         s("PerformanceTuning"), yes},
        {s("PositionInElementPane"), s("Position in element pane"), str, kInline, {}},
        {s("ScriptFunctions"), s("ScriptFunctions"), str, s("hide"), {}},
    };
    return rows;
}

QList<FieldRow> definitionRows()
{
    const QString str = XMLValues::EDITORTYPE_STRING;
    const QString extra = s("enum:") + EditorNames::extraEditorNames().join(QLatin1Char(';'));
    QList<FieldRow> rows = {
        {s("Tag"), s("Tag"), str, kInline, {}},
        {s("Name"), s("Name"), str, kInline, {}},
        {s("Tooltip"), s("Tooltip"), str, s("inline;description"), {}},
        {s("Editor"), s("Inline editor"),
         s("enum:") + EditorNames::inlineEditorNames().join(QLatin1Char(';')), kInline,
         s("Single-line text")},
        {s("SecondEditor"), s("Editor 2"), extra, kInline, s("None")},
        {s("ThirdEditor"), s("Editor 3"), extra, kInline, s("None")},
        {s("FourthEditor"), s("Editor 4"), extra, kInline, s("None")},
        {s("FifthEditor"), s("Editor 5"), extra, kInline, s("None")},
        {s("DropdownItems"),
         s("Dropdown items"),
         str,
         s("description"),
         {},
         s("Editor"),
         s("Dropdown list")},
    };
    const QStringList masters = {s("SecondEditor"), s("ThirdEditor"), s("FourthEditor"),
                                 s("FifthEditor")};
    const QString literals = s("enum:") + EditorNames::literalNames().join(QLatin1Char(';'));
    const QList<FieldRow> perEditor = {
        {s("IncludeFileForExport"),
         s("Include file for export"),
         XMLValues::EDITORTYPE_BOOL,
         kInline,
         XMLValues::NO,
         {},
         s("Choose file")},
        {s("LiteralEditorName"),
         s("Literal editor name"),
         literals,
         kInline,
         s("Default"),
         {},
         s("Literal")},
        {s("MessageForSelectFromLibrary"),
         s("Message"),
         str,
         s("description"),
         {},
         {},
         s("Select from library")},
        {s("MessageForSelectManyFromLibrary"),
         s("Message"),
         str,
         s("description"),
         {},
         {},
         s("Select many from library")},
        {s("MessageForStringList"), s("Message"), str, s("description"), {}, {}, s("String list")},
        {s("ExternalApplication"),
         s("Application"),
         str,
         s("inline;choosefile"),
         {},
         {},
         s("External editor")},
        {s("ExternalArgForNew"),
         s("Arguments for new"),
         str,
         kInline,
         s("%1"),
         {},
         s("External editor")},
        {s("ExternalArgForEdit"),
         s("Arguments for edit"),
         str,
         kInline,
         s("%1"),
         {},
         s("External editor")},
    };
    for (const FieldRow &row : perEditor) {
        for (int n = 2; n <= 5; ++n) {
            FieldRow numbered = row;
            numbered.tag += QString::number(n);
            numbered.dependency = masters.at(n - 2);
            rows.append(numbered);
        }
    }
    rows += {
        {s("Default"), s("Default"), str, kInline, {}},
        {s("DependsOnMaster"), s("Depends on master"), XMLValues::EDITORTYPE_BOOL, kInline,
         XMLValues::NO},
        {s("MasterValue"), s("Show if master equals"), str, kInline, s("Yes"), s("DependsOnMaster"),
         XMLValues::YES},
        {s("Validation"), s("Validation"), s("enum:None;Standard;Custom;Standard and custom"),
         kInline, s("Standard")},
    };
    return rows;
}

QList<FieldRow> basicTestRows()
{
    return {
        {s("TestFolder"), s("Test folder"), s("path"), s("choosefolder"), {}},
        {s("GlobalData"), s("Global data"), s("fieldsdef"), s("globaldatafieldsedit"), {}},
        {s("FlowName"), s("Flow name"), s("string"), kInline, {}},
        {s("ElementName"), s("Element name"), s("string"), kInline, {}},
    };
}

QList<FieldRow> incomingJobRows()
{
    return {
        {s("FileOrFolder"), s("File or folder"), s("path"), s("choosefile;choosefolder"), {}},
        {s("Enabled"), s("Enabled"), s("bool"), kInline, s("Yes")},
        {s("ConnectionName"), s("Connection name"), s("string"), kInline, {}},
        {s("HierarchyInfo"), s("Hierarchy info"), s("string"), s("inline;description"), {}},
        {s("EmailAddresses"), s("Email addresses"), s("string"), s("description"), {}},
        {s("EmailBodyText"), s("Email body text"), s("string"), s("description"), {}},
        {s("JobState"), s("Job state"), s("string"), kInline, {}},
        {s("UserData"), s("Private data"), s("fieldsdef"), s("userdatafieldsedit"), {}},
        {s("MetadataDatasets"),
         s("Metadata datasets"),
         s("fieldsdef"),
         s("scriptermetadatafieldsedit"),
         {}},
    };
}

QList<FieldRow> outgoingConnectionRows()
{
    return {
        {s("ConnectionName"), s("Connection name"), s("string"), kInline, {}},
        {s("Enabled"), s("Enabled"), s("bool"), kInline, s("Yes")},
        {s("HoldFiles"), s("Hold files"), s("bool"), kInline, s("No")},
        {s("TrafficType"), s("Carry this type of files"), s("enum:Data;Log;Data with log"),
         s("inline;popup"), s("Data")},
        {s("DatasetName"), s("Dataset Name"), s("string"), kInline, s("Log"), s("TrafficType"),
         s("Data with log")},
        {s("IncludeMask"), s("Include these files"), s("string"),
         s("allfiles;allotherfiles;types;filepatterns;regexp;scriptexp"), s("All Files")},
        {s("ExcludeMask"), s("Exclude these files"), s("string"),
         s("nofiles;types;filepatterns;regexp;scriptexp"), s("No Files")},
    };
}

QStringList fieldNames(const SRCore::FlowObject &object)
{
    QStringList names;
    for (const SRCore::FlowObjectField &field : object.getFields()) {
        names.append(field.getName());
    }
    return names;
}

QString readResource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

Q_DECLARE_METATYPE(QList<FieldRow>)

class tst_ObjectTemplates : public QObject
{
    Q_OBJECT

private slots:
    void propertyTemplates_data();
    void propertyTemplates();
    void designerTemplates_data();
    void designerTemplates();
    void lookup_data();
    void lookup();
    void defaultObjectIsAnIndependentCopy();
    void definitionEditorChoicesFollowTheEditorTable();
    void defaultDeclaration();
    void entryPoints();
};

void tst_ObjectTemplates::propertyTemplates_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QList<FieldRow>>("rows");

    // clang-format off
    QTest::newRow("basic script properties") << XMLKey::SCR_BASICSCRIPTPROPERTIES << s("5") << basicScriptRows();
    QTest::newRow("property definition") << XMLKey::SCR_INJECTEDPROPERTIES << s("4") << definitionRows();
    QTest::newRow("basic test settings") << XMLKey::SCR_BASICTESTPROPERTIES << s("6") << basicTestRows();
    QTest::newRow("incoming job") << XMLKey::SCR_INCOMMINGJOBS << s("7") << incomingJobRows();
    QTest::newRow("outgoing connection") << XMLKey::SCR_OUTGOINGCONNECTIONS << s("8") << outgoingConnectionRows();
    // clang-format on
}

// Field by field against the tables: order, labels, types, editors, initial values, masters,
// and a tooltip for every visible field.
void tst_ObjectTemplates::propertyTemplates()
{
    QFETCH(QString, type);
    QFETCH(QString, id);
    QFETCH(QList<FieldRow>, rows);

    // The raw resource keeps the template's own Id; the cached object is renumbered by its flow.
    SRCore::XmlError error;
    const SRCore::FlowObject raw =
        SRCore::FlowObject::fromXml(ObjectTemplates::templateXml(type), &error);
    QVERIFY2(!raw.isNull(), qPrintable(error.toString()));
    QCOMPARE(raw.getId(), id);
    QCOMPARE(raw.getProperty(XMLKey::CLASS), type);

    const SRCore::FlowObject object = ObjectTemplates::templateObject(type);
    QVERIFY(!object.isNull());
    const QList<SRCore::FlowObjectField> fields = object.getFields();
    QVERIFY(!fields.isEmpty());
    QCOMPARE(fields.first().getName(), XMLKey::TYPE);
    QCOMPARE(fields.first().getValue(), type);
    QCOMPARE(fields.first().getProperty(XMLKey::EDITOR), XMLValues::HIDE);

    QStringList expectedTags;
    for (const FieldRow &row : rows) {
        expectedTags.append(row.tag);
    }
    QCOMPARE(fieldNames(object).mid(1), expectedTags);

    for (const FieldRow &row : rows) {
        const SRCore::FlowObjectField field = object.getField(row.tag);
        const QByteArray where = row.tag.toUtf8();
        QVERIFY2(field.getProperty(XMLKey::LOCALIZEDTAGNAME) == row.label, where);
        QVERIFY2(field.getProperty(XMLKey::TYPE) == row.type, where);
        QVERIFY2(field.getProperty(XMLKey::EDITOR) == row.editor, where);
        QVERIFY2(field.getValue() == row.value, where);
        QVERIFY2(field.getProperty(XMLKey::DEPENDENCY) == row.dependency, where);
        QVERIFY2(field.getProperty(XMLKey::DEPENDENCYVALUE) == row.dependencyValue, where);
        QVERIFY2(field.hasProperty(XMLKey::VALIDATE), where);
        QVERIFY2(!field.getProperty(XMLKey::TOOLTIP).trimmed().isEmpty(), where);
    }
}

void tst_ObjectTemplates::designerTemplates_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("fields");

    const QStringList connection = {s("Type"), s("Name"), s("Sourceobject"), s("Destobject"),
                                    s("Straightline")};
    // clang-format off
    QTest::newRow("folder") << XMLValues::FOLDER << QStringList{s("Type"), s("Name"), s("Path"), s("Xpos"), s("Ypos")};
    QTest::newRow("move connection") << XMLValues::CONNECTION_MOVE << connection;
    QTest::newRow("filter connection has the file masks") << XMLValues::CONNECTION_FILTER << connection + QStringList{s("IncludeMask"), s("ExcludeMask")};
    QTest::newRow("traffic-light connection has the traffic type") << XMLValues::CONNECTION_TRAFFICLIGHT << connection + QStringList{s("TrafficType")};
    QTest::newRow("script element") << XMLValues::SCRIPTELEMENT << QStringList{s("Type"), s("Name"), s("ScriptPackage"), s("Xpos"), s("Ypos"), s("IncomingConnections"), s("OutgoingConnections"), s("ConnectionType")};
    // Injected into connections, so it must not bring a Type field that would replace theirs.
    QTest::newRow("folder filter fields") << XMLKey::SCR_FILTERINJECTED << QStringList{XMLKey::INCLUDEFOLDERMASK, XMLKey::EXCLUDEFOLDERMASK};
    // clang-format on
}

void tst_ObjectTemplates::designerTemplates()
{
    QFETCH(QString, type);
    QFETCH(QStringList, fields);

    const SRCore::FlowObject object = ObjectTemplates::templateObject(type);
    QVERIFY(!object.isNull());
    QCOMPARE(fieldNames(object), fields);
    if (type != XMLKey::SCR_FILTERINJECTED) {
        QCOMPARE(object.getType(), type);
        QCOMPARE(object.getProperty(XMLKey::CLASS), type);
    }
}

void tst_ObjectTemplates::lookup_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("resource");

    // clang-format off
    QTest::newRow("exact name") << XMLKey::SCR_INCOMMINGJOBS << s(":/Property/xml_IncommingJobs.xml");
    QTest::newRow("any case") << s("sCRIPTeLEMENT") << s(":/Designer/Resources/Flow/Tools/xml_ScriptElementDefaults.xml");
    QTest::newRow("NoOp connection has no embedded template") << XMLValues::CONNECTION_NOOP << QString();
    QTest::newRow("unknown type") << s("Pipeline") << QString();
    QTest::newRow("empty type") << QString() << QString();
    // clang-format on
}

void tst_ObjectTemplates::lookup()
{
    QFETCH(QString, type);
    QFETCH(QString, resource);

    QCOMPARE(ObjectTemplates::templateXml(type).isEmpty(), resource.isEmpty());
    QCOMPARE(ObjectTemplates::templateObject(type).isNull(), resource.isEmpty());
    QCOMPARE(ObjectTemplates::defaultObject(type).isNull(), resource.isEmpty());
    if (!resource.isEmpty()) {
        QCOMPARE(ObjectTemplates::resourcePath(type), resource);
        QCOMPARE(ObjectTemplates::templateXml(type), readResource(resource));
    }
}

void tst_ObjectTemplates::defaultObjectIsAnIndependentCopy()
{
    const SRCore::FlowObject cached = ObjectTemplates::templateObject(XMLKey::SCR_INCOMMINGJOBS);
    QCOMPARE(ObjectTemplates::templateObject(s("incommingjobs")), cached);

    SRCore::FlowObject copy = ObjectTemplates::defaultObject(XMLKey::SCR_INCOMMINGJOBS);
    QVERIFY(copy != cached);
    QVERIFY(!copy.hasProperty(XMLKey::ID_));
    QVERIFY(cached.hasProperty(XMLKey::ID_));
    copy.getField(XMLKey::ENABLED).setValue(XMLValues::NO);
    copy.createField(s("Extra"));

    const SRCore::FlowObject again = ObjectTemplates::defaultObject(XMLKey::SCR_INCOMMINGJOBS);
    QCOMPARE(again.getField(XMLKey::ENABLED).getValue(), XMLValues::YES);
    QVERIFY(!again.hasField(s("Extra")));
    QVERIFY(!cached.hasField(s("Extra")));
}

// Every choice of the editor fields must be a name that the editor table can turn into a
// keyword, or definitions would be written without their editor.
void tst_ObjectTemplates::definitionEditorChoicesFollowTheEditorTable()
{
    const SRCore::FlowObject object =
        ObjectTemplates::templateObject(XMLKey::SCR_INJECTEDPROPERTIES);
    const QString inlineType = object.getField(XMLKey::DEF_EDITOR).getProperty(XMLKey::TYPE);
    for (const QString &name : inlineType.mid(5).split(QLatin1Char(';'))) {
        QVERIFY2(name == EditorNames::noEditorName()
                     || !EditorNames::inlineEditorKeyword(name).isEmpty(),
                 qPrintable(name));
    }
    const QString extraType = object.getField(XMLKey::DEF_SECONDEDITOR).getProperty(XMLKey::TYPE);
    for (const QString &name : extraType.mid(5).split(QLatin1Char(';'))) {
        QVERIFY2(name == EditorNames::noEditorName() || name == EditorNames::literalEditorName()
                     || !EditorNames::extraEditorKeyword(name).isEmpty(),
                 qPrintable(name));
    }
    const QString literalType =
        object.getField(XMLKey::DEF_LITERALEDITORNAME + s("3")).getProperty(XMLKey::TYPE);
    for (const QString &name : literalType.mid(5).split(QLatin1Char(';'))) {
        QVERIFY2(!EditorNames::literalKeyword(name).isEmpty(), qPrintable(name));
    }
}

void tst_ObjectTemplates::defaultDeclaration()
{
    QDomDocument document;
    SRCore::XmlError error;
    QVERIFY2(
        SRCore::parseXmlDocument(readResource(ObjectTemplates::defaultDeclarationPath()).toUtf8(),
                                 document, &error),
        qPrintable(error.toString()));
    const QDomElement root = document.documentElement();
    QCOMPARE(root.tagName(), XMLKey::OBJECT);

    auto children = [](const QDomElement &parent) {
        QStringList result;
        for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            result.append(e.tagName() + QLatin1Char('=') + e.text());
        }
        return result;
    };
    const QDomElement elementFields = root.firstChildElement(XMLKey::ELEMENTFIELDS);
    QCOMPARE(
        children(elementFields),
        (QStringList{s("Name=Unnamed Script"), s("Keywords="), s("Tooltip="),
                     s("IncomingConnections=Yes"), s("OutgoingConnections=Unlimited"),
                     s("ConnectionType=Move"), s("ScriptFunctions="), s("FunctionsAppleScript="),
                     s("FunctionsVBScript="), s("ExecutionMode=Serialized"), s("NumberOfSlots=1"),
                     s("ExecutionGroup="), s("PerformanceTuning=No"), s("IdleAfterJob=0"),
                     s("PositionInElementPane=Custom:")}));
    for (QDomElement e = elementFields.firstChildElement(); !e.isNull();
         e = e.nextSiblingElement()) {
        QCOMPARE(e.attribute(XMLKey::EDITOR), XMLValues::HIDE);
    }
    QCOMPARE(elementFields.firstChildElement(XMLKey::INCOMINGCONNECTIONS)
                 .attribute(XMLKey::REQUIREATLEASTONE),
             XMLValues::YES);
    QCOMPARE(elementFields.firstChildElement(XMLKey::OUTGOINGCONNECTIONS)
                 .attribute(XMLKey::REQUIREATLEASTONE),
             XMLValues::YES);

    const QDomElement connectionFields = root.firstChildElement(XMLKey::CONNECTIONFIELDS);
    QCOMPARE(children(connectionFields),
             (QStringList{s("IncludeFolderMask=All Folders"), s("ExcludeFolderMask=No Folders"),
                          s("Success=Yes"), s("Warning=Yes"), s("Error=Yes")}));
    const QDomElement include = connectionFields.firstChildElement(XMLKey::INCLUDEFOLDERMASK);
    QCOMPARE(include.attribute(XMLKey::EDITOR),
             s("allfolders;allotherfolders;folderpatterns;regexp;scriptexp"));
    QCOMPARE(include.attribute(XMLKey::SUBTYPE), XMLValues::EDITOR_ALLFOLDERS);
    QCOMPARE(include.attribute(XMLKey::DEFAULT), XMLValues::ALLFOLDERS);
    const QDomElement exclude = connectionFields.firstChildElement(XMLKey::EXCLUDEFOLDERMASK);
    QCOMPARE(exclude.attribute(XMLKey::EDITOR), s("nofolders;folderpatterns;regexp;scriptexp"));
    QCOMPARE(exclude.attribute(XMLKey::SUBTYPE), XMLValues::EDITOR_NOFOLDERS);
    const QDomElement warning = connectionFields.firstChildElement(XMLKey::WARNING);
    QCOMPARE(warning.attribute(XMLKey::LOCALIZEDTAGNAME), s("Warning out"));
    QCOMPARE(warning.attribute(XMLKey::TYPE), XMLValues::EDITORTYPE_BOOL);
    QCOMPARE(warning.attribute(XMLKey::EDITOR), XMLValues::EDITOR_INLINE);
    QCOMPARE(warning.attribute(XMLKey::DEFAULT), XMLValues::YES);

    // The folder masks that a filter connection gets are the same fields.
    const SRCore::FlowObject injected = ObjectTemplates::templateObject(XMLKey::SCR_FILTERINJECTED);
    for (const QDomElement &mask : {include, exclude}) {
        const SRCore::FlowObjectField field = injected.getField(mask.tagName());
        for (const QString &attribute : {XMLKey::LOCALIZEDTAGNAME, XMLKey::TOOLTIP, XMLKey::TYPE,
                                         XMLKey::EDITOR, XMLKey::SUBTYPE, XMLKey::DEFAULT}) {
            QCOMPARE(field.getProperty(attribute), mask.attribute(attribute));
        }
        QCOMPARE(field.getValue(), mask.text());
    }
}

void tst_ObjectTemplates::entryPoints()
{
    QDomDocument document;
    QVERIFY(SRCore::parseXmlDocument(readResource(ObjectTemplates::entryPointsPath()).toUtf8(),
                                     document));
    const QDomElement root = document.documentElement();
    QCOMPARE(root.tagName(), XMLKey::SCR_ENTRYPOINTS);

    QStringList rows;
    for (QDomElement group = root.firstChildElement(XMLKey::SCR_GROUP); !group.isNull();
         group = group.nextSiblingElement(XMLKey::SCR_GROUP)) {
        for (QDomElement entry = group.firstChildElement(XMLKey::SCR_ENTRYPOINT); !entry.isNull();
             entry = entry.nextSiblingElement(XMLKey::SCR_ENTRYPOINT)) {
            rows.append(QStringList{
                group.attribute(XMLKey::SCR_NAME), entry.attribute(XMLKey::SCR_NAME),
                entry.attribute(XMLKey::SCR_FUNCNAME), entry.attribute(XMLKey::SCR_SCRIPTTEST),
                entry.attribute(XMLKey::SCR_JOBDEPEND),
                entry.attribute(XMLKey::SCR_ICON).section(QLatin1Char('/'), -1),
                entry.attribute(XMLKey::SCR_TOOLTIP)}
                            .join(QLatin1Char('|')));
        }
    }
    const QString ball = s("img_BallGreen.png");
    const QStringList expected = {
        s("Basic|&script expression||2|Yes|img_Evaluate.png|Evaluate the script body as a script "
          "expression"),
        s("Basic|&jobArrived|jobArrived|0|Yes|img_JobArrived.png|Invoke the jobArrived entry "
          "point with the test fixture"),
        s("Basic|&timerFired|timerFired|1|No|img_TimerFired.png|Invoke the timerFired entry "
          "point with the test fixture"),
        s("Property editing|getLibraryForProperty|getLibraryForProperty|7|No|") + ball + s("|"),
        s("Property editing|isPropertyValid|isPropertyValid|6|No|") + ball + s("|"),
        s("Property editing|getLibraryForConnectionProperty|getLibraryForConnectionProperty|12|"
          "Yes|")
            + ball + s("|"),
        s("Property editing|isConnectionPropertyValid|isConnectionPropertyValid|11|Yes|") + ball
            + s("|"),
        s("Application licensing|findApplicationPath|findApplicationPath|8|No|") + ball + s("|"),
        s("Application licensing|getApplicationLicensing|getApplicationLicensing|9|No|") + ball
            + s("|"),
        s("Application licensing|licenseApplication|licenseApplication|10|No|") + ball + s("|"),
        s("Processing|initializeProcessing|initializeProcessing|3|No|") + ball + s("|"),
        s("Processing|finalizeProcessing|finalizeProcessing|4|No|") + ball + s("|"),
        s("Processing|cleanupAfterAbort|cleanupAfterAbort|5|No|") + ball + s("|"),
    };
    QCOMPARE(rows, expected);
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        for (QDomElement entry = e.firstChildElement(); !entry.isNull();
             entry = entry.nextSiblingElement()) {
            QVERIFY2(QFile::exists(entry.attribute(XMLKey::SCR_ICON)),
                     qPrintable(entry.attribute(XMLKey::SCR_ICON)));
        }
    }
}

TAVRIX_TEST_GUILESS_MAIN(tst_ObjectTemplates)
#include "tst_objecttemplates.moc"
