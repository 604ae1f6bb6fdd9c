#pragma once

#include <QWidget>

class QListView;
class QToolButton;

namespace lumora {

class TaskBasket;

// The "Task Basket" tab of the browse pane: the Task Basket as a list (`lvEdit`) with the
// commands that open and save task basket files (.tbf).
class TaskBasketPane : public QWidget {
    Q_OBJECT
public:
    explicit TaskBasketPane(TaskBasket& tasks, QWidget* parent = nullptr);

    QListView* taskList() const { return list_; }

    // "Open task basket": replaces the Task Basket by a file's tasks. The window re-renders the
    // preview on tasksOpened().
    void openTaskBasket();
    // "Save task basket": only when the basket holds tasks.
    void saveTaskBasket();

Q_SIGNALS:
    void tasksOpened();

private:
    TaskBasket& tasks_;
    QListView* list_;
    QToolButton* saveButton_;
};

}  // namespace lumora
