// The engine's file writers: every format with every colour depth and option it offers, judged by
// programs that are not Lumora (ImageMagick, exiftool, libtiff's tiffinfo, poppler's pdfinfo,
// pdfimages and pdftoppm) and read back through decoders other than the writers (libvips,
// ImageMagick, Pillow).

#include "engine/EngineError.h"
#include "support/EngineFixtures.h"
#include "support/Oracles.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSize>

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
        for (int x = 0; x < width; ++x)
            if (y < height / 2 || x < width / 2)
                p.setPixel(x, y, y >= height / 2 ? Rgb{0, 0, 255} : x < width / 2 ? Rgb{255, 0, 0} : Rgb{0, 255, 0});
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
            p.setPixel(x, y, Rgb{std::uint8_t(c * 37 % 256), std::uint8_t(c * 11 % 256), std::uint8_t(255 - c)});
        }
    return p;
}

Picture loaded(const QString& file)
{
    ImageBox reader;
    reader.LoadFromFile(file);
    return reader.Picture();
}

// The picture as another decoder reads the file: the tool writes it as PNG, which libvips reads.
Picture decodedBy(const QString& program, const QStringList& arguments, const QString& png)
{
    const ToolResult r = runTool(program, arguments + QStringList{png});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return loaded(png);
}
Picture decodedByImageMagick(const QString& file) { return decodedBy("convert", {file + "[0]"}, file + ".im.png"); }
Picture decodedByPillow(const QString& file)
{
    return decodedBy(QFileInfo::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3",
                     {"-c", "import sys; from PIL import Image; Image.open(sys.argv[1]).convert('RGB').save(sys.argv[2])",
                      file},
                     file + ".pil.png");
}

