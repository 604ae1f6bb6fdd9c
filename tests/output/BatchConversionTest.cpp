// The batch conversion run through its public service: formats read, outputs named, written,
// skipped and left alone, cancel, errors, with ImageMagick reading what it wrote.

#include "BatchFixture.h"

#include "core/LumoraError.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"
#include "support/Oracles.h"
#include "support/ReportCapture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

using Outcome = BatchEntryOutcome;

class BatchConversionRun : public BatchFixture {
protected:
    std::vector<Outcome> outcomes() const
    {
        std::vector<Outcome> all;
        for (const BatchEntryResult& r : conversion->results())
            all.push_back(r.outcome);
        return all;
    }
};

TEST_F(BatchConversionRun, GifPcxAndPsdBecomeJpegsNextToTheirSourcesAndStayWithoutOverwrite)
{
    const QStringList sources{makePhoto(dir.path(), QStringLiteral("flag.gif"), 30, 20),
                              makePhoto(dir.path(), QStringLiteral("scan.pcx"), 41, 17),
                              makePhoto(dir.path(), QStringLiteral("layers.psd"), 25, 36)};
    ReportCapture reports;
    ASSERT_TRUE(run(sources));
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(identify(path(QStringLiteral("flag.jpg")), QStringLiteral("%m %wx%h")), QStringLiteral("JPEG 30x20"));
    EXPECT_EQ(identify(path(QStringLiteral("scan.jpg")), QStringLiteral("%m %wx%h")), QStringLiteral("JPEG 41x17"));
    EXPECT_EQ(identify(path(QStringLiteral("layers.jpg")), QStringLiteral("%m %wx%h")), QStringLiteral("JPEG 25x36"));
    EXPECT_EQ(outcomes(), (std::vector<Outcome>{Outcome::Written, Outcome::Written, Outcome::Written}));
    EXPECT_EQ(conversion->results().at(1).outputPath, path(QStringLiteral("scan.jpg")));

    // A second run that may not overwrite leaves every file as it was.
    QList<QDateTime> before;
    QList<QByteArray> bytes;
    for (const QString& name : {QStringLiteral("flag.jpg"), QStringLiteral("scan.jpg"), QStringLiteral("layers.jpg")}) {
        before.append(QFileInfo(path(name)).lastModified());
        bytes.append(readBytes(path(name)));
    }
    settings.overwrite = 0;
    settings.jpegQuality = 20;
    ASSERT_TRUE(run(sources));
    EXPECT_EQ(outcomes(), (std::vector<Outcome>{Outcome::Existing, Outcome::Existing, Outcome::Existing}));
    int i = 0;
    for (const QString& name : {QStringLiteral("flag.jpg"), QStringLiteral("scan.jpg"), QStringLiteral("layers.jpg")}) {
        EXPECT_EQ(QFileInfo(path(name)).lastModified(), before.at(i));
        EXPECT_EQ(readBytes(path(name)), bytes.at(i));
        ++i;
    }

    // With overwrite the files are written again, at the new quality.
    settings.overwrite = 1;
    ASSERT_TRUE(run(sources));
    EXPECT_EQ(identify(path(QStringLiteral("scan.jpg")), QStringLiteral("%Q")), QStringLiteral("20"));
}

TEST_F(BatchConversionRun, UnreadableEntriesAreSkippedAndTheRunGoesOn)
{
    writeBytes(path(QStringLiteral("notes.xyz")), "nothing to see here");
    writeBytes(path(QStringLiteral("broken.png")), "\x89PNG but not really");
    const QString gone = makePhoto(dir.path(), QStringLiteral("gone.jpg"), 10, 10);
    QFile::remove(gone);
    const QStringList files{makePhoto(dir.path(), QStringLiteral("a.png"), 12, 9), path(QStringLiteral("notes.xyz")),
                            gone, path(QStringLiteral("broken.png")), path(QStringLiteral("missing.tga")),
                            makePhoto(dir.path(), QStringLiteral("b.bmp"), 7, 5)};
    ReportCapture reports;
    ASSERT_TRUE(run(files));
    EXPECT_EQ(outcomes(), (std::vector<Outcome>{Outcome::Written, Outcome::Unreadable, Outcome::Unreadable,
                                                Outcome::Unreadable, Outcome::Unreadable, Outcome::Written}));
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(identify(path(QStringLiteral("b.jpg"))), QStringLiteral("7x5"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("notes.jpg"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("gone.jpg"))));
}

