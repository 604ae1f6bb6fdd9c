// Overlays and text: placement, opacity, the transparent colour and the text anchor.

#include "engine/EngineError.h"
#include "support/EngineFixtures.h"
#include "support/Oracles.h"

using namespace lumora;
using namespace lumora::test;

namespace {

const Rgb kGrey{100, 100, 100};
const Rgb kWhite{255, 255, 255};
const Rgb kBlack{0, 0, 0};

class EngineOverlay : public EngineModes {
protected:
    void SetUp() override { loadThroughFile(Picture::filled(100, 80, kGrey)); }
};
LUMORA_BOTH_ENGINE_MODES(EngineOverlay);

TEST_P(EngineOverlay, CentreAndPointPlacement)
{
    const Picture logo = Picture::filled(10, 10, kWhite);
    box.SetOverlayPlacement(0);
    box.OverlayPicture(logo);
    Picture p = box.Picture();
    EXPECT_EQ(p.rgbAt(45, 35), kWhite);
    EXPECT_EQ(p.rgbAt(54, 44), kWhite);
    EXPECT_EQ(p.rgbAt(44, 35), kGrey);
    EXPECT_EQ(p.rgbAt(55, 44), kGrey);

    box.SetOverlayPlacement(1);
    box.SetOverlayX(95);  // partly outside: clipped
    box.SetOverlayY(-4);
    box.OverlayPicture(Picture::filled(10, 10, kBlack));
    p = box.Picture();
    EXPECT_EQ(p.rgbAt(95, 0), kBlack);
    EXPECT_EQ(p.rgbAt(99, 5), kBlack);
    EXPECT_EQ(p.rgbAt(94, 0), kGrey);
    EXPECT_EQ(p.rgbAt(95, 6), kGrey);
    EXPECT_EQ(box.ImageWidth(), 100);
}

TEST_P(EngineOverlay, TilingRepeatsFromTheTopLeftCorner)
{
    Picture tile = Picture::filled(10, 10, kWhite);
    for (int y = 0; y < 10; ++y)
        for (int x = 5; x < 10; ++x)
            tile.setPixel(x, y, kBlack);
    box.SetOverlayPlacement(2);
    box.OverlayPicture(tile);
    const Picture p = box.Picture();
    for (int x : {0, 4, 10, 14, 90, 94})
        EXPECT_EQ(p.rgbAt(x, 77), kWhite) << x;
    for (int x : {5, 9, 15, 95, 99})
        EXPECT_EQ(p.rgbAt(x, 77), kBlack) << x;
}

TEST_P(EngineOverlay, WrapStretchesOverTheWholeImage)
{
    Picture quarter = Picture::filled(10, 10, kWhite);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            quarter.setPixel(x, y, kBlack);
    box.SetOverlayPlacement(3);
    box.OverlayPicture(quarter);
    const Picture p = box.Picture();
    EXPECT_EQ(p.rgbAt(20, 15), kBlack);
    EXPECT_EQ(p.rgbAt(80, 60), kWhite);
    EXPECT_EQ(p.rgbAt(80, 15), kWhite);
}

TEST_P(EngineOverlay, OpacityTransparentColourAndOwnAlphaCombine)
{
    box.SetOverlayPlacement(1);
    box.SetOverlayX(0);
    box.SetOverlayY(0);
    box.SetOverlayTransparency(25);
    box.OverlayPicture(Picture::filled(10, 10, kWhite));
    EXPECT_EQ(box.PixelColor(5, 5), ole(216, 216, 216));  // 100 + 155 * 0.75

    // White is the see-through colour: only the black half lands.
    Picture halves = Picture::filled(10, 10, kWhite);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 5; ++x)
            halves.setPixel(x, y, kBlack);
    box.SetOverlayTransparency(0);
    box.SetOverlayUseTransparentColor(true);
    box.SetOverlayTransparentColor(ole(255, 255, 255));
    box.SetOverlayX(20);
    box.OverlayPicture(halves);
    EXPECT_EQ(box.PixelColor(22, 5), ole(0, 0, 0));
    EXPECT_EQ(box.PixelColor(27, 5), ole(100, 100, 100));

    // Half-transparent pixels of the overlay itself.
    box.SetOverlayUseTransparentColor(false);
    Picture glass(4, 4, 4, QByteArray(4 * 4 * 4, '\0'));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            glass.setPixel(x, y, kWhite, 102);  // 40 %
    box.SetOverlayX(50);
    box.OverlayPicture(glass);
    EXPECT_EQ(box.PixelColor(51, 1), ole(162, 162, 162));  // 100 + 155 * 0.4
}

TEST_P(EngineOverlay, OverlayFileReadsTheLogoFromDisk)
{
    writePng(Picture::filled(6, 6, kBlack), path(QStringLiteral("logo.png")));
    box.SetOverlayPlacement(0);
    box.OverlayFile(path(QStringLiteral("logo.png")));
    EXPECT_EQ(box.PixelColor(50, 40), ole(0, 0, 0));
    EXPECT_THROW(box.OverlayFile(path(QStringLiteral("missing.png"))), EngineError);
    EXPECT_THROW(box.SetOverlayPlacement(4), EngineError);
}

