#pragma once

#include "output/PrintOptions.h"
#include "output/PrintedPhoto.h"

#include <QObject>
#include <QPageSize>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <thread>

class QPrinter;
class QWidget;

namespace lumora {

class ImageBasket;
class frmStatus;

// Prints a list of photos, one job each, on a printer already chosen. Each photo is read and
// made grey on a worker thread; its page is painted on the window's thread (QPrinter wants
// that), one photo per turn of the event loop, so the window never freezes. frmStatus shows
// "Printing.. " and the entry's text; its Cancel stops before the next photo, and the photos
// already sent stay printed. A photo that fails is reported under
// "FrmMain.cmdBatchPrint_Click" and the next one goes on. Deletes itself when done.
class BatchPrint : public QObject {
    Q_OBJECT

public:
    struct Entry {
        QString path;
        QString text;
    };

    BatchPrint(QWidget* window, QList<Entry> entries, std::unique_ptr<QPrinter> printer, const PrintOptions& options);
    ~BatchPrint() override;

    void start();

Q_SIGNALS:
    // Entry index (0-based) is about to be read and printed.
    void entryStarted(int index);
    // The number of photos sent to the printer.
    void finished(int printed);

private:
    void next();
    void photoRead(PrintedPhoto photo);
    void finish();

    QList<Entry> entries_;
    std::unique_ptr<QPrinter> printer_;
    QPageSize printerPaper_;
    PrintOptions options_;
    QPointer<frmStatus> status_;
    std::thread reader_;
    int current_ = -1;
    int printed_ = 0;
};

// The batch print command (`subBatchPrint`): with fewer than 2 basket entries a message, else
// the print dialogs on the previewed photo (the first entry's when none is shown), and when they
// are confirmed a BatchPrint of every entry, started. The dialogs' options go into block also
// when they were cancelled. Returns the run, or nullptr when none started.
BatchPrint* subBatchPrint(QWidget* window, const ImageBasket& basket, const QString& previewedPath,
                          SetupRecord::Print& block);

// "Print image" (`cmdPreviewPrint`): the picture the preview shows (PrintedPhoto::shown: with the
// Task Basket when the preview is "Optimized"), once, after the print dialogs, with the options
// of block, which gets them back also when the dialogs were cancelled. Nothing without a picture.
void cmdPreviewPrint(QWidget* parent, PrintedPhoto photo, SetupRecord::Print& block);

}  // namespace lumora