TEST_F(BatchConversionRun, NamingAfterTheTasksIntoTheChosenFolder)
{
    const QString beach = makePhoto(dir.path(), QStringLiteral("beach.jpg"), 160, 120);
    settings.destinationChoice = 1;
    settings.destinationFolder = QStringLiteral(" ") + path(QStringLiteral("out")) + QStringLiteral(" ");
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("out"))));
    settings.nameMode = 1;
    settings.prefix = QStringLiteral("[No Prefix]");
    settings.separator1 = QStringLiteral("[No Separator]");
    settings.separator2 = QStringLiteral("_");
    settings.suffix = QStringLiteral("[Resulting resolution]");
    const QList<TaskRecord> resize{TaskRecord(TaskKind::Resize, QStringLiteral("resize"),
                                              {QStringLiteral("True"), QStringLiteral("80"), QStringLiteral("60")})};
    ASSERT_TRUE(run({beach}, 1, resize));
    EXPECT_EQ(identify(path(QStringLiteral("out/beach_80x60.jpg"))), QStringLiteral("80x60"));

    // Without processing, the tasks are not applied.
    settings.processTaskBasket = 0;
    ASSERT_TRUE(run({beach}, 1, resize));
    EXPECT_EQ(identify(path(QStringLiteral("out/beach_160x120.jpg"))), QStringLiteral("160x120"));
}

