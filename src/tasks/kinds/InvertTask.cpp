#include "tasks/kinds/InvertTask.h"

#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"

namespace lumora {

void InvertTask::run(TaskContext& task)
{
    attempt([&] { task.engine.Negative(); });
}

}  // namespace lumora
