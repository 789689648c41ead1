#include "common/testmain.h"

#include "corelib/common/validation.h"
#include "corelib/values/xmlvalueprocessor.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDomDocument>
#include <QRegularExpression>
#include <QTest>

#include <functional>

using SRCore::EmailInform;
using SRCore::MetadataFieldDefinition;
using SRCore::UniversalData;
using SRCore::XMLValueProcessor;
using ValueType = SRCore::XMLValueProcessor::ValueType;
namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

Q_DECLARE_METATYPE(ValueType)
Q_DECLARE_METATYPE(QList<UniversalData>)
Q_DECLARE_METATYPE(QList<EmailInform>)
Q_DECLARE_METATYPE(QList<MetadataFieldDefinition>)

using Generator = std::function<QString(QString *)>;
Q_DECLARE_METATYPE(Generator)

namespace {

// Texts that a naive writer would lose or break on the way through XML.
QStringList awkwardTexts()
{
    return {
        QString(),
        QStringLiteral("a < b && c > d"),
        QStringLiteral("]]> and <![CDATA[x]]>"),
        QStringLiteral("line one\nline two\r\nline three\rend"),
        QStringLiteral(" \n\t\r "),
        QStringLiteral("<TavrixValueList FormatVersion=\"1\" Type=\"patterns\"/>"),
        QString::fromUtf16(u"controls \x0001\x0008\x000B\x000C\x001F and \xFFFE\xFFFF"),
        QString::fromUtf16(u"lonely \xD800 high, \xDC00 low, \xDC00\xD800 reversed"),
    };
}

// The value must also survive being stored as the text of an element of another document, as
// declarations and fixtures store it.
QString throughDomDocument(const QString &value)
{
    QDomDocument document;
    QDomElement field = document.createElement(QStringLiteral("Field"));
    document.appendChild(field);
    field.appendChild(document.createTextNode(value));
    QDomDocument readBack;
    if (!readBack.setContent(document.toByteArray())) {
        return QStringLiteral("<not readable>");
    }
    return readBack.documentElement().text();
}

} // namespace

class tst_XMLValueProcessor : public QObject
{
    Q_OBJECT

private slots:
    void itemsRoundTripExactly_data();
    void itemsRoundTripExactly();
    void dataFieldsRoundTripExactly_data();
    void dataFieldsRoundTripExactly();
    void emailInfosRoundTripExactly();
    void metadataFieldsRoundTripExactly();

    void editorKeywordGivesValueType_data();
    void editorKeywordGivesValueType();

    void writtenFormatIsStable_data();
    void writtenFormatIsStable();
    void whiteSpaceAroundTheListIsAllowed();

    void otherTextIsNoListAndBrokenListsSayWhy_data();
    void otherTextIsNoListAndBrokenListsSayWhy();

    void generatingForTheWrongEditorIsRefused_data();
    void generatingForTheWrongEditorIsRefused();
};

void tst_XMLValueProcessor::itemsRoundTripExactly_data()
{
    QTest::addColumn<QStringList>("items");

    // clang-format off
    QTest::newRow("no items") << QStringList();
    QTest::newRow("one empty item") << QStringList{QString()};
    QTest::newRow("empty items between others keep their places") << QStringList{QString(), QStringLiteral("*.pdf"), QString(), QString()};
    QTest::newRow("every awkward text, each its own item") << awkwardTexts();
    QTest::newRow("all awkward texts in one item") << QStringList{awkwardTexts().join(QString())};
    // clang-format on
}

