#include "imageio/ReducedPicture.h"

#include "imageio/LoadPic.h"
#include "imageio/PictureRendering.h"

#include <QRect>

#include <algorithm>

namespace lumora {

Picture PlaceReducedPicture(const Picture& decoded, int fullWidth, int fullHeight, int mode, int width, int height,
                            std::uint32_t backColor)
{
    if (decoded.isNull())
        return {};
    switch (mode) {
    case NaturalSize:
        return decoded;
    case ShrinkToFit: {
        // The fitted size comes from the image's own size: the reduced one is rounded up at
        // every halving and may have a slightly different shape.
        if (width <= 0 || height <= 0)
            return {};
        int fittedWidth = 0;
        int fittedHeight = 0;
        FitInside(fullWidth, fullHeight, width, height, fittedWidth, fittedHeight);
        return PictureFromHandle(decoded, std::max(1, fittedWidth), std::max(1, fittedHeight), FixedBox, backColor,
                                 false);
    }
    case FixedBox: {
        const QRect drawn = AspectPlacement(fullWidth, fullHeight, width, height);
        if (drawn.isEmpty())
            return ResizePicture(decoded, FixedBox, width, height, backColor);
        const Picture stretched = PictureFromHandle(decoded, drawn.width(), drawn.height(), FixedBox, backColor, false);
        return ResizePicture(stretched, FixedBox, width, height, backColor);
    }
    default:
        return {};
    }
}

}  // namespace lumora
