// The message pane's connection to the message database: what a refresh loads, the id ranges a
// search reads, deleting, and databases that cannot be read.

#include "common/testmain.h"

#include "common/messagedatabase.h"
#include "common/testfiles.h"

#include "guilib/log/logprovider.h"

#include "corelib/logging/logrecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTest>

#include <functional>
#include <memory>

using GuiLib::LogProvider;
using SRCore::LogRecord;
namespace Level = SRCore::LogLevel;
using TestFiles::writeFile;

class tst_LogProvider : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadsNewestFirstWithEveryField();
    void leavesOutStartProgressAndEnd();
    void laterLoadsBringOnlyNewMessages();
    void loadsAtMostTheNewestSevenThousand();
    void readsRangesNewestFirstAndCountsThem();
    void findsTheOldestLoadableAndTheNewestId();
    void removesEveryMessageAndIdsGoOn();
    void connectionsAreNamedUniquely();

    void unreadableDatabaseFailsWithTheDriversText_data();
    void unreadableDatabaseFailsWithTheDriversText();
    void lockedDatabaseKeepsEveryMessageAndRecovers_data();
    void lockedDatabaseKeepsEveryMessageAndRecovers();

private:
    std::unique_ptr<MessageDb::Folder> m_db;
};

void tst_LogProvider::init()
{
    m_db = std::make_unique<MessageDb::Folder>();
    QVERIFY(m_db->isValid());
}

void tst_LogProvider::cleanup()
{
    m_db.reset();
    // Every provider released its connection.
    QVERIFY2(QSqlDatabase::connectionNames().filter(QStringLiteral("DatabaseConnection")).isEmpty(),
             qPrintable(QSqlDatabase::connectionNames().join(QLatin1Char(' '))));
}

void tst_LogProvider::loadsNewestFirstWithEveryField()
{
    QCOMPARE(m_db->make(), QString());
    LogRecord full(Level::Warning, QStringLiteral("Copied %11 to %12"), QStringLiteral("Flow A"),
                   QStringLiteral("Element B"), QStringLiteral("job.pdf"),
                   QStringLiteral("a.pdf,/out"));
    full.module = QStringLiteral("Scripter control");
    full.ticket = QStringLiteral("_00A1B_");
    full.user = QStringLiteral("anna");
    full.folder = QStringLiteral("/in");
    full.outFolder = QStringLiteral("/out");
    full.outFile = QStringLiteral("/out/job.pdf");
    full.time = QDateTime(QDate(2024, 2, 28), QTime(23, 2, 3, 45), Qt::UTC);
    QCOMPARE(m_db->write({MessageDb::record(Level::Error, "first"), full}), QString());

    LogProvider provider(m_db->path());
    QList<LogRecord> records;
    LogProvider::Error error;
    QVERIFY2(provider.loadNewRecords(&records, &error), qPrintable(error.text));
    QCOMPARE(records.size(), 2);
    QCOMPARE(records.at(1).operation, QStringLiteral("first"));
    const LogRecord &loaded = records.at(0);
    QCOMPARE(loaded.id, 2);
    QCOMPARE(loaded.time, full.time);
    QCOMPARE(loaded.level, Level::Warning);
    const QStringList fields = {full.module,    full.flow,      full.element, full.file,
                                full.operation, full.argument,  full.ticket,  full.user,
                                full.folder,    full.outFolder, full.outFile};
    QCOMPARE((QStringList{loaded.module, loaded.flow, loaded.element, loaded.file, loaded.operation,
                          loaded.argument, loaded.ticket, loaded.user, loaded.folder,
                          loaded.outFolder, loaded.outFile}),
             fields);
    QCOMPARE(provider.threshold(), std::optional<qint64>(2));
}

void tst_LogProvider::leavesOutStartProgressAndEnd()
{
    QCOMPARE(m_db->make(), QString());
    QList<LogRecord> logged;
    for (int level : {Level::Assert, Level::Debug, Level::Information, Level::Warning, Level::Error,
                      Level::Start, Level::Progress, Level::End, 17}) {
        logged << MessageDb::record(level, QString::number(level));
    }
    QCOMPARE(m_db->write(logged), QString());

    LogProvider provider(m_db->path());
    QList<LogRecord> records;
    QVERIFY(provider.loadNewRecords(&records));
    QStringList operations;
    for (const LogRecord &record : std::as_const(records)) {
        operations << record.operation;
    }
    // An unknown level is stored as "info" and loaded like one.
    QCOMPARE(operations, QStringList({"17", "3", "2", "1", "-1", "-2"}));
    QCOMPARE(records.constFirst().level, Level::Information);
}

