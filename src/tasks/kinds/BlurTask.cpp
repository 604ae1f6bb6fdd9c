#include "tasks/kinds/BlurTask.h"

#include "core/Conversions.h"
#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"

namespace lumora {

std::int32_t BlurTask::strength() const { return convert::toInt32(p_[0]); }

void BlurTask::run(TaskContext& task)
{
    const BlurTask filter(task.slots);
    attempt([&] { task.engine.Blur(filter.strength()); });
}

}  // namespace lumora
