#pragma once

// Conversions between Lumora's engine types and libvips images. Internal to the engine.

#include "engine/Picture.h"

#include <QString>

#include <vips/vips8>

#include <cstdint>
#include <functional>
#include <vector>

namespace lumora::vipsbridge {

// Runs a libvips call and turns its failure into an EngineError that names the operation.
template <typename F>
auto guarded(const char* operation, F&& f) -> decltype(f());

// The engine's working form: 8-bit sRGB, three bands plus an optional alpha band.
vips::VImage normalise(vips::VImage in);

// Bits per pixel of a freshly loaded image, as the user would describe the file: 1, 8, 24 or 32.
int loadedDepth(const vips::VImage& in);

// A copy of packed 8-bit sRGB(A) pixels.
vips::VImage fromPixels(const void* data, size_t size, int width, int height, int bands);
vips::VImage fromPicture(const Picture& picture);
Picture toPicture(const vips::VImage& image);
// The pixels of an 8-bit image, all its bands, packed row after row.
std::vector<std::uint8_t> packedBytes(const vips::VImage& image);

// An OLE colour as a pixel value for an image of `bands` bands (alpha, when present, opaque).
std::vector<double> pixelOf(std::uint32_t oleColor, int bands);

bool hasAlpha(const vips::VImage& image);
vips::VImage colourBands(const vips::VImage& image);  // the first three bands
vips::VImage withAlpha(const vips::VImage& image);    // adds an opaque alpha band if missing

// A copy of the image without the EXIF, IPTC and XMP libvips carries from the loaded file (its
// blobs and the "exif-ifd" fields it parsed out of the EXIF, from which its writers would build a
// new EXIF block). The colour profile and resolution stay.
vips::VImage withoutMetadataBlocks(const vips::VImage& image);

// Casts a float image back to 8 bits, rounding to nearest and clipping to 0..255.
vips::VImage toUchar(const vips::VImage& image);

[[noreturn]] void fail(const char* operation, const QString& detail);

}  // namespace lumora::vipsbridge

#include "engine/VipsBridge.inl"
