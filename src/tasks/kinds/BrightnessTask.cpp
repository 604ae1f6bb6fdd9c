#include "tasks/kinds/BrightnessTask.h"

#include "core/Conversions.h"
#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"

namespace lumora {

std::int32_t BrightnessTask::amount() const { return convert::toInt32(p_[0]); }
bool BrightnessTask::red() const { return convert::toFlag(p_[1]); }
bool BrightnessTask::green() const { return convert::toFlag(p_[2]); }
bool BrightnessTask::blue() const { return convert::toFlag(p_[3]); }

void BrightnessTask::run(TaskContext& task)
{
    const BrightnessTask brightness(task.slots);
    attempt([&] { task.engine.AdjustBrightness(brightness.amount(), brightness.red(), brightness.green(), brightness.blue()); });
}

}  // namespace lumora
