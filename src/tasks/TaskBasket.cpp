#include "tasks/TaskBasket.h"


namespace lumora {

TaskBasket::TaskBasket(QObject* parent) : QAbstractListModel(parent) {}

bool TaskBasket::append(const TaskRecord& task)
{
    if (tasks_.size() >= MaxTasks)
        return false;
    const int row = size();
    beginInsertRows(QModelIndex(), row, row);
    tasks_.append(task);
    endInsertRows();
    return true;
}

void TaskBasket::removeAt(int row)
{
    if (row < 0 || row >= size())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    tasks_.removeAt(row);
    endRemoveRows();
}

void TaskBasket::clear()
{
    if (tasks_.isEmpty())
        return;
    beginResetModel();
    tasks_.clear();
    endResetModel();
}

void TaskBasket::setGenericIcons(bool generic)
{
    if (generic == genericIcons_)
        return;
    genericIcons_ = generic;
    if (!tasks_.isEmpty())
        Q_EMIT dataChanged(index(0), index(size() - 1), {IconNameRole});
}

int TaskBasket::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : size(); }

QVariant TaskBasket::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= size())
        return {};
    const TaskRecord& task = tasks_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return TaskKindName(task.kind);
    case KindRole:
        return static_cast<int>(task.kind);
    case KeyRole:
        return task.key;
    case RecordRole:
        return QVariant::fromValue(task);
    case IconNameRole:
        return genericIcons_ ? QStringLiteral("generic") : task.key;
    default:
        return {};
    }
}

QHash<int, QByteArray> TaskBasket::roleNames() const
{
    auto names = QAbstractListModel::roleNames();
    names.insert(KindRole, "kind");
    names.insert(KeyRole, "key");
    names.insert(RecordRole, "record");
    names.insert(IconNameRole, "iconName");
    return names;
}

}  // namespace lumora
