// The engine's file writers: every format with every colour depth and option it offers, judged by
// programs that are not Lumora (ImageMagick, exiftool, libtiff's tiffinfo, poppler's pdfinfo,
// pdfimages and pdftoppm) and read back through decoders other than the writers (libvips,
// ImageMagick, Pillow).

#include "PictureChecks.h"

#include "engine/EngineError.h"
#include "support/EngineFixtures.h"
#include "support/Oracles.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

using namespace lumora;
using namespace lumora::test;

namespace {

class EncoderFiles : public ::testing::Test {
protected:
    ImageBox box;
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }
    QString saved(const QString& name) { return box.SaveToFile(path(name)), path(name); }
};

const Rgb kBlack{0, 0, 0};
const Rgb kWhite{255, 255, 255};

// Four solid quarters: red, green / blue, white.
Picture quarters(int width, int height)
{
    return painted(width, height, [&](int x, int y) {
        return y < height / 2 ? (x < width / 2 ? Rgb{255, 0, 0} : Rgb{0, 255, 0}) : x < width / 2 ? Rgb{0, 0, 255} : kWhite;
    });
}

// `colours` exact colours in a scatter without long runs, so that LZW fills its table many times.
Picture scatter(int width, int height, int colours)
{
    std::uint32_t state = 12345;
    return painted(width, height, [&](int, int) {
        state = state * 1103515245u + 12345u;
        const int c = static_cast<int>((state >> 16) % static_cast<std::uint32_t>(colours));
        return Rgb{std::uint8_t(c * 37 % 256), std::uint8_t(c * 11 % 256), std::uint8_t(255 - c)};
    });
}

Picture loaded(const QString& file)
{
    ImageBox reader;
    return reader.LoadFromFile(file), reader.Picture();
}

// The picture as another decoder reads the file: the tool writes it as PNG, which libvips reads.
Picture decodedBy(const QString& program, const QStringList& arguments, const QString& png)
{
    const ToolResult r = runTool(program, arguments + QStringList{png});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return loaded(png);
}
Picture decodedByImageMagick(const QString& file) { return decodedBy("convert", {file + "[0]"}, file + ".im.png"); }
Picture decodedByPillow(const QString& file)  // Debian's python3, which has Pillow
{
    const char* const script = "import sys; from PIL import Image; Image.open(sys.argv[1]).convert('RGB').save(sys.argv[2])";
    return decodedBy("/usr/bin/python3", {"-c", script, file}, file + ".pil.png");
}

// Pixels where a decoded picture differs from the original: the pixels of the transparent colour
// must be fully transparent, all others opaque and of their colour.
int transparencyMismatches(const Picture& decoded, const Picture& original, Rgb transparent)
{
    if (decoded.width() != original.width() || decoded.height() != original.height())
        return -1;
    return countPixels(original, [&](int x, int y) {
        const bool clear = original.rgbAt(x, y) == transparent;
        return clear ? decoded.alphaAt(x, y) != 0 : decoded.alphaAt(x, y) != 255 || decoded.rgbAt(x, y) != original.rgbAt(x, y);
    });
}

// What a format writes at colour depths 0..6 ('-': not tried here): ImageMagick's %m and %[type] (T
// TrueColor, P Palette, G Grayscale, B Bilevel), and the file's bits per pixel (0: not checked).
struct FormatDepths { const char* ext; const char* format; const char* types; int bits[7]; };
const FormatDepths kFormats[] = {
    {"bmp", "BMP3", "TPGPGBB", {24, 8, 8, 4, 4, 1, 1}},     {"gif", "GIF", "PPGPGBB", {8, 8, 8, 4, 4, 1, 1}},
    {"jpg", "JPEG", "TTGTTTT", {24, 24, 8, 24, 24, 24, 24}}, {"pcx", "PCX", "TPGPGBB", {24, 8, 8, 4, 4, 1, 1}},
    {"png", "PNG", "TPTTTTT", {24, 8, 24, 24, 24, 24, 24}},  {"wbmp", "WBMP", "BBB--B-", {}},
    {"psd", "PSD", "TTT---T", {24, 24, 24, 0, 0, 0, 24}},    {"tif", "TIFF", "TPGPGBB", {24, 8, 8, 4, 4, 1, 1}},
};

