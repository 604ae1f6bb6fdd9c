// The header reader: sizes, depths and resolutions of files ImageMagick writes (checked against
// identify and exiftool), exact header bytes for the rules ImageMagick cannot be made to show,
// and broken files of every kind.

#include "imageio/clsImageHeaderInfo.h"

#include "LoadPicSamples.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;
using namespace lumora::test::samples;

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using Format = clsImageHeaderInfo::HeaderFormat;

// PNG: signature, chunks, end.
QByteArray ihdr(quint32 width, quint32 height, int depth, int colourType)
{
    return pngChunk("IHDR", be32(width) + be32(height) + char(depth) + char(colourType) + QByteArray(3, '\0'));
}
QByteArray png(const QByteArray& chunks) { return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunks + pngChunk("IEND", {}); }

// JPEG: start of image, segments, a scan header and a little entropy-coded data.
QByteArray segment(int type, const QByteArray& data)
{
    return QByteArray(1, '\xFF') + char(type) + be16(int(data.size()) + 2) + data;
}
QByteArray jfif(int units, int density)
{
    return segment(0xE0, QByteArray("JFIF\0\x01\x02", 7) + char(units) + be16(density) + be16(density) + QByteArray(2, '\0'));
}
QByteArray sof(int type, int width, int height, int components)
{
    return segment(type, QByteArray(1, 8) + be16(height) + be16(width) + char(components) + QByteArray(3 * components, 1));
}
QByteArray jpeg(const QByteArray& segments)
{
    return QByteArray("\xFF\xD8", 2) + segments + segment(0xDA, QByteArray(8, 1)) + QByteArray("\x12\x34\xFF\xD9", 4);
}

// Little-endian TIFF: header, one IFD at 8 and, after it, the XResolution rational.
struct TiffEntry {
    int tag;
    int type;
    quint32 value;
};
QByteArray tiff(const std::vector<TiffEntry>& entries, quint32 numerator = 0, quint32 denominator = 0)
{
    const quint32 rational = 8 + 2 + 12 * quint32(entries.size()) + 4;
    QByteArray out = QByteArray("II*\0", 4) + le32(8) + le16(int(entries.size()));
    for (const TiffEntry& e : entries)
        out += le16(e.tag) + le16(e.type) + le32(1) + le32(e.tag == 282 && e.value == 0 ? rational : e.value);
    return out + le32(0) + le32(numerator) + le32(denominator);
}

QByteArray bmpHeader(qint32 width, qint32 height, int bits)
{
    return "BM" + le32(0) + le32(0) + le32(54) + le32(40) + le32(quint32(width)) + le32(quint32(height)) + le16(1) +
           le16(bits) + QByteArray(24, '\0');
}

// All the reader says, in one line: "JPEG 20x10 24-bit 72 dpi", " grey" after it for grey images.
QString facts(const clsImageHeaderInfo& h)
{
    const char* const formats[] = {"None", "GIF", "BMP", "TIFF", "JPEG", "PNG"};
    return QStringLiteral("%1 %2x%3 %4-bit %5 dpi%6")
        .arg(formats[int(h.Format())])
        .arg(h.Width())
        .arg(h.Height())
        .arg(h.BitsPerPixel())
        .arg(h.dpi())
        .arg(h.IsGray() ? " grey" : "");
}

class clsImageHeaderInfoTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        writeBytes(dir.filePath(name), bytes);
        return dir.filePath(name);
    }
    // ImageMagick's convert: arguments, then the output file's name behind an optional coder
    // ("PNG32:").
    QString convert(QStringList arguments, const QString& name, const QString& coder = {})
    {
        const ToolResult r = runTool("convert", arguments << coder + dir.filePath(name));
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return dir.filePath(name);
    }
    static QString exif(const QString& tag, const QString& file)
    {
        return runTool("exiftool", {"-s3", "-n", "-" + tag, file}).out.trimmed();
    }
    // Reads with the TIFF/JPEG/PNG entry point; the result goes to `ok`.
    clsImageHeaderInfo read(const QString& file)
    {
        clsImageHeaderInfo h;
        ok = h.ReadJPEG_TIFF_PNG_Header(file);
        return h;
    }
    // The same for a file of these bytes.
    clsImageHeaderInfo read(const QByteArray& bytes) { return read(write("bytes", bytes)); }
    // What the TIFF/JPEG/PNG entry point says, "refused: " before it when it returned false.
    template <typename File>
    QString said(const File& file)
    {
        const QString all = facts(read(file));
        return ok ? all : "refused: " + all;
    }
    static QString size(const clsImageHeaderInfo& h) { return QStringLiteral("%1x%2").arg(h.Width()).arg(h.Height()); }

    QTemporaryDir dir;
    bool ok = false;
};

