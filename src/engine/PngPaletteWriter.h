#pragma once

// Palette PNG files through libpng, with the exact palette Lumora chose and its transparent entry
// (tRNS). Internal to the engine.

#include "engine/IndexedImage.h"

#include <QByteArray>

namespace lumora {

class PngPaletteWriter {
public:
    // 1, 2, 4 or 8 bits per pixel, the fewest that hold the palette.
    static QByteArray write(const IndexedImage& image);
};

}  // namespace lumora
