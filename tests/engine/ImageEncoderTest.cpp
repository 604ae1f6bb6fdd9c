// The engine's file writers: every format with every colour depth and option it offers, judged by
// programs that are not Lumora (ImageMagick, exiftool, libtiff's tiffinfo, poppler's pdfinfo,
// pdfimages and pdftoppm) and read back through decoders other than the writers (libvips,
// ImageMagick).

#include "engine/EngineError.h"
#include "support/EngineFixtures.h"
#include "support/Oracles.h"

#include <QFileInfo>
#include <QSize>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <set>

using namespace lumora;
using namespace lumora::test;

namespace {

class EncoderFiles : public ::testing::Test {
protected:
    ImageBox box;
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

    QString saved(const QString& name)
    {
        box.SaveToFile(path(name));
        return path(name);
    }
};

// Four solid quarters: red, green / blue, white.
Picture quarters(int width, int height)
{
    Picture p = Picture::filled(width, height, Rgb{255, 255, 255});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            if (!bottom)
                p.setPixel(x, y, right ? Rgb{0, 255, 0} : Rgb{255, 0, 0});
            else if (!right)
                p.setPixel(x, y, Rgb{0, 0, 255});
        }
    return p;
}

// `colours` exact colours in a scatter without long runs, so that LZW fills its table many times.
Picture scatter(int width, int height, int colours)
{
    Picture p = Picture::filled(width, height, Rgb{});
    std::uint32_t state = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            state = state * 1103515245u + 12345u;
            const int c = static_cast<int>((state >> 16) % static_cast<std::uint32_t>(colours));
            p.setPixel(x, y,
                       Rgb{static_cast<std::uint8_t>(c * 37 % 256), static_cast<std::uint8_t>(c * 11 % 256),
                           static_cast<std::uint8_t>(255 - c)});
        }
    return p;
}

Picture loaded(const QString& file)
{
    ImageBox reader;
    reader.LoadFromFile(file);
    return reader.Picture();
}

// The picture as ImageMagick decodes the file (converted to PNG, which libvips then reads).
Picture decodedByImageMagick(const QString& file)
{
    const QString png = file + QStringLiteral(".im.png");
    const ToolResult r = runTool(QStringLiteral("convert"), {file + QStringLiteral("[0]"), png});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return loaded(png);
}

// The picture as Pillow decodes the file (converted to PNG, which libvips then reads).
Picture decodedByPillow(const QString& file)
{
    const QString png = file + QStringLiteral(".pil.png");
    const QString python = QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                                  : QStringLiteral("python3");
    const ToolResult r = runTool(python, {QStringLiteral("-c"),
                                          QStringLiteral("import sys; from PIL import Image; "
                                                         "Image.open(sys.argv[1]).convert('RGB').save(sys.argv[2])"),
                                          file, png});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return loaded(png);
}

// The alpha ImageMagick sees at (x, y), 0 (transparent) .. 1.
double alphaAt(const QString& file, int x, int y)
{
    return runTool(QStringLiteral("convert"), {file + QStringLiteral("[0]"), QStringLiteral("-format"),
                                               QStringLiteral("%[fx:p{%1,%2}.a]").arg(x).arg(y), QStringLiteral("info:")})
        .out.trimmed()
        .toDouble();
}

// Pixels where a decoded picture differs from the original: the pixels of the transparent colour
// must be fully transparent, all others opaque and of their colour.
int transparencyMismatches(const Picture& decoded, const Picture& original, Rgb transparent)
{
    if (decoded.width() != original.width() || decoded.height() != original.height())
        return -1;
    int wrong = 0;
    for (int y = 0; y < original.height(); ++y)
        for (int x = 0; x < original.width(); ++x) {
            const bool clear = original.rgbAt(x, y) == transparent;
            if (clear ? decoded.alphaAt(x, y) != 0
                      : decoded.alphaAt(x, y) != 255 || decoded.rgbAt(x, y) != original.rgbAt(x, y))
                ++wrong;
        }
    return wrong;
}

std::set<std::uint32_t> coloursOf(const Picture& p)
{
    std::set<std::uint32_t> colours;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            colours.insert(OleColor::fromRgb(p.rgbAt(x, y)));
    return colours;
}