TEST_F(EncoderFiles, EveryFormatWritesEachColourDepthItOffers)
{
    const Picture gradient = gradientPicture(64, 48);  // 3072 colours
    box.SetBitmapHandle(gradient);
    QMap<QString, int> bitsByExiftool;              // file -> bits per pixel
    const QMap<char, QString> typeNames = {{'T', "TrueColor"}, {'P', "Palette"}, {'G', "Grayscale"}, {'B', "Bilevel"}};
    for (const FormatDepths& f : kFormats)
        for (int depth = 0; depth <= 6; ++depth) {
            const char type = f.types[depth];
            if (type == '-')
                continue;
            box.SetSaveColorDepth(depth);
            const QString name = QStringLiteral("d%1.%2").arg(depth).arg(QLatin1String(f.ext));
            SCOPED_TRACE(name.toStdString());
            const QString file = saved(name);
            const QStringList seen = identify(file, "%m %[type] %wx%h %k %z %[channels]").split(u' ');
            ASSERT_EQ(seen.size(), 6);
            EXPECT_EQ(seen.mid(0, 3), (QStringList{f.format, typeNames[type], "64x48"}));
            // True colour keeps more colours than a palette holds; quantised images use more than
            // half the room they have.
            const int colours = seen[3].toInt(), room = type == 'T' ? 0 : type == 'B' ? 2 : 1 << f.bits[depth];
            EXPECT_TRUE(room == 0 ? colours > 256 : colours <= room && (room < 16 || colours > room / 2)) << colours;
            // Lossless true colour reads back exactly, through the engine and through ImageMagick.
            const bool exact = depth == 0 && type == 'T' && QLatin1String(f.ext) != u"jpg";
            EXPECT_TRUE(!exact || (loaded(file) == gradient && decodedByImageMagick(file) == gradient));
            // Bits per pixel: identify for BMP, TIFF, JPEG and PSD; exiftool for GIF (palette
            // size), PCX (bits per plane times planes) and PNG.
            if (QList<QByteArray>{"bmp", "tif", "jpg", "psd"}.contains(f.ext)) {
                const int perChannel = seen[4].toInt();
                EXPECT_EQ(f.bits[depth] == 24 ? perChannel * (seen[5].startsWith(u"srgb") ? 3 : 1) : perChannel,
                          f.bits[depth]);
            } else if (f.bits[depth] != 0) {
                bitsByExiftool[path(name)] = f.bits[depth];
            }
        }
    EXPECT_THROW(box.SetSaveColorDepth(7), EngineError);

    const ToolResult r = runTool("exiftool", QStringList{"-j", "-n", "-BitsPerPixel", "-ColorPlanes", "-BitDepth",
                                                         "-ColorType"} + bitsByExiftool.keys());
    const QJsonArray entries = QJsonDocument::fromJson(r.out.toUtf8()).array();
    ASSERT_EQ(entries.size(), bitsByExiftool.size()) << r.err.toStdString();
    for (const QJsonValue& entry : entries) {
        const QString name = entry["SourceFile"].toString();
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
    // pdfimages: colour space, components and bits per component of the embedded picture.
    const char* const byDepth[] = {"rgb 3 8", "rgb 3 8", "gray 1 8", "rgb 3 8", "gray 1 8", "gray 1 1", "gray 1 1"};
    box.SetBitmapHandle(quarters(40, 30));
    for (int depth = 0; depth <= 6; ++depth) {
        SCOPED_TRACE(depth);
        box.SetSaveColorDepth(depth);
        const QString file = saved(QStringLiteral("d%1.pdf").arg(depth));
        const ToolResult info = runTool("pdfinfo", {file});
        ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
        EXPECT_TRUE(info.out.contains(QRegularExpression("Pages:\\s+1\\n[\\s\\S]*Page size:\\s+40 x 30 pts\\n")));
        const QString image = runTool("pdfimages", {"-list", file}).out.section(u'\n', 2, 2).simplified();
        EXPECT_EQ(image.section(u' ', 3, 7), QStringLiteral("40 30 ") + byDepth[depth]);
    }

    // What poppler draws of the page, in each quarter: its colour; in black and white, black where
    // it is darker than mid grey (red, blue), else white.
    const auto render = [&](const QString& file) {
        const ToolResult r = runTool("pdftoppm", {"-r", "72", "-png", "-singlefile", file, file + ".page"});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return loaded(file + ".page.png");
    };
    const Picture colour = render(path("d0.pdf")), mono = render(path("d6.pdf"));
    ASSERT_TRUE(colour.width() == 40 && colour.height() == 30 && mono.width() == 40 && mono.height() == 30);
    for (const auto& [x, y] : {std::pair{5, 5}, {35, 5}, {5, 25}, {35, 25}}) {
        EXPECT_EQ(colour.rgbAt(x, y), quarters(40, 30).rgbAt(x, y)) << x << ',' << y;
        EXPECT_EQ(mono.rgbAt(x, y), x < 20 ? kBlack : kWhite) << x << ',' << y;
    }
}

TEST_F(EncoderFiles, ColourReductionKeepsWhatFitsCutsAtMidGreyAndDithers)
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
            EXPECT_TRUE((depth == 3 && QLatin1String(ext) == u"pcx") || decodedByPillow(file) == four) << "Pillow";
        }
    }

    const Picture greys = painted(16, 16, [](int x, int y) { const auto v = std::uint8_t(16 * y + x); return Rgb{v, v, v}; });
    box.SetBitmapHandle(greys);
    box.SetSaveColorDepth(2);
    for (const char* ext : {"bmp", "gif", "pcx", "tif"}) {
        const QString file = saved(QStringLiteral("greys.%1").arg(QLatin1String(ext)));
        EXPECT_EQ(loaded(file), greys) << ext;
        EXPECT_EQ(decodedByPillow(file), greys) << ext;
    }

    // Black and white cuts at mid grey.
    box.SetBitmapHandle(painted(32, 32, [](int x, int) { return x < 16 ? Rgb{127, 127, 127} : Rgb{128, 128, 128}; }));
    box.SetSaveColorDepth(6);
    // Pillow decodes one-bit PCX files the way PC Paintbrush wrote them (a set bit is white), which
    // the ImageMagick 6 here reads the other way round.
    for (const char* ext : {"bmp", "pcx", "tif", "gif"}) {
        const Picture bw = decodedByPillow(saved(QStringLiteral("cut.%1").arg(QLatin1String(ext))));
        EXPECT_TRUE(meanChannel(bw, 1, 0, 0, 16, 32) == 0.0 && meanChannel(bw, 1, 16, 0, 32, 32) == 255.0) << ext;
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
    for (const auto& [width, height] : {std::pair{1, 1}, {7, 3}, {33, 2}}) {
        const Picture pattern = painted(width, height, [](int x, int y) { return (x * 3 + y) % 5 < 2 ? kBlack : kWhite; });
        box.SetBitmapHandle(pattern);
        for (int depth = 0; depth <= 6; ++depth) {
            box.SetSaveColorDepth(depth);
            for (const QString ext : {"bmp", "gif", "pcx", "png", "psd", "tif", "wbmp"}) {
                // Photoshop and WBMP files have one layout whatever the depth, PNG files two.
                if (((ext == "psd" || ext == "wbmp") && depth > 0) || (ext == "png" && depth > 1))
                    continue;
                for (int compression = 0; compression <= (ext == "tif" ? 2 : 0); ++compression) {
                    box.SetTiffCompression(compression);
                    const QString file =
                        saved(QStringLiteral("%1x%2-%3-%4.").arg(width).arg(height).arg(depth).arg(compression) + ext);
                    // See ColourReductionKeepsWhatFitsCutsAtMidGreyAndDithers for one-bit PCX files.
                    const bool monoPcx = ext == "pcx" && depth >= 5;
                    EXPECT_EQ(monoPcx ? decodedByPillow(file) : decodedByImageMagick(file), pattern) << file.toStdString();
                }
            }
        }
    }
}

