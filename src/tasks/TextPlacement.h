#pragma once

#include <QString>

namespace lumora {

class ImageBox;

// The anchor of a text for the nine positions of the text task: 0..2 top row, 3..5 middle,
// 6..8 bottom; 0, 3, 6 left column, 1, 4, 7 centre, 2, 5, 8 right. Horizontal text anchors by
// the engine's TextAlignment; vertical text is turned a quarter clockwise about its anchor.
// Halves round half to even. Other positions leave (0, 0).
void PlaceText(bool vertical, int position, const ImageBox& engine, const QString& text, int& x, int& y);

}  // namespace lumora
