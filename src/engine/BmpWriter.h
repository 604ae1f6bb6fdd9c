#pragma once

// Windows bitmaps: 24-bit true colour, or 8-, 4- and 1-bit palette images. Internal to the engine.

#include "engine/IndexedImage.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace lumora {

class BmpWriter {
public:
    // Packed 8-bit RGB pixels, rows top to bottom.
    static QByteArray trueColour(const std::vector<std::uint8_t>& rgb, int width, int height);
    // The palette image at its depth's bits per pixel.
    static QByteArray indexed(const IndexedImage& image);
};

}  // namespace lumora
