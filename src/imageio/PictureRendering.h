#pragma once

#include "engine/Picture.h"

#include <QRect>
#include <QString>

#include <cstdint>

namespace lumora {

// Rendering of files and pictures to a requested size: the loader's first road and the renderer
// of thumbnails for pictures already in memory. Sizes follow the three LoadSizeMode rules; with
// keepAspect the image is drawn with its shape kept and centred in the target, the uncovered
// margins in backColor. JPEG and other formats that can decode at a reduced size do so, so a
// thumbnail never decodes a large photo at full size.

// Loads and renders a file with libvips. Null when libvips cannot read it (or it is larger than
// MaxLoadPixels). sourceWidth/sourceHeight receive the image's pixel size.
Picture RenderWithGdiPlus(const QString& path, int mode, int width, int height, std::uint32_t backColor,
                          bool keepAspect, int& sourceWidth, int& sourceHeight);

// Renders a picture in memory (mode 1 or 2).
Picture PictureFromHandle(const Picture& picture, int width, int height, int mode, std::uint32_t backColor,
                          bool keepAspect);

// PictureFromHandle with keepAspect.
Picture ResizePicture(const Picture& picture, int mode, int width, int height, std::uint32_t backColor);

// The size rule of ShrinkToFit: (sw, sh) when it fits inside (mw, mh), else the largest size of
// the same shape that fits, with single-precision ratios and halves rounded to even.
void FitInside(int sw, int sh, int mw, int mh, int& width, int& height);

// Where keepAspect draws an sw x sh image in a tw x th target: the drawn rectangle, sides and
// offsets rounded half to even (400 x 100 into 100 x 100 gives 0, 38, 100 x 25).
QRect AspectPlacement(int sw, int sh, int tw, int th);

}  // namespace lumora
