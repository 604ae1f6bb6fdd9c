#include "tasks/TaskIconModel.h"

#include "tasks/TaskBasket.h"
#include "tasks/TaskIcons.h"
#include "tasks/TaskRecord.h"
#include "tasks/TaskSummary.h"

#include <QIcon>

namespace lumora {

TaskIconModel::TaskIconModel(TaskBasket& basket, QObject* parent) : QIdentityProxyModel(parent)
{
    setSourceModel(&basket);
}

QVariant TaskIconModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::DecorationRole && index.isValid())
        return taskIcon(QIdentityProxyModel::data(index, TaskBasket::IconNameRole).toString());
    // The row's name alone says which kind; the tool-tip says with which settings.
    if (role == Qt::ToolTipRole && index.isValid())
        return taskSummary(QIdentityProxyModel::data(index, TaskBasket::RecordRole).value<TaskRecord>());
    return QIdentityProxyModel::data(index, role);
}

}  // namespace lumora
