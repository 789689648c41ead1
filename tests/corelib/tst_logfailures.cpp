// The message log when the database misbehaves: files that are not message databases, a lock
// held by another connection, read-only files and folders, a folder removed while the writer
// runs, a full queue, and finalize() while other threads log. Logging must never block or
// crash its callers, must report a failure once, and must write what it kept once it can.

#include "common/testmain.h"

#include "logtestsupport.h"

#include "common/messagedatabase.h"
#include "common/permissionsenforced.h"
#include "common/testfiles.h"

#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logging.h"
#include "corelib/logging/logmanager.h"
#include "corelib/logging/logrecord.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <functional>
#include <memory>
#include <unistd.h>
#include <vector>

using namespace SRCore;

namespace {

// How long to wait for the writer thread to react; generous, because sanitizer builds on a
// loaded machine are slow. Waiting ends as soon as the condition holds.
constexpr int kEventTimeoutMs = 30000;

void logText(const QString &text, const QString &flow = QString())
{
    Logging::instance()->log(LogRecord(LogLevel::Information, text, flow));
}

QStringList numbered(const QString &prefix, int first, int count)
{
    QStringList texts;
    for (int i = first; i < first + count; ++i) {
        texts << prefix + QString::number(i);
    }
    return texts;
}

// Logs `count` numbered texts from another thread.
std::unique_ptr<QThread> startLogging(const QString &prefix, int count)
{
    std::unique_ptr<QThread> thread(QThread::create([prefix, count] {
        for (const QString &text : numbered(prefix, 0, count)) {
            logText(text, prefix);
        }
    }));
    thread->start();
    return thread;
}

// What the logger of startLogging(prefix, ...) stored, in the order stored.
QStringList storedOf(const MessageDb::Connection &reader, const QString &prefix)
{
    return reader.column(
        QStringLiteral("SELECT operation FROM logmessages WHERE flow = '%1' ORDER BY id").arg(prefix));
}

// What identifies a file's state: its bytes and time of modification.
QByteArray fingerprint(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray("<unreadable>");
    }
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
           + QFileInfo(path).lastModified().toString(Qt::ISODateWithMs).toUtf8();
}

// A database of another program at `path`, made by `statements`.
bool writeDatabase(const QString &path, const QStringList &statements)
{
    MessageDb::Connection other(path, "other");
    for (const QString &statement : statements) {
        if (!other.exec(statement).isEmpty()) {
            return false;
        }
    }
    return other.isOpen();
}

using Prepare = std::function<bool(const QString &path)>;

} // namespace

Q_DECLARE_METATYPE(Prepare)

class tst_LogFailures : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void refusesFilesThatAreNotMessageDatabases_data();
    void refusesFilesThatAreNotMessageDatabases();
    void refusesReadOnlyPlaces_data();
    void refusesReadOnlyPlaces();

    void keepsMessagesWhileTheDatabaseIsLocked();
    void dropsTheOldestWhenTooManyWait_data();
    void dropsTheOldestWhenTooManyWait();
    void survivesTheRemovalOfItsFolder();
    void loggingDuringFinalizeLosesNothing();

private:
    // Opens the database in m_dir, starts the writer and waits until it has written once, so
    // that its connection is open.
    QString startWriting();

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_LogFailures::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_LogFailures::cleanup()
{
    LogManager::finalize();
    // A failed test may have left read-only folders behind.
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_dir.reset();
}

QString tst_LogFailures::startWriting()
{
    LogManager *manager = LogManager::instance();
    // Tries again soon after a refusal, and gives up soon when stopping.
    manager->setRetryTimes(200, 500);
    if (manager->setDatabaseFiles(m_dir->path()) != 0) {
        return QString();
    }
    manager->startThread();
    logText(QStringLiteral("ready"));
    MessageDb::Connection reader(manager->getDatabaseFile());
    for (int i = 0; i < 500 && reader.messageCount() != 1; ++i) {
        QTest::qWait(10);
    }
    return reader.messageCount() == 1 ? manager->getDatabaseFile() : QString();
}

