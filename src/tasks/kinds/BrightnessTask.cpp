#include "tasks/kinds/BrightnessTask.h"

#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"
#include "tasks/kinds/ChannelAmountSlots.h"

namespace lumora {

void BrightnessTask::run(TaskContext& task)
{
    const ChannelAmountSlots brightness(task.slots);
    attempt([&] { task.engine.AdjustBrightness(brightness.amount(), brightness.red(), brightness.green(), brightness.blue()); });
}

}  // namespace lumora
