#include "shell/TaskBasketPane.h"

#include "tasks/TaskBasket.h"
#include "tasks/TaskIconModel.h"

#include <QAction>
#include <QListView>
#include <QToolBar>
#include <QVBoxLayout>

namespace lumora {

TaskBasketPane::TaskBasketPane(TaskBasket& tasks, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    bar_ = new QToolBar(this);
    bar_->setObjectName(QStringLiteral("tbEdit"));
    bar_->setIconSize(QSize(16, 16));
    bar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    layout->addWidget(bar_);

    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("lvEdit"));
    list_->setModel(new TaskIconModel(tasks, list_));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(list_, 1);
}

void TaskBasketPane::setCommands(const QList<QAction*>& commands)
{
    bar_->clear();
    for (QAction* command : commands)
        bar_->addAction(command);
}

}  // namespace lumora
