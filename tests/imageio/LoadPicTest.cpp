// The universal loader: which road each kind of file takes, what each road gives, the error
// rules, containment of the decoder helper, and loads running side by side.

#include "imageio/LoadPic.h"

#include "LoadPicSamples.h"
#include "core/LumoraError.h"
#include "imageio/DecoderProcess.h"
#include "imageio/LoadPicErrorRules.h"
#include "imageio/PictureRendering.h"
#include "support/FileBytes.h"
#include "support/ReportCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TestImages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <thread>
#include <vector>

using namespace lumora;
using namespace lumora::test;

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};

using Roads = std::vector<LoadRoad>;

// The conversion files this process left in the temporary folder.
QStringList leftoverConversionFiles()
{
    return QDir(QDir::tempPath())
        .entryList(QStringList{QStringLiteral("lumora-4546643-%1-*").arg(QCoreApplication::applicationPid())},
                   QDir::Files);
}

// A load with its source size, and the roads it took.
struct Load {
    Picture picture;
    int sourceWidth = -7;
    int sourceHeight = -7;
    Roads roads;
};

Load load(const QString& path, int mode = NaturalSize, int width = -1, int height = -1)
{
    Load result;
    std::uint32_t back = 0xFFFFFF;
    result.picture = LoadPic(path, mode, width, height, back, result.sourceWidth, result.sourceHeight);
    result.roads = LastLoadPicRoads();
    return result;
}

// While it lives, LoadPic starts `program` as its decoder helper.
class HelperReplaced {
public:
    explicit HelperReplaced(const QString& program) : variable_("LUMORA_DECODER", QFile::encodeName(program)) {}

private:
    ScopedEnvironment variable_;
};

class LoadPicTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ReportCapture reports;

    QString write(const QString& name, const QByteArray& bytes)
    {
        writeBytes(dir.filePath(name), bytes);
        return dir.filePath(name);
    }
    QString script(const QString& name, const QByteArray& body)
    {
        const QString path = write(name, "#!/bin/sh\n" + body + "\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    void TearDown() override
    {
        EXPECT_TRUE(reports.reports().empty()) << "unexpected error report";
        EXPECT_TRUE(leftoverConversionFiles().isEmpty()) << leftoverConversionFiles().join(u' ').toStdString();
    }
};

// --- the roads -------------------------------------------------------------------------------

TEST_F(LoadPicTest, CommonPicturesTakeTheLibvipsRoadAndReportTheirSize)
{
    const Picture source = gradientPicture(60, 40);
    const QString path = writePng(source, dir.filePath("photo.png"));

    const Load natural = load(path);
    EXPECT_EQ(maxDifference(natural.picture, source), 0);
    EXPECT_EQ(natural.sourceWidth, 60);
    EXPECT_EQ(natural.sourceHeight, 40);
    EXPECT_EQ(natural.roads, Roads{LoadRoad::LibVips});

    const Load boxed = load(path, FixedBox, 30, 30);
    ASSERT_EQ(boxed.picture.width(), 30);
    ASSERT_EQ(boxed.picture.height(), 30);
    EXPECT_EQ(boxed.picture.rgbAt(15, 2), kWhite);  // drawn 30 x 20 at y = 5
}

TEST_F(LoadPicTest, BmpThatLibvipsRefusesFallsThroughToFreeImage)
{
    // A file-size field far beyond the file, as some writers leave it: libvips (through
    // ImageMagick) refuses the file, FreeImage reads the pixels.
    const Picture source = gradientPicture(9, 7);
    const QString path = write("damaged.bmp", samples::bmp(source, 0x7FFFFFFF));

    const Load natural = load(path);
    EXPECT_EQ(maxDifference(natural.picture, source), 0);
    EXPECT_EQ(natural.roads, (Roads{LoadRoad::LibVips, LoadRoad::FreeImage}));
    // Only the libvips road reports the source size; the caller's values stay.
    EXPECT_EQ(natural.sourceWidth, -7);

    const Load boxed = load(path, FixedBox, 18, 18);
    EXPECT_EQ(boxed.picture.width(), 18);
    EXPECT_EQ(boxed.picture.height(), 18);
    const Load shrunk = load(path, ShrinkToFit, 100, 100);
    EXPECT_EQ(shrunk.picture.width(), 9) << "never enlarged";
    EXPECT_EQ(shrunk.picture.height(), 7);
}

TEST_F(LoadPicTest, OtherContentUnderACommonExtensionGoesStraightToFreeImage)
{
    // A C64 Koala picture named .png: FreeImage knows it by its content; it never reaches
    // libvips. It decodes as a 4-bit image, which the FreeImage road makes 8-bit.
    const Load koala = load(write("c64.png", samples::koala()));
    EXPECT_EQ(koala.roads, Roads{LoadRoad::FreeImage});
    ASSERT_EQ(koala.picture.width(), 320);
    ASSERT_EQ(koala.picture.height(), 200);
    EXPECT_EQ(koala.picture.rgbAt(10, 10), kWhite);
    EXPECT_EQ(koala.picture.rgbAt(300, 95), kWhite);
    EXPECT_EQ(koala.picture.rgbAt(10, 96), kBlack);
}

TEST_F(LoadPicTest, PortableMapsThatFreeImageRecognisesNeverReachDevil)
{
    const Picture source = gradientPicture(21, 5);
    const Load grey = load(write("grey.pgm", samples::pgm(source)));
    EXPECT_EQ(grey.roads, Roads{LoadRoad::FreeImage});
    ASSERT_EQ(grey.picture.width(), 21);
    for (const auto& [x, y] : {std::pair{0, 0}, {20, 0}, {7, 4}}) {
        const std::uint8_t v = source.rgbAt(x, y).r;
        EXPECT_EQ(grey.picture.rgbAt(x, y), (Rgb{v, v, v}));
    }

    // A 1-bit bitmap is made 24-bit on the way.
    const auto checker = [](int x, int y) { return (x + y) % 2 == 0; };
    const Load bits = load(write("bits.pbm", samples::pbm(11, 3, checker)));
    EXPECT_EQ(bits.roads, Roads{LoadRoad::FreeImage});
    ASSERT_EQ(bits.picture.width(), 11);
    EXPECT_EQ(bits.picture.rgbAt(0, 0), kBlack);
    EXPECT_EQ(bits.picture.rgbAt(1, 0), kWhite);
    EXPECT_EQ(bits.picture.rgbAt(10, 2), kBlack);

    // DevIL is asked only about content FreeImage does not recognise.
    const Load unknown = load(write("odd.pgm", "P9 not a portable map\n"));
    EXPECT_EQ(unknown.roads, Roads{LoadRoad::Devil});
    EXPECT_TRUE(unknown.picture.isNull());
}

TEST_F(LoadPicTest, DevilReadsFormatsFreeImageDoesNotKnow)
{
    const Picture source = gradientPicture(13, 9);
    const QString path = write("render.pix", samples::pix(source));

    const Load natural = load(path);
    EXPECT_EQ(natural.roads, Roads{LoadRoad::Devil});
    EXPECT_EQ(maxDifference(natural.picture, source), 0);
    EXPECT_EQ(natural.sourceWidth, 13);  // rendered by libvips from the conversion file
    EXPECT_EQ(natural.sourceHeight, 9);

    const Load boxed = load(path, FixedBox, 26, 26);
    EXPECT_EQ(boxed.picture.width(), 26);
    EXPECT_EQ(boxed.picture.height(), 26);
}

TEST_F(LoadPicTest, Jpeg2000ThroughFreeImageOrOpenJpeg)
{
    const Picture source = gradientPicture(64, 48);
    const QByteArray jp2 = samples::jp2(source, dir.path());
    ASSERT_FALSE(jp2.isEmpty()) << "opj_compress is needed";

    // FreeImage recognises an ordinary JP2 file and decodes it itself.
    const Load plain = load(write("plain.jp2", jp2));
    EXPECT_EQ(plain.roads, Roads{LoadRoad::FreeImage});
    EXPECT_EQ(maxDifference(plain.picture, source), 0);

    // The long form of the signature box hides it from FreeImage; OpenJPEG decodes it.
    const QString path = write("long.jp2", samples::withLongSignatureBox(jp2));
    const Load natural = load(path);
    EXPECT_EQ(natural.roads, Roads{LoadRoad::Jpeg2000});
    EXPECT_EQ(maxDifference(natural.picture, source), 0);

    // A thumbnail comes from a reduced resolution level, placed as the full image would be.
    const Load boxed = load(path, FixedBox, 16, 16);
    ASSERT_EQ(boxed.picture.width(), 16);
    ASSERT_EQ(boxed.picture.height(), 16);
    const Picture expected = ResizePicture(source, FixedBox, 16, 16, 0xFFFFFF);
    EXPECT_LE(maxDifference(boxed.picture, expected), 24);
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(boxed.picture.rgbAt(x, 1), kWhite);   // drawn 16 x 12 at y = 2
        EXPECT_EQ(boxed.picture.rgbAt(x, 14), kWhite);
    }
    const Load fitted = load(path, ShrinkToFit, 20, 20);
    EXPECT_EQ(fitted.picture.width(), 20);
    EXPECT_EQ(fitted.picture.height(), 15);
}

