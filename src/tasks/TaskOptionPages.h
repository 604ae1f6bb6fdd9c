#pragma once

#include <QString>

#include <vector>

class QWidget;

namespace lumora {

class TaskOptionPanel;

// Makes the 17 option pages of the editing panel, children of `parent`: kinds 1..16 and the
// "nothing" page (kind 0), in kind order.
std::vector<TaskOptionPanel*> makeTaskOptionPages(QWidget* parent);

// The pages of one editing panel, found by kind or by task-pane item key.
class TaskOptionPages {
public:
    explicit TaskOptionPages(QWidget* parent);

    const std::vector<TaskOptionPanel*>& pages() const { return pages_; }
    // nullptr when there is no such page.
    TaskOptionPanel* byKind(int kind) const;
    // The item key in any letter case ("Resize", "redeye", "Nothing").
    TaskOptionPanel* byKey(const QString& key) const;

private:
    std::vector<TaskOptionPanel*> pages_;
};

}  // namespace lumora