// exiftool's reading of many files at once: file name -> tag -> value.
QJsonObject exiftoolTags(const QStringList& files, const QStringList& tags)
{
    QStringList args = {QStringLiteral("-j"), QStringLiteral("-n")};
    for (const QString& tag : tags)
        args << QLatin1Char('-') + tag;
    const ToolResult r = runTool(QStringLiteral("exiftool"), args + files);
    QJsonObject byFile;
    for (const QJsonValue& entry : QJsonDocument::fromJson(r.out.toUtf8()).array())
        byFile[QFileInfo(entry[QStringLiteral("SourceFile")].toString()).fileName()] = entry.toObject();
    return byFile;
}

// --- every format at every depth -------------------------------------------------------------

struct DepthCase {
    const char* ext;
    int depth;
    const char* format;  // ImageMagick's %m
    const char* type;    // ImageMagick's %[type]
    int bits;            // bits per pixel of the file (0: not checked here)
    int maxColours;      // 0: true colour, more than 256
};

// Bits per pixel: identify for BMP, TIFF, JPEG and PSD; exiftool for GIF (palette size), PCX
// (bits per plane times planes) and PNG.
const DepthCase kDepthCases[] = {
    {"bmp", 0, "BMP3", "TrueColor", 24, 0},   {"bmp", 1, "BMP3", "Palette", 8, 256},
    {"bmp", 2, "BMP3", "Grayscale", 8, 256},  {"bmp", 3, "BMP3", "Palette", 4, 16},
    {"bmp", 4, "BMP3", "Grayscale", 4, 16},   {"bmp", 5, "BMP3", "Bilevel", 1, 2},
    {"bmp", 6, "BMP3", "Bilevel", 1, 2},      {"gif", 0, "GIF", "Palette", 8, 256},
    {"gif", 1, "GIF", "Palette", 8, 256},     {"gif", 2, "GIF", "Grayscale", 8, 256},
    {"gif", 3, "GIF", "Palette", 4, 16},      {"gif", 4, "GIF", "Grayscale", 4, 16},
    {"gif", 5, "GIF", "Bilevel", 1, 2},       {"gif", 6, "GIF", "Bilevel", 1, 2},
    {"jpg", 0, "JPEG", "TrueColor", 24, 0},   {"jpg", 1, "JPEG", "TrueColor", 24, 0},
    {"jpg", 2, "JPEG", "Grayscale", 8, 256},  {"jpg", 3, "JPEG", "TrueColor", 24, 0},
    {"jpg", 4, "JPEG", "TrueColor", 24, 0},   {"jpg", 5, "JPEG", "TrueColor", 24, 0},
    {"jpg", 6, "JPEG", "TrueColor", 24, 0},   {"pcx", 0, "PCX", "TrueColor", 24, 0},
    {"pcx", 1, "PCX", "Palette", 8, 256},     {"pcx", 2, "PCX", "Grayscale", 8, 256},
    {"pcx", 3, "PCX", "Palette", 4, 16},      {"pcx", 4, "PCX", "Grayscale", 4, 16},
    {"pcx", 5, "PCX", "Bilevel", 1, 2},       {"pcx", 6, "PCX", "Bilevel", 1, 2},
    {"png", 0, "PNG", "TrueColor", 24, 0},    {"png", 1, "PNG", "Palette", 8, 256},
    {"png", 2, "PNG", "TrueColor", 24, 0},    {"png", 3, "PNG", "TrueColor", 24, 0},
    {"png", 4, "PNG", "TrueColor", 24, 0},    {"png", 5, "PNG", "TrueColor", 24, 0},
    {"png", 6, "PNG", "TrueColor", 24, 0},    {"wbmp", 0, "WBMP", "Bilevel", 0, 2},
    {"wbmp", 1, "WBMP", "Bilevel", 0, 2},     {"wbmp", 2, "WBMP", "Bilevel", 0, 2},
    {"wbmp", 5, "WBMP", "Bilevel", 0, 2},     {"psd", 0, "PSD", "TrueColor", 24, 0},
    {"psd", 1, "PSD", "TrueColor", 24, 0},    {"psd", 2, "PSD", "TrueColor", 24, 0},
    {"psd", 6, "PSD", "TrueColor", 24, 0},    {"tif", 0, "TIFF", "TrueColor", 24, 0},
    {"tif", 1, "TIFF", "Palette", 8, 256},    {"tif", 2, "TIFF", "Grayscale", 8, 256},
    {"tif", 3, "TIFF", "Palette", 4, 16},     {"tif", 4, "TIFF", "Grayscale", 4, 16},
    {"tif", 5, "TIFF", "Bilevel", 1, 2},      {"tif", 6, "TIFF", "Bilevel", 1, 2},
};

