// The engine's files: reading the formats it knows, writing all or nothing (checked by
// ImageMagick), PNG files whose chunks claim more than the file holds, pictures and the view
// geometry. Snapshots: MetadataWrites.SnapshotsRestoreTheImageAndItsMetadataExactly.

#include "PictureChecks.h"

#include "engine/EngineError.h"
#include "engine/PngChunkCheck.h"
#include "engine/ViewGeometry.h"
#include "imageio/LoadPic.h"
#include "support/EngineFixtures.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"
#include "support/Oracles.h"

#include <QFile>

#include <tuple>

using namespace lumora;
using namespace lumora::test;

namespace {

class EngineFiles : public EngineModes {};
LUMORA_BOTH_ENGINE_MODES(EngineFiles);

TEST_P(EngineFiles, WritesAreAllOrNothingAndMayReplaceTheSourceFile)
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
    ImageBox reader;
    reader.LoadFromFile(path("same.png"));
    EXPECT_EQ(findColour(reader.Picture(), Rgb{255, 0, 0}), (Point{26, 4}));
}

TEST_P(EngineFiles, BrokenFilesFailWithAnEngineErrorATruncatedPhotoOpensAtItsFullSize)
{
    writeBytes(path("junk.jpg"), "this is not a photo");
    EXPECT_THROW(box.LoadFromFile(path("junk.jpg")), EngineError);
    EXPECT_THROW(box.LoadFromFile(path("missing.png")), EngineError);
    EXPECT_FALSE(box.HasImage());

    box.SetBitmapHandle(gradientPicture(300, 200));
    box.SaveToFile(path("whole.jpg"));
    const QByteArray whole = readBytes(path("whole.jpg"));
    writeBytes(path("cut.jpg"), whole.left(whole.size() / 2));
    box.LoadFromFile(path("cut.jpg"));
    box.Negative();
    box.SaveToFile(path("cut-out.png"));
    EXPECT_EQ(identify(path("cut-out.png")), "300x200");
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
TEST_P(EngineFiles, GreyPaletteAndAlphaImagesBecomeSrgbWithTheirLoadDepth)
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

    const Picture four = painted(8, 4, [](int x, int y) { return Rgb{std::uint8_t(x < 4 ? 255 : 0), 0, std::uint8_t(y * 80)}; });
    box.SetBitmapHandle(four);
    box.SaveToFile(path("four.gif"));
    ImageBox reader(GetParam());
    reader.LoadFromFile(path("four.gif"));
    EXPECT_EQ(reader.ImageDepth(), 8);
    EXPECT_EQ(reader.Picture(), four);
}

TEST_P(EngineFiles, TiffPagesAreReadByNumber)
{
    writePng(Picture::filled(8, 8, Rgb{255, 0, 0}), path("p1.png"));
    writePng(Picture::filled(12, 6, Rgb{0, 0, 255}), path("p2.png"));
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

TEST_P(EngineFiles, PicturesGoInAndOutAsCopies)
{
    Picture picture = gradientPicture(9, 7);
    box.SetBitmapHandle(picture);
    picture.setPixel(0, 0, Rgb{1, 2, 3});
    EXPECT_EQ(box.ImageDepth(), 24);
    EXPECT_EQ(box.Picture(), gradientPicture(9, 7));
    EXPECT_THROW(box.SetBitmapHandle(Picture()), EngineError);
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

}  // namespace
