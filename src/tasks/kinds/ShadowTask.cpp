#include "tasks/kinds/ShadowTask.h"

#include "core/Conversions.h"
#include "engine/ImageBox.h"
#include "tasks/FrameComposer.h"
#include "tasks/TaskContext.h"

namespace lumora {

std::int16_t ShadowTask::frameStyle() const { return convert::toInt16(convert::toInt16(p_[0]) + 8.0); }

void ShadowTask::run(TaskContext& task)
{
    const ShadowTask shadow(task.slots);
    attempt([&] { task.engine.SetOverlayTransparency(0); });
    attempt([&] { ComposeFrame(task.engine, shadow.frameStyle(), 1, false, task.gallery); });
}

}  // namespace lumora
