#pragma once

#include "tasks/TaskRecord.h"

#include <cstdint>

namespace lumora {

class TaskContext;

// Canvas (kind 12): room added around the photo.
//   P0  the colour of the added room
//   P1, P2, P3, P4  pixels added on the left, top, right and bottom
class CanvasTask {
public:
    explicit CanvasTask(const TaskSlots& slots) : p_(slots) {}

    std::uint32_t colour() const;
    std::int32_t margin(int side) const;  // 0 left, 1 top, 2 right, 3 bottom

    static void run(TaskContext& task);

private:
    const TaskSlots& p_;
};

}  // namespace lumora
