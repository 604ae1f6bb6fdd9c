// lumora-batch on files that would hold it or take the machine: pipes and devices given as any
// file it reads, and small files whose headers ask for gigabytes. Every command must end soon
// with a clear answer; the runs are killed after a while and limited in memory, so a regression
// fails here instead of hanging the suite.

#include "cli/LumoraBatch.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vips/vips8>

using namespace lumora;
using namespace lumora::test;

namespace {

template <typename T>
QByteArray le(T v)
{
    QByteArray b(sizeof v, 0);
    qToLittleEndian(v, b.data());
    return b;
}
template <typename T>
QByteArray be(T v)
{
    QByteArray b(sizeof v, 0);
    qToBigEndian(v, b.data());
    return b;
}

QByteArray pngChunk(const QByteArray& type, const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : type + data) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return be(quint32(data.size())) + type + data + be(~crc);
}

// A PNG of 60000 x 60000 RGB pixels whose data is one short stream.
QByteArray hugePng()
{
    return QByteArray("\x89PNG\r\n\x1a\n", 8) +
           pngChunk("IHDR", be(quint32(60000)) + be(quint32(60000)) + QByteArray("\x08\x02\x00\x00\x00", 5)) +
           pngChunk("IDAT", qCompress(QByteArray(3001, 0)).mid(4)) + pngChunk("IEND", {});
}

// A grey JPEG of 60000 x 60000 with one-bit codes for its all-zero blocks, baseline or progressive.
QByteArray hugeJpeg(bool progressive)
{
    const QByteArray table = QByteArray("\x01", 1) + QByteArray(16, 0);  // one code, for symbol 0
    return QByteArray("\xFF\xD8\xFF\xDB\x00\x43\x00", 7) + QByteArray(64, 1) +
           QByteArray(progressive ? "\xFF\xC2" : "\xFF\xC0", 2) +
           QByteArray("\x00\x0B\x08\xEA\x60\xEA\x60\x01\x01\x11\x00", 11) + QByteArray("\xFF\xC4\x00\x14\x00", 5) +
           table + QByteArray("\xFF\xC4\x00\x14\x10", 5) + table + QByteArray("\xFF\xDA\x00\x08\x01\x01\x00", 7) +
           QByteArray(progressive ? "\x00\x00\x00" : "\x00\x3F\x00", 3) + QByteArray(64, 0) + "\xFF\xD9";
}

QByteArray gif(quint16 screenWidth, quint16 screenHeight, quint16 frameWidth, quint16 frameHeight)
{
    return "GIF89a" + le(screenWidth) + le(screenHeight) + QByteArray("\x80\x00\x00\x00\x00\x00\xFF\xFF\xFF", 9) +
           "," + le(quint32(0)) + le(frameWidth) + le(frameHeight) + QByteArray("\x00\x02\x02\x4C\x01\x00;", 7);
}

// An 8-bit grey TIFF of one strip of 16 bytes (all strips of a larger file may point there too).
QByteArray oneStripTiff(quint32 width, quint32 height)
{
    const quint32 entries[][3] = {{256, 4, width}, {257, 4, height}, {258, 3, 8}, {259, 3, 1},   {262, 3, 1},
                                  {273, 4, 122},   {277, 3, 1},      {278, 4, height}, {279, 4, 16}};
    QByteArray t = QByteArray("II*\0", 4) + le(quint32(8)) + le(quint16(9));
    for (const auto& [tag, type, value] : entries)
        t += le(quint16(tag)) + le(quint16(type)) + le(quint32(1)) + le(value);
    return t + le(quint32(0)) + QByteArray(16, 0);
}

class HostileInputCli : public BatchFolderTest {
protected:
    const QString photo = writePng(gradientPicture(64, 48), path("photo.png"));
    const QString emptyTasks = writeTasks({});
};

TEST_F(HostileInputCli, PipesAndDevicesAreRefusedWhereverAFileIsRead)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path("zero")));
    const QByteArray watermark = taskRecord("\"9\",\"watermark\",\"False\",\"0\",\"0\",\"%S\"");
    struct Case {
        QStringList arguments;  // %S stands for the special file
        int exitCode;
    };
    const std::vector<Case> cases{
        {{"thumb", "%S", path("t.png")}, 1},
        {{"header", "%S"}, 1},
        {{"info", "%S"}, 1},
        {{"tasks", "%S"}, 1},
        {{"settings", "dump", "%S"}, 1},
        {{"apply", "--tasks", emptyTasks, "%S", path("a.png")}, 1},
        {{"apply", "--tasks", "%S", photo, path("a.png")}, 1},
        {{"apply", "--tasks", "%T", photo, path("a.png")}, 0},  // the logo's step is skipped
        {{"convert", "--dest", dir.path(), "%S"}, 0},           // the photo is skipped
        {{"convert", "--dest", dir.path(), "--basket", "%S"}, 1},
        {{"convert", "--dest", dir.path(), "--import-exif", "%S", photo}, 1},
        {{"convert", "--dest", dir.path(), "--import-iptc", "%S", photo}, 1},
        {{"convert", "--dest", dir.path(), "--settings", "%S", photo}, 1},
    };
    for (const QString& special : {path("pipe"), path("zero")}) {
        const QString logoTasks = writeTasks(QByteArray(watermark).replace("%S", QFile::encodeName(special)));
        for (const Case& c : cases) {
            QStringList arguments = c.arguments;
            arguments.replaceInStrings(QStringLiteral("%S"), special).replaceInStrings(QStringLiteral("%T"), logoTasks);
            const ToolResult r = lumoraBatchLimited(arguments);
            const std::string what = arguments.join(u' ').toStdString();
            EXPECT_EQ(r.exitCode, c.exitCode) << what << "\n" << r.err.toStdString();
            if (c.exitCode == 1) {
                EXPECT_TRUE(r.err.contains(QFileInfo(special).fileName())) << what << "\n" << r.err.toStdString();
            }
        }
    }
}