void tst_XMLValueProcessor::itemsRoundTripExactly()
{
    QFETCH(QStringList, items);

    const QStringList keywords = {XMLValues::EDITOR_SCRIPTEXP,    XMLValues::EDITOR_PATTERNS,
                                  XMLValues::EDITOR_FILEPATTERNS, XMLValues::EDITOR_FOLDERPATTERNS,
                                  XMLValues::EDITOR_REGEXP,       XMLValues::EDITOR_TYPES,
                                  XMLValues::EDITOR_ASKPLUGIN2,   XMLValues::EDITOR_ACCOUNTSDEF,
                                  XMLValues::EDITOR_STRINGLIST,   XMLValues::EDITOR_PASSWDEF};
    for (const QString &keyword : keywords) {
        QString error;
        const QString value = XMLValueProcessor::generateXMLValue(keyword, items, &error);
        QVERIFY2(!value.isEmpty(), qPrintable(error));
        QVERIFY2(SRCore::Validation::isValidXmlText(value), qPrintable(keyword));

        const XMLValueProcessor processor(value);
        QCOMPARE(processor.errorString(), QString());
        QCOMPARE(processor.valueType(), XMLValueProcessor::valueTypeForEditor(keyword));
        QCOMPARE(processor.values(), items);
        QVERIFY(processor.universaldataFields().isEmpty());

        QCOMPARE(XMLValueProcessor(throughDomDocument(value)).values(), items);
    }
}

void tst_XMLValueProcessor::dataFieldsRoundTripExactly_data()
{
    QTest::addColumn<QList<UniversalData>>("fields");

    QTest::newRow("no records") << QList<UniversalData>();
    QTest::newRow("all three strings empty") << QList<UniversalData>{{}};
    QList<UniversalData> awkward;
    const QStringList texts = awkwardTexts();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        awkward.append(
            {texts.at(i), texts.at((i + 1) % texts.size()), texts.at((i + 2) % texts.size())});
    }
    QTest::newRow("awkward texts in every position") << awkward;
}

void tst_XMLValueProcessor::dataFieldsRoundTripExactly()
{
    QFETCH(QList<UniversalData>, fields);

    for (const QString &keyword :
         {XMLValues::EDITOR_GLOBALDATAFIELDS, XMLValues::EDITOR_USERDATAFIELDS,
          XMLValues::EDITOR_METADATAFIELDS}) {
        const QString value = XMLValueProcessor::generateXMLValue(keyword, fields);
        QVERIFY(SRCore::Validation::isValidXmlText(value));
        const XMLValueProcessor processor(value);
        QCOMPARE(processor.errorString(), QString());
        QCOMPARE(processor.valueType(), XMLValueProcessor::valueTypeForEditor(keyword));
        QCOMPARE(processor.universaldataFields(), fields);
        QVERIFY(processor.values().isEmpty());
        QCOMPARE(XMLValueProcessor(throughDomDocument(value)).universaldataFields(), fields);
    }
}

void tst_XMLValueProcessor::emailInfosRoundTripExactly()
{
    const QStringList texts = awkwardTexts();
    QList<EmailInform> infos{{QStringLiteral("a@example.com;b@example.com"),
                              QStringLiteral("Job <%1> done"), QStringLiteral("Hello,\r\n\r\nbye")},
                             {}};
    for (qsizetype i = 0; i < texts.size(); ++i) {
        infos.append(
            {texts.at(i), texts.at((i + 4) % texts.size()), texts.at((i + 8) % texts.size())});
    }
    for (const QString &keyword : {XMLValues::EDITOR_EINFOEDIT, XMLValues::EDITOR_MAPEINFOEDIT}) {
        for (const QList<EmailInform> &list : {QList<EmailInform>(), infos.first(1), infos}) {
            const XMLValueProcessor processor(XMLValueProcessor::generateXMLValue(keyword, list));
            QCOMPARE(processor.errorString(), QString());
            QCOMPARE(processor.valueType(), XMLValueProcessor::valueTypeForEditor(keyword));
            QCOMPARE(processor.emailInfos(), list);
        }
    }
}

