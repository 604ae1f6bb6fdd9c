#pragma once

#include "tasks/TaskRecord.h"

namespace lumora {

class TaskContext;

// Invert ("Negative", kind 11): every colour inverted. No slots.
class InvertTask {
public:
    static void run(TaskContext& task);
};

}  // namespace lumora
