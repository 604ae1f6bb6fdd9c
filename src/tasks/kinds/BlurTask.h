#pragma once

#include "tasks/TaskRecord.h"

#include <cstdint>

namespace lumora {

class TaskContext;

// Blur (kind 4): a Gaussian blur.
//   P0  strength, 1 to 10 from the page, a 32-bit whole number
class BlurTask {
public:
    explicit BlurTask(const TaskSlots& slots) : p_(slots) {}

    std::int32_t strength() const;

    static void run(TaskContext& task);

private:
    const TaskSlots& p_;
};

}  // namespace lumora
