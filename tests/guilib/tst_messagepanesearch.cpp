// Searching the whole message database from the message pane: the chunks, the status texts, the
// search button's states and tool tips, aborting, failed chunks, the bound on the rows held, and
// messages that arrive while the search runs on its own thread.

#include "common/testmain.h"

#include "common/messagedatabase.h"

#include "guilib/log/basiclogmodel.h"
#include "guilib/log/basicmessagepane.h"
#include "guilib/log/filterheaderview.h"
#include "guilib/log/logtableview.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QTest>

#include <memory>

using GuiLib::BasicLogModel;
using GuiLib::BasicMessagePane;
using GuiLib::LogDatabaseSearch;

namespace {

const QString searchMore = QStringLiteral("Search for more messages matching the current filter");
const QString narrowTheFilter = QStringLiteral(
    "To enable searching, adjust the filter so that a smaller number of messages match");
const QString mayContainMore =
    QStringLiteral("The database may contain more messages matching current filter");
const QString allSearched = QStringLiteral("All messages in the database have been searched");

QPushButton *searchButton(const BasicMessagePane &pane)
{
    return pane.findChild<QPushButton *>(QStringLiteral("searchButton"));
}

QStringList texts(const QSignalSpy &spy)
{
    QStringList result;
    for (const QList<QVariant> &arguments : spy) {
        result << arguments.constFirst().toString();
    }
    return result;
}

// The status texts that report the search's progress.
QStringList progressTexts(const QStringList &statuses)
{
    static const QRegularExpression progress(
        QStringLiteral("^Searching database: \\d+% \\(\\d+ out of \\d+ checked\\)\\.\\.\\.$"));
    return statuses.filter(progress);
}

// A pane on `path` that has loaded its first messages, with a filter in `column`.
std::unique_ptr<BasicMessagePane> loadedPane(const QString &path, int column, const QString &filter)
{
    auto pane = std::make_unique<BasicMessagePane>(path);
    pane->resize(900, 400);
    pane->show();
    pane->refresh();
    pane->tableView()->filterHeader()->setFilterText(column, filter);
    return pane;
}

} // namespace

class tst_MessagePaneSearch : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void searchAddsOlderMatchesChunkByChunk();
    void searchStopsAtTheBoundKeepingTheNewestFound();
    void abortStopsALongSearchBetweenChunks();
    void failedChunkIsTriedAgain();
    void abortWhileAChunkFailsKeepsWhatWasFound();
    void searchThatCannotStartSaysSo();
    void clearingStopsTheSearch();

private:
    // How many messages of the database a search on `condition` can find.
    qint64 matchingInDatabase(const QString &condition) const
    {
        return MessageDb::Connection(m_db->path())
            .number(
                QStringLiteral("SELECT count(*) FROM logmessages WHERE ") + condition
                + QStringLiteral(" AND type IN ('error', 'warning', 'info', 'debug', 'assert')"));
    }

    std::unique_ptr<MessageDb::Folder> m_db;
};

void tst_MessagePaneSearch::init()
{
    QSettings().clear();
    m_db = std::make_unique<MessageDb::Folder>();
    QVERIFY(m_db->isValid());
}

void tst_MessagePaneSearch::cleanup()
{
    m_db.reset();
    QVERIFY(QSqlDatabase::connectionNames().filter(QStringLiteral("DatabaseConnection")).isEmpty());
}

