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
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <functional>
#include <memory>
#include <unistd.h>

using namespace SRCore;

namespace {

using LogSome = std::function<void()>;

void logEveryField()
{
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
}

void logLevelZero()
{
    Logging::instance()->log(LogRecord(LogLevel::Refused, QStringLiteral("Copied %1"),
                                       QStringLiteral("Flow A"), QStringLiteral("Element B"),
                                       QStringLiteral("job.txt"), QStringLiteral("a.txt")));
}

void logThroughInterfaces()
{
    Flow flow(QStringLiteral("1"));
    flow.getHeader().createField(XMLKey::NAME).setValue(QStringLiteral("Test Flow"));
    const auto ticket = IJT::createEmptyIJT();
    ticket->setActiveFileName(QStringLiteral("/in/inFolder2/_00001_job.pdf"));
    LogManager *manager = LogManager::instance();
    manager->createLogInterface(QStringLiteral("Run"), ticket.get(), &flow)
        ->log(LogRecord(LogLevel::Start, QStringLiteral("start")));
    manager->createLogInterface(QStringLiteral("Plain"), nullptr, nullptr)
        ->log(LogRecord(LogLevel::Information, QStringLiteral("plain")));
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("default")));
}

// What `write` prints on stderr.
QString printedBy(const std::function<void()> &write)
{
    QTemporaryFile file;
    file.open();
    std::fflush(stderr);
    const int saved = dup(fileno(stderr));
    dup2(file.handle(), fileno(stderr));
    write();
    std::fflush(stderr);
    dup2(saved, fileno(stderr));
    close(saved);
    file.seek(0);
    return QString::fromLocal8Bit(file.readAll());
}

// Stops the writer, so that everything logged is stored, and opens the database to read it.
MessageDb::Connection stoppedLog()
{
    LogManager::instance()->stopServerLog();
    return MessageDb::Connection(LogManager::instance()->getDatabaseFile());
}

} // namespace

Q_DECLARE_METATYPE(LogSome)

class tst_LogManager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void createsTheDatabaseThatReadersShare();
    void storesWhatIsLogged_data();
    void storesWhatIsLogged();

    void holdsMessagesUntilTheDatabaseIsOpen_data();
    void holdsMessagesUntilTheDatabaseIsOpen();
    void closeDatabaseHoldsLaterMessages();
    void stopServerLogIsIdempotent();
    void failedOpenKeepsThePreviousDatabase();
    void keepsTheDatabaseWithinItsSizeLimit();

    void printsMessagesOnStderr_data();
    void printsMessagesOnStderr();

    void finalizeResetsTheManagerAndKeepsTheDatabase();
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

void tst_LogManager::createsTheDatabaseThatReadersShare()
{
    LogManager *manager = LogManager::instance();
    QCOMPARE(manager->getDatabaseFile(), QString());
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    const QString file = QDir(m_dir->path()).absoluteFilePath(QStringLiteral("messages.db"));
    QCOMPARE(manager->getDatabaseFile(), file);

    MessageDb::Connection reader(file);
    QVERIFY(reader.isOpen());
    QCOMPARE(reader.column(QStringLiteral("PRAGMA user_version")), QStringList{"1"});
    QCOMPARE(reader.messageCount(), 0);
    manager->startThread();
    const QDateTime before = QDateTime::currentDateTimeUtc();
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("first")));
    const QDateTime after = QDateTime::currentDateTimeUtc();
    QTRY_COMPARE(reader.messageCount(), 1);
    // A record without a time is stamped when it is logged.
    const QDateTime stamped = QDateTime::fromString(
        reader.column(QStringLiteral("SELECT itemtime FROM logmessages")).value(0),
        Qt::ISODateWithMs);
    QVERIFY(stamped >= before.addMSecs(-1) && stamped <= after);
    // A reader in the middle of a read transaction does not hold the writer up.
    QCOMPARE(reader.exec(QStringLiteral("BEGIN")), QString());
    QCOMPARE(reader.messageCount(), 1);
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("second")));
    QTRY_COMPARE(manager->queuedCount(), 0);
    QCOMPARE(reader.exec(QStringLiteral("COMMIT")), QString());
    QTRY_COMPARE(reader.operations(), QStringList({"first", "second"}));
    QVERIFY(manager->lastError().isEmpty());
    // Ids are never reused, even after the pane deleted every message.
    QCOMPARE(reader.exec(QStringLiteral("DELETE FROM logmessages")), QString());
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("third")));
    manager->stopServerLog();
    QCOMPARE(reader.column(QStringLiteral("SELECT id FROM logmessages")), QStringList{"3"});
}

