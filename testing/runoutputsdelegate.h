#pragma once

#include <QStyledItemDelegate>

namespace Scripter {

// Shows after an item's name what the item holds under RunOutputRole, for the outgoing
// connections of the fixture tree: what each received in the last test run. The mark is part of
// the shown text only; the item's name stays as it is.
class RunOutputsDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int RunOutputRole = Qt::UserRole + 1;

    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};

} // namespace Scripter
