// The names of the editors that a definition offers, and the keywords and types they are
// written as: each name survives writing and reading. The definition template offers these
// names (tst_objecttemplates).

#include "common/testmain.h"

#include "corelib/package/editornames.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QTest>

namespace XMLValues = SRCore::XMLValues;

class tst_EditorNames : public QObject
{
    Q_OBJECT

private slots:
    void getEditorName_data();
    void getEditorName();
    void inlineEditorsSurviveWritingAndReading();
    void extraEditorsSurviveWritingAndReading();
    void literalNamesSurviveWritingAndReading();
    void unknownNamesGiveNothing();
};

void tst_EditorNames::getEditorName_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("name");

    const QString inlineKeyword = XMLValues::EDITOR_INLINE;
    // clang-format off
    QTest::newRow("inline string") << XMLValues::EDITORTYPE_STRING << inlineKeyword << QStringLiteral("Single-line text");
    QTest::newRow("inline enum with items") << QStringLiteral("enum:Low;Normal;High") << inlineKeyword << QStringLiteral("Dropdown list");
    QTest::newRow("inline enum without items") << QStringLiteral("enum:") << inlineKeyword << QStringLiteral("Dropdown list");
    QTest::newRow("a type merely starting with enum is no dropdown") << QStringLiteral("enumeration") << inlineKeyword << QStringLiteral("Single-line text");
    QTest::newRow("inline on a file-filter type set by File types") << XMLValues::EDITORTYPE_FILEFILTER << inlineKeyword << QStringLiteral("Single-line text");
    QTest::newRow("inline on a path") << XMLValues::EDITORTYPE_PATH << inlineKeyword << QStringLiteral("Single-line text");
    QTest::newRow("string list keeps any type") << XMLValues::EDITORTYPE_NUMBER << XMLValues::EDITOR_STRINGLIST << QStringLiteral("String list");
    QTest::newRow("choose file with a filter") << XMLValues::EDITORTYPE_PATH << QStringLiteral("choosefile|Image PNG 32x32 (*.png)") << QStringLiteral("Choose file");
    QTest::newRow("hidden field") << XMLValues::EDITORTYPE_STRING << XMLValues::HIDE << QString();
    QTest::newRow("editor of the server only") << XMLValues::EDITORTYPE_STRING << XMLValues::EDITOR_PRINTSETTINGS << QString();
    QTest::newRow("keywords are case-sensitive") << XMLValues::EDITORTYPE_STRING << QStringLiteral("Inline") << QString();
    QTest::newRow("empty keyword") << XMLValues::EDITORTYPE_STRING << QString() << QString();
    // clang-format on
}

void tst_EditorNames::getEditorName()
{
    QFETCH(QString, type);
    QFETCH(QString, keyword);
    QFETCH(QString, name);

    QCOMPARE(EditorNames::getEditorName(type, keyword), name);
}

void tst_EditorNames::inlineEditorsSurviveWritingAndReading()
{
    const QString items = QStringLiteral("Low;High");
    for (const QString &name : EditorNames::inlineEditorNames()) {
        QString type = EditorNames::inlineEditorType(name);
        const QString keyword = EditorNames::inlineEditorKeyword(name);
        if (name == EditorNames::noEditorName()) {
            QVERIFY(type.isEmpty());
            QVERIFY(keyword.isEmpty());
            continue;
        }
        QCOMPARE(keyword, XMLValues::EDITOR_INLINE);
        if (type == XMLValues::EDITORTYPE_ENUM) {
            type += QLatin1Char(':') + items;
        }
        QCOMPARE(EditorNames::getEditorName(type, keyword), name);
    }
}

void tst_EditorNames::extraEditorsSurviveWritingAndReading()
{
    QStringList keywords;
    for (const QString &name : EditorNames::extraEditorNames()) {
        if (name == EditorNames::noEditorName()) {
            QVERIFY(EditorNames::extraEditorKeyword(name).isEmpty());
            QVERIFY(EditorNames::extraEditorType(name).isEmpty());
            continue;
        }
        const QString keyword = EditorNames::extraEditorKeyword(name, XMLValues::ALLFILES);
        QVERIFY2(!keyword.isEmpty(), qPrintable(name));
        QCOMPARE(EditorNames::getEditorName(EditorNames::extraEditorType(name), keyword), name);
        keywords.append(keyword);
    }
    keywords.removeDuplicates();
    QCOMPARE(keywords.size(), EditorNames::extraEditorNames().size() - 1);
}

void tst_EditorNames::literalNamesSurviveWritingAndReading()
{
    QStringList keywords;
    for (const QString &name : EditorNames::literalNames()) {
        const QString keyword = EditorNames::literalKeyword(name);
        QVERIFY2(!keyword.isEmpty(), qPrintable(name));
        QCOMPARE(EditorNames::extraEditorKeyword(EditorNames::literalEditorName(), name), keyword);
        QCOMPARE(EditorNames::literalName(keyword), name);
        QCOMPARE(EditorNames::getEditorName(XMLValues::EDITORTYPE_STRING, keyword),
                 EditorNames::literalEditorName());
        keywords.append(keyword);
    }
    keywords.removeDuplicates();
    QCOMPARE(keywords.size(), EditorNames::literalNames().size());
}

void tst_EditorNames::unknownNamesGiveNothing()
{
    const QString unknown = QStringLiteral("Teleporter");
    QVERIFY(EditorNames::inlineEditorType(unknown).isEmpty());
    QVERIFY(EditorNames::inlineEditorKeyword(unknown).isEmpty());
    QVERIFY(EditorNames::extraEditorType(unknown).isEmpty());
    QVERIFY(EditorNames::extraEditorKeyword(unknown).isEmpty());
    QVERIFY(EditorNames::literalKeyword(unknown).isEmpty());
    QVERIFY(EditorNames::literalName(XMLValues::EDITOR_CHOOSEFILE).isEmpty());
    // Names of one field are not choices of another.
    QVERIFY(EditorNames::extraEditorKeyword(QStringLiteral("Password")).isEmpty());
    QVERIFY(EditorNames::inlineEditorKeyword(QStringLiteral("Choose file")).isEmpty());
    QVERIFY(EditorNames::extraEditorKeyword(EditorNames::literalEditorName(), unknown).isEmpty());
}

TAVRIX_TEST_GUILESS_MAIN(tst_EditorNames)

#include "tst_editornames.moc"
