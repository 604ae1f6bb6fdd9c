#pragma once

// An image reduced to a palette: one palette index per pixel. Internal to the engine's writers.

#include "core/OleColor.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumora {

struct IndexedImage {
    // What the palette holds, so that formats with native grey or bilevel pixels can use them.
    enum class Kind {
        Colour,   // any colours
        Grey,     // palette[i] is grey level i of 2^bits evenly spaced levels, black first
        Bilevel,  // palette {black, white}
    };

    int width = 0;
    int height = 0;
    // Bits per pixel the colour depth stands for (1, 4 or 8); the palette has at most 2^bits entries
    // (plus a transparent one in files that carry transparency, see below).
    int bits = 8;
    Kind kind = Kind::Colour;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> indices;  // width * height, rows top to bottom
    // The palette entry that only the pixels of the transparent colour use; -1 for none. When set,
    // the palette is not a plain grey ramp any more and kind is Colour.
    int transparentIndex = -1;

    std::uint8_t at(int x, int y) const
    {
        return indices[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
    const std::uint8_t* row(int y) const { return indices.data() + static_cast<size_t>(y) * static_cast<size_t>(width); }
};

}  // namespace lumora
