// Replacing files: a target is the previous file or the complete new one, whatever fails, and
// targets replaced together are all new or all as they were.

#include "common/testmain.h"

#include "common/filesystemfaults.h"
#include "common/testfiles.h"

#include "corelib/files/safefilewriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using SRCore::SafeFileWriter;
using TestFiles::entriesBelow;
using TestFiles::readFile;
using TestFiles::writeFile;

class tst_SafeFileWriter : public QObject
{
    Q_OBJECT

private slots:
    void unfinishedWriteLeavesTheTargetAlone();
    void newFileKeepsPermissionsAndLinks();
    void targetThatIsNoRegularFileIsRefusedAndKept_data();
    void targetThatIsNoRegularFileIsRefusedAndKept();
    void replacingTogetherTakesAllOrNone_data();
    void replacingTogetherTakesAllOrNone();
};

void tst_SafeFileWriter::unfinishedWriteLeavesTheTargetAlone()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("target"));
    QVERIFY(writeFile(target, "previous"));
    {
        SafeFileWriter writer(target);
        QVERIFY(writer.open());
        QVERIFY(writer.write(QByteArray("half of the new")));
        QCOMPARE(readFile(target), QByteArray("previous"));
    }
    QCOMPARE(readFile(target), QByteArray("previous"));
    QCOMPARE(entriesBelow(dir.path()), QStringList{"target"});
}

void tst_SafeFileWriter::newFileKeepsPermissionsAndLinks()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("private"));
    const QString link = dir.filePath(QStringLiteral("link"));
    QVERIFY(writeFile(file, "previous"));
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(QFile::link(QStringLiteral("private"), link));

    QVERIFY(SafeFileWriter::writeFile(link, "new"));
    QCOMPARE(readFile(file), QByteArray("new"));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFile::permissions(file),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    QCOMPARE(entriesBelow(dir.path()), QStringList({"link", "private"}));
}

void tst_SafeFileWriter::targetThatIsNoRegularFileIsRefusedAndKept_data()
{
    QTest::addColumn<int>("mode"); // of the node made at the target's place
    QTest::addColumn<bool>("throughALink");

    // clang-format off
    QTest::newRow("a named pipe") << int(S_IFIFO | 0600) << false;
    QTest::newRow("a link to a named pipe") << int(S_IFIFO | 0600) << true;
    QTest::newRow("a character device like /dev/null") << int(S_IFCHR | 0666) << false;
    // clang-format on
}

void tst_SafeFileWriter::targetThatIsNoRegularFileIsRefusedAndKept()
{
    QFETCH(int, mode);
    QFETCH(bool, throughALink);
    QTemporaryDir dir;
    const QString node = dir.filePath(QStringLiteral("node"));
    // The device is the null device's own number; only the superuser may make one.
    if (::mknod(QFile::encodeName(node).constData(), mode_t(mode), makedev(1, 3)) != 0) {
        QSKIP("this user can't make such a node");
    }
    const QString target = throughALink ? dir.filePath(QStringLiteral("link")) : node;
    QVERIFY(!throughALink || QFile::link(QStringLiteral("node"), target));

    QString error;
    QVERIFY(!SafeFileWriter::writeFile(target, "report", &error));
    QCOMPARE(error, QStringLiteral("Can't write '%1': it is not a regular file").arg(target));
    struct stat kept;
    QCOMPARE(::stat(QFile::encodeName(node).constData(), &kept), 0);
    QCOMPARE(int(kept.st_mode & S_IFMT), mode & S_IFMT);
    QCOMPARE(entriesBelow(dir.path()).size(), throughALink ? 2 : 1);
}

void tst_SafeFileWriter::replacingTogetherTakesAllOrNone_data()
{
    QTest::addColumn<QString>("fault");

    QTest::newRow("nothing fails") << QString();
    QTest::newRow("second folder removed after writing") << "removed";
    QTest::newRow("second target immutable") << "immutable";
}

void tst_SafeFileWriter::replacingTogetherTakesAllOrNone()
{
    QFETCH(QString, fault);

    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("one/first"));
    const QString second = dir.filePath(QStringLiteral("two/second"));
    QVERIFY(writeFile(first, "old first"));
    QVERIFY(writeFile(second, "old second"));
    FileSystemFaults::Faults faults;
    bool replaced = false;
    QString error;
    {
        SafeFileWriter firstWriter(first);
        SafeFileWriter secondWriter(second);
        for (SafeFileWriter *writer : {&firstWriter, &secondWriter}) {
            QVERIFY(writer->open());
            QVERIFY(writer->write(QByteArray("new")));
            QVERIFY(writer->finish());
        }
        if (fault == QLatin1String("removed")) {
            QVERIFY(QDir(dir.filePath(QStringLiteral("two"))).removeRecursively());
        } else if (fault == QLatin1String("immutable") && !faults.immutable(second)) {
            QSKIP(qPrintable(faults.reason()));
        }
        replaced = SafeFileWriter::replaceAll({&firstWriter, &secondWriter}, &error);
    }
    QCOMPARE(replaced, fault.isEmpty());
    QCOMPARE(readFile(first), replaced ? QByteArray("new") : QByteArray("old first"));
    QVERIFY2(replaced || error.contains(second), qPrintable(error));
    QCOMPARE(entriesBelow(dir.filePath(QStringLiteral("one"))), QStringList{"first"});
}

TAVRIX_TEST_GUILESS_MAIN(tst_SafeFileWriter)
#include "tst_safefilewriter.moc"
