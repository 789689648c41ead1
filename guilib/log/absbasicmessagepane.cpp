#include "absbasicmessagepane.h"

#include "filterheaderview.h"
#include "logtableview.h"

#include "guilib/images/deferrediconengine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>

namespace GuiLib {

namespace {

int nextPaneNumber()
{
    // Panes are created on the GUI thread only.
    static int counter = 0;
    return ++counter;
}

} // namespace

AbsBasicMessagePane::AbsBasicMessagePane(QWidget *parent)
    : QWidget(parent)
    , m_paneNumber(nextPaneNumber())
    , m_tableView(new LogTableView(this))
    , m_statusLabel(new QLabel(this))
    , m_progressBar(new QProgressBar(this))
    , m_searchButton(new QPushButton(this))
    , m_refreshTimer(new QTimer(this))
{
    m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
    m_statusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long status text is cut short rather than widening the pane: a pane that grows pushes
    // the panes beside it aside, and they would stay there after the text is gone.
    m_statusLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_progressBar->setObjectName(QStringLiteral("filterProgress"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setMaximumWidth(160);
    m_progressBar->hide();
    m_searchButton->setObjectName(QStringLiteral("searchButton"));
    setSearchButton(SearchButtonState::SearchAll, QString(), false);
    connect(m_searchButton, &QPushButton::clicked, this, &AbsBasicMessagePane::searchButtonClicked);

    auto *statusLayout = new QHBoxLayout;
    statusLayout->setContentsMargins(0, 0, 0, 0);
    statusLayout->addWidget(m_statusLabel, 1);
    statusLayout->addWidget(m_progressBar);
    statusLayout->addWidget(m_searchButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tableView, 1);
    layout->addLayout(statusLayout);

    m_tableView->setWrapText(
        QSettings().value(settingsKey(QStringLiteral("WrapText")), false).toBool());
    connect(m_tableView, &LogTableView::wrapTextToggled, this, [this](bool wrap) {
        QSettings().setValue(settingsKey(QStringLiteral("WrapText")), wrap);
    });

    connect(m_refreshTimer, &QTimer::timeout, this, [this]() {
        m_refreshTimer->setInterval(m_refreshIntervalMs);
        refresh();
    });
    m_refreshTimer->start(FirstRefreshDelayMs);
}

AbsBasicMessagePane::~AbsBasicMessagePane() = default;

QString AbsBasicMessagePane::statusText() const
{
    return m_statusLabel->text();
}

void AbsBasicMessagePane::setRefreshInterval(int milliseconds)
{
    m_refreshIntervalMs = milliseconds;
}

QByteArray AbsBasicMessagePane::headerState() const
{
    return m_tableView->horizontalHeader()->saveState();
}

bool AbsBasicMessagePane::restoreHeaderState(const QByteArray &state)
{
    QHeaderView *header = m_tableView->horizontalHeader();
    if (!header->restoreState(state)) {
        return false;
    }
    if (header->isSortIndicatorShown() && header->sortIndicatorSection() >= 0) {
        m_tableView->sortByColumn(header->sortIndicatorSection(), header->sortIndicatorOrder());
    }
    m_tableView->filterHeader()->updateFilterGeometries();
    return true;
}

QString AbsBasicMessagePane::filterHistory() const
{
    return m_tableView->filterHeader()->filterHistory();
}

bool AbsBasicMessagePane::restoreFilterHistory(const QString &history, QString *errorMessage)
{
    return m_tableView->filterHeader()->restoreFilterHistory(history, errorMessage);
}

QString AbsBasicMessagePane::settingsKey(const QString &name) const
{
    return QStringLiteral("MessagePane%1/%2").arg(m_paneNumber).arg(name);
}

void AbsBasicMessagePane::stopRefreshing()
{
    m_refreshTimer->stop();
}

void AbsBasicMessagePane::setStatusText(const QString &text)
{
    if (text != m_statusLabel->text()) {
        m_statusLabel->setText(text);
        m_statusLabel->setToolTip(text);
        emit statusTextChanged(text);
    }
}

void AbsBasicMessagePane::setFilterProgress(int percent)
{
    if (percent >= 100) {
        m_progressBar->hide();
        return;
    }
    m_progressBar->setValue(percent);
    m_progressBar->show();
    // Filtering runs on the GUI thread without returning to the event loop; the bar is drawn
    // at once so that it moves while the rows are filtered.
    m_progressBar->repaint();
}

void AbsBasicMessagePane::setSearchButton(SearchButtonState state, const QString &toolTip,
                                          bool enabled)
{
    switch (state) {
    case SearchButtonState::SearchAll:
        m_searchButton->setText(tr("Search all"));
        m_searchButton->setIcon(
            DeferredIconEngine::icon(QStringLiteral(":/Images/Ui_scripter/img_FindText.png")));
        break;
    case SearchButtonState::Abort:
        m_searchButton->setText(tr("Abort"));
        m_searchButton->setIcon(
            DeferredIconEngine::icon(QStringLiteral(":/Images/Ui_scripter/img_Abort.png")));
        break;
    case SearchButtonState::Aborting:
        m_searchButton->setText(tr("Aborting..."));
        m_searchButton->setIcon(
            DeferredIconEngine::icon(QStringLiteral(":/Images/Ui_scripter/img_Abort.png")));
        break;
    }
    m_searchButton->setToolTip(toolTip);
    m_searchButton->setEnabled(enabled);
}

} // namespace GuiLib
