#pragma once

#include "engine/TextFont.h"

#include <QRect>

#include <cstdint>

namespace lumora {

// How the engine lays a picture over its image.
struct OverlaySettings {
    bool useTransparentColor = false;
    std::uint32_t transparentColor = 0;  // OLE colour
    double transparency = 0;             // percent; opacity is 100 - transparency
    int placement = 0;                   // 0 centre, 1 at (x, y), 2 tiled, 3 stretched
    int x = 0;
    int y = 0;
    friend bool operator==(const OverlaySettings&, const OverlaySettings&) = default;
};

// How the engine writes files.
struct EncoderOptions {
    int jpegQuality = 80;
    bool jpegProgressive = false;
    int colorDepth = 0;  // 0 true colour, 1 256 colours, 2 256 greys, 3 16 colours, 4 16 greys, 5/6 monochrome
    int tiffCompression = 0;  // 0 none, 1 PackBits, 2 CCITT Group 4
    bool gifLzw = true;       // else GIF codes are stored without compression
    // GIF and PNG: the pixels of exactly transparentColor (an OLE colour, the engine's BackColor)
    // become transparent.
    bool saveTransparent = false;
    std::uint32_t transparentColor = 0xFFFFFF;
    friend bool operator==(const EncoderOptions&, const EncoderOptions&) = default;
};

enum class SelectionShape { None, Rectangle, Ellipse };

// Everything an engine keeps from one operation and one image to the next: colours, overlay,
// text, selection, view and save options, the TIFF page to read. A value, so that an engine can
// start where another one stands (ImageBox::Settings / SetSettings): a batch worker takes up a
// photo with the settings a one-at-a-time run would have reached.
struct EngineSettings {
    std::uint32_t backColor = 0xFFFFFF;
    bool rotateResample = false;

    OverlaySettings overlay;

    TextFont font;
    std::uint32_t textColor = 0;
    std::uint32_t textBackColor = 0xFFFFFF;
    bool textTransparent = true;
    bool textAntiAlias = true;
    float textAngle = 0;
    int textAlignment = 0;

    bool selectionActive = false;
    SelectionShape selectionShape = SelectionShape::None;
    QRect selection;  // left, top, right (exclusive), bottom (exclusive) as given

    int viewBoxWidth = 0;
    int viewBoxHeight = 0;
    bool stretchToFit = false;
    double zoom = 100.0;

    EncoderOptions save;

    int tiffPage = 1;

    friend bool operator==(const EngineSettings&, const EngineSettings&) = default;
};

}  // namespace lumora
