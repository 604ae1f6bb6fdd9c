#include "tasks/TaskPreview.h"

#include "core/Conversions.h"
#include "core/CurrentOperation.h"
#include "core/FileExists.h"
#include "core/LumoraError.h"
#include "core/ReportFailures.h"
#include "engine/ImageBox.h"
#include "tasks/TaskKind.h"
#include "tasks/TaskRunner.h"
#include "tasks/TextPlacement.h"

namespace lumora {
namespace {

using namespace convert;

const QString kRoutine = QStringLiteral("FrmMain.cmdApply_Click");

std::uint32_t colour(const QString& text) { return static_cast<std::uint32_t>(toInt32(text)); }

void resize(ImageBox& engine, const TaskRecord& task)
{
    if (toFlag(task.params[0]))
        engine.ResizeTo(toInt32(task.params[1]), toInt32(task.params[2]));
    else
        engine.Scale(toSingle(task.params[1]));
}

TaskPreviewResult watermark(ImageBox& engine, const TaskRecord& task)
{
    const auto& p = task.params;
    if (const TaskPreviewResult problem = CheckWatermarkLogo(task); problem != TaskPreviewResult::Applied)
        return problem;
    engine.SetOverlayUseTransparentColor(toFlag(p[0]));
    engine.SetOverlayTransparency(toInt16(p[1]));
    engine.SetOverlayPlacement(toInt16(p[2]));
    if (toInt16(p[2]) == 1) {
        engine.SetOverlayY(toInt16(p[5]));
        engine.SetOverlayX(toInt16(p[6]));
    }
    if (engine.OverlayUseTransparentColor())
        engine.SetOverlayTransparentColor(colour(p[4]));
    engine.OverlayFile(p[3].trimmed());
    return TaskPreviewResult::Applied;
}

void text(ImageBox& engine, TaskRecord& task)
{
    auto& p = task.params;
    ApplyTextStyle(engine, task);
    const int position = toInt16(p[13]);
    int x = 0;
    int y = 0;
    if (position == 9) {
        x = toInt32(p[15]);
        y = toInt32(toInt32(p[16]) - roundHalfEven(toInt16(p[6]) / 2.0));
    } else {
        PlaceText(toByte(p[12]) != 0, position, engine, p[14], x, y);
    }
    p[15] = QString::number(x);
    p[16] = QString::number(y);
    engine.DrawText(x, y, p[14]);
}

void redEye(ImageBox& engine, const TaskViewContext& view, QRect area)
{
    const QPoint topLeft = view.toImage(area.topLeft());
    const QPoint bottomRight = view.toImage(QPoint(area.x() + area.width(), area.y() + area.height()));
    engine.CropSelectionRect(topLeft.x(), topLeft.y(), bottomRight.x(), bottomRight.y());
    engine.SetSelectionActive(true);
    engine.RemoveRedEye();
    engine.CancelMouseTool();
    engine.SetSelectionActive(false);
}

}  // namespace

TaskPreviewResult CheckWatermarkLogo(const TaskRecord& task)
{
    if (task.kind.trimmed() != QString::number(static_cast<int>(TaskKind::Watermark)))
        return TaskPreviewResult::Applied;
    const QString& logo = task.params[3];
    if (logo.trimmed().isEmpty())
        return TaskPreviewResult::NoLogoChosen;
    if (!FileExists(logo))
        return TaskPreviewResult::LogoMissing;
    return TaskPreviewResult::Applied;
}

TaskPreviewResult PreviewTask(ImageBox& engine, TaskRecord& task, const TaskViewContext& view, QRect redEyeArea)
{
    SetCurrentOperation(QStringLiteral("Previewing the task - '") + task.kind + u'\'');
    TaskPreviewResult result = TaskPreviewResult::Applied;
    int line = 0;
    const bool ran = reportFailures(kRoutine, line, [&] {
        line = 1;
        switch (static_cast<TaskKind>(toInt16(task.kind))) {
        case TaskKind::Resize:
            line = 2;
            resize(engine, task);
            break;
        case TaskKind::Watermark:
            line = 3;
            result = watermark(engine, task);
            break;
        case TaskKind::Text:
            line = 4;
            text(engine, task);
            break;
        case TaskKind::RedEye:
            line = 5;
            redEye(engine, view, redEyeArea);
            break;
        default:
            line = 6;
            subProcessPages(QList<TaskRecord>{task}, engine);
            break;
        }
    });
    return ran ? result : TaskPreviewResult::Failed;
}

}  // namespace lumora
