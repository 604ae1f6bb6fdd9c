#pragma once

#include "tasks/Gallery.h"

namespace lumora::test {

// A gallery of flat, recognisable pieces: every frame style draws its edges and corners in colours
// of its own, ornaments in magenta, masks as a black field with a white border.
class FakeGallery : public Gallery {
public:
    static constexpr int kEdge = 6;     // width of left/right pieces and of the corners
    static constexpr int kCorner = 8;   // height of top/bottom pieces and of the corners
    static constexpr int kStep = 10;    // length of the tiled edge pieces
    static constexpr Rgb kOrnamentColour{255, 0, 255};

    static Rgb edgeColour(int style)
    {
        return Rgb{static_cast<std::uint8_t>(10 + style * 15), static_cast<std::uint8_t>(200 - style * 10), 77};
    }
    static Rgb cornerColour(int style) { return Rgb{static_cast<std::uint8_t>(style * 15), 30, 250}; }

    Picture piece(int style, FramePiece piece) const override;
    Picture ornament(Ornament ornament) const override;
    Picture mask(int number) const override;
};

}  // namespace lumora::test