TEST_F(clsImageHeaderInfoTest, GifAndBmpSizeAndDepthAgreeWithImageMagick)
{
    const QString bmp = convert({"-size", "640x480", "gradient:", "-type", "TrueColor"}, "a.bmp", "BMP3:");
    const QString gif = convert({"-size", "64x48", "plasma:", "-colors", "256"}, "a.gif");
    const QString twoColour = convert({"-size", "9x7", "pattern:checkerboard", "-colors", "2"}, "two.gif");
    ASSERT_EQ(identify(bmp) + identify(gif) + identify(twoColour), "640x48064x489x7");
    ASSERT_EQ(exif("BitsPerPixel", gif) + exif("BitsPerPixel", twoColour), "81");
    clsImageHeaderInfo h;
    const auto gifBmp = [&](const QString& file) { return h.ReadGIF_BMP_Header(file) ? facts(h) : "refused"; };
    EXPECT_EQ(gifBmp(bmp), "BMP 640x480 24-bit 0 dpi");
    EXPECT_EQ(gifBmp(gif), "GIF 64x48 8-bit 0 dpi");
    EXPECT_EQ(gifBmp(twoColour), "GIF 9x7 1-bit 0 dpi");

    // Files of other kinds: not recognised, the three values back at 0.
    EXPECT_EQ(gifBmp(convert({"-size", "5x5", "xc:red"}, "a.png")), "refused");
    EXPECT_EQ(facts(h), "None 0x0 0-bit 0 dpi");
    EXPECT_EQ(gifBmp(dir.filePath("missing.gif")), "refused");
    EXPECT_EQ(gifBmp(write("empty.gif", {})), "refused");
}

TEST_F(clsImageHeaderInfoTest, GifAndBmpEntryKeepsResolutionAndGreyOfTheReadBefore)
{
    clsImageHeaderInfo h;
    ASSERT_TRUE(h.ReadJPEG_TIFF_PNG_Header(write("g.jpg", jpeg(jfif(1, 150) + sof(0xC0, 4, 3, 1)))));
    ASSERT_EQ(facts(h), "JPEG 4x3 24-bit 150 dpi grey");
    EXPECT_TRUE(h.ReadGIF_BMP_Header(write("a.bmp", bmpHeader(7, 5, 8))));
    EXPECT_EQ(facts(h), "BMP 7x5 8-bit 150 dpi grey");
    // The other entry point resets everything.
    EXPECT_FALSE(h.ReadJPEG_TIFF_PNG_Header(write("a.txt", "hello, not a picture\n")));
    EXPECT_EQ(facts(h), "None 0x0 0-bit 0 dpi");
}

