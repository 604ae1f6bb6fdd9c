// Several photos at once give the files of a one-at-a-time run: the settings the tasks leave in
// an engine, names shared by several entries, generic numbers, progress order and cancel.

#include "BatchFixture.h"

#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/ReportCapture.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <map>
#include <numeric>

using namespace lumora;
using namespace lumora::test;

namespace {

using Outcome = BatchEntryOutcome;

class BatchParallel : public BatchFixture {
protected:
    // The outputs of a run into the folder, by name, with their bytes.
    std::map<QString, QByteArray> runInto(const QString& folder, const QStringList& files, int jobs,
                                          const QList<TaskRecord>& tasks)
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

    std::vector<Outcome> outcomes() const
    {
        std::vector<Outcome> all;
        for (const BatchEntryResult& r : conversion->results())
            all.push_back(r.outcome);
        return all;
    }

    // A crop whose margin takes the engine's back colour without setting it, then tasks that set
    // it (rotate: red) and other settings (overlay, text). The first photo of a one-at-a-time run
    // gets the fresh engine's white margin, every later one the red that the photo before left.
    QList<TaskRecord> stateTasks()
    {
        const QString logo = writePng(markedPicture(12, 8, 3, 3), path(QStringLiteral("logo.png")));
        return {
            TaskRecord(TaskKind::Crop, QStringLiteral("crop"),
                       {QStringLiteral("False"), QStringLiteral("-8"), QStringLiteral("-8"), QStringLiteral("40"),
                        QStringLiteral("30")}),
            TaskRecord(TaskKind::Rotate, QStringLiteral("rotate"),
                       {QStringLiteral("False"), QStringLiteral("0"), QStringLiteral("255")}),
            TaskRecord(TaskKind::Watermark, QStringLiteral("watermark"),
                       {QStringLiteral("False"), QStringLiteral("30"), QStringLiteral("0"), logo, QStringLiteral("0"),
                        QString(), QString()}),
            TaskRecord(TaskKind::Text, QStringLiteral("text"),
                       {QStringLiteral("True"), QStringLiteral("False"), QStringLiteral("True"), QStringLiteral("0"),
                        QStringLiteral("2"), QStringLiteral("DejaVu Sans"), QStringLiteral("9"), QStringLiteral("True"),
                        QStringLiteral("False"), QStringLiteral("False"), QStringLiteral("16777215"), QStringLiteral("0"),
                        QStringLiteral("0"), QStringLiteral("8"), QStringLiteral("Lumora")}),
        };
    }

    QStringList photos(int count)
    {
        QStringList files;
        const QStringList kinds{QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("gif"), QStringLiteral("bmp")};
        for (int i = 1; i <= count; ++i)
            files.append(makePhoto(dir.path(), QStringLiteral("photo%1.%2").arg(i).arg(kinds.at(i % kinds.size())),
                                   30 + 3 * i, 20 + i));
        return files;
    }
};

TEST_F(BatchParallel, SeveralWorkersWriteTheBytesOfOneWorker)
{
    const QStringList files = photos(7);
    const QList<TaskRecord> tasks = stateTasks();
    const auto one = runInto(QStringLiteral("one"), files, 1, tasks);
    ASSERT_EQ(one.size(), 7u);
    // The test sees the carried settings: white margin on the first photo, red on the second.
    EXPECT_EQ(identify(path(QStringLiteral("one/photo1.jpg")), QStringLiteral("%[fx:int(255*p{2,2}.g+0.5)>200]")),
              QStringLiteral("1"));
    EXPECT_EQ(identify(path(QStringLiteral("one/photo2.jpg")), QStringLiteral("%[fx:int(255*p{2,2}.g+0.5)<60]")),
              QStringLiteral("1"));

    for (const int jobs : {2, 3, 7}) {
        const QString folder = QStringLiteral("jobs%1").arg(jobs);
        const auto many = runInto(folder, files, jobs, tasks);
        EXPECT_EQ(many.size(), one.size()) << jobs;
        for (const auto& [name, bytes] : one)
            EXPECT_TRUE(many.count(name) && many.at(name) == bytes) << name.toStdString() << " with --jobs " << jobs;
    }
}

TEST_F(BatchParallel, ThePhotoAfterUnreadableOnesStartsLikeTheFirst)
{
    // Nothing before the third entry was read, so it gets the fresh engine's settings, in one run
    // as in several.
    QStringList files = photos(5);
    writeBytes(path(QStringLiteral("junk.xyz")), "junk");
    files.insert(0, path(QStringLiteral("junk.xyz")));
    files.insert(1, path(QStringLiteral("missing.png")));
    const QList<TaskRecord> tasks = stateTasks();
    const auto one = runInto(QStringLiteral("one"), files, 1, tasks);
    EXPECT_EQ(identify(path(QStringLiteral("one/photo1.jpg")), QStringLiteral("%[fx:int(255*p{2,2}.g+0.5)>200]")),
              QStringLiteral("1"));
    for (const int jobs : {2, 4}) {
        const auto many = runInto(QStringLiteral("jobs%1").arg(jobs), files, jobs, tasks);
        EXPECT_TRUE(many == one) << jobs;
    }
}

TEST_F(BatchParallel, EntriesSharingAnOutputNameKeepTheirOrder)
{
    // Same names from different folders into one destination: without overwrite the first entry
    // of each name wins, with overwrite the last, in any number of workers.
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("a"))));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("b"))));
    QStringList files;
    for (int i = 0; i < 4; ++i) {
        files.append(makePhoto(path(QStringLiteral("a")), QStringLiteral("x%1.png").arg(i), 10 + i, 10));
        files.append(makePhoto(path(QStringLiteral("b")), QStringLiteral("x%1.gif").arg(i), 20 + i, 10));
    }
    for (const int overwrite : {0, 1}) {
        settings.overwrite = static_cast<std::uint8_t>(overwrite);
        const QString base = QStringLiteral("o%1-").arg(overwrite);
        const auto one = runInto(base + u'1', files, 1, {});
        const std::vector<Outcome> sequential = outcomes();
        EXPECT_EQ(identify(path(base + QStringLiteral("1/x0.jpg"))), overwrite ? QStringLiteral("20x10")
                                                                              : QStringLiteral("10x10"));
        for (const int jobs : {2, 8}) {
            const auto many = runInto(base + QString::number(jobs), files, jobs, {});
            EXPECT_TRUE(many == one) << "overwrite " << overwrite << " jobs " << jobs;
            EXPECT_EQ(outcomes(), sequential);
        }
    }
}

