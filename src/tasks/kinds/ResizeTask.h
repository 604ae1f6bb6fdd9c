#pragma once

#include "tasks/TaskRecord.h"

#include <QSize>

#include <cstdint>
#include <optional>

namespace lumora {

class TaskContext;
class TaskPreviewContext;
enum class TaskPreviewResult;

// Resize (kind 3): to an exact size or by a percentage.
//   P0  "True" exact size, "False" percentage
//   P1  exact: the width in pixels; percentage: the percentage
//   P2  exact: the height in pixels; percentage: empty
class ResizeTask {
public:
    explicit ResizeTask(const TaskSlots& slots) : p_(slots) {}

    bool exactSize() const;
    std::int32_t width() const;
    std::int32_t height() const;
    // A run scales by the percentage rounded to a 16-bit whole number; the preview by it as typed.
    std::int16_t percent() const;
    float typedPercent() const;

    // The size a run resamples a photo of the given size to; nothing when the engine would skip
    // the step. Throws, as a run does, for a slot that is no number.
    static std::optional<QSize> resampledSize(const TaskSlots& slots, QSize photo);

    // High-quality resampling to the size or the rounded percentage.
    static void run(TaskContext& task);
    // On the previewed photo: the fast resize to the size, or the percentage as typed.
    static TaskPreviewResult preview(TaskPreviewContext& task);

private:
    const TaskSlots& p_;
};

}  // namespace lumora
