#include "basicmessagepane.h"

#include "basiclogmodel.h"
#include "filterheaderview.h"
#include "logprovider.h"
#include "logtableview.h"

#include "corelib/common/xmltext.h"
#include "corelib/files/safefilewriter.h"
#include "corelib/logging/logdatabase.h"
#include "corelib/logging/logrecord.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QDate>
#include <QDateTime>
#include <QTimer>
#include <QXmlStreamWriter>

namespace GuiLib {

namespace {

// Messages of these levels are never loaded by a refresh, so a search does not add them either.
bool isLoadedLevel(int level)
{
    return level != SRCore::LogLevel::Start && level != SRCore::LogLevel::Progress
           && level != SRCore::LogLevel::End;
}

void writeMessage(QXmlStreamWriter &writer, const SRCore::LogRecord &record, const QString &text)
{
    namespace Key = SRCore::XMLKey;
    const QString type = SRCore::LogRecord::typeWord(record.level);
    const std::pair<const QString &, QString> fields[] = {
        {Key::MSG_TIME,
         record.time.isValid() ? SRCore::LogDatabase::timeText(record.time) : QString()},
        {Key::MSG_TYPE, type},
        {Key::MSG_MODULE, record.module},
        {Key::MSG_OPERATION, record.operation},
        {Key::MSG_ARGUMENT, record.argument},
        {Key::MSG_TICKET, record.ticket},
        {Key::MSG_FLOW, record.flow},
        {Key::MSG_ELEMENT, record.element},
        {Key::MSG_USER, record.user},
        {Key::MSG_FOLDER, record.folder},
        {Key::MSG_OUTFOLDER, record.outFolder},
        {Key::MSG_FILE, record.file},
        {Key::MSG_OUTFILE, record.outFile},
        {Key::MSG_LOCALIZEDTYPE, BasicLogModel::typeText(record.level)},
        {Key::MSG_LOCALIZEDMODULE, BasicLogModel::moduleText(record.module)},
    };
    writer.writeStartElement(Key::MSG_MESSAGE);
    for (const auto &[name, value] : fields) {
        // The translations are written only where they tell something.
        if (value.isEmpty() || (&name == &Key::MSG_LOCALIZEDTYPE && value == type)
            || (&name == &Key::MSG_LOCALIZEDMODULE && value == record.module)) {
            continue;
        }
        writer.writeAttribute(name, SRCore::XmlText::withoutUnstorableCharacters(value));
    }
    writer.writeCharacters(SRCore::XmlText::withoutUnstorableCharacters(text));
    writer.writeEndElement();
}

} // namespace

BasicMessagePane::BasicMessagePane(const QString &databaseFile, QWidget *parent)
    : AbsBasicMessagePane(parent)
    , m_provider(std::make_unique<LogProvider>(databaseFile))
    , m_model(new BasicLogModel(this))
    , m_proxy(new LogSortFilterProxyModel(this))
    , m_search(new LogDatabaseSearch(databaseFile, this))
    , m_rowLimit(LogProvider::RefreshLimit)
{
    m_proxy->setSourceModel(m_model);
    tableView()->setModel(m_proxy);
    tableView()->sortByColumn(BasicLogModel::TimeColumn, Qt::DescendingOrder);

    connect(tableView()->filterHeader(), &FilterHeaderView::filterChanged, this,
            &BasicMessagePane::filterChanged);
    connect(m_proxy, &LogSortFilterProxyModel::filteringProgress, this,
            &BasicMessagePane::setFilterProgress);

    connect(m_search, &LogDatabaseSearch::progressChanged, this,
            [this](int percent, qint64 checked, qint64 total) {
                // A chunk read before the abort reached the reader must not hide that the
                // search is being aborted.
                if (m_search->state() == LogDatabaseSearch::State::Aborting) {
                    return;
                }
                setStatusText(tr("Searching database: %1% (%2 out of %3 checked)...")
                                  .arg(percent)
                                  .arg(checked)
                                  .arg(total));
            });
    connect(m_search, &LogDatabaseSearch::chunkFailed, this,
            [this](const QString &error) { setStatusText(tr("Searching error: %1").arg(error)); });
    connect(m_search, &LogDatabaseSearch::terminating, this,
            [this]() { setStatusText(tr("Terminating database search...")); });
    connect(m_search, &LogDatabaseSearch::finished, this, &BasicMessagePane::searchFinished);

    updateStatus();
    updateSearchButton();
}

BasicMessagePane::~BasicMessagePane()
{
    releaseModel();
}

QString BasicMessagePane::unexpectedErrorText() const
{
    return tr("Unexpected error happened; restart Tavrix to resolve the problem");
}

void BasicMessagePane::releaseModel()
{
    stopRefreshing();
    cancelSearch();
    if (m_model) {
        tableView()->setModel(nullptr);
        delete m_proxy;
        delete m_model;
        m_proxy = nullptr;
        m_model = nullptr;
    }
    m_provider->close();
    updateStatus();
    updateSearchButton();
}

void BasicMessagePane::refresh()
{
    if (!m_model) {
        return;
    }
    if (!m_loaded && m_notice == Notice::None) {
        setStatusText(tr("Loading messages..."));
    }
    QList<SRCore::LogRecord> records;
    LogProvider::Error error;
    bool loaded = m_provider->loadNewRecords(&records, &error);
    if (loaded && records.isEmpty() && databaseWasReplaced()) {
        forgetLoadedMessages();
        m_provider->resetThreshold();
        loaded = m_provider->loadNewRecords(&records, &error);
    }
    if (!loaded) {
        setNotice(Notice::LoadingFailed, tr("Error loading messages: %1").arg(error.text));
        return;
    }
    m_loaded = true;
    if (m_notice == Notice::LoadingFailed
        || (m_notice == Notice::RemovingFailed && !records.isEmpty())) {
        m_notice = Notice::None;
    }
    if (!records.isEmpty()) {
        m_model->addNewRecords(records, m_rowLimit);
        if (!m_oldestLoadableId) {
            updateOldestLoadableId();
        }
    }
    updateStatus();
    updateSearchButton();
}

bool BasicMessagePane::databaseWasReplaced()
{
    const std::optional<qint64> threshold = m_provider->threshold();
    std::optional<qint64> highest;
    return threshold && m_provider->highestId(&highest) && highest && *highest < *threshold;
}

void BasicMessagePane::cancelSearch()
{
    m_search->cancel();
    ++m_searchGeneration;
    m_loadingSearchResults = false;
}

void BasicMessagePane::forgetLoadedMessages()
{
    cancelSearch();
    m_model->clear();
    m_rowLimit = LogProvider::RefreshLimit;
    m_oldestLoadableId.reset();
    m_searchedFilters.reset();
}

void BasicMessagePane::updateOldestLoadableId()
{
    // Without it the pane cannot tell whether everything is shown, and a search cannot start;
    // both only wait for the next refresh.
    if (!m_provider->lowestLoadableId(&m_oldestLoadableId)) {
        m_oldestLoadableId.reset();
    }
}

void BasicMessagePane::setNotice(Notice notice, const QString &text)
{
    m_notice = notice;
    m_noticeText = text;
    updateStatus();
    updateSearchButton();
}

bool BasicMessagePane::removeAllMessages()
{
    if (!m_model) {
        setStatusText(unexpectedErrorText());
        return false;
    }
    cancelSearch();
    LogProvider::Error error;
    const bool removed = m_provider->removeAllMessages(&error);
    if (removed) {
        // The ids of later messages go on above the threshold, so the next load brings exactly
        // the messages logged from now on.
        forgetLoadedMessages();
        m_notice = Notice::None;
    }
    refresh();
    if (!removed) {
        setNotice(Notice::RemovingFailed, tr("Error removing messages: %1").arg(error.text));
    }
    return removed;
}

bool BasicMessagePane::exportShownMessages(const QString &fileName, QString *errorMessage) const
{
    const auto fail = [errorMessage](const QString &reason) {
        if (errorMessage) {
            *errorMessage = reason;
        }
        return false;
    };
    if (!m_proxy) {
        return fail(unexpectedErrorText());
    }
    QByteArray document;
    QXmlStreamWriter writer(&document);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(4);
    writer.writeStartDocument();
    writer.writeStartElement(SRCore::XMLKey::MSG_MESSAGELIST);
    for (int row = 0; row < m_proxy->rowCount(); ++row) {
        const int sourceRow = m_proxy->mapToSource(m_proxy->index(row, 0)).row();
        writeMessage(writer, m_model->record(sourceRow),
                     m_model->displayText(sourceRow, BasicLogModel::MessageColumn));
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    if (writer.hasError()) {
        return fail(unexpectedErrorText());
    }
    return SRCore::SafeFileWriter::writeFile(fileName, document, errorMessage);
}

void BasicMessagePane::filterChanged(int column, const QString &text)
{
    if (!m_proxy) {
        return;
    }
    m_proxy->setColumnFilter(column, text);
    if (m_notice == Notice::RemovingFailed) {
        m_notice = Notice::None;
    }
    updateStatus();
    updateSearchButton();
}

void BasicMessagePane::searchButtonClicked()
{
    if (m_search->state() == LogDatabaseSearch::State::Idle) {
        startSearch();
    } else {
        abortSearch();
    }
}

void BasicMessagePane::startSearch()
{
    if (!m_model) {
        setStatusText(unexpectedErrorText());
        return;
    }
    if (m_search->state() != LogDatabaseSearch::State::Idle || m_loadingSearchResults) {
        return;
    }
    const LogSortFilterProxyModel::Filters filters = m_proxy->filters();
    const std::optional<qint64> newest = m_provider->threshold();
    const int room = MaxHeldRows - m_model->rowCount();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDate today = QDate::currentDate();
    // The search runs on a thread of its own: it tests against copies of what the pane holds.
    const QSet<qint64> held = m_model->ids();
    const auto wanted = [filters, now, today, held](const SRCore::LogRecord &record) {
        return isLoadedLevel(record.level) && !held.contains(record.id)
               && filters.accepts(record, now, [&record, &today](int column) {
                      return BasicLogModel::columnText(record, column, today);
                  });
    };
    if (filters.isEmpty() || !newest || !m_oldestLoadableId
        || !m_search->start(*m_oldestLoadableId, *newest, wanted, room)) {
        setStatusText(tr("Cannot perform database search"));
        return;
    }
    m_searchedFilters = filters;
    m_searchCompleted = false;
    setStatusText(tr("Searching database: initializing..."));
    updateSearchButton();
}

void BasicMessagePane::abortSearch()
{
    if (m_search->state() != LogDatabaseSearch::State::Searching) {
        return;
    }
    m_search->abort();
    setStatusText(tr("Aborting search (this may take several seconds; please wait)..."));
    updateSearchButton();
}

void BasicMessagePane::searchFinished(LogDatabaseSearch::Outcome outcome,
                                      const QList<SRCore::LogRecord> &found)
{
    m_searchCompleted = outcome == LogDatabaseSearch::Outcome::Completed;
    m_loadingSearchResults = true;
    setStatusText(tr("Searching finished: loading data..."));
    updateSearchButton();
    // Loaded from the event loop, so that the status line shows the text above meanwhile.
    const int generation = m_searchGeneration;
    QTimer::singleShot(0, this, [this, found, generation]() {
        if (generation == m_searchGeneration) {
            loadSearchResults(found);
        }
    });
}

void BasicMessagePane::loadSearchResults(const QList<SRCore::LogRecord> &found)
{
    m_loadingSearchResults = false;
    if (!m_model) {
        return;
    }
    if (m_model->addFoundRecords(found, MaxHeldRows) > 0) {
        m_rowLimit = MaxHeldRows;
    }
    updateStatus();
    updateSearchButton();
}

void BasicMessagePane::updateStatus()
{
    if (!m_model) {
        setStatusText(tr("No data loaded"));
        return;
    }
    if (m_search->state() != LogDatabaseSearch::State::Idle || m_loadingSearchResults) {
        return; // the search reports its own progress
    }
    if (m_notice != Notice::None) {
        setStatusText(m_noticeText);
    } else if (!m_loaded) {
        setStatusText(tr("Messages are not loaded yet"));
    } else if (m_model->rowCount() == 0) {
        setStatusText(tr("No data loaded"));
    } else {
        const int oldest = m_model->rowCount() - 1;
        setStatusText(tr("Showing %1 messages out of %2 since %3")
                          .arg(m_proxy->rowCount())
                          .arg(m_model->rowCount())
                          .arg(m_model->displayText(oldest, BasicLogModel::TimeColumn)));
    }
}

void BasicMessagePane::updateSearchButton()
{
    switch (m_search->state()) {
    case LogDatabaseSearch::State::Searching:
        setSearchButton(SearchButtonState::Abort, tr("Abort the on-going search"), true);
        return;
    case LogDatabaseSearch::State::Aborting:
        setSearchButton(SearchButtonState::Aborting,
                        tr("Aborting may take several seconds; please wait"), false);
        return;
    case LogDatabaseSearch::State::Idle:
        break;
    }
    const auto [toolTip, enabled] = idleSearchState();
    setSearchButton(SearchButtonState::SearchAll, toolTip, enabled && !m_loadingSearchResults);
}

std::pair<QString, bool> BasicMessagePane::idleSearchState() const
{
    if (!m_model || (m_loaded && m_model->rowCount() == 0 && !m_oldestLoadableId)) {
        return {tr("The database is empty"), false};
    }
    if (m_oldestLoadableId && m_model->contains(*m_oldestLoadableId)) {
        return {tr("All messages in the database are shown"), false};
    }
    const LogSortFilterProxyModel::Filters &filters = m_proxy->filters();
    if (filters.isEmpty()) {
        return {tr("To enable searching, enter search terms in the filter fields at the top"),
                false};
    }
    const bool searchedBefore = m_searchedFilters && *m_searchedFilters == filters;
    if (searchedBefore && m_searchCompleted) {
        return {tr("All messages in the database have been searched"), false};
    }
    // A search would only add messages up to MaxHeldRows; a filter that lets every message
    // held pass would fill them with nearly anything.
    const int held = m_model->rowCount();
    if (held >= MaxHeldRows || (held >= LogProvider::RefreshLimit && m_proxy->rowCount() == held)) {
        return {tr("To enable searching, adjust the filter so that a smaller number of messages "
                   "match"),
                false};
    }
    if (searchedBefore) {
        return {tr("The database may contain more messages matching current filter"), true};
    }
    return {tr("Search for more messages matching the current filter"), true};
}

} // namespace GuiLib