TEST_F(clsImageHeaderInfoTest, JpegResolutionSizeAndGrey)
{
    const QString inch = convert({"-size", "20x10", "plasma:", "-density", "72", "-units", "PixelsPerInch"}, "inch.jpg");
    const QString none = convert({"-size", "20x10", "plasma:", "-density", "72", "-units", "Undefined"}, "none.jpg");
    const QString cm = convert({"-size", "20x10", "plasma:", "-density", "28", "-units", "PixelsPerCentimeter"}, "cm.jpg");
    const QString grey = convert({"-size", "33x17", "gradient:", "-colorspace", "Gray"}, "grey.jpg");
    ASSERT_EQ(identify(inch) + " " + identify(grey), "20x10 33x17");
    ASSERT_EQ(exif("ResolutionUnit", none), "0");
    ASSERT_EQ(exif("ResolutionUnit", cm) + " " + exif("XResolution", cm), "2 28");

    EXPECT_EQ(said(inch), "JPEG 20x10 24-bit 72 dpi");
    EXPECT_EQ(said(none), "JPEG 20x10 24-bit 1 dpi");  // unit 0 sets nothing, and no resolution reads 1
    EXPECT_EQ(said(cm), "JPEG 20x10 24-bit 71 dpi");   // 28 x 2.54 = 71.12
    EXPECT_EQ(said(grey), "JPEG 33x17 24-bit 1 dpi grey");

    // Exact halves of dots per centimetre round to even: 25 -> 63.5 -> 64, 75 -> 190.5 -> 190.
    const QByteArray frame = sof(0xC0, 1, 1, 3);
    EXPECT_EQ(read(jpeg(jfif(2, 25) + frame)).dpi(), 64);
    EXPECT_EQ(read(jpeg(jfif(2, 75) + frame)).dpi(), 190);
    // Without any APP0, or with density 0, the resolution is 1.
    EXPECT_EQ(read(jpeg(frame)).dpi(), 1);
    EXPECT_EQ(read(jpeg(jfif(1, 0) + frame)).dpi(), 1);
}

TEST_F(clsImageHeaderInfoTest, OnlyTheBaselineFrameCarriesTheSize)
{
    const QString progressive = convert({"-size", "40x30", "plasma:", "-interlace", "JPEG"}, "p.jpg");
    ASSERT_EQ(identify(progressive, "%wx%h %[interlace]"), "40x30 JPEG");
    EXPECT_EQ(said(progressive), "JPEG 0x0 24-bit 1 dpi");
    EXPECT_EQ(said(jpeg(sof(0xC1, 9, 8, 3))), "JPEG 0x0 24-bit 1 dpi");
    EXPECT_EQ(said(jpeg(sof(0xC0, 9, 8, 3))), "JPEG 9x8 24-bit 1 dpi");
}

TEST_F(clsImageHeaderInfoTest, PngDepthGreyAndResolution)
{
    const QString rgba = convert({"-size", "30x20", "plasma:", "-alpha", "on"}, "rgba.png", "PNG32:");
    const QString deep = convert({"-size", "31x21", "plasma:", "-depth", "16"}, "deep.png", "PNG48:");
    const QString grey = convert({"-size", "32x22", "gradient:", "-depth", "8", "-define", "png:color-type=0"}, "grey.png");
    const QString phys =
        convert({"-size", "5x5", "plasma:", "-density", "28.35", "-units", "PixelsPerCentimeter"}, "phys.png");
    ASSERT_EQ(identify(rgba) + " " + identify(deep), "30x20 31x21");
    ASSERT_EQ(exif("PixelsPerUnitX", phys) + " " + exif("PixelUnits", phys) + " " + exif("BitDepth", phys), "2835 1 16");
    ASSERT_EQ(exif("ColorType", grey) + " " + exif("BitDepth", grey), "0 8");

    EXPECT_EQ(said(rgba), "PNG 30x20 24-bit 0 dpi");
    EXPECT_EQ(said(deep), "PNG 31x21 16-bit 0 dpi");
    EXPECT_EQ(said(grey), "PNG 32x22 8-bit 0 dpi grey");
    EXPECT_EQ(said(phys), "PNG 5x5 16-bit 72 dpi");

    // Bit depths other than 8 neither widen nor mark grey; grey with alpha is grey.
    EXPECT_EQ(said(png(ihdr(3, 2, 16, 0))), "PNG 3x2 16-bit 0 dpi");
    EXPECT_EQ(said(png(ihdr(3, 2, 8, 4))), "PNG 3x2 8-bit 0 dpi grey");
    EXPECT_EQ(said(png(ihdr(3, 2, 8, 3))), "PNG 3x2 8-bit 0 dpi");
    // pHYs: exact halves to even (2500 -> 63.5 -> 64, 7500 -> 190.5 -> 190); unit 0 says nothing;
    // nothing after the image data counts.
    const auto physPng = [&](quint32 ppm, int unit, const QByteArray& before = {}) {
        return read(png(ihdr(1, 1, 8, 2) + before + pngChunk("pHYs", be32(ppm) + be32(ppm) + char(unit)))).dpi();
    };
    EXPECT_EQ(physPng(2500, 1), 64);
    EXPECT_EQ(physPng(7500, 1), 190);
    EXPECT_EQ(physPng(2835, 0), 0);
    EXPECT_EQ(physPng(3780, 1, pngChunk("IDAT", "x")), 0);
}

