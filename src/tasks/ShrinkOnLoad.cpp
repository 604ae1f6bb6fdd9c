#include "tasks/ShrinkOnLoad.h"

#include "tasks/kinds/FitTask.h"
#include "tasks/kinds/ResizeTask.h"

#include <QSize>

#include <optional>

namespace lumora {
namespace {

// A kind whose run is one ResampleTo, to the size it works out from the photo's size (nothing
// when the engine would skip the step). A new resampling kind adds its line here.
struct ResamplingKind {
    TaskKind kind;
    std::optional<QSize> (*resampledSize)(const TaskSlots& slots, QSize photo);
};
constexpr ResamplingKind kResamplingKinds[] = {
    {TaskKind::Resize, &ResizeTask::resampledSize},
    {TaskKind::Fit, &FitTask::resampledSize},
};

// Kinds that keep the size and compute each pixel from that pixel alone: they give the same
// pixels before or after a reduction.
bool worksPixelByPixel(TaskKind kind)
{
    return kind == TaskKind::Orientation || kind == TaskKind::Negative || kind == TaskKind::Contrast ||
           kind == TaskKind::Brightness;
}

const ResamplingKind* resamplingKind(TaskKind kind)
{
    for (const ResamplingKind& entry : kResamplingKinds)
        if (entry.kind == kind)
            return &entry;
    return nullptr;
}

// libjpeg's size at 1/factor: every side rounded up.
int reduced(int side, int factor) { return (side + factor - 1) / factor; }

}  // namespace

ShrinkOnLoad ShrinkOnLoad::plan(const QList<TaskRecord>& tasks, int width, int height)
{
    ShrinkOnLoad result{1, tasks};
    const QSize photo(width, height);
    if (photo.isEmpty())
        return result;
    for (qsizetype i = 0; i < tasks.size(); ++i) {
        const TaskRecord& task = tasks[i];
        if (worksPixelByPixel(task.kind))
            continue;
        const ResamplingKind* resampling = resamplingKind(task.kind);
        if (!resampling)
            return result;
        std::optional<QSize> target;
        try {
            target = resampling->resampledSize(task.params, photo);
        } catch (...) {
            return result;  // the run reports the slot that is no number
        }
        if (!target || target->isEmpty())
            return result;
        if (*target == photo)
            continue;  // resampling to its own size changes nothing
        for (const int factor : {8, 4, 2}) {
            if (reduced(width, factor) < target->width() || reduced(height, factor) < target->height())
                continue;
            result.factor = factor;
            result.tasks[i] = TaskRecord(TaskKind::Resize, task.key,
                                         {QStringLiteral("True"), QString::number(target->width()),
                                          QString::number(target->height())});
            return result;
        }
        return result;
    }
    return result;
}

}  // namespace lumora
