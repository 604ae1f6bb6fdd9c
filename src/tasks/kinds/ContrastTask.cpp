#include "tasks/kinds/ContrastTask.h"

#include "core/Conversions.h"
#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"

namespace lumora {

std::int32_t ContrastTask::amount() const { return convert::toInt32(p_[0]); }
bool ContrastTask::red() const { return convert::toFlag(p_[1]); }
bool ContrastTask::green() const { return convert::toFlag(p_[2]); }
bool ContrastTask::blue() const { return convert::toFlag(p_[3]); }

void ContrastTask::run(TaskContext& task)
{
    const ContrastTask contrast(task.slots);
    attempt([&] { task.engine.AdjustContrast(contrast.amount(), contrast.red(), contrast.green(), contrast.blue()); });
}

}  // namespace lumora
