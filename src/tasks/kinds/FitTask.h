#pragma once

#include "tasks/TaskRecord.h"

#include <QSize>

#include <cstdint>
#include <optional>

namespace lumora {

class TaskContext;
class TaskPreviewContext;
enum class TaskPreviewResult;

// Fit (kind 17): scales the photo, keeping its shape, to the largest size that fits a box.
//   P0  the box's width in pixels
//   P1  the box's height in pixels
//   P2  "True" when a photo smaller than the box is enlarged to fill it, else it stays as it is
class FitTask {
public:
    explicit FitTask(const TaskSlots& slots) : p_(slots) {}

    std::int32_t boxWidth() const;
    std::int32_t boxHeight() const;
    bool enlarge() const;

    // The size a photo of `source` size gets. The side that meets the box takes the box's
    // length exactly; the other is the exact share rounded to nearest, halves to even, and at
    // least 1. It never exceeds the box, and the shape is kept to within one pixel. A photo that
    // fits already, when it is not to be enlarged, and any box without area keep `source`.
    static QSize fittedSize(QSize source, QSize box, bool enlarge);
    QSize fittedSize(QSize source) const { return fittedSize(source, QSize(boxWidth(), boxHeight()), enlarge()); }
    // The size the run resamples a photo of `photo` size to (for decoding a JPEG already reduced).
    static std::optional<QSize> resampledSize(const TaskSlots& slots, QSize photo)
    {
        return FitTask(slots).fittedSize(photo);
    }

    // High-quality resampling (Lanczos 3) to the fitted size.
    static void run(TaskContext& task);
    // On the previewed photo: the fast resize to the fitted size.
    static TaskPreviewResult preview(TaskPreviewContext& task);

private:
    const TaskSlots& p_;
};

}  // namespace lumora
