// The universal loader: which road each kind of file takes, what each road gives, broken files of
// every kind (a corpus made here from small valid files), the error rules, containment of the
// decoder helper, and loads running side by side.

#include "imageio/LoadPic.h"

#include "LoadPicSamples.h"
#include "core/LumoraError.h"
#include "engine/ImageBox.h"
#include "imageio/DecoderProcess.h"
#include "imageio/LoadPicErrorRules.h"
#include "imageio/PictureRendering.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/ReportCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TestImages.h"

#include <QCoreApplication>
#include <QDir>
#include <QSize>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <set>
#include <thread>
#include <vector>

using namespace lumora;
using namespace lumora::test;

namespace {


using Roads = std::vector<LoadRoad>;

QSize sizeOf(const Picture& p) { return {p.width(), p.height()}; }

// A load with the source size it reported (-7 x -7 when none) and the roads it took.
struct Load {
    Picture picture;
    QSize source;
    Roads roads;
};

Load load(const QString& path, int mode = NaturalSize, int width = -1, int height = -1)
{
    std::uint32_t back = 0xFFFFFF;
    int sourceWidth = -7;
    int sourceHeight = -7;
    const Picture picture = LoadPic(path, mode, width, height, back, sourceWidth, sourceHeight);
    return {picture, QSize(sourceWidth, sourceHeight), LastLoadPicRoads()};
}

// A picture whose pixel (x, y) is black where black(x, y), else white.
Picture blackWhere(int width, int height, bool (*black)(int x, int y))
{
    Picture p = Picture::filled(width, height, kWhite);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (black(x, y))
                p.setPixel(x, y, Rgb{0, 0, 0});
    return p;
}

class LoadPicTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ReportCapture reports;

    QString write(const QString& name, const QByteArray& bytes) { return writeBytes(dir.filePath(name), bytes); }
    // While the returned object lives, LoadPic starts a helper that runs this shell script.
    std::unique_ptr<ScopedEnvironment> helperScript(const QString& name, const QByteArray& body)
    {
        const QString path = write(name, "#!/bin/sh\n" + body + "\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return std::make_unique<ScopedEnvironment>("LUMORA_DECODER", QFile::encodeName(path));
    }
    // Loads in the natural size and as a thumbnail; the pictures that came back.
    std::vector<Picture> loadBothWays(const QString& path) { return {LoadPic(path), LoadPic(path, FixedBox, 40, 40)}; }
    void TearDown() override
    {
        EXPECT_TRUE(reports.reports().empty()) << "unexpected error report";
        // No conversion file of this process is left in the temporary folder.
        const QString pattern = QStringLiteral("lumora-4546643-%1-*").arg(QCoreApplication::applicationPid());
        const QStringList left = QDir::temp().entryList({pattern}, QDir::Files);
        EXPECT_TRUE(left.isEmpty()) << left.join(u' ').toStdString();
    }
};

// --- the roads -------------------------------------------------------------------------------

TEST_F(LoadPicTest, EachKindOfFileTakesItsRoadAndGivesItsPicture)
{
    const Picture source = gradientPicture(13, 9);
    Picture grey = source;  // the red channel as grey
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 13; ++x)
            grey.setPixel(x, y, Rgb{source.rgbAt(x, y).r, source.rgbAt(x, y).r, source.rgbAt(x, y).r});
    const auto checker = [](int x, int y) { return (x + y) % 2 == 0; };
    const QByteArray jp2 = samples::encoded(source, "JP2", dir.path());
    ASSERT_FALSE(jp2.isEmpty()) << "opj_compress is needed";
    const QSize unreported(-7, -7);  // the caller's values stay: only the libvips road reports the size
    // Found by fuzzing: an indexed PSD on which FreeImage copies a negative number of bytes. The
    // fuzzer's seed keeps it behind the byte that picks its extension.
    const QByteArray psd = readBytes(LUMORA_SOURCE_DIR "/tests/fuzz/corpus/loadpic/freeimage-psd-crash").mid(1);
    ASSERT_GT(psd.size(), 25);

