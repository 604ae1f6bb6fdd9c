#pragma once

#include "tasks/TaskRecord.h"

#include <cstdint>

namespace lumora {

class TaskContext;

// Rotate (kind 2): turns the photo; the canvas grows to hold it.
//   P0  smooth (resampled) turn, a flag
//   P1  degrees, clockwise, rounded to a 16-bit whole number
//   P2  the colour of the uncovered corners
class RotateTask {
public:
    explicit RotateTask(const TaskSlots& slots) : p_(slots) {}

    bool smooth() const;
    std::int16_t degrees() const;
    std::uint32_t cornerColour() const;

    static void run(TaskContext& task);

private:
    const TaskSlots& p_;
};

}  // namespace lumora
