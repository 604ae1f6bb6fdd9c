#pragma once

#include <QString>

namespace lumora {

struct TaskRecord;

// One line that says what a task of the Task Basket does with its settings, for the task lists'
// tool-tips: "Resize 800 x 600", "Text 'Harbour 2024'". A task whose slots do not read (a hand-made
// task file) is named with its kind and "(settings unreadable)".
QString taskSummary(const TaskRecord& task);

}  // namespace lumora
