#include "tasks/kinds/FrameTask.h"

#include "core/Conversions.h"
#include "engine/ImageBox.h"
#include "tasks/FrameComposer.h"
#include "tasks/TaskContext.h"

namespace lumora {

using namespace convert;

std::uint32_t FrameTask::colour() const { return taskslot::colour(p_[0]); }
bool FrameTask::plainBorder() const { return toByte(p_[1]) != 0; }
std::int32_t FrameTask::borderWidth() const { return toInt32(p_[2]); }
std::int16_t FrameTask::style() const { return toInt16(p_[2]); }
bool FrameTask::ornate() const { return toDouble(p_[2]) == 4; }
std::uint8_t FrameTask::enlargeCanvas() const { return toByte(p_[3]); }

void FrameTask::run(TaskContext& task)
{
    const FrameTask frame(task.slots);
    ImageBox& e = task.engine;
    attempt([&] { e.SetOverlayUseTransparentColor(false); });
    attempt([&] { e.SetOverlayTransparency(0); });
    attempt([&] { e.SetBackColor(frame.colour()); });
    if (frame.plainBorder()) {
        const qint64 border = frame.borderWidth();
        const std::int32_t l = taskslot::sum32(0, -border);
        const std::int32_t r = taskslot::sum32(e.ImageWidth(), border);
        const std::int32_t b = taskslot::sum32(e.ImageHeight(), border);
        attempt([&] { e.Crop(l, l, r, b); });
        return;
    }
    attempt([&] { ComposeFrame(e, frame.style(), frame.enlargeCanvas(), frame.ornate(), task.gallery); });
}

}  // namespace lumora