TEST_F(BatchParallel, AnEntryReadsWhatAnEarlierEntryWroteToItsSource)
{
    // The first entry writes shot.jpg, which the second entry reads: one at a time, the second
    // converts the first one's output, and so it must with several workers.
    const QString png = makePhoto(dir.path(), QStringLiteral("shot.png"), 16, 12);
    const QList<TaskRecord> halve{
        TaskRecord(TaskKind::Resize, QStringLiteral("resize"), {QStringLiteral("False"), QStringLiteral("50")})};
    for (const int jobs : {1, 2}) {
        const QString jpg = makePhoto(dir.path(), QStringLiteral("shot.jpg"), 50, 50);
        ASSERT_TRUE(run({png, jpg}, jobs, halve));
        // shot.png 16x12 becomes shot.jpg 8x6, which is read back and halved again.
        EXPECT_EQ(identify(jpg), QStringLiteral("4x3")) << jobs;
    }
}

TEST_F(BatchParallel, GenericNumbersFollowTheBasketPosition)
{
    settings.nameMode = 2;
    settings.counterStart = QStringLiteral("7");
    const QStringList files = photos(9);
    const auto outputs = runInto(QStringLiteral("out"), files, 4, {});
    ASSERT_EQ(outputs.size(), 9u);
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(identify(path(QStringLiteral("out/Sample%1.jpg").arg(6 + i))), QStringLiteral("%1x%2").arg(30 + 3 * i).arg(20 + i));
}

TEST_F(BatchParallel, ProgressComesInBasketOrder)
{
    std::vector<int> heard;
    progress = [&](int done, int count) {
        heard.push_back(done);
        EXPECT_EQ(count, 12);
    };
    QStringList files = photos(11);
    files.insert(5, path(QStringLiteral("missing.png")));
    runInto(QStringLiteral("out"), files, 3, {});
    std::vector<int> expected(12);
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(heard, expected);
}

TEST_F(BatchParallel, CancelLetsThePhotosInProgressFinishAndStartsNoOther)
{
    const QStringList files = photos(12);
    progress = [&](int done, int) {
        if (done == 3)
            conversion->cancel();
    };
    EXPECT_TRUE(runInto(QStringLiteral("out"), files, 3, {}).size() >= 3);
    // Entries are taken in basket order and every entry taken is finished: whatever the workers'
    // pace, the outputs are those of the first k entries, and nothing after them was started.
    const int written = conversion->count(Outcome::Written);
    EXPECT_GE(written, 3);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(conversion->results().at(static_cast<size_t>(i)).outcome,
                  i < written ? Outcome::Written : Outcome::NotStarted)
            << i;

    // A cancel that comes before the run lets no worker start a photo.
    progress = {};
    conversion = std::make_unique<BatchConversion>(entriesFor(files), QList<TaskRecord>{}, settings);
    conversion->setJobs(3);
    conversion->cancel();
    EXPECT_TRUE(conversion->fncSaveSinglePage());
    EXPECT_EQ(conversion->count(Outcome::NotStarted), 12);
}

TEST_F(BatchParallel, AnErrorStopsTheRunAndKeepsWhatWasWritten)
{
    // The fourth photo's output name is taken by a folder, so it cannot be written.
    const QStringList files = photos(8);
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("out/photo4.jpg"))));
    ReportCapture reports;
    settings.destinationChoice = 1;
    settings.destinationFolder = path(QStringLiteral("out"));
    EXPECT_FALSE(run(files, 2, {}));
    ASSERT_GE(reports.reports().size(), 1u);
    for (const ErrorReport& report : reports.reports())
        EXPECT_EQ(report.routine, QStringLiteral("fncSaveSinglePage"));
    EXPECT_EQ(conversion->results().at(3).outcome, Outcome::Failed);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(identify(path(QStringLiteral("out/photo%1.jpg").arg(i + 1))),
                  QStringLiteral("%1x%2").arg(33 + 3 * i).arg(21 + i));

    // One worker stops right there.
    reports.clear();
    EXPECT_FALSE(run(files, 1, {}));
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_EQ(reports.reports().at(0).line, 4);
    EXPECT_EQ(outcomes(), (std::vector<Outcome>{Outcome::Written, Outcome::Written, Outcome::Written, Outcome::Failed,
                                                Outcome::NotStarted, Outcome::NotStarted, Outcome::NotStarted,
                                                Outcome::NotStarted}));
}

}  // namespace
