// Applying a Task Basket: every kind changes the right pixels, settings carry from task to task,
// failures skip a step or end the run as they should, and a preview stops at the selected task.

#include "core/LumoraError.h"
#include "engine/ImageBox.h"
#include "support/FakeGallery.h"
#include "support/ReportCapture.h"
#include "support/TestImages.h"
#include "tasks/TaskRunner.h"

#include <QFile>
#include <QSize>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

const Rgb kGrey{128, 128, 128};
const Rgb kRed{255, 0, 0};

TaskRecord task(TaskKind kind, std::initializer_list<QString> slotValues)
{
    return TaskRecord(kind, QString(), slotValues);
}

class TaskRunnerTest : public ::testing::Test {
protected:
    // Runs the tasks on a fresh batch engine holding the picture, streamed from a file like a photo.
    Picture run(const Picture& start, const QList<TaskRecord>& tasks, TaskRunOptions options = {})
    {
        writePng(start, dir.filePath(QStringLiteral("start.png")));
        engine.ClearImage();
        engine.LoadFromFile(dir.filePath(QStringLiteral("start.png")));
        if (!options.gallery)
            options.gallery = &gallery;
        subProcessPages(tasks, engine, options);
        return engine.Picture();
    }

    QTemporaryDir dir;
    ImageBox engine;
    FakeGallery gallery;
    ReportCapture capture;
};

TEST_F(TaskRunnerTest, EmptyBasketLeavesTheImageAlone)
{
    const Picture start = gradientPicture(20, 10);
    EXPECT_EQ(run(start, {}), start);
    EXPECT_TRUE(capture.reports().empty());
}

TEST_F(TaskRunnerTest, OrientationFlipsHorizontallyOnlyForExactlyZero)
{
    const Picture start = markedPicture(40, 20, 30, 5);
    EXPECT_EQ(findColour(run(start, {task(TaskKind::Orientation, {"0"})}), kRed), (Point{9, 5}));
    EXPECT_EQ(findColour(run(start, {task(TaskKind::Orientation, {"1"})}), kRed), (Point{30, 14}));
    EXPECT_EQ(findColour(run(start, {task(TaskKind::Orientation, {"horizontal"})}), kRed), (Point{30, 14}));
    EXPECT_EQ(findColour(run(start, {task(TaskKind::Orientation, {" 0 "})}), kRed), (Point{9, 5}))
        << "slots are trimmed before use";
}

TEST_F(TaskRunnerTest, RotateUsesItsColourAndRoundsTheAngleHalfToEven)
{
    const Picture start = markedPicture(40, 20, 30, 5);
    // 90.5 rounds to 90: a clean quarter turn.
    Picture out = run(start, {task(TaskKind::Rotate, {"False", "90.5", "16711680"})});
    EXPECT_EQ(out.width(), 20);
    EXPECT_EQ(findColour(out, kRed), (Point{14, 30}));
    out = run(start, {task(TaskKind::Rotate, {"False", "45", "16711680"})});
    EXPECT_EQ(out.rgbAt(0, 0), (Rgb{0, 0, 255}));  // 0xFF0000 is blue in BGR order
    // The same kind twice runs twice.
    out = run(start, {task(TaskKind::Rotate, {"False", "90", "0"}), task(TaskKind::Rotate, {"False", "90", "0"})});
    EXPECT_EQ(findColour(out, kRed), (Point{9, 14}));
}

TEST_F(TaskRunnerTest, ResizeByPercentOrToAnExactSize)
{
    const Picture start = gradientPicture(200, 100);
    EXPECT_EQ(run(start, {task(TaskKind::Resize, {"False", "25", ""})}).width(), 50);
    const Picture exact = run(start, {task(TaskKind::Resize, {"True", "64", "48"})});
    EXPECT_EQ(exact.width(), 64);
    EXPECT_EQ(exact.height(), 48);
}

