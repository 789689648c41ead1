// The embedded object templates, checked for what the program relies on rather than field by
// field: each reads as an object of its class, every field a user sees is explained, every
// dependency names a field of the same template and a value that field can take, and every
// editor choice of a definition maps to an editor.

#include "common/testmain.h"

#include "common/testfiles.h"

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

QStringList fieldNames(const SRCore::FlowObject &object)
{
    QStringList names;
    for (const SRCore::FlowObjectField &field : object.getFields()) {
        names.append(field.getName());
    }
    return names;
}

// The values a field can take: the choices of an "enum:" type, Yes and No for a "bool".
QStringList choicesOf(const SRCore::FlowObjectField &field)
{
    const QString type = field.getProperty(XMLKey::TYPE);
    if (type == XMLValues::EDITORTYPE_BOOL) {
        return {XMLValues::YES, XMLValues::NO};
    }
    return type.startsWith(QLatin1String("enum:")) ? type.mid(5).split(QLatin1Char(';'))
                                                   : QStringList();
}

QStringList enumChoices(const SRCore::FlowObject &object, const QString &tag)
{
    return object.getField(tag).getProperty(XMLKey::TYPE).mid(5).split(QLatin1Char(';'));
}

QDomDocument readDocument(const QString &resource)
{
    QDomDocument document;
    SRCore::XmlError error;
    if (!SRCore::parseXmlDocument(TestFiles::readFile(resource), document, &error)) {
        qWarning("%s: %s", qPrintable(resource), qPrintable(error.toString()));
    }
    return document;
}

} // namespace

class tst_ObjectTemplates : public QObject
{
    Q_OBJECT

private slots:
    void propertyTemplatesHoldConsistentFields_data();
    void propertyTemplatesHoldConsistentFields();
    void lookup_data();
    void lookup();
    void defaultObjectIsAnIndependentCopy();
    void definitionEditorChoicesMapToEditors();
    void defaultDeclarationHasTheFilterFoldersFields();
    void entryPointsAreDistinctAndHaveIcons();
};

void tst_ObjectTemplates::propertyTemplatesHoldConsistentFields_data()
{
    QTest::addColumn<QString>("type");
    QTest::newRow("basic script properties") << XMLKey::SCR_BASICSCRIPTPROPERTIES;
    QTest::newRow("property definition") << XMLKey::SCR_INJECTEDPROPERTIES;
    QTest::newRow("basic test settings") << XMLKey::SCR_BASICTESTPROPERTIES;
    QTest::newRow("incoming job") << XMLKey::SCR_INCOMMINGJOBS;
    QTest::newRow("outgoing connection") << XMLKey::SCR_OUTGOINGCONNECTIONS;
}

void tst_ObjectTemplates::propertyTemplatesHoldConsistentFields()
{
    QFETCH(QString, type);

    SRCore::XmlError error;
    const SRCore::FlowObject raw =
        SRCore::FlowObject::fromXml(ObjectTemplates::templateXml(type), &error);
    QVERIFY2(!raw.isNull(), qPrintable(error.toString()));
    QCOMPARE(raw.getProperty(XMLKey::CLASS), type);

    const SRCore::FlowObject object = ObjectTemplates::templateObject(type);
    const QList<SRCore::FlowObjectField> fields = object.getFields();
    QVERIFY(fields.size() > 1);
    QCOMPARE(fields.first().getName(), XMLKey::TYPE);
    QCOMPARE(fields.first().getValue(), type);
    for (const SRCore::FlowObjectField &field : fields.mid(1)) {
        const QByteArray where = field.getName().toUtf8();
        QVERIFY2(field.hasProperty(XMLKey::VALIDATE), where);
        if (field.getProperty(XMLKey::EDITOR) == XMLValues::HIDE) {
            continue;
        }
        QVERIFY2(!field.getProperty(XMLKey::LOCALIZEDTAGNAME).isEmpty(), where);
        QVERIFY2(!field.getProperty(XMLKey::TOOLTIP).trimmed().isEmpty(), where);
        const QStringList choices = choicesOf(field);
        QVERIFY2(choices.isEmpty() || field.getValue().isEmpty()
                     || choices.contains(field.getValue()),
                 where);

        // A dependent is shown under a master of the same template for values the master has.
        const QString master = field.getProperty(XMLKey::DEPENDENCY);
        if (master.isEmpty()) {
            continue;
        }
        QVERIFY2(object.hasField(master), where + " depends on " + master.toUtf8());
        const QStringList masterChoices = choicesOf(object.getField(master));
        for (const QString &value :
             field.getProperty(XMLKey::DEPENDENCYVALUE).split(QLatin1Char(';'))) {
            QVERIFY2(masterChoices.contains(value), where + " shown for " + value.toUtf8());
        }
    }
}

