// Pages added to multi-page TIFF and PDF files, as counted and drawn by ImageMagick, libtiff's and
// poppler's own tools, and files left exactly as they were when a page cannot be added.

#include "engine/EngineError.h"
#include "engine/ImageBox.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"
#include "support/Oracles.h"
#include "support/TestImages.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

void append(ImageBox& box, const QString& file)
{
    if (file.endsWith(QStringLiteral(".pdf")))
        box.AppendPdfPage(file, QString(), 0);
    else
        box.AppendTiffPage(file, QString(), 0);
}

TEST(AppendPage, ThreePagesOfTheirOwnSizesAndDepthsKeepTheFirstPagesPixels)
{
    for (const QString& ext : {QStringLiteral("tif"), QStringLiteral("pdf")}) {
        SCOPED_TRACE(ext.toStdString());
        QTemporaryDir dir;
        const QString file = dir.filePath("pages." + ext);
        ImageBox box;
        box.SetBitmapHandle(gradientPicture(60, 40));
        box.SaveToFile(file);
        box.SetBitmapHandle(Picture::filled(30, 50, kBlue));
        append(box, file);
        // A black and white page, as a line-art scan is saved: one bit per pixel, Group 4 in TIFF.
        box.SetBitmapHandle(markedPicture(40, 30, 3, 4, kBlack, kWhite));
        box.SetSaveColorDepth(6);
        box.SetTiffCompression(2);
        append(box, file);

        if (ext == u"tif") {
            EXPECT_EQ(identify(file, "%wx%h;"), "60x40;30x50;40x30;");
            EXPECT_EQ(runTool("tiffinfo", {file}).out.count("CCITT Group 4"), 1);
            continue;
        }
        const ToolResult info = runTool("pdfinfo", {"-l", "3", file});
        EXPECT_TRUE(info.out.contains(QRegularExpression("Pages: +3\n"))) << info.out.toStdString();
        for (const char* size : {"60 x 40 pts", "30 x 50 pts", "40 x 30 pts"})
            EXPECT_TRUE(info.out.contains(size)) << size;
        // The first page was read back and written again: poppler's cairo renderer draws the very same
        // pixels (its Splash renderer, pdftoppm, smooths images drawn at one pixel per point).
        for (const auto& [page, picture] : {std::pair{"1", gradientPicture(60, 40)},
                                            {"3", markedPicture(40, 30, 3, 4, kBlack, kWhite)}}) {
            const QString png = dir.filePath(QStringLiteral("page%1").arg(page));
            ASSERT_EQ(runTool("pdftocairo", {"-png", "-r", "72", "-f", page, "-l", page, "-singlefile", file, png}).exitCode, 0);
            ImageBox reader;
            reader.LoadFromFile(png + ".png");
            EXPECT_EQ(maxDifference(reader.Picture(), picture), 0) << page;
        }
    }
}

TEST(AppendPage, AFileThatCannotTakeThePageStaysByteForByte)
{
    QTemporaryDir dir;
    ImageBox box;
    box.SetBitmapHandle(gradientPicture(40, 30));
    const QString jpeg = dir.filePath("photo.jpg");
    box.SaveToFile(jpeg);
    const QString tiff = dir.filePath("full.tif");
    const QString pdf = dir.filePath("full.pdf");
    box.SaveToFile(tiff);
    box.SaveToFile(pdf);
    const QString text = writeBytes(dir.filePath("notes.txt"), "not a picture\n");
    const QString missing = dir.filePath("missing.tif");
    for (const auto& [file, fullDisk] : {std::pair{jpeg, false}, {text, false}, {missing, false}, {tiff, true}, {pdf, true}}) {
        for (const bool asPdf : {false, true}) {
            SCOPED_TRACE(file.toStdString() + (asPdf ? " as PDF" : " as TIFF"));
            const QByteArray before = readBytes(file);
            {
                // The grown file cannot be written; the one there must not be touched.
                const FullDisk disk(fullDisk ? rlim_t(before.size() + 16) : RLIM_INFINITY);
                EXPECT_THROW(asPdf ? box.AppendPdfPage(file) : box.AppendTiffPage(file), EngineError);
            }
            EXPECT_EQ(readBytes(file), before);
            EXPECT_EQ(QFile::exists(file), !before.isEmpty());
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4);  // no temporary left behind
        }
    }
}

}  // namespace
