#pragma once

#include "core/OleColor.h"
#include "engine/Picture.h"
#include "engine/TextFont.h"

#include <QSize>
#include <QString>

namespace lumora {

// How a text is drawn: font, colours, background box and edge smoothing.
struct TextStyle {
    TextFont font;
    Rgb color{0, 0, 0};
    Rgb backColor{255, 255, 255};
    bool transparent = true;  // no background box
    bool antiAlias = true;    // off: every pixel is either text or not (a hard mask)
};

// Lays out and rasterises text with Pango and cairo at 96 dpi. Fonts are matched by fontconfig,
// so an unknown family falls back to a similar font and never fails.
class TextRenderer {
public:
    // The logical extents of the laid-out text (advance width x line height per line), the box
    // that alignment and placement work with. An empty text measures 0 x one line height.
    static QSize measure(const QString& text, const TextStyle& style);

    // The text drawn into an RGBA picture of exactly measure(text, style): the background box in
    // backColor (opaque) unless transparent, the glyphs in color. Glyph parts that stick out of
    // the logical box (italic overhang, deep descenders) are clipped. An empty text, or one that
    // measures zero wide, gives a null picture. The alpha is straight (not premultiplied); without
    // a box, pixels without ink have alpha 0 and the text colour. Safe to call from several
    // threads at once.
    static Picture render(const QString& text, const TextStyle& style);
};

}  // namespace lumora
