#include "tasks/kinds/RotateTask.h"

#include "core/Conversions.h"
#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"

namespace lumora {

bool RotateTask::smooth() const { return convert::toFlag(p_[0]); }
std::int16_t RotateTask::degrees() const { return convert::toInt16(p_[1]); }
std::uint32_t RotateTask::cornerColour() const { return taskslot::colour(p_[2]); }

void RotateTask::run(TaskContext& task)
{
    const RotateTask rotate(task.slots);
    attempt([&] { task.engine.SetBackColor(rotate.cornerColour()); });
    attempt([&] { task.engine.SetRotateResample(rotate.smooth()); });
    attempt([&] { task.engine.Rotate(rotate.degrees()); });
}

}  // namespace lumora