TEST_F(TaskRunnerTest, FilterKindsChangeTheImage)
{
    Picture start = Picture::filled(30, 30, Rgb{100, 150, 200});
    for (int y = 0; y < 30; ++y)
        for (int x = 15; x < 30; ++x)
            start.setPixel(x, y, Rgb{20, 40, 60});
    EXPECT_NE(run(start, {task(TaskKind::Blur, {"3"})}).rgbAt(15, 15), (Rgb{20, 40, 60}));
    EXPECT_NE(run(start, {task(TaskKind::Sharpen, {"5"})}).rgbAt(15, 15), (Rgb{20, 40, 60}));
    EXPECT_EQ(run(start, {task(TaskKind::Brightness, {"0", "1", "0", "True"})}).rgbAt(2, 2), (Rgb{0, 150, 0}));
    EXPECT_EQ(run(start, {task(TaskKind::Contrast, {"100", "0", "1", "0"})}).rgbAt(2, 2), (Rgb{100, 255, 200}));
    EXPECT_EQ(run(start, {task(TaskKind::Negative, {})}).rgbAt(2, 2), (Rgb{155, 105, 55}));
}

TEST_F(TaskRunnerTest, CanvasAddsMarginsAroundThePicture)
{
    const Picture out = run(markedPicture(100, 50, 0, 0), {task(TaskKind::Canvas, {"65280", "10", "20", "30", "40"})});
    EXPECT_EQ(out.width(), 140);
    EXPECT_EQ(out.height(), 110);
    EXPECT_EQ(findColour(out, kRed), (Point{10, 20}));
    EXPECT_EQ(out.rgbAt(0, 0), (Rgb{0, 255, 0}));
    EXPECT_EQ(out.rgbAt(139, 109), (Rgb{0, 255, 0}));
}

TEST_F(TaskRunnerTest, KeyedInCropCutsRectanglesAndEllipses)
{
    const Picture start = markedPicture(100, 50, 30, 20);
    Picture out = run(start, {task(TaskKind::Crop, {"True", "0", "20", "10", "70", "40", ""})});
    EXPECT_EQ(out.width(), 50);
    EXPECT_EQ(out.height(), 30);
    EXPECT_EQ(findColour(out, kRed), (Point{10, 10}));
    out = run(start, {task(TaskKind::Crop, {"True", "1", "0", "0", "100", "50", "16776960"})});
    EXPECT_EQ(out.rgbAt(0, 0), (Rgb{0, 255, 255}));
    EXPECT_EQ(out.rgbAt(50, 25), kGrey);
}

TEST_F(TaskRunnerTest, MouseCropUnscaledCutsTheSamePixelsOfEveryImage)
{
    const QList<TaskRecord> crop{task(TaskKind::Crop, {"False", "10", "5", "30", "25", "", ""})};
    for (const auto& size : {QSize(100, 50), QSize(400, 300)}) {
        const Picture out = run(markedPicture(size.width(), size.height(), 12, 6), crop);
        EXPECT_EQ(out.width(), 20);
        EXPECT_EQ(out.height(), 20);
        EXPECT_EQ(findColour(out, kRed), (Point{2, 1}));
    }
}

TEST_F(TaskRunnerTest, MouseCropOnAScaledPreviewTakesTheSameShareOfALargerImage)
{
    // Recorded on a 400 x 300 preview box: the rectangle covers the middle half of each side.
    const QList<TaskRecord> crop{task(TaskKind::Crop, {"False", "100", "75", "300", "225", "400", "300"})};
    for (const auto& size : {QSize(800, 600), QSize(1600, 1200), QSize(400, 300)}) {
        const Picture out = run(Picture::filled(size.width(), size.height(), kGrey), crop);
        EXPECT_EQ(out.width(), size.width() / 2) << size.width();
        EXPECT_EQ(out.height(), size.height() / 2) << size.width();
    }
    EXPECT_TRUE(engine.StretchToFit()) << "the view settings stay on the engine";
    EXPECT_EQ(engine.Width(), 400);
}

