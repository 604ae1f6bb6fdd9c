// Screen capture without the window: the region rectangle's rules with the engine's crop, the
// screenshot portal when there is none, and lumora-batch capture on a private virtual display.
#include "acquire/CaptureSelection.h"
#include "acquire/ScreenshotPortal.h"
#include "acquire/modCapture.h"
#include "cli/LumoraBatch.h"
#include "support/ScopedEnvironment.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

using namespace lumora;

namespace {

// A picture whose every pixel tells where it is: red = x, green = y.
Picture positionPicture(int width, int height)
{
    Picture picture(width, height, 3, QByteArray(width * height * 3, '\0'));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, Rgb{std::uint8_t(x), std::uint8_t(y), 0});
    return picture;
}

TEST(CaptureSelection, EveryWayOfDrawingCropsTheSameOrderedArea)
{
    const Picture screen = positionPicture(200, 150);
    const QRect expected(QPoint(30, 40), QPoint(119, 99));
    struct Case {
        const char* name;
        std::vector<std::pair<QPoint, QPoint>> drags;  // the first draws, the others resize or move
    };
    const Case cases[] = {
        {"top-left to bottom-right", {{{30, 40}, {120, 100}}}},
        {"bottom-right to top-left", {{{120, 100}, {30, 40}}}},
        {"bottom-left to top-right", {{{30, 100}, {120, 40}}}},
        // The right edge's handle dragged past the left edge: the edges swap, still ordered.
        {"resized across", {{{120, 40}, {150, 100}}, {{150, 70}, {30, 70}}}},
        {"moved", {{{10, 0}, {100, 60}}, {{50, 30}, {70, 70}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CaptureSelection selection(QSize(200, 150));
        for (const auto& [from, to] : c.drags) {
            selection.press(from);
            EXPECT_NE(selection.mode(), CaptureSelection::Shown);
            selection.move((from + to) / 2);
            selection.release(to);
            EXPECT_EQ(selection.mode(), CaptureSelection::Shown);
        }
        EXPECT_EQ(selection.area(), expected);
        const Picture crop = modCapture::CropPicture(screen, selection.area());
        EXPECT_EQ(QSize(crop.width(), crop.height()), expected.size());
        EXPECT_EQ(crop.rgbAt(0, 0), (Rgb{30, 40, 0}));
        EXPECT_EQ(crop.rgbAt(crop.width() - 1, crop.height() - 1), (Rgb{119, 99, 0}));
        // Handles: within 2 pixels on both axes of a corner or edge midpoint, else inside.
        EXPECT_EQ(selection.handleAt({32, 38}), 1);
        EXPECT_EQ(selection.handleAt({118, 70}), 4);
        EXPECT_EQ(selection.handleAt({75, 98}), 6);
        EXPECT_EQ(selection.handleAt({33, 37}), CaptureSelection::NoHandle);
        EXPECT_EQ(selection.handleAt({60, 60}), CaptureSelection::Inside);
    }
}

TEST(ScreenshotPortal, MissingServiceIsAClearFailureNotAWait)
{
    QTemporaryDir dir;
    QProcess bus;  // a session bus on which no portal runs
    bus.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                              QStringLiteral("--print-address"),
                                              QStringLiteral("--address=unix:path=") + dir.filePath("bus")});
    const bool busRuns = bus.waitForReadyRead(10000);
    const QByteArray addresses[] = {"unix:path=" + dir.filePath("none").toUtf8(),
                                    busRuns ? bus.readLine().trimmed() : QByteArray()};
    for (const QByteArray& address : addresses) {
        if (address.isEmpty())
            continue;
        SCOPED_TRACE(address.toStdString());
        test::ScopedEnvironment variable("DBUS_SESSION_BUS_ADDRESS", address);
        try {
            ScreenshotPortal::grab(5000);
            ADD_FAILURE() << "a screenshot without a portal";
        } catch (const std::runtime_error& error) {
            EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QStringLiteral("screenshot service"))) << error.what();
        }
    }
    bus.kill();
    bus.waitForFinished();
}

// lumora-batch capture against ImageMagick's grab of the same private Xvfb screen, whose root
// window shows a picture of its own.
TEST(CaptureCli, GrabsTheScreenAsImageMagickSeesIt)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        GTEST_SKIP() << "Xvfb is not installed";
    QTemporaryDir dir;
    const auto run = [](const QString& program, const QString& arguments) {
        return test::runTool(program, arguments.split(QLatin1Char(' ')));
    };
    QProcess xvfb;  // -noreset: the root window keeps its picture when the last program leaves
    xvfb.start(QStringLiteral("Xvfb"), QStringLiteral("-displayfd 1 -noreset -screen 0 320x240x24 -nolisten tcp").split(' '));
    ASSERT_TRUE(xvfb.waitForReadyRead(20000)) << "Xvfb does not start";
    std::optional<test::ScopedEnvironment> display(std::in_place, "DISPLAY", ":" + xvfb.readLine().trimmed());
    const QString pattern = dir.filePath("pattern.png");
    const QString screen = dir.filePath("screen.png");
    QImage picture(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            picture.setPixel(x, y, qRgb(x * 255 / 319, y, (x * y) % 256));
    ASSERT_TRUE(picture.save(pattern));
    // display's exit status says nothing here: ImageMagick's grab of the root must show the picture.
    run(QStringLiteral("display"), QStringLiteral("-window root ") + pattern);
    run(QStringLiteral("import"), QStringLiteral("-window root ") + screen);
    ASSERT_EQ(run(QStringLiteral("compare"), QStringLiteral("-metric AE %1 %2 null:").arg(pattern, screen)).err.trimmed(), QStringLiteral("0"));

    // The options, and the part of ImageMagick's screen the file must match.
    const QString cases[][2] = {{"", "320x240+0+0"}, {"--region 10,20,100,50 ", "100x50+10+20"},
                                {"--region 300,200,100,100 ", "20x40+300+200"}};
    for (const auto& [options, crop] : cases) {
        SCOPED_TRACE(crop.toStdString());
        const QString out = dir.filePath(crop + ".tif");
        const test::ToolResult r = run(QStringLiteral(LUMORA_BATCH_EXE), QStringLiteral("capture ") + options + out);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(test::identify(out, QStringLiteral("%m %wx%h")), QStringLiteral("TIFF ") + crop.section('+', 0, 0));
        EXPECT_EQ(run(QStringLiteral("compare"), QStringLiteral("-metric AE %1 %2[%3] null:").arg(out, screen, crop)).err.trimmed(), QStringLiteral("0"));
    }
    xvfb.terminate();
    xvfb.waitForFinished();

    display.reset();
    test::ScopedEnvironment noDisplay("DISPLAY", QByteArray());
    test::expectFailure(test::lumoraBatch({QStringLiteral("capture"), dir.filePath("none.tif")}), QStringLiteral("display"));
    EXPECT_FALSE(QFile::exists(dir.filePath("none.tif")));
}

}  // namespace
