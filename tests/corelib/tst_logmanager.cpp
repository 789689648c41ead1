// The message log in normal operation: the database it creates, what it stores for each
// record, the log interfaces, holding records until the database is open, many threads, a
// reader during writing, console echo and the life cycle of the log manager.

#include "common/testmain.h"

#include "logtestsupport.h"

#include "common/messagedatabase.h"

#include "corelib/flow/flow.h"
#include "corelib/jobs/ijt.h"
#include "corelib/logging/iloginterface.h"
#include "corelib/logging/logcapture.h"
#include "corelib/logging/logging.h"
#include "corelib/logging/logmanager.h"
#include "corelib/logging/logrecord.h"
#include "corelib/logging/moduleloginterface.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <memory>
#include <unistd.h>

using namespace SRCore;

namespace {

const QString allColumns = QStringLiteral(
    "SELECT id, itemtime, type, module, flow, element, file, operation, argument, ticket, user, "
    "folder, outfolder, outfile FROM logmessages ORDER BY id");

// Redirects stderr into a file while it lives; text() gives what was written.
class StderrCapture
{
public:
    StderrCapture()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = dup(fileno(stderr));
        dup2(m_file.handle(), fileno(stderr));
    }
    ~StderrCapture() { restore(); }

    QString text()
    {
        restore();
        m_file.seek(0);
        return QString::fromLocal8Bit(m_file.readAll());
    }

private:
    void restore()
    {
        if (m_saved >= 0) {
            std::fflush(stderr);
            dup2(m_saved, fileno(stderr));
            close(m_saved);
            m_saved = -1;
        }
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};

} // namespace

class tst_LogManager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void createsTheMessageTable();
    void storesEveryFieldOfARecord();
    void storesLevelsAsTypeWords_data();
    void storesLevelsAsTypeWords();
    void storesDebugMessagesOnlyWhenAsked_data();
    void storesDebugMessagesOnlyWhenAsked();
    void refusesLevelZero();
    void moduleInterfaceFillsEmptyFields_data();
    void moduleInterfaceFillsEmptyFields();
    void defaultInterfaceIsScripter();
    void interfaceOfARunNamesItsFlowAndJob();
    void stampsTheTimeWhenMissing();

    void holdsMessagesUntilTheDatabaseIsOpen_data();
    void holdsMessagesUntilTheDatabaseIsOpen();
    void keepsEveryMessageOfSeveralThreads();
    void keepsABurstWhileTheDatabaseOpens();
    void readerSeesMessagesWhileTheWriterRuns();
    void reopensAnExistingDatabase();
    void closeDatabaseHoldsLaterMessages();
    void stopServerLogIsIdempotent();
    void failedOpenKeepsThePreviousDatabase();
    void keepsTheDatabaseWithinItsSizeLimit();

    void printsMessagesOnStderr_data();
    void printsMessagesOnStderr();

    void finalizeResetsTheManager();
    void captureKeepsWhatIsLoggedWhileItLives();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_LogManager::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_LogManager::cleanup()
{
    LogManager::finalize();
    m_dir.reset();
}

void tst_LogManager::createsTheMessageTable()
{
    LogManager *manager = LogManager::instance();
    QCOMPARE(manager->getDatabaseFile(), QString());
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    const QString file = QDir(m_dir->path()).absoluteFilePath(QStringLiteral("messages.db"));
    QCOMPARE(manager->getDatabaseFile(), file);
    QVERIFY(QFile::exists(file));

    MessageDb::Connection reader(file);
    QVERIFY(reader.isOpen());
    QCOMPARE(
        reader.column(QStringLiteral("SELECT name FROM pragma_table_info('logmessages')")),
        QStringList({"id", "itemtime", "type", "module", "flow", "element", "file", "operation",
                     "argument", "ticket", "user", "folder", "outfolder", "outfile"}));
    QCOMPARE(reader.column(QStringLiteral("PRAGMA user_version")), QStringList{"1"});
    QCOMPARE(reader.column(QStringLiteral("PRAGMA journal_mode")), QStringList{"wal"});
    // AUTOINCREMENT: ids are never reused, even after the pane deleted every message.
    QVERIFY(
        reader.column(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'logmessages'"))
            .value(0)
            .contains(QLatin1String("id INTEGER PRIMARY KEY AUTOINCREMENT")));

    manager->startThread();
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("first")));
    QTRY_COMPARE(reader.messageCount(), 1);
    QCOMPARE(reader.exec(QStringLiteral("DELETE FROM logmessages")), QString());
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("second")));
    manager->stopServerLog();
    QCOMPARE(reader.column(QStringLiteral("SELECT id FROM logmessages")), QStringList{"2"});
}

