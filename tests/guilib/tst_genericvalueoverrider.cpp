// The value summary shown in the explorer and the editor, and the value description of tool
// tips, rule by rule, for plain and structured values.

#include "common/testmain.h"

#include "guilib/property/genericproperty.h"
#include "guilib/property/genericvalueoverrider.h"

#include "corelib/values/xmlvalueprocessor.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QTest>

using GuiLib::GenericValueOverrider;
using SRCore::EmailInform;
using SRCore::UniversalData;
using SRCore::XMLValueProcessor;
namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

namespace {

QString listValue(const QString &editor, const QStringList &items)
{
    const QString value = XMLValueProcessor::generateXMLValue(editor, items);
    Q_ASSERT(!value.isEmpty());
    return value;
}

QString recordsValue(const QString &editor, const QList<UniversalData> &records)
{
    return XMLValueProcessor::generateXMLValue(editor, records);
}

QString emailValue(const QString &editor, const QList<EmailInform> &infos)
{
    return XMLValueProcessor::generateXMLValue(editor, infos);
}

} // namespace

class tst_GenericValueOverrider : public QObject
{
    Q_OBJECT

private slots:
    void summary_data();
    void summary();
    void description_data();
    void description();
    void propertyUsesTheSameTexts();
};

void tst_GenericValueOverrider::summary_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("editors");
    QTest::addColumn<QString>("summary");

    const QString string = XMLValues::EDITORTYPE_STRING;
    const QString path = XMLValues::EDITORTYPE_PATH;
    const QString password = XMLValues::EDITORTYPE_PASSWORD;
    const QString fileFilter = XMLValues::EDITORTYPE_FILEFILTER;
    const QString folderFilter = XMLValues::EDITORTYPE_FOLDERFILTER;
    const QString inlineEditor = XMLValues::EDITOR_INLINE;

    // Symbolic values
    // clang-format off
    QTest::newRow("auto-managed path") << path << "automanaged" << XMLValues::AUTOMANAGED << "inline;automanaged;choosefolder" << "Auto-managed";
    QTest::newRow("auto-managed kind of a string") << string << "choosefolder" << XMLValues::AUTOMANAGED << "automanaged;choosefolder" << "Auto-managed";
    QTest::newRow("auto-managed value without that kind is shown as stored") << string << inlineEditor << XMLValues::AUTOMANAGED << "inline" << XMLValues::AUTOMANAGED;
    QTest::newRow("data model") << string << "inline" << XMLValues::MDDATAMODEL << "inline;datamodel" << "Data model";
    QTest::newRow("system data of a path") << path << "choosefolder" << XMLValues::UP_SYSTEMDATA << "systemdata;choosefolder" << "System data";
    QTest::newRow("system data chosen for a string") << string << "systemdata" << XMLValues::UP_SYSTEMDATA << "systemdata;inline" << "System data";
    QTest::newRow("system data typed inline is shown as typed") << string << inlineEditor << XMLValues::UP_SYSTEMDATA << "systemdata;inline" << XMLValues::UP_SYSTEMDATA;

    // Masked and inline values
    QTest::newRow("inline password, one star per character") << password << inlineEditor << "s3cr3t" << "inline" << "******";
    QTest::newRow("hidden string") << string << "hidden" << "abc" << "hidden" << "***";
    QTest::newRow("inline value as typed") << string << inlineEditor << "C:/data/in" << "inline;choosefolder" << "C:/data/in";
    QTest::newRow("inline empty value") << string << inlineEditor << "" << "inline" << "";

    // Texts
    QTest::newRow("multi-line text on one line") << string << "description" << "first\n\nsecond\r\nthird\n" << "inline;description" << "first second third";
    QTest::newRow("password list") << XMLValues::EDITORTYPE_STRINGLIST << "passwdef" << listValue(XMLValues::EDITOR_PASSWDEF, {"a", "b"}) << "passwdef" << "Passwords defined";
    QTest::newRow("empty password list") << XMLValues::EDITORTYPE_STRINGLIST << "passwdef" << "" << "passwdef" << "";
    QTest::newRow("condition with variables") << string << "conditionwithvar" << "[Job.Size] > 1" << "inline;conditionwithvar" << "Condition with variables defined";
    QTest::newRow("empty condition") << string << "conditionwithvar" << "" << "inline;conditionwithvar" << "";

    // Structured values
    // A value of a structured kind reads "<kind> defined" (one row for the table of names),
    // except for the kinds that show what they hold.
    const struct
    {
        const char *row;
        QString editor;
        QString value;
        const char *summary;
    } structured[] = {
        {"script expression", XMLValues::EDITOR_SCRIPTEXP, listValue(XMLValues::EDITOR_SCRIPTEXP, {"job.getName()"}), "Script expression defined"},
        {"file patterns listed", XMLValues::EDITOR_FILEPATTERNS, listValue(XMLValues::EDITOR_FILEPATTERNS, {"*.pdf", "??Job.*"}), "*.pdf; ??Job.*"},
        {"no patterns", XMLValues::EDITOR_FOLDERPATTERNS, listValue(XMLValues::EDITOR_FOLDERPATTERNS, {}), ""},
        {"one library choice is shown itself", XMLValues::EDITOR_ASKPLUGIN2, listValue(XMLValues::EDITOR_ASKPLUGIN2, {"Colours"}), "Colours"},
        {"two library choices", XMLValues::EDITOR_ASKPLUGIN2, listValue(XMLValues::EDITOR_ASKPLUGIN2, {"Colours", "Sizes"}), "Select many from library defined"},
        {"no library choice", XMLValues::EDITOR_ASKPLUGIN2, listValue(XMLValues::EDITOR_ASKPLUGIN2, {}), "Select many from library defined"},
        {"global data fields", XMLValues::EDITOR_GLOBALDATAFIELDS, recordsValue(XMLValues::EDITOR_GLOBALDATAFIELDS, {{"t", "s", "v"}}), "Global data fields defined"},
    };
    for (const auto &entry : structured) {
        QTest::newRow(entry.row) << string << entry.editor << entry.value << QStringLiteral("inline;") + entry.editor << QString::fromUtf8(entry.summary);
    }
    QTest::newRow("plain text in a script expression property is shown as it is") << string << "scriptexp" << "1 < 2" << "inline;scriptexp" << "1 < 2";
    QTest::newRow("a damaged list value is shown as it is") << string << "regexp" << "<TavrixValueList FormatVersion=\"1\" Type=\"regexp\">" << "regexp" << "<TavrixValueList FormatVersion=\"1\" Type=\"regexp\">";

    // Paths
    QTest::newRow("chosen path with the system's separators") << path << "choosefolder" << "/data/in" << "inline;choosefolder" << "/data/in";
    QTest::newRow("chosen file of a string property") << string << "choosefile" << "/tmp/a.txt" << "choosefile|Text (*.txt)" << "/tmp/a.txt";

    // Fixed values by the label of the current kind
    QTest::newRow("all files") << fileFilter << "allfiles" << XMLValues::ALLFILES << "allfiles;types" << "All files";
    QTest::newRow("all of a folder filter") << folderFilter << "all" << XMLValues::ALLFOLDERS << "all;patterns" << "All folders";
    QTest::newRow("a fixed kind with a value typed elsewhere") << fileFilter << "allfiles" << "*.pdf" << "allfiles" << "*.pdf";
    QTest::newRow("the value of none is shown as it is") << string << "none" << XMLValues::NONE << "none" << XMLValues::NONE;

    QTest::newRow("a value that matches no rule is unchanged") << string << "askplugin" << "Colours" << "askplugin" << "Colours";
    // clang-format on
}

