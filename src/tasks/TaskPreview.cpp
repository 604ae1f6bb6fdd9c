#include "tasks/TaskPreview.h"

#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"
#include "tasks/TaskKind.h"
#include "tasks/TaskRunner.h"
#include "tasks/kinds/WatermarkTask.h"

namespace lumora {

TaskPreviewResult CheckWatermarkLogo(const TaskRecord& task) { return WatermarkTask::checkLogo(task); }

TaskPreviewResult PreviewTask(ImageBox& engine, TaskRecord& task, const TaskViewContext& view, QRect area)
{
    SetCurrentOperation(QStringLiteral("Previewing the task - '") + task.kindText() + u'\'');
    TaskPreviewResult result = TaskPreviewResult::Applied;
    const TaskKindInfo* info = taskKindInfo(task.kind);
    // The reported line tells a kind's own preview step (its kind number) from a plain run (0).
    const int line = info && info->preview ? static_cast<int>(task.kind) : 0;
    const bool ran = reportFailures(QStringLiteral("FrmMain.cmdApply_Click"), line, [&] {
        if (line != 0) {
            TaskPreviewContext context{engine, task, view, area};
            result = info->preview(context);
        } else {
            subProcessPages(QList<TaskRecord>{task}, engine);
        }
    });
    return ran ? result : TaskPreviewResult::Failed;
}

}  // namespace lumora