void tst_LogManager::storesEveryFieldOfARecord()
{
    LogManager *manager = LogManager::instance();
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    manager->startThread();

    LogRecord record(LogLevel::Warning, QStringLiteral("Cannot copy '%1'"),
                     QStringLiteral("Invoices"), QStringLiteral("Split PDF"),
                     QStringLiteral("job 1.pdf"), QStringLiteral("/in/a, b.pdf"));
    record.module = QStringLiteral("Mailer");
    record.ticket = QStringLiteral("_0001A_");
    record.user = QStringLiteral("anna");
    record.folder = QStringLiteral("/in");
    record.outFolder = QStringLiteral("/out");
    record.outFile = QStringLiteral("/out/a.pdf");
    // Two hours east of UTC: stored as the UTC time.
    record.time = QDateTime(QDate(2024, 2, 29), QTime(1, 2, 3, 45), Qt::OffsetFromUTC, 7200);
    Logging::instance()->log(record);
    manager->stopServerLog();

    MessageDb::Connection reader(manager->getDatabaseFile());
    const QList<QStringList> rows = reader.rows(allColumns);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().mid(1),
             QStringList({"2024-02-28T23:02:03.045Z", "warning", "Mailer", "Invoices", "Split PDF",
                          "job 1.pdf", "Cannot copy '%1'", "/in/a, b.pdf", "_0001A_", "anna", "/in",
                          "/out", "/out/a.pdf"}));
}

void tst_LogManager::storesLevelsAsTypeWords_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("type");

    QTest::newRow("-2 is assert") << -2 << "assert";
    QTest::newRow("-1 is debug") << -1 << "debug";
    QTest::newRow("1 is info") << 1 << "info";
    QTest::newRow("2 is warning") << 2 << "warning";
    QTest::newRow("3 is error") << 3 << "error";
    QTest::newRow("4 is start") << 4 << "start";
    QTest::newRow("5 is progress") << 5 << "progress";
    QTest::newRow("6 is end") << 6 << "end";
    QTest::newRow("unknown 7 is info") << 7 << "info";
    QTest::newRow("unknown -3 is info") << -3 << "info";
    QTest::newRow("unknown 1000 is info") << 1000 << "info";
}

void tst_LogManager::storesLevelsAsTypeWords()
{
    QFETCH(int, level);
    QFETCH(QString, type);

    LogManager *manager = LogManager::instance();
    manager->storeDebugMessages = true;
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    Logging::instance()->log(LogRecord(level, QStringLiteral("text")));
    manager->stopServerLog();

    MessageDb::Connection reader(manager->getDatabaseFile());
    QCOMPARE(reader.column(QStringLiteral("SELECT type FROM logmessages")), QStringList{type});
}

void tst_LogManager::storesDebugMessagesOnlyWhenAsked_data()
{
    QTest::addColumn<bool>("storeDebug");
    QTest::addColumn<QStringList>("stored");

    QTest::newRow("default: debug and assert dropped") << false << QStringList{"info", "error"};
    QTest::newRow("asked: all stored") << true << QStringList{"debug", "info", "assert", "error"};
}

