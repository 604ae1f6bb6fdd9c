// The engine's filters: blur, sharpen, contrast, brightness, negative and red-eye.

#include "engine/EngineError.h"
#include "support/EngineFixtures.h"

#include <cmath>

using namespace lumora;
using namespace lumora::test;

namespace {

class EngineFilters : public EngineModes {};
LUMORA_BOTH_ENGINE_MODES(EngineFilters);

// A vertical edge: dark on the left half, light on the right.
Picture edgePicture()
{
    Picture p = Picture::filled(40, 20, Rgb{60, 60, 60});
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            p.setPixel(x, y, Rgb{180, 180, 180});
    return p;
}

TEST_P(EngineFilters, BlurSoftensEdgesMoreAsItGrows)
{
    const auto stepAcrossEdge = [&](int n) {
        loadThroughFile(edgePicture());
        box.Blur(n);
        const Picture p = box.Picture();
        return int(p.rgbAt(20, 10).r) - int(p.rgbAt(19, 10).r);
    };
    EXPECT_EQ(stepAcrossEdge(0), 120);
    const int light = stepAcrossEdge(1);
    const int strong = stepAcrossEdge(6);
    EXPECT_LT(light, 120);
    EXPECT_LT(strong, light);
    EXPECT_THROW(box.Blur(-1), EngineError);
}

TEST_P(EngineFilters, SharpenRaisesEdgeContrastAndLeavesFlatAreasAlone)
{
    const auto overshoot = [&](int n) {
        loadThroughFile(edgePicture());
        box.Sharpen(n);
        const Picture p = box.Picture();
        EXPECT_EQ(p.rgbAt(2, 10), (Rgb{60, 60, 60})) << "flat area changed at strength " << n;
        EXPECT_EQ(p.rgbAt(37, 10), (Rgb{180, 180, 180})) << "flat area changed at strength " << n;
        return int(p.rgbAt(20, 10).r) - 180;  // the light side of the edge gets lighter
    };
    const int light = overshoot(1);
    const int strong = overshoot(10);
    EXPECT_GT(light, 0);
    EXPECT_GT(strong, light);
}

TEST_P(EngineFilters, ContrastPivotsOnMidGreyAndOnlyTouchesFlaggedChannels)
{
    const Rgb colour{100, 160, 200};
    const auto after = [&](int n, bool r, bool g, bool b) {
        loadThroughFile(Picture::filled(8, 8, colour));
        box.AdjustContrast(n, r, g, b);
        return box.Picture().rgbAt(4, 4);
    };
    EXPECT_EQ(after(50, true, true, true), colour);
    const Rgb flat = after(0, true, true, true);
    EXPECT_NEAR(flat.r, 128, 1);
    EXPECT_NEAR(flat.b, 128, 1);
    const Rgb hard = after(100, true, true, true);
    EXPECT_EQ(hard, (Rgb{0, 255, 255}));
    const Rgb more = after(75, true, false, false);
    EXPECT_LT(more.r, 100);  // below mid-grey moves down
    EXPECT_EQ(more.g, 160);
    EXPECT_EQ(more.b, 200);
    EXPECT_THROW(after(101, true, true, true), EngineError);
}

TEST_P(EngineFilters, BrightnessRunsFromBlackToWhite)
{
    const Rgb colour{100, 160, 200};
    const auto after = [&](int n, bool r, bool g, bool b) {
        loadThroughFile(Picture::filled(8, 8, colour));
        box.AdjustBrightness(n, r, g, b);
        return box.Picture().rgbAt(4, 4);
    };
    EXPECT_EQ(after(50, true, true, true), colour);
    EXPECT_EQ(after(0, true, true, true), (Rgb{0, 0, 0}));
    EXPECT_EQ(after(100, true, true, true), (Rgb{255, 255, 255}));
    const Rgb greener = after(60, false, true, false);
    EXPECT_EQ(greener.r, 100);
    EXPECT_EQ(greener.g, 160 + 51);
    EXPECT_EQ(greener.b, 200);
}

TEST_P(EngineFilters, NegativeInvertsColoursAndKeepsAlpha)
{
    Picture p(2, 1, 4, QByteArray("\x10\x20\x30\x80\xff\x00\x7f\xff", 8));
    box.SetBitmapHandle(p);
    box.Negative();
    const Picture out = box.Picture();
    ASSERT_EQ(out.bands(), 4);
    EXPECT_EQ(out.rgbAt(0, 0), (Rgb{0xef, 0xdf, 0xcf}));
    EXPECT_EQ(out.alphaAt(0, 0), 0x80);
    EXPECT_EQ(out.rgbAt(1, 0), (Rgb{0x00, 0xff, 0x80}));
    box.Negative();
    EXPECT_EQ(box.Picture(), p);
}

TEST_P(EngineFilters, RedEyeOnlyTreatsRedPixelsInsideTheSelection)
{
    Picture p = Picture::filled(40, 20, Rgb{200, 40, 40});  // red everywhere
    p.setPixel(5, 5, Rgb{90, 80, 70});                        // a skin tone inside
    loadThroughFile(p);
    box.CropSelectionRect(0, 0, 20, 20);
    EXPECT_THROW(box.RemoveRedEye(), EngineError) << "needs an active selection";
    box.SetSelectionActive(true);
    box.RemoveRedEye();
    const Picture out = box.Picture();
    EXPECT_EQ(out.rgbAt(10, 10), (Rgb{40, 40, 40}));
    EXPECT_EQ(out.rgbAt(5, 5), (Rgb{90, 80, 70}));
    EXPECT_EQ(out.rgbAt(30, 10), (Rgb{200, 40, 40}));
}

TEST_P(EngineFilters, SelectionCropsToRectangleOrEllipse)
{
    loadThroughFile(Picture::filled(60, 40, Rgb{0, 0, 255}));
    box.CropSelectionRect(50, 30, 10, 5);  // corners in any order
    box.SetSelectionActive(true);
    box.CropToSelection();
    EXPECT_EQ(box.ImageWidth(), 40);
    EXPECT_EQ(box.ImageHeight(), 25);
    EXPECT_FALSE(box.SelectionActive());
    EXPECT_THROW(box.CropToSelection(), EngineError);

    box.SetBackColor(ole(255, 255, 0));
    box.CropSelectionEllipse(0, 0, 40, 25);
    box.SetSelectionActive(true);
    box.CropToSelection();
    const Picture p = box.Picture();
    EXPECT_EQ(p.rgbAt(0, 0), (Rgb{255, 255, 0}));
    EXPECT_EQ(p.rgbAt(39, 24), (Rgb{255, 255, 0}));
    EXPECT_EQ(p.rgbAt(20, 12), (Rgb{0, 0, 255}));
    EXPECT_EQ(p.rgbAt(1, 12), (Rgb{0, 0, 255}));  // the ellipse touches the sides

    box.CropSelectionRect(0, 0, 10, 10);
    box.SetSelectionActive(true);
    box.CancelMouseTool();
    EXPECT_FALSE(box.SelectionActive());
    EXPECT_THROW(box.CropToSelection(), EngineError);
}

}  // namespace