TEST_F(TaskRunnerTest, WatermarkPlacesTheLogoAndIgnoresAMissingFile)
{
    const QString logo = dir.filePath(QStringLiteral("logo.png"));
    writePng(Picture::filled(10, 10, Rgb{0, 0, 0}), logo);
    const Picture start = Picture::filled(100, 60, kGrey);

    Picture out = run(start, {task(TaskKind::Watermark, {"False", "0", "1", logo, "0", "20", "30", "False"})});
    EXPECT_EQ(out.rgbAt(30, 20), (Rgb{0, 0, 0}));  // P6 is X, P5 is Y
    EXPECT_EQ(out.rgbAt(29, 20), kGrey);
    EXPECT_EQ(out.rgbAt(39, 29), (Rgb{0, 0, 0}));

    out = run(start, {task(TaskKind::Watermark, {"False", "50", "0", logo, "0", "", "", "False"})});
    EXPECT_EQ(out.rgbAt(50, 30), (Rgb{64, 64, 64}));  // centred, half transparent

    out = run(start, {task(TaskKind::Watermark, {"True", "0", "2", logo, "0", "", "", "False"})});
    EXPECT_EQ(out, start) << "black is the see-through colour here";

    QFile::remove(logo);
    out = run(start, {task(TaskKind::Watermark, {"False", "0", "2", logo, "0", "", "", "False"})});
    EXPECT_EQ(out, start);
    EXPECT_TRUE(capture.reports().empty());
}

TEST_F(TaskRunnerTest, TextAtBottomRightWithRightAlignmentEndsAtTheCorner)
{
    for (const auto& size : {QSize(200, 100), QSize(640, 480)}) {
        // White text on a transparent background, on black: its ink hugs the bottom-right corner.
        const Picture out =
            run(Picture::filled(size.width(), size.height(), Rgb{0, 0, 0}),
                {task(TaskKind::Text, {"True", "False", "True", "0", "2", "DejaVu Sans", "14", "True", "False",
                                       "False", "16777215", "0", "0", "8", "HHH", "", ""})});
        int right = -1, bottom = -1;
        for (int y = 0; y < out.height(); ++y)
            for (int x = 0; x < out.width(); ++x)
                if (out.rgbAt(x, y).r > 128) {
                    right = std::max(right, x);
                    bottom = std::max(bottom, y);
                }
        EXPECT_GT(right, size.width() - 6) << size.width();
        EXPECT_LE(right, size.width() - 1) << size.width();
        EXPECT_GT(bottom, size.height() - 12) << size.width();
    }
}

TEST_F(TaskRunnerTest, TextAtTheClickedPointScalesThroughTheView)
{
    const Picture out = run(Picture::filled(200, 100, Rgb{0, 0, 0}),
                            {task(TaskKind::Text, {"False", "False", "False", "0", "0", "DejaVu Sans", "10", "False",
                                                   "False", "False", "16777215", "255", "0", "9", "x", "50", "40"})});
    // Not stretched: the point is taken as it is; the red background box starts there.
    EXPECT_EQ(out.rgbAt(50, 40), kRed);
    EXPECT_EQ(out.rgbAt(49, 40), (Rgb{0, 0, 0}));
}

TEST_F(TaskRunnerTest, PlainFrameAddsABorderOfOneColour)
{
    const Picture out = run(markedPicture(50, 40, 0, 0), {task(TaskKind::Frame, {"255", "1", "5"})});
    EXPECT_EQ(out.width(), 60);
    EXPECT_EQ(out.height(), 50);
    EXPECT_EQ(out.rgbAt(0, 0), kRed);
    EXPECT_EQ(findColour(out, kRed, 0).x, 0);
    EXPECT_EQ(out.rgbAt(5, 5), kRed) << "the old corner mark";
    EXPECT_EQ(out.rgbAt(6, 6), kGrey);
}