TEST_F(clsImageHeaderInfoTest, TiffResolutionUnitsAndByteOrder)
{
    const QString inch = convert({"-size", "30x20", "gradient:", "-density", "300", "-units", "PixelsPerInch"}, "inch.tif");
    const QString cm =
        convert({"-size", "30x20", "gradient:", "-density", "118", "-units", "PixelsPerCentimeter"}, "cm.tif");
    const QString motorola = convert({"-size", "30x20", "gradient:", "-define", "tiff:endian=msb"}, "mm.tif");
    ASSERT_EQ(identify(inch), "30x20");
    ASSERT_EQ(exif("XResolution", cm) + " " + exif("ResolutionUnit", cm), "118 3");
    ASSERT_TRUE(readBytes(motorola).startsWith("MM"));

    EXPECT_EQ(said(inch), "TIFF 30x20 24-bit 300 dpi");  // a grey gradient, still 24 bits and not grey
    EXPECT_EQ(said(cm), "TIFF 30x20 24-bit 299 dpi");    // 118 x 2.54 = 299.72, rounded down
    EXPECT_EQ(said(motorola), "refused: None 0x0 0-bit 0 dpi");

    // Inches round half to even; any other unit, or none, is centimetres rounded down.
    const std::vector<TiffEntry> sizeOnly{{256, 3, 7}, {257, 4, 9}};
    const auto dpi = [&](int unit, quint32 numerator, quint32 denominator) {
        std::vector<TiffEntry> entries = sizeOnly;
        entries.push_back({282, 5, 0});
        if (unit != 0)
            entries.push_back({296, 3, quint32(unit)});
        return read(tiff(entries, numerator, denominator)).dpi();
    };
    EXPECT_EQ(dpi(2, 601, 2), 300);
    EXPECT_EQ(dpi(2, 603, 2), 302);
    EXPECT_EQ(dpi(0, 100, 1), 254);
    EXPECT_EQ(dpi(1, 50, 1), 127);  // 127 exactly, not 126.99...
    EXPECT_EQ(dpi(2, 300, 0), 0);   // a zero denominator gives no resolution
    EXPECT_EQ(said(tiff(sizeOnly)), "TIFF 7x9 24-bit 0 dpi");
    // The version byte must be 42.
    EXPECT_EQ(said(QByteArray("II+\0\x08\0\0\0", 8)), "refused: TIFF 0x0 0-bit 0 dpi");
}

TEST_F(clsImageHeaderInfoTest, ValuesAbove32767WrapInTheFieldsAndStayWhole)
{
    const auto whole = [](const clsImageHeaderInfo& h) {
        return QStringLiteral("%1x%2 %3 dpi").arg(h.FullWidth()).arg(h.FullHeight()).arg(h.FullDpi());
    };
    clsImageHeaderInfo h = read(png(ihdr(40000, 70000, 8, 2)));
    EXPECT_EQ(size(h), "-25536x4464");
    EXPECT_EQ(whole(h), "40000x70000 0 dpi");
    h = read(png(ihdr(0xFFFFFFFF, 32767, 8, 2) + pngChunk("pHYs", be32(4000000) + be32(1) + char(1))));
    EXPECT_EQ(facts(h), QStringLiteral("PNG -1x32767 24-bit %1 dpi").arg(101600 - 2 * 65536));
    EXPECT_EQ(whole(h), "4294967295x32767 101600 dpi");

    h = read(jpeg(jfif(2, 65535) + sof(0xC0, 65535, 32768, 3)));
    EXPECT_EQ(facts(h), QStringLiteral("JPEG -1x-32768 24-bit %1 dpi").arg(166459 - 3 * 65536));
    EXPECT_EQ(whole(h), "65535x32768 166459 dpi");  // 65535 x 2.54 = 166458.9
    // A resolution that wraps to 0 is still a resolution: it does not become 1.
    h = read(jpeg(jfif(2, 51603)));
    EXPECT_EQ(h.FullDpi(), 131072);
    EXPECT_EQ(h.dpi(), 0);

    h = read(tiff({{256, 4, 100000}, {282, 5, 0}, {296, 3, 2}}, 100000, 1));
    EXPECT_EQ(h.Width(), 100000 - 2 * 65536);
    EXPECT_EQ(whole(h), "100000x0 100000 dpi");
    // The upper half of a SHORT entry's value is padding.
    h = read(tiff({{256, 3, 0xABCD0007}}));
    EXPECT_EQ(h.FullWidth(), 7);
    EXPECT_EQ(h.Width(), 7);

    // A top-down BMP: the 16-bit height is the low half of the negative field.
    ASSERT_TRUE(h.ReadGIF_BMP_Header(write("down.bmp", bmpHeader(70000, -480, 32))));
    EXPECT_EQ(size(h), "4464x-480");
    EXPECT_EQ(h.BitsPerPixel(), 32);
    EXPECT_EQ(QStringLiteral("%1x%2").arg(h.FullWidth()).arg(h.FullHeight()), "70000x480");
}

