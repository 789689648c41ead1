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
#include <QTemporaryDir>
#include <QTest>

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
    void lockedDatabaseFailsAndRecovers();
    void removingFromALockedDatabaseKeepsEveryMessage();

private:
    QString databasePath() const { return m_dir->filePath(QStringLiteral("messages.db")); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_LogProvider::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_LogProvider::cleanup()
{
    m_dir.reset();
    // Every provider released its connection.
    QVERIFY2(QSqlDatabase::connectionNames().filter(QStringLiteral("DatabaseConnection")).isEmpty(),
             qPrintable(QSqlDatabase::connectionNames().join(QLatin1Char(' '))));
}

void tst_LogProvider::loadsNewestFirstWithEveryField()
{
    QCOMPARE(MessageDb::create(databasePath()), QString());
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
    QCOMPARE(MessageDb::write(databasePath(), {MessageDb::record(Level::Error, "first"), full}),
             QString());

    LogProvider provider(databasePath());
    QList<LogRecord> records;
    LogProvider::Error error;
    QVERIFY2(provider.loadNewRecords(&records, &error), qPrintable(error.text));
    QCOMPARE(records.size(), 2);
    QCOMPARE(records.at(1).operation, QStringLiteral("first"));
    const LogRecord &loaded = records.at(0);
    QCOMPARE(loaded.id, 2);
    QCOMPARE(loaded.time, full.time);
    QCOMPARE(loaded.level, Level::Warning);
    QCOMPARE(loaded.module, full.module);
    QCOMPARE(loaded.flow, full.flow);
    QCOMPARE(loaded.element, full.element);
    QCOMPARE(loaded.file, full.file);
    QCOMPARE(loaded.operation, full.operation);
    QCOMPARE(loaded.argument, full.argument);
    QCOMPARE(loaded.ticket, full.ticket);
    QCOMPARE(loaded.user, full.user);
    QCOMPARE(loaded.folder, full.folder);
    QCOMPARE(loaded.outFolder, full.outFolder);
    QCOMPARE(loaded.outFile, full.outFile);
    QCOMPARE(provider.threshold(), std::optional<qint64>(2));
}

void tst_LogProvider::leavesOutStartProgressAndEnd()
{
    QCOMPARE(MessageDb::create(databasePath()), QString());
    QList<LogRecord> logged;
    for (int level : {Level::Assert, Level::Debug, Level::Information, Level::Warning, Level::Error,
                      Level::Start, Level::Progress, Level::End, 17}) {
        logged << MessageDb::record(level, QString::number(level));
    }
    QCOMPARE(MessageDb::write(databasePath(), logged), QString());

    LogProvider provider(databasePath());
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
    QCOMPARE(MessageDb::create(databasePath()), QString());
    QCOMPARE(MessageDb::write(databasePath(), {MessageDb::record(Level::Error, "old")}), QString());
    LogProvider provider(databasePath());
    QList<LogRecord> records;
    QVERIFY(provider.loadNewRecords(&records));
    QCOMPARE(records.size(), 1);

    QVERIFY(provider.loadNewRecords(&records));
    QVERIFY(records.isEmpty());
    QCOMPARE(provider.threshold(), std::optional<qint64>(1));

    // A message of a type that is not loaded moves nothing.
    QCOMPARE(MessageDb::write(databasePath(), {MessageDb::record(Level::End, "end"),
                                               MessageDb::record(Level::Error, "new")}),
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
    QCOMPARE(MessageDb::create(databasePath()), QString());
    QCOMPARE(MessageDb::generate(databasePath(), 20000), QString());
    LogProvider provider(databasePath());
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
    QCOMPARE(MessageDb::create(databasePath()), QString());
    QCOMPARE(MessageDb::generate(databasePath(), 100), QString());
    LogProvider provider(databasePath());

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
    QCOMPARE(MessageDb::create(databasePath()), QString());
    LogProvider provider(databasePath());
    std::optional<qint64> id = 5;
    QVERIFY(provider.lowestLoadableId(&id));
    QCOMPARE(id, std::nullopt);
    QVERIFY(provider.highestId(&id));
    QCOMPARE(id, std::nullopt);

    QCOMPARE(MessageDb::write(databasePath(), {MessageDb::record(Level::Start, "start"),
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
    QCOMPARE(MessageDb::create(databasePath()), QString());
    QCOMPARE(MessageDb::generate(databasePath(), 50), QString());
    LogProvider provider(databasePath());
    QList<LogRecord> records;
    QVERIFY(provider.loadNewRecords(&records));

    LogProvider::Error error;
    QVERIFY2(provider.removeAllMessages(&error), qPrintable(error.text));
    MessageDb::Connection check(databasePath());
    QCOMPARE(check.messageCount(), 0);

    QCOMPARE(MessageDb::write(databasePath(), {MessageDb::record(Level::Error, "after")}),
             QString());
    QVERIFY(provider.loadNewRecords(&records));
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.constFirst().id, 51);
}

void tst_LogProvider::connectionsAreNamedUniquely()
{
    QCOMPARE(MessageDb::create(databasePath()), QString());
    LogProvider first(databasePath());
    LogProvider second(databasePath());
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

void tst_LogProvider::unreadableDatabaseFailsWithTheDriversText_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expectedError");
    // clang-format off
    QTest::newRow("missing file") << "missing" << "does not exist";
    QTest::newRow("no file given") << "empty" << "No message database file is given";
    QTest::newRow("folder") << "folder" << "unable to open database file";
    QTest::newRow("not an SQLite file") << "text" << "file is not a database";
    QTest::newRow("damaged database") << "damaged" << "malformed";
    QTest::newRow("database without the table") << "notable" << "no such table: logmessages";
    // clang-format on
}

void tst_LogProvider::unreadableDatabaseFailsWithTheDriversText()
{
    QFETCH(QString, kind);
    QFETCH(QString, expectedError);
    QString path = databasePath();
    if (kind == QLatin1String("empty")) {
        path.clear();
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == QLatin1String("text")) {
        QVERIFY(writeFile(
            path, QByteArray("This is a text file, not a message database.\n").repeated(200)));
    } else if (kind == QLatin1String("damaged")) {
        QCOMPARE(MessageDb::create(path), QString());
        QCOMPARE(MessageDb::generate(path, 2000), QString());
        QVERIFY(MessageDb::damage(path));
    } else if (kind == QLatin1String("notable")) {
        MessageDb::Connection connection(path);
        QCOMPARE(connection.exec(QStringLiteral("CREATE TABLE other (x)")), QString());
    }
    QByteArray before;
    if (QFileInfo(path).isFile()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        before = file.readAll();
    }

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
    if (kind == QLatin1String("missing")) {
        QVERIFY(!QFileInfo::exists(path));
    } else if (!before.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == before);
    }
}

void tst_LogProvider::lockedDatabaseFailsAndRecovers()
{
    QCOMPARE(MessageDb::createWithRollbackJournal(databasePath()), QString());
    QCOMPARE(MessageDb::generate(databasePath(), 10), QString());
    LogProvider provider(databasePath());
    QList<LogRecord> records;
    LogProvider::Error error;
    {
        MessageDb::Connection locker(databasePath(), "locker");
        QCOMPARE(locker.exec(QStringLiteral("BEGIN EXCLUSIVE")), QString());
        QVERIFY(!provider.loadNewRecords(&records, &error));
        QVERIFY2(error.text.contains(QLatin1String("locked")), qPrintable(error.text));
        QCOMPARE(error.number, QStringLiteral("5")); // SQLITE_BUSY
        QVERIFY(!provider.removeAllMessages(&error));
        locker.exec(QStringLiteral("ROLLBACK"));
    }
    QVERIFY2(provider.loadNewRecords(&records, &error), qPrintable(error.text));
    QCOMPARE(records.size(), 7);
}

void tst_LogProvider::removingFromALockedDatabaseKeepsEveryMessage()
{
    // The log writer's database: readers go on while another connection holds the write lock,
    // but deleting has to wait for it.
    QCOMPARE(MessageDb::create(databasePath()), QString());
    QCOMPARE(MessageDb::generate(databasePath(), 40), QString());
    LogProvider provider(databasePath());
    MessageDb::Connection locker(databasePath(), "locker");
    QCOMPARE(locker.exec(QStringLiteral("BEGIN EXCLUSIVE")), QString());

    QList<LogRecord> records;
    QVERIFY(provider.loadNewRecords(&records));
    QCOMPARE(records.size(), 25);
    LogProvider::Error error;
    QVERIFY(!provider.removeAllMessages(&error));
    QVERIFY2(error.text.contains(QLatin1String("locked")), qPrintable(error.text));

    QCOMPARE(locker.exec(QStringLiteral("ROLLBACK")), QString());
    QCOMPARE(locker.messageCount(), 40);
    QVERIFY2(provider.removeAllMessages(&error), qPrintable(error.text));
    QCOMPARE(locker.messageCount(), 0);
}

TAVRIX_TEST_GUILESS_MAIN(tst_LogProvider)
#include "tst_logprovider.moc"
