// lumora-batch thumb as scripts see it: the thumbnails it writes, measured by ImageMagick, and one
// line on standard error per file that cannot be read. Its wrong usages are in BatchCliTest.

#include "cli/LumoraBatch.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

class ThumbCli : public BatchFolderTest {
protected:
    static ToolResult thumb(const QStringList& arguments) { return lumoraBatch(QStringList{"thumb"} + arguments); }

    const QString wide = writePng(Picture::filled(400, 100, Rgb{255, 0, 0}), path("wide.png"));
    const QString tall = writePng(Picture::filled(30, 60, Rgb{0, 0, 255}), path("tall.png"));
    const QString out = path("out.png");
};

TEST_F(ThumbCli, WritesTheThumbnailOfEachSizeModeAndNothingForAFileThatIsNoPhoto)
{
    // The default: mode 2 into 40 x 40, the photo centred on white.
    const ToolResult r = thumb({wide, out});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(identify(out, "%m %wx%h %[hex:p{20,0}] %[hex:p{20,20}]"), "PNG 40x40 FFFFFF FF0000");
    // Mode 1 shrinks to fit, never enlarging; mode 0 keeps the photo's own size.
    for (const auto& [photo, mode, size] :
         {std::tuple{wide, "1", "100x25"}, {tall, "1", "30x60"}, {wide, "0", "400x100"}}) {
        EXPECT_EQ(thumb({"--mode", mode, "--size", "100x100", photo, out}).exitCode, 0);
        EXPECT_EQ(identify(out), size) << mode;
    }

    writeBytes(path("broken.jpg"), "this is no photo");
    QFile::remove(out);
    expectFailure(thumb({path("broken.jpg"), out}), "broken.jpg");
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(ThumbCli, OutDirFormWritesEveryReadableFileReportsTheOthersInOrderAndRefusesSharedNames)
{
    // Enough files that both workers get several, in an order that is not the finishing order.
    writeBytes(path("broken.jpg"), "this is no photo");
    QStringList inputs;
    for (int i = 0; i < 6; ++i) {
        inputs << path(QStringLiteral("photo%1.png").arg(i));
        ASSERT_TRUE(QFile::copy(i % 2 ? wide : tall, inputs.last()));
    }
    inputs.insert(2, path("broken.jpg"));
    inputs << path("missing.png");
    const QString folder = path("thumbs/new");
    ToolResult r = thumb(QStringList{"--jobs", "2", "--size", "32x32", "--out-dir", folder} + inputs);
    EXPECT_EQ(r.exitCode, 1);
    // One line per failed file, in the order of the command line.
    const QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << r.err.toStdString();
    EXPECT_TRUE(lines[0].contains("broken.jpg") && lines[1].contains("missing.png")) << r.err.toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
              (QStringList{"photo0.png", "photo1.png", "photo2.png", "photo3.png", "photo4.png", "photo5.png"}));
    // Each output is its own input's thumbnail: the wide red ones have white above and below.
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(identify(folder + QStringLiteral("/photo%1.png").arg(i), "%wx%h %[hex:p{16,0}]"),
                  i % 2 ? "32x32 FFFFFF" : "32x32 0000FF")
            << i;

    // Two inputs that would share a name are refused before anything is written.
    QDir().mkpath(path("other"));
    const QString twin = path("other/wide.jpg");
    ASSERT_TRUE(QFile::copy(wide, twin));
    r = thumb({"--out-dir", path("thumbs"), wide, twin});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("wide.png"));
    EXPECT_FALSE(QFile::exists(path("thumbs/wide.png")));
}

}  // namespace