TEST_F(EncoderFiles, EveryFormatWritesEachColourDepthItOffers)
{
    box.SetBitmapHandle(gradientPicture(64, 48));  // 3072 colours
    QStringList viaExiftool;
    for (const DepthCase& c : kDepthCases) {
        box.SetSaveColorDepth(c.depth);
        const QString name = QStringLiteral("d%1.%2").arg(c.depth).arg(QString::fromLatin1(c.ext));
        const QString file = saved(name);
        const QString what = QStringLiteral("%1 at depth %2").arg(QString::fromLatin1(c.ext)).arg(c.depth);
        const QStringList seen = identify(file, QStringLiteral("%m %[type] %wx%h %k %z %[channels]")).split(u' ');
        ASSERT_EQ(seen.size(), 6) << what.toStdString();
        EXPECT_EQ(seen[0], QString::fromLatin1(c.format)) << what.toStdString();
        EXPECT_EQ(seen[1], QString::fromLatin1(c.type)) << what.toStdString();
        EXPECT_EQ(seen[2], QStringLiteral("64x48")) << what.toStdString();
        const int colours = seen[3].toInt();
        if (c.maxColours == 0)
            EXPECT_GT(colours, 256) << what.toStdString();
        else
            EXPECT_LE(colours, c.maxColours) << what.toStdString();
        // Quantised images use the room they have rather than collapsing to a few colours.
        if (c.maxColours >= 16) {
            EXPECT_GT(colours, c.maxColours / 2) << what.toStdString();
        }
        const QString ext = QString::fromLatin1(c.ext);
        if (ext == u"bmp" || ext == u"tif" || ext == u"jpg" || ext == u"psd") {
            const int perChannel = seen[4].toInt();
            const int channels = seen[5].startsWith(u"srgb") ? 3 : 1;
            EXPECT_EQ(c.bits == 24 ? perChannel * channels : perChannel, c.bits) << what.toStdString();
        } else if (c.bits != 0) {
            viaExiftool << file;
        }
    }

    const QJsonObject tags = exiftoolTags(
        viaExiftool, {QStringLiteral("BitsPerPixel"), QStringLiteral("ColorPlanes"), QStringLiteral("BitDepth"),
                      QStringLiteral("ColorType")});
    for (const DepthCase& c : kDepthCases) {
        const QString name = QStringLiteral("d%1.%2").arg(c.depth).arg(QString::fromLatin1(c.ext));
        if (!viaExiftool.contains(path(name)))
            continue;
        const QJsonObject t = tags[name].toObject();
        int bits = 0;
        if (QLatin1String(c.ext) == u"gif")
            bits = t[QStringLiteral("BitsPerPixel")].toInt();
        else if (QLatin1String(c.ext) == u"pcx")
            bits = t[QStringLiteral("BitsPerPixel")].toInt() * t[QStringLiteral("ColorPlanes")].toInt();
        else  // PNG: colour type 2 is RGB (three samples), 3 a palette
            bits = t[QStringLiteral("BitDepth")].toInt() * (t[QStringLiteral("ColorType")].toInt() == 2 ? 3 : 1);
        EXPECT_EQ(bits, c.bits) << name.toStdString();
    }
}

TEST_F(EncoderFiles, PdfPagesHoldTheImageAtEachColourDepth)
{
    // pdfimages: colour space and bits per component of the embedded picture.
    const struct {
        int depth;
        const char* colour;
        int bpc;
    } cases[] = {{0, "rgb", 8}, {1, "rgb", 8}, {2, "gray", 8}, {3, "rgb", 8}, {4, "gray", 8}, {5, "gray", 1}, {6, "gray", 1}};
    box.SetBitmapHandle(gradientPicture(64, 48));
    for (const auto& c : cases) {
        box.SetSaveColorDepth(c.depth);
        const QString file = saved(QStringLiteral("d%1.pdf").arg(c.depth));
        const ToolResult info = runTool(QStringLiteral("pdfinfo"), {file});
        ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
        EXPECT_TRUE(info.out.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << c.depth;
        EXPECT_TRUE(info.out.contains(QRegularExpression(QStringLiteral("Page size:\\s+64 x 48 pts\\n")))) << c.depth;
        const QStringList lines = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file}).out.split(u'\n');
        ASSERT_GE(lines.size(), 3) << c.depth;
        const QStringList image = lines[2].simplified().split(u' ');
        ASSERT_GE(image.size(), 8) << c.depth;
        EXPECT_EQ(image[3] + u'x' + image[4], QStringLiteral("64x48")) << c.depth;
        EXPECT_EQ(image[5], QString::fromLatin1(c.colour)) << c.depth;
        EXPECT_EQ(image[7].toInt(), c.bpc) << c.depth;
    }
}

