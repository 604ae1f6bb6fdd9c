#pragma once

#include <QHash>
#include <QList>
#include <QListView>
#include <QPixmap>
#include <QSize>
#include <QStringList>
#include <QStyledItemDelegate>

class QMimeData;

namespace lumora {

class ImageBasket;

// Draws one basket entry: its thumbnail at the list's thumbnail size with the label under it.
// The entry's Picture is turned into a pixmap once and kept, keyed by the entry's tag (unique
// per entry: a source file is added once, each page has a file of its own), so scrolling and
// reordering never convert pixels again. Thumbnails made at an earlier size keep their pixels
// and are drawn scaled into the current size.
class BasketItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit BasketItemDelegate(ImageBasket& basket, QObject* parent = nullptr);

    void setThumbnailSize(const QSize& size);
    QSize thumbnailSize() const { return thumbnailSize_; }

    // The pixmap drawn for the entry, made on first use.
    QPixmap thumbnail(const QModelIndex& index) const;
    int cachedCount() const { return static_cast<int>(cache_.size()); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QSize thumbnailSize_;
    mutable QHash<QString, QPixmap> cache_;
};

// The Image Basket list `lvPages`: thumbnails in icon mode over the basket model. It reorders
// entries dragged inside it, hands files dropped from elsewhere to whoever adds them, and turns
// the keys and clicks the basket answers to into signals; the commands themselves live in
// BasketPanel.
class BasketListView : public QListView {
    Q_OBJECT
public:
    // What a drag of basket entries carries: the view it started in and the dragged rows.
    static constexpr const char* EntriesMimeType = "application/x-lumora-basket-entries";

    explicit BasketListView(ImageBasket& basket, QWidget* parent = nullptr);

    void setThumbnailSize(const QSize& size);
    QSize thumbnailSize() const;
    BasketItemDelegate* itemDelegate() const { return delegate_; }

    // The selected rows, ascending.
    QList<int> selectedRows() const;
    // Selects exactly these rows; the first becomes the current one and is scrolled to.
    void selectRows(const QList<int>& rows);

    // The data a drag of these rows out of this view carries; a drop of it on this view moves them.
    QMimeData* entriesMimeData(const QList<int>& rows) const;

    // What a drop at this viewport position does: entries dragged inside this list move to the
    // entry under the position (the end when there is none) and stay selected; local files are
    // handed on by filesDropped(). False when the data is neither.
    bool takeDrop(const QMimeData* mime, const QPoint& position);

Q_SIGNALS:
    // The Delete key.
    void deleteRequested();
    // A left click on an entry, or an arrow key that moved the current entry.
    void entryChosen(int row);
    // Local files dropped from outside the basket.
    void filesDropped(const QStringList& paths);
    // Entries were reordered by a drop; `rows` are their new positions, now selected.
    void entriesMoved(const QList<int>& rows);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The rows a drop carries when it comes from this very view; empty otherwise.
    QList<int> ownRows(const QMimeData* mime) const;
    static QStringList localFiles(const QMimeData* mime);
    QByteArray ownerKey() const;

    ImageBasket& basket_;
    BasketItemDelegate* delegate_;
};

}  // namespace lumora