void tst_XMLValueProcessor::metadataFieldsRoundTripExactly()
{
    // Any element name is a key; "Encoding" too, which marks encoded texts elsewhere.
    MetadataFieldDefinition awkward{{XMLKey::ENCODING, QStringLiteral("x")}};
    const QStringList texts = awkwardTexts();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        awkward.insert(QStringLiteral("Key%1").arg(i), texts.at(i));
    }
    const MetadataFieldDefinition choice{{XMLKey::MD_LABEL, QStringLiteral("Priority")},
                                         {XMLKey::MD_DATATYPE, QStringLiteral("enum:Low;High")}};
    const QList<QList<MetadataFieldDefinition>> lists = {
        {}, {MetadataFieldDefinition()}, {choice, awkward, MetadataFieldDefinition()}};
    for (const QString &keyword :
         {XMLValues::EDITOR_METADADTAFIELDSEDIT, XMLValues::EDITOR_METADADTAFIELDSREAD}) {
        for (const QList<MetadataFieldDefinition> &list : lists) {
            const XMLValueProcessor processor(XMLValueProcessor::generateXMLValue(keyword, list));
            QCOMPARE(processor.errorString(), QString());
            QCOMPARE(processor.valueType(), XMLValueProcessor::valueTypeForEditor(keyword));
            QCOMPARE(processor.metadataFields(), list);
        }
    }
}

void tst_XMLValueProcessor::editorKeywordGivesValueType_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<ValueType>("type");

    // clang-format off
    QTest::newRow("scriptexp") << XMLValues::EDITOR_SCRIPTEXP << ValueType::ScriptExpression;
    QTest::newRow("patterns") << XMLValues::EDITOR_PATTERNS << ValueType::Patterns;
    QTest::newRow("file patterns are patterns") << XMLValues::EDITOR_FILEPATTERNS << ValueType::Patterns;
    QTest::newRow("folder patterns are patterns") << XMLValues::EDITOR_FOLDERPATTERNS << ValueType::Patterns;
    QTest::newRow("regexp") << XMLValues::EDITOR_REGEXP << ValueType::RegularExpression;
    QTest::newRow("types") << XMLValues::EDITOR_TYPES << ValueType::FileTypes;
    QTest::newRow("askplugin2") << XMLValues::EDITOR_ASKPLUGIN2 << ValueType::SelectManyFromLibrary;
    QTest::newRow("mapeinfoedit") << XMLValues::EDITOR_MAPEINFOEDIT << ValueType::EmailInfoMap;
    QTest::newRow("einfoedit") << XMLValues::EDITOR_EINFOEDIT << ValueType::EmailInfo;
    QTest::newRow("accountsdef") << XMLValues::EDITOR_ACCOUNTSDEF << ValueType::MailAccounts;
    QTest::newRow("metadatafieldsedit") << XMLValues::EDITOR_METADADTAFIELDSEDIT << ValueType::EditableMetadataFields;
    QTest::newRow("metadatafieldsread") << XMLValues::EDITOR_METADADTAFIELDSREAD << ValueType::ReadOnlyMetadataFields;
    QTest::newRow("globaldatafieldsedit") << XMLValues::EDITOR_GLOBALDATAFIELDS << ValueType::GlobalDataFields;
    QTest::newRow("userdatafieldsedit") << XMLValues::EDITOR_USERDATAFIELDS << ValueType::PrivateDataFields;
    QTest::newRow("scriptermetadatafieldsedit") << XMLValues::EDITOR_METADATAFIELDS << ValueType::MetadataFields;
    QTest::newRow("stringlist") << XMLValues::EDITOR_STRINGLIST << ValueType::StringList;
    QTest::newRow("passwdef") << XMLValues::EDITOR_PASSWDEF << ValueType::Passwords;
    QTest::newRow("inline is a plain value") << XMLValues::EDITOR_INLINE << ValueType::NotAListValue;
    QTest::newRow("askplugin picks one plain item") << XMLValues::EDITOR_ASKPLUGIN << ValueType::NotAListValue;
    QTest::newRow("keywords are case-sensitive") << QStringLiteral("Patterns") << ValueType::NotAListValue;
    QTest::newRow("empty keyword") << QString() << ValueType::NotAListValue;
    // clang-format on
}

