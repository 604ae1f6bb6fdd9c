#include "tasks/kinds/FitTask.h"

#include "core/Conversions.h"
#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"
#include "tasks/TaskPreview.h"

#include <algorithm>

namespace lumora {
namespace {

// numerator / denominator rounded to nearest, halves to even; all positive.
std::int64_t roundedShare(std::int64_t numerator, std::int64_t denominator)
{
    const std::int64_t whole = numerator / denominator;
    const std::int64_t twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && whole % 2 != 0))
        return whole + 1;
    return whole;
}

}  // namespace

std::int32_t FitTask::boxWidth() const { return convert::toInt32(p_[0]); }
std::int32_t FitTask::boxHeight() const { return convert::toInt32(p_[1]); }
bool FitTask::enlarge() const { return convert::toFlag(p_[2]); }

QSize FitTask::fittedSize(QSize source, QSize box, bool enlarge)
{
    if (source.isEmpty() || box.isEmpty())
        return source;
    if (!enlarge && source.width() <= box.width() && source.height() <= box.height())
        return source;
    const std::int64_t w = source.width();
    const std::int64_t h = source.height();
    // Compared exactly: the width meets the box when w / h >= box width / box height.
    if (w * box.height() >= h * box.width()) {
        const auto height = std::max<std::int64_t>(1, roundedShare(h * box.width(), w));
        return QSize(box.width(), static_cast<int>(height));
    }
    const auto width = std::max<std::int64_t>(1, roundedShare(w * box.height(), h));
    return QSize(static_cast<int>(width), box.height());
}

void FitTask::run(TaskContext& task)
{
    const FitTask fit(task.slots);
    const QSize box(fit.boxWidth(), fit.boxHeight());
    const bool enlarge = fit.enlarge();
    attempt([&] {
        const QSize size = fittedSize(QSize(task.engine.ImageWidth(), task.engine.ImageHeight()), box, enlarge);
        task.engine.ResampleTo(size.width(), size.height());
    });
}

TaskPreviewResult FitTask::preview(TaskPreviewContext& task)
{
    const FitTask fit(task.task.params);
    const QSize size = fit.fittedSize(QSize(task.engine.ImageWidth(), task.engine.ImageHeight()));
    task.engine.ResizeTo(size.width(), size.height());
    return TaskPreviewResult::Applied;
}

}  // namespace lumora
