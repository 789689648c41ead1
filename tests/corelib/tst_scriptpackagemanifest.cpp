#include "common/testmain.h"

#include "common/testfiles.h"

#include "corelib/common/xmlerror.h"
#include "corelib/files/filehandler.h"
#include "corelib/package/scriptpackagemanifest.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using SRCore::ScriptPackageManifest;
using SRCore::XmlError;
namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

using Change = std::function<bool(ScriptPackageManifest &, QString *)>;
Q_DECLARE_METATYPE(Change)

namespace {

// The manifest of a protected-less package with all three languages, as the package processor
// fills it.
ScriptPackageManifest packageManifest()
{
    ScriptPackageManifest manifest;
    manifest.setField(XMLKey::SCRIPTERINSTANCENAME, QStringLiteral("Invoice Router"));
    manifest.setField(XMLKey::SCRIPTPACKAGEFORMATVERSION, QStringLiteral("1.0"));
    manifest.setField(XMLKey::SCRIPTERPASSWORD, QString());
    manifest.setField(XMLKey::SCRIPTDECLARATIONFILE, QStringLiteral("router.xml"));
    manifest.addScriptProgramFiles(XMLValues::JAVASCRIPT, QStringLiteral("router.js"));
    manifest.addScriptProgramFiles(XMLValues::VBSCRIPT, QStringLiteral("router.vbs"));
    manifest.addScriptProgramFiles(XMLValues::APPLESCRIPT, QStringLiteral("router.scpt"));
    manifest.setField(XMLKey::SCRIPTICONFILE, QString());
    manifest.setField(XMLKey::APPLEBINARYFILE, QStringLiteral("compiledAppleScript.scpt"));
    return manifest;
}

ScriptPackageManifest fixtureManifest()
{
    ScriptPackageManifest manifest;
    manifest.setField(XMLKey::SCRIPTERINSTANCENAME, QStringLiteral("Invoice Router"));
    manifest.setField(XMLKey::SCRIPTFIXTUREFORMATVERSION, QStringLiteral("1.0"));
    manifest.setField(XMLKey::SCRIPTFIXTUREFILE, QStringLiteral("router.xml"));
    return manifest;
}

} // namespace

class tst_ScriptPackageManifest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void manifestRoundTripsThroughItsFile_data();
    void manifestRoundTripsThroughItsFile();
    void layoutIsStable();
    void fieldKeepsThePlaceOfItsFirstSetting();
    void otherEncodingsAreRead();

    void refusedChangeLeavesManifestUnchanged_data();
    void refusedChangeLeavesManifestUnchanged();
    void badManifestIsRefusedAndNothingIsLost_data();
    void badManifestIsRefusedAndNothingIsLost();
    void missingFileIsReported();

private:
    QTemporaryDir m_dir;
};

void tst_ScriptPackageManifest::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void tst_ScriptPackageManifest::manifestRoundTripsThroughItsFile_data()
{
    QTest::addColumn<ScriptPackageManifest>("manifest");
    QTest::addColumn<int>("indent");

    QTest::newRow("package manifest") << packageManifest() << 4;
    QTest::newRow("fixture manifest, written without indentation") << fixtureManifest() << 0;
    ScriptPackageManifest javaScriptOnly;
    javaScriptOnly.setField(XMLKey::SCRIPTERINSTANCENAME, QStringLiteral("TavrixScript1"));
    javaScriptOnly.addScriptProgramFiles(XMLValues::JAVASCRIPT, QStringLiteral("a.js"));
    javaScriptOnly.setField(XMLKey::SCRIPTICONFILE, QStringLiteral("icon.png"));
    QTest::newRow("one language") << javaScriptOnly << 4;
    QTest::newRow("empty manifest") << ScriptPackageManifest() << 4;
    // A field and a program file holding `text`.
    const auto holding = [](const QString &text) {
        ScriptPackageManifest manifest;
        manifest.setField(XMLKey::SCRIPTERPASSWORD, text);
        manifest.addScriptProgramFiles(XMLValues::VBSCRIPT, text);
        return manifest;
    };
    // clang-format off
    QTest::newRow("markup characters") << holding(QStringLiteral("a < b & \"c\" > 'd' ]]>")) << 4;
    QTest::newRow("leading and trailing spaces") << holding(QStringLiteral("  name\t ")) << 4;
    QTest::newRow("white space only") << holding(QStringLiteral(" \t ")) << 4;
    QTest::newRow("line breaks of every kind") << holding(QStringLiteral("a\nb\r\nc\rd")) << 4;
    // clang-format on
}

