#pragma once

// TIFF files through libtiff: 8-bit RGB (with alpha when the image has one), 8- and 4-bit palette,
// 8- and 4-bit grey, and bilevel; uncompressed, PackBits, or CCITT Group 4 for bilevel images.
// Internal to the engine.

#include "engine/IndexedImage.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace lumora {

class TiffWriter {
public:
    enum class Compression { None, PackBits, Group4 };

    // Packed 8-bit pixels of `bands` bands (3 RGB, 4 RGB and alpha), rows top to bottom.
    static QByteArray trueColour(const std::vector<std::uint8_t>& pixels, int width, int height, int bands,
                                 Compression compression);
    // Grey ramps become grey images, black and white a bilevel image, anything else a palette image.
    // Group 4 takes bilevel images only.
    static QByteArray indexed(const IndexedImage& image, Compression compression);

    // Both writers can add the image as the last page of an existing TIFF instead of making a new
    // file: `base` holds that file's bytes (empty for a new file), and the result is the whole
    // grown file. A base that is not a TIFF throws EngineError.
    static QByteArray trueColour(const std::vector<std::uint8_t>& pixels, int width, int height, int bands,
                                 Compression compression, const QByteArray& base);
    static QByteArray indexed(const IndexedImage& image, Compression compression, const QByteArray& base);
};

}  // namespace lumora
