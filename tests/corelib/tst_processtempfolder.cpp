// Each run's temporary folder: private to its owner, gone when the run ends, also when it is
// ended by a signal, and swept away by the next run when its process died without cleaning up.

#include "common/testmain.h"

#include "common/stalelock.h"
#include "common/testfiles.h"

#include "corelib/files/folderreplacement.h"
#include "corelib/files/processtempfolder.h"
#include "corelib/files/safefilewriter.h"
#include "corelib/files/terminationcleanup.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using TestFiles::entriesBelow;
using SRCore::ProcessTempFolder;
using TestFiles::readFile;
using TestFiles::writeFile;

class tst_ProcessTempFolder : public QObject
{
    Q_OBJECT

private slots:
    void privateFolderGoesWithTheRun();
    void sweepKeepsOnlyFoldersOfRunningProcesses();
    void terminationSignalRemovesTheFolder_data();
    void terminationSignalRemovesTheFolder();
    void terminationWaitsForASwapInProgress();
    void terminationRemovesTheWorkOfAnUnfinishedSave_data();
    void terminationRemovesTheWorkOfAnUnfinishedSave();
};

void tst_ProcessTempFolder::privateFolderGoesWithTheRun()
{
    QTemporaryDir root;
    QString path;
    {
        const ProcessTempFolder folder(root.filePath(QStringLiteral("temp")));
        QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
        path = folder.path();
        struct stat status;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, mode_t(0700));
        QVERIFY(writeFile(path + QStringLiteral("/nested/file"), "temporary"));
    }
    QCOMPARE(entriesBelow(root.filePath(QStringLiteral("temp"))), QStringList());
}

void tst_ProcessTempFolder::sweepKeepsOnlyFoldersOfRunningProcesses()
{
    QTemporaryDir root;
    const auto at = [&root](const QString &name) {
        return root.filePath(name);
    };
    QVERIFY(writeFile(at(QStringLiteral("run-1-dead/package/manifest.xml")), "password"));
    QVERIFY(StaleLock::write(at(QStringLiteral("run-1-dead.lock"))));
    QVERIFY(writeFile(at(QStringLiteral("tempPackageFolder-old/x")), "left by an old version"));
    QVERIFY(StaleLock::write(at(QStringLiteral("run-2-gone.lock"))));
    QVERIFY(writeFile(at(QStringLiteral("run-3-alive/file")), "in use"));
    QLockFile alive(at(QStringLiteral("run-3-alive.lock")));
    QVERIFY(alive.tryLock(0));
    // A program that has been running for an hour.
    QVERIFY(writeFile(at(QStringLiteral("run-4-long/file")), "in use"));
    QLockFile longRun(at(QStringLiteral("run-4-long.lock")));
    QVERIFY(longRun.tryLock(0));
    QVERIFY(StaleLock::age(at(QStringLiteral("run-4-long.lock"))));

    ProcessTempFolder::sweep(root.path());
    QCOMPARE(entriesBelow(root.path()),
             QStringList({"run-3-alive", "run-3-alive.lock", "run-4-long", "run-4-long.lock"}));
    QCOMPARE(entriesBelow(at(QStringLiteral("run-3-alive"))), QStringList{"file"});
    QCOMPARE(entriesBelow(at(QStringLiteral("run-4-long"))), QStringList{"file"});
}

void tst_ProcessTempFolder::terminationSignalRemovesTheFolder_data()
{
    QTest::addColumn<int>("signal");

    QTest::newRow("Ctrl-C") << SIGINT;
    QTest::newRow("terminate") << SIGTERM;
}

void tst_ProcessTempFolder::terminationSignalRemovesTheFolder()
{
    QFETCH(int, signal);

    QTemporaryDir root;
    int ready[2];
    QVERIFY(::pipe(ready) == 0);
    const pid_t child = ::fork();
    if (child == 0) {
        // The child makes its folder, fills it, says so and waits for the signal.
        ::close(ready[0]);
        const ProcessTempFolder folder(root.path());
        writeFile(folder.path() + QStringLiteral("/package/manifest.xml"), "password");
        const char done = folder.isValid() ? '1' : '0';
        [[maybe_unused]] const ssize_t written = ::write(ready[1], &done, 1);
        for (;;) {
            ::pause();
        }
    }
    ::close(ready[1]);
    char done = 0;
    QCOMPARE(::read(ready[0], &done, 1), ssize_t(1));
    ::close(ready[0]);
    QCOMPARE(done, '1');
    QCOMPARE(entriesBelow(root.path()).size(), 2);

    QCOMPARE(::kill(child, signal), 0);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(WTERMSIG(status), signal);
    QCOMPARE(entriesBelow(root.path()), QStringList());
}

