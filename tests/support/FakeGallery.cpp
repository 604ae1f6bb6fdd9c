#include "support/FakeGallery.h"

#include "core/LumoraError.h"

namespace lumora::test {

Picture FakeGallery::piece(int style, FramePiece which) const
{
    if (style < 0 || style >= StyleCount)
        throw LumoraError(340, QStringLiteral("no such style"));
    switch (which) {
    case FramePiece::TopLeft:
    case FramePiece::TopRight:
    case FramePiece::BottomLeft:
    case FramePiece::BottomRight:
        return Picture::filled(kEdge, kCorner, cornerColour(style));
    case FramePiece::TopMiddle:
    case FramePiece::BottomMiddle:
        return Picture::filled(kStep, kCorner, edgeColour(style));
    case FramePiece::Left:
    case FramePiece::Right:
        return Picture::filled(kEdge, kStep, edgeColour(style));
    }
    return {};
}

Picture FakeGallery::ornament(Ornament) const { return Picture::filled(5, 7, kOrnamentColour); }

Picture FakeGallery::mask(int number) const
{
    if (number < 0 || number >= MaskCount)
        throw LumoraError(340, QStringLiteral("no such mask"));
    Picture p = Picture::filled(40, 30, Rgb{255, 255, 255});
    for (int y = 8; y < 22; ++y)
        for (int x = 10; x < 30; ++x)
            p.setPixel(x, y, Rgb{0, 0, 0});
    return p;
}

}  // namespace lumora::test
