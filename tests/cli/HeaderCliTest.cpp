// lumora-batch header: one "key: value" line per fact, the entry point that fits the file, and
// files it cannot read.

#include "cli/LumoraBatch.h"

#include <gtest/gtest.h>

using namespace lumora::test;

namespace {

class HeaderCli : public BatchFolderTest {
protected:
    // ImageMagick's picture from these arguments, written as `name` (through `coder`).
    QString picture(QStringList arguments, const QString& name, const QString& coder = {})
    {
        EXPECT_EQ(runTool("convert", arguments << coder + path(name)).exitCode, 0);
        return path(name);
    }
    static ToolResult header(const QString& file) { return lumoraBatch({"header", file}); }
    static QString lines(const QStringList& keyValues) { return keyValues.join(u'\n') + u'\n'; }
};

TEST_F(HeaderCli, PrintsEveryFactThroughTheEntryPointThatFitsTheFileOrFailsWithOneLine)
{
    // A PNG header of 40000 x 70000, 16-bit RGB, 5000 pixels per metre (127 dpi); nothing else.
    const QByteArray ihdr = QByteArray("\0\0\0\x0DIHDR\0\0\x9C\x40\0\x01\x11\x70\x10\x02\0\0\0\0\0\0\0", 25);
    const QByteArray phys = QByteArray("\0\0\0\x09pHYs\0\0\x13\x88\0\0\x13\x88\x01\0\0\0\0", 21);
    writeBytes(path("big.png"), QByteArray("\x89PNG\r\n\x1a\n", 8) + ihdr + phys);
    const std::pair<QString, QStringList> cases[] = {
        {picture({"-size", "64x40", "gradient:", "-colorspace", "Gray", "-density", "96", "-units", "PixelsPerInch"},
                 "grey.jpg"),
         {"format: JPEG", "width: 64", "height: 40", "bits-per-pixel: 24", "dpi: 96", "grey: true", "result: true"}},
        // Sizes above the 16-bit range are printed whole.
        {path("big.png"),
         {"format: PNG", "width: 40000", "height: 70000", "bits-per-pixel: 16", "dpi: 127", "grey: false",
          "result: true"}},
        // GIF and BMP go through an entry point of their own, which sets no resolution: 0, where a
        // JPEG without one would say 1.
        {picture({"-size", "64x48", "plasma:", "-colors", "256"}, "a.gif"),
         {"format: GIF", "width: 64", "height: 48", "bits-per-pixel: 8", "dpi: 0", "grey: false", "result: true"}},
        {picture({"-size", "17x9", "plasma:", "-type", "TrueColor"}, "a.bmp", "BMP3:"),
         {"format: BMP", "width: 17", "height: 9", "bits-per-pixel: 24"}},
    };
    for (const auto& [file, facts] : cases) {
        SCOPED_TRACE(file.toStdString());
        const ToolResult r = header(file);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        if (facts.last() == "result: true")
            EXPECT_EQ(r.out, lines(facts));
        else
            EXPECT_TRUE(r.out.startsWith(lines(facts))) << r.out.toStdString();
    }

    // Files it cannot read fail with one line.
    writeBytes(path("notes.txt"), "shopping list\n");
    ToolResult r = header(path("notes.txt"));
    expectFailure(r, "notes.txt");
    EXPECT_TRUE(r.out.startsWith("format: unknown\nwidth: 0\n"));
    EXPECT_TRUE(r.out.endsWith("result: false\n"));

    // Big-endian TIFF is not read; a PNG signature that breaks off is a broken PNG.
    expectFailure(header(picture({"-size", "8x8", "gradient:", "-define", "tiff:endian=msb"}, "mm.tif")));
    writeBytes(path("cut.png"), QByteArray("\x89PNG\r\n", 6));
    r = header(path("cut.png"));
    expectFailure(r, "broken PNG header");
    EXPECT_TRUE(r.out.startsWith("format: PNG\n"));

    // Nothing to read at all: no facts, only the reason.
    for (const QString& file : {path("missing.jpg"), dir.path()}) {
        r = header(file);
        expectFailure(r);
        EXPECT_TRUE(r.out.isEmpty());
    }
}

}  // namespace