TEST_F(TaskRunnerTest, PictureFrameStyleFourDrawsOrnamentsAndOthersDoNot)
{
    const Picture start = Picture::filled(120, 100, kGrey);
    const Picture ornate = run(start, {task(TaskKind::Frame, {"0", "0", "4", "0"})});
    const Picture plain = run(start, {task(TaskKind::Frame, {"0", "0", "3", "0"})});
    EXPECT_GT(countColour(ornate, FakeGallery::kOrnamentColour), 0);
    EXPECT_EQ(countColour(plain, FakeGallery::kOrnamentColour), 0);
    EXPECT_GT(countColour(plain, FakeGallery::edgeColour(3)), 0);
    EXPECT_EQ(ornate.width(), 120) << "without canvas space the frame covers the picture's border";
    // The left ornament sits below the top-left corner piece.
    EXPECT_EQ(ornate.rgbAt(2, FakeGallery::kCorner + 2), FakeGallery::kOrnamentColour);
}

TEST_F(TaskRunnerTest, PictureFrameWithCanvasSpaceLiesOutsideThePicture)
{
    const Picture out = run(markedPicture(60, 50, 0, 0), {task(TaskKind::Frame, {"0", "0", "2", "1"})});
    const int edge = FakeGallery::kEdge;
    EXPECT_EQ(out.width(), 60 + edge + edge - 2);
    EXPECT_EQ(out.height(), 50 + FakeGallery::kCorner + FakeGallery::kCorner - 2);
    EXPECT_EQ(out.rgbAt(edge, FakeGallery::kCorner), kRed);
}

TEST_F(TaskRunnerTest, ShadowInheritsTheTransparentColourOfAnEarlierWatermark)
{
    const QString logo = dir.filePath(QStringLiteral("logo.png"));
    writePng(Picture::filled(4, 4, Rgb{0, 0, 0}), logo);
    const Picture start = Picture::filled(60, 50, kGrey);
    const TaskRecord shadow = task(TaskKind::Shadow, {"1"});
    // The watermark turns the see-through colour on with the shadow's own colour.
    const TaskRecord watermark = task(TaskKind::Watermark, {"True", "0", "0", logo,
                                                           QString::number(OleColor::fromRgb(FakeGallery::edgeColour(9))),
                                                           "", "", "False"});
    const Picture alone = run(start, {shadow});
    const Picture afterWatermark = run(start, {watermark, shadow});
    ASSERT_EQ(alone.width(), afterWatermark.width());
    EXPECT_GT(countColour(alone, FakeGallery::edgeColour(9)), 0);
    EXPECT_EQ(countColour(afterWatermark, FakeGallery::edgeColour(9)), 0);
}

TEST_F(TaskRunnerTest, MaskIsStretchedToThePhotoAndItsBlackIsSeeThrough)
{
    const Picture start = Picture::filled(200, 150, kGrey);
    const Picture covered = run(start, {task(TaskKind::Mask, {"False", "0", "2"})});
    EXPECT_EQ(covered.width(), 200);
    EXPECT_EQ(covered.rgbAt(100, 75), (Rgb{0, 0, 0})) << "opaque mask: its black centre covers";
    EXPECT_EQ(covered.rgbAt(2, 2), (Rgb{255, 255, 255}));

    const Picture framed = run(start, {task(TaskKind::Mask, {"True", "0", "2"})});
    EXPECT_EQ(framed.rgbAt(100, 75), kGrey) << "see-through centre";
    EXPECT_EQ(framed.rgbAt(2, 2), (Rgb{255, 255, 255}));
}

TEST_F(TaskRunnerTest, AnUnconvertibleSlotEndsTheRunWithAReport)
{
    const Picture start = markedPicture(30, 20, 1, 1);
    const Picture out = run(start, {task(TaskKind::Negative, {}), task(TaskKind::Rotate, {"False", "ninety", "0"}),
                                    task(TaskKind::Negative, {})});
    ASSERT_EQ(capture.reports().size(), 1u);
    EXPECT_EQ(capture.reports()[0].routine, QStringLiteral("subProcessPages"));
    EXPECT_EQ(capture.reports()[0].number, errnum::TypeMismatch);
    EXPECT_EQ(capture.reports()[0].line, 2);
    EXPECT_EQ(capture.reports()[0].trappingString, QStringLiteral("Processing task ID - '2'"));
    EXPECT_EQ(out.rgbAt(5, 5), (Rgb{127, 127, 127})) << "the image as it stood: inverted once";
}

