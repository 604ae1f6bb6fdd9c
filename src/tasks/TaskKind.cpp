#include "tasks/TaskKind.h"

#include "tasks/kinds/BlurTask.h"
#include "tasks/kinds/BrightnessTask.h"
#include "tasks/kinds/CanvasTask.h"
#include "tasks/kinds/ContrastTask.h"
#include "tasks/kinds/CropTask.h"
#include "tasks/kinds/FitTask.h"
#include "tasks/kinds/FlipTask.h"
#include "tasks/kinds/FrameTask.h"
#include "tasks/kinds/InvertTask.h"
#include "tasks/kinds/MaskTask.h"
#include "tasks/kinds/RedEyeTask.h"
#include "tasks/kinds/ResizeTask.h"
#include "tasks/kinds/RotateTask.h"
#include "tasks/kinds/ShadowTask.h"
#include "tasks/kinds/SharpenTask.h"
#include "tasks/kinds/TextTask.h"
#include "tasks/kinds/WatermarkTask.h"

#include <type_traits>

namespace lumora {
namespace {

// A kind's preview step where its class has one.
template <typename Steps>
constexpr auto previewOf()
{
    if constexpr (requires(TaskPreviewContext& t) { Steps::preview(t); })
        return &Steps::preview;
    else
        return static_cast<TaskPreviewResult (*)(TaskPreviewContext&)>(nullptr);
}

#define LUMORA_KIND_INFO(number, Id, name, item, caption, title, Steps, ...) \
    TaskKindInfo{TaskKind::Id, name, item, caption, title, &Steps::run, previewOf<Steps>()},
constexpr TaskKindInfo Kinds[] = {LUMORA_TASK_KINDS(LUMORA_KIND_INFO)};
#undef LUMORA_KIND_INFO

}  // namespace

std::span<const TaskKindInfo> taskKinds() { return Kinds; }

const TaskKindInfo* taskKindInfo(TaskKind kind)
{
    for (const TaskKindInfo& info : Kinds) {
        if (info.kind == kind)
            return &info;
    }
    return nullptr;
}

QString TaskKindName(int kind)
{
    const TaskKindInfo* info = taskKindInfo(static_cast<TaskKind>(kind));
    return info ? QString::fromLatin1(info->name) : QString();
}

}  // namespace lumora
