// Bad archives, bad arguments and failures: every one gives a reason and changes nothing.

#include "common/testmain.h"

#include "ziptestsupport.h"

#include "corelib/archive/ziphelper.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <functional>
#include <sys/stat.h>

using namespace ZipTest;

// Changes the bytes of an archive; none removes the archive.
using Damage = std::function<void(QByteArray &data)>;
Q_DECLARE_METATYPE(Damage)

class tst_ZipHelperSafety : public QObject
{
    Q_OBJECT

private slots:
    void unsafeEntriesRefuseWholeArchive_data();
    void unsafeEntriesRefuseWholeArchive();
    void targetConflictsAreRefused_data();
    void targetConflictsAreRefused();
    void brokenArchivesFailCleanly_data();
    void brokenArchivesFailCleanly();
    void passwordFailuresLeaveNothing_data();
    void passwordFailuresLeaveNothing();
    void failedWritesChangeNothing_data();
    void failedWritesChangeNothing();
};

namespace {

// Extracts `archive` into a target with files of its own (one of them named like an entry of the
// test archives) and, unless the refusal is about the target's files, into a missing target;
// expects each to fail with `fragment` in the reason and to leave everything below `root` as it
// was.
void verifyRefusedWithoutChanges(const QString &archive, const QString &root, bool usePassword,
                                 const QString &password, bool junkPaths, const QString &fragment,
                                 bool newTargetToo = true)
{
    const QString existingTarget = root + "/sandbox/existing";
    QVERIFY(writeFile(existingTarget + "/keep.txt", "kept"));
    QVERIFY(writeFile(existingTarget + "/a.txt", "older a.txt"));
    const Snapshot before = snapshot(root);
    QStringList targets = {existingTarget};
    if (newTargetToo) {
        targets << root + "/sandbox/x/y/new target";
    }
    for (const QString &target : std::as_const(targets)) {
        QString error;
        QVERIFY(
            !ZipHelper::extractFiles(archive, target, usePassword, password, junkPaths, &error));
        QVERIFY2(error.contains(fragment), qPrintable(error));
        QCOMPARE(differences(before.contents, snapshot(root).contents), QString());
    }
}

} // namespace

void tst_ZipHelperSafety::unsafeEntriesRefuseWholeArchive_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("badEntry");
    // A harmless entry comes first: it must not be written either.
    // clang-format off
    QTest::newRow("parent folder") << QStringList{"a.txt=ok", "../x=evil"} << "../x";
    QTest::newRow("parent folder after a folder") << QStringList{"a.txt=ok", "a/../../x=evil"} << "a/../../x";
    QTest::newRow("absolute path") << QStringList{"a.txt=ok", "ROOT/escaped=evil"} << "ROOT/escaped";
    QTest::newRow("drive letter, backslash") << QStringList{"a.txt=ok", "C:\\x=evil"} << "C:\\x";
    QTest::newRow("drive letter, slash") << QStringList{"a.txt=ok", "C:/x=evil"} << "C:/x";
    QTest::newRow("parent folder, backslash") << QStringList{"a.txt=ok", "..\\x=evil"} << "..\\x";
    QTest::newRow("symbolic link") << QStringList{"a.txt=ok", "link@=/etc/passwd"} << "link";
    QTest::newRow("file through a symbolic link") << QStringList{"link@=ROOT", "link/escaped=evil"} << "link";
    // clang-format on
}

void tst_ZipHelperSafety::unsafeEntriesRefuseWholeArchive()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, badEntry);
    QTemporaryDir dir;
    entries.replaceInStrings("ROOT", dir.path());
    badEntry.replace("ROOT", dir.path());
    const QString archive = dir.filePath("unsafe.zip");
    QVERIFY(writeArchiveWithPython(archive, entries));
    verifyRefusedWithoutChanges(archive, dir.path(), false, QString(), false,
                                "entry '" + badEntry + "'");
    QVERIFY(!QFileInfo::exists(dir.filePath("escaped")));
}

void tst_ZipHelperSafety::targetConflictsAreRefused_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("junkPaths");
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<bool>("fromTarget");
    // clang-format off
    QTest::newRow("same name twice") << QStringList{"a.txt=1", "a.txt=2"} << false << "'a.txt'" << false;
    QTest::newRow("file where a folder is needed") << QStringList{"a.txt=file", "a.txt/b=x"} << false << "'a.txt/b'" << false;
    QTest::newRow("folder and file of one name") << QStringList{"a.txt/=", "a.txt=file"} << false << "'a.txt/'" << false;
    QTest::newRow("junk paths bring files together") << QStringList{"x/a.txt=1", "y/a.txt=2"} << true << "'y/a.txt'" << false;
    // Conflicts with what the existing target folder holds.
    QTest::newRow("file where the target has a folder") << QStringList{"c.txt=ok", "keep.txt/inner=x"} << false << "'keep.txt/inner'" << true;
    QTest::newRow("folder where the target has a file") << QStringList{"c.txt=ok", "a.txt/=", "a.txt/b=x"} << false << "'a.txt/'" << true;
    QTest::newRow("symbolic link in the target") << QStringList{"c.txt=ok", "outside/escaped=evil"} << false << "symbolic link" << true;
    // clang-format on
}