TEST_F(TaskRunnerTest, OverflowAndBadKindsEndTheRun)
{
    run(gradientPicture(10, 10), {task(TaskKind::Rotate, {"False", "40000", "0"})});
    ASSERT_EQ(capture.reports().size(), 1u);
    EXPECT_EQ(capture.reports()[0].number, errnum::Overflow);
}

TEST_F(TaskRunnerTest, AFailingEngineStepIsSkippedAndTheRunGoesOn)
{
    const Picture start = Picture::filled(30, 20, kGrey);
    TaskRecord unknownKind;
    unknownKind.kind = static_cast<TaskKind>(42);
    const Picture out = run(start, {task(TaskKind::Crop, {"False", "10", "10", "5", "5", "", ""}), unknownKind,
                                    task(TaskKind::Blur, {"-4"}), task(TaskKind::Negative, {})});
    EXPECT_TRUE(capture.reports().empty());
    EXPECT_EQ(out.width(), 30);
    EXPECT_EQ(out.rgbAt(3, 3), (Rgb{127, 127, 127}));
}

TEST_F(TaskRunnerTest, ARunStopsAfterItsLastRowOrWhenItsStopTokenIsSet)
{
    // Five tasks, each adding one pixel on the right: the width counts the tasks that ran.
    QList<TaskRecord> tasks;
    for (int i = 0; i < 5; ++i)
        tasks << task(TaskKind::Canvas, {"0", "0", "0", "1", "0"});
    const Picture start = Picture::filled(10, 10, kGrey);
    TaskRunOptions options;
    for (const auto& [lastRow, width] : {std::pair{1, 12}, {3, 14}, {-1, 15}, {7, 15}}) {
        options.lastRow = lastRow;
        EXPECT_EQ(run(start, tasks, options).width(), width) << "last row " << lastRow;
    }
    // A stop asked for before the run: nothing runs, the run says so and reports nothing.
    std::stop_source stop;
    stop.request_stop();
    options.lastRow = -1;
    options.stop = stop.get_token();
    engine.SetBitmapHandle(start);
    EXPECT_EQ(subProcessPages(tasks, engine, options), TaskRunOutcome::Stopped);
    EXPECT_EQ(engine.ImageWidth(), 10);
    EXPECT_TRUE(capture.reports().empty());
}

TEST_F(TaskRunnerTest, TheBuiltInGalleryHasEveryPiece)
{
    // Every style draws something different onto a plain photo.
    std::vector<Picture> results;
    const Picture start = Picture::filled(300, 200, kGrey);
    for (int style = 0; style < 8; ++style) {
        writePng(start, dir.filePath(QStringLiteral("s.png")));
        ImageBox box;
        box.LoadFromFile(dir.filePath(QStringLiteral("s.png")));
        subProcessPages({task(TaskKind::Frame, {"0", "0", QString::number(style), "1"})}, box);
        results.push_back(box.Picture());
        EXPECT_GT(box.ImageWidth(), 300) << "frame style " << style;
    }
    for (int style = 0; style < 8; ++style) {
        ImageBox box;
        box.SetBitmapHandle(start);
        subProcessPages({task(TaskKind::Shadow, {QString::number(style)})}, box);
        EXPECT_GT(box.ImageWidth(), 298) << "shadow style " << style;
        results.push_back(box.Picture());
    }
    for (int mask = 0; mask < 8; ++mask) {
        ImageBox box;
        box.SetBitmapHandle(start);
        subProcessPages({task(TaskKind::Mask, {"True", "0", QString::number(mask)})}, box);
        results.push_back(box.Picture());
    }
    for (size_t i = 0; i < results.size(); ++i)
        for (size_t j = i + 1; j < results.size(); ++j)
            EXPECT_FALSE(results[i] == results[j]) << i << " and " << j << " look the same";
    EXPECT_TRUE(capture.reports().empty());
}

}  // namespace