void tst_XMLValueProcessor::editorKeywordGivesValueType()
{
    QFETCH(QString, keyword);
    QFETCH(ValueType, type);

    QCOMPARE(XMLValueProcessor::valueTypeForEditor(keyword), type);
    if (type == ValueType::NotAListValue) {
        return;
    }
    // Exactly one of the overloads writes a value for the editor, and it reads back as the type;
    // the other three refuse and log why.
    for (int i = 0; i < 3; ++i) {
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(
                QStringLiteral("The editor '%1' takes ").arg(QRegularExpression::escape(keyword))));
    }
    const QStringList written = {
        XMLValueProcessor::generateXMLValue(keyword, QStringList{QStringLiteral("x")}),
        XMLValueProcessor::generateXMLValue(keyword, QList<UniversalData>{{}}),
        XMLValueProcessor::generateXMLValue(keyword, QList<EmailInform>{{}}),
        XMLValueProcessor::generateXMLValue(keyword, QList<MetadataFieldDefinition>{{}}),
    };
    int count = 0;
    for (const QString &value : written) {
        if (!value.isNull()) {
            ++count;
            QCOMPARE(XMLValueProcessor(value).valueType(), type);
        }
    }
    QCOMPARE(count, 1);
}

void tst_XMLValueProcessor::writtenFormatIsStable_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");

    // clang-format off
    QTest::newRow("empty list") << XMLValueProcessor::generateXMLValue(XMLValues::EDITOR_FILEPATTERNS, QStringList()) << QStringLiteral("<TavrixValueList FormatVersion=\"1\" Type=\"patterns\"/>");
    QTest::newRow("items, escaped and empty") << XMLValueProcessor::generateXMLValue( XMLValues::EDITOR_STRINGLIST, {QStringLiteral("a<b & c>d \"q\""), QString(), QStringLiteral("x\r\ny")}) << QStringLiteral("<TavrixValueList FormatVersion=\"1\" Type=\"stringlist\">\n" "    <Item>a&lt;b &amp; c&gt;d &quot;q&quot;</Item>\n" "    <Item/>\n" "    <Item>x&#13;\ny</Item>\n" "</TavrixValueList>");
    QTest::newRow("characters XML cannot hold") << XMLValueProcessor::generateXMLValue(XMLValues::EDITOR_REGEXP, {QString::fromUtf16(u"a\x0001" u"b\xD800")}) << QStringLiteral("<TavrixValueList FormatVersion=\"1\" Type=\"regexp\">\n" "    <Item Encoding=\"Base64UTF16\">YQABAGIAANg=</Item>\n" "</TavrixValueList>");
    QTest::newRow("data field record") << XMLValueProcessor::generateXMLValue( XMLValues::EDITOR_GLOBALDATAFIELDS, QList<UniversalData>{{QStringLiteral("MyTag1"), QStringLiteral("myScript"), {}}}) << QStringLiteral("<TavrixValueList FormatVersion=\"1\" Type=\"globaldatafieldsedit\">\n" "    <Record>\n" "        <First>MyTag1</First>\n" "        <Second>myScript</Second>\n" "        <Third/>\n" "    </Record>\n" "</TavrixValueList>");
    QTest::newRow("metadata field") << XMLValueProcessor::generateXMLValue( XMLValues::EDITOR_METADADTAFIELDSREAD, QList<MetadataFieldDefinition>{{{XMLKey::MD_LABEL, QStringLiteral("Customer")}, {XMLKey::MD_DATATYPE, QStringLiteral("string")}}, {}}) << QStringLiteral("<TavrixValueList FormatVersion=\"1\" Type=\"metadatafieldsread\">\n" "    <MetadataField>\n" "        <DataType>string</DataType>\n" "        <Label>Customer</Label>\n" "    </MetadataField>\n" "    <MetadataField/>\n" "</TavrixValueList>");
    // clang-format on
}

