#include "output/PrintDialogs.h"

#include "output/PrintLayout.h"
#include "output/PrintedPhoto.h"
#include "output/frmPrintOptions.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace lumora {
namespace ui {
namespace {

PrintDialogHook& installedHook()
{
    static PrintDialogHook hook;
    return hook;
}

}  // namespace

PrintDialogHook SetPrintDialogHook(PrintDialogHook hook)
{
    PrintDialogHook previous = std::move(installedHook());
    installedHook() = std::move(hook);
    return previous;
}

bool ChoosePrintOptions(QWidget* parent, const PrintedPhoto& preview, PrintOptions& options, QPrinter& printer)
{
    if (installedHook())
        return installedHook()(options);
    frmPrintOptions dialog(preview, options, printer.pageLayout().pageSize(), parent);
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    options = dialog.options();
    if (!confirmed)
        return false;
    printer.setCopyCount(options.copies);
    QPrintDialog system(&printer, parent);
    system.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (system.exec() != QDialog::Accepted)
        return false;
    // The copies chosen last, in the system's dialog, are the ones kept.
    options.copies = std::max(1, printer.copyCount());
    return true;
}

}  // namespace ui

bool printPhotoJob(QPrinter& printer, const QPageSize& printerPaper, const PrintedPhoto& photo,
                   const PrintOptions& options, QString& error)
{
    // The printer's least margins depend on the paper, so the paper goes in first.
    const QPageLayout wanted = printPageLayout(options, photo.image.size(), printerPaper);
    printer.setPageSize(wanted.pageSize());
    printer.setPageOrientation(wanted.orientation());
    QPageLayout least = printer.pageLayout();
    least.setUnits(QPageLayout::Point);
    printer.setPageLayout(printPageLayout(options, photo.image.size(), printerPaper, least.minimumMargins()));
    printer.setCopyCount(options.copies);
    printer.setDocName(photo.fileName);
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = QStringLiteral("cannot start printing \"%1\" on \"%2\"").arg(photo.fileName, printer.printerName());
        return false;
    }
    paintPhotoPage(painter, printer, photo, options);
    if (!painter.end()) {
        error = QStringLiteral("printing \"%1\" on \"%2\" failed").arg(photo.fileName, printer.printerName());
        return false;
    }
    return true;
}

}  // namespace lumora