void tst_LogManager::storesWhatIsLogged_data()
{
    QTest::addColumn<LogSome>("logSome");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QList<QStringList>>("stored");

    const auto levels = [](bool storeDebug, const QList<int> &list) {
        return LogSome([storeDebug, list] {
            LogManager::instance()->storeDebugMessages = storeDebug;
            for (int level : list) {
                Logging::instance()->log(LogRecord(level, QStringLiteral("text")));
            }
        });
    };
    // Through the interface of a script element whose flow and job are "Test Flow" and "job.pdf".
    const auto viaModule = [](const QString &module, const QString &flow, const QString &element,
                              const QString &file, const QString &ticket) {
        return LogSome([=] {
            LogRecord record(LogLevel::Information, QStringLiteral("text"), flow, element, file);
            record.module = module;
            record.ticket = ticket;
            ModuleLogInterface(QStringLiteral("Script element"), QStringLiteral("Test Flow"),
                               QStringLiteral("job.pdf"))
                .log(record);
        });
    };
    // The queue limit applies while records cannot be stored, not while the writer is on its way
    // to store them.
    const auto burst = [] {
        LogManager::instance()->setQueueLimit(10);
        for (int i = 0; i < 2000; ++i) {
            Logging::instance()->log(LogRecord(LogLevel::Information, QString::number(i)));
        }
    };
    QList<QStringList> burstStored;
    for (int i = 0; i < 2000; ++i) {
        burstStored << QStringList{QString::number(i)};
    }
    const QString filled = QStringLiteral("module, flow, element, file, ticket");
    // clang-format off
    QTest::newRow("every field, the time in UTC") << LogSome(logEveryField) << "itemtime, type, module, flow, element, file, operation, argument, ticket, user, folder, outfolder, outfile" << QList<QStringList>{{"2024-02-28T23:02:03.045Z", "warning", "Mailer", "Invoices", "Split PDF", "job 1.pdf", "Cannot copy '%1'", "/in/a, b.pdf", "_0001A_", "anna", "/in", "/out", "/out/a.pdf"}};
    QTest::newRow("levels as type words, unknown ones as info") << levels(true, {-2, -1, 1, 2, 3, 4, 5, 6, 7, -3, 1000}) << "type" << QList<QStringList>{{"assert"}, {"debug"}, {"info"}, {"warning"}, {"error"}, {"start"}, {"progress"}, {"end"}, {"info"}, {"info"}, {"info"}};
    QTest::newRow("debug and assert only when asked") << levels(false, {LogLevel::Debug, LogLevel::Information, LogLevel::Assert, LogLevel::Error}) << "type" << QList<QStringList>{{"info"}, {"error"}};
    QTest::newRow("level 0 refused, where it came from kept") << LogSome(logLevelZero) << "type, module, flow, element, file, operation, argument" << QList<QStringList>{{"error", "Scripter", "Flow A", "Element B", "job.txt", "Log message of level 0 is not allowed; message '%1' is not logged", "Copied %1"}};
    QTest::newRow("empty fields take the interface's names") << viaModule("", "", "", "", "") << filled << QList<QStringList>{{"Script element", "Test Flow", "", "job.pdf", ""}};
    QTest::newRow("fields of the record win") << viaModule("Own module", "Own flow", "Own element", "own.pdf", "_T_") << filled << QList<QStringList>{{"Own module", "Own flow", "Own element", "own.pdf", "_T_"}};
    QTest::newRow("only the empty ones are filled") << viaModule("", "Own flow", "Element", "", "") << filled << QList<QStringList>{{"Script element", "Own flow", "Element", "job.pdf", ""}};
    QTest::newRow("the job prefix comes from the job name") << viaModule("", "", "", "_0000A_job.pdf", "") << filled << QList<QStringList>{{"Script element", "Test Flow", "", "_0000A_job.pdf", "_0000A_"}};
    QTest::newRow("interfaces of a run, of a module and the default") << LogSome(logThroughInterfaces) << "module, flow, file, ticket, type" << QList<QStringList>{{"Run", "Test Flow", "_00001_job.pdf", "_00001_", "start"}, {"Plain", "", "", "", "info"}, {"Scripter", "", "", "", "info"}};
    QTest::newRow("a burst beyond the queue limit while the writer keeps up") << LogSome(burst) << "operation" << burstStored;
    // clang-format on
}

void tst_LogManager::storesWhatIsLogged()
{
    QFETCH(LogSome, logSome);
    QFETCH(QString, columns);
    QFETCH(QList<QStringList>, stored);

    QVERIFY(!LogManager::instance()->storeDebugMessages);
    QCOMPARE(LogManager::instance()->setDatabaseFiles(m_dir->path()), 0);
    LogManager::instance()->startThread();
    logSome();
    MessageDb::Connection reader = stoppedLog();
    QCOMPARE(reader.rows(QStringLiteral("SELECT %1 FROM logmessages ORDER BY id").arg(columns)),
             stored);
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
    MessageDb::Connection reader = stoppedLog();
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
    MessageDb::Connection reader = stoppedLog();
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
    MessageDb::Connection reader = stoppedLog();
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
    const QString output = printedBy([&] {
        Logging::instance()->log(record, flags);
        Logging::instance()->log(hidden, flags);
    });
    const QString expected =
        QStringLiteral("2024-05-02T09:15:00.250Z error Scripter (Flow / Element / job.pdf): "
                       "Cannot move a.pdf to /out/b c.pdf\n");
    QCOMPARE(output, printed ? expected : QString());

    MessageDb::Connection reader = stoppedLog();
    QCOMPARE(reader.messageCount(), 1);
}

void tst_LogManager::finalizeResetsTheManagerAndKeepsTheDatabase()
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
    // The default interface now feeds the fresh manager, which goes on in the same database.
    Logging::instance()->log(LogRecord(LogLevel::Information, QStringLiteral("held")));
    QCOMPARE(manager->queuedCount(), 1);
    QCOMPARE(manager->setDatabaseFiles(m_dir->path()), 0);
    manager->stopServerLog();
    QCOMPARE(reader.rows(QStringLiteral("SELECT id, operation FROM logmessages ORDER BY id")),
             QList<QStringList>({{"1", "kept"}, {"2", "held"}}));
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
