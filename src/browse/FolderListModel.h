#pragma once

#include "browse/FolderListing.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

namespace lumora {

// The rows of the folder list: eight text columns, each row's path as its tag and, in the
// thumbnail view, its thumbnail (a Picture) as the decoration of the first column. Dragging rows
// carries their files as file URLs.
class FolderListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        FileName,
        Resolution,
        Size,
        Pages,
        Type,
        DateCreated,
        DateModified,
        DateAccessed,
        ColumnCount
    };
    // The row's full path.
    static constexpr int PathRole = Qt::UserRole + 1;

    explicit FolderListModel(QObject* parent = nullptr);

    // The column captions, in order.
    static const QStringList& columnTitles();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;

    // Removes every row and forgets the last sort.
    void clear();
    // Appends rows at the end, in one insertion.
    void appendRows(const QList<FolderRow>& rows);

    const FolderRow& row(int row) const { return rows_.at(row); }
    // The row holding the path, or -1.
    int rowOf(const QString& path) const;
    QString pathAt(int row) const;

    void setResolution(int row, const QString& text);
    void setResolution(const QString& path, const QString& text);

    // Sorts by the column's text, regardless of case, rows with equal text keeping their order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // A column-header click: ascending, or the reverse order when the same column was sorted last.
    // Returns the order now in effect.
    Qt::SortOrder sortByHeader(int column);
    // The column last sorted by (-1 when not sorted) and its order.
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }

private:
    QString text(const FolderRow& row, int column) const;

    QList<FolderRow> rows_;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

}  // namespace lumora
