#include "shell/FolderIconDelegate.h"

#include <QListView>

namespace lumora {

FolderIconDelegate::FolderIconDelegate(QListView* view) : QStyledItemDelegate(view), view_(view) {}

QSize FolderIconDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QSize grid = view_->gridSize();
    if (!grid.isValid())
        return QStyledItemDelegate::sizeHint(option, index);
    // A little air between neighbouring cells so selections do not touch.
    return grid - QSize(6, 4);
}

}  // namespace lumora
