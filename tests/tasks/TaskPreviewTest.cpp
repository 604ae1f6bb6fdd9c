// Previewing the task being edited: where it differs from a run of the Task Basket (the fast resize,
// an unrounded scale, logos, text and red-eye placed on the photo on screen), and what it writes back.

#include "core/LumoraError.h"
#include "engine/ImageBox.h"
#include "support/ReportCapture.h"
#include "support/TestImages.h"
#include "tasks/TaskPreview.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

const Rgb kGrey{128, 128, 128};
const Rgb kRed{250, 10, 10};

TaskRecord task(TaskKind kind, std::initializer_list<QString> slotValues) { return {kind, QString(), slotValues}; }

// A view context for an image shown at its own size.
TaskViewContext unscaled(const ImageBox& engine)
{
    const int w = engine.ImageWidth();
    const int h = engine.ImageHeight();
    return {w, h, 0, 0, w, h, w, h, false};
}

class TaskPreviewTest : public ::testing::Test {
protected:
    TaskPreviewTest() { engine.SetBitmapHandle(gradientPicture(400, 300)); }

    QTemporaryDir dir;
    ImageBox engine{ImageBox::Mode::View};
    ReportCapture reports;
};

TEST_F(TaskPreviewTest, AnExactResizeIsTheFastOneAScaleKeepsItsFractionAndASlotThatIsNoNumberFails)
{
    ImageBox fast;
    fast.SetBitmapHandle(gradientPicture(400, 300));
    fast.ResizeTo(123, 77);

    TaskRecord exact = task(TaskKind::Resize, {"True", "123", "77"});
    ASSERT_EQ(PreviewTask(engine, exact, unscaled(engine)), TaskPreviewResult::Applied);
    EXPECT_EQ(engine.Picture(), fast.Picture());

    // 12.5 % of 400 x 300 is 50 x 37.5; a run of the same task rounds the percentage to 12 (the
    // runner table has it).
    engine.SetBitmapHandle(gradientPicture(400, 300));
    TaskRecord scale = task(TaskKind::Resize, {"False", "12.5", ""});
    ASSERT_EQ(PreviewTask(engine, scale, unscaled(engine)), TaskPreviewResult::Applied);
    EXPECT_EQ(engine.ImageWidth(), 50);
    EXPECT_TRUE(reports.reports().empty());

    // A slot that is no number is reported and the preview fails.
    engine.SetBitmapHandle(gradientPicture(400, 300));
    TaskRecord bad = task(TaskKind::Resize, {"True", "wide", "77"});
    EXPECT_EQ(PreviewTask(engine, bad, unscaled(engine)), TaskPreviewResult::Failed);
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(reports.reports().front().routine, QStringLiteral("FrmMain.cmdApply_Click"));
    EXPECT_EQ(engine.ImageWidth(), 400);
}

TEST_F(TaskPreviewTest, ATextIsCentredOnTheClickedPointOrPlacedAtANamedOneAndItsAnchorIsWrittenBack)
{
    engine.SetBitmapHandle(Picture::filled(400, 300, kGrey));
    // Position 9, size 20: the anchor is raised by half the size.
    TaskRecord text = task(TaskKind::Text, {"True", "False", "True", "0", "0", "DejaVu Sans", "20", "False", "False",
                                            "False", "255", "0", "0", "9", "Hi", "100", "80"});
    ASSERT_EQ(PreviewTask(engine, text, unscaled(engine)), TaskPreviewResult::Applied);
    EXPECT_EQ(QStringList({text.params[15], text.params[16]}), QStringList({"100", "70"}));
    // Red text lands right of and below the anchor, never above it.
    const Picture shown = engine.Picture();
    EXPECT_GT(countColour(shown, {255, 0, 0}), 0);
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 400; ++x)
            ASSERT_NE(shown.rgbAt(x, y), (Rgb{255, 0, 0})) << x << "," << y;

    // At a named position the anchor placed on this photo is written back.
    // Bottom-right aligned right: the anchor is (W, H - text height). Top centre, centred: it is
    // half the width, rounded half to even.
    const struct {
        int width;
        const char* position;
        const char* alignment;
        const char* x;
        bool bottom;
    } rows[] = {{400, "8", "2", "400", true}, {101, "1", "1", "50", false}, {103, "1", "1", "52", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.width);
        engine.SetBitmapHandle(Picture::filled(row.width, 300, kGrey));
        TaskRecord named = task(TaskKind::Text, {"True", "False", "True", "0", row.alignment, "DejaVu Sans", "14",
                                                 "False", "False", "False", "0", "0", "0", row.position, "Corner"});
        ASSERT_EQ(PreviewTask(engine, named, unscaled(engine)), TaskPreviewResult::Applied);
        const int y = row.bottom ? 300 - engine.TextHeight(QStringLiteral("Corner")) : 0;
        EXPECT_EQ(QStringList({named.params[15], named.params[16]}), QStringList({row.x, QString::number(y)}));
    }
}

TEST_F(TaskPreviewTest, ARedEyeAreaIsMappedFromTheViewAndALogoAtAPointGoesExactlyThere)
{
    // Red-eye works on the marked area only, mapped from the view.
    Picture eyes = Picture::filled(400, 300, kGrey);
    for (int y = 100; y < 120; ++y)
        for (int x = 100; x < 120; ++x) {
            eyes.setPixel(x, y, kRed);
            eyes.setPixel(x + 200, y, kRed);
        }
    engine.SetBitmapHandle(eyes);
    // Shown at half size: the area (45, 45)-(65, 65) of the view is (90, 90)-(130, 130) of the photo.
    TaskViewContext view = unscaled(engine);
    view.viewWidth = 200;
    view.viewHeight = 150;
    view.scaled = true;
    TaskRecord redEye(TaskKind::RedEye, QStringLiteral("redeye"));
    ASSERT_EQ(PreviewTask(engine, redEye, view, QRect(45, 45, 20, 20)), TaskPreviewResult::Applied);

    const Picture after = engine.Picture();
    EXPECT_LT(meanChannel(after, 0, 100, 100, 120, 120), 60) << "the marked eye is corrected";
    EXPECT_GT(meanChannel(after, 0, 300, 100, 320, 120), 240) << "the other eye was not marked";
    EXPECT_FALSE(engine.SelectionActive());

    // A logo at a point goes exactly there, though the engine shows the photo fitted into a small
    // box: a run would scale the point again.
    engine.SetBitmapHandle(Picture::filled(400, 300, kGrey));
    engine.SetWidth(200);
    engine.SetHeight(150);
    engine.SetStretchToFit(true);
    const QString logo = writePng(Picture::filled(4, 4, kRed), dir.filePath(QStringLiteral("logo.png")));
    TaskRecord mark = task(TaskKind::Watermark, {"False", "0", "1", logo, "0", "120", "250", "True"});
    ASSERT_EQ(PreviewTask(engine, mark, unscaled(engine)), TaskPreviewResult::Applied);
    EXPECT_EQ(findColour(engine.Picture(), kRed, 8), (Point{250, 120}));
}

}  // namespace
