#pragma once

// The EXIF thumbnail of a JPEG being written: at most 160 x 160 pixels, as cameras make them.
// Internal to the engine.

#include <QByteArray>

#include <vips/vips8>

#include <optional>

namespace lumora::exifthumbnail {

constexpr int kSize = 160;

// A JPEG of the image, fitted into kSize x kSize (never enlarged), in grey when `grey`. Made
// straight from an 8-bit image held in memory by averaging a sample of the pixels under each
// thumbnail pixel: resampling the whole photo, or decoding the written file again, would cost a
// batch a tenth of its time for a picture of 160 pixels. Nothing for an image that is not in
// memory or not 8-bit.
std::optional<QByteArray> fromMemory(const vips::VImage& image, bool grey);

// The same from the bytes of a JPEG, decoded again at a reduced scale.
QByteArray fromJpeg(const QByteArray& jpeg);

}  // namespace lumora::exifthumbnail
