#pragma once

#include "tasks/TaskRecord.h"

#include <QAbstractListModel>
#include <QList>

namespace lumora {

// The Task Basket: the ordered list of tasks applied to the previewed photo and to every photo of
// a batch. One model serves every view of it: the display text of a row is the kind's name, the
// icon name its key. A task has no identity but its position; positions are counted in 16 bits,
// so the basket holds at most MaxTasks tasks.
class TaskBasket : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int MaxTasks = 32767;

    // IconNameRole: the name of the icon a view shows for the row (see setGenericIcons).
    enum Role { KindRole = Qt::UserRole + 1, KeyRole, RecordRole, IconNameRole };

    explicit TaskBasket(QObject* parent = nullptr);

    int size() const { return static_cast<int>(tasks_.size()); }
    bool isEmpty() const { return tasks_.isEmpty(); }
    const TaskRecord& at(int row) const { return tasks_.at(row); }
    const QList<TaskRecord>& tasks() const { return tasks_; }

    // Appends a task; false (and nothing added) when the basket is full.
    bool append(const TaskRecord& task);
    void removeAt(int row);
    void clear();

    // With generic icons every row shows the icon "generic" instead of the one named by its key,
    // for views that have no icon per task kind.
    void setGenericIcons(bool generic);
    bool genericIcons() const { return genericIcons_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    QList<TaskRecord> tasks_;
    bool genericIcons_ = false;
};

}  // namespace lumora

Q_DECLARE_METATYPE(lumora::TaskRecord)
