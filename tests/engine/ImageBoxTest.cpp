// The engine's images: where pixels go under flip, rotate, crop and resize, what the filters,
// red-eye and the selection do to them; reading files, writing all or nothing, hostile PNG chunks,
// the view geometry; overlays (placement, opacity, the transparent colour) and text (anchor, angle,
// box). Snapshots: MetadataWrites.SnapshotsRestoreTheImageAndItsMetadataExactly.

#include "PictureChecks.h"

#include "core/LumoraError.h"
#include "engine/EngineError.h"
#include "engine/PngChunkCheck.h"
#include "engine/ViewGeometry.h"
#include "imageio/LoadPic.h"
#include "support/EngineFixtures.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"
#include "support/Oracles.h"

#include <QFile>
#include <QRect>
#include <QSize>

#include <array>
#include <cstdlib>
#include <functional>
#include <tuple>

using namespace lumora;
using namespace lumora::test;

namespace {

const Rgb kGrey{100, 100, 100};

class EngineImages : public EngineModes {
protected:
    QSize size() const { return QSize(box.ImageWidth(), box.ImageHeight()); }
};
LUMORA_BOTH_ENGINE_MODES(EngineImages);

TEST_P(EngineImages, FlipsAndQuarterTurnsMoveEveryPixelWhereItBelongsAlsoAfterLongRunsOfEdits)
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

TEST_P(EngineImages, FreeRotationGrowsTheCanvasFillsCornersWithBackColorAndResamplesWhenAsked)
{
    loadThroughFile(Picture::filled(100, 50, kBlue));
    box.SetBackColor(ole(0, 255, 0));
    box.Rotate(30);
    // The box around a 100 x 50 rectangle turned by 30 degrees is about 111.6 x 93.3.
    EXPECT_NEAR(box.ImageWidth(), 112, 1);
    EXPECT_NEAR(box.ImageHeight(), 93, 1);
    const Picture p = box.Picture();
    expectColours(p, {{0, 0, kGreen}, {p.width() - 1, p.height() - 1, kGreen}, {p.width() / 2, p.height() / 2, kBlue}});

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

TEST_P(EngineImages, CropsKeepTheAreaOrSelectionAndFillOutsideWithBackColor)
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

    // The selection crops to a rectangle or an ellipse.
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

TEST_P(EngineImages, ResizesHitTheRequestedSizeAndScaleRoundsHalvesToEven)
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

TEST(EngineLimits, AResultPastThePixelLimitIsAnEngineFailureAndTheImageStays)
{
    // In batch mode nothing is computed yet, so only the check stands between these steps and
    // gigabytes at the save.
    ImageBox box(ImageBox::Mode::Batch);
    box.SetBitmapHandle(gradientPicture(2000, 1000));
    const std::vector<std::pair<const char*, std::function<void()>>> steps{
        {"ResizeTo", [&] { box.ResizeTo(32767, 32767); }},
        {"ResampleTo", [&] { box.ResampleTo(20000, 20000); }},
        {"Scale", [&] { box.Scale(1200); }},
        {"Crop", [&] { box.Crop(-30000, -30000, 30000, 30000); }},
    };
    for (const auto& [name, step] : steps) {
        box.SetBitmapHandle(gradientPicture(2000, 1000));
        try {
            step();
            ADD_FAILURE() << name << " made " << box.ImageWidth() << " x " << box.ImageHeight();
        } catch (const EngineError& e) {
            EXPECT_EQ(e.number(), errnum::EngineFailure) << name;
        }
        EXPECT_LE(qint64(box.ImageWidth()) * box.ImageHeight(), 250'000'000) << name;
    }
}

TEST_P(EngineImages, WithoutAnImageOrOnBrokenFilesEverythingFailsCleanlyButCutPhotosOpen)
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

    writeBytes(path("junk.jpg"), "this is not a photo");
    EXPECT_THROW(box.LoadFromFile(path("junk.jpg")), EngineError);
    EXPECT_THROW(box.LoadFromFile(path("missing.png")), EngineError);
    EXPECT_FALSE(box.HasImage());

    box.SetBitmapHandle(gradientPicture(300, 200));
    box.SaveToFile(path("whole.jpg"));
    const QByteArray whole = readBytes(path("whole.jpg"));
    writeBytes(path("cut.jpg"), whole.left(whole.size() / 2));
    // A view shows what there is of a cut photo; a batch must not write it as if it were whole,
    // and says why (nothing of the earlier failures in its message).
    box.LoadFromFile(path("cut.jpg"));
    box.Negative();
    if (GetParam() == ImageBox::Mode::View) {
        box.SaveToFile(path("cut-out.png"));
        EXPECT_EQ(identify(path("cut-out.png")), "300x200");
    } else {
        try {
            box.SaveToFile(path("cut-out.png"));
            ADD_FAILURE() << "a cut photo was written";
        } catch (const EngineError& e) {
            EXPECT_EQ(e.description(), "SaveToFile: VipsJpeg: Premature end of input file");
        }
        EXPECT_FALSE(QFile::exists(path("cut-out.png")));
    }
}

TEST_P(EngineImages, BlurSoftensTheEdgeMoreAsItGrowsSharpenRaisesItAndLeavesFlatAreasAlone)
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

TEST_P(EngineImages, ContrastPivotsOnMidGreyBrightnessRunsFromBlackToWhiteBothOnlyOnFlaggedChannels)
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

TEST_P(EngineImages, PicturesGoInAndOutAsCopiesAndNegativeInvertsColoursKeepingAlpha)
{
    const Picture p(2, 1, 4, QByteArray("\x10\x20\x30\x80\xff\x00\x7f\xff", 8));
    box.SetBitmapHandle(p);
    box.Negative();
    EXPECT_EQ(box.Picture(), Picture(2, 1, 4, QByteArray("\xef\xdf\xcf\x80\x00\xff\x80\xff", 8)));
    box.Negative();
    EXPECT_EQ(box.Picture(), p);

    Picture picture = gradientPicture(9, 7);
    box.SetBitmapHandle(picture);
    picture.setPixel(0, 0, Rgb{1, 2, 3});
    EXPECT_EQ(box.ImageDepth(), 24);
    EXPECT_EQ(box.Picture(), gradientPicture(9, 7));
    EXPECT_THROW(box.SetBitmapHandle(Picture()), EngineError);
}

TEST_P(EngineImages, RedEyeOnlyTreatsRedPixelsInsideTheSelection)
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

TEST_P(EngineImages, WritesAreAllOrNothingAndMayReplaceTheSourceFile)
{
    box.SetBitmapHandle(gradientPicture(10, 10));
    writeBytes(path("keep.png"), "old contents");
    EXPECT_THROW(box.SaveToFile(path("keep.xyz")), EngineError);
    EXPECT_THROW(box.SaveToFile(path("no/such/folder/a.png")), EngineError);
    box.SetBitmapHandle(gradientPicture(200, 200));
    {
        const FullDisk disk(1000);  // the disk fills up part way through the picture
        EXPECT_THROW(box.SaveToFile(path("keep.png")), EngineError);
    }
    EXPECT_FALSE(QFile::exists(path("no/such/folder/a.png")));
    EXPECT_EQ(readBytes(path("keep.png")), "old contents");

    // A streamed photo written over the file it streams from.
    loadThroughFile(markedPicture(30, 20, 3, 4), "same.png");
    box.Flip(0);
    box.SaveToFile(path("same.png"));
    box.LoadFromFile(path("same.png"));
    EXPECT_EQ(findColour(box.Picture(), kRed), (Point{26, 4}));
}

TEST(PngChunkCheck, AChunkLongerThanTheFileIsRefusedEverywhere)
{
    // Found by fuzzing: a text chunk claiming 1.6 GB made libpng take 1.7 GB and ten seconds.
    QTemporaryDir dir;
    const QByteArray valid = readBytes(writePng(gradientPicture(30, 20), dir.filePath("valid.png")));
    // A tEXt chunk claiming `length` bytes, with a few bytes of text after it, after the header.
    const auto claiming = [&](quint32 length) {
        const char size[] = {char(length >> 24), char(length >> 16), char(length >> 8), char(length)};
        return QByteArray(valid).insert(8 + 25, QByteArray(size, 4) + "tEXtComment" + QByteArray(1, '\0') + "hello");
    };
    const QString hostile = dir.filePath("hostile.png");
    writeBytes(hostile, claiming(0x65000000));
    EXPECT_FALSE(PngChunksFitTheFile(hostile));
    ImageBox box;
    EXPECT_THROW(box.LoadFromFile(hostile), EngineError);
    EXPECT_TRUE(LoadPic(hostile).isNull());
    EXPECT_TRUE(LoadPic(hostile, FixedBox, 40, 40).isNull());

    // A whole file passes; so does one cut inside the image data, which the stream decoder deals
    // with, but not one cut before it: nothing to draw. Other files are left to other checks.
    const std::tuple<const char*, QByteArray, bool> files[] = {
        {"beyond.png", claiming(0x80000000), false},  {"whole.png", valid, true},
        {"cut.png", valid.left(valid.size() - 20), true}, {"header-only.png", valid.left(8 + 25 + 4), false},
        {"text.png", "just text", true}};
    for (const auto& [name, bytes, fits] : files) {
        writeBytes(dir.filePath(name), bytes);
        EXPECT_EQ(PngChunksFitTheFile(dir.filePath(name)), fits) << name;
    }
    EXPECT_TRUE(PngChunksFitTheFile(dir.filePath("missing.png")));
    box.LoadFromFile(dir.filePath("whole.png"));
    EXPECT_EQ(box.ImageWidth(), 30);
}

// True colour files read back exactly: EncoderFiles.EveryFormatWritesEachColourDepthItOffers.
TEST_P(EngineImages, GreyPaletteAndAlphaImagesBecomeSrgbWithTheirDepthTiffPagesAreReadByNumber)
{
    ASSERT_EQ(runTool("convert", {"-size", "16x8", "gradient:", path("grey.png")}).exitCode, 0);
    box.LoadFromFile(path("grey.png"));
    EXPECT_EQ(box.ImageDepth(), 8);
    EXPECT_EQ(box.Picture().bands(), 3);
    const Rgb top = box.Picture().rgbAt(0, 0);
    EXPECT_TRUE(top.r == top.g && top.g == top.b);

    const Picture withAlpha(2, 2, 4, QByteArray(16, '\x40'));
    box.LoadFromFile(writePng(withAlpha, path("alpha.png")));
    EXPECT_EQ(box.ImageDepth(), 32);
    EXPECT_EQ(box.Picture(), withAlpha);

    const Picture four = painted(8, 4, [](int x, int y) { return Rgb{std::uint8_t(x / 4 * 255), 0, std::uint8_t(y * 80)}; });
    box.SetBitmapHandle(four);
    box.SaveToFile(path("four.gif"));
    ImageBox reader(GetParam());
    reader.LoadFromFile(path("four.gif"));
    EXPECT_EQ(reader.ImageDepth(), 8);
    EXPECT_EQ(reader.Picture(), four);

    writePng(Picture::filled(8, 8, kRed), path("p1.png"));
    writePng(Picture::filled(12, 6, kBlue), path("p2.png"));
    ASSERT_EQ(runTool("convert", {path("p1.png"), path("p2.png"), path("two.tif")}).exitCode, 0);
    EXPECT_EQ(box.TiffPageCount(path("two.tif")), 2);
    EXPECT_EQ(box.TiffPageCount(path("p1.png")), 1);
    EXPECT_EQ(box.TiffPageCount(path("missing.tif")), 0);
    box.SetTiffPage(2);
    box.LoadFromFile(path("two.tif"));
    EXPECT_EQ(box.ImageWidth(), 12);
    EXPECT_EQ(box.PixelColor(0, 0), ole(0, 0, 255));
    box.SetTiffPage(3);
    EXPECT_THROW(box.LoadFromFile(path("two.tif")), EngineError);
}

// The engine's view of its image goes through this; the tasks that map view points onto photos
// judge it (TaskPreviewTest, TaskRunnerTest).
TEST(ViewGeometry, FitsIntoTheBoxWithoutEnlargingOrZooms)
{
    EXPECT_EQ(ViewGeometry::shown({800, 600}, {400, 300}, true, 100), QSize(400, 300));
    EXPECT_EQ(ViewGeometry::shown({1600, 1200}, {400, 300}, true, 100), QSize(400, 300));
    EXPECT_EQ(ViewGeometry::shown({1000, 300}, {400, 300}, true, 100), QSize(400, 120));
    EXPECT_EQ(ViewGeometry::shown({300, 1000}, {400, 300}, true, 100), QSize(90, 300));
    EXPECT_EQ(ViewGeometry::shown({200, 100}, {400, 300}, true, 100), QSize(200, 100));
    EXPECT_EQ(ViewGeometry::shown({801, 1}, {400, 300}, true, 100), QSize(400, 1));
    EXPECT_EQ(ViewGeometry::shown({200, 100}, {400, 300}, false, 150), QSize(300, 150));
    EXPECT_EQ(ViewGeometry::shown({0, 0}, {400, 300}, true, 100), QSize(0, 0));
}

// A white picture with a black rectangle from (0, 0) to (right, bottom), exclusive.
Picture blackCorner(int width, int height, int right, int bottom)
{
    return painted(width, height, [&](int x, int y) { return x < right && y < bottom ? kBlack : kWhite; });
}

class EngineOverlay : public EngineModes {
protected:
    void SetUp() override { loadThroughFile(Picture::filled(100, 80, kGrey)); }

