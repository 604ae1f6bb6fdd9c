// Which reduction a batch decodes a JPEG at for a Task Basket and a photo size, and the resize
// that then gives the result the size of a full decode.

#include "tasks/ShrinkOnLoad.h"

#include <gtest/gtest.h>

using namespace lumora;

namespace {

TaskRecord scale(const QString& percent) { return {TaskKind::Resize, "resize", {"False", percent}}; }
TaskRecord resize(int width, int height)
{
    return {TaskKind::Resize, "resize", {"True", QString::number(width), QString::number(height)}};
}
TaskRecord task(TaskKind kind, const QString& p0) { return {kind, "step", {p0}}; }

TEST(ShrinkOnLoad, TheLargestReductionStillAsLargeAsTheFirstResamplingAfterPixelByPixelSteps)
{
    struct Case {
        const char* what;
        int width, height;
        QList<TaskRecord> tasks;
        int factor;
        int resizedAt = -1;  // the task that becomes this exact Resize
        TaskRecord resized = {};
    };
    const TaskRecord sharpen = task(TaskKind::Sharpen, "1");
    const QList<TaskRecord> pixelByPixel{task(TaskKind::Orientation, "1"), task(TaskKind::Negative, ""),
                                         task(TaskKind::Contrast, "20"), task(TaskKind::Brightness, "-10")};
    const QList<Case> cases{
        {"half", 4000, 3000, {scale("50"), sharpen}, 2, 0, resize(2000, 1500)},
        {"a quarter", 4000, 3000, {scale("25")}, 4, 0, resize(1000, 750)},
        {"an eighth is the most", 4000, 3000, {scale("5")}, 8, 0, resize(200, 150)},
        {"an eighth would be too small", 4000, 3000, {scale("13")}, 4, 0, resize(520, 390)},
        {"odd sides round up when reduced", 4001, 3001, {scale("50")}, 2, 0, resize(2000, 1500)},
        {"libjpeg's 500.125 is 501", 4001, 3001, {resize(501, 376)}, 8, 0, resize(501, 376)},
        {"exact size, each side on its own", 3000, 4000, {resize(1000, 750)}, 2, 0, resize(1000, 750)},
        {"no reduction fits", 4000, 3000, {scale("60")}, 1},
        {"enlarging", 4000, 3000, {scale("150"), scale("10")}, 1},
        {"pixel by pixel first", 4000, 3000, pixelByPixel + QList{scale("25")}, 4, 4, resize(1000, 750)},
        {"resizing to its own size", 4000, 3000, {resize(4000, 3000), scale("50")}, 2, 1, resize(2000, 1500)},
        {"sharpen first", 4000, 3000, {sharpen, scale("50")}, 1},
        {"rotate first", 4000, 3000, {task(TaskKind::Rotate, "False"), scale("50")}, 1},
        {"crop first", 4000, 3000, {task(TaskKind::Crop, "0"), scale("50")}, 1},
        {"a percentage that is no number", 4000, 3000, {scale("half")}, 1},
        {"a step the engine skips", 4000, 3000, {scale("0"), scale("50")}, 1},
        {"fit into a box", 4608, 1976, {{TaskKind::Fit, "fit", {"800", "600", "False"}}}, 4, 0,
         {TaskKind::Resize, "fit", {"True", "800", "343"}}},
        {"a photo that fits already", 700, 500, {{TaskKind::Fit, "fit", {"800", "600", "False"}}, scale("25")}, 4, 1,
         resize(175, 125)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ShrinkOnLoad plan = ShrinkOnLoad::plan(c.tasks, c.width, c.height);
        EXPECT_EQ(plan.factor, c.factor);
        QList<TaskRecord> expected = c.tasks;
        if (c.resizedAt >= 0)
            expected[c.resizedAt] = c.resized;
        EXPECT_TRUE(plan.tasks == expected);
    }
}

}  // namespace
