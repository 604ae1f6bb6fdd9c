#include "album/GenerateAlbum.h"

#include "album/AlbumRun.h"
#include "album/frmAlbum.h"
#include "basket/ImageBasket.h"
#include "core/CurrentOperation.h"
#include "output/BatchConversion.h"
#include "output/frmStatus.h"
#include "shell/MessageBoxes.h"

#include <QDesktopServices>
#include <QDir>
#include <QPointer>
#include <QUrl>

namespace lumora {
namespace {

void openInBrowser(QWidget* parent, const QString& indexPath)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(indexPath)))
        ui::ShowMessage(parent,
                        QStringLiteral("The web album is ready, but no web browser could be opened to show it:\n%1")
                            .arg(QDir::toNativeSeparators(indexPath)),
                        QMessageBox::Information);
}

}  // namespace

AlbumRun* subGenerateAlbum(QWidget* parent, const ImageBasket& basket, const TaskBasket& tasks,
                           SetupRecord::Album& settings)
{
    SetCurrentOperation(QStringLiteral("Generating web album"));
    QStringList metadata;
    {
        frmAlbum window(settings, parent);
        if (window.exec() != QDialog::Accepted)
            return nullptr;
        metadata = window.metadataEntries();
    }

    // The run works on copies: the baskets may change on screen while it goes.
    auto* run = new AlbumRun(AlbumJob{settings, albumEntriesOf(basket.entries()), metadata,
                                      BatchConversion::tasksOf(tasks), nullptr, QString()},
                             parent);
    QPointer<frmStatus> status = new frmStatus(parent);
    status->setAttribute(Qt::WA_DeleteOnClose);
    status->setProgress(0, basket.size());
    status->show();
    QObject::connect(run, &AlbumRun::progress, status, [status](const QString& caption, int done, int count) {
        if (!status->cancelled())  // the window says it is cancelling until the run ends
            status->setLabelText(caption);
        status->setProgress(done, count);
    });
    QObject::connect(status, &frmStatus::cancelRequested, run, &AlbumRun::cancel);
    const bool openWhenDone = settings.openWhenDone != 0;
    const QPointer<QWidget> window = parent;
    QObject::connect(run, &AlbumRun::finished, run, [run, status, openWhenDone, window] {
        if (status)
            status->closeWhenDone();
        const AlbumResult& result = run->result();
        if (openWhenDone && result.outcome == AlbumOutcome::Completed)
            openInBrowser(window, result.indexPath);
        run->deleteLater();
    });
    QMetaObject::invokeMethod(run, &AlbumRun::start, Qt::QueuedConnection);
    return run;
}

}  // namespace lumora