void tst_MessagePaneSearch::searchAddsOlderMatchesChunkByChunk()
{
    QCOMPARE(m_db->make(20000), QString());
    auto pane = loadedPane(m_db->path(), BasicLogModel::FlowColumn, QString());
    QCOMPARE(pane->logModel()->rowCount(), 7000);
    QPushButton *button = searchButton(*pane);
    QCOMPARE(button->toolTip(),
             "To enable searching, enter search terms in the filter fields at the top");
    QVERIFY(!button->isEnabled());
    // Every message held passes: a search would bring nearly anything.
    pane->tableView()->filterHeader()->setFilterText(BasicLogModel::FlowColumn, "flow");
    QCOMPARE(pane->proxyModel()->rowCount(), 7000);
    QCOMPARE(button->toolTip(), narrowTheFilter);
    QVERIFY(!button->isEnabled());
    pane->tableView()->filterHeader()->setFilterText(BasicLogModel::FlowColumn, "Flow3");
    const int matchingHeld = pane->proxyModel()->rowCount();
    QCOMPARE(button->toolTip(), searchMore);
    QVERIFY(button->isEnabled());

    QSignalSpy statuses(pane.get(), &BasicMessagePane::statusTextChanged);

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(button->text(), QStringLiteral("Abort"));
    QCOMPARE(button->toolTip(), QStringLiteral("Abort the on-going search"));
    QVERIFY(button->isEnabled());
    QCOMPARE(pane->statusText(), QStringLiteral("Searching database: initializing..."));
    QCOMPARE(pane->searchState(), LogDatabaseSearch::State::Searching);

    QTRY_COMPARE_WITH_TIMEOUT(button->text(), QStringLiteral("Search all"), 20000);
    QTRY_VERIFY(pane->statusText().startsWith(QLatin1String("Showing ")));

    // The range is from the oldest loadable message (1, an assert) to the newest loaded one.
    const QStringList seen = texts(statuses);
    QCOMPARE(seen.mid(0, 6),
             QStringList({"Searching database: initializing...",
                          "Searching database: 25% (5000 out of 19997 checked)...",
                          "Searching database: 50% (10000 out of 19997 checked)...",
                          "Searching database: 75% (15000 out of 19997 checked)...",
                          "Searching database: 100% (19997 out of 19997 checked)...",
                          "Searching finished: loading data..."}));

    // Every message of the database that passes the filter is held now.
    const qint64 matching = matchingInDatabase(QStringLiteral("flow = 'Flow3'"));
    QCOMPARE(pane->proxyModel()->rowCount(), matching);
    QCOMPARE(pane->logModel()->rowCount(), 7000 + matching - matchingHeld);
    QCOMPARE(pane->statusText(),
             QStringLiteral("Showing %1 messages out of %2 since %3")
                 .arg(matching)
                 .arg(pane->logModel()->rowCount())
                 .arg(pane->logModel()->displayText(pane->logModel()->rowCount() - 1,
                                                    BasicLogModel::TimeColumn)));
    QCOMPARE(button->toolTip(), allSearched);
    QVERIFY(!button->isEnabled());

    // Another filter can find more; the same filter typed differently cannot.
    pane->tableView()->filterHeader()->setFilterText(BasicLogModel::FlowColumn,
                                                     QStringLiteral("Flow3 Flow4"));
    QCOMPARE(button->toolTip(), searchMore);
    QVERIFY(button->isEnabled());
    pane->tableView()->filterHeader()->setFilterText(BasicLogModel::FlowColumn,
                                                     QStringLiteral(" Flow3 "));
    QCOMPARE(button->toolTip(), allSearched);
    pane->releaseModel();
}