TEST_F(LoadPicTest, MetafilesAreDrawnOnTheBackground)
{
    const QString wmf = write("chart.wmf", samples::placeableWmf(100, 80, 10, 20, 80, 60, kRed));
    const Load natural = load(wmf);
    EXPECT_EQ(natural.roads, Roads{LoadRoad::Metafile});
    ASSERT_EQ(natural.picture.width(), 100);
    ASSERT_EQ(natural.picture.height(), 80);
    EXPECT_EQ(natural.sourceWidth, 100);
    EXPECT_EQ(natural.sourceHeight, 80);
    EXPECT_EQ(natural.picture.rgbAt(45, 40), kRed);
    EXPECT_EQ(natural.picture.rgbAt(5, 5), kWhite);
    EXPECT_EQ(natural.picture.rgbAt(90, 70), kWhite);
    EXPECT_LT(natural.picture.rgbAt(10, 40).r, 128) << "the default black pen outlines the rectangle";

    const Load boxed = load(wmf, FixedBox, 50, 50);
    ASSERT_EQ(boxed.picture.width(), 50);
    ASSERT_EQ(boxed.picture.height(), 50);
    EXPECT_EQ(boxed.picture.rgbAt(22, 25), kRed);   // drawn 50 x 40 at y = 5
    EXPECT_EQ(boxed.picture.rgbAt(22, 2), kWhite);

    const QString emf = write("chart.emf", samples::emf(100, 80, 10, 20, 80, 60, kGreen));
    const Load enhanced = load(emf);
    EXPECT_EQ(enhanced.roads, Roads{LoadRoad::Metafile});
    ASSERT_EQ(enhanced.picture.width(), 100);
    ASSERT_EQ(enhanced.picture.height(), 80);
    EXPECT_EQ(enhanced.picture.rgbAt(45, 40), kGreen);
    EXPECT_EQ(enhanced.picture.rgbAt(5, 5), kWhite);

    // A metafile the converters cannot read falls to FreeImage, which has no reader either.
    const Load broken = load(write("broken.wmf", samples::placeableWmf(100, 80, 1, 1, 9, 9, kRed).left(30)));
    EXPECT_EQ(broken.roads, (Roads{LoadRoad::Metafile, LoadRoad::FreeImage}));
    EXPECT_TRUE(broken.picture.isNull());
}