TEST_F(clsImageHeaderInfoTest, MissingEmptyAndForeignFilesReadNothing)
{
    for (const QString& file : {dir.filePath("missing.jpg"), dir.path(), write("empty.png", {}),
                                write("text.jpg", "just some words\n"), write("one.jpg", "\xFF")}) {
        clsImageHeaderInfo h;
        EXPECT_FALSE(h.ReadJPEG_TIFF_PNG_Header(file)) << file.toStdString();
        EXPECT_FALSE(h.ReadGIF_BMP_Header(file)) << file.toStdString();
        EXPECT_EQ(size(h), "0x0");
        EXPECT_EQ(h.dpi() + h.BitsPerPixel() + int(h.IsGray()), 0);
        EXPECT_EQ(h.Format(), Format::None);
    }
    // A PNG signature that breaks off after "\x89P".
    EXPECT_EQ(read(QByteArray("\x89PNG\r\n\x1a\x0b", 8) + ihdr(5, 5, 8, 2)).Width(), 0);
    EXPECT_FALSE(ok);
}

// Every prefix of a real file: the entry point's answer follows from how much of the header is
// there, and once everything up to the image data is, the values are those of the whole file.
TEST_F(clsImageHeaderInfoTest, TruncationsAtEveryLength)
{
    struct Case {
        QString file;
        bool gifBmp;
        qsizetype signature;  // shortest prefix that is recognised
        qsizetype complete;   // shortest prefix that reads like the whole file
    };
    const QString gif = convert({"-size", "6x5", "plasma:"}, "t.gif");
    const QString bmp = convert({"-size", "6x5", "plasma:"}, "t.bmp", "BMP3:");
    const QString jpg = convert({"-size", "6x5", "plasma:", "-density", "96", "-units", "PixelsPerInch"}, "t.jpg");
    const QString pngFile =
        convert({"-size", "6x5", "plasma:", "-density", "37.8", "-units", "PixelsPerCentimeter"}, "t.png", "PNG24:");
    const QString tif = convert({"-size", "6x5", "plasma:", "-density", "150", "-units", "PixelsPerInch"}, "t.tif");
    const std::vector<Case> cases{
        {gif, true, 3, 11},
        {bmp, true, 2, 29},
        {jpg, false, 2, readBytes(jpg).indexOf("\xFF\xDA")},
        {pngFile, false, 8, readBytes(pngFile).indexOf("IDAT") + 4},
        {tif, false, 3, readBytes(tif).size()},
    };
    for (const Case& c : cases) {
        const QByteArray whole = readBytes(c.file);
        ASSERT_GT(c.complete, c.signature) << c.file.toStdString();
        clsImageHeaderInfo expected;
        ASSERT_TRUE(c.gifBmp ? expected.ReadGIF_BMP_Header(c.file) : expected.ReadJPEG_TIFF_PNG_Header(c.file));
        EXPECT_EQ(size(expected), identify(c.file)) << c.file.toStdString();
        for (qsizetype length = 0; length <= whole.size(); ++length) {
            const QString cut = write("cut", whole.left(length));
            clsImageHeaderInfo h;
            const bool result = c.gifBmp ? h.ReadGIF_BMP_Header(cut) : h.ReadJPEG_TIFF_PNG_Header(cut);
            const std::string where = c.file.toStdString() + " cut at " + std::to_string(length);
            ASSERT_EQ(result, length >= c.signature) << where;
            if (length >= c.complete) {
                ASSERT_EQ(size(h), size(expected)) << where;
                ASSERT_EQ(h.dpi(), expected.dpi()) << where;
                ASSERT_EQ(h.BitsPerPixel(), expected.BitsPerPixel()) << where;
            }
        }
    }
}

