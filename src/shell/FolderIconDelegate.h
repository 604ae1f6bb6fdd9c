#pragma once

#include <QStyledItemDelegate>

class QListView;

namespace lumora {

// Draws a thumbnail of the folder list with its name under it. The style would size an icon-mode
// item to the width of its thumbnail, which cuts a 40-pixel thumbnail's name down to a few
// letters; this delegate gives every item its whole grid cell, so names use the cell's width.
class FolderIconDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit FolderIconDelegate(QListView* view);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QListView* view_;
};

}  // namespace lumora
