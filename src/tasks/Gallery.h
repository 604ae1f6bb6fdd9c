#pragma once

#include "engine/Picture.h"

namespace lumora {

// The eight pieces of a frame or shadow style, in drawing order.
enum class FramePiece { TopLeft, TopMiddle, TopRight, Left, Right, BottomLeft, BottomMiddle, BottomRight };

// The four ornaments that decorate the ornate frame style.
enum class Ornament { LeftTop, RightTop, LeftBottom, RightBottom };

// The stock pictures that the Frame, Shadow and Mask tasks draw: 16 frame styles (0..7 frames,
// 8..15 shadows) of eight pieces each, four ornaments and eight masks.
class Gallery {
public:
    static constexpr int StyleCount = 16;
    static constexpr int FrameStyleCount = 8;  // shadows follow the frames
    static constexpr int MaskCount = 8;

    virtual ~Gallery() = default;
    // Throw LumoraError 340 for a style or mask number that does not exist.
    virtual Picture piece(int style, FramePiece piece) const = 0;
    virtual Picture ornament(Ornament ornament) const = 0;
    virtual Picture mask(int number) const = 0;
};

}  // namespace lumora
