#pragma once

#include "tasks/TaskKind.h"

#include <QString>

#include <array>

namespace lumora {

// One editing step with its settings frozen as text. The kind is kept as the text it travels
// as (a task file may hold any text there); every parameter slot is text and is converted only
// when the task runs.
struct TaskRecord {
    static constexpr int SlotCount = 17;

    QString kind;  // decimal kind number, "3"
    QString key;   // the task-pane item that produced it, "resize"; picks the icon
    std::array<QString, SlotCount> params;  // P0 .. P16; unused slotValues are empty

    TaskRecord() = default;
    TaskRecord(TaskKind k, QString taskKey, std::initializer_list<QString> slotValues = {});

    friend bool operator==(const TaskRecord&, const TaskRecord&) = default;
};

}  // namespace lumora
