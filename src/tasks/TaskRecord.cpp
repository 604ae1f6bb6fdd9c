#include "tasks/TaskRecord.h"

#include <stdexcept>

namespace lumora {

TaskRecord::TaskRecord(TaskKind k, QString taskKey, std::initializer_list<QString> slotValues)
    : kind(QString::number(static_cast<int>(k))), key(std::move(taskKey))
{
    if (slotValues.size() > params.size())
        throw std::invalid_argument("TaskRecord: more than 17 parameter slotValues");
    std::copy(slotValues.begin(), slotValues.end(), params.begin());
}

}  // namespace lumora
