#pragma once

#include "basket/BasketEntry.h"
#include "basket/ImageBasketFile.h"

#include <QAbstractListModel>
#include <QList>

namespace lumora {

// The Image Basket: the ordered list of photos and pages that a batch run, an album or a show
// processes, in that order. One model serves the thumbnail view and the detail view: a row's
// display text is the entry's label, its decoration the thumbnail (a Picture, which the window
// turns into an image), and each column has a role of its own.
//
// Entries come in through BasketAdder; the model itself never reads image files. Every method
// is for the thread the model lives on.
class ImageBasket : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        ThumbnailRole = Qt::UserRole + 1,  // Picture; also answered for Qt::DecorationRole
        TagRole,                           // the file actually processed
        SourceSizeRole,                    // column 1
        FileSizeRole,                      // column 2
        FileTypeRole,                      // column 3
        SourcePathRole,                    // column 4
        DescriptionRole,                   // column 5; the only editable one
    };

    explicit ImageBasket(QObject* parent = nullptr);

    int size() const { return static_cast<int>(entries_.size()); }
    bool isEmpty() const { return entries_.isEmpty(); }
    const BasketEntry& at(int row) const { return entries_.at(row); }
    const QList<BasketEntry>& entries() const { return entries_; }

    // The duplicate test: true when some entry came from this source file (column 4). Pages of a
    // multipage file share their source, so a file is never split twice.
    bool containsSource(const QString& sourcePath) const;

    void append(const BasketEntry& entry);
    void append(const QList<BasketEntry>& entries);
    void setDescription(int row, const QString& description);
    // Replaces the thumbnail of the entry with this tag (a new thumbnail size); no entry, no change.
    void setThumbnail(const QString& tag, const Picture& thumbnail);

    // Removes the entries at the positions (any order; repeats and positions outside the basket
    // are ignored): ascending, each lowered by the number already removed, so exactly those
    // entries go and the others keep their order.
    void removePositions(QList<int> positions);

    // Moves the entries at the positions to the place of the entry at `target` (size() for the
    // end): they keep their order among themselves and land just before the unselected entry
    // that was at target. Every column and the thumbnail go with them. Returns their new
    // positions, ascending, so a view can keep them selected. Views' persistent indexes follow.
    QList<int> moveEntries(QList<int> positions, int target);

    // Removes every entry; the page files stay (opening a basket file starts this way).
    void removeAll();
    // "New Basket": removes every entry and deletes the extracted pages, temp/*.tif under the
    // program folder, ignoring files that cannot be deleted.
    void newBasket();
    static void deleteTempPages();

    // What a basket file keeps: column 4 and column 5 of every entry, in basket order.
    QList<ImageBasketFileEntry> fileEntries() const;

    // "<count> file(s) in basket".
    QString countText() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;  // DescriptionRole only
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    QList<BasketEntry> entries_;
};

}  // namespace lumora
