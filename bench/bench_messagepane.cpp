// The message pane on a database of 1 000 000 messages: a refresh (the newest 7000 rows of the
// listed types), a column filter over 10 000 rows, and a search of the whole database, with the
// longest stall of the window while it searches and how soon Abort ends a search. The
// baselines do the same work with plain Qt: the refresh query read with QSqlQuery, a
// QSortFilterProxyModel fixed-string filter on the same model, and one query over every
// message.

#include "benchsupport.h"
#include "messagedatabase.h"

#include "guilib/log/basiclogmodel.h"
#include "guilib/log/basicmessagepane.h"
#include "guilib/log/logprovider.h"
#include "guilib/log/logsortfilterproxymodel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSortFilterProxyModel>
#include <QSqlRecord>
#include <QThread>

#include <algorithm>
#include <memory>

namespace {

constexpr int kRuns = 5;
constexpr int kMessages = 1000000;
constexpr int kFilteredRows = 10000;
constexpr double kRefreshTargetMs = 50;
constexpr double kFilterTargetMs = 30;
// The search's own target is twice the baseline's time; the window may stall at most this long.
constexpr double kStallTargetMs = 50;
constexpr double kAbortTargetMs = 100;
constexpr int kAbortAfterMs = 500;
// Matches 100 of the newest messages.
const QString kFilterText = QStringLiteral("message 9950");
const QString kSearchText = QStringLiteral("'message 123456'");

using GuiLib::BasicLogModel;

bool readRefreshQuery(const QString &path)
{
    const MessageDb::Connection connection(path, "baseline");
    QSqlQuery query(connection.database());
    if (!query.exec(GuiLib::LogProvider::refreshQuery(std::nullopt))) {
        return false;
    }
    QList<QVariantList> rows;
    const int columns = query.record().count();
    while (query.next()) {
        QVariantList row;
        for (int column = 0; column < columns; ++column) {
            row << query.value(column);
        }
        rows << row;
    }
    return !rows.isEmpty();
}

bool scanEveryMessage(const QString &path)
{
    const MessageDb::Connection connection(path, "baseline");
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT * FROM logmessages ORDER BY id DESC"))) {
        return false;
    }
    int found = 0;
    const int operation = query.record().indexOf(QStringLiteral("operation"));
    const int argument = query.record().indexOf(QStringLiteral("argument"));
    while (query.next()) {
        const QString message =
            query.value(operation).toString().arg(query.value(argument).toString());
        found += message.contains(QLatin1String("message 123456"));
    }
    return found > 0;
}

// How the window fared while the pane searched: the longest time the event loop could not run
// and, for a search aborted half-way, the time from Abort to the end of the search.
struct SearchFigures
{
    double longestStallMs = 0;
    double abortMs = -1;
};