TEST_F(EncoderFiles, PdfRendersTheColoursOfTheReducedImage)
{
    box.SetBitmapHandle(quarters(40, 30));
    const auto render = [&](const QString& file) {
        const QString prefix = file + QStringLiteral(".page");
        const ToolResult r = runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"),
                                                                  QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                                                  file, prefix});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return loaded(prefix + QStringLiteral(".png"));
    };
    const Picture colour = render(saved(QStringLiteral("colour.pdf")));
    ASSERT_EQ(colour.width(), 40);
    ASSERT_EQ(colour.height(), 30);
    EXPECT_EQ(colour.rgbAt(5, 5), (Rgb{255, 0, 0}));
    EXPECT_EQ(colour.rgbAt(35, 5), (Rgb{0, 255, 0}));
    EXPECT_EQ(colour.rgbAt(5, 25), (Rgb{0, 0, 255}));
    EXPECT_EQ(colour.rgbAt(35, 25), (Rgb{255, 255, 255}));

    box.SetSaveColorDepth(6);
    const Picture mono = render(saved(QStringLiteral("mono.pdf")));
    ASSERT_EQ(mono.width(), 40);
    EXPECT_EQ(mono.rgbAt(5, 5), (Rgb{0, 0, 0}));          // red is darker than mid grey
    EXPECT_EQ(mono.rgbAt(35, 5), (Rgb{255, 255, 255}));   // green is lighter
    EXPECT_EQ(mono.rgbAt(35, 25), (Rgb{255, 255, 255}));
}

// --- colour reduction --------------------------------------------------------------------------

TEST_F(EncoderFiles, PalettesKeepTheColoursOfImagesThatFitThem)
{
    const Picture four = quarters(24, 16);
    box.SetBitmapHandle(four);
    for (const int depth : {1, 3}) {
        box.SetSaveColorDepth(depth);
        for (const char* ext : {"bmp", "gif", "pcx", "png", "tif"}) {
            const QString file = saved(QStringLiteral("four%1.%2").arg(depth).arg(QString::fromLatin1(ext)));
            EXPECT_EQ(loaded(file), four) << ext << " at depth " << depth;
            EXPECT_EQ(decodedByImageMagick(file), four) << ext << " at depth " << depth;
            // Pillow reads the four bit planes of 16-colour PCX files in the opposite order from
            // ImageMagick, GraphicsMagick and FreeImage (plane 0 holds bit 0 of the index).
            if (!(depth == 3 && QLatin1String(ext) == u"pcx")) {
                EXPECT_EQ(decodedByPillow(file), four) << ext << " at depth " << depth;
            }
        }
    }

    Picture greys = Picture::filled(16, 16, Rgb{});
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const auto v = static_cast<std::uint8_t>(y * 16 + x);
            greys.setPixel(x, y, Rgb{v, v, v});
        }
    box.SetBitmapHandle(greys);
    box.SetSaveColorDepth(2);
    for (const char* ext : {"bmp", "gif", "pcx", "tif"}) {
        const QString file = saved(QStringLiteral("greys.%1").arg(QString::fromLatin1(ext)));
        EXPECT_EQ(loaded(file), greys) << ext;
        EXPECT_EQ(decodedByPillow(file), greys) << ext;
    }
}

