// lumora-batch save as scripts see it: each of the nine formats at each colour depth it offers,
// judged by ImageMagick's identify and poppler's pdfimages, and the command line's refusals.

#include "cli/LumoraBatch.h"
#include "support/TestImages.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <cmath>

using namespace lumora;
using namespace lumora::test;

namespace {

class SaveCli : public BatchFolderTest {
protected:
    static ToolResult save(const QStringList& arguments) { return lumoraBatch(QStringList{"save"} + arguments); }

    const QString photo = writePng(gradientPicture(200, 150), path("photo.png"));
};

TEST_F(SaveCli, WritesEveryFormatAtEveryDepthItOffers)
{
    // What each depth code gives: identify's type and the most colours it may keep, and for a PDF
    // the colour space and bits per component of its image.
    struct Depth {
        const char* type;
        int minColours;
        int maxColours;
        const char* pdfImage;
    };
    const Depth depths[] = {{"TrueColor", 257, 1 << 24, "rgb 3 8"}, {"Palette", 17, 256, "rgb 3 8"},
                            {"Grayscale", 17, 256, "gray 1 8"},    {"Palette", 3, 16, "rgb 3 8"},
                            {"Grayscale", 3, 16, "gray 1 8"},      {"Bilevel", 2, 2, "gray 1 1"},
                            {"Bilevel", 2, 2, "gray 1 1"}};
    const struct {
        const char* format;
        const char* magick;
        QList<int> codes;  // empty: no --depth, the format's own
        int ownCode;
    } formats[] = {{"bmp", "BMP3", {0, 1, 2, 3, 4, 5, 6}, 0}, {"gif", "GIF", {1, 2, 3, 4, 5, 6}, 1},
                   {"jpg", "JPEG", {0, 2}, 0},                {"pcx", "PCX", {0, 1, 2, 3, 4, 5, 6}, 0},
                   {"png", "PNG", {0, 1}, 0},                 {"wbmp", "WBMP", {}, 6},
                   {"psd", "PSD", {}, 0},                     {"tif", "TIFF", {0, 1, 2, 3, 4, 5, 6}, 0},
                   {"pdf", "PDF", {0, 1, 2, 3, 4, 5, 6}, 0}};
    for (const auto& f : formats) {
        // An extension that says nothing: the format is the one asked for.
        const QString out = path(QStringLiteral("out-%1.data").arg(f.format));
        for (int code : f.codes.isEmpty() ? QList<int>{-1} : f.codes) {
            QStringList arguments{"--format", f.format, photo, out};
            if (code >= 0)
                arguments << "--depth" << QString::number(code);
            const ToolResult r = save(arguments);
            ASSERT_EQ(r.exitCode, 0) << f.format << code << r.err.toStdString();
            EXPECT_EQ(r.out, QStringLiteral("%1 KB\n").arg(std::nearbyint(QFileInfo(out).size() / 1024.0)));
            const Depth& d = depths[code >= 0 ? code : f.ownCode];
            if (QLatin1String(f.format) == u"pdf") {
                const ToolResult images = runTool("pdfimages", {"-list", out});
                EXPECT_EQ(images.out.split(u'\n').value(2).simplified().section(u' ', 3, 8),
                          QStringLiteral("200 150 %1 image").arg(QLatin1String(d.pdfImage)))
                    << code;
                continue;
            }
            // A WBMP file has no signature: identify is told what it is.
            const QString magickPath = f.format == QLatin1String("wbmp") ? "WBMP:" + out : out;
            const QStringList facts = identify(magickPath, "%m %[type] %k %wx%h").split(u' ');
            EXPECT_EQ(facts.value(0), f.magick) << f.format << code;
            EXPECT_EQ(facts.value(1), d.type) << f.format << code;
            EXPECT_LE(facts.value(2).toInt(), d.maxColours) << f.format << code;
            EXPECT_GE(facts.value(2).toInt(), d.minColours) << f.format << code;
            EXPECT_EQ(facts.value(3), "200x150");
        }
    }
    // TIFF compressions: none, PackBits, CCITT Group 4 (always black and white).
    for (const auto& [compression, expected] : {std::pair{"0", "None TrueColor"}, {"1", "RLE TrueColor"}, {"2", "Group4 Bilevel"}}) {
        ASSERT_EQ(save({"--format", "tif", "--tiff-compression", compression, photo, path("c.tif")}).exitCode, 0);
        EXPECT_EQ(identify(path("c.tif"), "%C %[type]"), expected);
    }
}

TEST_F(SaveCli, RefusesADepthTheFormatLacksAndReportsAnUnreadableInput)
{
    ToolResult r = save({"--format", "gif", "--depth", "0", photo, path("out.gif")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.section(u'\n', 0, 0).contains(QStringLiteral("1 \"256 Colors\", 2 \"256 Grayscale\", 3 \"16 Colors\"")))
        << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path("out.gif")));

    writeBytes(path("broken.jpg"), "this is no photo");
    expectFailure(save({"--format", "png", path("broken.jpg"), path("out.png")}), "broken.jpg");
    EXPECT_FALSE(QFileInfo::exists(path("out.png")));
}

}  // namespace