void tst_XMLValueProcessor::writtenFormatIsStable()
{
    QFETCH(QString, value);
    QFETCH(QString, expected);

    QCOMPARE(value, expected);
}

void tst_XMLValueProcessor::whiteSpaceAroundTheListIsAllowed()
{
    const XMLValueProcessor processor(
        QStringLiteral("\n\t <TavrixValueList Type=\"types\" FormatVersion=\"1\"/>\n "));
    QCOMPARE(processor.errorString(), QString());
    QCOMPARE(processor.valueType(), ValueType::FileTypes);
}

void tst_XMLValueProcessor::otherTextIsNoListAndBrokenListsSayWhy_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("reason");

    const auto list = [](const QString &type, const QString &content) {
        return QStringLiteral(
                   "<TavrixValueList FormatVersion=\"1\" Type=\"%1\">%2</TavrixValueList>")
            .arg(type, content);
    };
    // clang-format off
    QTest::newRow("plain text: empty") << QString() << QString();
    QTest::newRow("plain text: words") << QStringLiteral("All Files") << QString();
    QTest::newRow("plain text: a path") << QStringLiteral("C:/Jobs/in") << QString();
    QTest::newRow("plain text: other XML") << QStringLiteral("<b>bold</b>") << QString();
    QTest::newRow("plain text: our item element alone") << QStringLiteral("<Item>*.pdf</Item>") << QString();
    QTest::newRow("plain text: root name as a prefix") << QStringLiteral("<TavrixValueListing FormatVersion=\"1\" Type=\"patterns\"/>") << QString();
    QTest::newRow("plain text: text before the root") << QStringLiteral("x <TavrixValueList FormatVersion=\"1\" Type=\"patterns\"/>") << QString();
    QTest::newRow("plain text: root inside another element") << QStringLiteral("<a><TavrixValueList FormatVersion=\"1\" Type=\"patterns\"/></a>") << QString();
    QTest::newRow("plain text: comparison in a script expression") << QStringLiteral("a <TavrixValueList") << QString();
    QTest::newRow("cut off") << QStringLiteral( "<TavrixValueList FormatVersion=\"1\" Type=\"patterns\"><Item>*.pdf</Item>") << QStringLiteral("Premature end of document");
    QTest::newRow("unknown type") << list(QStringLiteral("colours"), QString()) << QStringLiteral("Unknown value type 'colours'");
    QTest::newRow("type given by a keyword that is not the canonical one") << list(QStringLiteral("filepatterns"), QString()) << QStringLiteral("Unknown value type 'filepatterns'");
    QTest::newRow("no type") << QStringLiteral("<TavrixValueList FormatVersion=\"1\"/>") << QStringLiteral("'Type' is missing");
    QTest::newRow("unknown attribute") << QStringLiteral("<TavrixValueList FormatVersion=\"1\" Type=\"patterns\" Sorted=\"yes\"/>") << QStringLiteral("Unexpected attribute 'Sorted'");
    QTest::newRow("record in an item list") << list(QStringLiteral("patterns"), QStringLiteral("<Record/>")) << QStringLiteral("Unexpected element <Record> in <TavrixValueList>");
    QTest::newRow("attribute on an item") << list(QStringLiteral("patterns"), QStringLiteral("<Item Kind=\"x\">a</Item>")) << QStringLiteral("Unexpected attribute 'Kind' in <Item>");
    QTest::newRow("record without its third string") << list(XMLValues::EDITOR_USERDATAFIELDS, QStringLiteral("<Record><First>a</First><Second/></Record>")) << QStringLiteral("Element <Third> is missing in <Record>");
    QTest::newRow("record with a fourth string") << list(XMLValues::EDITOR_USERDATAFIELDS, QStringLiteral("<Record><First/><Second/><Third/><Fourth/></Record>")) << QStringLiteral("Unexpected element <Fourth> in <Record>");
    QTest::newRow("e-mail entry in the wrong order") << list(XMLValues::EDITOR_EINFOEDIT, QStringLiteral("<EmailInfo><Subject/><EmailAddresses/><EmailBodyText/>" "</EmailInfo>")) << QStringLiteral("Unexpected element <Subject> in <EmailInfo>");
    QTest::newRow("metadata key given twice") << list(XMLValues::EDITOR_METADADTAFIELDSEDIT, QStringLiteral("<MetadataField><Label>a</Label><Label>b</Label></MetadataField>")) << QStringLiteral("Element <Label> appears more than once in <MetadataField>");
    QTest::newRow("encoding marker on a record") << list(XMLValues::EDITOR_USERDATAFIELDS, QStringLiteral("<Record Encoding=\"Base64UTF16\"><First/><Second/><Third/>" "</Record>")) << QStringLiteral("Unexpected attribute 'Encoding' in <Record>");
    // clang-format on
}

