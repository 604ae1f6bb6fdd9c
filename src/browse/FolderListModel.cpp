#include "browse/FolderListModel.h"

#include <QHash>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <set>

namespace lumora {

FolderListModel::FolderListModel(QObject* parent) : QAbstractTableModel(parent) {}

const QStringList& FolderListModel::columnTitles()
{
    static const QStringList titles{
        QStringLiteral("File Name"),     QStringLiteral("Resolution"),   QStringLiteral("Size"),
        QStringLiteral("Pages"),         QStringLiteral("Type"),         QStringLiteral("Date Created"),
        QStringLiteral("Date Modified"), QStringLiteral("Date Accessed"),
    };
    return titles;
}

int FolderListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FolderListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QString FolderListModel::text(const FolderRow& row, int column) const
{
    switch (column) {
    case FileName:
        return row.name;
    case Resolution:
        return row.resolution;
    case Size:
        return row.size;
    case Pages:
        return QString::number(row.pages);
    case Type:
        return row.type;
    case DateCreated:
        return row.created;
    case DateModified:
        return row.modified;
    case DateAccessed:
        return row.accessed;
    default:
        return {};
    }
}

QVariant FolderListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    const FolderRow& row = rows_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return text(row, index.column());
    case Qt::ToolTipRole:
        return index.column() == FileName ? QVariant(row.path) : QVariant();
    case Qt::DecorationRole:
        if (index.column() == FileName && !row.thumbnail.isNull())
            return QVariant::fromValue(row.thumbnail);
        return {};
    case PathRole:
        return row.path;
    default:
        return {};
    }
}

QVariant FolderListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return columnTitles().at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags FolderListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
}

QStringList FolderListModel::mimeTypes() const { return {QStringLiteral("text/uri-list")}; }

QMimeData* FolderListModel::mimeData(const QModelIndexList& indexes) const
{
    // One URL per row, in list order, however many cells of a row were selected.
    std::set<int> rows;
    for (const QModelIndex& index : indexes) {
        if (index.isValid() && index.row() < rows_.size())
            rows.insert(index.row());
    }
    QList<QUrl> urls;
    for (int row : rows)
        urls.append(QUrl::fromLocalFile(rows_.at(row).path));
    auto* mime = new QMimeData;
    mime->setUrls(urls);
    return mime;
}

Qt::DropActions FolderListModel::supportedDragActions() const { return Qt::CopyAction; }

void FolderListModel::clear()
{
    beginResetModel();
    rows_.clear();
    sortColumn_ = -1;
    sortOrder_ = Qt::AscendingOrder;
    endResetModel();
}

void FolderListModel::appendRows(const QList<FolderRow>& rows)
{
    if (rows.isEmpty())
        return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    rows_.append(rows);
    endInsertRows();
}

int FolderListModel::rowOf(const QString& path) const
{
    for (int i = 0; i < rows_.size(); ++i) {
        if (rows_.at(i).path == path)
            return i;
    }
    return -1;
}

QString FolderListModel::pathAt(int row) const
{
    return row >= 0 && row < rows_.size() ? rows_.at(row).path : QString();
}

void FolderListModel::setResolution(int row, const QString& text)
{
    if (row < 0 || row >= rows_.size())
        return;
    rows_[row].resolution = text;
    const QModelIndex cell = index(row, Resolution);
    Q_EMIT dataChanged(cell, cell, {Qt::DisplayRole});
}

void FolderListModel::setResolution(const QString& path, const QString& text) { setResolution(rowOf(path), text); }

void FolderListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<QString> beforePaths;
    for (const QModelIndex& index : before)
        beforePaths.append(rows_.at(index.row()).path);

    std::stable_sort(rows_.begin(), rows_.end(), [&](const FolderRow& a, const FolderRow& b) {
        const int byText = QString::compare(text(a, column), text(b, column), Qt::CaseInsensitive);
        return order == Qt::AscendingOrder ? byText < 0 : byText > 0;
    });

    QHash<QString, int> rowByPath;
    for (int i = 0; i < rows_.size(); ++i)
        rowByPath.insert(rows_.at(i).path, i);
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i)
        after.append(index(rowByPath.value(beforePaths.at(i), -1), before.at(i).column()));
    changePersistentIndexList(before, after);
    sortColumn_ = column;
    sortOrder_ = order;
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

Qt::SortOrder FolderListModel::sortByHeader(int column)
{
    const Qt::SortOrder order = column == sortColumn_ && sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                                         : Qt::AscendingOrder;
    sort(column, order);
    return order;
}

}  // namespace lumora
