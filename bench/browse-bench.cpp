// Responsiveness of the window while it lists a folder and while a batch runs.
//
// Opens the folder given on the command line in the thumbnail view of a real main window and
// reports, in milliseconds:
//   - first: from the folder's selection in the tree, as a click makes it, to the first row with
//     its thumbnail in the list (a selection in the tree waits 200 ms before the listing starts,
//     so that quick successive selections list only the last folder);
//   - last: from the selection to the end of the listing;
//   - listing stall: the longest gap between two beats of a 5 ms heartbeat on the GUI thread
//     while listing;
// then puts the first BATCH_PHOTOS photos (default 32) into the Image Basket, runs the batch
// conversion through its dialog (accepted as it opens) and reports the longest heartbeat gap while
// the batch runs, and the batch's wall time.
#include "Heartbeat.h"
#include "MessageBoxWatch.h"
#include "basket/BasketAdder.h"
#include "basket/BasketPanel.h"
#include "basket/ImageBasket.h"
#include "shell/FolderBrowser.h"
#include "shell/GlobalSetup.h"
#include "shell/LumoraStartup.h"
#include "shell/SingleInstance.h"
#include "shell/frmMain.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <malloc.h>

namespace {

void waitUntil(const std::function<bool()>& done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

}  // namespace

int main(int argc, char** argv)
{
    mallopt(M_ARENA_MAX, 2);
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const int batchPhotos = qEnvironmentVariableIsSet("BATCH_PHOTOS") ? qEnvironmentVariableIntValue("BATCH_PHOTOS") : 32;

    lumora::SingleInstance instance;
    // Start somewhere else, so that the folder is selected while the window runs.
    auto window = lumora::Form_Load(instance, QDir::tempPath());
    if (!window)
        return 1;
    lumora::globalSetup().naming.destinationChoice = 1;
    lumora::globalSetup().naming.destinationFolder = QDir::tempPath() + QStringLiteral("/lumora-browse-bench-out/");
    QDir().mkpath(lumora::globalSetup().naming.destinationFolder);
    window->resize(1280, 800);
    window->show();
    lumora::FolderBrowser& browser = window->browser();
    waitUntil([&] { return browser.currentFolder() == QDir::tempPath() && !browser.isListing(); });
    // Let the start-up listing of the temporary folder settle.
    QElapsedTimer settle;
    settle.start();
    waitUntil([&] { return settle.elapsed() > 500; });

    lumora::tools::Heartbeat heartbeat;
    QElapsedTimer clock;
    qint64 first = -1;
    qint64 last = -1;
    QMetaObject::Connection rows;
    QMetaObject::Connection finished = QObject::connect(&browser, &lumora::FolderBrowser::listingFinished, [&] {
        if (browser.currentFolder() == folder && last < 0)
            last = clock.elapsed();
    });
    auto* folders = qobject_cast<QFileSystemModel*>(browser.folderTree()->model());
    const QModelIndex folderIndex = folders->index(folder);
    clock.start();
    heartbeat.reset();
    browser.folderTree()->setCurrentIndex(folderIndex);
    // The list's model exists once the browser is set up; rows arrive with their thumbnails.
    QAbstractItemModel* model = browser.fileList()->model();
    rows = QObject::connect(model, &QAbstractItemModel::rowsInserted, [&] {
        if (first < 0 && browser.currentFolder() == folder)
            first = clock.elapsed();
    });
    waitUntil([&] { return last >= 0; });
    const double listingStall = heartbeat.longestMs();
    const int listed = model->rowCount();

    // The batch: the first photos of the folder into the basket, then the conversion.
    lumora::BasketPanel& basket = window->basketPanel();
    QStringList paths;
    const QStringList names = QDir(folder).entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    for (int i = 0; i < names.size() && i < batchPhotos; ++i)
        paths << QDir(folder).filePath(names[i]);
    basket.addFiles(paths);
    waitUntil([&] { return basket.basket().size() == paths.size() && !basket.adder().isRunning(); });

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog)
            if (auto* save = dialog->findChild<QPushButton*>(QStringLiteral("cmdStarConversion")))
                save->click();
    });
    heartbeat.reset();
    QElapsedTimer batchClock;
    batchClock.start();
    // The run ends with a message saying what it did: the batch's time runs to it; then it is
    // closed.
    double batchMs = -1;
    double batchStall = 0;
    const lumora::tools::MessageBoxWatch endMessage(5, [&] {
        batchMs = static_cast<double>(batchClock.elapsed());
        batchStall = heartbeat.longestMs();
    });
    window->subGenerateDocument(0);
    waitUntil([&] { return endMessage.done(); });

    std::printf("listed %d first %lld last %lld listing_stall %.1f batch_photos %lld batch %.0f batch_stall %.1f\n",
                listed, static_cast<long long>(first), static_cast<long long>(last), listingStall,
                static_cast<long long>(paths.size()), batchMs, batchStall);
    QObject::disconnect(rows);
    QObject::disconnect(finished);
    window->close();
    return 0;
}
