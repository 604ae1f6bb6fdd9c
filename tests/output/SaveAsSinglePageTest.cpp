#include "basket/ImageBasket.h"
#include "output/BatchRun.h"
#include "output/SaveAsSinglePage.h"
#include "output/frmSaveSinglePage.h"
#include "output/frmStatus.h"
#include "settings/LumoraOptions.h"
#include "support/FileBytes.h"
#include "support/OpenedUrls.h"
#include "support/Oracles.h"
#include "support/ReportCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedDialogs.h"
#include "support/TestImages.h"
#include "support/WaitFor.h"
#include "tasks/TaskBasket.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <utility>

#include <gtest/gtest.h>

namespace lumora {
namespace {

// The batch conversion started as the main window starts it: a window, an Image Basket of
// small photos, the record's settings sending the files to a folder of their own.
class SaveAsSinglePageTest : public ::testing::Test {
protected:
    SaveAsSinglePageTest() : record(defaultSetup(dir.path()))
    {
        QDir(dir.path()).mkpath("out");
        record.naming.destinationChoice = 1;
        record.naming.destinationFolder = output();
    }

    QString output() const { return dir.filePath("out"); }

    // Photos p01, p02 ... of growing size, in basket order.
    void fillBasket(int count, int width)
    {
        for (int i = 1; i <= count; ++i) {
            BasketEntry entry;
            entry.text = QStringLiteral("p%1").arg(i, 2, 10, QChar(u'0'));
            entry.tag = entry.sourcePath = dir.filePath(entry.text + ".png");
            test::writePng(test::gradientPicture(width + i, width * 3 / 4 + i), entry.tag);
            basket.append(entry);
        }
    }

    // Presses the button of the batch dialog once it is open.
    static void pressInDialog(const char* buttonName)
    {
        QTimer::singleShot(0, [buttonName] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<frmSaveSinglePage*>(top); dialog && dialog->isVisible()) {
                    dialog->findChild<QPushButton*>(QString::fromLatin1(buttonName))->click();
                    return;
                }
            }
            ADD_FAILURE() << "the batch dialog is not open";
        });
    }

    // The files written, as ImageMagick reads them: "name format WxH", one a line.
    QString writtenPhotos() const
    {
        QStringList files;
        for (const QString& name : QDir(output()).entryList(QDir::Files | QDir::Hidden, QDir::Name))
            files.append(QDir(output()).filePath(name));
        return files.isEmpty() ? QString() : test::runTool("identify", QStringList{"-format", "%f %m %wx%h\n"} + files).out;
    }
    static QString expectedPhotos(int count, int width)
    {
        QString photos;
        for (int i = 1; i <= count; ++i)
            photos += QStringLiteral("p%1.jpg JPEG %2x%3\n").arg(i, 2, 10, QChar(u'0')).arg(width + i).arg(width * 3 / 4 + i);
        return photos;
    }
    int fileCount() const { return static_cast<int>(QDir(output()).entryList(QDir::Files | QDir::Hidden).size()); }

    QTemporaryDir dir;
    SetupRecord record;
    QWidget window;
    ImageBasket basket;
    TaskBasket tasks;
    test::ScriptedDialogs scripted;
    test::ReportCapture reports;
};

TEST_F(SaveAsSinglePageTest, AnEmptyBasketOrACancelledDialogRunsNothing)
{
    EXPECT_EQ(subSaveAsSinglePage(&window, basket, tasks, record), nullptr);
    EXPECT_EQ(window.findChild<frmSaveSinglePage*>(), nullptr);  // no dialog either

    fillBasket(2, 40);
    record.naming.running = -1;
    pressInDialog("cmdCancel");
    EXPECT_EQ(subSaveAsSinglePage(&window, basket, tasks, record), nullptr);
    EXPECT_EQ(record.naming.running, 0);
    EXPECT_EQ(window.findChild<frmStatus*>(), nullptr);
    EXPECT_EQ(fileCount(), 0);
}