void tst_ZipHelperSafety::targetConflictsAreRefused()
{
    QFETCH(QStringList, entries);
    QFETCH(bool, junkPaths);
    QFETCH(QString, fragment);
    QFETCH(bool, fromTarget);
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath("sandbox/existing")));
    QVERIFY(QDir().mkpath(dir.filePath("outside")));
    QVERIFY(QFile::link(dir.filePath("outside"), dir.filePath("sandbox/existing/outside")));
    const QString archive = dir.filePath("conflicts.zip");
    QVERIFY(writeArchiveWithPython(archive, entries));
    verifyRefusedWithoutChanges(archive, dir.path(), false, QString(), junkPaths, fragment,
                                !fromTarget);
    QVERIFY(QDir(dir.filePath("outside")).isEmpty());
}

void tst_ZipHelperSafety::brokenArchivesFailCleanly_data()
{
    QTest::addColumn<Damage>("damage");
    QTest::addColumn<QString>("fragment");
    // clang-format off
    QTest::newRow("missing archive") << Damage() << "does not exist";
    QTest::newRow("empty file") << Damage([](QByteArray &data) { data.clear(); }) << "empty";
    QTest::newRow("not a zip") << Damage([](QByteArray &data) { data = "This is a text file, not an archive.\n"; }) << "not a zip archive";
    QTest::newRow("truncated to half") << Damage([](QByteArray &data) { data.truncate(data.size() / 2); }) << "truncated";
    QTest::newRow("last byte missing") << Damage([](QByteArray &data) { data.chop(1); }) << "truncated";
    QTest::newRow("damaged data of the last entry") << Damage([](QByteArray &data) { data[data.indexOf("MARKER")] = 'X'; }) << "entry 'z.txt' is damaged";
    // clang-format on
}

void tst_ZipHelperSafety::brokenArchivesFailCleanly()
{
    QFETCH(Damage, damage);
    QFETCH(QString, fragment);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("source/a.txt"), "new a.txt"));
    QVERIFY(writeFile(dir.filePath("source/z.txt"), "MARKER of the last entry"));
    const QString archive = dir.filePath("broken.zip");
    // Stored, so that the marker's bytes are in the archive as they are.
    QVERIFY(
        ZipHelper::compressFolderContents(dir.filePath("source"), archive, false, QString(), 0));
    QByteArray data = readFile(archive);
    QVERIFY(QFile::remove(archive));
    if (damage) {
        damage(data);
        QVERIFY(writeFile(archive, data));
    }
    verifyRefusedWithoutChanges(archive, dir.path(), false, QString(), false, fragment);
}

void tst_ZipHelperSafety::passwordFailuresLeaveNothing_data()
{
    QTest::addColumn<bool>("usePassword");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("level");
    QTest::newRow("password not used") << false << password() << -1;
    QTest::newRow("empty password") << true << QString() << -1;
    QTest::newRow("wrong password") << true << "fails check" << -1;
    // One wrong password in 256 passes the 1-byte check; then the CRC of stored data fails
    // and deflated data fails to inflate.
    QTest::newRow("check byte passes, stored") << true << "passes check" << 0;
    QTest::newRow("check byte passes, deflated") << true << "passes check" << -1;
}

void tst_ZipHelperSafety::passwordFailuresLeaveNothing()
{
    QFETCH(bool, usePassword);
    QFETCH(QString, password);
    QFETCH(int, level);
    QTemporaryDir dir;
    const QString archive = dir.filePath("protected.zip");
    // Unencrypted entries first: they are extracted before the encrypted one fails.
    QVERIFY(writeFile(dir.filePath("source/a.txt"), "new a.txt"));
    QVERIFY(writeFile(dir.filePath("source/b.txt"), "b"));
    QVERIFY(
        writeFile(dir.filePath("source/secret.txt"), QByteArray("secret text\n").repeated(999)));
    QVERIFY(ZipHelper::compressItem(dir.filePath("source/a.txt"), archive, false, QString()));
    QVERIFY(ZipHelper::compressItem(dir.filePath("source/b.txt"), archive, false, QString()));
    QVERIFY(ZipHelper::compressItem(dir.filePath("source/secret.txt"), archive, true,
                                    ZipTest::password(), level));
    if (password.endsWith("check")) {
        const ToolResult found = runPython(R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
for i in range(100000):
    password = b'wrong%d' % i
    try:
        z.open('secret.txt', pwd=password).close()
        passes = True
    except RuntimeError:
        passes = False
    if passes == (sys.argv[2] == 'passes check'):
        print(password.decode())
        break
)",
                                           {archive, password});
        password = QString::fromUtf8(found.output.trimmed());
        QVERIFY2(found.exitCode == 0 && !password.isEmpty(), found.output.constData());
    }
    verifyRefusedWithoutChanges(archive, dir.path(), usePassword, password, false,
                                "entry 'secret.txt'");
    // The archive itself is fine: the right password opens it.
    QString error;
    QVERIFY2(ZipHelper::extractFiles(archive, dir.filePath("right"), true, ZipTest::password(),
                                     false, &error),
             qPrintable(error));
    QCOMPARE(readFile(dir.filePath("right/secret.txt")),
             readFile(dir.filePath("source/secret.txt")));
}