void tst_GenericValueOverrider::summary()
{
    QFETCH(QString, type);
    QFETCH(QString, editor);
    QFETCH(QString, value);
    QFETCH(QString, editors);
    QFETCH(QString, summary);

    QCOMPARE(GenericValueOverrider::displayText(type, editor, value, editors), summary);
}

void tst_GenericValueOverrider::description_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("editors");
    QTest::addColumn<QString>("description");

    const QString string = XMLValues::EDITORTYPE_STRING;
    const QString path = XMLValues::EDITORTYPE_PATH;
    const QString stringList = XMLValues::EDITORTYPE_STRINGLIST;

    // clang-format off
    QTest::newRow("three passwords") << "Passwords" << stringList << "passwdef" << listValue(XMLValues::EDITOR_PASSWDEF, {"a", "bb", "ccc"}) << "passwdef" << "*******";
    QTest::newRow("one long password") << "Passwords" << stringList << "passwdef" << listValue(XMLValues::EDITOR_PASSWDEF, {"a very long password"}) << "passwdef" << "*******";
    QTest::newRow("no passwords") << "Passwords" << stringList << "passwdef" << listValue(XMLValues::EDITOR_PASSWDEF, {}) << "passwdef" << "";
    QTest::newRow("a list of a password property is masked") << "Secret" << XMLValues::EDITORTYPE_PASSWORD << "stringlist" << listValue(XMLValues::EDITOR_STRINGLIST, {"x"}) << "stringlist" << "*******";
    QTest::newRow("metadata datasets by name and backing file") << "MetadataDatasets" << "fieldsdef" << "scriptermetadatafieldsedit" << recordsValue(XMLValues::EDITOR_METADATAFIELDS, {{"Order", "XML", "/j/order.xml"}, {"Press", "JDF", "/j/p.jdf"}}) << "scriptermetadatafieldsedit" << "Order = /j/order.xml\nPress = /j/p.jdf\n";
    QTest::newRow("private data by tag and value") << "UserData" << "fieldsdef" << "userdatafieldsedit" << recordsValue(XMLValues::EDITOR_USERDATAFIELDS, {{"Customer", "", "ACME"}}) << "userdatafieldsedit" << "Customer = ACME\n";
    QTest::newRow("global data by scope") << "GlobalData" << "fieldsdef" << "globaldatafieldsedit" << recordsValue(XMLValues::EDITOR_GLOBALDATAFIELDS, {{"a", "Flow", "1"}, {"b", "Job", "2"}}) << "globaldatafieldsedit" << "Flow\nJob\n";
    QTest::newRow("metadata field definitions are not described") << "Fields" << string << "metadatafieldsedit" << XMLValueProcessor::generateXMLValue( XMLValues::EDITOR_METADADTAFIELDSEDIT, QList<SRCore::MetadataFieldDefinition>{{{XMLKey::MD_LABEL, "Size"}}}) << "metadatafieldsedit" << "";
    QTest::newRow("e-mail info introduced by To") << "Mail" << string << "einfoedit" << emailValue(XMLValues::EDITOR_EINFOEDIT, {{"a@example.com;b@example.com", "S", "Hi"}}) << "einfoedit" << "To: a@example.com;b@example.com\n\nHi";
    QTest::newRow("e-mail info without recipients") << "Mail" << string << "einfoedit" << emailValue(XMLValues::EDITOR_EINFOEDIT, {{"", "", "Hi"}}) << "einfoedit" << "\n\nHi";
    QTest::newRow("e-mail info without a body") << "Mail" << string << "einfoedit" << emailValue(XMLValues::EDITOR_EINFOEDIT, {{"a@example.com", "S", ""}}) << "einfoedit" << "To: a@example.com";
    QTest::newRow("e-mail info map, entry by entry") << "Mail" << string << "mapeinfoedit" << emailValue(XMLValues::EDITOR_MAPEINFOEDIT, {{"a@example.com", "", "One"}, {"b@example.com", "", ""}}) << "mapeinfoedit" << "To: a@example.com\n\nOne\n\nTo: b@example.com";
    QTest::newRow("library choices one a line") << "Lib" << string << "askplugin2" << listValue(XMLValues::EDITOR_ASKPLUGIN2, {"Colours", "Sizes"}) << "askplugin2" << "Colours\nSizes";
    QTest::newRow("patterns one a line") << "Mask" << XMLValues::EDITORTYPE_FILEFILTER << "filepatterns" << listValue(XMLValues::EDITOR_FILEPATTERNS, {"*.pdf", "*.ps"}) << "allfiles;filepatterns" << "*.pdf\n*.ps";
    QTest::newRow("no file types") << "Mask" << XMLValues::EDITORTYPE_FILEFILTER << "types" << listValue(XMLValues::EDITOR_TYPES, {}) << "types" << "";
    QTest::newRow("mail accounts by their first part") << "Accounts" << string << "accountsdef" << listValue(XMLValues::EDITOR_ACCOUNTSDEF, {"me@example.com;pw;smtp", "plain"}) << "accountsdef" << "me@example.com\nplain\n";
    QTest::newRow("script expression by its text") << "Name" << string << "scriptexp" << listValue(XMLValues::EDITOR_SCRIPTEXP, {"job.getName()"}) << "inline;scriptexp" << "job.getName()";
    QTest::newRow("empty regular expression list") << "Mask" << string << "regexp" << listValue(XMLValues::EDITOR_REGEXP, {}) << "regexp" << "";
    QTest::newRow("plain text in a structured property") << "Mask" << string << "regexp" << "a/b" << "regexp" << "a/b";

    QTest::newRow("text with variables as it is") << "Subject" << string << "sltextwithvar" << "[Job.Name]" << "inline;sltextwithvar" << "[Job.Name]";
    QTest::newRow("multi-line text of a path as it is") << "Path" << path << "description" << "C:/x\ny" << "description;choosefile" << "C:/x\ny";
    QTest::newRow("path with the system's separators") << "Folder" << path << "choosefolder" << "/data/in" << "choosefolder" << "/data/in";
    QTest::newRow("auto-managed path as stored") << "Path" << path << "automanaged" << XMLValues::AUTOMANAGED << "automanaged;choosefolder" << XMLValues::AUTOMANAGED;
    QTest::newRow("a name is shown even when hidden") << XMLKey::NAME << string << "hidden" << "abc" << "hidden" << "abc";
    QTest::newRow("a hidden string is masked") << "Token" << string << "hidden" << "abc" << "hidden" << "***";
    QTest::newRow("an inline password is masked") << "Password" << XMLValues::EDITORTYPE_PASSWORD << "inline" << "abcd" << "inline" << "****";
    QTest::newRow("anything else as it is") << "Tooltip" << string << "inline" << "a/b" << "inline" << "a/b";
    // clang-format on
}

