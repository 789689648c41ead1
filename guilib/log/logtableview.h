#pragma once

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>

class QAction;

namespace GuiLib {

class FilterHeaderView;
class MessageColumnDelegate;

// The message table: a filter header over the columns, whole rows selected, sorting by a click on
// a column title. Its context menu copies rows and fields, resets filters, their history and the
// column order, switches word wrapping of the message column, and offers the window's actions to
// clear and to export the messages.
class LogTableView : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY(LogTableView)

public:
    explicit LogTableView(QWidget *parent = nullptr);
    ~LogTableView() override;

    FilterHeaderView *filterHeader() const { return m_filterHeader; }

    // The window's actions, shown at the end of the context menu; the view does not own them.
    void setClearAction(QAction *action) { m_clearAction = action; }
    void setExportAction(QAction *action) { m_exportAction = action; }

    bool wrapText() const;
    // Wraps the message column's text at the column's width, rows growing to fit.
    void setWrapText(bool wrap);

    // The texts of the rows of `indexes`, in table order: the visible columns in their shown
    // order separated by tabs, one row a line.
    QString rowsText(const QModelIndexList &indexes) const;

signals:
    // The user switched "Wrap text".
    void wrapTextToggled(bool wrap);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void copyText();
    void copyField();

    FilterHeaderView *m_filterHeader;
    MessageColumnDelegate *m_messageDelegate;
    QAction *m_copyTextAction;
    QAction *m_copyFieldAction;
    QAction *m_resetFiltersAction;
    QAction *m_clearHistoryAction;
    QAction *m_resetColumnsAction;
    QAction *m_wrapTextAction;
    QPointer<QAction> m_clearAction;
    QPointer<QAction> m_exportAction;
    // The cell under the mouse when the context menu opened.
    QPersistentModelIndex m_contextIndex;
};

} // namespace GuiLib
