#include "tasks/kinds/CanvasTask.h"

#include "core/Conversions.h"
#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"

namespace lumora {

std::uint32_t CanvasTask::colour() const { return taskslot::colour(p_[0]); }
std::int32_t CanvasTask::margin(int side) const { return convert::toInt32(p_[static_cast<size_t>(side + 1)]); }

void CanvasTask::run(TaskContext& task)
{
    const CanvasTask canvas(task.slots);
    ImageBox& e = task.engine;
    attempt([&] { e.SetBackColor(canvas.colour()); });
    const qint64 left = canvas.margin(0);
    const qint64 top = canvas.margin(1);
    const qint64 right = canvas.margin(2);
    const qint64 bottom = canvas.margin(3);
    const std::int32_t l = taskslot::sum32(0, -left);
    const std::int32_t t = taskslot::sum32(0, -top);
    const std::int32_t r = taskslot::sum32(e.ImageWidth(), right);
    const std::int32_t b = taskslot::sum32(e.ImageHeight(), bottom);
    attempt([&] { e.Crop(l, t, r, b); });
}

}  // namespace lumora