TEST_F(clsImageHeaderInfoTest, HostileLengthsAndEndlessWalksStop)
{
    const QByteArray frame = sof(0xC0, 5, 4, 3);
    // A length shorter than itself ends the JPEG walk; one past the end of the file too.
    for (const char* length : {"\x00\x00", "\xFF\xFF"}) {
        EXPECT_EQ(size(read(QByteArray("\xFF\xD8\xFF\xE1", 4) + QByteArray(length, 2) + frame)), "0x0");
        EXPECT_TRUE(ok);
    }
    // Segments too short for the fields they should hold are passed over, not read into the
    // next one (whose bytes here would say 4 dots per inch).
    clsImageHeaderInfo h = read(
        jpeg(frame + segment(0xE0, QByteArray("JFIF\0\1", 6)) + segment(0x01, QByteArray(2, '\0')) + segment(0xC0, "ab")));
    EXPECT_EQ(size(h), "5x4");
    EXPECT_EQ(h.dpi(), 1);

    // Empty segments and chunks are walked up to a limit, then the rest is left alone.
    const int limit = clsImageHeaderInfo::kMaxSegments;
    const QByteArray emptySegment("\xFF\xFE\x00\x02", 4);
    EXPECT_EQ(read(jpeg(emptySegment.repeated(limit - 1) + frame)).Width(), 5);
    EXPECT_EQ(read(jpeg(emptySegment.repeated(limit) + frame)).Width(), 0);
    EXPECT_TRUE(ok);
    const QByteArray emptyChunk = pngChunk("tEXt", {});
    EXPECT_EQ(read(png(emptyChunk.repeated(limit - 1) + ihdr(6, 2, 8, 2))).Width(), 6);
    EXPECT_EQ(read(png(emptyChunk.repeated(limit) + ihdr(6, 2, 8, 2))).Width(), 0);

    // PNG lengths that point far past the end, and an IHDR too short for its fields.
    EXPECT_EQ(read(png(pngChunk("tEXt", "a").replace(0, 4, be32(0xFFFFFFFF)) + ihdr(6, 2, 8, 2))).Width(), 0);
    EXPECT_TRUE(ok);
    EXPECT_EQ(read(png(pngChunk("IHDR", be32(7)) + ihdr(6, 2, 8, 2))).Width(), 6);

    // TIFF offsets past the end: the IFD, its entries and the XResolution rational read as
    // nothing, and the reader still succeeds.
    h = read(QByteArray("II*\0\xFF\xFF\xFF\xFF", 8));
    EXPECT_TRUE(ok);
    EXPECT_EQ(size(h), "0x0");
    EXPECT_EQ(h.BitsPerPixel(), 24);
    h = read(tiff({{256, 4, 11}, {282, 5, 0xFFFFFFF0}, {296, 3, 2}}).replace(8, 2, le16(0xFFFF)));
    EXPECT_EQ(h.Width(), 11);
    EXPECT_EQ(h.dpi(), 0);

    // GIF and BMP files shorter than their header: what is there is read, the rest is 0.
    h.ReadGIF_BMP_Header(write("short.gif", QByteArray("GIF89a\x2A", 7)));
    EXPECT_EQ(h.Width(), 42);
    EXPECT_EQ(h.BitsPerPixel(), 1);
    EXPECT_TRUE(h.ReadGIF_BMP_Header(write("short.bmp", "BM")));
    EXPECT_EQ(size(h), "0x0");
}

}  // namespace
