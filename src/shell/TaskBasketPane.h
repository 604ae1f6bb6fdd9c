#pragma once

#include <QList>
#include <QWidget>

class QAction;
class QListView;
class QToolBar;

namespace lumora {

class TaskBasket;

// The "Task Basket" tab of the browse pane: the Task Basket as a list (`lvEdit`) under the
// commands of the Task Basket (new, open, save, remove), which the task editing panel carries
// out.
class TaskBasketPane : public QWidget {
    Q_OBJECT
public:
    explicit TaskBasketPane(TaskBasket& tasks, QWidget* parent = nullptr);

    QListView* taskList() const { return list_; }
    // The commands shown above the list.
    void setCommands(const QList<QAction*>& commands);

private:
    QListView* list_;
    QToolBar* bar_;
};

}  // namespace lumora
