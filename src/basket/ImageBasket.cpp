#include "basket/ImageBasket.h"

#include "basket/BasketStatus.h"
#include "core/ProgramFolder.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace lumora {
namespace {

// A selection as positions: ascending, each once, only rows that exist.
QList<int> selectedRows(QList<int> positions, int size)
{
    positions.removeIf([size](int row) { return row < 0 || row >= size; });
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

}  // namespace

ImageBasket::ImageBasket(QObject* parent) : QAbstractListModel(parent) {}

bool ImageBasket::containsSource(const QString& sourcePath) const
{
    return std::any_of(entries_.cbegin(), entries_.cend(),
                       [&](const BasketEntry& entry) { return entry.sourcePath == sourcePath; });
}

void ImageBasket::append(const BasketEntry& entry) { append(QList<BasketEntry>{entry}); }

void ImageBasket::append(const QList<BasketEntry>& entries)
{
    if (entries.isEmpty())
        return;
    beginInsertRows(QModelIndex(), size(), size() + static_cast<int>(entries.size()) - 1);
    entries_.append(entries);
    endInsertRows();
}

void ImageBasket::setDescription(int row, const QString& description)
{
    if (row < 0 || row >= size() || entries_[row].description == description)
        return;
    entries_[row].description = description;
    Q_EMIT dataChanged(index(row), index(row), {DescriptionRole});
}

void ImageBasket::setThumbnail(const QString& tag, const Picture& thumbnail)
{
    for (int row = 0; row < size(); ++row) {
        if (entries_[row].tag == tag) {
            entries_[row].thumbnail = thumbnail;
            Q_EMIT dataChanged(index(row), index(row), {ThumbnailRole, Qt::DecorationRole});
            return;
        }
    }
}

void ImageBasket::removePositions(QList<int> positions)
{
    int removed = 0;
    for (const int position : selectedRows(std::move(positions), size())) {
        const int row = position - removed;
        beginRemoveRows(QModelIndex(), row, row);
        entries_.removeAt(row);
        endRemoveRows();
        ++removed;
    }
}

QList<int> ImageBasket::moveEntries(QList<int> positions, int target)
{
    const QList<int> selected = selectedRows(std::move(positions), size());
    if (selected.isEmpty())
        return {};
    target = std::clamp(target, 0, size());

    // The moved block goes in front of the first unselected entry at or after target, that is
    // after as many unselected entries as lie before target.
    QList<bool> isSelected(size(), false);
    for (const int row : selected)
        isSelected[row] = true;
    int insertAt = 0;
    for (int row = 0; row < target; ++row)
        insertAt += isSelected[row] ? 0 : 1;

    QList<int> newRowOf(size());
    int nextUnselected = 0;
    int nextSelected = insertAt;
    for (int row = 0; row < size(); ++row) {
        if (isSelected[row]) {
            newRowOf[row] = nextSelected++;
        } else {
            newRowOf[row] = nextUnselected < insertAt ? nextUnselected : nextUnselected + static_cast<int>(selected.size());
            ++nextUnselected;
        }
    }

    Q_EMIT layoutAboutToBeChanged();
    QList<BasketEntry> reordered(size());
    for (int row = 0; row < size(); ++row)
        reordered[newRowOf[row]] = std::move(entries_[row]);
    entries_ = std::move(reordered);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before)
        after.append(index(newRowOf[old.row()]));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged();

    QList<int> moved;
    for (int i = 0; i < selected.size(); ++i)
        moved.append(insertAt + i);
    return moved;
}

void ImageBasket::removeAll()
{
    if (entries_.isEmpty())
        return;
    beginResetModel();
    entries_.clear();
    endResetModel();
}

void ImageBasket::newBasket()
{
    removeAll();
    deleteTempPages();
}

void ImageBasket::deleteTempPages()
{
    const QDir temp(ProgramFolder::tempFolder());
    // Name filters ignore letter case, as the extracted pages' ".tif" never varies anyway.
    for (const QString& name : temp.entryList({QStringLiteral("*.tif")}, QDir::Files | QDir::Hidden))
        QFile::remove(temp.filePath(name));  // a page still open elsewhere stays; nothing to report
}

QList<ImageBasketFileEntry> ImageBasket::fileEntries() const
{
    QList<ImageBasketFileEntry> list;
    list.reserve(entries_.size());
    for (const BasketEntry& entry : entries_)
        list.append({entry.sourcePath, entry.description});
    return list;
}

QString ImageBasket::countText() const { return basketStatus::countText(size()); }

int ImageBasket::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : size(); }

QVariant ImageBasket::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= size())
        return {};
    const BasketEntry& entry = entries_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return entry.text;
    case Qt::DecorationRole:
    case ThumbnailRole:
        return QVariant::fromValue(entry.thumbnail);
    case TagRole:
        return entry.tag;
    case SourceSizeRole:
        return entry.sourceSize;
    case FileSizeRole:
        return entry.fileSize;
    case FileTypeRole:
        return entry.fileType;
    case SourcePathRole:
        return entry.sourcePath;
    case DescriptionRole:
        return entry.description;
    default:
        return {};
    }
}

bool ImageBasket::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= size() || role != DescriptionRole)
        return false;
    setDescription(index.row(), value.toString());
    return true;
}

Qt::ItemFlags ImageBasket::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractListModel::flags(index);
    // Entries are dragged to reorder them. The basket view takes the drop itself (it also takes
    // files from the folder view) and calls moveEntries, so no item data travels as MIME data.
    if (index.isValid())
        flags |= Qt::ItemIsDragEnabled;
    return flags | Qt::ItemIsDropEnabled;
}

QHash<int, QByteArray> ImageBasket::roleNames() const
{
    auto names = QAbstractListModel::roleNames();
    names.insert(ThumbnailRole, "thumbnail");
    names.insert(TagRole, "tag");
    names.insert(SourceSizeRole, "sourceSize");
    names.insert(FileSizeRole, "fileSize");
    names.insert(FileTypeRole, "fileType");
    names.insert(SourcePathRole, "sourcePath");
    names.insert(DescriptionRole, "description");
    return names;
}

}  // namespace lumora
