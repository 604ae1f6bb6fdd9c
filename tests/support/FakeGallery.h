#pragma once

#include "core/LumoraError.h"
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

    Picture piece(int style, FramePiece which) const override
    {
        if (style < 0 || style >= StyleCount)
            throw LumoraError(340, QStringLiteral("no such style"));
        const bool across = which == FramePiece::TopMiddle || which == FramePiece::BottomMiddle;
        if (!across && which != FramePiece::Left && which != FramePiece::Right)
            return Picture::filled(kEdge, kCorner, cornerColour(style));
        return Picture::filled(across ? kStep : kEdge, across ? kCorner : kStep, edgeColour(style));
    }
    Picture ornament(Ornament) const override { return Picture::filled(5, 7, kOrnamentColour); }
    Picture mask(int number) const override
    {
        if (number < 0 || number >= MaskCount)
            throw LumoraError(340, QStringLiteral("no such mask"));
        Picture p = Picture::filled(40, 30, Rgb{255, 255, 255});
        for (int y = 8; y < 22; ++y)
            for (int x = 10; x < 30; ++x)
                p.setPixel(x, y, Rgb{0, 0, 0});
        return p;
    }
};

}  // namespace lumora::test