TEST_F(EncoderFiles, ImagesWithAlphaSaveInEveryFormatAndDepth)
{
    Picture translucent(20, 12, 4, QByteArray(20 * 12 * 4, '\0'));
    for (int i = 20; i < 20 * 12; ++i)  // the top row stays fully transparent
        translucent.setPixel(i % 20, i / 20, Rgb{std::uint8_t(i), 0, std::uint8_t(255 - i)});
    box.SetBitmapHandle(translucent);
    // True colour PNG (every depth but the palette's), TIFF and PDF keep the alpha; the palette,
    // grey and 24-bit formats drop it.
    for (int depth = 0; depth <= 6; ++depth) {
        box.SetSaveColorDepth(depth);
        for (const QString ext : {"bmp", "gif", "jpg", "pcx", "png", "wbmp", "psd", "tif"}) {
            const bool alpha = (ext == "png" && depth != 1) || (ext == "tif" && depth == 0);
            EXPECT_EQ(identify(saved(QStringLiteral("a%1.%2").arg(depth).arg(ext)) + "[0]", "%wx%h %A").toStdString(),
                      alpha ? "20x12 True" : "20x12 False")
                << ext.toStdString() << depth;
        }
        EXPECT_EQ(runTool("pdfimages", {"-list", saved(QStringLiteral("a%1.pdf").arg(depth))}).out.contains("smask"),
                  depth == 0);
    }
}