void tst_XMLValueProcessor::otherTextIsNoListAndBrokenListsSayWhy()
{
    QFETCH(QString, value);
    QFETCH(QString, reason);

    const XMLValueProcessor processor(value);
    QCOMPARE(processor.valueType(), ValueType::NotAListValue);
    QVERIFY(processor.values().isEmpty());
    QVERIFY(processor.universaldataFields().isEmpty());
    QVERIFY(processor.emailInfos().isEmpty());
    QVERIFY(processor.metadataFields().isEmpty());
    // Plain text is no list and no error; a malformed list is an error with its place.
    QCOMPARE(processor.errorString().isEmpty(), reason.isEmpty());
    QVERIFY2(processor.errorString().contains(reason), qPrintable(processor.errorString()));
    QVERIFY(reason.isEmpty() || processor.errorString().startsWith(QLatin1String("line ")));
}

void tst_XMLValueProcessor::generatingForTheWrongEditorIsRefused_data()
{
    QTest::addColumn<Generator>("generate");
    QTest::addColumn<QString>("reason");

    const auto withKey = [](const QString &key) {
        return Generator([key](QString *error) {
            const MetadataFieldDefinition definition{{XMLKey::MD_LABEL, QStringLiteral("a")},
                                                     {key, QStringLiteral("b")}};
            return XMLValueProcessor::generateXMLValue(XMLValues::EDITOR_METADADTAFIELDSEDIT,
                                                       QList<MetadataFieldDefinition>{definition},
                                                       error);
        });
    };
    // clang-format off
    QTest::newRow("editor of plain values") << Generator([](QString *error) { return XMLValueProcessor::generateXMLValue(XMLValues::EDITOR_INLINE, QStringList{QStringLiteral("x")}, error); }) << QStringLiteral("'inline' is not an editor of structured values");
    QTest::newRow("e-mail entries for data fields") << Generator([](QString *error) { return XMLValueProcessor::generateXMLValue(XMLValues::EDITOR_GLOBALDATAFIELDS, QList<EmailInform>{{}}, error); }) << QStringLiteral("not e-mail information entries");
    for (const QString &key : {QStringLiteral("1st"), QStringLiteral("Two words"), QStringLiteral("xmlLabel"), QStringLiteral("ns:Label"), QString()}) {
        QTest::addRow("metadata key '%s' is not an element name", qPrintable(key)) << withKey(key) << QStringLiteral("'%1' cannot be the key of a metadata field definition").arg(key);
    }
    // clang-format on
}

void tst_XMLValueProcessor::generatingForTheWrongEditorIsRefused()
{
    QFETCH(Generator, generate);
    QFETCH(QString, reason);

    // A programmer's mistake: refused, and logged for the developer.
    for (int i = 0; i < 2; ++i) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(reason)));
    }
    QString error;
    QVERIFY(generate(&error).isNull());
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(generate(nullptr).isNull());
}

TAVRIX_TEST_GUILESS_MAIN(tst_XMLValueProcessor)

#include "tst_xmlvalueprocessor.moc"
