#include "tasks/TaskIconModel.h"

#include "tasks/TaskBasket.h"
#include "tasks/TaskIcons.h"

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
    return QIdentityProxyModel::data(index, role);
}

}  // namespace lumora
