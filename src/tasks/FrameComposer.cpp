#include "tasks/FrameComposer.h"

#include "engine/ImageBox.h"
#include "tasks/Gallery.h"

namespace lumora {
namespace {

void overlayAt(ImageBox& engine, const Picture& piece, int x, int y)
{
    engine.SetOverlayX(x);
    engine.SetOverlayY(y);
    engine.OverlayPicture(piece);
}

}  // namespace

void ComposeFrame(ImageBox& engine, int style, int enlargeCanvas, bool ornaments, const Gallery& gallery)
{
    const Picture topLeft = gallery.piece(style, FramePiece::TopLeft);
    const Picture topMiddle = gallery.piece(style, FramePiece::TopMiddle);
    const Picture topRight = gallery.piece(style, FramePiece::TopRight);
    const Picture left = gallery.piece(style, FramePiece::Left);
    const Picture right = gallery.piece(style, FramePiece::Right);
    const Picture bottomLeft = gallery.piece(style, FramePiece::BottomLeft);
    const Picture bottomMiddle = gallery.piece(style, FramePiece::BottomMiddle);
    const Picture bottomRight = gallery.piece(style, FramePiece::BottomRight);

    if (enlargeCanvas == 1) {
        const int W = engine.ImageWidth();
        const int H = engine.ImageHeight();
        // The right and bottom pieces overlap the picture by two pixels, so that their inner
        // edge meets it without a seam.
        engine.Crop(-left.width(), -topLeft.height(), W + right.width() - 2, H + bottomLeft.height() - 2);
    }
    const int W = engine.ImageWidth();
    const int H = engine.ImageHeight();

    engine.SetOverlayPlacement(1);
    engine.SetOverlayY(0);
    engine.SetOverlayX(0);
    overlayAt(engine, topLeft, 0, 0);
    for (int x = topLeft.width(); x < W; x += topMiddle.width())
        overlayAt(engine, topMiddle, x, 0);
    overlayAt(engine, topRight, W - topRight.width(), 0);

    int y = topLeft.height();
    Picture leftTop;
    if (ornaments) {
        leftTop = gallery.ornament(Ornament::LeftTop);
        overlayAt(engine, leftTop, 0, y);
        overlayAt(engine, gallery.ornament(Ornament::RightTop), W - leftTop.width(), y);
        y += leftTop.height();
    }
    for (; y < H; y += left.height()) {
        overlayAt(engine, left, 0, y);
        overlayAt(engine, right, W - right.width(), y);
    }
    if (ornaments) {
        const Picture rightBottom = gallery.ornament(Ornament::RightBottom);
        const int ornamentY = H - (leftTop.height() + topLeft.height());
        overlayAt(engine, gallery.ornament(Ornament::LeftBottom), 0, ornamentY);
        overlayAt(engine, rightBottom, W - rightBottom.width(), ornamentY);
    }

    const int bottomY = H - bottomLeft.height();
    overlayAt(engine, bottomLeft, 0, bottomY);
    // The bottom edge tiles with the top edge's step, so that both rows line up.
    for (int x = topLeft.width(); x < W; x += topMiddle.width())
        overlayAt(engine, bottomMiddle, x, bottomY);
    overlayAt(engine, bottomRight, W - topRight.width(), H - bottomLeft.height());
}

}  // namespace lumora
