#include "output/SaveAsSinglePage.h"

#include "basket/ImageBasket.h"
#include "core/CurrentOperation.h"
#include "output/BatchRun.h"
#include "output/frmSaveSinglePage.h"
#include "output/frmStatus.h"
#include "tasks/TaskBasket.h"

#include <QPointer>

namespace lumora {

BatchRun* subSaveAsSinglePage(QWidget* parent, const ImageBasket& basket, const TaskBasket& tasks,
                              SetupRecord& record)
{
    SetCurrentOperation(QStringLiteral("Saving a new Single file"));
    if (basket.isEmpty())
        return nullptr;

    {
        frmSaveSinglePage dialog(record.naming, parent);
        dialog.exec();
    }
    if (record.naming.running == 0)
        return nullptr;

    QPointer<frmStatus> status = new frmStatus(parent);
    status->setAttribute(Qt::WA_DeleteOnClose);
    status->setProgress(0, basket.size());
    status->show();

    // The run works on copies: the baskets may change on screen while it goes.
    auto* run = new BatchRun(BatchConversion::entriesOf(basket.entries()), BatchConversion::tasksOf(tasks),
                             record.naming, parent);
    QObject::connect(run, &BatchRun::progress, status, &frmStatus::setProgress);
    QObject::connect(status, &frmStatus::cancelRequested, run, &BatchRun::cancel);
    SetupRecord* settings = &record;
    QObject::connect(run, &BatchRun::finished, run, [run, status, settings] {
        settings->naming.running = 0;
        if (status)
            status->closeWhenDone();
        run->deleteLater();
    });
    QMetaObject::invokeMethod(run, &BatchRun::start, Qt::QueuedConnection);
    return run;
}

}  // namespace lumora