void tst_ZipHelperSafety::failedWritesChangeNothing_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("archive");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("encrypt");
    QTest::addColumn<QString>("folderInArchive");
    QTest::addColumn<QString>("fragment");
    // An item ending in "/*" stands for compressFolderContents() of that folder.
    // clang-format off
    QTest::newRow("missing item") << "missing.txt" << "good.zip" << -1 << false << "" << "does not exist";
    QTest::newRow("no item") << "" << "good.zip" << -1 << false << "" << "no file or folder";
    QTest::newRow("contents of a file") << "new.txt/*" << "good.zip" << -1 << false << "" << "not a folder";
    QTest::newRow("level too high") << "new.txt" << "good.zip" << 10 << false << "" << "level 10";
    QTest::newRow("level too low") << "new.txt" << "good.zip" << -2 << false << "" << "level -2";
    QTest::newRow("encryption without password") << "new.txt" << "good.zip" << -1 << true << "" << "without a password";
    QTest::newRow("folder in archive leads out") << "new.txt" << "good.zip" << -1 << false << "a/../../up" << "'a/../../up'";
    QTest::newRow("link to a missing target") << "dangling/*" << "good.zip" << -1 << false << "" << "missing target";
    QTest::newRow("link back to its own folder") << "loop" << "good.zip" << -1 << false << "" << "folder that contains it";
    QTest::newRow("pipe in the folder") << "pipe/*" << "good.zip" << -1 << false << "" << "neither a file nor a folder";
    QTest::newRow("archive is not a zip") << "new.txt" << "text.zip" << -1 << false << "" << "not a zip archive";
    // Found only while libzip writes its temporary file: the change must be dropped.
    QTest::newRow("damaged entry met while writing") << "new.txt" << "damaged.zip" << -1 << false << "" << "Can't write archive";
    QTest::newRow("archive folder missing") << "new.txt" << "missing/new.zip" << -1 << false << "" << "Can't write archive";
    // clang-format on
}

void tst_ZipHelperSafety::failedWritesChangeNothing()
{
    QFETCH(QString, item);
    QFETCH(QString, archive);
    QFETCH(int, level);
    QFETCH(bool, encrypt);
    QFETCH(QString, folderInArchive);
    QFETCH(QString, fragment);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("items/new.txt"), "new"));
    QVERIFY(QDir().mkpath(dir.filePath("items/dangling")));
    QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("items/dangling/link")));
    QVERIFY(QDir().mkpath(dir.filePath("items/loop")));
    QVERIFY(QFile::link(dir.filePath("items/loop"), dir.filePath("items/loop/again")));
    QVERIFY(QDir().mkpath(dir.filePath("items/pipe")));
    QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("items/pipe/fifo")).constData(), 0600), 0);

    const QString archives = dir.filePath("archives");
    QVERIFY(writeFile(archives + "/old.txt", "old"));
    QVERIFY(writeFile(archives + "/other.txt", "other"));
    QVERIFY(ZipHelper::compressItem(archives + "/old.txt", archives + "/good.zip", false, {}));
    QVERIFY(ZipHelper::compressItem(archives + "/old.txt", archives + "/damaged.zip", false, {}));
    QVERIFY(ZipHelper::compressItem(archives + "/other.txt", archives + "/damaged.zip", false, {}));
    QVERIFY(writeFile(archives + "/text.zip", "not an archive"));
    // The second entry's compressed size in the central directory now reaches past the end.
    QByteArray damaged = readFile(archives + "/damaged.zip");
    const qsizetype central = damaged.indexOf("PK\1\2", damaged.indexOf("PK\1\2") + 4);
    QVERIFY(central > 0);
    qToLittleEndian<quint32>(0x7fffff00, damaged.data() + central + 20);
    QVERIFY(writeFile(archives + "/damaged.zip", damaged));
    const Snapshot before = snapshot(archives);

    const QString itemPath = item.isEmpty() ? QString() : dir.filePath("items/" + item);
    const QString archivePath = archives + '/' + archive;
    QString error;
    const bool written = itemPath.endsWith("/*")
                             ? ZipHelper::compressFolderContents(itemPath.chopped(2), archivePath,
                                                                 encrypt, QString(), level, &error)
                             : ZipHelper::compressItem(itemPath, archivePath, encrypt, QString(),
                                                       level, folderInArchive, &error);
    QVERIFY(!written);
    QVERIFY2(error.contains(fragment), qPrintable(error));
    QCOMPARE(differences(before.contents, snapshot(archives).contents), QString());
}

TAVRIX_TEST_GUILESS_MAIN(tst_ZipHelperSafety)
#include "tst_ziphelper_safety.moc"