void tst_ObjectTemplates::lookup_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("found");

    QTest::newRow("exact name") << XMLKey::SCR_INCOMMINGJOBS << true;
    QTest::newRow("any case") << QStringLiteral("sCRIPTeLEMENT") << true;
    QTest::newRow("folder") << XMLValues::FOLDER << true;
    QTest::newRow("move connection") << XMLValues::CONNECTION_MOVE << true;
    QTest::newRow("filter connection") << XMLValues::CONNECTION_FILTER << true;
    QTest::newRow("traffic-light connection") << XMLValues::CONNECTION_TRAFFICLIGHT << true;
    QTest::newRow("NoOp connection has no embedded template")
        << XMLValues::CONNECTION_NOOP << false;
    QTest::newRow("unknown type") << QStringLiteral("Pipeline") << false;
    QTest::newRow("empty type") << QString() << false;
}

void tst_ObjectTemplates::lookup()
{
    QFETCH(QString, type);
    QFETCH(bool, found);

    QCOMPARE(!ObjectTemplates::templateXml(type).isEmpty(), found);
    QCOMPARE(!ObjectTemplates::templateObject(type).isNull(), found);
    QCOMPARE(!ObjectTemplates::defaultObject(type).isNull(), found);
    if (found) {
        QCOMPARE(ObjectTemplates::templateXml(type),
                 QString::fromUtf8(TestFiles::readFile(ObjectTemplates::resourcePath(type))));
        // An object of its class.
        const SRCore::FlowObject object = ObjectTemplates::templateObject(type);
        QCOMPARE(object.getType().toLower(), type.toLower());
        QCOMPARE(object.getProperty(XMLKey::CLASS).toLower(), type.toLower());
    }
}

void tst_ObjectTemplates::defaultObjectIsAnIndependentCopy()
{
    const SRCore::FlowObject cached = ObjectTemplates::templateObject(XMLKey::SCR_INCOMMINGJOBS);
    QCOMPARE(ObjectTemplates::templateObject(QStringLiteral("incommingjobs")), cached);

    SRCore::FlowObject copy = ObjectTemplates::defaultObject(XMLKey::SCR_INCOMMINGJOBS);
    QVERIFY(copy != cached);
    QVERIFY(!copy.hasProperty(XMLKey::ID_));
    QVERIFY(cached.hasProperty(XMLKey::ID_));
    copy.getField(XMLKey::ENABLED).setValue(XMLValues::NO);
    copy.createField(QStringLiteral("Extra"));

    const SRCore::FlowObject again = ObjectTemplates::defaultObject(XMLKey::SCR_INCOMMINGJOBS);
    QCOMPARE(again.getField(XMLKey::ENABLED).getValue(), XMLValues::YES);
    QVERIFY(!again.hasField(QStringLiteral("Extra")));
    QVERIFY(!cached.hasField(QStringLiteral("Extra")));
}

