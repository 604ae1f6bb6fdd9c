#include "metadata/MetadataList.h"

namespace lumora {

MetadataList::MetadataList(const QString& nameHeading, QObject* parent)
    : QAbstractTableModel(parent), nameHeading_(nameHeading)
{
}

int MetadataList::addRow(const MetadataRow& row)
{
    const int position = size();
    beginInsertRows(QModelIndex(), position, position);
    rows_.append(row);
    endInsertRows();
    return position;
}

void MetadataList::setRow(int row, const MetadataRow& content)
{
    if (!valid(row))
        return;
    rows_[row] = content;
    changed(row, 0, 1);
}

void MetadataList::setValue(int row, const QString& value)
{
    if (!valid(row))
        return;
    rows_[row].value = value;
    changed(row, 1, 1);
}

void MetadataList::setText(int row, const QString& text)
{
    if (!valid(row))
        return;
    rows_[row].text = text;
    changed(row, 0, 0);
}

void MetadataList::removeRowAt(int row)
{
    if (!valid(row))
        return;
    beginRemoveRows(QModelIndex(), row, row);
    rows_.removeAt(row);
    endRemoveRows();
}

void MetadataList::clear()
{
    if (rows_.isEmpty())
        return;
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int MetadataList::findKey(const QString& key, Qt::CaseSensitivity sensitivity) const
{
    for (int i = 0; i < size(); ++i)
        if (!rows_.at(i).key.isEmpty() && rows_.at(i).key.compare(key, sensitivity) == 0)
            return i;
    return -1;
}

int MetadataList::findTag(const QString& tag) const
{
    for (int i = 0; i < size(); ++i)
        if (rows_.at(i).tag == tag)
            return i;
    return -1;
}

int MetadataList::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : size(); }

int MetadataList::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant MetadataList::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !valid(index.row()))
        return {};
    const MetadataRow& row = rows_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return index.column() == 0 ? row.text : row.value;
    case EditableRole:
        return row.editableIcon;
    case KeyRole:
        return row.key;
    case TagRole:
        return row.tag;
    default:
        return {};
    }
}

QVariant MetadataList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == 0)
        return nameHeading_;
    if (section == 1)
        return QStringLiteral("Value");
    return {};
}

QHash<int, QByteArray> MetadataList::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractTableModel::roleNames();
    names.insert(EditableRole, "editable");
    names.insert(KeyRole, "key");
    names.insert(TagRole, "tag");
    return names;
}

void MetadataList::changed(int row, int firstColumn, int lastColumn)
{
    Q_EMIT dataChanged(index(row, firstColumn), index(row, lastColumn));
}

}  // namespace lumora
