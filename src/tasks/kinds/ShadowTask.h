#pragma once

#include "tasks/TaskRecord.h"

#include <cstdint>

namespace lumora {

class TaskContext;

// Shadow (kind 15): a stock drop shadow around the photo, on a grown canvas.
//   P0  the shadow number 0..7; shadows are frame styles 8..15 of the frame composer
// The transparent-colour settings are those the tasks before it left.
class ShadowTask {
public:
    explicit ShadowTask(const TaskSlots& slots) : p_(slots) {}

    std::int16_t frameStyle() const;

    static void run(TaskContext& task);

private:
    const TaskSlots& p_;
};

}  // namespace lumora
