// lumora-batch thumb as scripts see it: exit codes, one line per failure, and the thumbnails it
// writes, measured by ImageMagick.

#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

const QString kBatch = QStringLiteral(LUMORA_BATCH_EXE);

ToolResult batch(const QStringList& arguments) { return runTool(kBatch, arguments); }

class ThumbCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        wide = writePng(Picture::filled(400, 100, Rgb{255, 0, 0}), path(QStringLiteral("wide.png")));
        tall = writePng(Picture::filled(30, 60, Rgb{0, 0, 255}), path(QStringLiteral("tall.png")));
        writeBytes(path(QStringLiteral("broken.jpg")), "this is no photo");
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    QString wide;
    QString tall;
};

int lineCount(const QString& text) { return static_cast<int>(text.split(u'\n', Qt::SkipEmptyParts).size()); }

TEST_F(ThumbCli, WritesTheThumbnailOfEachSizeMode)
{
    const QString out = path(QStringLiteral("out.png"));
    ToolResult r = batch({QStringLiteral("thumb"), wide, out});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    // The default: mode 2 into 40 x 40, the photo centred on white.
    EXPECT_EQ(identify(out, QStringLiteral("%m %wx%h")), QStringLiteral("PNG 40x40"));
    EXPECT_EQ(identify(out, QStringLiteral("%[hex:p{20,0}] %[hex:p{20,20}]")), QStringLiteral("FFFFFF FF0000"));

    r = batch({QStringLiteral("thumb"), QStringLiteral("--mode"), QStringLiteral("1"), QStringLiteral("--size"),
               QStringLiteral("100x100"), wide, out});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(identify(out), QStringLiteral("100x25"));

    r = batch({QStringLiteral("thumb"), QStringLiteral("--mode"), QStringLiteral("0"), wide, out});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(identify(out), QStringLiteral("400x100"));
}

TEST_F(ThumbCli, UnreadableInputIsOneLineAndExitOne)
{
    const QString out = path(QStringLiteral("out.png"));
    const ToolResult r = batch({QStringLiteral("thumb"), path(QStringLiteral("broken.jpg")), out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(lineCount(r.err), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("broken.jpg")));
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(ThumbCli, WrongCommandLinesAreUsageErrors)
{
    const QString out = path(QStringLiteral("out.png"));
    for (const QStringList& arguments : {
             QStringList{QStringLiteral("thumb"), wide},
             QStringList{QStringLiteral("thumb"), QStringLiteral("--mode"), QStringLiteral("3"), wide, out},
             QStringList{QStringLiteral("thumb"), QStringLiteral("--size"), QStringLiteral("40"), wide, out},
             QStringList{QStringLiteral("thumb"), QStringLiteral("--size"), QStringLiteral("0x40"), wide, out},
             QStringList{QStringLiteral("thumb"), QStringLiteral("--jobs"), QStringLiteral("2"), wide, out},
             QStringList{QStringLiteral("thumb"), QStringLiteral("--out-dir"), path(QStringLiteral("d"))},
             QStringList{QStringLiteral("thumb"), QStringLiteral("--jobs"), QStringLiteral("0"),
                         QStringLiteral("--out-dir"), path(QStringLiteral("d")), wide},
         }) {
        const ToolResult r = batch(arguments);
        EXPECT_EQ(r.exitCode, 2) << arguments.join(u' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_TRUE(batch({QStringLiteral("--help")}).out.contains(QStringLiteral("thumb [--mode 0|1|2]")));
}

TEST_F(ThumbCli, OutDirFormWritesEveryReadableFileAndReportsTheOthers)
{
    // Enough files that both workers get several, in an order that is not the finishing order.
    QStringList inputs;
    for (int i = 0; i < 6; ++i) {
        const QString copy = path(QStringLiteral("photo%1.png").arg(i));
        ASSERT_TRUE(QFile::copy(i % 2 ? wide : tall, copy));
        inputs << copy;
    }
    inputs.insert(2, path(QStringLiteral("broken.jpg")));
    inputs << path(QStringLiteral("missing.png"));
    const QString folder = path(QStringLiteral("thumbs/new"));
    const ToolResult r = batch(QStringList{QStringLiteral("thumb"), QStringLiteral("--jobs"), QStringLiteral("2"),
                                           QStringLiteral("--size"), QStringLiteral("32x32"), QStringLiteral("--out-dir"),
                                           folder} +
                               inputs);
    EXPECT_EQ(r.exitCode, 1);
    // One line per failed file, in the order of the command line.
    const QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << r.err.toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("broken.jpg")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("missing.png")));

    QStringList written = QDir(folder).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(written, (QStringList{"photo0.png", "photo1.png", "photo2.png", "photo3.png", "photo4.png",
                                    "photo5.png"}));
    for (const QString& name : written)
        EXPECT_EQ(identify(QDir(folder).filePath(name)), QStringLiteral("32x32")) << name.toStdString();
    // Each output is its own input's thumbnail: the wide red ones have white above and below.
    EXPECT_EQ(identify(QDir(folder).filePath(QStringLiteral("photo1.png")), QStringLiteral("%[hex:p{16,0}]")),
              QStringLiteral("FFFFFF"));
    EXPECT_EQ(identify(QDir(folder).filePath(QStringLiteral("photo0.png")), QStringLiteral("%[hex:p{16,0}]")),
              QStringLiteral("0000FF"));
}

TEST_F(ThumbCli, OutDirFormRefusesTwoInputsThatWouldShareAName)
{
    QDir().mkpath(path(QStringLiteral("other")));
    const QString twin = path(QStringLiteral("other/wide.jpg"));
    ASSERT_TRUE(QFile::copy(wide, twin));
    const QString folder = path(QStringLiteral("thumbs"));
    const ToolResult r = batch({QStringLiteral("thumb"), QStringLiteral("--out-dir"), folder, wide, twin});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("wide.png")));
    EXPECT_FALSE(QFile::exists(QDir(folder).filePath(QStringLiteral("wide.png"))));
}

}  // namespace