// The alpha ImageMagick sees at (x, y), 0 (transparent) .. 1.
double alphaAt(const QString& file, int x, int y)
{
    return runTool("convert", {file + "[0]", "-format", QStringLiteral("%[fx:p{%1,%2}.a]").arg(x).arg(y), "info:"})
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
        for (int x = 0; x < original.width(); ++x)
            wrong += original.rgbAt(x, y) == transparent
                         ? decoded.alphaAt(x, y) != 0
                         : decoded.alphaAt(x, y) != 255 || decoded.rgbAt(x, y) != original.rgbAt(x, y);
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

// --- every format at every depth -------------------------------------------------------------

// What a format writes at colour depths 0..6 ('-': not tried here): ImageMagick's %[type] (T
// TrueColor, P Palette, G Grayscale, B Bilevel) and the file's bits per pixel (0: not checked).
struct FormatDepths {
    const char* ext;
    const char* format;  // ImageMagick's %m
    const char* types;
    int bits[7];
};
const FormatDepths kFormats[] = {
    {"bmp", "BMP3", "TPGPGBB", {24, 8, 8, 4, 4, 1, 1}},     {"gif", "GIF", "PPGPGBB", {8, 8, 8, 4, 4, 1, 1}},
    {"jpg", "JPEG", "TTGTTTT", {24, 24, 8, 24, 24, 24, 24}}, {"pcx", "PCX", "TPGPGBB", {24, 8, 8, 4, 4, 1, 1}},
    {"png", "PNG", "TPTTTTT", {24, 8, 24, 24, 24, 24, 24}},  {"wbmp", "WBMP", "BBB--B-", {}},
    {"psd", "PSD", "TTT---T", {24, 24, 24, 0, 0, 0, 24}},    {"tif", "TIFF", "TPGPGBB", {24, 8, 8, 4, 4, 1, 1}},
};

TEST_F(EncoderFiles, EveryFormatWritesEachColourDepthItOffers)
{
    box.SetBitmapHandle(gradientPicture(64, 48));  // 3072 colours
    QMap<QString, int> bitsByExiftool;              // file name -> bits per pixel
    for (const FormatDepths& f : kFormats)
        for (int depth = 0; depth <= 6; ++depth) {
            const char type = f.types[depth];
            if (type == '-')
                continue;
            box.SetSaveColorDepth(depth);
            const QString name = QStringLiteral("d%1.%2").arg(depth).arg(QLatin1String(f.ext));
            SCOPED_TRACE(name.toStdString());
            const QStringList seen = identify(saved(name), "%m %[type] %wx%h %k %z %[channels]").split(u' ');
            ASSERT_EQ(seen.size(), 6);
            const QString types[] = {"TrueColor", "Palette", "Grayscale", "Bilevel"};
            EXPECT_EQ(seen[0], QLatin1String(f.format));
            EXPECT_EQ(seen[1], types[QByteArray("TPGB").indexOf(type)]);
            EXPECT_EQ(seen[2], "64x48");
            const int colours = seen[3].toInt();
            const int room = type == 'T' ? 0 : type == 'B' ? 2 : 1 << f.bits[depth];
            if (room == 0)
                EXPECT_GT(colours, 256);
            else
                EXPECT_LE(colours, room);
            if (room >= 16) {
                EXPECT_GT(colours, room / 2) << "quantised images use the room they have";
            }
            // Bits per pixel: identify for BMP, TIFF, JPEG and PSD; exiftool for GIF (palette
            // size), PCX (bits per plane times planes) and PNG.
            if (QList<QByteArray>{"bmp", "tif", "jpg", "psd"}.contains(f.ext)) {
                const int perChannel = seen[4].toInt();
                EXPECT_EQ(f.bits[depth] == 24 ? perChannel * (seen[5].startsWith(u"srgb") ? 3 : 1) : perChannel,
                          f.bits[depth]);
            } else if (f.bits[depth] != 0) {
                bitsByExiftool[name] = f.bits[depth];
            }
        }
    EXPECT_THROW(box.SetSaveColorDepth(7), EngineError);

    QStringList files;
    for (const QString& name : bitsByExiftool.keys())
        files << path(name);
    const ToolResult r = runTool("exiftool", QStringList{"-j", "-n", "-BitsPerPixel", "-ColorPlanes", "-BitDepth",
                                                         "-ColorType"} + files);
    const QJsonArray entries = QJsonDocument::fromJson(r.out.toUtf8()).array();
    ASSERT_EQ(entries.size(), files.size()) << r.err.toStdString();
    for (const QJsonValue& entry : entries) {
        const QString name = QFileInfo(entry["SourceFile"].toString()).fileName();
        const auto tag = [&](const char* key) { return entry[QLatin1String(key)].toInt(); };
        const int bits = name.endsWith("gif")   ? tag("BitsPerPixel")
                         : name.endsWith("pcx") ? tag("BitsPerPixel") * tag("ColorPlanes")
                                                // PNG: colour type 2 is RGB (three samples), 3 a palette
                                                : tag("BitDepth") * (tag("ColorType") == 2 ? 3 : 1);
        EXPECT_EQ(bits, bitsByExiftool.value(name)) << name.toStdString();
    }
}

TEST_F(EncoderFiles, PdfPagesHoldTheReducedImageAtEachColourDepth)
{
    // pdfimages: colour space and bits per component of the embedded picture.
    const struct {
        const char* colour;
        int bpc;
    } byDepth[] = {{"rgb", 8}, {"rgb", 8}, {"gray", 8}, {"rgb", 8}, {"gray", 8}, {"gray", 1}, {"gray", 1}};
    box.SetBitmapHandle(quarters(40, 30));
    for (int depth = 0; depth <= 6; ++depth) {
        SCOPED_TRACE(depth);
        box.SetSaveColorDepth(depth);
        const QString file = saved(QStringLiteral("d%1.pdf").arg(depth));
        const ToolResult info = runTool("pdfinfo", {file});
        ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
        EXPECT_TRUE(info.out.contains(QRegularExpression("Pages:\\s+1\\n")));
        EXPECT_TRUE(info.out.contains(QRegularExpression("Page size:\\s+40 x 30 pts\\n")));
        const QStringList lines = runTool("pdfimages", {"-list", file}).out.split(u'\n');
        ASSERT_GE(lines.size(), 3);
        const QStringList image = lines[2].simplified().split(u' ');
        ASSERT_GE(image.size(), 8);
        EXPECT_EQ(image[3] + u'x' + image[4], "40x30");
        EXPECT_EQ(image[5], QLatin1String(byDepth[depth].colour));
        EXPECT_EQ(image[7].toInt(), byDepth[depth].bpc);
    }

    // What poppler draws of the page.
    const auto render = [&](const QString& file) {
        const ToolResult r = runTool("pdftoppm", {"-r", "72", "-png", "-singlefile", file, file + ".page"});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return loaded(file + ".page.png");
    };
    const Picture colour = render(path("d0.pdf"));
    ASSERT_EQ(QSize(colour.width(), colour.height()), QSize(40, 30));
    EXPECT_EQ(colour.rgbAt(5, 5), (Rgb{255, 0, 0}));
    EXPECT_EQ(colour.rgbAt(35, 5), (Rgb{0, 255, 0}));
    EXPECT_EQ(colour.rgbAt(5, 25), (Rgb{0, 0, 255}));
    EXPECT_EQ(colour.rgbAt(35, 25), (Rgb{255, 255, 255}));
    const Picture mono = render(path("d6.pdf"));
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
            const QString file = saved(QStringLiteral("four%1.%2").arg(depth).arg(QLatin1String(ext)));
            SCOPED_TRACE(file.toStdString());
            EXPECT_EQ(loaded(file), four);
            EXPECT_EQ(decodedByImageMagick(file), four);
            // Pillow reads the four bit planes of 16-colour PCX files in the opposite order from
            // ImageMagick, GraphicsMagick and FreeImage (plane 0 holds bit 0 of the index).
            if (!(depth == 3 && QLatin1String(ext) == u"pcx")) {
                EXPECT_EQ(decodedByPillow(file), four);
            }
        }
    }

    Picture greys = Picture::filled(16, 16, Rgb{});
    for (int v = 0; v < 256; ++v)
        greys.setPixel(v % 16, v / 16, Rgb{std::uint8_t(v), std::uint8_t(v), std::uint8_t(v)});
    box.SetBitmapHandle(greys);
    box.SetSaveColorDepth(2);
    for (const char* ext : {"bmp", "gif", "pcx", "tif"}) {
        const QString file = saved(QStringLiteral("greys.%1").arg(QLatin1String(ext)));
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
        const Picture bw = decodedByPillow(saved(QStringLiteral("cut.%1").arg(QLatin1String(ext))));
        EXPECT_EQ(meanChannel(bw, 1, 0, 0, 16, 32), 0.0) << ext;
        EXPECT_EQ(meanChannel(bw, 1, 16, 0, 32, 32), 255.0) << ext;
    }

    // A flat grey comes out as a pattern whose average is that grey.
    box.SetBitmapHandle(Picture::filled(64, 64, Rgb{100, 100, 100}));
    box.SetSaveColorDepth(5);
    const Picture dithered = loaded(saved("dither.bmp"));
    EXPECT_EQ(coloursOf(dithered), (std::set<std::uint32_t>{0x000000, 0xFFFFFF}));
    EXPECT_NEAR(meanChannel(dithered, 0, 0, 0, 64, 64), 100.0, 4.0);
    box.SetSaveColorDepth(6);
    EXPECT_EQ(coloursOf(loaded(saved("flat.bmp"))), (std::set<std::uint32_t>{0x000000}));

    // Sixteen greys: evenly spaced levels (multiples of 17), dithered around the grey between them.
    box.SetSaveColorDepth(4);
    const Picture sixteen = loaded(saved("sixteen.tif"));
    EXPECT_EQ(coloursOf(sixteen), (std::set<std::uint32_t>{85 * 0x010101u, 102 * 0x010101u}));
    EXPECT_NEAR(meanChannel(sixteen, 0, 0, 0, 64, 64), 100.0, 1.0);
}