void tst_LogManager::storesDebugMessagesOnlyWhenAsked()
{
    QFETCH(bool, storeDebug);
    QFETCH(QStringList, stored);

    LogManager *manager = LogManager::instance();
    QVERIFY(!manager->storeDebugMessages);
    manager->storeDebugMessages = storeDebug;
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    manager->startThread();
    for (int level : {LogLevel::Debug, LogLevel::Information, LogLevel::Assert, LogLevel::Error}) {
        Logging::instance()->log(LogRecord(level, QStringLiteral("text")));
    }
    manager->stopServerLog();

    MessageDb::Connection reader(manager->getDatabaseFile());
    QCOMPARE(reader.column(QStringLiteral("SELECT type FROM logmessages ORDER BY id")), stored);
}

void tst_LogManager::refusesLevelZero()
{
    LogManager *manager = LogManager::instance();
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    manager->startThread();
    LogRecord record(LogLevel::Refused, QStringLiteral("Copied %1"), QStringLiteral("Flow A"),
                     QStringLiteral("Element B"), QStringLiteral("job.txt"),
                     QStringLiteral("a.txt"));
    Logging::instance()->log(record);
    manager->stopServerLog();

    MessageDb::Connection reader(manager->getDatabaseFile());
    const QList<QStringList> rows = reader.rows(allColumns);
    QCOMPARE(rows.size(), 1);
    const QStringList &row = rows.first();
    QCOMPARE(row.at(2), QStringLiteral("error"));
    QCOMPARE(row.at(7),
             QStringLiteral("Log message of level 0 is not allowed; message '%1' is not logged"));
    QCOMPARE(row.at(8), QStringLiteral("Copied %1"));
    // Where it came from stays visible.
    QCOMPARE(row.mid(3, 4), QStringList({"Scripter", "Flow A", "Element B", "job.txt"}));
}

void tst_LogManager::moduleInterfaceFillsEmptyFields_data()
{
    QTest::addColumn<QStringList>("given");    // module, flow, element, file, ticket
    QTest::addColumn<QStringList>("expected"); // module, flow, element, file, ticket

    // clang-format off
    QTest::newRow("empty fields take the interface's names") << QStringList{"", "", "", "", ""} << QStringList{"Script element", "Test Flow", "", "job.pdf", ""};
    QTest::newRow("fields of the record win") << QStringList{"Own module", "Own flow", "Own element", "own.pdf", "_T_"} << QStringList{"Own module", "Own flow", "Own element", "own.pdf", "_T_"};
    QTest::newRow("only the empty ones are filled") << QStringList{"", "Own flow", "Element", "", ""} << QStringList{"Script element", "Own flow", "Element", "job.pdf", ""};
    QTest::newRow("the job prefix comes from the job name") << QStringList{"", "", "", "_0000A_job.pdf", ""} << QStringList{"Script element", "Test Flow", "", "_0000A_job.pdf", "_0000A_"};
    // clang-format on
}

void tst_LogManager::moduleInterfaceFillsEmptyFields()
{
    QFETCH(QStringList, given);
    QFETCH(QStringList, expected);

    LogManager *manager = LogManager::instance();
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    ModuleLogInterface log(QStringLiteral("Script element"), QStringLiteral("Test Flow"),
                           QStringLiteral("job.pdf"));
    LogRecord record(LogLevel::Information, QStringLiteral("text"), given.at(1), given.at(2),
                     given.at(3));
    record.module = given.at(0);
    record.ticket = given.at(4);
    log.log(record);
    manager->stopServerLog();

    MessageDb::Connection reader(manager->getDatabaseFile());
    const QList<QStringList> rows =
        reader.rows(QStringLiteral("SELECT module, flow, element, file, ticket FROM logmessages"));
    QCOMPARE(rows, QList<QStringList>{expected});
}

void tst_LogManager::defaultInterfaceIsScripter()
{
    LogManager *manager = LogManager::instance();
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    QVERIFY(Logging::instance());
    QCOMPARE(Logging::instance(), Logging::instance());
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("Scripter started")));
    manager->stopServerLog();

    MessageDb::Connection reader(manager->getDatabaseFile());
    QCOMPARE(reader.rows(QStringLiteral("SELECT module, flow, file, operation FROM logmessages")),
             QList<QStringList>({{"Scripter", "", "", "Scripter started"}}));
}

