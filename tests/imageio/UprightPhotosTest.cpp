// Photos turned upright by their EXIF orientation as they are read, judged against ImageMagick's
// -auto-orient of the same file and exiftool; read as stored when that is switched off.

#include "browse/FolderListing.h"
#include "cli/LumoraBatch.h"
#include "core/UprightPhotos.h"
#include "edit/PreviewReading.h"
#include "engine/ImageBox.h"
#include "imageio/LoadPic.h"
#include "imageio/clsImageHeaderInfo.h"
#include "metadata/MetadataFiles.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>

#include <array>
#include <cstdlib>

using namespace lumora;
using namespace lumora::test;

namespace {

// The colours at the centres of a picture's quadrants: top left, top right, bottom left, bottom right.
std::array<Rgb, 4> quadrants(const Picture& p)
{
    const int w = p.width();
    const int h = p.height();
    return {p.rgbAt(w / 4, h / 4), p.rgbAt(3 * w / 4, h / 4), p.rgbAt(w / 4, 3 * h / 4), p.rgbAt(3 * w / 4, 3 * h / 4)};
}

bool sameQuadrants(const Picture& a, const Picture& b)
{
    const auto qa = quadrants(a);
    const auto qb = quadrants(b);
    for (int i = 0; i < 4; ++i)
        if (std::abs(qa[i].r - qb[i].r) > 40 || std::abs(qa[i].g - qb[i].g) > 40 || std::abs(qa[i].b - qb[i].b) > 40)
            return false;
    return true;
}

QSize sizeOf(const Picture& p) { return QSize(p.width(), p.height()); }

class UprightPhotosTest : public ::testing::Test {
protected:
    void TearDown() override { UprightPhotos::setEnabled(true); }

    QString path(const QString& name) const { return dir.filePath(name); }

    // A 96 x 64 JPEG of four coloured quadrants (red, green / blue, white, as stored) made by
    // ImageMagick, with the EXIF Orientation set by exiftool (0: none).
    QString photo(int orientation)
    {
        const QString file = path(QStringLiteral("o%1.jpg").arg(orientation));
        const QStringList quadrants{"-size", "48x32", "xc:red", "xc:lime", "+append", "(", "-size", "48x32",
                                    "xc:blue", "xc:white", "+append", ")", "-append", "-quality", "95", file};
        EXPECT_EQ(runTool("convert", quadrants).exitCode, 0);
        if (orientation > 0)
            exiftoolWrite(file, {QStringLiteral("-Orientation#=%1").arg(orientation)});
        return file;
    }

    // The photo as ImageMagick turns it upright, read back from a PNG.
    Picture oracle(const QString& file)
    {
        const QString png = file + QStringLiteral(".upright.png");
        EXPECT_EQ(runTool("convert", {file, "-auto-orient", png}).exitCode, 0);
        return LoadPic(png);
    }

    // What the batch writes for the photo, through the engine.
    QString batchOutput(const QString& file, const QString& name)
    {
        ImageBox engine(ImageBox::Mode::Batch);
        engine.LoadFromFile(file);
        engine.SaveToFile(path(name));
        return path(name);
    }

