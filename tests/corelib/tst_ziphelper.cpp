// The layout of what ZipHelper writes and what extracting it gives.

#include "common/testmain.h"

#include "ziptestsupport.h"

#include "corelib/archive/ziphelper.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

using namespace ZipTest;

namespace {

// Packs the folder "source" of `dir` into its "archive.zip" and unpacks that into its "target";
// gives what failed, nothing when both steps worked.
QString packAndUnpack(const QTemporaryDir &dir, bool junkPaths = false)
{
    const QString archive = dir.filePath("archive.zip");
    QString error;
    if (!ZipHelper::compressFolderContents(dir.filePath("source"), archive, false, QString(), -1,
                                           &error)) {
        return "packing failed: " + error;
    }
    if (!ZipHelper::extractFiles(archive, dir.filePath("target"), false, QString(), junkPaths,
                                 &error)) {
        return "unpacking failed: " + error;
    }
    return QString();
}

} // namespace

class tst_ZipHelper : public QObject
{
    Q_OBJECT

private slots:
    void compressItemPlacesItemUnderItsName_data();
    void compressItemPlacesItemUnderItsName();
    void compressItemReplacesEntryOfSameName();
    void junkPathsPutsFilesIntoTarget();
    void extractionReplacesSameNamesOnly();
    void emptyFolderGivesEmptyArchive();
    void archiveInsideFolderIsNotAddedToItself();
    void linksAreStoredAsTheirTargets();
};

void tst_ZipHelper::compressItemPlacesItemUnderItsName_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("folderInArchive");
    QTest::addColumn<QStringList>("expected");
    // clang-format off
    QTest::newRow("file at the top level") << "plain.txt" << "" << QStringList{"plain.txt"};
    QTest::newRow("file below a folder in the archive") << "plain.txt" << "sub/deeper" << QStringList{"sub/", "sub/deeper/", "sub/deeper/plain.txt"};
    QTest::newRow("folder under its own name") << "nested/deeper" << "" << QStringList{"deeper/", "deeper/deepest/", "deeper/deepest/leaf.txt"};
    QTest::newRow("folder with trailing slashes everywhere") << "nested/deeper/" << "/sub/" << QStringList{"sub/", "sub/deeper/", "sub/deeper/deepest/", "sub/deeper/deepest/leaf.txt"};
    // clang-format on
}

void tst_ZipHelper::compressItemPlacesItemUnderItsName()
{
    QFETCH(QString, item);
    QFETCH(QString, folderInArchive);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    makeSampleTree(dir.filePath("source"));
    const QString archive = dir.filePath("archive.zip");
    QString error;
    QVERIFY2(ZipHelper::compressItem(dir.filePath("source/" + item), archive, false, QString(), -1,
                                     folderInArchive, &error),
             qPrintable(error));
    QStringList names = PythonZip::names(archive);
    names.sort();
    QCOMPARE(names, expected);
}

void tst_ZipHelper::compressItemReplacesEntryOfSameName()
{
    QTemporaryDir dir;
    const QString archive = dir.filePath("archive.zip");
    const QString file = dir.filePath("source/data.txt");
    QVERIFY(writeFile(dir.filePath("source/other.txt"), "other"));
    QVERIFY(writeFile(file, "first version, encrypted"));
    QVERIFY(ZipHelper::compressItem(dir.filePath("source/other.txt"), archive, false, QString()));
    QVERIFY(ZipHelper::compressItem(file, archive, true, password()));
    QVERIFY(writeFile(file, "second version, plain"));
    QVERIFY(ZipHelper::compressItem(file, archive, false, QString()));

    QStringList names = PythonZip::names(archive);
    names.sort();
    QCOMPARE(names, (QStringList{"data.txt", "other.txt"}));
    QCOMPARE(PythonZip::encryptedNames(archive), QStringList());
    // No password needed any more: the replaced entry took its encryption with it.
    QString error;
    QVERIFY2(
        ZipHelper::extractFiles(archive, dir.filePath("target"), false, QString(), false, &error),
        qPrintable(error));
    QCOMPARE(readFile(dir.filePath("target/data.txt")), QByteArray("second version, plain"));
    QCOMPARE(readFile(dir.filePath("target/other.txt")), QByteArray("other"));
}

void tst_ZipHelper::junkPathsPutsFilesIntoTarget()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("source/a/b/deep.txt"), "deep"));
    QVERIFY(writeFile(dir.filePath("source/top.txt"), "top"));
    QVERIFY(QDir().mkpath(dir.filePath("source/empty")));
    QCOMPARE(packAndUnpack(dir, true), QString());
    const QMap<QString, QByteArray> expected = {{"deep.txt", "deep"}, {"top.txt", "top"}};
    QCOMPARE(snapshot(dir.filePath("target")).contents, expected);
}

void tst_ZipHelper::extractionReplacesSameNamesOnly()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("source/folder/new.txt"), "new"));
    QVERIFY(writeFile(dir.filePath("source/same.txt"), "from the archive"));
    QVERIFY(writeFile(dir.filePath("target/same.txt"), "old"));
    QVERIFY(writeFile(dir.filePath("target/folder/kept.txt"), "kept"));
    QCOMPARE(packAndUnpack(dir), QString());
    const QMap<QString, QByteArray> expected = {{"folder/", ""},
                                                {"folder/kept.txt", "kept"},
                                                {"folder/new.txt", "new"},
                                                {"same.txt", "from the archive"}};
    QCOMPARE(snapshot(dir.filePath("target")).contents, expected);
}

void tst_ZipHelper::emptyFolderGivesEmptyArchive()
{
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath("source")));
    QCOMPARE(packAndUnpack(dir), QString());
    QJsonArray entries;
    QVERIFY(PythonZip::readEntries(dir.filePath("archive.zip"), &entries));
    QVERIFY(entries.isEmpty());
    QVERIFY(snapshot(dir.filePath("target")).contents.isEmpty());
}

void tst_ZipHelper::archiveInsideFolderIsNotAddedToItself()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("package/member.xml"), "<member/>"));
    const QString archive = dir.filePath("package/package.tscript");
    // The second run finds the archive of the first in the folder.
    QVERIFY(ZipHelper::compressFolderContents(dir.filePath("package"), archive, false, QString()));
    QVERIFY(ZipHelper::compressFolderContents(dir.filePath("package"), archive, false, QString()));
    QCOMPARE(PythonZip::names(archive), QStringList{"member.xml"});
}

void tst_ZipHelper::linksAreStoredAsTheirTargets()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("outside/linked.txt"), "linked content"));
    QVERIFY(QDir().mkpath(dir.filePath("source")));
    QVERIFY(QFile::link(dir.filePath("outside/linked.txt"), dir.filePath("source/link.txt")));
    QVERIFY(QFile::link(dir.filePath("outside"), dir.filePath("source/linked folder")));
    QCOMPARE(packAndUnpack(dir), QString());
    const QMap<QString, QByteArray> expected = {{"link.txt", "linked content"},
                                                {"linked folder/", ""},
                                                {"linked folder/linked.txt", "linked content"}};
    QCOMPARE(snapshot(dir.filePath("target")).contents, expected);
}

TAVRIX_TEST_GUILESS_MAIN(tst_ZipHelper)
#include "tst_ziphelper.moc"