TEST_F(EncoderFiles, MonochromeDithersWhileBlackAndWhiteCutsAtMidGrey)
{
    Picture halves = Picture::filled(32, 32, Rgb{127, 127, 127});
    for (int y = 0; y < 32; ++y)
        for (int x = 16; x < 32; ++x)
            halves.setPixel(x, y, Rgb{128, 128, 128});
    box.SetBitmapHandle(halves);
    box.SetSaveColorDepth(6);
    // Pillow decodes one-bit PCX files the way PC Paintbrush wrote them (a set bit is white), which
    // the ImageMagick 6 here reads the other way round.
    for (const char* ext : {"bmp", "pcx", "tif", "gif"}) {
        const Picture bw = decodedByPillow(saved(QStringLiteral("cut.%1").arg(QString::fromLatin1(ext))));
        EXPECT_EQ(meanChannel(bw, 1, 0, 0, 16, 32), 0.0) << ext;
        EXPECT_EQ(meanChannel(bw, 1, 16, 0, 32, 32), 255.0) << ext;
    }

    // A flat grey comes out as a pattern whose average is that grey.
    box.SetBitmapHandle(Picture::filled(64, 64, Rgb{100, 100, 100}));
    box.SetSaveColorDepth(5);
    const Picture dithered = loaded(saved(QStringLiteral("dither.bmp")));
    EXPECT_EQ(coloursOf(dithered), (std::set<std::uint32_t>{0x000000, 0xFFFFFF}));
    EXPECT_NEAR(meanChannel(dithered, 0, 0, 0, 64, 64), 100.0, 4.0);
    box.SetSaveColorDepth(6);
    EXPECT_EQ(coloursOf(loaded(saved(QStringLiteral("flat.bmp")))), (std::set<std::uint32_t>{0x000000}));

    // Sixteen greys: evenly spaced levels (multiples of 17), dithered around the grey between them.
    box.SetSaveColorDepth(4);
    const Picture sixteen = loaded(saved(QStringLiteral("sixteen.tif")));
    for (const std::uint32_t c : coloursOf(sixteen))
        EXPECT_TRUE((c & 0xFF) % 17 == 0 && c == (c & 0xFF) * 0x010101u) << std::hex << c;
    EXPECT_EQ(coloursOf(sixteen).size(), 2u);  // 85 and 102
    EXPECT_NEAR(meanChannel(sixteen, 0, 0, 0, 64, 64), 100.0, 1.0);
}

TEST_F(EncoderFiles, OddSizesAndSinglePixelsDecodeExactly)
{
    // Black and white survive every colour depth unchanged, so any fault in row padding, bit
    // packing or run lengths shows as a wrong pixel.
    const QSize sizes[] = {{1, 1}, {7, 3}, {33, 2}};
    const char* const extensions[] = {"bmp", "gif", "pcx", "png", "psd", "tif", "wbmp"};
    for (const QSize size : sizes) {
        Picture pattern = Picture::filled(size.width(), size.height(), Rgb{255, 255, 255});
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if ((x * 3 + y) % 5 < 2)
                    pattern.setPixel(x, y, Rgb{0, 0, 0});
        box.SetBitmapHandle(pattern);
        for (int depth = 0; depth <= 6; ++depth) {
            box.SetSaveColorDepth(depth);
            for (const char* ext : extensions) {
                // Photoshop and WBMP files have one layout whatever the depth, PNG files two.
                const bool oneLayout = QLatin1String(ext) == u"psd" || QLatin1String(ext) == u"wbmp";
                if ((oneLayout && depth > 0) || (QLatin1String(ext) == u"png" && depth > 1))
                    continue;
                for (int compression = 0; compression <= (QLatin1String(ext) == u"tif" ? 2 : 0); ++compression) {
                    box.SetTiffCompression(compression);
                    const QString file = saved(QStringLiteral("%1x%2-%3-%4.%5")
                                                   .arg(size.width())
                                                   .arg(size.height())
                                                   .arg(depth)
                                                   .arg(compression)
                                                   .arg(QString::fromLatin1(ext)));
                    // See MonochromeDithersWhileBlackAndWhiteCutsAtMidGrey for one-bit PCX files.
                    const bool monoPcx = QLatin1String(ext) == u"pcx" && depth >= 5;
                    EXPECT_EQ(monoPcx ? decodedByPillow(file) : decodedByImageMagick(file), pattern)
                        << file.toStdString();
                }
            }
        }
    }
}

