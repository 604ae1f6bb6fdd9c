#pragma once

#include "tasks/TaskRecord.h"

#include <cstdint>

namespace lumora {

class TaskContext;

// Crop (kind 8), in one of two layouts chosen by P0.
//   P0  "True" keyed in, "False" drawn with the mouse
//   keyed in:  P1 the shape (0 rectangle, anything else an ellipse); P2..P5 left, top, right,
//              bottom in image pixels; P6 the colour outside an ellipse
//   mouse:     P1..P4 left, top, right, bottom of the drawn rectangle; P5, P6 the size of the
//              view box the photo was fitted into when it was drawn, or both empty when it was
//              drawn on the photo at its own size (then P1..P4 are image pixels)
class CropTask {
public:
    explicit CropTask(const TaskSlots& slots) : p_(slots) {}

    bool keyedIn() const;
    bool ellipse() const;
    std::uint32_t outsideColour() const;
    // Keyed in: P2..P5; drawn: P1..P4, as whole numbers.
    std::int32_t edge(int index) const;
    // A drawn rectangle given in view coordinates of a fitted photo.
    bool drawnOnFittedView() const { return !p_[5].isEmpty() && !p_[6].isEmpty(); }
    std::int32_t viewBoxWidth() const;
    std::int32_t viewBoxHeight() const;
    double drawnEdge(int index) const;  // P1..P4 as numbers

    static void run(TaskContext& task);

private:
    const TaskSlots& p_;
};

}  // namespace lumora
