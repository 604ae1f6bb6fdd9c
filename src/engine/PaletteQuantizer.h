#pragma once

// Reduces an image to one of the engine's palette colour depths. Internal to the engine's writers.

#include "core/OleColor.h"
#include "engine/IndexedImage.h"

#include <vips/vips8>

#include <optional>

namespace lumora {

class PaletteQuantizer {
public:
    // depth: 1 256 colours, 2 256 greys, 3 16 colours, 4 16 greys, 5 black and white dithered,
    // 6 black and white at a threshold of mid grey. Colours are chosen by libimagequant; colour and
    // 16-grey reductions are Floyd-Steinberg dithered. Alpha is ignored.
    //
    // With `keep`, the pixels of exactly that colour get a palette entry of their own, which no
    // other pixel uses (the transparent colour of GIF and PNG files): the other pixels share one
    // entry less.
    static IndexedImage reduce(const vips::VImage& image, int depth, std::optional<Rgb> keep = std::nullopt);
};

}  // namespace lumora