TEST_F(EncoderFiles, ImagesWithAlphaSaveInEveryFormatAndDepth)
{
    const Picture opaque = gradientPicture(20, 12);
    Picture translucent(20, 12, 4, QByteArray(20 * 12 * 4, '\0'));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            translucent.setPixel(x, y, opaque.rgbAt(x, y), y == 0 ? 0 : 255);
    box.SetBitmapHandle(translucent);
    const char* const extensions[] = {"bmp", "gif", "jpg", "pcx", "png", "wbmp", "psd", "tif", "pdf"};
    for (int depth = 0; depth <= 6; ++depth) {
        box.SetSaveColorDepth(depth);
        for (const char* ext : extensions) {
            const QString file = saved(QStringLiteral("a%1.%2").arg(depth).arg(QString::fromLatin1(ext)));
            if (QLatin1String(ext) != u"pdf") {
                EXPECT_EQ(identify(file + QStringLiteral("[0]")), QStringLiteral("20x12")) << ext << depth;
            }
        }
    }
    // True colour PNG, TIFF and PDF keep the alpha; the palette and 24-bit formats drop it.
    EXPECT_EQ(identify(path(QStringLiteral("a0.png")), QStringLiteral("%A")), QStringLiteral("True"));
    EXPECT_EQ(identify(path(QStringLiteral("a0.tif")), QStringLiteral("%A")), QStringLiteral("True"));
    EXPECT_EQ(identify(path(QStringLiteral("a0.bmp")), QStringLiteral("%A")), QStringLiteral("False"));
    EXPECT_EQ(identify(path(QStringLiteral("a1.gif")), QStringLiteral("%A")), QStringLiteral("False"));
    EXPECT_TRUE(runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path(QStringLiteral("a0.pdf"))})
                    .out.contains(QStringLiteral("smask")));
}

// --- GIF ---------------------------------------------------------------------------------------

TEST_F(EncoderFiles, UncompressedGifDecodesLikeLzw)
{
    // 200 colours over 360 x 240 pixels fill the LZW table many times over; 16, 3 and 2 colours
    // try the narrower code sizes, with and without a transparent entry.
    const struct {
        int colours;
        int depth;
        bool transparent;
    } cases[] = {{200, 1, false}, {16, 3, false}, {3, 3, false}, {2, 6, false}, {2, 6, true}, {15, 3, true}};
    for (const auto& c : cases) {
        Picture original = scatter(360, 240, c.colours);
        if (c.depth == 6)  // black and white keeps only black and white
            for (int y = 0; y < original.height(); ++y)
                for (int x = 0; x < original.width(); ++x)
                    original.setPixel(x, y, original.rgbAt(x, y).b == 255 ? Rgb{255, 255, 255} : Rgb{0, 0, 0});
        box.SetBitmapHandle(original);
        box.SetSaveColorDepth(c.depth);
        box.SetSaveTransparent(c.transparent);
        box.SetBackColor(ole(255, 255, 255));
        const QString what = QStringLiteral("%1 colours%2").arg(c.colours).arg(c.transparent ? ", transparent" : "");
        for (const bool lzw : {true, false}) {
            box.SetGifLzw(lzw);
            const QString file = saved(QStringLiteral("s%1%2%3.gif").arg(c.colours).arg(c.transparent).arg(lzw));
            const std::string name = (what + (lzw ? QStringLiteral(", LZW") : QStringLiteral(", uncompressed"))).toStdString();
            EXPECT_EQ(identify(file, QStringLiteral("%m %wx%h")), QStringLiteral("GIF 360x240")) << name;
            if (c.transparent) {
                EXPECT_EQ(transparencyMismatches(loaded(file), original, Rgb{255, 255, 255}), 0) << name << ", libvips";
                EXPECT_EQ(transparencyMismatches(decodedByImageMagick(file), original, Rgb{255, 255, 255}), 0)
                    << name << ", ImageMagick";
            } else {
                EXPECT_EQ(loaded(file), original) << name << ", libvips";
                EXPECT_EQ(decodedByImageMagick(file), original) << name << ", ImageMagick";
            }
        }
    }
    EXPECT_TRUE(ImageBox().GifLzw());
}

TEST_F(EncoderFiles, UncompressedGifIsLargerThanLzw)
{
    box.SetBitmapHandle(gradientPicture(200, 150));
    for (const int depth : {1, 3, 5}) {
        box.SetSaveColorDepth(depth);
        box.SetGifLzw(true);
        const QString lzw = saved(QStringLiteral("lzw%1.gif").arg(depth));
        box.SetGifLzw(false);
        const QString plain = saved(QStringLiteral("plain%1.gif").arg(depth));
        EXPECT_GT(QFileInfo(plain).size(), QFileInfo(lzw).size()) << depth;
        EXPECT_EQ(loaded(plain), loaded(lzw)) << depth;
        EXPECT_EQ(decodedByPillow(plain), decodedByPillow(lzw)) << depth;
    }
}

