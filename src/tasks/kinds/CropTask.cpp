#include "tasks/kinds/CropTask.h"

#include "core/Conversions.h"
#include "core/CurrentOperation.h"
#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"

namespace lumora {

using namespace convert;

bool CropTask::keyedIn() const { return toFlag(p_[0]); }
bool CropTask::ellipse() const { return toDouble(p_[1]) != 0; }
std::uint32_t CropTask::outsideColour() const { return taskslot::colour(p_[6]); }
std::int32_t CropTask::edge(int index) const { return toInt32(p_[static_cast<size_t>(index)]); }
std::int32_t CropTask::viewBoxWidth() const { return toInt32(p_[5]); }
std::int32_t CropTask::viewBoxHeight() const { return toInt32(p_[6]); }
double CropTask::drawnEdge(int index) const { return toDouble(p_[static_cast<size_t>(index)]); }

void CropTask::run(TaskContext& task)
{
    const CropTask crop(task.slots);
    ImageBox& e = task.engine;
    SetCurrentOperation(QStringLiteral("Reading Crop task - '") + task.slots[0] + u'\'');
    if (crop.keyedIn()) {
        if (crop.ellipse()) {
            attempt([&] { e.SetBackColor(crop.outsideColour()); });
            attempt([&] { e.CropSelectionEllipse(crop.edge(2), crop.edge(3), crop.edge(4), crop.edge(5)); });
        } else {
            attempt([&] { e.CropSelectionRect(crop.edge(2), crop.edge(3), crop.edge(4), crop.edge(5)); });
        }
        attempt([&] { e.SetSelectionActive(true); });
        attempt([&] { e.CropToSelection(); });
        return;
    }
    if (!crop.drawnOnFittedView()) {
        attempt([&] { e.Crop(crop.edge(1), crop.edge(2), crop.edge(3), crop.edge(4)); });
        return;
    }
    // Mapped to this photo's pixels through a view of the same box the rectangle was drawn in.
    attempt([&] { e.SetWidth(crop.viewBoxWidth()); });
    attempt([&] { e.SetHeight(crop.viewBoxHeight()); });
    attempt([&] { e.SetStretchToFit(true); });
    const int W = e.ImageWidth();
    const int H = e.ImageHeight();
    const int viewW = e.ViewWidth();
    const int viewH = e.ViewHeight();
    const std::int32_t left = toInt32(taskslot::divided(crop.drawnEdge(1) * W, viewW));
    const std::int32_t top = toInt32(taskslot::divided(crop.drawnEdge(2) * H, viewH));
    const std::int32_t right = toInt32(taskslot::divided(crop.drawnEdge(3) * W, viewW));
    const std::int32_t bottom = toInt32(taskslot::divided(crop.drawnEdge(4) * H, viewH));
    attempt([&] { e.Crop(left, top, right, bottom); });
}

}  // namespace lumora
