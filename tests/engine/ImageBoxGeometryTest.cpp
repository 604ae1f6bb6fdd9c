// Geometry of the engine: where pixels go under flip, rotate, crop and resize.

#include "core/LumoraError.h"
#include "engine/EngineError.h"
#include "support/EngineFixtures.h"

#include <set>

using namespace lumora;
using namespace lumora::test;

namespace {

const Rgb kRed{255, 0, 0};
const Rgb kBlue{0, 0, 255};

class EngineGeometry : public EngineModes {};
LUMORA_BOTH_ENGINE_MODES(EngineGeometry);

TEST_P(EngineGeometry, FlipMirrorsAcrossTheRightAxis)
{
    loadThroughFile(markedPicture(100, 50, 90, 5));
    box.Flip(0);
    EXPECT_EQ(findColour(box.Picture(), kRed), (Point{9, 5}));
    box.Flip(1);
    EXPECT_EQ(findColour(box.Picture(), kRed), (Point{9, 44}));
    EXPECT_THROW(box.Flip(2), EngineError);
}

TEST_P(EngineGeometry, QuarterTurnsAreClockwiseForPositiveAngles)
{
    loadThroughFile(markedPicture(100, 50, 90, 5));
    box.Rotate(90);
    ASSERT_EQ(box.ImageWidth(), 50);
    ASSERT_EQ(box.ImageHeight(), 100);
    // Clockwise: the top-right corner goes to the bottom-right.
    EXPECT_EQ(findColour(box.Picture(), kRed), (Point{44, 90}));
    box.Rotate(-90);
    EXPECT_EQ(findColour(box.Picture(), kRed), (Point{90, 5}));
    box.Rotate(180);
    EXPECT_EQ(findColour(box.Picture(), kRed), (Point{9, 44}));
    box.Rotate(360 + 270);
    EXPECT_EQ(box.ImageWidth(), 50);
    EXPECT_EQ(findColour(box.Picture(), kRed), (Point{44, 90}));
}

TEST_P(EngineGeometry, FreeRotationGrowsTheCanvasAndFillsCornersWithBackColor)
{
    loadThroughFile(Picture::filled(100, 50, kBlue));
    box.SetBackColor(ole(0, 255, 0));
    box.Rotate(30);
    // The box around a 100 x 50 rectangle turned by 30 degrees is about 111.6 x 93.3.
    EXPECT_NEAR(box.ImageWidth(), 112, 1);
    EXPECT_NEAR(box.ImageHeight(), 93, 1);
    const Picture p = box.Picture();
    EXPECT_EQ(p.rgbAt(0, 0), (Rgb{0, 255, 0}));
    EXPECT_EQ(p.rgbAt(p.width() - 1, p.height() - 1), (Rgb{0, 255, 0}));
    EXPECT_EQ(p.rgbAt(p.width() / 2, p.height() / 2), kBlue);
}

TEST_P(EngineGeometry, RotateResampleChoosesBetweenHardAndSmoothEdges)
{
    Picture halves = Picture::filled(60, 60, kRed);
    for (int y = 0; y < 60; ++y)
        for (int x = 30; x < 60; ++x)
            halves.setPixel(x, y, kBlue);
    const auto coloursAfterTurn = [&](bool smooth) {
        loadThroughFile(halves);
        box.SetBackColor(ole(255, 255, 255));
        box.SetRotateResample(smooth);
        box.Rotate(33);
        const Picture p = box.Picture();
        std::set<std::uint32_t> colours;
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x)
                colours.insert(OleColor::fromRgb(p.rgbAt(x, y)));
        return colours;
    };
    // Nearest neighbour only copies pixels: red, blue and the corner colour.
    EXPECT_EQ(coloursAfterTurn(false).size(), 3u);
    EXPECT_GT(coloursAfterTurn(true).size(), 3u);
}

TEST_P(EngineGeometry, CropKeepsTheAreaAndFillsOutsideWithBackColor)
{
    loadThroughFile(markedPicture(100, 50, 30, 20));
    box.Crop(10, 5, 60, 45);
    EXPECT_EQ(box.ImageWidth(), 50);
    EXPECT_EQ(box.ImageHeight(), 40);
    EXPECT_EQ(findColour(box.Picture(), kRed), (Point{20, 15}));

    box.SetBackColor(ole(0, 0, 255));
    box.Crop(-7, -3, 60, 50);  // grows left and top, shrinks nothing else
    EXPECT_EQ(box.ImageWidth(), 67);
    EXPECT_EQ(box.ImageHeight(), 53);
    const Picture p = box.Picture();
    EXPECT_EQ(findColour(p, kRed), (Point{27, 18}));
    EXPECT_EQ(p.rgbAt(0, 0), kBlue);
    EXPECT_EQ(p.rgbAt(66, 52), kBlue);
    EXPECT_EQ(p.rgbAt(7, 3), (Rgb{128, 128, 128}));
}

TEST_P(EngineGeometry, CropOfNoAreaIsAnEngineFailure)
{
    loadThroughFile(markedPicture(20, 20, 1, 1));
    try {
        box.Crop(10, 10, 10, 15);
        FAIL() << "an empty crop must fail";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.number(), errnum::EngineFailure);
    }
    EXPECT_EQ(box.ImageWidth(), 20);
}

TEST_P(EngineGeometry, ResizesHitTheRequestedSizeExactly)
{
    loadThroughFile(gradientPicture(101, 51));
    box.ResizeTo(173, 31);
    EXPECT_EQ(box.ImageWidth(), 173);
    EXPECT_EQ(box.ImageHeight(), 31);
    box.ResampleTo(7, 300);
    EXPECT_EQ(box.ImageWidth(), 7);
    EXPECT_EQ(box.ImageHeight(), 300);
    EXPECT_THROW(box.ResampleTo(0, 10), EngineError);
}

TEST_P(EngineGeometry, ScaleRoundsHalvesToEven)
{
    loadThroughFile(gradientPicture(101, 51));
    box.Scale(50);  // 50.5 -> 50, 25.5 -> 26
    EXPECT_EQ(box.ImageWidth(), 50);
    EXPECT_EQ(box.ImageHeight(), 26);
    box.Scale(300);
    EXPECT_EQ(box.ImageWidth(), 150);
    EXPECT_EQ(box.ImageHeight(), 78);
    EXPECT_THROW(box.Scale(0), EngineError);
    EXPECT_THROW(box.Scale(-20), EngineError);
}

TEST_P(EngineGeometry, ResamplingKeepsAFlatColourFlat)
{
    loadThroughFile(Picture::filled(64, 48, Rgb{10, 200, 90}));
    box.ResampleTo(20, 15);
    EXPECT_EQ(maxDifference(box.Picture(), Picture::filled(20, 15, Rgb{10, 200, 90})), 0);
    box.ResizeTo(80, 60);
    EXPECT_LE(maxDifference(box.Picture(), Picture::filled(80, 60, Rgb{10, 200, 90})), 1);
}

TEST_P(EngineGeometry, EverythingFailsCleanlyWithoutAnImage)
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

TEST_P(EngineGeometry, LongRunsOfEditsStayCorrect)
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

}  // namespace
