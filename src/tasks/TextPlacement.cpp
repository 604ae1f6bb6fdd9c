#include "tasks/TextPlacement.h"

#include "core/Conversions.h"
#include "engine/ImageBox.h"

namespace lumora {
namespace {

int half(double value) { return static_cast<int>(convert::roundHalfEven(value / 2.0)); }

}  // namespace

void PlaceText(bool vertical, int position, const ImageBox& engine, const QString& text, int& x, int& y)
{
    x = 0;
    y = 0;
    if (position < 0 || position > 8)
        return;
    const int W = engine.ImageWidth();
    const int H = engine.ImageHeight();
    const int TW = engine.TextWidth(text);
    const int TH = engine.TextHeight(text);
    const int a = engine.TextAlignment();
    const int row = position / 3;
    const int column = position % 3;

    // A vertical text runs down the picture: its extent across is its height, along its width.
    const int extentDown = vertical ? TW : TH;
    y = row == 0 ? 0 : row == 1 ? half(H - extentDown) : H - extentDown;

    if (vertical) {
        x = column == 0 ? TH : column == 1 ? half(TH + W) : W;
        return;
    }
    switch (column) {
    case 0:
        x = a == 0 ? 0 : a == 1 ? half(TW) : TW;
        break;
    case 1:
        x = a == 0 ? half(W - TW) : a == 1 ? half(W) : half(TW + W);
        break;
    default:
        x = a == 0 ? W - TW : a == 1 ? W - half(TW) : W;
        break;
    }
}

}  // namespace lumora
