#pragma once

#include "tasks/TaskRecord.h"

#include <cstdint>

namespace lumora {

class TaskContext;
class TaskPreviewContext;
enum class TaskPreviewResult;

// Watermark (kind 9): a logo file laid over the photo.
//   P0  the logo's transparent colour is see-through, a flag
//   P1  the logo's transparency in percent
//   P2  placement: 0 centre, 1 at a point, 2 tiled, 3 stretched over the photo
//   P3  the logo file
//   P4  the logo's transparent colour
//   P5, P6  the point's top (y) and left (x) in pixels of the photo it was picked on
//   P7  whether that photo was shown fitted (kept, not read)
class WatermarkTask {
public:
    explicit WatermarkTask(const TaskSlots& slots) : p_(slots) {}

    bool seeThroughColour() const;
    std::int16_t transparency() const;
    std::int16_t placement() const;
    bool atPoint() const;
    const QString& logo() const { return p_[3]; }
    std::uint32_t transparentColour() const;
    double pointY() const;
    double pointX() const;

    // A missing logo draws nothing and the run goes on.
    static void run(TaskContext& task);
    // The point is used as recorded; a missing or unchosen logo is said, not skipped.
    static TaskPreviewResult preview(TaskPreviewContext& task);
    // Whether the logo of a pending task can be drawn (any other kind: Applied).
    static TaskPreviewResult checkLogo(const TaskRecord& task);

private:
    const TaskSlots& p_;
};

}  // namespace lumora