void tst_LogFailures::refusesFilesThatAreNotMessageDatabases_data()
{
    QTest::addColumn<Prepare>("prepare"); // puts something else at the database's path

    const QByteArray garbage(8192, '\x5a');
    // clang-format off
    QTest::newRow("a text file") << Prepare([garbage](const QString &path) { return TestFiles::writeFile(path, garbage); });
    QTest::newRow("SQLite header followed by garbage") << Prepare([garbage](const QString &path) { return TestFiles::writeFile(path, QByteArray("SQLite format 3", 16) + garbage); });
    QTest::newRow("a database of a newer schema version") << Prepare([](const QString &path) { return writeDatabase(path, {"PRAGMA user_version = 2", "CREATE TABLE logmessages (id INTEGER PRIMARY KEY, itemtime TEXT, level INT)"}); });
    QTest::newRow("a table logmessages with other columns") << Prepare([](const QString &path) { return writeDatabase(path, {"CREATE TABLE logmessages (id INTEGER, text TEXT)", "INSERT INTO logmessages VALUES (7, 'mine')"}); });
    QTest::newRow("a folder in place of the file") << Prepare([](const QString &path) { return QDir().mkdir(path); });
    // clang-format on
}

void tst_LogFailures::refusesFilesThatAreNotMessageDatabases()
{
    QFETCH(Prepare, prepare);

    const QString path = m_dir->filePath(QStringLiteral("messages.db"));
    QVERIFY(prepare(path));
    const QStringList filesBefore =
        QDir(m_dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    const QByteArray before = fingerprint(path);

    LogManager *manager = LogManager::instance();
    manager->startThread();
    logText(QStringLiteral("held"));
    {
        LogTest::CoreLibWarnings warnings;
        QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 1);
        QCOMPARE(warnings.messages().size(), 1);
    }
    QVERIFY(!manager->lastError().isEmpty());
    QCOMPARE(manager->getDatabaseFile(), QString());
    QCOMPARE(fingerprint(path), before);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), filesBefore);

    // Logging goes on; the records wait for a usable database.
    logText(QStringLiteral("held too"));
    QCOMPARE(manager->queuedCount(), 2);
    manager->stopServerLog();
    QCOMPARE(manager->queuedCount(), 2);
    QCOMPARE(fingerprint(path), before);

    // Only when the program ends without a usable database are they lost, and said so.
    LogTest::CoreLibWarnings warnings;
    LogManager::finalize();
    QCOMPARE(warnings.messages(),
             QStringList{"2 message(s) could not be written to the message database and are lost"});
}

void tst_LogFailures::refusesReadOnlyPlaces_data()
{
    QTest::addColumn<bool>("existingDatabase");
    QTest::addColumn<bool>("readOnlyFile");
    QTest::addColumn<bool>("readOnlyFolder");

    QTest::newRow("read-only folder, no database yet") << false << false << true;
    QTest::newRow("read-only database file") << true << true << false;
    QTest::newRow("database in a read-only folder") << true << false << true;
}

