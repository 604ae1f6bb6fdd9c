#include "tasks/kinds/SharpenTask.h"

#include "core/Conversions.h"
#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"

namespace lumora {

std::int32_t SharpenTask::strength() const { return convert::toInt32(p_[0]); }

void SharpenTask::run(TaskContext& task)
{
    const SharpenTask filter(task.slots);
    attempt([&] { task.engine.Sharpen(filter.strength()); });
}

}  // namespace lumora
