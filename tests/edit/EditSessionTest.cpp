// The edit session without a window: which picture it shows after which requests, whatever the
// worker's pace. Every expected picture comes from a plain synchronous run of the same tasks.
#include "edit/EditSession.h"

#include "engine/ImageBox.h"
#include "metadata/MetadataFiles.h"
#include "support/ReportCapture.h"
#include "support/TestImages.h"
#include "support/WaitFor.h"
#include "tasks/TaskBasket.h"
#include "tasks/TaskRunner.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace lumora;
using namespace lumora::test;

namespace {

const Rgb Red{255, 0, 0};

TaskRecord flip(int direction)
{
    return TaskRecord(TaskKind::Orientation, QStringLiteral("flip"), {QString::number(direction)});
}

// One pixel more on the right per task: the width tells how many tasks a picture went through.
TaskRecord widen() { return TaskRecord(TaskKind::Canvas, QStringLiteral("canvas"), {"0", "0", "0", "1", "0"}); }

// Enough work for the worker to be busy a good while, so later requests find it at work.
QList<TaskRecord> heavyBlurs(int count)
{
    QList<TaskRecord> tasks;
    for (int i = 0; i < count; ++i)
        tasks << TaskRecord(TaskKind::Blur, QStringLiteral("blur"), {QStringLiteral("16")});
    return tasks;
}

class EditSessionTest : public ::testing::Test {
protected:
    EditSessionTest() { session.setView({QSize(400, 300), true, 100}); }

    QString photo(const QString& name, const Picture& picture) { return writePng(picture, dir.filePath(name)); }

    // Runs events until the session rests (nothing read or rendered).
    bool settled() { return waitFor([&] { return !session.isBusy(); }, 60000); }

    // The file read by the engine's own loader with `tasks` (up to lastRow) run on it, synchronously.
    static Picture expected(const QString& file, const QList<TaskRecord>& tasks = {}, int lastRow = -1)
    {
        ImageBox box(ImageBox::Mode::View);
        box.LoadFromFile(file);
        TaskRunOptions options;
        options.lastRow = lastRow;
        subProcessPages(tasks, box, options);
        return box.Picture();
    }

