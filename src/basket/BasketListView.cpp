#include "basket/BasketListView.h"

#include "basket/ImageBasket.h"
#include "engine/Picture.h"
#include "shell/PictureImage.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <algorithm>

namespace lumora {
namespace {

// Room around the thumbnail and between it and the label.
constexpr int Margin = 3;

// A label narrower than this would show little more than an ellipsis under small thumbnails.
int labelWidth(const QFontMetrics& metrics, int thumbnailWidth)
{
    return std::max(thumbnailWidth, metrics.averageCharWidth() * 12);
}

}  // namespace

BasketItemDelegate::BasketItemDelegate(ImageBasket& basket, QObject* parent)
    : QStyledItemDelegate(parent), thumbnailSize_(40, 40)
{
    // A row that goes or changes its thumbnail takes its pixmap along; moves keep them.
    connect(&basket, &ImageBasket::modelReset, this, [this] { cache_.clear(); });
    connect(&basket, &ImageBasket::rowsAboutToBeRemoved, this, [this, &basket](const QModelIndex&, int first, int last) {
        for (int row = first; row <= last; ++row)
            cache_.remove(basket.at(row).tag);
    });
    connect(&basket, &ImageBasket::dataChanged, this,
            [this, &basket](const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) {
                if (!roles.isEmpty() && !roles.contains(ImageBasket::ThumbnailRole) && !roles.contains(Qt::DecorationRole))
                    return;
                for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
                    cache_.remove(basket.at(row).tag);
            });
}

void BasketItemDelegate::setThumbnailSize(const QSize& size)
{
    if (size == thumbnailSize_)
        return;
    thumbnailSize_ = size;
    Q_EMIT sizeHintChanged(QModelIndex());
}

QPixmap BasketItemDelegate::thumbnail(const QModelIndex& index) const
{
    const QString tag = index.data(ImageBasket::TagRole).toString();
    auto found = cache_.constFind(tag);
    if (found != cache_.constEnd())
        return *found;
    const Picture picture = index.data(ImageBasket::ThumbnailRole).value<Picture>();
    const QPixmap pixmap = picture.isNull() ? QPixmap() : QPixmap::fromImage(toQImage(picture));
    cache_.insert(tag, pixmap);
    return pixmap;
}

QSize BasketItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    const int width = labelWidth(option.fontMetrics, thumbnailSize_.width());
    return {width + 2 * Margin, Margin + thumbnailSize_.height() + Margin + option.fontMetrics.height() + Margin};
}

void BasketItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();

    // The style's item panel gives the selection and hover look of every other list. Without
    // text the style would highlight only the (empty) text area, so the whole cell is asked for:
    // the label is then drawn in the highlighted text colour on the highlight.
    opt.showDecorationSelected = true;
    opt.text.clear();
    opt.icon = QIcon();
    opt.features &= ~QStyleOptionViewItem::HasDecoration;
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);

    const QRect thumbRect(opt.rect.x() + (opt.rect.width() - thumbnailSize_.width()) / 2, opt.rect.y() + Margin,
                          thumbnailSize_.width(), thumbnailSize_.height());
    const QPixmap pixmap = thumbnail(index);
    if (!pixmap.isNull()) {
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform, pixmap.size() != thumbnailSize_);
        painter->drawPixmap(thumbRect, pixmap);
        painter->restore();
    }

    const QRect textRect(opt.rect.x() + Margin, thumbRect.bottom() + 1 + Margin, opt.rect.width() - 2 * Margin,
                         opt.fontMetrics.height());
    const QString label = index.data(Qt::DisplayRole).toString();
    const QString shown = opt.fontMetrics.elidedText(label, Qt::ElideRight, textRect.width());
    const bool selected = opt.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    painter->save();
    painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(textRect, Qt::AlignHCenter | Qt::AlignTop, shown);
    painter->restore();

    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.rect = opt.rect;
        focus.state = opt.state;
        focus.palette = opt.palette;
        focus.direction = opt.direction;
        focus.fontMetrics = opt.fontMetrics;
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}

BasketListView::BasketListView(ImageBasket& basket, QWidget* parent)
    : QListView(parent), basket_(basket), delegate_(new BasketItemDelegate(basket, this))
{
    setObjectName(QStringLiteral("lvPages"));
    setModel(&basket);
    setItemDelegate(delegate_);
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    // Entries are reordered by the basket model, not by QListView's free icon positions.
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setSpacing(2);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setIconSize(delegate_->thumbnailSize());
}

