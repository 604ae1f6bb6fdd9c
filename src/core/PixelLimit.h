#pragma once

#include <cstdint>

namespace lumora {

// The most pixels any picture may have in Lumora: loaded from a file, decoded by a helper or made
// by an engine operation (a canvas, a resize, a rotation). 250 megapixels hold the largest
// stitched panoramas of today's cameras; at 3 to 4 bytes a pixel they still fit in memory, where
// a damaged header or a runaway task basket asking for more would only take the machine.
inline constexpr std::int64_t MaxPicturePixels = 250'000'000;

// A raster file whose header claims more pixels than this per byte of the file cannot hold them.
// Real images stay far below it: deflate tops out near 8,000 pixels a byte even for a blank
// one-bit PNG, JPEG near 500, and the densest coding, a blank page in fax coding, spends a bit a
// row. Such a header belongs to a damaged or hostile file (a 130-byte TIFF claiming 20000 x 12000),
// and decoding it would only fill gigabytes with nothing. (Shared with the decoder helper, which
// has no Qt.)
inline constexpr std::int64_t MaxPixelsPerFileByte = std::int64_t{1} << 18;

// True when a file of fileBytes bytes can hold the width x height raster its header claims.
inline bool FileCanHoldRaster(std::int64_t width, std::int64_t height, std::int64_t fileBytes)
{
    return width > 0 && height > 0 && width * height <= fileBytes * MaxPixelsPerFileByte;
}

// True when a width x height raster read from a file of fileBytes bytes may be decoded whole.
inline bool RasterFitsLimits(std::int64_t width, std::int64_t height, std::int64_t fileBytes)
{
    return FileCanHoldRaster(width, height, fileBytes) && width * height <= MaxPicturePixels;
}

}  // namespace lumora