void tst_LogManager::interfaceOfARunNamesItsFlowAndJob()
{
    LogManager *manager = LogManager::instance();
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    Flow flow(QStringLiteral("1"));
    flow.getHeader().createField(XMLKey::NAME).setValue(QStringLiteral("Test Flow"));
    const auto ticket = IJT::createEmptyIJT();
    ticket->setActiveFileName(m_dir->filePath(QStringLiteral("inFolder2/_00001_job.pdf")));

    const auto runLog = manager->createLogInterface(QStringLiteral("Run"), ticket.get(), &flow);
    runLog->log(LogRecord(LogLevel::Start, QStringLiteral("start")));
    const auto plainLog = manager->createLogInterface(QStringLiteral("Plain"), nullptr, nullptr);
    plainLog->log(LogRecord(LogLevel::Information, QStringLiteral("plain")));
    manager->stopServerLog();

    MessageDb::Connection reader(manager->getDatabaseFile());
    QCOMPARE(reader.rows(QStringLiteral("SELECT module, flow, file, ticket, type FROM logmessages "
                                        "ORDER BY id")),
             QList<QStringList>({{"Run", "Test Flow", "_00001_job.pdf", "_00001_", "start"},
                                 {"Plain", "", "", "", "info"}}));
}

void tst_LogManager::stampsTheTimeWhenMissing()
{
    LogManager *manager = LogManager::instance();
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    const QDateTime before = QDateTime::currentDateTimeUtc();
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("now")));
    const QDateTime after = QDateTime::currentDateTimeUtc();
    manager->stopServerLog();

    MessageDb::Connection reader(manager->getDatabaseFile());
    const QString text = reader.column(QStringLiteral("SELECT itemtime FROM logmessages")).value(0);
    QVERIFY2(
        QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z$"))
            .match(text)
            .hasMatch(),
        qPrintable(text));
    const QDateTime stored = QDateTime::fromString(text, Qt::ISODateWithMs);
    QVERIFY(stored >= before.addMSecs(-1));
    QVERIFY(stored <= after);
}

void tst_LogManager::holdsMessagesUntilTheDatabaseIsOpen_data()
{
    QTest::addColumn<bool>("threadFirst");
    QTest::addColumn<bool>("startThread");

    QTest::newRow("logged before the database and the thread") << false << true;
    QTest::newRow("logged while the thread waits for a database") << true << true;
    QTest::newRow("thread never started: stopServerLog writes them") << false << false;
}

void tst_LogManager::holdsMessagesUntilTheDatabaseIsOpen()
{
    QFETCH(bool, threadFirst);
    QFETCH(bool, startThread);

    LogManager *manager = LogManager::instance();
    if (threadFirst) {
        manager->startThread();
    }
    const QStringList texts = {"one", "two", "three"};
    for (const QString &text : texts) {
        Logging::instance()->log(LogRecord(LogLevel::Information, text));
    }
    QCOMPARE(manager->queuedCount(), 3);
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    if (startThread && !threadFirst) {
        manager->startThread();
    }
    manager->stopServerLog();

    QCOMPARE(manager->queuedCount(), 0);
    MessageDb::Connection reader(manager->getDatabaseFile());
    QCOMPARE(reader.operations(), texts);
}

