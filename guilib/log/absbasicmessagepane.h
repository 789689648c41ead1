#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace GuiLib {

class LogTableView;

// The frame of a message pane: the message table, a status line with a progress bar for
// filtering, and the search button; the periodic refresh; the pane's number and its settings
// "MessagePane<number>/...". What the pane shows and how it searches is up to the subclass.
//
// Panes are numbered by a process-wide counter, the first pane of a run of the program being
// number 1; the number keeps the settings of the panes of several windows apart.
class AbsBasicMessagePane : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(AbsBasicMessagePane)

public:
    static constexpr int FirstRefreshDelayMs = 100;
    static constexpr int RefreshIntervalMs = 2500;

    explicit AbsBasicMessagePane(QWidget *parent = nullptr);
    ~AbsBasicMessagePane() override;

    int paneNumber() const { return m_paneNumber; }
    LogTableView *tableView() const { return m_tableView; }
    QString statusText() const;
    // The time between refreshes from the next one on; RefreshIntervalMs unless set.
    void setRefreshInterval(int milliseconds);

    // The state of the table's header (column order, widths, sorting) for the window's
    // settings.
    QByteArray headerState() const;
    // Restores a state that headerState() gave and sorts by the column it marks. On failure
    // returns false and leaves the header as it was.
    bool restoreHeaderState(const QByteArray &state);
    // The recent filters of the columns, for the window's settings.
    QString filterHistory() const;
    // On failure returns false with the reason and keeps the history as it was.
    bool restoreFilterHistory(const QString &history, QString *errorMessage = nullptr);

    // Stops refreshing and searching and releases the messages and the database connection;
    // the pane shows nothing afterwards. The window calls it when it closes.
    virtual void releaseModel() = 0;
    // Loads the messages logged since the last refresh. Called FirstRefreshDelayMs after
    // construction and then at the refresh interval.
    virtual void refresh() = 0;

signals:
    // The status line shows a new text.
    void statusTextChanged(const QString &text);

protected:
    enum class SearchButtonState { SearchAll, Abort, Aborting };

    // "MessagePane<number>/<name>" in the per-user settings.
    QString settingsKey(const QString &name) const;

    virtual void searchButtonClicked() = 0;
    void stopRefreshing();

    void setStatusText(const QString &text);
    // Shows the filter progress bar at `percent`; 100 hides it.
    void setFilterProgress(int percent);
    void setSearchButton(SearchButtonState state, const QString &toolTip, bool enabled);

private:
    const int m_paneNumber;
    LogTableView *m_tableView;
    QLabel *m_statusLabel;
    QProgressBar *m_progressBar;
    QPushButton *m_searchButton;
    QTimer *m_refreshTimer;
    int m_refreshIntervalMs = RefreshIntervalMs;
};

} // namespace GuiLib
