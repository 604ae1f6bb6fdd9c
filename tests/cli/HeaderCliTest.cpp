// lumora-batch header: one "key: value" line per fact, the entry point that fits the file, exit
// codes and one-line errors.

#include "support/FileBytes.h"
#include "support/Oracles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora::test;

namespace {

const QString kBatch = QStringLiteral(LUMORA_BATCH_EXE);

class HeaderCli : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QString convert(QStringList arguments, const QString& name, const QString& coder = {})
    {
        arguments << coder + path(name);
        EXPECT_EQ(runTool(QStringLiteral("convert"), arguments).exitCode, 0);
        return path(name);
    }
    static ToolResult header(const QString& file) { return runTool(kBatch, {QStringLiteral("header"), file}); }
    static QString lines(const QStringList& keyValues) { return keyValues.join(u'\n') + u'\n'; }

    QTemporaryDir dir;
};

TEST_F(HeaderCli, PrintsEveryFactOfAJpeg)
{
    const QString jpg = convert({"-size", "64x40", "gradient:", "-colorspace", "Gray", "-density", "96", "-units",
                                 "PixelsPerInch"},
                                "grey.jpg");
    ASSERT_EQ(identify(jpg), "64x40");
    const ToolResult r = header(jpg);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(r.out, lines({"format: JPEG", "width: 64", "height: 40", "bits-per-pixel: 24", "dpi: 96", "grey: true",
                            "result: true"}));
}

TEST_F(HeaderCli, GifAndBmpGoThroughTheirOwnEntryPoint)
{
    // That entry point sets no resolution: 0, where a JPEG without one would say 1.
    const QString gif = convert({"-size", "64x48", "plasma:", "-colors", "256"}, "a.gif");
    ToolResult r = header(gif);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, lines({"format: GIF", "width: 64", "height: 48", "bits-per-pixel: 8", "dpi: 0", "grey: false",
                            "result: true"}));
    r = header(convert({"-size", "17x9", "plasma:", "-type", "TrueColor"}, "a.bmp", "BMP3:"));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith(lines({"format: BMP", "width: 17", "height: 9", "bits-per-pixel: 24"})));
}

TEST_F(HeaderCli, SizesAboveThe16BitRangeArePrintedWhole)
{
    // A PNG header of 40000 x 70000, 16-bit RGB, 5000 pixels per metre (127 dpi); nothing else.
    const QByteArray ihdr = QByteArray("\0\0\0\x0DIHDR\0\0\x9C\x40\0\x01\x11\x70\x10\x02\0\0\0\0\0\0\0", 25);
    const QByteArray phys = QByteArray("\0\0\0\x09pHYs\0\0\x13\x88\0\0\x13\x88\x01\0\0\0\0", 21);
    writeBytes(path("big.png"), QByteArray("\x89PNG\r\n\x1a\n", 8) + ihdr + phys);
    const ToolResult r = header(path("big.png"));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, lines({"format: PNG", "width: 40000", "height: 70000", "bits-per-pixel: 16", "dpi: 127",
                            "grey: false", "result: true"}));
}

TEST_F(HeaderCli, UnreadableFilesFailWithOneLine)
{
    writeBytes(path("notes.txt"), "shopping list\n");
    ToolResult r = header(path("notes.txt"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.endsWith(QStringLiteral("result: false\n")));
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("format: unknown\nwidth: 0\n")));
    EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("notes.txt")));

    // Big-endian TIFF is not read; a PNG signature that breaks off is a broken PNG.
    r = header(convert({"-size", "8x8", "gradient:", "-define", "tiff:endian=msb"}, "mm.tif"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.count(u'\n'), 1);
    writeBytes(path("cut.png"), QByteArray("\x89PNG\r\n", 6));
    r = header(path("cut.png"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("format: PNG\n")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("broken PNG header"))) << r.err.toStdString();

    // Nothing to read at all: no facts, only the reason.
    for (const QString& file : {path("missing.jpg"), dir.path()}) {
        r = header(file);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
    }
}

TEST_F(HeaderCli, WrongUsageExitsWithTwo)
{
    EXPECT_EQ(runTool(kBatch, {QStringLiteral("header")}).exitCode, 2);
    EXPECT_EQ(runTool(kBatch, {QStringLiteral("header"), QStringLiteral("a.jpg"), QStringLiteral("b.jpg")}).exitCode, 2);
    EXPECT_EQ(runTool(kBatch, {QStringLiteral("header"), QStringLiteral("--width")}).exitCode, 2);
    EXPECT_TRUE(runTool(kBatch, {QStringLiteral("--help")}).out.contains(QStringLiteral("header FILE")));
}

}  // namespace
