// Applying a Task Basket: every kind changes the right pixels, settings carry from task to task,
// failures skip a step or end the run as they should, and a preview stops at the selected task.

#include "core/LumoraError.h"
#include "engine/ImageBox.h"
#include "support/FakeGallery.h"
#include "support/ReportCapture.h"
#include "support/TestImages.h"
#include "tasks/TaskRunner.h"

#include <QRect>
#include <QSize>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace lumora;
using namespace lumora::test;

namespace {

const Rgb kGrey{128, 128, 128};

TaskRecord task(TaskKind kind, std::initializer_list<QString> slotValues) { return {kind, QString(), slotValues}; }

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

// The bounding box of the pixels brighter than mid grey.
QRect ink(const Picture& picture)
{
    QRect box;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.rgbAt(x, y).r > 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace

TEST_F(TaskRunnerTest, EveryKindReadsItsSlotsAsTheyMean)
{
    const QString logo = writePng(Picture::filled(10, 10, kBlack), dir.filePath(QStringLiteral("logo.png")));
    const QString gone = dir.filePath(QStringLiteral("gone.png"));
    Picture twoTone = Picture::filled(30, 30, Rgb{100, 150, 200});
    for (int y = 0; y < 30; ++y)
        for (int x = 15; x < 30; ++x)
            twoTone.setPixel(x, y, Rgb{20, 40, 60});
    const Picture marked = markedPicture(40, 20, 30, 5);
    const Picture grey = Picture::filled(100, 60, kGrey);
    using K = TaskKind;
    const int edge = FakeGallery::kEdge;
    const int corner = FakeGallery::kCorner;
    const struct {
        const char* what;
        Picture start;
        QList<TaskRecord> tasks;
        QSize size;                           // when not empty
        std::optional<Point> red;             // where the red pixel went
        std::vector<std::pair<Point, Rgb>> pixels;
        std::vector<Point> changed = {};  // pixels no longer as they were
    } rows[] = {
        {"an empty basket", marked, {}, {40, 20}, Point{30, 5}, {{{0, 0}, kGrey}}},
        {"flip 0 is horizontal", marked, {task(K::Orientation, {"0"})}, {}, Point{9, 5}, {}},
        {"flip 1 is vertical", marked, {task(K::Orientation, {"1"})}, {}, Point{30, 14}, {}},
        {"any other flip is vertical", marked, {task(K::Orientation, {"horizontal"})}, {}, Point{30, 14}, {}},
        {"slots are trimmed", marked, {task(K::Orientation, {" 0 "})}, {}, Point{9, 5}, {}},
        {"rotate rounds 90.5 half to even", marked, {task(K::Rotate, {"False", "90.5", "16711680"})}, {20, 40},
         Point{14, 30}, {}},
        {"rotate fills with P2, a BGR colour", marked, {task(K::Rotate, {"False", "45", "16711680"})}, {}, {},
         {{{0, 0}, {0, 0, 255}}}},
        {"the same kind twice runs twice", marked,
         {task(K::Rotate, {"False", "90", "0"}), task(K::Rotate, {"False", "90", "0"})}, {40, 20}, Point{9, 14}, {}},
        {"resize by percent", gradientPicture(200, 100), {task(K::Resize, {"False", "25", ""})}, {50, 25}, {}, {}},
        {"12.5 % rounds to 12", gradientPicture(400, 300), {task(K::Resize, {"False", "12.5"})}, {48, 36}, {}, {}},
        {"resize to a size", gradientPicture(200, 100), {task(K::Resize, {"True", "64", "48"})}, {64, 48}, {}, {}},
        {"brightness", twoTone, {task(K::Brightness, {"0", "1", "0", "True"})}, {}, {}, {{{2, 2}, {0, 150, 0}}}},
        {"contrast", twoTone, {task(K::Contrast, {"100", "0", "1", "0"})}, {}, {}, {{{2, 2}, {100, 255, 200}}}},
        {"blur", twoTone, {task(K::Blur, {"3"})}, {}, {}, {}, {{15, 15}}},
        {"sharpen", twoTone, {task(K::Sharpen, {"5"})}, {}, {}, {}, {{15, 15}}},
        {"invert", twoTone, {task(K::Negative, {})}, {}, {}, {{{2, 2}, {155, 105, 55}}}},
        {"canvas: colour, left, top, right, bottom", markedPicture(100, 50, 0, 0),
         {task(K::Canvas, {"65280", "10", "20", "30", "40"})}, {140, 110}, Point{10, 20},
         {{{0, 0}, {0, 255, 0}}, {{139, 109}, {0, 255, 0}}}},
        {"keyed-in rectangle crop", markedPicture(100, 50, 30, 20),
         {task(K::Crop, {"True", "0", "20", "10", "70", "40", ""})}, {50, 30}, Point{10, 10}, {}},
        {"keyed-in ellipse crop", markedPicture(100, 50, 30, 20),
         {task(K::Crop, {"True", "1", "0", "0", "100", "50", "16776960"})}, {100, 50}, {},
         {{{0, 0}, {0, 255, 255}}, {{50, 25}, kGrey}}},
        // Drawn on the photo at its own size: the same pixels of every photo.
        {"drawn crop", markedPicture(100, 50, 12, 6), {task(K::Crop, {"False", "10", "5", "30", "25", "", ""})},
         {20, 20}, Point{2, 1}, {}},
        {"drawn crop, larger photo", markedPicture(400, 300, 12, 6),
         {task(K::Crop, {"False", "10", "5", "30", "25", "", ""})}, {20, 20}, Point{2, 1}, {}},
        {"logo at a point: P6 is X, P5 is Y", grey, {task(K::Watermark, {"False", "0", "1", logo, "0", "20", "30"})},
         {}, {}, {{{30, 20}, kBlack}, {{29, 20}, kGrey}, {{39, 29}, kBlack}, {{40, 30}, kGrey}}},
        {"logo centred, half transparent", grey, {task(K::Watermark, {"False", "50", "0", logo, "0"})}, {}, {},
         {{{50, 30}, {64, 64, 64}}, {{44, 30}, kGrey}}},
        {"logo tiled", grey, {task(K::Watermark, {"False", "0", "2", logo, "0"})}, {}, {},
         {{{0, 0}, kBlack}, {{95, 55}, kBlack}}},
        {"logo stretched", grey, {task(K::Watermark, {"False", "0", "3", logo, "0"})}, {}, {},
         {{{0, 0}, kBlack}, {{99, 59}, kBlack}, {{50, 30}, kBlack}}},
        {"logo tiled, black see-through", grey, {task(K::Watermark, {"True", "0", "2", logo, "0"})}, {}, {},
         {{{0, 0}, kGrey}, {{50, 30}, kGrey}}},
        {"missing logo", grey, {task(K::Watermark, {"False", "0", "2", gone, "0"})}, {}, {},
         {{{0, 0}, kGrey}, {{50, 30}, kGrey}}},
        // Not stretched: the point is taken as it is; the red background box starts there.
        {"text at the clicked point", Picture::filled(200, 100, kBlack),
         {task(K::Text, {"False", "False", "False", "0", "0", "DejaVu Sans", "10", "False", "False", "False",
                         "16777215", "255", "0", "9", "x", "50", "40"})},
         {}, {}, {{{50, 40}, kRed}, {{49, 40}, kBlack}}},
        {"plain frame: colour, plain, width", markedPicture(50, 40, 0, 0), {task(K::Frame, {"255", "1", "5"})},
         {60, 50}, {}, {{{0, 0}, kRed}, {{5, 5}, kRed}, {{6, 6}, kGrey}}},
        {"picture frame with canvas space", markedPicture(60, 50, 0, 0), {task(K::Frame, {"0", "0", "2", "1"})},
         {60 + 2 * edge - 2, 50 + 2 * corner - 2}, Point{edge, corner}, {}},
        // Without canvas space the frame covers the photo's border; style 4 alone adds ornaments, the
        // left one below the top-left corner piece.
        {"picture frame without canvas space", grey, {task(K::Frame, {"0", "0", "3", "0"})}, {100, 60}, {},
         {{{2, corner + 2}, FakeGallery::edgeColour(3)}}},
        {"ornate picture frame", grey, {task(K::Frame, {"0", "0", "4", "0"})}, {100, 60}, {},
         {{{2, corner + 2}, FakeGallery::kOrnamentColour}}},
        // A shadow is frame style 8 + P0, on canvas space.
        {"shadow", markedPicture(60, 50, 0, 0), {task(K::Shadow, {"1"})}, {60 + 2 * edge - 2, 50 + 2 * corner - 2},
         Point{edge, corner}, {{{0, corner + 2}, FakeGallery::edgeColour(9)}}},
        {"opaque mask stretched to the photo", Picture::filled(200, 150, kGrey), {task(K::Mask, {"False", "0", "2"})},
         {200, 150}, {}, {{{100, 75}, kBlack}, {{2, 2}, kWhite}}},
        {"mask half transparent", Picture::filled(200, 150, kGrey), {task(K::Mask, {"False", "50", "2"})},
         {200, 150}, {}, {{{100, 75}, {64, 64, 64}}}},
        {"mask with see-through black", Picture::filled(200, 150, kGrey), {task(K::Mask, {"True", "0", "2"})},
         {200, 150}, {}, {{{100, 75}, kGrey}, {{2, 2}, kWhite}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const Picture out = run(row.start, row.tasks);
        if (!row.size.isEmpty()) {
            EXPECT_EQ(QSize(out.width(), out.height()), row.size);
        }
        if (row.red) {
            EXPECT_EQ(findColour(out, kRed), *row.red);
        }
        for (const auto& [at, colour] : row.pixels)
            EXPECT_EQ(out.rgbAt(at.x, at.y), colour) << at.x << ", " << at.y;
        for (const Point& at : row.changed)
            EXPECT_NE(out.rgbAt(at.x, at.y), row.start.rgbAt(at.x, at.y)) << at.x << ", " << at.y;
    }
    EXPECT_TRUE(capture.reports().empty());
}

TEST_F(TaskRunnerTest, AScaledMouseCropTakesTheSameShareOfEveryPhotoAndSettingsCarryToLaterTasks)
{
    // Recorded on a 400 x 300 preview box: the rectangle covers the middle half of each side.
    const QList<TaskRecord> crop{task(TaskKind::Crop, {"False", "100", "75", "300", "225", "400", "300"})};
    for (const auto& size : {QSize(800, 600), QSize(1600, 1200), QSize(400, 300)}) {
        const Picture out = run(Picture::filled(size.width(), size.height(), kGrey), crop);
        EXPECT_EQ(QSize(out.width(), out.height()), size / 2);
    }
    EXPECT_TRUE(engine.StretchToFit()) << "the view settings stay on the engine";
    EXPECT_EQ(engine.Width(), 400);

    // A shadow inherits the see-through colour of an earlier watermark.
    const QString logo = writePng(Picture::filled(4, 4, kBlack), dir.filePath(QStringLiteral("logo.png")));
    const Picture start = Picture::filled(60, 50, kGrey);
    const TaskRecord shadow = task(TaskKind::Shadow, {"1"});
    // The watermark turns the see-through colour on with the shadow's own colour.
    const QString shadowColour = QString::number(OleColor::fromRgb(FakeGallery::edgeColour(9)));
    const TaskRecord watermark = task(TaskKind::Watermark, {"True", "0", "0", logo, shadowColour});
    const Picture alone = run(start, {shadow});
    const Picture afterWatermark = run(start, {watermark, shadow});
    ASSERT_EQ(alone.width(), afterWatermark.width());
    EXPECT_GT(countColour(alone, FakeGallery::edgeColour(9)), 0);
    EXPECT_EQ(countColour(afterWatermark, FakeGallery::edgeColour(9)), 0);
}

TEST_F(TaskRunnerTest, ANamedTextPositionPutsTheTextAtThatEdgeOrCentre)
{
    // White text on a transparent background, on black, unsmoothed. Rows top, middle, bottom;
    // columns left, centre, right; horizontal text in each alignment, vertical text turned down.
    const Picture black = Picture::filled(160, 120, kBlack);
    const auto drawn = [&](bool vertical, int position, int alignment) {
        return ink(run(black, {task(TaskKind::Text, {"False", "False", "True", vertical ? "-90" : "0",
                                                     QString::number(alignment), "DejaVu Sans", "14", "False",
                                                     "False", "False", "16777215", "0", vertical ? "1" : "0",
                                                     QString::number(position), "HHH"})}));
    };
    // Whether ink from `first` to `last` of a side `size` long lies at its start, middle or end
    // (0, 1, 2); it lies a few pixels inside the text's box.
    const auto placed = [](int place, int first, int last, int size) {
        const int slack = 6;
        return place == 0   ? first <= slack
               : place == 2 ? last >= size - 1 - slack
                            : std::abs(first + last - size) <= 2 * slack;
    };
    for (const bool vertical : {false, true}) {
        const QSize whole = drawn(vertical, 4, 0).size();
        ASSERT_GT(whole.width(), vertical ? 5 : 20);
        for (int position = 0; position < 9; ++position)
            for (int alignment = 0; alignment < (vertical ? 1 : 3); ++alignment) {
                const QRect box = drawn(vertical, position, alignment);
                SCOPED_TRACE(testing::Message() << "vertical " << vertical << ", position " << position
                                                << ", alignment " << alignment << ": ink " << box.left() << ","
                                                << box.top() << " to " << box.right() << "," << box.bottom());
                EXPECT_EQ(box.size(), whole) << "cut off at an edge";
                EXPECT_TRUE(placed(position % 3, box.left(), box.right(), 160));
                EXPECT_TRUE(placed(position / 3, box.top(), box.bottom(), 120));
            }
    }
    EXPECT_EQ(drawn(false, -1, 0), drawn(false, 0, 0)) << "a position of no place is the top-left corner";
}

TEST_F(TaskRunnerTest, ASlotThatCannotBeReadEndsTheRunWithAReportAFailingEngineStepIsSkipped)
{
    const Picture start = markedPicture(30, 20, 1, 1);
    for (const auto& [degrees, number] : {std::pair{"ninety", errnum::TypeMismatch}, {"40000", errnum::Overflow}}) {
        SCOPED_TRACE(degrees);
        const Picture out = run(start, {task(TaskKind::Negative, {}), task(TaskKind::Rotate, {"False", degrees, "0"}),
                                        task(TaskKind::Negative, {})});
        capture.expectOne(QStringLiteral("subProcessPages"), number, 2, QStringLiteral("Processing task ID - '2'"));
        EXPECT_EQ(out.rgbAt(5, 5), (Rgb{127, 127, 127})) << "the image as it stood: inverted once";
    }

    // A step the engine cannot carry out (an empty crop, a negative blur) or a kind it does not
    // know is skipped quietly, and the run goes on.
    TaskRecord unknownKind;
    unknownKind.kind = static_cast<TaskKind>(42);
    const Picture out = run(Picture::filled(30, 20, kGrey), {task(TaskKind::Crop, {"False", "10", "10", "5", "5"}),
                                                             unknownKind, task(TaskKind::Blur, {"-4"}),
                                                             task(TaskKind::Negative, {})});
    EXPECT_TRUE(capture.reports().empty());
    EXPECT_EQ(out.width(), 30);
    EXPECT_EQ(out.rgbAt(3, 3), (Rgb{127, 127, 127}));
}

TEST_F(TaskRunnerTest, ARunStopsAfterItsLastRowOrWhenItsStopTokenIsSet)
{
    // Five tasks, each adding one pixel on the right: the width counts the tasks that ran.
    const QList<TaskRecord> tasks(5, task(TaskKind::Canvas, {"0", "0", "0", "1", "0"}));
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