    const struct {
        const char* name;
        QByteArray bytes;
        Roads roads;
        Picture picture;  // null: none
        QSize source;
    } cases[] = {
        {"photo.png", readBytes(writePng(source, dir.filePath("source.png"))), {LoadRoad::LibVips}, source, {13, 9}},
        // A file-size field far beyond the file, as some writers leave it: libvips (through
        // ImageMagick) refuses the file, FreeImage reads the pixels.
        {"damaged.bmp", samples::encoded(source, "BMP3", dir.path()).replace(2, 4, samples::le32(0x7FFFFFFF)),
         {LoadRoad::LibVips, LoadRoad::FreeImage}, source, unreported},
        // A C64 Koala picture named .png: FreeImage knows it by its content, so it never reaches
        // libvips. It decodes as a 4-bit image, which the FreeImage road makes 8-bit.
        {"c64.png", samples::koala(), {LoadRoad::FreeImage}, blackWhere(320, 200, [](int, int y) { return y >= 96; }),
         unreported},
        // Portable maps FreeImage recognises never reach DevIL; a 1-bit one is made 24-bit.
        {"grey.pgm", samples::encoded(grey, "PGM", dir.path()), {LoadRoad::FreeImage}, grey, unreported},
        {"bits.pbm", samples::encoded(blackWhere(11, 3, checker), "PBM", dir.path()), {LoadRoad::FreeImage},
         blackWhere(11, 3, checker), unreported},
        // DevIL is asked about content FreeImage does not recognise; libvips renders its
        // conversion file.
        {"odd.pgm", "P9 not a portable map\n", {LoadRoad::Devil}, {}, unreported},
        {"render.pix", samples::pix(source), {LoadRoad::Devil}, source, {13, 9}},
        // FreeImage decodes an ordinary JP2 file itself; the long form of the signature box hides
        // it from FreeImage, and OpenJPEG decodes it.
        {"plain.jp2", jp2, {LoadRoad::FreeImage}, source, unreported},
        {"long.jp2", samples::withLongSignatureBox(jp2), {LoadRoad::Jpeg2000}, source, unreported},
        // A metafile the converters cannot read falls to FreeImage, which has no reader either.
        {"broken.wmf", samples::placeableWmf(100, 80, 1, 1, 9, 9, kRed).left(30),
         {LoadRoad::Metafile, LoadRoad::FreeImage}, {}, unreported},
        {"crash.psd", psd, {LoadRoad::FreeImage}, {}, unreported},
        {"notes.xyz", QByteArray(500, 'q'), {}, {}, unreported},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = write(c.name, c.bytes);
        const Load natural = load(path);
        EXPECT_EQ(natural.roads, c.roads);
        EXPECT_EQ(maxDifference(natural.picture, c.picture), 0);
        EXPECT_EQ(natural.source, c.source);
        // Thumbnails are exactly the box; pictures that fit are given as they are.
        if (!c.picture.isNull()) {
            EXPECT_EQ(sizeOf(load(path, FixedBox, 30, 30).picture), QSize(30, 30));
            EXPECT_EQ(maxDifference(load(path, ShrinkToFit, 400, 400).picture, c.picture), 0);
        }
    }
    EXPECT_TRUE(load(dir.filePath("missing.png")).picture.isNull());
    EXPECT_TRUE(load(dir.path()).picture.isNull());
}

// The 8-bit RGB pixels a tool decodes a file to: its command writes them raw to `raw`.
Picture decodedBy(const QStringList& command, const QString& raw, QSize size)
{
    const ToolResult made = runTool(command.first(), command.mid(1));
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    const QByteArray bytes = readBytes(raw);
    if (bytes.size() != qsizetype{size.width()} * size.height() * 3)
        return {};
    return Picture(size.width(), size.height(), 3, bytes);
}

TEST_F(LoadPicTest, SixteenBitGreyFilesLoadInEightBits)
{
    // ImageMagick rounds each sample to the nearest of 255 steps, Lumora keeps its high byte, as
    // the engine does for the files it reads itself: the two differ by at most one.
    const QString pgm = samples::magick("-size 48x32 gradient:black-white -depth 16 grey.pgm", dir.path());
    for (const char* name : {"grey.pgm", "grey.tif", "grey.psd", "grey.jp2"}) {
        SCOPED_TRACE(name);
        const QString file = samples::magick(QStringLiteral("%1 -depth 16 %2").arg(pgm, name), dir.path());
        ASSERT_EQ(identify(file + "[0]", "%z %[channels]").toStdString(), "16 gray");
        const QString raw = dir.filePath("oracle.rgb");
        const Picture expected = decodedBy({"convert", file + "[0]", "-depth", "8", "rgb:" + raw}, raw, {48, 32});
        ASSERT_FALSE(expected.isNull());
        EXPECT_LE(maxDifference(LoadPic(file), expected), 1);
        EXPECT_EQ(sizeOf(load(file, FixedBox, 20, 20).picture), QSize(20, 20));
    }
}

