// The undo log behind extraction: what it undoes and what it keeps. ZipHelper's own tests cannot
// make a rename fail halfway; these drive the journal directly.

#include "common/testmain.h"

#include "ziptestsupport.h"

#include "corelib/archive/extractionjournal.h"

#include <QTemporaryDir>
#include <QTest>

using namespace ZipTest;

class tst_ZipHelperJournal : public QObject
{
    Q_OBJECT

private slots:
    void uncommittedChangesAreUndone_data();
    void uncommittedChangesAreUndone();
    void commitKeepsChangesAndDropsReplacedFiles();
};

void tst_ZipHelperJournal::uncommittedChangesAreUndone_data()
{
    QTest::addColumn<bool>("replacementWritten");
    QTest::newRow("after a replacement") << true;
    QTest::newRow("after a replacement that failed halfway") << false;
}

void tst_ZipHelperJournal::uncommittedChangesAreUndone()
{
    QFETCH(bool, replacementWritten);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("target/old.txt"), "old"));
    QVERIFY(writeFile(dir.filePath("target/keep.txt"), "keep"));
    const Snapshot before = snapshot(dir.path());
    {
        SRCore::ExtractionJournal journal;
        QVERIFY(journal.makeFolders(dir.filePath("target/new/deeper")));
        QVERIFY(journal.createdFolder(dir.filePath("target/new")));
        QVERIFY(!journal.createdFolder(dir.filePath("target")));
        QVERIFY(writeFile(dir.filePath("target/new/deeper/file.txt"), "new"));
        journal.addWrittenFile(dir.filePath("target/new/deeper/file.txt"));
        if (replacementWritten) {
            QVERIFY(writeFile(dir.filePath("target/.part"), "replacement"));
            journal.addWrittenFile(dir.filePath("target/.part"));
        }
        // Without the written file the second rename fails after the first moved old.txt.
        QCOMPARE(journal.replaceFile(dir.filePath("target/.part"), dir.filePath("target/old.txt"),
                                     dir.filePath("target/.old")),
                 replacementWritten);
    }
    const Snapshot after = snapshot(dir.path());
    QCOMPARE(differences(before.contents, after.contents), QString());
}

void tst_ZipHelperJournal::commitKeepsChangesAndDropsReplacedFiles()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("target/old.txt"), "old"));
    {
        SRCore::ExtractionJournal journal;
        QVERIFY(journal.makeFolders(dir.filePath("target/new")));
        QVERIFY(writeFile(dir.filePath("target/.part"), "replacement"));
        journal.addWrittenFile(dir.filePath("target/.part"));
        QVERIFY(journal.replaceFile(dir.filePath("target/.part"), dir.filePath("target/old.txt"),
                                    dir.filePath("target/.old")));
        journal.commit();
    }
    const QMap<QString, QByteArray> expected = {{"new/", ""}, {"old.txt", "replacement"}};
    QCOMPARE(snapshot(dir.filePath("target")).contents, expected);
}

TAVRIX_TEST_GUILESS_MAIN(tst_ZipHelperJournal)
#include "tst_ziphelper_journal.moc"