void tst_LogManager::keepsEveryMessageOfSeveralThreads()
{
    constexpr int ThreadCount = 4;
    constexpr int PerThread = 5000;
    LogManager *manager = LogManager::instance();
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    manager->startThread();

    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < ThreadCount; ++t) {
        threads.emplace_back(QThread::create([t] {
            // Each thread has an interface of its own, the first shares the default one.
            ModuleLogInterface own(QStringLiteral("thread %1").arg(t));
            ILogInterface *log = t == 0 ? Logging::instance() : &own;
            for (int i = 0; i < PerThread; ++i) {
                log->log(LogRecord(LogLevel::Information, QString::number(i),
                                   QStringLiteral("t%1").arg(t)));
            }
        }));
        threads.back()->start();
    }
    for (const auto &thread : threads) {
        QVERIFY(thread->wait(60000));
    }
    manager->stopServerLog();

    MessageDb::Connection reader(manager->getDatabaseFile());
    const QList<QStringList> rows =
        reader.rows(QStringLiteral("SELECT id, flow, operation FROM logmessages ORDER BY id"));
    QCOMPARE(rows.size(), ThreadCount * PerThread);
    QList<int> next(ThreadCount, 0);
    qint64 previousId = 0;
    for (const QStringList &row : rows) {
        const qint64 id = row.at(0).toLongLong();
        QVERIFY(id > previousId);
        previousId = id;
        const int thread = row.at(1).mid(1).toInt();
        QCOMPARE(row.at(2).toInt(), next[thread]);
        ++next[thread];
    }
    QCOMPARE(next, QList<int>(ThreadCount, PerThread));
}

void tst_LogManager::keepsABurstWhileTheDatabaseOpens()
{
    // The queue limit applies while records cannot be stored, not while the writer is on its
    // way to store them.
    LogManager *manager = LogManager::instance();
    manager->setQueueLimit(10);
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    manager->startThread();
    LogTest::CoreLibWarnings warnings;
    QStringList texts;
    for (int i = 0; i < 2000; ++i) {
        texts << QString::number(i);
        Logging::instance()->log(LogRecord(LogLevel::Information, texts.last()));
    }
    manager->stopServerLog();

    MessageDb::Connection reader(manager->getDatabaseFile());
    QCOMPARE(reader.operations(), texts);
    QCOMPARE(warnings.messages(), QStringList());
}

void tst_LogManager::readerSeesMessagesWhileTheWriterRuns()
{
    LogManager *manager = LogManager::instance();
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    manager->startThread();
    MessageDb::Connection reader(manager->getDatabaseFile());
    QVERIFY(reader.isOpen());
    QCOMPARE(reader.messageCount(), 0);

    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("first")));
    QTRY_COMPARE(reader.messageCount(), 1);
    // A reader in the middle of a read transaction does not hold the writer up.
    QCOMPARE(reader.exec(QStringLiteral("BEGIN")), QString());
    QCOMPARE(reader.messageCount(), 1);
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("second")));
    QTRY_COMPARE(manager->queuedCount(), 0);
    QCOMPARE(reader.exec(QStringLiteral("COMMIT")), QString());
    QTRY_COMPARE(reader.operations(), QStringList({"first", "second"}));
    QVERIFY(manager->lastError().isEmpty());
}

void tst_LogManager::reopensAnExistingDatabase()
{
    QCOMPARE(LogManager::instance()->setDatabaseFiles(m_dir->path()), 0);
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("run 1")));
    LogManager::finalize();

    LogManager *manager = LogManager::instance();
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("run 2")));
    manager->stopServerLog();

    MessageDb::Connection reader(manager->getDatabaseFile());
    QCOMPARE(reader.rows(QStringLiteral("SELECT id, operation FROM logmessages ORDER BY id")),
             QList<QStringList>({{"1", "run 1"}, {"2", "run 2"}}));
}

void tst_LogManager::closeDatabaseHoldsLaterMessages()
{
    QDir(m_dir->path()).mkdir(QStringLiteral("a"));
    QDir(m_dir->path()).mkdir(QStringLiteral("b"));
    LogManager *manager = LogManager::instance();
    QCOMPARE(manager->setDatabaseFiles(m_dir->filePath(QStringLiteral("a"))), 0);
    const QString fileA = manager->getDatabaseFile();
    manager->startThread();
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("to a")));
    QTRY_COMPARE(manager->queuedCount(), 0);

    manager->closeDatabase();
    QCOMPARE(manager->getDatabaseFile(), QString());
    // The writer let go of the file: it can be removed and nothing brings it back.
    QVERIFY(QFile::remove(fileA));
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("to b")));
    QTest::qWait(50);
    QCOMPARE(manager->queuedCount(), 1);
    QVERIFY(!QFile::exists(fileA));

    QCOMPARE(manager->setDatabaseFiles(m_dir->filePath(QStringLiteral("b"))), 0);
    manager->stopServerLog();
    MessageDb::Connection reader(manager->getDatabaseFile());
    QCOMPARE(reader.operations(), QStringList{"to b"});
    manager->closeDatabase(); // a second close is harmless
    QCOMPARE(manager->getDatabaseFile(), QString());
}

