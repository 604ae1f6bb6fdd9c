#pragma once

// ZSoft PCX files (version 5, run-length encoded): 24-bit true colour in three planes, 8-bit palette,
// 16 colours in four bit planes, and black and white. Internal to the engine.

#include "engine/IndexedImage.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace lumora {

class PcxWriter {
public:
    // Packed 8-bit RGB pixels, rows top to bottom.
    static QByteArray trueColour(const std::vector<std::uint8_t>& rgb, int width, int height);
    // The palette image at its depth's bits per pixel.
    static QByteArray indexed(const IndexedImage& image);
};

}  // namespace lumora
