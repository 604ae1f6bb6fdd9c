// Broken files of every kind the loader meets: each gives nothing (or, where a decoder repairs a
// truncated photo, a picture of the photo's own size), never a crash, a hang, a huge
// allocation or an error report. The corpus is made here from small valid files.

#include "imageio/LoadPic.h"

#include "LoadPicSamples.h"
#include "support/FileBytes.h"
#include "support/ReportCapture.h"
#include "support/TestImages.h"

#include <QSize>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

using namespace lumora;
using namespace lumora::test;

namespace {

class BrokenFilesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ReportCapture reports;

    QString write(const QString& name, const QByteArray& bytes) { return writeBytes(dir.filePath(name), bytes); }

    // Small valid 48 x 32 files of the common formats, by extension, made by ImageMagick.
    std::vector<std::pair<QString, QByteArray>> validSamples()
    {
        std::vector<std::pair<QString, QByteArray>> samples;
        for (const char* format : {"JPG", "PNG", "TIFF", "GIF", "BMP3"})
            samples.emplace_back(QString(format).left(3).toLower(),
                                 samples::encoded(gradientPicture(48, 32), format, dir.path()));
        return samples;
    }

    // Loads in the natural size and as a thumbnail; the pictures that came back.
    std::vector<Picture> loadBothWays(const QString& path) { return {LoadPic(path), LoadPic(path, FixedBox, 40, 40)}; }

    void TearDown() override { EXPECT_TRUE(reports.reports().empty()) << "a broken file was reported"; }
};

TEST_F(BrokenFilesTest, TruncatedFilesGiveNothingOrTheRepairedPhoto)
{
    for (const auto& [extension, bytes] : validSamples()) {
        // The corpus is only as good as its sources.
        const Picture whole = LoadPic(write("valid." + extension, bytes));
        ASSERT_EQ(QSize(whole.width(), whole.height()), QSize(48, 32)) << extension.toStdString();
        // From an empty file through the header to one byte short of the whole.
        const qsizetype size = bytes.size();
        for (const qsizetype length : std::set<qsizetype>{0, 1, 8, 16, 32, 64, size / 4, size / 2, size * 3 / 4, size - 1}) {
            const QString name = QStringLiteral("cut%1.%2").arg(length).arg(extension);
            SCOPED_TRACE(name.toStdString());
            const std::vector<Picture> pictures = loadBothWays(write(name, bytes.left(length)));
            if (length <= 16) {
                EXPECT_TRUE(pictures[0].isNull()) << "only part of the header is there";
            }
            if (!pictures[0].isNull()) {
                EXPECT_EQ(QSize(pictures[0].width(), pictures[0].height()), QSize(48, 32));
            }
            if (!pictures[1].isNull()) {
                EXPECT_EQ(pictures[1].width(), 40);
            }
        }
    }
}

TEST_F(BrokenFilesTest, BitFlippedHeadersGiveNothingOrAPicture)
{
    for (const auto& [extension, valid] : validSamples()) {
        for (int offset = 0; offset < 32 && offset < valid.size(); offset += 2) {
            QByteArray bytes = valid;
            bytes[offset] = static_cast<char>(bytes[offset] ^ (1 << (offset % 8)));
            const QString name = QStringLiteral("flip%1.%2").arg(offset).arg(extension);
            for (const Picture& picture : loadBothWays(write(name, bytes)))
                EXPECT_TRUE(picture.isNull() || qint64(picture.width()) * picture.height() <= MaxLoadPixels)
                    << name.toStdString();
        }
    }
}

TEST_F(BrokenFilesTest, EmptyFilesAndTextNamedAsAPhotoGiveNothing)
{
    for (const char* extension : {"jpg", "png", "tif", "gif", "bmp", "pgm", "pix", "jp2", "wmf", "emf", "xyz"}) {
        for (const Picture& picture : loadBothWays(write(QStringLiteral("empty.%1").arg(extension), {})))
            EXPECT_TRUE(picture.isNull()) << extension;
    }
    // Text is known for what it is before any road is tried.
    for (const Picture& picture : loadBothWays(write("readme.jpg", "This is not a photo.\nJust some text.\n")))
        EXPECT_TRUE(picture.isNull());
    EXPECT_TRUE(LastLoadPicRoads().empty());
}

TEST_F(BrokenFilesTest, HugeClaimedSizesAreRefusedBeforeDecoding)
{
    // 10 gigapixels in a file of a hundred bytes: every road reads the size before any pixel.
    for (const Picture& picture : loadBothWays(write("huge.png", samples::pngHeader(100000, 100000))))
        EXPECT_TRUE(picture.isNull());
    EXPECT_EQ(LastLoadPicRoads(), (std::vector<LoadRoad>{LoadRoad::LibVips, LoadRoad::FreeImage}));

    // Just above the limit, and under a name that sends it to FreeImage without libvips.
    EXPECT_TRUE(LoadPic(write("tall.png", samples::pngHeader(10, 25'000'001))).isNull());
    EXPECT_TRUE(LoadPic(write("huge.pgm", "P5\n100000 100000\n255\n" + QByteArray(64, 'x'))).isNull());
}

TEST_F(BrokenFilesTest, TiffPageChainsEndWithoutAHang)
{
    // Ten thousand pages, and a chain whose last page points back at the first.
    for (const auto& [name, bytes] : {std::pair{"pages.tif", samples::tiffChain(10000, false)},
                                      std::pair{"loop.tif", samples::tiffChain(3, true)}}) {
        for (const Picture& picture : loadBothWays(write(name, bytes)))
            EXPECT_TRUE(picture.isNull() || picture.width() == 8 || picture.width() == 40) << name;
    }
}

}  // namespace