void tst_LogManager::keepsTheDatabaseWithinItsSizeLimit()
{
    LogManager *manager = LogManager::instance();
    manager->setDatabaseSizeLimit(200 * 1024);
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    manager->startThread();
    const QString argument(1000, QLatin1Char('x'));
    for (int i = 0; i < 1000; ++i) {
        Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("message %1"),
                                           QString(), QString(), QString(),
                                           argument + QString::number(i)));
        if (i % 100 == 99) {
            QTRY_COMPARE(manager->queuedCount(), 0); // several transactions, as in a long run
        }
    }
    manager->stopServerLog();

    MessageDb::Connection reader(manager->getDatabaseFile());
    const int stored = reader.messageCount();
    QVERIFY2(stored > 0 && stored < 1000, qPrintable(QString::number(stored)));
    QCOMPARE(
        reader.column(QStringLiteral("SELECT argument FROM logmessages ORDER BY id DESC LIMIT 1")),
        QStringList{argument + QStringLiteral("999")});
}

void tst_LogManager::stopServerLogIsIdempotent()
{
    LogManager *manager = LogManager::instance();
    manager->stopServerLog(); // nothing started yet
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    manager->startThread();
    manager->startThread(); // already running
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("before stop")));
    manager->stopServerLog();
    manager->stopServerLog();

    // Records logged after the stop are held, and written by a new writer.
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("after stop")));
    QCOMPARE(manager->queuedCount(), 1);
    manager->startThread();
    manager->stopServerLog();
    MessageDb::Connection reader(manager->getDatabaseFile());
    QCOMPARE(reader.operations(), QStringList({"before stop", "after stop"}));
}

void tst_LogManager::failedOpenKeepsThePreviousDatabase()
{
    LogManager *manager = LogManager::instance();
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    const QString file = manager->getDatabaseFile();
    QVERIFY(manager->lastError().isEmpty());

    const QString missing = m_dir->filePath(QStringLiteral("no such folder"));
    {
        LogTest::CoreLibWarnings warnings;
        QCOMPARE(manager->setDatabaseFiles(missing), 1);
        QCOMPARE(warnings.messages().size(), 1);
    }
    QVERIFY(manager->lastError().contains(missing));
    QVERIFY(!QFileInfo::exists(missing));
    QCOMPARE(manager->setDatabaseFiles(QString()), 1);
    QCOMPARE(manager->getDatabaseFile(), file);

    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("still logged")));
    manager->stopServerLog();
    MessageDb::Connection reader(file);
    QCOMPARE(reader.operations(), QStringList{"still logged"});
}

void tst_LogManager::printsMessagesOnStderr_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("printed");

    // clang-format off
    QTest::newRow("database only: silent") << 0 << int(ILogInterface::NoFlags) << false;
    QTest::newRow("database only: echo flag prints") << 0 << int(ILogInterface::EchoToConsole) << true;
    QTest::newRow("console messaging prints") << 1 << int(ILogInterface::NoFlags) << true;
    // clang-format on
}

