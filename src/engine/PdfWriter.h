#pragma once

// One-page PDF documents holding the image at one point per pixel, through cairo. Internal to the
// engine.

#include "engine/IndexedImage.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace lumora {

class PdfWriter {
public:
    // Packed 8-bit pixels of `bands` bands (3 RGB, 4 RGB and alpha), rows top to bottom.
    static QByteArray trueColour(const std::vector<std::uint8_t>& pixels, int width, int height, int bands);
    // The palette image's colours; cairo stores grey and black-and-white pictures with one
    // component of 8 or 1 bits.
    static QByteArray indexed(const IndexedImage& image);
};

}  // namespace lumora