void tst_ProcessTempFolder::terminationWaitsForASwapInProgress()
{
    QTemporaryDir root;
    QTemporaryDir work;
    const QString swapped = work.filePath(QStringLiteral("swapped"));
    int ready[2];
    int go[2];
    QVERIFY(::pipe(ready) == 0 && ::pipe(go) == 0);
    const pid_t child = ::fork();
    if (child == 0) {
        // The child starts a swap, says so, and finishes it only when told to.
        ::close(ready[0]);
        ::close(go[1]);
        const ProcessTempFolder folder(root.path());
        {
            const SRCore::TerminationCleanup::Postponement swapping;
            const char done = folder.isValid() ? '1' : '0';
            [[maybe_unused]] ssize_t transferred = ::write(ready[1], &done, 1);
            char proceed = 0;
            transferred = ::read(go[0], &proceed, 1);
            writeFile(swapped, "all entries in place");
        }
        for (;;) {
            ::pause();
        }
    }
    ::close(ready[1]);
    ::close(go[0]);
    char done = 0;
    QCOMPARE(::read(ready[0], &done, 1), ssize_t(1));
    QCOMPARE(done, '1');

    QCOMPARE(::kill(child, SIGTERM), 0);
    // Time for the signal to reach the cleanup, which must not end the child half-way.
    QThread::msleep(300);
    const char proceed = 'g';
    // A child that ended already can't read it; that must not end the test as well.
    struct sigaction ignore = {};
    struct sigaction previous = {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, &previous);
    [[maybe_unused]] const ssize_t written = ::write(go[1], &proceed, 1);
    ::sigaction(SIGPIPE, &previous, nullptr);
    ::close(go[1]);
    ::close(ready[0]);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(WTERMSIG(status), SIGTERM);
    QVERIFY(QFileInfo::exists(swapped));
    QCOMPARE(entriesBelow(root.path()), QStringList());
}

void tst_ProcessTempFolder::terminationRemovesTheWorkOfAnUnfinishedSave_data()
{
    QTest::addColumn<bool>("folderForm");

    QTest::newRow("file being replaced") << false;
    QTest::newRow("folder being replaced") << true;
}

void tst_ProcessTempFolder::terminationRemovesTheWorkOfAnUnfinishedSave()
{
    QFETCH(bool, folderForm);

    QTemporaryDir root;
    QTemporaryDir work;
    const QString package = work.filePath(QStringLiteral("Router"));
    QVERIFY(writeFile(package + QStringLiteral("/Router.js"), "previous"));
    // Reading a pipe that nobody writes keeps the save half-way, its new file begun.
    const QString source = work.filePath(QStringLiteral("new/Router.js"));
    QVERIFY(QDir().mkpath(work.filePath(QStringLiteral("new"))));
    QCOMPARE(::mkfifo(QFile::encodeName(source).constData(), 0600), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const ProcessTempFolder folder(root.path());
        if (folderForm) {
            SRCore::FolderReplacement::replaceContents(package, {source}, {});
        } else {
            SRCore::SafeFileWriter::copyFile(source, package + QStringLiteral("/Router.js"));
        }
        ::_exit(0);
    }
    const auto entries = [&package] {
        return QDir(package).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    };
    QTRY_VERIFY_WITH_TIMEOUT(entries().size() > 1, 20000);

    QCOMPARE(::kill(child, SIGTERM), 0);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(entries(), QStringList{"Router.js"});
    QCOMPARE(readFile(package + QStringLiteral("/Router.js")), QByteArray("previous"));
    QCOMPARE(entriesBelow(root.path()), QStringList());
}

TAVRIX_TEST_GUILESS_MAIN(tst_ProcessTempFolder)
#include "tst_processtempfolder.moc"