// The libvips modules for these are opened only when such a photo is met, by its content: a
// HEIC photo named .jpg opens too. The engine, which reads them itself in a batch, sees the same
// pixels.
TEST_F(LoadPicTest, HeifAvifAndJpegXlPhotosOpenAsLibvipsDecodesThem)
{
    const QString source = writePng(gradientPicture(40, 24), dir.filePath("source.png"));
    const struct {
        const char* name;
        QStringList encode;  // vips's arguments after the source; its output comes first
    } cases[] = {
        {"photo.heic", {"heifsave", "photo.heic", "--compression", "hevc"}},
        {"photo.avif", {"heifsave", "photo.avif", "--compression", "av1"}},
        {"photo.jxl", {"jxlsave", "photo.jxl"}},
        {"phone.jpg", {"heifsave", "phone.heic", "--compression", "hevc"}},
    };
    QStringList unwritable;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList arguments = c.encode;
        arguments.insert(1, source);
        arguments[2] = dir.filePath(arguments[2]);
        const ToolResult encoded = runTool("vips", arguments);
        if (encoded.exitCode != 0) {
            unwritable << c.name;
            continue;
        }
        const QString file = dir.filePath(c.name);
        if (file != arguments[2]) {
            ASSERT_TRUE(QFile::rename(arguments[2], file));
        }
        const QString raw = dir.filePath("oracle.raw");
        const Picture expected = decodedBy({"vips", "colourspace", file, raw, "srgb"}, raw, {40, 24});
        const Load natural = load(file);
        EXPECT_EQ(natural.roads, Roads{LoadRoad::LibVips});
        EXPECT_EQ(natural.source, QSize(40, 24));
        EXPECT_LE(maxDifference(natural.picture, expected), 1);
        ImageBox engine;
        engine.LoadFromFile(file);
        EXPECT_LE(maxDifference(engine.Picture(), expected), 1);
    }
    if (!unwritable.isEmpty())
        GTEST_SKIP() << "vips here has no encoder for " << unwritable.join(", ").toStdString();
}

// Placement in the box on the libvips road: PictureRenderingTest.
TEST_F(LoadPicTest, AJpeg2000ThumbnailComesFromAReducedLevelPlacedAsTheWholeImageWouldBe)
{
    const Picture source = gradientPicture(64, 48);
    const QString jp2 = write("long.jp2", samples::withLongSignatureBox(samples::encoded(source, "JP2", dir.path())));
    const Load small = load(jp2, FixedBox, 16, 16);
    EXPECT_EQ(small.roads, Roads{LoadRoad::Jpeg2000});
    EXPECT_LE(maxDifference(small.picture, ResizePicture(source, FixedBox, 16, 16, 0xFFFFFF)), 24);
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(small.picture.rgbAt(x, 1), kWhite);  // drawn 16 x 12 at y = 2
        EXPECT_EQ(small.picture.rgbAt(x, 14), kWhite);
    }
    EXPECT_EQ(sizeOf(load(jp2, ShrinkToFit, 20, 20).picture), QSize(20, 15));
}

TEST_F(LoadPicTest, MetafilesAreDrawnOnTheBackground)
{
    // Colours no name stands for, drawn exactly.
    const Rgb blue{37, 99, 141};
    const Rgb green{30, 200, 70};
    const QString wmf = write("chart.wmf", samples::placeableWmf(100, 80, 10, 20, 80, 60, blue));
    const QString emf = write("chart.emf", samples::emf(100, 80, 10, 20, 80, 60, green));
    for (const auto& [file, fill] : {std::pair{wmf, blue}, std::pair{emf, green}}) {
        SCOPED_TRACE(file.toStdString());
        const Load natural = load(file);
        EXPECT_EQ(natural.roads, Roads{LoadRoad::Metafile});
        EXPECT_EQ(natural.source, QSize(100, 80));
        ASSERT_EQ(sizeOf(natural.picture), QSize(100, 80));
        EXPECT_EQ(natural.picture.rgbAt(45, 40), fill);
        EXPECT_EQ(natural.picture.rgbAt(5, 5), kWhite);
        EXPECT_EQ(natural.picture.rgbAt(90, 70), kWhite);
        EXPECT_LT(natural.picture.rgbAt(10, 40).r, 128) << "the default black pen outlines the rectangle";

        const Picture boxed = load(file, FixedBox, 50, 50).picture;
        ASSERT_EQ(sizeOf(boxed), QSize(50, 50));
        EXPECT_EQ(boxed.rgbAt(22, 25), fill);  // drawn 50 x 40 at y = 5
        EXPECT_EQ(boxed.rgbAt(22, 2), kWhite);
    }
    const Rgb pink{200, 40, 120};
    const Picture outlined = LoadPic(write("pen.wmf", samples::placeableWmf(100, 80, 10, 20, 80, 60, blue, pink)));
    EXPECT_EQ(outlined.rgbAt(10, 40), pink);
    EXPECT_EQ(outlined.rgbAt(45, 40), blue);
}

