// The batch conversion run through its public service, with ImageMagick and exiftool reading what
// it wrote: formats read, outputs named, written, skipped and left alone; several photos at once
// giving the bytes of a one-at-a-time run (the settings the tasks leave in an engine, shared
// names, generic numbers, progress order); cancel, errors and a full disk; metadata merged in.

#include "OutputTestFiles.h"

#include "output/BatchConversion.h"
#include "settings/SetupRecord.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"
#include "support/Oracles.h"
#include "support/ReportCapture.h"
#include "support/TestImages.h"
#include "tasks/TaskRecord.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace lumora;
using namespace lumora::test;

namespace {

using Outcome = BatchEntryOutcome;

// A folder of photos and the batch settings of a first start.
class BatchConversionRun : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    // Sets up the batch over the files; the conversion stays for its results.
    void prepare(const QStringList& files, int jobs = 1, const QList<TaskRecord>& tasks = {})
    {
        QList<BatchEntry> entries;
        for (const QString& file : files)
            entries.append(BatchEntry{QFileInfo(file).completeBaseName(), file});
        conversion = std::make_unique<BatchConversion>(entries, tasks, settings);
        conversion->setJobs(jobs);
        conversion->setProgressCallback(progress);
    }
    bool run(const QStringList& files, int jobs = 1, const QList<TaskRecord>& tasks = {})
    {
        prepare(files, jobs, tasks);
        return conversion->fncSaveSinglePage();
    }

    // Runs into a folder of its own; its outputs by name, with their bytes.
    std::map<QString, QByteArray> runInto(const QString& folder, const QStringList& files, int jobs,
                                          const QList<TaskRecord>& tasks = {})
    {
        EXPECT_TRUE(QDir().mkpath(path(folder)));
        settings.destinationChoice = 1;
        settings.destinationFolder = path(folder);
        EXPECT_TRUE(run(files, jobs, tasks));
        std::map<QString, QByteArray> outputs;
        for (const QString& name : filesIn(path(folder)))
            outputs[name] = readBytes(path(folder + u'/' + name));
        return outputs;
    }

    // Each entry's outcome by its initial: Not started, Written, Unreadable, Existing, Failed.
    QString outcomes() const
    {
        QString letters;
        for (const BatchEntryResult& r : conversion->results())
            letters += QStringLiteral("NWUEF").at(static_cast<int>(r.outcome));
        return letters;
    }

    // photo1.jpg, photo2.gif, photo3.bmp, photo4.png, ... of 33x21, 36x22, ...
    QStringList photos(int count)
    {
        const QStringList kinds{"png", "jpg", "gif", "bmp"};
        QStringList files;
        for (int i = 1; i <= count; ++i)
            files.append(makePhoto(dir.path(), QStringLiteral("photo%1.").arg(i) + kinds[i % 4], 30 + 3 * i, 20 + i));
        return files;
    }
    static QString photoSize(int i) { return QStringLiteral("%1x%2").arg(30 + 3 * i).arg(20 + i); }

    QTemporaryDir dir;
    SetupRecord::Naming settings = defaultSetup(QStringLiteral("/lumora")).naming;
    BatchConversion::ProgressCallback progress;
    std::unique_ptr<BatchConversion> conversion;
};

TEST_F(BatchConversionRun, PhotosBecomeJpegsNextToTheirSourcesUnreadableOnesAreSkippedAndNoneIsOverwrittenUnasked)
{
    writeBytes(path("notes.xyz"), "nothing to see here");
    writeBytes(path("broken.png"), "\x89PNG but not really");
    const QStringList sources{makePhoto(dir.path(), "flag.gif", 30, 20), path("notes.xyz"), path("gone.jpg"),
                              makePhoto(dir.path(), "scan.pcx", 41, 17), path("broken.png"), path("missing.tga"),
                              makePhoto(dir.path(), "layers.psd", 25, 36)};
    const QStringList outputs{path("flag.jpg"), path("scan.jpg"), path("layers.jpg")};
    ReportCapture reports;
    ASSERT_TRUE(run(sources));
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(outcomes(), "WUUWUUW");
    EXPECT_EQ(conversion->results().at(3).outputPath, outputs[1]);
    EXPECT_EQ(runTool("identify", QStringList{"-format", "%m %wx%h %[colorspace] %[interlace],"} + outputs).out,
              "JPEG 30x20 sRGB None,JPEG 41x17 sRGB None,JPEG 25x36 sRGB None,");
    EXPECT_EQ(filesIn(dir.path()), (QStringList{"broken.png", "flag.gif", "flag.jpg", "layers.jpg", "layers.psd",
                                                "notes.xyz", "scan.jpg", "scan.pcx"}));

    // A second run that may not overwrite leaves every file as it was.
    QList<QByteArray> before;
    for (const QString& output : outputs)
        before.append(readBytes(output));
    settings.overwrite = 0;
    settings.jpegQuality = 63;
    ASSERT_TRUE(run(sources));
    EXPECT_EQ(outcomes(), "EUUEUUE");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(readBytes(outputs[i]), before[i]);

    // With overwrite the files are written again, with the save options of the settings.
    settings.overwrite = 1;
    settings.progressive = 1;
    settings.jpegDepth = 1;  // "8 bit Grayscale"
    ASSERT_TRUE(run(sources));
    EXPECT_EQ(identify(outputs[1], "%Q %[colorspace] %[interlace]"), "63 Gray JPEG");
}

