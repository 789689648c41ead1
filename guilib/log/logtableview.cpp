#include "logtableview.h"

#include "basiclogmodel.h"
#include "filterheaderview.h"

#include "guilib/images/deferrediconengine.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <algorithm>

namespace GuiLib {

// Wraps the message column when asked; the table itself never wraps, so the other columns stay
// one line high.
class MessageColumnDelegate : public QStyledItemDelegate
{
public:
    explicit MessageColumnDelegate(QTableView *view)
        : QStyledItemDelegate(view)
        , m_view(view)
    {}

    bool wrap = false;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (!wrap) {
            return QStyledItemDelegate::sizeHint(option, index);
        }
        // A table that does not wrap asks without the column's width; the height of wrapped
        // text depends on it.
        QStyleOptionViewItem sized = option;
        sized.rect.setWidth(m_view->columnWidth(index.column()));
        sized.rect.setHeight(qMax(1, sized.rect.height()));
        return QStyledItemDelegate::sizeHint(sized, index);
    }

    // A tool tip repeats the message only when the cell cuts it: too long for the column, or
    // more lines than the row shows.
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override
    {
        if (event->type() == QEvent::ToolTip) {
            const QSize needed = sizeHint(option, index);
            if (needed.width() <= option.rect.width() && needed.height() <= option.rect.height()) {
                QToolTip::hideText();
                return true;
            }
        }
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->features.setFlag(QStyleOptionViewItem::WrapText, wrap);
    }

private:
    QTableView *const m_view;
};

LogTableView::LogTableView(QWidget *parent)
    : QTableView(parent)
    , m_filterHeader(new FilterHeaderView(BasicLogModel::ColumnCount, this))
    , m_messageDelegate(new MessageColumnDelegate(this))
    , m_copyTextAction(
          new QAction(DeferredIconEngine::icon(QStringLiteral(":/Images/Ui_scripter/img_Copy.png")),
                      tr("Copy text"), this))
    , m_copyFieldAction(new QAction(tr("Copy this field"), this))
    , m_resetFiltersAction(new QAction(tr("Reset all filters"), this))
    , m_clearHistoryAction(new QAction(tr("Clear filter history"), this))
    , m_resetColumnsAction(new QAction(tr("Reset column ordering"), this))
    , m_wrapTextAction(new QAction(tr("Wrap text"), this))
{
    setHorizontalHeader(m_filterHeader);
    m_filterHeader->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setWordWrap(false);
    setItemDelegateForColumn(BasicLogModel::MessageColumn, m_messageDelegate);
    m_filterHeader->setSortIndicator(BasicLogModel::TimeColumn, Qt::DescendingOrder);
    setSortingEnabled(true);

    m_wrapTextAction->setCheckable(true);
    connect(m_copyTextAction, &QAction::triggered, this, &LogTableView::copyText);
    connect(m_copyFieldAction, &QAction::triggered, this, &LogTableView::copyField);
    connect(m_resetFiltersAction, &QAction::triggered, m_filterHeader,
            &FilterHeaderView::clearFilters);
    connect(m_clearHistoryAction, &QAction::triggered, m_filterHeader,
            &FilterHeaderView::clearHistory);
    connect(m_resetColumnsAction, &QAction::triggered, m_filterHeader,
            &FilterHeaderView::resetColumnOrder);
    connect(m_wrapTextAction, &QAction::triggered, this, [this](bool wrap) {
        setWrapText(wrap);
        emit wrapTextToggled(wrap);
    });
}

LogTableView::~LogTableView() = default;

bool LogTableView::wrapText() const
{
    return m_messageDelegate->wrap;
}

void LogTableView::setWrapText(bool wrap)
{
    m_messageDelegate->wrap = wrap;
    m_wrapTextAction->setChecked(wrap);
    verticalHeader()->setSectionResizeMode(wrap ? QHeaderView::ResizeToContents
                                                : QHeaderView::Fixed);
    if (!wrap) {
        // Rows grown for wrapped text go back to one line.
        for (int row = 0; row < verticalHeader()->count(); ++row) {
            verticalHeader()->resizeSection(row, verticalHeader()->defaultSectionSize());
        }
    }
    viewport()->update();
}

QString LogTableView::rowsText(const QModelIndexList &indexes) const
{
    if (!model()) {
        return QString();
    }
    QList<int> rows;
    for (const QModelIndex &index : indexes) {
        if (index.isValid() && index.model() == model() && !rows.contains(index.row())) {
            rows << index.row();
        }
    }
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    for (int row : std::as_const(rows)) {
        QStringList fields;
        for (int visual = 0; visual < horizontalHeader()->count(); ++visual) {
            const int column = horizontalHeader()->logicalIndex(visual);
            if (!isColumnHidden(column)) {
                fields << model()->index(row, column).data().toString();
            }
        }
        lines << fields.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

void LogTableView::copyText()
{
    QModelIndexList rows = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    if (rows.isEmpty() && m_contextIndex.isValid()) {
        rows << QModelIndex(m_contextIndex);
    }
    if (!rows.isEmpty()) {
        QApplication::clipboard()->setText(rowsText(rows));
    }
}

void LogTableView::copyField()
{
    if (m_contextIndex.isValid()) {
        QApplication::clipboard()->setText(m_contextIndex.data().toString());
    }
}

void LogTableView::contextMenuEvent(QContextMenuEvent *event)
{
    m_contextIndex = indexAt(event->pos());
    const bool hasRows =
        m_contextIndex.isValid() || (selectionModel() && selectionModel()->hasSelection());
    m_copyTextAction->setEnabled(hasRows);
    m_copyFieldAction->setEnabled(m_contextIndex.isValid());

    QMenu menu(this);
    menu.addAction(m_copyTextAction);
    menu.addAction(m_copyFieldAction);
    menu.addSeparator();
    menu.addAction(m_resetFiltersAction);
    menu.addAction(m_clearHistoryAction);
    menu.addAction(m_resetColumnsAction);
    menu.addSeparator();
    menu.addAction(m_wrapTextAction);
    if (m_clearAction || m_exportAction) {
        menu.addSeparator();
        for (QAction *action : {m_exportAction.data(), m_clearAction.data()}) {
            if (action) {
                menu.addAction(action);
            }
        }
    }
    menu.exec(event->globalPos());
    event->accept();
}

void LogTableView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    if (dx != 0) {
        m_filterHeader->updateFilterGeometries();
    }
}

} // namespace GuiLib