// Pixels of exactly BackColor become transparent; a colour one step away stays opaque.
Picture withBackground(Rgb back)
{
    Picture p = gradientPicture(48, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 16; ++x)
            p.setPixel(x, y, back);
    p.setPixel(20, 5, Rgb{back.r, back.g, static_cast<std::uint8_t>(back.b + 1)});
    return p;
}

TEST_F(EncoderFiles, GifAndPngMakeTheBackColourTransparent)
{
    const Rgb back{40, 200, 90};
    box.SetBitmapHandle(withBackground(back));
    box.SetBackColor(ole(back.r, back.g, back.b));
    const struct {
        const char* ext;
        int depth;
    } cases[] = {{"gif", 0}, {"gif", 1}, {"gif", 2}, {"gif", 3}, {"gif", 4}, {"gif", 5}, {"gif", 6}, {"png", 0}, {"png", 1}};

    for (const auto& c : cases) {
        box.SetSaveColorDepth(c.depth);
        box.SetSaveTransparent(false);
        const QString opaque = saved(QStringLiteral("o%1.%2").arg(c.depth).arg(QString::fromLatin1(c.ext)));
        EXPECT_EQ(identify(opaque, QStringLiteral("%A")), QStringLiteral("False")) << c.ext << c.depth;

        box.SetSaveTransparent(true);
        const QString file = saved(QStringLiteral("t%1.%2").arg(c.depth).arg(QString::fromLatin1(c.ext)));
        EXPECT_NE(identify(file, QStringLiteral("%A")), QStringLiteral("False")) << c.ext << c.depth;
        EXPECT_EQ(alphaAt(file, 0, 0), 0.0) << c.ext << c.depth;
        EXPECT_EQ(alphaAt(file, 15, 31), 0.0) << c.ext << c.depth;
        EXPECT_EQ(alphaAt(file, 20, 5), 1.0) << c.ext << c.depth << " (one step from the back colour)";
        EXPECT_EQ(alphaAt(file, 30, 20), 1.0) << c.ext << c.depth;
        // libvips agrees, and the transparent entry has the back colour itself.
        const Picture back2 = loaded(file);
        ASSERT_TRUE(back2.hasAlpha()) << c.ext << c.depth;
        EXPECT_EQ(back2.alphaAt(3, 3), 0) << c.ext << c.depth;
        EXPECT_EQ(back2.alphaAt(40, 3), 255) << c.ext << c.depth;
    }
    const QString palettePng = path(QStringLiteral("t1.png"));
    EXPECT_EQ(identify(palettePng, QStringLiteral("%[type]")), QStringLiteral("PaletteAlpha"));
    EXPECT_EQ(identify(path(QStringLiteral("t0.png")), QStringLiteral("%[type]")), QStringLiteral("TrueColorAlpha"));
    EXPECT_FALSE(ImageBox().SaveTransparent());
}

// --- TIFF --------------------------------------------------------------------------------------

QString tiffinfo(const QString& file) { return runTool(QStringLiteral("tiffinfo"), {file}).out; }

TEST_F(EncoderFiles, TiffCompressionReachesTheFile)
{
    box.SetBitmapHandle(quarters(64, 40));
    const struct {
        int compression;
        int depth;
        const char* magick;  // identify %C
        const char* scheme;  // tiffinfo
    } cases[] = {{0, 0, "None", "None"},      {1, 0, "RLE", "PackBits"},      {0, 1, "None", "None"},
                 {1, 1, "RLE", "PackBits"},   {1, 4, "RLE", "PackBits"},      {1, 6, "RLE", "PackBits"},
                 {2, 0, "Group4", "CCITT Group 4"}, {2, 2, "Group4", "CCITT Group 4"}, {2, 6, "Group4", "CCITT Group 4"}};
    for (const auto& c : cases) {
        box.SetTiffCompression(c.compression);
        box.SetSaveColorDepth(c.depth);
        const QString file = saved(QStringLiteral("c%1d%2.tiff").arg(c.compression).arg(c.depth));
        EXPECT_EQ(identify(file, QStringLiteral("%C")), QString::fromLatin1(c.magick)) << c.compression << "/" << c.depth;
        EXPECT_TRUE(tiffinfo(file).contains(QStringLiteral("Compression Scheme: %1\n").arg(QString::fromLatin1(c.scheme))))
            << c.compression << "/" << c.depth;
    }
}

