// Faults while the built tool writes: a full disk, an entry that can't be removed, a fixture that
// can't be replaced, another save at the same time, a signal half-way, a run that died and a
// libzip that can't be used. Each run fails with one line naming the cause, or waits its turn,
// and loses nothing.

#include "common/testmain.h"

#include "clitestsupport.h"
#include "common/filesystemfaults.h"
#include "common/stalelock.h"

#include <QLockFile>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <cerrno>
#include <csignal>

using namespace CliTest;

namespace {

const QString prefix = QStringLiteral("tavrixscripter-cli: ");
const QString busy = QStringLiteral("is being saved by another program");

} // namespace

class tst_CliFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void fullDiskFailsAndKeepsThePackage_data();
    void fullDiskFailsAndKeepsThePackage();
    void entryThatCannotBeRemovedFailsTheFolderResave();
    void forcedPackKeepsTheArchiveWhenItsFixtureFails();
    void concurrentResavesTakeTurns();
    void saveInProgressRefusesAnotherOne();
    void terminationRemovesTheTemporaryFolder();
    void leftoversOfADeadRunAreSweptAway();
    void unusableLibzipFailsAndTouchesNothing_data();
    void unusableLibzipFailsAndTouchesNothing();

private:
    // A new package "Router" in `folder` (relative to the working folder), as an archive or in
    // the folder form; its path as the user gives it, empty on failure.
    QString newPackage(const QString &folder, bool unarchived) const;

    std::unique_ptr<Sandbox> m_sandbox;
};

void tst_CliFaults::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY2(QFileInfo(QStringLiteral(TAVRIX_CLI)).isExecutable(), TAVRIX_CLI);
}

void tst_CliFaults::init()
{
    m_sandbox = std::make_unique<Sandbox>();
    QVERIFY(m_sandbox->isValid());
}

QString tst_CliFaults::newPackage(const QString &folder, bool unarchived) const
{
    QStringList arguments{QStringLiteral("new"), folder + QStringLiteral("/Router.tscript"),
                          QStringLiteral("--languages"), QStringLiteral("js,vbs")};
    if (unarchived) {
        arguments << QStringLiteral("--unarchived");
    }
    if (m_sandbox->run(arguments).exitCode != 0) {
        return QString();
    }
    return folder + (unarchived ? QStringLiteral("/Router") : QStringLiteral("/Router.tscript"));
}

void tst_CliFaults::fullDiskFailsAndKeepsThePackage_data()
{
    QTest::addColumn<bool>("unarchived");

    QTest::newRow("archive") << false;
    QTest::newRow("folder") << true;
}

void tst_CliFaults::fullDiskFailsAndKeepsThePackage()
{
    QFETCH(bool, unarchived);

    const QString disk = m_sandbox->path(QStringLiteral("disk"));
    FileSystemFaults::Faults faults;
    if (!faults.smallFileSystem(disk, 1 << 20)) {
        QSKIP(qPrintable(faults.reason()));
    }
    const QString package = newPackage(QStringLiteral("disk"), unarchived);
    QVERIFY(!package.isEmpty());
    QVERIFY(FileSystemFaults::fill(disk));
    const QMap<QString, QByteArray> before = snapshot(disk);

    const Run run = m_sandbox->run({QStringLiteral("resave"), package});
    QVERIFY2(run.exitCode == 1, run.describe());
    QCOMPARE(run.errorLines().size(), 1);
    QVERIFY2(run.err.contains(qt_error_string(ENOSPC)), run.describe());
    QCOMPARE(snapshot(disk), before);
    QCOMPARE(entriesBelow(m_sandbox->temporaryFolder()), QStringList());
}

void tst_CliFaults::entryThatCannotBeRemovedFailsTheFolderResave()
{
    const QString package = newPackage(QStringLiteral("."), true);
    QVERIFY(!package.isEmpty());
    const QString stuck = m_sandbox->path(QStringLiteral("Router/samples/job.xml"));
    QVERIFY(writeFile(stuck, "<Job/>"));
    FileSystemFaults::Faults faults;
    if (!faults.immutable(stuck)) {
        QSKIP(qPrintable(faults.reason()));
    }
    QVERIFY(writeFile(m_sandbox->path(QStringLiteral("Router/Router.js")),
                      "function jobArrived( s, job ) { /* the author's edits */ }\n"));
    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());

    const Run run = m_sandbox->run({QStringLiteral("resave"), package});
    QVERIFY2(run.exitCode == 1, run.describe());
    QCOMPARE(run.errorLines(), QStringList{prefix + package
                                           + QStringLiteral(": '%1' can't be removed: it is "
                                                            "immutable or append-only")
                                                 .arg(stuck)});
    QCOMPARE(snapshot(m_sandbox->path()), before);
}

void tst_CliFaults::forcedPackKeepsTheArchiveWhenItsFixtureFails()
{
    const QString source = newPackage(QStringLiteral("."), true);
    QVERIFY(!source.isEmpty());
    const QStringList pack{QStringLiteral("pack"), source, QStringLiteral("--output"),
                           QStringLiteral("Copy.tscript"), QStringLiteral("--force")};
    QCOMPARE(m_sandbox->run(pack).exitCode, 0);
    QVERIFY(QFile::remove(m_sandbox->path(QStringLiteral("Copy.tfixture"))));
    QVERIFY(QDir().mkpath(m_sandbox->path(QStringLiteral("Copy.tfixture/in the way"))));
    QVERIFY(
        writeFile(m_sandbox->path(QStringLiteral("Router/Router.js")), "function edited() {}\n"));
    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());

    const Run run = m_sandbox->run(pack);
    QVERIFY2(run.exitCode == 1, run.describe());
    QVERIFY2(run.err.contains(QStringLiteral("Copy.tfixture': it is a folder")), run.describe());
    QCOMPARE(snapshot(m_sandbox->path()), before);
}

