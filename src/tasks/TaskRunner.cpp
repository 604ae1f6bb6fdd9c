#include "tasks/TaskRunner.h"

#include "core/Conversions.h"
#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"
#include "tasks/StockGallery.h"
#include "tasks/TaskBasket.h"
#include "tasks/TaskContext.h"
#include "tasks/TaskKind.h"
#include "tasks/kinds/TextTask.h"

namespace lumora {

TaskRunOutcome subProcessPages(const QList<TaskRecord>& tasks, ImageBox& engine, const TaskRunOptions& options)
{
    SetCurrentOperation(QStringLiteral("Processing all available tasks in the basket"));
    if (tasks.isEmpty())
        return TaskRunOutcome::Completed;
    TaskContext context(engine, options.gallery ? *options.gallery : StockGallery::instance());
    TaskRunOutcome outcome = TaskRunOutcome::Completed;
    int position = 0;
    const bool ran = reportFailures(QStringLiteral("subProcessPages"), position, [&] {
        for (qsizetype row = 0; row < tasks.size(); ++row) {
            if (options.stop.stop_requested()) {
                outcome = TaskRunOutcome::Stopped;
                return;
            }
            // Positions are counted in 16 bits.
            position = convert::toInt16(static_cast<double>(row + 1));
            const TaskRecord& task = tasks.at(row);
            SetCurrentOperation(QStringLiteral("Processing task ID - '") + task.kindText() + u'\'');
            for (size_t i = 0; i < context.slots.size(); ++i)
                context.slots[i] = task.params[i].trimmed();
            if (const TaskKindInfo* info = taskKindInfo(task.kind))
                info->run(context);
            if (row == options.lastRow)
                return;
        }
    });
    return ran ? outcome : TaskRunOutcome::Failed;
}

TaskRunOutcome subProcessPages(const TaskBasket& basket, ImageBox& engine, const TaskRunOptions& options)
{
    return subProcessPages(basket.tasks(), engine, options);
}

void ApplyTextStyle(ImageBox& engine, const TaskRecord& task) { TextTask(task.params).applyStyle(engine); }

}  // namespace lumora