void tst_LogManager::printsMessagesOnStderr()
{
    QFETCH(int, mode);
    QFETCH(int, flags);
    QFETCH(bool, printed);

    LogManager *manager = LogManager::instance();
    manager->setLogMessaging(mode);
    QCOMPARE(manager->logMessaging(), mode);
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);

    LogRecord record(LogLevel::Error, QStringLiteral("Cannot move %11 to %12"),
                     QStringLiteral("Flow"), QStringLiteral("Element"), QStringLiteral("job.pdf"),
                     QStringLiteral("a.pdf,/out/b\nc.pdf"));
    record.time = QDateTime(QDate(2024, 5, 2), QTime(9, 15, 0, 250), Qt::UTC);
    LogRecord hidden(LogLevel::Debug, QStringLiteral("not stored, not printed"));
    QString output;
    {
        StderrCapture capture;
        Logging::instance()->log(record, flags);
        Logging::instance()->log(hidden, flags);
        output = capture.text();
    }
    const QString expected =
        QStringLiteral("2024-05-02T09:15:00.250Z error Scripter (Flow / Element / job.pdf): "
                       "Cannot move a.pdf to /out/b c.pdf\n");
    QCOMPARE(output, printed ? expected : QString());

    manager->stopServerLog();
    MessageDb::Connection reader(manager->getDatabaseFile());
    QCOMPARE(reader.messageCount(), 1);
}

void tst_LogManager::finalizeResetsTheManager()
{
    LogManager *manager = LogManager::instance();
    QCOMPARE(LogManager::instance(), manager);
    manager->storeDebugMessages = true;
    manager->setQueueLimit(10);
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    manager->startThread();
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("kept")));
    manager->setLogMessaging(1);
    LogManager::finalize();
    LogManager::finalize();

    MessageDb::Connection reader(QDir(m_dir->path()).filePath(QStringLiteral("messages.db")));
    QCOMPARE(reader.operations(), QStringList{"kept"});

    manager = LogManager::instance();
    QCOMPARE(manager->getDatabaseFile(), QString());
    QVERIFY(!manager->storeDebugMessages);
    QCOMPARE(manager->logMessaging(), 0);
    QCOMPARE(manager->queueLimit(), LogManager::DefaultQueueLimit);
    QVERIFY(manager->lastError().isEmpty());
    // The default interface now feeds the fresh manager.
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("held")));
    QCOMPARE(manager->queuedCount(), 1);
}

void tst_LogManager::captureKeepsWhatIsLoggedWhileItLives()
{
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("before")));
    QList<LogRecord> captured;
    {
        LogCapture capture;
        Logging::instance()->log(LogRecord(LogLevel::Error, QStringLiteral("control")));
        // Not stored, so not captured either.
        Logging::instance()->log(LogRecord(LogLevel::Debug, QStringLiteral("debug")));
        const std::unique_ptr<ILogInterface> run =
            LogManager::instance()->createLogInterface(QStringLiteral("run"), nullptr, nullptr);
        std::vector<std::unique_ptr<QThread>> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back(QThread::create([&run, t] {
                for (int i = 0; i < 50; ++i) {
                    run->log(LogRecord(LogLevel::Information, QString::number(t * 100 + i)));
                }
            }));
            threads.back()->start();
        }
        for (const auto &thread : threads) {
            QVERIFY(thread->wait(30000));
        }
        QCOMPARE(capture.records().size(), 201);
        captured = capture.take();
        QVERIFY(capture.records().isEmpty());
        Logging::instance()->log(LogRecord(LogLevel::Warning, QStringLiteral("later")));
        const QList<LogRecord> later = capture.take();
        QCOMPARE(later.size(), 1);
        QCOMPARE(later.first().operation, QStringLiteral("later"));
    }
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("after")));

    QCOMPARE(captured.size(), 201);
    QCOMPARE(captured.first().operation, QStringLiteral("control"));
    QCOMPARE(captured.first().level, LogLevel::Error);
    // Each thread's records in the order it logged them.
    QList<int> last(4, -1);
    for (const LogRecord &record : captured.mid(1)) {
        const int number = record.operation.toInt();
        QVERIFY(number % 100 > last[number / 100]);
        last[number / 100] = number % 100;
        QCOMPARE(record.module, QStringLiteral("run"));
    }
}

TAVRIX_TEST_GUILESS_MAIN(tst_LogManager)

#include "tst_logmanager.moc"
