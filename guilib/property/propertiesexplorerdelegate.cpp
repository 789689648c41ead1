#include "propertiesexplorerdelegate.h"

#include "genericproperty.h"
#include "iproperty.h"
#include "propertiesexplorermodel.h"

#include "corelib/vocabulary/xmlvalues.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPersistentModelIndex>

namespace GuiLib {

namespace {

// Editors are children of the view's viewport; a watched widget inside one has the editor
// among its ancestors.
QWidget *editorOf(QObject *object)
{
    QWidget *widget = qobject_cast<QWidget *>(object);
    while (widget && widget->parentWidget() && widget->parentWidget()->parentWidget()
           && !qobject_cast<QAbstractItemView *>(widget->parentWidget()->parentWidget())) {
        widget = widget->parentWidget();
    }
    return widget;
}

// The cell an editor was made for, kept on the editor.
const char *const EditedCell = "tavrixEditedCell";

// Whether the view still holds `editor` open over its cell. A closed editor gives up the focus
// and reports its last text before it goes; by then the view has taken its value. The cell is
// the one the editor was made for: where the editor sits says nothing while the view has yet to
// lay out rows whose height changed.
bool isOpenEditor(QWidget *editor)
{
    QWidget *viewport = editor->parentWidget();
    auto *view = viewport ? qobject_cast<QAbstractItemView *>(viewport->parentWidget()) : nullptr;
    const auto cell = editor->property(EditedCell).value<QPersistentModelIndex>();
    return view && cell.isValid() && view->indexWidget(cell) == editor;
}

} // namespace

PropertiesExplorerDelegate::PropertiesExplorerDelegate(QObject *parent)
    : QItemDelegate(parent)
{}

QWidget *PropertiesExplorerDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                                  const QModelIndex &index) const
{
    IProperty *property = PropertiesExplorerModel::shownProperty(index);
    if (!property) {
        return nullptr;
    }
    // The editor reports to this delegate, which is not changed by that: the Qt interface
    // makes createEditor() const.
    auto *self = const_cast<PropertiesExplorerDelegate *>(this);
    QWidget *editor = property->createEditor(parent, self, SLOT(sync()));
    if (editor) {
        editor->setProperty(EditedCell, QVariant::fromValue(QPersistentModelIndex(index)));
        property->connectEditor(editor, self, SIGNAL(invokeLastEditor()));
        watchEditorWidget(editor);
    }
    return editor;
}

void PropertiesExplorerDelegate::watchEditorWidget(QWidget *widget) const
{
    // The value dialogs that an editor opens are windows of their own: their keys and focus
    // are theirs, not the editor's.
    if (widget->isWindow()) {
        return;
    }
    auto *self = const_cast<PropertiesExplorerDelegate *>(this);
    widget->installEventFilter(self);
    const QList<QWidget *> children = widget->findChildren<QWidget *>();
    for (QWidget *child : children) {
        if (child->window() == widget->window()) {
            child->installEventFilter(self);
        }
    }
}

void PropertiesExplorerDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (IProperty *property = PropertiesExplorerModel::shownProperty(index)) {
        property->setEditorData(editor);
    }
}

void PropertiesExplorerDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                              const QModelIndex &index) const
{
    IProperty *property = PropertiesExplorerModel::shownProperty(index);
    if (!property) {
        return;
    }
    property->setModelData(editor);
    model->setData(index, property->value(), Qt::UserRole);
}

void PropertiesExplorerDelegate::updateEditorGeometry(QWidget *editor,
                                                      const QStyleOptionViewItem &option,
                                                      const QModelIndex &index) const
{
    QItemDelegate::updateEditorGeometry(editor, option, index);
    // Keep the grid lines of the cell visible around the editor.
    editor->setGeometry(editor->geometry().adjusted(0, 0, -1, -1));
}

QSize PropertiesExplorerDelegate::sizeHint(const QStyleOptionViewItem &option,
                                           const QModelIndex &index) const
{
    return QItemDelegate::sizeHint(option, index) + QSize(4, 4);
}

void PropertiesExplorerDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                       const QModelIndex &index) const
{
    const IProperty *property = PropertiesExplorerModel::shownProperty(index);
    QStyleOptionViewItem cell = option;
    cell.state &= ~QStyle::State_HasFocus;
    const QRect rect = option.rect;

    if (index.column() == 0) {
        // The name cell shows whether the value is valid, from the view's left edge on.
        QColor background(255, 151, 151);
        if (!property || property->isValid()) {
            background = option.palette.color(QPalette::Window);
            background.setAlpha(128);
        }
        // Filled, not drawn with a pen: Qt rasterises an outline pixel by pixel and hands the
        // pixels of every row to its thread pool, which made painting the rows slow.
        painter->fillRect(QRect(QPoint(0, rect.top()), QPoint(rect.right(), rect.bottom() - 1)),
                          background);
        // Dependents sit two levels below the root.
        if (index.parent().parent().isValid()) {
            cell.font.setItalic(true);
        }
    } else {
        cell.state &= ~QStyle::State_Selected;
        const auto *generic = qobject_cast<const GenericProperty *>(property);
        cell.textElideMode = generic && generic->type() == SRCore::XMLValues::PATH ? Qt::ElideMiddle
                                                                                   : Qt::ElideRight;
    }

    QItemDelegate::paint(painter, cell, index);

    // The grid: a line on the right of the cell and one below the whole row up to it.
    const QColor grid = option.palette.color(QPalette::Dark);
    painter->fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), grid);
    painter->fillRect(QRect(0, rect.bottom(), rect.right() + 1, 1), grid);
}

void PropertiesExplorerDelegate::sync()
{
    auto *editor = qobject_cast<QWidget *>(sender());
    if (editor && isOpenEditor(editor)) {
        emit commitData(editor);
    }
}

bool PropertiesExplorerDelegate::eventFilter(QObject *object, QEvent *event)
{
    QWidget *editor = editorOf(object);
    if (!editor) {
        return QItemDelegate::eventFilter(object, event);
    }
    switch (event->type()) {
    case QEvent::ChildAdded:
        // A field that the editor makes later (on a change of editor kind) is watched too.
        if (auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child())) {
            watchEditorWidget(child);
        }
        return false;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)
            && !key->modifiers().testFlag(Qt::ControlModifier)) {
            event->ignore();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            return true;
        }
        break;
    }
    case QEvent::FocusOut: {
        // Opening a combo box list is no leaving.
        if (static_cast<QFocusEvent *>(event)->reason() == Qt::PopupFocusReason) {
            return false;
        }
        QWidget *focus = QApplication::focusWidget();
        if (focus != editor && !editor->isAncestorOf(focus) && isOpenEditor(editor)) {
            emit commitData(editor);
        }
        return false;
    }
    default:
        break;
    }
    return QItemDelegate::eventFilter(editor, event);
}

} // namespace GuiLib
