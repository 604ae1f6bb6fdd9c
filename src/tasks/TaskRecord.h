#pragma once

#include "tasks/TaskKind.h"

#include <QString>

#include <array>
#include <initializer_list>

namespace lumora {

// The parameter slots of a task, P0 .. P16, as text; a slot the kind does not use is empty.
inline constexpr int TaskSlotCount = 17;
using TaskSlots = std::array<QString, TaskSlotCount>;

// One editing step with its settings frozen as text: every parameter slot is text and is
// converted only when the task runs (kinds/ says what each kind's slots mean).
struct TaskRecord {
    static constexpr int SlotCount = TaskSlotCount;

    TaskKind kind = TaskKind::None;
    QString key;       // the task-pane item that produced it, "resize"; picks the icon
    TaskSlots params;  // P0 .. P16

    TaskRecord() = default;
    TaskRecord(TaskKind k, QString taskKey, std::initializer_list<QString> slotValues = {});

    // The kind as task files and status texts write it: "3".
    QString kindText() const { return QString::number(static_cast<int>(kind)); }

    friend bool operator==(const TaskRecord&, const TaskRecord&) = default;
};

}  // namespace lumora
