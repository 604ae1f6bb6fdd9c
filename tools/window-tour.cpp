// A tour of the window for looking at it: opens a folder, previews a photo, fills the Image
// Basket and runs a batch, saving a screenshot of the whole screen after each step. Run it on a
// virtual display (scripts/screenshots.sh) so the pictures show exactly what a user would see.
#include "basket/BasketAdder.h"
#include "basket/BasketPanel.h"
#include "basket/ImageBasket.h"
#include "shell/FolderBrowser.h"
#include "shell/LumoraStartup.h"
#include "shell/PreviewPane.h"
#include "shell/SetupFile.h"
#include "shell/SingleInstance.h"
#include "shell/frmMain.h"
#include "tasks/modSaveOpenImageList.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

namespace {

void pump(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void waitUntil(const std::function<bool()>& done, int limitMs = 60000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

void shoot(const QString& folder, const QString& name)
{
    pump(300);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    shot.save(path);
    std::printf("%s\n", qPrintable(path));
}

}  // namespace

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

    // Preview every photo of the folder in turn as the arrow keys would, timing each, and stay
    // on the second one.
    QAbstractItemView* list = browser.fileList();
    const int rows = list->model()->rowCount();
    list->setCurrentIndex(list->model()->index(0, 0));
    for (int row = 0; row < rows; ++row) {
        QElapsedTimer clock;
        clock.start();
        if (row == 0)
            Q_EMIT browser.previewRequested(browser.selectedPaths().value(0));
        else
            browser.selectAdjacent(1);
        std::printf("preview of %s: %lld ms\n", qPrintable(window->preview().previewedPath()),
                    static_cast<long long>(clock.elapsed()));
        pump(100);
    }
    while (list->currentIndex().row() > std::min(1, rows - 1))
        browser.selectAdjacent(-1);
    shoot(shots, QStringLiteral("2-preview"));

    list->selectAll();
    window->addSelectedToBasket();
    lumora::BasketPanel& basket = window->basketPanel();
    waitUntil([&] { return basket.basket().size() > 0 && !basket.adder().isRunning(); });
    shoot(shots, QStringLiteral("3-basket"));

    if (argc > 3) {
        // A recipe in the Task Basket tab, and the preview optimized by it.
        lumora::modSaveOpenImageList::fncOpenTaskBasket(QString::fromLocal8Bit(argv[3]), window->tasks(), false);
        window->preview().reapplyTasks();
        window->findChild<QTabWidget*>(QStringLiteral("tbsBrowse"))->setCurrentIndex(1);
        shoot(shots, QStringLiteral("3b-task-basket"));
        window->findChild<QTabWidget*>(QStringLiteral("tbsBrowse"))->setCurrentIndex(0);
    }

    QTimer::singleShot(300, [&shots] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shoot(shots, QStringLiteral("4-batch-dialog"));
        if (auto* save = dialog->findChild<QPushButton*>(QStringLiteral("cmdStarConversion")))
            save->click();
    });
    window->subGenerateDocument(0);
    pump(400);
    shoot(shots, QStringLiteral("5-batch-running"));
    waitUntil([&] {
        const QWidget* status = window->findChild<QWidget*>(QStringLiteral("frmStatus"));
        return !status || !status->isVisible();
    });
    shoot(shots, QStringLiteral("6-after-batch"));
    window->close();
    return 0;
}
