#include "output/SaveAsSinglePage.h"

#include "basket/ImageBasket.h"
#include "core/CurrentOperation.h"
#include "output/BatchEndMessage.h"
#include "output/BatchRun.h"
#include "output/BatchSummary.h"
#include "output/frmSaveSinglePage.h"
#include "output/frmStatus.h"
#include "settings/LumoraOptions.h"
#include "shell/MessageBoxes.h"
#include "tasks/TaskBasket.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

namespace lumora {
namespace {

// Outputs that would land on photos of the run replace them only on the user's yes; the safe
// way out writes the run into a subfolder instead.
bool originalsMayGo(QWidget* parent, BatchRun& run)
{
    const QStringList replaced = run.sourcesReplaced();
    if (replaced.isEmpty())
        return true;
    const QString text =
        QStringLiteral("%1 would be replaced by %2 converted %3 (\"%4\"%5).\n\nReplace %6, write the "
                       "converted photos into the subfolder \"%7\" instead, or cancel?")
            .arg(replaced.size() == 1 ? QStringLiteral("1 original photo")
                                      : QStringLiteral("%1 original photos").arg(replaced.size()),
                 replaced.size() == 1 ? QStringLiteral("its") : QStringLiteral("their"),
                 replaced.size() == 1 ? QStringLiteral("copy") : QStringLiteral("copies"),
                 QFileInfo(replaced.front()).fileName(), replaced.size() == 1 ? QString() : QStringLiteral(", ..."),
                 replaced.size() == 1 ? QStringLiteral("it") : QStringLiteral("them"), kSafeSubfolder);
    const QMessageBox::StandardButton answer = ui::AskQuestion(
        parent, text,
        {{QMessageBox::Yes, QStringLiteral("Replace originals")},
         {QMessageBox::No, QStringLiteral("Write into \"%1\"").arg(kSafeSubfolder)},
         {QMessageBox::Cancel, QString()}},
        QMessageBox::No);
    if (answer == QMessageBox::Yes)
        run.setReplaceSources(true);
    else if (answer == QMessageBox::No)
        run.setSourceSubfolder(kSafeSubfolder);
    return answer == QMessageBox::Yes || answer == QMessageBox::No;
}

}  // namespace

BatchRun* subSaveAsSinglePage(QWidget* parent, const ImageBasket& basket, const TaskBasket& tasks,
                              SetupRecord& record)
{
    SetCurrentOperation(QStringLiteral("Saving a new Single file"));
    if (basket.isEmpty())
        return nullptr;

    // The output format lives in the options file; a Save keeps the choice for the next run.
    LumoraOptions options;
    QString format = options.batchFormat();
    int quality = options.batchQuality();
    {
        frmSaveSinglePage dialog(record.naming, parent);
        dialog.setOutputFormat(format, quality);
        dialog.exec();
        format = dialog.outputFormat();
        quality = dialog.outputQuality();
    }
    if (record.naming.running == 0)
        return nullptr;
    if (format != options.batchFormat())
        options.setBatchFormat(format);
    if (quality != options.batchQuality())
        options.setBatchQuality(quality);

    // The run works on copies: the baskets may change on screen while it goes.
    auto* run = new BatchRun(BatchConversion::entriesOf(basket.entries()), BatchConversion::tasksOf(tasks),
                             record.naming, parent);
    run->setOutputFormat(format, quality);
    if (!originalsMayGo(parent, *run)) {
        record.naming.running = 0;
        delete run;
        return nullptr;
    }

    QPointer<frmStatus> status = new frmStatus(parent);
    status->setAttribute(Qt::WA_DeleteOnClose);
    status->setProgress(0, basket.size());
    status->show();
    QObject::connect(run, &BatchRun::progress, status, &frmStatus::setProgress);
    QObject::connect(status, &frmStatus::cancelRequested, run, &BatchRun::cancel);
    SetupRecord* settings = &record;
    QPointer<QWidget> window = parent;
    const bool hasWindow = parent != nullptr;
    QObject::connect(run, &BatchRun::finished, run, [run, status, settings, window, hasWindow](bool ok) {
        settings->naming.running = 0;
        if (status)
            status->closeWhenDone();
        // Said once the other slots of finished() have seen the run (the window relists the
        // folder it shows first), and never from inside the signal.
        const BatchSummary summary = BatchSummary::of(run->results(), ok);
        QTimer::singleShot(0, QCoreApplication::instance(), [window, hasWindow, summary] {
            if (window || !hasWindow)  // not over a window that has closed meanwhile
                showBatchEnd(window, summary);
        });
        run->deleteLater();
    });
    QMetaObject::invokeMethod(run, &BatchRun::start, Qt::QueuedConnection);
    return run;
}

}  // namespace lumora
