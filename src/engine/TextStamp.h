#pragma once

// Places rendered text on the image: the anchor point, alignment and rotation of the engine's
// text. Internal to the engine.

#include <vips/vips8>

namespace lumora {

struct PlacedText {
    vips::VImage rgba;  // the (possibly rotated) text, RGBA
    int left = 0;       // where its top-left corner goes on the image
    int top = 0;
};

class TextStamp {
public:
    // text: the unrotated RGBA text box. The anchor is (x, y) on the image; on the text box it is
    // at the left edge, centre or right edge (alignment 0, 1, 2) of the top side. angle:
    // counter-clockwise degrees about the anchor. smooth: interpolate (anti-aliased text) or
    // keep hard edges.
    static PlacedText place(const vips::VImage& text, int x, int y, int alignment, double angle, bool smooth);
};

}  // namespace lumora