// --- broken files -----------------------------------------------------------------------------
// Each gives nothing (or, where a decoder repairs a truncated photo, a picture of the photo's own
// size), never a crash, a hang, a huge allocation or an error report.

TEST_F(LoadPicTest, TruncatedAndBitFlippedFilesGiveNothingOrAPicture)
{
    // Small valid files of the common formats, made by ImageMagick.
    for (const char* format : {"JPG", "PNG", "TIFF", "GIF", "BMP3"}) {
        const QString extension = QString(format).left(3).toLower();
        const QByteArray bytes = samples::encoded(gradientPicture(48, 32), format, dir.path());
        // The corpus is only as good as its sources.
        ASSERT_EQ(sizeOf(LoadPic(write("valid." + extension, bytes))), QSize(48, 32)) << format;
        // Cut from an empty file through the header to one byte short of the whole.
        const qsizetype n = bytes.size();
        for (const qsizetype length : std::set<qsizetype>{0, 1, 8, 16, 32, 64, n / 4, n / 2, n * 3 / 4, n - 1}) {
            const QString name = QStringLiteral("cut%1.%2").arg(length).arg(extension);
            SCOPED_TRACE(name.toStdString());
            const std::vector<Picture> pictures = loadBothWays(write(name, bytes.left(length)));
            if (length <= 16) {
                EXPECT_TRUE(pictures[0].isNull()) << "only part of the header is there";
            }
            if (!pictures[0].isNull()) {
                EXPECT_EQ(sizeOf(pictures[0]), QSize(48, 32));
            }
            if (!pictures[1].isNull()) {
                EXPECT_EQ(pictures[1].width(), 40);
            }
        }
        // A bit flipped in each even byte of the first 32.
        for (int offset = 0; offset < 32; offset += 2) {
            QByteArray flipped = bytes;
            flipped[offset] = static_cast<char>(flipped[offset] ^ (1 << (offset % 8)));
            const QString name = QStringLiteral("flip%1.%2").arg(offset).arg(extension);
            for (const Picture& picture : loadBothWays(write(name, flipped)))
                EXPECT_TRUE(picture.isNull() || qint64(picture.width()) * picture.height() <= MaxLoadPixels)
                    << name.toStdString();
        }
    }
}

TEST_F(LoadPicTest, EmptyFilesAndTextNamedAsAPhotoGiveNothing)
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

TEST_F(LoadPicTest, HugeClaimedSizesAreRefusedBeforeDecoding)
{
    // 10 gigapixels in a file of a hundred bytes: every road reads the size before any pixel.
    for (const Picture& picture : loadBothWays(write("huge.png", samples::pngHeader(100000, 100000))))
        EXPECT_TRUE(picture.isNull());
    EXPECT_EQ(LastLoadPicRoads(), (std::vector<LoadRoad>{LoadRoad::LibVips, LoadRoad::FreeImage}));

    // Just above the limit, and under a name that sends it to FreeImage without libvips.
    EXPECT_TRUE(LoadPic(write("tall.png", samples::pngHeader(10, 25'000'001))).isNull());
    EXPECT_TRUE(LoadPic(write("huge.pgm", "P5\n100000 100000\n255\n" + QByteArray(64, 'x'))).isNull());
}

TEST_F(LoadPicTest, TiffPageChainsEndWithoutAHang)
{
    // Ten thousand pages, and a chain whose last page points back at the first.
    for (const auto& [name, bytes] : {std::pair{"pages.tif", samples::tiffChain(10000, false)},
                                      std::pair{"loop.tif", samples::tiffChain(3, true)}}) {
        for (const Picture& picture : loadBothWays(write(name, bytes)))
            EXPECT_TRUE(picture.isNull() || picture.width() == 8 || picture.width() == 40) << name;
    }
}

// --- the error rules ------------------------------------------------------------------------