void BasketListView::setThumbnailSize(const QSize& size)
{
    delegate_->setThumbnailSize(size);
    setIconSize(size);
    doItemsLayout();
    viewport()->update();
}

QSize BasketListView::thumbnailSize() const { return delegate_->thumbnailSize(); }

QList<int> BasketListView::selectedRows() const
{
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void BasketListView::selectRows(const QList<int>& rows)
{
    QItemSelection selection;
    for (const int row : rows) {
        const QModelIndex index = basket_.index(row);
        if (index.isValid())
            selection.select(index, index);
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!selection.isEmpty()) {
        const QModelIndex first = basket_.index(*std::min_element(rows.begin(), rows.end()));
        selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
        scrollTo(first);
    }
}

QByteArray BasketListView::ownerKey() const
{
    // Unique among the views of every Lumora process, so a drag into another Lumora window
    // never reorders this basket.
    return QByteArray::number(QCoreApplication::applicationPid()) + ':'
        + QByteArray::number(reinterpret_cast<quintptr>(this));
}

QMimeData* BasketListView::entriesMimeData(const QList<int>& rows) const
{
    QByteArray payload = ownerKey();
    for (const int row : rows)
        payload += ' ' + QByteArray::number(row);
    auto* carried = new QMimeData;
    carried->setData(QString::fromLatin1(EntriesMimeType), payload);
    return carried;
}

QList<int> BasketListView::ownRows(const QMimeData* mime) const
{
    QList<int> rows;
    if (!mime || !mime->hasFormat(QString::fromLatin1(EntriesMimeType)))
        return rows;
    const QList<QByteArray> parts = mime->data(QString::fromLatin1(EntriesMimeType)).split(' ');
    if (parts.isEmpty() || parts.first() != ownerKey())
        return rows;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        bool ok = false;
        const int row = parts[i].toInt(&ok);
        if (ok && row >= 0 && row < basket_.size())
            rows.append(row);
    }
    return rows;
}

QStringList BasketListView::localFiles(const QMimeData* mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

void BasketListView::startDrag(Qt::DropActions)
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    // Our own data instead of the model's: the entries never leave the basket, and the model's
    // item data (thumbnails) has no stream form.
    auto* drag = new QDrag(this);
    drag->setMimeData(entriesMimeData(rows));
    const QPixmap pixmap = delegate_->thumbnail(basket_.index(rows.first()));
    if (!pixmap.isNull())
        drag->setPixmap(pixmap.scaled(delegate_->thumbnailSize(), Qt::KeepAspectRatio));
    drag->exec(Qt::MoveAction);
}

void BasketListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (!ownRows(event->mimeData()).isEmpty() || !localFiles(event->mimeData()).isEmpty()) {
        event->setDropAction(ownRows(event->mimeData()).isEmpty() ? Qt::CopyAction : Qt::MoveAction);
        event->accept();
        return;
    }
    event->ignore();
}

void BasketListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (!ownRows(event->mimeData()).isEmpty()) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else if (!localFiles(event->mimeData()).isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

bool BasketListView::takeDrop(const QMimeData* mime, const QPoint& position)
{
    const QList<int> rows = ownRows(mime);
    if (!rows.isEmpty()) {
        const QModelIndex target = indexAt(position);
        const QList<int> moved = basket_.moveEntries(rows, target.isValid() ? target.row() : basket_.size());
        selectRows(moved);
        Q_EMIT entriesMoved(moved);
        return true;
    }
    const QStringList files = localFiles(mime);
    if (!files.isEmpty()) {
        Q_EMIT filesDropped(files);
        return true;
    }
    return false;
}

void BasketListView::dropEvent(QDropEvent* event)
{
    const bool own = !ownRows(event->mimeData()).isEmpty();
    if (takeDrop(event->mimeData(), event->position().toPoint())) {
        event->setDropAction(own ? Qt::MoveAction : Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
}

void BasketListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        event->accept();
        Q_EMIT deleteRequested();
        return;
    }
    const QPersistentModelIndex before = currentIndex();
    QListView::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (currentIndex().isValid() && currentIndex() != before)
            Q_EMIT entryChosen(currentIndex().row());
        break;
    default:
        break;
    }
}

void BasketListView::mouseReleaseEvent(QMouseEvent* event)
{
    QListView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || event->modifiers() != Qt::NoModifier)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && selectionModel()->isSelected(index))
        Q_EMIT entryChosen(index.row());
}

}  // namespace lumora
