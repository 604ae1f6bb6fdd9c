#pragma once

#include "tasks/TaskKindTable.h"

#include <QString>

#include <span>

namespace lumora {

class TaskContext;
class TaskPreviewContext;
enum class TaskPreviewResult;

// The kinds of editing task (TaskKindTable.h). Kinds 1 to 15 and 17 stand in the Task Basket;
// RedEye (16) is applied at once to the previewed photo and never recorded. A task read from a file may carry
// any other number: it shows no name and does nothing.
enum class TaskKind : int {
    None = 0,  // no task chosen
#define LUMORA_KIND_ENUM(number, Id, ...) Id = number,
    LUMORA_TASK_KINDS(LUMORA_KIND_ENUM)
#undef LUMORA_KIND_ENUM
};

// One row of the task kind table, as the core sees it.
struct TaskKindInfo {
    TaskKind kind;
    const char* name;     // TaskKindName; "" for RedEye
    const char* itemKey;  // the task chart's item: "Resize", "Flip", "RedEye"
    const char* caption;  // the chart item's caption
    const char* title;    // the option page's title
    // What a run of the Task Basket does for a task of this kind.
    void (*run)(TaskContext& task);
    // What previewing a pending task of this kind does when it differs from a run; null when a
    // preview is a run of that one task.
    TaskPreviewResult (*preview)(TaskPreviewContext& task);

    // The record key and icon name: the item key in lower case ("resize", "flip", "redeye").
    QString key() const { return QString::fromLatin1(itemKey).toLower(); }
};

// Every kind, in the order of the task chart.
std::span<const TaskKindInfo> taskKinds();
// The row of a kind; null for a number that is no kind.
const TaskKindInfo* taskKindInfo(TaskKind kind);

// Display name of a kind number: "Orientation" .. "Shadow" for 1..15, "Fit" for 17, empty for
// anything else.
QString TaskKindName(int kind);
inline QString TaskKindName(TaskKind kind) { return TaskKindName(static_cast<int>(kind)); }

}  // namespace lumora
