// Replacing what a folder holds: the kept entries stay, everything else is replaced, and an
// entry that can't be removed, a full disk or a step that fails half-way leave the folder as it
// was.

#include "common/testmain.h"

#include "common/filesystemfaults.h"
#include "ziptestsupport.h"

#include "corelib/files/folderreplacement.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using SRCore::FolderReplacement;
using namespace ZipTest;

namespace {

const QStringList kept = {QStringLiteral(".svn"), QStringLiteral("_svn"), QStringLiteral(".lock")};

// A folder as a package folder looks before a save: members, version-control folders, a lock,
// stray entries and a sub-folder.
bool makeFolder(const QString &folder)
{
    return writeFile(folder + QStringLiteral("/a.txt"), "old a")
           && QFile::setPermissions(folder + QStringLiteral("/a.txt"),
                                    QFile::ReadOwner | QFile::WriteOwner)
           && writeFile(folder + QStringLiteral("/gone.txt"), "old extra")
           && writeFile(folder + QStringLiteral("/nn"), "stray")
           && writeFile(folder + QStringLiteral("/s.v"), "stray")
           && writeFile(folder + QStringLiteral("/.lock"), "lock")
           && writeFile(folder + QStringLiteral("/.svn/entries"), "svn")
           && writeFile(folder + QStringLiteral("/_svn/entries"), "svn")
           && writeFile(folder + QStringLiteral("/sub/deep/file"), "old sub");
}

} // namespace

class tst_FolderReplacement : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void replacesAllButTheKeptEntries();
    void unremovableEntryFailsBeforeAnythingMoves_data();
    void unremovableEntryFailsBeforeAnythingMoves();
    void failureHalfWayPutsEverythingBack();
    void fullDiskFailsBeforeAnythingMoves();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    QStringList m_files;
};

void tst_FolderReplacement::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_folder = m_dir->filePath(QStringLiteral("Package"));
    QVERIFY(makeFolder(m_folder));
    m_files = {m_dir->filePath(QStringLiteral("new/a.txt")),
               m_dir->filePath(QStringLiteral("new/b.txt"))};
    QVERIFY(writeFile(m_files.at(0), "new a"));
    QVERIFY(writeFile(m_files.at(1), "new b"));
}

void tst_FolderReplacement::replacesAllButTheKeptEntries()
{
    QString error;
    QVERIFY2(FolderReplacement::replaceContents(m_folder, m_files, kept, &error),
             qPrintable(error));
    const QMap<QString, QByteArray> expected = {
        {".lock", "lock"},       {".svn/", ""},      {".svn/entries", "svn"}, {"_svn/", ""},
        {"_svn/entries", "svn"}, {"a.txt", "new a"}, {"b.txt", "new b"}};
    const Snapshot after = snapshot(m_folder);
    QVERIFY2(differences(expected, after.contents).isEmpty(),
             qPrintable(differences(expected, after.contents)));
    QCOMPARE(QFile::permissions(m_folder + QStringLiteral("/a.txt")),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}

void tst_FolderReplacement::unremovableEntryFailsBeforeAnythingMoves_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("named");

    // clang-format off
    QTest::newRow("immutable file in a sub-folder") << "immutable file" << "sub/deep/file";
    QTest::newRow("immutable sub-folder") << "immutable folder" << "sub/deep";
    QTest::newRow("read-only mount in a sub-folder") << "read-only mount" << "sub/deep";
    // clang-format on
}

void tst_FolderReplacement::unremovableEntryFailsBeforeAnythingMoves()
{
    QFETCH(QString, fault);
    QFETCH(QString, named);

    const QString path = m_folder + QLatin1Char('/') + named;
    FileSystemFaults::Faults faults;
    if (fault == QLatin1String("read-only mount") ? !faults.mountOnItself(path, true)
                                                  : !faults.immutable(path)) {
        QSKIP(qPrintable(faults.reason()));
    }
    const Snapshot before = snapshot(m_folder);
    QString error;
    QVERIFY(!FolderReplacement::replaceContents(m_folder, m_files, kept, &error));
    QVERIFY2(error.contains(path), qPrintable(error));
    const Snapshot after = snapshot(m_folder);
    QVERIFY2(differences(before.contents, after.contents).isEmpty(),
             qPrintable(differences(before.contents, after.contents)));
}

void tst_FolderReplacement::failureHalfWayPutsEverythingBack()
{
    // A mount point can't be moved; it comes last, after every other entry was swapped.
    const QString mountPoint = m_folder + QStringLiteral("/zz");
    QVERIFY(writeFile(mountPoint + QStringLiteral("/inside"), "mounted"));
    FileSystemFaults::Faults faults;
    if (!faults.mountOnItself(mountPoint, false)) {
        QSKIP(qPrintable(faults.reason()));
    }
    const Snapshot before = snapshot(m_folder);
    QString error;
    QVERIFY(!FolderReplacement::replaceContents(m_folder, m_files, kept, &error));
    QVERIFY2(error.contains(mountPoint), qPrintable(error));
    const Snapshot after = snapshot(m_folder);
    QVERIFY2(differences(before.contents, after.contents).isEmpty(),
             qPrintable(differences(before.contents, after.contents)));
}

void tst_FolderReplacement::fullDiskFailsBeforeAnythingMoves()
{
    const QString disk = m_dir->filePath(QStringLiteral("disk"));
    FileSystemFaults::Faults faults;
    if (!faults.smallFileSystem(disk, 1024 * 1024)) {
        QSKIP(qPrintable(faults.reason()));
    }
    const QString folder = disk + QStringLiteral("/Package");
    QVERIFY(makeFolder(folder));
    QVERIFY(FileSystemFaults::fill(disk));
    const Snapshot before = snapshot(folder);
    QString error;
    QVERIFY(!FolderReplacement::replaceContents(folder, m_files, kept, &error));
    QVERIFY2(error.contains(qt_error_string(ENOSPC)), qPrintable(error));
    const Snapshot after = snapshot(folder);
    QVERIFY2(differences(before.contents, after.contents).isEmpty(),
             qPrintable(differences(before.contents, after.contents)));
}

TAVRIX_TEST_GUILESS_MAIN(tst_FolderReplacement)
#include "tst_folderreplacement.moc"