TEST_F(EncoderFiles, OddSizesAndSinglePixelsDecodeExactly)
{
    // Black and white survive every colour depth unchanged, so any fault in row padding, bit
    // packing or run lengths shows as a wrong pixel.
    for (const QSize size : {QSize(1, 1), QSize(7, 3), QSize(33, 2)}) {
        Picture pattern = Picture::filled(size.width(), size.height(), Rgb{255, 255, 255});
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if ((x * 3 + y) % 5 < 2)
                    pattern.setPixel(x, y, Rgb{0, 0, 0});
        box.SetBitmapHandle(pattern);
        for (int depth = 0; depth <= 6; ++depth) {
            box.SetSaveColorDepth(depth);
            for (const QString ext : {"bmp", "gif", "pcx", "png", "psd", "tif", "wbmp"}) {
                // Photoshop and WBMP files have one layout whatever the depth, PNG files two.
                if (((ext == "psd" || ext == "wbmp") && depth > 0) || (ext == "png" && depth > 1))
                    continue;
                for (int compression = 0; compression <= (ext == "tif" ? 2 : 0); ++compression) {
                    box.SetTiffCompression(compression);
                    const QString file = saved(QStringLiteral("%1x%2-%3-%4.").arg(size.width()).arg(size.height())
                                                   .arg(depth).arg(compression) + ext);
                    // See MonochromeDithersWhileBlackAndWhiteCutsAtMidGrey for one-bit PCX files.
                    const bool monoPcx = ext == "pcx" && depth >= 5;
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
    for (int depth = 0; depth <= 6; ++depth) {
        box.SetSaveColorDepth(depth);
        for (const QString ext : {"bmp", "gif", "jpg", "pcx", "png", "wbmp", "psd", "tif", "pdf"}) {
            const QString file = saved(QStringLiteral("a%1.%2").arg(depth).arg(ext));
            if (ext != "pdf") {
                EXPECT_EQ(identify(file + "[0]"), "20x12") << file.toStdString();
            }
        }
    }
    // True colour PNG, TIFF and PDF keep the alpha; the palette and 24-bit formats drop it.
    EXPECT_EQ(identify(path("a0.png"), "%A"), "True");
    EXPECT_EQ(identify(path("a0.tif"), "%A"), "True");
    EXPECT_EQ(identify(path("a0.bmp"), "%A"), "False");
    EXPECT_EQ(identify(path("a1.gif"), "%A"), "False");
    EXPECT_TRUE(runTool("pdfimages", {"-list", path("a0.pdf")}).out.contains("smask"));
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
    EXPECT_TRUE(ImageBox().GifLzw());
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
        qint64 sizes[2] = {};
        for (const bool lzw : {true, false}) {
            box.SetGifLzw(lzw);
            const QString file = saved(QStringLiteral("s%1%2%3.gif").arg(c.colours).arg(c.transparent).arg(lzw));
            SCOPED_TRACE(file.toStdString());
            sizes[lzw] = QFileInfo(file).size();
            EXPECT_EQ(identify(file, "%m %wx%h"), "GIF 360x240");
            for (const auto& [decoder, decoded] : {std::pair{"libvips", loaded(file)},
                                                   std::pair{"ImageMagick", decodedByImageMagick(file)},
                                                   std::pair{"Pillow", decodedByPillow(file)}}) {
                if (c.transparent)
                    EXPECT_EQ(transparencyMismatches(decoded, original, Rgb{255, 255, 255}), 0) << decoder;
                else
                    EXPECT_EQ(decoded, original) << decoder;
            }
        }
        // With few colours the codes of an uncompressed file take more room than LZW's.
        if (c.colours <= 16) {
            EXPECT_GT(sizes[false], sizes[true]) << c.colours << " colours";
        }
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
    EXPECT_FALSE(ImageBox().SaveTransparent());
    const Rgb back{40, 200, 90};
    box.SetBitmapHandle(withBackground(back));
    box.SetBackColor(ole(back.r, back.g, back.b));
    for (const QString file : {"0.gif", "1.gif", "2.gif", "3.gif", "4.gif", "5.gif", "6.gif", "0.png", "1.png"}) {
        SCOPED_TRACE(file.toStdString());
        box.SetSaveColorDepth(file.left(1).toInt());
        box.SetSaveTransparent(false);
        EXPECT_EQ(identify(saved("o" + file), "%A"), "False");

        box.SetSaveTransparent(true);
        const QString t = saved("t" + file);
        EXPECT_NE(identify(t, "%A"), "False");
        EXPECT_EQ(alphaAt(t, 0, 0), 0.0);
        EXPECT_EQ(alphaAt(t, 15, 31), 0.0);
        EXPECT_EQ(alphaAt(t, 20, 5), 1.0) << "one step from the back colour";
        EXPECT_EQ(alphaAt(t, 30, 20), 1.0);
        // libvips agrees.
        const Picture decoded = loaded(t);
        ASSERT_TRUE(decoded.hasAlpha());
        EXPECT_EQ(decoded.alphaAt(3, 3), 0);
        EXPECT_EQ(decoded.alphaAt(40, 3), 255);
    }
    EXPECT_EQ(identify(path("t1.png"), "%[type]"), "PaletteAlpha");
    EXPECT_EQ(identify(path("t0.png"), "%[type]"), "TrueColorAlpha");
}

// --- TIFF --------------------------------------------------------------------------------------

TEST_F(EncoderFiles, TiffCompressionReachesTheFileAndGroup4IsBilevelAtAnyDepth)
{
    box.SetBitmapHandle(quarters(64, 40));
    const struct {
        int compression;
        int depth;
        const char* magick;  // identify %C
        const char* scheme;  // tiffinfo
    } cases[] = {{0, 0, "None", "None"},         {1, 0, "RLE", "PackBits"},       {0, 1, "None", "None"},
                 {1, 1, "RLE", "PackBits"},      {1, 4, "RLE", "PackBits"},       {1, 6, "RLE", "PackBits"},
                 {2, 0, "Group4", "CCITT Group 4"}, {2, 1, "Group4", "CCITT Group 4"}, {2, 2, "Group4", "CCITT Group 4"},
                 {2, 4, "Group4", "CCITT Group 4"}, {2, 5, "Group4", "CCITT Group 4"}, {2, 6, "Group4", "CCITT Group 4"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("compression %1, depth %2").arg(c.compression).arg(c.depth).toStdString());
        box.SetTiffCompression(c.compression);
        box.SetSaveColorDepth(c.depth);
        const QString file = saved(QStringLiteral("c%1d%2.tiff").arg(c.compression).arg(c.depth));
        EXPECT_EQ(identify(file, "%C"), QLatin1String(c.magick));
        const QString info = runTool("tiffinfo", {file}).out;
        EXPECT_TRUE(info.contains(QStringLiteral("Compression Scheme: %1\n").arg(QLatin1String(c.scheme))));
        if (c.compression == 2) {
            EXPECT_EQ(identify(file, "%[type] %z"), "Bilevel 1");
            EXPECT_TRUE(info.contains("Bits/Sample: 1\n"));
            EXPECT_TRUE(info.contains("Samples/Pixel: 1\n"));
        }
    }
    // Black and white squares survive the fax coding exactly.
    Picture bw = Picture::filled(64, 40, Rgb{255, 255, 255});
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x)
            if ((x / 7 + y / 5) % 2 == 0)
                bw.setPixel(x, y, Rgb{0, 0, 0});
    box.SetBitmapHandle(bw);
    const QString file = saved("chequer.tif");
    EXPECT_EQ(loaded(file), bw);
    EXPECT_EQ(decodedByImageMagick(file), bw);
}

// --- JPEG --------------------------------------------------------------------------------------

TEST_F(EncoderFiles, JpegQualityGreyAndProgressiveReachTheFile)
{
    box.SetBitmapHandle(gradientPicture(96, 64));
    box.SetJpegQuality(10);
    const qint64 low = QFileInfo(saved("q10.jpg")).size();
    box.SetJpegQuality(80);
    const QString q80 = saved("q80.jpe");
    EXPECT_LT(low, QFileInfo(q80).size());
    EXPECT_EQ(identify(q80, "%m %Q %[interlace]"), "JPEG 80 None");

    box.SetJpegProgressive(true);
    EXPECT_EQ(identify(saved("p.jpeg"), "%[interlace]"), "JPEG");

    box.SetJpegProgressive(false);
    box.SetSaveColorDepth(2);
    EXPECT_EQ(identify(saved("grey.jpg"), "%[type] %[colorspace] %[channels]"), "Grayscale Gray gray");
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
            const QString file = saved(QStringLiteral("e%1.%2").arg(depth).arg(QLatin1String(extensions[code])));
            EXPECT_EQ(box.EstimatedFileSize(code), QFileInfo(file).size()) << extensions[code] << " at depth " << depth;
        }
    }
    EXPECT_THROW(box.EstimatedFileSize(9), EngineError);
    EXPECT_THROW(box.EstimatedFileSize(-1), EngineError);
    box.ClearImage();
    EXPECT_THROW(box.EstimatedFileSize(4), EngineError);
}

}  // namespace
