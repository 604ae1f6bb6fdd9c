#pragma once

#include "tasks/TaskRecord.h"

#include <cstdint>

namespace lumora {

class TaskContext;

// Mask (kind 14): a stock mask stretched over the photo.
//   P0  black in the mask is see-through, a flag
//   P1  the mask's transparency in percent
//   P2  the mask number 0..7
class MaskTask {
public:
    explicit MaskTask(const TaskSlots& slots) : p_(slots) {}

    bool blackSeeThrough() const;
    std::int16_t transparency() const;
    std::int16_t mask() const;

    static void run(TaskContext& task);

private:
    const TaskSlots& p_;
};

}  // namespace lumora
