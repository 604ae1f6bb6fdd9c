#include "tasks/TaskOptionPanel.h"

#include <utility>

namespace lumora {

TaskOptionPanel::TaskOptionPanel(const TaskKindInfo& info, QWidget* parent)
    : TaskOptionPanel(info.kind, info.key(), QString::fromLatin1(info.title), parent)
{
}

TaskOptionPanel::TaskOptionPanel(TaskKind kind, QString key, QString title, QWidget* parent)
    : QWidget(parent), kind_(kind), key_(std::move(key)), title_(std::move(title))
{
    // A name that screenshots and tests can find each page by.
    setObjectName(QStringLiteral("TaskOptions_") + key_);
}

// Most pages use no mouse tool; those that do override what they need.
void TaskOptionPanel::colorPicked(std::uint32_t) {}
void TaskOptionPanel::pointPicked(QPoint) {}
void TaskOptionPanel::rectanglePressed(QPoint) {}
void TaskOptionPanel::rectangleReleased(QPoint, QPoint) {}
void TaskOptionPanel::mouseReleased() {}
void TaskOptionPanel::cancelMouseTool() {}

}  // namespace lumora
