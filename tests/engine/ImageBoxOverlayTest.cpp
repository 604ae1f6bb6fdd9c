// Overlays and text: placement, opacity, the transparent colour and the text anchor.

#include "PictureChecks.h"

#include "engine/EngineError.h"
#include "support/EngineFixtures.h"
#include "support/Oracles.h"

#include <QRect>

using namespace lumora;
using namespace lumora::test;

namespace {

const Rgb kGrey{100, 100, 100};
const Rgb kWhite{255, 255, 255};
const Rgb kBlack{0, 0, 0};

// A white picture with a black rectangle from (0, 0) to (right, bottom), exclusive.
Picture blackCorner(int width, int height, int right, int bottom)
{
    return painted(width, height, [&](int x, int y) { return x < right && y < bottom ? kBlack : kWhite; });
}

class EngineOverlay : public EngineModes {
protected:
    void SetUp() override { loadThroughFile(Picture::filled(100, 80, kGrey)); }

    void placeAt(int x, int y)
    {
        box.SetOverlayPlacement(1);
        box.SetOverlayX(x);
        box.SetOverlayY(y);
    }
};
LUMORA_BOTH_ENGINE_MODES(EngineOverlay);

TEST_P(EngineOverlay, CentreAndPointPlacementOfLogoFilesAndPictures)
{
    box.SetOverlayPlacement(0);
    box.OverlayFile(writePng(Picture::filled(10, 10, kWhite), path("logo.png")));
    expectColours(box.Picture(), {{45, 35, kWhite}, {54, 44, kWhite}, {44, 35, kGrey}, {55, 44, kGrey}});
    EXPECT_THROW(box.OverlayFile(path("missing.png")), EngineError);
    EXPECT_THROW(box.SetOverlayPlacement(4), EngineError);

    placeAt(95, -4);  // partly outside: clipped
    box.OverlayPicture(Picture::filled(10, 10, kBlack));
    expectColours(box.Picture(), {{95, 0, kBlack}, {99, 5, kBlack}, {94, 0, kGrey}, {95, 6, kGrey}});
    EXPECT_EQ(box.ImageWidth(), 100);
}

TEST_P(EngineOverlay, TilingRepeatsFromTheTopLeftCornerWrapStretchesOverTheImage)
{
    box.SetOverlayPlacement(2);
    box.OverlayPicture(blackCorner(10, 10, 5, 10));  // black left half
    expectColours(box.Picture(), {{0, 77, kBlack}, {4, 77, kBlack}, {10, 77, kBlack}, {14, 77, kBlack},
                                  {90, 77, kBlack}, {94, 77, kBlack}, {5, 77, kWhite}, {9, 77, kWhite},
                                  {15, 77, kWhite}, {95, 77, kWhite}, {99, 77, kWhite}});

    box.SetOverlayPlacement(3);
    box.OverlayPicture(blackCorner(10, 10, 5, 5));
    expectColours(box.Picture(), {{20, 15, kBlack}, {80, 60, kWhite}, {80, 15, kWhite}});
}

TEST_P(EngineOverlay, OpacityTransparentColourAndOwnAlphaCombine)
{
    placeAt(0, 0);
    box.SetOverlayTransparency(25);
    box.OverlayPicture(Picture::filled(10, 10, kWhite));
    EXPECT_EQ(box.PixelColor(5, 5), ole(216, 216, 216));  // 100 + 155 * 0.75

    // White is the see-through colour: only the black half lands.
    box.SetOverlayTransparency(0);
    box.SetOverlayUseTransparentColor(true);
    box.SetOverlayTransparentColor(ole(255, 255, 255));
    placeAt(20, 0);
    box.OverlayPicture(blackCorner(10, 10, 5, 10));
    EXPECT_EQ(box.PixelColor(22, 5), ole(0, 0, 0));
    EXPECT_EQ(box.PixelColor(27, 5), ole(100, 100, 100));

    // Half-transparent pixels of the overlay itself.
    box.SetOverlayUseTransparentColor(false);
    Picture glass(4, 4, 4, QByteArray(4 * 4 * 4, '\0'));
    for (int i = 0; i < 16; ++i)
        glass.setPixel(i % 4, i / 4, kWhite, 102);  // 40 %
    placeAt(50, 0);
    box.OverlayPicture(glass);
    EXPECT_EQ(box.PixelColor(51, 1), ole(162, 162, 162));  // 100 + 155 * 0.4
}

TEST_P(EngineOverlay, ManyOverlaysOnAStreamedPhotoAtTopAndBottom)
{
    // Like a frame on a tall photo decoded top to bottom: pieces pasted along every edge.
    ImageBox writer;
    writer.SetBitmapHandle(gradientPicture(1067, 1600));
    writer.SaveToFile(path("tall.jpg"));
    box.LoadFromFile(path("tall.jpg"));
    for (int x = 0; x < 1067; x += 128)
        for (int y : {0, 1600 - 56}) {
            placeAt(x, y);
            box.OverlayPicture(Picture::filled(128, 56, kBlack));
        }
    for (int y = 56; y < 1600; y += 128)
        for (int x : {0, 1067 - 56}) {
            placeAt(x, y);
            box.OverlayPicture(Picture::filled(56, 128, kBlack));
        }
    box.SaveToFile(path("framed.png"));
    EXPECT_EQ(identify(path("framed.png"), "%wx%h %[fx:p{1066,1599}.r]"), "1067x1600 0");
}

class EngineText : public EngineModes {
protected:
    void SetUp() override
    {
        box.SetFont(TextFont{"DejaVu Sans", 20, true, false, false});
        box.SetTextColor(ole(0, 0, 0));
    }
    // The ink of a text drawn in black on a fresh white picture: the smallest rectangle holding
    // every dark pixel.
    QRect drawn(int x, int y, const QString& text)
    {
        loadThroughFile(Picture::filled(300, 200, kWhite));
        box.DrawText(x, y, text);
        const Picture p = box.Picture();
        return boundsOf(p, [&](int px, int py) { return p.rgbAt(px, py).r < 128; });
    }
};
LUMORA_BOTH_ENGINE_MODES(EngineText);

// The ink lies within `bounds` (corners included) and reaches within 6 pixels of both ends of
// its long side.
void expectInkAlong(const QRect& ink, const QRect& bounds)
{
    const bool wide = bounds.width() >= bounds.height();
    EXPECT_TRUE(bounds.contains(ink) && (wide ? ink.left() < bounds.left() + 6 && ink.right() > bounds.right() - 6
                                              : ink.top() < bounds.top() + 6 && ink.bottom() > bounds.bottom() - 6))
        << "ink (" << ink.left() << ',' << ink.top() << ")-(" << ink.right() << ',' << ink.bottom() << ") in ("
        << bounds.left() << ',' << bounds.top() << ")-(" << bounds.right() << ',' << bounds.bottom() << ')';
}

TEST_P(EngineText, AlignmentPutsTheAnchorOnTheLeftCentreOrRightEdgeAndAngleTurnsTheTextAboutIt)
{
    const QString text = "HHHHHH";
    const int tw = box.TextWidth(text), th = box.TextHeight(text);
    ASSERT_GT(tw, 60);
    ASSERT_GT(th, 20);
    for (int alignment : {0, 1, 2}) {
        SCOPED_TRACE(alignment);
        box.SetTextAlignment(alignment);
        const int left = 150 - alignment * tw / 2;
        expectInkAlong(drawn(150, 50, text), QRect(QPoint(left, 50), QPoint(left + tw, 50 + th)));
    }
    EXPECT_THROW(box.SetTextAlignment(3), EngineError);

    // Counter-clockwise: at 90 degrees the text runs up from the anchor, its height to the right;
    // at -90 down, its height to the left; at 45 as wide as it is tall.
    box.SetTextAlignment(0);
    box.SetTextAngle(90);
    expectInkAlong(drawn(100, 150, text), QRect(QPoint(100, 150 - tw), QPoint(100 + th, 150)));
    box.SetTextAngle(-90);
    expectInkAlong(drawn(100, 20, text), QRect(QPoint(100 - th, 20), QPoint(100, 20 + tw)));
    box.SetTextAngle(45);
    const QRect ink = drawn(20, 180, text);
    EXPECT_TRUE(ink.width() > tw / 2 && ink.height() > tw / 2 && ink.top() < 180 - tw / 2);
}

TEST_P(EngineText, TheBoxUnlessTransparentAndWithoutAntiAliasOnlyItsTwoColours)
{
    const QString text = "ooo";
    const int tw = box.TextWidth(text);
    box.SetTextBackColor(ole(0, 0, 255));
    box.SetTextTransparent(false);
    drawn(10, 10, text);
    expectColours(box.Picture(), {{10, 10, Rgb{0, 0, 255}}, {10 + tw - 1, 10, Rgb{0, 0, 255}}, {10 + tw, 10, kWhite}});
    box.SetTextTransparent(true);
    drawn(10, 100, text);
    EXPECT_EQ(box.Picture().rgbAt(10, 100), kWhite);
    EXPECT_THROW(box.SetFont(TextFont{"DejaVu Sans", 0}), EngineError);

    box.SetTextAntiAlias(false);
    box.SetTextColor(ole(255, 0, 0));
    drawn(5, 5, "Sharp edges & curves");
    EXPECT_GT(countColour(box.Picture(), Rgb{255, 0, 0}), 200);
    EXPECT_EQ(coloursOf(box.Picture()), (std::set<std::uint32_t>{ole(255, 0, 0), ole(255, 255, 255)}));
}

}  // namespace
