// A tour of the window for looking at it: opens a folder, previews a photo, fills the Image
// Basket, runs a batch and writes a web album, saving a screenshot of the whole screen after each step. Run it on a
// virtual display (scripts/screenshots.sh) so the pictures show exactly what a user would see.
#include "Heartbeat.h"
#include "MessageBoxWatch.h"
#include "TourSteps.h"
#include "acquire/fCaptureRectangle.h"
#include "acquire/frmCapture.h"
#include "acquire/frmTwain.h"
#include "acquire/modCapture.h"
#include "album/frmAlbumMetadataBasket.h"
#include "basket/BasketAdder.h"
#include "basket/BasketPanel.h"
#include "basket/ImageBasket.h"
#include "metadata/MetadataList.h"
#include "output/frmSaveAdvanced.h"
#include "shell/FolderBrowser.h"
#include "shell/GlobalSetup.h"
#include "shell/LumoraStartup.h"
#include "shell/MetadataCommands.h"
#include "shell/MetadataPane.h"
#include "shell/PreviewPane.h"
#include "shell/SingleInstance.h"
#include "shell/frmInsertMetadata.h"
#include "shell/frmMain.h"
#include "tasks/modSaveOpenImageList.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

using lumora::tools::pump;
using lumora::tools::shoot;
using lumora::tools::waitUntil;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PHOTO_FOLDER SCREENSHOT_FOLDER [TASKS.tbf]\n", argv[0]);
        return 2;
    }
    const QString photos = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString shots = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(shots);

    lumora::SingleInstance instance;
    auto window = lumora::Form_Load(instance, photos);
    if (!window)
        return 1;
    lumora::globalSetup().naming.destinationChoice = 1;
    lumora::globalSetup().naming.destinationFolder = QDir(shots).filePath(QStringLiteral("batch")) + QLatin1Char('/');
    QDir().mkpath(lumora::globalSetup().naming.destinationFolder);
    window->setGeometry(0, 0, 1280, 800);
    window->show();
    lumora::FolderBrowser& browser = window->browser();
    waitUntil([&] { return browser.currentFolder() == photos; });
    waitUntil([&] { return !browser.isListing() && browser.fileList()->model()->rowCount() > 0; });
    shoot(shots, QStringLiteral("1-folder"));
    browser.setViewMode(3);
    waitUntil([&] { return !browser.isListing() && browser.fileList()->model()->rowCount() > 0; });
    shoot(shots, QStringLiteral("1b-details"));
    browser.setViewMode(0);
    waitUntil([&] { return !browser.isListing() && browser.fileList()->model()->rowCount() > 0; });

    // Preview every photo of the folder in turn as the arrow keys would, and stay on the second
    // one. For each: how long the request itself took, how long until the photo was shown, and
    // the longest the window stood still meanwhile (the first paint of the photo included).
    QAbstractItemView* list = browser.fileList();
    const int rows = list->model()->rowCount();
    list->setCurrentIndex(list->model()->index(0, 0));
    lumora::PreviewPane& preview = window->preview();
    lumora::tools::Heartbeat heartbeat;
    bool shown = false;
    QObject::connect(&preview, &lumora::PreviewPane::previewShown, [&shown] { shown = true; });
    const auto previewAndWait = [&](const std::function<void()>& request) {
        shown = false;
        pump(50);
        heartbeat.reset();
        QElapsedTimer clock;
        clock.start();
        request();
        const qint64 call = clock.elapsed();
        const bool started = preview.isLoading();
        if (started)
            waitUntil([&] { return shown; }, 20000);
        const qint64 until = clock.elapsed();
        pump(100);  // the paint that follows
        std::printf("preview of %s: %lld ms; shown after %lld ms; longest GUI-thread gap %.1f ms\n",
                    qPrintable(preview.previewedPath()), static_cast<long long>(call),
                    static_cast<long long>(started ? until : call), heartbeat.longestMs());
    };
    for (int row = 0; row < rows; ++row) {
        if (row == 0)
            previewAndWait([&] { Q_EMIT browser.previewRequested(browser.selectedPaths().value(0)); });
        else
            previewAndWait([&] { browser.selectAdjacent(1); });
    }
    // Arrowing through the folder faster than photos can be read: the newest selection wins and
    // the window keeps up.
    if (rows > 2) {
        pump(50);
        heartbeat.reset();
        shown = false;
        QElapsedTimer clock;
        clock.start();
        for (int row = rows - 1; row > 0; --row) {
            browser.selectAdjacent(-1);
            pump(30);
        }
        waitUntil([&] { return shown && !preview.isLoading(); }, 20000);
        const qint64 until = clock.elapsed();
        pump(100);
        std::printf("arrowing back through %d photos, 30 ms apart: %s shown after %lld ms; longest GUI-thread gap %.1f ms\n",
                    rows - 1, qPrintable(preview.previewedPath()), static_cast<long long>(until), heartbeat.longestMs());
    }
    while (list->currentIndex().row() < std::min(1, rows - 1))
        previewAndWait([&] { browser.selectAdjacent(1); });
    while (list->currentIndex().row() > std::min(1, rows - 1))
        previewAndWait([&] { browser.selectAdjacent(-1); });
    shoot(shots, QStringLiteral("2-preview"));

    // The metadata pane of the photo on show with its two command bars, and the dialogs behind
    // them: each is shot, then cancelled, so the photo stays as it was.
    lumora::MetadataPane& metadata = window->metadata();
    lumora::MetadataCommands& commands = window->metadataCommands();
    const auto shootDialog = [&shots](const QString& name, const std::function<void()>& open,
                                      const std::function<void(QDialog*)>& prepare) {
        QTimer::singleShot(400, [&shots, name, prepare] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (prepare)
                prepare(dialog);
            shoot(shots, name);
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            dialog->reject();
        });
        open();
    };
    int editable = -1;
    for (int row = 0; row < metadata.exifList().size() && editable < 0; ++row)
        if (!metadata.exifList().at(row).key.isEmpty())
            editable = row;
    metadata.selectRow(lumora::MetadataPane::ExifTab, editable);
    shoot(shots, QStringLiteral("2c-metadata-exif"));
    if (editable >= 0)
        shootDialog(QStringLiteral("2d-edit-attribute"), [&] { commands.subEditAttribute(); }, {});
    // A date is edited with the picker.
    const int date = metadata.exifList().findKey(QStringLiteral("DateTime"));
    if (date >= 0) {
        metadata.selectRow(lumora::MetadataPane::ExifTab, date);
        shootDialog(QStringLiteral("2d-edit-date"), [&] { commands.subEditAttribute(); }, {});
    }
    shootDialog(QStringLiteral("2e-new-attribute"), [&] { commands.subAddExifAttribute(); }, [](QDialog* dialog) {
        if (auto* attributes = dialog->findChild<QComboBox*>())
            attributes->showPopup();
    });
    metadata.tabs()->setCurrentIndex(lumora::MetadataPane::IptcTab);
    for (const QString& field : {QStringLiteral("Keywords"), QStringLiteral("Supplemental Categories")}) {
        metadata.selectRow(lumora::MetadataPane::IptcTab, metadata.iptcList().findTag(field));
        if (field == u"Keywords")
            shoot(shots, QStringLiteral("2f-metadata-iptc"));
        shootDialog(field == u"Keywords" ? QStringLiteral("2g-keywords") : QStringLiteral("2h-categories"),
                    [&] { commands.subEditAttribute(); }, {});
    }
    metadata.tabs()->setCurrentIndex(lumora::MetadataPane::ExifTab);
    // The insert-metadata dialog the web album will open, with every item chosen.
    lumora::frmInsertMetadata insert(window.get());
    shootDialog(QStringLiteral("2i-insert-metadata"), [&] { insert.exec(); }, [](QDialog* dialog) {
        if (auto* all = dialog->findChild<QCheckBox*>())
            all->setChecked(true);
    });

    // The output format dialog on the photo on show, JPEG at quality 10 beside the original; how
    // long the encoded result took to arrive and the longest the window stood still meanwhile.
    QTimer::singleShot(400, [&shots, &heartbeat] {
        auto* dialog = qobject_cast<lumora::frmSaveAdvanced*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        waitUntil([dialog] { return !dialog->isRefreshing(); });
        dialog->findChild<QComboBox*>(QStringLiteral("cboFormat"))->setCurrentIndex(2);
        waitUntil([dialog] { return !dialog->isRefreshing(); });
        heartbeat.reset();
        QElapsedTimer clock;
        clock.start();
        dialog->findChild<QSlider*>(QStringLiteral("sldJPGQuality"))->setValue(10);
        waitUntil([dialog] { return !dialog->isRefreshing(); });
        std::printf("save utility, JPEG quality 10: shown after %lld ms (%s); longest GUI-thread gap %.1f ms\n",
                    static_cast<long long>(clock.elapsed()), qPrintable(dialog->statusText(QStringLiteral("size"))),
                    heartbeat.longestMs());
        pump(100);
        shoot(shots, QStringLiteral("2j-save-utility-jpeg10"));
        // At Actual Size the block artefacts show; the scroll bars keep both views on one place.
        dialog->findChild<QMenu*>(QStringLiteral("mnuPreview"))->actions().at(1)->trigger();
        auto* original = dialog->findChild<QWidget*>(QStringLiteral("ibOriginal"));
        for (QScrollBar* bar : original->findChildren<QScrollBar*>())
            bar->setValue(bar->maximum() / 2);
        pump(200);
        shoot(shots, QStringLiteral("2k-save-utility-actual-size"));
        dialog->reject();
    });
    preview.savePreviewInteractively();

    list->selectAll();
    window->addSelectedToBasket();
    lumora::BasketPanel& basket = window->basketPanel();
    waitUntil([&] { return basket.basket().size() > 0 && !basket.adder().isRunning(); });
    shoot(shots, QStringLiteral("3-basket"));

    if (argc > 3) {
        // A recipe in the Task Basket tab, and the preview optimized by it.
        lumora::modSaveOpenImageList::fncOpenTaskBasket(QString::fromLocal8Bit(argv[3]), window->tasks(), false);
        QElapsedTimer tasksClock;
        tasksClock.start();
        heartbeat.reset();
        window->preview().reapplyTasks();
        waitUntil([&] { return !window->session().isBusy(); });
        std::printf("the Task Basket on the previewed photo: shown after %lld ms; longest GUI-thread gap %.1f ms\n",
                    static_cast<long long>(tasksClock.elapsed()), heartbeat.longestMs());
        window->findChild<QTabWidget*>(QStringLiteral("tbsBrowse"))->setCurrentIndex(1);
        shoot(shots, QStringLiteral("3b-task-basket"));
        window->findChild<QTabWidget*>(QStringLiteral("tbsBrowse"))->setCurrentIndex(0);

        // The next photo with the recipe in place: the worker applies it, the window keeps going.
        int arrived = 0;
        const QMetaObject::Connection counting = QObject::connect(
            &window->preview(), &lumora::PreviewPane::previewShown, [&arrived] { ++arrived; });
        QElapsedTimer recipeClock;
        recipeClock.start();
        heartbeat.reset();
        browser.selectAdjacent(1);
        waitUntil([&] { return arrived > 0; }, 20000);
        std::printf("next photo with the Task Basket: shown after %lld ms; longest GUI-thread gap %.1f ms\n",
                    static_cast<long long>(recipeClock.elapsed()), heartbeat.longestMs());
        browser.selectAdjacent(-1);
        waitUntil([&] { return arrived > 1; }, 20000);
        QObject::disconnect(counting);
    }

    QTimer::singleShot(300, [&shots] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shoot(shots, QStringLiteral("4-batch-dialog"));
        // The format choice with a lossy format other than JPEG chosen; the run itself writes JPEG.
        if (auto* format = dialog->findChild<QComboBox*>(QStringLiteral("cboOutputFormat"))) {
            format->setCurrentIndex(format->findData(QStringLiteral("webp")));
            shoot(shots, QStringLiteral("4b-batch-formats"));
            format->setCurrentIndex(0);
        }
        if (auto* save = dialog->findChild<QPushButton*>(QStringLiteral("cmdStarConversion")))
            save->click();
    });
    // The end of the run is told in a message of its own: shot, then closed.
    const lumora::tools::MessageBoxWatch endMessage(100, [&shots] { shoot(shots, QStringLiteral("6-batch-end")); });
    window->subGenerateDocument(0);
    pump(400);
    shoot(shots, QStringLiteral("5-batch-running"));
    waitUntil([&] {
        const QWidget* status = window->findChild<QWidget*>(QStringLiteral("frmStatus"));
        return endMessage.done() && (!status || !status->isVisible());
    });
    shoot(shots, QStringLiteral("7-after-batch"));

    // The web album: a description for the first basket entry, the album window with a few
    // metadata entries, and the album written into SCREENSHOT_FOLDER/album; how long it took and
    // the longest the window stood still meanwhile.
    if (basket.basket().size() >= 2) {
        QAbstractItemView* entries = basket.basketList();
        entries->clearSelection();
        entries->selectionModel()->select(entries->model()->index(0, 0), QItemSelectionModel::Select);
        QTimer::singleShot(400, [&shots] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialog->findChild<QLineEdit*>(QStringLiteral("txtDescription"))
                ->setText(QStringLiteral("Boats at the quay, early morning & a calm sea"));
            shoot(shots, QStringLiteral("8-album-description"));
            dialog->findChild<QPushButton*>(QStringLiteral("cmdAdd"))->click();
        });
        basket.describeSelected();

        const QString albumFolder = QDir(shots).filePath(QStringLiteral("album"));
        QTimer::singleShot(400, [&shots, &albumFolder] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialog->findChild<QLineEdit*>(QStringLiteral("txtFolder"))->setText(albumFolder);
            dialog->findChild<QCheckBox*>(QStringLiteral("chkOpenWhenOver"))->setChecked(false);
            dialog->findChild<lumora::frmAlbumMetadataBasket*>()->addEntries(
                {QStringLiteral("EXIF - Make"), QStringLiteral("EXIF - Model"), QStringLiteral("EXIF - Date/Time Original"),
                 QStringLiteral("IPTC - Caption")});
            shoot(shots, QStringLiteral("9-album-window"));
            dialog->findChild<QPushButton*>(QStringLiteral("cmdGenerate"))->click();
        });
        QElapsedTimer albumClock;
        window->subGenerateDocument(1);
        albumClock.start();
        heartbeat.reset();
        pump(400);
        shoot(shots, QStringLiteral("10-album-running"));
        waitUntil([&] {
            const QWidget* status = window->findChild<QWidget*>(QStringLiteral("frmStatus"));
            return !status || !status->isVisible();
        });
        std::printf("web album of %d photos: written after %lld ms (screenshot included); longest GUI-thread gap %.1f ms\n",
                    basket.basket().size(), static_cast<long long>(albumClock.elapsed()), heartbeat.longestMs());
        shoot(shots, QStringLiteral("11-after-album"));
    }
    // The capture window, then the region window on the grabbed screen with a rectangle drawn
    // from its bottom-right corner to its top-left one.
    auto* capture = new lumora::frmCapture(*window, lumora::globalSetup().capture);
    capture->open();
    shoot(shots, QStringLiteral("capture-window"));
    capture->reject();
    pump(300);
    auto* region = new lumora::fCaptureRectangle(*window, lumora::globalSetup().capture);
    region->ShowPicture(lumora::modCapture::CaptureScreen());
    const auto mouse = [region](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, region->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(region, &event);
    };
    mouse(QEvent::MouseButtonPress, {900, 620}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {600, 400}, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {340, 180}, Qt::NoButton);
    mouse(QEvent::MouseMove, {620, 400}, Qt::NoButton);
    shoot(shots, QStringLiteral("region-selector"));
    region->cmdBar_Click(lumora::fCaptureRectangle::Cancel);
    pump(200);
    // A whole-screen capture of the window as it stands ("Foreground") into the Image Basket.
    const int before = window->basketPanel().basket().size();
    auto* whole = new lumora::frmCapture(*window, lumora::globalSetup().capture);
    whole->open();
    pump(200);
    whole->subCapture(1);
    waitUntil([&] { return window->basketPanel().basket().size() > before; });
    const QString captured = window->basketPanel().basket().at(before).tag;
    waitUntil([&] { return window->preview().previewedPath() == captured && !window->preview().isLoading(); });
    std::printf("captured the screen: %s\n", qPrintable(window->basketPanel().basket().at(before).sourceSize));
    shoot(shots, QStringLiteral("capture-taken"));
    // The acquire window after a scan from SANE's test backend (scripts/screenshots.sh points SANE
    // at it), then the scanner's dialog that Acquire opens.
    if (qEnvironmentVariableIsSet("SANE_CONFIG_DIR")) {
        QTimer::singleShot(400, [&shots] {
            auto* twain = qobject_cast<lumora::frmTwain*>(QApplication::activeModalWidget());
            if (!twain)
                return;
            twain->acquire({.device = QStringLiteral("test:0"), .resolution = 100});
            waitUntil([twain] { return !twain->acquiring(); });
            pump(300);
            shoot(shots, QStringLiteral("acquire-window"));
            // The scanner's dialog opens once the scanners are found, on a thread of their own.
            auto* poll = new QTimer(twain);
            QObject::connect(poll, &QTimer::timeout, [poll, twain, &shots] {
                auto* options = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!options || options == twain)
                    return;
                poll->stop();
                shoot(shots, QStringLiteral("scanner-options"));
                options->reject();
            });
            poll->start(200);
            auto* acquire = twain->findChild<QPushButton*>(QStringLiteral("cmdAcquire"));
            acquire->click();
            waitUntil([poll] { return !poll->isActive(); });
            twain->findChild<QPushButton*>(QStringLiteral("cmdExit"))->click();
        });
        window->showAcquire();
    }
    window->close();
    return 0;
}