TEST_F(BatchConversionRun, TasksRunWhenAskedAndOneThatFailsIsReportedWithThePhotoStillWritten)
{
    const QList<TaskRecord> tasks{TaskRecord(TaskKind::Resize, "resize", {"False", "50"}),
                                  TaskRecord(TaskKind::Rotate, "rotate", {"False", "quarter", "0"})};
    const QStringList files{makePhoto(dir.path(), "a.png", 40, 20), makePhoto(dir.path(), "b.png", 20, 40)};
    ReportCapture reports;
    EXPECT_TRUE(run(files, 1, tasks));
    ASSERT_EQ(reports.reports().size(), 2u);
    EXPECT_EQ(reports.reports().at(0).routine, "subProcessPages");
    EXPECT_EQ(identify(path("a.jpg")) + ' ' + identify(path("b.jpg")), "20x10 10x20");
    // Without processing, the tasks are not applied.
    reports.clear();
    settings.processTaskBasket = 0;
    EXPECT_TRUE(run(files, 1, tasks));
    EXPECT_TRUE(reports.reports().empty());
    EXPECT_EQ(identify(path("a.jpg")) + ' ' + identify(path("b.jpg")), "40x20 20x40");
}

TEST_F(BatchConversionRun, SeveralWorkersWriteTheBytesOfOneWorkerWhateverTheTasksLeaveInTheEngine)
{
    // A crop whose margin takes the engine's back colour without setting it, then tasks that set
    // it (rotate: red) and other settings (overlay, text). The first photo read in a one-at-a-time
    // run gets the fresh engine's white margin, every later one the red that the photo before
    // left. The first two entries cannot be read, so nothing before the third was read.
    const QString logo = writePng(markedPicture(12, 8, 3, 3), path("logo.png"));
    const QList<TaskRecord> tasks{
        TaskRecord(TaskKind::Crop, "crop", {"False", "-8", "-8", "40", "30"}),
        TaskRecord(TaskKind::Rotate, "rotate", {"False", "0", "255"}),
        TaskRecord(TaskKind::Watermark, "watermark", {"False", "30", "0", logo, "0", QString(), QString()}),
        TaskRecord(TaskKind::Text, "text",
                   {"True", "False", "True", "0", "2", "DejaVu Sans", "9", "True", "False", "False", "16777215", "0", "0",
                    "8", "Lumora"}),
    };
    writeBytes(path("junk.xyz"), "junk");
    const QStringList files = QStringList{path("junk.xyz"), path("missing.png")} + photos(7);
    const auto one = runInto("one", files, 1, tasks);
    ASSERT_EQ(one.size(), 7u);
    EXPECT_EQ(identify(path("one/photo1.jpg"), "%[fx:int(255*p{2,2}.g+0.5)>200]"), "1");
    EXPECT_EQ(identify(path("one/photo2.jpg"), "%[fx:int(255*p{2,2}.g+0.5)<60]"), "1");
    for (const int jobs : {2, 3, 7}) {
        const auto many = runInto(QStringLiteral("jobs%1").arg(jobs), files, jobs, tasks);
        EXPECT_EQ(many.size(), one.size()) << jobs;
        for (const auto& [name, bytes] : one)
            EXPECT_TRUE(many.count(name) && many.at(name) == bytes) << name.toStdString() << " with --jobs " << jobs;
    }
}

