#pragma once

#include "output/PrintOptions.h"

#include <QPageSize>
#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace lumora {

struct PrintedPhoto;

namespace ui {

// Answers the print dialogs instead of showing them (tests): it may change the options and
// returns whether the user confirmed. The printer stays as it was set up (the default printer).
using PrintDialogHook = std::function<bool(PrintOptions& options)>;
// Installs hook (an empty one restores the dialogs) and returns the one installed before.
PrintDialogHook SetPrintDialogHook(PrintDialogHook hook);

// Lumora's print options with a preview of preview's page, then the system's printer choice.
// The options as the user left them are in options also when either dialog was cancelled.
// Returns true when both were confirmed.
bool ChoosePrintOptions(QWidget* parent, const PrintedPhoto& preview, PrintOptions& options, QPrinter& printer);

}  // namespace ui

// Prints photo as one job on printer, laid out by options; printerPaper is the paper of a
// "printer's default" page. False with error set when the job could not be started.
bool printPhotoJob(QPrinter& printer, const QPageSize& printerPaper, const PrintedPhoto& photo,
                   const PrintOptions& options, QString& error);

}  // namespace lumora