TEST(LoadPicErrorRulesTest, OverflowResumesInvalidPictureGivesNothingOthersAreReported)
{
    ReportCapture reports;
    const Picture kept = Picture::filled(2, 2, kRed);
    Picture result = kept;
    LoadPicErrorRules rules(result);

    int next = 0;
    EXPECT_TRUE(rules.run(11, [] { throw LumoraError(errnum::Overflow, "Overflow"); }));
    EXPECT_TRUE(rules.run(12, [&] { next = 12; }));
    EXPECT_EQ(next, 12);
    EXPECT_EQ(result, kept) << "an overflow leaves the result as it was";

    EXPECT_TRUE(rules.run(13, [] { throw LumoraError(InvalidPictureError, InvalidPictureText()); }));
    EXPECT_TRUE(result.isNull());
    EXPECT_TRUE(reports.reports().empty());

    result = kept;
    EXPECT_FALSE(rules.run(14, [] { throw LumoraError(errnum::FileNotFound, "File not found"); }));
    EXPECT_TRUE(result.isNull());
    reports.expectOne("LoadPic", errnum::FileNotFound, 14);

    EXPECT_FALSE(rules.run(15, [] { throw std::bad_alloc(); }));
    reports.expectOne("LoadPic", errnum::OutOfMemory, 15);
}

TEST_F(LoadPicTest, ADecoderThatIsMissingCrashesOrHangsCostsOnlyThePicture)
{
    const QString pix = write("art.pix", samples::pix(gradientPicture(4, 4)));
    const QString png = writePng(gradientPicture(4, 4), dir.filePath("fine.png"));
    {
        const ScopedEnvironment missing("LUMORA_DECODER", QFile::encodeName(dir.filePath("no-such-decoder")));
        EXPECT_TRUE(load(pix).picture.isNull());
        reports.expectOne("LoadPic", errnum::FileNotFound, DevilLine);
    }
    {
        const auto crashing = helperScript("crash.sh", "kill -SEGV $$");
        EXPECT_TRUE(load(pix).picture.isNull());
        EXPECT_FALSE(load(png).picture.isNull()) << "the libvips road needs no helper";
    }
    {
        const auto hanging = helperScript("hang.sh", "exec sleep 600");
        const std::chrono::milliseconds previous = DecoderTimeLimit();
        SetDecoderTimeLimit(std::chrono::milliseconds(300));
        EXPECT_TRUE(load(pix).picture.isNull());
        SetDecoderTimeLimit(previous);
    }
    // The real helper, for a file that is not what its extension says.
    EXPECT_TRUE(load(write("text.pix", "plain text")).picture.isNull());
}

// --- loads side by side ---------------------------------------------------------------------

TEST_F(LoadPicTest, SeveralThreadsLoadAtOnceEachWithItsOwnConversionFile)
{
    constexpr int kThreads = 6;
    const Picture gradient = gradientPicture(64, 48);
    const QByteArray jp2 = samples::withLongSignatureBox(samples::encoded(gradient, "JP2", dir.path()));
    ASSERT_FALSE(jp2.isEmpty());
    const QString jp2Path = write("shared.jp2", jp2);
    const QString wmfPath = write("shared.wmf", samples::placeableWmf(40, 40, 5, 5, 35, 35, kRed));
    // A JPEG thumbnail, decoded at a reduced scale by libvips.
    const QString jpegPath = samples::magick("-size 800x1200 xc:red xc:blue +append shared.jpg", dir.path());
    const Picture jpegAlone = LoadPic(jpegPath, FixedBox, 64, 64);
    ASSERT_FALSE(jpegAlone.isNull());

    // Each thread's DevIL picture has its mark elsewhere: a shared conversion file would show.
    std::vector<Picture> marked;
    for (int t = 0; t < kThreads; ++t) {
        marked.push_back(markedPicture(16, 8, t, t % 8));
        write(QStringLiteral("mark%1.pix").arg(t), samples::pix(marked.back()));
        writePng(marked.back(), dir.filePath(QStringLiteral("mark%1.png").arg(t)));
    }
    std::vector<int> failures(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 3; ++round) {
                for (const char* kind : {"pix", "png"}) {
                    const QString file = dir.filePath(QStringLiteral("mark%1.%2").arg(t).arg(kind));
                    failures[t] += maxDifference(LoadPic(file), marked[t]) != 0;
                }
                failures[t] += maxDifference(LoadPic(jp2Path), gradient) != 0;
                failures[t] += maxDifference(LoadPic(jpegPath, FixedBox, 64, 64), jpegAlone) != 0;
                const Picture chart = LoadPic(wmfPath);
                failures[t] += chart.isNull() || chart.rgbAt(20, 20) != kRed;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures, std::vector<int>(kThreads, 0));
}

}  // namespace