TEST_F(LoadPicTest, UnknownExtensionAndContentGiveNothingWithoutAMessage)
{
    const Load unknown = load(write("notes.xyz", QByteArray(500, 'q')));
    EXPECT_TRUE(unknown.picture.isNull());
    EXPECT_TRUE(unknown.roads.empty());
    EXPECT_TRUE(load(dir.filePath("missing.png")).picture.isNull());
    EXPECT_TRUE(load(dir.path()).picture.isNull());
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

TEST_F(LoadPicTest, AMissingDecoderIsReportedUnderLoadPic)
{
    const QString pix = write("art.pix", samples::pix(gradientPicture(4, 4)));
    const HelperReplaced missing(dir.filePath("no-such-decoder"));
    EXPECT_TRUE(load(pix).picture.isNull());
    reports.expectOne("LoadPic", errnum::FileNotFound, DevilLine);
}

TEST_F(LoadPicTest, ADecoderThatCrashesOrHangsCostsOnlyThePicture)
{
    const QString pix = write("art.pix", samples::pix(gradientPicture(4, 4)));
    const QString png = writePng(gradientPicture(4, 4), dir.filePath("fine.png"));
    {
        const HelperReplaced crashing(script("crash.sh", "kill -SEGV $$"));
        EXPECT_TRUE(load(pix).picture.isNull());
        EXPECT_FALSE(load(png).picture.isNull()) << "the libvips road needs no helper";
    }
    {
        const HelperReplaced hanging(script("hang.sh", "exec sleep 600"));
        const std::chrono::milliseconds previous = DecoderTimeLimit();
        SetDecoderTimeLimit(std::chrono::milliseconds(300));
        EXPECT_TRUE(load(pix).picture.isNull());
        SetDecoderTimeLimit(previous);
    }
    // The real helper, for a file that is not what its extension says.
    EXPECT_TRUE(load(write("text.pix", "plain text")).picture.isNull());
}

TEST_F(LoadPicTest, AFileThatCrashesFreeImageGivesNothing)
{
    // Found by fuzzing: an indexed PSD on which FreeImage copies a negative number of bytes. The
    // fuzzer's seed keeps it behind the byte that picks its extension.
    const QByteArray seed = readBytes(QStringLiteral(LUMORA_SOURCE_DIR "/tests/fuzz/corpus/loadpic/freeimage-psd-crash"));
    ASSERT_GT(seed.size(), 26);
    const Load crashing = load(write("crash.psd", seed.mid(1)));
    EXPECT_EQ(crashing.roads, Roads{LoadRoad::FreeImage});
    EXPECT_TRUE(crashing.picture.isNull());
}

// --- loads side by side ---------------------------------------------------------------------

TEST_F(LoadPicTest, SeveralThreadsLoadAtOnceEachWithItsOwnConversionFile)
{
    constexpr int kThreads = 6;
    const Picture gradient = gradientPicture(64, 48);
    const QByteArray jp2 = samples::withLongSignatureBox(samples::jp2(gradient, dir.path()));
    ASSERT_FALSE(jp2.isEmpty());
    const QString jp2Path = write("shared.jp2", jp2);
    const QString wmfPath = write("shared.wmf", samples::placeableWmf(40, 40, 5, 5, 35, 35, kRed));

    // Each thread's DevIL picture has its mark elsewhere: a shared conversion file would show.
    std::vector<Picture> marked;
    std::vector<QString> pixPaths;
    std::vector<QString> pngPaths;
    for (int t = 0; t < kThreads; ++t) {
        marked.push_back(markedPicture(16, 8, t, t % 8));
        pixPaths.push_back(write(QStringLiteral("mark%1.pix").arg(t), samples::pix(marked.back())));
        pngPaths.push_back(writePng(marked.back(), dir.filePath(QStringLiteral("mark%1.png").arg(t))));
    }
    std::vector<int> failures(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 3; ++round) {
                failures[t] += maxDifference(LoadPic(pixPaths[t]), marked[t]) != 0;
                failures[t] += maxDifference(LoadPic(pngPaths[t]), marked[t]) != 0;
                failures[t] += maxDifference(LoadPic(jp2Path), gradient) != 0;
                const Picture chart = LoadPic(wmfPath);
                failures[t] += chart.isNull() || chart.rgbAt(20, 20) != kRed;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(failures[t], 0) << "thread " << t;
}

}  // namespace
