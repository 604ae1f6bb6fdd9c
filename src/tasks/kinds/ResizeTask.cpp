#include "tasks/kinds/ResizeTask.h"

#include "core/Conversions.h"
#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"
#include "tasks/TaskPreview.h"

#include <algorithm>

namespace lumora {

bool ResizeTask::exactSize() const { return convert::toFlag(p_[0]); }
std::int32_t ResizeTask::width() const { return convert::toInt32(p_[1]); }
std::int32_t ResizeTask::height() const { return convert::toInt32(p_[2]); }
std::int16_t ResizeTask::percent() const { return convert::toInt16(p_[1]); }
float ResizeTask::typedPercent() const { return convert::toSingle(p_[1]); }

std::optional<QSize> ResizeTask::resampledSize(const TaskSlots& slots, QSize photo)
{
    const ResizeTask resize(slots);
    if (resize.exactSize()) {
        const QSize size(resize.width(), resize.height());
        return size.isEmpty() ? std::nullopt : std::optional<QSize>(size);
    }
    // As ImageBox::Scale: each side rounded half to even, at least 1, at most 65535.
    const double percent = resize.percent();
    if (!(percent > 0))
        return std::nullopt;
    const auto side = [percent](int length) { return std::max(1.0, convert::roundHalfEven(length * percent / 100.0)); };
    const double width = side(photo.width());
    const double height = side(photo.height());
    if (width > 65535 || height > 65535)
        return std::nullopt;
    return QSize(static_cast<int>(width), static_cast<int>(height));
}

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
