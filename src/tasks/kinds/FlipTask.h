#pragma once

#include "tasks/TaskRecord.h"

namespace lumora {

class TaskContext;

// Flip ("Orientation", kind 1): a mirror flip, not a turn.
//   P0  "0" flips left to right; any other text flips top to bottom.
class FlipTask {
public:
    explicit FlipTask(const TaskSlots& slots) : p_(slots) {}

    // The engine's Flip direction: 0 horizontal, 1 vertical.
    int direction() const { return p_[0] == u"0" ? 0 : 1; }

    static void run(TaskContext& task);

private:
    const TaskSlots& p_;
};

}  // namespace lumora