TEST_F(BatchConversionRun, EntriesSharingAnOutputNameKeepTheirOrder)
{
    // Same names from different folders into one destination: without overwrite the first entry
    // of each name wins, with overwrite the last, in any number of workers.
    ASSERT_TRUE(QDir().mkpath(path("a")) && QDir().mkpath(path("b")));
    QStringList files;
    for (int i = 0; i < 4; ++i)
        files << makePhoto(path("a"), QStringLiteral("x%1.png").arg(i), 10 + i, 10)
              << makePhoto(path("b"), QStringLiteral("x%1.gif").arg(i), 20 + i, 10);
    for (const int overwrite : {0, 1}) {
        settings.overwrite = static_cast<std::uint8_t>(overwrite);
        const QString base = QStringLiteral("o%1-").arg(overwrite);
        const auto one = runInto(base + u'1', files, 1);
        const QString sequential = outcomes();
        EXPECT_EQ(identify(path(base + "1/x0.jpg")), overwrite ? "20x10" : "10x10");
        for (const int jobs : {2, 8}) {
            EXPECT_TRUE(runInto(base + QString::number(jobs), files, jobs) == one) << overwrite << " " << jobs;
            EXPECT_EQ(outcomes(), sequential);
        }
    }
}

TEST_F(BatchConversionRun, AnEntryReadsWhatAnEarlierEntryWroteToItsSource)
{
    // The first entry writes shot.jpg, which the second entry reads: one at a time, the second
    // converts the first one's output, and so it must with several workers.
    const QString png = makePhoto(dir.path(), "shot.png", 16, 12);
    for (const int jobs : {1, 2}) {
        const QString jpg = makePhoto(dir.path(), "shot.jpg", 50, 50);
        prepare({png, jpg}, jobs, {TaskRecord(TaskKind::Resize, "resize", {"False", "50"})});
        conversion->setReplaceSources(true);
        ASSERT_TRUE(conversion->fncSaveSinglePage());
        // shot.png 16x12 becomes shot.jpg 8x6, which is read back and halved again.
        EXPECT_EQ(identify(jpg), "4x3") << jobs;
    }
}

TEST_F(BatchConversionRun, GenericNumbersFollowTheBasketPositionAndProgressItsOrder)
{
    settings.nameMode = 2;
    settings.counterStart = "[Starting 1001]";
    QStringList files = photos(9);
    files.insert(4, path("missing.png"));
    QString heard;
    progress = [&](int done, int count) { heard += QStringLiteral("%1/%2 ").arg(done).arg(count); };
    for (const int jobs : {1, 4}) {
        SCOPED_TRACE(jobs);
        heard.clear();
        const auto outputs = runInto(QStringLiteral("jobs%1").arg(jobs), files, jobs);
        EXPECT_EQ(heard, "1/10 2/10 3/10 4/10 5/10 6/10 7/10 8/10 9/10 10/10 ");
        ASSERT_EQ(outputs.size(), 9u);
        for (int position = 1; position <= 10; ++position)  // the missing fifth entry keeps its number
            EXPECT_EQ(identify(path(QStringLiteral("jobs%1/Sample%2.jpg").arg(jobs).arg(1000 + position))),
                      position == 5 ? QString() : photoSize(position < 5 ? position : position - 1));
    }
}

TEST_F(BatchConversionRun, AnErrorStopsTheRunAndKeepsWhatWasWritten)
{
    // The fourth photo's output name is taken by a folder, so it cannot be written.
    const QStringList files = photos(8);
    settings.destinationChoice = 1;
    for (const int jobs : {2, 1}) {
        SCOPED_TRACE(jobs);
        const QString out = QStringLiteral("jobs%1/").arg(jobs);
        ASSERT_TRUE(QDir().mkpath(path(out + "photo4.jpg")));
        settings.destinationFolder = path(out);
        ReportCapture reports;
        EXPECT_FALSE(run(files, jobs));
        ASSERT_GE(reports.reports().size(), 1u);
        for (const ErrorReport& report : reports.reports())
            EXPECT_EQ(report.routine, "fncSaveSinglePage");
        EXPECT_EQ(outcomes().left(4), "WWWF");
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(identify(path(out + QStringLiteral("photo%1.jpg").arg(i))), photoSize(i));
        if (jobs == 1) {
            // One worker stops right there, reporting the basket position, and leaves no other file.
            ASSERT_EQ(reports.reports().size(), 1u);
            EXPECT_EQ(reports.reports().at(0).line, 4);
            EXPECT_EQ(outcomes(), "WWWFNNNN");
            EXPECT_EQ(filesIn(path(out)), (QStringList{"photo1.jpg", "photo2.jpg", "photo3.jpg"}));
        }
    }
}