TEST_F(BatchConversionRun, GenericNumbersFollowTheBasketPositionAcrossSkippedEntries)
{
    settings.nameMode = 2;
    settings.counterStart = QStringLiteral("[Starting 1001]");
    const QStringList files{makePhoto(dir.path(), QStringLiteral("one.png"), 11, 5), path(QStringLiteral("none.xyz")),
                            makePhoto(dir.path(), QStringLiteral("three.png"), 13, 5)};
    ASSERT_TRUE(run(files));
    EXPECT_EQ(identify(path(QStringLiteral("Sample1001.jpg"))), QStringLiteral("11x5"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Sample1002.jpg"))));
    EXPECT_EQ(identify(path(QStringLiteral("Sample1003.jpg"))), QStringLiteral("13x5"));
}

TEST_F(BatchConversionRun, SaveOptionsReachTheFile)
{
    const QString photo = makePhoto(dir.path(), QStringLiteral("colour.png"), 48, 32);
    settings.jpegQuality = 63;
    settings.progressive = 1;
    settings.jpegDepth = 1;  // "8 bit Grayscale"
    ASSERT_TRUE(run({photo}));
    EXPECT_EQ(identify(path(QStringLiteral("colour.jpg")), QStringLiteral("%Q %[colorspace] %[interlace]")),
              QStringLiteral("63 Gray JPEG"));

    settings.progressive = 0;
    settings.jpegDepth = 0;
    ASSERT_TRUE(run({photo}));
    EXPECT_EQ(identify(path(QStringLiteral("colour.jpg")), QStringLiteral("%[colorspace] %[interlace]")),
              QStringLiteral("sRGB None"));
}

TEST_F(BatchConversionRun, CancelFromTheProgressCallbackLeavesTheFinishedPhotosOnly)
{
    QStringList files;
    for (int i = 1; i <= 10; ++i)
        files.append(makePhoto(dir.path(), QStringLiteral("p%1.png").arg(i), 8 + i, 8));
    std::vector<int> heard;
    progress = [&](int done, int count) {
        heard.push_back(done);
        EXPECT_EQ(count, 10);
        if (done == 3)
            conversion->cancel();
    };
    EXPECT_TRUE(run(files));  // a cancelled run still ends normally
    EXPECT_EQ(heard, (std::vector<int>{1, 2, 3}));
    QStringList written;
    for (const QString& file : filesIn(dir.path())) {
        if (file.endsWith(QStringLiteral(".jpg")))
            written.append(file);
    }
    EXPECT_EQ(written, (QStringList{"p1.jpg", "p2.jpg", "p3.jpg"}));
    EXPECT_EQ(conversion->count(Outcome::Written), 3);
    EXPECT_EQ(conversion->count(Outcome::NotStarted), 7);
}

TEST_F(BatchConversionRun, AnUnwritableDestinationEndsTheRunWithOneReport)
{
    writeBytes(path(QStringLiteral("file.txt")), "a file, not a folder");
    settings.destinationChoice = 1;
    settings.destinationFolder = path(QStringLiteral("file.txt/"));
    const QStringList files{makePhoto(dir.path(), QStringLiteral("a.png"), 8, 8),
                            makePhoto(dir.path(), QStringLiteral("b.png"), 8, 8)};
    ReportCapture reports;
    EXPECT_FALSE(run(files));
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(reports.reports().at(0).routine, QStringLiteral("fncSaveSinglePage"));
    EXPECT_EQ(reports.reports().at(0).line, 1);  // the basket position of the photo
    EXPECT_EQ(conversion->results().at(0).outcome, Outcome::Failed);
    EXPECT_EQ(conversion->results().at(1).outcome, Outcome::NotStarted);
    EXPECT_EQ(readBytes(path(QStringLiteral("file.txt"))), QByteArray("a file, not a folder"));
    EXPECT_EQ(filesIn(dir.path()), (QStringList{"a.png", "b.png", "file.txt"}));
}

TEST_F(BatchConversionRun, AFullDiskLeavesTheOldFileWholeAndNoPartOfTheNewOne)
{
    const QString photo = makePhoto(dir.path(), QStringLiteral("big.png"), 300, 200);
    const QString small = makePhoto(dir.path(), QStringLiteral("small.png"), 4, 4);
    writeBytes(path(QStringLiteral("big.jpg")), "the old output");
    settings.jpegQuality = 100;
    ReportCapture reports;
    {
        const FullDisk disk(2000);  // the new file is larger than that
        EXPECT_FALSE(run({photo, small}));
    }
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(reports.reports().at(0).routine, QStringLiteral("fncSaveSinglePage"));
    EXPECT_EQ(readBytes(path(QStringLiteral("big.jpg"))), QByteArray("the old output"));
    EXPECT_EQ(filesIn(dir.path()), (QStringList{"big.jpg", "big.png", "small.png"}));
}

TEST_F(BatchConversionRun, ATaskThatFailsIsReportedAndThePhotoStillWritten)
{
    const QStringList files{makePhoto(dir.path(), QStringLiteral("a.png"), 40, 20),
                            makePhoto(dir.path(), QStringLiteral("b.png"), 20, 40)};
    const QList<TaskRecord> tasks{
        TaskRecord(TaskKind::Resize, QStringLiteral("resize"), {QStringLiteral("False"), QStringLiteral("50")}),
        TaskRecord(TaskKind::Rotate, QStringLiteral("rotate"),
                   {QStringLiteral("False"), QStringLiteral("quarter"), QStringLiteral("0")})};
    ReportCapture reports;
    EXPECT_TRUE(run(files, 1, tasks));
    ASSERT_EQ(reports.reports().size(), 2u);
    EXPECT_EQ(reports.reports().at(0).routine, QStringLiteral("subProcessPages"));
    EXPECT_EQ(identify(path(QStringLiteral("a.jpg"))), QStringLiteral("20x10"));
    EXPECT_EQ(identify(path(QStringLiteral("b.jpg"))), QStringLiteral("10x20"));
}

}  // namespace