    QTemporaryDir dir;
    TaskBasket basket;
    EditSession session{basket};
    QSignalSpy opened{&session, &EditSession::opened};
    ReportCapture reports;
};

TEST_F(EditSessionTest, APhotoOpensWithThePartOfTheBasketAskedFor)
{
    basket.append(widen());
    basket.append(widen());
    const QString file = photo(QStringLiteral("a.png"), gradientPicture(30, 20));

    EXPECT_EQ(session.state(), EditSession::State::Empty);
    ASSERT_TRUE(session.open(file, 0));
    EXPECT_EQ(session.state(), EditSession::State::Loading);
    EXPECT_FALSE(session.open(file, 0)) << "the photo being read is not read twice";
    ASSERT_TRUE(settled());
    ASSERT_EQ(opened.count(), 1);
    EXPECT_TRUE(opened.at(0).at(1).toBool());
    EXPECT_EQ(session.picture(), expected(file, basket.tasks(), 0));
    EXPECT_EQ(session.loadedSize(), QSize(30, 20));
    EXPECT_EQ(session.imageSize(), QSize(31, 20));
    EXPECT_FALSE(session.atBase());

    // The other parts of the basket, and the photo as loaded, for every row asked for.
    for (const int row : {EditSession::AllTasks, 1, EditSession::NoTasks, 0}) {
        session.runBasket(row);
        ASSERT_TRUE(settled());
        EXPECT_EQ(session.picture(), row == EditSession::NoTasks ? expected(file) : expected(file, basket.tasks(), row))
            << "row " << row;
        EXPECT_EQ(session.atBase(), row == EditSession::AllTasks || row == 1) << "row " << row;
    }
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(EditSessionTest, OfSeveralQuickRequestsTheLastIsShownAndNoneIsLost)
{
    const QString first = photo(QStringLiteral("first.png"), markedPicture(300, 200, 2, 3, Red));
    const QString second = photo(QStringLiteral("second.png"), markedPicture(300, 200, 4, 5, Red));
    basket.append(flip(0));
    for (const TaskRecord& blur : heavyBlurs(6))
        basket.append(blur);

    // A new photo overtakes the one being read with its long basket: the first never shows.
    ASSERT_TRUE(session.open(first, EditSession::AllTasks));
    ASSERT_TRUE(session.open(second, EditSession::NoTasks));
    ASSERT_TRUE(settled());
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened.at(0).at(0).toString(), second);
    EXPECT_EQ(findColour(session.picture(), Red), (Point{4, 5}));

    // Rows clicked one after the other while the basket runs: the last click is what shows.
    session.runBasket(EditSession::AllTasks);
    session.runBasket(3);
    session.runBasket(0);
    ASSERT_TRUE(settled());
    EXPECT_EQ(findColour(session.picture(), Red), (Point{295, 5}));

    // A preview asked for while the photo is being read applies to that photo, once it is there.
    basket.clear();
    ASSERT_TRUE(session.open(first, EditSession::AllTasks));
    session.previewTask(flip(1), {});
    ASSERT_TRUE(settled());
    EXPECT_EQ(session.state(), EditSession::State::Previewed);
    EXPECT_EQ(findColour(session.picture(), Red), (Point{2, 196}));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(EditSessionTest, APreviewStartsFromTheBaseAndAConfirmMakesItTheNextBase)
{
    const QString file = photo(QStringLiteral("marked.png"), markedPicture(40, 30, 2, 3, Red));
    basket.append(flip(0));
    ASSERT_TRUE(session.open(file, EditSession::AllTasks));
    ASSERT_TRUE(settled());
    ASSERT_TRUE(session.atBase());

    // Two previews in a row both start from the base: one vertical flip, not two.
    for (int i = 0; i < 2; ++i) {
        session.previewTask(flip(1), {});
        ASSERT_TRUE(settled());
        EXPECT_EQ(findColour(session.picture(), Red), (Point{37, 26}));
        EXPECT_TRUE(session.taskPending());
        EXPECT_FALSE(session.atBase());
    }
    // Reset: the base again, nothing pending.
    session.reset();
    ASSERT_TRUE(settled());
    EXPECT_EQ(findColour(session.picture(), Red), (Point{37, 3}));
    EXPECT_FALSE(session.taskPending());
    EXPECT_TRUE(session.atBase());

    // Confirm right after a preview waits for it and records what was previewed.
    QSignalSpy confirmed(&session, &EditSession::confirmed);
    session.previewTask(widen(), {});
    session.confirm();
    ASSERT_TRUE(settled());
    ASSERT_EQ(confirmed.count(), 1);
    EXPECT_TRUE(confirmed.at(0).at(0).toBool());
    ASSERT_EQ(basket.size(), 2);
    EXPECT_EQ(basket.at(1), widen());
    EXPECT_TRUE(session.atBase());
    EXPECT_EQ(session.picture(), expected(file, basket.tasks()));

    // The next preview starts from that base.
    session.previewTask(widen(), {});
    ASSERT_TRUE(settled());
    EXPECT_EQ(session.imageSize(), QSize(42, 30));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(EditSessionTest, AChangedBasketMakesTheBaseAnew)
{
    const QString file = photo(QStringLiteral("a.png"), gradientPicture(20, 10));
    basket.append(widen());
    basket.append(widen());
    ASSERT_TRUE(session.open(file, EditSession::AllTasks));
    ASSERT_TRUE(settled());
    ASSERT_EQ(session.imageSize(), QSize(22, 10));

    // A removed task: the base is stale, a preview first runs what is left.
    basket.removeAt(0);
    EXPECT_FALSE(session.atBase());
    session.previewTask(widen(), {});
    ASSERT_TRUE(settled());
    EXPECT_EQ(session.imageSize(), QSize(22, 10));
    session.reset();
    ASSERT_TRUE(settled());
    EXPECT_EQ(session.imageSize(), QSize(21, 10));
    EXPECT_TRUE(session.atBase());

    // An emptied basket: the base is the photo as loaded.
    basket.clear();
    session.runBasket(EditSession::AllTasks);
    EXPECT_EQ(session.state(), EditSession::State::Shown) << "nothing to run";
    EXPECT_EQ(session.picture(), expected(file));
    EXPECT_TRUE(session.atBase());
}

TEST_F(EditSessionTest, UnreadableFilesLeaveTheSessionEmptyAndCanBeAskedForAgain)
{
    const QString file = photo(QStringLiteral("a.png"), gradientPicture(20, 10));
    ASSERT_TRUE(session.open(file, EditSession::NoTasks));
    ASSERT_TRUE(settled());

    const QString broken = dir.filePath(QStringLiteral("broken.jpg"));
    QFile junk(broken);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a photo at all");
    junk.close();
    ASSERT_TRUE(session.open(broken, EditSession::NoTasks));
    ASSERT_TRUE(settled());
    ASSERT_EQ(opened.count(), 2);
    EXPECT_FALSE(opened.at(1).at(1).toBool());
    EXPECT_EQ(session.state(), EditSession::State::Empty);
    EXPECT_TRUE(session.picture().isNull());
    EXPECT_EQ(session.shown(), nullptr);
    EXPECT_TRUE(session.path().isEmpty());
    EXPECT_TRUE(reports.reports().empty()) << "an unreadable file is expected, not an error";
    EXPECT_TRUE(session.open(broken, EditSession::NoTasks)) << "asked for again, it is read again";
    ASSERT_TRUE(settled());

    // Cleared while a photo is being read: it never shows.
    ASSERT_TRUE(session.open(file, EditSession::NoTasks));
    session.clear();
    ASSERT_TRUE(settled());
    EXPECT_EQ(opened.count(), 3);
    EXPECT_TRUE(session.picture().isNull());

    // A session gone while its worker runs a long basket goes quietly.
    TaskBasket heavy;
    for (const TaskRecord& blur : heavyBlurs(8))
        heavy.append(blur);
    auto closing = std::make_unique<EditSession>(heavy);
    ASSERT_TRUE(closing->open(file, EditSession::AllTasks));
    closing.reset();
    QCoreApplication::processEvents();
}

TEST_F(EditSessionTest, TheThreadThatAsksKeepsWorkingWhileTheBasketRuns)
{
    const QString file = photo(QStringLiteral("large.png"), gradientPicture(1200, 900));
    for (const TaskRecord& blur : heavyBlurs(4))
        basket.append(blur);
    // Ticks of a timer on the asking thread while the session is busy: work done there would let
    // none through.
    int ticks = 0;
    QTimer timer;
    timer.setInterval(1);
    QObject::connect(&timer, &QTimer::timeout, [&] { ticks += session.isBusy() ? 1 : 0; });
    timer.start();
    ASSERT_TRUE(session.open(file, EditSession::AllTasks));
    ASSERT_TRUE(settled());
    EXPECT_GT(ticks, 0);
    EXPECT_EQ(session.picture(), expected(file, basket.tasks()));
}

}  // namespace

// Metadata written into the photo after it was read (the metadata pane writes it at once) is what
// a saved copy of the preview carries, not what the photo held when it was read.
TEST_F(EditSessionTest, ASavedPreviewCarriesTheMetadataThePhotoHoldsNow)
{
    const QString file = makePicture(dir.filePath("tagged.jpg"));
    ASSERT_TRUE(exiftoolWrite(file, {"-Artist=Ann", "-IPTC:Keywords=old"}));
    ASSERT_TRUE(session.open(file, EditSession::NoTasks));
    ASSERT_TRUE(settled());
    session.saveShownTo(dir.filePath("before.jpg"));
    ASSERT_TRUE(exiftoolWrite(file, {"-Artist=Bob", "-IPTC:Keywords=new"}));
    session.saveShownTo(dir.filePath("after.jpg"));
    EXPECT_EQ(exiftoolValue(dir.filePath("before.jpg"), "EXIF:Artist"), "Ann");
    EXPECT_EQ(exiftoolValue(dir.filePath("after.jpg"), "EXIF:Artist"), "Bob");
    EXPECT_EQ(exiftoolValue(dir.filePath("after.jpg"), "IPTC:Keywords"), "new");
    EXPECT_TRUE(reports.reports().empty());
}
