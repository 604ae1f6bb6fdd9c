#pragma once

#include "tasks/TaskKind.h"

#include <QString>

#include <vector>

class QPainter;
class QWidget;

namespace lumora {

class TaskOptionPanel;

// Makes the option pages of the editing panel, children of `parent`: the "nothing" page first,
// then one page per task kind in the order of the task chart (TaskKindTable.h).
std::vector<TaskOptionPanel*> makeTaskOptionPages(QWidget* parent);

// How a kind's icon is drawn on a 24 x 24 grid, by its key ("resize", "redeye"); null for a key
// of no kind.
using TaskIconDrawing = void (*)(QPainter&);
TaskIconDrawing taskIconDrawing(const QString& key);

// The pages of one editing panel, found by kind or by task-pane item key.
class TaskOptionPages {
public:
    explicit TaskOptionPages(QWidget* parent);

    const std::vector<TaskOptionPanel*>& pages() const { return pages_; }
    // nullptr when there is no such page.
    TaskOptionPanel* byKind(TaskKind kind) const;
    // The item key in any letter case ("Resize", "redeye", "Nothing").
    TaskOptionPanel* byKey(const QString& key) const;

private:
    std::vector<TaskOptionPanel*> pages_;
};

}  // namespace lumora