// Runs the pane's search to its end, or aborts it after `abortAfterMs` when that is not negative.
bool searchWholeDatabase(GuiLib::BasicMessagePane &pane, SearchFigures *figures,
                         int abortAfterMs = -1)
{
    QElapsedTimer clock;
    clock.start();
    pane.startSearch();
    if (pane.searchState() != GuiLib::LogDatabaseSearch::State::Searching) {
        return false;
    }
    qint64 abortedAt = -1;
    qint64 lastTurn = clock.nsecsElapsed();
    while (pane.searchState() != GuiLib::LogDatabaseSearch::State::Idle) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const qint64 now = clock.nsecsElapsed();
        figures->longestStallMs = std::max(figures->longestStallMs, (now - lastTurn) / 1e6);
        if (abortAfterMs >= 0 && abortedAt < 0 && now / 1000000 >= abortAfterMs) {
            pane.abortSearch();
            abortedAt = clock.nsecsElapsed();
        }
        QThread::msleep(1);
        lastTurn = clock.nsecsElapsed();
    }
    if (abortedAt >= 0) {
        figures->abortMs = (clock.nsecsElapsed() - abortedAt) / 1e6;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    Bench::preferOffscreenPlatform();
    QApplication application(argc, argv);
    const Bench::PrivateHome home;
    const QString path = home.filePath(QStringLiteral("messages.db"));
    QString error = home.isValid() ? MessageDb::create(path) : QStringLiteral("no private home");
    if (error.isEmpty()) {
        error = MessageDb::generate(path, kMessages);
    }
    if (!error.isEmpty()) {
        std::fprintf(stderr, "cannot create the message database: %s\n", qPrintable(error));
        return 1;
    }

    std::unique_ptr<GuiLib::BasicMessagePane> pane;
    const double refresh = Bench::bestMs(
        kRuns,
        [&] {
            pane = std::make_unique<GuiLib::BasicMessagePane>(path);
            return true;
        },
        [&] {
            pane->refresh();
            return pane->logModel()->rowCount() == GuiLib::LogProvider::RefreshLimit;
        });
    const double refreshBaseline = Bench::bestMs(kRuns, [&] { return readRefreshQuery(path); });

    GuiLib::LogProvider provider(path);
    QList<SRCore::LogRecord> records;
    BasicLogModel model;
    if (!provider.readRange(1, kMessages, kFilteredRows, &records)) {
        std::fprintf(stderr, "cannot read the messages to filter\n");
        return 1;
    }
    model.addNewRecords(records, kFilteredRows);
    GuiLib::LogSortFilterProxyModel filter;
    filter.setSourceModel(&model);
    const double filtering = Bench::bestMs(
        kRuns,
        [&] {
            filter.clearColumnFilters();
            return filter.rowCount() == kFilteredRows;
        },
        [&] {
            filter.setColumnFilter(BasicLogModel::MessageColumn,
                                   QLatin1Char('\'') + kFilterText + QLatin1Char('\''));
            return filter.rowCount() > 0 && filter.rowCount() < kFilteredRows;
        });
    QSortFilterProxyModel plainFilter;
    plainFilter.setSourceModel(&model);
    plainFilter.setFilterKeyColumn(BasicLogModel::MessageColumn);
    const double filteringBaseline = Bench::bestMs(
        kRuns,
        [&] {
            plainFilter.setFilterFixedString(QString());
            return plainFilter.rowCount() == kFilteredRows;
        },
        [&] {
            plainFilter.setFilterFixedString(kFilterText);
            return plainFilter.rowCount() > 0 && plainFilter.rowCount() < kFilteredRows;
        });

    // The search is long; one run of each tells enough.
    pane = std::make_unique<GuiLib::BasicMessagePane>(path);
    pane->refresh();
    pane->proxyModel()->setColumnFilter(BasicLogModel::MessageColumn, kSearchText);
    SearchFigures figures;
    const double search = Bench::bestMs(1, [&] { return searchWholeDatabase(*pane, &figures); });
    const double searchBaseline = Bench::bestMs(1, [&] { return scanEveryMessage(path); });
    pane = std::make_unique<GuiLib::BasicMessagePane>(path);
    pane->refresh();
    pane->proxyModel()->setColumnFilter(BasicLogModel::MessageColumn, kSearchText);
    SearchFigures aborted;
    const bool abortRan = searchWholeDatabase(*pane, &aborted, kAbortAfterMs);

    std::printf("%d messages; best of %d (searches: one run)\n", kMessages, kRuns);
    bool ok =
        Bench::report("refresh", refresh, "refresh query read", refreshBaseline, kRefreshTargetMs);
    ok &= Bench::report("filter of 10000 rows", filtering, "QSortFilterProxyModel fixed string",
                        filteringBaseline, kFilterTargetMs);
    ok &= Bench::report("whole-database search", search, "one query over every message",
                        searchBaseline, 2 * searchBaseline);
    ok &= Bench::report("longest event-loop stall while searching", figures.longestStallMs,
                        "one query over every message", searchBaseline, kStallTargetMs);
    ok &= Bench::report("Abort to the end of the search", abortRan ? aborted.abortMs : -1,
                        "one query over every message", searchBaseline, kAbortTargetMs);
    return ok ? 0 : 1;
}