void tst_ScriptPackageManifest::manifestRoundTripsThroughItsFile()
{
    QFETCH(ScriptPackageManifest, manifest);
    QFETCH(int, indent);

    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".xml");
    QString error;
    QVERIFY2(SRCore::FileHandler::saveDomElement(manifest.toDomDocument(), path, indent, &error),
             qPrintable(error));

    ScriptPackageManifest readBack;
    XmlError xmlError;
    QVERIFY2(readBack.loadFromFile(path, &xmlError), qPrintable(xmlError.toString()));
    QVERIFY(readBack == manifest);
    QCOMPARE(readBack.fieldKeys(), manifest.fieldKeys());
    for (const QString &key : manifest.fieldKeys()) {
        QVERIFY(readBack.hasField(key));
        QCOMPARE(readBack.field(key), manifest.field(key));
    }
    QCOMPARE(readBack.scriptProgramFiles(), manifest.scriptProgramFiles());
}

void tst_ScriptPackageManifest::layoutIsStable()
{
    ScriptPackageManifest manifest = packageManifest();
    const QString expected = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<Manifest>\n"
        "    <ScripterInstanceName>Invoice Router</ScripterInstanceName>\n"
        "    <ScriptPackageFormatVersion>1.0</ScriptPackageFormatVersion>\n"
        "    <ScripterPassword/>\n"
        "    <ScriptDeclarationFile>router.xml</ScriptDeclarationFile>\n"
        "    <ScriptProgramFiles>\n"
        "        <ScriptProgramFile ScriptLanguage=\"JavaScript\">router.js</ScriptProgramFile>\n"
        "        <ScriptProgramFile ScriptLanguage=\"VBScript\">router.vbs</ScriptProgramFile>\n"
        "        <ScriptProgramFile "
        "ScriptLanguage=\"AppleScript\">router.scpt</ScriptProgramFile>\n"
        "    </ScriptProgramFiles>\n"
        "    <ScriptIconFile/>\n"
        "    <AppleBinaryFile>compiledAppleScript.scpt</AppleBinaryFile>\n"
        "</Manifest>\n");
    QCOMPARE(manifest.toDomDocument().toString(4), expected);

    // A list that lost all its entries keeps its place.
    ScriptPackageManifest readBack;
    QVERIFY(readBack.loadFromXml("<Manifest><A>1</A><ScriptProgramFiles/><B/></Manifest>"));
    QCOMPARE(readBack.fieldKeys(),
             (QStringList{QStringLiteral("A"), XMLKey::SCRIPTPROGRAMFILES, QStringLiteral("B")}));
    QVERIFY(readBack.scriptProgramFiles().isEmpty());
    QCOMPARE(readBack.toDomDocument().toString(-1),
             QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Manifest><A>1</A>"
                            "<ScriptProgramFiles/><B/></Manifest>"));
}

void tst_ScriptPackageManifest::fieldKeepsThePlaceOfItsFirstSetting()
{
    ScriptPackageManifest manifest;
    QVERIFY(manifest.setField(XMLKey::SCRIPTERINSTANCENAME, QStringLiteral("First")));
    QVERIFY(manifest.addScriptProgramFiles(XMLValues::APPLESCRIPT, QStringLiteral("a.scpt")));
    QVERIFY(manifest.setField(XMLKey::SCRIPTICONFILE, QStringLiteral("a.png")));
    QVERIFY(manifest.setField(XMLKey::SCRIPTERINSTANCENAME, QStringLiteral("Second")));
    QVERIFY(manifest.addScriptProgramFiles(XMLValues::JAVASCRIPT, QStringLiteral("a.js")));

    QCOMPARE(manifest.fieldKeys(),
             (QStringList{XMLKey::SCRIPTERINSTANCENAME, XMLKey::SCRIPTPROGRAMFILES,
                          XMLKey::SCRIPTICONFILE}));
    QCOMPARE(manifest.field(XMLKey::SCRIPTERINSTANCENAME), QStringLiteral("Second"));
    QCOMPARE(manifest.scriptProgramFiles(), (QList<ScriptPackageManifest::ProgramFile>{
                                                {XMLValues::APPLESCRIPT, QStringLiteral("a.scpt")},
                                                {XMLValues::JAVASCRIPT, QStringLiteral("a.js")}}));
    QVERIFY(manifest.field(XMLKey::SCRIPTDECLARATIONFILE).isNull());
    QVERIFY(!manifest.hasField(XMLKey::SCRIPTDECLARATIONFILE));
    QVERIFY(manifest.scriptProgramFile(XMLValues::VBSCRIPT).isNull());
}