TEST_P(EngineOverlay, ManyOverlaysOnAStreamedPhotoAtTopAndBottom)
{
    // Like a frame on a tall photo decoded top to bottom: pieces pasted along every edge.
    ImageBox writer;
    writer.SetBitmapHandle(gradientPicture(1067, 1600));
    writer.SaveToFile(path(QStringLiteral("tall.jpg")));
    box.LoadFromFile(path(QStringLiteral("tall.jpg")));
    box.SetOverlayPlacement(1);
    const Picture piece = Picture::filled(128, 56, kBlack);
    for (int x = 0; x < 1067; x += 128) {
        for (int y : {0, 1600 - 56}) {
            box.SetOverlayX(x);
            box.SetOverlayY(y);
            box.OverlayPicture(piece);
        }
    }
    for (int y = 56; y < 1600; y += 128) {
        for (int x : {0, 1067 - 56}) {
            box.SetOverlayX(x);
            box.SetOverlayY(y);
            box.OverlayPicture(Picture::filled(56, 128, kBlack));
        }
    }
    box.SaveToFile(path(QStringLiteral("framed.png")));
    EXPECT_EQ(identify(path(QStringLiteral("framed.png")), QStringLiteral("%wx%h %[fx:p{1066,1599}.r]")),
              QStringLiteral("1067x1600 0"));
}

// The ink of a text drawn in black on white: the smallest rectangle holding every dark pixel.
struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};
Ink inkOf(const Picture& p)
{
    Ink ink;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (p.rgbAt(x, y).r < 128) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

class EngineText : public EngineModes {
protected:
    void SetUp() override
    {
        loadThroughFile(Picture::filled(300, 200, kWhite));
        box.SetFont(TextFont{QStringLiteral("DejaVu Sans"), 20, true, false, false});
        box.SetTextColor(ole(0, 0, 0));
    }
};
LUMORA_BOTH_ENGINE_MODES(EngineText);

TEST_P(EngineText, AlignmentPutsTheAnchorOnTheLeftCentreOrRightEdge)
{
    const QString text = QStringLiteral("HHHH");
    const int tw = box.TextWidth(text);
    const int th = box.TextHeight(text);
    ASSERT_GT(tw, 40);
    ASSERT_GT(th, 20);
    for (int alignment : {0, 1, 2}) {
        loadThroughFile(Picture::filled(300, 200, kWhite));
        box.SetTextAlignment(alignment);
        box.DrawText(150, 50, text);
        const Ink ink = inkOf(box.Picture());
        const int boxLeft = 150 - (alignment == 0 ? 0 : alignment == 1 ? tw / 2 : tw);
        EXPECT_GE(ink.left, boxLeft) << alignment;
        EXPECT_LE(ink.right, boxLeft + tw) << alignment;
        EXPECT_LT(ink.left, boxLeft + 6) << alignment;
        EXPECT_GT(ink.right, boxLeft + tw - 6) << alignment;
        EXPECT_GE(ink.top, 50) << alignment;
        EXPECT_LE(ink.bottom, 50 + th) << alignment;
    }
    EXPECT_THROW(box.SetTextAlignment(3), EngineError);
}

TEST_P(EngineText, AngleTurnsTheTextCounterClockwiseAboutItsAnchor)
{
    const QString text = QStringLiteral("HHHHHH");
    const int tw = box.TextWidth(text);
    const int th = box.TextHeight(text);
    box.SetTextAngle(90);
    box.DrawText(100, 150, text);
    Ink ink = inkOf(box.Picture());
    // Turned up: the text runs from the anchor towards the top, its height to the right.
    EXPECT_GE(ink.left, 100);
    EXPECT_LE(ink.right, 100 + th);
    EXPECT_LE(ink.bottom, 150);
    EXPECT_GE(ink.top, 150 - tw);
    EXPECT_GT(ink.bottom - ink.top, tw - 12);

    loadThroughFile(Picture::filled(300, 200, kWhite));
    box.SetTextAngle(-90);  // reads downwards, height to the left of the anchor
    box.DrawText(100, 20, text);
    ink = inkOf(box.Picture());
    EXPECT_LE(ink.right, 100);
    EXPECT_GE(ink.left, 100 - th);
    EXPECT_GE(ink.top, 20);
    EXPECT_LE(ink.bottom, 20 + tw);

    loadThroughFile(Picture::filled(300, 200, kWhite));
    box.SetTextAngle(45);
    box.DrawText(20, 180, text);
    ink = inkOf(box.Picture());
    EXPECT_GT(ink.right - ink.left, tw / 2);  // diagonal: as wide as it is tall
    EXPECT_GT(ink.bottom - ink.top, tw / 2);
    EXPECT_LT(ink.top, 180 - tw / 2);
}

TEST_P(EngineText, BackgroundBoxUnlessTransparent)
{
    const QString text = QStringLiteral("ooo");
    box.SetTextBackColor(ole(0, 0, 255));
    box.SetTextTransparent(false);
    box.DrawText(10, 10, text);
    Picture p = box.Picture();
    const int tw = box.TextWidth(text);
    EXPECT_EQ(p.rgbAt(10, 10), (Rgb{0, 0, 255}));
    EXPECT_EQ(p.rgbAt(10 + tw - 1, 10), (Rgb{0, 0, 255}));
    EXPECT_EQ(p.rgbAt(10 + tw, 10), kWhite);

    box.SetTextTransparent(true);
    box.DrawText(10, 100, text);
    p = box.Picture();
    EXPECT_EQ(p.rgbAt(10, 100), kWhite);
    EXPECT_THROW(box.SetFont(TextFont{QStringLiteral("DejaVu Sans"), 0}), EngineError);
}

TEST_P(EngineText, AntiAliasOffDrawsOnlyTheTwoColours)
{
    box.SetTextAntiAlias(false);
    box.SetTextColor(ole(255, 0, 0));
    box.DrawText(5, 5, QStringLiteral("Sharp edges & curves"));
    const Picture p = box.Picture();
    int reds = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            const Rgb c = p.rgbAt(x, y);
            ASSERT_TRUE(c == kWhite || c == (Rgb{255, 0, 0})) << x << "," << y;
            reds += c == (Rgb{255, 0, 0});
        }
    EXPECT_GT(reds, 200);
}

}  // namespace