    void placeAt(int x, int y)
    {
        box.SetOverlayPlacement(1);
        box.SetOverlayX(x);
        box.SetOverlayY(y);
    }
};
LUMORA_BOTH_ENGINE_MODES(EngineOverlay);

TEST_P(EngineOverlay, CentreAndPointPlacementOfLogoFilesAndPictures)
{
    box.SetOverlayPlacement(0);
    box.OverlayFile(writePng(Picture::filled(10, 10, kWhite), path("logo.png")));
    expectColours(box.Picture(), {{45, 35, kWhite}, {54, 44, kWhite}, {44, 35, kGrey}, {55, 44, kGrey}});
    EXPECT_THROW(box.OverlayFile(path("missing.png")), EngineError);
    EXPECT_THROW(box.SetOverlayPlacement(4), EngineError);

    placeAt(95, -4);  // partly outside: clipped
    box.OverlayPicture(Picture::filled(10, 10, kBlack));
    expectColours(box.Picture(), {{95, 0, kBlack}, {99, 5, kBlack}, {94, 0, kGrey}, {95, 6, kGrey}});
    EXPECT_EQ(box.ImageWidth(), 100);
}

TEST_P(EngineOverlay, TilingRepeatsFromTheTopLeftCornerWrapStretchesOverTheImage)
{
    box.SetOverlayPlacement(2);
    box.OverlayPicture(blackCorner(10, 10, 5, 10));  // black left half
    expectColours(box.Picture(), {{0, 77, kBlack}, {4, 77, kBlack}, {10, 77, kBlack}, {14, 77, kBlack},
                                  {90, 77, kBlack}, {94, 77, kBlack}, {5, 77, kWhite}, {9, 77, kWhite},
                                  {15, 77, kWhite}, {95, 77, kWhite}, {99, 77, kWhite}});

    box.SetOverlayPlacement(3);
    box.OverlayPicture(blackCorner(10, 10, 5, 5));
    expectColours(box.Picture(), {{20, 15, kBlack}, {80, 60, kWhite}, {80, 15, kWhite}});
}

TEST_P(EngineOverlay, OpacityTransparentColourAndOwnAlphaCombine)
{
    placeAt(0, 0);
    box.SetOverlayTransparency(25);
    box.OverlayPicture(Picture::filled(10, 10, kWhite));
    EXPECT_EQ(box.PixelColor(5, 5), ole(216, 216, 216));  // 100 + 155 * 0.75

    // White is the see-through colour: only the black half lands.
    box.SetOverlayTransparency(0);
    box.SetOverlayUseTransparentColor(true);
    box.SetOverlayTransparentColor(ole(255, 255, 255));
    placeAt(20, 0);
    box.OverlayPicture(blackCorner(10, 10, 5, 10));
    EXPECT_EQ(box.PixelColor(22, 5), ole(0, 0, 0));
    EXPECT_EQ(box.PixelColor(27, 5), ole(100, 100, 100));

    // Half-transparent pixels of the overlay itself.
    box.SetOverlayUseTransparentColor(false);
    Picture glass(4, 4, 4, QByteArray(4 * 4 * 4, '\0'));
    for (int i = 0; i < 16; ++i)
        glass.setPixel(i % 4, i / 4, kWhite, 102);  // 40 %
    placeAt(50, 0);
    box.OverlayPicture(glass);
    EXPECT_EQ(box.PixelColor(51, 1), ole(162, 162, 162));  // 100 + 155 * 0.4
}

TEST_P(EngineOverlay, ManyOverlaysOnAStreamedPhotoAtTopAndBottom)
{
    // Like a frame on a tall photo decoded top to bottom: pieces pasted along every edge.
    ImageBox writer;
    writer.SetBitmapHandle(gradientPicture(1067, 1600));
    writer.SaveToFile(path("tall.jpg"));
    box.LoadFromFile(path("tall.jpg"));
    for (int x = 0; x < 1067; x += 128)
        for (int y : {0, 1600 - 56}) {
            placeAt(x, y);
            box.OverlayPicture(Picture::filled(128, 56, kBlack));
        }
    for (int y = 56; y < 1600; y += 128)
        for (int x : {0, 1067 - 56}) {
            placeAt(x, y);
            box.OverlayPicture(Picture::filled(56, 128, kBlack));
        }
    box.SaveToFile(path("framed.png"));
    EXPECT_EQ(identify(path("framed.png"), "%wx%h %[fx:p{1066,1599}.r]"), "1067x1600 0");
}

class EngineText : public EngineModes {
protected:
    void SetUp() override
    {
        box.SetFont(TextFont{"DejaVu Sans", 20, true, false, false});
        box.SetTextColor(ole(0, 0, 0));
    }
    // The ink of a text drawn in black on a fresh white picture: the smallest rectangle holding
    // every dark pixel.
    QRect drawn(int x, int y, const QString& text)
    {
        loadThroughFile(Picture::filled(300, 200, kWhite));
        box.DrawText(x, y, text);
        const Picture p = box.Picture();
        return boundsOf(p, [&](int px, int py) { return p.rgbAt(px, py).r < 128; });
    }
};
LUMORA_BOTH_ENGINE_MODES(EngineText);

// The ink lies within `bounds` (corners included) and reaches within 6 pixels of both ends of
// its long side.
void expectInkAlong(const QRect& ink, const QRect& bounds)
{
    const bool wide = bounds.width() >= bounds.height();
    EXPECT_TRUE(bounds.contains(ink) && (wide ? ink.left() < bounds.left() + 6 && ink.right() > bounds.right() - 6
                                              : ink.top() < bounds.top() + 6 && ink.bottom() > bounds.bottom() - 6))
        << "ink (" << ink.left() << ',' << ink.top() << ")-(" << ink.right() << ',' << ink.bottom() << ") in ("
        << bounds.left() << ',' << bounds.top() << ")-(" << bounds.right() << ',' << bounds.bottom() << ')';
}

TEST_P(EngineText, AlignmentPutsTheAnchorOnTheLeftCentreOrRightEdgeAndAngleTurnsTheTextAboutIt)
{
    const QString text = "HHHHHH";
    const int tw = box.TextWidth(text), th = box.TextHeight(text);
    ASSERT_GT(tw, 60);
    ASSERT_GT(th, 20);
    for (int alignment : {0, 1, 2}) {
        SCOPED_TRACE(alignment);
        box.SetTextAlignment(alignment);
        const int left = 150 - alignment * tw / 2;
        expectInkAlong(drawn(150, 50, text), QRect(QPoint(left, 50), QPoint(left + tw, 50 + th)));
    }
    EXPECT_THROW(box.SetTextAlignment(3), EngineError);

    // Counter-clockwise: at 90 degrees the text runs up from the anchor, its height to the right;
    // at -90 down, its height to the left; at 45 as wide as it is tall.
    box.SetTextAlignment(0);
    box.SetTextAngle(90);
    expectInkAlong(drawn(100, 150, text), QRect(QPoint(100, 150 - tw), QPoint(100 + th, 150)));
    box.SetTextAngle(-90);
    expectInkAlong(drawn(100, 20, text), QRect(QPoint(100 - th, 20), QPoint(100, 20 + tw)));
    box.SetTextAngle(45);
    const QRect ink = drawn(20, 180, text);
    EXPECT_TRUE(ink.width() > tw / 2 && ink.height() > tw / 2 && ink.top() < 180 - tw / 2);
}

TEST_P(EngineText, TheBoxUnlessTransparentAndWithoutAntiAliasOnlyItsTwoColours)
{
    const QString text = "ooo";
    const int tw = box.TextWidth(text);
    box.SetTextBackColor(ole(0, 0, 255));
    box.SetTextTransparent(false);
    drawn(10, 10, text);
    expectColours(box.Picture(), {{10, 10, kBlue}, {10 + tw - 1, 10, kBlue}, {10 + tw, 10, kWhite}});
    box.SetTextTransparent(true);
    drawn(10, 100, text);
    EXPECT_EQ(box.Picture().rgbAt(10, 100), kWhite);
    EXPECT_THROW(box.SetFont(TextFont{"DejaVu Sans", 0}), EngineError);

    box.SetTextAntiAlias(false);
    box.SetTextColor(ole(255, 0, 0));
    drawn(5, 5, "Sharp edges & curves");
    EXPECT_GT(countColour(box.Picture(), kRed), 200);
    EXPECT_EQ(coloursOf(box.Picture()), (std::set<std::uint32_t>{ole(255, 0, 0), ole(255, 255, 255)}));
}

}  // namespace
