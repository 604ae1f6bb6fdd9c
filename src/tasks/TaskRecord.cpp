#include "tasks/TaskRecord.h"

#include <algorithm>
#include <stdexcept>

namespace lumora {

TaskRecord::TaskRecord(TaskKind k, QString taskKey, std::initializer_list<QString> slotValues)
    : kind(k), key(std::move(taskKey))
{
    if (slotValues.size() > params.size())
        throw std::invalid_argument("TaskRecord: more than 17 parameter slots");
    std::copy(slotValues.begin(), slotValues.end(), params.begin());
}

}  // namespace lumora