TEST_F(HostileInputCli, SmallFilesClaimingHugeImagesAreUnreadableEverywhere)
{
    const std::vector<std::pair<QString, QByteArray>> files{
        {"png.png", hugePng()},
        {"baseline.jpg", hugeJpeg(false)},
        {"progressive.jpg", hugeJpeg(true)},
        {"screen.gif", gif(60000, 60000, 60000, 60000)},
        {"frame.gif", gif(1, 1, 60000, 60000)},
        {"strips.tif", oneStripTiff(60000, 60000)},
        // Under the pixel limit, but 150 bytes cannot hold 240 megapixels.
        {"claim.tif", oneStripTiff(20000, 12000)},
        // Content decides, not the name: a drawing asking for 60000 x 60000.
        {"drawing.jpg", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"60000\" height=\"60000\">"
                        "<rect width=\"60000\" height=\"60000\" fill=\"red\"/></svg>"},
        // Cut short after its magic number and version: a decoder waits at its end for ever.
        {"cut.exr", QByteArray("\x76\x2F\x31\x01\x02\x00\x00\x00", 8)},
    };
    const QString outputs = path("out");
    ASSERT_TRUE(QDir().mkpath(outputs));
    for (const auto& [name, bytes] : files) {
        const QString file = writeBytes(path(name), bytes);
        const std::string what = name.toStdString();
        const ToolResult thumb = lumoraBatchLimited({"thumb", file, path("t.png")});
        EXPECT_EQ(thumb.exitCode, 1) << what;
        const ToolResult apply = lumoraBatchLimited({"apply", "--tasks", emptyTasks, file, path("a.png")});
        expectFailure(apply, QStringLiteral("cannot read"));
        const ToolResult convert = lumoraBatchLimited({"convert", "--dest", outputs, file});
        EXPECT_EQ(convert.exitCode, 0) << what << convert.err.toStdString();
        EXPECT_TRUE(convert.out.contains(QStringLiteral("skipped 1"))) << what << convert.out.toStdString();
    }
}

TEST_F(HostileInputCli, ExtremeStrengthsAndSizesFinishOrAreSkippedWithoutAWord)
{
    // Beyond the task pages' ranges: a sharpen mask growing with the square of its strength, a
    // blur wider than libvips takes, and results past the pixel limit, which are skipped.
    const std::vector<std::pair<QByteArray, QString>> baskets{
        {taskRecord("\"7\",\"sharpen\",\"32767\""), "64x48"},
        {taskRecord("\"4\",\"blur\",\"32767\""), "64x48"},
        {taskRecord("\"3\",\"resize\",\"True\",\"32767\",\"32767\""), "64x48"},
        {taskRecord("\"12\",\"canvas\",\"0\",\"30000\",\"30000\",\"30000\",\"30000\"") +
             taskRecord("\"12\",\"canvas\",\"0\",\"3\",\"2\",\"1\",\"0\""),
         "68x50"},
    };
    for (const auto& [records, size] : baskets) {
        const ToolResult r = lumoraBatchLimited({"apply", "--tasks", writeTasks(records), photo, path("a.png")});
        EXPECT_EQ(r.exitCode, 0) << records.toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        EXPECT_EQ(identify(path("a.png")), size) << records.toStdString();
    }
}

TEST_F(HostileInputCli, AJpegPastThePixelLimitIsThumbnailedFromItsReducedDecodeButNeverLoadedWhole)
{
    // 16200 x 16200, 262 megapixels: libjpeg decodes it at an eighth for a thumbnail.
    const QString huge = path("huge.jpg");
    vips::VImage::black(16200, 16200).jpegsave(QFile::encodeName(huge).constData());
    const ToolResult thumb = lumoraBatchLimited({"thumb", "--size", "64x64", huge, path("t.png")});
    EXPECT_EQ(thumb.exitCode, 0) << thumb.err.toStdString();
    EXPECT_EQ(identify(path("t.png")), "64x64");
    expectFailure(lumoraBatchLimited({"apply", "--tasks", emptyTasks, huge, path("a.png")}),
                  QStringLiteral("250 megapixels"));
}

}  // namespace
