#include "runoutputsdelegate.h"

namespace Scripter {

void RunOutputsDelegate::initStyleOption(QStyleOptionViewItem *option,
                                         const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QString mark = index.data(RunOutputRole).toString();
    if (!mark.isEmpty()) {
        option->text = tr("%1   (%2)").arg(option->text, mark);
    }
}

} // namespace Scripter