void tst_LogProvider::laterLoadsBringOnlyNewMessages()
{
    QCOMPARE(m_db->make(), QString());
    QCOMPARE(m_db->write({MessageDb::record(Level::Error, "old")}), QString());
    LogProvider provider(m_db->path());
    QList<LogRecord> records;
    QVERIFY(provider.loadNewRecords(&records));
    QCOMPARE(records.size(), 1);

    QVERIFY(provider.loadNewRecords(&records));
    QVERIFY(records.isEmpty());
    QCOMPARE(provider.threshold(), std::optional<qint64>(1));

    // A message of a type that is not loaded moves nothing.
    QCOMPARE(
        m_db->write({MessageDb::record(Level::End, "end"), MessageDb::record(Level::Error, "new")}),
        QString());
    QVERIFY(provider.loadNewRecords(&records));
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.constFirst().operation, QStringLiteral("new"));
    QCOMPARE(records.constFirst().id, 3);

    provider.resetThreshold();
    QVERIFY(provider.loadNewRecords(&records));
    QCOMPARE(records.size(), 2);
}

void tst_LogProvider::loadsAtMostTheNewestSevenThousand()
{
    QCOMPARE(m_db->make(20000), QString());
    LogProvider provider(m_db->path());
    QList<LogRecord> records;
    QVERIFY(provider.loadNewRecords(&records));
    QCOMPARE(records.size(), LogProvider::RefreshLimit);
    // Messages 20000, 19999 and 19998 are "end", "progress" and "start"; 19997 is an error.
    QCOMPARE(records.constFirst().id, 19997);
    for (qsizetype i = 1; i < records.size(); ++i) {
        QVERIFY(records.at(i - 1).id > records.at(i).id);
        QVERIFY(records.at(i).level != Level::Start && records.at(i).level != Level::Progress
                && records.at(i).level != Level::End);
    }
}

void tst_LogProvider::readsRangesNewestFirstAndCountsThem()
{
    QCOMPARE(m_db->make(100), QString());
    LogProvider provider(m_db->path());

    qint64 count = 0;
    QVERIFY(provider.countMessages(10, 59, &count));
    QCOMPARE(count, 50);
    QVERIFY(provider.countMessages(90, 500, &count));
    QCOMPARE(count, 11);

    // Every type is read: the search itself decides which messages count.
    QList<LogRecord> records;
    QVERIFY(provider.readRange(10, 59, 20, &records));
    QCOMPARE(records.size(), 20);
    QCOMPARE(records.constFirst().id, 59);
    QCOMPARE(records.constLast().id, 40);
    QCOMPARE(records.at(3).id, 56);
    QCOMPARE(records.at(3).level, Level::End);
    QVERIFY(provider.readRange(10, 39, 50, &records));
    QCOMPARE(records.size(), 30);
    QCOMPARE(records.constLast().id, 10);
}

void tst_LogProvider::findsTheOldestLoadableAndTheNewestId()
{
    QCOMPARE(m_db->make(), QString());
    LogProvider provider(m_db->path());
    std::optional<qint64> id = 5;
    QVERIFY(provider.lowestLoadableId(&id));
    QCOMPARE(id, std::nullopt);
    QVERIFY(provider.highestId(&id));
    QCOMPARE(id, std::nullopt);

    QCOMPARE(m_db->write({MessageDb::record(Level::Start, "start"),
                          MessageDb::record(Level::Debug, "debug"),
                          MessageDb::record(Level::End, "end")}),
             QString());
    QVERIFY(provider.lowestLoadableId(&id));
    QCOMPARE(id, std::optional<qint64>(2));
    QVERIFY(provider.highestId(&id));
    QCOMPARE(id, std::optional<qint64>(3));
}

void tst_LogProvider::removesEveryMessageAndIdsGoOn()
{
    QCOMPARE(m_db->make(50), QString());
    LogProvider provider(m_db->path());
    QList<LogRecord> records;
    QVERIFY(provider.loadNewRecords(&records));

    LogProvider::Error error;
    QVERIFY2(provider.removeAllMessages(&error), qPrintable(error.text));
    MessageDb::Connection check(m_db->path());
    QCOMPARE(check.messageCount(), 0);

    QCOMPARE(m_db->write({MessageDb::record(Level::Error, "after")}), QString());
    QVERIFY(provider.loadNewRecords(&records));
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.constFirst().id, 51);
}

void tst_LogProvider::connectionsAreNamedUniquely()
{
    QCOMPARE(m_db->make(), QString());
    LogProvider first(m_db->path());
    LogProvider second(m_db->path());
    QVERIFY(first.connectionName().startsWith(QLatin1String("DatabaseConnection")));
    QVERIFY(second.connectionName().startsWith(QLatin1String("DatabaseConnection")));
    QVERIFY(first.connectionName() != second.connectionName());
    QVERIFY(first.open());
    QVERIFY(second.open());
    QVERIFY(QSqlDatabase::contains(first.connectionName()));
    QVERIFY(QSqlDatabase::contains(second.connectionName()));
    first.close();
    QVERIFY(!QSqlDatabase::contains(first.connectionName()));
    QVERIFY(second.isOpen());
}

