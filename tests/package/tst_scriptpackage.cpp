// The members of a package in one folder: a full disk fails their writing with its cause instead
// of leaving empty members, and a package folder that can't be read safely is refused, naming why.

#include "common/testmain.h"

#include "common/filesystemfaults.h"
#include "packagetestsupport.h"

#include "package/scriptpackage.h"

#include <cerrno>

using namespace PackageTest;
using Scripter::ScriptPackage;

class tst_ScriptPackage : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_harness.setUp(); }
    void cleanup() { m_harness.tearDown(); }

    void fullDiskFailsTheWriteWithItsCause();
    void unsafeFolderIsRefused_data();
    void unsafeFolderIsRefused();

private:
    Harness m_harness;
};

void tst_ScriptPackage::fullDiskFailsTheWriteWithItsCause()
{
    const QString disk = m_harness.path(QStringLiteral("disk"));
    FileSystemFaults::Faults faults;
    if (!faults.smallFileSystem(disk, 1024 * 1024)) {
        QSKIP(qPrintable(faults.reason()));
    }
    const QString folder = disk + QStringLiteral("/Router");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(FileSystemFaults::fill(disk));
    FakePackageWindow *window = m_harness.newWindow();
    ScriptPackage::Content content;
    content.instanceName = QStringLiteral("Router");
    content.programs.insert(XMLValues::JAVASCRIPT,
                            QStringLiteral("function jobArrived( s : Tavrix, job : Job )\n{\n}\n"));

    QStringList members;
    QString error;
    QVERIFY(!ScriptPackage::write(folder, QStringLiteral("Router"), content, *window->declaration(),
                                  &members, &error));
    // The first member that could not be written is named, not a later one.
    QVERIFY2(error.contains(QStringLiteral("Router/Router.js': ") + qt_error_string(ENOSPC)),
             qPrintable(error));
    QCOMPARE(members, QStringList());
}

void tst_ScriptPackage::unsafeFolderIsRefused_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason");

    // clang-format off
    QTest::newRow("plain package folder") << "" << "";
    QTest::newRow("link to a private file in a sub-folder") << "link" << "Router/samples/job.xml' is a symbolic link";
    QTest::newRow("link that points nowhere") << "dangling" << "Router/Router.vbs' is a symbolic link";
    QTest::newRow("link to a folder") << "folder link" << "Router/all' is a symbolic link";
    QTest::newRow("10 001 entries") << "entries" << "holds more than 10000 entries";
    QTest::newRow("300 MB of members") << "size" << "holds more than 256 MB";
    // clang-format on
}

void tst_ScriptPackage::unsafeFolderIsRefused()
{
    QFETCH(QString, fault);
    QFETCH(QString, reason);

    const QString folder = m_harness.path(QStringLiteral("Router"));
    QVERIFY(writeFile(folder + QStringLiteral("/Router.js"), "function jobArrived(s, job) {}\n"));
    QVERIFY(writeFile(folder + QStringLiteral("/Router.tscript"), QByteArray()));
    QVERIFY(writeFile(m_harness.path(QStringLiteral("private.txt")), "private"));
    if (fault == QLatin1String("link")) {
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/samples")));
        QVERIFY(QFile::link(m_harness.path(QStringLiteral("private.txt")),
                            folder + QStringLiteral("/samples/job.xml")));
    } else if (fault == QLatin1String("dangling")) {
        QVERIFY(QFile::link(m_harness.path(QStringLiteral("gone")),
                            folder + QStringLiteral("/Router.vbs")));
    } else if (fault == QLatin1String("folder link")) {
        QVERIFY(QFile::link(m_harness.path(QString()), folder + QStringLiteral("/all")));
    } else if (fault == QLatin1String("entries")) {
        for (int i = 0; i < 10000; ++i) {
            QVERIFY(writeFile(folder + QStringLiteral("/samples/%1").arg(i), QByteArray()));
        }
    } else if (fault == QLatin1String("size")) {
        // Sparse: 300 MB that take no room on the disk.
        QFile member(folder + QStringLiteral("/Router.js"));
        QVERIFY(member.open(QIODevice::ReadWrite));
        QVERIFY(member.resize(qint64(300) * 1024 * 1024));
    }

    QString error;
    QCOMPARE(ScriptPackage::checkFolder(folder, &error), reason.isEmpty());
    QVERIFY2(error.contains(reason), qPrintable(error));
}

TAVRIX_TEST_MAIN(tst_ScriptPackage)
#include "tst_scriptpackage.moc"