void tst_LogFailures::refusesReadOnlyPlaces()
{
    QFETCH(bool, existingDatabase);
    QFETCH(bool, readOnlyFile);
    QFETCH(bool, readOnlyFolder);

    const QString folder = m_dir->filePath(QStringLiteral("logs"));
    const QString path = QDir(folder).filePath(QStringLiteral("messages.db"));
    QVERIFY(QDir().mkdir(folder));
    if (existingDatabase) {
        QCOMPARE(LogManager::instance()->setDatabaseFiles(folder), 0);
        logText(QStringLiteral("earlier"));
        LogManager::finalize();
    }
    const QByteArray before = fingerprint(path);
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner;
    if (readOnlyFile) {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    }
    if (readOnlyFolder) {
        QVERIFY(QFile::setPermissions(folder, readOnly));
    }

    LogManager *manager = LogManager::instance();
    {
        PermissionsEnforced enforced;
        if (!enforced.isActive()) {
            QSKIP("file permissions cannot be enforced for this user");
        }
        manager->startThread();
        std::unique_ptr<QThread> logging = startLogging(QStringLiteral("t"), 200);
        LogTest::CoreLibWarnings warnings;
        QCOMPARE(manager->setDatabaseFiles(folder), 1);
        QVERIFY(logging->wait(30000));
        QCOMPARE(warnings.messages().size(), 1);
        QVERIFY(!manager->lastError().isEmpty());
        QCOMPARE(manager->getDatabaseFile(), QString());
        QCOMPARE(manager->queuedCount(), 200);
    }
    QCOMPARE(fingerprint(path), before);
    QCOMPARE(QFileInfo::exists(path), existingDatabase);

    // Writable again: everything held is written.
    QVERIFY(QFile::setPermissions(folder, readOnly | QFile::WriteOwner));
    if (existingDatabase) {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    }
    QCOMPARE(manager->setDatabaseFiles(folder), 0);
    manager->stopServerLog();
    MessageDb::Connection reader(path);
    const QStringList expected = numbered(QStringLiteral("t"), 0, 200);
    QCOMPARE(reader.operations(), existingDatabase ? QStringList{"earlier"} + expected : expected);
}

void tst_LogFailures::keepsMessagesWhileTheDatabaseIsLocked()
{
    const QString path = startWriting();
    QVERIFY(!path.isEmpty());
    LogManager *manager = LogManager::instance();
    MessageDb::Connection reader(path);
    MessageDb::Connection locker(path, "locker");
    LogTest::CoreLibWarnings warnings;
    QCOMPARE(locker.exec(QStringLiteral("BEGIN EXCLUSIVE")), QString());

    // The loggers finish while the lock is held: logging does not wait for the database.
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < 3; ++t) {
        threads.push_back(startLogging(QStringLiteral("t%1-").arg(t), 300));
    }
    for (const auto &thread : threads) {
        QVERIFY(thread->wait(30000));
    }
    QTRY_VERIFY_WITH_TIMEOUT(!manager->lastError().isEmpty(), kEventTimeoutMs);
    // More records and several more attempts of the writer: still a single report.
    for (const QString &text : numbered(QStringLiteral("main-"), 0, 100)) {
        logText(text, QStringLiteral("main-"));
        QTest::qWait(10);
    }
    QCOMPARE(reader.messageCount(), 1);
    QCOMPARE(warnings.messages().size(), 1);
    QVERIFY(warnings.messages().first().contains(path));
    QCOMPARE(manager->queuedCount(), 1000);

    // Stopping gives up on the locked database and keeps the records.
    manager->stopServerLog();
    QCOMPARE(manager->queuedCount(), 1000);
    QCOMPARE(warnings.containing(QStringLiteral("stopped with 1000 message")).size(), 1);

    QCOMPARE(locker.exec(QStringLiteral("ROLLBACK")), QString());
    manager->stopServerLog(); // writes what it kept
    QCOMPARE(reader.messageCount(), 1001);

    // Each logger's order survived the retries.
    for (const QString prefix : {"t0-", "t1-", "t2-", "main-"}) {
        const int count = prefix == QLatin1String("main-") ? 100 : 300;
        QCOMPARE(storedOf(reader, prefix), numbered(prefix, 0, count));
    }
}

void tst_LogFailures::dropsTheOldestWhenTooManyWait_data()
{
    QTest::addColumn<bool>("databaseFirst");

    QTest::newRow("database locked") << true;
    QTest::newRow("no database yet") << false;
}

