// lumora-batch convert --fit and --format: the sizes ImageMagick and vipsheader read from the
// outputs, and the metadata exiftool reads back from each format.

#include "cli/LumoraBatch.h"
#include "metadata/MetadataFiles.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

ToolResult convert(const QStringList& arguments) { return lumoraBatch(QStringList{"convert"} + arguments); }

class ConvertFitFormatsCli : public BatchFolderTest {
protected:
    // A JPEG of that size with a colour profile (libvips' sRGB), EXIF (Make, Artist, a wrong
    // width) and IPTC (Keywords), made by ImageMagick and libvips and tagged by exiftool.
    QString taggedPhoto(const QString& name, const QString& size)
    {
        const QString photo = path(name);
        EXPECT_EQ(runTool("convert", {"-size", size, "gradient:red-blue", path("gradient.png")}).exitCode, 0);
        EXPECT_EQ(runTool("vips", {"icc_transform", path("gradient.png"), photo, "srgb"}).exitCode, 0);
        exiftoolWrite(photo, {"-Make=Lumora Test Camera", "-Artist=Ann Example", "-ExifImageWidth=1",
                              "-IPTC:Keywords=harbour"});
        return photo;
    }

    static QString vipsSize(const QString& file)
    {
        const ToolResult r = runTool("vipsheader", {"-f", "width", file});
        return r.out.trimmed() + u'x' + runTool("vipsheader", {"-f", "height", file}).out.trimmed();
    }
};

TEST_F(ConvertFitFormatsCli, FitsIntoTheBoxKeepingTheShape)
{
    const QString panorama = taggedPhoto("panorama.jpg", "4608x1976");
    const QString portrait = taggedPhoto("portrait.jpg", "1976x4608");
    const QString small = taggedPhoto("small.jpg", "640x480");
    struct Case {
        QStringList options;
        QString panorama, portrait, small;
    };
    const Case cases[] = {
        // 1976 * 800 / 4608 = 343.06; 1976 * 600 / 4608 = 257.29. A small photo stays as it is ...
        {{"--fit", "800x600"}, "800x343", "257x600", "640x480"},
        // ... unless it is to be enlarged; a box wider than the photos fills the height.
        {{"--fit", "800x600", "--enlarge"}, "800x343", "257x600", "800x600"},
        {{"--fit", "3000X1000"}, "2332x1000", "429x1000", "640x480"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(u' ').toStdString());
        const ToolResult r = convert(c.options + QStringList{"--dest", path("out"), panorama, portrait, small});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(identify(path("out/panorama.jpg")), c.panorama);
        EXPECT_EQ(identify(path("out/portrait.jpg")), c.portrait);
        EXPECT_EQ(identify(path("out/small.jpg")), c.small);
    }

    // After the tasks of --tasks. A kind this Lumora does not know (as kind 17 is to an older
    // one) stays in the list with no name and does nothing; the others run.
    const QString tasks = writeTasks(taskRecord("\"3\",\"resize\",\"True\",\"400\",\"400\"") +
                                     taskRecord("\"99\",\"future\",\"7\"") +
                                     taskRecord("\"17\",\"fit\",\"300\",\"100\",\"False\""));
    const ToolResult listed = lumoraBatch({"tasks", tasks});
    EXPECT_EQ(listed.out.section(u'\n', 1, 2), "2\t99\t\tfuture\t7" + QString(16, u'\t') +
                                                   "\n3\t17\tFit\tfit\t300\t100\tFalse" + QString(14, u'\t'));
    ToolResult r = convert({"--tasks", tasks, "--dest", path("tbf"), panorama});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(identify(path("tbf/panorama.jpg")), "100x100");
    r = convert({"--tasks", tasks, "--fit", "50x50", "--enlarge", "--dest", path("both"), panorama});
    EXPECT_EQ(identify(path("both/panorama.jpg")), "50x50");

    for (const QStringList& wrong : {QStringList{"--fit", "800"}, {"--fit", "0x600"}, {"--fit", "800x40000"},
                                     {"--enlarge"}, {"--format", "gif"}}) {
        SCOPED_TRACE(wrong.join(u' ').toStdString());
        EXPECT_EQ(convert(wrong + QStringList{panorama}).exitCode, 2);
    }
}

TEST_F(ConvertFitFormatsCli, WritesEachFormatWithTheMetadataItHolds)
{
    const QString photo = taggedPhoto("harbour.jpg", "1200x900");
    ASSERT_NE(exiftoolValue(photo, "ProfileDescription"), "");
    struct Case {
        QString format, extension, magick;
        bool iptc;
    };
    const Case cases[] = {
        {"webp", "webp", "WEBP", false},
        {"avif", "avif", "HEIC", false},
        {"png", "png", "PNG", false},
        {"tif", "tif", "TIFF", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format.toStdString());
        const ToolResult r = convert({"--format", c.format, "--fit", "400x400", "--dest", path("out"), photo});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QString output = path("out/harbour." + c.extension);
        EXPECT_EQ(identify(output, "%m %wx%h"), c.magick + " 400x300");
        EXPECT_EQ(vipsSize(output), "400x300");
        EXPECT_EQ(exiftoolValue(output, "Make"), "Lumora Test Camera");
        EXPECT_EQ(exiftoolValue(output, "Artist"), "Ann Example");
        EXPECT_EQ(exiftoolValue(output, "Software"), "Lumora");
        EXPECT_EQ(exiftoolValue(output, "ExifImageWidth"), "400");
        EXPECT_EQ(exiftoolValue(output, "Keywords"), c.iptc ? "harbour" : "");
        EXPECT_EQ(exiftoolValue(output, "ProfileDescription"), exiftoolValue(photo, "ProfileDescription"));
        // Where the format wants it: one eXIf before a PNG's image data, no JPEG header in WebP's.
        EXPECT_EQ(exiftoolValue(output, "Warning"), "");
    }

    // The quality reaches the lossy encoders: a lower one makes a smaller file.
    convert({"--format", "webp", "--quality", "10", "--dest", path("low"), photo});
    convert({"--format", "webp", "--quality", "95", "--dest", path("high"), photo});
    EXPECT_LT(QFile(path("low/harbour.webp")).size(), QFile(path("high/harbour.webp")).size());

    // JPEG stays the default, byte for byte, with --quality as its own.
    convert({"--quality", "60", "--dest", path("default"), photo});
    convert({"--format", "jpg", "--quality", "60", "--dest", path("jpg"), photo});
    EXPECT_EQ(identify(path("default/harbour.jpg"), "%m %Q"), "JPEG 60");
    EXPECT_EQ(readBytes(path("default/harbour.jpg")), readBytes(path("jpg/harbour.jpg")));
}

}  // namespace