TEST_F(EncoderFiles, Group4WritesABilevelImageAtAnyDepth)
{
    const Picture original = quarters(64, 40);
    box.SetBitmapHandle(original);
    box.SetTiffCompression(2);
    for (const int depth : {0, 1, 4, 5, 6}) {
        box.SetSaveColorDepth(depth);
        const QString file = saved(QStringLiteral("fax%1.tif").arg(depth));
        EXPECT_EQ(identify(file, QStringLiteral("%[type] %z %[compression]")), QStringLiteral("Bilevel 1 Group4")) << depth;
        const QString info = tiffinfo(file);
        EXPECT_TRUE(info.contains(QStringLiteral("Bits/Sample: 1\n"))) << depth;
        EXPECT_TRUE(info.contains(QStringLiteral("Samples/Pixel: 1\n"))) << depth;
    }
    // Black and white quarters survive the fax coding exactly.
    Picture bw = Picture::filled(64, 40, Rgb{255, 255, 255});
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x)
            if ((x / 7 + y / 5) % 2 == 0)
                bw.setPixel(x, y, Rgb{0, 0, 0});
    box.SetBitmapHandle(bw);
    box.SetSaveColorDepth(6);
    const QString file = saved(QStringLiteral("chequer.tif"));
    EXPECT_EQ(loaded(file), bw);
    EXPECT_EQ(decodedByImageMagick(file), bw);
}

// --- JPEG --------------------------------------------------------------------------------------

TEST_F(EncoderFiles, JpegQualityGreyAndProgressiveReachTheFile)
{
    box.SetBitmapHandle(gradientPicture(96, 64));
    box.SetJpegQuality(10);
    const qint64 low = QFileInfo(saved(QStringLiteral("q10.jpg"))).size();
    box.SetJpegQuality(80);
    const QString q80 = saved(QStringLiteral("q80.jpe"));
    EXPECT_LT(low, QFileInfo(q80).size());
    EXPECT_EQ(identify(q80, QStringLiteral("%m %Q %[interlace]")), QStringLiteral("JPEG 80 None"));

    box.SetJpegProgressive(true);
    EXPECT_EQ(identify(saved(QStringLiteral("p.jpeg")), QStringLiteral("%[interlace]")), QStringLiteral("JPEG"));

    box.SetJpegProgressive(false);
    box.SetSaveColorDepth(2);
    EXPECT_EQ(identify(saved(QStringLiteral("grey.jpg")), QStringLiteral("%[type] %[colorspace] %[channels]")),
              QStringLiteral("Grayscale Gray gray"));
}

// --- sizes -------------------------------------------------------------------------------------

TEST_F(EncoderFiles, EstimatedFileSizeIsTheSizeOfTheSavedFile)
{
    const char* const extensions[] = {"bmp", "gif", "jpg", "pcx", "png", "wbmp", "psd", "tif", "pdf"};
    box.SetBitmapHandle(withBackground(Rgb{255, 255, 255}));
    box.SetSaveTransparent(true);
    for (const int depth : {0, 1, 4, 5}) {
        box.SetSaveColorDepth(depth);
        box.SetGifLzw(depth != 4);
        box.SetTiffCompression(depth == 5 ? 2 : depth == 1 ? 1 : 0);
        box.SetJpegProgressive(depth == 1);
        for (int code = 0; code <= 8; ++code) {
            const QString file = saved(QStringLiteral("e%1.%2").arg(depth).arg(QString::fromLatin1(extensions[code])));
            EXPECT_EQ(box.EstimatedFileSize(code), QFileInfo(file).size()) << extensions[code] << " at depth " << depth;
        }
    }
    EXPECT_THROW(box.EstimatedFileSize(9), EngineError);
    EXPECT_THROW(box.EstimatedFileSize(-1), EngineError);
    box.ClearImage();
    EXPECT_THROW(box.EstimatedFileSize(4), EngineError);
}

}  // namespace
