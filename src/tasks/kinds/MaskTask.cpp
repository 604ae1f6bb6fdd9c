#include "tasks/kinds/MaskTask.h"

#include "core/Conversions.h"
#include "engine/ImageBox.h"
#include "tasks/Gallery.h"
#include "tasks/TaskContext.h"

namespace lumora {

bool MaskTask::blackSeeThrough() const { return convert::toFlag(p_[0]); }
std::int16_t MaskTask::transparency() const { return convert::toInt16(p_[1]); }
std::int16_t MaskTask::mask() const { return convert::toInt16(p_[2]); }

void MaskTask::run(TaskContext& task)
{
    const MaskTask mask(task.slots);
    ImageBox& e = task.engine;
    attempt([&] { e.SetOverlayTransparentColor(0); });
    attempt([&] { e.SetOverlayUseTransparentColor(mask.blackSeeThrough()); });
    attempt([&] { e.SetOverlayTransparency(mask.transparency()); });
    attempt([&] { e.SetOverlayPlacement(1); });
    attempt([&] { e.SetOverlayX(0); });
    attempt([&] { e.SetOverlayY(0); });
    const Picture picture = task.gallery.mask(mask.mask());
    const int W = e.ImageWidth();
    const int H = e.ImageHeight();
    if (picture.width() != W && picture.height() != H) {
        // Stretched to the photo on the spare engine, so the photo's own engine keeps its image.
        ImageBox& spare = task.spare();
        attempt([&] { spare.SetBitmapHandle(picture); });
        attempt([&] { spare.ResizeTo(W, H); });
        attempt([&] { e.OverlayPicture(spare.Picture()); });
    } else {
        attempt([&] { e.OverlayPicture(picture); });
    }
    if (e.OverlayUseTransparentColor())
        attempt([&] { e.Blur(2); });
}

}  // namespace lumora
