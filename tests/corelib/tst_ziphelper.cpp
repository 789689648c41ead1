// Round trips through ZipHelper and the layout of what it writes.

#include "common/testmain.h"

#include "ziptestsupport.h"

#include "corelib/archive/ziphelper.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

using namespace ZipTest;

class tst_ZipHelper : public QObject
{
    Q_OBJECT

private slots:
    void roundTripKeepsTreeAndTimes_data();
    void roundTripKeepsTreeAndTimes();
    void compressItemPlacesItemUnderItsName_data();
    void compressItemPlacesItemUnderItsName();
    void compressItemReplacesEntryOfSameName();
    void junkPathsPutsFilesIntoTarget();
    void extractionReplacesSameNamesOnly();
    void emptyFolderGivesEmptyArchive();
    void archiveInsideFolderIsNotAddedToItself();
    void linksAreStoredAsTheirTargets();
};

void tst_ZipHelper::roundTripKeepsTreeAndTimes_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("encrypt");
    QTest::newRow("default level") << -1 << false;
    QTest::newRow("stored") << 0 << false;
    QTest::newRow("fastest deflate, encrypted") << 1 << true;
    QTest::newRow("best deflate, encrypted") << 9 << true;
    QTest::newRow("stored, encrypted") << 0 << true;
}

void tst_ZipHelper::roundTripKeepsTreeAndTimes()
{
    QFETCH(int, level);
    QFETCH(bool, encrypt);
    QTemporaryDir dir;
    const Snapshot source = makeSampleTree(dir.filePath("source"));
    const QString archive = dir.filePath("archive.zip");
    QString error;
    QVERIFY2(ZipHelper::compressFolderContents(dir.filePath("source"), archive, encrypt,
                                               encrypt ? password() : QString(), level, &error),
             qPrintable(error));

    // What is written is what was asked for: every file stored or deflated, encrypted or not.
    QJsonArray entries;
    QVERIFY(PythonZip::readEntries(archive, &entries));
    QCOMPARE(entries.size(), source.contents.size());
    for (const QJsonValue &value : std::as_const(entries)) {
        const QJsonArray entry = value.toArray();
        const QString name = entry.at(0).toString();
        if (name.endsWith(QLatin1Char('/')) || source.contents.value(name).isEmpty()) {
            continue;
        }
        QCOMPARE(entry.at(1).toInt(), int(encrypt));
        QCOMPARE(entry.at(2).toInt(), level == 0 ? 0 : 8);
    }

    QVERIFY2(ZipHelper::extractFiles(archive, dir.filePath("target"), encrypt,
                                     encrypt ? password() : QString(), false, &error),
             qPrintable(error));
    const Snapshot extracted = snapshot(dir.filePath("target"));
    QVERIFY2(differences(source.contents, extracted.contents).isEmpty(),
             qPrintable(differences(source.contents, extracted.contents)));
    QVERIFY2(differences(source.times, extracted.times).isEmpty(),
             qPrintable(differences(source.times, extracted.times)));
}

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
    const QString archive = dir.filePath("archive.zip");
    QVERIFY(ZipHelper::compressFolderContents(dir.filePath("source"), archive, false, QString()));
    QString error;
    QVERIFY2(
        ZipHelper::extractFiles(archive, dir.filePath("target"), false, QString(), true, &error),
        qPrintable(error));
    const QMap<QString, QByteArray> expected = {{"deep.txt", "deep"}, {"top.txt", "top"}};
    QCOMPARE(snapshot(dir.filePath("target")).contents, expected);
}

void tst_ZipHelper::extractionReplacesSameNamesOnly()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("source/folder/new.txt"), "new"));
    QVERIFY(writeFile(dir.filePath("source/same.txt"), "from the archive"));
    const QString archive = dir.filePath("archive.zip");
    QVERIFY(ZipHelper::compressFolderContents(dir.filePath("source"), archive, false, QString()));

    QVERIFY(writeFile(dir.filePath("target/same.txt"), "old"));
    QVERIFY(writeFile(dir.filePath("target/folder/kept.txt"), "kept"));
    QString error;
    QVERIFY2(
        ZipHelper::extractFiles(archive, dir.filePath("target"), false, QString(), false, &error),
        qPrintable(error));
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
    const QString archive = dir.filePath("archive.zip");
    QString error;
    QVERIFY2(ZipHelper::compressFolderContents(dir.filePath("source"), archive, false, QString(),
                                               -1, &error),
             qPrintable(error));
    QVERIFY(QFileInfo(archive).size() > 0);
    QJsonArray entries;
    QVERIFY(PythonZip::readEntries(archive, &entries));
    QVERIFY(entries.isEmpty());
    QVERIFY2(
        ZipHelper::extractFiles(archive, dir.filePath("target"), false, QString(), false, &error),
        qPrintable(error));
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
    const QString archive = dir.filePath("archive.zip");
    QVERIFY(ZipHelper::compressFolderContents(dir.filePath("source"), archive, false, QString()));
    QString error;
    QVERIFY2(
        ZipHelper::extractFiles(archive, dir.filePath("target"), false, QString(), false, &error),
        qPrintable(error));
    const QMap<QString, QByteArray> expected = {{"link.txt", "linked content"},
                                                {"linked folder/", ""},
                                                {"linked folder/linked.txt", "linked content"}};
    QCOMPARE(snapshot(dir.filePath("target")).contents, expected);
}

TAVRIX_TEST_GUILESS_MAIN(tst_ZipHelper)
#include "tst_ziphelper.moc"