void tst_ScriptPackageManifest::otherEncodingsAreRead()
{
    const QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>"
                                        "<Manifest><ScripterInstanceName>Größe 😀"
                                        "</ScripterInstanceName></Manifest>");
    QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const QByteArray utf16 = encoder.encode(text);
    ScriptPackageManifest manifest;
    XmlError error;
    QVERIFY2(manifest.loadFromXml(utf16, &error), qPrintable(error.toString()));
    QCOMPARE(manifest.field(XMLKey::SCRIPTERINSTANCENAME), QStringLiteral("Größe 😀"));

    QVERIFY(manifest.loadFromXml("\xEF\xBB\xBF<Manifest><A>\xC3\xA9</A></Manifest>"));
    QCOMPARE(manifest.field(QStringLiteral("A")), QStringLiteral("é"));
}

void tst_ScriptPackageManifest::refusedChangeLeavesManifestUnchanged_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("reason");

    const auto setField = [](const QString &key, const QString &value) {
        return Change([key, value](ScriptPackageManifest &manifest, QString *error) {
            return manifest.setField(key, value, error);
        });
    };
    const auto addFile = [](const QString &language, const QString &fileName) {
        return Change([language, fileName](ScriptPackageManifest &manifest, QString *error) {
            return manifest.addScriptProgramFiles(language, fileName, error);
        });
    };
    // clang-format off
    QTest::newRow("key that is not an element name") << setField(QStringLiteral("Icon File"), QStringLiteral("x")) << QStringLiteral("'Icon File' cannot be the name of a manifest field");
    QTest::newRow("program files set as a field") << setField(XMLKey::SCRIPTPROGRAMFILES, QStringLiteral("a.js")) << QStringLiteral("Program files are added one by one");
    QTest::newRow("value with a control character") << setField(XMLKey::SCRIPTERPASSWORD, QStringLiteral("pass\x01word")) << QStringLiteral("holds a character that XML cannot store (U+0001 at position 5)");
    QTest::newRow("unknown language") << addFile(QStringLiteral("Python"), QStringLiteral("a.py")) << QStringLiteral("'Python' is not a script language");
    QTest::newRow("language in the wrong case") << addFile(QStringLiteral("javascript"), QStringLiteral("a.js")) << QStringLiteral("'javascript' is not a script language");
    QTest::newRow("language listed twice") << addFile(XMLValues::JAVASCRIPT, QStringLiteral("b.js")) << QStringLiteral("The JavaScript program file is already listed");
    QTest::newRow("program file without a name") << addFile(XMLValues::VBSCRIPT, QString()) << QStringLiteral("has no name");
    // clang-format on
}