namespace {
// Puts something that is no readable message database at `path` (or empties the path); false
// when it could not.
using Unreadable = std::function<bool(QString &path)>;
} // namespace
Q_DECLARE_METATYPE(Unreadable)

void tst_LogProvider::unreadableDatabaseFailsWithTheDriversText_data()
{
    QTest::addColumn<Unreadable>("make");
    QTest::addColumn<QString>("expectedError");
    // clang-format off
    QTest::newRow("missing file") << Unreadable([](QString &) { return true; }) << "does not exist";
    QTest::newRow("no file given") << Unreadable([](QString &path) { path.clear(); return true; }) << "No message database file is given";
    QTest::newRow("folder") << Unreadable([](QString &path) { return QDir().mkpath(path); }) << "unable to open database file";
    QTest::newRow("not an SQLite file") << Unreadable([](QString &path) { return writeFile(path, QByteArray("A text file.\n").repeated(400)); }) << "file is not a database";
    QTest::newRow("damaged database") << Unreadable([](QString &path) { return MessageDb::create(path).isEmpty() && MessageDb::generate(path, 2000).isEmpty() && MessageDb::damage(path); }) << "malformed";
    QTest::newRow("database without the table") << Unreadable([](QString &path) { return MessageDb::Connection(path).exec("CREATE TABLE other (x)").isEmpty(); }) << "no such table: logmessages";
    // clang-format on
}

void tst_LogProvider::unreadableDatabaseFailsWithTheDriversText()
{
    QFETCH(Unreadable, make);
    QFETCH(QString, expectedError);
    QString path = m_db->path();
    QVERIFY(make(path));
    const bool existed = QFileInfo::exists(path);
    const QByteArray before = TestFiles::readFile(path);

    LogProvider provider(path);
    QList<LogRecord> records;
    LogProvider::Error error;
    QVERIFY(!provider.loadNewRecords(&records, &error));
    QVERIFY2(error.text.contains(expectedError, Qt::CaseInsensitive), qPrintable(error.text));
    QVERIFY(records.isEmpty());
    QVERIFY(!provider.isOpen());
    QVERIFY(!provider.removeAllMessages(&error));
    qint64 count = 0;
    QVERIFY(!provider.countMessages(1, 10, &count, &error));
    QVERIFY(!provider.readRange(1, 10, 10, &records, &error));

    // A reader never creates, changes or removes the file.
    QCOMPARE(QFileInfo::exists(path), existed);
    QVERIFY(TestFiles::readFile(path) == before);
}

void tst_LogProvider::lockedDatabaseKeepsEveryMessageAndRecovers_data()
{
    QTest::addColumn<bool>("rollbackJournal");
    QTest::addColumn<bool>("readable"); // while the lock is held
    // The log writer's database lets readers go on while another connection holds the write
    // lock; one with a rollback journal does not. Deleting has to wait in both.
    QTest::newRow("the log writer's database") << false << true;
    QTest::newRow("a rollback journal") << true << false;
}

void tst_LogProvider::lockedDatabaseKeepsEveryMessageAndRecovers()
{
    QFETCH(bool, rollbackJournal);
    QFETCH(bool, readable);
    QCOMPARE(m_db->make(40, rollbackJournal), QString());
    LogProvider provider(m_db->path());
    MessageDb::Connection locker(m_db->path(), "locker");
    QCOMPARE(locker.exec(QStringLiteral("BEGIN EXCLUSIVE")), QString());

    QList<LogRecord> records;
    LogProvider::Error error;
    QCOMPARE(provider.loadNewRecords(&records, &error), readable);
    QCOMPARE(records.size(), readable ? 25 : 0);
    if (!readable) {
        QVERIFY2(error.text.contains(QLatin1String("locked")), qPrintable(error.text));
        QCOMPARE(error.number, QStringLiteral("5")); // SQLITE_BUSY
    }
    QVERIFY(!provider.removeAllMessages(&error));
    QVERIFY2(error.text.contains(QLatin1String("locked")), qPrintable(error.text));

    QCOMPARE(locker.exec(QStringLiteral("ROLLBACK")), QString());
    QCOMPARE(locker.messageCount(), 40);
    QVERIFY2(provider.loadNewRecords(&records, &error), qPrintable(error.text));
    QVERIFY2(provider.removeAllMessages(&error), qPrintable(error.text));
    QCOMPARE(locker.messageCount(), 0);
}

TAVRIX_TEST_GUILESS_MAIN(tst_LogProvider)
#include "tst_logprovider.moc"
