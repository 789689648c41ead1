// The resources of the property editor: the menu order of the editor kinds, the file types and
// the default locations are readable, complete and consistent.

#include "common/testmain.h"

#include "guilib/property/editorkinds.h"

#include "corelib/common/validation.h"
#include "corelib/common/xmldatareader.h"
#include "corelib/vocabulary/xmlkey.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QSet>
#include <QTest>

#include <algorithm>

using GuiLib::EditorKinds;
namespace XMLKey = SRCore::XMLKey;
namespace XMLValues = SRCore::XMLValues;

namespace {

// Reads a resource as the program's own XML files are read; fails the test on any error.
struct Resource
{
    QByteArray data;
    std::unique_ptr<SRCore::XmlDataReader> reader;

    explicit Resource(const QString &path)
    {
        QString errorMessage;
        if (!SRCore::XmlDataReader::readFile(path, &data, &errorMessage)) {
            qWarning() << errorMessage;
        }
        reader = std::make_unique<SRCore::XmlDataReader>(
            data, SRCore::XmlDataReader::EncodedTexts::Refused);
    }
};

} // namespace

class tst_PropertyResources : public QObject
{
    Q_OBJECT

private slots:
    void menuOrderListsEveryKindOnce();
    void fileTypesAreNamedAndValid();
    void fileTypesMatchTheirFiles_data();
    void fileTypesMatchTheirFiles();
    void defaultLocationsAreSettingsKeys();
};

void tst_PropertyResources::menuOrderListsEveryKindOnce()
{
    Resource resource(QStringLiteral(":/xml/xml_EditorsSortOrder.xml"));
    SRCore::XmlDataReader &reader = *resource.reader;
    QVERIFY(reader.readRoot(XMLKey::EDITORSSORTORDER, 1));
    QStringList menuOrder;
    while (reader.readNextChildElement()) {
        QString keyword;
        QVERIFY(reader.readText(&keyword));
        QVERIFY2(!menuOrder.contains(keyword), qPrintable(keyword));
        menuOrder << keyword;
    }
    QVERIFY2(!reader.hasError() && reader.finish(), qPrintable(reader.error().toString()));
    QVERIFY(menuOrder.contains(XMLValues::EDITOR_INLINE));

    QStringList shuffled = menuOrder;
    std::reverse(shuffled.begin(), shuffled.end());
    shuffled.insert(7, QStringLiteral("unlisted"));
    QCOMPARE(EditorKinds::sortedForMenu(shuffled), menuOrder + QStringList{"unlisted"});

    // Every listed kind is known to the editor, with a label of its own.
    for (const QString &kind : std::as_const(menuOrder)) {
        QVERIFY2(EditorKinds::label(kind, QStringLiteral("string")) != kind, qPrintable(kind));
    }
}

void tst_PropertyResources::fileTypesAreNamedAndValid()
{
    Resource resource(QStringLiteral(":/xml/xml_DefaultFileTypes.xml"));
    SRCore::XmlDataReader &reader = *resource.reader;
    QVERIFY(reader.readRoot(XMLKey::FILETYPES, 1));
    QSet<QString> names;
    while (reader.readNextChildElement()) {
        QCOMPARE(reader.name(), XMLKey::FILETYPE);
        QVERIFY(reader.checkAttributes({XMLKey::NAME}));
        const QString name = reader.attribute(XMLKey::NAME).toString();
        QVERIFY2(!name.trimmed().isEmpty(), "a file type without a name");
        QVERIFY2(!names.contains(name), qPrintable(name));
        names.insert(name);
        int patterns = 0;
        while (reader.readNextChildElement()) {
            QCOMPARE(reader.name(), XMLKey::FILETYPEPATTERN);
            QString pattern;
            QVERIFY(reader.readText(&pattern));
            QString reason;
            QVERIFY2(SRCore::Validation::isValidWildcard(pattern, &reason),
                     qPrintable(name + ": " + reason));
            ++patterns;
        }
        QVERIFY2(patterns > 0, qPrintable(name));
    }
    QVERIFY2(!reader.hasError() && reader.finish(), qPrintable(reader.error().toString()));

    for (const char *required : {"PDF", "PostScript", "EPS", "TIFF", "JPEG", "PNG", "GIF", "XML",
                                 "JDF", "XMP", "Text", "HTML", "Word", "Excel", "ZIP"}) {
        QVERIFY2(names.contains(QLatin1String(required)), required);
    }
}

void tst_PropertyResources::fileTypesMatchTheirFiles_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("type");

    // clang-format off
    QTest::newRow("pdf") << "Brochure.pdf" << "PDF";
    QTest::newRow("upper-case jpeg") << "PHOTO.JPEG" << "JPEG";
    QTest::newRow("short tiff") << "scan.tif" << "TIFF";
    QTest::newRow("html") << "index.htm" << "HTML";
    QTest::newRow("new word") << "letter.docx" << "Word";
    QTest::newRow("job definition") << "job.jdf" << "JDF";
    // clang-format on
}

void tst_PropertyResources::fileTypesMatchTheirFiles()
{
    QFETCH(QString, fileName);
    QFETCH(QString, type);

    Resource resource(QStringLiteral(":/xml/xml_DefaultFileTypes.xml"));
    SRCore::XmlDataReader &reader = *resource.reader;
    QVERIFY(reader.readRoot(XMLKey::FILETYPES, 1));
    QStringList matching;
    while (reader.readNextChildElement()) {
        const QString name = reader.attribute(XMLKey::NAME).toString();
        while (reader.readNextChildElement()) {
            QString pattern;
            QVERIFY(reader.readText(&pattern));
            if (SRCore::Validation::matchesWildcard(pattern, fileName)
                && !matching.contains(name)) {
                matching.append(name);
            }
        }
    }
    QCOMPARE(matching, QStringList{type});
}

void tst_PropertyResources::defaultLocationsAreSettingsKeys()
{
    Resource resource(QStringLiteral(":/xml/xml_DefaultLocations_WIN.xml"));
    SRCore::XmlDataReader &reader = *resource.reader;
    QVERIFY(reader.readRoot(XMLKey::DEFAULTLOCATIONS, 1));
    int locations = 0;
    while (reader.readNextChildElement()) {
        const QString key = reader.name().toString();
        QString folder;
        QVERIFY(reader.readText(&folder));
        QVERIFY2(key.endsWith(QLatin1String("_Description_LastPath")), qPrintable(key));
        QVERIFY2(folder.startsWith(QLatin1Char('~')) || folder.startsWith(QLatin1Char('/')),
                 qPrintable(key + " " + folder));
        ++locations;
    }
    QVERIFY(!reader.hasError() && reader.finish());
    QVERIFY(locations > 0);
}

TAVRIX_TEST_MAIN(tst_PropertyResources)
#include "tst_propertyresources.moc"
