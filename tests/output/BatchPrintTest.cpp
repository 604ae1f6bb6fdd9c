// The batch print and its dialog, printing through Qt to a real CUPS queue (cups-pdf) of the
// test's own scheduler.

#include "basket/ImageBasket.h"
#include "engine/Picture.h"
#include "output/BatchPrint.h"
#include "output/PrintDialogs.h"
#include "output/frmStatus.h"
#include "settings/SetupFile.h"
#include "support/CupsScheduler.h"
#include "support/ScriptedDialogs.h"
#include "support/WaitFor.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace lumora::test {
namespace {

class BatchPrintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        cups_ = new CupsScheduler;
        started_ = cups_->start();
    }
    static void TearDownTestSuite() { delete cups_; }

    void SetUp() override
    {
        ASSERT_TRUE(started_) << cups_->error().toStdString();
        const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
        QList<BasketEntry> entries;
        for (int i = 0; i < 3; ++i) {
            QImage photo(300, 200, QImage::Format_RGB32);
            photo.fill(colours[i]);
            const QString path = dir_.filePath(QStringLiteral("photo%1.png").arg(i));
            photo.save(path);
            BasketEntry entry;
            entry.text = QStringLiteral("photo%1").arg(i);
            entry.tag = path;
            entries.append(entry);
        }
        basket_.append(entries);
        jobsBefore_ = cups_->jobCount();
        pdfsBefore_ = int(cups_->waitForPdfs(0).size());
    }
    void TearDown() override { ui::SetPrintDialogHook({}); }

    // Runs the batch with the dialogs answered by confirm; returns the photos it printed, -1 when
    // it did not start. onEntry sees each entry as it starts, with the status window.
    int runBatch(bool confirm, const std::function<void(int, frmStatus*)>& onEntry = {})
    {
        ui::SetPrintDialogHook([confirm](PrintOptions& options) {
            options.copies = 2;
            options.placement = PrintOptions::TopLeft;
            return confirm;
        });
        BatchPrint* run = subBatchPrint(&window_, basket_, QString(), block_);
        if (!run)
            return -1;
        int printed = -1;
        QObject::connect(run, &BatchPrint::finished, [&](int count) { printed = count; });
        QObject::connect(run, &BatchPrint::entryStarted,
                         [&](int index) { onEntry ? onEntry(index, window_.findChild<frmStatus*>()) : void(); });
        EXPECT_TRUE(waitFor([&] { return printed >= 0; }, 120000));
        return printed;
    }

    static inline CupsScheduler* cups_ = nullptr;
    static inline bool started_ = false;
    QTemporaryDir dir_;
    QWidget window_;
    ImageBasket basket_;
    SetupRecord::Print block_ = defaultSetup(QString()).print;
    ScriptedDialogs dialogs_;
    int jobsBefore_ = 0;
    int pdfsBefore_ = 0;
};

TEST_F(BatchPrintTest, AConfirmedDialogPrintsEveryEntryAsAJobOfItsOwn)
{
    EXPECT_EQ(runBatch(true), 3);
    const QStringList pdfs = cups_->waitForPdfs(pdfsBefore_ + 3);
    ASSERT_EQ(pdfs.size(), pdfsBefore_ + 3);
    EXPECT_EQ(cups_->jobCount(), jobsBefore_ + 3);
    // Two copies of each page, as the dialog asked.
    for (const QString& pdf : pdfs.mid(pdfsBefore_))
        EXPECT_TRUE(
            runTool(QStringLiteral("pdfinfo"), {pdf}).out.contains(QRegularExpression(QStringLiteral("Pages: +2\n"))))
            << pdf.toStdString();
    EXPECT_EQ(block_.optionC, PrintOptions::TopLeft);
}

TEST_F(BatchPrintTest, CancelDuringTheSecondEntryLeavesTheThirdUnprinted)
{
    EXPECT_EQ(runBatch(true,
                       [](int index, frmStatus* status) {
                           if (index == 1)
                               status->cmdCancel_Click();
                       }),
              2);
    EXPECT_EQ(cups_->waitForPdfs(pdfsBefore_ + 2).size(), pdfsBefore_ + 2);
    EXPECT_EQ(cups_->jobCount(), jobsBefore_ + 2);
}

TEST_F(BatchPrintTest, ACancelledDialogPrintsNothingAndKeepsTheOptions)
{
    EXPECT_EQ(runBatch(false), -1);
    EXPECT_EQ(block_.optionF, 2);
    EXPECT_EQ(block_.optionC, PrintOptions::TopLeft);
    EXPECT_EQ(cups_->jobCount(), jobsBefore_);

    // One entry is not a batch: a message, and no dialog.
    basket_.removePositions({1, 2});
    block_ = defaultSetup(QString()).print;
    EXPECT_EQ(runBatch(true), -1);
    EXPECT_EQ(dialogs_.messages().size(), 1);
    EXPECT_EQ(block_, defaultSetup(QString()).print);
}

// "Print image" prints the picture on show (with the Task Basket when the preview is
// "Optimized"), not the photo's file read again.
TEST_F(BatchPrintTest, ThePreviewPrintsThePictureItShows)
{
    ui::SetPrintDialogHook([](PrintOptions&) { return true; });
    const QString red = basket_.at(0).tag;
    cmdPreviewPrint(&window_, PrintedPhoto::shown(Picture::filled(300, 200, Rgb{0, 255, 0}), red), block_);
    const QStringList pdfs = cups_->waitForPdfs(pdfsBefore_ + 1);
    ASSERT_EQ(pdfs.size(), pdfsBefore_ + 1);
    const QString page = dir_.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), pdfs.last(), page});
    const QImage printed(page + QStringLiteral(".png"));
    ASSERT_FALSE(printed.isNull());
    const QColor middle = printed.pixelColor(printed.width() / 2, printed.height() / 2);
    EXPECT_TRUE(middle.green() > 200 && middle.red() < 60) << middle.name().toStdString();
}

}  // namespace
}  // namespace lumora::test
