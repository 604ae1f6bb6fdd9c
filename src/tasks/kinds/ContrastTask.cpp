#include "tasks/kinds/ContrastTask.h"

#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"
#include "tasks/kinds/ChannelAmountSlots.h"

namespace lumora {

void ContrastTask::run(TaskContext& task)
{
    const ChannelAmountSlots contrast(task.slots);
    attempt([&] { task.engine.AdjustContrast(contrast.amount(), contrast.red(), contrast.green(), contrast.blue()); });
}

}  // namespace lumora
