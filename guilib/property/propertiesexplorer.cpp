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
    setUpdatesEnabled(true);
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
    painter->save();
    painter->setPen(
        QPen(palette().color(QPalette::Dark), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    painter->restore();
}

} // namespace GuiLib
