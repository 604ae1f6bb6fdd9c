#include "output/BatchPrint.h"

#include "basket/ImageBasket.h"
#include "core/CurrentOperation.h"
#include "core/ErrorReporter.h"
#include "output/PrintDialogs.h"
#include "output/frmStatus.h"
#include "shell/MessageBoxes.h"

#include <QPrinter>
#include <QWidget>

namespace lumora {
namespace {

const QString ErrorRoutine = QStringLiteral("FrmMain.cmdBatchPrint_Click");
const QString PreviewRoutine = QStringLiteral("FrmMain.cmdPreviewPrint_Click");
const QString NeedTwoImagesMessage = QStringLiteral("You need at least 2 images in the basket to use this feature!");

}  // namespace

BatchPrint::BatchPrint(QWidget* window, QList<Entry> entries, std::unique_ptr<QPrinter> printer,
                       const PrintOptions& options)
    : QObject(window),
      entries_(std::move(entries)),
      printer_(std::move(printer)),
      printerPaper_(printer_->pageLayout().pageSize()),
      options_(options)
{
    status_ = new frmStatus(window);
    status_->setAttribute(Qt::WA_DeleteOnClose);
}

BatchPrint::~BatchPrint()
{
    if (reader_.joinable())
        reader_.join();
    if (status_)
        status_->closeWhenDone();
}

void BatchPrint::start()
{
    status_->setProgress(0, int(entries_.size()));
    status_->show();
    next();
}

void BatchPrint::next()
{
    ++current_;
    if (current_ >= entries_.size() || !status_ || status_->cancelled()) {
        finish();
        return;
    }
    const Entry& entry = entries_.at(current_);
    status_->setLabelText(QStringLiteral("Printing.. ") + entry.text);
    Q_EMIT entryStarted(current_);
    if (reader_.joinable())
        reader_.join();
    reader_ = std::thread([this, path = entry.path, grey = options_.grey] {
        PrintedPhoto photo = PrintedPhoto::read(path, grey);
        // The destructor joins this thread first, so this object is still there.
        QMetaObject::invokeMethod(
            this, [this, photo = std::move(photo)]() mutable { photoRead(std::move(photo)); }, Qt::QueuedConnection);
    });
}

void BatchPrint::photoRead(PrintedPhoto photo)
{
    QString error = photo.error;
    if (error.isEmpty() && printPhotoJob(*printer_, printerPaper_, photo, options_, error))
        ++printed_;
    else
        ReportError(error, 0, 5, ErrorRoutine);
    if (status_)
        status_->setProgress(current_ + 1, int(entries_.size()));
    // The next photo in a later turn of the event loop: the window repaints and Cancel is seen.
    QMetaObject::invokeMethod(this, &BatchPrint::next, Qt::QueuedConnection);
}

void BatchPrint::finish()
{
    if (status_)
        status_->closeWhenDone();
    Q_EMIT finished(printed_);
    deleteLater();
}

BatchPrint* subBatchPrint(QWidget* window, const ImageBasket& basket, const QString& previewedPath,
                          SetupRecord::Print& block)
{
    SetCurrentOperation(QStringLiteral("Starting batch printing"));
    try {
        if (basket.size() < 2) {
            ui::ShowMessage(window, NeedTwoImagesMessage, QMessageBox::Information);
            return nullptr;
        }
        QList<BatchPrint::Entry> entries;
        for (const BasketEntry& entry : basket.entries())
            entries.append({entry.tag, entry.text});
        PrintOptions options = PrintOptions::fromRecord(block);
        const PrintedPhoto preview =
            PrintedPhoto::read(previewedPath.isEmpty() ? entries.first().path : previewedPath, false);
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        const bool confirmed = ui::ChoosePrintOptions(window, preview, options, *printer);
        options.storeInto(block);
        if (!confirmed)
            return nullptr;
        auto* run = new BatchPrint(window, std::move(entries), std::move(printer), options);
        run->start();
        return run;
    } catch (const std::exception& error) {
        ReportError(QString::fromUtf8(error.what()), 0, 1, ErrorRoutine);
        return nullptr;
    }
}

void cmdPreviewPrint(QWidget* parent, PrintedPhoto photo, SetupRecord::Print& block)
{
    if (photo.image.isNull())
        return;
    PrintOptions options = PrintOptions::fromRecord(block);
    QPrinter printer(QPrinter::HighResolution);
    const bool confirmed = ui::ChoosePrintOptions(parent, photo, options, printer);
    options.storeInto(block);
    if (!confirmed)
        return;
    if (options.grey)
        photo.image = photo.image.convertToFormat(QImage::Format_Grayscale8);
    // The paper of the printer chosen, for a page on "the printer's default".
    QString error;
    if (!printPhotoJob(printer, printer.pageLayout().pageSize(), photo, options, error))
        ReportError(error, 0, 2, PreviewRoutine);
}

}  // namespace lumora
