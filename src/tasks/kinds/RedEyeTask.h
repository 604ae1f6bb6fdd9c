#pragma once

#include "tasks/TaskRecord.h"

namespace lumora {

class TaskContext;
class TaskPreviewContext;
enum class TaskPreviewResult;

// Red-eye correction (kind 16): applied at once to the previewed photo, on the area marked with
// the mouse; never recorded, so a run has nothing to do for it.
class RedEyeTask {
public:
    static void run(TaskContext& task);
    static TaskPreviewResult preview(TaskPreviewContext& task);
};

}  // namespace lumora
