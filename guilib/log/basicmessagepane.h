#pragma once

#include "absbasicmessagepane.h"
#include "logdatabasesearch.h"
#include "logsortfilterproxymodel.h"

#include <QList>

#include <memory>
#include <optional>
#include <utility>

namespace SRCore {
struct LogRecord;
}

namespace GuiLib {

class BasicLogModel;
class LogProvider;

// A message pane on one message database: it shows the newest messages, adds new ones at every
// refresh, filters them by the columns' filter fields, searches the whole database for older
// messages that pass the filters, deletes all messages and exports the shown ones.
//
// The status line shows the outcome of the last refresh, search or clearing. A database that
// cannot be read shows "Error loading messages: ..." and is tried again at the next refresh.
class BasicMessagePane : public AbsBasicMessagePane
{
    Q_OBJECT
    Q_DISABLE_COPY(BasicMessagePane)

public:
    // The most messages held after a search adds the older messages it found.
    static constexpr int MaxHeldRows = 10000;

    explicit BasicMessagePane(const QString &databaseFile, QWidget *parent = nullptr);
    ~BasicMessagePane() override;

    // Null after releaseModel().
    BasicLogModel *logModel() const { return m_model; }
    LogSortFilterProxyModel *proxyModel() const { return m_proxy; }
    LogDatabaseSearch::State searchState() const { return m_search->state(); }

    void releaseModel() override;
    void refresh() override;

    // Deletes every message of the database and loads again, so that only messages logged
    // afterwards appear. On failure the status line shows "Error removing messages: ..." and
    // every message stays.
    bool removeAllMessages();
    // Writes the shown messages, in table order, as a "message-list" document to `fileName`,
    // replacing the file in one step: on failure a previous file stays as it was.
    bool exportShownMessages(const QString &fileName, QString *errorMessage = nullptr) const;

    // Searches the database for older messages that pass the current filters.
    void startSearch();
    // Stops the running search before its next chunk; what it found so far is added.
    void abortSearch();

protected:
    void searchButtonClicked() override;

private:
    enum class Notice { None, LoadingFailed, RemovingFailed };

    // Messages up to the threshold are held or were passed over; the database was replaced by
    // one whose ids start again when its newest id lies below the threshold.
    bool databaseWasReplaced();
    // Stops a running search and drops the results of one that has just ended.
    void cancelSearch();
    // Empties the pane; the id threshold stays.
    void forgetLoadedMessages();
    void updateOldestLoadableId();
    void setNotice(Notice notice, const QString &text);
    void filterChanged(int column, const QString &text);
    void searchFinished(LogDatabaseSearch::Outcome outcome, const QList<SRCore::LogRecord> &found);
    void loadSearchResults(const QList<SRCore::LogRecord> &found);
    void updateStatus();
    void updateSearchButton();
    // The text of the search button's tool tip while no search runs, and whether a search can
    // start.
    std::pair<QString, bool> idleSearchState() const;
    QString unexpectedErrorText() const;

    std::unique_ptr<LogProvider> m_provider;
    BasicLogModel *m_model;
    LogSortFilterProxyModel *m_proxy;
    LogDatabaseSearch *m_search;

    bool m_loaded = false;
    // RefreshLimit, or MaxHeldRows once a search added messages.
    int m_rowLimit;
    std::optional<qint64> m_oldestLoadableId;
    Notice m_notice = Notice::None;
    QString m_noticeText;

    // The filters of the last search, and whether it read the whole database.
    std::optional<LogSortFilterProxyModel::Filters> m_searchedFilters;
    bool m_searchCompleted = false;
    // Set between the end of a search and the loading of its results.
    bool m_loadingSearchResults = false;
    // Incremented whenever a finished search's results must no longer be loaded.
    int m_searchGeneration = 0;
};

} // namespace GuiLib
