// Rendering files and pictures to a requested size: the size rules, where the image lands in the
// box, what the margins hold, and JPEG decoding at a reduced scale.

#include "imageio/PictureRendering.h"

#include "LoadPicSamples.h"
#include "core/UprightPhotos.h"
#include "engine/ImageBox.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/TestImages.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

// Readable sizes and rectangles in failure messages.
static void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << "x" << s.height(); }
static void PrintTo(const QRect& r, std::ostream* os)
{
    *os << "(" << r.x() << ", " << r.y() << ", " << r.width() << "x" << r.height() << ")";
}

using namespace lumora;
using namespace lumora::test;

namespace {

constexpr Rgb kGround{10, 200, 30};
const std::uint32_t kGroundOle = OleColor::fromRgb(kGround);

// Red rising to the right, green downwards: smooth, so any sound resampler agrees closely.
Picture smoothGradient(int width, int height)
{
    Picture p = Picture::filled(width, height, Rgb{});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.setPixel(x, y, Rgb{static_cast<std::uint8_t>(x * 255 / (width - 1)),
                                 static_cast<std::uint8_t>(y * 255 / (height - 1)), 128});
    return p;
}

QSize sizeOf(const Picture& p) { return QSize(p.width(), p.height()); }

bool nearColour(Rgb a, Rgb b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

class PictureRenderingFile : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QString png(const Picture& picture, const QString& name) { return writePng(picture, path(name)); }

    Picture render(const QString& file, int mode, int width, int height)
    {
        sourceWidth = -7;
        sourceHeight = -7;
        return RenderWithGdiPlus(file, mode, width, height, kGroundOle, true, sourceWidth, sourceHeight);
    }

    QTemporaryDir dir;
    int sourceWidth = 0;
    int sourceHeight = 0;
};

// --- the size rules ----------------------------------------------------------------------------

TEST(PictureRenderingFit, NeverEnlargesShrinksToTheLimitingSideAndRoundsHalvesToEven)
{
    const struct {
        int sw, sh, mw, mh;
        QSize fitted;
    } cases[] = {
        {30, 20, 40, 40, {30, 20}}, {40, 40, 40, 40, {40, 40}},     {40, 10, 40, 40, {40, 10}},
        {1, 1, 150, 100, {1, 1}},   {400, 100, 100, 100, {100, 25}}, {100, 400, 100, 100, {25, 100}},
        {3264, 2448, 40, 40, {40, 30}}, {41, 30, 40, 40, {40, 29}},  // 29.27
        {200, 100, 100, 50, {100, 50}}, {80, 5, 40, 40, {40, 2}},    // 2.5
        {80, 7, 40, 40, {40, 4}},       {5, 80, 40, 40, {2, 40}},    // 3.5, 2.5
        // 40 / 48 held in single precision is a hair under 5/6, so 9 x ratio is 7.4999998: 7. The
        // same ratio in double precision would give exactly 7.5 and round to 8.
        {48, 9, 40, 40, {40, 7}}, {9, 48, 40, 40, {7, 40}},
        // And the other way: 40 / 112 in single precision is a hair over, 2.5000001 rounds up to 3.
        {112, 7, 40, 40, {40, 3}},
    };
    for (const auto& c : cases) {
        int w = -1;
        int h = -1;
        FitInside(c.sw, c.sh, c.mw, c.mh, w, h);
        EXPECT_EQ(QSize(w, h), c.fitted) << c.sw << "x" << c.sh << " into " << c.mw << "x" << c.mh;
    }
}

TEST(PictureRenderingPlacement, CentresTheImageWithHalvesRoundedToEven)
{
    EXPECT_EQ(AspectPlacement(400, 100, 100, 100), QRect(0, 38, 100, 25));  // y = 37.5
    EXPECT_EQ(AspectPlacement(100, 400, 100, 100), QRect(38, 0, 25, 100));
    EXPECT_EQ(AspectPlacement(400, 300, 100, 100), QRect(0, 12, 100, 75));  // y = 12.5
    EXPECT_EQ(AspectPlacement(8, 1, 100, 100), QRect(0, 44, 100, 12));      // height 12.5
    EXPECT_EQ(AspectPlacement(4, 1, 102, 102), QRect(0, 38, 102, 26));     // height 25.5, y = 38
    // Equal shapes fill the target; small images are enlarged.
    EXPECT_EQ(AspectPlacement(200, 100, 100, 50), QRect(0, 0, 100, 50));
    EXPECT_EQ(AspectPlacement(40, 30, 40, 30), QRect(0, 0, 40, 30));
    EXPECT_EQ(AspectPlacement(10, 10, 100, 50), QRect(25, 0, 50, 50));
}

// --- files ------------------------------------------------------------------------------------

TEST_F(PictureRenderingFile, FixedBoxIsExactlyTheBoxWithTheImageCentredTheRightWayRound)
{
    // Four flat quadrants: red, green / blue, white.
    const Picture p = render(samples::magick("-size 200x50 xc:red xc:lime +append ( -size 200x50 xc:blue xc:white "
                                             "+append ) -append quadrants.png", dir.path()), 2, 100, 100);
    ASSERT_EQ(sizeOf(p), QSize(100, 100));
    EXPECT_EQ(p.bands(), 3);
    EXPECT_EQ(QSize(sourceWidth, sourceHeight), QSize(400, 100));
    // Drawn 100 x 25 at y = 38 (37.5 to even): everything else is the background, unblended.
    EXPECT_EQ(countColour(p, kGround), 100 * 75);
    EXPECT_EQ(findColour(p, kRed), (Point{0, 38}));
    EXPECT_EQ(p.rgbAt(50, 37), kGround);
    EXPECT_EQ(p.rgbAt(50, 63), kGround);
    // The quadrants' middles keep their colours.
    EXPECT_TRUE(nearColour(p.rgbAt(25, 44), kRed, 2));
    EXPECT_TRUE(nearColour(p.rgbAt(75, 44), (Rgb{0, 255, 0}), 2));
    EXPECT_TRUE(nearColour(p.rgbAt(25, 56), kBlue, 2));
    EXPECT_TRUE(nearColour(p.rgbAt(75, 56), (Rgb{255, 255, 255}), 2));
}

// Files made by ImageMagick (and exiftool), each as identify sees it, render as stored: the
// background behind transparent pixels, the first page of several, and with turning upright
// switched off the pixels as they are whatever the orientation tag says (6: "turn me a quarter
// clockwise to show me"; UprightPhotosTest has it switched on).
TEST_F(PictureRenderingFile, TransparencyPagesAndOrientationTags)
{
    UprightPhotos::setEnabled(false);
    const struct {
        const char* make;  // convert's arguments, then exiftool's (if any)
        const char* exiftool;
        const char* format;  // identify's format, and what it must say
        const char* identified;
        int mode, width, height;
        QSize size;
        Rgb left, right;  // the colours a quarter in from either side
        int tolerance;
    } cases[] = {
        {"-size 10x10 xc:none xc:red +append PNG32:alpha.png", nullptr, "%[channels]", "srgba", 0, -1, -1, {20, 10},
         kGround, kRed, 0},
        {"-size 30x20 xc:red xc:blue pages.tif", nullptr, "%wx%h;", "30x20;30x20;", 0, -1, -1, {30, 20}, kRed, kRed, 0},
        {"-size 200x300 xc:red xc:blue +append -quality 95 turned.jpg", "-Orientation#=6", "%[EXIF:Orientation]", "6",
         1, 100, 100, {100, 75}, kRed, kBlue, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.make);
        const QString file = samples::magick(c.make, dir.path());
        if (c.exiftool) {
            ASSERT_EQ(runTool("exiftool", {"-q", "-overwrite_original", c.exiftool, file}).exitCode, 0);
        }
        ASSERT_EQ(identify(file, c.format), c.identified);
        const Picture p = render(file, c.mode, c.width, c.height);
        ASSERT_EQ(sizeOf(p), c.size);
        EXPECT_EQ(p.bands(), 3);
        EXPECT_TRUE(nearColour(p.rgbAt(c.size.width() / 4, c.size.height() / 2), c.left, c.tolerance));
        EXPECT_TRUE(nearColour(p.rgbAt(c.size.width() * 3 / 4, c.size.height() / 2), c.right, c.tolerance));
    }
    EXPECT_EQ(QSize(sourceWidth, sourceHeight), QSize(400, 300));
    UprightPhotos::setEnabled(true);
}

TEST_F(PictureRenderingFile, UnreadableOversizedOrImpossibleRequestsGiveNothing)
{
    // Huge claimed sizes: LoadPicTest, whose first road this is.
    EXPECT_TRUE(render(path("missing.png"), 0, -1, -1).isNull());
    EXPECT_EQ(sourceWidth, -7);  // left as the caller had it
    EXPECT_TRUE(render(writeBytes(path("text.jpg"), "not a picture at all"), 2, 40, 40).isNull());

    const QString file = png(Picture::filled(40, 30, kRed), "fine.png");
    EXPECT_TRUE(render(file, 3, 40, 40).isNull());
    EXPECT_TRUE(render(file, 2, 0, 40).isNull());
    EXPECT_TRUE(render(file, 1, 40, -1).isNull());
}

TEST_F(PictureRenderingFile, LargeJpegDecodesAtAReducedScale)
{
    const QString file = samples::magick("-size 2000x3000 xc:red xc:blue +append -quality 95 large.jpg", dir.path());
    ASSERT_EQ(identify(file), "4000x3000");
    // The largest of 1/8, 1/4, 1/2 that still covers the drawn size.
    EXPECT_EQ(RenderDecodeSize(file, 100, 75), QSize(500, 375));
    EXPECT_EQ(RenderDecodeSize(file, 501, 375), QSize(1000, 750));
    EXPECT_EQ(RenderDecodeSize(file, 2001, 1500), QSize(4000, 3000));
    // Formats without reduced decoding read at their own size.
    EXPECT_EQ(RenderDecodeSize(png(Picture::filled(400, 100, kRed), "wide.png"), 40, 10), QSize(400, 100));
    EXPECT_TRUE(RenderDecodeSize(path("missing.jpg"), 40, 10).isEmpty());

    const Picture p = render(file, 2, 100, 100);
    ASSERT_EQ(sizeOf(p), QSize(100, 100));
    EXPECT_EQ(QSize(sourceWidth, sourceHeight), QSize(4000, 3000));
    // Drawn 100 x 75 at y = 12: rows 0-11 and 87-99 are margin.
    EXPECT_EQ(countColour(p, kGround), 100 * 25);
    EXPECT_EQ(p.rgbAt(50, 11), kGround);
    EXPECT_NE(p.rgbAt(50, 12), kGround);
    EXPECT_EQ(p.rgbAt(50, 87), kGround);
    EXPECT_TRUE(nearColour(p.rgbAt(20, 50), kRed, 8));
    EXPECT_TRUE(nearColour(p.rgbAt(80, 50), kBlue, 8));
}

// --- pictures in memory -----------------------------------------------------------------------

// Fixed boxes and fitting of files, which render like pictures: PictureRenderingFile.
TEST(PictureRenderingPicture, StretchesWithoutAspectKeepsSliversAndGivesSmallPicturesBack)
{
    const Picture wide = Picture::filled(400, 100, kRed);
    EXPECT_EQ(countColour(PictureFromHandle(wide, 50, 50, 2, kGroundOle, false), kRed), 50 * 50);
    EXPECT_EQ(ResizePicture(wide, 2, 40, 40, kGroundOle), PictureFromHandle(wide, 40, 40, 2, kGroundOle, true));
    EXPECT_EQ(sizeOf(PictureFromHandle(wide, 100, 100, 1, kGroundOle, true)), QSize(100, 25));

    // Slivers: drawn 0 pixels wide in a box leaves only the margin; fitted, the sliver is kept.
    const Picture sliver = Picture::filled(1, 1000, kRed);
    EXPECT_EQ(countColour(PictureFromHandle(sliver, 100, 100, 2, kGroundOle, true), kGround), 100 * 100);
    const Picture p = PictureFromHandle(sliver, 100, 100, 1, kGroundOle, true);
    EXPECT_EQ(sizeOf(p), QSize(1, 100));  // 0.1 rounds to nothing; kept at 1
    EXPECT_EQ(countColour(p, kRed), 100);

    const Picture small = smoothGradient(30, 20);
    EXPECT_EQ(PictureFromHandle(small, 100, 100, 1, kGroundOle, true), small);
    EXPECT_EQ(PictureFromHandle(small, 5, 5, 0, kGroundOle, true), small);
}

TEST(PictureRenderingPicture, FlattensTransparencyAndRefusesWhatItCannotDraw)
{
    Picture rgba(4, 2, 4, QByteArray(4 * 2 * 4, '\0'));
    rgba.setPixel(3, 1, kRed, 255);
    const Picture p = PictureFromHandle(rgba, 8, 8, 1, kGroundOle, true);
    ASSERT_EQ(p.bands(), 3);
    EXPECT_EQ(countColour(p, kGround), 7);
    EXPECT_EQ(p.rgbAt(3, 1), kRed);

    EXPECT_TRUE(PictureFromHandle(Picture(), 40, 40, 2, kGroundOle, true).isNull());
    EXPECT_TRUE(PictureFromHandle(rgba, 40, 40, 5, kGroundOle, true).isNull());
    EXPECT_TRUE(PictureFromHandle(rgba, 0, 0, 2, kGroundOle, true).isNull());
}

TEST_F(PictureRenderingFile, PictureAndFileRenderingAgreeAndMatchAnIndependentResampler)
{
    const Picture source = smoothGradient(400, 300);
    const QString file = png(source, "gradient.png");
    const Picture fromFile = render(file, 2, 100, 100);
    const Picture fromMemory = PictureFromHandle(source, 100, 100, 2, kGroundOle, true);
    EXPECT_EQ(maxDifference(fromFile, fromMemory), 0);

    // ImageMagick's Catmull-Rom resize of the same image to the drawn 100 x 75.
    const QString magick = path("magick.png");
    ASSERT_EQ(runTool("convert", {file, "-filter", "Catrom", "-resize", "100x75!", magick}).exitCode, 0);
    ImageBox reader;
    reader.LoadFromFile(magick);
    Picture drawn = Picture::filled(100, 75, Rgb{});
    for (int y = 0; y < 75; ++y)
        for (int x = 0; x < 100; ++x)
            drawn.setPixel(x, y, fromMemory.rgbAt(x, y + 12));
    EXPECT_LE(maxDifference(drawn, reader.Picture()), 3);
}

}  // namespace