TEST_F(BatchConversionRun, AFullDiskLeavesTheOldFileWholeAndNoPartOfTheNewOne)
{
    const QString photo = makePhoto(dir.path(), "big.png", 300, 200);
    const QString small = makePhoto(dir.path(), "small.png", 4, 4);
    writeBytes(path("big.jpg"), "the old output");
    settings.jpegQuality = 100;
    ReportCapture reports;
    {
        const FullDisk disk(2000);  // the new file is larger than that
        EXPECT_FALSE(run({photo, small}));
    }
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(reports.reports().at(0).routine, "fncSaveSinglePage");
    EXPECT_EQ(readBytes(path("big.jpg")), QByteArray("the old output"));
    EXPECT_EQ(filesIn(dir.path()), (QStringList{"big.jpg", "big.png", "small.png"}));
}

// One IIM dataset of record 2.
QByteArray dataset(int number, const QByteArray& value)
{
    return QByteArray("\x1c\x02") + char(number) + char((value.size() >> 8) & 0xff) + char(value.size() & 0xff) + value;
}

class BatchMetadata : public BatchConversionRun {
protected:
    QStringList sources()
    {
        const QString camera = makePhoto(dir.path(), "camera.jpg", 40, 30);
        writeExifTags(camera, {"-Make=Canon", "-Model=EOS 5D/II", "-Software=Camera firmware 1.1"});
        return {makePhoto(dir.path(), "drawing.png", 20, 10), camera, makePhoto(dir.path(), "old.gif", 12, 12)};
    }
    const QStringList outputs{"drawing.jpg", "camera.jpg", "old.jpg"};
};

TEST_F(BatchMetadata, ExifAndIptcFilesGoIntoEveryOutputWhichNamesLumoraAsItsSoftware)
{
    const QStringList files = sources();
    writeBytes(path("studio.xiff"),
               "\"Artist\",\"Jane Roe\"\r\n\"ImageDescription\",\"Harbour at dawn\"\r\n\"Copyright\",\"(c) Roe\"\r\n");
    writeBytes(path("desk.ffo"), dataset(0, QByteArray("\x00\x04", 2)) + dataset(105, "Storm warning") +
                                     dataset(80, "Bob Roe") + dataset(120, "Waves over the pier"));
    settings.importExif = settings.importIptc = 1;
    settings.exifFile = "  " + path("studio.xiff");
    settings.iptcFile = path("desk.ffo");
    const QStringList tags{"Artist", "ImageDescription", "Copyright", "Software", "IPTC:Headline", "IPTC:By-line",
                           "IPTC:Caption-Abstract"};
    runInto("out", files, 2);
    for (const QString& name : outputs)
        EXPECT_EQ(exifTags(path("out/" + name), tags), (QStringList{"Jane Roe", "Harbour at dawn", "(c) Roe", "Lumora",
                                                                    "Storm warning", "Bob Roe", "Waves over the pier"}))
            << name.toStdString();
    // The camera's own attributes travel with the photo.
    EXPECT_EQ(exifTags(path("out/camera.jpg"), {"Make"}), QStringList{"Canon"});

    // Switched off, or pointing at nothing, the files are passed over without a word.
    ReportCapture reports;
    settings.importExif = settings.importIptc = 0;
    runInto("off", files, 1);
    EXPECT_EQ(exifTags(path("off/drawing.jpg"), tags), (QStringList{"-", "-", "-", "Lumora", "-", "-", "-"}));
    settings.importExif = settings.importIptc = 1;
    settings.exifFile = path("none.xiff");
    settings.iptcFile = path("none.ffo");
    runInto("none", files, 1);
    EXPECT_EQ(exifTags(path("none/drawing.jpg"), tags), (QStringList{"-", "-", "-", "Lumora", "-", "-", "-"}));
    EXPECT_TRUE(reports.reports().empty());

    // An IPTC file that is not IPTC is an error that ends the run.
    writeBytes(path("desk.ffo"), "not iptc at all");
    settings.iptcFile = path("desk.ffo");
    EXPECT_FALSE(run(files));
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(reports.reports().at(0).routine, "fncSaveSinglePage");
}

TEST_F(BatchMetadata, NamesMadeOfMetadataLoseWhatAFileNameCannotHold)
{
    const QStringList files = sources();
    settings.nameMode = 1;
    settings.prefix = "[EXIF Make & Model]";
    settings.separator1 = "[WhiteSpace]";
    settings.separator2 = "[No Separator]";
    settings.suffix = "[No Prefix]";
    ASSERT_TRUE(run(files));
    EXPECT_EQ(conversion->results().at(1).outputPath, path("Canon-EOS 5DII camera.jpg"));
    EXPECT_TRUE(QFile::exists(path("Canon-EOS 5DII camera.jpg")));
    // Without make and model: no stray "-".
    EXPECT_EQ(conversion->results().at(0).outputPath, path(" drawing.jpg"));
}

}  // namespace
