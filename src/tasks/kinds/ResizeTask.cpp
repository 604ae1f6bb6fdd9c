#include "tasks/kinds/ResizeTask.h"

#include "core/Conversions.h"
#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"
#include "tasks/TaskPreview.h"

namespace lumora {

bool ResizeTask::exactSize() const { return convert::toFlag(p_[0]); }
std::int32_t ResizeTask::width() const { return convert::toInt32(p_[1]); }
std::int32_t ResizeTask::height() const { return convert::toInt32(p_[2]); }
std::int16_t ResizeTask::percent() const { return convert::toInt16(p_[1]); }
float ResizeTask::typedPercent() const { return convert::toSingle(p_[1]); }

void ResizeTask::run(TaskContext& task)
{
    const ResizeTask resize(task.slots);
    if (!resize.exactSize())
        attempt([&] { task.engine.Scale(resize.percent()); });
    else
        attempt([&] { task.engine.ResampleTo(resize.width(), resize.height()); });
}

TaskPreviewResult ResizeTask::preview(TaskPreviewContext& task)
{
    const ResizeTask resize(task.task.params);
    if (resize.exactSize())
        task.engine.ResizeTo(resize.width(), resize.height());
    else
        task.engine.Scale(resize.typedPercent());
    return TaskPreviewResult::Applied;
}

}  // namespace lumora