TEST_F(SaveAsSinglePageTest, RunWritesEveryPhotoWhileTheWindowWorks)
{
    fillBasket(6, 48);
    pressInDialog("cmdStarConversion");
    BatchRun* run = subSaveAsSinglePage(&window, basket, tasks, record);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(record.naming.running, -1);
    EXPECT_EQ(record.naming.destinationFolder, output() + '/');
    QPointer<frmStatus> status = window.findChild<frmStatus*>();
    ASSERT_FALSE(status.isNull());
    EXPECT_TRUE(status->isVisible() && !status->isModal());

    QSignalSpy progress(run, &BatchRun::progress);
    QSignalSpy finished(run, &BatchRun::finished);
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(finished.at(0).at(0).toBool(), true);
    ASSERT_EQ(progress.size(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(progress.at(i), (QVariantList{i + 1, 6}));
    EXPECT_EQ(record.naming.running, 0);
    ASSERT_TRUE(test::waitFor([&] { return status.isNull(); }));  // closed and gone
    EXPECT_EQ(writtenPhotos(), expectedPhotos(6, 48));
    EXPECT_TRUE(reports.reports().empty());
}

// The dialog opens on the format of the options file, and a Save keeps the one chosen there.
TEST_F(SaveAsSinglePageTest, TheFormatChosenIsWrittenAndKeptForTheNextRun)
{
    const test::ScopedEnvironment home("LUMORA_HOME", dir.path().toLocal8Bit());
    LumoraOptions options;
    options.setBatchFormat("webp");
    fillBasket(2, 40);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<frmSaveSinglePage*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->outputFormat(), "webp");
        auto* format = dialog->findChild<QComboBox*>("cboOutputFormat");
        format->setCurrentIndex(format->findData("png"));
        dialog->findChild<QPushButton*>("cmdStarConversion")->click();
    });
    BatchRun* run = subSaveAsSinglePage(&window, basket, tasks, record);
    ASSERT_NE(run, nullptr);
    QSignalSpy finished(run, &BatchRun::finished);
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(writtenPhotos(), "p01.png PNG 41x31\np02.png PNG 42x32\n");
    EXPECT_EQ(options.batchFormat(), "png");
}

TEST_F(SaveAsSinglePageTest, OriginalsAreReplacedOnlyOnTheUsersYes)
{
    // The settings of a first start: each photo's own name, in its own folder, overwriting.
    record.naming.destinationChoice = 0;
    for (const QString name : {"p01", "p02"}) {
        BasketEntry entry;
        entry.text = name;
        entry.tag = entry.sourcePath = dir.filePath(name + ".jpg");
        test::writePng(test::gradientPicture(41, 31), dir.filePath("photo.png"));
        ASSERT_EQ(test::runTool("convert", {dir.filePath("photo.png"), entry.tag}).exitCode, 0);
        basket.append(entry);
    }
    const QByteArray original = test::readBytes(dir.filePath("p01.jpg"));
    const struct {
        QMessageBox::StandardButton answer;
        bool runs;
        QString written;  // where p01's output lands
    } cases[] = {{QMessageBox::Cancel, false, {}},
                 {QMessageBox::No, true, dir.filePath(kSafeSubfolder + "/p01.jpg")},
                 {QMessageBox::Yes, true, dir.filePath("p01.jpg")}};
    for (const auto& c : cases) {
        pressInDialog("cmdStarConversion");
        scripted.answerNextMessage(c.answer);
        BatchRun* run = subSaveAsSinglePage(&window, basket, tasks, record);
        ASSERT_EQ(scripted.messages().size(), 1);
        EXPECT_TRUE(scripted.messages().front().text.startsWith("2 original photos would be replaced"))
            << scripted.messages().front().text.toStdString();
        scripted.clear();
        EXPECT_EQ(run != nullptr, c.runs);
        if (run) {
            QSignalSpy finished(run, &BatchRun::finished);
            ASSERT_TRUE(finished.wait(20000));
            // The end of the run is told before the next one starts.
            ASSERT_TRUE(test::waitFor([&] { return !scripted.messages().isEmpty(); }));
            scripted.clear();
        }
        EXPECT_EQ(record.naming.running, 0);
        EXPECT_EQ(QDir(dir.filePath(kSafeSubfolder)).exists(), c.answer != QMessageBox::Cancel);
        if (!c.written.isEmpty()) {
            EXPECT_EQ(test::identify(c.written), "41x31");
        }
        EXPECT_EQ(test::readBytes(dir.filePath("p01.jpg")) == original, c.answer != QMessageBox::Yes);
    }
}

