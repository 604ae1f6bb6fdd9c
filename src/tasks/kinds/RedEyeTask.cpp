#include "tasks/kinds/RedEyeTask.h"

#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"
#include "tasks/TaskPreview.h"

namespace lumora {

void RedEyeTask::run(TaskContext&) {}

TaskPreviewResult RedEyeTask::preview(TaskPreviewContext& task)
{
    const QRect area = task.area;
    const QPoint topLeft = task.view.toImage(area.topLeft());
    const QPoint bottomRight = task.view.toImage(QPoint(area.x() + area.width(), area.y() + area.height()));
    ImageBox& e = task.engine;
    e.CropSelectionRect(topLeft.x(), topLeft.y(), bottomRight.x(), bottomRight.y());
    e.SetSelectionActive(true);
    e.RemoveRedEye();
    e.CancelMouseTool();
    e.SetSelectionActive(false);
    return TaskPreviewResult::Applied;
}

}  // namespace lumora
