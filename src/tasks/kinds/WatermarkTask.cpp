#include "tasks/kinds/WatermarkTask.h"

#include "core/Conversions.h"
#include "core/CurrentOperation.h"
#include "core/FileExists.h"
#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"
#include "tasks/TaskPreview.h"

namespace lumora {

using namespace convert;

bool WatermarkTask::seeThroughColour() const { return toFlag(p_[0]); }
std::int16_t WatermarkTask::transparency() const { return toInt16(p_[1]); }
std::int16_t WatermarkTask::placement() const { return toInt16(p_[2]); }
bool WatermarkTask::atPoint() const { return toDouble(p_[2]) == 1; }
std::uint32_t WatermarkTask::transparentColour() const { return taskslot::colour(p_[4]); }
double WatermarkTask::pointY() const { return toDouble(p_[5]); }
double WatermarkTask::pointX() const { return toDouble(p_[6]); }

void WatermarkTask::run(TaskContext& task)
{
    const WatermarkTask mark(task.slots);
    ImageBox& e = task.engine;
    SetCurrentOperation(QStringLiteral("Reading Watermark value '") + task.slots[0] + u'\'');
    attempt([&] { e.SetOverlayUseTransparentColor(mark.seeThroughColour()); });
    attempt([&] { e.SetOverlayTransparency(mark.transparency()); });
    attempt([&] { e.SetOverlayPlacement(mark.placement()); });
    if (mark.atPoint()) {
        // The point was picked in pixels of the previewed photo; it is scaled through this view.
        const double x = taskslot::divided(e.ImageWidth(), e.ViewWidth()) * mark.pointX();
        const double y = taskslot::divided(e.ImageHeight(), e.ViewHeight()) * mark.pointY();
        const std::int32_t pixelX = toInt32(x);
        const std::int32_t pixelY = toInt32(y);
        attempt([&] { e.SetOverlayY(toInt16(static_cast<double>(pixelY))); });
        attempt([&] { e.SetOverlayX(toInt16(static_cast<double>(pixelX))); });
    }
    if (e.OverlayUseTransparentColor())
        attempt([&] { e.SetOverlayTransparentColor(mark.transparentColour()); });
    if (FileExists(mark.logo()))
        attempt([&] { e.OverlayFile(mark.logo().trimmed()); });
}

TaskPreviewResult WatermarkTask::checkLogo(const TaskRecord& task)
{
    if (task.kind != TaskKind::Watermark)
        return TaskPreviewResult::Applied;
    const QString& logo = task.params[3];
    if (logo.trimmed().isEmpty())
        return TaskPreviewResult::NoLogoChosen;
    if (!FileExists(logo))
        return TaskPreviewResult::LogoMissing;
    return TaskPreviewResult::Applied;
}

TaskPreviewResult WatermarkTask::preview(TaskPreviewContext& task)
{
    if (const TaskPreviewResult problem = checkLogo(task.task); problem != TaskPreviewResult::Applied)
        return problem;
    const WatermarkTask mark(task.task.params);
    ImageBox& e = task.engine;
    e.SetOverlayUseTransparentColor(mark.seeThroughColour());
    e.SetOverlayTransparency(mark.transparency());
    e.SetOverlayPlacement(mark.placement());
    if (mark.placement() == 1) {
        e.SetOverlayY(toInt16(mark.pointY()));
        e.SetOverlayX(toInt16(mark.pointX()));
    }
    if (e.OverlayUseTransparentColor())
        e.SetOverlayTransparentColor(mark.transparentColour());
    e.OverlayFile(mark.logo().trimmed());
    return TaskPreviewResult::Applied;
}

}  // namespace lumora