    QTemporaryDir dir;
};

// Every orientation, the mirrored ones too, reads as the upright picture everywhere a photo is
// read: the batch's output (which says Orientation 1), the preview, the thumbnail with the size
// the basket shows, and the folder list's header size.
TEST_F(UprightPhotosTest, EveryOrientationReadsUprightEverywhere)
{
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const QString file = photo(orientation);
        const Picture upright = oracle(file);
        ASSERT_FALSE(upright.isNull());
        const QSize size = sizeOf(upright);
        EXPECT_EQ(size, orientation >= 5 ? QSize(64, 96) : QSize(96, 64));

        for (const QString& extension : {QStringLiteral("jpg"), QStringLiteral("tif")}) {
            const QString written = batchOutput(file, QStringLiteral("out%1.%2").arg(orientation).arg(extension));
            EXPECT_EQ(identify(written), QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
            EXPECT_EQ(exiftoolValue(written, QStringLiteral("IFD0:Orientation"), true), QStringLiteral("1"));
            EXPECT_TRUE(sameQuadrants(LoadPic(written), upright)) << extension.toStdString();
        }

        const std::unique_ptr<ImageBox> preview = ReadForPreview(file);
        ASSERT_TRUE(preview);
        EXPECT_EQ(sizeOf(preview->Picture()), size);
        EXPECT_TRUE(sameQuadrants(preview->Picture(), upright));

        int sourceWidth = 0;
        int sourceHeight = 0;
        std::uint32_t white = 0xFFFFFF;
        const Picture thumbnail = LoadPic(file, ShrinkToFit, 48, 48, white, sourceWidth, sourceHeight);
        EXPECT_EQ(QSize(sourceWidth, sourceHeight), size);
        EXPECT_EQ(sizeOf(thumbnail), size.scaled(48, 48, Qt::KeepAspectRatio));
        EXPECT_TRUE(sameQuadrants(thumbnail, upright));

        clsImageHeaderInfo header;
        header.ReadJPEG_TIFF_PNG_Header(file);
        EXPECT_EQ(header.Orientation(), orientation);
        EXPECT_TRUE(FolderListing::headerResolution(file).startsWith(
            QStringLiteral("%1 X %2 X").arg(size.width()).arg(size.height())));
    }
}

// Switched off, a photo reads as stored: pixels and output as those of the same photo without its
// Orientation tag, which the output keeps. A photo standing upright already is written byte for
// byte the same either way.
TEST_F(UprightPhotosTest, SwitchedOffReadsAsStored)
{
    const QString turned = photo(6);
    const QString bare = photo(0);
    const QString upright = path(QStringLiteral("o1.jpg"));
    ASSERT_TRUE(QFile::copy(turned, upright));
    exiftoolWrite(upright, {QStringLiteral("-Orientation#=1")});
    const QByteArray uprightOn = readBytes(batchOutput(upright, QStringLiteral("on1.jpg")));

    UprightPhotos::setEnabled(false);
    EXPECT_EQ(readBytes(batchOutput(upright, QStringLiteral("off1.jpg"))), uprightOn);

    int width = 0;
    int height = 0;
    std::uint32_t white = 0xFFFFFF;
    const Picture asStored = LoadPic(bare, ShrinkToFit, 48, 48, white, width, height);
    EXPECT_EQ(LoadPic(turned, ShrinkToFit, 48, 48, white, width, height), asStored);
    EXPECT_EQ(QSize(width, height), QSize(96, 64));
    EXPECT_EQ(ReadForPreview(turned)->Picture(), ReadForPreview(bare)->Picture());
    EXPECT_TRUE(FolderListing::headerResolution(turned).startsWith(QStringLiteral("96 X 64 X")));

    const QString written = batchOutput(turned, QStringLiteral("off6.jpg"));
    EXPECT_EQ(imageDataOf(written), imageDataOf(batchOutput(bare, QStringLiteral("off0.jpg"))));
    EXPECT_EQ(exiftoolValue(written, QStringLiteral("IFD0:Orientation"), true), QStringLiteral("6"));
}

// lumora-batch turns photos upright unless told --no-auto-orient, in every command that writes
// pictures; the flag may stand anywhere among the options.
TEST_F(UprightPhotosTest, BatchCommandsTakeTheSwitch)
{
    const QString file = photo(6);
    for (const char* folder : {"on", "off", "last"})
        QDir(dir.path()).mkdir(QString::fromLatin1(folder));
    struct Case {
        QStringList arguments;
        QString output;
        QString size;
        QString orientation;
    };
    const Case cases[] = {
        {{"convert", "--dest", path("on"), file}, path("on/o6.jpg"), "64x96", "1"},
        {{"convert", "--no-auto-orient", "--dest", path("off"), file}, path("off/o6.jpg"), "96x64", "6"},
        {{"convert", "--dest", path("last"), "--no-auto-orient", "--auto-orient", file}, path("last/o6.jpg"), "64x96", "1"},
        {{"save", "--format", "tif", file, path("on.tif")}, path("on.tif"), "64x96", "1"},
        {{"save", "--no-auto-orient", "--format", "tif", file, path("off.tif")}, path("off.tif"), "96x64", "6"},
        {{"thumb", "--mode", "0", file, path("thumb.png")}, path("thumb.png"), "64x96", ""},
        {{"thumb", "--no-auto-orient", "--mode", "0", file, path("flat.png")}, path("flat.png"), "96x64", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const ToolResult run = lumoraBatch(c.arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(identify(c.output), c.size);
        EXPECT_EQ(exiftoolValue(c.output, QStringLiteral("IFD0:Orientation"), true), c.orientation);
    }
}

}  // namespace