// The editor fields offer the names of the editor table, and every choice is a name that the
// table can turn into a keyword, or definitions would be written without their editor.
void tst_ObjectTemplates::definitionEditorChoicesMapToEditors()
{
    const SRCore::FlowObject object =
        ObjectTemplates::templateObject(XMLKey::SCR_INJECTEDPROPERTIES);
    QCOMPARE(enumChoices(object, XMLKey::DEF_EDITOR), EditorNames::inlineEditorNames());
    QCOMPARE(enumChoices(object, XMLKey::DEF_SECONDEDITOR), EditorNames::extraEditorNames());
    QCOMPARE(enumChoices(object, XMLKey::DEF_LITERALEDITORNAME + QStringLiteral("3")),
             EditorNames::literalNames());
    for (const QString &name : enumChoices(object, XMLKey::DEF_EDITOR)) {
        QVERIFY2(name == EditorNames::noEditorName()
                     || !EditorNames::inlineEditorKeyword(name).isEmpty(),
                 qPrintable(name));
    }
    for (const QString &name : enumChoices(object, XMLKey::DEF_SECONDEDITOR)) {
        QVERIFY2(name == EditorNames::noEditorName() || name == EditorNames::literalEditorName()
                     || !EditorNames::extraEditorKeyword(name).isEmpty(),
                 qPrintable(name));
    }
    for (const QString &name :
         enumChoices(object, XMLKey::DEF_LITERALEDITORNAME + QStringLiteral("3"))) {
        QVERIFY2(!EditorNames::literalKeyword(name).isEmpty(), qPrintable(name));
    }
}

// A filter connection gets the same folder mask fields that a new declaration holds.
void tst_ObjectTemplates::defaultDeclarationHasTheFilterFoldersFields()
{
    const QDomDocument document = readDocument(ObjectTemplates::defaultDeclarationPath());
    const QDomElement root = document.documentElement();
    QCOMPARE(root.tagName(), XMLKey::OBJECT);
    QVERIFY(!root.firstChildElement(XMLKey::ELEMENTFIELDS).isNull());
    const QDomElement connectionFields = root.firstChildElement(XMLKey::CONNECTIONFIELDS);

    const SRCore::FlowObject injected = ObjectTemplates::templateObject(XMLKey::SCR_FILTERINJECTED);
    // Injected into connections, the folder filter fields must not bring a Type of their own.
    QCOMPARE(fieldNames(injected),
             QStringList({XMLKey::INCLUDEFOLDERMASK, XMLKey::EXCLUDEFOLDERMASK}));
    for (const QString &tag : fieldNames(injected)) {
        const QDomElement mask = connectionFields.firstChildElement(tag);
        QVERIFY2(!mask.isNull(), qPrintable(tag));
        const SRCore::FlowObjectField field = injected.getField(tag);
        for (const QString &attribute : {XMLKey::LOCALIZEDTAGNAME, XMLKey::TOOLTIP, XMLKey::TYPE,
                                         XMLKey::EDITOR, XMLKey::SUBTYPE, XMLKey::DEFAULT}) {
            QCOMPARE(field.getProperty(attribute), mask.attribute(attribute));
        }
        QCOMPARE(field.getValue(), mask.text());
    }
}

void tst_ObjectTemplates::entryPointsAreDistinctAndHaveIcons()
{
    const QDomElement root = readDocument(ObjectTemplates::entryPointsPath()).documentElement();
    QCOMPARE(root.tagName(), XMLKey::SCR_ENTRYPOINTS);
    QStringList tests;
    QStringList functions;
    for (QDomElement group = root.firstChildElement(XMLKey::SCR_GROUP); !group.isNull();
         group = group.nextSiblingElement(XMLKey::SCR_GROUP)) {
        for (QDomElement entry = group.firstChildElement(XMLKey::SCR_ENTRYPOINT); !entry.isNull();
             entry = entry.nextSiblingElement(XMLKey::SCR_ENTRYPOINT)) {
            const QString name = entry.attribute(XMLKey::SCR_NAME);
            QVERIFY2(QFile::exists(entry.attribute(XMLKey::SCR_ICON)), qPrintable(name));
            tests << entry.attribute(XMLKey::SCR_SCRIPTTEST);
            functions << entry.attribute(XMLKey::SCR_FUNCNAME);
        }
    }
    QVERIFY(functions.contains(QStringLiteral("jobArrived")));
    // Each entry point runs its own test, and each function has one entry point.
    QCOMPARE(QSet<QString>(tests.cbegin(), tests.cend()).size(), tests.size());
    functions.removeAll(QString());
    QCOMPARE(QSet<QString>(functions.cbegin(), functions.cend()).size(), functions.size());
}

TAVRIX_TEST_GUILESS_MAIN(tst_ObjectTemplates)
#include "tst_objecttemplates.moc"
