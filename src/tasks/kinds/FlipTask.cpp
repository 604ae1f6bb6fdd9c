#include "tasks/kinds/FlipTask.h"

#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"

namespace lumora {

void FlipTask::run(TaskContext& task)
{
    const FlipTask flip(task.slots);
    attempt([&] { task.engine.Flip(flip.direction()); });
}

}  // namespace lumora