void tst_MessagePaneSearch::searchStopsAtTheBoundKeepingTheNewestFound()
{
    QCOMPARE(m_db->make(30000), QString());
    auto pane =
        loadedPane(m_db->path(), BasicLogModel::TypeColumn, QStringLiteral("info debug warning"));
    QCOMPARE(pane->logModel()->rowCount(), 7000);
    const qint64 oldestLoaded = pane->logModel()->record(6999).id;
    const int matchingHeld = pane->proxyModel()->rowCount();
    QCOMPARE(matchingHeld, 4200);

    QTest::mouseClick(searchButton(*pane), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(searchButton(*pane)->text(), QStringLiteral("Search all"), 20000);
    QTRY_VERIFY(pane->statusText().startsWith(QLatin1String("Showing ")));

    // Room was left for 3000 more; the oldest of the messages found were dropped.
    QCOMPARE(pane->logModel()->rowCount(), BasicMessagePane::MaxHeldRows);
    QCOMPARE(pane->proxyModel()->rowCount(), matchingHeld + 3000);
    const MessageDb::Connection database(m_db->path());
    const qint64 oldestKept = database.number(
        QStringLiteral("SELECT id FROM logmessages WHERE id < %1 AND type IN ('info', 'debug', "
                       "'warning') ORDER BY id DESC LIMIT 1 OFFSET 2999")
            .arg(oldestLoaded));
    QCOMPARE(pane->logModel()->record(BasicMessagePane::MaxHeldRows - 1).id, oldestKept);
    QCOMPARE(searchButton(*pane)->toolTip(), narrowTheFilter);
    QVERIFY(!searchButton(*pane)->isEnabled());

    // New messages still come in on top; the oldest make room for them.
    QCOMPARE(m_db->write({MessageDb::record(SRCore::LogLevel::Information, "new")}), QString());
    pane->refresh();
    QCOMPARE(pane->logModel()->rowCount(), BasicMessagePane::MaxHeldRows);
    QCOMPARE(pane->logModel()->record(0).id, 30001);
    pane->releaseModel();
}

void tst_MessagePaneSearch::abortStopsALongSearchBetweenChunks()
{
    // More messages than the smallest chunks would read in the most chunks a search takes.
    QCOMPARE(m_db->make(200000), QString());
    // Only the newest messages are loaded, however large the database.
    auto pane =
        loadedPane(m_db->path(), BasicLogModel::MessageColumn, QStringLiteral("'message 5000'"));
    QCOMPARE(pane->logModel()->rowCount(), 7000);
    QCOMPARE(pane->logModel()->record(0).id, 199997);
    QCOMPARE(pane->proxyModel()->rowCount(), 0);
    QSignalSpy statuses(pane.get(), &BasicMessagePane::statusTextChanged);
    QPushButton *button = searchButton(*pane);

    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_VERIFY(!progressTexts(texts(statuses)).isEmpty());
    QCOMPARE(progressTexts(texts(statuses)).constFirst(),
             QStringLiteral("Searching database: 3% (6667 out of 199997 checked)..."));
    QCOMPARE(button->text(), QStringLiteral("Abort"));

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(pane->searchState(), LogDatabaseSearch::State::Aborting);
    QCOMPARE(button->text(), QStringLiteral("Aborting..."));
    QCOMPARE(button->toolTip(), QStringLiteral("Aborting may take several seconds; please wait"));
    QVERIFY(!button->isEnabled());
    QCOMPARE(pane->statusText(),
             QStringLiteral("Aborting search (this may take several seconds; please wait)..."));

    QTRY_COMPARE(button->text(), QStringLiteral("Search all"));
    QTRY_VERIFY(pane->statusText().startsWith(QLatin1String("Showing ")));
    const QStringList seen = texts(statuses);
    const qsizetype aborting = seen.indexOf(
        QStringLiteral("Aborting search (this may take several seconds; please wait)..."));
    QVERIFY(aborting > 0);
    QCOMPARE(seen.mid(aborting + 1, 2), QStringList({"Terminating database search...",
                                                     "Searching finished: loading data..."}));
    // Far from the whole database was read.
    QVERIFY(progressTexts(seen).size() < 20);
    QCOMPARE(button->toolTip(), mayContainMore);
    QVERIFY(button->isEnabled());
    pane->releaseModel();
}

void tst_MessagePaneSearch::failedChunkIsTriedAgain()
{
    QCOMPARE(m_db->make(12000, true), QString());
    auto pane = loadedPane(m_db->path(), BasicLogModel::FlowColumn, QStringLiteral("Flow5"));
    pane->findChild<LogDatabaseSearch *>()->setRetryDelay(50);
    QSignalSpy statuses(pane.get(), &BasicMessagePane::statusTextChanged);
    MessageDb::Connection locker(m_db->path(), "locker");
    // The pane may be reading (its refresh): the lock waits for that read instead of failing
    // with "database is locked".
    QCOMPARE(locker.exec(QStringLiteral("PRAGMA busy_timeout = 10000")), QString());
    QCOMPARE(locker.exec(QStringLiteral("BEGIN EXCLUSIVE")), QString());

    QTest::mouseClick(searchButton(*pane), Qt::LeftButton);
    QTRY_COMPARE(pane->statusText(), QStringLiteral("Searching error: 5"));
    QCOMPARE(searchButton(*pane)->text(), QStringLiteral("Abort"));
    QCOMPARE(locker.exec(QStringLiteral("ROLLBACK")), QString());

    QTRY_COMPARE(searchButton(*pane)->text(), QStringLiteral("Search all"));
    QTRY_VERIFY(pane->statusText().startsWith(QLatin1String("Showing ")));
    const QStringList seen = texts(statuses);
    QCOMPARE(progressTexts(seen).constLast(),
             QStringLiteral("Searching database: 100% (11997 out of 11997 checked)..."));
    QCOMPARE(pane->proxyModel()->rowCount(), matchingInDatabase(QStringLiteral("flow = 'Flow5'")));
    pane->releaseModel();
}

void tst_MessagePaneSearch::abortWhileAChunkFailsKeepsWhatWasFound()
{
    // A damaged message among the older ones: the chunks above it are read, the one holding it
    // fails at every try.
    QCOMPARE(m_db->make(2000), QString());
    QCOMPARE(m_db->write({MessageDb::record(SRCore::LogLevel::Error, QString(20000, u'Q'))}),
             QString());
    QCOMPARE(MessageDb::generate(m_db->path(), 20000), QString());
    QVERIFY(MessageDb::breakLongMessage(m_db->path(), 'Q'));
    auto pane = loadedPane(m_db->path(), BasicLogModel::FlowColumn, QStringLiteral("Flow5"));
    const int held = pane->logModel()->rowCount();
    QSignalSpy statuses(pane.get(), &BasicMessagePane::statusTextChanged);

    QTest::mouseClick(searchButton(*pane), Qt::LeftButton);
    QTRY_COMPARE(pane->statusText(), QStringLiteral("Searching error: 11"));

    QTest::mouseClick(searchButton(*pane), Qt::LeftButton);
    QTRY_COMPARE(searchButton(*pane)->text(), QStringLiteral("Search all"));
    const QStringList seen = texts(statuses);
    QVERIFY(seen.contains(QStringLiteral("Terminating database search...")));
    QVERIFY(seen.contains(QStringLiteral("Searching finished: loading data...")));
    QCOMPARE(seen.filter(QStringLiteral("Searching error")).size(), 1);
    // The messages of the chunks read before the failure were added.
    QTRY_VERIFY(pane->logModel()->rowCount() > held);
    QCOMPARE(searchButton(*pane)->toolTip(), mayContainMore);
    QTRY_VERIFY(pane->statusText().startsWith(QLatin1String("Showing ")));
    pane->releaseModel();
}

void tst_MessagePaneSearch::searchThatCannotStartSaysSo()
{
    QCOMPARE(m_db->make(100), QString());
    {
        auto pane = loadedPane(m_db->path(), BasicLogModel::FlowColumn, QString());
        pane->startSearch();
        QCOMPARE(pane->statusText(), QStringLiteral("Cannot perform database search"));
        QCOMPARE(pane->searchState(), LogDatabaseSearch::State::Idle);
        pane->releaseModel();
        pane->startSearch();
        QCOMPARE(
            pane->statusText(),
            QStringLiteral("Unexpected error happened; restart Tavrix to resolve the problem"));
    }
    // Nothing could be loaded, so there is nothing to search from.
    auto pane = loadedPane(m_db->filePath(QStringLiteral("missing.db")), BasicLogModel::FlowColumn,
                           QStringLiteral("Flow1"));
    pane->startSearch();
    QCOMPARE(pane->statusText(), QStringLiteral("Cannot perform database search"));
    QCOMPARE(pane->searchState(), LogDatabaseSearch::State::Idle);
}

void tst_MessagePaneSearch::clearingStopsTheSearch()
{
    QCOMPARE(m_db->make(30000), QString());
    auto pane = loadedPane(m_db->path(), BasicLogModel::FlowColumn, QStringLiteral("Flow5"));
    QSignalSpy statuses(pane.get(), &BasicMessagePane::statusTextChanged);
    QTest::mouseClick(searchButton(*pane), Qt::LeftButton);
    QTRY_VERIFY(!progressTexts(texts(statuses)).isEmpty());

    QVERIFY(pane->removeAllMessages());
    QCOMPARE(pane->searchState(), LogDatabaseSearch::State::Idle);
    QCOMPARE(searchButton(*pane)->text(), QStringLiteral("Search all"));
    QCOMPARE(pane->logModel()->rowCount(), 0);
    statuses.clear();
    // Long enough for the stopped search to have reported, had it gone on.
    QTest::qWait(500);
    QVERIFY(progressTexts(texts(statuses)).isEmpty());
    QVERIFY(!texts(statuses).contains(QStringLiteral("Searching finished: loading data...")));
    QCOMPARE(pane->logModel()->rowCount(), 0);
    QCOMPARE(pane->statusText(), QStringLiteral("No data loaded"));
    pane->releaseModel();
}

TAVRIX_TEST_MAIN(tst_MessagePaneSearch)
#include "tst_messagepanesearch.moc"
