#pragma once

#include <QItemDelegate>

namespace GuiLib {

// Paints the rows of the properties explorer (a light red name cell for an invalid value,
// italic names of dependents, grid lines) and runs the editors that the properties make for
// themselves. An open editor commits each new value at once and when the focus leaves it, but
// Return does not close it; Up and Down never reach it.
class PropertiesExplorerDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    explicit PropertiesExplorerDelegate(QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

signals:
    // Asks the open editor to open its last value dialog again.
    void invokeLastEditor();

public slots:
    // Commits the value of the editor that sent the signal; the editor stays open.
    void sync();

protected:
    // Installed on each editor and every widget inside it, so that keys and focus changes of
    // the field in use are seen, not only those of the editor's frame.
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    void watchEditorWidget(QWidget *widget) const;
};

} // namespace GuiLib