void tst_LogFailures::dropsTheOldestWhenTooManyWait()
{
    QFETCH(bool, databaseFirst);

    LogManager *manager = LogManager::instance();
    QStringList expected;
    std::unique_ptr<MessageDb::Connection> locker;
    if (databaseFirst) {
        const QString path = startWriting();
        QVERIFY(!path.isEmpty());
        expected << QStringLiteral("ready");
        locker = std::make_unique<MessageDb::Connection>(path, "locker");
        QCOMPARE(locker->exec(QStringLiteral("BEGIN EXCLUSIVE")), QString());
    }
    manager->setQueueLimit(100);
    LogTest::CoreLibWarnings warnings;
    const QStringList texts = numbered(QStringLiteral("m"), 0, 150);
    for (const QString &text : texts) {
        logText(text);
    }
    QTRY_COMPARE_WITH_TIMEOUT(manager->queuedCount(), 100, kEventTimeoutMs);

    if (databaseFirst) {
        QCOMPARE(locker->exec(QStringLiteral("ROLLBACK")), QString());
    } else {
        QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    }
    manager->stopServerLog();
    MessageDb::Connection reader(manager->getDatabaseFile());
    QCOMPARE(reader.operations(), expected + texts.mid(50));
    const QStringList dropReports = warnings.containing(QStringLiteral("dropped"));
    QCOMPARE(dropReports.size(), 1);
    QVERIFY2(dropReports.first().contains(QLatin1String("50 message")),
             qPrintable(dropReports.first()));
    QCOMPARE(manager->lastError(), dropReports.first());
}

void tst_LogFailures::survivesTheRemovalOfItsFolder()
{
    const QString path = startWriting();
    QVERIFY(!path.isEmpty());
    LogManager *manager = LogManager::instance();
    LogTest::CoreLibWarnings warnings;
    QVERIFY(QDir(m_dir->path()).removeRecursively());

    const QStringList texts = numbered(QStringLiteral("m"), 0, 20);
    for (const QString &text : texts) {
        logText(text);
    }
    QTRY_VERIFY_WITH_TIMEOUT(!manager->lastError().isEmpty(), kEventTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(warnings.messages().size(), 1, kEventTimeoutMs);
    QCOMPARE(manager->queuedCount(), 20);
    QVERIFY(!QFileInfo::exists(m_dir->path()));

    // Once the folder is back, the writer starts a new database there with what it kept.
    QVERIFY(QDir().mkpath(m_dir->path()));
    QTRY_COMPARE_WITH_TIMEOUT(manager->queuedCount(), 0, kEventTimeoutMs);
    manager->stopServerLog();
    MessageDb::Connection reader(path);
    QCOMPARE(reader.operations(), texts);
    QCOMPARE(warnings.messages().size(), 1);
}

void tst_LogFailures::loggingDuringFinalizeLosesNothing()
{
    constexpr int ThreadCount = 3;
    constexpr int PerThread = 5000;
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < ThreadCount; ++t) {
        threads.push_back(startLogging(QStringLiteral("t%1-").arg(t), PerThread));
    }
    // Managers come and go under the loggers' feet, as at the end of a program whose worker
    // threads still log.
    LogTest::CoreLibWarnings warnings;
    while (!std::all_of(threads.begin(), threads.end(),
                        [](const auto &thread) { return thread->isFinished(); })) {
        QCOMPARE(LogManager::instance()->setDatabaseFiles(m_dir->path()), 0);
        LogManager::instance()->startThread();
        QTest::qWait(5);
        LogManager::finalize();
    }
    QCOMPARE(LogManager::instance()->setDatabaseFiles(m_dir->path()), 0);
    LogManager::instance()->stopServerLog();
    QCOMPARE(warnings.messages(), QStringList());

    MessageDb::Connection reader(LogManager::instance()->getDatabaseFile());
    QCOMPARE(reader.messageCount(), ThreadCount * PerThread);
    for (int t = 0; t < ThreadCount; ++t) {
        const QString prefix = QStringLiteral("t%1-").arg(t);
        QCOMPARE(storedOf(reader, prefix), numbered(prefix, 0, PerThread));
    }
}

TAVRIX_TEST_GUILESS_MAIN(tst_LogFailures)

#include "tst_logfailures.moc"