void tst_ScriptPackageManifest::refusedChangeLeavesManifestUnchanged()
{
    QFETCH(Change, change);
    QFETCH(QString, reason);

    ScriptPackageManifest manifest;
    QVERIFY(manifest.setField(XMLKey::SCRIPTERPASSWORD, QStringLiteral("secret")));
    QVERIFY(manifest.addScriptProgramFiles(XMLValues::JAVASCRIPT, QStringLiteral("a.js")));
    const ScriptPackageManifest before = manifest;

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(reason)));
    QString error;
    QVERIFY(!change(manifest, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(manifest == before);
}

void tst_ScriptPackageManifest::badManifestIsRefusedAndNothingIsLost_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");

    // clang-format off
    QTest::newRow("not well-formed") << QByteArray("<Manifest><ScripterInstanceName>x</Manifest>") << QStringLiteral("Opening and ending tag mismatch");
    QTest::newRow("program file without a language") << QByteArray("<Manifest><ScriptProgramFiles>\n" "<ScriptProgramFile>a.js</ScriptProgramFile>" "</ScriptProgramFiles></Manifest>") << QStringLiteral("line 2, column 20: A program file entry has no attribute " "'ScriptLanguage'");
    QTest::newRow("program file in an unknown language") << QByteArray("<Manifest><ScriptProgramFiles><ScriptProgramFile " "ScriptLanguage=\"Perl\">a.pl</ScriptProgramFile></ScriptProgramFiles>" "</Manifest>") << QStringLiteral("'Perl' is not a script language");
    QTest::newRow("program file without a name") << QByteArray("<Manifest><ScriptProgramFiles><ScriptProgramFile " "ScriptLanguage=\"VBScript\"/></ScriptProgramFiles></Manifest>") << QStringLiteral("The VBScript program file has no name");
    QTest::newRow("language listed twice") << QByteArray("<Manifest><ScriptProgramFiles>" "<ScriptProgramFile ScriptLanguage=\"JavaScript\">a.js</ScriptProgramFile>" "<ScriptProgramFile ScriptLanguage=\"JavaScript\">b.js</ScriptProgramFile>" "</ScriptProgramFiles></Manifest>") << QStringLiteral("The JavaScript program file is already listed");
    QTest::newRow("other element among program files") << QByteArray("<Manifest><ScriptProgramFiles><File/></ScriptProgramFiles></Manifest>") << QStringLiteral("Unexpected element <File> in <ScriptProgramFiles>");
    QTest::newRow("program file with another attribute") << QByteArray( "<Manifest><ScriptProgramFiles><ScriptProgramFile ScriptLanguage=\"VBScript\" " "Encoding=\"UTF-8\">a.vbs</ScriptProgramFile></ScriptProgramFiles></Manifest>") << QStringLiteral("Unexpected attribute 'Encoding' in <ScriptProgramFile>");
    QTest::newRow("program file list given twice") << QByteArray("<Manifest><ScriptProgramFiles/><ScriptProgramFiles/></Manifest>") << QStringLiteral("The field 'ScriptProgramFiles' appears twice");
    QTest::newRow("field given twice") << QByteArray("<Manifest><ScriptIconFile>a.png</ScriptIconFile>" "<ScriptIconFile>b.png</ScriptIconFile></Manifest>") << QStringLiteral("The field 'ScriptIconFile' appears twice");
    QTest::newRow("field in the encoded form of the program's own data files") << QByteArray("<Manifest><ScripterPassword Encoding=\"Base64UTF16\">YQA=" "</ScripterPassword></Manifest>") << QStringLiteral("Unexpected attribute 'Encoding' in <ScripterPassword>");
    QTest::newRow("field with a reserved name") << QByteArray("<Manifest><xmlThing>x</xmlThing></Manifest>") << QStringLiteral("'xmlThing' cannot be the name of a manifest field");
    QTest::newRow("invalid UTF-8") << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" "<Manifest><ScripterInstanceName>a\xFF\xFE</ScripterInstanceName></Manifest>") << QStringLiteral("incorrectly encoded content");
    // clang-format on
}

void tst_ScriptPackageManifest::badManifestIsRefusedAndNothingIsLost()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);

    ScriptPackageManifest manifest = packageManifest();
    XmlError error;
    QVERIFY(!manifest.loadFromXml(data, &error));
    QVERIFY2(error.toString().contains(reason), qPrintable(error.toString()));
    QVERIFY(error.line > 0);
    QVERIFY(manifest == packageManifest());

    const QString path = m_dir.filePath(QStringLiteral("bad.xml"));
    QVERIFY(TestFiles::writeFile(path, data));
    QVERIFY(!manifest.loadFromFile(path, &error));
    QVERIFY2(error.toString().contains(reason), qPrintable(error.toString()));
    QVERIFY(manifest == packageManifest());
}

void tst_ScriptPackageManifest::missingFileIsReported()
{
    const QString path = m_dir.filePath(QStringLiteral("missing/manifest.xml"));
    ScriptPackageManifest manifest = fixtureManifest();
    XmlError error;
    QVERIFY(!manifest.loadFromFile(path, &error));
    QVERIFY2(error.message.contains(path), qPrintable(error.message));
    QVERIFY(manifest == fixtureManifest());
}

TAVRIX_TEST_GUILESS_MAIN(tst_ScriptPackageManifest)

#include "tst_scriptpackagemanifest.moc"
