// The engine's edits: where pixels go under flip, rotate, crop and resize, and what blur, sharpen,
// contrast, brightness, negative, red-eye and the selection do to them.

#include "PictureChecks.h"

#include "core/LumoraError.h"
#include "engine/EngineError.h"
#include "support/EngineFixtures.h"

#include <QFile>
#include <QSize>

#include <array>
#include <cstdlib>

using namespace lumora;
using namespace lumora::test;

namespace {

const Rgb kRed{255, 0, 0};
const Rgb kBlue{0, 0, 255};
const Rgb kGreen{0, 255, 0};

class EngineEdits : public EngineModes {
protected:
    QSize size() const { return QSize(box.ImageWidth(), box.ImageHeight()); }
};
LUMORA_BOTH_ENGINE_MODES(EngineEdits);

TEST_P(EngineEdits, FlipsAndQuarterTurnsMoveEveryPixelWhereItBelongs)
{
    // The red pixel of a 100 x 50 picture at (90, 5); positive angles turn clockwise.
    const struct { const char* what; void (*edit)(ImageBox&); QSize size; Point mark; } cases[] = {
        {"mirrored left-right", [](ImageBox& b) { b.Flip(0); }, {100, 50}, {9, 5}},
        {"mirrored top-bottom", [](ImageBox& b) { b.Flip(1); }, {100, 50}, {90, 44}},
        {"a quarter clockwise: top-right goes bottom-right", [](ImageBox& b) { b.Rotate(90); }, {50, 100}, {44, 90}},
        {"a quarter anticlockwise", [](ImageBox& b) { b.Rotate(-90); }, {50, 100}, {5, 9}},
        {"half a turn", [](ImageBox& b) { b.Rotate(180); }, {100, 50}, {9, 44}},
        {"a turn and three quarters", [](ImageBox& b) { b.Rotate(360 + 270); }, {50, 100}, {5, 9}},
        {"there and back", [](ImageBox& b) { b.Rotate(90); b.Rotate(-90); b.Flip(0); b.Flip(0); }, {100, 50}, {90, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        loadThroughFile(markedPicture(100, 50, 90, 5));
        c.edit(box);
        EXPECT_EQ(size(), c.size);
        EXPECT_EQ(findColour(box.Picture(), kRed), c.mark);
    }
    EXPECT_THROW(box.Flip(2), EngineError);
}

TEST_P(EngineEdits, FreeRotationGrowsTheCanvasAndFillsCornersWithBackColor)
{
    loadThroughFile(Picture::filled(100, 50, kBlue));
    box.SetBackColor(ole(0, 255, 0));
    box.Rotate(30);
    // The box around a 100 x 50 rectangle turned by 30 degrees is about 111.6 x 93.3.
    EXPECT_NEAR(box.ImageWidth(), 112, 1);
    EXPECT_NEAR(box.ImageHeight(), 93, 1);
    const Picture p = box.Picture();
    expectColours(p, {{0, 0, kGreen}, {p.width() - 1, p.height() - 1, kGreen}, {p.width() / 2, p.height() / 2, kBlue}});
}

TEST_P(EngineEdits, RotateResampleChoosesBetweenHardAndSmoothEdges)
{
    const auto coloursAfterTurn = [&](bool smooth) {
        loadThroughFile(painted(60, 60, [](int x, int) { return x < 30 ? kRed : kBlue; }));
        box.SetBackColor(ole(255, 255, 255));
        box.SetRotateResample(smooth);
        box.Rotate(33);
        return coloursOf(box.Picture()).size();
    };
    // Nearest neighbour only copies pixels: red, blue and the corner colour.
    EXPECT_EQ(coloursAfterTurn(false), 3u);
    EXPECT_GT(coloursAfterTurn(true), 3u);
}

TEST_P(EngineEdits, CropKeepsTheAreaAndFillsOutsideWithBackColor)
{
    loadThroughFile(markedPicture(100, 50, 30, 20));
    box.Crop(10, 5, 60, 45);
    EXPECT_EQ(size(), QSize(50, 40));
    EXPECT_EQ(findColour(box.Picture(), kRed), (Point{20, 15}));

    box.SetBackColor(ole(0, 0, 255));
    box.Crop(-7, -3, 60, 50);  // grows left and top, shrinks nothing else
    EXPECT_EQ(size(), QSize(67, 53));
    EXPECT_EQ(findColour(box.Picture(), kRed), (Point{27, 18}));
    expectColours(box.Picture(), {{0, 0, kBlue}, {66, 52, kBlue}, {7, 3, Rgb{128, 128, 128}}});

    try {
        box.Crop(10, 10, 10, 15);
        ADD_FAILURE() << "an empty crop must fail";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.number(), errnum::EngineFailure);
    }
    EXPECT_EQ(box.ImageWidth(), 67);
}

TEST_P(EngineEdits, ResizesHitTheRequestedSizeAndScaleRoundsHalvesToEven)
{
    loadThroughFile(gradientPicture(101, 51));
    box.ResizeTo(173, 31);
    EXPECT_EQ(size(), QSize(173, 31));
    box.ResampleTo(101, 51);
    EXPECT_EQ(size(), QSize(101, 51));
    box.Scale(50);  // 50.5 -> 50, 25.5 -> 26
    EXPECT_EQ(size(), QSize(50, 26));
    box.Scale(300);
    EXPECT_EQ(size(), QSize(150, 78));
    EXPECT_THROW(box.Scale(0), EngineError);
    EXPECT_THROW(box.Scale(-20), EngineError);
    EXPECT_THROW(box.ResampleTo(0, 10), EngineError);

    // A flat colour stays flat.
    loadThroughFile(Picture::filled(64, 48, Rgb{10, 200, 90}));
    box.ResampleTo(20, 15);
    EXPECT_EQ(maxDifference(box.Picture(), Picture::filled(20, 15, Rgb{10, 200, 90})), 0);
    box.ResizeTo(80, 60);
    EXPECT_LE(maxDifference(box.Picture(), Picture::filled(80, 60, Rgb{10, 200, 90})), 1);
}

TEST_P(EngineEdits, EverythingFailsCleanlyWithoutAnImage)
{
    EXPECT_FALSE(box.HasImage());
    EXPECT_EQ(box.ImageWidth(), 0);
    EXPECT_THROW(box.Flip(0), EngineError);
    EXPECT_THROW(box.Rotate(10), EngineError);
    EXPECT_THROW(box.Crop(0, 0, 5, 5), EngineError);
    EXPECT_THROW(box.Negative(), EngineError);
    EXPECT_THROW(box.PixelColor(0, 0), EngineError);
    EXPECT_THROW(box.SaveToFile(path("none.png")), EngineError);
    EXPECT_FALSE(QFile::exists(path("none.png")));
}

TEST_P(EngineEdits, LongRunsOfEditsStayCorrect)
{
    // Many small operations on a streamed photo: the pipeline is cut into computed pieces as it
    // grows, and reads in any order still work.
    loadThroughFile(markedPicture(80, 60, 10, 10));
    for (int i = 0; i < 250; ++i)
        box.Crop(0, 0, 80, 60);
    box.Flip(1);
    EXPECT_EQ(box.PixelColor(10, 49), OleColor::fromRgb(kRed));
    box.Rotate(90);
    EXPECT_EQ(findColour(box.Picture(), kRed), (Point{10, 10}));
}

TEST_P(EngineEdits, BlurSoftensTheEdgeMoreAsItGrowsSharpenRaisesItAndLeavesFlatAreasAlone)
{
    // Row 10 of a vertical edge, dark (60) left of x = 20 and light (180) from there, after a
    // filter: the far dark side, the two pixels at the edge and the far light side.
    const auto row = [&](void (ImageBox::*filter)(int), int n) {
        loadThroughFile(painted(40, 20, [](int x, int) { return x < 20 ? Rgb{60, 60, 60} : Rgb{180, 180, 180}; }));
        (box.*filter)(n);
        const Picture p = box.Picture();
        return std::array<Rgb, 4>{p.rgbAt(2, 10), p.rgbAt(19, 10), p.rgbAt(20, 10), p.rgbAt(37, 10)};
    };
    const auto blurStep = [&](int n) { const auto r = row(&ImageBox::Blur, n); return r[2].r - r[1].r; };
    EXPECT_EQ(blurStep(0), 120);
    const int soft = blurStep(1);
    EXPECT_TRUE(soft < 120 && blurStep(6) < soft) << soft;
    EXPECT_THROW(box.Blur(-1), EngineError);

    // Sharpening lightens the light side of the edge, more as it grows.
    const auto light = row(&ImageBox::Sharpen, 1), strong = row(&ImageBox::Sharpen, 10);
    for (const auto& r : {light, strong})
        EXPECT_TRUE(r[0] == (Rgb{60, 60, 60}) && r[3] == (Rgb{180, 180, 180})) << "flat areas stay";
    EXPECT_TRUE(light[2].r > 180 && strong[2].r > light[2].r) << int(light[2].r) << ' ' << int(strong[2].r);
}

TEST_P(EngineEdits, ContrastPivotsOnMidGreyBrightnessRunsFromBlackToWhiteBothOnlyOnFlaggedChannels)
{
    const Rgb colour{100, 160, 200};
    const auto after = [&](void (ImageBox::*adjust)(int, bool, bool, bool), int n, bool r, bool g, bool b) {
        loadThroughFile(Picture::filled(8, 8, colour));
        (box.*adjust)(n, r, g, b);
        return box.Picture().rgbAt(4, 4);
    };
    const auto contrast = &ImageBox::AdjustContrast, brightness = &ImageBox::AdjustBrightness;
    EXPECT_EQ(after(contrast, 50, true, true, true), colour);
    EXPECT_EQ(after(contrast, 100, true, true, true), (Rgb{0, 255, 255}));
    const Rgb flat = after(contrast, 0, true, true, true), redder = after(contrast, 75, true, false, false);
    EXPECT_TRUE(std::abs(flat.r - 128) <= 1 && std::abs(flat.b - 128) <= 1) << int(flat.r) << ',' << int(flat.b);
    EXPECT_LT(redder.r, 100);  // below mid-grey moves down
    EXPECT_EQ(redder, (Rgb{redder.r, 160, 200}));
    EXPECT_THROW(after(contrast, 101, true, true, true), EngineError);

    EXPECT_EQ(after(brightness, 50, true, true, true), colour);
    EXPECT_EQ(after(brightness, 0, true, true, true), (Rgb{0, 0, 0}));
    EXPECT_EQ(after(brightness, 100, true, true, true), (Rgb{255, 255, 255}));
    EXPECT_EQ(after(brightness, 60, false, true, false), (Rgb{100, 160 + 51, 200}));
}

TEST_P(EngineEdits, NegativeInvertsColoursAndKeepsAlpha)
{
    const Picture p(2, 1, 4, QByteArray("\x10\x20\x30\x80\xff\x00\x7f\xff", 8));
    box.SetBitmapHandle(p);
    box.Negative();
    EXPECT_EQ(box.Picture(), Picture(2, 1, 4, QByteArray("\xef\xdf\xcf\x80\x00\xff\x80\xff", 8)));
    box.Negative();
    EXPECT_EQ(box.Picture(), p);
}

TEST_P(EngineEdits, RedEyeOnlyTreatsRedPixelsInsideTheSelection)
{
    Picture p = Picture::filled(40, 20, Rgb{200, 40, 40});  // red everywhere
    p.setPixel(5, 5, Rgb{90, 80, 70});                        // a skin tone inside
    loadThroughFile(p);
    box.CropSelectionRect(0, 0, 20, 20);
    EXPECT_THROW(box.RemoveRedEye(), EngineError) << "needs an active selection";
    box.SetSelectionActive(true);
    box.RemoveRedEye();
    expectColours(box.Picture(), {{10, 10, Rgb{40, 40, 40}}, {5, 5, Rgb{90, 80, 70}}, {30, 10, Rgb{200, 40, 40}}});
}

TEST_P(EngineEdits, SelectionCropsToRectangleOrEllipse)
{
    loadThroughFile(Picture::filled(60, 40, kBlue));
    box.CropSelectionRect(50, 30, 10, 5);  // corners in any order
    box.SetSelectionActive(true);
    box.CropToSelection();
    EXPECT_EQ(size(), QSize(40, 25));
    EXPECT_FALSE(box.SelectionActive());
    EXPECT_THROW(box.CropToSelection(), EngineError);

    // Outside the ellipse, which touches the sides, the back colour.
    box.SetBackColor(ole(255, 255, 0));
    box.CropSelectionEllipse(0, 0, 40, 25);
    box.SetSelectionActive(true);
    box.CropToSelection();
    const Rgb yellow{255, 255, 0};
    expectColours(box.Picture(), {{0, 0, yellow}, {39, 24, yellow}, {20, 12, kBlue}, {1, 12, kBlue}});

    box.CropSelectionRect(0, 0, 10, 10);
    box.SetSelectionActive(true);
    box.CancelMouseTool();
    EXPECT_FALSE(box.SelectionActive());
    EXPECT_THROW(box.CropToSelection(), EngineError);
}

}  // namespace