// When a run ends, one message says what it did, and offers to open the folder the files went to.
TEST_F(SaveAsSinglePageTest, TheEndOfARunSaysWhatItDidAndOffersTheOutputFolder)
{
    const struct {
        bool skips;  // p02.jpg is there already (overwriting is off) and p03.png is no picture
        QMessageBox::StandardButton answer;
        const char* counts;
    } rows[] = {
        {false, QMessageBox::Open, "3 files written, 0 skipped, 0 failed"},
        {true, QMessageBox::Close, "1 file written, 2 skipped, 0 failed"},
    };
    for (const auto& row : rows) {
        QDir(output()).removeRecursively();
        QDir(dir.path()).mkpath("out");
        basket.removeAll();
        fillBasket(3, 40);
        if (row.skips) {
            test::writeBytes(QDir(output()).filePath("p02.jpg"), "there");
            test::writeBytes(basket.at(2).tag, "not a picture");
        }
        record.naming.overwrite = 0;
        scripted.clear();
        scripted.answerNextMessage(row.answer);
        test::OpenedUrls opened;
        pressInDialog("cmdStarConversion");
        subSaveAsSinglePage(&window, basket, tasks, record);
        ASSERT_TRUE(test::waitFor([&] { return !scripted.messages().isEmpty(); })) << row.counts;
        const ui::ShownMessage& said = scripted.messages().first();
        EXPECT_TRUE(said.text.contains(row.counts)) << said.text.toStdString();
        EXPECT_TRUE(said.buttons.testFlag(QMessageBox::Open)) << row.counts;
        const QList<QUrl> expected = row.answer == QMessageBox::Open ? QList<QUrl>{QUrl::fromLocalFile(output())} : QList<QUrl>{};
        EXPECT_EQ(opened.urls, expected) << row.counts;
    }
}

TEST_F(SaveAsSinglePageTest, CancelInTheStatusWindowLetsThePhotosInProgressFinish)
{
    constexpr int Count = 20;
    fillBasket(Count, 160);
    pressInDialog("cmdStarConversion");
    BatchRun* run = subSaveAsSinglePage(&window, basket, tasks, record);
    ASSERT_NE(run, nullptr);
    run->setJobs(2);
    QPointer<frmStatus> status = window.findChild<frmStatus*>();
    ASSERT_FALSE(status.isNull());

    // Cancel is pressed as the first photo is reported (progress comes on the GUI thread).
    QObject::connect(run, &BatchRun::progress, &window, [&](int done, int) {
        if (done == 1 && status) {
            status->findChild<QPushButton*>("cmdCancel")->click();
            EXPECT_TRUE(status->cancelled());
        }
    });

    QSignalSpy finished(run, &BatchRun::finished);
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(finished.at(0).at(0).toBool(), true);  // a cancelled run is not a failure
    EXPECT_EQ(record.naming.running, 0);
    ASSERT_TRUE(test::waitFor([&] { return status.isNull(); }));

    // Exactly the outputs of the first k photos, each whole; no half-written or temporary file.
    const int written = fileCount();
    EXPECT_GE(written, 1);
    EXPECT_LT(written, Count);
    EXPECT_EQ(writtenPhotos(), expectedPhotos(written, 160));
    EXPECT_TRUE(reports.reports().empty());
    // The end says the run was cancelled, with what it wrote before.
    ASSERT_TRUE(test::waitFor([&] { return !scripted.messages().isEmpty(); }));
    const QString said = scripted.messages().first().text;
    EXPECT_TRUE(said.contains("cancelled")) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("%1 written").arg(written == 1 ? "1 file" : QString::number(written) + " files")))
        << said.toStdString();
}

TEST_F(SaveAsSinglePageTest, StatusWindowClosedByHandIsACancel)
{
    frmStatus status(&window);
    QSignalSpy cancel(&status, &frmStatus::cancelRequested);
    status.show();
    status.close();
    EXPECT_TRUE(status.isVisible());  // stays until the run is over
    EXPECT_EQ(cancel.size(), 1);
    EXPECT_EQ(status.labelText(), "Please wait...... cancelling operaration");
    status.closeWhenDone();
    EXPECT_FALSE(status.isVisible());
}

TEST_F(SaveAsSinglePageTest, RunDestroyedWhileRunningStopsAndWaits)
{
    fillBasket(24, 120);
    auto* run = new BatchRun(BatchConversion::entriesOf(basket.entries()), {}, record.naming);
    run->setJobs(1);
    bool deleted = false;
    // Deleted as the first photo is reported: it cancels, and the photo in progress finishes.
    QObject::connect(run, &BatchRun::progress, [&] {
        if (!std::exchange(deleted, true))
            delete run;
    });
    run->start();
    ASSERT_TRUE(test::waitFor([&] { return deleted; }));
    const int written = fileCount();
    EXPECT_LT(written, 24);
    EXPECT_EQ(writtenPhotos(), expectedPhotos(written, 120));
}

}  // namespace
}  // namespace lumora

