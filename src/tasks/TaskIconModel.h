#pragma once

#include <QIdentityProxyModel>

namespace lumora {

class TaskBasket;

// The Task Basket as a list on screen: the rows of the basket with the icon its rows name (the
// task's key, or "generic") and a tool-tip that sums up its settings. The basket itself is
// headless and only names its icons.
class TaskIconModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    explicit TaskIconModel(TaskBasket& basket, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

}  // namespace lumora
