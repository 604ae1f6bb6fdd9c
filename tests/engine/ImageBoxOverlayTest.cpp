// Overlays and text: placement, opacity, the transparent colour and the text anchor.

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
const Rgb kRed{255, 0, 0};

// A white picture with a black rectangle from (0, 0) to (right, bottom), exclusive.
Picture blackCorner(int width, int height, int right, int bottom)
{
    Picture p = Picture::filled(width, height, kWhite);
    for (int y = 0; y < bottom; ++y)
        for (int x = 0; x < right; ++x)
            p.setPixel(x, y, kBlack);
    return p;
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

TEST_P(EngineOverlay, CentreAndPointPlacement)
{
    box.SetOverlayPlacement(0);
    box.OverlayPicture(Picture::filled(10, 10, kWhite));
    Picture p = box.Picture();
    EXPECT_EQ(p.rgbAt(45, 35), kWhite);
    EXPECT_EQ(p.rgbAt(54, 44), kWhite);
    EXPECT_EQ(p.rgbAt(44, 35), kGrey);
    EXPECT_EQ(p.rgbAt(55, 44), kGrey);

    placeAt(95, -4);  // partly outside: clipped
    box.OverlayPicture(Picture::filled(10, 10, kBlack));
    p = box.Picture();
    EXPECT_EQ(p.rgbAt(95, 0), kBlack);
    EXPECT_EQ(p.rgbAt(99, 5), kBlack);
    EXPECT_EQ(p.rgbAt(94, 0), kGrey);
    EXPECT_EQ(p.rgbAt(95, 6), kGrey);
    EXPECT_EQ(box.ImageWidth(), 100);
}

TEST_P(EngineOverlay, TilingRepeatsFromTheTopLeftCornerWrapStretchesOverTheImage)
{
    box.SetOverlayPlacement(2);
    box.OverlayPicture(blackCorner(10, 10, 5, 10));  // black left half
    Picture p = box.Picture();
    for (int x : {0, 4, 10, 14, 90, 94})
        EXPECT_EQ(p.rgbAt(x, 77), kBlack) << x;
    for (int x : {5, 9, 15, 95, 99})
        EXPECT_EQ(p.rgbAt(x, 77), kWhite) << x;

    box.SetOverlayPlacement(3);
    box.OverlayPicture(blackCorner(10, 10, 5, 5));
    p = box.Picture();
    EXPECT_EQ(p.rgbAt(20, 15), kBlack);
    EXPECT_EQ(p.rgbAt(80, 60), kWhite);
    EXPECT_EQ(p.rgbAt(80, 15), kWhite);
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

TEST_P(EngineOverlay, OverlayFileReadsTheLogoFromDisk)
{
    writePng(Picture::filled(6, 6, kBlack), path("logo.png"));
    box.SetOverlayPlacement(0);
    box.OverlayFile(path("logo.png"));
    EXPECT_EQ(box.PixelColor(50, 40), ole(0, 0, 0));
    EXPECT_THROW(box.OverlayFile(path("missing.png")), EngineError);
    EXPECT_THROW(box.SetOverlayPlacement(4), EngineError);
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

// The ink of a text drawn in black on white: the smallest rectangle holding every dark pixel.
QRect inkOf(const Picture& p)
{
    QRect ink;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (p.rgbAt(x, y).r < 128)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

class EngineText : public EngineModes {
protected:
    void SetUp() override
    {
        box.SetFont(TextFont{"DejaVu Sans", 20, true, false, false});
        box.SetTextColor(ole(0, 0, 0));
    }
    // The ink of a text drawn on a fresh white picture.
    QRect drawn(int x, int y, const QString& text)
    {
        loadThroughFile(Picture::filled(300, 200, kWhite));
        box.DrawText(x, y, text);
        return inkOf(box.Picture());
    }
};
LUMORA_BOTH_ENGINE_MODES(EngineText);

TEST_P(EngineText, AlignmentPutsTheAnchorOnTheLeftCentreOrRightEdge)
{
    const QString text = "HHHH";
    const int tw = box.TextWidth(text);
    const int th = box.TextHeight(text);
    ASSERT_GT(tw, 40);
    ASSERT_GT(th, 20);
    for (int alignment : {0, 1, 2}) {
        SCOPED_TRACE(alignment);
        box.SetTextAlignment(alignment);
        const QRect ink = drawn(150, 50, text);
        const int boxLeft = 150 - (alignment == 0 ? 0 : alignment == 1 ? tw / 2 : tw);
        EXPECT_GE(ink.left(), boxLeft);
        EXPECT_LE(ink.right(), boxLeft + tw);
        EXPECT_LT(ink.left(), boxLeft + 6);
        EXPECT_GT(ink.right(), boxLeft + tw - 6);
        EXPECT_GE(ink.top(), 50);
        EXPECT_LE(ink.bottom(), 50 + th);
    }
    EXPECT_THROW(box.SetTextAlignment(3), EngineError);
}

TEST_P(EngineText, AngleTurnsTheTextCounterClockwiseAboutItsAnchor)
{
    const QString text = "HHHHHH";
    const int tw = box.TextWidth(text);
    const int th = box.TextHeight(text);
    box.SetTextAngle(90);
    QRect ink = drawn(100, 150, text);
    // Turned up: the text runs from the anchor towards the top, its height to the right.
    EXPECT_GE(ink.left(), 100);
    EXPECT_LE(ink.right(), 100 + th);
    EXPECT_LE(ink.bottom(), 150);
    EXPECT_GE(ink.top(), 150 - tw);
    EXPECT_GT(ink.bottom() - ink.top(), tw - 12);

    box.SetTextAngle(-90);  // reads downwards, height to the left of the anchor
    ink = drawn(100, 20, text);
    EXPECT_LE(ink.right(), 100);
    EXPECT_GE(ink.left(), 100 - th);
    EXPECT_GE(ink.top(), 20);
    EXPECT_LE(ink.bottom(), 20 + tw);

    box.SetTextAngle(45);
    ink = drawn(20, 180, text);
    EXPECT_GT(ink.right() - ink.left(), tw / 2);  // diagonal: as wide as it is tall
    EXPECT_GT(ink.bottom() - ink.top(), tw / 2);
    EXPECT_LT(ink.top(), 180 - tw / 2);
}

TEST_P(EngineText, BackgroundBoxUnlessTransparent)
{
    const QString text = "ooo";
    const int tw = box.TextWidth(text);
    box.SetTextBackColor(ole(0, 0, 255));
    box.SetTextTransparent(false);
    drawn(10, 10, text);
    Picture p = box.Picture();
    EXPECT_EQ(p.rgbAt(10, 10), (Rgb{0, 0, 255}));
    EXPECT_EQ(p.rgbAt(10 + tw - 1, 10), (Rgb{0, 0, 255}));
    EXPECT_EQ(p.rgbAt(10 + tw, 10), kWhite);

    box.SetTextTransparent(true);
    drawn(10, 100, text);
    EXPECT_EQ(box.Picture().rgbAt(10, 100), kWhite);
    EXPECT_THROW(box.SetFont(TextFont{"DejaVu Sans", 0}), EngineError);
}

TEST_P(EngineText, AntiAliasOffDrawsOnlyTheTwoColours)
{
    box.SetTextAntiAlias(false);
    box.SetTextColor(ole(255, 0, 0));
    drawn(5, 5, "Sharp edges & curves");
    const Picture p = box.Picture();
    EXPECT_GT(countColour(p, kRed), 200);
    EXPECT_EQ(countColour(p, kRed) + countColour(p, kWhite), p.width() * p.height());
}

}  // namespace
