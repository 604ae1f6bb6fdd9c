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

namespace {

// PNG: signature, chunks, end.
QByteArray ihdr(quint32 width, quint32 height, int depth = 8, int colourType = 2)
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
std::string facts(const clsImageHeaderInfo& h)
{
    const char* const formats[] = {"None", "GIF", "BMP", "TIFF", "JPEG", "PNG"};
    return QStringLiteral("%1 %2x%3 %4-bit %5 dpi%6")
        .arg(formats[int(h.Format())])
        .arg(h.Width())
        .arg(h.Height())
        .arg(h.BitsPerPixel())
        .arg(h.dpi())
        .arg(h.IsGray() ? " grey" : "")
        .toStdString();
}

class clsImageHeaderInfoTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) { return writeBytes(dir.filePath(name), bytes); }
    QString convert(const QString& arguments) { return magick(arguments, dir.path()); }
    // Reads with the TIFF/JPEG/PNG entry point, or the GIF/BMP one; the result goes to `ok`.
    clsImageHeaderInfo read(const QString& file, bool gifBmp = false)
    {
        clsImageHeaderInfo h;
        ok = gifBmp ? h.ReadGIF_BMP_Header(file) : h.ReadJPEG_TIFF_PNG_Header(file);
        return h;
    }
    clsImageHeaderInfo read(const QByteArray& bytes, bool gifBmp = false)
    {
        return read(write("bytes", bytes), gifBmp);
    }
    // What the entry point says, "refused: " before it when it returned false.
    template <typename File>
    std::string said(const File& file, bool gifBmp = false)
    {
        const std::string all = facts(read(file, gifBmp));
        return ok ? all : "refused: " + all;
    }
    // The size as identify gives it.
    static QString size(const clsImageHeaderInfo& h) { return QStringLiteral("%1x%2").arg(h.Width()).arg(h.Height()); }

    QTemporaryDir dir;
    bool ok = false;
};

// Files ImageMagick writes, each read through the entry point for its kind. exiftool confirms
// what makes the case (all its values in one call), identify the size wherever the reader has one.
TEST_F(clsImageHeaderInfoTest, FilesImageMagickWritesReadAsIdentifyAndExiftoolSeeThem)
{
    const struct {
        const char* make;  // convert's arguments
        const char* tags;  // exiftool's tags, and what it must say about them
        const char* values;
        const char* said;
    } cases[] = {
        {"-size 640x480 gradient: -type TrueColor BMP3:a.bmp", "BitDepth", "24", "BMP 640x480 24-bit 0 dpi"},
        // OS/2's 12-byte header: 16-bit width and height.
        {"-size 400x100 gradient: -type TrueColor BMP2:os2.bmp", "BMPVersion BitDepth", "12 24",
         "BMP 400x100 24-bit 0 dpi"},
        {"-size 64x48 plasma: -colors 256 a.gif", "BitsPerPixel", "8", "GIF 64x48 8-bit 0 dpi"},
        {"-size 9x7 pattern:checkerboard -colors 2 two.gif", "BitsPerPixel", "1", "GIF 9x7 1-bit 0 dpi"},
        {"-size 20x10 plasma: -density 72 -units PixelsPerInch inch.jpg", "ResolutionUnit XResolution", "1 72",
         "JPEG 20x10 24-bit 72 dpi"},
        // Unit 0 sets nothing, and no resolution reads 1.
        {"-size 20x10 plasma: -density 72 -units Undefined none.jpg", "ResolutionUnit", "0", "JPEG 20x10 24-bit 1 dpi"},
        // 28 x 2.54 = 71.12
        {"-size 20x10 plasma: -density 28 -units PixelsPerCentimeter cm.jpg", "ResolutionUnit XResolution", "2 28",
         "JPEG 20x10 24-bit 71 dpi"},
        {"-size 33x17 gradient: -colorspace Gray grey.jpg", "ColorComponents", "1", "JPEG 33x17 24-bit 1 dpi grey"},
        // Only a baseline frame carries the size.
        {"-size 40x30 plasma: -interlace JPEG p.jpg", "EncodingProcess", "2", "JPEG 0x0 24-bit 1 dpi"},
        {"-size 30x20 plasma: -alpha on PNG32:rgba.png", "ColorType BitDepth", "6 8", "PNG 30x20 24-bit 0 dpi"},
        {"-size 31x21 plasma: -depth 16 PNG48:deep.png", "ColorType BitDepth", "2 16", "PNG 31x21 16-bit 0 dpi"},
        {"-size 32x22 gradient: -depth 8 -define png:color-type=0 grey.png", "ColorType BitDepth", "0 8",
         "PNG 32x22 8-bit 0 dpi grey"},
        {"-size 5x5 plasma: -density 28.35 -units PixelsPerCentimeter phys.png", "PixelsPerUnitX PixelUnits BitDepth",
         "2835 1 16", "PNG 5x5 16-bit 72 dpi"},
        // A grey gradient, still 24 bits and not grey.
        {"-size 30x20 gradient: -density 300 -units PixelsPerInch inch.tif", "XResolution ResolutionUnit", "300 2",
         "TIFF 30x20 24-bit 300 dpi"},
        // Centimetres are rounded down: 299.72.
        {"-size 30x20 gradient: -density 118 -units PixelsPerCentimeter cm.tif", "XResolution ResolutionUnit", "118 3",
         "TIFF 30x20 24-bit 299 dpi"},
        {"-size 30x20 gradient: -define tiff:endian=msb mm.tif", "ExifByteOrder", "MM",
         "refused: None 0x0 0-bit 0 dpi"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.make);
        const QString file = convert(c.make);
        QStringList exiftool{"-s3", "-n"};
        for (const QString& tag : QString(c.tags).split(u' '))
            exiftool << '-' + tag;
        ASSERT_EQ(runTool("exiftool", exiftool << file).out.simplified(), c.values);
        const bool gifBmp = file.endsWith(".gif") || file.endsWith(".bmp");
        EXPECT_EQ(said(file, gifBmp), c.said);
        if (read(file, gifBmp).Width() != 0) {
            EXPECT_EQ(size(read(file, gifBmp)).toStdString(), identify(file).toStdString());
        }
    }
}

