#pragma once

#include "core/PixelLimit.h"
#include "engine/Picture.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace lumora {

// How LoadPic sizes the picture it returns.
enum LoadSizeMode : int {
    NaturalSize = 0,  // the image's own pixel size
    ShrinkToFit = 1,  // the image's size if it fits inside width x height, else the largest size
                      // of the same shape that does (FitInside); never enlarged
    FixedBox = 2,     // exactly width x height, the image centred inside with its shape kept and
                      // the margins in the background colour
};

// Images that would decode to more than this many pixels are refused from their header before any
// decoding, whatever their road. A JPEG that libjpeg reduces while decoding counts at the reduced
// size, so a huge panorama still gets its thumbnail.
inline constexpr qint64 MaxLoadPixels = MaxPicturePixels;

// The universal loader: turns any file Lumora can read into a picture of the requested size,
// trying its roads in order (libvips with shrink-on-load for the common formats, FreeImage,
// DevIL, OpenJPEG for JPEG 2000, the metafile decoders). A null picture means that no road can
// read the file; LoadPic never raises an error to its caller. Safe to call from several threads
// at once.
//
// sourceWidth and sourceHeight receive the image's pixel size when the libvips road rendered
// it; on the other roads they keep what the caller put in. backColor is the OLE colour of the
// margins (callers pass white).
Picture LoadPic(const QString& path, int mode, int width, int height, std::uint32_t& backColor, int& sourceWidth,
                int& sourceHeight);

// The same for callers that do not need the source size.
Picture LoadPic(const QString& path, int mode = NaturalSize, int width = -1, int height = -1,
                std::uint32_t backColor = 0xFFFFFF);

// The roads of LoadPic.
enum class LoadRoad {
    LibVips,    // libvips rendering (RenderWithGdiPlus)
    FreeImage,  // FreeImage decoding
    Devil,      // DevIL decoding through the temporary BMP
    Jpeg2000,   // OpenJPEG decoding
    Metafile,   // Windows and enhanced metafiles drawn as SVG
};

// The roads that the calling thread's last LoadPic call tried, in the order it tried them (the
// last one gave the picture, if there was one). For diagnostics and tests.
std::vector<LoadRoad> LastLoadPicRoads();

}  // namespace lumora
