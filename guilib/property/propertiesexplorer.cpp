#include "propertiesexplorer.h"

#include "mouseclickfilter.h"
#include "propertiesexplorerdelegate.h"
#include "propertiesexplorermodel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

namespace GuiLib {

PropertiesExplorer::PropertiesExplorer(QWidget *parent)
    : QTreeView(parent)
    , m_model(new PropertiesExplorerModel(this, this))
    , m_delegate(new PropertiesExplorerDelegate(this))
{
    setMinimumSize(1, 1);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Sunken);
    header()->setSectionsMovable(false);
    setUniformRowHeights(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(true);

    setModel(m_model);
    m_model->refresh();
    setItemDelegate(m_delegate);
    new MouseClickFilter(this);
}

void PropertiesExplorer::loadProperties(IProperty *root)
{
    setUpdatesEnabled(false);
    m_model->loadProperties(root);
    setRootIndex(m_model->index(0, 0));
    if (isVisible()) {
        fitNameColumn();
    }
    setUpdatesEnabled(true);
}

int PropertiesExplorer::nameColumnWidth() const
{
    return m_nameWidthSettled ? header()->sectionSize(0) : 0;
}

void PropertiesExplorer::setNameColumnWidth(int width)
{
    if (width > 0) {
        header()->resizeSection(0, width);
        m_nameWidthSettled = true;
    }
}

void PropertiesExplorer::showEvent(QShowEvent *event)
{
    QTreeView::showEvent(event);
    fitNameColumn();
}

void PropertiesExplorer::fitNameColumn()
{
    // Once only: afterwards the width is the user's, whatever set is shown.
    if (m_nameWidthSettled || m_model->rowCount(rootIndex()) == 0) {
        return;
    }
    const int names = sizeHintForColumn(0);
    if (names <= 0) {
        return;
    }
    header()->resizeSection(0, qMin(names, viewport()->width() * 2 / 3));
    m_nameWidthSettled = true;
}

bool PropertiesExplorer::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::ControlModifier
            && (key->key() == Qt::Key_C || key->key() == Qt::Key_V || key->key() == Qt::Key_A)) {
            event->accept();
            return true;
        }
    }
    return QTreeView::event(event);
}

void PropertiesExplorer::drawBranches(QPainter *painter, const QRect &rect,
                                      const QModelIndex &) const
{
    // No expand indicators: the tree is always fully expanded.
    // The grid line below the row, filled like the cells' lines (see the delegate).
    painter->fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1),
                      palette().color(QPalette::Dark));
}

} // namespace GuiLib