// The rules no file ImageMagick writes can show, on header bytes written here.
TEST_F(clsImageHeaderInfoTest, RulesOnExactHeaderBytes)
{
    const QByteArray frame = sof(0xC0, 1, 1, 3);
    const auto physPng = [](quint32 ppm, int unit, const QByteArray& before = {}) {
        return png(ihdr(1, 1, 8, 2) + before + pngChunk("pHYs", be32(ppm) + be32(ppm) + char(unit)));
    };
    const auto tiffDpi = [](int unit, quint32 numerator, quint32 denominator) {
        std::vector<TiffEntry> entries{{256, 3, 7}, {257, 4, 9}, {282, 5, 0}};
        if (unit != 0)
            entries.push_back({296, 3, quint32(unit)});
        return tiff(entries, numerator, denominator);
    };
    const std::pair<QByteArray, const char*> cases[] = {
        // JPEG: exact halves of dots per centimetre round to even (63.5 -> 64, 190.5 -> 190); without
        // any APP0, or with density 0, the resolution is 1; a progressive frame gives no size.
        {jpeg(jfif(2, 25) + frame), "JPEG 1x1 24-bit 64 dpi"},
        {jpeg(jfif(2, 75) + frame), "JPEG 1x1 24-bit 190 dpi"},
        {jpeg(frame), "JPEG 1x1 24-bit 1 dpi"},
        {jpeg(jfif(1, 0) + frame), "JPEG 1x1 24-bit 1 dpi"},
        {jpeg(sof(0xC1, 9, 8, 3)), "JPEG 0x0 24-bit 1 dpi"},
        // PNG: depths other than 8 neither widen nor mark grey; grey with alpha is grey. pHYs in
        // metres, halves to even (2500 -> 63.5, 7500 -> 190.5); unit 0 says nothing; nothing after
        // the image data counts.
        {png(ihdr(3, 2, 16, 0)), "PNG 3x2 16-bit 0 dpi"},
        {png(ihdr(3, 2, 8, 4)), "PNG 3x2 8-bit 0 dpi grey"},
        {png(ihdr(3, 2, 8, 3)), "PNG 3x2 8-bit 0 dpi"},
        {physPng(2500, 1), "PNG 1x1 24-bit 64 dpi"},
        {physPng(7500, 1), "PNG 1x1 24-bit 190 dpi"},
        {physPng(2835, 0), "PNG 1x1 24-bit 0 dpi"},
        {physPng(3780, 1, pngChunk("IDAT", "x")), "PNG 1x1 24-bit 0 dpi"},
        // TIFF: inches round half to even; any other unit, or none, is centimetres rounded down (127
        // exactly, not 126.99...); a zero denominator gives no resolution; the version must be 42.
        {tiffDpi(2, 601, 2), "TIFF 7x9 24-bit 300 dpi"},
        {tiffDpi(2, 603, 2), "TIFF 7x9 24-bit 302 dpi"},
        {tiffDpi(0, 100, 1), "TIFF 7x9 24-bit 254 dpi"},
        {tiffDpi(1, 50, 1), "TIFF 7x9 24-bit 127 dpi"},
        {tiffDpi(2, 300, 0), "TIFF 7x9 24-bit 0 dpi"},
        {tiff({{256, 3, 7}, {257, 4, 9}}), "TIFF 7x9 24-bit 0 dpi"},
        {QByteArray("II+\0\x08\0\0\0", 8), "refused: TIFF 0x0 0-bit 0 dpi"},
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(said(bytes), expected) << bytes.toHex().left(60).toStdString();
}

TEST_F(clsImageHeaderInfoTest, GifAndBmpEntryKeepsResolutionAndGreyOfTheReadBefore)
{
    clsImageHeaderInfo h;
    ASSERT_TRUE(h.ReadJPEG_TIFF_PNG_Header(write("g.jpg", jpeg(jfif(1, 150) + sof(0xC0, 4, 3, 1)))));
    ASSERT_EQ(facts(h), "JPEG 4x3 24-bit 150 dpi grey");
    EXPECT_TRUE(h.ReadGIF_BMP_Header(write("a.bmp", bmpHeader(7, 5, 8))));
    EXPECT_EQ(facts(h), "BMP 7x5 8-bit 150 dpi grey");
    // A file of another kind is not recognised: the three values go back to 0.
    EXPECT_FALSE(h.ReadGIF_BMP_Header(write("a.png", png(ihdr(3, 2)))));
    EXPECT_EQ(facts(h), "None 0x0 0-bit 150 dpi grey");
    // The other entry point resets everything.
    EXPECT_FALSE(h.ReadJPEG_TIFF_PNG_Header(write("a.txt", "hello, not a picture\n")));
    EXPECT_EQ(facts(h), "None 0x0 0-bit 0 dpi");
}

// Each case: the bytes, what the reader says of them, and through which entry point.
struct BytesCase {
    QByteArray bytes;
    const char* said;
    bool gifBmp = false;
};

TEST_F(clsImageHeaderInfoTest, ValuesAbove32767WrapInTheFieldsAndStayWhole)
{
    const struct {
        BytesCase read;
        const char* whole;  // the full values: "WIDTHxHEIGHT DPI"
    } cases[] = {
        {{png(ihdr(40000, 70000)), "PNG -25536x4464 24-bit 0 dpi"}, "40000x70000 0"},
        {{png(ihdr(0xFFFFFFFF, 32767) + pngChunk("pHYs", be32(4000000) + be32(1) + char(1))),
          "PNG -1x32767 24-bit -29472 dpi"}, "4294967295x32767 101600"},
        // 65535 x 2.54 = 166458.9; a resolution that wraps to 0 is still one, it does not become 1.
        {{jpeg(jfif(2, 65535) + sof(0xC0, 65535, 32768, 3)), "JPEG -1x-32768 24-bit -30149 dpi"},
         "65535x32768 166459"},
        {{jpeg(jfif(2, 51603)), "JPEG 0x0 24-bit 0 dpi"}, "0x0 131072"},
        {{tiff({{256, 4, 100000}, {282, 5, 0}, {296, 3, 2}}, 100000, 1), "TIFF -31072x0 24-bit -31072 dpi"},
         "100000x0 100000"},
        // The upper half of a SHORT entry's value is padding.
        {{tiff({{256, 3, 0xABCD0007}}), "TIFF 7x0 24-bit 0 dpi"}, "7x0 0"},
        // A top-down BMP: the 16-bit height is the low half of the negative field.
        {{bmpHeader(70000, -480, 32), "BMP 4464x-480 32-bit 0 dpi", true}, "70000x480 0"},
    };
    for (const auto& [c, whole] : cases) {
        const clsImageHeaderInfo h = read(c.bytes, c.gifBmp);
        EXPECT_EQ(said(c.bytes, c.gifBmp), c.said);
        EXPECT_EQ(QStringLiteral("%1x%2 %3").arg(h.FullWidth()).arg(h.FullHeight()).arg(h.FullDpi()), whole);
    }
}

TEST_F(clsImageHeaderInfoTest, MissingEmptyAndForeignFilesReadNothing)
{
    for (const QString& file : {dir.filePath("missing.jpg"), dir.path(), write("empty.png", {}),
                                write("text.jpg", "just some words\n"), write("one.jpg", "\xFF")}) {
        EXPECT_EQ(said(file), "refused: None 0x0 0-bit 0 dpi") << file.toStdString();
        EXPECT_EQ(said(file, true), "refused: None 0x0 0-bit 0 dpi") << file.toStdString();
    }
}

// Every prefix of a real file: the entry point's answer follows from how much of the header is
// there, and once everything up to the image data is, the values are those of the whole file.
TEST_F(clsImageHeaderInfoTest, TruncationsAtEveryLength)
{
    const QString jpg = convert("-size 6x5 plasma: -density 96 -units PixelsPerInch t.jpg");
    const QString pngFile = convert("-size 6x5 plasma: -density 37.8 -units PixelsPerCentimeter PNG24:t.png");
    const struct {
        QString file;
        qsizetype signature;  // shortest prefix that is recognised
        qsizetype complete;   // shortest prefix that reads like the whole file
    } cases[] = {
        {convert("-size 6x5 plasma: t.gif"), 3, 11},
        {convert("-size 6x5 plasma: BMP3:t.bmp"), 2, 29},
        {jpg, 2, readBytes(jpg).indexOf("\xFF\xDA")},
        {pngFile, 8, readBytes(pngFile).indexOf("IDAT") + 4},
        {convert("-size 6x5 plasma: -density 150 -units PixelsPerInch t.tif"), 3, 0},
    };
    for (const auto& [file, signature, complete] : cases) {
        const QByteArray whole = readBytes(file);
        const bool gifBmp = file.endsWith(".gif") || file.endsWith(".bmp");
        const std::string expected = said(file, gifBmp);
        ASSERT_EQ(size(read(file, gifBmp)).toStdString(), identify(file).toStdString()) << file.toStdString();
        for (qsizetype length = 0; length <= whole.size(); ++length) {
            const std::string where = file.toStdString() + " cut at " + std::to_string(length);
            const std::string cut = said(whole.left(length), gifBmp);
            ASSERT_EQ(ok, length >= signature) << where;
            if (length >= (complete != 0 ? complete : whole.size())) {
                ASSERT_EQ(cut, expected) << where;
            }
        }
    }
}

TEST_F(clsImageHeaderInfoTest, HostileLengthsAndEndlessWalksEndInAResult)
{
    const QByteArray frame = sof(0xC0, 5, 4, 3);
    const int limit = clsImageHeaderInfo::kMaxSegments;
    const QByteArray emptySegment("\xFF\xFE\x00\x02", 4);
    const QByteArray emptyChunk = pngChunk("tEXt", {});
    const BytesCase cases[] = {
        // A JPEG segment length shorter than itself ends the walk; one past the end of the file too.
        {QByteArray("\xFF\xD8\xFF\xE1\x00\x00", 6) + frame, "JPEG 0x0 24-bit 1 dpi"},
        {QByteArray("\xFF\xD8\xFF\xE1\xFF\xFF", 6) + frame, "JPEG 0x0 24-bit 1 dpi"},
        // Segments too short for the fields they should hold are passed over, not read into the
        // next one (whose bytes here would say 4 dots per inch).
        {jpeg(frame + segment(0xE0, QByteArray("JFIF\0\1", 6)) + segment(0x01, QByteArray(2, '\0')) +
              segment(0xC0, "ab")),
         "JPEG 5x4 24-bit 1 dpi"},
        // Empty segments and chunks are walked up to a limit, then the rest is left alone.
        {jpeg(emptySegment.repeated(limit - 1) + frame), "JPEG 5x4 24-bit 1 dpi"},
        {jpeg(emptySegment.repeated(limit) + frame), "JPEG 0x0 24-bit 1 dpi"},
        {png(emptyChunk.repeated(limit - 1) + ihdr(6, 2)), "PNG 6x2 24-bit 0 dpi"},
        {png(emptyChunk.repeated(limit) + ihdr(6, 2)), "PNG 0x0 0-bit 0 dpi"},
        // PNG lengths that point far past the end, an IHDR too short for its fields, and a
        // signature that breaks off after "\x89P".
        {png(pngChunk("tEXt", "a").replace(0, 4, be32(0xFFFFFFFF)) + ihdr(6, 2)), "PNG 0x0 0-bit 0 dpi"},
        {png(pngChunk("IHDR", be32(7)) + ihdr(6, 2)), "PNG 6x2 24-bit 0 dpi"},
        {QByteArray("\x89PNG\r\n\x1a\x0b", 8) + ihdr(5, 5), "refused: PNG 0x0 0-bit 0 dpi"},
        // TIFF offsets past the end: the IFD, its entries and the XResolution rational read as
        // nothing, and the reader still succeeds.
        {QByteArray("II*\0\xFF\xFF\xFF\xFF", 8), "TIFF 0x0 24-bit 0 dpi"},
        {tiff({{256, 4, 11}, {282, 5, 0xFFFFFFF0}, {296, 3, 2}}).replace(8, 2, le16(0xFFFF)), "TIFF 11x0 24-bit 0 dpi"},
        // GIF and BMP files shorter than their header: what is there is read, the rest is 0.
        {QByteArray("GIF89a\x2A", 7), "GIF 42x0 1-bit 0 dpi", true},
        {"BM", "BMP 0x0 0-bit 0 dpi", true},
    };
    for (const BytesCase& c : cases)
        EXPECT_EQ(said(c.bytes, c.gifBmp), c.said) << c.bytes.left(30).toHex().toStdString();
}

}  // namespace