void tst_CliFaults::concurrentResavesTakeTurns()
{
    const QString package = newPackage(QStringLiteral("."), true);
    QVERIFY(!package.isEmpty());
    const QMap<QString, QByteArray> members =
        packageMembers(m_sandbox->path(QStringLiteral("Router/Router.tscript")));

    QStringList failures;
    for (int round = 0; round < 6; ++round) {
        QList<std::shared_ptr<QProcess>> runs;
        for (int i = 0; i < 3; ++i) {
            runs << m_sandbox->start({QStringLiteral("resave"), package});
        }
        for (const auto &process : std::as_const(runs)) {
            QVERIFY(process->waitForFinished(120000));
            const QString err = QString::fromUtf8(process->readAllStandardError());
            if (process->exitCode() != 0 && !err.contains(busy)) {
                failures << err;
            }
        }
    }
    QCOMPARE(failures, QStringList());
    QCOMPARE(packageMembers(m_sandbox->path(QStringLiteral("Router/Router.tscript"))).keys(),
             members.keys());
    const Run check = m_sandbox->run({QStringLiteral("check"), package});
    QVERIFY2(check.exitCode == 0, check.describe());
}

void tst_CliFaults::saveInProgressRefusesAnotherOne()
{
    const QString package = newPackage(QStringLiteral("."), true);
    QVERIFY(!package.isEmpty());
    QLockFile otherSave(m_sandbox->path(QStringLiteral("Router/.Router.tscript.lock")));
    QVERIFY(otherSave.tryLock(0));
    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());

    // Refused at once: the other save holds its lock for as long as the test runs.
    const Run run = m_sandbox->run(
        {QStringLiteral("resave"), package},
        variable(QStringLiteral("TAVRIXSCRIPTER_LOCK_WAIT_MS"), QStringLiteral("0")));
    QVERIFY2(run.exitCode == 1, run.describe());
    QCOMPARE(
        run.errorLines(),
        QStringList{prefix + package
                    + QStringLiteral(": '%1' %2")
                          .arg(m_sandbox->path(QStringLiteral("Router/Router.tscript")), busy)});
    QCOMPARE(snapshot(m_sandbox->path()), before);
}

void tst_CliFaults::terminationRemovesTheTemporaryFolder()
{
    const QString package = newPackage(QStringLiteral("."), true);
    QVERIFY(!package.isEmpty());
    // The tool waits for this lock while its temporary folder exists.
    QLockFile otherSave(m_sandbox->path(QStringLiteral("Router/.Router.tscript.lock")));
    QVERIFY(otherSave.tryLock(0));

    const std::shared_ptr<QProcess> process = m_sandbox->start({QStringLiteral("info"), package});
    for (int i = 0; i < 1000 && entriesBelow(m_sandbox->temporaryFolder()).size() < 2; ++i) {
        QThread::msleep(10);
    }
    QCOMPARE(entriesBelow(m_sandbox->temporaryFolder()).size(), 2);
    process->terminate();
    QVERIFY(process->waitForFinished(60000));
    QCOMPARE(process->exitStatus(), QProcess::CrashExit);
    QCOMPARE(entriesBelow(m_sandbox->temporaryFolder()), QStringList());
}

void tst_CliFaults::leftoversOfADeadRunAreSweptAway()
{
    const QString package = newPackage(QStringLiteral("."), false);
    QVERIFY(!package.isEmpty());
    const QString temp = m_sandbox->temporaryFolder();
    QVERIFY(writeFile(temp + QStringLiteral("/run-1-dead/tempPackageFolder/manifest.xml"),
                      "<ScripterPassword>Secret1</ScripterPassword>"));
    QVERIFY(StaleLock::write(temp + QStringLiteral("/run-1-dead.lock")));

    const Run run = m_sandbox->run({QStringLiteral("info"), package});
    QVERIFY2(run.exitCode == 0, run.describe());
    QCOMPARE(entriesBelow(temp), QStringList());
}

void tst_CliFaults::unusableLibzipFailsAndTouchesNothing_data()
{
    QTest::addColumn<QStringList>("arguments");

    // clang-format off
    QTest::newRow("pack")   << QStringList{"pack", "Router", "--output", "Packed.tscript"};
    QTest::newRow("unpack") << QStringList{"unpack", "Router.tscript", "--output", "Unpacked"};
    QTest::newRow("resave") << QStringList{"resave", "Router.tscript"};
    QTest::newRow("info")   << QStringList{"info", "Router.tscript"};
    // clang-format on
}

void tst_CliFaults::unusableLibzipFailsAndTouchesNothing()
{
    QFETCH(QStringList, arguments);
    QVERIFY(!newPackage(QStringLiteral("."), true).isEmpty());
    QVERIFY(!newPackage(QStringLiteral("."), false).isEmpty());
    const QMap<QString, QByteArray> before = snapshot(m_sandbox->path());

    const Run run = m_sandbox->run(arguments, variable(QStringLiteral("LD_LIBRARY_PATH"),
                                                       QStringLiteral(TAVRIX_NOT_LIBZIP_DIR)));
    QVERIFY2(run.exitCode == 1, run.describe());
    QCOMPARE(run.errorLines().size(), 1);
    QVERIFY2(run.err.contains(QStringLiteral("has no function zip_close")), run.describe());
    QCOMPARE(snapshot(m_sandbox->path()), before);
    QCOMPARE(entriesBelow(m_sandbox->temporaryFolder()), QStringList());
}

TAVRIX_TEST_MAIN(tst_CliFaults)
#include "tst_clifaults.moc"