void tst_GenericValueOverrider::description()
{
    QFETCH(QString, tag);
    QFETCH(QString, type);
    QFETCH(QString, editor);
    QFETCH(QString, value);
    QFETCH(QString, editors);
    QFETCH(QString, description);

    QCOMPARE(GenericValueOverrider::valueDescription(tag, type, editor, value, editors),
             description);
}

void tst_GenericValueOverrider::propertyUsesTheSameTexts()
{
    const QString value = listValue(XMLValues::EDITOR_FILEPATTERNS, {"*.pdf", "*.ps"});
    GuiLib::GenericProperty property(value, "Mask", "Mask", XMLValues::EDITORTYPE_FILEFILTER,
                                     "allfiles;filepatterns;scriptexp", QString(),
                                     XMLValues::EDITOR_FILEPATTERNS, nullptr);

    QVERIFY(property.hasDisplayText());
    QCOMPARE(property.displayText(), QStringLiteral("*.pdf; *.ps"));
    QCOMPARE(property.valueDescription(), QStringLiteral("*.pdf\n*.ps"));
    // The stored value itself is untouched.
    QCOMPARE(property.valueText(), value);
}

TAVRIX_TEST_MAIN(tst_GenericValueOverrider)
#include "tst_genericvalueoverrider.moc"
