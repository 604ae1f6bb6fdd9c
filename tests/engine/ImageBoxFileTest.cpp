// The engine's files: reading the formats it knows, writing with its options (checked by
// ImageMagick), snapshots, pictures and the view geometry.

#include "engine/EngineError.h"
#include "engine/ViewGeometry.h"
#include "support/EngineFixtures.h"
#include "support/FullDisk.h"
#include "support/Oracles.h"

#include <QFile>

using namespace lumora;
using namespace lumora::test;

namespace {

class EngineFiles : public EngineModes {};
LUMORA_BOTH_ENGINE_MODES(EngineFiles);

TEST_P(EngineFiles, LosslessFormatsRoundTripExactly)
{
    const Picture original = gradientPicture(37, 23);
    box.SetBitmapHandle(original);
    for (const char* name : {"a.png", "a.tif", "a.bmp", "a.pcx", "a.psd"}) {
        box.SaveToFile(path(QString::fromLatin1(name)));
        ImageBox reader(GetParam());
        reader.LoadFromFile(path(QString::fromLatin1(name)));
        EXPECT_EQ(reader.Picture(), original) << name;
        EXPECT_EQ(reader.ImageDepth(), 24) << name;
        // ImageMagick sees a PSD as the composite plus its layer; [0] is the composite.
        EXPECT_EQ(identify(path(QString::fromLatin1(name)) + QStringLiteral("[0]")), QStringLiteral("37x23")) << name;
    }
}

TEST_P(EngineFiles, GifAndPaletteFilesLoadWithTheirColours)
{
    Picture four = Picture::filled(8, 4, Rgb{255, 0, 0});
    four.setPixel(1, 1, Rgb{0, 255, 0});
    four.setPixel(2, 2, Rgb{0, 0, 255});
    four.setPixel(7, 3, Rgb{255, 255, 255});
    box.SetBitmapHandle(four);
    box.SaveToFile(path("four.gif"));
    EXPECT_EQ(identify(path("four.gif"), QStringLiteral("%m %wx%h")), QStringLiteral("GIF 8x4"));
    ImageBox reader(GetParam());
    reader.LoadFromFile(path("four.gif"));
    EXPECT_EQ(reader.ImageDepth(), 8);
    const Picture back = reader.Picture();
    EXPECT_EQ(back.rgbAt(1, 1), (Rgb{0, 255, 0}));
    EXPECT_EQ(back.rgbAt(2, 2), (Rgb{0, 0, 255}));
    EXPECT_EQ(back.rgbAt(7, 3), (Rgb{255, 255, 255}));
    EXPECT_EQ(back.rgbAt(0, 0), (Rgb{255, 0, 0}));
}

TEST_P(EngineFiles, JpegOptionsReachTheFile)
{
    box.SetBitmapHandle(gradientPicture(64, 48));
    box.SetJpegQuality(35);
    box.SetJpegProgressive(true);
    box.SaveToFile(path("q.jpg"));
    EXPECT_EQ(identify(path("q.jpg"), QStringLiteral("%m %wx%h %Q %[interlace]")), QStringLiteral("JPEG 64x48 35 JPEG"));

    box.SetJpegProgressive(false);
    box.SetSaveColorDepth(2);
    box.SaveToFile(path("grey.jpeg"));
    EXPECT_EQ(identify(path("grey.jpeg"), QStringLiteral("%[colorspace] %[interlace]")), QStringLiteral("Gray None"));
}

TEST_P(EngineFiles, MonochromeAndPaletteDepthsReachTheFile)
{
    box.SetBitmapHandle(gradientPicture(32, 32));
    box.SetSaveColorDepth(6);
    box.SaveToFile(path("mono.bmp"));
    EXPECT_EQ(identify(path("mono.bmp"), QStringLiteral("%[type]")), QStringLiteral("Bilevel"));
    box.SetSaveColorDepth(0);
    box.SetTiffCompression(2);
    box.SaveToFile(path("fax.tif"));
    EXPECT_EQ(identify(path("fax.tif"), QStringLiteral("%[compression] %z")), QStringLiteral("Group4 1"));
    EXPECT_THROW(box.SetSaveColorDepth(7), EngineError);
}

TEST_P(EngineFiles, WritesAreAllOrNothing)
{
    box.SetBitmapHandle(gradientPicture(10, 10));
    QFile existing(path("keep.png"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("old contents");
    existing.close();
    EXPECT_THROW(box.SaveToFile(path("keep.xyz")), EngineError);
    EXPECT_THROW(box.SaveToFile(path("no/such/folder/a.png")), EngineError);
    box.SetBitmapHandle(gradientPicture(200, 200));
    {
        const FullDisk disk(1000);  // the disk fills up part way through the picture
        EXPECT_THROW(box.SaveToFile(path("keep.png")), EngineError);
    }
    EXPECT_FALSE(QFile::exists(path("no/such/folder/a.png")));
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("old contents"));
}

TEST_P(EngineFiles, SavingOverTheSourceFileWorks)
{
    loadThroughFile(markedPicture(30, 20, 3, 4), QStringLiteral("same.png"));
    box.Flip(0);
    box.SaveToFile(path("same.png"));
    ImageBox reader;
    reader.LoadFromFile(path("same.png"));
    EXPECT_EQ(findColour(reader.Picture(), Rgb{255, 0, 0}), (Point{26, 4}));
}

TEST_P(EngineFiles, BrokenAndForeignFilesFailWithAnEngineError)
{
    QFile junk(path("junk.jpg"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is not a photo");
    junk.close();
    EXPECT_THROW(box.LoadFromFile(path("junk.jpg")), EngineError);
    EXPECT_THROW(box.LoadFromFile(path("missing.png")), EngineError);
    EXPECT_FALSE(box.HasImage());
}

TEST_P(EngineFiles, ATruncatedPhotoStillOpensAtItsFullSize)
{
    ImageBox writer;
    writer.SetBitmapHandle(gradientPicture(300, 200));
    writer.SaveToFile(path("whole.jpg"));
    QFile whole(path("whole.jpg"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QFile cut(path("cut.jpg"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.read(whole.size() / 2));
    cut.close();
    box.LoadFromFile(path("cut.jpg"));
    box.Negative();
    box.SaveToFile(path("cut-out.png"));
    EXPECT_EQ(identify(path("cut-out.png")), QStringLiteral("300x200"));
}

TEST_P(EngineFiles, GreyAndAlphaImagesBecomeSrgbWithTheirLoadDepth)
{
    ASSERT_EQ(runTool(QStringLiteral("convert"), {QStringLiteral("-size"), QStringLiteral("16x8"),
                                                  QStringLiteral("gradient:"), path("grey.png")})
                  .exitCode,
              0);
    box.LoadFromFile(path("grey.png"));
    EXPECT_EQ(box.ImageDepth(), 8);
    EXPECT_EQ(box.Picture().bands(), 3);
    const Rgb top = box.Picture().rgbAt(0, 0);
    EXPECT_TRUE(top.r == top.g && top.g == top.b);

    Picture withAlpha(2, 2, 4, QByteArray(16, '\x40'));
    writePng(withAlpha, path("alpha.png"));
    box.LoadFromFile(path("alpha.png"));
    EXPECT_EQ(box.ImageDepth(), 32);
    EXPECT_EQ(box.Picture(), withAlpha);
}

TEST_P(EngineFiles, TiffPagesAreReadByNumber)
{
    writePng(Picture::filled(8, 8, Rgb{255, 0, 0}), path("p1.png"));
    writePng(Picture::filled(12, 6, Rgb{0, 0, 255}), path("p2.png"));
    ASSERT_EQ(runTool(QStringLiteral("convert"), {path("p1.png"), path("p2.png"), path("two.tif")}).exitCode, 0);
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

TEST_P(EngineFiles, SnapshotsRoundTripExactly)
{
    loadThroughFile(gradientPicture(50, 30));
    box.Rotate(17);
    const QByteArray snapshot = box.SaveToMemory(ImageBox::SnapshotFormat);
    const Picture before = box.Picture();
    const int depth = box.ImageDepth();

    box.Negative();
    box.Crop(0, 0, 5, 5);
    box.LoadFromMemory(ImageBox::SnapshotFormat, snapshot);
    EXPECT_EQ(box.Picture(), before);
    EXPECT_EQ(box.ImageDepth(), depth);

    ImageBox other(ImageBox::Mode::View);
    other.LoadFromMemory(ImageBox::SnapshotFormat, snapshot);
    EXPECT_EQ(other.Picture(), before);
    EXPECT_EQ(other.SaveToMemory(ImageBox::SnapshotFormat), snapshot);

    EXPECT_THROW(box.LoadFromMemory(ImageBox::SnapshotFormat, QByteArray("garbage")), EngineError);
    EXPECT_THROW(box.LoadFromMemory(ImageBox::SnapshotFormat, snapshot.left(snapshot.size() / 2)), EngineError);
    EXPECT_EQ(box.Picture(), before) << "a failed restore keeps the image";
}

TEST_P(EngineFiles, SnapshotsKeepExifMetadata)
{
    ASSERT_EQ(runTool(QStringLiteral("convert"), {QStringLiteral("-size"), QStringLiteral("20x10"),
                                                  QStringLiteral("xc:orange"), path("plain.jpg")})
                  .exitCode,
              0);
    ASSERT_EQ(runTool(QStringLiteral("exiftool"), {QStringLiteral("-q"), QStringLiteral("-overwrite_original"),
                                                   QStringLiteral("-Artist=Snapshot Tester"), path("plain.jpg")})
                  .exitCode,
              0);
    box.LoadFromFile(path("plain.jpg"));
    const QByteArray snapshot = box.SaveToMemory(ImageBox::SnapshotFormat);
    box.ClearImage();
    box.LoadFromMemory(ImageBox::SnapshotFormat, snapshot);
    box.SaveToFile(path("again.jpg"));
    EXPECT_EQ(runTool(QStringLiteral("exiftool"), {QStringLiteral("-s3"), QStringLiteral("-Artist"), path("again.jpg")})
                  .out.trimmed(),
              QStringLiteral("Snapshot Tester"));
}

TEST_P(EngineFiles, PicturesGoInAndOutAsCopies)
{
    Picture picture = gradientPicture(9, 7);
    box.SetBitmapHandle(picture);
    picture.setPixel(0, 0, Rgb{1, 2, 3});
    EXPECT_NE(box.PixelColor(0, 0), ole(1, 2, 3));
    EXPECT_EQ(box.ImageDepth(), 24);
    const Picture out = box.Picture();
    EXPECT_EQ(out.width(), 9);
    EXPECT_EQ(out.rgbAt(8, 6), gradientPicture(9, 7).rgbAt(8, 6));
    EXPECT_THROW(box.SetBitmapHandle(Picture()), EngineError);
}

TEST(ViewGeometry, FitsIntoTheBoxWithoutEnlarging)
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

TEST(ViewGeometry, EngineReportsItsViewOfTheImage)
{
    ImageBox box;
    EXPECT_FALSE(box.StretchToFit());
    EXPECT_EQ(box.Zoom(), 100);
    box.SetBitmapHandle(gradientPicture(640, 480));
    EXPECT_EQ(box.ViewWidth(), 640);
    box.SetZoom(50);
    EXPECT_EQ(box.ViewHeight(), 240);
    box.SetWidth(320);
    box.SetHeight(320);
    box.SetStretchToFit(true);
    EXPECT_EQ(box.ViewWidth(), 320);
    EXPECT_EQ(box.ViewHeight(), 240);
}

}  // namespace