TEST_F(EncoderFiles, UncompressedGifDecodesLikeLzw)
{
    // 200 colours over 360 x 240 pixels fill the LZW table many times over; 16, 3 and 2 colours
    // try the narrower code sizes, with and without a transparent entry.
    EXPECT_TRUE(ImageBox().GifLzw());
    box.SetBackColor(ole(255, 255, 255));
    for (const auto& [colours, depth, transparent] : {std::tuple{200, 1, false}, {16, 3, false}, {3, 3, false},
                                                      {2, 6, false}, {2, 6, true}, {15, 3, true}}) {
        Picture original = scatter(360, 240, colours);
        if (depth == 6)  // black and white keeps only black and white
            original = painted(360, 240, [&](int x, int y) { return original.rgbAt(x, y).b == 255 ? kWhite : kBlack; });
        box.SetBitmapHandle(original);
        box.SetSaveColorDepth(depth);
        box.SetSaveTransparent(transparent);
        qint64 sizes[2] = {};
        for (const bool lzw : {true, false}) {
            box.SetGifLzw(lzw);
            const QString file = saved(QStringLiteral("s%1%2%3.gif").arg(colours).arg(transparent).arg(lzw));
            SCOPED_TRACE(file.toStdString());
            sizes[lzw] = QFileInfo(file).size();
            EXPECT_EQ(identify(file, "%m %wx%h"), "GIF 360x240");
            for (const auto& [decoder, decoded] : {std::pair{"libvips", loaded(file)},
                                                   std::pair{"ImageMagick", decodedByImageMagick(file)},
                                                   std::pair{"Pillow", decodedByPillow(file)}}) {
                if (transparent)
                    EXPECT_EQ(transparencyMismatches(decoded, original, kWhite), 0) << decoder;
                else
                    EXPECT_EQ(decoded, original) << decoder;
            }
        }
        // With few colours the codes of an uncompressed file take more room than LZW's.
        EXPECT_TRUE(colours > 16 || sizes[false] > sizes[true]) << colours << " colours";
    }
}

// Pixels of exactly BackColor become transparent (the left third); a colour one step away stays
// opaque (20, 5).
Picture withBackground(Rgb back)
{
    const Picture gradient = gradientPicture(48, 32);
    return painted(48, 32, [&](int x, int y) {
        return x < 16 ? back : x == 20 && y == 5 ? Rgb{back.r, back.g, std::uint8_t(back.b + 1)} : gradient.rgbAt(x, y);
    });
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

        // ImageMagick's alpha at two back colour pixels, one a step away and one of the gradient.
        box.SetSaveTransparent(true);
        const QString t = saved("t" + file);
        EXPECT_EQ(runTool("convert", {t + "[0]", "-format",
                                      "%A %[fx:p{0,0}.a] %[fx:p{15,31}.a] %[fx:p{20,5}.a] %[fx:p{30,20}.a]", "info:"})
                      .out,
                  "True 0 0 1 1");
        const Picture decoded = loaded(t);
        EXPECT_TRUE(decoded.hasAlpha() && decoded.alphaAt(3, 3) == 0 && decoded.alphaAt(40, 3) == 255) << "libvips";
    }
    EXPECT_EQ(identify(path("t1.png"), "%[type]"), "PaletteAlpha");
    EXPECT_EQ(identify(path("t0.png"), "%[type]"), "TrueColorAlpha");
}

TEST_F(EncoderFiles, TiffCompressionReachesTheFileAndGroup4IsBilevelAtAnyDepth)
{
    box.SetBitmapHandle(quarters(64, 40));
    // Each compression code's name to identify (%C) and to tiffinfo.
    const char* const magick[] = {"None", "RLE", "Group4"};
    const char* const scheme[] = {"None", "PackBits", "CCITT Group 4"};
    for (const auto& [compression, depth] :
         {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}, {1, 4}, {1, 6}, {2, 0}, {2, 1}, {2, 2}, {2, 4}, {2, 5}, {2, 6}}) {
        SCOPED_TRACE(QStringLiteral("compression %1, depth %2").arg(compression).arg(depth).toStdString());
        box.SetTiffCompression(compression);
        box.SetSaveColorDepth(depth);
        const QString file = saved(QStringLiteral("c%1d%2.tiff").arg(compression).arg(depth));
        const QString info = runTool("tiffinfo", {file}).out;
        EXPECT_TRUE(info.contains(QStringLiteral("Compression Scheme: %1\n").arg(QLatin1String(scheme[compression]))));
        if (compression == 2) {
            EXPECT_EQ(identify(file, "%C %[type] %z"), "Group4 Bilevel 1");
            EXPECT_TRUE(info.contains("Bits/Sample: 1\n") && info.contains("Samples/Pixel: 1\n"));
        } else {
            EXPECT_EQ(identify(file, "%C"), QLatin1String(magick[compression]));
        }
    }
    // Black and white squares survive the fax coding exactly.
    const Picture bw = painted(64, 40, [](int x, int y) { return (x / 7 + y / 5) % 2 == 0 ? kBlack : kWhite; });
    box.SetBitmapHandle(bw);
    const QString file = saved("chequer.tif");
    EXPECT_EQ(loaded(file), bw);
    EXPECT_EQ(decodedByImageMagick(file), bw);
}

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

TEST_F(EncoderFiles, EstimatedFileSizeIsTheSizeOfTheSavedFile)
{
    const char* const extensions[] = {"bmp", "gif", "jpg", "pcx", "png", "wbmp", "psd", "tif", "pdf"};
    box.SetBitmapHandle(withBackground(kWhite));
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
