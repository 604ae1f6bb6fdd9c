#include "imageio/HeifJxlRoad.h"

#include "engine/VipsRuntime.h"
#include "imageio/PictureRendering.h"

namespace lumora {

bool IsHeifOrJxlPhoto(const QString& path) { return needsVipsCodecModule(path); }

Picture LoadHeifOrJxl(const QString& path, int mode, int width, int height, std::uint32_t backColor,
                      int& sourceWidth, int& sourceHeight)
{
    if (!ensureVipsCodecFor(path))
        return {};
    return RenderWithGdiPlus(path, mode, width, height, backColor, true, sourceWidth, sourceHeight);
}

}  // namespace lumora
