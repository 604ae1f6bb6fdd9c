#pragma once

#include "engine/Picture.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>

namespace lumora {

// Rendering of files and pictures to a requested size: the loader's first road and the renderer
// of thumbnails for pictures already in memory. Sizes follow the three LoadSizeMode rules; with
// keepAspect the image is drawn with its shape kept and centred in the target, the uncovered
// margins in backColor. JPEGs decode at a reduced scale, so a thumbnail never decodes a large
// photo at full size; other formats stream through at their own size. Every function here is
// safe to call from several threads at once.

// Loads and renders a file with libvips: the first page of a multi-page file, turned upright by
// its EXIF orientation when photos are turned upright (UprightPhotos; as the engine reads it),
// transparency flattened onto backColor; the picture is RGB. Null when libvips cannot read the
// file, it is larger than MaxLoadPixels, or the mode or box cannot give a picture.
// sourceWidth/sourceHeight receive the image's pixel size, upright, once the header was read.
Picture RenderWithGdiPlus(const QString& path, int mode, int width, int height, std::uint32_t backColor,
                          bool keepAspect, int& sourceWidth, int& sourceHeight);

// Renders a picture in memory (mode 1 or 2; mode 0 gives the picture back unchanged).
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

// The size at which RenderWithGdiPlus decodes a file to draw it drawnWidth x drawnHeight: a JPEG
// at the smallest of libjpeg's reduced scales (1/2, 1/4, 1/8) that still covers the drawn size,
// every other file at its own size. Empty when the file cannot be read.
QSize RenderDecodeSize(const QString& path, int drawnWidth, int drawnHeight);

}  // namespace lumora
