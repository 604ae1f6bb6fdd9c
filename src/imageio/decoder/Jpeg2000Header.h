#pragma once

#include <optional>

namespace lumora::decoder {

// What the SIZ marker of a JPEG 2000 codestream says about the image.
struct Jpeg2000Size {
    long long width = 0;
    long long height = 0;
    int components = 0;
    long long tiles = 0;
};

// More tiles than this are refused. OpenJPEG keeps a few kilobytes of coding state for every
// tile; a 250-megapixel image in tiles of 128 x 128 pixels has fewer than this.
inline constexpr long long kMaxJpeg2000Tiles = 16384;

// Reads the SIZ marker of a file, a JP2 file (the codestream inside its "jp2c" box) or a bare
// codestream, without OpenJPEG: OpenJPEG sets up every tile as it reads that marker, so a header
// that claims millions of tiles would cost gigabytes before any check could refuse it. Nothing
// when the file holds no well-formed SIZ marker where it should.
std::optional<Jpeg2000Size> readJpeg2000Size(const char* path, bool jp2);

}  // namespace lumora::decoder
